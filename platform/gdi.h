// Owners for device contexts and GDI objects. Each releases its resource the
// way the platform requires (EndPaint, ReleaseDC, DeleteDC, DeleteObject, or
// selecting the previous object back). Non-copyable, movable.
#pragma once

#include "platform/win32.h"

#include <utility>

namespace desk {

// BeginPaint ... EndPaint.
class PaintDc {
  public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { hdc_ = BeginPaint(hwnd, &ps_); }
    ~PaintDc() {
        if (hwnd_)
            EndPaint(hwnd_, &ps_);
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return hdc_; }
    const PAINTSTRUCT& paint() const { return ps_; }

  private:
    HWND hwnd_;
    HDC hdc_;
    PAINTSTRUCT ps_{};
};

// GetDC ... ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (hdc_)
            ReleaseDC(hwnd_, hdc_);
    }
    WindowDc(WindowDc&& o) noexcept : hwnd_(o.hwnd_), hdc_(std::exchange(o.hdc_, nullptr)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc& operator=(WindowDc&&) = delete;
    HDC get() const { return hdc_; }

  private:
    HWND hwnd_;
    HDC hdc_;
};

// CreateCompatibleDC ... DeleteDC.
class MemoryDc {
  public:
    MemoryDc() : hdc_(nullptr) {}
    explicit MemoryDc(HDC compatibleWith) : hdc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (hdc_)
            DeleteDC(hdc_);
    }
    MemoryDc(MemoryDc&& o) noexcept : hdc_(std::exchange(o.hdc_, nullptr)) {}
    // Like the other owners: the DC held so far is deleted at once, then the
    // other one is taken.
    MemoryDc& operator=(MemoryDc&& o) noexcept {
        if (this != &o) {
            if (hdc_)
                DeleteDC(hdc_);
            hdc_ = std::exchange(o.hdc_, nullptr);
        }
        return *this;
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return hdc_; }

  private:
    HDC hdc_;
};

// A memory DC that pictures are selected into in turn, as a canvas that is
// replaced now and then: what the DC held before the first picture came in
// is kept, and put back by takeOut() (after which the picture that was in may
// be deleted) and before the DC is deleted.
class PictureDc {
  public:
    PictureDc() = default;
    explicit PictureDc(HDC compatibleWith) : dc_(compatibleWith) {}
    ~PictureDc() { takeOut(); }
    PictureDc(PictureDc&& o) noexcept
        : dc_(std::move(o.dc_)), first_(std::exchange(o.first_, nullptr)) {}
    PictureDc& operator=(PictureDc&& o) noexcept {
        if (this != &o) {
            takeOut();
            dc_ = std::move(o.dc_);
            first_ = std::exchange(o.first_, nullptr);
        }
        return *this;
    }
    PictureDc(const PictureDc&) = delete;
    PictureDc& operator=(const PictureDc&) = delete;
    HDC get() const { return dc_.get(); }
    // SelectObject of `picture`; while nothing is kept, what it replaced is.
    void select(HBITMAP picture) {
        HGDIOBJ previous = SelectObject(dc_.get(), picture);
        if (!first_)
            first_ = previous;
    }
    // Puts the kept object back; nothing when none is kept.
    void takeOut() {
        if (first_)
            SelectObject(dc_.get(), std::exchange(first_, nullptr));
    }

  private:
    MemoryDc dc_;
    HGDIOBJ first_ = nullptr;
};

// An owned pen, brush, bitmap or font: DeleteObject at scope end.
template <typename Handle> class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : h_(h) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle get() const { return h_; }
    Handle release() { return std::exchange(h_, nullptr); }
    void reset(Handle h = nullptr) {
        if (h_)
            DeleteObject(h_);
        h_ = h;
    }
    explicit operator bool() const { return h_ != nullptr; }

  private:
    Handle h_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;

// SelectObject for the scope: the previous object goes back at the end, so the
// selected object can then be deleted safely.
class Selection {
  public:
    Selection(HDC hdc, HGDIOBJ obj) : hdc_(hdc), old_(SelectObject(hdc, obj)) {}
    ~Selection() {
        if (hdc_ && old_)
            SelectObject(hdc_, old_);
    }
    Selection(Selection&& o) noexcept
        : hdc_(std::exchange(o.hdc_, nullptr)), old_(std::exchange(o.old_, nullptr)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    Selection& operator=(Selection&&) = delete;

  private:
    HDC hdc_;
    HGDIOBJ old_;
};

} // namespace desk

// The editor's drawing surface over a GDI device context: a memory DC holding
// a picture, or a metafile DC recording the calls.
#pragma once

#include "model/editor_platform.h"
#include "platform/win32.h"

namespace risovik::win {

class GdiSurface final : public DrawingSurface {
  public:
    explicit GdiSurface(HDC hdc = nullptr) : hdc_(hdc) {}
    // Points the surface at another DC; with none, every call does nothing
    // (a recording that has been ended).
    void attach(HDC hdc) { hdc_ = hdc; }
    HDC hdc() const { return hdc_; }

    void rectangle(const desk::Rect& corners, const PenSpec& pen, desk::Colour brush) override;
    void ellipse(const desk::Rect& corners, const PenSpec& pen, desk::Colour brush) override;
    void line(desk::Point from, desk::Point to, const PenSpec& pen) override;
    void setTextColour(desk::Colour colour) override;
    void setBackgroundMode(int mode) override;
    void textOut(int x, int y, const char16_t* text, int count) override;
    desk::Colour pixel(int x, int y) override;
    void setPixel(int x, int y, desk::Colour colour) override;

  private:
    HDC hdc_;
};

} // namespace risovik::win

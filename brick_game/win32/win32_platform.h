// The brick game's platform requests carried out with real Win32 calls on the
// main window.
#pragma once

#include "model/brick_platform.h"
#include "platform/counting_wait.h"
#include "win32/window_handles.h"

#include <array>
#include <optional>

namespace brickwin {

// Counts of the play wait per second: the 70000 counts of the normal speed
// last 1/300 s, so play steps follow each other 300 times a second there, and
// the five speeds keep their ratio as far as the frame's own cost allows.
constexpr std::int64_t kCountsPerSecond = 21'000'000;

// QueryPerformanceCounter as the play wait's clock; it blocks on a
// high-resolution waitable timer (Windows 10 1803 on), or else on an ordinary
// one with the system timer at 1 ms while play runs.
class PerformanceClock : public desk::TickClock {
  public:
    PerformanceClock();
    ~PerformanceClock() override;
    PerformanceClock(const PerformanceClock&) = delete;
    PerformanceClock& operator=(const PerformanceClock&) = delete;

    std::int64_t ticks() override;
    std::int64_t ticksPerSecond() override { return perSecond_; }
    void blockUntil(std::int64_t deadline) override;
    // Gives the system timer back its own period once play stops (a no-op
    // with the high-resolution timer).
    void releaseTimerPeriod();
    bool highResolution() const { return highResolution_; }

  private:
    std::int64_t perSecond_ = 1;
    HANDLE timer_ = nullptr;
    bool highResolution_ = false;
    bool periodHeld_ = false;
};

// The sound service: PlaySoundA, or a test's recorder with the same signature.
using SoundFunction = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);

// The flags of each way of playing a cue and of each way of stopping.
DWORD CueFlags(brick::CueWay way);
DWORD StopFlags(brick::StopForm form);

class Win32BrickPlatform : public brick::BrickPlatform {
  public:
    explicit Win32BrickPlatform(WindowHandles& handles) : handles_(handles) {}

    PerformanceClock& clock() { return clock_; }

    void setSoundFunction(SoundFunction f) { playSound_ = f ? f : &PlaySoundA; }
    // The device context that the innermost paint draws into (the off-screen
    // picture, or the window's own with buffering off), or null outside
    // painting.
    HDC paintDc() const;
    // How many paints have begun and not ended, counting one still inside its
    // BeginPaint.
    int paintDepth() const { return paintDepth_; }

    // Every paint draws into an off-screen picture of the client area and
    // puts its update region on the screen in one copy at its end, so the
    // screen never shows a frame half drawn. Off: straight into the window
    // (kept for the frame benchmark's comparison).
    void setBuffered(bool buffered) { buffered_ = buffered; }
    // The off-screen picture's device context; null before the first paint.
    HDC bufferDc() const { return buffer_.get(); }
    // WM_ERASEBKGND on this device context of the window: the erase is done
    // in the picture, to reach the screen with the next paint's copy (true:
    // handled). False without a picture: the default erase is left to run.
    bool eraseInBuffer(HDC windowDc);

    void invalidate(const desk::Rect& area, bool erase) override;
    void invalidateAll(bool erase) override;
    void sleep(int milliseconds) override;
    void countingWait(std::int32_t counts, bool fromNow) override;
    void playCue(const char* fileName, brick::CueWay way) override;
    void stopCues(brick::StopForm form) override;
    void showCursor(bool show) override;
    desk::Point cursorPos() override;
    void setCursorPos(int x, int y) override;
    void sendKeyDown(int virtualKey, desk::Point clickPoint) override;
    void beginPaint() override;
    void endPaint() override;
    void setTextColour(desk::Colour colour) override;
    void setTextBackground(desk::Colour colour) override;
    void setOpaqueText(bool opaque) override;
    void textOut(int x, int y, const char* text, int count) override;
    void drawLifeIcon(int x, int y) override;
    void ellipse(const desk::Rect& box, brick::BrushKind brush) override;
    void roundRect(const desk::Rect& box, int cornerW, int cornerH,
                   brick::BrushKind brush) override;
    void rectangle(const desk::Rect& box, brick::BrushKind brush) override;
    void remakeBrushes(desk::Colour brick, desk::Colour ball, desk::Colour paddle) override;
    void attachMenu() override;
    void checkMenuItem(int commandId, bool checked) override;
    int runDialog(int dialogId) override;
    desk::Colour chooseColour(desk::Colour customColours[16]) override;
    void destroyWindow() override;
    void quit() override;

  private:
    // One paint: the window's BeginPaint and what the picture needs of it.
    struct Paint {
        std::optional<desk::PaintDc> window;
        bool beginning = false; // still inside BeginPaint
        bool erased = false;    // BeginPaint asked for the erase
        bool inPicture = false; // drawing into the picture
        int savedState = 0;     // SaveDC of the picture under a nested paint, else 0
        bool clipKnown = false; // `clip` holds the drawing's clipping bounds
        RECT clip{0, 0, 0, 0};
    };

    HBRUSH brushOf(brick::BrushKind kind) const;
    // The picture goes with its window (at WM_DESTROY).
    void releaseBuffer();
    template <class Draw> void shape(const desk::Rect& box, brick::BrushKind brush, Draw draw);
    const RECT& clipBox(Paint& paint, HDC dc);
    bool visible(HDC dc, int left, int top, int right, int bottom);
    Paint* innermost();
    const Paint* innermost() const;
    void prepareBuffer(Paint& paint);
    // Clips the picture to what this device context of the window may change.
    void clipBufferLike(HDC windowDc);

    WindowHandles& handles_;
    PerformanceClock clock_;
    desk::CountingWait wait_{clock_, kCountsPerSecond};
    SoundFunction playSound_ = &PlaySoundA;
    // BeginPaint nests when a message sent during painting (WM_ERASEBKGND)
    // runs a frame of its own; deeper levels than this are not drawn.
    static constexpr int kMaxPaintDepth = 8;
    std::array<Paint, kMaxPaintDepth> paints_;
    int paintDepth_ = 0;
    bool buffered_ = true;
    // The off-screen picture: kept while its window lives, made again when
    // the client area changes size. The bitmap outlives the DC that holds it.
    desk::Bitmap bufferBitmap_;
    desk::MemoryDc buffer_;
    desk::Region clipRegion_; // the picture's clipping, made once
    HWND bufferWindow_ = nullptr;
    SIZE bufferSize_{0, 0};
    int buffersDrawing_ = 0;
    // The spare-ball icon's module and drawn size, and the font's widest
    // character cell, taken once.
    HINSTANCE lifeIconModule_ = nullptr;
    SIZE lifeIconSize_{0, 0};
    SIZE textCell_{0, 0};
};

} // namespace brickwin

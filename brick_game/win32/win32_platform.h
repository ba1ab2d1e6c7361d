// The brick game's platform requests carried out with real Win32 calls on the
// main window.
#pragma once

#include "model/brick_platform.h"
#include "platform/counting_wait.h"
#include "win32/window_record.h"

#include <array>
#include <optional>

namespace brickwin {

// The duration of one count of the play wait. Besides its wait, a play step
// costs from about 0.1 ms (Wine on a busy machine) to 0.7 ms (Wine on an idle
// virtual machine, where each wake-up of the window system's processes is
// slow); with this value the 70000 counts of the normal speed give 260 to 310
// play steps per second.
constexpr double kNanosecondsPerCount = 44.0;

// The sound service: PlaySoundA, or a test's recorder with the same signature.
using SoundFunction = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);

// The flags of each way of playing a cue and of each way of stopping.
DWORD CueFlags(brick::CueWay way);
DWORD StopFlags(brick::StopForm form);

class Win32BrickPlatform : public brick::BrickPlatform {
  public:
    explicit Win32BrickPlatform(WindowRecord& record) : record_(record) {}

    // Measures this machine once, so that every count lasts kNanosecondsPerCount.
    void calibrateWait() { wait_.calibrate(kNanosecondsPerCount); }
    const desk::CountingWait& wait() const { return wait_; }

    void setSoundFunction(SoundFunction f) { playSound_ = f ? f : &PlaySoundA; }
    // The device context of the innermost beginPaint, or null outside painting.
    HDC paintDc() const;
    // How many paints have begun and not ended, counting one still inside its
    // BeginPaint.
    int paintDepth() const { return paintDepth_; }

    void invalidate(const desk::Rect& area, bool erase) override;
    void invalidateAll(bool erase) override;
    void sleep(int milliseconds) override;
    void countingWait(std::int32_t counts) override;
    void playCue(const char* fileName, brick::CueWay way) override;
    void stopCues(brick::StopForm form) override;
    void showCursor(bool show) override;
    desk::Point cursorPos() override;
    void setCursorPos(int x, int y) override;
    void sendKeyDown(int virtualKey, std::intptr_t lParam) override;
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
    void checkMenuItem(int commandId, bool checked) override;
    std::intptr_t runDialog(int dialogId) override;
    desk::Colour chooseColour(desk::Colour customColours[16]) override;
    void destroyWindow() override;

  private:
    HBRUSH brushOf(brick::BrushKind kind) const;

    WindowRecord& record_;
    desk::CountingWait wait_;
    SoundFunction playSound_ = &PlaySoundA;
    // BeginPaint nests when a message sent during painting (WM_ERASEBKGND)
    // runs a frame of its own; deeper levels than this are not drawn.
    static constexpr int kMaxPaintDepth = 8;
    std::array<std::optional<desk::PaintDc>, kMaxPaintDepth> paints_;
    int paintDepth_ = 0;
};

} // namespace brickwin

// What the snake model asks of the platform: the drawing of a repaint and the
// few requests that the main window's messages make of the window. The window
// layer implements it with GDI and window calls; the native tests implement it
// with a recording fake. The pseudo-random draws are not here: the model takes
// them from the C library's rand() itself.
#pragma once

#include "platform/geometry.h"

namespace snake {

class SnakePlatform {
  public:
    virtual ~SnakePlatform() = default;

    // The repaint's device context: BeginPaint ... EndPaint. The drawing calls
    // below come only between the two.
    virtual void beginPaint() = 0;
    virtual void endPaint() = 0;

    // Rectangle over `box` (right and bottom exclusive) with the default pen
    // (black, one pixel) and a solid brush of `fill` that is created right
    // before the shape and deleted right after it, with the previously
    // selected brush put back.
    virtual void rectangle(const desk::Rect& box, desk::Colour fill) = 0;

    // TextOutA of the first `count` bytes of `text` at client position (x, y)
    // in the device context's default font, text colour and opaque background.
    virtual void textOut(int x, int y, const char* text, int count) = 0;

    // A tick (OnTimer) every `milliseconds` from now until the window ends.
    virtual void setTimer(int milliseconds) = 0;

    // Asks for a repaint of the whole client area, with the background erased
    // first when `erase` is set.
    virtual void invalidateAll(bool erase) = 0;

    // The modal About box, owned by the main window; returns once it is
    // closed. Ticks and repaints go on while it is open.
    virtual void showAboutBox() = 0;

    // Destroys the main window (its OnDestroy runs before this returns).
    virtual void destroyWindow() = 0;

    // Ends the message loop with `exitCode` once the current message is done.
    virtual void postQuit(int exitCode) = 0;
};

} // namespace snake

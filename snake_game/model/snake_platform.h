// What the snake model asks of the platform. The window layer implements it
// with GDI calls on the paint device context; the native tests implement it
// with a recording fake. The pseudo-random draws are not here: the model takes
// them from the C library's rand() itself.
#pragma once

#include "platform/geometry.h"

namespace snake {

class SnakePlatform {
  public:
    virtual ~SnakePlatform() = default;

    // Only during a repaint. Rectangle over `box` (right and bottom exclusive)
    // with the default pen (black, one pixel) and a solid brush of `fill` that
    // is created right before the shape and deleted right after it, with the
    // previously selected brush put back.
    virtual void rectangle(const desk::Rect& box, desk::Colour fill) = 0;

    // Only during a repaint. TextOutA of the first `count` bytes of `text` at
    // client position (x, y) in the device context's default font, text colour
    // and opaque background.
    virtual void textOut(int x, int y, const char* text, int count) = 0;
};

} // namespace snake

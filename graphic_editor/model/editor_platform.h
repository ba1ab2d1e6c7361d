// What the editor model asks of the platform. The window layer implements it
// with GDI and the window's controls; the native tests implement it with
// recording fakes. The model never looks at a result unless a method returns
// one.
#pragma once

#include "platform/geometry.h"

namespace risovik {

// Outline style of a pen: PS_SOLID or PS_DASH.
enum class PenStyle { Solid, Dash };

struct PenSpec {
    PenStyle style = PenStyle::Solid;
    int width = 0;
    desk::Colour colour = 0;
    friend bool operator==(const PenSpec& a, const PenSpec& b) {
        return a.style == b.style && a.width == b.width && a.colour == b.colour;
    }
};

// The colour a pixel read reports outside the picture (the platform's
// CLR_INVALID); never a colour a picture holds.
constexpr desk::Colour kNoPixel = 0xFFFFFFFFu;

// A drawing surface: the canvas's off-screen surface, a new picture made by a
// transform, or the recording. Coordinates are passed on unchanged; drawing
// outside a picture is clipped by the platform.
class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    // Rectangle(left, top, right, bottom) as given (not reordered), outlined
    // with a new pen and filled with a new solid brush of `brush`; the
    // previous pen and brush are put back and the new ones deleted after.
    virtual void rectangle(const desk::Rect& corners, const PenSpec& pen, desk::Colour brush) = 0;
    // Ellipse in the box spanned by the corners; pen and brush as rectangle().
    virtual void ellipse(const desk::Rect& corners, const PenSpec& pen, desk::Colour brush) = 0;
    // MoveToEx(from), LineTo(to) with a new pen, deleted after.
    virtual void line(desk::Point from, desk::Point to, const PenSpec& pen) = 0;
    // SetTextColor.
    virtual void setTextColour(desk::Colour colour) = 0;
    // SetBkMode with this raw value; the platform may refuse it.
    virtual void setBackgroundMode(int mode) = 0;
    // TextOutW of exactly `count` UTF-16 units of `text` (no terminator
    // needed), top-left corner at (x, y), in the surface's current font. The
    // text is what the user typed, kept as typed whatever the system's code
    // page.
    virtual void textOut(int x, int y, const char16_t* text, int count) = 0;
    // GetPixel: the colour at (x, y), or kNoPixel outside the picture.
    virtual desk::Colour pixel(int x, int y) = 0;
    // SetPixel; nothing outside the picture.
    virtual void setPixel(int x, int y, desk::Colour colour) = 0;
};

// The eight buttons that show a pushed look; the values are their control ids.
enum class Button {
    Line = 1,
    Rectangle = 2,
    Ellipse = 3,
    Text = 4,
    Red = 5,
    Green = 6,
    Blue = 7,
    Magenta = 8
};

class EditorPlatform {
  public:
    virtual ~EditorPlatform() = default;

    // The surface holding the current canvas picture.
    virtual DrawingSurface& canvasSurface() = 0;
    // The recording: every call on it is recorded; when no recording runs
    // (it was ended by a save) the calls do nothing.
    virtual DrawingSurface& recording() = 0;
    // EM_GETLINE of the text field's line, in UTF-16, into `buffer`, whose
    // first element holds its capacity in characters. Returns the number of
    // characters copied; no terminator is added when the line fills the
    // buffer.
    virtual int readTextField(char16_t* buffer) = 0;
    // PlayMetaFile of the loaded recording into the canvas surface; nothing
    // when no recording is loaded.
    virtual void playLoadedRecording() = 0;
    // BM_SETSTATE: the pushed (true) or normal (false) look of a button.
    virtual void setButtonPushed(Button button, bool pushed) = 0;
    // InvalidateRect of the whole client area, erasing the background or not.
    virtual void invalidateAll(bool erase) = 0;
    // Makes a new picture of width x height, compatible with the display, on
    // a surface of its own and returns that surface; contents undefined. The
    // picture stays pending until adoptNewPicture or the next makeNewPicture.
    virtual DrawingSurface& makeNewPicture(int width, int height) = 0;
    // The pending new picture becomes the canvas and its surface the canvas
    // surface; the previous picture and surface are released.
    virtual void adoptNewPicture() = 0;
};

} // namespace risovik

#include "win32/gdi_surface.h"

#include "platform/gdi.h"

namespace risovik::win {

static_assert(kNoPixel == CLR_INVALID, "an unreadable pixel must read as the model expects");
static_assert(sizeof(wchar_t) == sizeof(char16_t), "typed text goes to the wide calls as it is");

namespace {

HPEN MakePen(const PenSpec& pen) {
    return CreatePen(pen.style == PenStyle::Dash ? PS_DASH : PS_SOLID, pen.width, pen.colour);
}

// A filled shape (Rectangle or Ellipse) in the box of `c`, with a new pen and
// a new solid brush selected for it and deleted after.
void FilledShape(HDC hdc, BOOL(WINAPI* shape)(HDC, int, int, int, int), const desk::Rect& c,
                 const PenSpec& pen, desk::Colour brush) {
    if (!hdc)
        return;
    desk::Pen p(MakePen(pen));
    desk::Brush b(CreateSolidBrush(brush));
    desk::Selection withPen(hdc, p.get());
    desk::Selection withBrush(hdc, b.get());
    shape(hdc, c.left, c.top, c.right, c.bottom);
}

} // namespace

void GdiSurface::rectangle(const desk::Rect& c, const PenSpec& pen, desk::Colour brush) {
    FilledShape(hdc_, Rectangle, c, pen, brush);
}

void GdiSurface::ellipse(const desk::Rect& c, const PenSpec& pen, desk::Colour brush) {
    FilledShape(hdc_, Ellipse, c, pen, brush);
}

void GdiSurface::line(desk::Point from, desk::Point to, const PenSpec& pen) {
    if (!hdc_)
        return;
    desk::Pen p(MakePen(pen));
    desk::Selection withPen(hdc_, p.get());
    MoveToEx(hdc_, from.x, from.y, nullptr);
    LineTo(hdc_, to.x, to.y);
}

void GdiSurface::setTextColour(desk::Colour colour) {
    if (hdc_)
        SetTextColor(hdc_, colour);
}

void GdiSurface::setBackgroundMode(int mode) {
    if (hdc_)
        SetBkMode(hdc_, mode);
}

void GdiSurface::textOut(int x, int y, const char16_t* text, int count) {
    if (hdc_)
        TextOutW(hdc_, x, y, reinterpret_cast<const wchar_t*>(text), count);
}

desk::Colour GdiSurface::pixel(int x, int y) {
    return hdc_ ? GetPixel(hdc_, x, y) : kNoPixel;
}

void GdiSurface::setPixel(int x, int y, desk::Colour colour) {
    if (hdc_)
        SetPixel(hdc_, x, y, colour);
}

} // namespace risovik::win

#include "fake_surface.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace risovik::testing {

std::string Describe(desk::Colour c) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "RGB(%d,%d,%d)", desk::RedOf(c), desk::GreenOf(c),
                  desk::BlueOf(c));
    return buf;
}

std::string Describe(const PenSpec& pen) {
    return std::string(pen.style == PenStyle::Solid ? "solid" : "dash") + " " +
           std::to_string(pen.width) + " " + Describe(pen.colour);
}

namespace {
std::string Box(const desk::Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}
std::string At(int x, int y) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}
} // namespace

FakeSurface::FakeSurface(std::string name, std::vector<std::string>& log, int width, int height,
                         desk::Colour fill)
    : name_(std::move(name)), log_(log), width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * height, fill) {}

void FakeSurface::rectangle(const desk::Rect& corners, const PenSpec& pen, desk::Colour brush) {
    log_.push_back(name_ + " rectangle" + Box(corners) + " pen " + Describe(pen) + " brush " +
                   Describe(brush));
    // Fills the box like the platform would (outline included), reordered.
    const int l = std::min(corners.left, corners.right);
    const int r = std::max(corners.left, corners.right);
    const int t = std::min(corners.top, corners.bottom);
    const int b = std::max(corners.top, corners.bottom);
    for (int y = std::max(t, 0); y < std::min(b, height_); ++y)
        for (int x = std::max(l, 0); x < std::min(r, width_); ++x)
            put(x, y, brush);
}

void FakeSurface::ellipse(const desk::Rect& corners, const PenSpec& pen, desk::Colour brush) {
    log_.push_back(name_ + " ellipse" + Box(corners) + " pen " + Describe(pen) + " brush " +
                   Describe(brush));
}

void FakeSurface::line(desk::Point from, desk::Point to, const PenSpec& pen) {
    log_.push_back(name_ + " line" + At(from.x, from.y) + "-" + At(to.x, to.y) + " pen " +
                   Describe(pen));
}

void FakeSurface::setTextColour(desk::Colour colour) {
    log_.push_back(name_ + " textColour " + Describe(colour));
}

void FakeSurface::setBackgroundMode(int mode) {
    log_.push_back(name_ + " bkMode " + std::to_string(mode));
}

void FakeSurface::textOut(int x, int y, const char16_t* text, int count) {
    std::string shown;
    for (int i = 0; i < count; ++i)
        shown += text[i] < 0x100 ? static_cast<char>(text[i]) : '?';
    log_.push_back(name_ + " text" + At(x, y) + " \"" + shown + "\" " + std::to_string(count));
}

desk::Colour FakeSurface::pixel(int x, int y) {
    ++reads;
    return at(x, y);
}

void FakeSurface::setPixel(int x, int y, desk::Colour colour) {
    ++writes;
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || colour == kNoPixel) {
        ++badWrites;
        return;
    }
    put(x, y, colour);
}

desk::Colour FakeSurface::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return kNoPixel;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void FakeSurface::put(int x, int y, desk::Colour colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

FakePlatform::FakePlatform(int canvasWidth, int canvasHeight, desk::Colour fill)
    : canvas(std::make_unique<FakeSurface>("canvas", log, canvasWidth, canvasHeight, fill)),
      recordingSurface(std::make_unique<FakeSurface>("recording", log)) {}

int FakePlatform::readTextField(char16_t* buffer) {
    const std::uint16_t capacity = buffer[0];
    capacitySeen = capacity;
    log.push_back("readTextField");
    const std::size_t n = std::min<std::size_t>(textField.size(), capacity);
    for (std::size_t i = 0; i < n; ++i)
        buffer[i] = static_cast<unsigned char>(textField[i]);
    return forcedTextCount >= 0 ? forcedTextCount : static_cast<int>(n);
}

void FakePlatform::playLoadedRecording() {
    log.push_back("play");
}

void FakePlatform::setButtonPushed(Button button, bool isPushed) {
    pushed[button] = isPushed;
}

void FakePlatform::invalidateAll(bool erase) {
    log.push_back(erase ? "invalidate erase" : "invalidate");
}

DrawingSurface& FakePlatform::makeNewPicture(int width, int height) {
    log.push_back("makeNewPicture " + std::to_string(width) + "x" + std::to_string(height));
    // Contents of a new picture are undefined: make them visibly not black.
    pending = std::make_unique<FakeSurface>("new", log, width, height, desk::Rgb(1, 2, 3));
    return *pending;
}

void FakePlatform::adoptNewPicture() {
    log.push_back("adoptNewPicture");
    previous = std::move(canvas);
    canvas = std::move(pending);
}

} // namespace risovik::testing

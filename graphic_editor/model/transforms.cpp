#include "model/transforms.h"

namespace risovik {

namespace {

// The quarter turn as a rotation by the angle whose cosine is 0 and sine 1,
// shifted right by the canvas width.
constexpr int kCos = 0;
constexpr int kSin = 1;
constexpr int kTurnOffset = kCanvasWidth;

// An opened picture may be smaller than the canvas area; the platform then
// reports no colour for the pixels beyond it, and those are copied as black.
desk::Colour ReadCanvasPixel(DrawingSurface& source, int x, int y) {
    const desk::Colour c = source.pixel(x, y);
    return c == kNoPixel ? kClearColour : c;
}

template <typename Copy> void Transform(EditorState& state, EditorPlatform& platform, Copy copy) {
    DrawingSurface& target = platform.makeNewPicture(kCanvasWidth, kCanvasHeight);
    target.rectangle(desk::Rect{0, 0, kCanvasWidth, kCanvasHeight},
                     PenSpec{PenStyle::Solid, kPenWidth, kClearColour}, kClearColour);
    copy(platform.canvasSurface(), target);
    DeselectTools(state, platform);
    platform.adoptNewPicture();
    platform.invalidateAll(false);
}

} // namespace

std::optional<desk::Point> QuarterTurnTarget(int x, int y) {
    const int tx = x * kCos - y * kSin + kTurnOffset;
    const int ty = x * kSin + y * kCos;
    if (tx < 0 || tx >= kCanvasWidth || ty < 0 || ty >= kCanvasHeight)
        return std::nullopt;
    return desk::Point{tx, ty};
}

void CopyQuarterTurn(DrawingSurface& source, DrawingSurface& target) {
    for (int y = 0; y < kCanvasHeight; ++y) {
        for (int x = 0; x < kCanvasWidth; ++x) {
            if (const auto to = QuarterTurnTarget(x, y))
                target.setPixel(to->x, to->y, ReadCanvasPixel(source, x, y));
        }
    }
}

void CopyHalfSize(DrawingSurface& source, DrawingSurface& target) {
    int ty = 0;
    for (int sy = 1; sy < kCanvasHeight; sy += 2, ++ty) {
        int tx = 0;
        for (int sx = 1; sx < kCanvasWidth; sx += 2, ++tx)
            target.setPixel(tx, ty, ReadCanvasPixel(source, sx, sy));
    }
}

void RotateQuarter(EditorState& state, EditorPlatform& platform) {
    Transform(state, platform, CopyQuarterTurn);
}

void HalveSize(EditorState& state, EditorPlatform& platform) {
    Transform(state, platform, CopyHalfSize);
}

} // namespace risovik

// The two picture transforms: a quarter turn clockwise and a half-size copy.
// Both copy pixel by pixel (one read, one write per copied pixel) from the
// canvas into a new black 450 x 400 picture, which becomes the canvas.
#pragma once

#include "model/editor_platform.h"
#include "model/editor_state.h"
#include "platform/geometry.h"

#include <optional>

namespace risovik {

// Where source pixel (x, y) of the canvas area lands in a quarter turn:
// (450 - y, x), or nothing when that falls outside the 450 x 400 target (row 0
// and columns 400 and up are lost; target columns 0..50 stay black).
std::optional<desk::Point> QuarterTurnTarget(int x, int y);

// The copy steps alone, from `source` into `target` (already black). A read
// outside a source smaller than the canvas area counts as black.
void CopyQuarterTurn(DrawingSurface& source, DrawingSurface& target);
// target (X, Y) = source (2X + 1, 2Y + 1) for X < 225, Y < 200.
void CopyHalfSize(DrawingSurface& source, DrawingSurface& target);

// The whole transforms: new black picture, copy, no tool selected, the new
// picture becomes the canvas, repaint without erase.
void RotateQuarter(EditorState& state, EditorPlatform& platform);
void HalveSize(EditorState& state, EditorPlatform& platform);

} // namespace risovik

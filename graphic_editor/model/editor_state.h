// The editor's state record and the operations on it: tools, colours, the
// press and release points, and the paint step that turns them into pixels.
//
// A shape is not drawn when the mouse button is released but by every paint
// step, from the current tool, colour and the last two points: a release only
// asks for a repaint, and any repaint draws the current shape again.
#pragma once

#include "model/editor_platform.h"
#include "platform/geometry.h"

#include <cstdint>

namespace risovik {

constexpr int kCanvasWidth = 450;
constexpr int kCanvasHeight = 400;
constexpr desk::Colour kClearColour = desk::Rgb(0, 0, 0);
constexpr int kPenWidth = 2;
// Most characters of the text field one text shape draws.
constexpr int kTextCapacity = 12;
// What the text tool passes to SetBkMode: neither transparent (1) nor opaque
// (2); the platform refuses it and the surface keeps its opaque default.
constexpr int kTextBackgroundMode = 0;

enum class Tool { Line, Rectangle, Ellipse, Text };
enum class DrawColour { Red, Green, Blue, Magenta };

// The whole editor apart from the platform's handles (pictures, surfaces,
// recordings, controls), which the window layer keeps next to it.
struct EditorState {
    // The current tool: at most one flag is 1; all 0 means no tool.
    std::uint8_t lineTool = 0;
    std::uint8_t rectangleTool = 0;
    std::uint8_t ellipseTool = 0;
    std::uint8_t textTool = 0;
    // Components of the drawing colour, each 0 or 255.
    std::int32_t colourRed = 0;
    std::int32_t colourGreen = 0;
    std::int32_t colourBlue = 0;
    // Last press and release of the left button, client pixels 0..65535.
    std::int32_t pressX = 0;
    std::int32_t pressY = 0;
    std::int32_t releaseX = 0;
    std::int32_t releaseY = 0;
    // The next paint step clears the canvas area.
    std::uint8_t clearPending = 0;
    // The next paint step plays the loaded recording into the canvas.
    std::int32_t playPending = 0;
};

// red | green << 8 | blue << 16 from the low bytes of the components.
desk::Colour DrawingColour(const EditorState& state);

// Window creation: a fresh state whose first paint step clears the canvas.
void StartEditor(EditorState& state);

// Stores the press point. Nothing else.
void PressAt(EditorState& state, int x, int y);
// Stores the release point and asks for a repaint without erase.
void ReleaseAt(EditorState& state, EditorPlatform& platform, int x, int y);
// Makes `tool` the only tool and shows its button pushed, the others normal.
void SelectTool(EditorState& state, EditorPlatform& platform, Tool tool);
// Sets the drawing colour and shows its button pushed, the others normal.
void SelectColour(EditorState& state, EditorPlatform& platform, DrawColour colour);
// No tool, all four tool buttons normal.
void DeselectTools(EditorState& state, EditorPlatform& platform);
// No tool; the next paint step clears the canvas area; repaint without erase.
void NewPicture(EditorState& state, EditorPlatform& platform);
// The paint step, run inside every repaint once the canvas surface holds the
// canvas: clear, the current tool's shape (on the canvas, then on the
// recording), then a pending playback.
void RenderPending(EditorState& state, EditorPlatform& platform);

} // namespace risovik

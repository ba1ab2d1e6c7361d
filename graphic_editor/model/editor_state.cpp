#include "model/editor_state.h"

#include <algorithm>
#include <cstring>

namespace risovik {

namespace {

constexpr Button kToolButtons[] = {Button::Line, Button::Rectangle, Button::Ellipse, Button::Text};
constexpr Button kColourButtons[] = {Button::Red, Button::Green, Button::Blue, Button::Magenta};

Button ButtonOf(Tool tool) {
    switch (tool) {
    case Tool::Line: return Button::Line;
    case Tool::Rectangle: return Button::Rectangle;
    case Tool::Ellipse: return Button::Ellipse;
    case Tool::Text: return Button::Text;
    }
    return Button::Line;
}

Button ButtonOf(DrawColour colour) {
    switch (colour) {
    case DrawColour::Red: return Button::Red;
    case DrawColour::Green: return Button::Green;
    case DrawColour::Blue: return Button::Blue;
    case DrawColour::Magenta: return Button::Magenta;
    }
    return Button::Red;
}

// Shows `pushed` pushed and the other buttons of its group normal.
template <std::size_t N>
void PushOnly(EditorPlatform& platform, const Button (&group)[N], Button pushed) {
    for (Button b : group)
        platform.setButtonPushed(b, b == pushed);
}

// The rectangle and the ellipse take the release point as their first corner.
desk::Rect ShapeCorners(const EditorState& s) {
    return desk::Rect{s.releaseX, s.releaseY, s.pressX, s.pressY};
}

void DrawRectangle(DrawingSurface& surface, const EditorState& s, desk::Colour colour) {
    surface.rectangle(ShapeCorners(s), PenSpec{PenStyle::Solid, kPenWidth, colour}, colour);
}

void DrawLine(DrawingSurface& surface, const EditorState& s, desk::Colour colour) {
    surface.line(desk::Point{s.pressX, s.pressY}, desk::Point{s.releaseX, s.releaseY},
                 PenSpec{PenStyle::Solid, kPenWidth, colour});
}

void DrawEllipse(DrawingSurface& surface, const EditorState& s, desk::Colour colour) {
    surface.ellipse(ShapeCorners(s), PenSpec{PenStyle::Dash, kPenWidth, colour}, colour);
}

void DrawText(DrawingSurface& surface, const EditorState& s, desk::Colour colour,
              const char16_t* text, int count) {
    surface.setTextColour(colour);
    surface.setBackgroundMode(kTextBackgroundMode);
    surface.textOut(s.releaseX, s.releaseY, text, count);
}

} // namespace

desk::Colour DrawingColour(const EditorState& state) {
    return desk::Rgb(state.colourRed, state.colourGreen, state.colourBlue);
}

void StartEditor(EditorState& state) {
    state = EditorState{};
    state.clearPending = 1;
}

void PressAt(EditorState& state, int x, int y) {
    state.pressX = x;
    state.pressY = y;
}

void ReleaseAt(EditorState& state, EditorPlatform& platform, int x, int y) {
    state.releaseX = x;
    state.releaseY = y;
    platform.invalidateAll(false);
}

void SelectTool(EditorState& state, EditorPlatform& platform, Tool tool) {
    state.lineTool = tool == Tool::Line;
    state.rectangleTool = tool == Tool::Rectangle;
    state.ellipseTool = tool == Tool::Ellipse;
    state.textTool = tool == Tool::Text;
    PushOnly(platform, kToolButtons, ButtonOf(tool));
}

void SelectColour(EditorState& state, EditorPlatform& platform, DrawColour colour) {
    const bool red = colour == DrawColour::Red || colour == DrawColour::Magenta;
    const bool blue = colour == DrawColour::Blue || colour == DrawColour::Magenta;
    state.colourRed = red ? 255 : 0;
    state.colourGreen = colour == DrawColour::Green ? 255 : 0;
    state.colourBlue = blue ? 255 : 0;
    PushOnly(platform, kColourButtons, ButtonOf(colour));
}

void DeselectTools(EditorState& state, EditorPlatform& platform) {
    state.lineTool = state.rectangleTool = state.ellipseTool = state.textTool = 0;
    for (Button b : kToolButtons)
        platform.setButtonPushed(b, false);
}

void NewPicture(EditorState& state, EditorPlatform& platform) {
    DeselectTools(state, platform);
    state.clearPending = 1;
    platform.invalidateAll(false);
}

void RenderPending(EditorState& state, EditorPlatform& platform) {
    DrawingSurface& canvas = platform.canvasSurface();
    if (state.clearPending == 1) {
        canvas.rectangle(desk::Rect{0, 0, kCanvasWidth, kCanvasHeight},
                         PenSpec{PenStyle::Solid, kPenWidth, kClearColour}, kClearColour);
        state.playPending = 0;
        state.clearPending = 0;
    }
    const desk::Colour colour = DrawingColour(state);
    if (state.rectangleTool == 1) {
        DrawRectangle(canvas, state, colour);
        DrawRectangle(platform.recording(), state, colour);
    }
    if (state.lineTool == 1) {
        DrawLine(canvas, state, colour);
        DrawLine(platform.recording(), state, colour);
    }
    if (state.ellipseTool == 1) {
        DrawEllipse(canvas, state, colour);
        DrawEllipse(platform.recording(), state, colour);
    }
    if (state.textTool == 1) {
        // The edit control's protocol: the buffer's first word carries its
        // capacity in. The count is clamped so that a reply larger than the
        // buffer can never make the drawing read past it.
        char16_t text[kTextCapacity] = {kTextCapacity};
        const int count = std::clamp(platform.readTextField(text), 0, kTextCapacity);
        DrawText(canvas, state, colour, text, count);
        DrawText(platform.recording(), state, colour, text, count);
    }
    if (state.playPending == 1) {
        platform.playLoadedRecording();
        state.playPending = 0;
    }
}

} // namespace risovik

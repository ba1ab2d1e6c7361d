// The editor model against recording fakes: tool and colour selection with
// their button looks, and the paint step's order, colours and text handling.
#include "fake_surface.h"
#include "model/editor_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace risovik {
namespace {

using testing::Describe;
using testing::FakePlatform;
using Log = std::vector<std::string>;

class PaintStep : public ::testing::Test {
  protected:
    PaintStep() { StartEditor(state); }
    // The paint step's calls alone.
    Log Paint() {
        platform.log.clear();
        RenderPending(state, platform);
        return platform.log;
    }
    void Drag(int x0, int y0, int x1, int y1) {
        PressAt(state, x0, y0);
        ReleaseAt(state, platform, x1, y1);
    }
    EditorState state;
    FakePlatform platform;
};

TEST_F(PaintStep, FirstPaintClearsTheCanvasAreaOnlyOnce) {
    EXPECT_EQ(Paint(),
              (Log{"canvas rectangle(0,0,450,400) pen solid 2 RGB(0,0,0) brush RGB(0,0,0)"}));
    EXPECT_EQ(state.clearPending, 0);
    EXPECT_EQ(Paint(), Log{});
}

TEST_F(PaintStep, ClearThenShapeThenPlaybackAndClearCancelsPlayback) {
    SelectTool(state, platform, Tool::Rectangle);
    SelectColour(state, platform, DrawColour::Blue);
    Drag(10, 20, 30, 40);
    state.playPending = 1;
    const Log withClear = Paint();
    ASSERT_EQ(withClear.size(), 3u) << ::testing::PrintToString(withClear);
    EXPECT_EQ(withClear[0].rfind("canvas rectangle(0,0,450,400)", 0), 0u) << withClear[0];
    EXPECT_EQ(withClear[1],
              "canvas rectangle(30,40,10,20) pen solid 2 RGB(0,0,255) brush RGB(0,0,255)");
    EXPECT_EQ(withClear[2],
              "recording rectangle(30,40,10,20) pen solid 2 RGB(0,0,255) brush RGB(0,0,255)");
    EXPECT_EQ(state.playPending, 0);

    state.playPending = 1;
    const Log withPlay = Paint();
    ASSERT_EQ(withPlay.size(), 3u) << ::testing::PrintToString(withPlay);
    EXPECT_EQ(withPlay.back(), "play");
    EXPECT_EQ(state.playPending, 0);
}

TEST_F(PaintStep, EachToolDrawsItsShapeOnCanvasThenRecording) {
    Paint();
    SelectColour(state, platform, DrawColour::Magenta);
    Drag(100, 50, 20, 300); // release left of and below the press point
    struct Case {
        Tool tool;
        Log expected;
    };
    const Case cases[] = {
        {Tool::Line,
         {"canvas line(100,50)-(20,300) pen solid 2 RGB(255,0,255)",
          "recording line(100,50)-(20,300) pen solid 2 RGB(255,0,255)"}},
        {Tool::Rectangle,
         {"canvas rectangle(20,300,100,50) pen solid 2 RGB(255,0,255) brush RGB(255,0,255)",
          "recording rectangle(20,300,100,50) pen solid 2 RGB(255,0,255) brush RGB(255,0,255)"}},
        {Tool::Ellipse,
         {"canvas ellipse(20,300,100,50) pen dash 2 RGB(255,0,255) brush RGB(255,0,255)",
          "recording ellipse(20,300,100,50) pen dash 2 RGB(255,0,255) brush RGB(255,0,255)"}},
    };
    for (const Case& c : cases) {
        SelectTool(state, platform, c.tool);
        EXPECT_EQ(Paint(), c.expected) << "tool " << static_cast<int>(c.tool);
    }
}

TEST_F(PaintStep, EveryRepaintDrawsTheShapeAgainInTheColourOfThatMoment) {
    Paint();
    SelectTool(state, platform, Tool::Line);
    SelectColour(state, platform, DrawColour::Red);
    Drag(5, 5, 60, 5);
    EXPECT_EQ(Paint().front(), "canvas line(5,5)-(60,5) pen solid 2 RGB(255,0,0)");
    SelectColour(state, platform, DrawColour::Green);
    const Log again = Paint();
    EXPECT_EQ(again, (Log{"canvas line(5,5)-(60,5) pen solid 2 RGB(0,255,0)",
                          "recording line(5,5)-(60,5) pen solid 2 RGB(0,255,0)"}));
}

TEST_F(PaintStep, WithoutColourShapesAreBlackButStillRecorded) {
    Paint();
    SelectTool(state, platform, Tool::Ellipse);
    Drag(1, 2, 3, 4);
    EXPECT_EQ(Paint(), (Log{"canvas ellipse(3,4,1,2) pen dash 2 RGB(0,0,0) brush RGB(0,0,0)",
                            "recording ellipse(3,4,1,2) pen dash 2 RGB(0,0,0) brush RGB(0,0,0)"}));
}

TEST_F(PaintStep, NoToolDrawsNothing) {
    Paint();
    Drag(1, 2, 3, 4);
    EXPECT_EQ(Paint(), Log{});
}

TEST_F(PaintStep, PointsOutsideTheCanvasAreKeptUnchanged) {
    Paint();
    SelectTool(state, platform, Tool::Line);
    Drag(630, 390, 65535, 65535);
    EXPECT_EQ(Paint().back(), "recording line(630,390)-(65535,65535) pen solid 2 RGB(0,0,0)");
}

TEST_F(PaintStep, TextIsReadOnceAndDrawnAtTheReleasePointOnBothSurfaces) {
    Paint();
    SelectTool(state, platform, Tool::Text);
    SelectColour(state, platform, DrawColour::Green);
    Drag(0, 0, 40, 50);
    platform.textField = "Hi";
    EXPECT_EQ(Paint(), (Log{"readTextField", "canvas textColour RGB(0,255,0)", "canvas bkMode 0",
                            "canvas text(40,50) \"Hi\" 2", "recording textColour RGB(0,255,0)",
                            "recording bkMode 0", "recording text(40,50) \"Hi\" 2"}));
    EXPECT_EQ(platform.capacitySeen, kTextCapacity);
    // The next repaint uses what the field holds then.
    platform.textField = "Bye";
    EXPECT_EQ(Paint()[3], "canvas text(40,50) \"Bye\" 3");
}

TEST_F(PaintStep, TextLongerThanTheBufferDrawsItsFirstTwelveCharacters) {
    Paint();
    SelectTool(state, platform, Tool::Text);
    Drag(0, 0, 7, 8);
    platform.textField = "abcdefghijklmnopqrstuvwxyz";
    const Log log = Paint();
    EXPECT_EQ(log[3], "canvas text(7,8) \"abcdefghijkl\" 12");
    EXPECT_EQ(log[6], "recording text(7,8) \"abcdefghijkl\" 12");
}

TEST_F(PaintStep, ACountBeyondTheBufferIsClampedAndANegativeOneDrawsNothing) {
    Paint();
    SelectTool(state, platform, Tool::Text);
    platform.textField = "abcdefghijklmnop";
    platform.forcedTextCount = 40;
    EXPECT_EQ(Paint()[3], "canvas text(0,0) \"abcdefghijkl\" 12");
    platform.forcedTextCount = -1;
    platform.textField.clear();
    EXPECT_EQ(Paint()[3], "canvas text(0,0) \"\" 0");
}

class Selection : public ::testing::Test {
  protected:
    Selection() { StartEditor(state); }
    EditorState state;
    FakePlatform platform;
};

TEST_F(Selection, EachToolSetsOneFlagAndPushesOnlyItsButton) {
    const Tool tools[] = {Tool::Line, Tool::Rectangle, Tool::Ellipse, Tool::Text};
    const Button buttons[] = {Button::Line, Button::Rectangle, Button::Ellipse, Button::Text};
    for (int i = 0; i < 4; ++i) {
        SelectTool(state, platform, tools[i]);
        const int flags[] = {state.lineTool, state.rectangleTool, state.ellipseTool,
                             state.textTool};
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(flags[j], i == j ? 1 : 0) << "tool " << i << " flag " << j;
            EXPECT_EQ(platform.pushed.at(buttons[j]), i == j) << "tool " << i << " button " << j;
        }
    }
    EXPECT_EQ(platform.pushed.count(Button::Red), 0u) << "a tool touched a colour button";
    EXPECT_TRUE(platform.log.empty()) << "selecting a tool asked for a repaint";
}

TEST_F(Selection, ColourTable) {
    struct Case {
        DrawColour colour;
        Button button;
        desk::Colour expected;
    };
    const Case cases[] = {
        {DrawColour::Red, Button::Red, desk::Rgb(255, 0, 0)},
        {DrawColour::Green, Button::Green, desk::Rgb(0, 255, 0)},
        {DrawColour::Blue, Button::Blue, desk::Rgb(0, 0, 255)},
        {DrawColour::Magenta, Button::Magenta, desk::Rgb(255, 0, 255)},
    };
    EXPECT_EQ(DrawingColour(state), desk::Rgb(0, 0, 0));
    for (const Case& c : cases) {
        SelectColour(state, platform, c.colour);
        EXPECT_EQ(Describe(DrawingColour(state)), Describe(c.expected));
        for (const Case& other : cases)
            EXPECT_EQ(platform.pushed.at(other.button), other.button == c.button);
    }
    EXPECT_EQ(platform.pushed.count(Button::Line), 0u) << "a colour touched a tool button";
}

TEST_F(Selection, NewDeselectsClearsAndRepaintsButKeepsColourAndPoints) {
    SelectTool(state, platform, Tool::Ellipse);
    SelectColour(state, platform, DrawColour::Blue);
    PressAt(state, 3, 4);
    ReleaseAt(state, platform, 5, 6);
    state.clearPending = 0;
    platform.log.clear();
    NewPicture(state, platform);
    EXPECT_EQ(state.ellipseTool, 0);
    EXPECT_FALSE(platform.pushed.at(Button::Ellipse));
    EXPECT_TRUE(platform.pushed.at(Button::Blue));
    EXPECT_EQ(state.clearPending, 1);
    EXPECT_EQ(platform.log, Log{"invalidate"});
    EXPECT_EQ(DrawingColour(state), desk::Rgb(0, 0, 255));
    EXPECT_EQ(state.pressX + state.pressY + state.releaseX + state.releaseY, 3 + 4 + 5 + 6);
}

TEST_F(Selection, PressOnlyStoresReleaseStoresAndRepaintsWithoutErase) {
    PressAt(state, 65535, 0);
    EXPECT_TRUE(platform.log.empty());
    EXPECT_EQ(state.pressX, 65535);
    ReleaseAt(state, platform, 7, 65535);
    EXPECT_EQ(platform.log, Log{"invalidate"});
    EXPECT_EQ(state.releaseY, 65535);
    EXPECT_EQ(state.pressX, 65535);
}

} // namespace
} // namespace risovik

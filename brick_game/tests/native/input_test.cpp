// Paddle control, launching and the inputs the game re-sends to itself.
#include "recording_platform.h"

#include <gtest/gtest.h>

namespace brick::testing {
namespace {

using Calls = std::vector<std::string>;

BrickGame InPlay(bool keyboard) {
    BrickGame g;
    g.screenMode = ModeRoundIntro;
    g.isPlaying = true;
    g.keyboardControl = keyboard;
    g.paddleX = 300;
    g.ballY = 50;
    return g;
}

TEST(RightButton, SingleClicksStartTheIntroThenSkipIt) {
    BrickGame g;
    RecordingPlatform fx(&g);
    Deliver(g, fx, [&] { RightButtonDown(g, fx, 0x00640032); });
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_GE(fx.indexOf("sendKeyDown 13 6553650"), 0) << "the click's position goes along";
    // The re-sent key is a message of its own: a banner frame runs before it.
    EXPECT_EQ(fx.only("sleep 12").size(), 2u);
    Deliver(g, fx, [&] { RightButtonDown(g, fx, 0); });
    EXPECT_TRUE(g.isPlaying);
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_GE(fx.indexOf("stop purge"), 0);
    EXPECT_EQ(fx.only("cue"), Calls{}) << "no round cues when the intro is skipped";
}

TEST(RightButton, DoubleClickInPlayPausesAndWhilePausedResumesThenPausesAgain) {
    BrickGame g = InPlay(false);
    RecordingPlatform fx(&g);
    // A double click arrives as a press followed by the double-click message.
    RightButtonDown(g, fx, 0);
    EXPECT_TRUE(g.isPlaying) << "the press only repaints during play";
    EXPECT_EQ(fx.only("cue"), Calls{});
    RightDoubleClick(g, fx);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_EQ(g.screenMode, ModePaused);
    fx.clear();
    Deliver(g, fx, [&] { RightButtonDown(g, fx, 0); });
    EXPECT_TRUE(g.isPlaying);
    RightDoubleClick(g, fx);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_EQ(fx.only("cue"), (Calls{"cue pause.wav start", "cue pause.wav start"}));
}

TEST(RightButton, KeyboardModeIgnoresTheMouseButtons) {
    BrickGame g;
    g.keyboardControl = true;
    RecordingPlatform fx(&g);
    RightButtonDown(g, fx, 0);
    RightDoubleClick(g, fx);
    EXPECT_EQ(fx.calls, Calls{});
    EXPECT_EQ(g.screenMode, ModeTitle);
}

TEST(Paddle, ArrowStepsAreBoundOnlyByTheNextFrame) {
    BrickGame g = InPlay(true);
    g.paddleX = 622;
    RecordingPlatform fx(&g);
    KeyDown(g, fx, desk::key::Right);
    EXPECT_EQ(g.paddleX, 672);
    EXPECT_EQ(fx.calls, Calls{"invalidate 0,444,700,470 erase"});
    PlayFrame(g, fx);
    EXPECT_EQ(g.paddleX, 622);
    KeyDown(g, fx, desk::key::Left);
    KeyDown(g, fx, desk::key::Left);
    EXPECT_EQ(g.paddleX, 522);
    g.paddleX = 21;
    KeyDown(g, fx, desk::key::Left);
    EXPECT_EQ(g.paddleX, -29);
    PlayFrame(g, fx);
    EXPECT_EQ(g.paddleX, 21);
}

TEST(Paddle, MouseSetsTheReferenceToThePointerX) {
    BrickGame g = InPlay(false);
    RecordingPlatform fx(&g);
    MouseMove(g, fx, 0);
    EXPECT_EQ(g.paddleX, 0);
    EXPECT_EQ(fx.calls, Calls{"invalidate 0,444,700,470 erase"});
    PlayFrame(g, fx);
    EXPECT_EQ(g.paddleX, 21);
    MouseMove(g, fx, 65535);
    EXPECT_EQ(g.paddleX, 65535) << "an unsigned 16-bit x";
    MouseMove(g, fx, 400);
    EXPECT_EQ(g.paddleX, 400);
}

TEST(Paddle, EachModeIgnoresTheOtherDevice) {
    struct Case {
        const char* name;
        bool keyboard;
        bool playing;
        void (*input)(BrickGame&, RecordingPlatform&);
        bool moves;
    };
    const auto left = [](BrickGame& g, RecordingPlatform& fx) { KeyDown(g, fx, desk::key::Left); };
    const auto mouse = [](BrickGame& g, RecordingPlatform& fx) { MouseMove(g, fx, 100); };
    const Case cases[] = {
        {"arrow, keyboard mode", true, true, left, true},
        {"arrow, mouse mode", false, true, left, false},
        {"arrow, not playing", true, false, left, false},
        {"mouse, mouse mode", false, true, mouse, true},
        {"mouse, keyboard mode", true, true, mouse, false},
        {"mouse, not playing", false, false, mouse, false},
    };
    for (const Case& k : cases) {
        BrickGame g = InPlay(k.keyboard);
        g.isPlaying = k.playing;
        RecordingPlatform fx(&g);
        k.input(g, fx);
        EXPECT_EQ(g.paddleX != 300, k.moves) << k.name;
        EXPECT_EQ(fx.calls.empty(), !k.moves) << k.name;
    }
}

TEST(Launch, OnlyTheModesDeviceLaunchesAndOnlyFromThePaddleDuringPlay) {
    struct Case {
        const char* name;
        bool keyboard, playing, inFlight, useSpace, launches;
    };
    const Case cases[] = {
        {"space, keyboard", true, true, false, true, true},
        {"space, mouse mode", false, true, false, true, false},
        {"button, mouse", false, true, false, false, true},
        {"button, keyboard mode", true, true, false, false, false},
        {"button, in flight", false, true, true, false, false},
        {"space, in flight", true, true, true, true, false},
        {"button, not playing", false, false, false, false, false},
        {"space, not playing", true, false, false, true, false},
    };
    for (const Case& k : cases) {
        BrickGame g = InPlay(k.keyboard);
        g.isPlaying = k.playing;
        g.ballInFlight = k.inFlight;
        g.stepCount = 40;
        RecordingPlatform fx(&g);
        if (k.useSpace) {
            KeyDown(g, fx, desk::key::Space);
        } else {
            LeftButtonDown(g, fx);
        }
        EXPECT_EQ(g.stepCount == 0, k.launches) << k.name;
        EXPECT_EQ(fx.calls, Calls{}) << k.name;
    }
}

TEST(Enter, SkippingTheIntroInKeyboardModePlacesThePaddleAndStopsSoundEvenWhenOff) {
    BrickGame g;
    g.screenMode = ModeRoundIntro;
    g.keyboardControl = true;
    g.soundOff = true;
    g.paddleX = 100;
    RecordingPlatform fx(&g);
    PressEnter(g, fx);
    EXPECT_TRUE(g.isPlaying);
    EXPECT_EQ(g.paddleX, 350);
    EXPECT_EQ(fx.only("stop"), Calls{"stop purge"});
}

TEST(Enter, ColourChosenDuringPauseShowsOnResume) {
    BrickGame g = InPlay(false);
    RecordingPlatform fx(&g);
    OnCreate(g, fx);
    TogglePause(g, fx);
    g.ballColour = desk::Rgb(9, 8, 7);
    fx.clear();
    PressEnter(g, fx);
    EXPECT_EQ(fx.only("brushes"), Calls{"brushes rgb(0,0,250) rgb(9,8,7) rgb(0,240,0)"});
    g.paddleColour = desk::Rgb(1, 1, 1);
    fx.clear();
    PressEnter(g, fx);
    EXPECT_EQ(fx.only("brushes"), Calls{}) << "during play the brushes stay";
}

TEST(Pointer, HiddenFromTheTitleEnterUntilBackOnTheTitleExceptWhilePaused) {
    BrickGame g;
    RecordingPlatform fx(&g);
    const auto expectCount = [&](int count, const char* where) {
        EXPECT_EQ(fx.cursorDisplayCount, count) << where;
    };
    expectCount(0, "title");
    Key(g, fx, desk::key::Return);
    expectCount(-1, "intro");
    Key(g, fx, desk::key::Return);
    expectCount(-1, "play");
    Key(g, fx, desk::key::Pause);
    expectCount(0, "paused");
    Key(g, fx, desk::key::Pause);
    expectCount(-1, "resumed");
    LoseFocus(g, fx);
    expectCount(0, "focus lost");
    LoseFocus(g, fx);
    expectCount(0, "focus lost twice");
    Key(g, fx, desk::key::Return);
    expectCount(-1, "resumed by Enter");
    // Lose all three balls.
    for (int i = 0; i < 3; ++i) {
        g.isPlaying = true;
        EndOfBall(g, fx);
        expectCount(-1, "ball lost");
    }
    ASSERT_EQ(g.screenMode, ModeGameOver);
    Key(g, fx, desk::key::Return);
    expectCount(0, "back on the title by Enter");
    EXPECT_EQ(g.screenMode, ModeTitle);
}

} // namespace
} // namespace brick::testing

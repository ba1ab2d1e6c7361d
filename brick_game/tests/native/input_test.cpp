// Paddle control, launching and the inputs the game re-sends to itself.
#include "brick_fixture.h"

#include <gtest/gtest.h>

namespace brick::testing {
namespace {

using RightButton = BrickTest;
using Paddle = BrickTest;
using Launch = BrickTest;
using Enter = BrickTest;
using Pointer = BrickTest;

TEST_F(RightButton, SingleClicksStartTheIntroThenSkipIt) {
    OnRButtonDown(g, platform, {50, 100});
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_GE(platform.indexOf("sendKeyDown 13 50,100"), 0) << "the click's position goes along";
    // The re-sent key is a message of its own: a banner frame runs before it.
    EXPECT_EQ(platform.only("sleep 12").size(), 2u);
    OnRButtonDown(g, platform, {});
    EXPECT_TRUE(g.isPlaying);
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_GE(platform.indexOf("stop purge"), 0);
    EXPECT_EQ(platform.only("cue"), Calls{}) << "no round cues when the intro is skipped";
}

TEST_F(RightButton, DoubleClickInPlayPausesAndWhilePausedResumesThenPausesAgain) {
    g = InPlay(false);
    // A double click arrives as a press followed by the double-click message.
    OnRButtonDown(g, platform, {});
    EXPECT_TRUE(g.isPlaying) << "the press only repaints during play";
    EXPECT_EQ(platform.only("cue"), Calls{});
    OnRButtonDblClk(g, platform);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_EQ(g.screenMode, ModePaused);
    platform.clear();
    OnRButtonDown(g, platform, {});
    EXPECT_TRUE(g.isPlaying);
    OnRButtonDblClk(g, platform);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_EQ(platform.only("cue"), (Calls{"cue pause.wav start", "cue pause.wav start"}));
}

TEST_F(RightButton, KeyboardModeIgnoresTheMouseButtons) {
    g.keyboardControl = true;
    RightButtonDown(g, platform, {});
    RightDoubleClick(g, platform);
    EXPECT_EQ(platform.calls, Calls{});
    EXPECT_EQ(g.screenMode, ModeTitle);
}

TEST_F(Paddle, ArrowStepsAreBoundOnlyByTheNextFrame) {
    g = InPlay(true);
    g.paddleX = 622;
    KeyDown(g, platform, desk::key::Right);
    EXPECT_EQ(g.paddleX, 672);
    EXPECT_EQ(platform.calls, Calls{"invalidate 0,444,700,470 erase"});
    PlayFrame(g, platform);
    EXPECT_EQ(g.paddleX, 622);
    KeyDown(g, platform, desk::key::Left);
    KeyDown(g, platform, desk::key::Left);
    EXPECT_EQ(g.paddleX, 522);
    g.paddleX = 21;
    KeyDown(g, platform, desk::key::Left);
    EXPECT_EQ(g.paddleX, -29);
    PlayFrame(g, platform);
    EXPECT_EQ(g.paddleX, 21);
}

TEST_F(Paddle, MouseSetsTheReferenceToThePointerX) {
    g = InPlay(false);
    MouseMove(g, platform, 0);
    EXPECT_EQ(g.paddleX, 0);
    EXPECT_EQ(platform.calls, Calls{"invalidate 0,444,700,470 erase"});
    PlayFrame(g, platform);
    EXPECT_EQ(g.paddleX, 21);
    MouseMove(g, platform, 65535);
    EXPECT_EQ(g.paddleX, 65535) << "an unsigned 16-bit x";
    MouseMove(g, platform, 400);
    EXPECT_EQ(g.paddleX, 400);
}

TEST_F(Paddle, EachModeIgnoresTheOtherDevice) {
    struct Case {
        const char* name;
        bool keyboard;
        bool playing;
        void (*input)(BrickGame&, RecordingPlatform&);
        bool moves;
    };
    const auto left = [](BrickGame& g, RecordingPlatform& platform) {
        KeyDown(g, platform, desk::key::Left);
    };
    const auto mouse = [](BrickGame& g, RecordingPlatform& platform) {
        MouseMove(g, platform, 100);
    };
    const Case cases[] = {
        {"arrow, keyboard mode", true, true, left, true},
        {"arrow, mouse mode", false, true, left, false},
        {"arrow, not playing", true, false, left, false},
        {"mouse, mouse mode", false, true, mouse, true},
        {"mouse, keyboard mode", true, true, mouse, false},
        {"mouse, not playing", false, false, mouse, false},
    };
    for (const Case& k : cases) {
        Start(InPlay(k.keyboard));
        g.isPlaying = k.playing;
        k.input(g, platform);
        EXPECT_EQ(g.paddleX != 300, k.moves) << k.name;
        EXPECT_EQ(platform.calls.empty(), !k.moves) << k.name;
    }
}

TEST_F(Launch, OnlyTheModesDeviceLaunchesAndOnlyFromThePaddleDuringPlay) {
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
        Start(InPlay(k.keyboard));
        g.isPlaying = k.playing;
        g.ballInFlight = k.inFlight;
        g.stepCount = 40;
        if (k.useSpace) {
            KeyDown(g, platform, desk::key::Space);
        } else {
            LeftButtonDown(g, platform);
        }
        EXPECT_EQ(g.stepCount == 0, k.launches) << k.name;
        EXPECT_EQ(platform.calls, Calls{}) << k.name;
    }
}

TEST_F(Enter, SkippingTheIntroInKeyboardModePlacesThePaddleAndStopsSoundEvenWhenOff) {
    g.screenMode = ModeRoundIntro;
    g.keyboardControl = true;
    g.soundOff = true;
    g.paddleX = 100;
    PressEnter(g, platform);
    EXPECT_TRUE(g.isPlaying);
    EXPECT_EQ(g.paddleX, 350);
    EXPECT_EQ(platform.only("stop"), Calls{"stop purge"});
}

TEST_F(Enter, ColourChosenDuringPauseShowsOnResume) {
    g = InPlay(false);
    OnCreate(g, platform);
    TogglePause(g, platform);
    g.ballColour = desk::Rgb(9, 8, 7);
    platform.clear();
    PressEnter(g, platform);
    EXPECT_EQ(platform.only("brushes"), Calls{"brushes rgb(0,0,250) rgb(9,8,7) rgb(0,240,0)"});
    g.paddleColour = desk::Rgb(1, 1, 1);
    platform.clear();
    PressEnter(g, platform);
    EXPECT_EQ(platform.only("brushes"), Calls{}) << "during play the brushes stay";
}

TEST_F(Pointer, HiddenFromTheTitleEnterUntilBackOnTheTitleExceptWhilePaused) {
    const auto expectCount = [&](int count, const char* where) {
        EXPECT_EQ(platform.cursorDisplayCount, count) << where;
    };
    expectCount(0, "title");
    Key(desk::key::Return);
    expectCount(-1, "intro");
    Key(desk::key::Return);
    expectCount(-1, "play");
    Key(desk::key::Pause);
    expectCount(0, "paused");
    Key(desk::key::Pause);
    expectCount(-1, "resumed");
    LoseFocus(g, platform);
    expectCount(0, "focus lost");
    LoseFocus(g, platform);
    expectCount(0, "focus lost twice");
    Key(desk::key::Return);
    expectCount(-1, "resumed by Enter");
    // Lose all three balls.
    for (int i = 0; i < 3; ++i) {
        g.isPlaying = true;
        EndOfBall(g, platform);
        expectCount(-1, "ball lost");
    }
    ASSERT_EQ(g.screenMode, ModeGameOver);
    Key(desk::key::Return);
    expectCount(0, "back on the title by Enter");
    EXPECT_EQ(g.screenMode, ModeTitle);
}

} // namespace
} // namespace brick::testing

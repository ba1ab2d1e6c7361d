// Defaults, start-up and the two kinds of frame.
#include "recording_platform.h"

#include <gtest/gtest.h>

#include <cstring>

namespace brick::testing {
namespace {

using Calls = std::vector<std::string>;

TEST(Defaults, FreshRecordStartsOnTheTitleWithTheDocumentedValues) {
    const BrickGame g;
    EXPECT_EQ(g.screenMode, ModeTitle);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_FALSE(g.ballInFlight);
    EXPECT_EQ(g.ballX, 0);
    EXPECT_EQ(g.ballY, 0);
    EXPECT_EQ(g.originX, 0);
    EXPECT_EQ(g.originY, 0);
    EXPECT_EQ(g.stepCount, 0);
    EXPECT_EQ(g.ballAngle, 0.0);
    EXPECT_EQ(g.quadrant, 0);
    EXPECT_EQ(g.paddleX, 0);
    for (const auto& row : g.brickGrid) {
        for (std::int32_t cell : row) {
            EXPECT_EQ(cell, 1);
        }
    }
    EXPECT_EQ(g.score, 0);
    EXPECT_EQ(g.roundBase, 0);
    EXPECT_EQ(g.spareBalls, 2);
    EXPECT_EQ(g.delayLoops, 70000);
    EXPECT_FALSE(g.keyboardControl);
    EXPECT_FALSE(g.soundOff);
    EXPECT_FALSE(g.colourDialogOpen);
    EXPECT_EQ(g.bannerFade, 0);
    EXPECT_EQ(g.bannerTopX, -70);
    EXPECT_EQ(g.bannerBottomX, 700);
    EXPECT_EQ(g.creditsY, 0);
    EXPECT_EQ(g.savedCursorX, 350);
    EXPECT_EQ(g.savedCursorY, 250);
    EXPECT_EQ(g.scoreText[0], '\0');
    EXPECT_EQ(g.scoreTextLen, 0);
    for (desk::Colour c : g.customColours) {
        EXPECT_EQ(c, 0u);
    }
    EXPECT_EQ(g.checkedSpeedId, 40006);
    EXPECT_EQ(g.checkedControlId, 40004);
    EXPECT_EQ(g.checkedSoundId, 40026);
    EXPECT_EQ(sizeof g.scoreText, 12u);
}

TEST(Defaults, StartUpSetsTheNonZeroDefaultsOverAnyContent) {
    BrickGame g;
    g.bannerBottomX = 5;
    g.bannerTopX = 5;
    g.screenMode = ModeCredits;
    g.delayLoops = 1;
    g.spareBalls = 0;
    g.savedCursorX = 1;
    g.savedCursorY = 1;
    g.score = 4100;
    g.roundBase = 3500;
    StartUpDefaults(g);
    EXPECT_EQ(Snapshot(g), Snapshot(BrickGame{}));
}

TEST(Defaults, CreationMakesDarkerBrickBrushAndStartsMusicEvenWithSoundOff) {
    for (bool soundOff : {false, true}) {
        BrickGame g;
        g.soundOff = soundOff;
        RecordingPlatform fx(&g);
        OnCreate(g, fx);
        EXPECT_EQ(fx.calls, (Calls{"brushes rgb(0,0,200) rgb(240,240,10) rgb(0,240,0)",
                                   "cue play.wav loop"}));
        EXPECT_EQ(g.brickColour, desk::Rgb(0, 0, 250));
        EXPECT_EQ(g.ballColour, desk::Rgb(240, 240, 10));
        EXPECT_EQ(g.paddleColour, desk::Rgb(0, 240, 0));
    }
}

TEST(BannerFrameOrder, TitleFrameSleepsDrawsThenAsksForTheNextFrame) {
    BrickGame g;
    RecordingPlatform fx(&g);
    BannerFrame(g, fx);
    EXPECT_EQ(fx.calls,
              (Calls{"sleep 12", "beginPaint", "textColour rgb(200,0,0)",
                     "textBackground rgb(1,0,0)", "opaque", "text -69,180  П Л И Т О Б О Й",
                     "text 699,450 Press Enter for begin", "invalidateAll keep", "endPaint"}));
    EXPECT_EQ(g.bannerTopX, -69);
    EXPECT_EQ(g.bannerBottomX, 699);
}

TEST(BannerFrameOrder, ScrollingLinesWrapAtTheirEnds) {
    BrickGame g;
    RecordingPlatform fx(&g);
    g.bannerBottomX = -249;
    g.bannerTopX = 749;
    BannerFrame(g, fx);
    EXPECT_EQ(g.bannerBottomX, -250);
    EXPECT_EQ(g.bannerTopX, 750);
    BannerFrame(g, fx);
    EXPECT_EQ(g.bannerBottomX, 699);
    EXPECT_EQ(g.bannerTopX, -69);
}

TEST(BannerFrameOrder, EveryMessageAdvancesTheBanner) {
    BrickGame g;
    RecordingPlatform fx(&g);
    for (int i = 0; i < 10; ++i) {
        Deliver(g, fx, [&] { MouseMove(g, fx, 100); });
    }
    EXPECT_EQ(g.bannerTopX, -60);
    EXPECT_EQ(fx.only("invalidateAll keep").size(), 10u);
    EXPECT_EQ(g.paddleX, 0) << "the mouse steers only during play";
}

TEST(BannerFrameOrder, BannersStandStillWhileTheColourDialogIsUp) {
    BrickGame g;
    RecordingPlatform fx(&g);
    std::size_t repaintsWhileUp = 0;
    int framesWhileUp = 0;
    fx.whileDialogUp = [&] {
        for (int i = 0; i < 3; ++i) {
            const std::size_t before = fx.only("invalidateAll keep").size();
            Paint(g, fx);
            repaintsWhileUp += fx.only("invalidateAll keep").size() - before;
            ++framesWhileUp;
        }
    };
    const int topBefore = g.bannerTopX;
    Menu(g, fx, cmd::BallColour);
    EXPECT_EQ(framesWhileUp, 3);
    EXPECT_EQ(repaintsWhileUp, 0u);
    EXPECT_EQ(g.bannerTopX, topBefore + 4) << "one frame for the command, three while up";
    EXPECT_FALSE(g.colourDialogOpen);
    // Back to normal once the dialog is gone.
    fx.clear();
    BannerFrame(g, fx);
    EXPECT_EQ(fx.only("invalidateAll keep").size(), 1u);
}

// A game in play with the ball in flight, well away from every surface.
BrickGame FlyingBall() {
    BrickGame g;
    g.screenMode = ModeRoundIntro;
    g.isPlaying = true;
    g.ballInFlight = true;
    g.paddleX = 300;
    g.originX = 300;
    g.originY = 400;
    g.ballX = 300;
    g.ballY = 400;
    g.stepCount = 5;
    g.quadrant = 1;
    g.ballAngle = 0.7;
    return g;
}

TEST(PlayFrameOrder, DrawsScoresTestsRepaintsOldBoxMovesWaitsThenEnds) {
    BrickGame g = FlyingBall();
    g.brickGrid[1][4] = 0;
    g.roundBase = 0;
    RecordingPlatform fx(&g);
    PlayFrame(g, fx);
    const Calls& c = fx.calls;
    ASSERT_GE(c.size(), 10u);
    EXPECT_EQ(c.front(), "beginPaint");
    EXPECT_EQ(c.back(), "endPaint");
    const int icon1 = fx.indexOf("icon 10,10");
    const int icon2 = fx.indexOf("icon 50,10");
    const int ball = fx.indexOf("ellipse 300,400,310,410 ball");
    const int paddle = fx.indexOf("roundRect 280,455,370,470 15,15 paddle");
    const int firstBrick = fx.indexOf("rectangle 100,100,155,120 brick");
    const int score = fx.indexOf("text 650,20 100");
    const int oldBox = fx.indexOf("invalidate 299,399,311,411 erase");
    const int wait = fx.indexOf("wait 70000");
    EXPECT_EQ(icon1, 1);
    EXPECT_EQ(icon2, 2);
    EXPECT_EQ(ball, 3);
    EXPECT_EQ(paddle, 4);
    EXPECT_LT(paddle, firstBrick);
    EXPECT_LT(firstBrick, score) << "the brick pass writes the score where the empty cell is";
    EXPECT_LT(score, oldBox);
    EXPECT_EQ(wait, oldBox + 1) << "nothing between the old box and the wait";
    EXPECT_EQ(fx.only("rectangle").size(), 26u);
    EXPECT_EQ(fx.only("rectangle").back(), "rectangle 548,142,603,162 brick");
    EXPECT_EQ(fx.indexOf("rectangle 324,121"), -1) << "the broken brick (1, 4) is not drawn";
    EXPECT_EQ(g.stepCount, 6);
    EXPECT_EQ(g.score, 100);
}

TEST(PlayFrameOrder, PlayWaitsFollowEachOtherUntilABannerRuns) {
    BrickGame g = FlyingBall();
    RecordingPlatform fx(&g);
    PlayFrame(g, fx);
    PlayFrame(g, fx);
    BannerFrame(g, fx);
    PlayFrame(g, fx);
    EXPECT_EQ(fx.only("wait "),
              (Calls{"wait 70000 from now", "wait 70000", "wait 70000 from now"}));
}

TEST(PlayFrameOrder, BallOnThePaddleIsDrawnThereAndKeepsFramesComing) {
    BrickGame g;
    g.isPlaying = true;
    g.paddleX = 200;
    g.ballY = 50;
    RecordingPlatform fx(&g);
    PlayFrame(g, fx);
    EXPECT_GE(fx.indexOf("ellipse 230,445,240,455 ball"), 0);
    EXPECT_GE(fx.indexOf("invalidate -1,49,11,61 erase"), 0);
    EXPECT_EQ(fx.waits, 0);
    EXPECT_EQ(g.ballY, 50);
}

TEST(PlayFrameOrder, NoRepaintOfTheOldBoxFromBelowTheWindow) {
    BrickGame g = FlyingBall();
    g.ballInFlight = false;
    g.ballY = 500;
    RecordingPlatform fx(&g);
    PlayFrame(g, fx);
    EXPECT_EQ(fx.only("invalidate ").size(), 0u);
    g.ballY = 499;
    PlayFrame(g, fx);
    EXPECT_EQ(fx.only("invalidate ").size(), 1u);
}

TEST(PlayFrameOrder, PaddleIsBroughtIntoItsRangeBeforeDrawing) {
    struct Case {
        int in, out;
    };
    for (Case k : {Case{672, 622}, Case{623, 622}, Case{622, 622}, Case{21, 21}, Case{20, 21},
                   Case{0, 21}, Case{-50, 21}}) {
        BrickGame g;
        g.isPlaying = true;
        g.paddleX = k.in;
        RecordingPlatform fx(&g);
        PlayFrame(g, fx);
        EXPECT_EQ(g.paddleX, k.out) << "from " << k.in;
        EXPECT_GE(fx.indexOf("roundRect " + std::to_string(k.out - 20) + ",455"), 0);
    }
}

TEST(PlayFrameOrder, SpareBallIcons) {
    for (int spares : {0, 1, 2}) {
        BrickGame g;
        g.isPlaying = true;
        g.spareBalls = spares;
        RecordingPlatform fx(&g);
        PlayFrame(g, fx);
        Calls expected;
        if (spares >= 1) {
            expected.push_back("icon 10,10");
        }
        if (spares == 2) {
            expected.push_back("icon 50,10");
        }
        EXPECT_EQ(fx.only("icon"), expected) << spares << " spares";
    }
}

std::vector<std::pair<int, int>> Path(BrickGame g, int frames, int changeAt, int speedId,
                                      std::vector<std::int32_t>* waits) {
    RecordingPlatform fx(&g);
    std::vector<std::pair<int, int>> path;
    for (int i = 0; i < frames; ++i) {
        if (i == changeAt) {
            SetSpeed(g, speedId);
        }
        fx.clear();
        PlayFrame(g, fx);
        for (const std::string& w : fx.only("wait ")) {
            waits->push_back(std::stoi(w.substr(5)));
        }
        path.emplace_back(g.ballX, g.ballY);
    }
    return path;
}

TEST(Speed, ChangeInMidRoundKeepsThePathAndActsFromTheNextStep) {
    struct Case {
        int id;
        std::int32_t loops;
    };
    for (Case k : {Case{cmd::SpeedVerySlow, 700000}, Case{cmd::SpeedSlow, 300000},
                   Case{cmd::SpeedFast, 5000}, Case{cmd::SpeedVeryFast, 1}}) {
        std::vector<std::int32_t> plainWaits;
        std::vector<std::int32_t> changedWaits;
        const auto plain = Path(FlyingBall(), 400, -1, 0, &plainWaits);
        const auto changed = Path(FlyingBall(), 400, 150, k.id, &changedWaits);
        EXPECT_EQ(plain, changed) << "speed " << k.id;
        ASSERT_EQ(changedWaits.size(), plainWaits.size());
        for (std::size_t i = 0; i < changedWaits.size(); ++i) {
            EXPECT_EQ(changedWaits[i], i < 150 ? 70000 : k.loops) << "frame " << i;
        }
    }
}

TEST(Speed, UnknownIdsChangeNothing) {
    BrickGame g;
    for (int id : {0, 40004, 40008, 40013, 40010, -1}) {
        SetSpeed(g, id);
        EXPECT_EQ(g.delayLoops, 70000) << id;
    }
}

TEST(Keys, OtherKeysAreIgnoredInEveryMode) {
    for (std::int32_t mode = ModeTitle; mode <= ModeReady; ++mode) {
        for (bool playing : {false, true}) {
            for (bool keyboard : {false, true}) {
                BrickGame g = FlyingBall();
                g.screenMode = mode;
                g.isPlaying = playing;
                g.keyboardControl = keyboard;
                const std::string before = Snapshot(g);
                RecordingPlatform fx(&g);
                for (int vk = 0; vk < 256; ++vk) {
                    if (vk == desk::key::Return || vk == desk::key::Pause ||
                        vk == desk::key::Space || vk == desk::key::Left || vk == desk::key::Right) {
                        continue;
                    }
                    KeyDown(g, fx, vk);
                }
                EXPECT_EQ(fx.calls, Calls{}) << "mode " << mode;
                EXPECT_EQ(Snapshot(g), before) << "mode " << mode;
            }
        }
    }
}

} // namespace
} // namespace brick::testing

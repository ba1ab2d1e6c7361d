// Defaults, start-up and the two kinds of frame.
#include "brick_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace brick::testing {
namespace {

using Defaults = BrickTest;
using BannerFrameOrder = BrickTest;
using PlayFrameOrder = BrickTest;
using Speed = BrickTest;
using Keys = BrickTest;

TEST_F(Defaults, FreshRecordStartsOnTheTitleWithTheDocumentedValues) {
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

TEST_F(Defaults, StartUpSetsTheNonZeroDefaultsOverAnyContent) {
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

TEST_F(Defaults, CreationMakesDarkerBrickBrushAndStartsMusicEvenWithSoundOff) {
    for (bool soundOff : {false, true}) {
        Start(BrickGame{});
        g.soundOff = soundOff;
        Calls expected = BannerCalls();
        expected.insert(expected.end(),
                        {"attachMenu", "brushes rgb(0,0,200) rgb(240,240,10) rgb(0,240,0)",
                         "cue play.wav loop"});
        OnCreate(g, platform);
        EXPECT_EQ(platform.calls, expected);
        EXPECT_EQ(g.brickColour, desk::Rgb(0, 0, 250));
        EXPECT_EQ(g.ballColour, desk::Rgb(240, 240, 10));
        EXPECT_EQ(g.paddleColour, desk::Rgb(0, 240, 0));
    }
}

TEST_F(BannerFrameOrder, TitleFrameSleepsDrawsThenAsksForTheNextFrame) {
    BannerFrame(g, platform);
    EXPECT_EQ(platform.calls,
              (Calls{"sleep 12", "beginPaint", "textColour rgb(200,0,0)",
                     "textBackground rgb(1,0,0)", "opaque", "text -69,180  П Л И Т О Б О Й",
                     "text 699,450 Press Enter for begin", "invalidateAll keep", "endPaint"}));
    EXPECT_EQ(g.bannerTopX, -69);
    EXPECT_EQ(g.bannerBottomX, 699);
}

TEST_F(BannerFrameOrder, ScrollingLinesWrapAtTheirEnds) {
    g.bannerBottomX = -249;
    g.bannerTopX = 749;
    BannerFrame(g, platform);
    EXPECT_EQ(g.bannerBottomX, -250);
    EXPECT_EQ(g.bannerTopX, 750);
    BannerFrame(g, platform);
    EXPECT_EQ(g.bannerBottomX, 699);
    EXPECT_EQ(g.bannerTopX, -69);
}

TEST_F(BannerFrameOrder, EveryMessageAdvancesTheBanner) {
    for (int i = 0; i < 10; ++i) {
        OnMouseMove(g, platform, 100);
    }
    EXPECT_EQ(g.bannerTopX, -60);
    EXPECT_EQ(platform.only("invalidateAll keep").size(), 10u);
    EXPECT_EQ(g.paddleX, 0) << "the mouse steers only during play";
}

TEST_F(BannerFrameOrder, BannersStandStillWhileTheColourDialogIsUp) {
    std::size_t repaintsWhileUp = 0;
    int framesWhileUp = 0;
    platform.whileDialogUp = [&] {
        for (int i = 0; i < 3; ++i) {
            const std::size_t before = platform.only("invalidateAll keep").size();
            Paint();
            repaintsWhileUp += platform.only("invalidateAll keep").size() - before;
            ++framesWhileUp;
        }
    };
    const int topBefore = g.bannerTopX;
    Menu(IDM_COLOUR_BALL);
    EXPECT_EQ(framesWhileUp, 3);
    EXPECT_EQ(repaintsWhileUp, 0u);
    EXPECT_EQ(g.bannerTopX, topBefore + 4) << "one frame for the command, three while up";
    EXPECT_FALSE(g.colourDialogOpen);
    // Back to normal once the dialog is gone.
    platform.clear();
    BannerFrame(g, platform);
    EXPECT_EQ(platform.only("invalidateAll keep").size(), 1u);
}

// A game in play with the ball in flight, well away from every surface.
BrickGame FlyingBall() {
    BrickGame g = Flying(300, 400, 1, 0.7);
    g.stepCount = 5;
    return g;
}

TEST_F(PlayFrameOrder, DrawsScoresTestsRepaintsOldBoxMovesWaitsThenEnds) {
    g = FlyingBall();
    g.brickGrid[1][4] = 0;
    g.roundBase = 0;
    PlayFrame(g, platform);
    const Calls& c = platform.calls;
    ASSERT_GE(c.size(), 10u);
    EXPECT_EQ(c.front(), "beginPaint");
    EXPECT_EQ(c.back(), "endPaint");
    const int icon1 = platform.indexOf("icon 10,10");
    const int icon2 = platform.indexOf("icon 50,10");
    const int ball = platform.indexOf("ellipse 300,400,310,410 ball");
    const int paddle = platform.indexOf("roundRect 280,455,370,470 15,15 paddle");
    const int firstBrick = platform.indexOf("rectangle 100,100,155,120 brick");
    const int score = platform.indexOf("text 650,20 100");
    const int oldBox = platform.indexOf("invalidate 299,399,311,411 erase");
    const int wait = platform.indexOf("wait 70000");
    EXPECT_EQ(icon1, 1);
    EXPECT_EQ(icon2, 2);
    EXPECT_EQ(ball, 3);
    EXPECT_EQ(paddle, 4);
    EXPECT_LT(paddle, firstBrick);
    EXPECT_LT(firstBrick, score) << "the brick pass writes the score where the empty cell is";
    EXPECT_LT(score, oldBox);
    EXPECT_EQ(wait, oldBox + 1) << "nothing between the old box and the wait";
    EXPECT_EQ(platform.only("rectangle").size(), 26u);
    EXPECT_EQ(platform.only("rectangle").back(), "rectangle 548,142,603,162 brick");
    EXPECT_EQ(platform.indexOf("rectangle 324,121"), -1) << "the broken brick (1, 4) is not drawn";
    EXPECT_EQ(g.stepCount, 6);
    EXPECT_EQ(g.score, 100);
}

TEST_F(PlayFrameOrder, PlayWaitsFollowEachOtherUntilABannerRuns) {
    g = FlyingBall();
    PlayFrame(g, platform);
    PlayFrame(g, platform);
    BannerFrame(g, platform);
    PlayFrame(g, platform);
    EXPECT_EQ(platform.only("wait "),
              (Calls{"wait 70000 from now", "wait 70000", "wait 70000 from now"}));
}

TEST_F(PlayFrameOrder, BallOnThePaddleIsDrawnThereAndKeepsFramesComing) {
    g.isPlaying = true;
    g.paddleX = 200;
    g.ballY = 50;
    PlayFrame(g, platform);
    EXPECT_GE(platform.indexOf("ellipse 230,445,240,455 ball"), 0);
    EXPECT_GE(platform.indexOf("invalidate -1,49,11,61 erase"), 0);
    EXPECT_EQ(platform.waits, 0);
    EXPECT_EQ(g.ballY, 50);
}

TEST_F(PlayFrameOrder, NoRepaintOfTheOldBoxFromBelowTheWindow) {
    g = FlyingBall();
    g.ballInFlight = false;
    g.ballY = 500;
    PlayFrame(g, platform);
    EXPECT_EQ(platform.only("invalidate ").size(), 0u);
    g.ballY = 499;
    PlayFrame(g, platform);
    EXPECT_EQ(platform.only("invalidate ").size(), 1u);
}

TEST_F(PlayFrameOrder, PaddleIsBroughtIntoItsRangeBeforeDrawing) {
    struct Case {
        int in, out;
    };
    for (Case k : {Case{672, 622}, Case{623, 622}, Case{622, 622}, Case{21, 21}, Case{20, 21},
                   Case{0, 21}, Case{-50, 21}}) {
        Start(BrickGame{});
        g.isPlaying = true;
        g.paddleX = k.in;
        PlayFrame(g, platform);
        EXPECT_EQ(g.paddleX, k.out) << "from " << k.in;
        EXPECT_GE(platform.indexOf("roundRect " + std::to_string(k.out - 20) + ",455"), 0);
    }
}

TEST_F(PlayFrameOrder, SpareBallIcons) {
    for (int spares : {0, 1, 2}) {
        Start(BrickGame{});
        g.isPlaying = true;
        g.spareBalls = spares;
        PlayFrame(g, platform);
        Calls expected;
        if (spares >= 1) {
            expected.push_back("icon 10,10");
        }
        if (spares == 2) {
            expected.push_back("icon 50,10");
        }
        EXPECT_EQ(platform.only("icon"), expected) << spares << " spares";
    }
}

std::vector<std::pair<int, int>> Path(BrickGame g, int frames, int changeAt, int speedId,
                                      std::vector<std::int32_t>* waits) {
    RecordingPlatform platform(&g);
    std::vector<std::pair<int, int>> path;
    for (int i = 0; i < frames; ++i) {
        if (i == changeAt) {
            SetSpeed(g, speedId);
        }
        platform.clear();
        PlayFrame(g, platform);
        for (const std::string& w : platform.only("wait ")) {
            waits->push_back(std::stoi(w.substr(5)));
        }
        path.emplace_back(g.ballX, g.ballY);
    }
    return path;
}

TEST_F(Speed, ChangeInMidRoundKeepsThePathAndActsFromTheNextStep) {
    struct Case {
        int id;
        std::int32_t loops;
    };
    for (Case k : {Case{IDM_SPEED_VERY_SLOW, 700000}, Case{IDM_SPEED_SLOW, 300000},
                   Case{IDM_SPEED_FAST, 5000}, Case{IDM_SPEED_VERY_FAST, 1}}) {
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

TEST_F(Speed, UnknownIdsChangeNothing) {
    for (int id : {0, 40004, 40008, 40013, 40010, -1}) {
        SetSpeed(g, id);
        EXPECT_EQ(g.delayLoops, 70000) << id;
    }
}

TEST_F(Keys, OtherKeysAreIgnoredInEveryMode) {
    for (std::int32_t mode = ModeTitle; mode <= ModeReady; ++mode) {
        for (bool playing : {false, true}) {
            for (bool keyboard : {false, true}) {
                Start(FlyingBall());
                g.screenMode = mode;
                g.isPlaying = playing;
                g.keyboardControl = keyboard;
                const std::string before = Snapshot(g);
                for (int vk = 0; vk < 256; ++vk) {
                    if (vk == desk::key::Return || vk == desk::key::Pause ||
                        vk == desk::key::Space || vk == desk::key::Left || vk == desk::key::Right) {
                        continue;
                    }
                    KeyDown(g, platform, vk);
                }
                EXPECT_EQ(platform.calls, Calls{}) << "mode " << mode;
                EXPECT_EQ(Snapshot(g), before) << "mode " << mode;
            }
        }
    }
}

} // namespace
} // namespace brick::testing

// Scoring, rounds, banners and the screen state machine.
#include "brick_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace brick::testing {
namespace {

using Score = BrickTest;
using Flow = BrickTest;
using Banners = BrickTest;
using StateMachine = BrickTest;

void ClearCells(BrickGame& g, int count) {
    for (int i = 0; i < count; ++i) {
        g.brickGrid[i / GridColumns][i % GridColumns] = 0;
    }
}

TEST_F(Score, DigitsShownAroundNineHundredAndZero) {
    struct Case {
        int empty;
        std::int32_t roundBase;
        const char* shown;
    };
    const Case cases[] = {
        {0, 0, "0"}, {1, 0, "100"}, {9, 0, "900"}, {10, 0, "1000"}, {13, 1400, "2700"},
    };
    for (const Case& k : cases) {
        Start(InPlay());
        g.roundBase = k.roundBase;
        ClearCells(g, k.empty);
        ScoreAndBricks(g, platform);
        const Calls texts = platform.only("text 650,20 ");
        ASSERT_FALSE(texts.empty()) << k.empty;
        EXPECT_EQ(texts.back(), std::string("text 650,20 ") + k.shown) << k.empty;
        // "0" first when the round starts from nothing, then once per empty cell.
        EXPECT_EQ(texts.size(), static_cast<std::size_t>((k.roundBase == 0 ? 1 : 0) + k.empty));
        EXPECT_EQ(texts.front(), k.roundBase == 0 ? "text 650,20 0" : "text 650,20 1500");
        EXPECT_STREQ(g.scoreText, k.shown);
        EXPECT_EQ(platform.only("rectangle").size(), static_cast<std::size_t>(27 - k.empty));
    }
}

TEST_F(Score, ClearingTheLastBrickOfEachRound) {
    struct Case {
        std::int32_t roundBase;
        bool cleared;
    };
    // 27 empty cells: 2700 in round 1, 4100 in round 2, 6200 in round 3.
    for (Case k : {Case{0, true}, Case{1400, true}, Case{3500, true}, Case{100, false}}) {
        Start(InPlay());
        g.roundBase = k.roundBase;
        ClearCells(g, 27);
        ScoreAndBricks(g, platform);
        EXPECT_EQ(platform.only("cue") == Calls{"cue excelent.wav wait"}, k.cleared) << k.roundBase;
        EXPECT_EQ(g.originY == 490, k.cleared) << k.roundBase;
    }
}

TEST_F(Flow, LastBrickOfRoundOneLeadsToTheRoundTwoIntroInTheSameFrame) {
    g = InPlay();
    ClearCells(g, 26);
    g.ballInFlight = true;
    g.quadrant = 1;
    g.ballAngle = 0.5;
    g.ballX = g.originX = 560;
    g.ballY = g.originY = 162; // under (2, 8)
    g.stepCount = 1;
    PlayFrame(g, platform); // breaks the last brick
    EXPECT_EQ(g.brickGrid[2][8], 0);
    platform.clear();
    PlayFrame(g, platform);
    EXPECT_EQ(platform.only("cue"), Calls{"cue excelent.wav wait"});
    EXPECT_FALSE(g.isPlaying);
    EXPECT_FALSE(g.ballInFlight);
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_EQ(g.score, 2700);
    EXPECT_EQ(g.roundBase, 1400);
    EXPECT_EQ(g.spareBalls, 2);
    EXPECT_EQ(g.ballY, 50);
    const std::int32_t round2[3][9] = {
        {1, 0, 1, 0, 1, 0, 1, 0, 1}, {0, 1, 0, 1, 0, 1, 0, 1, 0}, {1, 0, 1, 0, 1, 0, 1, 0, 1}};
    EXPECT_EQ(0, std::memcmp(g.brickGrid, round2, sizeof round2));
    platform.clear();
    BannerFrame(g, platform);
    EXPECT_EQ(platform.only("text "), Calls{"text 300,200 ROUND 2"});
}

TEST_F(Flow, BallLostInRoundTwoBeforeAnyBrickReplaysTheRoundTwoIntro) {
    g = InPlay();
    g.roundBase = 1400;
    ClearCells(g, 27);
    for (int c = 0; c < 9; c += 2) {
        g.brickGrid[0][c] = g.brickGrid[2][c] = 1;
    }
    for (int c = 1; c < 9; c += 2) {
        g.brickGrid[1][c] = 1;
    }
    const auto layout = Snapshot(g).substr(Snapshot(g).find("grid="), 36);
    ScoreAndBricks(g, platform);
    ASSERT_EQ(g.score, 2700);
    EndOfBall(g, platform);
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_EQ(g.spareBalls, 2) << "no spare used";
    EXPECT_EQ(g.roundBase, 1400);
    EXPECT_EQ(Snapshot(g).substr(Snapshot(g).find("grid="), 36), layout);
    EXPECT_EQ(platform.only("cue"), Calls{}) << "no gameover.wav";
}

TEST_F(Flow, SameQuirkInRoundThree) {
    g = InPlay();
    g.score = 4100;
    g.roundBase = 3500;
    EndOfBall(g, platform);
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_EQ(g.roundBase, 3500);
    EXPECT_EQ(g.brickGrid[0][4], 0);
    EXPECT_EQ(g.brickGrid[1][1], 0);
    EXPECT_EQ(g.brickGrid[1][4], 1);
}

TEST_F(Flow, LostBallsGiveTwoReadyBannersThenGameOver) {
    g = InPlay();
    ClearCells(g, 5);
    for (int spares = 2; spares >= 0; --spares) {
        ScoreAndBricks(g, platform);
        g.isPlaying = true;
        g.ballInFlight = true;
        platform.clear();
        EndOfBall(g, platform);
        EXPECT_EQ(platform.only("cue"), Calls{"cue gameover.wav start"});
        EXPECT_EQ(platform.only("invalidateAll"), Calls{"invalidateAll erase"});
        EXPECT_FALSE(g.isPlaying);
        EXPECT_FALSE(g.ballInFlight);
        EXPECT_EQ(g.originY, 0);
        EXPECT_EQ(g.ballY, 50);
        EXPECT_EQ(g.bannerFade, 0);
        if (spares > 0) {
            EXPECT_EQ(g.screenMode, ModeReady);
            EXPECT_EQ(g.spareBalls, spares - 1);
            EXPECT_EQ(g.brickGrid[0][0], 0) << "broken bricks stay broken";
        } else {
            EXPECT_EQ(g.screenMode, ModeGameOver);
            EXPECT_EQ(g.spareBalls, 2);
            EXPECT_EQ(g.roundBase, 0);
            EXPECT_EQ(g.brickGrid[0][0], 1);
        }
    }
}

TEST_F(Flow, WinningPlaysCheersAndResetsTheGame) {
    g = InPlay();
    g.roundBase = 3500;
    g.spareBalls = 0;
    ClearCells(g, 27);
    ScoreAndBricks(g, platform);
    EndOfBall(g, platform);
    EXPECT_EQ(platform.only("cue"),
              (Calls{"cue excelent.wav wait", "cue Congrat.wav wait", "cue Applauds.wav start"}));
    EXPECT_EQ(g.screenMode, ModeVictory);
    EXPECT_EQ(g.spareBalls, 2);
    EXPECT_EQ(g.roundBase, 0);
    EXPECT_EQ(g.brickGrid[1][1], 1);
}

// Runs banner frames until the mode changes or play starts; returns how many.
int FramesUntilEnd(BrickGame& g, RecordingPlatform& platform, int limit = 5000) {
    const std::int32_t mode = g.screenMode;
    int frames = 0;
    while (g.screenMode == mode && !g.isPlaying && frames < limit) {
        BannerFrame(g, platform);
        ++frames;
    }
    return frames;
}

TEST_F(Banners, FadingBannersDrawLevelsZeroTo254ThenEnd) {
    g.screenMode = ModeReady;
    EXPECT_EQ(FramesUntilEnd(g, platform), 255);
    EXPECT_TRUE(g.isPlaying);
    const Calls colours = platform.only("textColour rgb(0,0,");
    ASSERT_EQ(colours.size(), 255u);
    EXPECT_EQ(colours.front(), "textColour rgb(0,0,0)");
    EXPECT_EQ(colours.back(), "textColour rgb(0,0,254)");
    EXPECT_EQ(platform.only("text 300,200 READY !!!").size(), 255u);
    EXPECT_EQ(platform.only("setCursorPos"), Calls{}) << "the pointer stays";
    EXPECT_EQ(platform.only("cue"), Calls{});
}

TEST_F(Banners, GameOverShowsZeroWithOneDigitAndReturnsToTheTitle) {
    g = InPlay();
    g.spareBalls = 0;
    PlayFrame(g, platform); // score 0 drawn as "0"
    g.scoreTextLen = 3;     // whatever an earlier game left
    EndOfBall(g, platform);
    platform.clear();
    BannerFrame(g, platform);
    EXPECT_EQ(platform.only("text "), (Calls{"text 300,200 G A M E  O V E R",
                                             "text 290,240 YOU SCORES - ", "text 390,240 0"}));
    EXPECT_GE(platform.indexOf("transparent"), 0);
    EXPECT_EQ(FramesUntilEnd(g, platform), 254);
    EXPECT_EQ(g.screenMode, ModeTitle);
    EXPECT_EQ(g.bannerTopX, -70);
    EXPECT_EQ(g.bannerBottomX, 700);
    const int end = platform.indexOf("invalidateAll erase");
    EXPECT_EQ(Calls(platform.calls.begin() + end, platform.calls.begin() + end + 3),
              (Calls{"invalidateAll erase", "showCursor 1", "cue play.wav loop"}));
}

TEST_F(Banners, VictoryHandsOverToTheCreditsInTheSameFrame) {
    g.screenMode = ModeVictory;
    g.bannerFade = 254;
    std::strcpy(g.scoreText, "6200");
    BannerFrame(g, platform);
    EXPECT_EQ(g.screenMode, ModeCredits);
    EXPECT_EQ(g.creditsY, 599);
    const int sleep = platform.indexOf("sleep 500");
    ASSERT_GT(sleep, 0);
    EXPECT_EQ(platform.calls[sleep - 1], "invalidateAll erase");
    EXPECT_EQ(platform.calls[sleep + 1], "cue play.wav loop");
    EXPECT_GE(platform.indexOf("text 400,250 6200"), 0);
    EXPECT_GE(platform.indexOf("text 300,600 П Л И Т О Б О Й"), sleep);
    EXPECT_EQ(FramesUntilEnd(g, platform), 1499);
    EXPECT_EQ(g.screenMode, ModeTitle);
    EXPECT_EQ(g.creditsY, -900);
}

TEST_F(Banners, CreditsLinesHaveTheirCharacterCounts) {
    for (const CreditsLine& line : creditsLines) {
        EXPECT_EQ(std::strlen(line.text), static_cast<std::size_t>(line.count)) << line.text;
    }
    EXPECT_STREQ(creditsLines[0].text, "П Л И Т О Б О Й");
    EXPECT_STREQ(creditsLines[1].text, "К СОЗДАНИЮ ИГРЫ РУКИ ПРИЛОЖИЛИ :");
    const int xs[] = {300, 100, 200, 200, 200, 393, 200, 200, 200, 290};
    const int dys[] = {0, 100, 150, 200, 250, 275, 350, 400, 800, 850};
    const int counts[] = {15, 32, 51, 51, 40, 9, 35, 34, 38, 19};
    for (int i = 0; i < CreditsLineCount; ++i) {
        EXPECT_EQ(creditsLines[i].x, xs[i]) << i;
        EXPECT_EQ(creditsLines[i].dy, dys[i]) << i;
        EXPECT_EQ(creditsLines[i].count, counts[i]) << i;
    }
    for (int i : {2, 3, 4, 6, 7}) {
        EXPECT_NE(std::strchr(creditsLines[i].text, ':'), nullptr) << "label of line " << i + 1;
    }
}

TEST_F(Banners, CreditsBlockScrollsUpInBlueOnAnOpaqueBackground) {
    g.screenMode = ModeCredits;
    g.creditsY = 600;
    BannerFrame(g, platform);
    const Calls drawn(platform.calls.begin() + 5, platform.calls.end() - 2);
    ASSERT_EQ(drawn.size(), 13u);
    EXPECT_EQ(drawn[0], "textColour rgb(0,0,255)");
    EXPECT_EQ(drawn[1], "textBackground rgb(1,0,0)");
    EXPECT_EQ(drawn[2], "opaque");
    for (int i = 0; i < CreditsLineCount; ++i) {
        const CreditsLine& line = creditsLines[i];
        EXPECT_EQ(drawn[3 + i], "text " + std::to_string(line.x) + "," +
                                    std::to_string(600 + line.dy) + " " + line.text);
    }
    EXPECT_EQ(g.creditsY, 599);
}

TEST_F(Banners, EachModeDrawsItsTextsInItsColours) {
    struct Case {
        std::int32_t mode;
        Calls expected;
    };
    const Case cases[] = {
        {ModePaused,
         {"textColour rgb(200,0,0)", "textBackground rgb(1,0,0)", "opaque",
          "text -69,180 П А У З А", "text 699,450 Press Enter for continue"}},
        {ModeVictory,
         {"textColour rgb(200,0,0)", "textBackground rgb(1,0,0)", "opaque", "textColour rgb(0,7,0)",
          "transparent", "text 250,200 CONGRATULATION !!! YOU WIN !!!",
          "text 300,250 YOU SCORES - ", std::string("text 400,250 6200", 17)}},
        {ModeRoundIntro,
         {"textColour rgb(200,0,0)", "textBackground rgb(1,0,0)", "opaque", "textColour rgb(0,0,7)",
          "transparent", "text 300,200 ROUND 1"}},
        {ModeReady,
         {"textColour rgb(200,0,0)", "textBackground rgb(1,0,0)", "opaque", "textColour rgb(0,0,7)",
          "textBackground rgb(1,0,0)", "opaque", "text 300,200 READY !!!"}},
    };
    for (const Case& k : cases) {
        Start(BrickGame{});
        g.screenMode = k.mode;
        g.bannerFade = 7;
        g.score = 6200;
        std::strcpy(g.scoreText, "6200");
        BannerFrame(g, platform);
        Calls drawn(platform.calls.begin() + 2, platform.calls.end() - 2);
        EXPECT_EQ(drawn, k.expected) << "mode " << k.mode;
    }
}

TEST_F(Banners, RoundIntroNamesTheRoundAndItsCues) {
    struct Case {
        std::int32_t roundBase, score;
        const char* text;
        const char* numberCue;
    };
    for (Case k : {Case{0, 1500, "text 300,200 ROUND 1", "cue 1.wav wait"},
                   Case{1400, 2700, "text 300,200 ROUND 2", "cue 2.wav wait"},
                   Case{3500, 4100, "text 300,200 ROUND 3", "cue 3.wav wait"}}) {
        for (bool keyboard : {false, true}) {
            Start(BrickGame{});
            g.screenMode = ModeRoundIntro;
            g.roundBase = k.roundBase;
            g.score = k.score;
            g.keyboardControl = keyboard;
            g.paddleX = 100;
            g.savedCursorX = 11;
            g.savedCursorY = 22;
            EXPECT_EQ(FramesUntilEnd(g, platform), 255);
            EXPECT_EQ(platform.only("text "), Calls(255, k.text));
            EXPECT_EQ(platform.only("cue"), (Calls{"cue round.wav wait", k.numberCue}));
            EXPECT_EQ(platform.only("setCursorPos"), Calls{"setCursorPos 11,22"});
            EXPECT_TRUE(g.isPlaying);
            EXPECT_EQ(g.paddleX, keyboard ? 350 : 100);
        }
    }
}

TEST_F(Banners, EndActionThatStartsPlayLetsTheSamePaintRunAPlayFrame) {
    g.screenMode = ModeReady;
    g.bannerFade = 254;
    Paint();
    EXPECT_TRUE(g.isPlaying);
    EXPECT_EQ(platform.only("beginPaint").size(), 2u);
    EXPECT_GE(platform.indexOf("roundRect"), 0);
}

// One transition of the screen state machine.
struct Transition {
    const char* name;
    std::int32_t mode;
    bool playing;
    void (*event)(BrickGame&, BrickPlatform&);
    std::int32_t newMode;
    bool nowPlaying;
    Calls effects; // every call but the repaint and the brushes
};

TEST_F(StateMachine, InputEdges) {
    const Transition table[] = {
        {"title enter", ModeTitle, false, PressEnter, ModeRoundIntro, false, {"showCursor 0"}},
        {"intro enter",
         ModeRoundIntro,
         false,
         PressEnter,
         ModeRoundIntro,
         true,
         {"stop purge", "setCursorPos 11,22"}},
        {"play pause",
         ModeRoundIntro,
         true,
         TogglePause,
         ModePaused,
         false,
         {"cue pause.wav start", "cursorPos", "setCursorPos 350,250", "showCursor 1"}},
        {"play focus lost",
         ModeReady,
         true,
         LoseFocus,
         ModePaused,
         false,
         {"showCursor 1", "cursorPos"}},
        {"paused enter",
         ModePaused,
         false,
         PressEnter,
         ModePaused,
         true,
         {"cue pause.wav start", "setCursorPos 11,22", "showCursor 0"}},
        {"paused pause",
         ModePaused,
         false,
         TogglePause,
         ModePaused,
         true,
         {"cue pause.wav start", "setCursorPos 11,22", "showCursor 0"}},
        {"game over enter",
         ModeGameOver,
         false,
         PressEnter,
         ModeTitle,
         false,
         {"showCursor 1", "cue play.wav loop"}},
        {"victory enter",
         ModeVictory,
         false,
         PressEnter,
         ModeTitle,
         false,
         {"showCursor 1", "cue play.wav loop"}},
        {"ready enter", ModeReady, false, PressEnter, ModeReady, false, {}},
        {"credits enter", ModeCredits, false, PressEnter, ModeCredits, false, {}},
        {"play enter", ModePaused, true, PressEnter, ModePaused, true, {}},
        {"title pause", ModeTitle, false, TogglePause, ModeTitle, false, {}},
        {"intro pause", ModeRoundIntro, false, TogglePause, ModeRoundIntro, false, {}},
        {"ready pause", ModeReady, false, TogglePause, ModeReady, false, {}},
        {"game over pause", ModeGameOver, false, TogglePause, ModeGameOver, false, {}},
        {"victory pause", ModeVictory, false, TogglePause, ModeVictory, false, {}},
        {"credits pause", ModeCredits, false, TogglePause, ModeCredits, false, {}},
        {"title focus lost", ModeTitle, false, LoseFocus, ModeTitle, false, {}},
        {"paused focus lost", ModePaused, false, LoseFocus, ModePaused, false, {}},
    };
    for (const Transition& t : table) {
        Start(BrickGame{});
        g.screenMode = t.mode;
        g.isPlaying = t.playing;
        g.savedCursorX = 11;
        g.savedCursorY = 22;
        g.brickColour = desk::Rgb(1, 2, 3);
        t.event(g, platform);
        EXPECT_EQ(g.screenMode, t.newMode) << t.name;
        EXPECT_EQ(g.isPlaying, t.nowPlaying) << t.name;
        Calls effects;
        for (const std::string& call : platform.calls) {
            if (call != "invalidateAll erase" && call.rfind("brushes", 0) != 0) {
                effects.push_back(call);
            }
        }
        EXPECT_EQ(effects, t.effects) << t.name;
        const bool wasIdle = !t.playing && t.event != LoseFocus;
        EXPECT_EQ(platform.only("brushes").size(), wasIdle ? 1u : 0u) << t.name;
        if (wasIdle) {
            EXPECT_EQ(platform.only("brushes")[0], "brushes rgb(1,2,3) rgb(0,0,0) rgb(0,0,0)")
                << t.name;
        }
        const bool repaint = !(t.event == LoseFocus && !t.playing);
        EXPECT_EQ(platform.indexOf("invalidateAll erase") == 0, repaint) << t.name;
    }
}

TEST_F(StateMachine, PauseAndFocusLossSaveThePointerAndResetTheScrolling) {
    for (auto event : {TogglePause, LoseFocus}) {
        Start(BrickGame{});
        g.isPlaying = true;
        g.screenMode = ModeReady;
        g.bannerTopX = 3;
        g.bannerBottomX = 4;
        platform.cursor = {123, 456};
        event(g, platform);
        EXPECT_EQ(g.savedCursorX, 123);
        EXPECT_EQ(g.savedCursorY, 456);
        EXPECT_EQ(g.bannerTopX, -70);
        EXPECT_EQ(g.bannerBottomX, 700);
    }
}

} // namespace
} // namespace brick::testing

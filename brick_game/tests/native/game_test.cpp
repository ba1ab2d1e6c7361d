// Whole games played through the window procedure's message order: a scripted
// game from the title to the credits, lost balls to a game over, and a long
// run of random input checking the game's invariants after every play frame.
#include "brick_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace brick::testing {
namespace {

using WholeGame = BrickTest;
using Soak = BrickTest;

// Keeps the paddle under the ball; `lean` is where along the paddle the ball
// should land (ballX - paddleX), which sets the angle it leaves at.
void FollowBall(BrickGame& g, RecordingPlatform& platform, int lean) {
    const int target = std::clamp(g.ballX - lean, 0, 699);
    OnMouseMove(g, platform, target);
}

// Runs messages until play stops; returns the play frames run.
long long PlayUntilStopped(BrickGame& g, RecordingPlatform& platform, std::mt19937& rng,
                           bool catchBall, long long limit) {
    const long long start = platform.paddlesDrawn;
    int lean = 30;
    int quadrantBefore = g.quadrant;
    while (g.isPlaying && platform.paddlesDrawn - start < limit) {
        if (!g.ballInFlight) {
            OnLButtonDown(g, platform);
        }
        if (catchBall) {
            FollowBall(g, platform, lean);
        } else {
            const int away = g.ballX < 350 ? 690 : 0;
            OnMouseMove(g, platform, away);
        }
        OnPaint(g, platform);
        if (g.quadrant == 1 && quadrantBefore != 1 && g.originY == 445) {
            lean = static_cast<int>(rng() % 86) - 20; // a new angle for the next catch
        }
        quadrantBefore = g.quadrant;
    }
    return platform.paddlesDrawn - start;
}

// Runs paint messages while the banner of the current mode runs.
int BannerFrames(BrickGame& g, RecordingPlatform& platform) {
    const std::int32_t mode = g.screenMode;
    int frames = 0;
    while (!g.isPlaying && g.screenMode == mode && frames < 5000) {
        OnPaint(g, platform);
        ++frames;
    }
    return frames;
}

bool Contains(const Calls& calls, const Calls& sequence) {
    return std::search(calls.begin(), calls.end(), sequence.begin(), sequence.end()) != calls.end();
}

TEST_F(WholeGame, ScriptedPaddleWinsAllThreeRoundsThenCreditsAndTitle) {
    platform.recording = false;
    platform.keepCues = true;
    std::mt19937 rng(12345);
    StartUpDefaults(g);
    OnCreate(g, platform);
    Key(desk::key::Return);
    ASSERT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_EQ(BannerFrames(g, platform), 255);
    ASSERT_TRUE(g.isPlaying);

    const struct {
        std::int32_t scoreAfter, roundBaseAfter, modeAfter;
        const char* numberCue;
    } rounds[] = {
        {2700, 1400, ModeRoundIntro, "cue 2.wav wait"},
        {4100, 3500, ModeRoundIntro, "cue 3.wav wait"},
        {6200, 0, ModeVictory, nullptr},
    };
    long long frames = 0;
    for (const auto& round : rounds) {
        const int sparesBefore = g.spareBalls;
        frames += PlayUntilStopped(g, platform, rng, true, 3'000'000);
        ASSERT_FALSE(g.isPlaying) << "round not finished after " << frames << " play frames";
        EXPECT_EQ(g.score, round.scoreAfter);
        EXPECT_EQ(g.roundBase, round.roundBaseAfter);
        EXPECT_EQ(g.screenMode, round.modeAfter);
        EXPECT_EQ(g.spareBalls, round.modeAfter == ModeVictory ? 2 : sparesBefore)
            << "the scripted paddle never misses";
        platform.cues.clear();
        if (round.numberCue != nullptr) {
            platform.recording = true;
            platform.clear();
            Paint();
            platform.recording = false;
            const std::string name = round.scoreAfter == 2700 ? "ROUND 2" : "ROUND 3";
            EXPECT_EQ(platform.only("text "), Calls{"text 300,200 " + name});
            EXPECT_EQ(BannerFrames(g, platform), 254);
            EXPECT_EQ(platform.cues, (Calls{"cue round.wav wait", round.numberCue}));
            ASSERT_TRUE(g.isPlaying);
        }
    }
    std::printf("whole game: %lld play frames\n", frames);
    EXPECT_EQ(BannerFrames(g, platform), 255);
    EXPECT_EQ(g.screenMode, ModeCredits);
    EXPECT_EQ(BannerFrames(g, platform), 1499);
    EXPECT_EQ(g.screenMode, ModeTitle);
    EXPECT_EQ(platform.cues, (Calls{"cue play.wav loop", "cue play.wav loop"}));
    EXPECT_EQ(platform.cursorDisplayCount, 0);
    EXPECT_EQ(Snapshot(g).substr(Snapshot(g).find("grid="), 36),
              Snapshot(BrickGame{}).substr(Snapshot(BrickGame{}).find("grid="), 36));
}

TEST_F(WholeGame, ThreeLostBallsEndInGameOverThenTheTitle) {
    platform.recording = false;
    platform.keepCues = true;
    std::mt19937 rng(1);
    OnCreate(g, platform);
    Key(desk::key::Return);
    Key(desk::key::Return); // skip the intro
    ASSERT_TRUE(g.isPlaying);
    for (int spares = 1; spares >= 0; --spares) {
        PlayUntilStopped(g, platform, rng, false, 100'000);
        EXPECT_EQ(g.screenMode, ModeReady);
        EXPECT_EQ(g.spareBalls, spares);
        EXPECT_EQ(BannerFrames(g, platform), 255);
        ASSERT_TRUE(g.isPlaying);
    }
    const int brokenBefore = g.score / 100;
    PlayUntilStopped(g, platform, rng, false, 100'000);
    EXPECT_EQ(g.screenMode, ModeGameOver);
    EXPECT_EQ(g.spareBalls, 2);
    EXPECT_EQ(g.roundBase, 0);
    EXPECT_GE(g.score / 100, brokenBefore);
    EXPECT_EQ(std::count(platform.cues.begin(), platform.cues.end(), "cue gameover.wav start"), 3);
    EXPECT_EQ(BannerFrames(g, platform), 255);
    EXPECT_EQ(g.screenMode, ModeTitle);
    EXPECT_EQ(platform.cursorDisplayCount, 0);
    EXPECT_TRUE(Contains(platform.cues, {"cue gameover.wav start", "cue play.wav loop"}));
}

struct SoakStats {
    long long playFrames = 0;
    long long events = 0;
    long long launches = 0;
    int victories = 0;
    int gameOvers = 0;
    int laterRounds = 0; // round 2 and 3 intros reached
};

std::string Invariants(const BrickGame& g, const RecordingPlatform& platform, bool afterPlayFrame) {
    std::string bad;
    if (afterPlayFrame && (g.paddleX < 21 || g.paddleX > 622)) {
        bad += "paddleX ";
    }
    if (afterPlayFrame && g.ballInFlight &&
        (g.ballX < 0 || g.ballX > 685 || g.ballY < 5 || g.ballY >= 470)) {
        bad += "ball ";
    }
    if (g.score < 0 || g.score > 6200) {
        bad += "score ";
    }
    if (g.spareBalls < 0 || g.spareBalls > 2) {
        bad += "spareBalls ";
    }
    if (g.screenMode < ModeTitle || g.screenMode > ModeReady) {
        bad += "screenMode ";
    }
    const bool pointerShown =
        g.screenMode == ModeTitle || (g.screenMode == ModePaused && !g.isPlaying);
    if (platform.cursorDisplayCount != (pointerShown ? 0 : -1)) {
        bad += "pointer count ";
    }
    return bad;
}

TEST_F(Soak, MillionPlayFramesOfRandomInputInBothModesAtEverySpeed) {
    platform.recording = false;
    std::mt19937 rng(20261207);
    const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    platform.whileDialogUp = [&] {
        // A modal dialog takes the focus; its buttons close it.
        OnKillFocus(g, platform);
        if (pick(4) != 0) {
            Paint();
        }
        CloseHelpDialog(g, platform);
    };
    OnCreate(g, platform);
    SoakStats stats;
    const int speeds[] = {40011, 40005, 40006, 40007, 40012};
    const int commands[] = {40001, 40010, 40003, 40004, 40011, 40005, 40006, 40007, 40012,
                            40026, 40027, 40028, 40029, 40030, 40016, 40008, 40009, 40002};
    bool follow = true;
    int lean = 30;
    int episode = 0;
    while (stats.playFrames < 1'000'000) {
        if (stats.events % 20000 == 0) {
            // A new episode: control mode, speed and how well the paddle follows.
            ++episode;
            Menu(episode % 2 == 0 ? IDM_KEYBOARD : IDM_MOUSE);
            Menu(speeds[episode % 5]);
            follow = pick(5) != 0;
        }
        ++stats.events;
        const long long framesBefore = platform.paddlesDrawn;
        const bool playingBefore = g.isPlaying;
        const bool wasInFlight = g.ballInFlight;
        const int r = pick(1000);
        if (r < 700) {
            if (follow && g.isPlaying) {
                if (g.keyboardControl) {
                    const int target = g.ballX - lean;
                    for (int i = 0; i < 3 && std::abs(g.paddleX - target) > 25; ++i) {
                        Key(g.paddleX < target ? desk::key::Right : desk::key::Left);
                    }
                } else {
                    FollowBall(g, platform, lean);
                }
            }
            Paint();
        } else if (r < 760) {
            OnMouseMove(g, platform, pick(700));
        } else if (r < 800) {
            const int keys[] = {desk::key::Left, desk::key::Right, desk::key::Space, desk::key::Up,
                                'A'};
            Key(keys[pick(5)]);
        } else if (r < 830) {
            OnLButtonDown(g, platform);
        } else if (r < 850) {
            Key(desk::key::Return);
        } else if (r < 856) {
            Key(desk::key::Pause);
        } else if (r < 866) {
            OnRButtonDown(g, platform, {pick(65536), 0});
        } else if (r < 870) {
            OnRButtonDblClk(g, platform);
        } else if (r < 874) {
            OnKillFocus(g, platform);
        } else if (r < 880) {
            platform.colourAnswer = pick(2) ? desk::Rgb(128, 128, 128) : desk::Rgb(pick(256), 0, 9);
            platform.dialogAnswer = pick(3);
            Menu(commands[pick(18)]);
        } else {
            lean = pick(86) - 20;
        }
        if (!wasInFlight && g.ballInFlight) {
            ++stats.launches;
        }
        const bool played = platform.paddlesDrawn != framesBefore;
        stats.playFrames += platform.paddlesDrawn - framesBefore;
        const std::string bad = Invariants(g, platform, played);
        ASSERT_EQ(bad, "") << "event " << stats.events << ": " << Snapshot(g) << " pointer count "
                           << platform.cursorDisplayCount;
        if (playingBefore && !g.isPlaying) {
            stats.victories += g.screenMode == ModeVictory;
            stats.gameOvers += g.screenMode == ModeGameOver;
            stats.laterRounds += g.screenMode == ModeRoundIntro;
        }
    }
    std::printf("soak: %lld events, %lld play frames, %lld launches, %d later rounds, %d "
                "victories, %d game overs\n",
                stats.events, stats.playFrames, stats.launches, stats.laterRounds, stats.victories,
                stats.gameOvers);
    EXPECT_GT(stats.launches, 100);
    EXPECT_GT(stats.gameOvers, 0);
    EXPECT_GT(stats.laterRounds, 0);
}

} // namespace
} // namespace brick::testing

// Whole games played through the window procedure's message order: a scripted
// game from the title to the credits, lost balls to a game over, and a long
// run of random input checking the game's invariants after every play frame.
#include "recording_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace brick::testing {
namespace {

using Calls = std::vector<std::string>;

// Keeps the paddle under the ball; `lean` is where along the paddle the ball
// should land (ballX - paddleX), which sets the angle it leaves at.
void FollowBall(BrickGame& g, RecordingPlatform& fx, int lean) {
    const int target = std::clamp(g.ballX - lean, 0, 699);
    Deliver(g, fx, [&] { MouseMove(g, fx, static_cast<std::uint16_t>(target)); });
}

// Runs messages until play stops; returns the play frames run.
long long PlayUntilStopped(BrickGame& g, RecordingPlatform& fx, std::mt19937& rng, bool catchBall,
                           long long limit) {
    const long long start = fx.paddlesDrawn;
    int lean = 30;
    int quadrantBefore = g.quadrant;
    while (g.isPlaying && fx.paddlesDrawn - start < limit) {
        if (!g.ballInFlight) {
            Deliver(g, fx, [&] { LeftButtonDown(g, fx); });
        }
        if (catchBall) {
            FollowBall(g, fx, lean);
        } else {
            const int away = g.ballX < 350 ? 690 : 0;
            Deliver(g, fx, [&] { MouseMove(g, fx, static_cast<std::uint16_t>(away)); });
        }
        Paint(g, fx);
        if (g.quadrant == 1 && quadrantBefore != 1 && g.originY == 445) {
            lean = static_cast<int>(rng() % 86) - 20; // a new angle for the next catch
        }
        quadrantBefore = g.quadrant;
    }
    return fx.paddlesDrawn - start;
}

// Runs paint messages while the banner of the current mode runs.
int BannerFrames(BrickGame& g, RecordingPlatform& fx) {
    const std::int32_t mode = g.screenMode;
    int frames = 0;
    while (!g.isPlaying && g.screenMode == mode && frames < 5000) {
        Paint(g, fx);
        ++frames;
    }
    return frames;
}

bool Contains(const Calls& calls, const Calls& sequence) {
    return std::search(calls.begin(), calls.end(), sequence.begin(), sequence.end()) != calls.end();
}

TEST(WholeGame, ScriptedPaddleWinsAllThreeRoundsThenCreditsAndTitle) {
    BrickGame g;
    RecordingPlatform fx(&g);
    fx.recording = false;
    fx.keepCues = true;
    std::mt19937 rng(12345);
    StartUpDefaults(g);
    OnCreate(g, fx);
    Key(g, fx, desk::key::Return);
    ASSERT_EQ(g.screenMode, ModeRoundIntro);
    EXPECT_EQ(BannerFrames(g, fx), 255);
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
        frames += PlayUntilStopped(g, fx, rng, true, 3'000'000);
        ASSERT_FALSE(g.isPlaying) << "round not finished after " << frames << " play frames";
        EXPECT_EQ(g.score, round.scoreAfter);
        EXPECT_EQ(g.roundBase, round.roundBaseAfter);
        EXPECT_EQ(g.screenMode, round.modeAfter);
        EXPECT_EQ(g.spareBalls, round.modeAfter == ModeVictory ? 2 : sparesBefore)
            << "the scripted paddle never misses";
        fx.cues.clear();
        if (round.numberCue != nullptr) {
            fx.recording = true;
            fx.clear();
            Paint(g, fx);
            fx.recording = false;
            const std::string name = round.scoreAfter == 2700 ? "ROUND 2" : "ROUND 3";
            EXPECT_EQ(fx.only("text "), Calls{"text 300,200 " + name});
            EXPECT_EQ(BannerFrames(g, fx), 254);
            EXPECT_EQ(fx.cues, (Calls{"cue round.wav wait", round.numberCue}));
            ASSERT_TRUE(g.isPlaying);
        }
    }
    std::printf("whole game: %lld play frames\n", frames);
    EXPECT_EQ(BannerFrames(g, fx), 255);
    EXPECT_EQ(g.screenMode, ModeCredits);
    EXPECT_EQ(BannerFrames(g, fx), 1499);
    EXPECT_EQ(g.screenMode, ModeTitle);
    EXPECT_EQ(fx.cues, (Calls{"cue play.wav loop", "cue play.wav loop"}));
    EXPECT_EQ(fx.cursorDisplayCount, 0);
    EXPECT_EQ(Snapshot(g).substr(Snapshot(g).find("grid="), 36),
              Snapshot(BrickGame{}).substr(Snapshot(BrickGame{}).find("grid="), 36));
}

TEST(WholeGame, ThreeLostBallsEndInGameOverThenTheTitle) {
    BrickGame g;
    RecordingPlatform fx(&g);
    fx.recording = false;
    fx.keepCues = true;
    std::mt19937 rng(1);
    OnCreate(g, fx);
    Key(g, fx, desk::key::Return);
    Key(g, fx, desk::key::Return); // skip the intro
    ASSERT_TRUE(g.isPlaying);
    for (int spares = 1; spares >= 0; --spares) {
        PlayUntilStopped(g, fx, rng, false, 100'000);
        EXPECT_EQ(g.screenMode, ModeReady);
        EXPECT_EQ(g.spareBalls, spares);
        EXPECT_EQ(BannerFrames(g, fx), 255);
        ASSERT_TRUE(g.isPlaying);
    }
    const int brokenBefore = g.score / 100;
    PlayUntilStopped(g, fx, rng, false, 100'000);
    EXPECT_EQ(g.screenMode, ModeGameOver);
    EXPECT_EQ(g.spareBalls, 2);
    EXPECT_EQ(g.roundBase, 0);
    EXPECT_GE(g.score / 100, brokenBefore);
    EXPECT_EQ(std::count(fx.cues.begin(), fx.cues.end(), "cue gameover.wav start"), 3);
    EXPECT_EQ(BannerFrames(g, fx), 255);
    EXPECT_EQ(g.screenMode, ModeTitle);
    EXPECT_EQ(fx.cursorDisplayCount, 0);
    EXPECT_TRUE(Contains(fx.cues, {"cue gameover.wav start", "cue play.wav loop"}));
}

struct SoakStats {
    long long playFrames = 0;
    long long events = 0;
    long long launches = 0;
    int victories = 0;
    int gameOvers = 0;
    int laterRounds = 0; // round 2 and 3 intros reached
};

std::string Invariants(const BrickGame& g, const RecordingPlatform& fx, bool afterPlayFrame) {
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
    if (fx.cursorDisplayCount != (pointerShown ? 0 : -1)) {
        bad += "pointer count ";
    }
    return bad;
}

TEST(Soak, MillionPlayFramesOfRandomInputInBothModesAtEverySpeed) {
    BrickGame g;
    RecordingPlatform fx(&g);
    fx.recording = false;
    std::mt19937 rng(20261207);
    const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    fx.whileDialogUp = [&] {
        // A modal dialog takes the focus; its buttons close it.
        LoseFocus(g, fx);
        if (pick(4) != 0) {
            Paint(g, fx);
        }
        CloseHelpDialog(g, fx);
    };
    OnCreate(g, fx);
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
            Menu(g, fx, episode % 2 == 0 ? cmd::Keyboard : cmd::Mouse);
            Menu(g, fx, speeds[episode % 5]);
            follow = pick(5) != 0;
        }
        ++stats.events;
        const long long framesBefore = fx.paddlesDrawn;
        const bool playingBefore = g.isPlaying;
        const bool wasInFlight = g.ballInFlight;
        const int r = pick(1000);
        if (r < 700) {
            if (follow && g.isPlaying) {
                if (g.keyboardControl) {
                    const int target = g.ballX - lean;
                    for (int i = 0; i < 3 && std::abs(g.paddleX - target) > 25; ++i) {
                        Key(g, fx, g.paddleX < target ? desk::key::Right : desk::key::Left);
                    }
                } else {
                    FollowBall(g, fx, lean);
                }
            }
            Paint(g, fx);
        } else if (r < 760) {
            Deliver(g, fx, [&] { MouseMove(g, fx, static_cast<std::uint16_t>(pick(700))); });
        } else if (r < 800) {
            const int keys[] = {desk::key::Left, desk::key::Right, desk::key::Space, desk::key::Up,
                                'A'};
            Key(g, fx, keys[pick(5)]);
        } else if (r < 830) {
            Deliver(g, fx, [&] { LeftButtonDown(g, fx); });
        } else if (r < 850) {
            Key(g, fx, desk::key::Return);
        } else if (r < 856) {
            Key(g, fx, desk::key::Pause);
        } else if (r < 866) {
            Deliver(g, fx, [&] { RightButtonDown(g, fx, pick(65536)); });
        } else if (r < 870) {
            Deliver(g, fx, [&] { RightDoubleClick(g, fx); });
        } else if (r < 874) {
            Deliver(g, fx, [&] { LoseFocus(g, fx); });
        } else if (r < 880) {
            fx.colourAnswer = pick(2) ? desk::Rgb(128, 128, 128) : desk::Rgb(pick(256), 0, 9);
            fx.dialogAnswer = pick(3);
            Menu(g, fx, commands[pick(18)]);
        } else {
            lean = pick(86) - 20;
        }
        if (!wasInFlight && g.ballInFlight) {
            ++stats.launches;
        }
        const bool played = fx.paddlesDrawn != framesBefore;
        stats.playFrames += fx.paddlesDrawn - framesBefore;
        const std::string bad = Invariants(g, fx, played);
        ASSERT_EQ(bad, "") << "event " << stats.events << ": " << Snapshot(g) << " pointer count "
                           << fx.cursorDisplayCount;
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

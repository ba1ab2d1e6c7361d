// Bricks, rounds, scoring and the screens between them.
#include "brick_game.h"

#include <cstring>

namespace brick {

namespace {

constexpr std::int32_t PointsPerBrick = 100;

// The credits start below the window's bottom edge and scroll up.
constexpr std::int32_t CreditsStartY = 600;

void SetAllBricks(BrickGame& game) {
    for (auto& row : game.brickGrid) {
        for (std::int32_t& cell : row) {
            cell = 1;
        }
    }
}

// Round 2 only sets its bricks; the cells between them are left as they are.
void ApplyRoundTwoLayout(BrickGame& game) {
    for (int c = 0; c < GridColumns; c += 2) {
        game.brickGrid[0][c] = 1;
        game.brickGrid[2][c] = 1;
    }
    for (int c = 1; c < GridColumns; c += 2) {
        game.brickGrid[1][c] = 1;
    }
}

void ApplyRoundThreeLayout(BrickGame& game) {
    for (int c = 0; c < GridColumns; ++c) {
        game.brickGrid[0][c] = c == 4 ? 0 : 1;
        game.brickGrid[2][c] = c == 4 ? 0 : 1;
        game.brickGrid[1][c] = (c == 1 || c == 2 || c == 6 || c == 7) ? 0 : 1;
    }
}

// The score as decimal text, cut to the buffer's capacity (with its NUL).
// snprintf would do, but this runs up to 27 times per play frame.
void FormatScore(std::int32_t value, char (&out)[ScoreTextCapacity]) {
    char digits[12];
    int n = 0;
    std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = 0;
    if (value < 0) {
        out[length++] = '-';
    }
    while (n > 0 && length < ScoreTextCapacity - 1) {
        out[length++] = digits[--n];
    }
    out[length] = '\0';
}

// Rounds 1 and 2 are told by the score and the points carried in, the last
// round by its score alone.
bool RoundCleared(const BrickGame& game) {
    return (game.score == ScoreAfterRound1 && game.roundBase == 0) ||
           (game.score == ScoreAfterRound2 && game.roundBase == PointsIntoRound2) ||
           game.score == ScoreAfterRound3;
}

bool RoundEndScore(std::int32_t score) {
    return score == ScoreAfterRound1 || score == ScoreAfterRound2 || score == ScoreAfterRound3;
}

// What clearing round 1 or 2 leads to: the next round's layout and the points
// carried into it.
struct NextRound {
    std::int32_t clearedAt;
    void (*applyLayout)(BrickGame& game);
    std::int32_t roundBase;
};

constexpr NextRound nextRounds[] = {
    {ScoreAfterRound1, ApplyRoundTwoLayout, PointsIntoRound2},
    {ScoreAfterRound2, ApplyRoundThreeLayout, PointsIntoRound3},
};

void BackToTitle(BrickGame& game, BrickPlatform& platform) {
    game.screenMode = ModeTitle;
    ResetBannerLines(game);
    platform.showCursor(true);
    PlayCue(game, platform, "play.wav", CueWay::Loop);
}

// A ball lost: the next spare comes into play, or with none left the game is over.
void LoseBall(BrickGame& game, BrickPlatform& platform) {
    if (game.spareBalls == 0) {
        SetAllBricks(game);
        PlayCue(game, platform, "gameover.wav", CueWay::Start);
        game.screenMode = ModeGameOver;
        game.spareBalls = 2;
        game.roundBase = 0;
    } else {
        game.spareBalls -= 1;
        PlayCue(game, platform, "gameover.wav", CueWay::Start);
        game.screenMode = ModeReady;
    }
    game.originY = 0;
}

void WinGame(BrickGame& game, BrickPlatform& platform) {
    SetAllBricks(game);
    PlayCue(game, platform, "Congrat.wav", CueWay::Wait);
    PlayCue(game, platform, "Applauds.wav", CueWay::Start);
    game.screenMode = ModeVictory;
    game.roundBase = 0;
    game.originY = 0;
    game.spareBalls = 2;
}

} // namespace

void ScoreAndBricks(BrickGame& game, BrickPlatform& platform) {
    platform.setTextColour(desk::Rgb(200, 0, 0));
    platform.setTextBackground(desk::Rgb(1, 0, 0));
    platform.setOpaqueText(true);
    game.score = game.roundBase;
    if (game.score == 0) {
        std::strcpy(game.scoreText, "0");
        DrawScore(game, platform, 1);
    }
    for (int r = 0; r < GridRows; ++r) {
        for (int c = 0; c < GridColumns; ++c) {
            if (game.brickGrid[r][c] == 0) {
                game.score += PointsPerBrick;
                FormatScore(game.score, game.scoreText);
                game.scoreTextLen = game.score > 900 ? 4 : 3;
                DrawScore(game, platform, game.scoreTextLen);
                if (RoundCleared(game)) {
                    PlayCue(game, platform, "excelent.wav", CueWay::Wait);
                    // Sends the ball below the bottom line: EndOfBall follows.
                    game.originY = 490;
                }
            } else {
                platform.rectangle(
                    {BrickX(c), BrickY(r), BrickX(c) + BrickWidth, BrickY(r) + BrickHeight},
                    BrushKind::Brick);
            }
        }
    }
}

void EndOfBall(BrickGame& game, BrickPlatform& platform) {
    game.isPlaying = false;
    if (!RoundEndScore(game.score)) {
        LoseBall(game, platform);
    }
    if (game.score == ScoreAfterRound3) {
        WinGame(game, platform);
    }
    platform.invalidateAll(true);
    // The round is told by the score alone: a ball lost in round 2 before any
    // brick breaks (score 2700) replays the round 2 intro, and the same at 4100.
    for (const NextRound& next : nextRounds) {
        if (game.score == next.clearedAt) {
            game.screenMode = ModeRoundIntro;
            next.applyLayout(game);
            game.roundBase = next.roundBase;
            game.originY = 0;
        }
    }
    game.ballInFlight = false;
    game.bannerFade = 0;
    ResetBannerLines(game);
    game.ballY = 50;
}

void EndGameOverBanner(BrickGame& game, BrickPlatform& platform) {
    platform.invalidateAll(true);
    BackToTitle(game, platform);
}

void EndVictoryBanner(BrickGame& game, BrickPlatform& platform) {
    platform.invalidateAll(true);
    platform.sleep(500);
    game.screenMode = ModeCredits;
    game.creditsY = CreditsStartY;
    PlayCue(game, platform, "play.wav", CueWay::Loop);
}

void EndRoundIntroBanner(BrickGame& game, BrickPlatform& platform) {
    platform.invalidateAll(true);
    PlayCue(game, platform, "round.wav", CueWay::Wait);
    if (game.roundBase == 0) {
        PlayCue(game, platform, "1.wav", CueWay::Wait);
    }
    if (game.score == ScoreAfterRound1) {
        PlayCue(game, platform, "2.wav", CueWay::Wait);
    }
    if (game.score == ScoreAfterRound2) {
        PlayCue(game, platform, "3.wav", CueWay::Wait);
    }
    if (game.keyboardControl) {
        game.paddleX = 350;
    }
    platform.setCursorPos(game.savedCursorX, game.savedCursorY);
    game.isPlaying = true;
}

void EndCreditsBanner(BrickGame& game, BrickPlatform& platform) {
    platform.sleep(500);
    BackToTitle(game, platform);
}

void EndReadyBanner(BrickGame& game, BrickPlatform& platform) {
    platform.invalidateAll(true);
    game.isPlaying = true;
}

} // namespace brick

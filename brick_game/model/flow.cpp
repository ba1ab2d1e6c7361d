// Bricks, rounds, scoring and the screens between them.
#include "brick_game.h"

#include <cstring>

namespace brick {

namespace {

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

bool RoundCleared(const BrickGame& game) {
    return (game.score == 2700 && game.roundBase == 0) ||
           (game.score == 4100 && game.roundBase == 1400) || game.score == 6200;
}

void BackToTitle(BrickGame& game, BrickPlatform& fx) {
    game.screenMode = ModeTitle;
    game.bannerBottomX = 700;
    game.bannerTopX = -70;
    fx.showCursor(true);
    PlayCue(game, fx, "play.wav", CueWay::Loop);
}

} // namespace

void ScoreAndBricks(BrickGame& game, BrickPlatform& fx) {
    fx.setTextColour(desk::Rgb(200, 0, 0));
    fx.setTextBackground(desk::Rgb(1, 0, 0));
    fx.setOpaqueText(true);
    game.score = game.roundBase;
    if (game.score == 0) {
        std::strcpy(game.scoreText, "0");
        DrawScore(game, fx, 1);
    }
    for (int r = 0; r < GridRows; ++r) {
        for (int c = 0; c < GridColumns; ++c) {
            if (game.brickGrid[r][c] == 0) {
                game.score += 100;
                FormatScore(game.score, game.scoreText);
                game.scoreTextLen = game.score > 900 ? 4 : 3;
                DrawScore(game, fx, game.scoreTextLen);
                if (RoundCleared(game)) {
                    PlayCue(game, fx, "excelent.wav", CueWay::Wait);
                    // Sends the ball below the bottom line: EndOfBall follows.
                    game.originY = 490;
                }
            } else {
                fx.rectangle({100 + 56 * c, 100 + 21 * r, 155 + 56 * c, 120 + 21 * r},
                             BrushKind::Brick);
            }
        }
    }
}

void EndOfBall(BrickGame& game, BrickPlatform& fx) {
    game.isPlaying = false;
    if (game.score != 2700 && game.score != 4100 && game.score != 6200) {
        if (game.spareBalls == 0) {
            SetAllBricks(game);
            PlayCue(game, fx, "gameover.wav", CueWay::Start);
            game.screenMode = ModeGameOver;
            game.spareBalls = 2;
            game.roundBase = 0;
        } else {
            game.spareBalls -= 1;
            PlayCue(game, fx, "gameover.wav", CueWay::Start);
            game.screenMode = ModeReady;
        }
        game.originY = 0;
    }
    if (game.score == 6200) {
        SetAllBricks(game);
        PlayCue(game, fx, "Congrat.wav", CueWay::Wait);
        PlayCue(game, fx, "Applauds.wav", CueWay::Start);
        game.screenMode = ModeVictory;
        game.roundBase = 0;
        game.originY = 0;
        game.spareBalls = 2;
    }
    fx.invalidateAll(true);
    // The round is told by the score alone: a ball lost in round 2 before any
    // brick breaks (score 2700) replays the round 2 intro, and the same at 4100.
    if (game.score == 2700) {
        game.screenMode = ModeRoundIntro;
        ApplyRoundTwoLayout(game);
        game.roundBase = 1400;
        game.originY = 0;
    }
    if (game.score == 4100) {
        game.screenMode = ModeRoundIntro;
        ApplyRoundThreeLayout(game);
        game.roundBase = 3500;
        game.originY = 0;
    }
    game.ballInFlight = false;
    game.bannerFade = 0;
    game.bannerBottomX = 700;
    game.bannerTopX = -70;
    game.ballY = 50;
}

void EndGameOverBanner(BrickGame& game, BrickPlatform& fx) {
    fx.invalidateAll(true);
    BackToTitle(game, fx);
}

void EndVictoryBanner(BrickGame& game, BrickPlatform& fx) {
    fx.invalidateAll(true);
    fx.sleep(500);
    game.screenMode = ModeCredits;
    game.creditsY = 600;
    PlayCue(game, fx, "play.wav", CueWay::Loop);
}

void EndRoundIntroBanner(BrickGame& game, BrickPlatform& fx) {
    fx.invalidateAll(true);
    PlayCue(game, fx, "round.wav", CueWay::Wait);
    if (game.roundBase == 0) {
        PlayCue(game, fx, "1.wav", CueWay::Wait);
    }
    if (game.score == 2700) {
        PlayCue(game, fx, "2.wav", CueWay::Wait);
    }
    if (game.score == 4100) {
        PlayCue(game, fx, "3.wav", CueWay::Wait);
    }
    if (game.keyboardControl) {
        game.paddleX = 350;
    }
    fx.setCursorPos(game.savedCursorX, game.savedCursorY);
    game.isPlaying = true;
}

void EndCreditsBanner(BrickGame& game, BrickPlatform& fx) {
    fx.sleep(500);
    BackToTitle(game, fx);
}

void EndReadyBanner(BrickGame& game, BrickPlatform& fx) {
    fx.invalidateAll(true);
    game.isPlaying = true;
}

} // namespace brick

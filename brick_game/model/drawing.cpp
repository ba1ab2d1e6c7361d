// Everything the game draws: the banners and the playfield.
#include "brick_game.h"

namespace brick {

const CreditsLine creditsLines[CreditsLineCount] = {
    {300, 0, "П Л И Т О Б О Й", 15},
    {100, 100, "К СОЗДАНИЮ ИГРЫ РУКИ ПРИЛОЖИЛИ :", 32},
    {200, 150, "Программа и правила игры :         команда Плитобоя", 51},
    {200, 200, "Рисунки кубиков и мячика :       мастерская Пиксель", 51},
    {200, 250, "Звуки и музыка :              студия Эхо", 40},
    {393, 275, "и хор Эхо", 9},
    {200, 350, "Тексты :             редакция Буква", 35},
    {200, 400, "Испытания :          клуб Вечерний", 34},
    {200, 800, "Игра сделана для клуба любителей аркад", 38},
    {290, 850, "Л Е С О К   2 0 0 1", 19},
};

namespace {

constexpr desk::Colour NearBlack = desk::Rgb(1, 0, 0);

// The score buffer is never read past its capacity, whatever the length field holds.
int ScoreCount(int count) {
    if (count < 0) {
        return 0;
    }
    return count > ScoreTextCapacity ? ScoreTextCapacity : count;
}

desk::Colour GreenFade(int fade) {
    return desk::Rgb(0, fade, 0);
}

desk::Colour BlueFade(int fade) {
    return desk::Rgb(0, 0, fade);
}

desk::Colour FullBlue(int) {
    return desk::Rgb(0, 0, 255);
}

void DrawTitleTexts(BrickGame& game, BrickPlatform& platform) {
    platform.textOut(game.bannerTopX, 180, " П Л И Т О Б О Й", 16);
    platform.textOut(game.bannerBottomX, 450, "Press Enter for begin", 21);
}

void DrawPauseTexts(BrickGame& game, BrickPlatform& platform) {
    platform.textOut(game.bannerTopX, 180, "П А У З А", 9);
    platform.textOut(game.bannerBottomX, 450, "Press Enter for continue", 24);
}

void DrawGameOverTexts(BrickGame& game, BrickPlatform& platform) {
    platform.textOut(300, 200, "G A M E  O V E R", 16);
    platform.textOut(290, 240, "YOU SCORES - ", 13);
    if (game.score == 0) {
        game.scoreTextLen = 1;
    }
    platform.textOut(390, 240, game.scoreText, ScoreCount(game.scoreTextLen));
}

void DrawVictoryTexts(BrickGame& game, BrickPlatform& platform) {
    platform.textOut(250, 200, "CONGRATULATION !!! YOU WIN !!!", 30);
    platform.textOut(300, 250, "YOU SCORES - ", 13);
    platform.textOut(400, 250, game.scoreText, 4);
}

// The intros of rounds 2 and 3 are told by the score the round before ended
// with, that of round 1 by the points carried into it.
void DrawRoundName(BrickGame& game, BrickPlatform& platform) {
    if (game.score == ScoreAfterRound1) {
        platform.textOut(300, 200, "ROUND 2", 7);
    }
    if (game.score == ScoreAfterRound2) {
        platform.textOut(300, 200, "ROUND 3", 7);
    }
    if (game.roundBase == 0) {
        platform.textOut(300, 200, "ROUND 1", 7);
    }
}

void DrawCredits(BrickGame& game, BrickPlatform& platform) {
    for (const CreditsLine& line : creditsLines) {
        platform.textOut(line.x, game.creditsY + line.dy, line.text, line.count);
    }
}

void DrawReadyText(BrickGame&, BrickPlatform& platform) {
    platform.textOut(300, 200, "READY !!!", 9);
}

// How each banner is drawn. Without a text colour of its own it keeps the
// frame's red on near black.
struct BannerLook {
    std::int32_t mode;
    desk::Colour (*textColour)(int fade); // of the low byte of bannerFade
    bool opaque;                          // on near black; otherwise transparent
    void (*drawTexts)(BrickGame& game, BrickPlatform& platform);
};

constexpr BannerLook bannerLooks[] = {
    {ModeTitle, nullptr, true, DrawTitleTexts},
    {ModePaused, nullptr, true, DrawPauseTexts},
    {ModeGameOver, GreenFade, false, DrawGameOverTexts},
    {ModeVictory, GreenFade, false, DrawVictoryTexts},
    {ModeRoundIntro, BlueFade, false, DrawRoundName},
    {ModeCredits, FullBlue, true, DrawCredits},
    {ModeReady, BlueFade, true, DrawReadyText},
};

} // namespace

void DrawScore(const BrickGame& game, BrickPlatform& platform, int count) {
    platform.textOut(650, 20, game.scoreText, ScoreCount(count));
}

void DrawBanner(BrickGame& game, BrickPlatform& platform, std::int32_t mode) {
    for (const BannerLook& look : bannerLooks) {
        if (look.mode != mode) {
            continue;
        }
        if (look.textColour != nullptr) {
            platform.setTextColour(look.textColour(game.bannerFade & 0xFF));
            if (look.opaque) {
                platform.setTextBackground(NearBlack);
            }
            platform.setOpaqueText(look.opaque);
        }
        look.drawTexts(game, platform);
    }
}

void DrawPlayfield(const BrickGame& game, BrickPlatform& platform) {
    if (game.spareBalls != 0) {
        platform.drawLifeIcon(10, 10);
    }
    if (game.spareBalls == 2) {
        platform.drawLifeIcon(50, 10);
    }
    if (game.ballInFlight) {
        platform.ellipse({game.ballX, game.ballY, game.ballX + BallSize, game.ballY + BallSize},
                         BrushKind::Ball);
    } else {
        platform.ellipse({game.paddleX + 30, 445, game.paddleX + 40, 455}, BrushKind::Ball);
    }
    platform.roundRect({game.paddleX - 20, 455, game.paddleX + 70, 470}, 15, 15, BrushKind::Paddle);
}

} // namespace brick

// Everything the game draws: the banners and the playfield.
#include "brick_game.h"

namespace brick {

namespace {

constexpr desk::Colour NearBlack = desk::Rgb(1, 0, 0);

// The score buffer is never read past its capacity, whatever the length field holds.
int ScoreCount(int count) {
    if (count < 0) {
        return 0;
    }
    return count > ScoreTextCapacity ? ScoreTextCapacity : count;
}

} // namespace

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

void DrawScore(const BrickGame& game, BrickPlatform& fx, int count) {
    fx.textOut(650, 20, game.scoreText, ScoreCount(count));
}

void DrawBanner(BrickGame& game, BrickPlatform& fx, std::int32_t mode) {
    const int f = game.bannerFade & 0xFF;
    switch (mode) {
    case ModeTitle:
        fx.textOut(game.bannerTopX, 180, " П Л И Т О Б О Й", 16);
        fx.textOut(game.bannerBottomX, 450, "Press Enter for begin", 21);
        break;
    case ModePaused:
        fx.textOut(game.bannerTopX, 180, "П А У З А", 9);
        fx.textOut(game.bannerBottomX, 450, "Press Enter for continue", 24);
        break;
    case ModeGameOver:
        fx.setTextColour(desk::Rgb(0, f, 0));
        fx.setOpaqueText(false);
        fx.textOut(300, 200, "G A M E  O V E R", 16);
        fx.textOut(290, 240, "YOU SCORES - ", 13);
        if (game.score == 0) {
            game.scoreTextLen = 1;
        }
        fx.textOut(390, 240, game.scoreText, ScoreCount(game.scoreTextLen));
        break;
    case ModeVictory:
        fx.setTextColour(desk::Rgb(0, f, 0));
        fx.setOpaqueText(false);
        fx.textOut(250, 200, "CONGRATULATION !!! YOU WIN !!!", 30);
        fx.textOut(300, 250, "YOU SCORES - ", 13);
        fx.textOut(400, 250, game.scoreText, 4);
        break;
    case ModeRoundIntro:
        fx.setTextColour(desk::Rgb(0, 0, f));
        fx.setOpaqueText(false);
        if (game.score == 2700) {
            fx.textOut(300, 200, "ROUND 2", 7);
        }
        if (game.score == 4100) {
            fx.textOut(300, 200, "ROUND 3", 7);
        }
        if (game.roundBase == 0) {
            fx.textOut(300, 200, "ROUND 1", 7);
        }
        break;
    case ModeCredits:
        fx.setTextColour(desk::Rgb(0, 0, 255));
        fx.setTextBackground(NearBlack);
        fx.setOpaqueText(true);
        for (const CreditsLine& line : creditsLines) {
            fx.textOut(line.x, game.creditsY + line.dy, line.text, line.count);
        }
        break;
    case ModeReady:
        fx.setTextColour(desk::Rgb(0, 0, f));
        fx.setTextBackground(NearBlack);
        fx.setOpaqueText(true);
        fx.textOut(300, 200, "READY !!!", 9);
        break;
    default: break;
    }
}

void DrawPlayfield(const BrickGame& game, BrickPlatform& fx) {
    if (game.spareBalls != 0) {
        fx.drawLifeIcon(10, 10);
    }
    if (game.spareBalls == 2) {
        fx.drawLifeIcon(50, 10);
    }
    if (game.ballInFlight) {
        fx.ellipse({game.ballX, game.ballY, game.ballX + 10, game.ballY + 10}, BrushKind::Ball);
    } else {
        fx.ellipse({game.paddleX + 30, 445, game.paddleX + 40, 455}, BrushKind::Ball);
    }
    fx.roundRect({game.paddleX - 20, 455, game.paddleX + 70, 470}, 15, 15, BrushKind::Paddle);
}

} // namespace brick

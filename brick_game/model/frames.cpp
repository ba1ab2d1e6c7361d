// Start-up, the two kinds of frame and the speed setting.
#include "brick_game.h"

namespace brick {

namespace {

struct SpeedEntry {
    int commandId;
    std::int32_t delayLoops;
};

constexpr SpeedEntry speedTable[] = {
    {IDM_SPEED_VERY_SLOW, 700000}, {IDM_SPEED_SLOW, 300000}, {IDM_SPEED_NORMAL, 70000},
    {IDM_SPEED_FAST, 5000},        {IDM_SPEED_VERY_FAST, 1},
};

// A fading banner is drawn with the levels 0 to 254 and ends when it reaches 255.
bool AdvanceFade(BrickGame& game) {
    game.bannerFade += 1;
    return game.bannerFade >= 255;
}

} // namespace

void StartUpDefaults(BrickGame& game) {
    game.bannerBottomX = 700;
    game.bannerTopX = -70;
    game.screenMode = ModeTitle;
    game.delayLoops = 70000;
    game.spareBalls = 2;
    game.savedCursorX = 350;
    game.savedCursorY = 250;
    game.score = 0;
    game.roundBase = 0;
}

void BannerFrame(BrickGame& game, BrickPlatform& fx) {
    // Banners run only while play stands still, so play starts or resumes
    // after one with a wait of its own length.
    game.waitFromNow = true;
    fx.sleep(12);
    if (game.bannerBottomX == -250) {
        game.bannerBottomX = 700;
    }
    if (game.bannerTopX == 750) {
        game.bannerTopX = -70;
    }
    game.bannerBottomX -= 1;
    game.bannerTopX += 1;

    fx.beginPaint();
    fx.setTextColour(desk::Rgb(200, 0, 0));
    fx.setTextBackground(desk::Rgb(1, 0, 0));
    fx.setOpaqueText(true);
    // The modes are tried in order within one frame, so an end action that
    // switches to a later mode lets that mode run its first frame at once.
    if (game.screenMode == ModeTitle) {
        DrawBanner(game, fx, ModeTitle);
    }
    if (game.screenMode == ModePaused) {
        DrawBanner(game, fx, ModePaused);
    }
    if (game.screenMode == ModeGameOver) {
        DrawBanner(game, fx, ModeGameOver);
        if (AdvanceFade(game)) {
            EndGameOverBanner(game, fx);
        }
    }
    if (game.screenMode == ModeVictory) {
        DrawBanner(game, fx, ModeVictory);
        if (AdvanceFade(game)) {
            EndVictoryBanner(game, fx);
        }
    }
    if (game.screenMode == ModeRoundIntro) {
        DrawBanner(game, fx, ModeRoundIntro);
        if (AdvanceFade(game)) {
            EndRoundIntroBanner(game, fx);
        }
    }
    if (game.screenMode == ModeCredits) {
        DrawBanner(game, fx, ModeCredits);
        game.creditsY -= 1;
        if (game.creditsY <= -900) {
            EndCreditsBanner(game, fx);
        }
    }
    if (game.screenMode == ModeReady) {
        DrawBanner(game, fx, ModeReady);
        if (AdvanceFade(game)) {
            EndReadyBanner(game, fx);
        }
    }
    // While the colour dialog is up the banners wait for other messages.
    if (!game.colourDialogOpen) {
        fx.invalidateAll(false);
    }
    fx.endPaint();
}

void PlayFrame(BrickGame& game, BrickPlatform& fx) {
    fx.beginPaint();
    const desk::Rect oldBox{game.ballX - 1, game.ballY - 1, game.ballX + 11, game.ballY + 11};
    if (game.paddleX > 622) {
        game.paddleX = 622;
    }
    if (game.paddleX < 21) {
        game.paddleX = 21;
    }
    DrawPlayfield(game, fx);
    ScoreAndBricks(game, fx);
    TestBricks(game, fx);
    // Repainting the old box is what brings the next play frame, also while
    // the ball rests on the paddle.
    if (game.ballY < 500) {
        fx.invalidate(oldBox, true);
    }
    if (game.ballInFlight) {
        MoveBall(game);
        fx.countingWait(game.delayLoops, game.waitFromNow);
        game.waitFromNow = false;
        game.stepCount += 1;
        TestPaddle(game, fx);
        if (game.ballY >= 470) {
            EndOfBall(game, fx);
        }
        TestWalls(game, fx);
    }
    fx.endPaint();
}

void SetSpeed(BrickGame& game, int commandId) {
    for (const SpeedEntry& entry : speedTable) {
        if (entry.commandId == commandId) {
            game.delayLoops = entry.delayLoops;
        }
    }
}

} // namespace brick

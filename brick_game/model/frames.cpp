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

constexpr std::int32_t FadeEnd = 255;
constexpr std::int32_t CreditsEndY = -900;

// A fading banner is drawn with the levels 0 to 254 and ends when it reaches 255.
bool AdvanceFade(BrickGame& game) {
    game.bannerFade += 1;
    return game.bannerFade >= FadeEnd;
}

// The credits scroll up one pixel per frame until their last line has gone above the window.
bool AdvanceCredits(BrickGame& game) {
    game.creditsY -= 1;
    return game.creditsY <= CreditsEndY;
}

// Each banner: after it is drawn, how it moves on (none for the two scrolling
// ones, which only input leaves) and what runs when it has run out.
struct BannerStep {
    std::int32_t mode;
    bool (*advance)(BrickGame& game); // true when the banner has run out
    void (*end)(BrickGame& game, BrickPlatform& platform);
};

// In the order of the modes: they are tried in this order within one frame, so
// an end action that switches to a later mode lets that mode run its first
// frame at once.
constexpr BannerStep bannerSteps[] = {
    {ModeTitle, nullptr, nullptr},
    {ModePaused, nullptr, nullptr},
    {ModeGameOver, AdvanceFade, EndGameOverBanner},
    {ModeVictory, AdvanceFade, EndVictoryBanner},
    {ModeRoundIntro, AdvanceFade, EndRoundIntroBanner},
    {ModeCredits, AdvanceCredits, EndCreditsBanner},
    {ModeReady, AdvanceFade, EndReadyBanner},
};

// Each scrolling line moves one pixel per frame and starts again from its end.
void ScrollBannerLines(BrickGame& game) {
    if (game.bannerBottomX == BannerBottomEndX) {
        game.bannerBottomX = BannerBottomStartX;
    }
    if (game.bannerTopX == BannerTopEndX) {
        game.bannerTopX = BannerTopStartX;
    }
    game.bannerBottomX -= 1;
    game.bannerTopX += 1;
}

} // namespace

void StartUpDefaults(BrickGame& game) {
    ResetBannerLines(game);
    game.screenMode = ModeTitle;
    game.delayLoops = 70000;
    game.spareBalls = 2;
    game.savedCursorX = 350;
    game.savedCursorY = 250;
    game.score = 0;
    game.roundBase = 0;
}

void ResetBannerLines(BrickGame& game) {
    game.bannerBottomX = BannerBottomStartX;
    game.bannerTopX = BannerTopStartX;
}

void BannerFrame(BrickGame& game, BrickPlatform& platform) {
    // Banners run only while play stands still, so play starts or resumes
    // after one with a wait of its own length.
    game.waitFromNow = true;
    platform.sleep(12);
    ScrollBannerLines(game);
    platform.beginPaint();
    platform.setTextColour(desk::Rgb(200, 0, 0));
    platform.setTextBackground(desk::Rgb(1, 0, 0));
    platform.setOpaqueText(true);
    for (const BannerStep& step : bannerSteps) {
        if (game.screenMode == step.mode) {
            DrawBanner(game, platform, step.mode);
            if (step.advance != nullptr && step.advance(game)) {
                step.end(game, platform);
            }
        }
    }
    // While the colour dialog is up the banners wait for other messages.
    if (!game.colourDialogOpen) {
        platform.invalidateAll(false);
    }
    platform.endPaint();
}

void PlayFrame(BrickGame& game, BrickPlatform& platform) {
    platform.beginPaint();
    // The ball's box and one pixel around it.
    const desk::Rect oldBox{game.ballX - 1, game.ballY - 1, game.ballX + BallSize + 1,
                            game.ballY + BallSize + 1};
    if (game.paddleX > 622) {
        game.paddleX = 622;
    }
    if (game.paddleX < 21) {
        game.paddleX = 21;
    }
    DrawPlayfield(game, platform);
    ScoreAndBricks(game, platform);
    TestBricks(game, platform);
    // Repainting the old box is what brings the next play frame, also while
    // the ball rests on the paddle.
    if (game.ballY < 500) {
        platform.invalidate(oldBox, true);
    }
    if (game.ballInFlight) {
        MoveBall(game);
        platform.countingWait(game.delayLoops, game.waitFromNow);
        game.waitFromNow = false;
        game.stepCount += 1;
        TestPaddle(game, platform);
        if (game.ballY >= 470) {
            EndOfBall(game, platform);
        }
        TestWalls(game, platform);
    }
    platform.endPaint();
}

void SetSpeed(BrickGame& game, int commandId) {
    for (const SpeedEntry& entry : speedTable) {
        if (entry.commandId == commandId) {
            game.delayLoops = entry.delayLoops;
        }
    }
}

} // namespace brick

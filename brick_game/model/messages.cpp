// The main window's messages. The game has no timer: while no play runs,
// every message that reaches the window first runs a banner frame, so a mouse
// move advances the banners as much as a repaint does; then the message's own
// handling follows.
#include "brick_game.h"

namespace brick {

namespace {

void BannerFirst(BrickGame& game, BrickPlatform& platform) {
    if (!game.isPlaying) {
        BannerFrame(game, platform);
    }
}

} // namespace

void OnCreate(BrickGame& game, BrickPlatform& platform) {
    BannerFirst(game, platform);
    platform.attachMenu();
    // The first brick brush is a shade darker than brickColour: the brushes are
    // remade from the colour fields only when Enter or Pause runs outside play.
    platform.remakeBrushes(desk::Rgb(0, 0, 200), desk::Rgb(240, 240, 10), desk::Rgb(0, 240, 0));
    game.ballColour = desk::Rgb(240, 240, 10);
    game.brickColour = desk::Rgb(0, 0, 250);
    game.paddleColour = desk::Rgb(0, 240, 0);
    // The title music starts even with sound off.
    platform.playCue("play.wav", CueWay::Loop);
}

void OnDestroy(BrickGame& game, BrickPlatform& platform) {
    BannerFirst(game, platform);
    platform.quit();
}

void OnKillFocus(BrickGame& game, BrickPlatform& platform) {
    BannerFirst(game, platform);
    LoseFocus(game, platform);
}

void OnPaint(BrickGame& game, BrickPlatform& platform) {
    BannerFirst(game, platform);
    // Also when the banner frame has just started play: its end action takes
    // effect at once.
    if (game.isPlaying) {
        PlayFrame(game, platform);
    }
}

void OnKeyDown(BrickGame& game, BrickPlatform& platform, int virtualKey) {
    BannerFirst(game, platform);
    KeyDown(game, platform, virtualKey);
}

void OnMouseMove(BrickGame& game, BrickPlatform& platform, int clientX) {
    BannerFirst(game, platform);
    MouseMove(game, platform, clientX);
}

void OnLButtonDown(BrickGame& game, BrickPlatform& platform) {
    BannerFirst(game, platform);
    LeftButtonDown(game, platform);
}

void OnRButtonDown(BrickGame& game, BrickPlatform& platform, desk::Point clickPoint) {
    BannerFirst(game, platform);
    RightButtonDown(game, platform, clickPoint);
}

void OnRButtonDblClk(BrickGame& game, BrickPlatform& platform) {
    BannerFirst(game, platform);
    RightDoubleClick(game, platform);
}

int OnCommand(BrickGame& game, BrickPlatform& platform, int commandId) {
    BannerFirst(game, platform);
    const int result = Command(game, platform, commandId);
    if (PlayFrameFollows(commandId) && game.isPlaying) {
        PlayFrame(game, platform);
    }
    return result;
}

void OnOtherMessage(BrickGame& game, BrickPlatform& platform) {
    BannerFirst(game, platform);
}

} // namespace brick

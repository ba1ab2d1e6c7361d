// Paddle control, launching, and the Enter, Pause and focus-loss edges of the
// screen state machine.
#include "brick_game.h"

namespace brick {

namespace {

constexpr desk::Rect PaddleBand{0, 444, 700, 470};
constexpr int KeyboardStep = 50;

void RemakeBrushes(const BrickGame& game, BrickPlatform& platform) {
    platform.remakeBrushes(game.brickColour, game.ballColour, game.paddleColour);
}

void Resume(BrickGame& game, BrickPlatform& platform) {
    PlayCue(game, platform, "pause.wav", CueWay::Start);
    game.isPlaying = true;
    platform.setCursorPos(game.savedCursorX, game.savedCursorY);
    platform.showCursor(false);
}

void SaveCursor(BrickGame& game, BrickPlatform& platform) {
    const desk::Point p = platform.cursorPos();
    game.savedCursorX = p.x;
    game.savedCursorY = p.y;
}

} // namespace

void PressEnter(BrickGame& game, BrickPlatform& platform) {
    platform.invalidateAll(true);
    if (!game.isPlaying) {
        RemakeBrushes(game, platform);
    }
    if (game.screenMode == ModePaused && !game.isPlaying) {
        PlayCue(game, platform, "pause.wav", CueWay::Start);
        platform.setCursorPos(game.savedCursorX, game.savedCursorY);
        platform.showCursor(false);
        game.isPlaying = true;
    } else if (game.screenMode == ModeRoundIntro && !game.isPlaying) {
        // Skipping the intro: its round cues are never played, and the title
        // music still looping is cut off whatever the sound setting.
        game.isPlaying = true;
        platform.stopCues(StopForm::Purge);
        platform.setCursorPos(game.savedCursorX, game.savedCursorY);
        if (game.keyboardControl) {
            game.paddleX = 350;
        }
    } else if (game.screenMode == ModeTitle) {
        game.screenMode = ModeRoundIntro;
        game.bannerFade = 0;
        platform.showCursor(false);
    } else if (game.screenMode == ModeGameOver || game.screenMode == ModeVictory) {
        platform.showCursor(true);
        game.screenMode = ModeTitle;
        PlayCue(game, platform, "play.wav", CueWay::Loop);
    }
}

void TogglePause(BrickGame& game, BrickPlatform& platform) {
    platform.invalidateAll(true);
    if (game.isPlaying) {
        PlayCue(game, platform, "pause.wav", CueWay::Start);
        SaveCursor(game, platform);
        platform.setCursorPos(350, 250);
        game.isPlaying = false;
        game.screenMode = ModePaused;
        ResetBannerLines(game);
        platform.showCursor(true);
        return;
    }
    RemakeBrushes(game, platform);
    if (game.screenMode == ModePaused) {
        Resume(game, platform);
    }
}

void LoseFocus(BrickGame& game, BrickPlatform& platform) {
    if (!game.isPlaying) {
        return;
    }
    platform.invalidateAll(true);
    platform.showCursor(true);
    game.screenMode = ModePaused;
    game.isPlaying = false;
    SaveCursor(game, platform);
    ResetBannerLines(game);
}

void KeyDown(BrickGame& game, BrickPlatform& platform, int virtualKey) {
    switch (virtualKey) {
    case desk::key::Return: PressEnter(game, platform); break;
    case desk::key::Pause: TogglePause(game, platform); break;
    case desk::key::Space:
        if (game.keyboardControl && !game.ballInFlight && game.isPlaying) {
            LaunchBall(game);
        }
        break;
    case desk::key::Left:
    case desk::key::Right:
        if (game.keyboardControl && game.isPlaying) {
            // No bound here: the next play frame brings the paddle back in.
            platform.invalidate(PaddleBand, true);
            game.paddleX += virtualKey == desk::key::Left ? -KeyboardStep : KeyboardStep;
        }
        break;
    default: break;
    }
}

void MouseMove(BrickGame& game, BrickPlatform& platform, int clientX) {
    if (game.keyboardControl || !game.isPlaying) {
        return;
    }
    platform.invalidate(PaddleBand, true);
    game.paddleX = clientX;
}

void LeftButtonDown(BrickGame& game, BrickPlatform&) {
    if (!game.keyboardControl && !game.ballInFlight && game.isPlaying) {
        LaunchBall(game);
    }
}

void RightButtonDown(BrickGame& game, BrickPlatform& platform, desk::Point clickPoint) {
    if (!game.keyboardControl) {
        platform.sendKeyDown(desk::key::Return, clickPoint);
    }
}

void RightDoubleClick(BrickGame& game, BrickPlatform& platform) {
    if (!game.keyboardControl) {
        platform.sendKeyDown(desk::key::Pause, {});
    }
}

} // namespace brick

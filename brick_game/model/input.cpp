// Paddle control, launching, and the Enter, Pause and focus-loss edges of the
// screen state machine.
#include "brick_game.h"

namespace brick {

namespace {

constexpr desk::Rect PaddleBand{0, 444, 700, 470};
constexpr int KeyboardStep = 50;

void RemakeBrushes(const BrickGame& game, BrickPlatform& fx) {
    fx.remakeBrushes(game.brickColour, game.ballColour, game.paddleColour);
}

void Resume(BrickGame& game, BrickPlatform& fx) {
    PlayCue(game, fx, "pause.wav", CueWay::Start);
    game.isPlaying = true;
    fx.setCursorPos(game.savedCursorX, game.savedCursorY);
    fx.showCursor(false);
}

void SaveCursor(BrickGame& game, BrickPlatform& fx) {
    const desk::Point p = fx.cursorPos();
    game.savedCursorX = p.x;
    game.savedCursorY = p.y;
}

} // namespace

void PressEnter(BrickGame& game, BrickPlatform& fx) {
    fx.invalidateAll(true);
    if (!game.isPlaying) {
        RemakeBrushes(game, fx);
    }
    if (game.screenMode == ModePaused && !game.isPlaying) {
        PlayCue(game, fx, "pause.wav", CueWay::Start);
        fx.setCursorPos(game.savedCursorX, game.savedCursorY);
        fx.showCursor(false);
        game.isPlaying = true;
    } else if (game.screenMode == ModeRoundIntro && !game.isPlaying) {
        // Skipping the intro: its round cues are never played, and the title
        // music still looping is cut off whatever the sound setting.
        game.isPlaying = true;
        StopCues(fx, StopForm::Purge);
        fx.setCursorPos(game.savedCursorX, game.savedCursorY);
        if (game.keyboardControl) {
            game.paddleX = 350;
        }
    } else if (game.screenMode == ModeTitle) {
        game.screenMode = ModeRoundIntro;
        game.bannerFade = 0;
        fx.showCursor(false);
    } else if (game.screenMode == ModeGameOver || game.screenMode == ModeVictory) {
        fx.showCursor(true);
        game.screenMode = ModeTitle;
        PlayCue(game, fx, "play.wav", CueWay::Loop);
    }
}

void TogglePause(BrickGame& game, BrickPlatform& fx) {
    fx.invalidateAll(true);
    if (game.isPlaying) {
        PlayCue(game, fx, "pause.wav", CueWay::Start);
        SaveCursor(game, fx);
        fx.setCursorPos(350, 250);
        game.isPlaying = false;
        game.screenMode = ModePaused;
        ResetBannerLines(game);
        fx.showCursor(true);
        return;
    }
    RemakeBrushes(game, fx);
    if (game.screenMode == ModePaused) {
        Resume(game, fx);
    }
}

void LoseFocus(BrickGame& game, BrickPlatform& fx) {
    if (!game.isPlaying) {
        return;
    }
    fx.invalidateAll(true);
    fx.showCursor(true);
    game.screenMode = ModePaused;
    game.isPlaying = false;
    SaveCursor(game, fx);
    ResetBannerLines(game);
}

void KeyDown(BrickGame& game, BrickPlatform& fx, int virtualKey) {
    switch (virtualKey) {
    case desk::key::Return: PressEnter(game, fx); break;
    case desk::key::Pause: TogglePause(game, fx); break;
    case desk::key::Space:
        if (game.keyboardControl && !game.ballInFlight && game.isPlaying) {
            LaunchBall(game);
        }
        break;
    case desk::key::Left:
    case desk::key::Right:
        if (game.keyboardControl && game.isPlaying) {
            // No bound here: the next play frame brings the paddle back in.
            fx.invalidate(PaddleBand, true);
            game.paddleX += virtualKey == desk::key::Left ? -KeyboardStep : KeyboardStep;
        }
        break;
    default: break;
    }
}

void MouseMove(BrickGame& game, BrickPlatform& fx, std::uint16_t clientX) {
    if (game.keyboardControl || !game.isPlaying) {
        return;
    }
    fx.invalidate(PaddleBand, true);
    game.paddleX = clientX;
}

void LeftButtonDown(BrickGame& game, BrickPlatform&) {
    if (!game.keyboardControl && !game.ballInFlight && game.isPlaying) {
        LaunchBall(game);
    }
}

void RightButtonDown(BrickGame& game, BrickPlatform& fx, std::intptr_t lParam) {
    if (!game.keyboardControl) {
        fx.sendKeyDown(desk::key::Return, lParam);
    }
}

void RightDoubleClick(BrickGame& game, BrickPlatform& fx) {
    if (!game.keyboardControl) {
        fx.sendKeyDown(desk::key::Pause, 0);
    }
}

} // namespace brick

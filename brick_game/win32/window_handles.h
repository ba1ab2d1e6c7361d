// The Win32-only part of the brick game's state: the handles that the portable
// BrickGame record cannot hold. One set lives beside the game for the run.
#pragma once

#include "platform/gdi.h"

namespace brickwin {

struct WindowHandles {
    HINSTANCE instanceHandle = nullptr;
    HWND mainWindow = nullptr;
    // The main menu; taken again with GetMenu on every WM_COMMAND.
    HMENU menuHandle = nullptr;
    // Solid brushes of the playfield; exactly one of each kind from WM_CREATE
    // to WM_DESTROY.
    desk::Brush brickBrush;
    desk::Brush ballBrush;
    desk::Brush paddleBrush;
    // The spare-ball icon, a shared handle loaded at its first drawing.
    HICON lifeIcon = nullptr;
    // The colour dialog's request, filled afresh at the start of every message.
    CHOOSECOLORA colourRequest{};
};

} // namespace brickwin

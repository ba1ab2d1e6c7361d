// plitoboy: the brick game's entry point.
#include "win32/game_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!brickwin::StartUp(instance))
        return 0;
    if (!brickwin::CreateGameWindow(instance, showCommand))
        return 0;
    return brickwin::RunMessageLoop();
}

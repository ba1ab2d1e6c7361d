// polzun: the snake game's entry point.
#include "snake_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return snake::RunSnakeProgram(instance, showCommand);
}

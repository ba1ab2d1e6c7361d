#include "win32/editor_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode) {
    return risovik::win::RunEditor(instance, showMode);
}

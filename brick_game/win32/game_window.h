// The brick game's main window: its class, its window procedure, the handler
// of the information dialogs, and the process-wide state they share.
#pragma once

#include "model/brick_game.h"
#include "win32/win32_platform.h"
#include "win32/window_handles.h"

namespace brickwin {

constexpr char kClassName[] = "Velmorin";
constexpr wchar_t kClassNameWide[] = L"Velmorin";
constexpr char kWindowTitle[] = "П Л И Т О Б О Й";
constexpr DWORD kWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kWindowWidth = 700;
constexpr int kWindowHeight = 520;

// The state owned by the main window for the whole run.
brick::BrickGame& Game();
WindowHandles& Handles();
Win32BrickPlatform& Platform();

// Start-up: the game's defaults and the window class. Returns false when the
// class cannot be registered.
bool StartUp(HINSTANCE instance);
// Creates the main window, shows it and paints it once; null on failure.
HWND CreateGameWindow(HINSTANCE instance, int showCommand);
// Runs the message loop until the quit message; returns its parameter.
int RunMessageLoop();

// Fills the colour dialog's request: no owner, grey preset, the game's custom
// colours, CC_RGBINIT | CC_FULLOPEN.
void FillColourRequest(CHOOSECOLORA& request, brick::BrickGame& game);

LRESULT CALLBACK GameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace brickwin

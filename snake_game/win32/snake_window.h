// polzun's window layer: start-up, the main window's message handler, the
// GDI side of SnakePlatform and the About box. One process-wide record,
// SnakeApp, holds the game and what the window needs besides it.
#pragma once

#include "model/snake_game.h"
#include "model/snake_platform.h"

#include "platform/win32.h"

namespace snake {

using MessageHandler = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct SnakeApp {
    HINSTANCE instance = nullptr;
    // Read through the wide calls, so that the window shows them as the
    // resources hold them whatever the system's ANSI code page.
    wchar_t title[100] = L"";
    wchar_t className[100] = L"";
    SnakeGame game;
    // Where messages that the window does not handle go. DefWindowProcW (the
    // window is a Unicode one); tests put a recording handler here to see what
    // reaches it.
    MessageHandler defaultHandler = DefWindowProcW;
};

SnakeApp& App();

// SnakePlatform on a paint device context.
class GdiSnakePlatform : public SnakePlatform {
  public:
    explicit GdiSnakePlatform(HDC dc) : dc_(dc) {}
    void rectangle(const desk::Rect& box, desk::Colour fill) override;
    void textOut(int x, int y, const char* text, int count) override;

  private:
    HDC dc_;
};

// Reads the title (string 103) and the class name (string 109).
void LoadTexts(HINSTANCE instance);
// Registers the window class named by App().className; the result is not looked at.
ATOM RegisterSnakeClass(HINSTANCE instance);
// Keeps the instance, creates the main window, shows and updates it. Null
// when the window could not be created.
HWND CreateSnakeWindow(HINSTANCE instance, int showCommand);
// One message of the loop: offered to the accelerators first, dispatched
// only when they do not translate it.
void DeliverMessage(HACCEL accelerators, MSG& msg);
// The whole program: start-up, message loop; returns the quit code (0 when
// the window could not be created).
int RunSnakeProgram(HINSTANCE instance, int showCommand);

LRESULT CALLBACK SnakeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace snake

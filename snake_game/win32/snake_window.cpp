#include "snake_window.h"

#include "res/resource.h"

#include "platform/gdi.h"
#include "platform/message_loop.h"
#include "platform/text.h"

namespace snake {

namespace {

WindowHandles g_handles;
SnakeGame g_game;

} // namespace

WindowHandles& Handles() {
    return g_handles;
}

SnakeGame& Game() {
    return g_game;
}

void Win32SnakePlatform::beginPaint() {
    paint_.emplace(hwnd_);
    dc_ = paint_->get();
}

void Win32SnakePlatform::endPaint() {
    dc_ = nullptr;
    paint_.reset();
}

void Win32SnakePlatform::rectangle(const desk::Rect& box, desk::Colour fill) {
    desk::Brush brush(CreateSolidBrush(fill));
    desk::Selection selected(dc_, brush.get());
    Rectangle(dc_, box.left, box.top, box.right, box.bottom);
}

void Win32SnakePlatform::textOut(int x, int y, const char* text, int count) {
    const std::wstring wide = desk::Wide(text, count);
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

// Timer id 0, no callback: the ticks arrive as WM_TIMER.
void Win32SnakePlatform::setTimer(int milliseconds) {
    SetTimer(hwnd_, 0, static_cast<UINT>(milliseconds), nullptr);
}

void Win32SnakePlatform::invalidateAll(bool erase) {
    InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE);
}

void Win32SnakePlatform::showAboutBox() {
    DialogBoxParamW(g_handles.instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), hwnd_, AboutDialogProc, 0);
}

void Win32SnakePlatform::destroyWindow() {
    DestroyWindow(hwnd_);
}

void Win32SnakePlatform::postQuit(int exitCode) {
    PostQuitMessage(exitCode);
}

void LoadTexts(HINSTANCE instance) {
    LoadStringW(instance, IDS_APP_TITLE, g_handles.title,
                static_cast<int>(std::size(g_handles.title)));
    LoadStringW(instance, IDS_WINDOW_CLASS, g_handles.className,
                static_cast<int>(std::size(g_handles.className)));
}

ATOM RegisterSnakeClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = SnakeWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_POLZUN));
    wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    wc.lpszClassName = g_handles.className;
    return RegisterClassExW(&wc);
}

HWND CreateSnakeWindow(HINSTANCE instance, int showCommand) {
    g_handles.instance = instance;
    HWND hwnd =
        CreateWindowExW(0, g_handles.className, g_handles.title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        0, CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    if (!hwnd) {
        return nullptr;
    }
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return hwnd;
}

// The loop is a wide one: its character messages carry UTF-16 codes, which
// the wide translation compares with the table's characters.
void DeliverMessage(HACCEL accelerators, MSG& msg) {
    if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
        desk::TranslateAndDispatch(msg);
    }
}

int RunSnakeProgram(HINSTANCE instance, int showCommand) {
    LoadTexts(instance);
    RegisterSnakeClass(instance);
    if (!CreateSnakeWindow(instance, showCommand)) {
        return 0;
    }
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    return desk::RunMessageLoop([accelerators](MSG& msg) { DeliverMessage(accelerators, msg); });
}

// Each case is the game's operation for the message; every operation takes
// the message's pair of draws first, also for the messages the game ignores:
// which food positions come depends on the whole traffic of messages.
LRESULT CALLBACK SnakeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32SnakePlatform platform(hwnd);
    const auto unhandled = [&] { return g_handles.defaultHandler(hwnd, message, wParam, lParam); };
    switch (message) {
    case WM_CREATE: g_game.OnCreate(platform); return 0;
    case WM_SIZE: g_game.OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_KEYDOWN: g_game.OnKeyDown(static_cast<int>(wParam)); return 0;
    case WM_TIMER: g_game.OnTimer(platform); return 0;
    case WM_PAINT: g_game.OnPaint(platform); return 0;
    case WM_COMMAND: return g_game.OnCommand(LOWORD(wParam), platform) ? 0 : unhandled();
    case WM_DESTROY: g_game.OnDestroy(platform); return 0;
    default: g_game.OnOtherMessage(); return unhandled();
    }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

} // namespace snake

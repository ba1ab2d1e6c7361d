#include "snake_window.h"

#include "res/resource.h"

#include "platform/gdi.h"
#include "platform/message_loop.h"
#include "platform/text.h"

namespace snake {

namespace {

SnakeApp g_app;

void OnPaint(HWND hwnd) {
    desk::PaintDc dc(hwnd);
    GdiSnakePlatform platform(dc.get());
    PaintFrame(g_app.game, platform);
}

LRESULT OnCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDM_ABOUT:
        DialogBoxParamW(g_app.instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), hwnd, AboutDialogProc, 0);
        return 0;
    case IDM_EXIT: DestroyWindow(hwnd); return 0;
    default: return g_app.defaultHandler(hwnd, message, wParam, lParam);
    }
}

} // namespace

SnakeApp& App() {
    return g_app;
}

void GdiSnakePlatform::rectangle(const desk::Rect& box, desk::Colour fill) {
    desk::Brush brush(CreateSolidBrush(fill));
    desk::Selection selected(dc_, brush.get());
    Rectangle(dc_, box.left, box.top, box.right, box.bottom);
}

void GdiSnakePlatform::textOut(int x, int y, const char* text, int count) {
    const std::wstring wide = desk::Wide(text, count);
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void LoadTexts(HINSTANCE instance) {
    LoadStringW(instance, IDS_APP_TITLE, g_app.title, static_cast<int>(std::size(g_app.title)));
    LoadStringW(instance, IDS_WINDOW_CLASS, g_app.className,
                static_cast<int>(std::size(g_app.className)));
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
    wc.lpszClassName = g_app.className;
    return RegisterClassExW(&wc);
}

HWND CreateSnakeWindow(HINSTANCE instance, int showCommand) {
    g_app.instance = instance;
    HWND hwnd = CreateWindowExW(0, g_app.className, g_app.title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
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

LRESULT CALLBACK SnakeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Every message takes its pair of draws, also those the game ignores:
    // which food positions come depends on the whole traffic of messages.
    g_app.game.TakeDraws();
    switch (message) {
    case WM_CREATE: SetTimer(hwnd, 0, kTickMilliseconds, nullptr); return 0;
    case WM_SIZE: g_app.game.ResizeField(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_KEYDOWN: g_app.game.SteerSnake(static_cast<int>(wParam)); return 0;
    case WM_TIMER:
        g_app.game.MoveSnake();
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_COMMAND: return OnCommand(hwnd, message, wParam, lParam);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return g_app.defaultHandler(hwnd, message, wParam, lParam);
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

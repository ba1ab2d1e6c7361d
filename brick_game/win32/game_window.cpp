#include "win32/game_window.h"

#include "res/resource_ids.h"
#include "platform/message_loop.h"
#include "platform/text.h"

namespace brickwin {

namespace {

brick::BrickGame g_game;
WindowHandles g_handles;
Win32BrickPlatform g_platform(g_handles);

// What the window layer does at the start of every message, before the
// game's own operation for it.
void BeginMessage(HWND hwnd, UINT message) {
    g_handles.mainWindow = hwnd;
    FillColourRequest(g_handles.colourRequest, g_game);
    if (message == WM_COMMAND)
        g_handles.menuHandle = GetMenu(hwnd);
    // Play has stopped: the system timer's period is the system's again.
    if (!g_game.isPlaying)
        g_platform.clock().releaseTimerPeriod();
}

// A paint's erase is done in its off-screen picture, which reaches the screen
// whole at the paint's end.
LRESULT OnEraseBkgnd(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    brick::OnOtherMessage(g_game, g_platform);
    if (g_platform.eraseInBuffer(reinterpret_cast<HDC>(wParam)))
        return 1;
    return DefWindowProcW(hwnd, WM_ERASEBKGND, wParam, lParam);
}

LRESULT DefaultHandling(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    brick::OnOtherMessage(g_game, g_platform);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The point of a mouse message, as signed client pixels.
desk::Point ClickPoint(LPARAM lParam) {
    return desk::Point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

brick::BrickGame& Game() {
    return g_game;
}
WindowHandles& Handles() {
    return g_handles;
}
Win32BrickPlatform& Platform() {
    return g_platform;
}

bool StartUp(HINSTANCE instance) {
    g_game = brick::BrickGame{};
    brick::StartUpDefaults(g_game);

    // A Unicode class and window: their texts are the game's own, in 1251,
    // and must not pass through the system's ANSI code page.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &GameWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_GAME));
    wc.hCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_GAME_POINTER));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassNameWide;
    return RegisterClassExW(&wc) != 0;
}

HWND CreateGameWindow(HINSTANCE instance, int showCommand) {
    g_handles.instanceHandle = instance;
    HWND hwnd =
        CreateWindowExW(0, kClassNameWide, desk::Wide(kWindowTitle).c_str(), kWindowStyle, 0, 0,
                        kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return nullptr;
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return hwnd;
}

int RunMessageLoop() {
    return desk::RunMessageLoop(desk::TranslateAndDispatch);
}

void FillColourRequest(CHOOSECOLORA& request, brick::BrickGame& game) {
    request = CHOOSECOLORA{};
    request.lStructSize = sizeof(CHOOSECOLORA);
    request.hwndOwner = nullptr;
    request.hInstance = nullptr;
    request.rgbResult = RGB(128, 128, 128);
    request.lpCustColors = reinterpret_cast<COLORREF*>(game.customColours);
    request.Flags = CC_RGBINIT | CC_FULLOPEN;
}

LRESULT CALLBACK GameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    BeginMessage(hwnd, message);
    switch (message) {
    case WM_CREATE: brick::OnCreate(g_game, g_platform); return 0;
    case WM_DESTROY: brick::OnDestroy(g_game, g_platform); return 0;
    case WM_KILLFOCUS: brick::OnKillFocus(g_game, g_platform); return 0;
    case WM_PAINT: brick::OnPaint(g_game, g_platform); return 0;
    case WM_KEYDOWN: brick::OnKeyDown(g_game, g_platform, static_cast<int>(wParam)); return 0;
    case WM_MOUSEMOVE: brick::OnMouseMove(g_game, g_platform, LOWORD(lParam)); return 0;
    case WM_LBUTTONDOWN: brick::OnLButtonDown(g_game, g_platform); return 0;
    case WM_RBUTTONDOWN: brick::OnRButtonDown(g_game, g_platform, ClickPoint(lParam)); return 0;
    case WM_RBUTTONDBLCLK: brick::OnRButtonDblClk(g_game, g_platform); return 0;
    case WM_COMMAND: return brick::OnCommand(g_game, g_platform, LOWORD(wParam));
    case WM_ERASEBKGND: return OnEraseBkgnd(hwnd, wParam, lParam);
    default: return DefaultHandling(hwnd, message, wParam, lParam);
    }
}

INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        brick::CloseHelpDialog(g_game, g_platform);
        EndDialog(dialog, LOWORD(wParam));
    }
    return FALSE;
}

} // namespace brickwin

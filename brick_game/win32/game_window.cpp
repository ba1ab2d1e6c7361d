#include "win32/game_window.h"

#include "res/resource_ids.h"
#include "platform/message_loop.h"
#include "platform/text.h"

namespace brickwin {

// The speed items of the menu are the model's speed commands.
static_assert(IDM_SPEED_VERY_SLOW == brick::cmd::SpeedVerySlow &&
                  IDM_SPEED_SLOW == brick::cmd::SpeedSlow &&
                  IDM_SPEED_NORMAL == brick::cmd::SpeedNormal &&
                  IDM_SPEED_FAST == brick::cmd::SpeedFast &&
                  IDM_SPEED_VERY_FAST == brick::cmd::SpeedVeryFast,
              "speed menu ids must match the model's speed table");
static_assert(IDM_START == brick::cmd::Start && IDM_EXIT == brick::cmd::Exit &&
                  IDM_PAUSE == brick::cmd::Pause && IDM_KEYBOARD == brick::cmd::Keyboard &&
                  IDM_MOUSE == brick::cmd::Mouse && IDM_SOUND_ON == brick::cmd::SoundOn &&
                  IDM_SOUND_OFF == brick::cmd::SoundOff &&
                  IDM_COLOUR_BRICKS == brick::cmd::BrickColour &&
                  IDM_COLOUR_BALL == brick::cmd::BallColour &&
                  IDM_COLOUR_PADDLE == brick::cmd::PaddleColour && IDM_RULES == brick::cmd::Rules &&
                  IDM_ABOUT == brick::cmd::About && IDM_AUTHOR == brick::cmd::Author,
              "menu ids must match the model's commands");
static_assert(IDD_ABOUT == brick::AboutDialogId && IDD_AUTHOR == brick::AuthorDialogId &&
                  IDD_RULES == brick::RulesDialogId,
              "dialog ids must match the model's");

namespace {

brick::BrickGame g_game;
WindowRecord g_record;
Win32BrickPlatform g_platform(g_record);

void OnCreate(HWND hwnd) {
    g_record.menuHandle = LoadMenuW(g_record.instanceHandle, MAKEINTRESOURCEW(IDR_MAIN_MENU));
    SetMenu(hwnd, g_record.menuHandle);
    brick::OnCreate(g_game, g_platform);
}

void OnDestroy() {
    PostQuitMessage(0);
    g_record.brickBrush.reset();
    g_record.ballBrush.reset();
    g_record.paddleBrush.reset();
    g_platform.releaseBuffer();
    g_platform.clock().releaseTimerPeriod();
}

LRESULT OnCommand(HWND hwnd, int commandId) {
    g_record.menuHandle = GetMenu(hwnd);
    const brick::CommandResult done = brick::Command(g_game, g_platform, commandId);
    if (done.playFrameFollows && g_game.isPlaying)
        brick::PlayFrame(g_game, g_platform);
    return static_cast<LRESULT>(done.result);
}

} // namespace

brick::BrickGame& Game() {
    return g_game;
}
WindowRecord& Record() {
    return g_record;
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
    g_record.instanceHandle = instance;
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
    g_record.mainWindow = hwnd;
    FillColourRequest(g_record.colourRequest, g_game);
    if (!g_game.isPlaying) {
        // Play has stopped: the system timer's period is the system's again.
        g_platform.clock().releaseTimerPeriod();
        brick::BannerFrame(g_game, g_platform);
    }

    switch (message) {
    case WM_CREATE: OnCreate(hwnd); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_KILLFOCUS: brick::LoseFocus(g_game, g_platform); return 0;
    case WM_PAINT:
        if (g_game.isPlaying)
            brick::PlayFrame(g_game, g_platform);
        return 0;
    case WM_KEYDOWN: brick::KeyDown(g_game, g_platform, static_cast<int>(wParam)); return 0;
    case WM_MOUSEMOVE:
        brick::MouseMove(g_game, g_platform, static_cast<std::uint16_t>(LOWORD(lParam)));
        return 0;
    case WM_LBUTTONDOWN: brick::LeftButtonDown(g_game, g_platform); return 0;
    case WM_RBUTTONDOWN: brick::RightButtonDown(g_game, g_platform, lParam); return 0;
    case WM_RBUTTONDBLCLK: brick::RightDoubleClick(g_game, g_platform); return 0;
    case WM_COMMAND: return OnCommand(hwnd, LOWORD(wParam));
    case WM_ERASEBKGND:
        // A paint's erase is done in its off-screen picture, which reaches the
        // screen whole at the paint's end.
        if (g_platform.eraseInBuffer(reinterpret_cast<HDC>(wParam)))
            return 1;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
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

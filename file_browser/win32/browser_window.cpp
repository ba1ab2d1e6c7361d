#include "win32/browser_window.h"

#include "win32/win32_browser_platform.h"

#include "platform/text.h"

namespace browser {

const char* const kClassName = "MyKlass";
const char* const kWindowTitle = "КУРСОВОЙ ПРОЕКТ [Папковод]";

namespace {

// About 2 MB with its pattern history: static storage, zero-filled at start.
BrowserState g_state;
WindowHandles g_handles;
Win32BrowserPlatform platform(g_handles);

void OnCreate(HWND window) {
    g_handles.window = window;
    g_handles.entryList = platform.createControl(
        L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_DISABLENOSCROLL,
        IDC_ENTRY_LIST, 0, 22, 305, 390);
    g_handles.exitButton =
        platform.createControl(L"BUTTON", L"Exit", 0, IDC_EXIT_BUTTON, 510, 22, 80, 40);
    // Without ES_AUTOHSCROLL a one-line edit drops the text that does not fit
    // its width: a deep folder's pattern would lose its own end.
    g_handles.pathBar = platform.createControl(
        L"edit", nullptr, WS_BORDER | ES_READONLY | ES_NOHIDESEL | ES_AUTOHSCROLL, IDC_PATH_BAR, 0,
        0, 593, 20);
    ShowRootView(g_state, platform);
}

void OnDestroy(HWND window) {
    // Controls die with the window; a new window of the process starts afresh.
    if (g_handles.window == window) {
        const HINSTANCE instance = g_handles.instance;
        g_handles = WindowHandles{};
        g_handles.instance = instance;
    }
    PostQuitMessage(0);
}

void OnCommand(WPARAM wParam) {
    RunCommand(g_state, platform, LOWORD(wParam), HIWORD(wParam));
}

} // namespace

BrowserState& TheBrowserState() {
    return g_state;
}
WindowHandles& TheWindowHandles() {
    return g_handles;
}

LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); break;
    case WM_DESTROY: OnDestroy(window); break;
    case WM_COMMAND: OnCommand(wParam); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterBrowserClass(HINSTANCE instance) {
    // A Unicode class: its window and the texts it shows are UTF-16, whatever
    // the system's ANSI code page.
    const std::wstring className = desk::Wide(kClassName);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = BrowserWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = className.c_str();
    RegisterClassExW(&wc);
}

HWND CreateBrowserWindow(HINSTANCE instance) {
    g_handles.instance = instance;
    return CreateWindowExW(0, desk::Wide(kClassName).c_str(), desk::Wide(kWindowTitle).c_str(),
                           WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                           CW_USEDEFAULT, 600, 450, nullptr, nullptr, instance, nullptr);
}

void AttachBrowserMenu(HWND window, int showMode) {
    g_handles.filePopup = CreatePopupMenu();
    AppendMenuW(g_handles.filePopup, MF_STRING | MF_GRAYED, IDM_COPY_FILE, L"&Copy File");
    AppendMenuW(g_handles.filePopup, MF_STRING | MF_GRAYED, IDM_RENAME, L"Rename");
    AppendMenuW(g_handles.filePopup, MF_SEPARATOR, IDM_SEPARATOR, nullptr);
    AppendMenuW(g_handles.filePopup, MF_STRING, IDM_EXIT, L"Exit");
    g_handles.menuBar = CreateMenu();
    AppendMenuW(g_handles.menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(g_handles.filePopup),
                L"&File");
    SetMenu(window, g_handles.menuBar);
    ShowWindow(window, showMode);
    UpdateWindow(window);
    DrawMenuBar(window);
}

} // namespace browser

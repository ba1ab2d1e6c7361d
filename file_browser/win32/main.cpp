// dirvik: a small file browser. Registers the window class, creates the main
// window, attaches its menu and runs the message loop until the quit message.
#include "win32/browser_window.h"
#include "platform/message_loop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode) {
    browser::RegisterBrowserClass(instance);
    HWND window = browser::CreateBrowserWindow(instance);
    browser::AttachBrowserMenu(window, showMode);
    return desk::RunMessageLoop(desk::TranslateAndDispatch);
}

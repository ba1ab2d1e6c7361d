// The file browser's main window: class, creation, run-time menu, controls and
// window procedure, over the one process-wide BrowserState.
#pragma once

#include "model/browser.h"
#include "platform/win32.h"

namespace browser {

// Handles of the window, its menu and its controls; null while absent.
struct BrowserHandles {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HMENU menuBar = nullptr;
    HMENU filePopup = nullptr;
    HWND entryList = nullptr;
    HWND pathBar = nullptr;
    HWND exitButton = nullptr;
    HWND upButton = nullptr;
    HWND promptField = nullptr;
    HWND inputField = nullptr;
    HWND okCopyButton = nullptr;
    HWND okRenameButton = nullptr;
    HWND cancelButton = nullptr;
};

extern const char* const kClassName;
extern const char* const kWindowTitle;

// The process-wide state and handles, owned by the main window.
BrowserState& TheBrowserState();
BrowserHandles& TheBrowserHandles();

LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers "MyKlass" (the result is not needed: a second registration fails
// harmlessly).
void RegisterBrowserClass(HINSTANCE instance);
// Creates the fixed 600 x 450 main window; WM_CREATE builds the list, the
// "Exit" button, the path bar and the root view.
HWND CreateBrowserWindow(HINSTANCE instance);
// Builds the "&File" menu at run time, attaches it, shows and updates the
// window and draws the menu bar.
void AttachBrowserMenu(HWND window, int showMode);

} // namespace browser

// The file browser's main window: class, creation, run-time menu, controls and
// window procedure, over the one process-wide BrowserState.
#pragma once

#include "model/browser.h"
#include "platform/win32.h"
#include "win32/window_handles.h"

namespace browser {

extern const char* const kClassName;
extern const char* const kWindowTitle;

// The process-wide state and handles, owned by the main window.
BrowserState& TheBrowserState();
WindowHandles& TheWindowHandles();

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

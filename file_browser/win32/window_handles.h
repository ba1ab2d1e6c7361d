// The Win32 handles of the browser's window, its menu and its controls.
#pragma once

#include "platform/win32.h"

namespace browser {

// Null while absent.
struct WindowHandles {
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

} // namespace browser

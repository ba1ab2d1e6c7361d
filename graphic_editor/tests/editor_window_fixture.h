// A real editor window for the Wine-side tests: registered, created, shown
// and painted once before each test, destroyed after it.
#pragma once

#include "platform/testing/wine_support.h"
#include "win32/editor_window.h"

#include <gtest/gtest.h>

namespace risovik::win {

class EditorWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        RegisterEditorClass(instance);
        hwnd = CreateEditorWindow(instance);
        ASSERT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    void TearDown() override {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        desk::testing::PumpPending(); // also takes the quit message WM_DESTROY posts
    }
    // The command alone: no repaint follows until the test asks for one.
    void Send(int id) { SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    // The command, then the repaint it asks for.
    void Command(int id) {
        Send(id);
        UpdateWindow(hwnd);
    }
    void Press(int x, int y) { SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    // The release, then the repaint it asks for.
    void Release(int x, int y) {
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        UpdateWindow(hwnd);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        Press(x0, y0);
        Release(x1, y1);
    }
    // Picks a tool and a colour (commands alone), then draws from the first
    // point to the second.
    void Draw(int tool, int colour, int x0, int y0, int x1, int y1) {
        Send(tool);
        Send(colour);
        Drag(x0, y0, x1, y1);
    }
    // A repaint as when the window is uncovered.
    void Repaint() {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    }
    COLORREF Canvas(int x, int y) { return GetPixel(Handles().canvasSurface.get(), x, y); }

    HWND hwnd = nullptr;
};

} // namespace risovik::win

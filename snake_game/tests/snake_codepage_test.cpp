// polzun under each ANSI code page (1251, 1252, 65001): its window is a
// Unicode one whose title and class read as the resources hold them.
#include "win32/snake_window.h"

#include "platform/testing/wine_support.h"
#include "platform/text.h"

#include <gtest/gtest.h>

namespace {

TEST(SnakeCodePage, TitleAndClassReadTheSameWhateverTheCodePage) {
    if (desk::testing::ExpectedCodePage() != 0) {
        ASSERT_EQ(GetACP(), desk::testing::ExpectedCodePage());
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    snake::LoadTexts(instance);
    snake::RegisterSnakeClass(instance);
    HWND hwnd = snake::CreateSnakeWindow(instance, SW_SHOWNORMAL);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindowUnicode(hwnd));
    EXPECT_EQ(desk::WindowTextWide(hwnd), L"polzun");
    wchar_t cls[100] = {};
    GetClassNameW(hwnd, cls, 100);
    EXPECT_STREQ(cls, L"POLZUN");
    DestroyWindow(hwnd);
}

} // namespace

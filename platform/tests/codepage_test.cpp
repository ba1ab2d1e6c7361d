// Run once per ANSI code page (1251, 1252, 65001): the own-text conversion
// and a wide window's title must not depend on it.
#include "platform/message_loop.h"
#include "platform/testing/wine_support.h"
#include "platform/text.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, RunHasTheCodePageItWasStartedFor) {
    const unsigned expected = desk::testing::ExpectedCodePage();
    if (expected == 0)
        GTEST_SKIP() << "no code page asked for";
    EXPECT_EQ(GetACP(), expected);
}

TEST(CodePage, OwnTextsConvertFrom1251WhateverTheSystemCodePage) {
    const char* own = "П Л И Т О Б О Й ёЁ№";
    EXPECT_EQ(desk::Wide(own), L"П Л И Т О Б О Й ёЁ№");
    EXPECT_EQ(desk::Narrow(L"Мой компьютер"), "Мой компьютер");
    EXPECT_EQ(desk::Wide("", 0), L"");

    HWND w = CreateWindowExW(0, L"STATIC", desk::Wide(own).c_str(), WS_OVERLAPPED, 0, 0, 50, 50,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(desk::WindowTextWide(w), L"П Л И Т О Б О Й ёЁ№");
    EXPECT_EQ(desk::testing::WindowTextOf(w), own);
    DestroyWindow(w);
}

} // namespace

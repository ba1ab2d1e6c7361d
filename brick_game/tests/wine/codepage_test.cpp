// Run once per ANSI code page (1251, 1252, 65001): the game's title and the
// banners it draws must read as the same Cyrillic on each.
#include "platform/testing/wine_support.h"
#include "platform/text.h"
#include "win32/game_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

BOOL WINAPI Silent(LPCSTR, HMODULE, DWORD) {
    return TRUE;
}

// The pixels of a box of a device context, row by row.
std::vector<std::uint32_t> Pixels(HDC source, const RECT& box) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    desk::Bitmap dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    desk::MemoryDc memory(source);
    if (!dib || !bits || !memory.get())
        return {};
    desk::Selection select(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, w, h, source, box.left, box.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    return std::vector<std::uint32_t>(p, p + static_cast<size_t>(w) * h);
}

TEST(BrickCodePage, TitleAndBannersShowTheirCyrillicLetters) {
    const unsigned expected = desk::testing::ExpectedCodePage();
    if (expected != 0) {
        ASSERT_EQ(GetACP(), expected) << "the run did not get its code page";
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    brickwin::Platform().setSoundFunction(&Silent);
    ASSERT_TRUE(brickwin::StartUp(instance));
    HWND hwnd = brickwin::CreateGameWindow(instance, SW_SHOW);
    ASSERT_NE(hwnd, nullptr);
    desk::testing::PumpFor(50);
    EXPECT_EQ(desk::WindowTextWide(hwnd), L"П Л И Т О Б О Й");

    // The upper banner line of each mode, as the system font draws the
    // intended letters in the banner's colours.
    const struct {
        std::int32_t mode;
        const wchar_t* text;
    } banners[] = {{brick::ModeTitle, L" П Л И Т О Б О Й"}, {brick::ModePaused, L"П А У З А"}};
    for (const auto& banner : banners) {
        brick::BrickGame& game = brickwin::Game();
        game.screenMode = banner.mode;
        game.bannerTopX = 99;
        SendMessageW(hwnd, WM_NULL, 0, 0); // every message runs a banner frame
        HDC picture = brickwin::Platform().bufferDc();
        ASSERT_NE(picture, nullptr);
        desk::MemoryDc reference(picture);
        const int length = static_cast<int>(wcslen(banner.text));
        SIZE size{};
        GetTextExtentPoint32W(reference.get(), banner.text, length, &size);
        desk::Bitmap canvas(CreateCompatibleBitmap(picture, size.cx, size.cy));
        desk::Selection select(reference.get(), canvas.get());
        SetTextColor(reference.get(), RGB(200, 0, 0));
        SetBkColor(reference.get(), RGB(1, 0, 0));
        SetBkMode(reference.get(), OPAQUE);
        TextOutW(reference.get(), 0, 0, banner.text, length);
        const RECT drawn{100, 180, 100 + size.cx, 180 + size.cy};
        EXPECT_EQ(Pixels(picture, drawn), Pixels(reference.get(), RECT{0, 0, size.cx, size.cy}))
            << "banner of mode " << banner.mode << " is not drawn as its Cyrillic letters";
    }
    DestroyWindow(hwnd);
}

} // namespace

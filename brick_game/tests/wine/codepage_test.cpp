// Run once per ANSI code page (1251, 1252, 65001): the game's title and the
// banners it draws must read as the same Cyrillic on each.
#include "game_fixture.h"
#include "platform/text.h"

namespace brickwin::testing {
namespace {

TEST(BrickCodePage, TitleAndBannersShowTheirCyrillicLetters) {
    const unsigned expected = desk::testing::ExpectedCodePage();
    if (expected != 0) {
        ASSERT_EQ(GetACP(), expected) << "the run did not get its code page";
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    Platform().setSoundFunction(&RecordSound);
    ASSERT_TRUE(StartUp(instance));
    HWND hwnd = CreateGameWindow(instance, SW_SHOW);
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
        brick::BrickGame& game = Game();
        game.screenMode = banner.mode;
        game.bannerTopX = 99;
        SendMessageW(hwnd, WM_NULL, 0, 0); // every message runs a banner frame
        HDC picture = Platform().bufferDc();
        ASSERT_NE(picture, nullptr);
        const ClientShot drawn(hwnd, picture);
        desk::MemoryDc reference(picture);
        desk::Bitmap canvas(CreateCompatibleBitmap(picture, drawn.width(), drawn.height()));
        desk::Selection select(reference.get(), canvas.get());
        const int length = static_cast<int>(wcslen(banner.text));
        SIZE size{};
        GetTextExtentPoint32W(reference.get(), banner.text, length, &size);
        SetTextColor(reference.get(), RGB(200, 0, 0));
        SetBkColor(reference.get(), RGB(1, 0, 0));
        TextOutW(reference.get(), 100, 180, banner.text, length);
        const ClientShot intended(hwnd, reference.get());
        int differ = 0;
        for (int y = 180; y < 180 + size.cy; ++y)
            for (int x = 100; x < 100 + size.cx; ++x)
                differ += drawn.at(x, y) != intended.at(x, y) ? 1 : 0;
        EXPECT_EQ(differ, 0) << "mode " << banner.mode << ": not drawn as its Cyrillic letters";
    }
    DestroyWindow(hwnd);
}

} // namespace
} // namespace brickwin::testing

// The main window as WinMain makes it: class, title, style, size, the message
// loop, the banner frames of the title screen and the play frames of WM_PAINT.
#include "game_fixture.h"
#include "res/resource_ids.h"

namespace brickwin::testing {
namespace {

using desk::testing::WindowTextOf;

TEST_F(GameWindowTest, ClassHasDoubleClicksIconPointerAndBlackBackground) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(instance_, "Velmorin", &wc));
    EXPECT_EQ(wc.style, 11u) << "CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS";
    EXPECT_EQ(wc.hIcon, LoadIconA(instance_, MAKEINTRESOURCEA(IDI_GAME)));
    EXPECT_NE(wc.hIcon, nullptr);
    EXPECT_EQ(wc.hCursor, LoadCursorA(instance_, MAKEINTRESOURCEA(IDC_GAME_POINTER)));
    EXPECT_NE(wc.hCursor, nullptr);
    EXPECT_EQ(wc.hbrBackground, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(wc.lpszMenuName, nullptr) << "the menu is set at WM_CREATE, not by the class";
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
}

TEST_F(GameWindowTest, WindowHasItsTitleStyleAndPlace) {
    const std::string title = WindowTextOf(hwnd_);
    const unsigned char expected[] = {0xCF, ' ', 0xCB, ' ', 0xC8, ' ', 0xD2, ' ',
                                      0xCE, ' ', 0xC1, ' ', 0xCE, ' ', 0xC9};
    ASSERT_EQ(title.size(), sizeof expected) << title;
    for (size_t i = 0; i < sizeof expected; ++i)
        EXPECT_EQ(static_cast<unsigned char>(title[i]), expected[i]) << "byte " << i;

    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    for (LONG bit : {WS_VISIBLE, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX})
        EXPECT_EQ(style & bit, bit) << std::hex << "style 0x" << style << " lacks 0x" << bit;
    for (LONG bit : {WS_MAXIMIZEBOX, WS_THICKFRAME, WS_CHILD})
        EXPECT_EQ(style & bit, 0) << std::hex << "style 0x" << style << " has 0x" << bit;

    RECT r{};
    GetWindowRect(hwnd_, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 520);
}

TEST_F(GameWindowTest, TitleMusicLoopsFromCreation) {
    ASSERT_FALSE(SoundLog().empty());
    EXPECT_EQ(SoundLog().front(), (SoundCall{"play.wav", kLoop}));
}

TEST_F(GameWindowTest, TitleScreenScrollsWhileMessagesArrive) {
    const int top = Game().bannerTopX;
    const int bottom = Game().bannerBottomX;
    PumpFor(300);
    EXPECT_GT(Game().bannerTopX, top + 5) << "the upper line moves right frame by frame";
    EXPECT_LT(Game().bannerBottomX, bottom - 5) << "the lower line moves left";
    EXPECT_EQ(top - Game().bannerTopX, Game().bannerBottomX - bottom);

    // The title text stands in red at y 180 where bannerTopX says.
    ClientShot shot(hwnd_);
    const RECT line{0, 178, 700, 200};
    EXPECT_GT(shot.count(line, RGB(200, 0, 0)), 20) << "no title text on the screen";
}

TEST_F(GameWindowTest, ClosingEndsTheLoopWithCodeZero) {
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(hwnd_));
}

TEST_F(GameWindowTest, MessageLoopReturnsTheQuitParameter) {
    PostQuitMessage(7);
    EXPECT_EQ(RunMessageLoop(), 7);
}

TEST_F(GameWindowTest, PaintMessagesDrivePlayFramesAndTheBallMoves) {
    StartPlay();
    const int y0 = Game().ballY;
    ASSERT_FALSE(Game().ballInFlight);
    SendMessageA(hwnd_, WM_LBUTTONDOWN, 0, MAKELPARAM(100, 100));
    ASSERT_TRUE(Game().ballInFlight);
    EXPECT_TRUE(PumpUntil([] { return Game().stepCount > 20; }, 2000))
        << "stepCount " << Game().stepCount << ": no play frames came";
    EXPECT_NE(Game().ballY, y0);
    EXPECT_LT(Game().ballY, 445) << "the ball left the paddle upwards";
}

TEST(GameWindowStartUp, CreationFailsWithoutTheClass) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA(kClassName, instance);
    EXPECT_EQ(CreateGameWindow(instance, SW_SHOW), nullptr);
}

} // namespace
} // namespace brickwin::testing

// What play looks like on the screen and how input reaches it: the playfield
// drawn by play frames, repaints limited to the areas asked for, and the
// mouse and keyboard controls with their pointer handling.
#include "game_fixture.h"
#include "res/resource_ids.h"

#include <colordlg.h>

#include <utility>
#include <vector>

namespace brickwin::testing {
namespace {

using desk::testing::ColourName;

constexpr COLORREF kBrick = RGB(0, 0, 250);
constexpr COLORREF kPaddle = RGB(0, 240, 0);
constexpr COLORREF kBall = RGB(240, 240, 10);

// Puts the pointer outside the window so that it does not steer the paddle.
void ParkPointerAway() {
    SetCursorPos(1000, 900);
}

// The key messages sent to the window while a watch is on, with their
// parameters.
std::vector<std::pair<WPARAM, LPARAM>>& SentKeys() {
    static std::vector<std::pair<WPARAM, LPARAM>> keys;
    return keys;
}

LRESULT CALLBACK WatchSentKeys(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_KEYDOWN)
        SentKeys().emplace_back(sent->wParam, sent->lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int ClampedPaddle() {
    const int x = Game().paddleX;
    return x < 21 ? 21 : x > 622 ? 622 : x;
}

TEST_F(GameWindowTest, PlayShowsTwentySevenBricksThePaddleAndTheSpareBalls) {
    ParkPointerAway();
    StartPlay();
    PumpFor(150);
    ClientShot shot(hwnd_);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 9; ++c) {
            // Inside the black one-pixel outline of the default pen.
            const RECT inner{101 + 56 * c, 101 + 21 * r, 154 + 56 * c, 119 + 21 * r};
            const int area = (inner.right - inner.left) * (inner.bottom - inner.top);
            EXPECT_EQ(shot.count(inner, kBrick), area)
                << "brick " << r << "," << c << " centre "
                << ColourName(shot.at(inner.left + 20, inner.top + 8));
            EXPECT_EQ(shot.at(155 + 56 * c, 110 + 21 * r), RGB(0, 0, 0))
                << "gap after column " << c;
        }
    }
    const int p = ClampedPaddle();
    const RECT paddleCore{p - 10, 458, p + 60, 467};
    EXPECT_EQ(shot.count(paddleCore, kPaddle), 70 * 9) << "paddle at " << p;
    EXPECT_EQ(shot.at(p + 35, 450), kBall)
        << "ball resting on the paddle: " << ColourName(shot.at(p + 35, 450));
    // Two spare balls: icons at (10, 10) and (50, 10), nothing beyond.
    EXPECT_GT(shot.count(RECT{10, 10, 42, 42}, RGB(0, 0, 0)), 0);
    EXPECT_LT(shot.count(RECT{10, 10, 42, 42}, RGB(0, 0, 0)), 32 * 32) << "first spare ball";
    EXPECT_LT(shot.count(RECT{50, 10, 82, 42}, RGB(0, 0, 0)), 32 * 32) << "second spare ball";
    EXPECT_EQ(shot.count(RECT{90, 10, 122, 42}, RGB(0, 0, 0)), 32 * 32);
    EXPECT_GT(shot.count(RECT{650, 20, 700, 40}, RGB(200, 0, 0)), 3) << "score";
}

TEST_F(GameWindowTest, PlayFramesRepaintOnlyTheAreasAskedFor) {
    ParkPointerAway();
    StartPlay();
    PumpFor(100);
    // A mark outside every area that play asks to repaint.
    {
        desk::WindowDc dc(hwnd_);
        desk::Brush white(CreateSolidBrush(RGB(255, 255, 255)));
        RECT mark{300, 300, 310, 310};
        FillRect(dc.get(), &mark, white.get());
    }
    PumpFor(200);
    EXPECT_EQ(ClientShot(hwnd_).at(305, 305), RGB(255, 255, 255))
        << "a play frame repainted outside its update region";

    // The paddle strip is asked for on every paddle move; it does not reach the mark.
    SendMessageA(hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(200, 460));
    PumpFor(100);
    ClientShot moved(hwnd_);
    EXPECT_EQ(moved.at(305, 305), RGB(255, 255, 255));
    EXPECT_EQ(moved.at(215, 462), kPaddle) << "paddle follows to 200";

    // Asking for a repaint over the mark erases it to the black background.
    RECT over{290, 290, 320, 320};
    InvalidateRect(hwnd_, &over, TRUE);
    PumpFor(100);
    EXPECT_EQ(ClientShot(hwnd_).at(305, 305), RGB(0, 0, 0));
}

TEST_F(GameWindowTest, ChosenBrickColourShowsOnceEnterRemakesTheBrushes) {
    ParkPointerAway();
    desk::testing::ModalAnswerer answerer;
    answerer.push(IDOK, [](HWND d) {
        SetDlgItemInt(d, COLOR_RED, 200, FALSE);
        SetDlgItemInt(d, COLOR_GREEN, 100, FALSE);
        SetDlgItemInt(d, COLOR_BLUE, 0, FALSE);
    });
    Command(IDM_COLOUR_BRICKS);
    ASSERT_EQ(Game().brickColour, RGB(200, 100, 0));
    StartPlay();
    PumpFor(100);
    EXPECT_EQ(ClientShot(hwnd_).at(120, 110), RGB(200, 100, 0));
}

TEST_F(GameWindowTest, RightClickStartsAndRightDoubleClickPausesInMouseMode) {
    SetCursorPos(120, 140);
    HHOOK watch = SetWindowsHookExW(WH_CALLWNDPROC, &WatchSentKeys, nullptr, GetCurrentThreadId());
    ASSERT_NE(watch, nullptr);
    SentKeys().clear();
    SendMessageA(hwnd_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 100));
    EXPECT_EQ(Game().screenMode, brick::ModeRoundIntro) << "re-sent as Enter";
    EXPECT_EQ(SentKeys(),
              (std::vector<std::pair<WPARAM, LPARAM>>{{VK_RETURN, MAKELPARAM(50, 100)}}))
        << "the click's point goes along";
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    ci.cbSize = sizeof ci;
    GetCursorInfo(&ci);
    EXPECT_EQ(ci.flags & CURSOR_SHOWING, 0u) << "pointer hidden from the intro on";

    SendMessageA(hwnd_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(Game().isPlaying) << "a second click skips the intro";
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 350) << "pointer restored to the saved place";
    EXPECT_EQ(p.y, 250);

    SetCursorPos(123, 234);
    SoundLog().clear();
    SentKeys().clear();
    SendMessageA(hwnd_, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(5, 5));
    UnhookWindowsHookEx(watch);
    EXPECT_EQ(SentKeys(), (std::vector<std::pair<WPARAM, LPARAM>>{{VK_PAUSE, 0}}));
    EXPECT_FALSE(Game().isPlaying) << "re-sent as Pause";
    EXPECT_EQ(Game().screenMode, brick::ModePaused);
    EXPECT_EQ(SoundLog(), (std::vector<SoundCall>{{"pause.wav", kStart}}));
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 350) << "pointer parked while paused";
    EXPECT_EQ(p.y, 250);
    ci.cbSize = sizeof ci;
    GetCursorInfo(&ci);
    EXPECT_EQ(ci.flags & CURSOR_SHOWING, static_cast<DWORD>(CURSOR_SHOWING))
        << "shown while paused";

    SendMessageA(hwnd_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(Game().isPlaying) << "right click resumes";
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 123) << "pointer back where it was";
    EXPECT_EQ(p.y, 234);
    ci.cbSize = sizeof ci;
    GetCursorInfo(&ci);
    EXPECT_EQ(ci.flags & CURSOR_SHOWING, 0u);
}

TEST_F(GameWindowTest, KeyboardModeSteersWithArrowsAndLaunchesWithSpace) {
    ParkPointerAway();
    Command(IDM_KEYBOARD);
    StartPlay();
    EXPECT_EQ(Game().paddleX, 350) << "keyboard play starts the paddle in the middle";
    SendMessageA(hwnd_, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    SendMessageA(hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(40, 460));
    SendMessageA(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(Game().isPlaying) << "right button ignored in keyboard mode";
    EXPECT_EQ(Game().paddleX, 350) << "mouse ignored in keyboard mode";
    EXPECT_FALSE(Game().ballInFlight) << "left button ignored in keyboard mode";

    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(Game().paddleX, 250);
    Key(VK_RIGHT);
    EXPECT_EQ(Game().paddleX, 300);
    PumpFor(100);
    EXPECT_EQ(ClientShot(hwnd_).at(325, 462), kPaddle) << "paddle drawn at its new place";
    Key(VK_SPACE);
    EXPECT_TRUE(Game().ballInFlight);
}

TEST_F(GameWindowTest, LosingTheFocusPausesWithoutACue) {
    StartPlay();
    SoundLog().clear();
    SetCursorPos(222, 111);
    SendMessageA(hwnd_, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(Game().isPlaying);
    EXPECT_EQ(Game().screenMode, brick::ModePaused);
    EXPECT_TRUE(SoundLog().empty());
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 222) << "the pointer is not moved";
    EXPECT_EQ(Game().savedCursorX, 222);
    EXPECT_EQ(Game().savedCursorY, 111);
}

} // namespace
} // namespace brickwin::testing

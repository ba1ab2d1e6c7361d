// The editor's window layer under Wine with real windows and GDI: layout,
// menu, drawing through mouse messages, transforms, button looks, the About
// box and the end of the run.
#include "platform/testing/wine_support.h"
#include "resource.h"
#include "win32/editor_window.h"

#include "editor_window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace risovik::win {
namespace {

using desk::testing::ColourName;
using desk::testing::ModalAnswerer;
using desk::testing::PumpPending;
using desk::testing::StaticTextsOf;
using desk::testing::WindowTextOf;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class EditorWindowTest : public EditorWindowFixture {
  protected:
    std::vector<COLORREF> Snapshot() {
        std::vector<COLORREF> all;
        all.reserve(450 * 400);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 450; ++x)
                all.push_back(Canvas(x, y));
        return all;
    }
    bool Pushed(int id) {
        return (SendMessageA(GetDlgItem(hwnd, id), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }
    // Which of the buttons with these ids show the pushed look, as "1 5".
    std::string PushedOf(std::initializer_list<int> ids) {
        std::string out;
        for (int id : ids)
            if (Pushed(id))
                out += (out.empty() ? "" : " ") + std::to_string(id);
        return out;
    }
    // A fixed picture: a red rectangle, a green line and a few white pixels.
    void DrawPattern() {
        Send(IDM_NEW);
        UpdateWindow(hwnd);
        Draw(IDC_RECTANGLE_TOOL, IDC_RED, 30, 40, 200, 100);
        Draw(IDC_LINE_TOOL, IDC_GREEN, 10, 300, 400, 20);
        Send(IDM_NEW); // deselects the tool; the clear is undone below
        State().clearPending = 0;
        for (desk::Point p : {desk::Point{10, 1}, desk::Point{0, 399}, desk::Point{449, 399}})
            SetPixel(Handles().canvasSurface.get(), p.x, p.y, kWhite);
        UpdateWindow(hwnd);
    }
};

TEST_F(EditorWindowTest, WindowClassTitleAndFixedFrame) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof className);
    EXPECT_STREQ(className, "LMN 07-3");
    // The title's Cyrillic compiles to Windows-1251: "К" is 0xCA.
    const std::string title = WindowTextOf(hwnd);
    EXPECT_EQ(title, kWindowTitle);
    ASSERT_FALSE(title.empty());
    EXPECT_EQ(static_cast<unsigned char>(title[0]), 0xCAu);
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 650);
    EXPECT_EQ(r.bottom - r.top, 455);
}

TEST_F(EditorWindowTest, ControlsInCreationOrderWithIdsPlacesAndTexts) {
    struct Expected {
        const char* cls;
        const char* text;
        int id, x, y, w, h;
    };
    const Expected expected[] = {
        {"Button", "Line", 1, 460, 0, 80, 70},
        {"Button", "Rectangle", 2, 540, 0, 80, 70},
        {"Button", "Ellipse", 3, 460, 70, 80, 70},
        {"Button", "Text", 4, 540, 70, 80, 70},
        {"Button", "RED", 5, 460, 160, 60, 30},
        {"Button", "GREEN", 6, 460, 190, 60, 30},
        {"Button", "BLUE", 7, 530, 160, 60, 30},
        {"Button", "MAGENA", 8, 530, 190, 60, 30},
        {"Edit", "", 10, 460, 240, 120, 20},
        {"Button", "Rotate 90%", 12, 460, 300, 80, 70},
        {"Button", "Macshtab", 13, 550, 300, 80, 70},
    };
    HWND child = GetWindow(hwnd, GW_CHILD);
    for (const Expected& e : expected) {
        ASSERT_NE(child, nullptr) << "missing control " << e.id;
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(GetDlgCtrlID(child), e.id);
        EXPECT_STRCASEEQ(cls, e.cls) << "control " << e.id;
        EXPECT_EQ(WindowTextOf(child), e.text) << "control " << e.id;
        EXPECT_EQ(r.left, e.x) << "control " << e.id;
        EXPECT_EQ(r.top, e.y) << "control " << e.id;
        EXPECT_EQ(r.right - r.left, e.w) << "control " << e.id;
        EXPECT_EQ(r.bottom - r.top, e.h) << "control " << e.id;
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "an extra control";
    const LONG field = GetWindowLongA(GetDlgItem(hwnd, 10), GWL_STYLE);
    // WS_BORDER is not checked: the edit control takes it out of its style
    // and draws the border itself.
    EXPECT_TRUE(field & ES_AUTOHSCROLL);
    EXPECT_TRUE(field & ES_NOHIDESEL);
    EXPECT_FALSE(field & ES_MULTILINE);
}

TEST_F(EditorWindowTest, MenuTextsAndCommands) {
    HMENU menu = GetMenu(hwnd);
    ASSERT_NE(menu, nullptr);
    struct Item {
        int id;
        const char* text;
    };
    const Item items[] = {
        {40001, "&New"},      {40002, "&Open File"}, {40003, "&Save File"}, {40004, "&Exit"},
        {40006, "90"},        {40007, "180"},        {40008, "x2"},         {40009, "x4"},
        {40012, "MetaFile1"}, {40013, "MetaFile2"},  {40014, "MetaFile3"},  {40016, "MetaFile1"},
        {40017, "MetaFile2"}, {40018, "MetaFile3"},
    };
    for (const Item& item : items) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(item.id), text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ(text, item.text) << "item " << item.id;
    }
    const char* bar[] = {"&File", "&Rotation", "&Scaling", "&Meta Files", "&About"};
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    for (int i = 0; i < 5; ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, bar[i]);
    }
    EXPECT_EQ(GetMenuItemID(menu, 4), 40005u) << "About is a command on the bar";
    HMENU meta = GetSubMenu(menu, 3);
    char open[32] = {}, save[32] = {};
    GetMenuStringA(meta, 0, open, sizeof open, MF_BYPOSITION);
    GetMenuStringA(meta, 1, save, sizeof save, MF_BYPOSITION);
    EXPECT_STREQ(open, "&Open MetaFile");
    EXPECT_STREQ(save, "&Save Meta File");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(meta, 1), 0), 40016u);
}

TEST_F(EditorWindowTest, StartsWithABlackCanvasOnScreen) {
    EXPECT_EQ(ColourName(Canvas(0, 0)), ColourName(kBlack));
    EXPECT_EQ(ColourName(Canvas(449, 399)), ColourName(kBlack));
    EXPECT_EQ(ColourName(desk::testing::ClientPixel(hwnd, 225, 200)), ColourName(kBlack));
}

TEST_F(EditorWindowTest, RedLineRepaintedGreenAfterColourChange) {
    Draw(IDC_LINE_TOOL, IDC_RED, 50, 100, 250, 100);
    EXPECT_EQ(ColourName(Canvas(150, 100)), ColourName(kRed));
    EXPECT_EQ(ColourName(desk::testing::ClientPixel(hwnd, 150, 100)), ColourName(kRed));
    Send(IDC_GREEN);
    EXPECT_EQ(ColourName(Canvas(150, 100)), ColourName(kRed)) << "a colour alone repainted";
    Repaint();
    EXPECT_EQ(ColourName(Canvas(150, 100)), ColourName(kGreen));
    EXPECT_EQ(ColourName(desk::testing::ClientPixel(hwnd, 150, 100)), ColourName(kGreen));
    EXPECT_EQ(ColourName(Canvas(150, 130)), ColourName(kBlack));
}

TEST_F(EditorWindowTest, RectangleWithReleaseAboveAndLeftOfPress) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 300, 250, 100, 120);
    EXPECT_EQ(ColourName(Canvas(200, 185)), ColourName(kRed)) << "inside";
    EXPECT_EQ(ColourName(Canvas(101, 121)), ColourName(kRed)) << "near the release corner";
    EXPECT_EQ(ColourName(Canvas(298, 248)), ColourName(kRed)) << "near the press corner";
    EXPECT_EQ(ColourName(Canvas(95, 185)), ColourName(kBlack)) << "left of it";
    EXPECT_EQ(ColourName(Canvas(200, 255)), ColourName(kBlack)) << "below it";
}

TEST_F(EditorWindowTest, EllipseIsFilledInsideItsBoxOnly) {
    Draw(IDC_ELLIPSE_TOOL, IDC_MAGENTA, 300, 200, 100, 100);
    EXPECT_EQ(ColourName(Canvas(200, 150)), ColourName(RGB(255, 0, 255))) << "centre";
    EXPECT_EQ(ColourName(Canvas(104, 104)), ColourName(kBlack)) << "corner of the box";
    EXPECT_EQ(ColourName(Canvas(200, 205)), ColourName(kBlack)) << "below the box";
}

TEST_F(EditorWindowTest, LabelIsDrawnInBlackOnTheMenuColour) {
    const COLORREF menu = GetSysColor(COLOR_MENU);
    int onMenu = 0;
    int black = 0;
    for (int y = 225; y < 238; ++y) {
        for (int x = 460; x < 540; ++x) {
            const COLORREF c = desk::testing::ClientPixel(hwnd, x, y);
            onMenu += c == menu;
            black += c == kBlack;
        }
    }
    EXPECT_GT(onMenu, 100) << "background " << ColourName(menu) << " missing";
    EXPECT_GT(black, 20) << "no black letters";
}

TEST_F(EditorWindowTest, NewClearsTheCanvasAndDeselectsTheTool) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 10, 10, 60, 60);
    ASSERT_EQ(ColourName(Canvas(30, 30)), ColourName(kRed));
    Send(IDM_NEW);
    UpdateWindow(hwnd);
    EXPECT_EQ(ColourName(Canvas(30, 30)), ColourName(kBlack));
    EXPECT_FALSE(Pushed(IDC_RECTANGLE_TOOL));
    EXPECT_TRUE(Pushed(IDC_RED));
    Drag(10, 10, 60, 60);
    EXPECT_EQ(ColourName(Canvas(30, 30)), ColourName(kBlack)) << "drew with no tool";
}

TEST_F(EditorWindowTest, PointsBeyondTheCanvasLeaveItUnchanged) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 625, 380, 640, 395); // panel background, right of the buttons
    const std::vector<COLORREF> after = Snapshot();
    for (std::size_t i = 0; i < after.size(); ++i)
        ASSERT_EQ(after[i], kBlack) << "pixel " << i % 450 << "," << i / 450;
}

TEST_F(EditorWindowTest, ButtonLooksFollowCommandsAndTransforms) {
    const auto tools = {1, 2, 3, 4};
    const auto colours = {5, 6, 7, 8};
    for (int id : tools) {
        Send(id);
        EXPECT_EQ(PushedOf(tools), std::to_string(id));
        EXPECT_EQ(PushedOf(colours), "");
    }
    for (int id : colours) {
        Send(id);
        EXPECT_EQ(PushedOf(colours), std::to_string(id));
        EXPECT_EQ(PushedOf(tools), "4");
    }
    Send(IDC_ROTATE);
    EXPECT_EQ(PushedOf(tools), "") << "after a quarter turn";
    EXPECT_EQ(PushedOf(colours), "8");
    Send(IDC_ELLIPSE_TOOL);
    Send(IDM_SCALE_X2);
    EXPECT_EQ(PushedOf(tools), "") << "after a halving";
    EXPECT_EQ(State().ellipseTool, 0);
}

TEST_F(EditorWindowTest, QuarterTurnMovesPixelsOnRealGdi) {
    DrawPattern();
    Send(IDM_ROTATE_90);
    UpdateWindow(hwnd);
    EXPECT_EQ(ColourName(Canvas(449, 10)), ColourName(kWhite)) << "from (10, 1)";
    EXPECT_EQ(ColourName(Canvas(51, 0)), ColourName(kWhite)) << "from (0, 399)";
    EXPECT_EQ(ColourName(Canvas(50, 0)), ColourName(kBlack)) << "band on the left";
    // The red rectangle (30..200, 40..100) turns into (350..410, 30..200).
    EXPECT_EQ(ColourName(Canvas(380, 100)), ColourName(kRed));
    EXPECT_EQ(ColourName(desk::testing::ClientPixel(hwnd, 380, 100)), ColourName(kRed));
}

TEST_F(EditorWindowTest, HalfTurnEqualsTwoQuarterTurns) {
    DrawPattern();
    Send(IDM_ROTATE_180);
    const std::vector<COLORREF> halfTurn = Snapshot();
    DrawPattern();
    Send(IDM_ROTATE_90);
    Send(IDM_ROTATE_90);
    const std::vector<COLORREF> twice = Snapshot();
    ASSERT_EQ(halfTurn.size(), twice.size());
    for (std::size_t i = 0; i < halfTurn.size(); ++i)
        ASSERT_EQ(ColourName(halfTurn[i]), ColourName(twice[i]))
            << "pixel " << i % 450 << "," << i / 450;
    EXPECT_EQ(ColourName(halfTurn[380 * 450 + 300]), ColourName(kRed)) << "from (150, 70)";
    EXPECT_EQ(ColourName(halfTurn[40 * 450 + 300]), ColourName(kBlack)) << "top band";
}

TEST_F(EditorWindowTest, QuarterHalvingEqualsTwoHalvings) {
    DrawPattern();
    Send(IDM_SCALE_X4);
    const std::vector<COLORREF> quarter = Snapshot();
    DrawPattern();
    Send(IDM_SCALE_X2);
    Send(IDM_SCALE_X2);
    EXPECT_TRUE(quarter == Snapshot());
    EXPECT_EQ(ColourName(quarter[15 * 450 + 20]), ColourName(kRed)) << "from (83, 63)";
    EXPECT_EQ(ColourName(quarter[15 * 450 + 120]), ColourName(kBlack));
}

// An opened picture smaller than the canvas area: what lies beyond it is
// turned as black, never as an invalid colour.
TEST_F(EditorWindowTest, TransformOfASmallPictureTreatsTheRestAsBlack) {
    HDC screen = GetDC(hwnd);
    HBITMAP small = CreateCompatibleBitmap(screen, 100, 80);
    ReleaseDC(hwnd, screen);
    {
        desk::MemoryDc dc(nullptr);
        desk::Selection sel(dc.get(), small);
        RECT all{0, 0, 100, 80};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ReplaceCanvas(small);
    Send(IDC_ROTATE);
    UpdateWindow(hwnd);
    EXPECT_EQ(ColourName(Canvas(449, 10)), ColourName(kWhite)) << "from (10, 1)";
    EXPECT_EQ(ColourName(Canvas(449, 100)), ColourName(kBlack)) << "from (100, 1)";
    EXPECT_EQ(ColourName(Canvas(250, 200)), ColourName(kBlack)) << "from (200, 200)";
    EXPECT_EQ(ColourName(Canvas(371, 0)), ColourName(kWhite)) << "from (0, 79)";
    BITMAP info{};
    GetObjectA(Handles().canvas.get(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 450);
    EXPECT_EQ(info.bmHeight, 400);
}

TEST_F(EditorWindowTest, TextFieldIsReadIntoATwelveCharacterBuffer) {
    SetWindowTextA(Handles().textField, "abcdefghijklmnopq");
    char16_t buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    buffer[0] = 12;
    EXPECT_EQ(Platform().readTextField(buffer), 12);
    EXPECT_EQ(std::u16string(buffer, 12), u"abcdefghijkl");
    EXPECT_EQ(std::u16string(buffer + 12, 4), u"####") << "written past the capacity";
}

TEST_F(EditorWindowTest, TextToolDrawsInTheColourAtTheReleasePoint) {
    SetWindowTextA(Handles().textField, "WWWW");
    Draw(IDC_TEXT_TOOL, IDC_RED, 0, 0, 100, 200);
    int red = 0;
    for (int y = 195; y < 240; ++y)
        for (int x = 95; x < 200; ++x)
            red += Canvas(x, y) == kRed;
    EXPECT_GT(red, 10) << "no red text near the release point";
    for (int y = 0; y < 200; y += 5)
        ASSERT_NE(Canvas(99, y), kRed) << "text above the release point at " << y;
}

TEST_F(EditorWindowTest, ShapesAreAlsoRecorded) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 20, 20, 80, 60);
    HMETAFILE recorded = CloseMetaFile(Handles().recording);
    Handles().recording = nullptr;
    ASSERT_NE(recorded, nullptr);
    HDC screen = GetDC(hwnd);
    desk::MemoryDc dc(screen);
    desk::Bitmap picture(CreateCompatibleBitmap(screen, 450, 400));
    ReleaseDC(hwnd, screen);
    desk::Selection sel(dc.get(), picture.get());
    RECT all{0, 0, 450, 400};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    PlayMetaFile(dc.get(), recorded);
    DeleteMetaFile(recorded);
    EXPECT_EQ(ColourName(GetPixel(dc.get(), 50, 40)), ColourName(kRed));
    EXPECT_EQ(ColourName(GetPixel(dc.get(), 90, 40)), ColourName(kBlack));
    // With the recording ended, repaints still draw on the canvas.
    Send(IDC_GREEN);
    Repaint();
    EXPECT_EQ(ColourName(Canvas(50, 40)), ColourName(kGreen));
}

TEST_F(EditorWindowTest, AboutBoxClosesWithOkOrCancelAndShowsItsPicture) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 10, 10, 40, 40);
    HANDLE picture = nullptr;
    ModalAnswerer answers;
    answers.push(IDOK, [&](HWND dialog) {
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
                picture = reinterpret_cast<HANDLE>(SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0));
    });
    answers.push(IDCANCEL);
    Send(IDM_ABOUT);
    Send(IDM_ABOUT);
    ASSERT_EQ(answers.seen().size(), 2u);
    EXPECT_EQ(answers.seen()[0].caption, "About");
    const std::string texts = answers.seen()[0].text;
    EXPECT_NE(texts.find("Kursovaja rabota"), std::string::npos) << texts;
    EXPECT_NE(texts.find("Graphic editor"), std::string::npos) << texts;
    EXPECT_NE(picture, nullptr) << "bitmap 103 not shown";
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(ColourName(Canvas(25, 25)), ColourName(kRed));
}

TEST_F(EditorWindowTest, ExitDestroysTheWindowAndPostsQuitZero) {
    PumpPending();
    Send(IDM_EXIT);
    EXPECT_FALSE(IsWindow(hwnd));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(Handles().canvasSurface.get(), nullptr);
}

TEST_F(EditorWindowTest, TextFieldNotificationsChangeNothing) {
    Send(IDC_LINE_TOOL);
    const EditorState before = State();
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_TEXT_FIELD, EN_CHANGE),
                 reinterpret_cast<LPARAM>(Handles().textField));
    EXPECT_EQ(std::memcmp(&before, &State(), sizeof before), 0);
    EXPECT_TRUE(Pushed(IDC_LINE_TOOL));
}

} // namespace
} // namespace risovik::win

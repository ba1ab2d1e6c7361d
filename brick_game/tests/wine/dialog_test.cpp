// The About, Author and Rules dialogs as the player meets them through the
// menu: their controls and texts, the three ways of closing them and the cues
// around them; and the colour dialog behind the three colour items.
#include "game_fixture.h"
#include "res/resource_ids.h"

#include <colordlg.h>

#include <string>
#include <vector>

namespace brickwin::testing {
namespace {

using desk::testing::ModalAnswerer;
using desk::testing::WindowTextOf;

// What a test sees of a dialog while it is up.
struct ControlView {
    std::string className;
    LONG style = 0;
    LONG exStyle = 0;
    int id = 0;
    std::string text;
    RECT rect{}; // in the dialog's client pixels
};

struct DialogView {
    std::string title;
    LONG style = 0;
    std::string fontFace;
    RECT unitsToPixels{}; // the dialog's base units: 4 x 8 dialog units in pixels
    std::vector<ControlView> controls;

    // A box given in dialog units, in client pixels.
    // The dialog manager converts a control's place and size one by one.
    RECT Pixels(int x, int y, int w, int h) const {
        const int left = MulDiv(x, unitsToPixels.right, 4);
        const int top = MulDiv(y, unitsToPixels.bottom, 8);
        return RECT{left, top, left + MulDiv(w, unitsToPixels.right, 4),
                    top + MulDiv(h, unitsToPixels.bottom, 8)};
    }
};

DialogView Capture(HWND dialog) {
    DialogView view;
    view.title = WindowTextOf(dialog);
    view.style = GetWindowLongA(dialog, GWL_STYLE);
    view.unitsToPixels = RECT{0, 0, 4, 8};
    MapDialogRect(dialog, &view.unitsToPixels);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0))) {
        LOGFONTA lf{};
        GetObjectA(font, sizeof lf, &lf);
        view.fontFace = lf.lfFaceName;
    }
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        ControlView cv;
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        cv.className = cls;
        cv.style = GetWindowLongA(c, GWL_STYLE);
        cv.exStyle = GetWindowLongA(c, GWL_EXSTYLE);
        cv.id = static_cast<short>(GetDlgCtrlID(c));
        cv.text = WindowTextOf(c);
        GetWindowRect(c, &cv.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&cv.rect), 2);
        view.controls.push_back(cv);
    }
    return view;
}

std::string Lower(std::string s) {
    for (char& ch : s)
        ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    return s;
}

void ExpectBox(const ControlView& c, const RECT& want, bool sizeToo, const char* what) {
    EXPECT_EQ(c.rect.left, want.left) << what;
    EXPECT_EQ(c.rect.top, want.top) << what;
    if (sizeToo) {
        EXPECT_EQ(c.rect.right, want.right) << what;
        EXPECT_EQ(c.rect.bottom, want.bottom) << what;
    }
}

void ExpectStaticKind(const ControlView& c, LONG kind, const char* what) {
    EXPECT_EQ(Lower(c.className), "static") << what;
    EXPECT_EQ(c.style & SS_TYPEMASK, kind) << what;
    EXPECT_EQ(c.id, -1) << what;
}

constexpr LONG kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME;

// Opens the dialog of a menu command, lets `close` answer it once it is up,
// and returns what the window procedure returned for the command.
LRESULT OpenAndClose(HWND main, int command, DialogView* view, int answer,
                     std::function<void(HWND)> act = {}) {
    ModalAnswerer answerer;
    answerer.push(answer, [&](HWND d) {
        if (view)
            *view = Capture(d);
        if (act)
            act(d);
    });
    return SendMessageA(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

const std::vector<SoundCall> kClosedOnTitle = {{"(null)", kStart}, {"play.wav", kLoop}};

TEST_F(GameWindowTest, AboutDialogShowsItsControlsAndClosesWithOk) {
    DialogView v;
    SoundLog().clear();
    EXPECT_EQ(OpenAndClose(hwnd_, IDM_ABOUT, &v, IDOK), IDOK) << "the command returns the result";

    EXPECT_EQ(v.title, "ПЛИТОБОЙ");
    EXPECT_EQ(v.style & (kDialogStyle | WS_SYSMENU), kDialogStyle | WS_SYSMENU);
    EXPECT_EQ(v.fontFace, "MS Sans Serif");
    ASSERT_EQ(v.controls.size(), 5u);
    const ControlView& ok = v.controls[0];
    EXPECT_EQ(Lower(ok.className), "button");
    EXPECT_EQ(ok.id, IDOK);
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ(ok.style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    ExpectBox(ok, v.Pixels(142, 75, 29, 13), true, "OK button");
    ExpectStaticKind(v.controls[1], SS_BITMAP, "picture 117");
    EXPECT_TRUE(v.controls[1].exStyle & WS_EX_TRANSPARENT);
    ExpectBox(v.controls[1], v.Pixels(57, 17, 71, 18), false, "picture 117");
    EXPECT_EQ(v.controls[1].rect.right - v.controls[1].rect.left, 106) << "bitmap width";
    EXPECT_EQ(v.controls[1].rect.bottom - v.controls[1].rect.top, 29) << "bitmap height";
    ExpectStaticKind(v.controls[2], SS_ICON, "icon 132");
    ExpectBox(v.controls[2], v.Pixels(79, 39, 20, 20), false, "icon 132");
    ExpectStaticKind(v.controls[3], SS_LEFT, "notice line 1");
    ExpectBox(v.controls[3], v.Pixels(13, 71, 114, 8), true, "notice line 1");
    EXPECT_FALSE(v.controls[3].text.empty());
    ExpectStaticKind(v.controls[4], SS_LEFT, "notice line 2");
    ExpectBox(v.controls[4], v.Pixels(24, 80, 94, 8), true, "notice line 2");
    EXPECT_FALSE(v.controls[4].text.empty());

    std::vector<SoundCall> want = {{"(null)", kPurge}, {"Hop.wav", kLoop}};
    want.insert(want.end(), kClosedOnTitle.begin(), kClosedOnTitle.end());
    EXPECT_EQ(SoundLog(), want);
}

TEST_F(GameWindowTest, AboutDialogClosesWithEscapeAndWithTheCloseBox) {
    // Command 0 means nothing to the dialog; the real key or box does the work.
    EXPECT_EQ(OpenAndClose(hwnd_, IDM_ABOUT, nullptr, 0,
                           [](HWND d) { PostMessageA(d, WM_KEYDOWN, VK_ESCAPE, 0); }),
              IDCANCEL);
    SoundLog().clear();
    EXPECT_EQ(OpenAndClose(hwnd_, IDM_ABOUT, nullptr, 0,
                           [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }),
              IDCANCEL);
    EXPECT_EQ(std::vector<SoundCall>(SoundLog().end() - 2, SoundLog().end()), kClosedOnTitle);
}

TEST_F(GameWindowTest, AuthorDialogShowsFiveLinesAndItsSunkenButton) {
    DialogView v;
    SoundLog().clear();
    EXPECT_EQ(OpenAndClose(hwnd_, IDM_AUTHOR, &v, IDOK), IDOK);
    EXPECT_EQ(v.title, "Об авторе");
    EXPECT_EQ(v.style & (kDialogStyle | WS_SYSMENU), kDialogStyle) << "no system menu";
    EXPECT_EQ(v.fontFace, "MS Sans Serif");
    ASSERT_EQ(v.controls.size(), 2u);
    const ControlView& ok = v.controls[0];
    EXPECT_EQ(ok.id, IDOK);
    EXPECT_EQ(ok.text, "OK !");
    EXPECT_EQ(ok.style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(ok.style & BS_CENTER, BS_CENTER);
    EXPECT_TRUE(ok.exStyle & WS_EX_CLIENTEDGE);
    ExpectBox(ok, v.Pixels(63, 77, 56, 19), true, "OK ! button");
    const ControlView& text = v.controls[1];
    ExpectStaticKind(text, SS_CENTER, "author text");
    EXPECT_TRUE(text.exStyle & WS_EX_CLIENTEDGE);
    ExpectBox(text, v.Pixels(21, 12, 141, 57), true, "author text");
    // Five lines: empty, name and year, group, empty, telephone.
    std::vector<std::string> lines(1);
    for (char ch : text.text) {
        if (ch == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(ch);
    }
    ASSERT_EQ(lines.size(), 5u) << text.text;
    EXPECT_TRUE(lines[0].empty());
    EXPECT_FALSE(lines[1].empty());
    EXPECT_FALSE(lines[2].empty());
    EXPECT_TRUE(lines[3].empty());
    EXPECT_FALSE(lines[4].empty());

    std::vector<SoundCall> want = {{"(null)", kPurge}, {"Yeahbaby.wav", kStart}};
    want.insert(want.end(), kClosedOnTitle.begin(), kClosedOnTitle.end());
    EXPECT_EQ(SoundLog(), want);

    EXPECT_EQ(OpenAndClose(hwnd_, IDM_AUTHOR, nullptr, 0,
                           [](HWND d) { PostMessageA(d, WM_KEYDOWN, VK_ESCAPE, 0); }),
              IDCANCEL);
}

TEST_F(GameWindowTest, RulesDialogHoldsTheRulesSplitOverTwoTexts) {
    DialogView v;
    SoundLog().clear();
    EXPECT_EQ(OpenAndClose(hwnd_, IDM_RULES, &v, IDOK), 0) << "only About and Author pass it on";
    EXPECT_EQ(v.title, "Правила игры");
    EXPECT_EQ(v.style & (kDialogStyle | WS_SYSMENU), kDialogStyle) << "no system menu";
    ASSERT_EQ(v.controls.size(), 6u);
    EXPECT_EQ(v.controls[0].text, "Всё понятно");
    EXPECT_EQ(v.controls[0].style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    ExpectBox(v.controls[0], v.Pixels(77, 145, 50, 14), true, "button");
    ExpectStaticKind(v.controls[1], SS_ICON, "icon 102");
    ExpectBox(v.controls[1], v.Pixels(13, 13, 20, 20), false, "icon 102");
    ExpectStaticKind(v.controls[2], SS_BITMAP, "picture 117");
    ExpectBox(v.controls[2], v.Pixels(69, 16, 98, 30), false, "picture 117");
    ExpectStaticKind(v.controls[3], SS_ICON, "icon 132");
    ExpectBox(v.controls[3], v.Pixels(167, 15, 20, 20), false, "icon 132");
    ExpectBox(v.controls[4], v.Pixels(21, 48, 172, 48), true, "rules, first part");
    ExpectBox(v.controls[5], v.Pixels(21, 96, 172, 39), true, "rules, second part");
    EXPECT_EQ(v.controls[4].text,
              "             Правила игры довольно просты :\n\n  С помощью площадки, которой вы "
              "управляете,\n  необходимо   отбивать   мячик.   Мячик   может\n  отражаться  от  "
              "стенок и от кубиков.  Если мяч\n  попадает  в  кубик,  то  кубик  исчезает.   "
              "Необ-");
    EXPECT_EQ(v.controls[5].text, "  ходимо  разбить  все  кубики. Если  вы  не ото-\n  бьёте "
                                  "мячик площадкой,то игра прекращается.");
    std::vector<SoundCall> want = {{"(null)", kPurge}, {"Hop.wav", kLoop}};
    want.insert(want.end(), kClosedOnTitle.begin(), kClosedOnTitle.end());
    EXPECT_EQ(SoundLog(), want);

    SoundLog().clear();
    EXPECT_EQ(OpenAndClose(hwnd_, IDM_RULES, nullptr, 0,
                           [](HWND d) { PostMessageA(d, WM_KEYDOWN, VK_ESCAPE, 0); }),
              0);
    EXPECT_EQ(SoundLog(), want) << "Escape closes it with the same cues";
}

TEST_F(GameWindowTest, OnlyOkAndCancelCloseADialog) {
    SoundLog().clear();
    // Another command reaches the dialog first and must leave it open.
    EXPECT_EQ(OpenAndClose(hwnd_, IDM_ABOUT, nullptr, IDOK,
                           [](HWND d) { SendMessageA(d, WM_COMMAND, MAKEWPARAM(3, 0), 0); }),
              IDOK);
    EXPECT_EQ(std::count(SoundLog().begin(), SoundLog().end(), SoundCall{"(null)", kStart}), 1)
        << "the closing cue ran more than once";
    EXPECT_EQ(HelpDialogProc(nullptr, WM_INITDIALOG, 0, 0), FALSE);
}

TEST_F(GameWindowTest, DialogsAreSilentWithSoundOffButStillStopTheSound) {
    Command(IDM_SOUND_OFF);
    SoundLog().clear();
    OpenAndClose(hwnd_, IDM_RULES, nullptr, IDOK);
    OpenAndClose(hwnd_, IDM_AUTHOR, nullptr, IDCANCEL);
    EXPECT_EQ(SoundLog(), (std::vector<SoundCall>{{"(null)", kStart}, {"(null)", kStart}}));
}

TEST_F(GameWindowTest, OpeningADialogDuringPlayPausesTheGame) {
    StartPlay();
    SoundLog().clear();
    OpenAndClose(hwnd_, IDM_ABOUT, nullptr, IDOK);
    EXPECT_FALSE(Game().isPlaying);
    EXPECT_EQ(Game().screenMode, brick::ModePaused);
    EXPECT_EQ(SoundLog().back(), (SoundCall{"(null)", kStart})) << "no title music off the title";
}

// Types a colour into the dialog's red, green and blue fields.
std::function<void(HWND)> TypeColour(int r, int g, int b, bool addCustom = false) {
    return [=](HWND d) {
        SetDlgItemInt(d, COLOR_RED, r, FALSE);
        SetDlgItemInt(d, COLOR_GREEN, g, FALSE);
        SetDlgItemInt(d, COLOR_BLUE, b, FALSE);
        if (addCustom)
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED), 0);
    };
}

TEST_F(GameWindowTest, ColourDialogStartsGreyAndStoresTheChosenColour) {
    COLORREF initial = CLR_INVALID;
    SoundLog().clear();
    OpenAndClose(hwnd_, IDM_COLOUR_BRICKS, nullptr, IDOK, [&](HWND d) {
        initial = RGB(GetDlgItemInt(d, COLOR_RED, nullptr, FALSE),
                      GetDlgItemInt(d, COLOR_GREEN, nullptr, FALSE),
                      GetDlgItemInt(d, COLOR_BLUE, nullptr, FALSE));
        TypeColour(10, 200, 30, true)(d);
    });
    EXPECT_EQ(initial, RGB(128, 128, 128)) << desk::testing::ColourName(initial);
    EXPECT_EQ(Game().brickColour, RGB(10, 200, 30))
        << desk::testing::ColourName(Game().brickColour);
    EXPECT_EQ(Game().customColours[0], RGB(10, 200, 30)) << "the custom colour is kept";
    EXPECT_FALSE(Game().colourDialogOpen);
    EXPECT_EQ(SoundLog(), (std::vector<SoundCall>{{"pp.wav", kWait}, {"play.wav", kLoop}}));

    // The next dialog starts from grey again and shows the kept custom colour.
    COLORREF again = CLR_INVALID;
    OpenAndClose(hwnd_, IDM_COLOUR_BALL, nullptr, IDOK, [&](HWND d) {
        again = RGB(GetDlgItemInt(d, COLOR_RED, nullptr, FALSE),
                    GetDlgItemInt(d, COLOR_GREEN, nullptr, FALSE),
                    GetDlgItemInt(d, COLOR_BLUE, nullptr, FALSE));
        TypeColour(250, 0, 5)(d);
    });
    EXPECT_EQ(again, RGB(128, 128, 128));
    EXPECT_EQ(Game().ballColour, RGB(250, 0, 5));
    EXPECT_EQ(Game().customColours[0], RGB(10, 200, 30));
}

TEST_F(GameWindowTest, GreyOrCancelLeavesTheColourAlone) {
    const COLORREF paddle = Game().paddleColour;
    SoundLog().clear();
    OpenAndClose(hwnd_, IDM_COLOUR_PADDLE, nullptr, IDOK); // grey as it came
    OpenAndClose(hwnd_, IDM_COLOUR_PADDLE, nullptr, IDCANCEL, TypeColour(1, 2, 3));
    OpenAndClose(hwnd_, IDM_COLOUR_PADDLE, nullptr, IDOK, TypeColour(128, 128, 128));
    EXPECT_EQ(Game().paddleColour, paddle) << desk::testing::ColourName(Game().paddleColour);
    EXPECT_TRUE(SoundLog().empty()) << "first: " << SoundLog().front();
}

TEST_F(GameWindowTest, ColourRequestIsFilledAfreshForEveryMessage) {
    Handles().colourRequest.rgbResult = RGB(1, 2, 3);
    Handles().colourRequest.Flags = 0;
    SendMessageA(hwnd_, WM_NULL, 0, 0);
    const CHOOSECOLORA& r = Handles().colourRequest;
    EXPECT_EQ(r.lStructSize, sizeof(CHOOSECOLORA));
    EXPECT_EQ(r.hwndOwner, nullptr);
    EXPECT_EQ(r.rgbResult, RGB(128, 128, 128));
    EXPECT_EQ(r.Flags, static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN));
    EXPECT_EQ(r.lpCustColors, reinterpret_cast<COLORREF*>(Game().customColours));
    EXPECT_EQ(r.lpfnHook, nullptr);
    EXPECT_EQ(r.lpTemplateName, nullptr);
}

} // namespace
} // namespace brickwin::testing

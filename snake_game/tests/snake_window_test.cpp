// The window layer of polzun under Wine (or Windows): real windows, timers,
// accelerators, the About box and GDI drawing.
#include "res/resource.h"
#include "tests/snake_session.h"
#include "win32/snake_window.h"

#include "platform/gdi.h"
#include "platform/testing/memory_surface.h"
#include "platform/testing/wine_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace desk::testing;
using snake::Cell;
using snake::SnakeGame;
using snake::testing::LayRowEndingAt;

constexpr LRESULT kDefaultResult = 0x5A5A;

// What reached the default handler. Messages that would start modal system
// loops in the default handler (menu keys, commands) are answered here.
std::vector<UINT> g_defaultMessages;

LRESULT CALLBACK RecordingDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_defaultMessages.push_back(message);
    if (message == WM_COMMAND || message == WM_SYSCHAR || message == WM_CHAR ||
        message >= WM_USER) {
        return kDefaultResult;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int CountDefault(UINT message) {
    int n = 0;
    for (UINT m : g_defaultMessages) {
        n += m == message;
    }
    return n;
}

// The record without the draws, for "nothing changed" checks.
bool SameGame(const SnakeGame& a, const SnakeGame& b) {
    if (a.segmentCount != b.segmentCount || a.food != b.food || a.score != b.score ||
        a.goLeft != b.goLeft || a.goUp != b.goUp || a.goRight != b.goRight ||
        a.goDown != b.goDown || a.fieldWidth != b.fieldWidth || a.fieldHeight != b.fieldHeight) {
        return false;
    }
    for (int i = 0; i < a.segmentCount; ++i) {
        if (a.segments[static_cast<size_t>(i)] != b.segments[static_cast<size_t>(i)]) {
            return false;
        }
    }
    return true;
}

// Holds the Alt key down (or lets it go) in the thread's keyboard state,
// which is what the accelerators look at together with the message.
void HoldAlt(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = down ? 0x80 : 0;
    keys[VK_LMENU] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Alt + a character, as the keyboard delivers it to the message loop.
MSG AltChar(HWND hwnd, char c) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = WM_SYSCHAR;
    msg.wParam = static_cast<unsigned char>(c);
    msg.lParam = 0x20000001; // repeat count 1, the Alt key down
    return msg;
}

class SnakeWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        snake::Handles() = snake::WindowHandles{};
        snake::Game() = SnakeGame{};
        g_defaultMessages.clear();
        instance_ = GetModuleHandleA(nullptr);
        snake::LoadTexts(instance_);
        snake::RegisterSnakeClass(instance_);
        hwnd_ = snake::CreateSnakeWindow(instance_, SW_SHOWNORMAL);
        ASSERT_NE(hwnd_, nullptr);
        resize(500, 400);
        snake::Handles().defaultHandler = RecordingDefault;
        accelerators_ = LoadAcceleratorsA(instance_, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    }
    void TearDown() override {
        if (IsWindow(hwnd_)) {
            DestroyWindow(hwnd_);
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    // Outer size; the client area is what the field must follow.
    void resize(int width, int height) {
        MoveWindow(hwnd_, 0, 0, width, height, TRUE);
        UpdateWindow(hwnd_);
    }
    RECT client() const {
        RECT rc{};
        GetClientRect(hwnd_, &rc);
        return rc;
    }
    SnakeGame& game() { return snake::Game(); }

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    HACCEL accelerators_ = nullptr;
};

// --- Resources and start-up --------------------------------------------------

TEST_F(SnakeWindow, TitleAndClassComeFromStrings103And109) {
    EXPECT_STREQ(snake::Handles().title, L"polzun");
    EXPECT_STREQ(snake::Handles().className, L"POLZUN");
    EXPECT_EQ(WindowTextOf(hwnd_), "polzun");
    EXPECT_TRUE(IsWindowUnicode(hwnd_));
    wchar_t cls[100] = {};
    GetClassNameW(hwnd_, cls, 100);
    EXPECT_STREQ(cls, L"POLZUN");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)) & WS_OVERLAPPEDWINDOW,
              static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
}

TEST_F(SnakeWindow, ClassRepaintsOnResizeWithTheWindowBrushIconsAndMenu) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExW(instance_, L"POLZUN", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.lpfnWndProc, &snake::SnakeWindowProc);
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_NE(wc.hIcon, nullptr);
    EXPECT_NE(wc.hIconSm, nullptr);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(wc.lpszMenuName), ULONG_PTR{IDR_MAIN_MENU});
}

// The icon group directory of a resource: (width, height, colours, bits) per image.
std::vector<std::vector<int>> IconImages(HINSTANCE instance, int id) {
    std::vector<std::vector<int>> out;
    HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14)); // group icon
    if (!res) {
        return out;
    }
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(instance, res)));
    const int count = dir[4] | (dir[5] << 8);
    for (int i = 0; i < count; ++i) {
        const BYTE* e = dir + 6 + 14 * i; // GRPICONDIRENTRY
        out.push_back({e[0], e[1], e[2], e[6] | (e[7] << 8)});
    }
    return out;
}

TEST_F(SnakeWindow, IconsAre16ColourImagesOfTheRightSizes) {
    const std::vector<std::vector<int>> large = IconImages(instance_, IDI_POLZUN);
    ASSERT_EQ(large.size(), 2u);
    EXPECT_EQ(large[0], (std::vector<int>{32, 32, 16, 4}));
    EXPECT_EQ(large[1], (std::vector<int>{16, 16, 16, 4}));
    const std::vector<std::vector<int>> small = IconImages(instance_, IDI_SMALL);
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0], (std::vector<int>{16, 16, 16, 4}));
}

std::string MenuText(HMENU menu, UINT position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(SnakeWindow, MenuHasFileExitAndHelpAbout) {
    HMENU bar = GetMenu(hwnd_);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    EXPECT_EQ(MenuText(bar, 1), "&Help");
    HMENU file = GetSubMenu(bar, 0);
    HMENU help = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(file), 1);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(MenuText(file, 0), "E&xit");
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(MenuText(help, 0), "&About ...");
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(IDM_ABOUT));
}

TEST_F(SnakeWindow, AcceleratorsAreAltQuestionMarkAndAltSlashByCharacter) {
    ASSERT_NE(accelerators_, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(accelerators_, entries, 4), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(entries[i].fVirt & ~0x80, FALT) << "entry " << i << ": Alt, not a virtual key";
        EXPECT_EQ(entries[i].cmd, IDM_ABOUT);
    }
    EXPECT_EQ(entries[0].key, '?');
    EXPECT_EQ(entries[1].key, '/');
}

// The whole program: start-up from the resources, the accelerator table in
// the real loop, Exit, and the quit code.
HWND g_programWindow = nullptr;
int g_programStep = 0;

void CALLBACK DriveProgram(HWND, UINT, UINT_PTR, DWORD) {
    g_programWindow = FindWindowA("POLZUN", "polzun");
    if (!g_programWindow) {
        return;
    }
    ++g_programStep;
    if (g_programStep == 1) {
        HoldAlt(true);
        const MSG m = AltChar(g_programWindow, '/');
        PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
    } else if (g_programStep == 2) {
        HoldAlt(false);
    } else if (g_programStep == 3) {
        PostMessageA(g_programWindow, WM_COMMAND, IDM_EXIT, 0);
    }
}

TEST(SnakeProgram, StartsRunsTheAcceleratorsAndEndsWithCodeZeroOnExit) {
    snake::Handles() = snake::WindowHandles{};
    snake::Game() = SnakeGame{};
    ModalAnswerer answerer({}, IDOK);
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, DriveProgram);
    const int code = snake::RunSnakeProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    KillTimer(nullptr, timer);
    EXPECT_EQ(code, 0);
    EXPECT_GE(g_programStep, 3);
    EXPECT_FALSE(IsWindow(g_programWindow));
    ASSERT_EQ(answerer.seen().size(), 1u) << "Alt + / in the real loop opens the About box";
    EXPECT_EQ(answerer.seen()[0].caption, "About");
}

// --- Draws -------------------------------------------------------------------

// The C runtime's generator under MinGW (msvcrt) and MSVC alike.
int RuntimeRand(unsigned& state) {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

TEST_F(SnakeWindow, EveryMessageTakesTwoDrawsFromTheRuntimeRand) {
    std::srand(1);
    unsigned state = 1;
    const UINT messages[] = {WM_NULL, WM_USER + 7, WM_KEYDOWN, WM_COMMAND, WM_TIMER, WM_SIZE};
    const WPARAM wparams[] = {0, 0, 'A', 999, 0, 0};
    const LPARAM lparams[] = {0, 0, 0, 0, 0, MAKELPARAM(480, 360)};
    for (size_t i = 0; i < std::size(messages); ++i) {
        SendMessageA(hwnd_, messages[i], wparams[i], lparams[i]);
        const int x = RuntimeRand(state) % 800;
        const int y = RuntimeRand(state) % 800;
        EXPECT_EQ(game().drawX, x) << "message " << messages[i];
        EXPECT_EQ(game().drawY, y) << "message " << messages[i];
    }
}

// --- Keys and commands -------------------------------------------------------

TEST_F(SnakeWindow, KeysOtherThanTheArrowsAndDeleteChangeNothingAndStopHere) {
    game().goDown = 1;
    for (int code = 0; code <= 255; ++code) {
        if (code == VK_LEFT || code == VK_UP || code == VK_RIGHT || code == VK_DOWN ||
            code == VK_DELETE) {
            continue;
        }
        const SnakeGame before = game();
        EXPECT_EQ(SendMessageA(hwnd_, WM_KEYDOWN, static_cast<WPARAM>(code), 0), 0) << code;
        EXPECT_TRUE(SameGame(before, game())) << "key " << code;
    }
    EXPECT_EQ(CountDefault(WM_KEYDOWN), 0);
}

TEST_F(SnakeWindow, ArrowsAndDeleteSteerAndStopHere) {
    struct Case {
        int key;
        int left, up, right, down;
    };
    const Case cases[] = {{VK_LEFT, 1, 0, 0, 0},
                          {VK_UP, 0, 1, 0, 0},
                          {VK_RIGHT, 0, 0, 1, 0},
                          {VK_DOWN, 0, 0, 0, 1},
                          {VK_DELETE, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessageA(hwnd_, WM_KEYDOWN, static_cast<WPARAM>(c.key), 0), 0);
        EXPECT_EQ(game().goLeft, c.left) << "key " << c.key;
        EXPECT_EQ(game().goUp, c.up) << "key " << c.key;
        EXPECT_EQ(game().goRight, c.right) << "key " << c.key;
        EXPECT_EQ(game().goDown, c.down) << "key " << c.key;
    }
    EXPECT_EQ(CountDefault(WM_KEYDOWN), 0);
}

TEST_F(SnakeWindow, OtherCommandsAndMessagesGoToTheDefaultHandlerWithItsResult) {
    EXPECT_EQ(SendMessageA(hwnd_, WM_COMMAND, 999, 0), kDefaultResult);
    EXPECT_EQ(SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(IDM_ABOUT + 100, 0), 0), kDefaultResult);
    EXPECT_EQ(SendMessageA(hwnd_, WM_USER + 3, 0, 0), kDefaultResult);
    EXPECT_EQ(CountDefault(WM_COMMAND), 2);
    EXPECT_TRUE(IsWindow(hwnd_));
}

TEST_F(SnakeWindow, ExitDestroysTheWindowAndPostsQuitZero) {
    EXPECT_EQ(SendMessageA(hwnd_, WM_COMMAND, IDM_EXIT, 0), 0);
    EXPECT_FALSE(IsWindow(hwnd_));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

// --- The About box -----------------------------------------------------------

TEST_F(SnakeWindow, AltQuestionMarkAndAltSlashOpenTheAboutBoxAndOkClosesIt) {
    for (char c : {'?', '/'}) {
        ModalAnswerer answerer({}, IDOK);
        const SnakeGame before = game();
        MSG msg = AltChar(hwnd_, c);
        HoldAlt(true);
        snake::DeliverMessage(accelerators_, msg);
        HoldAlt(false);
        ASSERT_EQ(answerer.seen().size(), 1u) << "Alt + " << c;
        EXPECT_EQ(answerer.seen()[0].caption, "About");
        EXPECT_NE(answerer.seen()[0].text.find("polzun Version 1.0\nArrows steer, Delete stops"),
                  std::string::npos)
            << answerer.seen()[0].text;
        EXPECT_TRUE(SameGame(before, game())) << "Alt + " << c;
        EXPECT_TRUE(IsWindow(hwnd_));
    }
    EXPECT_EQ(CountDefault(WM_SYSCHAR), 0) << "translated messages are not dispatched";
}

TEST_F(SnakeWindow, CharactersWithoutAltAreNotAccelerators) {
    ModalAnswerer answerer({}, IDOK);
    MSG msg{};
    msg.hwnd = hwnd_;
    msg.message = WM_CHAR;
    msg.wParam = '?';
    msg.lParam = 1;
    snake::DeliverMessage(accelerators_, msg);
    EXPECT_TRUE(answerer.seen().empty());
    EXPECT_EQ(CountDefault(WM_CHAR), 1);
}

TEST_F(SnakeWindow, TheMenuCommandOpensTheAboutBox) {
    ModalAnswerer answerer({}, IDOK);
    EXPECT_EQ(SendMessageA(hwnd_, WM_COMMAND, IDM_ABOUT, 0), 0);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "About");
}

// Closes the About box in one of three ways, as a person would, and keeps
// the box in `dialog`.
enum class CloseBy { OkButton, EscapeKey, CloseBox };

ModalAnswerer::Answer CloseAbout(CloseBy how, HWND& dialog) {
    return {ModalAnswerer::kClosedByPrepare, [how, &dialog](HWND box) {
                dialog = box;
                switch (how) {
                case CloseBy::OkButton: PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); break;
                case CloseBy::EscapeKey:
                    PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                    break;
                case CloseBy::CloseBox: PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); break;
                }
            }};
}

INT_PTR RunAbout(HWND owner, CloseBy how, HWND& dialog) {
    ModalAnswerer answerer({CloseAbout(how, dialog)});
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX), owner,
                           snake::AboutDialogProc, 0);
}

TEST_F(SnakeWindow, OkEscapeAndTheCloseBoxEndTheAboutBoxWithTheirIds) {
    HWND dialog = nullptr;
    EXPECT_EQ(RunAbout(hwnd_, CloseBy::OkButton, dialog), IDOK);
    EXPECT_EQ(RunAbout(hwnd_, CloseBy::EscapeKey, dialog), IDCANCEL);
    EXPECT_EQ(RunAbout(hwnd_, CloseBy::CloseBox, dialog), IDCANCEL);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindow(hwnd_));
}

TEST_F(SnakeWindow, EscapeAndTheCloseBoxCloseTheBoxOpenedByTheMenu) {
    for (CloseBy how : {CloseBy::EscapeKey, CloseBy::CloseBox}) {
        HWND dialog = nullptr;
        ModalAnswerer answerer({CloseAbout(how, dialog)});
        const SnakeGame before = game();
        EXPECT_EQ(SendMessageA(hwnd_, WM_COMMAND, IDM_ABOUT, 0), 0);
        EXPECT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_TRUE(SameGame(before, game()));
    }
}

// Where a control of the About box lies, in dialog units.
RECT ControlInDialogUnits(HWND dialog, HWND control, RECT units) {
    RECT expected = units;
    MapDialogRect(dialog, &expected);
    RECT actual{};
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    return actual;
}

// What the open About box shows, as "caption=...;icon;picture;ok=OK;...".
std::string InspectAbout(HWND dialog) {
    HWND icon = GetDlgItem(dialog, IDC_ABOUT_ICON);
    HWND ok = GetDlgItem(dialog, IDOK);
    std::string s = "caption=" + WindowTextOf(dialog) + ";";
    s += icon && (GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON ? "icon;" : "noicon;";
    s += icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0 ? "picture;" : "nopicture;";
    s += "ok=" + (ok ? WindowTextOf(ok) : std::string("none")) + ";";
    s += ok && (GetWindowLongA(ok, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? "default;"
                                                                          : "notdefault;";
    if (ok)
        ControlInDialogUnits(dialog, ok, RECT{195, 6, 225, 17});
    if (icon)
        ControlInDialogUnits(dialog, icon, RECT{14, 9, 30, 25});
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    s += (style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU) ? "framed;" : "bare;";
    return s;
}

TEST_F(SnakeWindow, AboutBoxHasItsIconTextsAndDefaultOkButton) {
    std::string inspection;
    ModalAnswerer answerer({{ModalAnswerer::kClosedByPrepare, [&](HWND dialog) {
                                 inspection = InspectAbout(dialog);
                                 PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                             }}});
    SendMessageA(hwnd_, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_EQ(inspection, "caption=About;icon;picture;ok=OK;default;framed;");
}

// The About box as the resource holds it: a DLGTEMPLATE with its controls.
struct TemplateItem {
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    std::string cls;  // "#130" for a class given by ordinal
    std::string text; // "#107" for a text given by ordinal
};

struct DialogTemplate {
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string menu, cls, title, font;
    int pointSize = 0;
    std::vector<TemplateItem> items;
};

// Reads a string or an ordinal of a template (WORD-aligned, UTF-16).
std::string ReadSzOrOrd(const WORD*& p) {
    if (*p == 0xFFFF) {
        const std::string out = "#" + std::to_string(p[1]);
        p += 2;
        return out;
    }
    std::string out;
    while (*p) {
        out += static_cast<char>(*p++);
    }
    ++p;
    return out;
}

DialogTemplate ReadDialogTemplate(HINSTANCE instance, int id) {
    DialogTemplate d;
    HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (!res) {
        return d;
    }
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(instance, res)));
    const auto* t = reinterpret_cast<const DLGTEMPLATE*>(base);
    d.style = t->style;
    d.x = t->x, d.y = t->y, d.cx = t->cx, d.cy = t->cy;
    const WORD* p = reinterpret_cast<const WORD*>(base + 18);
    d.menu = ReadSzOrOrd(p);
    d.cls = ReadSzOrOrd(p);
    d.title = ReadSzOrOrd(p);
    if (d.style & DS_SETFONT) {
        d.pointSize = *p++;
        d.font = ReadSzOrOrd(p);
    }
    for (int i = 0; i < t->cdit; ++i) {
        const BYTE* at = reinterpret_cast<const BYTE*>(p);
        at = base + ((at - base + 3) & ~static_cast<std::ptrdiff_t>(3));
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        TemplateItem it;
        it.style = item->style;
        it.x = item->x, it.y = item->y, it.cx = item->cx, it.cy = item->cy;
        it.id = item->id;
        p = reinterpret_cast<const WORD*>(at + 18);
        it.cls = ReadSzOrOrd(p);
        it.text = ReadSzOrOrd(p);
        p += 1 + (*p + 1) / 2; // creation data
        d.items.push_back(it);
    }
    return d;
}

bool IsStaticClass(const std::string& cls) {
    return cls == "#130" || lstrcmpiA(cls.c_str(), "Static") == 0;
}

TEST_F(SnakeWindow, AboutTemplateHasThePositionsSizesStylesFontAndTexts) {
    const DialogTemplate d = ReadDialogTemplate(instance_, IDD_ABOUTBOX);
    EXPECT_EQ(d.style, static_cast<DWORD>(DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
    EXPECT_EQ((std::vector<int>{d.x, d.y, d.cx, d.cy}), (std::vector<int>{22, 17, 230, 75}));
    EXPECT_EQ(d.menu, "");
    EXPECT_EQ(d.cls, "");
    EXPECT_EQ(d.title, "About");
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(d.font, "System");
    ASSERT_EQ(d.items.size(), 4u);

    const TemplateItem& icon = d.items[0];
    EXPECT_EQ(icon.id, IDC_ABOUT_ICON);
    EXPECT_TRUE(IsStaticClass(icon.cls)) << icon.cls;
    EXPECT_EQ(icon.style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
    EXPECT_EQ(icon.text, "#" + std::to_string(IDI_POLZUN));
    EXPECT_EQ((std::vector<int>{icon.x, icon.y, icon.cx, icon.cy}),
              (std::vector<int>{14, 9, 16, 16}));

    const int textTops[] = {10, 20};
    for (int i = 1; i <= 2; ++i) {
        const TemplateItem& text = d.items[static_cast<size_t>(i)];
        EXPECT_EQ(text.id, 0xFFFF) << "line " << i;
        EXPECT_TRUE(IsStaticClass(text.cls)) << text.cls;
        EXPECT_EQ(text.style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT)) << "line " << i;
        EXPECT_TRUE(text.style & SS_NOPREFIX) << "line " << i;
        EXPECT_EQ((std::vector<int>{text.x, text.y, text.cx, text.cy}),
                  (std::vector<int>{49, textTops[i - 1], 119, 8}))
            << "line " << i;
    }
    EXPECT_EQ(d.items[1].text, "polzun Version 1.0");
    EXPECT_FALSE(d.items[2].text.empty());

    const TemplateItem& ok = d.items[3];
    EXPECT_EQ(ok.id, IDOK);
    EXPECT_TRUE(ok.cls == "#128" || lstrcmpiA(ok.cls.c_str(), "Button") == 0) << ok.cls;
    EXPECT_EQ(ok.style & 0x0F, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ((std::vector<int>{ok.x, ok.y, ok.cx, ok.cy}), (std::vector<int>{195, 6, 30, 11}));
}

// The snake keeps moving while the modal box is open.
int g_headAtClose = 0;
HWND g_openDialog = nullptr;

void CALLBACK CloseAfterAWhile(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_headAtClose = snake::Game().head().x;
    PostMessageA(g_openDialog, WM_COMMAND, IDOK, 0);
}

TEST_F(SnakeWindow, TheTimerKeepsRunningWhileTheAboutBoxIsOpen) {
    g_openDialog = nullptr;
    int headAtOpen = 0;
    SendMessageA(hwnd_, WM_KEYDOWN, VK_RIGHT, 0);
    ModalAnswerer answerer({{ModalAnswerer::kClosedByPrepare, [&](HWND dialog) {
                                 g_openDialog = dialog;
                                 headAtOpen = game().head().x;
                                 SetTimer(nullptr, 0, 550, CloseAfterAWhile);
                             }}});
    SendMessageA(hwnd_, WM_COMMAND, IDM_ABOUT, 0);
    ASSERT_NE(g_openDialog, nullptr);
    EXPECT_GE(g_headAtClose - headAtOpen, 20) << "ticks went on in the 550 ms";
    EXPECT_EQ((g_headAtClose - headAtOpen) % 10, 0);
}

// --- Timer, size and repaint -------------------------------------------------

std::vector<WPARAM> g_timerIds;
HWND g_timerWindow = nullptr;

LRESULT CALLBACK RecordTimers(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_TIMER &&
        msg->hwnd == g_timerWindow) {
        g_timerIds.push_back(msg->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SnakeWindow, TimerZeroMovesTheSnakeOneSquareEvery100Ms) {
    g_timerIds.clear();
    g_timerWindow = hwnd_;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, RecordTimers, nullptr, GetCurrentThreadId());
    SendMessageA(hwnd_, WM_KEYDOWN, VK_DOWN, 0);
    const DWORD start = GetTickCount();
    PumpFor(1000);
    const DWORD elapsed = GetTickCount() - start;
    UnhookWindowsHookEx(hook);
    const int moves = (game().head().y - 0) / 10;
    EXPECT_EQ(game().head().x, 30);
    // Never faster than one square per 100 ms; a loaded machine may drop ticks.
    EXPECT_GE(moves, static_cast<int>(elapsed / 200)) << elapsed << " ms";
    EXPECT_LE(moves, static_cast<int>(elapsed / 100) + 1) << elapsed << " ms";
    ASSERT_FALSE(g_timerIds.empty());
    for (WPARAM id : g_timerIds) {
        EXPECT_EQ(id, 0u);
    }
}

TEST_F(SnakeWindow, StandingTicksMoveNothing) {
    const SnakeGame before = game();
    PumpFor(350);
    EXPECT_TRUE(SameGame(before, game()));
}

TEST_F(SnakeWindow, SizeEventsMoveTheWallsToTheClientArea) {
    for (const SIZE outer : {SIZE{500, 400}, SIZE{300, 200}, SIZE{800, 600}}) {
        resize(outer.cx, outer.cy);
        const RECT rc = client();
        EXPECT_EQ(game().fieldWidth, rc.right) << outer.cx << "x" << outer.cy;
        EXPECT_EQ(game().fieldHeight, rc.bottom) << outer.cx << "x" << outer.cy;
    }
}

TEST_F(SnakeWindow, ShrinkingPastTheHeadResetsAtTheRepaintThatFollows) {
    resize(600, 400);
    game().score = 3;
    LayRowEndingAt(game(), Cell{300, 100});
    UpdateWindow(hwnd_);
    EXPECT_EQ(game().head(), (Cell{300, 100}));
    resize(250, 400); // client narrower than 310: the head is outside
    EXPECT_LT(game().fieldWidth, 310);
    EXPECT_EQ(game().head(), (Cell{30, 0})) << "the whole window repainted and the rules ran";
    EXPECT_EQ(game().score, 0);
}

TEST_F(SnakeWindow, UncoveringRepaintRunsTheRules) {
    game().food = Cell{30, 0}; // on the head of the standing snake
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
    EXPECT_EQ(game().score, 1);
    EXPECT_EQ(game().segmentCount, 5);
}

TEST_F(SnakeWindow, RepaintShowsGreenSquaresBarsFoodAndScore) {
    game().score = 20;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
    const COLORREF green = RGB(0, 255, 0);
    const COLORREF blue = RGB(0, 0, 255);
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(ClientPixel(hwnd_, 0, 0), black) << "outline";
    EXPECT_EQ(ClientPixel(hwnd_, 9, 9), black) << "outline";
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ClientPixel(hwnd_, i * 10 + 5, 5), green)
            << ColourName(ClientPixel(hwnd_, i * 10 + 5, 5));
    }
    EXPECT_EQ(ClientPixel(hwnd_, 45, 5), GetSysColor(COLOR_WINDOW)) << "background after the head";
    EXPECT_EQ(ClientPixel(hwnd_, 55, 15), blue) << "bar 0 at 20 points";
    EXPECT_EQ(ClientPixel(hwnd_, 95, 15), green) << "food";
    int dark = 0;
    for (int x = 250; x < 270; ++x) {
        for (int y = 0; y < 16; ++y) {
            dark += ClientPixel(hwnd_, x, y) == RGB(0, 0, 0);
        }
    }
    EXPECT_GT(dark, 5) << "the digits of the score";
}

TEST_F(SnakeWindow, ScoreTextGrowsFromOneToThreeDigits) {
    auto inkColumns = [&](int score) {
        game().score = score;
        game().food = Cell{500, 500};
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
        int last = 0;
        for (int x = 250; x < 300; ++x) {
            for (int y = 0; y < 16; ++y) {
                if (ClientPixel(hwnd_, x, y) == RGB(0, 0, 0)) {
                    last = x;
                }
            }
        }
        return last - 250;
    };
    const int one = inkColumns(0);
    const int three = inkColumns(200);
    EXPECT_GT(one, 0);
    EXPECT_GT(three, one * 2) << "one digit ends at +" << one << ", three at +" << three;
}

TEST(Win32SnakePlatform, RectangleHasABlackOutlineAFillAndLeavesNoBrushSelected) {
    MemorySurface surface(80, 40);
    const HDC mem = surface.dc();
    PatBlt(mem, 0, 0, 80, 40, WHITENESS);
    const HGDIOBJ brushBefore = GetCurrentObject(mem, OBJ_BRUSH);
    snake::Win32SnakePlatform platform(mem);
    platform.rectangle(desk::Rect{10, 10, 20, 20}, desk::Rgb(0, 255, 0));
    platform.rectangle(desk::Rect{30, 10, 80, 20}, desk::Rgb(0, 0, 255));
    EXPECT_EQ(GetCurrentObject(mem, OBJ_BRUSH), brushBefore);
    EXPECT_EQ(GetPixel(mem, 10, 10), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mem, 19, 19), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mem, 20, 20), RGB(255, 255, 255)) << "right and bottom exclusive";
    EXPECT_EQ(GetPixel(mem, 11, 11), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(mem, 18, 18), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(mem, 55, 15), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(mem, 79, 15), RGB(0, 0, 0));
}

// More shapes than the process has GDI handles (about 65,000 under Wine, 10,000
// by default on Windows): a brush left behind per shape would use them up, and
// the last shapes would no longer get their colour.
TEST(Win32SnakePlatform, MoreShapesThanTheHandleTableHoldsLeaveNoBrushBehind) {
    MemorySurface surface(100, 100);
    snake::Win32SnakePlatform platform(surface.dc());
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 70000; ++i) {
        platform.rectangle(desk::Rect{i % 90, 0, i % 90 + 10, 10}, desk::Rgb(0, i % 256, 0));
    }
    const DWORD after = GdiObjectCount();
    EXPECT_LE(after, before + 2) << "GDI objects before " << before << ", after " << after;
    platform.rectangle(desk::Rect{0, 20, 10, 30}, desk::Rgb(0, 255, 0));
    EXPECT_EQ(GetPixel(surface.dc(), 5, 25), RGB(0, 255, 0))
        << ColourName(GetPixel(surface.dc(), 5, 25));
    desk::Brush probe(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_TRUE(probe) << "brushes can still be made";
}

} // namespace

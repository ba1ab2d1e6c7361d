// Run once per ANSI code page (1251, 1252, 65001): the editor's own texts
// read as intended, and what the user types is drawn as typed.
#include "platform/testing/wine_support.h"
#include "platform/text.h"
#include "resource.h"
#include "win32/editor_window.h"

#include "editor_window_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace risovik::win {
namespace {

class EditorCodePage : public EditorWindowFixture {};

TEST_F(EditorCodePage, OwnTextsReadAsIntended) {
    const unsigned expected = desk::testing::ExpectedCodePage();
    if (expected != 0) {
        ASSERT_EQ(GetACP(), expected);
    }
    const struct {
        HWND window;
        const wchar_t* text;
    } cases[] = {
        {hwnd, L"Курсовая работа `Графический редактор`"},
        {GetDlgItem(hwnd, IDC_RECTANGLE_TOOL), L"Rectangle"},
        {GetDlgItem(hwnd, IDC_SCALE), L"Macshtab"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(IsWindowUnicode(c.window));
        EXPECT_EQ(desk::WindowTextWide(c.window), c.text);
    }
}

// The pixels of `text` drawn with TextOutW in red at (x, y) on a black
// picture of the canvas's size, as the text tool draws it.
std::vector<COLORREF> Reference(const wchar_t* text, int x, int y, const RECT& area) {
    desk::WindowDc screen(nullptr);
    desk::MemoryDc dc(screen.get());
    desk::Bitmap picture(CreateCompatibleBitmap(screen.get(), kCanvasWidth, kCanvasHeight));
    desk::Selection selected(dc.get(), picture.get());
    PatBlt(dc.get(), 0, 0, kCanvasWidth, kCanvasHeight, BLACKNESS);
    SetTextColor(dc.get(), RGB(255, 0, 0));
    TextOutW(dc.get(), x, y, text, lstrlenW(text));
    std::vector<COLORREF> pixels;
    for (int py = area.top; py < area.bottom; ++py)
        for (int px = area.left; px < area.right; ++px)
            pixels.push_back(GetPixel(dc.get(), px, py));
    return pixels;
}

TEST_F(EditorCodePage, TypedTextIsDrawnAsTyped) {
    const std::wstring typed = L"жé Ж"; // "é" has no byte in 1251, "ж" none in 1252
    HWND field = GetDlgItem(hwnd, IDC_TEXT_FIELD);
    for (wchar_t c : typed)
        SendMessageW(field, WM_CHAR, c, 1); // as the wide message loop delivers keys
    EXPECT_TRUE(desk::WindowTextWide(field) == typed);
    Send(IDM_NEW);
    Draw(IDC_TEXT_TOOL, IDC_RED, 0, 0, 100, 200);
    const RECT area{100, 200, 180, 240};
    std::vector<COLORREF> drawn;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            drawn.push_back(Canvas(x, y));
    const auto expected = Reference(typed.c_str(), 100, 200, area);
    ASSERT_TRUE(expected != Reference(L"?? ?", 100, 200, area)) << "the letters must show";
    EXPECT_TRUE(drawn == expected) << "the canvas shows other letters than were typed";
}

} // namespace
} // namespace risovik::win

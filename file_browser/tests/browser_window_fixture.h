// The browser's real main window for the tests under Wine (or Windows): made
// afresh for each test over a zero-filled state, driven by the commands that
// its controls send, destroyed at the end. Texts of the narrow forms are
// Windows-1251 bytes, as the tests' own literals are.
#pragma once

#include "win32/browser_window.h"

#include "platform/testing/wine_support.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <string>

namespace browser::testing {

class BrowserWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(&TheBrowserState(), 0, sizeof(BrowserState));
        HINSTANCE instance = GetModuleHandleW(nullptr);
        RegisterBrowserClass(instance);
        window = CreateBrowserWindow(instance);
        ASSERT_NE(window, nullptr);
        AttachBrowserMenu(window, SW_SHOWNORMAL);
        desk::testing::PumpPending();
    }
    void TearDown() override {
        if (window)
            DestroyWindow(window);
        desk::testing::PumpPending();
    }

    HWND item(int id) const { return GetDlgItem(window, id); }
    HWND list() const { return item(IDC_ENTRY_LIST); }
    void command(int id, int code = 0, HWND from = nullptr) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(from));
    }

    // Selects the entry as a click does; false when it is not listed.
    bool select(const std::wstring& entry) {
        return selectAt(
            SendMessageW(list(), LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(entry.c_str())));
    }
    bool select(const std::string& entry) { return select(desk::Wide(entry)); }
    bool selectAt(LRESULT i) {
        if (i == LB_ERR)
            return false;
        SendMessageW(list(), LB_SETCURSEL, i, 0);
        command(IDC_ENTRY_LIST, LBN_SELCHANGE, list());
        return true;
    }
    // Selects and double-clicks the entry; false when it is not listed.
    template <typename Text> bool open(const Text& entry) {
        if (!select(entry))
            return false;
        command(IDC_ENTRY_LIST, LBN_DBLCLK, list());
        return true;
    }

    // Makes a fresh folder "<temporary folder><stem><process>-<tick>\" and
    // returns its path, the drive in lower case as the list shows drives.
    static std::wstring MakeTempFolder(const wchar_t* stem) {
        wchar_t temp[MAX_PATH];
        wchar_t longTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        GetLongPathNameW(temp, longTemp, MAX_PATH);
        std::wstring folder = std::wstring(longTemp) + stem +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount()) + L"\\";
        folder[0] = static_cast<wchar_t>(std::towlower(folder[0]));
        EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        return folder;
    }
    // Walks into `folder` (ending in a backslash) from the root view, one
    // double-click per level.
    void walkTo(const std::wstring& folder) {
        ASSERT_TRUE(open(std::wstring(L"[-") + folder[0] + L"-]")) << "no drive " << folder[0];
        for (std::size_t start = 3, end; start < folder.size(); start = end + 1) {
            end = folder.find(L'\\', start);
            const std::wstring name = folder.substr(start, end - start);
            ASSERT_TRUE(open(L"[" + name + L"]"))
                << "no [" << desk::Narrow(name.c_str()) << "] in "
                << desk::Narrow(desk::WindowTextWide(item(IDC_PATH_BAR)).c_str());
        }
        ASSERT_EQ(desk::WindowTextWide(item(IDC_PATH_BAR)), folder + L"*.*");
    }
    // Opens the copy (or rename) panel, types `text` over the suggestion and
    // presses its "OK".
    void finishPanel(int startId, int okId, const std::wstring& text) {
        command(startId);
        HWND input = item(IDC_INPUT_FIELD);
        ASSERT_NE(input, nullptr);
        SetWindowTextW(input, text.c_str());
        HWND ok = item(okId);
        ASSERT_NE(ok, nullptr);
        command(okId, BN_CLICKED, ok);
    }
    void finishPanel(int startId, int okId, const std::string& text) {
        finishPanel(startId, okId, desk::Wide(text));
    }

    HWND window = nullptr;
};

} // namespace browser::testing

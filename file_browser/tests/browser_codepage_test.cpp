// Run once per ANSI code page (1251, 1252, 65001): the browser's own texts
// read right in the window, its menu, panels and message boxes, and names
// that the code page has no bytes for are listed and acted on exactly.
#include "win32/browser_window.h"

#include "platform/testing/wine_support.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace browser;
using desk::WindowTextWide;
using desk::testing::ModalAnswerer;

std::string ReadAll(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[256];
    DWORD got = 0;
    ReadFile(f, buf, sizeof buf, &got, nullptr);
    CloseHandle(f);
    return std::string(buf, got);
}

void WriteAll(const std::wstring& path, const std::string& content) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &put, nullptr);
    CloseHandle(f);
}

class BrowserCodePage : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const unsigned expected = desk::testing::ExpectedCodePage()) {
            ASSERT_EQ(GetACP(), expected);
        }
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
        if (!tree.empty())
            RemoveTree(tree);
    }
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((folder + L"*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(folder + name + L"\\");
                else
                    DeleteFileW((folder + name).c_str());
            } while (FindNextFileW(h, &found));
            FindClose(h);
        }
        RemoveDirectoryW(folder.c_str());
    }

    HWND item(int id) const { return GetDlgItem(window, id); }
    void command(int id, int code = 0) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), 0);
    }
    bool select(const std::wstring& entry) {
        HWND list = item(IDC_ENTRY_LIST);
        const LRESULT i =
            SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(entry.c_str()));
        if (i == LB_ERR)
            return false;
        SendMessageW(list, LB_SETCURSEL, i, 0);
        command(IDC_ENTRY_LIST, LBN_SELCHANGE);
        return true;
    }
    bool open(const std::wstring& entry) {
        if (!select(entry))
            return false;
        command(IDC_ENTRY_LIST, LBN_DBLCLK);
        return true;
    }
    // A fresh folder under the temporary folder holding `folder` and `files`
    // (name, content), walked into from the drives.
    void makeTreeAndWalkIn(const std::wstring& folder,
                           const std::vector<std::pair<std::wstring, std::string>>& files) {
        wchar_t temp[MAX_PATH];
        wchar_t longTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        GetLongPathNameW(temp, longTemp, MAX_PATH);
        tree = std::wstring(longTemp) + L"dirvik-cp-" + std::to_wstring(GetCurrentProcessId()) +
               L"-" + std::to_wstring(GetTickCount()) + L"\\";
        tree[0] = static_cast<wchar_t>(std::towlower(tree[0]));
        ASSERT_TRUE(CreateDirectoryW(tree.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((tree + folder).c_str(), nullptr));
        for (const auto& [name, content] : files)
            WriteAll(tree + name, content);
        ASSERT_TRUE(open(std::wstring(L"[-") + tree[0] + L"-]"));
        for (std::size_t start = 3, end; start < tree.size(); start = end + 1) {
            end = tree.find(L'\\', start);
            ASSERT_TRUE(open(L"[" + tree.substr(start, end - start) + L"]"));
        }
        ASSERT_EQ(WindowTextWide(item(IDC_PATH_BAR)), tree + L"*.*");
    }
    // Opens the copy (or rename) panel, types `text` over the suggestion and
    // presses its "OK".
    void finishPanel(int startId, int okId, const std::wstring& text) {
        command(startId);
        ASSERT_NE(item(IDC_INPUT_FIELD), nullptr);
        SetWindowTextW(item(IDC_INPUT_FIELD), text.c_str());
        command(okId, BN_CLICKED);
    }

    HWND window = nullptr;
    std::wstring tree;
};

TEST_F(BrowserCodePage, OwnTextsReadRight) {
    wchar_t menuText[32] = {};
    GetMenuStringW(GetSubMenu(GetMenu(window), 0), IDM_COPY_FILE, menuText, 32, MF_BYCOMMAND);
    EXPECT_STREQ(menuText, L"&Copy File");
    struct Row {
        int command; // run before the text is read; 0 for none
        int id;      // the control read; 0 for the main window
        std::wstring want;
    };
    const Row rows[] = {
        {0, 0, L"КУРСОВОЙ ПРОЕКТ [Папковод]"},
        {0, IDC_PATH_BAR, L"Мой компьютер"},
        {0, IDC_EXIT_BUTTON, L"Exit"},
        {IDM_RENAME, IDC_PROMPT_FIELD, L"Введите новое имя файла"},
        {IDM_COPY_FILE, IDC_PROMPT_FIELD, L"Введите путь,куда следует скопировать файл"},
    };
    for (const Row& row : rows) {
        if (row.command)
            command(row.command);
        EXPECT_EQ(WindowTextWide(row.id ? item(row.id) : window), row.want) << row.id;
    }
    ModalAnswerer boxes;
    finishPanel(IDM_COPY_FILE, IDC_OK_COPY, L"");
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(desk::Wide(boxes.seen()[0].text), L"Директории стаким именем не существует");
}

TEST_F(BrowserCodePage, NamesOutsideTheCodePageAreActedOnExactly) {
    // Under 1252 the Cyrillic names have no bytes, under 1251 the accented
    // ones; "cafe.txt" is what a nearest spelling of "café.txt" would name.
    const std::wstring folder = L"Папка é";
    makeTreeAndWalkIn(
        folder, {{L"café.txt", "accented"}, {L"cafe.txt", "plain"}, {L"отчёт.txt", "report"}});
    ModalAnswerer boxes;
    struct Row {
        std::wstring entry;
        std::wstring target; // typed into the copy panel
        std::wstring made;
        std::string content;
    };
    const Row rows[] = {
        {L"café.txt", tree + L"copy é.txt", tree + L"copy é.txt", "accented"},
        {L"отчёт.txt", tree + folder + L"\\", tree + folder + L"\\отчёт.txt", "report"},
        {L"cafe.txt", tree + folder, tree + folder + L"\\cafe.txt", "plain"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(select(row.entry));
        finishPanel(IDM_COPY_FILE, IDC_OK_COPY, row.target);
        EXPECT_EQ(ReadAll(row.made), row.content);
    }
    ASSERT_TRUE(select(L"отчёт.txt"));
    // (Names with "é" stay out of the checks' own text, which is Windows-1251.)
    const std::wstring renamed = L"новый café.txt";
    const std::wstring accented = L"café.txt";
    finishPanel(IDM_RENAME, IDC_OK_RENAME, renamed);
    EXPECT_EQ(ReadAll(tree + renamed), "report");
    EXPECT_EQ(ReadAll(tree + L"отчёт.txt"), "<missing>");
    EXPECT_EQ(ReadAll(tree + accented), "accented");
    EXPECT_EQ(ReadAll(tree + L"cafe.txt"), "plain");

    ASSERT_TRUE(open(L"[" + folder + L"]"));
    EXPECT_EQ(WindowTextWide(item(IDC_PATH_BAR)), tree + folder + L"\\*.*");
    EXPECT_TRUE(select(L"отчёт.txt")) << "the copy is listed under its own name";
    EXPECT_TRUE(boxes.seen().empty()) << boxes.seen()[0].text;
}

} // namespace

// Run once per ANSI code page (1251, 1252, 65001): the browser's own texts
// read right in the window, its menu, panels and message boxes, and names
// that the code page has no bytes for are listed and acted on exactly.
#include "tests/browser_window_fixture.h"

#include <gtest/gtest.h>

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

class BrowserCodePage : public browser::testing::BrowserWindowTest {
  protected:
    void SetUp() override {
        if (const unsigned expected = desk::testing::ExpectedCodePage()) {
            ASSERT_EQ(GetACP(), expected);
        }
        BrowserWindowTest::SetUp();
    }
    void TearDown() override {
        BrowserWindowTest::TearDown();
        desk::testing::RemoveTree(tree);
    }

    // A fresh folder under the temporary folder holding `folder` and `files`
    // (name, content), walked into from the drives.
    void makeTreeAndWalkIn(const std::wstring& folder,
                           const std::vector<std::pair<std::wstring, std::string>>& files) {
        tree = MakeTempFolder(L"dirvik-cp-");
        ASSERT_TRUE(CreateDirectoryW((tree + folder).c_str(), nullptr));
        for (const auto& [name, content] : files)
            WriteAll(tree + name, content);
        walkTo(tree);
    }

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

// The browser's window under Wine (or Windows): real controls, real listings
// of a folder tree made by each test under the temporary folder, real copies
// and renames, and message boxes answered by a hook.
#include "tests/browser_window_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace browser;
using desk::testing::ModalAnswerer;
using desk::testing::PumpPending;
using desk::testing::RemoveTree;
using desk::testing::WindowTextOf;

using Texts = std::vector<std::string>;
using Answers = std::vector<ModalAnswerer::Answer>;

std::string ReadAll(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0)
        out.append(buf, got);
    CloseHandle(f);
    return out;
}

void WriteAll(const std::string& path, const std::string& content) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    DWORD put = 0;
    WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &put, nullptr);
    CloseHandle(f);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The drives present, as the list shows them.
Texts DriveEntries() {
    Texts out;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (mask & (1u << i))
            out.push_back(std::string("[-") + static_cast<char>('a' + i) + "-]");
    }
    return out;
}

// The system's own text for an error code, without its line break.
std::string SystemText(DWORD code) {
    char text[1024] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   text, sizeof text, nullptr);
    std::string s = text;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

// A drive letter that is not present.
char AbsentDrive() {
    const DWORD mask = GetLogicalDrives();
    char letter = 'q';
    while (letter <= 'y' && (mask & (1u << (letter - 'a'))))
        ++letter;
    return letter;
}

// True when a file matches `pattern`, which may hold wildcards.
bool AnyMatch(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern.c_str(), &found);
    return h != INVALID_HANDLE_VALUE && FindClose(h);
}

bool IsGreyed(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

class BrowserWindow : public browser::testing::BrowserWindowTest {
  protected:
    void TearDown() override {
        BrowserWindowTest::TearDown();
        RemoveTree(tree);
    }

    Texts entries() const {
        Texts out;
        const int n = static_cast<int>(SendMessageA(list(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char buf[kPathCapacity] = {};
            SendMessageA(list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
            out.push_back(buf);
        }
        return out;
    }
    std::string pathBar() const { return WindowTextOf(GetDlgItem(window, IDC_PATH_BAR)); }

    // Up and back into the tree, so that what was made in it since is listed.
    void reenter() {
        command(IDC_UP_BUTTON, BN_CLICKED, GetDlgItem(window, IDC_UP_BUTTON));
        const std::size_t cut = tree.rfind('\\', tree.size() - 2) + 1;
        ASSERT_TRUE(open("[" + tree.substr(cut, tree.size() - 1 - cut) + "]"));
        ASSERT_EQ(pathBar(), tree + "*.*");
    }

    // Makes a fresh folder under the temporary folder and walks into it from
    // the root view. Returns its path.
    std::string makeTreeAndWalkIn() {
        const std::wstring wide = MakeTempFolder(L"dirvik-test-");
        tree = desk::Narrow(wide.c_str());
        for (const char* sub : {"my-docs", "a]b", "..old", "Папка с пробелом"})
            CreateDirectoryA((tree + sub).c_str(), nullptr);
        WriteAll(tree + "plain.txt", "plain");
        WriteAll(tree + "отчёт 1.txt", "отчёт");
        WriteAll(tree + "-dash].txt", "dash");
        WriteAll(tree + "other.txt", "other");
        walkTo(wide);
        return tree;
    }

    std::string tree;
};

TEST_F(BrowserWindow, StartsWithTheDrivesAFixedFrameAndGreyedFileCommands) {
    EXPECT_EQ(WindowTextOf(window), kWindowTitle);
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    EXPECT_STREQ(cls, "MyKlass");
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 450);

    EXPECT_EQ(entries(), DriveEntries()) << "one [-x-] entry per drive and nothing else";
    EXPECT_FALSE(entries().empty());
    EXPECT_EQ(pathBar(), "Мой компьютер");
    EXPECT_EQ(GetDlgItem(window, IDC_UP_BUTTON), nullptr);
    EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_EXIT_BUTTON)), "Exit");

    HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    char text[64] = {};
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&File");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 4);
    const char* labels[] = {"&Copy File", "Rename", "", "Exit"};
    for (int i = 0; i < 4; ++i) {
        GetMenuStringA(file, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, labels[i]) << "item " << i;
    }
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(IsGreyed(file, IDM_COPY_FILE));
    EXPECT_TRUE(IsGreyed(file, IDM_RENAME));
    EXPECT_FALSE(IsGreyed(file, IDM_EXIT));
}

TEST_F(BrowserWindow, ControlsStandWhereTheLayoutPutsThem) {
    makeTreeAndWalkIn();
    ASSERT_TRUE(select("plain.txt"));
    command(IDM_COPY_FILE);
    struct Place {
        int id;
        RECT want;
    };
    const Place places[] = {
        {IDC_ENTRY_LIST, {0, 22, 305, 412}},     {IDC_EXIT_BUTTON, {510, 22, 590, 62}},
        {IDC_PATH_BAR, {0, 0, 593, 20}},         {IDC_UP_BUTTON, {310, 22, 510, 62}},
        {IDC_PROMPT_FIELD, {310, 80, 590, 116}}, {IDC_INPUT_FIELD, {310, 116, 590, 136}},
        {IDC_OK_COPY, {350, 160, 420, 190}},     {IDC_CANCEL, {465, 160, 535, 190}},
    };
    for (const Place& p : places) {
        HWND control = GetDlgItem(window, p.id);
        ASSERT_NE(control, nullptr) << "control " << p.id;
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        if (p.id == IDC_ENTRY_LIST) {
            // Without LBS_NOINTEGRALHEIGHT the list shows whole entries only,
            // so its height rounds down to a multiple of the entry height.
            const int item = static_cast<int>(SendMessageA(control, LB_GETITEMHEIGHT, 0, 0));
            EXPECT_GT(r.bottom, p.want.bottom - item) << "list height " << r.bottom - r.top;
            r.bottom = p.want.bottom;
        }
        EXPECT_TRUE(EqualRect(&r, &p.want))
            << "control " << p.id << " at " << r.left << "," << r.top << " " << r.right - r.left
            << "x" << r.bottom - r.top;
    }
    EXPECT_EQ(GetDlgItem(window, IDC_OK_RENAME), nullptr);
}

TEST_F(BrowserWindow, WalksIntoFoldersWithOddNamesAndBackUp) {
    const std::string folder = makeTreeAndWalkIn();
    const Texts here = entries();
    for (const char* want : {"[..]", "[my-docs]", "[a]b]", "[..old]", "[Папка с пробелом]",
                             "plain.txt", "отчёт 1.txt", "-dash].txt"}) {
        EXPECT_NE(std::find(here.begin(), here.end(), want), here.end()) << want << " not listed";
    }
    ASSERT_NE(GetDlgItem(window, IDC_UP_BUTTON), nullptr);
    EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_UP_BUTTON)), "Up to level");
    const int level = TheBrowserState().level;

    for (const char* sub : {"[my-docs]", "[a]b]", "[..old]", "[Папка с пробелом]"}) {
        ASSERT_TRUE(open(sub));
        const std::string name(sub + 1, std::strlen(sub) - 2);
        EXPECT_EQ(pathBar(), folder + name + "\\*.*");
        EXPECT_EQ(entries(), Texts{"[..]"}) << "inside " << name;
        ASSERT_TRUE(open("[..]"));
        EXPECT_EQ(pathBar(), folder + "*.*");
        EXPECT_EQ(entries(), here);
    }
    // The up button, level by level, back to the drives.
    for (int k = level; k > 0; --k)
        command(IDC_UP_BUTTON, BN_CLICKED, GetDlgItem(window, IDC_UP_BUTTON));
    EXPECT_EQ(pathBar(), "Мой компьютер");
    EXPECT_EQ(entries(), DriveEntries());
    EXPECT_EQ(GetDlgItem(window, IDC_UP_BUTTON), nullptr);
}

TEST_F(BrowserWindow, PathBarHoldsAPatternWiderThanItself) {
    const std::string folder = makeTreeAndWalkIn();
    const std::string name(40, 'w');
    std::string deep = folder;
    for (int k = 0; k < 3; ++k) {
        deep += name + "\\";
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    reenter();
    for (int k = 0; k < 3; ++k)
        ASSERT_TRUE(open("[" + name + "]")) << "level " << k;
    EXPECT_EQ(TheBrowserState().pathPattern, deep + "*.*");
    EXPECT_EQ(pathBar(), deep + "*.*") << "the whole pattern, not what fits the width";
    // Its start is in view, and so is every shorter path's on the way back.
    for (int k = 0; k <= 3; ++k) {
        EXPECT_EQ(SendMessageA(GetDlgItem(window, IDC_PATH_BAR), EM_GETFIRSTVISIBLELINE, 0, 0), 0)
            << pathBar();
        command(IDC_UP_BUTTON, BN_CLICKED, GetDlgItem(window, IDC_UP_BUTTON));
    }
}

TEST_F(BrowserWindow, SelectionSetsTheFileCommandsAndClosesThePanel) {
    makeTreeAndWalkIn();
    HMENU file = GetSubMenu(GetMenu(window), 0);
    ASSERT_TRUE(select("plain.txt"));
    EXPECT_FALSE(IsGreyed(file, IDM_COPY_FILE));
    EXPECT_FALSE(IsGreyed(file, IDM_RENAME));
    command(IDM_COPY_FILE);
    ASSERT_NE(GetDlgItem(window, IDC_INPUT_FIELD), nullptr);
    EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_PROMPT_FIELD)),
              "Введите путь,куда следует скопировать файл");
    EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_INPUT_FIELD)), tree);
    EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_CANCEL)), "Cencel");

    command(IDM_RENAME); // replaces the copy panel
    EXPECT_EQ(GetDlgItem(window, IDC_OK_COPY), nullptr);
    ASSERT_NE(GetDlgItem(window, IDC_OK_RENAME), nullptr);
    EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_INPUT_FIELD)), "plain.txt");

    ASSERT_TRUE(select("[my-docs]"));
    EXPECT_TRUE(IsGreyed(file, IDM_COPY_FILE));
    EXPECT_TRUE(IsGreyed(file, IDM_RENAME));
    for (int id : {IDC_PROMPT_FIELD, IDC_INPUT_FIELD, IDC_OK_RENAME, IDC_CANCEL})
        EXPECT_EQ(GetDlgItem(window, id), nullptr) << "panel control " << id << " left open";
}

TEST_F(BrowserWindow, PanelClosesWhenTheDrivesAreShownAgain) {
    makeTreeAndWalkIn();
    ASSERT_TRUE(select("plain.txt"));
    command(IDM_COPY_FILE);
    ASSERT_NE(GetDlgItem(window, IDC_INPUT_FIELD), nullptr);
    for (int k = TheBrowserState().level; k > 0; --k)
        command(IDC_UP_BUTTON, BN_CLICKED, GetDlgItem(window, IDC_UP_BUTTON));
    EXPECT_EQ(pathBar(), "Мой компьютер");
    for (int id : {IDC_PROMPT_FIELD, IDC_INPUT_FIELD, IDC_OK_COPY, IDC_CANCEL})
        EXPECT_EQ(GetDlgItem(window, id), nullptr) << "panel control " << id << " left open";
    EXPECT_EQ(entries(), DriveEntries());
}

TEST_F(BrowserWindow, DoubleClickOnAFileNamedWithABracketOpensNothing) {
    makeTreeAndWalkIn();
    WriteAll(tree + "[notes].txt", "notes");
    reenter();
    const Texts here = entries();
    ModalAnswerer boxes;
    ASSERT_TRUE(open("[notes].txt"));
    EXPECT_TRUE(boxes.seen().empty()) << boxes.seen()[0].text;
    EXPECT_EQ(pathBar(), tree + "*.*");
    EXPECT_EQ(entries(), here);
}

TEST_F(BrowserWindow, CopyOntoItselfAnsweredYesLeavesTheFileAsItWas) {
    makeTreeAndWalkIn();
    ModalAnswerer boxes(Answers{{IDYES, {}}});
    ASSERT_TRUE(select("отчёт 1.txt"));
    finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree); // the suggestion: the file's own folder
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].caption, "Потверждение замены файла");
    EXPECT_EQ(boxes.seen()[0].text, "Файл уже существует. Заменить его ?");
    EXPECT_EQ(ReadAll(tree + "отчёт 1.txt"), "отчёт");
    EXPECT_EQ(GetDlgItem(window, IDC_INPUT_FIELD), nullptr);
}

TEST_F(BrowserWindow, CopyOntoAnExistingFileReplacesOnlyOnYes) {
    makeTreeAndWalkIn();
    ASSERT_TRUE(select("plain.txt"));
    {
        ModalAnswerer boxes(Answers{{IDNO, {}}});
        finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree + "other.txt");
        EXPECT_EQ(boxes.seen().size(), 1u);
    }
    EXPECT_EQ(ReadAll(tree + "plain.txt"), "plain");
    EXPECT_EQ(ReadAll(tree + "other.txt"), "other");
    {
        ModalAnswerer boxes(Answers{{IDYES, {}}});
        finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree + "other.txt");
        EXPECT_EQ(boxes.seen().size(), 1u) << "no message after a replacement";
    }
    EXPECT_EQ(ReadAll(tree + "other.txt"), "plain");
}

TEST_F(BrowserWindow, CopiesOddNamesIntoAFolderOrUnderANewName) {
    makeTreeAndWalkIn();
    ModalAnswerer boxes;
    ASSERT_TRUE(select("-dash].txt"));
    finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree + "a]b\\");
    EXPECT_EQ(ReadAll(tree + "a]b\\-dash].txt"), "dash");
    ASSERT_TRUE(select("отчёт 1.txt"));
    finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree + "..old\\..копия ]-1.txt");
    EXPECT_EQ(ReadAll(tree + "..old\\..копия ]-1.txt"), "отчёт");
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(ReadAll(tree + "отчёт 1.txt"), "отчёт");
}

TEST_F(BrowserWindow, CopyFailuresAreReportedNeverSilent) {
    makeTreeAndWalkIn();
    ModalAnswerer boxes;
    ASSERT_TRUE(select("plain.txt"));
    finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree + "missing\\");
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].caption, "Error");
    EXPECT_EQ(boxes.seen()[0].text, "Директории стаким именем не существует");

    // Replacing a folder by a file, after Yes: the system refuses, and says so
    // in its own words. "my-docs" is a folder, so the copy goes into it, where
    // a folder has the file's name.
    ASSERT_TRUE(CreateDirectoryA((tree + "my-docs\\plain.txt").c_str(), nullptr));
    boxes.push(IDYES);
    finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree + "my-docs");
    ASSERT_EQ(boxes.seen().size(), 3u);
    EXPECT_EQ(boxes.seen()[1].caption, "Потверждение замены файла");
    EXPECT_EQ(boxes.seen()[2].caption, "Error");
    EXPECT_EQ(boxes.seen()[2].text, SystemText(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(GetFileAttributesA((tree + "my-docs\\plain.txt").c_str()) &
                FILE_ATTRIBUTE_DIRECTORY);

    // A name the file system cannot take: the system's own text, not silence.
    finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree + "bad|name.txt");
    ASSERT_EQ(boxes.seen().size(), 4u);
    EXPECT_EQ(boxes.seen()[3].caption, "Error");
    EXPECT_EQ(boxes.seen()[3].text, SystemText(ERROR_INVALID_NAME));
    EXPECT_EQ(GetDlgItem(window, IDC_INPUT_FIELD), nullptr) << "the panel closes after a failure";
}

TEST_F(BrowserWindow, FailedCopiesLeaveTheTargetAsItWasAndNothingBehind) {
    makeTreeAndWalkIn();
    const std::string locked = tree + "locked.txt";
    WriteAll(locked, "locked");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    // Held open without sharing: the final replacement is refused after the
    // whole copy was written.
    HANDLE held = CreateFileA((tree + "other.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    // A read-only file gives a whole read-only copy with its time of last change.
    const std::string plain = tree + "plain.txt";
    SetFileAttributesA(plain.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::pair<std::string, std::string> rows[] = {
        {tree + "other.txt", SystemText(ERROR_ACCESS_DENIED)},
        {locked, SystemText(ERROR_ACCESS_DENIED)},
        {std::string(1, AbsentDrive()) + ":\\x.txt", "Директории стаким именем не существует"},
        {tree + "copy.txt", ""}};
    ASSERT_TRUE(select("plain.txt"));
    for (const auto& [target, text] : rows) {
        ModalAnswerer boxes(Answers{{IDYES, {}}});
        finishPanel(IDM_COPY_FILE, IDC_OK_COPY, target);
        EXPECT_EQ(boxes.seen().empty() ? "" : boxes.seen().back().text, text) << target;
    }
    CloseHandle(held);
    EXPECT_EQ(ReadAll(tree + "other.txt"), "other");
    EXPECT_EQ(ReadAll(locked), "locked");
    EXPECT_TRUE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(AnyMatch(tree + "dvk*.tmp")) << "a temporary file was left";
    EXPECT_EQ(ReadAll(tree + "copy.txt"), "plain");
    WIN32_FILE_ATTRIBUTE_DATA from{}, to{};
    GetFileAttributesExA(plain.c_str(), GetFileExInfoStandard, &from);
    GetFileAttributesExA((tree + "copy.txt").c_str(), GetFileExInfoStandard, &to);
    EXPECT_TRUE(to.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime), 0);
}

TEST_F(BrowserWindow, ApproximateNamesAreListedButNeverActedOn) {
    makeTreeAndWalkIn();
    WriteAll(tree + "cafe.txt", "plain e");
    reenter();
    // Names travel as UTF-8, which carries every name but one holding a lone
    // surrogate: its entry text could only be a stand-in.
    const std::wstring file = {L'x', 0xD800, L'.', L't', L'x', L't'};
    const std::wstring folder = L"[" + file + L"]";
    for (const std::wstring& entry : {file, folder})
        SendMessageW(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    const std::tuple<const std::wstring*, int, int> steps[] = {
        {&file, IDM_COPY_FILE, 0}, {&file, IDM_RENAME, 0}, {&folder, IDC_ENTRY_LIST, LBN_DBLCLK}};
    for (const auto& [entry, id, code] : steps) {
        ModalAnswerer boxes;
        ASSERT_TRUE(select(*entry)) << id;
        command(id, code, list());
        EXPECT_EQ(GetDlgItem(window, IDC_INPUT_FIELD), nullptr) << "panel " << id;
        EXPECT_EQ(pathBar(), tree + "*.*");
        ASSERT_EQ(boxes.seen().size(), 1u) << id;
        EXPECT_NE(boxes.seen()[0].text.find("неточно"), std::string::npos) << id;
    }
    // The other entries are still acted on.
    ASSERT_TRUE(select("cafe.txt"));
    finishPanel(IDM_COPY_FILE, IDC_OK_COPY, tree + "copy.txt");
    EXPECT_EQ(ReadAll(tree + "copy.txt"), "plain e");
}

TEST_F(BrowserWindow, EmptyFolderAndLongTargetsCopyOrSayWhy) {
    makeTreeAndWalkIn();
    WriteAll(tree + "a]b\\plain.txt", "kept");
    // A folder of 249 characters: room for "plain.txt" (258 in all), none for
    // a temporary "dvkXXXX.tmp" within MAX_PATH.
    const std::string deep = tree + std::string(248 - tree.size(), 'L') + "\\";
    ASSERT_EQ(deep.size(), 249u);
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, deep.c_str(), -1, wide, MAX_PATH);
    ASSERT_TRUE(CreateDirectoryW((std::wstring(L"\\\\?\\") + wide).c_str(), nullptr));
    const std::string deepFolder = deep.substr(0, deep.size() - 1);
    const std::string kAsk = "Файл уже существует. Заменить его ?";
    struct Row {
        std::string target;
        Answers answers;
        Texts boxes; // the texts shown, in order
        std::string file;
        std::string content; // of `file` afterwards
    };
    const Row rows[] = {
        {"", {}, {"Директории стаким именем не существует"}, tree + "plain.txt", "plain"},
        {tree + "my-docs", {}, {}, tree + "my-docs\\plain.txt", "plain"},
        {tree + "a]b", {{IDNO, {}}}, {kAsk}, tree + "a]b\\plain.txt", "kept"},
        {tree + "a]b", {{IDYES, {}}}, {kAsk}, tree + "a]b\\plain.txt", "plain"},
        {tree.substr(0, tree.size() - 1), {{IDYES, {}}}, {kAsk}, tree + "plain.txt", "plain"},
        {deepFolder, {}, {}, deep + "plain.txt", "plain"},
        {deep + "x.txt", {}, {}, deep + "x.txt", "plain"},
        {deep + std::string(11, 'y'),
         {},
         {SystemText(ERROR_FILENAME_EXCED_RANGE)},
         deep + "x.txt",
         "plain"},
    };
    ASSERT_TRUE(select("plain.txt"));
    for (const Row& row : rows) {
        ModalAnswerer boxes(row.answers, IDOK);
        finishPanel(IDM_COPY_FILE, IDC_OK_COPY, row.target);
        Texts shown;
        for (const auto& box : boxes.seen())
            shown.push_back(box.text);
        EXPECT_EQ(shown, row.boxes) << "target '" << row.target << "'";
        EXPECT_EQ(ReadAll(row.file), row.content) << "target '" << row.target << "'";
        EXPECT_EQ(GetDlgItem(window, IDC_INPUT_FIELD), nullptr) << "target " << row.target;
    }
    EXPECT_FALSE(AnyMatch(tree + "dvk*.tmp") || AnyMatch(deep + "dvk*.tmp") ||
                 AnyMatch(tree + "a]b\\dvk*.tmp"))
        << "a temporary file was left";
}

TEST_F(BrowserWindow, RenameStaysInTheFolderAndNeverReplaces) {
    makeTreeAndWalkIn();
    ModalAnswerer boxes;
    ASSERT_TRUE(select("plain.txt"));
    finishPanel(IDM_RENAME, IDC_OK_RENAME, "other.txt");
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, "Произошла ошибка при периименовании файла ! \n"
                                    "Диск может быть защещён от записи");
    EXPECT_EQ(ReadAll(tree + "plain.txt"), "plain");
    EXPECT_EQ(ReadAll(tree + "other.txt"), "other");
    EXPECT_EQ(SendMessageA(list(), LB_GETCURSEL, 0, 0), LB_ERR) << "the list was filled anew";

    ASSERT_TRUE(select("отчёт 1.txt"));
    finishPanel(IDM_RENAME, IDC_OK_RENAME, "..новое ]-имя.txt");
    EXPECT_EQ(boxes.seen().size(), 1u);
    EXPECT_FALSE(Exists(tree + "отчёт 1.txt"));
    EXPECT_EQ(ReadAll(tree + "..новое ]-имя.txt"), "отчёт");
    const Texts now = entries();
    EXPECT_EQ(std::find(now.begin(), now.end(), "отчёт 1.txt"), now.end());

    ASSERT_TRUE(select("-dash].txt"));
    finishPanel(IDM_RENAME, IDC_OK_RENAME, "my-docs\\moved.txt");
    EXPECT_EQ(ReadAll(tree + "my-docs\\moved.txt"), "dash");
}

TEST_F(BrowserWindow, TooLongInputIsRefusedAndThePanelKept) {
    makeTreeAndWalkIn();
    ModalAnswerer boxes;
    ASSERT_TRUE(select("plain.txt"));
    command(IDM_COPY_FILE);
    HWND input = GetDlgItem(window, IDC_INPUT_FIELD);
    const std::string tooLong = tree + std::string(kPathCapacity, 'x');
    SetWindowTextA(input, tooLong.c_str());
    ASSERT_EQ(WindowTextOf(input), tooLong) << "the field holds the whole text";
    command(IDC_OK_COPY, BN_CLICKED, GetDlgItem(window, IDC_OK_COPY));
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].caption, "Error");
    EXPECT_NE(GetDlgItem(window, IDC_INPUT_FIELD), nullptr);
    EXPECT_EQ(WindowTextOf(input), tooLong);
}

TEST_F(BrowserWindow, DriveThatListsNothingAsksAgainUntilNo) {
    // A drive letter that is not present lists nothing, as an empty medium does.
    const std::string absent = std::string("[-") + AbsentDrive() + "-]";
    SendMessageA(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(absent.c_str()));
    ModalAnswerer boxes(Answers{{IDYES, {}}, {IDYES, {}}, {IDNO, {}}});
    ASSERT_TRUE(open(absent));
    ASSERT_EQ(boxes.seen().size(), 3u);
    EXPECT_EQ(boxes.seen()[0].caption, "");
    EXPECT_EQ(boxes.seen()[0].text,
              "Устройство не готово или диск не содержет информации. Повторить?");
    EXPECT_EQ(pathBar(), "Мой компьютер");
    EXPECT_EQ(entries(), DriveEntries());
    EXPECT_EQ(TheBrowserState().level, 0);
    EXPECT_EQ(GetDlgItem(window, IDC_UP_BUTTON), nullptr);
}

TEST_F(BrowserWindow, ExitPostsQuitWithCodeZero) {
    PumpPending();
    command(IDM_EXIT);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

} // namespace

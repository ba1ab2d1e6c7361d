#include "tests/fake_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace browser;
using browser::testing::FakePlatform;
using browser::testing::NewState;
using Calls = std::vector<std::string>;

const std::string kCopyFailedText = "     Произошла ошибка при копировании файла !\n"
                                    "Диск может быть переполнен или защещён от записи";
const std::string kRenameFailedText = "Произошла ошибка при периименовании файла ! \n"
                                      "Диск может быть защещён от записи";

// Standing in c:\abc\ with the file "отчёт 1.txt" selected.
class CopyRename : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.listings["c:\\*.*"] = {"[abc]", "[backup]"};
        platform.listings["c:\\abc\\*.*"] = {"[..]", "отчёт 1.txt", "other.txt"};
        platform.folders = {"c:\\", "c:\\abc\\", "c:\\backup\\"};
        platform.files[kSource] = "report";
        platform.files["c:\\abc\\other.txt"] = "other";
        ShowRootView(*state, platform);
        platform.doubleClick("[-c-]");
        platform.doubleClick("[abc]");
        platform.click(kName);
        platform.take();
    }

    // Opens the copy panel, types `text` and presses "OK".
    void copyTo(const std::string& text) {
        platform.command(IDM_COPY_FILE);
        platform.input = text;
        platform.command(IDC_OK_COPY);
    }
    void renameTo(const std::string& text) {
        platform.command(IDM_RENAME);
        platform.input = text;
        platform.command(IDC_OK_RENAME);
    }

    const std::string kName = "отчёт 1.txt";
    const std::string kSource = "c:\\abc\\отчёт 1.txt";
    std::unique_ptr<BrowserState> state = NewState();
    FakePlatform platform{*state};
};

TEST_F(CopyRename, CopyPanelSuggestsTheFolderShown) {
    platform.command(IDM_COPY_FILE);
    EXPECT_EQ(platform.take(), (Calls{"sendCommand 304", "closePanel", "openPanel 303"}));
    EXPECT_EQ(platform.input, "c:\\abc\\");
    EXPECT_EQ(platform.panelPrompt, "Введите путь,куда следует скопировать файл");
}

TEST_F(CopyRename, RenamePanelSuggestsTheFileNameAndReplacesACopyPanel) {
    platform.command(IDM_COPY_FILE);
    platform.take();
    platform.command(IDM_RENAME);
    EXPECT_EQ(platform.take(), (Calls{"sendCommand 304", "closePanel", "openPanel 305"}));
    EXPECT_EQ(platform.input, kName);
    EXPECT_EQ(platform.panelPrompt, "Введите новое имя файла");
}

TEST_F(CopyRename, DestinationEndingInBackslashGetsTheFileName) {
    copyTo("c:\\backup\\");
    EXPECT_EQ(platform.files["c:\\backup\\отчёт 1.txt"], "report");
    EXPECT_TRUE(platform.errors.empty());
    EXPECT_FALSE(platform.panelOpen);
    EXPECT_EQ(platform.list, platform.listings["c:\\abc\\*.*"]) << "a copy does not relist";
}

TEST_F(CopyRename, DestinationWithoutBackslashIsTheWholePath) {
    copyTo("c:\\backup\\new.txt");
    EXPECT_EQ(platform.files["c:\\backup\\new.txt"], "report");
    EXPECT_EQ(platform.files.count("c:\\backup\\new.txt\\отчёт 1.txt"), 0u);
}

TEST_F(CopyRename, CopyOntoItselfAnsweredYesLeavesTheFileAlone) {
    platform.answers = {true};
    platform.command(IDM_COPY_FILE);
    platform.take();
    platform.command(IDC_OK_COPY); // the suggestion unchanged: the file's own folder
    EXPECT_EQ(platform.take(),
              (Calls{"copyFile " + kSource + " > " + kSource + " keep",
                     "ask question Потверждение замены файла", "sendCommand 304", "closePanel"}));
    EXPECT_EQ(platform.questions, (Calls{"Файл уже существует. Заменить его ?"}));
    EXPECT_EQ(platform.files[kSource], "report");
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(CopyRename, ExistingDestinationIsReplacedOnlyOnYes) {
    platform.answers = {false};
    copyTo("c:\\abc\\other.txt");
    EXPECT_EQ(platform.files["c:\\abc\\other.txt"], "other");
    EXPECT_EQ(platform.files[kSource], "report");
    EXPECT_FALSE(platform.panelOpen);

    platform.answers = {true};
    platform.take();
    copyTo("c:\\abc\\other.txt");
    EXPECT_EQ(platform.files["c:\\abc\\other.txt"], "report");
    const Calls calls = platform.take();
    EXPECT_NE(std::find(calls.begin(), calls.end(),
                        "copyFile " + kSource + " > c:\\abc\\other.txt replace"),
              calls.end());
}

struct ErrorCase {
    unsigned long code;
    std::string message; // empty: no message
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << "error code " << c.code;
}

class CopyErrors : public CopyRename, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(CopyErrors, EachCodeGetsItsReactionAndThePanelCloses) {
    const ErrorCase& c = GetParam();
    platform.copyErrors["c:\\backup\\x.txt"] = c.code;
    copyTo("c:\\backup\\x.txt");
    if (c.message.empty()) {
        EXPECT_TRUE(platform.errors.empty()) << "code " << c.code;
    } else {
        ASSERT_EQ(platform.errors.size(), 1u) << "code " << c.code;
        EXPECT_EQ(platform.errors[0], c.message);
    }
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_FALSE(platform.panelOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CopyErrors,
    ::testing::Values(ErrorCase{0, ""},
                      ErrorCase{kErrorPathNotFound, "Директории стаким именем не существует"},
                      ErrorCase{kErrorAccessDenied, kCopyFailedText},
                      // Any other failure shows the system's own text instead of silence.
                      ErrorCase{112, "system text 112"}, ErrorCase{32, "system text 32"}));

TEST_F(CopyRename, MissingDestinationFolderIsReported) {
    copyTo("c:\\nowhere\\");
    EXPECT_EQ(platform.errors, (Calls{"Директории стаким именем не существует"}));
    EXPECT_EQ(platform.files.count("c:\\nowhere\\отчёт 1.txt"), 0u);
}

TEST_F(CopyRename, FailedReplacementIsReported) {
    platform.answers = {true};
    platform.command(IDM_COPY_FILE);
    platform.input = "c:\\abc\\other.txt";
    // The first call finds the file; the replacement is refused.
    platform.onQuestion = [&] { platform.copyErrors["c:\\abc\\other.txt"] = kErrorAccessDenied; };
    platform.command(IDC_OK_COPY);
    EXPECT_EQ(platform.errors, (Calls{"system text 5"}));
    EXPECT_EQ(platform.files["c:\\abc\\other.txt"], "other");
}

TEST_F(CopyRename, TooLongInputIsRefusedAndThePanelStays) {
    platform.command(IDM_COPY_FILE);
    const std::string before = state->inputText;
    platform.input = std::string(kPathCapacity, 'p');
    platform.take();
    platform.command(IDC_OK_COPY);
    EXPECT_EQ(platform.take(), (Calls{"showError Error"}));
    EXPECT_TRUE(platform.panelOpen);
    EXPECT_EQ(state->inputText, before);

    // 1999 characters fit the field, but with the file's name appended they do not.
    platform.input = "c:\\" + std::string(kPathCapacity - 5, 'p') + "\\";
    ASSERT_EQ(platform.input.size(), kPathCapacity - 1);
    platform.command(IDC_OK_COPY);
    EXPECT_EQ(platform.take(), (Calls{"showError Error"}));
    EXPECT_TRUE(platform.panelOpen);
    EXPECT_EQ(state->inputText, before);
}

TEST_F(CopyRename, RenameStaysInTheFolderShownAndRelists) {
    renameTo("новое имя.txt");
    EXPECT_EQ(platform.files.count(kSource), 0u);
    EXPECT_EQ(platform.files["c:\\abc\\новое имя.txt"], "report");
    EXPECT_STREQ(state->targetPath, "c:\\abc\\новое имя.txt");
    EXPECT_TRUE(platform.errors.empty());
    EXPECT_FALSE(platform.panelOpen);
    EXPECT_EQ(platform.list, platform.listings["c:\\abc\\*.*"]) << "listed again";
    EXPECT_EQ(platform.pathBar, "c:\\abc\\*.*");
}

TEST_F(CopyRename, RenameWithBackslashMovesIntoTheSubFolder) {
    platform.folders.insert("c:\\abc\\old\\");
    renameTo("old\\new.txt");
    EXPECT_EQ(platform.files["c:\\abc\\old\\new.txt"], "report");
}

TEST_F(CopyRename, RenameOntoAnExistingNameIsRefusedAndRelisted) {
    platform.take();
    renameTo("other.txt");
    EXPECT_EQ(platform.errors, (Calls{kRenameFailedText}));
    EXPECT_EQ(platform.files[kSource], "report");
    EXPECT_EQ(platform.files["c:\\abc\\other.txt"], "other");
    const Calls calls = platform.take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "listFolder c:\\abc\\*.*"), calls.end());
    EXPECT_FALSE(platform.panelOpen);
}

TEST_F(CopyRename, TooLongNewNameIsRefusedWithoutRename) {
    platform.command(IDM_RENAME);
    platform.input = std::string(kPathCapacity - 1 - 6, 'n'); // "c:\abc\" is 7 bytes
    platform.take();
    platform.command(IDC_OK_RENAME);
    EXPECT_EQ(platform.take(), (Calls{"showError Error"}));
    EXPECT_TRUE(platform.panelOpen);
    EXPECT_EQ(platform.files[kSource], "report");
}

TEST_F(CopyRename, TheWaitingCopyActsOnThePathsTakenBeforeItsQuestion) {
    // While "replace?" waits for old.txt, other.txt is selected and the copy
    // panel opened for it; then either it is copied onto keep.txt, answered
    // No, or the panel is left open.
    for (const bool nested : {true, false}) {
        platform.files["c:\\backup\\old.txt"] = "old";
        platform.files["c:\\backup\\keep.txt"] = "keep";
        platform.answers = nested ? std::deque<bool>{false, true} : std::deque<bool>{true};
        platform.onQuestion = [&] {
            platform.onQuestion = nullptr;
            platform.click("other.txt");
            platform.command(IDM_COPY_FILE);
            platform.input = "c:\\backup\\keep.txt";
            if (nested)
                platform.command(IDC_OK_COPY);
        };
        platform.click(kName);
        copyTo("c:\\backup\\old.txt");
        EXPECT_EQ(platform.files["c:\\backup\\old.txt"], "report") << "nested " << nested;
        EXPECT_EQ(platform.files["c:\\backup\\keep.txt"], "keep") << "nested " << nested;
        EXPECT_EQ(platform.panelOpen, !nested) << "a panel opened meanwhile stays";
    }
}

TEST_F(CopyRename, ApproximateNamesAreListedButNeverActedOn) {
    // Entries whose text is only an approximate spelling of their name.
    platform.list.insert(platform.list.end(), {"cafe.txt", "[cafe]"});
    platform.inexact = {"cafe.txt", "[cafe]"};
    const std::tuple<const char*, int, int> steps[] = {{"cafe.txt", IDM_COPY_FILE, 0},
                                                       {"cafe.txt", IDM_RENAME, 0},
                                                       {"[cafe]", IDC_ENTRY_LIST, kDoubleClicked}};
    for (const auto& [entry, id, code] : steps) {
        platform.errors.clear();
        platform.click(entry);
        RunCommand(*state, platform, id, code);
        ASSERT_EQ(platform.errors.size(), 1u) << entry << " " << id;
        EXPECT_NE(platform.errors[0].find("неточно"), std::string::npos);
        EXPECT_FALSE(platform.panelOpen) << entry << " " << id;
        EXPECT_STREQ(state->pathPattern, "c:\\abc\\*.*");
    }
}

TEST_F(CopyRename, BackInTheRootViewThePanelCloses) {
    // The root view shows no folder: a panel kept open there would copy or
    // rename a file of the program's working folder, and a rename would fill
    // the drive list with that folder's entries. One level up it would act on
    // a file of the folder above.
    platform.command(IDM_RENAME);
    platform.command(IDC_UP_BUTTON);
    EXPECT_FALSE(platform.panelOpen) << "one level up the panel would rename c:\\" << kName;
    platform.command(IDM_RENAME);
    ASSERT_TRUE(platform.panelOpen);
    platform.take();
    platform.command(IDC_UP_BUTTON);
    EXPECT_EQ(state->level, 0);
    EXPECT_FALSE(platform.panelOpen);
    EXPECT_EQ(platform.take(),
              (Calls{"greyFileCommands", "clearList", std::string("setPathBar ") + kRootTitle,
                     "listDrives", "closeUpButton", "sendCommand 304", "closePanel"}));
    EXPECT_EQ(platform.list, (Calls{"[-c-]", "[-d-]"}));
}

TEST_F(CopyRename, CancelClosesWithoutEffect) {
    platform.command(IDM_RENAME);
    platform.input = "zzz.txt";
    platform.command(IDC_CANCEL);
    EXPECT_FALSE(platform.panelOpen);
    EXPECT_EQ(platform.files[kSource], "report");
    EXPECT_EQ(platform.files.count("c:\\abc\\zzz.txt"), 0u);
}

} // namespace

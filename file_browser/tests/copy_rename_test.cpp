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
        fake.listings["c:\\*.*"] = {"[abc]", "[backup]"};
        fake.listings["c:\\abc\\*.*"] = {"[..]", "отчёт 1.txt", "other.txt"};
        fake.folders = {"c:\\", "c:\\abc\\", "c:\\backup\\"};
        fake.files[kSource] = "report";
        fake.files["c:\\abc\\other.txt"] = "other";
        ShowRootView(*state, fake);
        fake.doubleClick("[-c-]");
        fake.doubleClick("[abc]");
        fake.click(kName);
        fake.take();
    }

    // Opens the copy panel, types `text` and presses "OK".
    void copyTo(const std::string& text) {
        fake.command(IDM_COPY_FILE);
        fake.input = text;
        fake.command(IDC_OK_COPY);
    }
    void renameTo(const std::string& text) {
        fake.command(IDM_RENAME);
        fake.input = text;
        fake.command(IDC_OK_RENAME);
    }

    const std::string kName = "отчёт 1.txt";
    const std::string kSource = "c:\\abc\\отчёт 1.txt";
    std::unique_ptr<BrowserState> state = NewState();
    FakePlatform fake{*state};
};

TEST_F(CopyRename, CopyPanelSuggestsTheFolderShown) {
    fake.command(IDM_COPY_FILE);
    EXPECT_EQ(fake.take(), (Calls{"sendCommand 304", "closePanel", "openPanel 303"}));
    EXPECT_EQ(fake.input, "c:\\abc\\");
    EXPECT_EQ(fake.panelPrompt, "Введите путь,куда следует скопировать файл");
}

TEST_F(CopyRename, RenamePanelSuggestsTheFileNameAndReplacesACopyPanel) {
    fake.command(IDM_COPY_FILE);
    fake.take();
    fake.command(IDM_RENAME);
    EXPECT_EQ(fake.take(), (Calls{"sendCommand 304", "closePanel", "openPanel 305"}));
    EXPECT_EQ(fake.input, kName);
    EXPECT_EQ(fake.panelPrompt, "Введите новое имя файла");
}

TEST_F(CopyRename, DestinationEndingInBackslashGetsTheFileName) {
    copyTo("c:\\backup\\");
    EXPECT_EQ(fake.files["c:\\backup\\отчёт 1.txt"], "report");
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_FALSE(fake.panelOpen);
    EXPECT_EQ(fake.list, fake.listings["c:\\abc\\*.*"]) << "a copy does not relist";
}

TEST_F(CopyRename, DestinationWithoutBackslashIsTheWholePath) {
    copyTo("c:\\backup\\new.txt");
    EXPECT_EQ(fake.files["c:\\backup\\new.txt"], "report");
    EXPECT_EQ(fake.files.count("c:\\backup\\new.txt\\отчёт 1.txt"), 0u);
}

TEST_F(CopyRename, CopyOntoItselfAnsweredYesLeavesTheFileAlone) {
    fake.answers = {true};
    fake.command(IDM_COPY_FILE);
    fake.take();
    fake.command(IDC_OK_COPY); // the suggestion unchanged: the file's own folder
    EXPECT_EQ(fake.take(),
              (Calls{"copyFile " + kSource + " > " + kSource + " keep",
                     "ask question Потверждение замены файла", "sendCommand 304", "closePanel"}));
    EXPECT_EQ(fake.questions, (Calls{"Файл уже существует. Заменить его ?"}));
    EXPECT_EQ(fake.files[kSource], "report");
    EXPECT_TRUE(fake.errors.empty());
}

TEST_F(CopyRename, ExistingDestinationIsReplacedOnlyOnYes) {
    fake.answers = {false};
    copyTo("c:\\abc\\other.txt");
    EXPECT_EQ(fake.files["c:\\abc\\other.txt"], "other");
    EXPECT_EQ(fake.files[kSource], "report");
    EXPECT_FALSE(fake.panelOpen);

    fake.answers = {true};
    fake.take();
    copyTo("c:\\abc\\other.txt");
    EXPECT_EQ(fake.files["c:\\abc\\other.txt"], "report");
    const Calls calls = fake.take();
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
    fake.copyErrors["c:\\backup\\x.txt"] = c.code;
    copyTo("c:\\backup\\x.txt");
    if (c.message.empty()) {
        EXPECT_TRUE(fake.errors.empty()) << "code " << c.code;
    } else {
        ASSERT_EQ(fake.errors.size(), 1u) << "code " << c.code;
        EXPECT_EQ(fake.errors[0], c.message);
    }
    EXPECT_TRUE(fake.questions.empty());
    EXPECT_FALSE(fake.panelOpen);
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
    EXPECT_EQ(fake.errors, (Calls{"Директории стаким именем не существует"}));
    EXPECT_EQ(fake.files.count("c:\\nowhere\\отчёт 1.txt"), 0u);
}

TEST_F(CopyRename, FailedReplacementIsReported) {
    fake.answers = {true};
    fake.command(IDM_COPY_FILE);
    fake.input = "c:\\abc\\other.txt";
    // The first call finds the file; the replacement is refused.
    fake.onQuestion = [&] { fake.copyErrors["c:\\abc\\other.txt"] = kErrorAccessDenied; };
    fake.command(IDC_OK_COPY);
    EXPECT_EQ(fake.errors, (Calls{"system text 5"}));
    EXPECT_EQ(fake.files["c:\\abc\\other.txt"], "other");
}

TEST_F(CopyRename, TooLongInputIsRefusedAndThePanelStays) {
    fake.command(IDM_COPY_FILE);
    const std::string before = state->inputText;
    fake.input = std::string(kTextCapacity, 'p');
    fake.take();
    fake.command(IDC_OK_COPY);
    EXPECT_EQ(fake.take(), (Calls{"showError Error"}));
    EXPECT_TRUE(fake.panelOpen);
    EXPECT_EQ(state->inputText, before);

    // 1999 characters fit the field, but with the file's name appended they do not.
    fake.input = "c:\\" + std::string(kTextCapacity - 5, 'p') + "\\";
    ASSERT_EQ(fake.input.size(), kTextCapacity - 1);
    fake.command(IDC_OK_COPY);
    EXPECT_EQ(fake.take(), (Calls{"showError Error"}));
    EXPECT_TRUE(fake.panelOpen);
    EXPECT_EQ(state->inputText, before);
}

TEST_F(CopyRename, RenameStaysInTheFolderShownAndRelists) {
    renameTo("новое имя.txt");
    EXPECT_EQ(fake.files.count(kSource), 0u);
    EXPECT_EQ(fake.files["c:\\abc\\новое имя.txt"], "report");
    EXPECT_STREQ(state->targetPath, "c:\\abc\\новое имя.txt");
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_FALSE(fake.panelOpen);
    EXPECT_EQ(fake.list, fake.listings["c:\\abc\\*.*"]) << "listed again";
    EXPECT_EQ(fake.pathBar, "c:\\abc\\*.*");
}

TEST_F(CopyRename, RenameWithBackslashMovesIntoTheSubFolder) {
    fake.folders.insert("c:\\abc\\old\\");
    renameTo("old\\new.txt");
    EXPECT_EQ(fake.files["c:\\abc\\old\\new.txt"], "report");
}

TEST_F(CopyRename, RenameOntoAnExistingNameIsRefusedAndRelisted) {
    fake.take();
    renameTo("other.txt");
    EXPECT_EQ(fake.errors, (Calls{kRenameFailedText}));
    EXPECT_EQ(fake.files[kSource], "report");
    EXPECT_EQ(fake.files["c:\\abc\\other.txt"], "other");
    const Calls calls = fake.take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "listFolder c:\\abc\\*.*"), calls.end());
    EXPECT_FALSE(fake.panelOpen);
}

TEST_F(CopyRename, TooLongNewNameIsRefusedWithoutRename) {
    fake.command(IDM_RENAME);
    fake.input = std::string(kTextCapacity - 1 - 6, 'n'); // "c:\abc\" is 7 bytes
    fake.take();
    fake.command(IDC_OK_RENAME);
    EXPECT_EQ(fake.take(), (Calls{"showError Error"}));
    EXPECT_TRUE(fake.panelOpen);
    EXPECT_EQ(fake.files[kSource], "report");
}

TEST_F(CopyRename, TheWaitingCopyActsOnThePathsTakenBeforeItsQuestion) {
    // While "replace?" waits for old.txt, other.txt is selected and the copy
    // panel opened for it; then either it is copied onto keep.txt, answered
    // No, or the panel is left open.
    for (const bool nested : {true, false}) {
        fake.files["c:\\backup\\old.txt"] = "old";
        fake.files["c:\\backup\\keep.txt"] = "keep";
        fake.answers = nested ? std::deque<bool>{false, true} : std::deque<bool>{true};
        fake.onQuestion = [&] {
            fake.onQuestion = nullptr;
            fake.click("other.txt");
            fake.command(IDM_COPY_FILE);
            fake.input = "c:\\backup\\keep.txt";
            if (nested)
                fake.command(IDC_OK_COPY);
        };
        fake.click(kName);
        copyTo("c:\\backup\\old.txt");
        EXPECT_EQ(fake.files["c:\\backup\\old.txt"], "report") << "nested " << nested;
        EXPECT_EQ(fake.files["c:\\backup\\keep.txt"], "keep") << "nested " << nested;
        EXPECT_EQ(fake.panelOpen, !nested) << "a panel opened meanwhile stays";
    }
}

TEST_F(CopyRename, ApproximateNamesAreListedButNeverActedOn) {
    // Entries whose text is only an approximate spelling of their name.
    fake.list.insert(fake.list.end(), {"cafe.txt", "[cafe]"});
    fake.inexact = {"cafe.txt", "[cafe]"};
    const std::tuple<const char*, int, int> steps[] = {{"cafe.txt", IDM_COPY_FILE, 0},
                                                       {"cafe.txt", IDM_RENAME, 0},
                                                       {"[cafe]", IDC_ENTRY_LIST, kDoubleClicked}};
    for (const auto& [entry, id, code] : steps) {
        fake.errors.clear();
        fake.click(entry);
        RunCommand(*state, fake, id, code);
        ASSERT_EQ(fake.errors.size(), 1u) << entry << " " << id;
        EXPECT_NE(fake.errors[0].find("неточно"), std::string::npos);
        EXPECT_FALSE(fake.panelOpen) << entry << " " << id;
        EXPECT_STREQ(state->pathPattern, "c:\\abc\\*.*");
    }
}

TEST_F(CopyRename, BackInTheRootViewThePanelCloses) {
    // The root view shows no folder: a panel kept open there would copy or
    // rename a file of the program's working folder, and a rename would fill
    // the drive list with that folder's entries. One level up it would act on
    // a file of the folder above.
    fake.command(IDM_RENAME);
    fake.command(IDC_UP_BUTTON);
    EXPECT_FALSE(fake.panelOpen) << "one level up the panel would rename c:\\" << kName;
    fake.command(IDM_RENAME);
    ASSERT_TRUE(fake.panelOpen);
    fake.take();
    fake.command(IDC_UP_BUTTON);
    EXPECT_EQ(state->level, 0);
    EXPECT_FALSE(fake.panelOpen);
    EXPECT_EQ(fake.take(),
              (Calls{"greyFileCommands", "clearList", std::string("setPathBar ") + kRootTitle,
                     "listDrives", "closeUpButton", "sendCommand 304", "closePanel"}));
    EXPECT_EQ(fake.list, (Calls{"[-c-]", "[-d-]"}));
}

TEST_F(CopyRename, CancelClosesWithoutEffect) {
    fake.command(IDM_RENAME);
    fake.input = "zzz.txt";
    fake.command(IDC_CANCEL);
    EXPECT_FALSE(fake.panelOpen);
    EXPECT_EQ(fake.files[kSource], "report");
    EXPECT_EQ(fake.files.count("c:\\abc\\zzz.txt"), 0u);
}

} // namespace

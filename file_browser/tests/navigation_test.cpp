#include "tests/fake_platform.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace browser;
using browser::testing::FakePlatform;
using browser::testing::NewState;
using Calls = std::vector<std::string>;

struct PatternCase {
    const char* pattern;
    const char* entry;
    const char* wantPattern;
    const char* wantEntry;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << "\"" << c.pattern << "\" + \"" << c.entry << "\"";
}

class ExtendPatternTable : public ::testing::TestWithParam<PatternCase> {};

TEST_P(ExtendPatternTable, GivesThePatternOfTheOpenedPlace) {
    const PatternCase& c = GetParam();
    auto s = NewState();
    std::strcpy(s->pathPattern, c.pattern);
    std::strcpy(s->selectedEntry, c.entry);
    ASSERT_TRUE(ExtendPattern(s->pathPattern, s->selectedEntry));
    EXPECT_STREQ(s->pathPattern, c.wantPattern) << "from " << c.pattern << " + " << c.entry;
    EXPECT_STREQ(s->selectedEntry, c.wantEntry);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtendPatternTable,
    ::testing::Values(PatternCase{"", "[-c-]", "c:\\*.*", "c:"},
                      PatternCase{"", "[-z-]", "z:\\*.*", "z:"},
                      PatternCase{"c:\\*.*", "[abc]", "c:\\abc\\*.*", "abc"},
                      PatternCase{"c:\\abc\\*.*", "[my-docs]", "c:\\abc\\my-docs\\*.*", "my-docs"},
                      PatternCase{"c:\\*.*", "[a]b]", "c:\\a]b\\*.*", "a]b"},
                      PatternCase{"c:\\*.*", "[..old]", "c:\\..old\\*.*", "..old"},
                      PatternCase{"c:\\*.*", "[Папка с пробелом]", "c:\\Папка с пробелом\\*.*",
                                  "Папка с пробелом"},
                      // Only the root view holds drives; below it "[-d-]" is a folder "-d-".
                      PatternCase{"c:\\*.*", "[-d-]", "c:\\-d-\\*.*", "-d-"},
                      PatternCase{"c:\\*.*", "[-D-]", "c:\\-D-\\*.*", "-D-"}));

TEST(ExtendPatternLimits, FillsTheBufferToTheLastByteAndRefusesOneMore) {
    auto s = NewState();
    // "c:\" + name + "\*.*" = 3 + name + 4 characters plus the terminator.
    const std::size_t fits = kTextCapacity - 1 - 7;
    std::strcpy(s->pathPattern, "c:\\*.*");
    std::string entry = "[" + std::string(fits, 'x') + "]";
    std::strcpy(s->selectedEntry, entry.c_str());
    ASSERT_TRUE(ExtendPattern(s->pathPattern, s->selectedEntry));
    EXPECT_EQ(std::strlen(s->pathPattern), kTextCapacity - 1);

    std::strcpy(s->pathPattern, "c:\\*.*");
    entry = "[" + std::string(fits + 1, 'x') + "]";
    std::strcpy(s->selectedEntry, entry.c_str());
    EXPECT_FALSE(ExtendPattern(s->pathPattern, s->selectedEntry));
    EXPECT_STREQ(s->pathPattern, "c:\\*.*") << "a refused step keeps the pattern";
    EXPECT_EQ(std::string(s->selectedEntry), entry) << "and the entry";
}

TEST(EntryForms, DrivesAreExactlyBracketDashLetterDash) {
    EXPECT_TRUE(IsDriveEntry("[-a-]"));
    EXPECT_TRUE(IsDriveEntry("[-z-]"));
    EXPECT_FALSE(IsDriveEntry("[-C-]"));
    EXPECT_FALSE(IsDriveEntry("[-1-]"));
    EXPECT_FALSE(IsDriveEntry("[-cc-]"));
    EXPECT_FALSE(IsDriveEntry("[-c-]x"));
    EXPECT_FALSE(IsDriveEntry("-c-"));
    EXPECT_TRUE(IsFileEntry("a.txt"));
    EXPECT_TRUE(IsFileEntry("a[1].txt"));
    EXPECT_FALSE(IsFileEntry("[abc]"));
    EXPECT_FALSE(IsFileEntry("[..]"));
    EXPECT_FALSE(IsFileEntry(""));
}

TEST(FolderShownOf, IsThePatternBeforeItsFirstStar) {
    char folder[kTextCapacity];
    FolderShown("c:\\abc\\*.*", folder);
    EXPECT_STREQ(folder, "c:\\abc\\");
    FolderShown("c:\\*.*", folder);
    EXPECT_STREQ(folder, "c:\\");
    FolderShown("", folder);
    EXPECT_STREQ(folder, "");
}

// A machine with drives c: and d:, a folder tree on c: and an empty d:.
class Navigation : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.listings["c:\\*.*"] = {"[abc]", "[my-docs]", "[a]b]", "[..old]", "boot.ini"};
        fake.listings["c:\\abc\\*.*"] = {"[..]", "[deep]", "notes.txt"};
        fake.listings["c:\\abc\\deep\\*.*"] = {"[..]", "x.dat"};
        fake.listings["c:\\my-docs\\*.*"] = {"[..]", "a.doc"};
        fake.listings["c:\\a]b\\*.*"] = {"[..]"};
        fake.listings["c:\\..old\\*.*"] = {"[..]", "old.txt"};
        ShowRootView(*state, fake);
        fake.take();
    }

    std::unique_ptr<BrowserState> state = NewState();
    FakePlatform fake{*state};
};

TEST_F(Navigation, StartsWithTheDrivesUnderMyComputer) {
    auto s = NewState();
    FakePlatform f(*s);
    ShowRootView(*s, f);
    EXPECT_EQ(f.list, (Calls{"[-c-]", "[-d-]"}));
    EXPECT_EQ(f.pathBar, kRootTitle);
    EXPECT_EQ(s->level, 0);
    EXPECT_STREQ(s->pathPattern, "");
    EXPECT_FALSE(f.upButton);
}

TEST_F(Navigation, OpeningADriveListsItsRootAndCreatesTheUpButton) {
    fake.doubleClick("[-c-]");
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    EXPECT_EQ(state->level, 1);
    EXPECT_STREQ(state->pathHistory[1], "c:\\*.*");
    EXPECT_EQ(fake.pathBar, "c:\\*.*");
    EXPECT_EQ(fake.list, fake.listings["c:\\*.*"]);
    EXPECT_TRUE(fake.upButton);
    EXPECT_TRUE(fake.questions.empty());
}

TEST_F(Navigation, FoldersWithDashBracketOrLeadingDotsOpenUnderTheirWholeNames) {
    fake.doubleClick("[-c-]");
    for (const char* folder : {"[my-docs]", "[a]b]", "[..old]"}) {
        fake.doubleClick(folder);
        const std::string want =
            "c:\\" + std::string(folder + 1, std::strlen(folder) - 2) + "\\*.*";
        EXPECT_EQ(state->pathPattern, want);
        EXPECT_EQ(state->level, 2);
        EXPECT_EQ(fake.list, fake.listings[want]) << "after opening " << folder;
        fake.doubleClick("[..]");
        EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    }
}

TEST_F(Navigation, GoingUpRestoresThePatternOfTheLevelAbove) {
    fake.doubleClick("[-c-]");
    fake.doubleClick("[abc]");
    fake.doubleClick("[deep]");
    ASSERT_EQ(state->level, 3);
    fake.take();
    fake.command(IDC_UP_BUTTON);
    EXPECT_EQ(state->level, 2);
    EXPECT_STREQ(state->pathPattern, "c:\\abc\\*.*");
    EXPECT_EQ(fake.take(), (Calls{"greyFileCommands", "sendCommand 304", "closePanel", "clearList",
                                  "setPathBar c:\\abc\\*.*", "listFolder c:\\abc\\*.*"}));
    EXPECT_TRUE(fake.upButton);
}

TEST_F(Navigation, ParentEntryActsAsTheUpButtonIncludingGreying) {
    fake.doubleClick("[-c-]");
    fake.doubleClick("[abc]");
    fake.click("notes.txt");
    ASSERT_TRUE(fake.fileCommandsEnabled);
    fake.doubleClick("[..]");
    EXPECT_EQ(state->level, 1);
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    EXPECT_FALSE(fake.fileCommandsEnabled);
    EXPECT_EQ(fake.list, fake.listings["c:\\*.*"]);
}

TEST_F(Navigation, UpFromADriveRootBringsBackTheRootView) {
    fake.doubleClick("[-c-]");
    fake.take();
    fake.command(IDC_UP_BUTTON);
    EXPECT_EQ(fake.take(),
              (Calls{"greyFileCommands", "clearList", std::string("setPathBar ") + kRootTitle,
                     "listDrives", "closeUpButton", "sendCommand 304", "closePanel"}));
    EXPECT_EQ(state->level, 0);
    EXPECT_STREQ(state->pathPattern, "");
    EXPECT_EQ(fake.list, (Calls{"[-c-]", "[-d-]"}));
}

TEST_F(Navigation, UpInTheRootViewChangesNothing) {
    fake.command(IDC_UP_BUTTON);
    EXPECT_EQ(state->level, 0);
    EXPECT_EQ(fake.list, (Calls{"[-c-]", "[-d-]"}));
}

TEST_F(Navigation, DoubleClickOnAFileOnlyRemembersIt) {
    fake.doubleClick("[-c-]");
    fake.doubleClick("[abc]");
    fake.take();
    fake.doubleClick("notes.txt");
    EXPECT_STREQ(state->selectedEntry, "notes.txt");
    EXPECT_EQ(state->level, 2);
    EXPECT_STREQ(state->pathPattern, "c:\\abc\\*.*");
    EXPECT_EQ(fake.list, fake.listings["c:\\abc\\*.*"]);
    for (const std::string& call : fake.take())
        EXPECT_TRUE(call.rfind("listFolder", 0) != 0 && call != "clearList") << call;
}

TEST_F(Navigation, FileWhoseNameStartsWithABracketIsNotOpened) {
    // A file "[notes].txt" begins with "[" like a folder entry, but only a
    // folder entry ends with "]": it is a file and is left alone.
    fake.listings["c:\\*.*"].push_back("[notes].txt");
    fake.doubleClick("[-c-]");
    fake.take();
    fake.doubleClick("[notes].txt");
    EXPECT_TRUE(fake.errors.empty()) << fake.errors.front();
    EXPECT_EQ(fake.take(), (Calls{"sendCommand 304", "closePanel", "greyFileCommands"}));
    EXPECT_EQ(state->level, 1);
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    EXPECT_STREQ(state->selectedEntry, "[notes].txt");
    EXPECT_EQ(fake.list, fake.listings["c:\\*.*"]);
}

TEST_F(Navigation, EmptyFolderBelowADriveRootIsShownWithoutQuestion) {
    fake.listings["c:\\*.*"].push_back("[locked]");
    fake.doubleClick("[-c-]");
    fake.doubleClick("[locked]");
    EXPECT_TRUE(fake.list.empty());
    EXPECT_TRUE(fake.questions.empty());
    fake.command(IDC_UP_BUTTON);
    EXPECT_EQ(fake.list, fake.listings["c:\\*.*"]);
}

TEST_F(Navigation, EmptyDriveAnsweredNoReturnsToTheRootView) {
    fake.answers = {false};
    fake.doubleClick("[-d-]");
    ASSERT_EQ(fake.questions.size(), 1u);
    EXPECT_EQ(fake.questions[0],
              "Устройство не готово или диск не содержет информации. Повторить?");
    EXPECT_EQ(state->level, 0);
    EXPECT_STREQ(state->pathPattern, "");
    EXPECT_EQ(fake.pathBar, kRootTitle);
    EXPECT_EQ(fake.list, (Calls{"[-c-]", "[-d-]"}));
    EXPECT_FALSE(fake.upButton);
}

TEST_F(Navigation, EmptyDriveIsListedAgainOnEveryYesUntilItHasEntries) {
    fake.answers = {true, true, true};
    int asked = 0;
    fake.onQuestion = [&] {
        // The medium arrives while the second question is shown.
        if (++asked == 2)
            fake.listings["d:\\*.*"] = {"readme.txt"};
    };
    fake.take();
    fake.doubleClick("[-d-]");
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(fake.list, (Calls{"readme.txt"}));
    EXPECT_EQ(state->level, 1);
    EXPECT_TRUE(fake.upButton);
    int listings = 0;
    for (const std::string& call : fake.take())
        listings += call == "listFolder d:\\*.*";
    EXPECT_EQ(listings, 3) << "the first listing and one per Yes";
}

TEST_F(Navigation, RetryAnswerIsDroppedWhenThePlaceShownChangedMeanwhile) {
    for (const bool yes : {true, false}) {
        fake.answers = {yes};
        // While the question waits, the user goes back and opens drive c:.
        fake.onQuestion = [&] {
            fake.command(IDC_UP_BUTTON);
            fake.doubleClick("[-c-]");
        };
        fake.doubleClick("[-d-]");
        EXPECT_STREQ(state->pathPattern, "c:\\*.*") << "answer " << yes;
        EXPECT_EQ(fake.list, fake.listings["c:\\*.*"]) << "answer " << yes;
        fake.command(IDC_UP_BUTTON);
    }
}

TEST_F(Navigation, LevelPast999IsRefusedAndTheStateKept) {
    fake.doubleClick("[-c-]");
    // Stand in a folder at the deepest usable level.
    state->level = kHistorySlots - 1;
    std::strcpy(state->pathPattern, "c:\\abc\\*.*");
    fake.list = {"[..]", "[deep]"};
    fake.doubleClick("[deep]");
    EXPECT_EQ(state->level, kHistorySlots - 1);
    EXPECT_STREQ(state->pathPattern, "c:\\abc\\*.*");
    EXPECT_EQ(fake.list, (Calls{"[..]", "[deep]"}));
    ASSERT_EQ(fake.errors.size(), 1u);
    EXPECT_NE(fake.errors[0].find("Слишком глубокая"), std::string::npos);
    // One level less still opens: the last slot is usable.
    state->level = kHistorySlots - 2;
    fake.doubleClick("[deep]");
    EXPECT_EQ(state->level, kHistorySlots - 1);
    EXPECT_STREQ(state->pathHistory[kHistorySlots - 1], "c:\\abc\\deep\\*.*");
}

TEST_F(Navigation, PatternThatWouldNotFitIsRefusedAndTheStateKept) {
    fake.doubleClick("[-c-]");
    const std::string longName = "[" + std::string(kTextCapacity, 'n') + "]";
    fake.list.push_back(longName);
    fake.take();
    fake.doubleClick(longName);
    EXPECT_EQ(state->level, 1);
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    EXPECT_EQ(fake.errors.size(), 2u) << "the selection and the opening both refuse";
    for (const std::string& call : fake.take())
        EXPECT_NE(call, "clearList");

    const std::string nearlyFits = "[" + std::string(kTextCapacity - 7, 'n') + "]";
    fake.list.push_back(nearlyFits);
    fake.doubleClick(nearlyFits);
    EXPECT_EQ(state->level, 1) << "c:\\ + name + \\*.* is one byte too long";
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
}

TEST_F(Navigation, SelectionDecidesTheFileCommandsAndClosesThePanel) {
    fake.doubleClick("[-c-]");
    fake.take();
    fake.click("boot.ini");
    EXPECT_EQ(fake.take(), (Calls{"sendCommand 304", "closePanel", "enableFileCommands"}));
    EXPECT_STREQ(state->selectedEntry, "boot.ini");
    fake.click("[abc]");
    EXPECT_FALSE(fake.fileCommandsEnabled);
    fake.doubleClick("[abc]");
    fake.click("[..]");
    EXPECT_FALSE(fake.fileCommandsEnabled);
}

TEST_F(Navigation, ExitCommandsEndTheProgramAndOthersDoNothing) {
    fake.command(IDM_EXIT);
    fake.command(IDC_EXIT_BUTTON);
    EXPECT_EQ(fake.take(), (Calls{"endProgram", "endProgram"}));
    for (int id :
         std::vector<int>{IDM_SEPARATOR, IDC_PATH_BAR, IDC_PROMPT_FIELD, IDC_INPUT_FIELD, 999})
        fake.command(id);
    // A double-click code from anything but the list opens nothing.
    fake.choose("[-c-]");
    RunCommand(*state, fake, IDC_EXIT_BUTTON + 100, kDoubleClicked);
    EXPECT_EQ(fake.take(), Calls{});
    EXPECT_EQ(state->level, 0);
}

} // namespace

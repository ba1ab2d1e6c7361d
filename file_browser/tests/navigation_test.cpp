#include "tests/fake_platform.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
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
    const std::size_t fits = kPathCapacity - 1 - 7;
    std::strcpy(s->pathPattern, "c:\\*.*");
    std::string entry = "[" + std::string(fits, 'x') + "]";
    std::strcpy(s->selectedEntry, entry.c_str());
    ASSERT_TRUE(ExtendPattern(s->pathPattern, s->selectedEntry));
    EXPECT_EQ(std::strlen(s->pathPattern), kPathCapacity - 1);

    std::strcpy(s->pathPattern, "c:\\*.*");
    entry = "[" + std::string(fits + 1, 'x') + "]";
    std::strcpy(s->selectedEntry, entry.c_str());
    EXPECT_FALSE(ExtendPattern(s->pathPattern, s->selectedEntry));
    EXPECT_STREQ(s->pathPattern, "c:\\*.*") << "a refused step keeps the pattern";
    EXPECT_EQ(std::string(s->selectedEntry), entry) << "and the entry";
}

TEST(EntryForms, DrivesAreExactlyBracketDashLetterDash) {
    const std::tuple<const char*, bool, bool> rows[] = {
        // entry, a drive, a file
        {"[-a-]", true, false},  {"[-z-]", true, false},   {"[-C-]", false, false},
        {"[-1-]", false, false}, {"[-cc-]", false, false}, {"[-c-]x", false, false},
        {"-c-", false, true},    {"a.txt", false, true},   {"a[1].txt", false, true},
        {"[abc]", false, false}, {"[..]", false, false},   {"", false, false},
    };
    for (const auto& [entry, drive, file] : rows) {
        EXPECT_EQ(IsDriveEntry(entry), drive) << entry;
        EXPECT_EQ(IsFileEntry(entry), file) << entry;
    }
}

TEST(FolderShownOf, IsThePatternBeforeItsFirstStar) {
    char folder[kPathCapacity];
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
        platform.listings["c:\\*.*"] = {"[abc]", "[my-docs]", "[a]b]", "[..old]", "boot.ini"};
        platform.listings["c:\\abc\\*.*"] = {"[..]", "[deep]", "notes.txt"};
        platform.listings["c:\\abc\\deep\\*.*"] = {"[..]", "x.dat"};
        platform.listings["c:\\my-docs\\*.*"] = {"[..]", "a.doc"};
        platform.listings["c:\\a]b\\*.*"] = {"[..]"};
        platform.listings["c:\\..old\\*.*"] = {"[..]", "old.txt"};
        ShowRootView(*state, platform);
        platform.take();
    }

    std::unique_ptr<BrowserState> state = NewState();
    FakePlatform platform{*state};
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
    platform.doubleClick("[-c-]");
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    EXPECT_EQ(state->level, 1);
    EXPECT_STREQ(state->pathHistory[1], "c:\\*.*");
    EXPECT_EQ(platform.pathBar, "c:\\*.*");
    EXPECT_EQ(platform.list, platform.listings["c:\\*.*"]);
    EXPECT_TRUE(platform.upButton);
    EXPECT_TRUE(platform.questions.empty());
}

TEST_F(Navigation, FoldersWithDashBracketOrLeadingDotsOpenUnderTheirWholeNames) {
    platform.doubleClick("[-c-]");
    for (const char* folder : {"[my-docs]", "[a]b]", "[..old]"}) {
        platform.doubleClick(folder);
        const std::string want =
            "c:\\" + std::string(folder + 1, std::strlen(folder) - 2) + "\\*.*";
        EXPECT_EQ(state->pathPattern, want);
        EXPECT_EQ(state->level, 2);
        EXPECT_EQ(platform.list, platform.listings[want]) << "after opening " << folder;
        platform.doubleClick("[..]");
        EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    }
}

TEST_F(Navigation, GoingUpRestoresThePatternOfTheLevelAbove) {
    platform.doubleClick("[-c-]");
    platform.doubleClick("[abc]");
    platform.doubleClick("[deep]");
    ASSERT_EQ(state->level, 3);
    platform.take();
    platform.command(IDC_UP_BUTTON);
    EXPECT_EQ(state->level, 2);
    EXPECT_STREQ(state->pathPattern, "c:\\abc\\*.*");
    EXPECT_EQ(platform.take(),
              (Calls{"greyFileCommands", "sendCommand 304", "closePanel", "clearList",
                     "setPathBar c:\\abc\\*.*", "listFolder c:\\abc\\*.*"}));
    EXPECT_TRUE(platform.upButton);
}

TEST_F(Navigation, ParentEntryActsAsTheUpButtonIncludingGreying) {
    platform.doubleClick("[-c-]");
    platform.doubleClick("[abc]");
    platform.click("notes.txt");
    ASSERT_TRUE(platform.fileCommandsEnabled);
    platform.doubleClick("[..]");
    EXPECT_EQ(state->level, 1);
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    EXPECT_FALSE(platform.fileCommandsEnabled);
    EXPECT_EQ(platform.list, platform.listings["c:\\*.*"]);
}

TEST_F(Navigation, UpFromADriveRootBringsBackTheRootView) {
    platform.doubleClick("[-c-]");
    platform.take();
    platform.command(IDC_UP_BUTTON);
    EXPECT_EQ(platform.take(),
              (Calls{"greyFileCommands", "clearList", std::string("setPathBar ") + kRootTitle,
                     "listDrives", "closeUpButton", "sendCommand 304", "closePanel"}));
    EXPECT_EQ(state->level, 0);
    EXPECT_STREQ(state->pathPattern, "");
    EXPECT_EQ(platform.list, (Calls{"[-c-]", "[-d-]"}));
}

TEST_F(Navigation, UpInTheRootViewChangesNothing) {
    platform.command(IDC_UP_BUTTON);
    EXPECT_EQ(state->level, 0);
    EXPECT_EQ(platform.list, (Calls{"[-c-]", "[-d-]"}));
}

TEST_F(Navigation, DoubleClickOnAFileOnlyRemembersIt) {
    platform.doubleClick("[-c-]");
    platform.doubleClick("[abc]");
    platform.take();
    platform.doubleClick("notes.txt");
    EXPECT_STREQ(state->selectedEntry, "notes.txt");
    EXPECT_EQ(state->level, 2);
    EXPECT_STREQ(state->pathPattern, "c:\\abc\\*.*");
    EXPECT_EQ(platform.list, platform.listings["c:\\abc\\*.*"]);
    for (const std::string& call : platform.take())
        EXPECT_TRUE(call.rfind("listFolder", 0) != 0 && call != "clearList") << call;
}

TEST_F(Navigation, FileWhoseNameStartsWithABracketIsNotOpened) {
    // A file "[notes].txt" begins with "[" like a folder entry, but only a
    // folder entry ends with "]": it is a file and is left alone.
    platform.listings["c:\\*.*"].push_back("[notes].txt");
    platform.doubleClick("[-c-]");
    platform.take();
    platform.doubleClick("[notes].txt");
    EXPECT_TRUE(platform.errors.empty()) << platform.errors.front();
    EXPECT_EQ(platform.take(), (Calls{"sendCommand 304", "closePanel", "greyFileCommands"}));
    EXPECT_EQ(state->level, 1);
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    EXPECT_STREQ(state->selectedEntry, "[notes].txt");
    EXPECT_EQ(platform.list, platform.listings["c:\\*.*"]);
}

TEST_F(Navigation, EmptyFolderBelowADriveRootIsShownWithoutQuestion) {
    platform.listings["c:\\*.*"].push_back("[locked]");
    platform.doubleClick("[-c-]");
    platform.doubleClick("[locked]");
    EXPECT_TRUE(platform.list.empty());
    EXPECT_TRUE(platform.questions.empty());
    platform.command(IDC_UP_BUTTON);
    EXPECT_EQ(platform.list, platform.listings["c:\\*.*"]);
}

TEST_F(Navigation, EmptyDriveAnsweredNoReturnsToTheRootView) {
    platform.answers = {false};
    platform.doubleClick("[-d-]");
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(platform.questions[0],
              "Устройство не готово или диск не содержет информации. Повторить?");
    EXPECT_EQ(state->level, 0);
    EXPECT_STREQ(state->pathPattern, "");
    EXPECT_EQ(platform.pathBar, kRootTitle);
    EXPECT_EQ(platform.list, (Calls{"[-c-]", "[-d-]"}));
    EXPECT_FALSE(platform.upButton);
}

TEST_F(Navigation, EmptyDriveIsListedAgainOnEveryYesUntilItHasEntries) {
    platform.answers = {true, true, true};
    int asked = 0;
    platform.onQuestion = [&] {
        // The medium arrives while the second question is shown.
        if (++asked == 2)
            platform.listings["d:\\*.*"] = {"readme.txt"};
    };
    platform.take();
    platform.doubleClick("[-d-]");
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(platform.list, (Calls{"readme.txt"}));
    EXPECT_EQ(state->level, 1);
    EXPECT_TRUE(platform.upButton);
    int listings = 0;
    for (const std::string& call : platform.take())
        listings += call == "listFolder d:\\*.*";
    EXPECT_EQ(listings, 3) << "the first listing and one per Yes";
}

TEST_F(Navigation, RetryAnswerIsDroppedWhenThePlaceShownChangedMeanwhile) {
    for (const bool yes : {true, false}) {
        platform.answers = {yes};
        // While the question waits, the user goes back and opens drive c:.
        platform.onQuestion = [&] {
            platform.command(IDC_UP_BUTTON);
            platform.doubleClick("[-c-]");
        };
        platform.doubleClick("[-d-]");
        EXPECT_STREQ(state->pathPattern, "c:\\*.*") << "answer " << yes;
        EXPECT_EQ(platform.list, platform.listings["c:\\*.*"]) << "answer " << yes;
        platform.command(IDC_UP_BUTTON);
    }
}

TEST_F(Navigation, LevelPast999IsRefusedAndTheStateKept) {
    platform.doubleClick("[-c-]");
    // Stand in a folder at the deepest usable level.
    state->level = kHistorySlots - 1;
    std::strcpy(state->pathPattern, "c:\\abc\\*.*");
    platform.list = {"[..]", "[deep]"};
    platform.doubleClick("[deep]");
    EXPECT_EQ(state->level, kHistorySlots - 1);
    EXPECT_STREQ(state->pathPattern, "c:\\abc\\*.*");
    EXPECT_EQ(platform.list, (Calls{"[..]", "[deep]"}));
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_NE(platform.errors[0].find("Слишком глубокая"), std::string::npos);
    // One level less still opens: the last slot is usable.
    state->level = kHistorySlots - 2;
    platform.doubleClick("[deep]");
    EXPECT_EQ(state->level, kHistorySlots - 1);
    EXPECT_STREQ(state->pathHistory[kHistorySlots - 1], "c:\\abc\\deep\\*.*");
}

TEST_F(Navigation, PatternThatWouldNotFitIsRefusedAndTheStateKept) {
    platform.doubleClick("[-c-]");
    const std::string longName = "[" + std::string(kPathCapacity, 'n') + "]";
    platform.list.push_back(longName);
    platform.take();
    platform.doubleClick(longName);
    EXPECT_EQ(state->level, 1);
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
    EXPECT_EQ(platform.errors.size(), 2u) << "the selection and the opening both refuse";
    for (const std::string& call : platform.take())
        EXPECT_NE(call, "clearList");

    const std::string nearlyFits = "[" + std::string(kPathCapacity - 7, 'n') + "]";
    platform.list.push_back(nearlyFits);
    platform.doubleClick(nearlyFits);
    EXPECT_EQ(state->level, 1) << "c:\\ + name + \\*.* is one byte too long";
    EXPECT_STREQ(state->pathPattern, "c:\\*.*");
}

TEST_F(Navigation, SelectionDecidesTheFileCommandsAndClosesThePanel) {
    platform.doubleClick("[-c-]");
    platform.take();
    platform.click("boot.ini");
    EXPECT_EQ(platform.take(), (Calls{"sendCommand 304", "closePanel", "enableFileCommands"}));
    EXPECT_STREQ(state->selectedEntry, "boot.ini");
    platform.click("[abc]");
    EXPECT_FALSE(platform.fileCommandsEnabled);
    platform.doubleClick("[abc]");
    platform.click("[..]");
    EXPECT_FALSE(platform.fileCommandsEnabled);
}

TEST_F(Navigation, ExitCommandsEndTheProgramAndOthersDoNothing) {
    platform.command(IDM_EXIT);
    platform.command(IDC_EXIT_BUTTON);
    EXPECT_EQ(platform.take(), (Calls{"endProgram", "endProgram"}));
    for (int id :
         std::vector<int>{IDM_SEPARATOR, IDC_PATH_BAR, IDC_PROMPT_FIELD, IDC_INPUT_FIELD, 999})
        platform.command(id);
    // A double-click code from anything but the list opens nothing.
    platform.choose("[-c-]");
    RunCommand(*state, platform, IDC_EXIT_BUTTON + 100, kDoubleClicked);
    EXPECT_EQ(platform.take(), Calls{});
    EXPECT_EQ(state->level, 0);
}

} // namespace

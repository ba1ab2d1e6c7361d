// Recordings under Wine: the slot files, what a save holds, playback over the
// canvas, missing and damaged slots, and recording that goes on after a save.
#include "files_test_support.h"
#include "platform/testing/wine_support.h"
#include "resource.h"
#include "win32/editor_window.h"
#include "win32/file_commands.h"
#include "win32/recordings.h"

#include <gtest/gtest.h>

#include <string>

namespace risovik::win {
namespace {

using desk::testing::ColourName;
using desk::testing::PumpPending;
using testing::CountRecords;
using testing::ReadBytes;
using testing::ScratchFolder;

constexpr std::uint16_t kRectangleRecord = 0x041B;
constexpr std::uint16_t kLineToRecord = 0x0213;
constexpr std::uint16_t kEllipseRecord = 0x0418;

TEST(RecordingSlots, NamesOfTheThreeSlots) {
    EXPECT_STREQ(SlotFileName(1), "Meta.wmf");
    EXPECT_STREQ(SlotFileName(2), "Meta2.wmf");
    EXPECT_STREQ(SlotFileName(3), "Meta3.wmf");
    EXPECT_EQ(SlotFileName(0), nullptr);
    EXPECT_EQ(SlotFileName(4), nullptr);
}

TEST(RecordingSlots, SavingKeepsRecordingAndEverySaveHoldsEverything) {
    ScratchFolder folder;
    HDC recording = CreateMetaFileA(nullptr);
    Rectangle(recording, 1, 2, 3, 4);
    ASSERT_TRUE(SaveRecordingTo(recording, "first.wmf"));
    ASSERT_NE(recording, nullptr) << "a new recording runs after the save";
    LineTo(recording, 5, 6);
    ASSERT_TRUE(SaveRecordingTo(recording, "second.wmf"));
    const auto first = ReadBytes(folder.file("first.wmf"));
    const auto second = ReadBytes(folder.file("second.wmf"));
    EXPECT_EQ(CountRecords(first, kRectangleRecord), 1);
    EXPECT_EQ(CountRecords(first, kLineToRecord), 0);
    EXPECT_EQ(CountRecords(second, kRectangleRecord), 1) << "shapes before the first save";
    EXPECT_EQ(CountRecords(second, kLineToRecord), 1);
    DeleteMetaFile(CloseMetaFile(recording));
}

TEST(RecordingSlots, FailedSaveLeavesNoFileAndKeepsTheShapes) {
    ScratchFolder folder;
    HDC recording = CreateMetaFileA(nullptr);
    Ellipse(recording, 1, 2, 30, 40);
    CreateDirectoryA("Meta.wmf", nullptr); // the slot's name is taken by a folder
    EXPECT_FALSE(SaveRecordingTo(recording, "Meta.wmf"));
    ASSERT_NE(recording, nullptr);
    ASSERT_TRUE(SaveRecordingTo(recording, "Meta2.wmf"));
    EXPECT_EQ(CountRecords(ReadBytes(folder.file("Meta2.wmf")), kEllipseRecord), 1);
    DeleteMetaFile(CloseMetaFile(recording));
    HDC none = nullptr;
    EXPECT_FALSE(SaveRecordingTo(none, "Meta3.wmf"));
    EXPECT_EQ(none, nullptr);
}

class RecordingCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        RegisterEditorClass(instance);
        hwnd = CreateEditorWindow(instance);
        ASSERT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    void TearDown() override {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        PumpPending();
    }
    void Command(int id) {
        SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0);
        UpdateWindow(hwnd);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
        UpdateWindow(hwnd);
    }
    void Repaint() {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    }
    COLORREF Canvas(int x, int y) { return GetPixel(Editor().canvasSurface, x, y); }
    HWND hwnd = nullptr;
    ScratchFolder folder; // the slots live in the current directory
};

TEST_F(RecordingCommands, SavedRedRectangleComesBackAfterNew) {
    Command(IDC_RECTANGLE_TOOL);
    Command(IDC_RED);
    Drag(200, 150, 100, 50);
    ASSERT_EQ(ColourName(Canvas(150, 100)), ColourName(RGB(255, 0, 0)));
    Command(IDM_SAVE_META_1);
    ASSERT_EQ(folder.entries(), std::vector<std::string>{"Meta.wmf"});
    Command(IDM_NEW);
    ASSERT_EQ(ColourName(Canvas(150, 100)), ColourName(RGB(0, 0, 0)));
    Command(IDM_OPEN_META_1);
    EXPECT_EQ(Editor().state.playPending, 0) << "the repaint played it";
    EXPECT_EQ(ColourName(Canvas(150, 100)), ColourName(RGB(255, 0, 0)));
    EXPECT_EQ(ColourName(Canvas(101, 51)), ColourName(RGB(255, 0, 0)));
    EXPECT_EQ(ColourName(Canvas(250, 100)), ColourName(RGB(0, 0, 0)));
    EXPECT_EQ(ColourName(Canvas(150, 20)), ColourName(RGB(0, 0, 0)));
}

TEST_F(RecordingCommands, MissingSlotDrawsNothing) {
    Command(IDC_LINE_TOOL);
    Command(IDC_GREEN);
    Drag(10, 10, 100, 10);
    Command(IDC_LINE_TOOL + 1); // the rectangle tool, then none
    Command(IDM_NEW);
    const COLORREF before = Canvas(50, 10);
    Command(IDM_OPEN_META_2);
    EXPECT_EQ(Editor().loadedRecording, nullptr);
    EXPECT_EQ(Editor().state.playPending, 0);
    EXPECT_EQ(ColourName(Canvas(50, 10)), ColourName(before));
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(RecordingCommands, DamagedSlotIsRefusedAndReplacesTheOpenedOne) {
    Command(IDC_RECTANGLE_TOOL);
    Command(IDC_RED);
    Drag(10, 10, 60, 60);
    Command(IDM_SAVE_META_1);
    Command(IDM_OPEN_META_1);
    ASSERT_NE(Editor().loadedRecording, nullptr);
    testing::WriteBytes(folder.file("Meta3.wmf"),
                        ReadBytes(testing::CorpusFile("poly_count_huge.wmf")));
    Command(IDM_NEW);
    Command(IDM_OPEN_META_3);
    EXPECT_EQ(Editor().loadedRecording, nullptr) << "the previous recording is released";
    EXPECT_TRUE(IsWindow(hwnd));
    testing::WriteBytes(folder.file("Meta2.wmf"), {});
    Command(IDM_OPEN_META_2);
    EXPECT_EQ(Editor().loadedRecording, nullptr);
}

TEST_F(RecordingCommands, RecordingHoldsTheShapeOncePerRepaint) {
    Command(IDC_LINE_TOOL);
    Command(IDC_RED);
    Drag(10, 20, 300, 200); // the first repaint draws the line
    Repaint();              // covered and uncovered twice
    Repaint();
    Command(IDM_SAVE_META_2);
    const auto bytes = ReadBytes(folder.file("Meta2.wmf"));
    EXPECT_EQ(CountRecords(bytes, kLineToRecord), 3);
}

TEST_F(RecordingCommands, SecondSaveInOneRunHoldsEveryShape) {
    Command(IDC_RECTANGLE_TOOL);
    Command(IDC_RED);
    Drag(10, 10, 60, 60);
    Command(IDM_SAVE_META_1);
    Command(IDC_ELLIPSE_TOOL);
    Drag(100, 100, 200, 150);
    Command(IDM_SAVE_META_2);
    Command(IDM_SAVE_META_3); // a save with nothing drawn in between
    const auto first = ReadBytes(folder.file("Meta.wmf"));
    const auto second = ReadBytes(folder.file("Meta2.wmf"));
    const auto third = ReadBytes(folder.file("Meta3.wmf"));
    EXPECT_EQ(CountRecords(first, kRectangleRecord), 1);
    EXPECT_EQ(CountRecords(first, kEllipseRecord), 0);
    EXPECT_EQ(CountRecords(second, kRectangleRecord), 1);
    EXPECT_EQ(CountRecords(second, kEllipseRecord), 1);
    EXPECT_EQ(CountRecords(third, kRectangleRecord), 1);
    EXPECT_EQ(CountRecords(third, kEllipseRecord), 1);

    Command(IDM_NEW);
    Command(IDM_OPEN_META_3);
    EXPECT_EQ(ColourName(Canvas(35, 35)), ColourName(RGB(255, 0, 0)));
    EXPECT_EQ(ColourName(Canvas(150, 125)), ColourName(RGB(255, 0, 0)));
}

TEST_F(RecordingCommands, PendingClearCancelsThePlayback) {
    Command(IDC_RECTANGLE_TOOL);
    Command(IDC_RED);
    Drag(10, 10, 60, 60);
    Command(IDM_SAVE_META_1);
    Command(IDC_LINE_TOOL); // no rectangle drawn again by the next repaints
    SendMessageA(hwnd, WM_COMMAND, IDM_NEW, 0);
    SendMessageA(hwnd, WM_COMMAND, IDM_OPEN_META_1, 0);
    UpdateWindow(hwnd);
    EXPECT_EQ(ColourName(Canvas(35, 35)), ColourName(RGB(0, 0, 0)));
    EXPECT_EQ(Editor().state.playPending, 0);
}

} // namespace
} // namespace risovik::win

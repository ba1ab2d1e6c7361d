// Recordings under Wine: the slot files, what a save holds, playback over the
// canvas, missing and damaged slots, and recording that goes on after a save.
#include "files_test_support.h"
#include "model/metafile_records.h"
#include "platform/testing/wine_support.h"
#include "resource.h"
#include "win32/editor_window.h"
#include "win32/file_commands.h"
#include "win32/recordings.h"

#include "editor_window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace risovik::win {
namespace {

using desk::testing::ColourName;
using desk::testing::PumpPending;
using testing::CountRecords;
using testing::ReadBytes;
using testing::ScratchFolder;

using meta::kEllipse;
using meta::kLineTo;
using meta::kRectangle;

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
    EXPECT_EQ(CountRecords(first, kRectangle), 1);
    EXPECT_EQ(CountRecords(first, kLineTo), 0);
    EXPECT_EQ(CountRecords(second, kRectangle), 1) << "shapes before the first save";
    EXPECT_EQ(CountRecords(second, kLineTo), 1);
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
    EXPECT_EQ(CountRecords(ReadBytes(folder.file("Meta2.wmf")), kEllipse), 1);
    DeleteMetaFile(CloseMetaFile(recording));
    HDC none = nullptr;
    EXPECT_FALSE(SaveRecordingTo(none, "Meta3.wmf"));
    EXPECT_EQ(none, nullptr);
}

class RecordingCommands : public EditorWindowFixture {
  protected:
    ScratchFolder folder; // the slots live in the current directory
};

TEST_F(RecordingCommands, SavedRedRectangleComesBackAfterNew) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 200, 150, 100, 50);
    ASSERT_EQ(ColourName(Canvas(150, 100)), ColourName(RGB(255, 0, 0)));
    Command(IDM_SAVE_META_1);
    ASSERT_EQ(folder.entries(), std::vector<std::string>{"Meta.wmf"});
    Command(IDM_NEW);
    ASSERT_EQ(ColourName(Canvas(150, 100)), ColourName(RGB(0, 0, 0)));
    Command(IDM_OPEN_META_1);
    EXPECT_EQ(State().playPending, 0) << "the repaint played it";
    EXPECT_EQ(ColourName(Canvas(150, 100)), ColourName(RGB(255, 0, 0)));
    EXPECT_EQ(ColourName(Canvas(101, 51)), ColourName(RGB(255, 0, 0)));
    EXPECT_EQ(ColourName(Canvas(250, 100)), ColourName(RGB(0, 0, 0)));
    EXPECT_EQ(ColourName(Canvas(150, 20)), ColourName(RGB(0, 0, 0)));
}

TEST_F(RecordingCommands, MissingSlotDrawsNothing) {
    Draw(IDC_LINE_TOOL, IDC_GREEN, 10, 10, 100, 10);
    Command(IDC_LINE_TOOL + 1); // the rectangle tool, then none
    Command(IDM_NEW);
    const COLORREF before = Canvas(50, 10);
    Command(IDM_OPEN_META_2);
    EXPECT_EQ(Handles().loadedRecording, nullptr);
    EXPECT_EQ(State().playPending, 0);
    EXPECT_EQ(ColourName(Canvas(50, 10)), ColourName(before));
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(RecordingCommands, DamagedSlotIsRefusedAndReplacesTheOpenedOne) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 10, 10, 60, 60);
    Command(IDM_SAVE_META_1);
    Command(IDM_OPEN_META_1);
    ASSERT_NE(Handles().loadedRecording, nullptr);
    testing::WriteBytes(folder.file("Meta3.wmf"),
                        ReadBytes(testing::CorpusFile("poly_count_huge.wmf")));
    Command(IDM_NEW);
    desk::testing::ModalAnswerer answerer;
    answerer.push(IDOK);
    answerer.push(IDOK);
    Command(IDM_OPEN_META_3);
    EXPECT_EQ(Handles().loadedRecording, nullptr) << "the previous recording is released";
    EXPECT_TRUE(IsWindow(hwnd));
    testing::WriteBytes(folder.file("Meta2.wmf"), {});
    Command(IDM_OPEN_META_2);
    EXPECT_EQ(Handles().loadedRecording, nullptr);
    ASSERT_EQ(answerer.seen().size(), 2u) << "each refused slot says so";
    EXPECT_EQ(answerer.seen()[0].caption, "Meta3.wmf");
    EXPECT_EQ(answerer.seen()[0].text, "Не удалось воспроизвести запись: повреждена.");
    EXPECT_EQ(answerer.seen()[1].text, "Не удалось воспроизвести запись: повреждена.");
}

// A slot that moves the window origin plays shifted, and everything drawn
// and saved after it stays where it was drawn.
TEST_F(RecordingCommands, PlayedSlotLeavesTheCanvasStateAsItWas) {
    testing::WriteBytes(folder.file("Meta2.wmf"),
                        ReadBytes(testing::CorpusFile("window_origin.wmf")));
    Command(IDM_OPEN_META_2);
    ASSERT_NE(Handles().loadedRecording, nullptr);
    EXPECT_EQ(ColourName(Canvas(25, 15)), ColourName(RGB(255, 0, 0))) << "played shifted";
    Draw(IDC_RECTANGLE_TOOL, IDC_BLUE, 200, 200, 220, 220);
    POINT origin{1, 1};
    EXPECT_TRUE(GetWindowOrgEx(Handles().canvasSurface.get(), &origin) && origin.x == 0 &&
                origin.y == 0)
        << "window origin " << origin.x << "," << origin.y;
    desk::testing::ModalAnswerer answerer;
    answerer.push(IDOK, [&](HWND d) { SetDlgItemTextA(d, 0x47C, folder.file("after").c_str()); });
    Command(IDM_SAVE_FILE);
    const auto bytes = ReadBytes(folder.file("after.bmp"));
    ASSERT_EQ(bytes.size(), 720054u);
    const std::size_t at = 54 + (399 - 210) * 1800 + 210 * 4; // blue, green, red of (210, 210)
    EXPECT_EQ(ColourName(RGB(bytes[at + 2], bytes[at + 1], bytes[at])), ColourName(RGB(0, 0, 255)))
        << "saved where it was drawn";
}

TEST_F(RecordingCommands, RecordingHoldsTheShapeOncePerRepaint) {
    Draw(IDC_LINE_TOOL, IDC_RED, 10, 20, 300, 200); // the first repaint draws the line
    Repaint();                                      // covered and uncovered twice
    Repaint();
    Command(IDM_SAVE_META_2);
    const auto bytes = ReadBytes(folder.file("Meta2.wmf"));
    EXPECT_EQ(CountRecords(bytes, kLineTo), 3);
}

TEST_F(RecordingCommands, SecondSaveInOneRunHoldsEveryShape) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 10, 10, 60, 60);
    Command(IDM_SAVE_META_1);
    Command(IDC_ELLIPSE_TOOL);
    Drag(100, 100, 200, 150);
    Command(IDM_SAVE_META_2);
    Command(IDM_SAVE_META_3); // a save with nothing drawn in between
    const auto first = ReadBytes(folder.file("Meta.wmf"));
    const auto second = ReadBytes(folder.file("Meta2.wmf"));
    const auto third = ReadBytes(folder.file("Meta3.wmf"));
    EXPECT_EQ(CountRecords(first, kRectangle), 1);
    EXPECT_EQ(CountRecords(first, kEllipse), 0);
    EXPECT_EQ(CountRecords(second, kRectangle), 1);
    EXPECT_EQ(CountRecords(second, kEllipse), 1);
    EXPECT_EQ(CountRecords(third, kRectangle), 1);
    EXPECT_EQ(CountRecords(third, kEllipse), 1);

    Command(IDM_NEW);
    Command(IDM_OPEN_META_3);
    EXPECT_EQ(ColourName(Canvas(35, 35)), ColourName(RGB(255, 0, 0)));
    EXPECT_EQ(ColourName(Canvas(150, 125)), ColourName(RGB(255, 0, 0)));
}

// The records of one shape, from the first record with this function on:
// "function:param,param,..." joined by spaces.
std::string Describe(const std::vector<testing::MetaRecord>& records, std::size_t from,
                     std::size_t count) {
    std::string out;
    for (std::size_t i = from; i < records.size() && i < from + count; ++i) {
        char item[16];
        std::snprintf(item, sizeof item, "%04X:", records[i].function);
        out += (out.empty() ? "" : " ") + std::string(item);
        for (std::size_t p = 0; p < records[i].params.size(); ++p)
            out += (p ? "," : "") + std::to_string(records[i].params[p]);
    }
    return out;
}

std::size_t FirstOf(const std::vector<testing::MetaRecord>& records, std::uint16_t function) {
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].function == function)
            return i;
    return records.size();
}

TEST_F(RecordingCommands, EachShapeRecordsItsPenBrushAndPointsAsDrawn) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 200, 150, 100, 50); // press right and below the release
    Command(IDM_SAVE_META_1);
    auto records = testing::RecordsOf(ReadBytes(folder.file("Meta.wmf")));
    std::size_t at = FirstOf(records, meta::kCreatePen);
    // Pen: solid, width 2, red; brush: solid, red; both selected; then
    // Rectangle(release, press) stored as bottom, right, top, left.
    EXPECT_EQ(Describe(records, at, 5),
              "02FA:0,2,0,255,0 012D:0 02FC:0,255,0,0 012D:1 041B:150,200,50,100");

    Draw(IDC_ELLIPSE_TOOL, IDC_BLUE, 10, 20, 110, 70);
    Command(IDM_SAVE_META_2);
    records = testing::RecordsOf(ReadBytes(folder.file("Meta2.wmf")));
    at = FirstOf(records, kEllipse);
    ASSERT_LT(at, records.size());
    EXPECT_EQ(Describe(records, at, 1), "0418:20,10,70,110") << "Ellipse(release, press)";
    bool dashedBluePen = false;
    for (std::size_t i = 0; i < at; ++i)
        dashedBluePen |= Describe(records, i, 1) == "02FA:1,2,0,0,255";
    EXPECT_TRUE(dashedBluePen) << "a dashed pen of width 2 in blue before the ellipse";

    Draw(IDC_LINE_TOOL, IDC_GREEN, 30, 40, 300, 200);
    Command(IDM_SAVE_META_3);
    records = testing::RecordsOf(ReadBytes(folder.file("Meta3.wmf")));
    at = FirstOf(records, meta::kMoveTo);
    EXPECT_EQ(Describe(records, at, 2), "0214:40,30 0213:200,300")
        << "MoveTo(press), LineTo(release)";
}

TEST_F(RecordingCommands, TextRecordsItsColourAndExactlyTheDrawnCharacters) {
    SetWindowTextA(GetDlgItem(hwnd, IDC_TEXT_FIELD), "Privet, mir! and more");
    Draw(IDC_TEXT_TOOL, IDC_MAGENTA, 5, 5, 40, 60);
    Command(IDM_SAVE_META_1);
    const auto records = testing::RecordsOf(ReadBytes(folder.file("Meta.wmf")));
    const std::size_t colour = FirstOf(records, meta::kSetTextColor);
    ASSERT_LT(colour, records.size());
    EXPECT_EQ(Describe(records, colour, 1), "0209:255,255") << "SetTextColor magenta";
    // The platform records TextOutA as ExtTextOut: y, x, count, options, text.
    const std::size_t text = FirstOf(records, meta::kExtTextOut);
    ASSERT_LT(text, records.size());
    const auto& p = records[text].params;
    ASSERT_GE(p.size(), 4u + 6u);
    EXPECT_EQ(p[0], 60);
    EXPECT_EQ(p[1], 40);
    EXPECT_EQ(p[2], 12) << "the first 12 characters of the field";
    std::string drawn;
    for (std::size_t i = 0; i < 6; ++i) {
        drawn += static_cast<char>(p[4 + i] & 0xFF);
        drawn += static_cast<char>(p[4 + i] >> 8);
    }
    EXPECT_EQ(drawn, "Privet, mir!");
}

// 100,000 shapes of every tool, colour and size inside the window, made by
// the editor's own paint step, are saved, open from a slot without a word and
// play. (The window-sized dashed ellipses are few: each takes milliseconds to
// draw, and the test draws every shape twice.)
TEST_F(RecordingCommands, TheEditorsOwnLongRecordingPlays) {
    SetWindowTextW(GetDlgItem(hwnd, IDC_TEXT_FIELD), L"Жж é WWWWWWWWW");
    EditorState& s = State();
    for (int i = 0; i < 100000; ++i) {
        s.lineTool = i % 4 == 0;
        s.rectangleTool = i % 4 == 1;
        s.ellipseTool = i % 4 == 2;
        s.textTool = i % 4 == 3;
        s.colourRed = (i / 4) % 2 ? 255 : 0;
        s.colourGreen = (i / 8) % 2 ? 255 : 0;
        s.colourBlue = (i / 16) % 2 ? 255 : 0;
        const bool huge = s.ellipseTool == 0 || i % 5000 == 2;
        const int size = huge ? 1 + static_cast<int>(i * 7919LL % 649) : 1 + i % 40;
        s.pressX = static_cast<int>(i * 104729LL % (650 - size));
        s.pressY = (i * 7) % (455 - std::min(size, 454));
        s.releaseX = s.pressX + size;
        s.releaseY = std::min(s.pressY + size, 454);
        RenderPending(s, Platform());
    }
    Command(IDM_SAVE_META_1);
    const auto bytes = ReadBytes(folder.file("Meta.wmf"));
    EXPECT_EQ(CountRecords(bytes, kLineTo) + CountRecords(bytes, kRectangle) +
                  CountRecords(bytes, kEllipse) + CountRecords(bytes, meta::kExtTextOut),
              100000);
    Command(IDM_NEW);
    desk::testing::ModalAnswerer answerer;
    Command(IDM_OPEN_META_1);
    EXPECT_NE(Handles().loadedRecording, nullptr);
    EXPECT_TRUE(answerer.seen().empty()) << answerer.seen()[0].text;
    int drawn = 0;
    for (int y = 0; y < 400; y += 10)
        for (int x = 0; x < 450; x += 10)
            drawn += Canvas(x, y) != RGB(0, 0, 0);
    EXPECT_GT(drawn, 1000) << "the recording played over the black canvas";
}

TEST_F(RecordingCommands, PendingClearCancelsThePlayback) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 10, 10, 60, 60);
    Command(IDM_SAVE_META_1);
    Command(IDC_LINE_TOOL); // no rectangle drawn again by the next repaints
    SendMessageA(hwnd, WM_COMMAND, IDM_NEW, 0);
    SendMessageA(hwnd, WM_COMMAND, IDM_OPEN_META_1, 0);
    UpdateWindow(hwnd);
    EXPECT_EQ(ColourName(Canvas(35, 35)), ColourName(RGB(0, 0, 0)));
    EXPECT_EQ(State().playPending, 0);
}

} // namespace
} // namespace risovik::win

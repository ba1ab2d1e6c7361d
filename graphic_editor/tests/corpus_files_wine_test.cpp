// The corpus of unusual and damaged .bmp and .wmf files (tests/corpus, made by
// make_corpus.py): each one opens as its list says or is refused, and the
// editor goes on working either way.
#include "files_test_support.h"
#include "platform/testing/wine_support.h"
#include "resource.h"
#include "win32/bitmap_io.h"
#include "win32/editor_window.h"
#include "win32/recordings.h"

#include "editor_window_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace risovik::win {
namespace {

using desk::testing::ColourName;
using desk::testing::ModalAnswerer;
using desk::testing::PumpPending;
using testing::CorpusEntries;
using testing::CorpusFile;
using testing::PictureSize;
using testing::PixelsOf;

COLORREF ColourOf(const std::string& rrggbb) {
    const unsigned long v = std::strtoul(rrggbb.c_str(), nullptr, 16);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

TEST(BitmapCorpus, EveryFileOpensAsListedOrIsRefused) {
    const auto entries = CorpusEntries(".bmp");
    ASSERT_GE(entries.size(), 20u) << "corpus.txt not found or too short";
    const desk::MemoryDc surface(desk::WindowDc(nullptr).get());
    int opened = 0;
    for (const auto& e : entries) {
        SCOPED_TRACE(e.name + " " + e.expect);
        HBITMAP picture = LoadPicture(CorpusFile(e.name).c_str());
        if (e.expect == "refused") {
            EXPECT_EQ(picture, nullptr);
        }
        if (e.name.rfind("zero_", 0) == 0) {
            EXPECT_EQ(picture, nullptr) << "no picture without pixels";
        }
        if (e.expect == "opens") {
            ASSERT_NE(picture, nullptr);
            ASSERT_EQ(e.values.size(), 5u);
            EXPECT_EQ(PictureSize(picture).cx, std::atoi(e.values[0].c_str()));
            EXPECT_EQ(PictureSize(picture).cy, std::atoi(e.values[1].c_str()));
            const desk::Selection selected(surface.get(), picture);
            const COLORREF got = GetPixel(surface.get(), std::atoi(e.values[2].c_str()),
                                          std::atoi(e.values[3].c_str()));
            EXPECT_EQ(ColourName(got), ColourName(ColourOf(e.values[4])));
        }
        if (!picture)
            continue;
        ++opened;
        // Whatever opened must be a usable canvas: readable and writable.
        const SIZE size = PictureSize(picture);
        EXPECT_GT(size.cx, 0);
        EXPECT_GT(size.cy, 0);
        EXPECT_EQ(PixelsOf(picture).size(), static_cast<std::size_t>(size.cx) * size.cy);
        testing::ScratchFolder folder;
        {
            const desk::Selection selected(surface.get(), picture);
            EXPECT_TRUE(SavePictureAs(folder.file("again").c_str(), picture, surface.get()));
        }
        HBITMAP again = LoadPicture(folder.file("again.bmp").c_str());
        EXPECT_NE(again, nullptr);
        if (again) {
            EXPECT_EQ(testing::CompareRows(PixelsOf(picture), PixelsOf(again), size.cx), "");
            DeleteObject(again);
        }
        DeleteObject(picture);
    }
    EXPECT_GT(opened, 10);
}

TEST(RecordingCorpus, DamagedSlotsAreRefusedAndNeverPlayed) {
    const auto entries = CorpusEntries(".wmf");
    ASSERT_GE(entries.size(), 15u);
    const testing::PictureSurface canvas(testing::DisplayPicture(450, 400));
    HDC surface = canvas.dc();
    for (const auto& e : entries) {
        SCOPED_TRACE(e.name + " " + e.expect);
        PatBlt(surface, 0, 0, 450, 400, BLACKNESS);
        HMETAFILE recorded = LoadRecording(CorpusFile(e.name).c_str());
        if (e.expect == "nothing") {
            EXPECT_EQ(recorded, nullptr);
        }
        if (e.expect == "plays") {
            ASSERT_NE(recorded, nullptr);
        }
        if (!recorded)
            continue;
        PlayRecording(surface, recorded);
        DeleteMetaFile(recorded);
        if (e.expect == "plays") {
            const COLORREF got =
                GetPixel(surface, std::atoi(e.values[0].c_str()), std::atoi(e.values[1].c_str()));
            EXPECT_EQ(ColourName(got), ColourName(ColourOf(e.values[2])));
        }
    }
    // The records that made the platform read past a recording are refused.
    EXPECT_EQ(LoadRecording(CorpusFile("poly_count_huge.wmf").c_str()), nullptr);
}

// The same files through the editor's commands: the canvas stays unless a
// picture opened, and the editor keeps answering.
class CorpusCommands : public EditorWindowFixture {};

TEST_F(CorpusCommands, RefusedPicturesLeaveTheCanvasAndEveryOtherOneReplacesIt) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 5, 5, 40, 40);
    // Every file goes through the same load in the test above; here the ones
    // that must be refused and a few that open take the dialog's road.
    int dialogs = 0;
    for (const auto& e : CorpusEntries(".bmp")) {
        if (e.expect != "refused" && e.name.rfind("depth", 0) != 0 && e.name.rfind("zero", 0) != 0)
            continue;
        ++dialogs;
        SCOPED_TRACE(e.name);
        HBITMAP before = Handles().canvas.get();
        const SIZE beforeSize = PictureSize(before);
        const auto beforePixels = PixelsOf(before);
        HBITMAP probe = LoadPicture(CorpusFile(e.name).c_str());
        const bool loads = probe != nullptr;
        if (probe)
            DeleteObject(probe);

        const std::string path = CorpusFile(e.name);
        ModalAnswerer answerer;
        answerer.push(IDOK, [path](HWND d) { SetDlgItemTextA(d, 0x47C, path.c_str()); });
        Command(IDM_OPEN_FILE);
        ASSERT_EQ(answerer.seen().size(), 1u);
        ASSERT_TRUE(IsWindow(hwnd));
        if (loads) {
            EXPECT_NE(Handles().canvas.get(), before);
        } else {
            EXPECT_EQ(Handles().canvas.get(), before);
            EXPECT_EQ(PictureSize(Handles().canvas.get()).cx, beforeSize.cx);
            EXPECT_EQ(
                testing::CompareRows(PixelsOf(Handles().canvas.get()), beforePixels, beforeSize.cx),
                "");
        }
    }
    EXPECT_GE(dialogs, 10);
}

} // namespace
} // namespace risovik::win

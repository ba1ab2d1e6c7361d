// Bitmap files under Wine with real GDI pictures and files: what the writer
// puts into a file, round trips through the reader, names, failures, and the
// two commands through their real dialogs in the editor window.
#include "files_test_support.h"
#include "platform/testing/wine_support.h"
#include "resource.h"
#include "win32/bitmap_io.h"
#include "win32/editor_window.h"

#include "editor_window_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace risovik::win {
namespace {

using desk::testing::ModalAnswerer;
using desk::testing::PumpPending;
using testing::DisplayPicture;
using testing::Le16;
using testing::Le32;
using testing::PictureSize;
using testing::PictureSurface;
using testing::PixelsOf;
using testing::ReadBytes;
using testing::ScratchFolder;

constexpr int kNameField = 0x47C;

std::vector<ModalAnswerer::Answer> Answers(int command) {
    return {ModalAnswerer::Answer{command, {}}};
}

// A picture with a different colour in (almost) every pixel.
HBITMAP PatternPicture(int width, int height) {
    HBITMAP picture = DisplayPicture(width, height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] =
                (static_cast<std::uint32_t>(x * 7) & 0xFF) << 16 | (y * 5 & 0xFF) << 8 |
                ((x ^ y) & 0xFF);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    SetDIBits(screen, picture, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return picture;
}

TEST(BitmapWriterUnderWine, FreshCanvasGivesTheKnownFileOfZeroPixels) {
    ScratchFolder folder;
    PictureSurface canvas(DisplayPicture(450, 400));
    ASSERT_TRUE(SavePictureAs(folder.file("fresh").c_str(), canvas.picture(), canvas.dc()));
    const auto bytes = ReadBytes(folder.file("fresh.bmp"));
    ASSERT_EQ(bytes.size(), 720054u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le32(bytes, 2), 720054u);
    EXPECT_EQ(Le32(bytes, 10), 54u);
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(Le32(bytes, 18), 450u);
    EXPECT_EQ(Le32(bytes, 22), 400u);
    EXPECT_EQ(Le16(bytes, 26), 1u);
    EXPECT_EQ(Le16(bytes, 28), 32u);
    EXPECT_EQ(Le32(bytes, 30), 0u);
    EXPECT_EQ(Le32(bytes, 34), 720000u);
    std::size_t nonZero = 0;
    for (std::size_t i = 54; i < bytes.size(); ++i)
        nonZero += bytes[i] != 0;
    EXPECT_EQ(nonZero, 0u);
}

TEST(BitmapWriterUnderWine, PixelsAreStoredBottomRowFirstAsBlueGreenRedZero) {
    ScratchFolder folder;
    PictureSurface canvas(DisplayPicture(5, 3));
    SetPixel(canvas.dc(), 1, 0, RGB(10, 20, 30)); // top row
    ASSERT_TRUE(SavePictureAs(folder.file("tiny").c_str(), canvas.picture(), canvas.dc()));
    const auto bytes = ReadBytes(folder.file("tiny.bmp"));
    ASSERT_EQ(bytes.size(), 54u + 5 * 4 * 3);
    const std::size_t topRow = 54 + 2 * 5 * 4; // the last stored row
    EXPECT_EQ(bytes[topRow + 4], 30);
    EXPECT_EQ(bytes[topRow + 5], 20);
    EXPECT_EQ(bytes[topRow + 6], 10);
    EXPECT_EQ(bytes[topRow + 7], 0);
}

TEST(BitmapWriterUnderWine, SaveAndReopenKeepEveryPixel) {
    const SIZE sizes[] = {{450, 400}, {641, 479}, {1, 1}, {3, 2}};
    for (const SIZE s : sizes) {
        ScratchFolder folder;
        PictureSurface canvas(PatternPicture(s.cx, s.cy));
        ASSERT_TRUE(SavePictureAs(folder.file("pattern").c_str(), canvas.picture(), canvas.dc()));
        HBITMAP reopened = LoadPicture(folder.file("pattern.bmp").c_str());
        ASSERT_NE(reopened, nullptr) << s.cx << " x " << s.cy;
        EXPECT_EQ(PictureSize(reopened).cx, s.cx);
        EXPECT_EQ(PictureSize(reopened).cy, s.cy);
        EXPECT_EQ(testing::CompareRows(PixelsOf(canvas.picture()), PixelsOf(reopened), s.cx), "")
            << s.cx << " x " << s.cy;
        DeleteObject(reopened);
    }
}

TEST(BitmapWriterUnderWine, MonochromePictureIsWrittenWithItsTwoColourTable) {
    ScratchFolder folder;
    // A 1-bit picture, as a palette display may give: the writer keeps it so.
    HBITMAP opened = LoadPicture(testing::CorpusFile("depth1_table.bmp").c_str());
    ASSERT_NE(opened, nullptr);
    HBITMAP mono = CreateBitmap(9, 6, 1, 1, nullptr);
    BITMAPINFO layout{};
    layout.bmiHeader = {sizeof layout.bmiHeader, 9, -6, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    SetDIBits(screen, mono, 0, 6, PixelsOf(opened).data(), &layout, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(opened);
    PictureSurface canvas(mono);
    ASSERT_TRUE(SavePictureAs(folder.file("mono").c_str(), canvas.picture(), canvas.dc()));
    const auto bytes = ReadBytes(folder.file("mono.bmp"));
    ASSERT_GE(bytes.size(), 62u);
    EXPECT_EQ(Le16(bytes, 28), 1u);
    EXPECT_EQ(Le32(bytes, 10), 62u) << "two table entries before the pixels";
    EXPECT_EQ(Le32(bytes, 34), 4u * 6) << "9 pixels of 1 bit pad to 4 bytes a row";
    EXPECT_EQ(bytes.size(), 62u + 24u);
    EXPECT_EQ(Le32(bytes, 2), bytes.size());
    HBITMAP reopened = LoadPicture(folder.file("mono.bmp").c_str());
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(testing::CompareRows(PixelsOf(mono), PixelsOf(reopened), 9), "");
    DeleteObject(reopened);
}

TEST(BitmapWriterUnderWine, EveryDepthClassIsWrittenWithItsTableAndReopensAlike) {
    struct Case {
        int bits, entries;
    };
    const Case cases[] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}};
    for (const Case c : cases) {
        SCOPED_TRACE(std::to_string(c.bits) + " bits");
        ScratchFolder folder;
        // Black and white only, so every depth holds the picture exactly.
        HBITMAP picture = CreateBitmap(7, 5, 1, static_cast<UINT>(c.bits), nullptr);
        ASSERT_NE(picture, nullptr);
        std::vector<std::uint32_t> pattern(7 * 5);
        for (std::size_t i = 0; i < pattern.size(); ++i)
            pattern[i] = (i % 3 == 0) ? 0xFFFFFF : 0;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 7;
        info.bmiHeader.biHeight = -5;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(nullptr);
        SetDIBits(screen, picture, 0, 5, pattern.data(), &info, DIB_RGB_COLORS);
        ASSERT_TRUE(SavePictureAs(folder.file("depth").c_str(), picture, screen));
        ReleaseDC(nullptr, screen);

        const auto bytes = ReadBytes(folder.file("depth.bmp"));
        const std::uint32_t offset = 54 + 4 * c.entries;
        const std::uint32_t image = (7 * c.bits + 31) / 32 * 4 * 5;
        ASSERT_EQ(bytes.size(), offset + image);
        EXPECT_EQ(Le32(bytes, 2), bytes.size());
        EXPECT_EQ(Le32(bytes, 10), offset);
        EXPECT_EQ(Le16(bytes, 28), static_cast<std::uint32_t>(c.bits));
        EXPECT_EQ(Le32(bytes, 34), image);
        HBITMAP reopened = LoadPicture(folder.file("depth.bmp").c_str());
        ASSERT_NE(reopened, nullptr);
        EXPECT_EQ(testing::CompareRows(PixelsOf(reopened), pattern, 7), "");
        DeleteObject(reopened);
        DeleteObject(picture);
    }
}

TEST(BitmapWriterUnderWine, AppendsTheExtensionEvenToABmpName) {
    ScratchFolder folder;
    PictureSurface canvas(DisplayPicture(4, 4));
    ASSERT_TRUE(SavePictureAs(folder.file("pic.bmp").c_str(), canvas.picture(), canvas.dc()));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"pic.bmp.bmp"});
}

TEST(BitmapWriterUnderWine, NameTooLongForTheBufferIsRefusedWithAMessage) {
    ScratchFolder folder;
    PictureSurface canvas(DisplayPicture(4, 4));
    std::string name = folder.file("");
    name.append(256 - name.size(), 'n'); // 256 + ".bmp" needs 261 bytes
    ModalAnswerer answerer(Answers(IDOK));
    EXPECT_FALSE(SavePictureAs(name.c_str(), canvas.picture(), canvas.dc()));
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, kNameTooLongTitle);
    EXPECT_NE(answerer.seen()[0].text.find(".bmp"), std::string::npos) << answerer.seen()[0].text;
    EXPECT_TRUE(folder.entries().empty());

    name.pop_back(); // 255 characters + ".bmp" fit exactly, but no such long name can be made
    ModalAnswerer second(Answers(IDOK));
    SavePictureAs(name.c_str(), canvas.picture(), canvas.dc());
    for (const auto& seen : second.seen())
        EXPECT_NE(seen.caption, kNameTooLongTitle) << "a name that fits must not be refused";
}

TEST(BitmapWriterUnderWine, UnwritablePlaceShowsHerAndLeavesNoFile) {
    ScratchFolder folder;
    PictureSurface canvas(DisplayPicture(8, 8));
    CreateDirectoryA(folder.file("taken.bmp").c_str(), nullptr); // a folder in the file's place
    {
        ModalAnswerer answerer(Answers(IDOK));
        EXPECT_FALSE(SavePictureAs(folder.file("taken").c_str(), canvas.picture(), canvas.dc()));
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen()[0].text, "Her");
        EXPECT_EQ(answerer.seen()[0].caption, "");
    }
    const DWORD attributes = GetFileAttributesA(folder.file("taken.bmp").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    {
        ModalAnswerer answerer(Answers(IDOK));
        EXPECT_FALSE(
            SavePictureAs(folder.file("missing\\pic").c_str(), canvas.picture(), canvas.dc()));
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen()[0].text, "Her");
    }
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"taken.bmp"});
}

TEST(BitmapWriterUnderWine, UnreadablePictureShowsAnEmptyBoxAndWritesBlack) {
    ScratchFolder folder;
    PictureSurface canvas(DisplayPicture(6, 6));
    BitmapInfo info = MakeBitmapInfo(canvas.picture());
    HBITMAP gone = DisplayPicture(6, 6);
    DeleteObject(gone); // a handle that no longer names a picture
    ModalAnswerer answerer(Answers(IDOK));
    EXPECT_TRUE(WriteBitmapFile(folder.file("gone.bmp").c_str(), info, gone, canvas.dc()));
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, "");
    EXPECT_EQ(answerer.seen()[0].caption, "");
    const auto bytes = ReadBytes(folder.file("gone.bmp"));
    ASSERT_EQ(bytes.size(), 54u + 6 * 6 * 4);
    for (std::size_t i = 54; i < bytes.size(); ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(FileDialogRequest, HoldsTheFilterFlagsAndNameBuffer) {
    char name[kNameCapacity];
    std::memset(name, 'x', sizeof name);
    HWND top = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
    const OPENFILENAMEA r = FileDialogRequest(top, name, kSaveTitle, kSaveFlags);
    DestroyWindow(top);
    EXPECT_EQ(r.lStructSize, OPENFILENAME_SIZE_VERSION_400A);
    EXPECT_EQ(r.hwndOwner, nullptr) << "a top-level window has no parent";
    EXPECT_EQ(name[0], '\0');
    EXPECT_EQ(r.lpstrFile, name);
    EXPECT_EQ(r.nMaxFile, 260u);
    EXPECT_EQ(r.nFilterIndex, 0u);
    EXPECT_EQ(r.lpstrDefExt, nullptr);
    EXPECT_EQ(r.lpstrInitialDir, nullptr);
    EXPECT_EQ(std::string(r.lpstrTitle), "Сохранить");
    const std::string filter(r.lpstrFilter, 37);
    EXPECT_EQ(filter, std::string("Applications Extension(*.bmp)\0*.bmp\0\0", 37));
    EXPECT_EQ(kSaveFlags & OFN_FILEMUSTEXIST, 0u);
    EXPECT_EQ(kSaveFlags & OFN_OVERWRITEPROMPT, 0u);
    EXPECT_EQ(kOpenFlags, kSaveFlags | OFN_FILEMUSTEXIST);
}

// The commands in the running editor, through the real dialogs.
class BitmapCommands : public EditorWindowFixture {
  protected:
    // Answers the next file dialog with this name typed into its name field.
    static ModalAnswerer::Answer Typing(const std::string& name) {
        return {IDOK, [name](HWND dialog) { SetDlgItemTextA(dialog, kNameField, name.c_str()); }};
    }
    bool AnyToolPushed() {
        for (int id = IDC_LINE_TOOL; id <= IDC_TEXT_TOOL; ++id)
            if (SendMessageA(GetDlgItem(hwnd, id), BM_GETSTATE, 0, 0) & BST_PUSHED)
                return true;
        return false;
    }
};

TEST_F(BitmapCommands, SaveWritesTheCanvasUnderTheTypedName) {
    ScratchFolder folder;
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 100, 50, 200, 150);
    ModalAnswerer answerer(std::vector<ModalAnswerer::Answer>{Typing(folder.file("drawn"))});
    Command(IDM_SAVE_FILE);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "Сохранить");
    const auto bytes = ReadBytes(folder.file("drawn.bmp"));
    ASSERT_EQ(bytes.size(), 720054u);
    // Pixel (150, 100) lies in stored row 399 - 100.
    const std::size_t at = 54 + (399 - 100) * 1800 + 150 * 4;
    EXPECT_EQ(bytes[at + 2], 255);
    EXPECT_EQ(bytes[at + 1], 0);
    EXPECT_EQ(bytes[at], 0);
    EXPECT_TRUE(AnyToolPushed()) << "saving leaves the tool selected";
}

TEST_F(BitmapCommands, CancelledSaveWritesNothing) {
    ScratchFolder folder;
    ModalAnswerer answerer(Answers(IDCANCEL));
    Command(IDM_SAVE_FILE);
    EXPECT_EQ(answerer.seen().size(), 1u);
    EXPECT_TRUE(folder.entries().empty());
}

TEST_F(BitmapCommands, OpenedLargerPictureIsSavedWholeAndNewClearsOnlyTheCanvasArea) {
    ScratchFolder folder;
    {
        PictureSurface big(PatternPicture(640, 480));
        ASSERT_TRUE(SavePictureAs(folder.file("big").c_str(), big.picture(), big.dc()));
    }
    HBITMAP expected = LoadPicture(folder.file("big.bmp").c_str());
    const auto original = PixelsOf(expected);
    DeleteObject(expected);

    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 10, 10, 20, 20);
    ModalAnswerer answerer(std::vector<ModalAnswerer::Answer>{Typing(folder.file("big.bmp"))});
    Command(IDM_OPEN_FILE);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "Open File");
    EXPECT_FALSE(AnyToolPushed());
    EXPECT_EQ(PictureSize(Handles().canvas.get()).cx, 640);
    EXPECT_EQ(testing::CompareRows(PixelsOf(Handles().canvas.get()), original, 640), "")
        << "the picture shows as loaded, with no shape drawn over it";

    Command(IDM_NEW);
    const auto cleared = PixelsOf(Handles().canvas.get());
    EXPECT_EQ(cleared[100 * 640 + 100], 0u);
    EXPECT_EQ(cleared[100 * 640 + 500], original[100 * 640 + 500]) << "right of the canvas area";
    EXPECT_EQ(cleared[450 * 640 + 100], original[450 * 640 + 100]) << "below the canvas area";

    answerer.push(IDOK,
                  [&](HWND d) { SetDlgItemTextA(d, kNameField, folder.file("out").c_str()); });
    Command(IDM_SAVE_FILE);
    const auto bytes = ReadBytes(folder.file("out.bmp"));
    ASSERT_EQ(bytes.size(), 54u + 640u * 480u * 4u);
    EXPECT_EQ(Le32(bytes, 18), 640u);
    EXPECT_EQ(Le32(bytes, 22), 480u);
}

TEST_F(BitmapCommands, OpenThatDoesNotLoadKeepsTheCanvasAndDeselects) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 100, 50, 200, 150);
    ModalAnswerer answerer(
        std::vector<ModalAnswerer::Answer>{Typing(testing::CorpusFile("not_a_bitmap.bmp"))});
    Command(IDM_OPEN_FILE);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_FALSE(AnyToolPushed());
    EXPECT_EQ(PictureSize(Handles().canvas.get()).cx, 450);
    EXPECT_EQ(Canvas(150, 100), RGB(255, 0, 0));
}

TEST_F(BitmapCommands, CancelledOpenDeselectsTheTool) {
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 100, 50, 200, 150);
    ModalAnswerer answerer(Answers(IDCANCEL));
    Command(IDM_OPEN_FILE);
    EXPECT_FALSE(AnyToolPushed());
    EXPECT_EQ(Canvas(150, 100), RGB(255, 0, 0));
}

// Counts the background erases the window gets while it lives.
class EraseCounter {
  public:
    explicit EraseCounter(HWND window) {
        window_ = window;
        count_ = 0;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~EraseCounter() { UnhookWindowsHookEx(hook_); }
    int count() const { return count_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && m->hwnd == window_ && m->message == WM_ERASEBKGND)
            ++count_;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static HWND window_;
    static int count_;
    HHOOK hook_;
};
HWND EraseCounter::window_ = nullptr;
int EraseCounter::count_ = 0;

TEST_F(BitmapCommands, OpenRepaintsWithEraseAndSaveDoesNotRepaint) {
    ScratchFolder folder;
    {
        EraseCounter erases(hwnd);
        ModalAnswerer answerer(Answers(IDCANCEL));
        Command(IDM_OPEN_FILE);
        EXPECT_GE(erases.count(), 1) << "a cancelled open still repaints with erase";
    }
    {
        EraseCounter erases(hwnd);
        ModalAnswerer answerer(std::vector<ModalAnswerer::Answer>{Typing(folder.file("p"))});
        Command(IDM_SAVE_FILE);
        RECT update{};
        EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE)) << "a save asks for no repaint";
        EXPECT_EQ(erases.count(), 0);
    }
    {
        EraseCounter erases(hwnd);
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(9, 9));
        UpdateWindow(hwnd);
        EXPECT_EQ(erases.count(), 0) << "a release repaints without erase";
    }
}

TEST_F(BitmapCommands, FailedSaveSaysHerAndLosesNothing) {
    ScratchFolder folder;
    Draw(IDC_RECTANGLE_TOOL, IDC_RED, 100, 50, 200, 150);
    CreateDirectoryA(folder.file("taken.bmp").c_str(), nullptr);
    const auto before = PixelsOf(Handles().canvas.get());
    ModalAnswerer answerer(std::vector<ModalAnswerer::Answer>{Typing(folder.file("taken"))});
    answerer.push(IDOK);
    Command(IDM_SAVE_FILE);
    ASSERT_EQ(answerer.seen().size(), 2u);
    EXPECT_EQ(answerer.seen()[1].text, "Her");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"taken.bmp"});
    EXPECT_EQ(testing::CompareRows(PixelsOf(Handles().canvas.get()), before, 450), "");
    EXPECT_TRUE(AnyToolPushed());
    // The next save to a good name works and holds the same picture.
    answerer.push(IDOK, [&](HWND d) { SetDlgItemTextA(d, kNameField, folder.file("ok").c_str()); });
    Command(IDM_SAVE_FILE);
    HBITMAP saved = LoadPicture(folder.file("ok.bmp").c_str());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(testing::CompareRows(PixelsOf(saved), before, 450), "");
    DeleteObject(saved);
}

TEST_F(BitmapCommands, TransformsOfASmallOpenedPictureReadBlackOutsideIt) {
    ModalAnswerer answerer(std::vector<ModalAnswerer::Answer>{
        Typing(testing::CorpusFile("depth24.bmp"))}); // 9 x 6, blue
    Command(IDM_OPEN_FILE);
    ASSERT_EQ(PictureSize(Handles().canvas.get()).cx, 9);
    Command(IDC_SCALE);
    ASSERT_EQ(PictureSize(Handles().canvas.get()).cx, 450);
    EXPECT_EQ(Canvas(0, 0), RGB(0, 0, 255)) << "source (1, 1) lies inside the picture";
    EXPECT_EQ(Canvas(3, 2), RGB(0, 0, 255)) << "source (7, 5)";
    EXPECT_EQ(Canvas(4, 0), RGB(0, 0, 0)) << "source (9, 1) lies outside";
    EXPECT_EQ(Canvas(100, 100), RGB(0, 0, 0));
}

} // namespace
} // namespace risovik::win

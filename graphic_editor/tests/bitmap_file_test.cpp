// Native tests of the bitmap writer: header bytes per depth class, the size
// arithmetic, the order and sizes of the writes, and the failure messages.
#include "model/bitmap_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using risovik::BitmapInfo;
using risovik::MakeBitmapInfo;
using risovik::PictureDescription;

std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint32_t Le16(const std::uint8_t* p) {
    return p[0] | p[1] << 8;
}

TEST(BitmapDepthClass, RoundsPlanesTimesBitsUpToAFileDepth) {
    struct Case {
        int planes, bits, depth;
    };
    const Case cases[] = {
        {1, 0, 1},   {1, 1, 1},  {1, 2, 4},   {1, 4, 4},   {4, 1, 4},   {1, 5, 8},
        {1, 8, 8},   {2, 4, 8},  {1, 9, 16},  {1, 15, 16}, {1, 16, 16}, {1, 17, 24},
        {1, 24, 24}, {3, 8, 24}, {1, 25, 32}, {1, 32, 32}, {1, 48, 32}, {2, 32, 32},
    };
    for (const Case& c : cases)
        EXPECT_EQ(risovik::DepthClass(c.planes, c.bits), c.depth)
            << c.planes << " planes x " << c.bits << " bits";
}

TEST(BitmapImageSize, PadsEveryRowToWholeWords) {
    struct Case {
        std::int64_t width, height;
        int depth;
        std::uint64_t row, image;
    };
    const Case cases[] = {
        {450, 400, 32, 1800, 720000},
        {1, 1, 32, 4, 4},
        {1, 1, 24, 4, 4},
        {3, 2, 24, 12, 24},
        {5, 1, 24, 16, 16},
        {1, 1, 1, 4, 4},
        {32, 1, 1, 4, 4},
        {33, 1, 1, 8, 8},
        {7, 3, 4, 4, 12},
        {9, 3, 4, 8, 24},
        {5, 2, 8, 8, 16},
        {3, 1, 16, 8, 8},
        {640, 480, 32, 2560, 1228800},
        {0, 10, 32, 0, 0},
        {10, 0, 32, 40, 0},
        {-4, 10, 32, 0, 0},
        {10, -4, 32, 40, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(risovik::RowSize(c.width, c.depth), c.row)
            << c.width << " pixels at " << c.depth << " bits";
        EXPECT_EQ(risovik::ImageSize(c.width, c.height, c.depth), c.image)
            << c.width << " x " << c.height << " at " << c.depth << " bits";
    }
}

TEST(BitmapImageSize, HugePicturesDoNotWrapAround) {
    const std::uint64_t size = risovik::ImageSize(0x7FFFFFFF, 0x7FFFFFFF, 32);
    EXPECT_GT(size, 0xFFFFFFFFull);
    const BitmapInfo info = MakeBitmapInfo({0x7FFFFFFF, 0x7FFFFFFF, 1, 32});
    EXPECT_FALSE(info.fits);
    EXPECT_TRUE(MakeBitmapInfo({32767, 32767, 1, 32}).fits);
    EXPECT_FALSE(MakeBitmapInfo({32768, 32768, 1, 32}).fits); // exactly 4 GiB of pixels
}

// Header fields by depth class: a 450 x 400 canvas read at each depth.
struct HeaderCase {
    int planes, bits;
    int entries;
    std::uint32_t imageSize;
};

class BitmapHeaderBytes : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(BitmapHeaderBytes, HoldEveryFieldAtItsOffset) {
    const HeaderCase c = GetParam();
    const BitmapInfo info = MakeBitmapInfo({450, 400, c.planes, c.bits});
    ASSERT_TRUE(info.fits);
    ASSERT_EQ(info.block.size(), 40u + 4u * c.entries);
    EXPECT_EQ(info.entries, c.entries);
    const std::uint8_t* h = info.block.data();
    EXPECT_EQ(Le32(h + 0), 40u);
    EXPECT_EQ(Le32(h + 4), 450u);
    EXPECT_EQ(Le32(h + 8), 400u) << "height is positive: rows bottom-up";
    EXPECT_EQ(Le16(h + 12), static_cast<std::uint32_t>(c.planes));
    EXPECT_EQ(Le16(h + 14), static_cast<std::uint32_t>(c.bits));
    EXPECT_EQ(Le32(h + 16), 0u) << "compression";
    EXPECT_EQ(Le32(h + 20), c.imageSize);
    EXPECT_EQ(Le32(h + 24), 0u) << "horizontal resolution";
    EXPECT_EQ(Le32(h + 28), 0u) << "vertical resolution";
    EXPECT_EQ(Le32(h + 32), static_cast<std::uint32_t>(c.entries)) << "colours used";
    EXPECT_EQ(Le32(h + 36), 0u) << "important colours";
    for (std::size_t i = 40; i < info.block.size(); ++i)
        ASSERT_EQ(h[i], 0) << "colour table byte " << i << " not cleared";

    const auto file = risovik::MakeFileHeader(info);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(&file[2]), 54u + 4u * c.entries + c.imageSize) << "file size";
    EXPECT_EQ(Le16(&file[6]), 0u);
    EXPECT_EQ(Le16(&file[8]), 0u);
    EXPECT_EQ(Le32(&file[10]), 54u + 4u * c.entries) << "pixel offset";
}

INSTANTIATE_TEST_SUITE_P(
    EveryDepthClass, BitmapHeaderBytes,
    ::testing::Values(HeaderCase{1, 1, 2, 60 * 400}, HeaderCase{1, 4, 16, 228 * 400},
                      HeaderCase{1, 8, 256, 452 * 400}, HeaderCase{1, 16, 0, 900 * 400},
                      HeaderCase{1, 24, 0, 1352 * 400}, HeaderCase{1, 32, 0, 720000}));

TEST(BitmapHeaderBytes, TrueColourCanvasMakesTheKnownFileSize) {
    const BitmapInfo info = MakeBitmapInfo({450, 400, 1, 32});
    EXPECT_EQ(info.imageSize, 720000u);
    EXPECT_EQ(info.pixelOffset(), 54u);
    EXPECT_EQ(info.fileSize(), 720054u);
    EXPECT_EQ(info.width(), 450);
    EXPECT_EQ(info.height(), 400);
    EXPECT_EQ(info.bitsPerPixel(), 32);
}

TEST(BitmapPixelWrites, SixteenBytePiecesThenOneLastPiece) {
    struct Case {
        std::uint64_t size, full;
        std::size_t last;
    };
    const Case cases[] = {{0, 0, 0},  {1, 0, 1},   {15, 0, 15}, {16, 0, 16},
                          {17, 1, 1}, {32, 1, 16}, {33, 2, 1},  {720000, 44999, 16}};
    for (const Case& c : cases) {
        const risovik::PixelWritePlan plan = risovik::PlanPixelWrites(c.size);
        EXPECT_EQ(plan.fullPieces, c.full) << c.size << " bytes";
        EXPECT_EQ(plan.lastPiece, c.last) << c.size << " bytes";
        EXPECT_EQ(plan.fullPieces * 16 + plan.lastPiece, c.size);
    }
    EXPECT_EQ(risovik::PlanPixelWrites(720000).writes(), 45000u);
}

TEST(BitmapFileName, AppendsTheExtensionWhateverTheNameEndsWith) {
    const char* names[] = {"pic", "pic.bmp", "C:\\dir\\pic.", ""};
    for (const char* n : names) {
        char buffer[risovik::kNameCapacity] = {};
        std::strcpy(buffer, n);
        ASSERT_TRUE(risovik::AppendBitmapExtension(buffer, sizeof buffer)) << n;
        EXPECT_EQ(std::string(buffer), std::string(n) + ".bmp");
    }
}

TEST(BitmapFileName, RefusesANameThatWouldOverrunTheBuffer) {
    for (std::size_t length : {254u, 255u, 256u, 259u}) {
        std::vector<char> buffer(risovik::kNameCapacity + 8, '#'); // guard bytes after the end
        std::memset(buffer.data(), 'a', length);
        buffer[length] = '\0';
        const std::vector<char> before = buffer;
        const bool fits = length + 5 <= risovik::kNameCapacity;
        EXPECT_EQ(risovik::AppendBitmapExtension(buffer.data(), risovik::kNameCapacity), fits)
            << length << " characters";
        if (fits) {
            EXPECT_EQ(std::strlen(buffer.data()), length + 4);
        } else {
            EXPECT_EQ(buffer, before) << "a refused name must leave the buffer as it was";
        }
        for (std::size_t i = risovik::kNameCapacity; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], '#') << "written past the buffer at " << i;
    }
}

TEST(BitmapFileName, RefusesABufferWithoutTerminator) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(risovik::AppendBitmapExtension(buffer, sizeof buffer));
    EXPECT_FALSE(risovik::AppendBitmapExtension(nullptr, 10));
}

// Keeps every call; the file is the concatenation of successful writes.
class RecordingPlatform : public risovik::BitmapFilePlatform {
  public:
    bool readOk = true;
    bool createOk = true;
    std::uint8_t pixelByte = 0x5A;
    int failWriteNumber = -1; // 0-based write to fail, besides a failed create

    std::vector<std::string> calls;
    std::vector<std::size_t> writeSizes;
    std::vector<std::uint8_t> file;
    std::vector<std::string> messages;
    std::vector<std::uint8_t> bufferSeen;

    bool readPixels(std::uint8_t* infoBlock, std::uint8_t* pixels) override {
        calls.push_back("read");
        const std::uint32_t size = Le32(infoBlock + 20);
        bufferSeen.assign(pixels, pixels + size);
        if (!readOk)
            return false;
        std::memset(pixels, pixelByte, size);
        return true;
    }
    void createFile() override { calls.push_back("create"); }
    bool writeFile(const std::uint8_t* data, std::size_t size) override {
        calls.push_back("write");
        const int number = static_cast<int>(writeSizes.size());
        writeSizes.push_back(size);
        if (!createOk || number == failWriteNumber)
            return false;
        file.insert(file.end(), data, data + size);
        return true;
    }
    void closeFile() override { calls.push_back("close"); }
    void showMessage(const char* text) override {
        calls.push_back("message");
        messages.emplace_back(text);
    }
};

// One write through the recording platform; info is the block written.
class BitmapWriter : public ::testing::Test {
  protected:
    bool Write(const PictureDescription& picture) {
        info = MakeBitmapInfo(picture);
        return risovik::WriteBitmapFile(platform, info);
    }
    RecordingPlatform platform;
    BitmapInfo info;
};

TEST_F(BitmapWriter, WritesHeaderInfoAndPiecesInOrder) {
    EXPECT_TRUE(Write({5, 3, 1, 32})); // 60 bytes of pixels

    const std::vector<std::size_t> sizes = {14, 40, 16, 16, 16, 12};
    EXPECT_EQ(platform.writeSizes, sizes);
    ASSERT_EQ(platform.calls.front(), "read");
    EXPECT_EQ(platform.calls[1], "create");
    EXPECT_EQ(platform.calls.back(), "close");
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.file.size(), 54u + 60u);
    EXPECT_EQ(Le32(&platform.file[2]), platform.file.size());
    for (std::size_t i = 54; i < platform.file.size(); ++i)
        ASSERT_EQ(platform.file[i], 0x5A) << "pixel byte " << i;
}

TEST_F(BitmapWriter, ColourTableGoesOutWithTheInfoHeaderInOneWrite) {
    EXPECT_TRUE(Write({16, 2, 1, 8})); // 32 bytes of pixels, 256 entries
    const std::vector<std::size_t> sizes = {14, 40 + 1024, 16, 16};
    EXPECT_EQ(platform.writeSizes, sizes);
    EXPECT_EQ(Le32(&platform.file[10]), 14u + 40u + 1024u);
}

TEST_F(BitmapWriter, FreshCanvasOfFourHundredFiftyByFourHundred) {
    platform.pixelByte = 0;
    EXPECT_TRUE(Write({450, 400, 1, 32}));
    EXPECT_EQ(platform.file.size(), 720054u);
    EXPECT_EQ(platform.writeSizes.size(), 2u + 45000u);
}

TEST_F(BitmapWriter, UnreadablePixelsShowAnEmptyMessageAndWriteACleanBuffer) {
    platform.readOk = false;
    EXPECT_TRUE(Write({7, 7, 1, 24}));
    ASSERT_EQ(platform.messages, std::vector<std::string>{""});
    EXPECT_EQ(platform.calls[1], "message") << "the message comes before the file is made";
    ASSERT_EQ(platform.bufferSeen.size(), info.imageSize);
    for (std::uint8_t b : platform.bufferSeen)
        ASSERT_EQ(b, 0) << "the buffer must be cleared before the read";
    ASSERT_EQ(platform.file.size(), info.fileSize());
    for (std::size_t i = 54; i < platform.file.size(); ++i)
        ASSERT_EQ(platform.file[i], 0);
}

TEST_F(BitmapWriter, FileThatCannotBeMadeSaysHerOnceAndReportsFailure) {
    platform.createOk = false;
    EXPECT_FALSE(Write({20, 20, 1, 32}));
    EXPECT_EQ(platform.messages, std::vector<std::string>{"Her"});
    EXPECT_EQ(platform.writeSizes.size(), 2u + 100u) << "the later writes still run, silently";
    EXPECT_EQ(platform.calls.back(), "close");
}

TEST_F(BitmapWriter, ALaterFailedWriteIsReportedToTheCallerOnly) {
    platform.failWriteNumber = 3;
    EXPECT_FALSE(Write({20, 20, 1, 32}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(BitmapWriter, PictureTooLargeForTheFileIsNeverWritten) {
    EXPECT_FALSE(Write({0x7FFFFFFF, 2, 1, 32}));
    EXPECT_EQ(platform.messages, std::vector<std::string>{"Her"});
    EXPECT_TRUE(platform.writeSizes.empty());
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "create"), 0);
}

} // namespace

// Native tests of the .bmp reader: what it refuses, how run-length codes
// land, and the pixels of every kind compared with ImageMagick's reading of
// the same file (when ImageMagick is installed).
#include "model/bitmap_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

using risovik::BitmapRead;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// `b` with the `size` bytes at `at` replaced by `v`, lowest byte first.
Bytes Put(Bytes b, std::size_t at, std::uint32_t v, int size = 4) {
    for (int i = 0; i < size; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    return b;
}

// A file of the 40-byte header: palette of `colours` entries (entry i is
// i * 0x102030), then `pixels`.
Bytes File(std::uint32_t w, std::uint32_t h, std::uint32_t bits, std::uint32_t compression,
           std::uint32_t colours, const Bytes& pixels) {
    const std::uint32_t offset = 54 + 4 * colours, size = offset + pixels.size();
    // File size, reserved, pixel offset; header size, width, height, planes and bits,
    // compression, image size, resolutions, colours used, colours important.
    std::vector<std::uint32_t> words = {size,        0, offset, 40, w,       h, 1 | bits << 16,
                                        compression, 0, 0,      0,  colours, 0};
    for (std::uint32_t i = 0; i < colours; ++i)
        words.push_back(i * 0x102030);
    Bytes b = {'B', 'M'};
    for (std::uint32_t v : words)
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// The reader's result and the pixels it gave (top row first).
std::pair<BitmapRead, std::vector<std::uint32_t>> Decode(const Bytes& file) {
    risovik::BitmapLayout l;
    const BitmapRead read = risovik::ReadBitmapLayout(file.data(), file.size(), l);
    if (read != BitmapRead::Ok)
        return {read, {}};
    std::vector<std::uint32_t> px(static_cast<std::size_t>(l.width) * l.height, 0xDEADBEEF);
    return {risovik::DecodeBitmapPixels(file.data(), file.size(), l, px.data(), l.width), px};
}

TEST(BitmapReader, RefusesDamagedAndOversizedFilesBeforeTouchingPixels) {
    const Bytes good = File(3, 2, 24, 0, 0, Bytes(24));
    struct Case {
        const char* what;
        Bytes file;
        BitmapRead expect;
    };
    const std::vector<Case> cases = {
        {"the good one", good, BitmapRead::Ok},
        {"empty", {}, BitmapRead::NotABitmap},
        {"no BM", Put(good, 0, 0x5858, 2), BitmapRead::NotABitmap},
        {"cut in the info header", Bytes(good.begin(), good.begin() + 40), BitmapRead::Damaged},
        {"one pixel byte short", Bytes(good.begin(), good.end() - 1), BitmapRead::Damaged},
        {"offset past the end", Put(good, 10, 16446), BitmapRead::Damaged},
        {"offset inside the header", Put(good, 10, 40), BitmapRead::Damaged},
        {"zero width", Put(good, 18, 0), BitmapRead::Damaged},
        {"negative width", Put(good, 18, 0xFFFFFFFD), BitmapRead::Damaged},
        {"zero height", Put(good, 22, 0), BitmapRead::Damaged},
        {"most negative height", Put(good, 22, 0x80000000), BitmapRead::TooLarge},
        {"two planes", Put(good, 26, 2, 2), BitmapRead::Damaged},
        {"7 bits", Put(good, 28, 7, 2), BitmapRead::Damaged},
        {"RLE8 at 24 bits", Put(good, 30, 1), BitmapRead::Damaged},
        {"JPEG inside", Put(good, 30, 4), BitmapRead::Unsupported},
        {"header of 64 bytes", Put(good, 14, 64), BitmapRead::Unsupported},
        {"header of 8 bytes", Put(good, 14, 8), BitmapRead::Damaged},
        {"5000 x 5000 in 24 bytes", File(5000, 5000, 24, 0, 0, Bytes(24)), BitmapRead::Damaged},
        {"20000 wide", Put(good, 18, 20000), BitmapRead::TooLarge},
        {"16384 x 16384", File(16384, 16384, 24, 0, 0, Bytes(24)), BitmapRead::TooLarge},
        {"RLE8 of 20000 x 20000 in 2 bytes", File(20000, 20000, 8, 1, 1, {0, 1}),
         BitmapRead::TooLarge},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decode(c.file).first, c.expect) << c.what;
}

// Pixels a delta or end of line skips take table entry 0; a run passing a
// row's end goes on in the next row up; data ending early is damage.
TEST(BitmapReader, RunLengthCodesLandAlongTheStoredRows) {
    struct Case {
        const char* what;
        Bytes codes;
        std::vector<std::uint32_t> expect; // 3 x 2, top row first, as palette indexes
        BitmapRead result;
    };
    const std::vector<Case> cases = {
        {"runs and end of line", {2, 1, 0, 0, 3, 2, 0, 1}, {2, 2, 2, 1, 1, 0}, BitmapRead::Ok},
        {"delta right 1 up 1", {0, 2, 1, 1, 1, 3, 0, 1}, {0, 3, 0, 0, 0, 0}, BitmapRead::Ok},
        {"run past the row's end", {5, 1, 0, 1}, {1, 1, 0, 1, 1, 1}, BitmapRead::Ok},
        {"absolute, padded", {0, 3, 1, 2, 3, 0, 1, 3, 0, 1}, {3, 0, 0, 1, 2, 3}, BitmapRead::Ok},
        {"delta past the end", {0, 2, 9, 9, 1, 1}, {0, 0, 0, 0, 0, 0}, BitmapRead::Ok},
        {"ends without its mark", {2, 1}, {0, 0, 0, 1, 1, 0}, BitmapRead::Damaged},
        {"absolute cut short", {0, 5, 1}, {0, 0, 0, 0, 0, 0}, BitmapRead::Damaged},
    };
    for (const Case& c : cases) {
        auto [read, px] = Decode(File(3, 2, 8, 1, 4, c.codes));
        EXPECT_EQ(read, c.result) << c.what;
        for (std::uint32_t& p : px)
            p /= 0x102030; // back to the index
        EXPECT_EQ(px, c.expect) << c.what;
    }
}

Bytes ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

bool Shell(const std::string& command) {
    return std::system(("LC_ALL=C " + command + " >/dev/null 2>&1").c_str()) == 0;
}

// Every form ImageMagick writes and the corpus files that open (top-down ones
// among them): where ImageMagick reads a file without error, the reader must
// give the same pixels.
TEST(BitmapReader, GivesTheSamePixelsAsImageMagick) {
    if (!Shell("command -v convert"))
        GTEST_SKIP() << "ImageMagick is not installed";
    const fs::path dir = fs::temp_directory_path() / ("risovik_im_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string src = (dir / "src.ppm").string(); // red, green and blue each vary
    ASSERT_TRUE(Shell("convert -size 37x23 xc: -channel R -fx 'i*7%256/255' -channel G -fx "
                      "'j*11%256/255' -channel B -fx 'i*j%256/255' +channel -depth 8 " +
                      src));
    std::vector<fs::path> files;
    for (const char* form : {"BMP3:", "BMP2:", "BMP:", "-colors 200 -type Palette BMP3:",
                             "-colors 200 -type Palette -compress RLE BMP3:",
                             "-colors 12 -type Palette BMP3:", "-type Bilevel BMP3:",
                             "-define bmp:subtype=RGB565 BMP:", "-define bmp:subtype=RGB555 BMP:",
                             "-alpha on -define bmp:subtype=ARGB1555 BMP:", "-alpha on BMP:"}) {
        files.push_back(dir / ("form" + std::to_string(files.size()) + ".bmp"));
        ASSERT_TRUE(Shell("convert " + src + " " + form + files.back().string())) << form;
    }
    // The corpus files listed as opening; the damaged ones may differ.
    std::ifstream list(fs::path(RISOVIK_CORPUS_DIR) / "corpus.txt");
    for (std::string name, expect, rest; list >> name >> expect && std::getline(list, rest);)
        if (expect == "opens")
            files.push_back(fs::path(RISOVIK_CORPUS_DIR) / name);
    int compared = 0;
    for (const fs::path& path : files) {
        const fs::path rgb = dir / "theirs.rgb";
        if (!Shell("convert " + path.string() + " -alpha off -depth 8 rgb:" + rgb.string()))
            continue; // ImageMagick does not read it as a valid picture
        SCOPED_TRACE(path.filename().string());
        const Bytes bytes = ReadAll(rgb);
        std::vector<std::uint32_t> theirs;
        for (std::size_t i = 0; i + 2 < bytes.size(); i += 3)
            theirs.push_back(bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]);
        const auto [read, mine] = Decode(ReadAll(path));
        EXPECT_EQ(read, BitmapRead::Ok);
        const auto [a, b] = std::mismatch(mine.begin(), mine.end(), theirs.begin(), theirs.end());
        EXPECT_TRUE(a == mine.end() && b == theirs.end())
            << "first difference at pixel " << a - mine.begin();
        ++compared;
    }
    fs::remove_all(dir);
    EXPECT_GE(compared, 33);
}

} // namespace

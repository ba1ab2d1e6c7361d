// Native tests of the .bmp reader: what it refuses, how run-length codes
// land, and the pixels of every kind compared with ImageMagick's reading of
// the same file (when ImageMagick is installed).
#include "model/bitmap_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using risovik::BitmapLayout;
using risovik::BitmapRead;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A file of the 40-byte header: palette of `colours` entries (entry i is
// i * 0x102030), then `pixels`.
Bytes File(std::int32_t w, std::int32_t h, int bits, std::uint32_t compression, int colours,
           const Bytes& pixels) {
    Bytes b(54 + 4 * colours);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size() + pixels.size()), 4);
    Put(b, 10, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<std::uint32_t>(w), 4);
    Put(b, 22, static_cast<std::uint32_t>(h), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<std::uint32_t>(bits), 2);
    Put(b, 30, compression, 4);
    Put(b, 46, static_cast<std::uint32_t>(colours), 4);
    for (int i = 0; i < colours; ++i)
        Put(b, 54 + 4 * i, static_cast<std::uint32_t>(i) * 0x102030, 4);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// The reader's result and pixels (top row first), or the failure.
BitmapRead Decode(const Bytes& file, std::vector<std::uint32_t>& out, BitmapLayout& l) {
    const BitmapRead r = risovik::ReadBitmapLayout(file.data(), file.size(), l);
    if (r != BitmapRead::Ok)
        return r;
    out.assign(static_cast<std::size_t>(l.width) * l.height, 0xDEADBEEF);
    return risovik::DecodeBitmapPixels(file.data(), file.size(), l, out.data(), l.width);
}

TEST(BitmapReader, RefusesDamagedAndOversizedFilesBeforeTouchingPixels) {
    const Bytes good = File(3, 2, 24, 0, 0, Bytes(24));
    struct Case {
        const char* what;
        Bytes file;
        BitmapRead expect;
    };
    auto with = [&](std::size_t at, std::uint32_t v, int size, Bytes b = {}) {
        if (b.empty())
            b = good;
        Put(b, at, v, size);
        return b;
    };
    const std::vector<Case> cases = {
        {"the good one", good, BitmapRead::Ok},
        {"empty", {}, BitmapRead::NotABitmap},
        {"no BM", with(0, 0x5858, 2), BitmapRead::NotABitmap},
        {"cut in the info header", Bytes(good.begin(), good.begin() + 40), BitmapRead::Damaged},
        {"one pixel byte short", Bytes(good.begin(), good.end() - 1), BitmapRead::Damaged},
        {"offset past the end", with(10, 16446, 4), BitmapRead::Damaged},
        {"offset inside the header", with(10, 40, 4), BitmapRead::Damaged},
        {"zero width", with(18, 0, 4), BitmapRead::Damaged},
        {"negative width", with(18, 0xFFFFFFFD, 4), BitmapRead::Damaged},
        {"zero height", with(22, 0, 4), BitmapRead::Damaged},
        {"most negative height", with(22, 0x80000000, 4), BitmapRead::TooLarge},
        {"two planes", with(26, 2, 2), BitmapRead::Damaged},
        {"7 bits", with(28, 7, 2), BitmapRead::Damaged},
        {"RLE8 at 24 bits", with(30, 1, 4), BitmapRead::Damaged},
        {"JPEG inside", with(30, 4, 4), BitmapRead::Unsupported},
        {"header of 64 bytes", with(14, 64, 4), BitmapRead::Unsupported},
        {"header of 8 bytes", with(14, 8, 4), BitmapRead::Damaged},
        {"5000 x 5000 in 24 bytes", with(22, 5000, 4, with(18, 5000, 4)), BitmapRead::Damaged},
        {"20000 wide", with(18, 20000, 4), BitmapRead::TooLarge},
        {"16384 x 16384", with(22, 16384, 4, with(18, 16384, 4)), BitmapRead::TooLarge},
        {"RLE8 of 20000 x 20000 in 2 bytes",
         with(22, 20000, 4, with(18, 20000, 4, File(1, 1, 8, 1, 1, {0, 1}))), BitmapRead::TooLarge},
    };
    for (const Case& c : cases) {
        BitmapLayout l;
        std::vector<std::uint32_t> px;
        EXPECT_EQ(static_cast<int>(Decode(c.file, px, l)), static_cast<int>(c.expect)) << c.what;
    }
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
        BitmapLayout l;
        std::vector<std::uint32_t> px;
        EXPECT_EQ(static_cast<int>(Decode(File(3, 2, 8, 1, 4, c.codes), px, l)),
                  static_cast<int>(c.result))
            << c.what;
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

// Every form ImageMagick writes, the corpus files that open, top-down copies of the
// uncompressed ones: where ImageMagick reads a file without error, the reader
// must give the same pixels.
TEST(BitmapReader, GivesTheSamePixelsAsImageMagick) {
    if (!Shell("command -v convert"))
        GTEST_SKIP() << "ImageMagick is not installed";
    const fs::path dir = fs::temp_directory_path() / ("risovik_im_" + std::to_string(getpid()));
    fs::create_directories(dir);
    {
        std::ofstream src(dir / "src.ppm", std::ios::binary);
        src << "P6 37 23 255\n";
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x)
                src << static_cast<char>(x * 7) << static_cast<char>(y * 11)
                    << static_cast<char>((x * y) & 0xFF);
    }
    const std::vector<std::string> forms = {"BMP3:",
                                            "BMP2:",
                                            "BMP:",
                                            "-colors 200 -type Palette BMP3:",
                                            "-colors 200 -type Palette -compress RLE BMP3:",
                                            "-colors 12 -type Palette BMP3:",
                                            "-type Bilevel BMP3:",
                                            "-define bmp:subtype=RGB565 BMP:",
                                            "-define bmp:subtype=RGB555 BMP:",
                                            "-alpha on -define bmp:subtype=ARGB1555 BMP:",
                                            "-alpha on BMP:"};
    std::vector<fs::path> files;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const fs::path out = dir / ("form" + std::to_string(i) + ".bmp");
        ASSERT_TRUE(Shell("convert " + (dir / "src.ppm").string() + " " + forms[i] + out.string()))
            << forms[i];
        files.push_back(out);
    }
    // The corpus files listed as opening; the damaged ones may differ.
    std::ifstream list(fs::path(RISOVIK_CORPUS_DIR) / "corpus.txt");
    for (std::string name, expect, rest; list >> name >> expect && std::getline(list, rest);)
        if (expect == "opens")
            files.push_back(fs::path(RISOVIK_CORPUS_DIR) / name);
    int compared = 0;
    for (const fs::path& path : files) {
        Bytes file = ReadAll(path);
        BitmapLayout l;
        std::vector<std::uint32_t> mine;
        const bool read = Decode(file, mine, l) == BitmapRead::Ok;
        std::vector<Bytes> variants = {file};
        if (read && !l.topDown && l.compression != 1 && l.compression != 2) {
            // The same picture stored top row first.
            Bytes flipped(file.begin(), file.begin() + static_cast<long>(l.pixelOffset));
            const std::size_t row =
                (static_cast<std::size_t>(l.width) * l.bitsPerPixel + 31) / 32 * 4;
            for (std::int32_t y = l.height - 1; y >= 0; --y)
                flipped.insert(flipped.end(), file.begin() + l.pixelOffset + row * y,
                               file.begin() + l.pixelOffset + row * (y + 1));
            Put(flipped, file[14] == 12 ? 20 : 22, static_cast<std::uint32_t>(-l.height),
                file[14] == 12 ? 2 : 4);
            if (file[14] != 12)
                variants.push_back(flipped);
        }
        for (const Bytes& v : variants) {
            const fs::path in = dir / "variant.bmp", rgb = dir / "variant.rgb";
            std::ofstream(in, std::ios::binary)
                .write(reinterpret_cast<const char*>(v.data()), static_cast<long>(v.size()));
            if (!Shell("convert " + in.string() + " -alpha off -depth 8 rgb:" + rgb.string()))
                continue; // ImageMagick does not read it as a valid picture
            const Bytes theirs = ReadAll(rgb);
            SCOPED_TRACE(path.filename().string() + (&v == &variants[0] ? "" : " top-down"));
            ASSERT_EQ(Decode(v, mine, l), BitmapRead::Ok);
            ASSERT_EQ(theirs.size(), mine.size() * 3);
            std::size_t differ = 0, first = 0;
            for (std::size_t i = 0; i < mine.size(); ++i) {
                const std::uint32_t t = static_cast<std::uint32_t>(theirs[3 * i]) << 16 |
                                        theirs[3 * i + 1] << 8 | theirs[3 * i + 2];
                if (t != mine[i] && differ++ == 0)
                    first = i;
            }
            EXPECT_EQ(differ, 0u) << "first at pixel " << first;
            ++compared;
        }
    }
    fs::remove_all(dir);
    EXPECT_GE(compared, 40);
}

} // namespace

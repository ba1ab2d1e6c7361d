// The editor's own .bmp reader: checks every header field against the file's
// size and the editor's limits before a pixel is touched, then decodes the
// picture into 32-bit pixels (0x00RRGGBB, the memory order of a 32-bit
// device-independent picture: blue, green, red, 0). Plain data; the platform
// reads the file and owns the pixel memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace risovik {

// The largest picture that opens: each side at most 16384 pixels and at most
// 256 MB of 32-bit pixels (8192 x 8192, or 16384 x 4096). Larger files are
// refused before any memory is taken for them.
constexpr std::int32_t kMaxPictureSide = 16384;
constexpr std::uint64_t kMaxPictureBytes = 256ull << 20;

enum class BitmapRead {
    Ok,
    NotABitmap,  // too short for the file header, or no "BM"
    Damaged,     // fields that contradict each other or the file's size
    Unsupported, // a valid kind this editor does not decode (JPEG, PNG, OS/2 2.x, 64 bits)
    TooLarge,    // beyond kMaxPictureSide or kMaxPictureBytes
};

// What the headers say, checked: every offset and size lies inside the file.
struct BitmapLayout {
    std::int32_t width = 0;
    std::int32_t height = 0; // always positive; topDown tells the row order
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::size_t pixelOffset = 0;
    // Red, green and blue masks of 16- and 32-bit pixels.
    std::array<std::uint32_t, 3> masks{};
    // Colours of the table as 0x00RRGGBB. Entries past the table's end (and
    // every entry when the file has none) hold the first entry's colour, or
    // black; so every index of 8 bits or less has a colour.
    std::array<std::uint32_t, 256> palette{};
    int paletteSize = 0;
};

// Reads and checks the headers of a .bmp file held in `file` (`size` bytes).
// Accepted: info headers of 12, 40, 52, 56, 108 and 124 bytes; 1, 4, 8, 16,
// 24 and 32 bits per pixel; uncompressed, RLE8, RLE4 and bit fields; rows
// bottom-up or top-down; colour tables of any size up to one entry per index.
BitmapRead ReadBitmapLayout(const std::uint8_t* file, std::size_t size, BitmapLayout& layout);

// Decodes the pixels of a file whose layout was read by ReadBitmapLayout into
// `topRow` (width pixels per row; the next row down starts `rowStep` pixels
// further, which may be negative). Run-length pictures: a run that passes the
// end of a row goes on in the next one; pixels that a delta, an end of line or
// the end of the picture skip take the colour of table entry 0. Damaged when
// the run-length data ends before the picture is complete and without its
// end mark; the rows already decoded stay written.
BitmapRead DecodeBitmapPixels(const std::uint8_t* file, std::size_t size,
                              const BitmapLayout& layout, std::uint32_t* topRow,
                              std::ptrdiff_t rowStep);

} // namespace risovik

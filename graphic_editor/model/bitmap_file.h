// The editor's own .bmp writer: the 14-byte file header, the 40-byte info
// header with room for a colour table, the pixel size of a picture, and the
// order of writes that puts them into a file. Plain data and arithmetic; the
// platform is reached only through BitmapFilePlatform below.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace risovik {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kPixelPieceSize = 16;

// Size of the file name buffer handed to the file dialogs, terminating zero
// included.
constexpr std::size_t kNameCapacity = 260;
// What the save command appends to the name returned by the dialog.
constexpr char kBitmapExtension[] = ".bmp";

// A picture as the platform describes it (width, height, colour planes, bits
// per pixel of one plane).
struct PictureDescription {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t planes = 0;
    std::int32_t bitsPerPixel = 0;
};

// planes x bits per pixel rounded up to the next depth a file can hold:
// 1, 4, 8, 16, 24 or 32.
int DepthClass(int planes, int bitsPerPixel);

// Entries of the colour table written after the info header for a depth
// class: one per possible index for 1, 4 and 8 bits, none from 16 bits on.
int ColourTableEntries(int depthClass);

// Bytes of one stored row: width x depth bits, padded to whole 32-bit words.
std::uint64_t RowSize(std::int64_t width, int depth);
// RowSize x height: the size of the pixel block of the file.
std::uint64_t ImageSize(std::int64_t width, std::int64_t height, int depth);

// The info block: the 40-byte info header followed by room for the colour
// table, little-endian, zero where nothing is filled in. The block's bytes are
// what the platform's pixel read expects as its layout description.
struct BitmapInfo {
    std::vector<std::uint8_t> block;
    int entries = 0;
    std::uint32_t imageSize = 0;
    // False when the picture is too large for the file's 32-bit size fields;
    // such a picture is never written.
    bool fits = false;

    std::int32_t width() const;
    std::int32_t height() const;
    int bitsPerPixel() const;
    // 14 + 40 + 4 x entries: where the pixels start in the file.
    std::uint32_t pixelOffset() const;
    std::uint32_t fileSize() const;
};

// Builds the zero-filled info block for a picture: size 40, width, height,
// planes and bits per pixel as given, compression 0, the rounded image size,
// colours used = table entries, resolutions and important colours 0.
BitmapInfo MakeBitmapInfo(const PictureDescription& picture);

// "BM", file size, two reserved zeros, offset of the pixels.
std::array<std::uint8_t, kFileHeaderSize> MakeFileHeader(const BitmapInfo& info);

// How the pixels go out: pieces of 16 bytes while more than 16 remain, then
// one last piece of 1 to 16 bytes (none at all for an empty block).
struct PixelWritePlan {
    std::uint64_t fullPieces = 0;
    std::size_t lastPiece = 0;
    std::uint64_t writes() const { return fullPieces + (lastPiece ? 1 : 0); }
};
PixelWritePlan PlanPixelWrites(std::uint64_t imageSize);

// Appends ".bmp" to the NUL-terminated name held in a buffer of `capacity`
// bytes, whatever the name already ends with. Returns false and leaves the
// buffer unchanged when the longer name and its terminating zero would not fit.
bool AppendBitmapExtension(char* name, std::size_t capacity);

// What writing a bitmap file asks of the platform. One file at a time.
class BitmapFilePlatform {
  public:
    virtual ~BitmapFilePlatform() = default;
    // Converts the picture into `pixels` (the image size of `info`) in the
    // layout the info block describes, filling its colour table; false when
    // the picture cannot be read.
    virtual bool readPixels(std::uint8_t* infoBlock, std::uint8_t* pixels) = 0;
    // Creates the file, replacing an existing one; a failure shows in the
    // writes that follow, which then all fail.
    virtual void createFile() = 0;
    // One write of `size` bytes at the end of the file; false when it fails.
    virtual bool writeFile(const std::uint8_t* data, std::size_t size) = 0;
    // Closes the file if it was created.
    virtual void closeFile() = 0;
    // A modal message box with no owner, this text, an empty caption and OK.
    virtual void showMessage(const char* text) = 0;
};

// Message shown when the file header cannot be written (the file could not be
// made), and when a picture is too large to be written at all.
constexpr char kWriteFailedText[] = "Her";
// Message shown when the pixels cannot be read; the file is written anyway.
constexpr char kReadFailedText[] = "";

// Fetches the pixels into a buffer cleared beforehand, then writes header,
// info block and pixels in the fixed order of writes. Returns true when every
// write succeeded.
bool WriteBitmapFile(BitmapFilePlatform& platform, BitmapInfo& info);

} // namespace risovik

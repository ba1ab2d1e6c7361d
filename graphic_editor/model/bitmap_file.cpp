#include "model/bitmap_file.h"

#include "model/little_endian.h"

#include <cstring>
#include <limits>
#include <new>

namespace risovik {

namespace {

// Offsets inside the 40-byte info header.
constexpr std::size_t kInfoSize = 0;
constexpr std::size_t kInfoWidth = 4;
constexpr std::size_t kInfoHeight = 8;
constexpr std::size_t kInfoPlanes = 12;
constexpr std::size_t kInfoBits = 14;
constexpr std::size_t kInfoCompression = 16;
constexpr std::size_t kInfoImageSize = 20;
constexpr std::size_t kInfoColoursUsed = 32;
constexpr std::size_t kInfoImportant = 36;

} // namespace

int DepthClass(int planes, int bitsPerPixel) {
    const long long depth = static_cast<long long>(planes) * bitsPerPixel;
    if (depth <= 1)
        return 1;
    if (depth <= 4)
        return 4;
    if (depth <= 8)
        return 8;
    if (depth <= 16)
        return 16;
    if (depth <= 24)
        return 24;
    return 32;
}

int ColourTableEntries(int depthClass) {
    // Uncompressed pictures of 16 bits and more carry their colours in the
    // pixels; the platform's pixel read fills no table for them.
    return depthClass <= 8 ? 1 << depthClass : 0;
}

std::uint64_t RowSize(std::int64_t width, int depth) {
    if (width <= 0 || depth <= 0)
        return 0;
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(depth) + 31) / 32 * 4;
}

std::uint64_t ImageSize(std::int64_t width, std::int64_t height, int depth) {
    if (height <= 0)
        return 0;
    // Width and height are 32-bit numbers, so a row is below 2^36 bytes and
    // the product below 2^67: test before multiplying.
    const std::uint64_t row = RowSize(width, depth);
    const auto rows = static_cast<std::uint64_t>(height);
    if (row != 0 && rows > std::numeric_limits<std::uint64_t>::max() / row)
        return std::numeric_limits<std::uint64_t>::max();
    return row * rows;
}

std::int32_t BitmapInfo::width() const {
    return static_cast<std::int32_t>(Get32(block.data() + kInfoWidth));
}
std::int32_t BitmapInfo::height() const {
    return static_cast<std::int32_t>(Get32(block.data() + kInfoHeight));
}
int BitmapInfo::bitsPerPixel() const {
    return static_cast<int>(Get16(block.data() + kInfoBits));
}
std::uint32_t BitmapInfo::pixelOffset() const {
    return static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * entries);
}
std::uint32_t BitmapInfo::fileSize() const {
    return pixelOffset() + imageSize;
}

BitmapInfo MakeBitmapInfo(const PictureDescription& picture) {
    BitmapInfo info;
    const int depth = DepthClass(picture.planes, picture.bitsPerPixel);
    info.entries = ColourTableEntries(depth);
    info.block.assign(kInfoHeaderSize + 4 * static_cast<std::size_t>(info.entries), 0);

    const std::uint64_t image = ImageSize(picture.width, picture.height, depth);
    const std::uint64_t limit =
        std::numeric_limits<std::uint32_t>::max() - kFileHeaderSize - info.block.size();
    info.fits = image <= limit;
    info.imageSize = info.fits ? static_cast<std::uint32_t>(image) : 0;

    std::uint8_t* h = info.block.data();
    Put32(h + kInfoSize, kInfoHeaderSize);
    Put32(h + kInfoWidth, static_cast<std::uint32_t>(picture.width));
    Put32(h + kInfoHeight, static_cast<std::uint32_t>(picture.height));
    Put16(h + kInfoPlanes, static_cast<std::uint32_t>(picture.planes));
    Put16(h + kInfoBits, static_cast<std::uint32_t>(picture.bitsPerPixel));
    Put32(h + kInfoCompression, 0);
    Put32(h + kInfoImageSize, info.imageSize);
    Put32(h + kInfoColoursUsed, static_cast<std::uint32_t>(info.entries));
    Put32(h + kInfoImportant, 0);
    return info;
}

std::array<std::uint8_t, kFileHeaderSize> MakeFileHeader(const BitmapInfo& info) {
    std::array<std::uint8_t, kFileHeaderSize> header{};
    header[0] = 'B';
    header[1] = 'M';
    Put32(&header[2], info.fileSize());
    Put32(&header[10], info.pixelOffset());
    return header;
}

PixelWritePlan PlanPixelWrites(std::uint64_t imageSize) {
    PixelWritePlan plan;
    if (imageSize == 0)
        return plan;
    plan.fullPieces = (imageSize - 1) / kPixelPieceSize;
    plan.lastPiece = static_cast<std::size_t>(imageSize - plan.fullPieces * kPixelPieceSize);
    return plan;
}

bool AppendBitmapExtension(char* name, std::size_t capacity) {
    if (name == nullptr || capacity == 0)
        return false;
    const void* end = std::memchr(name, '\0', capacity);
    if (end == nullptr)
        return false;
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - name);
    const std::size_t extra = sizeof kBitmapExtension; // with its terminating zero
    if (length + extra > capacity)
        return false;
    std::memcpy(name + length, kBitmapExtension, extra);
    return true;
}

bool WriteBitmapFile(BitmapFilePlatform& platform, BitmapInfo& info) {
    if (!info.fits || info.block.size() < kInfoHeaderSize) {
        platform.showMessage(kWriteFailedText);
        return false;
    }
    // The buffer starts cleared, so a picture that cannot be read is written
    // as black rather than as whatever the memory held before.
    std::vector<std::uint8_t> pixels;
    try {
        pixels.assign(info.imageSize, 0);
    } catch (const std::bad_alloc&) {
        platform.showMessage(kWriteFailedText);
        return false;
    }
    if (!platform.readPixels(info.block.data(), pixels.data()))
        platform.showMessage(kReadFailedText);

    platform.createFile();
    bool whole = true;
    const auto header = MakeFileHeader(info);
    if (!platform.writeFile(header.data(), header.size())) {
        platform.showMessage(kWriteFailedText);
        whole = false;
    }
    whole = platform.writeFile(info.block.data(), info.block.size()) && whole;

    const PixelWritePlan plan = PlanPixelWrites(info.imageSize);
    const std::uint8_t* at = pixels.data();
    for (std::uint64_t i = 0; i < plan.fullPieces; ++i, at += kPixelPieceSize)
        whole = platform.writeFile(at, kPixelPieceSize) && whole;
    if (plan.lastPiece)
        whole = platform.writeFile(at, plan.lastPiece) && whole;
    platform.closeFile();
    return whole;
}

} // namespace risovik

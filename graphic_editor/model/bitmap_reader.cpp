#include "model/bitmap_reader.h"

#include "model/little_endian.h"

namespace risovik {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kJpeg = 4, kPng = 5,
                        kAlphaBitFields = 6;

std::uint64_t RowBytes(std::uint64_t width, int bits) {
    return (width * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
}

// One colour channel of a bit-field pixel, widened to 8 bits by repeating
// its bits (5 bits abcde give abcdeabc), as other readers do.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0)
            return;
        while (!((m >> shift) & 1))
            ++shift;
        int top = 31;
        while (!((m >> top) & 1))
            --top;
        bits = top - shift + 1;
    }
    std::uint32_t operator()(std::uint32_t pixel) const {
        if (bits == 0)
            return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return (v >> (bits - 8)) & 0xFF;
        std::uint32_t out = 0;
        for (int s = 8 - bits; s > -bits; s -= bits)
            out |= s >= 0 ? v << s : v >> -s;
        return out & 0xFF;
    }
};

} // namespace

namespace {

// The info header's fields, as read before they are checked.
struct InfoFields {
    std::uint32_t size = 0; // of the info header
    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, coloursUsed = 0;
    // Where the colour table starts (after the masks of a 40-byte header).
    std::size_t tableStart = 0;
    std::size_t entrySize = 4;
};

bool IsBitFields(std::uint32_t compression) {
    return compression == kBitFields || compression == kAlphaBitFields;
}

// The "BM" mark and an info header of a known size that lies in the file.
BitmapRead CheckHeaders(const std::uint8_t* file, std::size_t size, std::uint32_t& infoSize) {
    if (file == nullptr || size < kFileHeader + 4 || file[0] != 'B' || file[1] != 'M')
        return BitmapRead::NotABitmap;
    infoSize = Get32(file + kFileHeader);
    switch (infoSize) {
    case kCoreHeader:
    case 40:
    case 52:
    case 56:
    case 108:
    case 124: break;
    default: return infoSize < kCoreHeader ? BitmapRead::Damaged : BitmapRead::Unsupported;
    }
    return size < kFileHeader + infoSize ? BitmapRead::Damaged : BitmapRead::Ok;
}

// The 12-byte core header has 16-bit sizes, no compression and 3-byte table
// entries; the larger ones share the 40-byte header's fields.
InfoFields ReadInfoFields(const std::uint8_t* file, std::uint32_t infoSize, BitmapLayout& layout) {
    const std::uint8_t* info = file + kFileHeader;
    InfoFields f;
    f.size = infoSize;
    f.tableStart = kFileHeader + infoSize;
    if (infoSize == kCoreHeader) {
        f.width = Get16(info + 4);
        f.height = Get16(info + 6);
        f.planes = Get16(info + 8);
        layout.bitsPerPixel = static_cast<int>(Get16(info + 10));
        f.entrySize = 3;
    } else {
        f.width = static_cast<std::int32_t>(Get32(info + 4));
        f.height = static_cast<std::int32_t>(Get32(info + 8));
        f.planes = Get16(info + 12);
        layout.bitsPerPixel = static_cast<int>(Get16(info + 14));
        layout.compression = Get32(info + 16);
        f.coloursUsed = Get32(info + 32);
    }
    return f;
}

// A kind this reader decodes: a depth that goes with its compression, a
// width, a height and one plane.
BitmapRead CheckKind(const InfoFields& f, const BitmapLayout& layout) {
    const std::uint32_t c = layout.compression;
    const int bits = layout.bitsPerPixel;
    if (c == kJpeg || c == kPng || c > kAlphaBitFields || bits == 64)
        return BitmapRead::Unsupported;
    if (f.width <= 0 || f.height == 0 || f.planes != 1)
        return BitmapRead::Damaged;
    const bool known = (c == kRgb && (bits == 1 || bits == 4 || bits == 8 || bits == 16 ||
                                      bits == 24 || bits == 32)) ||
                       (c == kRle8 && bits == 8) || (c == kRle4 && bits == 4) ||
                       (IsBitFields(c) && (bits == 16 || bits == 32));
    return known ? BitmapRead::Ok : BitmapRead::Damaged;
}

// Width, height and row order (a negative height: top row first), within
// the size limits.
BitmapRead ReadSize(const InfoFields& f, BitmapLayout& layout) {
    layout.topDown = f.height < 0;
    const std::int64_t height = f.height < 0 ? -f.height : f.height;
    if (f.width > kMaxPictureSide || height > kMaxPictureSide ||
        static_cast<std::uint64_t>(f.width) * static_cast<std::uint64_t>(height) * 4 >
            kMaxPictureBytes)
        return BitmapRead::TooLarge;
    layout.width = static_cast<std::int32_t>(f.width);
    layout.height = static_cast<std::int32_t>(height);
    return BitmapRead::Ok;
}

// Masks of bit-field pixels lie inside the larger headers, after the 40-byte
// one; a 40-byte header is followed by them. Plain 16- and 32-bit pixels
// have fixed masks.
BitmapRead ReadMasks(const std::uint8_t* file, std::size_t size, InfoFields& f,
                     BitmapLayout& layout) {
    const std::uint32_t c = layout.compression;
    if (IsBitFields(c)) {
        const std::uint8_t* masks = file + kFileHeader + 40;
        if (f.size == 40) {
            f.tableStart += c == kAlphaBitFields ? 16 : 12;
            if (size < f.tableStart)
                return BitmapRead::Damaged;
        }
        layout.masks = {Get32(masks), Get32(masks + 4), Get32(masks + 8)};
    } else if (layout.bitsPerPixel == 16) {
        layout.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (layout.bitsPerPixel == 32) {
        layout.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    return BitmapRead::Ok;
}

// The pixels start after the table and inside the file; uncompressed rows
// must all lie in it, run-length data must have at least one byte.
BitmapRead ReadPixelOffset(const std::uint8_t* file, std::size_t size, const InfoFields& f,
                           BitmapLayout& layout) {
    const std::uint64_t offset = Get32(file + 10);
    if (offset < f.tableStart || offset > size)
        return BitmapRead::Damaged;
    layout.pixelOffset = static_cast<std::size_t>(offset);
    const std::uint32_t c = layout.compression;
    if (c == kRgb || IsBitFields(c)) {
        const std::uint64_t image =
            RowBytes(static_cast<std::uint64_t>(layout.width), layout.bitsPerPixel) *
            static_cast<std::uint64_t>(layout.height);
        if (image > size - offset)
            return BitmapRead::Damaged;
    } else if (offset == size) {
        return BitmapRead::Damaged;
    }
    return BitmapRead::Ok;
}

// The table holds the declared number of entries (all 2^bits when 0 or
// more), as far as they lie before the pixels; the rest take entry 0.
void ReadPalette(const std::uint8_t* file, const InfoFields& f, BitmapLayout& layout) {
    const int bits = layout.bitsPerPixel;
    if (bits > 8)
        return;
    const std::uint32_t most = 1u << bits;
    const std::uint32_t declared =
        f.coloursUsed == 0 || f.coloursUsed > most ? most : f.coloursUsed;
    const std::size_t room = (layout.pixelOffset - f.tableStart) / f.entrySize;
    layout.paletteSize = static_cast<int>(declared < room ? declared : room);
    for (int i = 0; i < layout.paletteSize; ++i) {
        const std::uint8_t* e = file + f.tableStart + f.entrySize * static_cast<std::size_t>(i);
        layout.palette[static_cast<std::size_t>(i)] =
            static_cast<std::uint32_t>(e[2]) << 16 | static_cast<std::uint32_t>(e[1]) << 8 | e[0];
    }
    for (std::size_t i = static_cast<std::size_t>(layout.paletteSize); i < 256; ++i)
        layout.palette[i] = layout.palette[0];
}

} // namespace

// Each step checks what the ones before it have read; the first that fails
// gives the result.
BitmapRead ReadBitmapLayout(const std::uint8_t* file, std::size_t size, BitmapLayout& layout) {
    layout = BitmapLayout{};
    std::uint32_t infoSize = 0;
    BitmapRead read = CheckHeaders(file, size, infoSize);
    if (read != BitmapRead::Ok)
        return read;
    InfoFields f = ReadInfoFields(file, infoSize, layout);
    if ((read = CheckKind(f, layout)) != BitmapRead::Ok ||
        (read = ReadSize(f, layout)) != BitmapRead::Ok ||
        (read = ReadMasks(file, size, f, layout)) != BitmapRead::Ok ||
        (read = ReadPixelOffset(file, size, f, layout)) != BitmapRead::Ok)
        return read;
    ReadPalette(file, f, layout);
    return BitmapRead::Ok;
}

namespace {

// Where decoded rows go: row r of the file (in stored order) lands in the
// picture's row counted from the top.
struct Target {
    std::uint32_t* top;
    std::ptrdiff_t step;
    std::int32_t width, height;
    bool topDown;
    std::uint32_t* row(std::int64_t stored) const {
        const std::int64_t y = topDown ? stored : height - 1 - stored;
        return top + static_cast<std::ptrdiff_t>(y) * step;
    }
};

void DecodeRows(const std::uint8_t* data, const BitmapLayout& l, const Target& t) {
    const std::uint64_t rowBytes = RowBytes(static_cast<std::uint64_t>(l.width), l.bitsPerPixel);
    const Channel red(l.masks[0]), green(l.masks[1]), blue(l.masks[2]);
    const bool plain32 = l.bitsPerPixel == 32 && l.masks[0] == 0xFF0000 && l.masks[1] == 0x00FF00 &&
                         l.masks[2] == 0x0000FF;
    for (std::int64_t r = 0; r < t.height; ++r) {
        const std::uint8_t* in = data + static_cast<std::size_t>(rowBytes) * r;
        std::uint32_t* out = t.row(r);
        const std::int32_t w = t.width;
        switch (l.bitsPerPixel) {
        case 1:
            for (std::int32_t x = 0; x < w; ++x)
                out[x] = l.palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (std::int32_t x = 0; x < w; ++x)
                out[x] = l.palette[(in[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
            break;
        case 8:
            for (std::int32_t x = 0; x < w; ++x)
                out[x] = l.palette[in[x]];
            break;
        case 24:
            for (std::int32_t x = 0; x < w; ++x, in += 3)
                out[x] = static_cast<std::uint32_t>(in[2]) << 16 |
                         static_cast<std::uint32_t>(in[1]) << 8 | in[0];
            break;
        case 16:
            for (std::int32_t x = 0; x < w; ++x, in += 2) {
                const std::uint32_t p = Get16(in);
                out[x] = red(p) << 16 | green(p) << 8 | blue(p);
            }
            break;
        default: // 32 bits
            if (plain32) {
                for (std::int32_t x = 0; x < w; ++x, in += 4)
                    out[x] = Get32(in) & 0xFFFFFF;
                break;
            }
            for (std::int32_t x = 0; x < w; ++x, in += 4) {
                const std::uint32_t p = Get32(in);
                out[x] = red(p) << 16 | green(p) << 8 | blue(p);
            }
        }
    }
}

// Run-length data: pixels are counted along the rows in stored order, so a
// run that passes a row's end goes on in the next row, and no code can write
// outside the picture. Every code reads at most 2 + 255 bytes and writes at
// most 255 pixels, and the loop ends with the data, so the work is bounded by
// the file's size plus the picture's.
BitmapRead DecodeRuns(const std::uint8_t* data, std::size_t size, const BitmapLayout& l,
                      const Target& t) {
    const bool four = l.compression == kRle4;
    const std::uint64_t total = static_cast<std::uint64_t>(t.width) * t.height;
    std::uint64_t at = 0; // next pixel, along the stored rows
    std::uint64_t rowStart = 0;
    std::size_t i = 0;
    auto put = [&](std::uint32_t index) {
        const std::uint64_t stored = at / static_cast<std::uint64_t>(t.width);
        t.row(static_cast<std::int64_t>(stored))[at % static_cast<std::uint64_t>(t.width)] =
            l.palette[index & 0xFF];
        ++at;
    };
    while (at < total) {
        if (size - i < 2)
            return BitmapRead::Damaged;
        const std::uint32_t count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (std::uint32_t k = 0; k < count && at < total; ++k)
                put(four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            rowStart += static_cast<std::uint64_t>(t.width);
            at = rowStart;
        } else if (value == 1) { // end of picture
            return BitmapRead::Ok;
        } else if (value == 2) { // delta: right and up (along the stored rows)
            if (size - i < 2)
                return BitmapRead::Damaged;
            rowStart += static_cast<std::uint64_t>(data[i + 1]) * t.width;
            at += static_cast<std::uint64_t>(data[i]) +
                  static_cast<std::uint64_t>(data[i + 1]) * t.width;
            i += 2;
        } else { // absolute: `value` pixels follow, padded to whole 16-bit words
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            const std::size_t padded = bytes + (bytes & 1);
            if (size - i < bytes)
                return BitmapRead::Damaged;
            for (std::uint32_t k = 0; k < value && at < total; ++k)
                put(four ? ((k & 1) ? data[i + k / 2] & 0x0F : data[i + k / 2] >> 4) : data[i + k]);
            i += padded < size - i ? padded : size - i;
        }
    }
    return BitmapRead::Ok;
}

} // namespace

BitmapRead DecodeBitmapPixels(const std::uint8_t* file, std::size_t size,
                              const BitmapLayout& layout, std::uint32_t* topRow,
                              std::ptrdiff_t rowStep) {
    if (file == nullptr || topRow == nullptr || layout.width <= 0 || layout.height <= 0 ||
        layout.pixelOffset > size)
        return BitmapRead::Damaged;
    const Target target{topRow, rowStep, layout.width, layout.height, layout.topDown};
    if (layout.compression != kRle8 && layout.compression != kRle4) {
        DecodeRows(file + layout.pixelOffset, layout, target);
        return BitmapRead::Ok;
    }
    for (std::int32_t y = 0; y < layout.height; ++y) {
        std::uint32_t* row = topRow + static_cast<std::ptrdiff_t>(y) * rowStep;
        for (std::int32_t x = 0; x < layout.width; ++x)
            row[x] = layout.palette[0];
    }
    return DecodeRuns(file + layout.pixelOffset, size - layout.pixelOffset, layout, target);
}

} // namespace risovik

#include "model/recording_file.h"

namespace risovik {

namespace {

std::uint32_t Word(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8;
}

std::uint32_t DoubleWord(const std::uint8_t* at) {
    return Word(at) | Word(at + 2) << 16;
}

// Records whose parameters have a fixed size: the function number and the
// parameter words the player reads.
struct FixedRecord {
    std::uint16_t function;
    std::uint32_t words;
};

constexpr FixedRecord kFixedRecords[] = {
    {0x0000, 0},  // end of the recording
    {0x001E, 0},  // SaveDC
    {0x0127, 1},  // RestoreDC
    {0x0102, 1},  // SetBkMode
    {0x0103, 1},  // SetMapMode
    {0x0104, 1},  // SetROP2
    {0x0106, 1},  // SetPolyFillMode
    {0x0107, 1},  // SetStretchBltMode
    {0x012E, 1},  // SetTextAlign
    {0x0201, 2},  // SetBkColor
    {0x0209, 2},  // SetTextColor
    {0x020B, 2},  // SetWindowOrg
    {0x020C, 2},  // SetWindowExt
    {0x020D, 2},  // SetViewportOrg
    {0x020E, 2},  // SetViewportExt
    {0x020F, 2},  // OffsetWindowOrg
    {0x0211, 2},  // OffsetViewportOrg
    {0x0213, 2},  // LineTo
    {0x0214, 2},  // MoveTo
    {0x041F, 4},  // SetPixel
    {0x041B, 4},  // Rectangle
    {0x0418, 4},  // Ellipse
    {0x061C, 6},  // RoundRect
    {0x0817, 8},  // Arc
    {0x081A, 8},  // Pie
    {0x0830, 8},  // Chord
    {0x012D, 1},  // SelectObject
    {0x01F0, 1},  // DeleteObject
    {0x02FA, 5},  // CreatePenIndirect
    {0x02FC, 4},  // CreateBrushIndirect
    {0x02FB, 25}, // CreateFontIndirect: the whole font record with its 32-byte face name
};

constexpr std::uint16_t kPolygon = 0x0324;
constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kPolyPolygon = 0x0538;
constexpr std::uint16_t kTextOut = 0x0521;
constexpr std::uint16_t kExtTextOut = 0x0A32;
constexpr std::uint32_t kTextRectangleOptions = 0x0002 | 0x0004; // opaque, clipped
constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kDeleteObject = 0x01F0;
// Byte offset of mtNoObjects in the header: the size of the object table the
// player makes, which it indexes with a record's object number unchecked.
constexpr std::size_t kHeaderObjects = 10;

// Parameter words a record needs, or -1 for a kind that is not played.
// `params` holds `have` words.
long long NeededWords(std::uint16_t function, const std::uint8_t* params, std::uint32_t have) {
    for (const FixedRecord& r : kFixedRecords)
        if (r.function == function)
            return r.words;
    switch (function) {
    case kPolygon:
    case kPolyline:
        if (have < 1)
            return 1;
        return 1 + 2LL * Word(params);
    case kPolyPolygon: {
        if (have < 1)
            return 1;
        const std::uint32_t polygons = Word(params);
        if (have < 1 + polygons)
            return 1LL + polygons;
        long long points = 0;
        for (std::uint32_t i = 0; i < polygons; ++i)
            points += Word(params + 2 + 2 * i);
        return 1LL + polygons + 2 * points;
    }
    case kTextOut:
        if (have < 1)
            return 1;
        return 1 + (Word(params) + 1LL) / 2 + 2;
    case kExtTextOut: {
        if (have < 4)
            return 4;
        const std::uint32_t count = Word(params + 4);
        const std::uint32_t options = Word(params + 6);
        return 4 + ((options & kTextRectangleOptions) ? 4 : 0) + (count + 1LL) / 2;
    }
    default: return -1;
    }
}

} // namespace

bool RecordingHeaderFits(const std::uint8_t* header, std::size_t size, std::uint64_t fileSize) {
    const std::size_t headerBytes = 2 * kMetafileHeaderWords;
    if (header == nullptr || size < headerBytes)
        return false;
    const std::uint32_t type = Word(header);
    const std::uint32_t headerWords = Word(header + 2);
    const std::uint64_t totalBytes = 2ULL * DoubleWord(header + 6);
    return (type == 1 || type == 2) && headerWords == kMetafileHeaderWords &&
           totalBytes >= headerBytes && totalBytes <= fileSize;
}

RecordingCheck CheckRecording(const std::uint8_t* data, std::size_t size) {
    const std::size_t headerBytes = 2 * kMetafileHeaderWords;
    if (!RecordingHeaderFits(data, size, size))
        return RecordingCheck::BadHeader;
    const std::uint64_t totalBytes = 2ULL * DoubleWord(data + 6);
    const std::uint32_t objects = Word(data + kHeaderObjects);

    std::uint64_t offset = headerBytes;
    while (offset < totalBytes) {
        if (totalBytes - offset < 2 * kRecordHeaderWords)
            return RecordingCheck::BrokenChain;
        const std::uint8_t* record = data + offset;
        const std::uint64_t words = DoubleWord(record);
        if (words < kRecordHeaderWords || words * 2 > totalBytes - offset)
            return RecordingCheck::BrokenChain;
        const auto function = static_cast<std::uint16_t>(Word(record + 4));
        const auto have = static_cast<std::uint32_t>(words - kRecordHeaderWords);
        const long long needed = NeededWords(function, record + 6, have);
        if (needed < 0)
            return RecordingCheck::UnknownRecord;
        if (static_cast<unsigned long long>(needed) > have)
            return RecordingCheck::ShortRecord;
        if ((function == kSelectObject || function == kDeleteObject) && Word(record + 6) >= objects)
            return RecordingCheck::BadObjectIndex;
        offset += words * 2;
    }
    return RecordingCheck::Playable;
}

} // namespace risovik

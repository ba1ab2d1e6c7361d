#include "model/recording_file.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace risovik {

namespace {

std::uint32_t Word(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8;
}

std::uint32_t DoubleWord(const std::uint8_t* at) {
    return Word(at) | Word(at + 2) << 16;
}

// A parameter word as the signed 16-bit number GDI takes it for.
std::int64_t Signed(const std::uint8_t* at) {
    return static_cast<std::int16_t>(Word(at));
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
           totalBytes >= headerBytes && totalBytes <= fileSize && totalBytes <= kMaxRecordingBytes;
}

namespace {

constexpr std::uint16_t kSaveDc = 0x001E;
constexpr std::uint16_t kRestoreDc = 0x0127;
constexpr std::uint16_t kSetMapMode = 0x0103;
constexpr std::uint16_t kMoveTo = 0x0214;
constexpr std::uint16_t kLineTo = 0x0213;
constexpr std::uint16_t kRectangle = 0x041B;
constexpr std::uint16_t kEllipse = 0x0418;
constexpr std::uint16_t kRoundRect = 0x061C;
constexpr std::uint16_t kArc = 0x0817;
constexpr std::uint16_t kPie = 0x081A;
constexpr std::uint16_t kChord = 0x0830;
constexpr std::uint16_t kCreatePen = 0x02FA;
constexpr std::uint16_t kCreateBrush = 0x02FC;
constexpr std::uint16_t kCreateFont = 0x02FB;
constexpr int kMapModeText = 1;
constexpr int kStockFontSize = 16;
constexpr std::size_t kMaxSavedStates = 256;

// What playback depends on for its cost: the selected pen's width and font's
// size, and the current position (lines start there).
struct DcState {
    std::int64_t penWidth = 1;
    std::int64_t fontSize = kStockFontSize;
    std::int64_t x = 0, y = 0;
};

// An entry of the player's object table: what was created there, and its size.
struct Slot {
    enum Kind { Empty, Pen, Font, Other } kind = Empty;
    std::int64_t size = 0;
};

// Costs, in units of about a microsecond of the slowest case measured for
// each kind of drawing, so that every estimate lies above the real time.
struct CostModel {
    std::uint64_t canvasPixels;

    // Filling a box: no more than the canvas is ever filled.
    std::uint64_t fill(std::int64_t w, std::int64_t h) const {
        const auto area =
            static_cast<std::uint64_t>(std::abs(w)) * static_cast<std::uint64_t>(std::abs(h));
        return std::min(area, canvasPixels) / 200;
    }
    // Ellipses, arcs, pies, chords, rounded rectangles: the outline is walked
    // in full, even where it lies outside the canvas.
    std::uint64_t curve(std::int64_t w, std::int64_t h, std::int64_t pen) const {
        return static_cast<std::uint64_t>(std::abs(w) + std::abs(h)) / 8 +
               fill(std::abs(w) + pen, std::abs(h) + pen);
    }
    // A wide line costs by its length, a wide polyline by its points times
    // its length (its joined outline is built as one shape).
    std::uint64_t line(std::int64_t length, std::int64_t pen) const {
        return static_cast<std::uint64_t>(length) / 32 + fill(length, pen);
    }
    std::uint64_t poly(std::uint64_t points, std::uint64_t length, std::int64_t boxW,
                       std::int64_t boxH, std::int64_t pen) const {
        return points / 10 + points * length / 400 + fill(boxW + pen, boxH + pen);
    }
    std::uint64_t text(std::uint64_t count, std::int64_t size) const {
        return count * (1 + static_cast<std::uint64_t>(size * size) / 200) +
               fill(static_cast<std::int64_t>(count) * size, size);
    }
};

// Points of a polygon or polyline: their count, outline length and box.
struct Outline {
    std::uint64_t points = 0, length = 0;
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;

    void add(const std::uint8_t* at, std::uint64_t count, bool closed) {
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::int64_t x = Signed(at + 4 * i), y = Signed(at + 4 * i + 2);
            if (points == 0) {
                left = right = x;
                top = bottom = y;
            }
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            ++points;
            const std::uint64_t j = (i + 1 < count) ? i + 1 : 0;
            if (i + 1 < count || closed)
                length += static_cast<std::uint64_t>(std::abs(Signed(at + 4 * j) - x) +
                                                     std::abs(Signed(at + 4 * j + 2) - y));
        }
    }
};

// Walks the drawing state of one record and returns its cost, or a check
// result other than Playable for a state with no bound.
class Player {
  public:
    Player(std::uint32_t objects, std::uint64_t canvasPixels)
        : slots_(objects), model_{canvasPixels} {}

    RecordingCheck play(std::uint16_t function, const std::uint8_t* p, std::uint64_t& cost) {
        DcState& s = state_;
        cost = 1;
        switch (function) {
        case kSaveDc:
            if (saved_.size() >= kMaxSavedStates)
                return RecordingCheck::Unbounded;
            saved_.push_back(s);
            break;
        case kRestoreDc: {
            // Only back to the recording's own saves: a deeper restore would
            // undo the state the editor saved around the playback.
            const std::int64_t n = Signed(p);
            if (n >= 0 || static_cast<std::uint64_t>(-n) > saved_.size())
                return RecordingCheck::Unbounded;
            s = saved_[saved_.size() - static_cast<std::size_t>(-n)];
            saved_.resize(saved_.size() - static_cast<std::size_t>(-n));
            break;
        }
        case kSetMapMode:
            if (Signed(p) != kMapModeText)
                return RecordingCheck::Unbounded;
            break;
        case kCreatePen: return create(Slot::Pen, std::abs(Signed(p + 2)), kMaxPenWidth);
        case kCreateFont:
            return create(Slot::Font, std::max(std::abs(Signed(p)), std::abs(Signed(p + 2))),
                          kMaxFontSize);
        case kCreateBrush: return create(Slot::Other, 0, 0);
        case kSelectObject: {
            const Slot& slot = slots_[Word(p)];
            if (slot.kind == Slot::Pen)
                s.penWidth = std::max<std::int64_t>(slot.size, 1);
            else if (slot.kind == Slot::Font)
                s.fontSize = slot.size == 0 ? kStockFontSize : slot.size;
            break;
        }
        case kDeleteObject: slots_[Word(p)] = Slot{}; break;
        case kMoveTo:
            s.y = Signed(p);
            s.x = Signed(p + 2);
            break;
        case kLineTo: {
            const std::int64_t y = Signed(p), x = Signed(p + 2);
            cost += model_.line(std::abs(x - s.x) + std::abs(y - s.y), s.penWidth);
            s.x = x;
            s.y = y;
            break;
        }
        case kRectangle:
            cost += model_.fill(Signed(p + 2) - Signed(p + 6) + s.penWidth,
                                Signed(p) - Signed(p + 4) + s.penWidth);
            break;
        case kEllipse:
        case kRoundRect:
        case kArc:
        case kPie:
        case kChord: {
            // The bounding box is the last four words of each of them.
            const std::uint8_t* box = p + (function == kEllipse     ? 0
                                           : function == kRoundRect ? 4
                                                                    : 8);
            cost += model_.curve(Signed(box + 2) - Signed(box + 6), Signed(box) - Signed(box + 4),
                                 s.penWidth);
            break;
        }
        case kPolygon:
        case kPolyline: {
            Outline o;
            o.add(p + 2, Word(p), function == kPolygon);
            cost += model_.poly(o.points, o.length, o.right - o.left, o.bottom - o.top, s.penWidth);
            break;
        }
        case kPolyPolygon: {
            const std::uint32_t polygons = Word(p);
            const std::uint8_t* points = p + 2 + 2 * polygons;
            Outline o;
            for (std::uint32_t i = 0; i < polygons; ++i) {
                const std::uint32_t n = Word(p + 2 + 2 * i);
                o.add(points, n, true);
                points += 4 * n;
            }
            cost += model_.poly(o.points, o.length, o.right - o.left, o.bottom - o.top, s.penWidth);
            break;
        }
        case kTextOut: cost += model_.text(Word(p), s.fontSize); break;
        case kExtTextOut: {
            cost += model_.text(Word(p + 4), s.fontSize);
            if (Word(p + 6) & kTextRectangleOptions)
                cost +=
                    model_.fill(Signed(p + 12) - Signed(p + 8), Signed(p + 14) - Signed(p + 10));
            break;
        }
        default: break;
        }
        return RecordingCheck::Playable;
    }

  private:
    // The player puts a new object into the first free entry of its table.
    RecordingCheck create(Slot::Kind kind, std::int64_t size, std::int64_t limit) {
        if (size > limit)
            return RecordingCheck::Unbounded;
        for (Slot& slot : slots_)
            if (slot.kind == Slot::Empty) {
                slot = Slot{kind, size};
                return RecordingCheck::Playable;
            }
        return RecordingCheck::BadObjectIndex;
    }

    DcState state_;
    std::vector<DcState> saved_;
    std::vector<Slot> slots_;
    CostModel model_;
};

} // namespace

RecordingCheck CheckRecording(const std::uint8_t* data, std::size_t size,
                              std::uint64_t canvasPixels) {
    const std::size_t headerBytes = 2 * kMetafileHeaderWords;
    if (!RecordingHeaderFits(data, size, size))
        return RecordingCheck::BadHeader;
    const std::uint64_t totalBytes = 2ULL * DoubleWord(data + 6);
    const std::uint32_t objects = Word(data + kHeaderObjects);
    Player player(objects, canvasPixels);
    std::uint64_t spent = 0;

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
        std::uint64_t cost = 0;
        const RecordingCheck state = player.play(function, record + 6, cost);
        if (state != RecordingCheck::Playable)
            return state;
        spent += cost;
        if (spent > kRecordingBudget)
            return RecordingCheck::TooCostly;
        offset += words * 2;
    }
    return RecordingCheck::Playable;
}

} // namespace risovik

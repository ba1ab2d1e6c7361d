#include "model/recording_file.h"

#include "model/little_endian.h"
#include "model/metafile_records.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace risovik {

namespace {

using namespace meta;

// A parameter word as the signed 16-bit number GDI takes it for.
std::int64_t Signed(const std::uint8_t* at) {
    return static_cast<std::int16_t>(Get16(at));
}

// Records whose parameters have a fixed size: the function number and the
// parameter words the player reads.
struct FixedRecord {
    std::uint16_t function;
    std::uint32_t words;
};

constexpr FixedRecord kFixedRecords[] = {
    {kEnd, 0},
    {kSaveDc, 0},
    {kRestoreDc, 1},
    {kSetBkMode, 1},
    {kSetMapMode, 1},
    {kSetRop2, 1},
    {kSetPolyFillMode, 1},
    {kSetStretchBltMode, 1},
    {kSetTextAlign, 1},
    {kSetBkColor, 2},
    {kSetTextColor, 2},
    {kSetWindowOrg, 2},
    {kSetWindowExt, 2},
    {kSetViewportOrg, 2},
    {kSetViewportExt, 2},
    {kOffsetWindowOrg, 2},
    {kOffsetViewportOrg, 2},
    {kLineTo, 2},
    {kMoveTo, 2},
    {kSetPixel, 4},
    {kRectangle, 4},
    {kEllipse, 4},
    {kRoundRect, 6},
    {kArc, 8},
    {kPie, 8},
    {kChord, 8},
    {kSelectObject, 1},
    {kDeleteObject, 1},
    {kCreatePen, 5},
    {kCreateBrush, 4},
    {kCreateFont, 25}, // the whole font record with its 32-byte face name
};

constexpr std::uint32_t kTextRectangleOptions = 0x0002 | 0x0004; // opaque, clipped
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
        return 1 + 2LL * Get16(params);
    case kPolyPolygon: {
        if (have < 1)
            return 1;
        const std::uint32_t polygons = Get16(params);
        if (have < 1 + polygons)
            return 1LL + polygons;
        long long points = 0;
        for (std::uint32_t i = 0; i < polygons; ++i)
            points += Get16(params + 2 + 2 * i);
        return 1LL + polygons + 2 * points;
    }
    case kTextOut:
        if (have < 1)
            return 1;
        return 1 + (Get16(params) + 1LL) / 2 + 2;
    case kExtTextOut: {
        if (have < 4)
            return 4;
        const std::uint32_t count = Get16(params + 4);
        const std::uint32_t options = Get16(params + 6);
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
    const std::uint32_t type = Get16(header);
    const std::uint32_t headerWords = Get16(header + 2);
    const std::uint64_t totalBytes = 2ULL * Get32(header + 6);
    return (type == 1 || type == 2) && headerWords == kMetafileHeaderWords &&
           totalBytes >= headerBytes && totalBytes <= fileSize && totalBytes <= kMaxRecordingBytes;
}

namespace {

constexpr int kMapModeText = 1;
constexpr std::uint32_t kSolidPen = 0, kDashPen = 1, kSolidBrush = 0;
constexpr int kStockFontSize = 16;
constexpr std::size_t kMaxSavedStates = 256;

// What playback depends on for its cost: the selected pen's width and style,
// the font's size, and the current position (lines start there).
struct DcState {
    std::int64_t penWidth = 1;
    bool penDashed = false;
    std::int64_t fontSize = kStockFontSize;
    std::int64_t x = 0, y = 0;
};

// An entry of the player's object table: what was created there, and its size.
struct Slot {
    enum Kind { Empty, Pen, Font, Other } kind = Empty;
    std::int64_t size = 0;
    bool dashed = false;
};

// Playback time in microseconds, fitted to the figures of the files
// benchmark (each record kind played on a 450 x 400 canvas under Wine) and
// kept above every one of them: a fill costs by the pixels it can reach, an
// outline by its full length (the platform walks it even outside the
// canvas), a curve drawn with a pen wider than one pixel by the area its
// outline is widened over.
struct CostModel {
    std::uint64_t canvasPixels;

    // The pixels of a box that can reach the canvas.
    std::uint64_t visible(std::int64_t w, std::int64_t h) const {
        const auto area =
            static_cast<std::uint64_t>(std::abs(w)) * static_cast<std::uint64_t>(std::abs(h));
        return std::min(area, canvasPixels);
    }
    std::uint64_t fill(std::int64_t w, std::int64_t h) const { return 4 + visible(w, h) / 3000; }
    // Ellipses, arcs, pies, chords, rounded rectangles.
    std::uint64_t curve(std::int64_t w, std::int64_t h, std::int64_t pen) const {
        const std::uint64_t box = visible(std::abs(w) + pen, std::abs(h) + pen);
        const std::uint64_t widened =
            pen > 1 ? box * static_cast<std::uint64_t>(32 + pen) / 384 : box / 800;
        return 16 + static_cast<std::uint64_t>(std::abs(w) + std::abs(h)) / 6 + widened;
    }
    // A single line is walked pixel by pixel over its whole length; the
    // segments of a polyline or polygon are clipped first and cost by their
    // number.
    std::uint64_t line(std::uint64_t length) const { return 4 + length / 16; }
    std::uint64_t outline(std::uint64_t points, std::uint64_t length) const {
        return 4 + 16 * points + length / 1000;
    }
    // A polygon's fill walks each edge over the rows it spans, and the rows
    // cost more the more edges cross them.
    std::uint64_t polygonFill(std::uint64_t points, std::uint64_t rows) const {
        return rows + rows * points / 700;
    }
    std::uint64_t text(std::uint64_t count, std::int64_t size) const {
        return 4 + count * (2 + static_cast<std::uint64_t>(size * size) / 2000);
    }
    // The platform puts a new object into the first free entry of its table,
    // walking it from entry 0 (about 3 ns an entry measured).
    std::uint64_t create(std::uint64_t entry) const { return 1 + entry / 200; }
};

// Points of a polygon or polyline: their count, outline length and the rows
// its edges span.
struct Outline {
    std::uint64_t points = 0, length = 0, rows = 0;

    void add(const std::uint8_t* at, std::uint64_t count, bool closed) {
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::int64_t x = Signed(at + 4 * i), y = Signed(at + 4 * i + 2);
            ++points;
            const std::uint64_t j = (i + 1 < count) ? i + 1 : 0;
            if (i + 1 < count || closed) {
                const auto dy = static_cast<std::uint64_t>(std::abs(Signed(at + 4 * j + 2) - y));
                length += static_cast<std::uint64_t>(std::abs(Signed(at + 4 * j) - x)) + dy;
                rows += dy;
            }
        }
    }
};

// The free entries of the object table, lowest first, in O(log n) a change.
class FreeEntries {
  public:
    explicit FreeEntries(std::uint32_t count) : heap_(count) {
        for (std::uint32_t i = 0; i < count; ++i)
            heap_[i] = i; // ascending order is already a heap
    }
    bool empty() const { return heap_.empty(); }
    std::uint32_t take() {
        std::pop_heap(heap_.begin(), heap_.end(), std::greater<>());
        const std::uint32_t entry = heap_.back();
        heap_.pop_back();
        return entry;
    }
    void give(std::uint32_t entry) {
        heap_.push_back(entry);
        std::push_heap(heap_.begin(), heap_.end(), std::greater<>());
    }

  private:
    std::vector<std::uint32_t> heap_;
};

// Whether the point words lie where the editor's own shapes lie: inside
// its window.
bool OwnPoints(const std::uint8_t* p, int pairs) {
    for (int i = 0; i < pairs; ++i) {
        const std::int64_t y = Signed(p + 4 * i), x = Signed(p + 4 * i + 2);
        if (x < 0 || y < 0 || x >= kOwnExtentX || y >= kOwnExtentY)
            return false;
    }
    return true;
}

// Walks the drawing state of one record and returns its cost, or a check
// result other than Playable for a state with no bound. Tells apart the
// recordings made of what the editor itself records: its pens (solid or
// dashed, up to 2 pixels), solid brushes, selections, deletions, lines,
// rectangles, ellipses and short texts inside its window, with few objects
// alive at once.
class Player {
  public:
    Player(std::uint32_t objects, std::uint64_t canvasPixels)
        : slots_(objects), free_(objects), model_{canvasPixels} {}

    RecordingCheck play(std::uint16_t function, const std::uint8_t* p, std::uint32_t words,
                        std::uint64_t& cost, bool& own) {
        DcState& s = state_;
        cost = 1;
        own = false;
        switch (function) {
        case kSaveDc:
            if (saved_.size() >= kMaxSavedStates)
                return RecordingCheck::Unbounded;
            saved_.push_back(s);
            cost = 10;
            break;
        case kRestoreDc: {
            // Only back to the recording's own saves: a deeper restore would
            // undo the state the editor saved around the playback.
            const std::int64_t n = Signed(p);
            if (n >= 0 || static_cast<std::uint64_t>(-n) > saved_.size())
                return RecordingCheck::Unbounded;
            s = saved_[saved_.size() - static_cast<std::size_t>(-n)];
            saved_.resize(saved_.size() - static_cast<std::size_t>(-n));
            cost = 10;
            break;
        }
        case kSetMapMode:
            if (Signed(p) != kMapModeText)
                return RecordingCheck::Unbounded;
            break;
        case kCreatePen: {
            const std::int64_t width = std::abs(Signed(p + 2));
            const std::uint32_t style = Get16(p) & 0xFF;
            own = (style == kSolidPen || style == kDashPen) && width <= kOwnPenWidth;
            return create(Slot{Slot::Pen, width, style != kSolidPen}, kMaxPenWidth, cost, own);
        }
        case kCreateFont:
            return create(Slot{Slot::Font, std::max(std::abs(Signed(p)), std::abs(Signed(p + 2)))},
                          kMaxFontSize, cost, own);
        case kCreateBrush:
            own = Get16(p) == kSolidBrush;
            return create(Slot{Slot::Other}, 0, cost, own);
        case kSelectObject: {
            const Slot& slot = slots_[Get16(p)];
            if (slot.kind == Slot::Pen) {
                s.penWidth = std::max<std::int64_t>(slot.size, 1);
                s.penDashed = slot.dashed;
            } else if (slot.kind == Slot::Font) {
                s.fontSize = slot.size == 0 ? kStockFontSize : slot.size;
            }
            own = true;
            break;
        }
        case kDeleteObject:
            if (slots_[Get16(p)].kind != Slot::Empty)
                free_.give(Get16(p));
            slots_[Get16(p)] = Slot{};
            own = true;
            break;
        case kSetTextColor:
        case kSetBkMode: own = true; break;
        case kMoveTo:
            s.y = Signed(p);
            s.x = Signed(p + 2);
            own = OwnPoints(p, 1);
            break;
        case kLineTo: {
            const std::int64_t y = Signed(p), x = Signed(p + 2);
            cost = model_.line(static_cast<std::uint64_t>(std::abs(x - s.x) + std::abs(y - s.y)));
            s.x = x;
            s.y = y;
            own = OwnPoints(p, 1);
            break;
        }
        case kRectangle:
            cost = model_.fill(Signed(p + 2) - Signed(p + 6) + s.penWidth,
                               Signed(p) - Signed(p + 4) + s.penWidth);
            own = OwnPoints(p, 2);
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
            cost = model_.curve(Signed(box + 2) - Signed(box + 6), Signed(box) - Signed(box + 4),
                                s.penWidth);
            own = function == kEllipse && OwnPoints(p, 2);
            break;
        }
        case kPolygon:
        case kPolyline: {
            Outline o;
            o.add(p + 2, Get16(p), function == kPolygon);
            cost = model_.outline(o.points, o.length);
            if (function == kPolygon)
                cost += model_.polygonFill(o.points, o.rows);
            break;
        }
        case kPolyPolygon: {
            const std::uint32_t polygons = Get16(p);
            const std::uint8_t* points = p + 2 + 2 * polygons;
            Outline o;
            for (std::uint32_t i = 0; i < polygons; ++i) {
                const std::uint32_t n = Get16(p + 2 + 2 * i);
                o.add(points, n, true);
                points += 4 * n;
            }
            cost = polygons + model_.outline(o.points, o.length) +
                   model_.polygonFill(o.points, o.rows);
            break;
        }
        case kTextOut: {
            const std::uint32_t count = Get16(p);
            cost = model_.text(count, s.fontSize);
            own = count <= kOwnTextCount && OwnPoints(p + 2 + 2 * ((count + 1) / 2), 1);
            break;
        }
        case kExtTextOut: {
            const std::uint32_t count = Get16(p + 4);
            cost = model_.text(count, s.fontSize);
            if (Get16(p + 6) & kTextRectangleOptions)
                cost +=
                    model_.fill(Signed(p + 12) - Signed(p + 8), Signed(p + 14) - Signed(p + 10));
            // The editor's TextOutA as the platform records it: no options,
            // no rectangle, the characters and perhaps their advances.
            own = Get16(p + 6) == 0 && count <= kOwnTextCount && OwnPoints(p, 1) &&
                  (words == 4 + (count + 1) / 2 || words == 4 + (count + 1) / 2 + count);
            break;
        }
        default: break;
        }
        return RecordingCheck::Playable;
    }

  private:
    RecordingCheck create(const Slot& made, std::int64_t limit, std::uint64_t& cost, bool& own) {
        if (made.size > limit)
            return RecordingCheck::Unbounded;
        if (free_.empty())
            return RecordingCheck::BadObjectIndex;
        const std::uint32_t entry = free_.take();
        slots_[entry] = made;
        cost = model_.create(entry);
        own = own && entry < kOwnObjects;
        return RecordingCheck::Playable;
    }

    DcState state_;
    std::vector<DcState> saved_;
    std::vector<Slot> slots_;
    FreeEntries free_;
    CostModel model_;
};

} // namespace

RecordingCheck CheckRecording(const std::uint8_t* data, std::size_t size,
                              std::uint64_t canvasPixels, RecordingCost* cost) {
    RecordingCost ignored;
    RecordingCost& total = cost ? *cost : ignored;
    total = RecordingCost{};
    const std::size_t headerBytes = 2 * kMetafileHeaderWords;
    if (!RecordingHeaderFits(data, size, size))
        return RecordingCheck::BadHeader;
    const std::uint64_t totalBytes = 2ULL * Get32(data + 6);
    const std::uint32_t objects = Get16(data + kHeaderObjects);
    Player player(objects, canvasPixels);
    // At the end the platform walks the whole table to delete what is left.
    std::uint64_t spent = CostModel{canvasPixels}.create(objects);

    std::uint64_t offset = headerBytes;
    while (offset < totalBytes) {
        if (totalBytes - offset < 2 * kRecordHeaderWords)
            return RecordingCheck::BrokenChain;
        const std::uint8_t* record = data + offset;
        const std::uint64_t words = Get32(record);
        if (words < kRecordHeaderWords || words * 2 > totalBytes - offset)
            return RecordingCheck::BrokenChain;
        const auto function = static_cast<std::uint16_t>(Get16(record + 4));
        const auto have = static_cast<std::uint32_t>(words - kRecordHeaderWords);
        const long long needed = NeededWords(function, record + 6, have);
        if (needed < 0)
            return RecordingCheck::UnknownRecord;
        if (static_cast<unsigned long long>(needed) > have)
            return RecordingCheck::ShortRecord;
        if ((function == kSelectObject || function == kDeleteObject) &&
            Get16(record + 6) >= objects)
            return RecordingCheck::BadObjectIndex;
        std::uint64_t units = 0;
        bool own = false;
        const RecordingCheck state = player.play(function, record + 6, have, units, own);
        if (state != RecordingCheck::Playable)
            return state;
        spent += units;
        total.units = spent;
        total.own = total.own && (own || function == 0);
        // The editor's own recordings play however long they take: the
        // bound is for recordings made elsewhere.
        if (!total.own && spent > kRecordingBudget)
            return RecordingCheck::TooCostly;
        offset += words * 2;
    }
    return RecordingCheck::Playable;
}

} // namespace risovik

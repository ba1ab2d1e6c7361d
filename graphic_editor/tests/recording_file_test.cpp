// Native tests of the metafile check that runs before a slot is played.
#include "model/recording_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using risovik::CheckRecording;
using risovik::RecordingCheck;
using Bytes = std::vector<std::uint8_t>;

void PutWord(Bytes& out, std::uint32_t w) {
    out.push_back(static_cast<std::uint8_t>(w & 0xFF));
    out.push_back(static_cast<std::uint8_t>((w >> 8) & 0xFF));
}

// One record: rdSize (words, from the parameters given), function, words.
Bytes Record(std::uint16_t function, const std::vector<std::uint32_t>& words) {
    Bytes out;
    const auto size = static_cast<std::uint32_t>(3 + words.size());
    PutWord(out, size & 0xFFFF);
    PutWord(out, size >> 16);
    PutWord(out, function);
    for (std::uint32_t w : words)
        PutWord(out, w);
    return out;
}

// A metafile of these records and the closing record; `totalWords` replaces
// the computed total size when given. `objects` is the size of the object
// table the header declares (the most objects alive at once).
Bytes Metafile(const std::vector<Bytes>& records, long long totalWords = -1, std::uint16_t type = 1,
               std::uint16_t headerWords = 9, std::uint16_t objects = 2) {
    Bytes body;
    for (const Bytes& r : records)
        body.insert(body.end(), r.begin(), r.end());
    const Bytes end = Record(0, {});
    body.insert(body.end(), end.begin(), end.end());
    const std::uint32_t total = totalWords >= 0 ? static_cast<std::uint32_t>(totalWords)
                                                : static_cast<std::uint32_t>(9 + body.size() / 2);
    Bytes out;
    PutWord(out, type);
    PutWord(out, headerWords);
    PutWord(out, 0x300);
    PutWord(out, total & 0xFFFF);
    PutWord(out, total >> 16);
    PutWord(out, objects);
    PutWord(out, 9);
    PutWord(out, 0);
    PutWord(out, 0);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// What the editor records for a red rectangle, a line and a text.
std::vector<Bytes> EditorShapes() {
    return {
        Record(0x02FA, {0, 2, 0, 0x00FF, 0}), // CreatePenIndirect
        Record(0x012D, {0}),                  // SelectObject
        Record(0x02FC, {0, 0x00FF, 0, 0}),    // CreateBrushIndirect
        Record(0x012D, {1}),
        Record(0x041B, {60, 80, 20, 30}),                  // Rectangle
        Record(0x0418, {60, 80, 20, 30}),                  // Ellipse
        Record(0x0214, {5, 6}),                            // MoveTo
        Record(0x0213, {50, 60}),                          // LineTo
        Record(0x01F0, {0}),                               // DeleteObject
        Record(0x0209, {0x00FF, 0}),                       // SetTextColor
        Record(0x0102, {0}),                               // SetBkMode
        Record(0x0521, {5, 0x6548, 0x6C6C, 0x006F, 7, 9}), // TextOut "Hello"
        Record(0x0A32, {9, 7, 3, 0, 0x6948, 0x0021}),      // ExtTextOut "Hi!"
        Record(0x0A32, {9, 7, 2, 4, 0, 0, 9, 9, 0x6948}),  // with its clip rectangle
        Record(0x0324, {3, 0, 0, 10, 0, 5, 5}),            // Polygon of 3 points
        Record(0x0538, {2, 2, 1, 0, 0, 4, 4, 8, 8}),       // PolyPolygon 2 + 1 points
    };
}

std::string Name(RecordingCheck c) {
    switch (c) {
    case RecordingCheck::Playable: return "Playable";
    case RecordingCheck::BadHeader: return "BadHeader";
    case RecordingCheck::BrokenChain: return "BrokenChain";
    case RecordingCheck::UnknownRecord: return "UnknownRecord";
    case RecordingCheck::ShortRecord: return "ShortRecord";
    case RecordingCheck::BadObjectIndex: return "BadObjectIndex";
    case RecordingCheck::Unbounded: return "Unbounded";
    case RecordingCheck::TooCostly: return "TooCostly";
    }
    return "?";
}

RecordingCheck Check(const Bytes& b) {
    return CheckRecording(b.data(), b.size());
}

TEST(RecordingCheck, AcceptsWhatTheEditorRecords) {
    EXPECT_EQ(Name(Check(Metafile(EditorShapes()))), "Playable");
    EXPECT_EQ(Name(Check(Metafile({}))), "Playable") << "an empty recording";
    EXPECT_EQ(Name(Check(Metafile(EditorShapes(), -1, 2))), "Playable") << "disk type";
}

TEST(RecordingCheck, RefusesDamagedHeaders) {
    const Bytes good = Metafile(EditorShapes());
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"cut inside the header", Bytes(good.begin(), good.begin() + 17)},
        {"type 7", Metafile(EditorShapes(), -1, 7)},
        {"header of 12 words", Metafile(EditorShapes(), -1, 1, 12)},
        {"total larger than the data", Metafile(EditorShapes(), 0x7FFFFFFF)},
        {"total smaller than the header", Metafile(EditorShapes(), 4)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Name(Check(c.bytes)), "BadHeader") << c.what;
    EXPECT_EQ(Name(CheckRecording(nullptr, 100)), "BadHeader");
}

TEST(RecordingCheck, RefusesABrokenRecordChain) {
    Bytes zero = Metafile({Record(0x041B, {1, 2, 3, 4})});
    zero[18] = 0; // rdSize 0 would never advance
    EXPECT_EQ(Name(Check(zero)), "BrokenChain");

    Bytes past = Metafile({Record(0x041B, {1, 2, 3, 4})});
    past[18] = 0xFF; // 255 words from a 7-word record
    EXPECT_EQ(Name(Check(past)), "BrokenChain");

    // The total size ends in the middle of a record header.
    Bytes cut = Metafile({Record(0x041B, {1, 2, 3, 4})});
    const std::uint32_t words = static_cast<std::uint32_t>(cut.size() / 2 - 2);
    cut[6] = static_cast<std::uint8_t>(words & 0xFF);
    cut[7] = static_cast<std::uint8_t>(words >> 8);
    EXPECT_EQ(Name(Check(cut)), "BrokenChain");
}

TEST(RecordingCheck, RefusesKindsItDoesNotPlay) {
    const std::uint16_t kinds[] = {0x0F43 /* StretchDIB */, 0x0940 /* DIBBitBlt */,
                                   0x0626 /* Escape */, 0x06FF /* CreateRegion */, 0x0FFF};
    for (std::uint16_t k : kinds)
        EXPECT_EQ(Name(Check(Metafile({Record(k, {1, 2, 3, 4, 5, 6, 7, 8})}))), "UnknownRecord")
            << std::hex << k;
}

TEST(RecordingCheck, RefusesRecordsWhoseCountsOverrunThem) {
    struct Case {
        const char* what;
        Bytes record;
        const char* expect;
    };
    const std::vector<Case> cases = {
        {"rectangle with 3 of 4 corners", Record(0x041B, {1, 2, 3}), "ShortRecord"},
        {"pen without its colour", Record(0x02FA, {0, 2, 0}), "ShortRecord"},
        {"font without its face name", Record(0x02FB, {1, 2, 3, 4, 5, 6, 7, 8, 9}), "ShortRecord"},
        {"polygon of 30000 points in 2 words", Record(0x0324, {30000, 1, 2}), "ShortRecord"},
        {"polygon of 2 points, exact", Record(0x0324, {2, 1, 2, 3, 4}), "Playable"},
        {"polyline without a count", Record(0x0325, {}), "ShortRecord"},
        {"polypolygon counting past its record", Record(0x0538, {2, 5, 5, 1, 1}), "ShortRecord"},
        {"polypolygon with more polygons than words", Record(0x0538, {9000, 1}), "ShortRecord"},
        {"text of 30000 bytes in 1 word", Record(0x0521, {30000, 0x4141}), "ShortRecord"},
        {"text of 3 bytes, exact", Record(0x0521, {3, 0x4141, 0x41, 1, 1}), "Playable"},
        {"ext text without its rectangle", Record(0x0A32, {1, 1, 2, 6, 0x4141}), "ShortRecord"},
        {"ext text cut in its header", Record(0x0A32, {1, 1}), "ShortRecord"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Name(Check(Metafile({c.record}))), c.expect) << c.what;
}

// The player keeps the objects in a table of as many entries as the header
// declares and indexes it with the record's number unchecked: selecting or
// deleting beyond it reads or overwrites memory outside the table.
TEST(RecordingCheck, RefusesObjectNumbersOutsideTheDeclaredTable) {
    const std::vector<Bytes> selectLast = {Record(0x02FA, {0, 2, 0, 0x00FF, 0}),
                                           Record(0x012D, {1})};
    EXPECT_EQ(Name(Check(Metafile(selectLast, -1, 1, 9, 2))), "Playable") << "last entry";
    EXPECT_EQ(Name(Check(Metafile(selectLast, -1, 1, 9, 1))), "BadObjectIndex")
        << "select one past the table";
    EXPECT_EQ(Name(Check(Metafile({Record(0x01F0, {900})}, -1, 1, 9, 2))), "BadObjectIndex")
        << "delete far past the table";
    EXPECT_EQ(Name(Check(Metafile({Record(0x012D, {0})}, -1, 1, 9, 0))), "BadObjectIndex")
        << "a recording that declares no objects";
    EXPECT_EQ(Name(Check(Metafile(EditorShapes(), -1, 1, 9, 1))), "BadObjectIndex");
}

// Playing these took from seconds to minutes under Wine (or broke its heap);
// the check refuses them while the editor's own shapes still open by the
// thousand.
TEST(RecordingCheck, RefusesStatesAndWorkWithoutABound) {
    const Bytes save = Record(0x001E, {}), restore = Record(0x0127, {0xFFFF});
    const Bytes wide = Record(0x0418, {32000, 32000, 0x8300, 0x8300}); // ellipse of 64000
    std::vector<std::uint32_t> zigzag = {200}; // a polyline of 200 points over 30000 pixels
    for (std::uint32_t i = 0; i < 200; ++i)
        zigzag.insert(zigzag.end(), {i % 2 ? 15000u : 0x10000u - 15000, i * 100});
    std::vector<Bytes> many; // 3000 ellipses of 200 x 150 as the editor records them
    for (int i = 0; i < 3000; ++i)
        many.insert(many.end(), {Record(0x02FA, {0, 2, 0, 0xFF, 0}), Record(0x012D, {0}),
                                 Record(0x02FC, {0, 0xFF, 0, 0}), Record(0x012D, {1}),
                                 Record(0x0418, {250, 300, 100, 100}), Record(0x01F0, {0}),
                                 Record(0x01F0, {1})});
    std::vector<std::uint32_t> font(25, 0); // LOGFONT of 32000 high, no face name
    font[0] = 32000;
    struct Case {
        const char* what;
        std::vector<Bytes> records;
        const char* expect;
        std::uint64_t canvas = 180000;
    };
    const std::vector<Case> cases = {
        {"map mode text", {Record(0x0103, {1})}, "Playable"},
        {"scaling map mode", {Record(0x0103, {8})}, "Unbounded"},
        {"restore of its own save", {save, restore}, "Playable"},
        {"restore below its saves", {save, restore, restore}, "Unbounded"},
        {"restore to an absolute level", {save, Record(0x0127, {1})}, "Unbounded"},
        {"pen of 64", {Record(0x02FA, {0, 64, 0, 0, 0})}, "Playable"},
        {"pen of 65", {Record(0x02FA, {0, 65, 0, 0, 0})}, "Unbounded"},
        {"font of 32000", {Record(0x02FB, font)}, "Unbounded"},
        {"200 ellipses of 64000", std::vector<Bytes>(200, wide), "TooCostly"},
        {"polyline of 200 long points", {Record(0x0325, zigzag)}, "Playable"},
        {"400 polylines of 200 long points", std::vector<Bytes>(400, Record(0x0325, zigzag)),
         "TooCostly"},
        {"3000 shapes of the editor", many, "Playable"},
        {"one ellipse over 8192 x 8192", {wide}, "Playable", 8192ull * 8192},
        {"four ellipses over 8192 x 8192", {wide, wide, wide, wide}, "Playable", 8192ull * 8192},
        {"sixty ellipses over 8192 x 8192", std::vector<Bytes>(60, wide), "TooCostly",
         8192ull * 8192},
    };
    for (const Case& c : cases) {
        const Bytes file = Metafile(c.records);
        EXPECT_EQ(Name(CheckRecording(file.data(), file.size(), c.canvas)), c.expect) << c.what;
    }
}

TEST(RecordingHeaderFits, TotalSizeMustLieWithinTheFile) {
    const Bytes good = Metafile(EditorShapes());
    EXPECT_TRUE(risovik::RecordingHeaderFits(good.data(), 18, good.size()));
    EXPECT_TRUE(risovik::RecordingHeaderFits(good.data(), 18, good.size() + 100));
    EXPECT_FALSE(risovik::RecordingHeaderFits(good.data(), 18, good.size() - 1))
        << "a file shorter than its header says";
    EXPECT_FALSE(risovik::RecordingHeaderFits(good.data(), 17, good.size()));
    const Bytes huge = Metafile(EditorShapes(), 0x7FFFFFFF);
    EXPECT_FALSE(risovik::RecordingHeaderFits(huge.data(), 18, huge.size()));
    const Bytes tiny = Metafile(EditorShapes(), 8);
    EXPECT_FALSE(risovik::RecordingHeaderFits(tiny.data(), 18, tiny.size()));
    const Bytes big = Metafile(EditorShapes(), 8u << 20); // 16 MB
    EXPECT_TRUE(risovik::RecordingHeaderFits(big.data(), 18, 16u << 20));
    EXPECT_FALSE(risovik::RecordingHeaderFits(Metafile({}, (8u << 20) + 1).data(), 18, 1u << 30));
}

} // namespace

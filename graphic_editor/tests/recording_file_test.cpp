// Native tests of the metafile check that runs before a slot is played.
#include "model/recording_file.h"

#include "model/metafile_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using namespace risovik::meta;
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
        Record(kCreatePen, {0, 2, 0, 0x00FF, 0}),
        Record(kSelectObject, {0}),
        Record(kCreateBrush, {0, 0x00FF, 0, 0}),
        Record(kSelectObject, {1}),
        Record(kRectangle, {60, 80, 20, 30}),
        Record(kEllipse, {60, 80, 20, 30}),
        Record(kMoveTo, {5, 6}),
        Record(kLineTo, {50, 60}),
        Record(kDeleteObject, {0}),
        Record(kSetTextColor, {0x00FF, 0}),
        Record(kSetBkMode, {0}),
        Record(kTextOut, {5, 0x6548, 0x6C6C, 0x006F, 7, 9}),   // TextOut "Hello"
        Record(kExtTextOut, {9, 7, 3, 0, 0x6948, 0x0021}),     // ExtTextOut "Hi!"
        Record(kExtTextOut, {9, 7, 2, 4, 0, 0, 9, 9, 0x6948}), // with its clip rectangle
        Record(kPolygon, {3, 0, 0, 10, 0, 5, 5}),              // Polygon of 3 points
        Record(kPolyPolygon, {2, 2, 1, 0, 0, 4, 4, 8, 8}),     // PolyPolygon 2 + 1 points
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
    Bytes zero = Metafile({Record(kRectangle, {1, 2, 3, 4})});
    zero[18] = 0; // rdSize 0 would never advance
    EXPECT_EQ(Name(Check(zero)), "BrokenChain");

    Bytes past = Metafile({Record(kRectangle, {1, 2, 3, 4})});
    past[18] = 0xFF; // 255 words from a 7-word record
    EXPECT_EQ(Name(Check(past)), "BrokenChain");

    // The total size ends in the middle of a record header.
    Bytes cut = Metafile({Record(kRectangle, {1, 2, 3, 4})});
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
        {"rectangle with 3 of 4 corners", Record(kRectangle, {1, 2, 3}), "ShortRecord"},
        {"pen without its colour", Record(kCreatePen, {0, 2, 0}), "ShortRecord"},
        {"font without its face name", Record(kCreateFont, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
         "ShortRecord"},
        {"polygon of 30000 points in 2 words", Record(kPolygon, {30000, 1, 2}), "ShortRecord"},
        {"polygon of 2 points, exact", Record(kPolygon, {2, 1, 2, 3, 4}), "Playable"},
        {"polyline without a count", Record(kPolyline, {}), "ShortRecord"},
        {"polypolygon counting past its record", Record(kPolyPolygon, {2, 5, 5, 1, 1}),
         "ShortRecord"},
        {"polypolygon with more polygons than words", Record(kPolyPolygon, {9000, 1}),
         "ShortRecord"},
        {"text of 30000 bytes in 1 word", Record(kTextOut, {30000, 0x4141}), "ShortRecord"},
        {"text of 3 bytes, exact", Record(kTextOut, {3, 0x4141, 0x41, 1, 1}), "Playable"},
        {"ext text without its rectangle", Record(kExtTextOut, {1, 1, 2, 6, 0x4141}),
         "ShortRecord"},
        {"ext text cut in its header", Record(kExtTextOut, {1, 1}), "ShortRecord"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Name(Check(Metafile({c.record}))), c.expect) << c.what;
}

// The player keeps the objects in a table of as many entries as the header
// declares and indexes it with the record's number unchecked: selecting or
// deleting beyond it reads or overwrites memory outside the table.
TEST(RecordingCheck, RefusesObjectNumbersOutsideTheDeclaredTable) {
    const std::vector<Bytes> selectLast = {Record(kCreatePen, {0, 2, 0, 0x00FF, 0}),
                                           Record(kSelectObject, {1})};
    EXPECT_EQ(Name(Check(Metafile(selectLast, -1, 1, 9, 2))), "Playable") << "last entry";
    EXPECT_EQ(Name(Check(Metafile(selectLast, -1, 1, 9, 1))), "BadObjectIndex")
        << "select one past the table";
    EXPECT_EQ(Name(Check(Metafile({Record(kDeleteObject, {900})}, -1, 1, 9, 2))), "BadObjectIndex")
        << "delete far past the table";
    EXPECT_EQ(Name(Check(Metafile({Record(kSelectObject, {0})}, -1, 1, 9, 0))), "BadObjectIndex")
        << "a recording that declares no objects";
    EXPECT_EQ(Name(Check(Metafile(EditorShapes(), -1, 1, 9, 1))), "BadObjectIndex");
}

// Playing these took from seconds to minutes under Wine (or broke its heap);
// the check refuses them while the editor's own shapes still open by the
// thousand.
TEST(RecordingCheck, RefusesStatesAndWorkWithoutABound) {
    const Bytes save = Record(kSaveDc, {}), restore = Record(kRestoreDc, {0xFFFF});
    const Bytes wide = Record(kEllipse, {32000, 32000, 0x8300, 0x8300}); // ellipse of 64000
    std::vector<std::uint32_t> zigzag = {200}; // a polyline of 200 points over 30000 pixels
    for (std::uint32_t i = 0; i < 200; ++i)
        zigzag.insert(zigzag.end(), {i % 2 ? 15000u : 0x10000u - 15000, i * 100});
    std::vector<Bytes> many; // 3000 ellipses of 200 x 150 as the editor records them
    for (int i = 0; i < 3000; ++i)
        many.insert(many.end(), {Record(kCreatePen, {0, 2, 0, 0xFF, 0}), Record(kSelectObject, {0}),
                                 Record(kCreateBrush, {0, 0xFF, 0, 0}), Record(kSelectObject, {1}),
                                 Record(kEllipse, {250, 300, 100, 100}), Record(kDeleteObject, {0}),
                                 Record(kDeleteObject, {1})});
    std::vector<std::uint32_t> font(25, 0); // LOGFONT of 32000 high, no face name
    font[0] = 32000;
    struct Case {
        const char* what;
        std::vector<Bytes> records;
        const char* expect;
        std::uint64_t canvas = 180000;
    };
    const std::vector<Case> cases = {
        {"map mode text", {Record(kSetMapMode, {1})}, "Playable"},
        {"scaling map mode", {Record(kSetMapMode, {8})}, "Unbounded"},
        {"restore of its own save", {save, restore}, "Playable"},
        {"restore below its saves", {save, restore, restore}, "Unbounded"},
        {"restore to an absolute level", {save, Record(kRestoreDc, {1})}, "Unbounded"},
        {"pen of 64", {Record(kCreatePen, {0, 64, 0, 0, 0})}, "Playable"},
        {"pen of 65", {Record(kCreatePen, {0, 65, 0, 0, 0})}, "Unbounded"},
        {"font of 32000", {Record(kCreateFont, font)}, "Unbounded"},
        {"200 ellipses of 64000", std::vector<Bytes>(200, wide), "TooCostly"},
        {"polyline of 200 long points", {Record(kPolyline, zigzag)}, "Playable"},
        {"400 polylines of 200 long points", std::vector<Bytes>(400, Record(kPolyline, zigzag)),
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

std::vector<Bytes> Times(std::size_t n, const Bytes& record) {
    return std::vector<Bytes>(n, record);
}

Bytes Join(std::initializer_list<Bytes> records) {
    Bytes out;
    for (const Bytes& r : records)
        out.insert(out.end(), r.begin(), r.end());
    return out;
}

// The check of a whole file, timed; the cost it reached comes back.
RecordingCheck TimedCheck(const Bytes& file, risovik::RecordingCost& cost, double& seconds) {
    const auto start = std::chrono::steady_clock::now();
    const RecordingCheck result = CheckRecording(file.data(), file.size(), 180000, &cost);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

// Each kind of record the check accepts, at the parameters that make it cost
// most (in a recording made elsewhere), with the playback time the model
// charges it (microseconds, at or above the benchmark's figures under Wine).
// The most such records that fit the budget or the size cap must be accepted,
// checked within a second, and a few more refused.
TEST(RecordingCheck, EachKindCostsWhatItsPlaybackMeasuredAndIsCheckedQuickly) {
    const Bytes elsewhere = Record(kSetMapMode, {1}); // SetMapMode: no shape of the editor has it
    const Bytes pen64 = Record(kCreatePen, {0, 64, 0, 0xFF, 0}),
                dash64 = Record(kCreatePen, {1, 64, 0, 0, 0});
    std::vector<std::uint32_t> font(25, 0);
    font[0] = 256;
    std::vector<std::uint32_t> polygon = {2000};
    for (std::uint32_t k = 0; k < 2000; ++k)
        polygon.insert(polygon.end(), {(k * 7919) % 450, (k * 104729) % 400});
    std::vector<std::uint32_t> text = {200};
    text.resize(101, 0x4D57);
    text.insert(text.end(), {0, 0});
    const std::vector<Bytes> table = Times(20000, Record(kCreateBrush, {0, 0xFF, 0, 0}));
    struct Kind {
        const char* what;
        std::vector<Bytes> setup;
        Bytes record;
        std::uint64_t cost;
        std::uint16_t objects = 2;
    };
    const std::vector<Kind> kinds = {
        {"state record (SetBkMode)", {}, Record(kSetBkMode, {1}), 1},
        {"SaveDC + RestoreDC", {}, Join({Record(kSaveDc, {}), Record(kRestoreDc, {0xFFFF})}), 20},
        {"create + delete, entry 0",
         {},
         Join({Record(kCreateBrush, {0, 0, 0, 0}), Record(kDeleteObject, {0})}),
         2},
        {"create + delete, entry 20000", table,
         Join({Record(kCreateBrush, {0, 0, 0, 0}), Record(kDeleteObject, {20000})}), 102, 20001},
        {"line of 64000, pen 64",
         {pen64, Record(kSelectObject, {0})},
         Join({Record(kMoveTo, {32000, 0x8300}), Record(kLineTo, {0x8300, 32000})}),
         8005},
        {"rectangle of 64000, pen 64",
         {pen64, Record(kSelectObject, {0})},
         Record(kRectangle, {32000, 32000, 0x8300, 0x8300}),
         64},
        {"ellipse of 64000, dashed pen 64",
         {dash64, Record(kSelectObject, {0})},
         Record(kEllipse, {32000, 32000, 0x8300, 0x8300}),
         66349},
        {"polygon of 2000 crossing points", {}, Record(kPolygon, polygon), 933660},
        {"text of 200, font 256",
         {Record(kCreateFont, font), Record(kSelectObject, {0})},
         Record(kTextOut, text),
         6804},
        {"opaque text box of 64000",
         {},
         Record(kExtTextOut, {9, 7, 2, 2, 0x8300, 0x8300, 32000, 32000, 0x4D57}),
         72},
    };
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.what);
        std::vector<Bytes> setup = {elsewhere};
        setup.insert(setup.end(), k.setup.begin(), k.setup.end());
        std::vector<Bytes> one = setup;
        one.push_back(k.record);
        risovik::RecordingCost before, after;
        double seconds = 0;
        ASSERT_EQ(Name(TimedCheck(Metafile(setup, -1, 1, 9, k.objects), before, seconds)),
                  "Playable");
        ASSERT_EQ(Name(TimedCheck(Metafile(one, -1, 1, 9, k.objects), after, seconds)), "Playable");
        const std::uint64_t cost = after.units - before.units;
        EXPECT_EQ(cost, k.cost);
        const std::uint64_t room = risovik::kRecordingBudget - before.units;
        const std::uint64_t bytesLeft =
            risovik::kMaxRecordingBytes - 18 - 6 - Metafile(setup, -1, 1, 9, k.objects).size() + 24;
        const std::uint64_t fits = std::min(room / cost, bytesLeft / k.record.size());
        std::vector<Bytes> most = setup;
        most.insert(most.end(), fits, k.record);
        EXPECT_EQ(Name(TimedCheck(Metafile(most, -1, 1, 9, k.objects), after, seconds)),
                  "Playable");
        EXPECT_LT(seconds, 1.0) << "check of " << fits << " records";
        std::printf("%-40s %8llu us a record, %8llu records, checked in %.3f s\n", k.what,
                    static_cast<unsigned long long>(cost), static_cast<unsigned long long>(fits),
                    seconds);
        if (fits == room / cost) {
            most.insert(most.end(), 2, k.record);
            EXPECT_EQ(Name(TimedCheck(Metafile(most, -1, 1, 9, k.objects), after, seconds)),
                      "TooCostly");
        }
    }
}

// What the editor records, however much of it, plays: 100,000 window-sized
// dashed ellipses (minutes of playback under Wine). One record of another
// kind, or one pen the editor never makes, puts the recording under the
// budget again.
TEST(RecordingCheck, TheEditorsOwnRecordingsAreNeverRefusedForCost) {
    // As the platform records a shape: its pen and brush made and selected,
    // the shape, the stock brush and pen put back (made once, in entries 2
    // and 3), pen and brush deleted; then a text.
    std::vector<Bytes> own;
    for (int i = 0; i < 100000; ++i) {
        own.insert(own.end(), {Record(kCreatePen, {1, 2, 0, 0x00FF, 0}), Record(kSelectObject, {0}),
                               Record(kCreateBrush, {0, 0x00FF, 0, 0}), Record(kSelectObject, {1}),
                               Record(kEllipse, {454, 649, 0, 0})});
        if (i == 0)
            own.insert(own.end(),
                       {Record(kCreateBrush, {0, 0xFFFF, 0xFF, 0}), Record(kSelectObject, {2}),
                        Record(kCreatePen, {0, 0, 0, 0, 0}), Record(kSelectObject, {3})});
        else
            own.insert(own.end(), {Record(kSelectObject, {2}), Record(kSelectObject, {3})});
        own.insert(own.end(), {Record(kDeleteObject, {1}), Record(kDeleteObject, {0}),
                               Record(kSetTextColor, {0xFF, 0}),
                               Record(kExtTextOut, {399, 449, 12, 0, 0x4D57, 0x4D57, 0x4D57, 0x4D57,
                                                    0x4D57, 0x4D57})});
    }
    risovik::RecordingCost cost;
    double seconds = 0;
    EXPECT_EQ(Name(TimedCheck(Metafile(own, -1, 1, 9, 4), cost, seconds)), "Playable");
    EXPECT_TRUE(cost.own);
    EXPECT_GT(cost.units, 100 * risovik::kRecordingBudget);

    struct Case {
        const char* what;
        Bytes record;
    };
    const std::vector<Case> foreign = {
        {"a pixel", Record(kSetPixel, {0xFF, 0, 5, 5})},
        {"a pen of 3", Join({Record(kCreatePen, {0, 3, 0, 0, 0}), Record(kDeleteObject, {0})})},
        {"an ellipse beyond the window", Record(kEllipse, {454, 650, 0, 0})},
        {"a text of 13",
         Record(kTextOut, {13, 0x4D57, 0x4D57, 0x4D57, 0x4D57, 0x4D57, 0x4D57, 0x57, 10, 10})},
    };
    for (const Case& c : foreign) {
        std::vector<Bytes> mixed = own;
        mixed.insert(mixed.begin() + 13, c.record);
        EXPECT_EQ(Name(TimedCheck(Metafile(mixed, -1, 1, 9, 4), cost, seconds)), "TooCostly")
            << c.what;
        EXPECT_FALSE(cost.own) << c.what;
    }

    // Objects of the editor's kinds, but thousands alive at once: the
    // platform walks its table for each create.
    std::vector<Bytes> crafted = Times(65534, Record(kCreateBrush, {0, 0xFF, 0, 0}));
    const Bytes pair =
        Join({Record(kCreateBrush, {0, 0xFF, 0, 0}), Record(kDeleteObject, {65534})});
    crafted.insert(crafted.end(), (risovik::kMaxRecordingBytes - 65534 * 14) / 22 - 100, pair);
    EXPECT_EQ(Name(TimedCheck(Metafile(crafted, -1, 1, 9, 65535), cost, seconds)), "TooCostly");
    EXPECT_LT(seconds, 1.0);
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

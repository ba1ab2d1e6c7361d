// Timings of the editor's file work, printed (run by hand under Wine):
//   save of a 450 x 400 canvas (45,000 writes of 16 bytes),
//   open of a 1024 x 768 .bmp file,
//   save, load and playback of a recording of 10,000 shapes.
// Usage: risovik_files_bench.exe [runs]   (files go to the temporary folder)
#include "platform/gdi.h"
#include "platform/win32.h"
#include "win32/bitmap_io.h"
#include "model/metafile_records.h"
#include "model/recording_file.h"
#include "win32/recordings.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using risovik::win::LoadPicture;
using risovik::win::LoadRecording;
using risovik::win::SavePictureAs;
using risovik::win::SaveRecordingTo;

double Now() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figures {
    std::vector<double> ms;
    void print(const char* what) const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        double sum = 0;
        for (double m : ms)
            sum += m;
        std::printf("%-44s runs %2zu  min %8.1f ms  median %8.1f ms  mean %8.1f ms\n", what,
                    ms.size(), sorted.front(), sorted[sorted.size() / 2], sum / ms.size());
    }
};

// A canvas surface as the editor has one: a memory DC holding a picture.
class Canvas {
  public:
    Canvas(int width, int height) {
        const desk::WindowDc screen(nullptr);
        surface_ = desk::PictureDc(screen.get());
        picture_.reset(CreateCompatibleBitmap(screen.get(), width, height));
        surface_.select(picture_.get());
        for (int y = 0; y < height; y += 3)
            for (int x = 0; x < width; x += 3)
                SetPixel(dc(), x, y, RGB(x & 0xFF, y & 0xFF, (x + y) & 0xFF));
    }
    HDC dc() const { return surface_.get(); }
    HBITMAP picture() const { return picture_.get(); }

  private:
    desk::Bitmap picture_;
    desk::PictureDc surface_;
};

// One shape as the paint step records it: pen and brush made, selected,
// the rectangle, the previous brush and pen back, brush and pen deleted.
void RecordRectangle(HDC recording, int i) {
    const COLORREF colour = (i % 2) ? RGB(255, 0, 0) : RGB(0, 0, 255);
    const desk::Pen pen(CreatePen(PS_SOLID, 2, colour));
    const desk::Brush brush(CreateSolidBrush(colour));
    const desk::Selection withPen(recording, pen.get());
    const desk::Selection withBrush(recording, brush.get());
    const int x = (i * 37) % 400, y = (i * 53) % 350;
    Rectangle(recording, x, y, x + 40, y + 30);
}

// A metafile image built record by record, as a hostile or foreign file may
// hold it: no platform call decides what goes in.
class RawMetafile {
  public:
    explicit RawMetafile(std::uint16_t objects = 8) : objects_(objects) {}
    RawMetafile& add(std::uint16_t function, std::initializer_list<int> words) {
        return add(function, std::vector<int>(words));
    }
    RawMetafile& add(std::uint16_t function, const std::vector<int>& words) {
        const auto size = static_cast<std::uint32_t>(3 + words.size());
        put(size & 0xFFFF);
        put(size >> 16);
        put(function);
        for (int w : words)
            put(static_cast<std::uint32_t>(w) & 0xFFFF);
        return *this;
    }
    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        auto word = [&](std::uint32_t w) {
            out.push_back(static_cast<std::uint8_t>(w & 0xFF));
            out.push_back(static_cast<std::uint8_t>((w >> 8) & 0xFF));
        };
        const auto total = static_cast<std::uint32_t>(9 + body_.size() / 2 + 3);
        for (std::uint32_t w : {1u, 9u, 0x300u, total & 0xFFFF, total >> 16,
                                static_cast<std::uint32_t>(objects_), 9u, 0u, 0u})
            word(w);
        out.insert(out.end(), body_.begin(), body_.end());
        for (std::uint32_t w : {3u, 0u, 0u})
            word(w);
        return out;
    }

  private:
    void put(std::uint32_t w) {
        body_.push_back(static_cast<std::uint8_t>(w & 0xFF));
        body_.push_back(static_cast<std::uint8_t>((w >> 8) & 0xFF));
    }
    std::uint16_t objects_;
    std::vector<std::uint8_t> body_;
};

namespace meta = risovik::meta;
constexpr std::uint16_t kCreatePen = meta::kCreatePen, kCreateBrush = meta::kCreateBrush,
                        kCreateFont = meta::kCreateFont, kSelect = meta::kSelectObject,
                        kDelete = meta::kDeleteObject;

// A pen of this width (solid or dashed) in entry 0 and a solid brush in
// entry 1, both selected, as the editor's shapes start.
void SelectPenAndBrush(RawMetafile& m, int width, int style = 0) {
    m.add(kCreatePen, {style, width, 0, 0x00FF, 0}).add(kSelect, {0});
    m.add(kCreateBrush, {0, 0x00FF, 0, 0}).add(kSelect, {1});
}

// A font of this height in entry 0, selected.
void SelectFont(RawMetafile& m, int height) {
    std::vector<int> font(25, 0);
    font[0] = height;
    font[4] = 400;
    m.add(kCreateFont, font).add(kSelect, {0});
}

double PlayMs(const std::vector<std::uint8_t>& bytes, int width = 450, int height = 400) {
    HMETAFILE m = SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), bytes.data());
    Canvas canvas(width, height);
    const double start = Now();
    risovik::win::PlayRecording(canvas.dc(), m);
    const double ms = Now() - start;
    DeleteMetaFile(m);
    return ms;
}

double CheckMs(const std::vector<std::uint8_t>& bytes, risovik::RecordingCost* cost) {
    const double start = Now();
    risovik::CheckRecording(bytes.data(), bytes.size(), risovik::kStartCanvasPixels, cost);
    return Now() - start;
}

// One kind of record with the parameters that make it cost what it costs.
struct KindCase {
    const char* what;
    int count;                           // records of the kind in one file
    void (*setup)(RawMetafile&);         // before them, not timed apart
    void (*record)(RawMetafile&, int i); // the i-th record
};

void Text(RawMetafile& m, int count, int x, int y) {
    std::vector<int> w = {count};
    for (int c = 0; c < count; c += 2)
        w.push_back(0x4D57); // "WM"
    w.push_back(y);
    w.push_back(x);
    m.add(meta::kTextOut, w);
}

// The setups: a pen of this width and style (1: dashed) and a brush, both
// selected.
template <int Width, int Style = 0> void Pens(RawMetafile& m) {
    SelectPenAndBrush(m, Width, Style);
}

// The same record every time.
template <std::uint16_t Function, int... Words> void Same(RawMetafile& m, int) {
    m.add(Function, {Words...});
}

// A line of about 64000 pixels, back and forth.
void LongLine(RawMetafile& m, int i) {
    m.add(meta::kLineTo, {(i % 2) ? 32000 : -32000, (i % 2) ? -32000 : 32000});
}

// A line across the canvas, back and forth.
void Across(RawMetafile& m, int i) {
    m.add(meta::kLineTo, {200 + i % 2, (i % 2) * 449});
}

// Points swinging between -Spread and Spread, one row further each.
template <std::uint16_t Function, int Spread> void Zigzag(RawMetafile& m, int i) {
    std::vector<int> w = {64};
    for (int k = 0; k < 64; ++k)
        w.insert(w.end(), {(k % 2) ? Spread : -Spread, (k * 137 + i) % 400});
    m.add(Function, w);
}

// Points scattered over a Width x Height box.
template <int Points, int Width, int Height> void Scatter(RawMetafile& m, int i) {
    std::vector<int> w = {Points};
    for (int k = 0; k < Points; ++k)
        w.insert(w.end(), {(k * 7919 + i) % Width, (k * 104729) % Height});
    m.add(meta::kPolygon, w);
}

constexpr int kFar = 32000, kNear = -32000;

const KindCase kKindCases[] = {
    {"SetBkMode", 20000, nullptr, [](RawMetafile& m, int i) { m.add(meta::kSetBkMode, {1 + i % 2}); }},
    {"SetTextColor", 20000, nullptr,
     [](RawMetafile& m, int i) { m.add(meta::kSetTextColor, {i & 0xFF, 0}); }},
    {"MoveTo", 20000, nullptr,
     [](RawMetafile& m, int i) { m.add(meta::kMoveTo, {i % 400, i % 450}); }},
    {"SelectObject (pen, brush)", 20000, Pens<2>,
     [](RawMetafile& m, int i) { m.add(kSelect, {i % 2}); }},
    {"SaveDC + RestoreDC(-1) pair", 10000, nullptr,
     [](RawMetafile& m, int) { m.add(meta::kSaveDc, {}).add(meta::kRestoreDc, {-1}); }},
    {"CreatePen + Select + Delete, entry 2", 10000, Pens<2>,
     [](RawMetafile& m, int) {
         m.add(kCreatePen, {1, 2, 0, 0xFF, 0}).add(kSelect, {2}).add(kDelete, {2});
     }},
    {"CreateBrush + Select + Delete, entry 2", 10000, Pens<2>,
     [](RawMetafile& m, int) {
         m.add(kCreateBrush, {0, 0xFF00, 0, 0}).add(kSelect, {2}).add(kDelete, {2});
     }},
    {"SetPixel", 20000, nullptr,
     [](RawMetafile& m, int i) { m.add(meta::kSetPixel, {0xFF, 0, i % 400, i % 450}); }},
    {"LineTo 10, pen 2", 20000, Pens<2>,
     [](RawMetafile& m, int i) { m.add(meta::kLineTo, {100 + (i % 2) * 10, 100}); }},
    {"LineTo 450 across, pen 2", 5000, Pens<2>, Across},
    {"LineTo 650 diagonal, dash pen 2", 5000, Pens<2, 1>,
     [](RawMetafile& m, int i) { m.add(meta::kLineTo, {(i % 2) * 454, (i % 2) * 649}); }},
    {"LineTo 64000, pen 2", 100, Pens<2>, LongLine},
    {"LineTo 450 across, pen 64", 2000, Pens<64>, Across},
    {"LineTo 64000, pen 64", 20, Pens<64>, LongLine},
    {"Rectangle 10 x 10, pen 2", 20000, Pens<2>, Same<meta::kRectangle, 60, 60, 50, 50>},
    {"Rectangle 450 x 400 (canvas), pen 2", 5000, Pens<2>, Same<meta::kRectangle, 400, 450, 0, 0>},
    {"Rectangle 650 x 455 (window), pen 2", 5000, Pens<2>, Same<meta::kRectangle, 455, 650, 0, 0>},
    {"Rectangle 64000, pen 2", 1000, Pens<2>, Same<meta::kRectangle, kFar, kFar, kNear, kNear>},
    {"Rectangle 64000, pen 64", 500, Pens<64>, Same<meta::kRectangle, kFar, kFar, kNear, kNear>},
    {"Ellipse 10 x 10, dash pen 2", 20000, Pens<2, 1>, Same<meta::kEllipse, 60, 60, 50, 50>},
    {"Ellipse 450 x 400, dash pen 2", 2000, Pens<2, 1>, Same<meta::kEllipse, 400, 450, 0, 0>},
    {"Ellipse 650 x 455, dash pen 2", 2000, Pens<2, 1>, Same<meta::kEllipse, 455, 650, 0, 0>},
    {"Ellipse 650 x 455, pen 64", 500, Pens<64>, Same<meta::kEllipse, 455, 650, 0, 0>},
    {"Ellipse 4000 x 4000, pen 2", 100, Pens<2>, Same<meta::kEllipse, 2000, 2000, -2000, -2000>},
    {"Ellipse 64000, pen 2", 10, Pens<2>, Same<meta::kEllipse, kFar, kFar, kNear, kNear>},
    {"Ellipse 64000, pen 64", 5, Pens<64>, Same<meta::kEllipse, kFar, kFar, kNear, kNear>},
    {"RoundRect 650 x 455 corner 100, pen 2", 1000, Pens<2>,
     Same<meta::kRoundRect, 100, 100, 455, 650, 0, 0>},
    {"RoundRect 64000 corner 64000, pen 2", 10, Pens<2>,
     Same<meta::kRoundRect, kFar, kFar, kFar, kFar, kNear, kNear>},
    {"Pie 650 x 455, pen 2", 1000, Pens<2>, Same<meta::kPie, 0, 0, 455, 650, 455, 650, 0, 0>},
    {"Chord 64000, pen 2", 10, Pens<2>, Same<meta::kChord, 0, 0, 1, 1, kFar, kFar, kNear, kNear>},
    {"Arc 64000, pen 64", 5, Pens<64>, Same<meta::kArc, 0, 0, 1, 1, kFar, kFar, kNear, kNear>},
    {"Polyline 64 points over 450, pen 2", 1000, Pens<2>,
     [](RawMetafile& m, int i) {
         std::vector<int> w = {64};
         for (int k = 0; k < 64; ++k)
             w.insert(w.end(), {(k % 2) ? 449 : 0, (k * 6 + i) % 400});
         m.add(meta::kPolyline, w);
     }},
    {"Polyline 64 points over 40000, pen 2", 100, Pens<2>, Zigzag<meta::kPolyline, 20000>},
    {"Polyline 64 points over 40000, pen 64", 10, Pens<64>, Zigzag<meta::kPolyline, 20000>},
    {"Polygon 64 points over 40000, pen 2", 100, Pens<2>, Zigzag<meta::kPolygon, 20000>},
    {"Polygon 2000 points in 450 x 400, pen 2", 20, Pens<2>, Scatter<2000, 450, 400>},
    {"Ellipse 450 x 400, pen 2", 200, Pens<2>, Same<meta::kEllipse, 400, 450, 0, 0>},
    {"Ellipse 450 x 400, pen 1", 200, Pens<1>, Same<meta::kEllipse, 400, 450, 0, 0>},
    {"Ellipse 100 x 100, dash pen 2", 500, Pens<2, 1>, Same<meta::kEllipse, 200, 200, 100, 100>},
    {"Ellipse 200 x 200, dash pen 2", 200, Pens<2, 1>, Same<meta::kEllipse, 300, 300, 100, 100>},
    {"Ellipse 4000 x 4000, dash pen 2", 10, Pens<2, 1>,
     Same<meta::kEllipse, 2000, 2000, -2000, -2000>},
    {"Ellipse 64000, dash pen 2", 3, Pens<2, 1>, Same<meta::kEllipse, kFar, kFar, kNear, kNear>},
    {"Ellipse 64000, dash pen 64", 3, Pens<64, 1>, Same<meta::kEllipse, kFar, kFar, kNear, kNear>},
    {"Ellipse 450 x 400, dash pen 64", 20, Pens<64, 1>, Same<meta::kEllipse, 400, 450, 0, 0>},
    {"Rectangle 64000, dash pen 64", 20, Pens<64, 1>,
     Same<meta::kRectangle, kFar, kFar, kNear, kNear>},
    {"LineTo 64000, dash pen 64", 5, Pens<64, 1>, LongLine},
    {"LineTo 64000, dash pen 2", 5, Pens<2, 1>, LongLine},
    {"Polyline 64 points over 40000, dash pen 64", 3, Pens<64, 1>,
     Zigzag<meta::kPolyline, 20000>},
    {"Polygon 200 points in 450 x 400, pen 2", 20, Pens<2>, Scatter<200, 450, 400>},
    {"Polygon 600 points in 450 x 400, pen 2", 20, Pens<2>, Scatter<600, 450, 400>},
    {"Polygon 2000 points in 450 x 400, pen 1", 5, Pens<1>, Scatter<2000, 450, 400>},
    {"Polygon 2000 points in 4000 x 4000, pen 1", 5, Pens<1>, Scatter<2000, 4000, 4000>},
    {"PolyPolygon 100 x 20 points in 450 x 400", 5, Pens<1>,
     [](RawMetafile& m, int i) {
         std::vector<int> w = {100};
         for (int k = 0; k < 100; ++k)
             w.push_back(20);
         for (int k = 0; k < 2000; ++k)
             w.insert(w.end(), {(k * 7919 + i) % 450, (k * 104729) % 400});
         m.add(meta::kPolyPolygon, w);
     }},
    {"TextOut 12 chars, stock font", 20000, nullptr,
     [](RawMetafile& m, int i) { Text(m, 12, i % 400, i % 380); }},
    {"TextOut 200 chars, stock font", 1000, nullptr,
     [](RawMetafile& m, int i) { Text(m, 200, -100, i % 380); }},
    {"TextOut 12 chars, font 256", 500, [](RawMetafile& m) { SelectFont(m, 256); },
     [](RawMetafile& m, int i) { Text(m, 12, 0, i % 200); }},
    {"TextOut 200 chars, font 256", 50, [](RawMetafile& m) { SelectFont(m, 256); },
     [](RawMetafile& m, int i) { Text(m, 200, -3000, i % 200); }},
    {"ExtTextOut 2 chars, opaque 64000 box", 1000, nullptr,
     Same<meta::kExtTextOut, 10, 10, 2, 2, kNear, kNear, kFar, kFar, 0x4D57>},
};

// Playback time of each kind of record, measured per record: the figures the
// check's cost model is calibrated to.
void MeasureRecordKinds(int runs, const char* filter) {
    std::printf("\nplayback per record on a 450 x 400 canvas (median of %d runs)\n", runs);
    std::printf("%-44s %8s %12s %10s %10s\n", "record", "records", "us/record", "model us",
                "check ms");
    for (const KindCase& c : kKindCases) {
        if (filter && !std::strstr(c.what, filter))
            continue;
        RawMetafile base;
        if (c.setup)
            c.setup(base);
        RawMetafile full = base;
        for (int i = 0; i < c.count; ++i)
            c.record(full, i);
        const auto baseBytes = base.bytes(), fullBytes = full.bytes();
        std::vector<double> per;
        for (int r = 0; r < runs; ++r)
            per.push_back((PlayMs(fullBytes) - PlayMs(baseBytes)) * 1000.0 / c.count);
        std::sort(per.begin(), per.end());
        risovik::RecordingCost baseCost, fullCost;
        CheckMs(baseBytes, &baseCost);
        const double checkMs = CheckMs(fullBytes, &fullCost);
        // The model's figure from the most records of the kind the check
        // lets through (a refused file's cost stops where the check stopped).
        int modelled = c.count;
        risovik::RecordingCost partCost = fullCost;
        for (;;) {
            RawMetafile part = base;
            for (int i = 0; i < modelled; ++i)
                c.record(part, i);
            const auto bytes = part.bytes();
            if (risovik::CheckRecording(bytes.data(), bytes.size(), risovik::kStartCanvasPixels,
                                        &partCost) == risovik::RecordingCheck::Playable ||
                modelled == 1)
                break;
            modelled /= 2;
        }
        std::printf("%-44s %8d %12.2f %10.2f %10.3f%s\n", c.what, c.count, per[per.size() / 2],
                    static_cast<double>(partCost.units - baseCost.units) / modelled, checkMs,
                    fullCost.own ? "  (own)" : "");
    }
}

// Fills on the largest pictures the editor opens: ellipses of 64000 with the
// stock pen over an 8192 x 8192 canvas, and one long polyline.
void MeasureLargeCanvas() {
    RawMetafile one, four;
    for (int i = 0; i < 4; ++i)
        four.add(meta::kEllipse, {32000, 32000, -32000, -32000});
    const double base = PlayMs(one.bytes(), 8192, 8192);
    std::printf("\n4 ellipses of 64000, stock pen, on 8192 x 8192: %.1f ms\n",
                PlayMs(four.bytes(), 8192, 8192) - base);
    std::vector<int> zigzag = {200};
    for (int i = 0; i < 200; ++i)
        zigzag.insert(zigzag.end(), {(i % 2) ? 15000 : -15000, i * 100});
    RawMetafile line;
    line.add(meta::kPolyline, zigzag);
    std::printf("polyline of 200 points over 30000, stock pen: %.1f ms\n", PlayMs(line.bytes()));
}

// The crafted slot: the object table filled up to its last entry, then
// "create a brush, delete the last entry" as often as the size cap allows.
void MeasureCraftedSlot() {
    RawMetafile m(65535);
    for (int i = 0; i < 65534; ++i)
        m.add(kCreateBrush, {0, i & 0xFF, 0, 0});
    const int pairs = static_cast<int>((risovik::kMaxRecordingBytes - 65534 * 14) / 22) - 100;
    for (int i = 0; i < pairs; ++i)
        m.add(kCreateBrush, {0, 0xFF, 0, 0}).add(kDelete, {65534});
    const auto bytes = m.bytes();
    risovik::RecordingCost cost;
    const double ms = CheckMs(bytes, &cost);
    std::printf("\ncrafted slot: 65534 objects, then %d create + delete pairs (%zu bytes)\n", pairs,
                bytes.size());
    std::printf("  check %.1f ms, result %d (7 = too costly), model cost when refused %.1f s\n", ms,
                static_cast<int>(risovik::CheckRecording(bytes.data(), bytes.size())),
                static_cast<double>(cost.units) / 1e6);
    // What the playback of a small part of it costs: the walk over the table.
    RawMetafile part(65535);
    for (int i = 0; i < 65534; ++i)
        part.add(kCreateBrush, {0, i & 0xFF, 0, 0});
    RawMetafile withPairs = part;
    for (int i = 0; i < 20000; ++i)
        withPairs.add(kCreateBrush, {0, 0xFF, 0, 0}).add(kDelete, {65534});
    const double fill = PlayMs(part.bytes()), both = PlayMs(withPairs.bytes());
    std::printf("  playback: filling the table %.1f ms, each pair after it %.2f us\n", fill,
                (both - fill) * 1000.0 / 20000);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "risovik_files_bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());

    if (argc > 2) { // one group of record kinds only
        MeasureRecordKinds(runs, argv[2]);
        if (std::strcmp(argv[2], "large") == 0)
            MeasureLargeCanvas();
        return 0;
    }

    Figures save;
    {
        Canvas canvas(450, 400);
        for (int i = 0; i < runs; ++i) {
            const double start = Now();
            SavePictureAs("canvas", canvas.picture(), canvas.dc());
            save.ms.push_back(Now() - start);
        }
    }
    save.print("save 450 x 400 canvas (target < 300 ms)");

    Figures open;
    {
        Canvas big(1024, 768);
        SavePictureAs("big", big.picture(), big.dc());
        for (int i = 0; i < runs; ++i) {
            const double start = Now();
            HBITMAP picture = LoadPicture("big.bmp");
            open.ms.push_back(Now() - start);
            if (!picture)
                std::printf("big.bmp did not load\n");
            DeleteObject(picture);
        }
    }
    open.print("open 1024 x 768 file (target < 100 ms)");

    Figures saveRecording, loadRecording, playRecording, total;
    for (int i = 0; i < runs; ++i) {
        HDC recording = CreateMetaFileA(nullptr);
        for (int s = 0; s < 10000; ++s)
            RecordRectangle(recording, s);
        Canvas canvas(450, 400);
        double start = Now();
        SaveRecordingTo(recording, "Meta.wmf");
        const double saved = Now();
        HMETAFILE loaded = LoadRecording("Meta.wmf");
        const double opened = Now();
        if (!loaded)
            std::printf("Meta.wmf did not load\n");
        risovik::win::PlayRecording(canvas.dc(), loaded);
        const double played = Now();
        saveRecording.ms.push_back(saved - start);
        loadRecording.ms.push_back(opened - saved);
        playRecording.ms.push_back(played - opened);
        total.ms.push_back(played - start);
        DeleteMetaFile(loaded);
        DeleteMetaFile(CloseMetaFile(recording));
    }
    saveRecording.print("save recording of 10,000 shapes");
    loadRecording.print("open (load and check) that recording");
    playRecording.print("play it over the canvas");
    total.print("save + open + play (target < 1 s)");

    MeasureRecordKinds(runs, nullptr);
    MeasureLargeCanvas();
    MeasureCraftedSlot();

    DeleteFileA("canvas.bmp");
    DeleteFileA("big.bmp");
    DeleteFileA("Meta.wmf");
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(folder.c_str());
    return 0;
}

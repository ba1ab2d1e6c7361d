// Timings of the editor's file work, printed (run by hand under Wine):
//   save of a 450 x 400 canvas (45,000 writes of 16 bytes),
//   open of a 1024 x 768 .bmp file,
//   save, load and playback of a recording of 10,000 shapes.
// Usage: risovik_files_bench.exe [runs]   (files go to the temporary folder)
#include "platform/win32.h"
#include "win32/bitmap_io.h"
#include "model/recording_file.h"
#include "win32/recordings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
struct Canvas {
    Canvas(int width, int height) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        picture = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        first = SelectObject(dc, picture);
        for (int y = 0; y < height; y += 3)
            for (int x = 0; x < width; x += 3)
                SetPixel(dc, x, y, RGB(x & 0xFF, y & 0xFF, (x + y) & 0xFF));
    }
    ~Canvas() {
        SelectObject(dc, first);
        DeleteDC(dc);
        DeleteObject(picture);
    }
    HDC dc;
    HBITMAP picture;
    HGDIOBJ first;
};

// One shape as the paint step records it: pen and brush made, selected,
// the rectangle, the previous ones back, pen and brush deleted.
void RecordRectangle(HDC recording, int i) {
    const COLORREF colour = (i % 2) ? RGB(255, 0, 0) : RGB(0, 0, 255);
    HPEN pen = CreatePen(PS_SOLID, 2, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldPen = SelectObject(recording, pen);
    HGDIOBJ oldBrush = SelectObject(recording, brush);
    const int x = (i * 37) % 400, y = (i * 53) % 350;
    Rectangle(recording, x, y, x + 40, y + 30);
    SelectObject(recording, oldPen);
    SelectObject(recording, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "risovik_files_bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());

    Figures save;
    {
        Canvas canvas(450, 400);
        for (int i = 0; i < runs; ++i) {
            const double start = Now();
            SavePictureAs("canvas", canvas.picture, canvas.dc);
            save.ms.push_back(Now() - start);
        }
    }
    save.print("save 450 x 400 canvas (target < 300 ms)");

    Figures open;
    {
        Canvas big(1024, 768);
        SavePictureAs("big", big.picture, big.dc);
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
        risovik::win::PlayRecording(canvas.dc, loaded);
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

    // The costliest slots the check still accepts: each is made as close to
    // the drawing budget as its kind allows, and must play within about a second.
    struct Costly {
        const char* what;
        void (*draw)(HDC, int);
    };
    const Costly costly[] = {
        {"ellipses of 64000 x 64000", [](HDC r, int) { Ellipse(r, -32000, -32000, 32000, 32000); }},
        {"wide lines across 64000",
         [](HDC r, int i) {
             MoveToEx(r, -32000, -32000 + i, nullptr);
             LineTo(r, 32000, 32000 - i);
         }},
        {"zigzag polylines of 64 points",
         [](HDC r, int i) {
             POINT p[64];
             for (int k = 0; k < 64; ++k)
                 p[k] = POINT{(k % 2) ? 20000 : -20000, (k * 137 + i) % 400};
             Polyline(r, p, 64);
         }},
    };
    for (const Costly& c : costly) {
        // Double the shapes while the check accepts the recording (so the one
        // played holds at least half the budget's worth).
        std::vector<std::uint8_t> accepted;
        for (int n = 1; n < 100000; n *= 2) {
            HDC r = CreateMetaFileA(nullptr);
            HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
            SelectObject(r, pen);
            for (int i = 0; i < n; ++i)
                c.draw(r, i);
            HMETAFILE m = CloseMetaFile(r);
            DeleteObject(pen);
            std::vector<std::uint8_t> bytes(GetMetaFileBitsEx(m, 0, nullptr));
            GetMetaFileBitsEx(m, static_cast<UINT>(bytes.size()), bytes.data());
            DeleteMetaFile(m);
            if (risovik::CheckRecording(bytes.data(), bytes.size()) !=
                risovik::RecordingCheck::Playable)
                break;
            accepted = bytes;
        }
        HMETAFILE m = SetMetaFileBitsEx(static_cast<UINT>(accepted.size()), accepted.data());
        Canvas canvas(450, 400);
        const double start = Now();
        risovik::win::PlayRecording(canvas.dc, m);
        std::printf("largest accepted slot of %-30s %8.1f ms (%zu bytes)\n", c.what, Now() - start,
                    accepted.size());
        DeleteMetaFile(m);
    }

    DeleteFileA("canvas.bmp");
    DeleteFileA("big.bmp");
    DeleteFileA("Meta.wmf");
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(folder.c_str());
    return 0;
}

// Timings of the editor's pixel transforms and of a repaint with a shape, on
// a real window and GDI. Run by hand under Wine (or on Windows); prints
// figures and asserts nothing:
//   scripts/wine-exec <build>/bin/risovik_bench.exe
#include "resource.h"
#include "win32/editor_window.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs `prepare` (untimed) then `step` (timed) `runs` times and prints
// the fastest, median and slowest time.
void Measure(const char* what, int runs, const std::function<void()>& prepare,
             const std::function<void()>& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const double start = NowMs();
        step();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-40s runs %4d  min %8.3f ms  median %8.3f ms  max %8.3f ms\n", what, runs,
                times.front(), times[times.size() / 2], times.back());
}

} // namespace

int main() {
    using namespace risovik::win;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterEditorClass(instance);
    HWND hwnd = CreateEditorWindow(instance);
    if (!hwnd) {
        std::printf("the editor window could not be made\n");
        return 1;
    }
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    auto command = [hwnd](int id) { SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0); };
    auto drag = [hwnd](int x0, int y0, int x1, int y1) {
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
        UpdateWindow(hwnd);
    };
    // A full canvas: every pixel coloured, so every copied pixel is a real one.
    auto fill = [&] {
        Handles().canvasSurface.select(Handles().canvas.get());
        HDC dc = Handles().canvasSurface.get();
        for (int y = 0; y < 400; y += 4)
            for (int x = 0; x < 450; ++x)
                SetPixel(dc, x, y, RGB(x % 256, y % 256, 128));
        command(IDC_MAGENTA);
        command(IDC_ELLIPSE_TOOL);
        drag(20, 20, 430, 380);
    };
    fill();
    Measure("quarter turn (command 12)", 20, fill, [&] { command(IDC_ROTATE); });
    Measure("halving (command 13)", 20, fill, [&] { command(IDC_SCALE); });

    command(IDC_RED);
    command(IDC_RECTANGLE_TOOL);
    drag(50, 60, 400, 350);
    auto repaint = [hwnd] {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    };
    Measure(
        "repaint with a rectangle", 200, [] {}, repaint);
    command(IDC_TEXT_TOOL);
    SetWindowTextA(Handles().textField, "benchmark12345");
    Measure(
        "repaint with a text", 200, [] {}, repaint);
    DestroyWindow(hwnd);
    return 0;
}

// Measures one repaint of polzun's window with the heaviest picture the game
// can show: 200 entries and all ten bars. Prints the figures; checks nothing
// about time.
//   polzun_bench.exe [repaints]
#include "win32/snake_window.h"

#include "platform/testing/memory_surface.h"

#include <cstdio>
#include <cstdlib>

namespace {

// 200 entries as four rows of 50, head at (590, 530) on free ground.
void LayFullSnake(snake::SnakeGame& g) {
    g.segmentCount = snake::kCapacity;
    for (int i = 0; i < snake::kCapacity; ++i) {
        const int row = i / 50;
        const int col = row % 2 == 0 ? 49 - i % 50 : i % 50;
        g.segments[static_cast<size_t>(i)] = snake::Cell{100 + col * 10, 500 + row * 10};
    }
    g.score = snake::kScoreLimit;
    g.food = snake::Cell{700, 300};
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    const int repaints = argc > 1 ? std::atoi(argv[1]) : 2000;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    snake::WindowHandles& handles = snake::Handles();
    snake::SnakeGame& game = snake::Game();
    lstrcpyW(handles.title, L"polzun");
    lstrcpyW(handles.className, L"POLZUN");
    snake::RegisterSnakeClass(instance);
    HWND hwnd = snake::CreateSnakeWindow(instance, SW_SHOWNORMAL);
    if (!hwnd) {
        std::printf("no window\n");
        return 1;
    }
    RECT outer{0, 0, 800, 600};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    MoveWindow(hwnd, 0, 0, outer.right - outer.left, outer.bottom - outer.top, TRUE);
    UpdateWindow(hwnd);
    LayFullSnake(game);

    // Window repaints: erase by the class brush, then the whole frame.
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < repaints; ++i) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
    QueryPerformanceCounter(&t1);
    const double window = Seconds(t0, t1) / repaints;
    const bool intact = game.segmentCount == snake::kCapacity && game.score == 200;

    // The same frame drawn into a memory surface: the drawing calls alone.
    desk::testing::MemorySurface surface(800, 600);
    snake::Win32SnakePlatform platform(surface.dc());
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < repaints; ++i) {
        snake::PaintFrame(game, platform);
    }
    QueryPerformanceCounter(&t1);
    const double memory = Seconds(t0, t1) / repaints;

    RECT rc;
    GetClientRect(hwnd, &rc);
    std::printf("repaint with %d entries and %d bars, client %ldx%ld, %d repaints\n",
                game.segmentCount, game.activeBars(), rc.right, rc.bottom, repaints);
    std::printf("  window repaint (erase + frame): %.3f ms\n", window * 1000.0);
    std::printf("  frame into a memory surface:    %.3f ms\n", memory * 1000.0);
    std::printf("  state after the run: %s\n", intact ? "intact" : "CHANGED (a rule fired)");
    DestroyWindow(hwnd);
    return intact ? 0 : 1;
}

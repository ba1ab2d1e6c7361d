// Measures the brick game's play frames in the real window under Wine (or
// Windows): the cost of one play frame without its wait, and the play steps
// per second at each of the five speeds with the ball in flight. Prints the
// figures; asserts nothing.
//   scripts/wine-exec build/mingw/bin/brick_frame_bench.exe [seconds per speed]
#include "win32/game_window.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

BOOL WINAPI Silent(LPCSTR, HMODULE, DWORD) {
    return TRUE;
}

// Keeps the ball in play: the paddle stays under the ball, so the ball flies
// round after round between the paddle, the walls and the bricks.
void Autopilot() {
    brick::BrickGame& game = brickwin::Game();
    game.paddleX = game.ballX - 25;
}

// Enter on the title, Enter again to skip the intro, then a launch.
void StartFlight(HWND hwnd) {
    brick::BrickGame& game = brickwin::Game();
    if (!game.isPlaying) {
        SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
        SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
        if (!game.isPlaying)
            SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
    }
    if (!game.ballInFlight)
        SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
}

struct Run {
    long frames = 0;
    double seconds = 0;
    long bricks = 0;
};

// Dispatches the window's messages for `seconds`, counting the WM_PAINT
// messages that ran a play frame with the ball in flight.
Run Measure(HWND hwnd, double seconds) {
    brick::BrickGame& game = brickwin::Game();
    Run run;
    const auto start = Clock::now();
    const int scoreAtStart = game.score;
    while (true) {
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (elapsed >= seconds) {
            run.seconds = elapsed;
            break;
        }
        StartFlight(hwnd);
        Autopilot();
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            continue;
        const bool playFrame =
            msg.message == WM_PAINT && msg.hwnd == hwnd && game.isPlaying && game.ballInFlight;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (playFrame)
            ++run.frames;
    }
    run.bricks = (game.score - scoreAtStart) / 100;
    return run;
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    brickwin::Platform().setSoundFunction(&Silent);
    if (!brickwin::StartUp(instance)) {
        std::fprintf(stderr, "brick_frame_bench: the window class could not be registered\n");
        return 1;
    }
    HWND hwnd = brickwin::CreateGameWindow(instance, SW_SHOW);
    if (!hwnd) {
        std::fprintf(stderr, "brick_frame_bench: the window could not be created\n");
        return 1;
    }
    brick::BrickGame& game = brickwin::Game();
    std::printf("one count of the play wait: %.1f ns target, %u spins\n",
                brickwin::kNanosecondsPerCount, brickwin::Platform().wait().spinsPerCount());

    // The frame alone: a wait of no counts.
    StartFlight(hwnd);
    Measure(hwnd, 0.5);
    game.delayLoops = 0;
    const Run bare = Measure(hwnd, seconds);
    const double frameUs = bare.frames ? bare.seconds * 1e6 / bare.frames : 0;
    std::printf(
        "play frame without its wait: %.1f us (%ld frames in %.2f s; target under 200 us)\n",
        frameUs, bare.frames, bare.seconds);

    // Of that, the repaint request with BeginPaint/EndPaint of the same
    // update region alone, without drawing.
    const int n = 3000;
    auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) {
        const RECT box{game.ballX - 1, game.ballY - 1, game.ballX + 11, game.ballY + 11};
        InvalidateRect(hwnd, &box, TRUE);
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
    }
    // Those paints took the play frames' own repaint request: ask again.
    InvalidateRect(hwnd, nullptr, TRUE);
    const double bracketUs =
        std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / n;
    std::printf("  of which the repaint request and BeginPaint/EndPaint alone: %.1f us\n",
                bracketUs);

    const struct {
        int id;
        const char* name;
    } speeds[] = {{brick::cmd::SpeedVerySlow, "very slow"},
                  {brick::cmd::SpeedSlow, "slow"},
                  {brick::cmd::SpeedNormal, "normal"},
                  {brick::cmd::SpeedFast, "fast"},
                  {brick::cmd::SpeedVeryFast, "very fast"}};
    for (const auto& s : speeds) {
        brick::SetSpeed(game, s.id);
        const Run r = Measure(hwnd, seconds);
        std::printf("speed %-9s (%6d counts): %8.1f play steps per second, %ld bricks broken\n",
                    s.name, game.delayLoops, r.frames / r.seconds, r.bricks);
    }
    brick::SetSpeed(game, brick::cmd::SpeedNormal);
    std::printf("normal speed target: 300 steps per second (225 to 375)\n");
    DestroyWindow(hwnd);
    return 0;
}

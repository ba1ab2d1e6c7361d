// Measures the brick game's play frames in the real window under Wine (or
// Windows): the cost of one play frame without its wait, and the play steps
// per second at each of the five speeds with the ball in flight, then a whole
// round at the fastest speed. Prints the figures; asserts nothing.
//   scripts/wine-exec build/mingw/bin/brick_frame_bench.exe [seconds per speed]
#include "win32/game_window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MicrosecondsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::micro>(Clock::now() - t).count();
}

BOOL WINAPI Silent(LPCSTR, HMODULE, DWORD) {
    return TRUE;
}

// Keeps the ball in play: the paddle stays under the ball, at an offset that
// changes after every bounce so that the ball reaches every brick.
class Autopilot {
  public:
    void steer() {
        brick::BrickGame& game = brickwin::Game();
        if (game.ballY < 300 && !chosen_) {
            seed_ = seed_ * 1103515245u + 12345u;
            offset_ = -20 + static_cast<int>((seed_ >> 16) % 80);
            chosen_ = true;
        } else if (game.ballY >= 300) {
            chosen_ = false;
        }
        game.paddleX = game.ballX - offset_;
    }

  private:
    unsigned seed_ = 12345;
    int offset_ = 25;
    bool chosen_ = false;
};

Autopilot g_pilot;

// Enter on the title (or Enter on a pause), Enter again to skip the intro,
// then a launch.
void StartFlight(HWND hwnd) {
    brick::BrickGame& game = brickwin::Game();
    if (!game.isPlaying && game.screenMode != brick::ModeReady) {
        SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
        if (!game.isPlaying)
            SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
    }
    if (game.isPlaying && !game.ballInFlight)
        SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
}

struct Run {
    long frames = 0;
    double flightSeconds = 0;    // time with the ball in flight
    std::vector<double> paintUs; // the dispatch of each play frame's WM_PAINT
    long bricks = 0;
    bool roundCleared = false;

    double stepsPerSecond() const { return flightSeconds > 0 ? frames / flightSeconds : 0; }
    double medianPaintUs() {
        if (paintUs.empty())
            return 0;
        std::nth_element(paintUs.begin(), paintUs.begin() + paintUs.size() / 2, paintUs.end());
        return paintUs[paintUs.size() / 2];
    }
};

// Dispatches the window's messages for `seconds` (or until the first round
// is cleared), counting the WM_PAINT messages that ran a play frame with the
// ball in flight and the time spent with the ball in flight.
Run Measure(HWND hwnd, double seconds, bool untilRoundCleared = false) {
    brick::BrickGame& game = brickwin::Game();
    Run run;
    const auto start = Clock::now();
    const int scoreAtStart = game.score;
    const int roundBaseAtStart = game.roundBase;
    while (MicrosecondsSince(start) < seconds * 1e6) {
        StartFlight(hwnd);
        g_pilot.steer();
        const bool inFlight = game.isPlaying && game.ballInFlight;
        const auto iteration = Clock::now();
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            const bool playFrame = inFlight && msg.message == WM_PAINT && msg.hwnd == hwnd;
            const auto t = Clock::now();
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (playFrame) {
                ++run.frames;
                run.paintUs.push_back(MicrosecondsSince(t));
            }
        }
        if (inFlight)
            run.flightSeconds += MicrosecondsSince(iteration) / 1e6;
        if (untilRoundCleared && game.roundBase != roundBaseAtStart) {
            run.roundCleared = true;
            break;
        }
    }
    run.bricks = (std::max(game.score, game.roundBase) - scoreAtStart) / 100;
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
    std::printf("one count of the play wait: %.1f ns, %u spins of the calibrated loop\n",
                brickwin::kNanosecondsPerCount, brickwin::Platform().wait().spinsPerCount());

    // The wait alone, as calibrated: the fastest run shows the calibration,
    // the median what the machine's other work leaves of it.
    std::vector<double> waits;
    for (int i = 0; i < 40; ++i) {
        const auto t = Clock::now();
        brickwin::Platform().countingWait(70000);
        waits.push_back(MicrosecondsSince(t));
    }
    std::sort(waits.begin(), waits.end());
    std::printf("counting wait of 70000 counts: fastest %.0f us, median %.0f us (%.0f us "
                "intended)\n",
                waits.front(), waits[waits.size() / 2],
                70000 * brickwin::kNanosecondsPerCount / 1000);

    // The frame alone: a wait of no counts.
    Measure(hwnd, 0.5);
    game.delayLoops = 0;
    Run bare = Measure(hwnd, seconds);
    std::printf("play frame without its wait: median %.1f us per WM_PAINT, %.0f frames per "
                "second with the message loop (target under 200 us)\n",
                bare.medianPaintUs(), bare.stepsPerSecond());

    // Of that, the repaint request with BeginPaint/EndPaint of the same
    // update region alone, without drawing.
    const int n = 3000;
    std::vector<double> bracket;
    for (int i = 0; i < n; ++i) {
        const auto t = Clock::now();
        const RECT box{game.ballX - 1, game.ballY - 1, game.ballX + 11, game.ballY + 11};
        InvalidateRect(hwnd, &box, TRUE);
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        bracket.push_back(MicrosecondsSince(t));
    }
    // Those paints took the play frames' own repaint request: ask again.
    InvalidateRect(hwnd, nullptr, TRUE);
    std::nth_element(bracket.begin(), bracket.begin() + n / 2, bracket.end());
    std::printf("  of which the repaint request and BeginPaint/EndPaint alone: median %.1f us\n",
                bracket[n / 2]);

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
        Run r = Measure(hwnd, seconds);
        std::printf("speed %-9s (%6d counts): %7.1f play steps per second (median frame "
                    "%.0f us), %ld bricks broken\n",
                    s.name, game.delayLoops, r.stepsPerSecond(), r.medianPaintUs(), r.bricks);
    }
    std::printf("normal speed target: 300 steps per second (225 to 375)\n");

    // The rest of the round at the fastest speed, until its last brick goes.
    brick::SetSpeed(game, brick::cmd::SpeedVeryFast);
    Run round = Measure(hwnd, 120.0, true);
    std::printf("the round played out at the fastest speed: %s after %ld play steps in %.1f s of "
                "flight, %.1f steps per second\n",
                round.roundCleared ? "cleared" : "not cleared in 120 s", round.frames,
                round.flightSeconds, round.stepsPerSecond());
    DestroyWindow(hwnd);
    return 0;
}

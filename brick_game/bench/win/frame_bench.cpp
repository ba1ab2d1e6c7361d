// Measures the brick game's play frames in the real window under Wine (or
// Windows): the play wait alone and the processor it takes, the cost of one
// play frame without its wait (drawn off-screen and, for comparison, straight
// into the window) against a bare paint loop in the same window, the play
// steps per second at the normal speed on the machine as it is and with both
// cores kept busy by the benchmark's own load with the processor the game's
// thread takes, at each of the five speeds,
// then a whole round at the fastest speed. Prints the figures; asserts
// nothing.
//   scripts/wine-exec build/mingw/bin/brick_frame_bench.exe [seconds per speed]
#include "win32/game_window.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MicrosecondsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::micro>(Clock::now() - t).count();
}

BOOL WINAPI Silent(LPCSTR, HMODULE, DWORD) {
    return TRUE;
}

double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

// The floor under every play frame: the game's own window, its procedure
// replaced by one that only begins and ends the paint and asks to repaint a
// ball-sized box with erasing (the box moves as the ball would); the class's
// black brush erases it. Returns the dispatch time of each WM_PAINT.
int g_floorX = 100;
LRESULT CALLBACK BarePaintProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    g_floorX = g_floorX >= 600 ? 100 : g_floorX + 1;
    const RECT box{g_floorX - 1, 299, g_floorX + 11, 311};
    InvalidateRect(hwnd, &box, TRUE);
    EndPaint(hwnd, &ps);
    return 0;
}

std::vector<double> MeasureBarePaints(HWND hwnd, double seconds) {
    const LONG_PTR game =
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BarePaintProc));
    InvalidateRect(hwnd, nullptr, TRUE);
    std::vector<double> us;
    const auto start = Clock::now();
    while (MicrosecondsSince(start) < seconds * 1e6) {
        MSG msg;
        if (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) {
            const bool paint = msg.message == WM_PAINT;
            const auto t = Clock::now();
            DispatchMessageW(&msg);
            if (paint)
                us.push_back(MicrosecondsSince(t));
        }
    }
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, game);
    // The bare paints took the play frames' own repaint request: ask again.
    InvalidateRect(hwnd, nullptr, TRUE);
    return us.size() > 20 ? std::vector<double>(us.begin() + 20, us.end()) : us;
}

// CPU time of the calling thread, in seconds.
double ThreadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& f) {
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
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
    std::vector<double> stepUs;  // from one play frame's end to the next one's
    long bricks = 0;
    bool roundCleared = false;

    double stepsPerSecond() const { return flightSeconds > 0 ? frames / flightSeconds : 0; }
    // Steps that came more than 5 % later than `periodUs` after the one before.
    double lateShare(double periodUs) const {
        long late = 0;
        for (double us : stepUs)
            late += us > periodUs * 1.05 ? 1 : 0;
        return stepUs.empty() ? 0 : 100.0 * late / stepUs.size();
    }
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
    auto lastFrame = start;
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
                if (run.frames > 1)
                    run.stepUs.push_back(MicrosecondsSince(lastFrame));
                lastFrame = Clock::now();
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

// Keeps every core busy with a counting loop while it lives, and at most
// for a minute.
class CoreLoad {
  public:
    CoreLoad() {
        const unsigned n = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < n; ++i) {
            threads_.emplace_back([this] {
                const auto end = Clock::now() + std::chrono::seconds(60);
                volatile unsigned long sink = 0;
                while (!stop_ && Clock::now() < end)
                    for (int k = 0; k < 100000; ++k)
                        sink = sink + 1;
            });
        }
    }
    ~CoreLoad() {
        stop_ = true;
        for (std::thread& t : threads_)
            t.join();
    }
    size_t threads() const { return threads_.size(); }

  private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

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
    // The wait alone, waits following each other: each ends one wait's
    // length after the previous one.
    std::vector<double> waits;
    const double waitCpuBefore = ThreadCpuSeconds();
    const auto waitsStart = Clock::now();
    auto last = Clock::now();
    for (int i = 0; i < 40; ++i) {
        brickwin::Platform().countingWait(70000, i == 0);
        waits.push_back(MicrosecondsSince(last));
        last = Clock::now();
    }
    const double waitCpu =
        100.0 * (ThreadCpuSeconds() - waitCpuBefore) / (MicrosecondsSince(waitsStart) / 1e6);
    std::sort(waits.begin() + 1, waits.end());
    std::printf("counting wait of 70000 counts, one after another: median %.0f us, longest %.0f "
                "us (%.0f us intended); %.1f %% of a core while waiting (%s timer)\n",
                waits[waits.size() / 2], waits.back(), 70000 * 1e6 / brickwin::kCountsPerSecond,
                waitCpu,
                brickwin::Platform().clock().highResolution() ? "high-resolution" : "1 ms");

    // The frame alone, a wait of no counts, drawn off-screen and straight
    // into the window, against the bare paint loop in the same window: in
    // turns, so that both see the machine alike.
    Measure(hwnd, 0.5);
    game.delayLoops = 0;
    Run bare, direct;
    std::vector<double> floorUs, ratios;
    // Short turns: the load of a shared machine changes from one second to
    // the next, and each turn's ratio compares neighbours.
    const int turns = 15;
    const double turn = seconds / turns;
    for (int t = 0; t < turns; ++t) {
        Run b = Measure(hwnd, turn);
        bare.paintUs.insert(bare.paintUs.end(), b.paintUs.begin(), b.paintUs.end());
        bare.frames += b.frames;
        bare.flightSeconds += b.flightSeconds;
        const std::vector<double> f = MeasureBarePaints(hwnd, turn);
        floorUs.insert(floorUs.end(), f.begin(), f.end());
        if (Median(f) > 0)
            ratios.push_back(b.medianPaintUs() / Median(f));
        if (t % 3 == 0) {
            brickwin::Platform().setBuffered(false);
            Run d = Measure(hwnd, turn);
            direct.paintUs.insert(direct.paintUs.end(), d.paintUs.begin(), d.paintUs.end());
            brickwin::Platform().setBuffered(true);
        }
    }
    const double frameUs = bare.medianPaintUs();
    const double floorMedianUs = Median(floorUs);
    std::printf(
        "play frame without its wait: median %.1f us per WM_PAINT drawn off-screen, %.1f us "
        "drawn into the window (off-screen, %.0f play steps per second)\n",
        frameUs, direct.medianPaintUs(), bare.stepsPerSecond());
    std::sort(ratios.begin(), ratios.end());
    std::printf("bare paint loop in the same window (BeginPaint/EndPaint and one small erase "
                "repaint request per WM_PAINT, nothing drawn): median %.1f us; frame / bare "
                "loop %.2f, median of %zu turns %.2f (%.2f to %.2f; target at most 1.30)\n",
                floorMedianUs, floorMedianUs > 0 ? frameUs / floorMedianUs : 0.0, ratios.size(),
                Median(ratios), ratios.empty() ? 0.0 : ratios.front(),
                ratios.empty() ? 0.0 : ratios.back());

    brick::SetSpeed(game, IDM_SPEED_NORMAL);
    const double cpuBefore = ThreadCpuSeconds();
    const auto normalStart = Clock::now();
    Run normal = Measure(hwnd, seconds);
    const double normalCpu =
        100.0 * (ThreadCpuSeconds() - cpuBefore) / (MicrosecondsSince(normalStart) / 1e6);
    Run loaded;
    size_t loadThreads = 0;
    {
        CoreLoad load;
        loadThreads = load.threads();
        loaded = Measure(hwnd, seconds);
    }
    std::printf(
        "speed normal: %.1f play steps per second on the machine as it is (%.1f %% of steps "
        "late), %.1f with %zu busy threads (%.1f %% late); target 300 within 5 %%: 285 to "
        "315\n",
        normal.stepsPerSecond(), normal.lateShare(1e6 / 300), loaded.stepsPerSecond(), loadThreads,
        loaded.lateShare(1e6 / 300));
    std::printf("speed normal on the machine as it is: the game's thread used %.1f %% of a core "
                "(target at most 20)\n",
                normalCpu);

    const struct {
        int id;
        const char* name;
    } speeds[] = {{IDM_SPEED_VERY_SLOW, "very slow"},
                  {IDM_SPEED_SLOW, "slow"},
                  {IDM_SPEED_NORMAL, "normal"},
                  {IDM_SPEED_FAST, "fast"},
                  {IDM_SPEED_VERY_FAST, "very fast"}};
    for (const auto& s : speeds) {
        brick::SetSpeed(game, s.id);
        Run r = Measure(hwnd, seconds);
        std::printf("speed %-9s (%6d counts): %7.1f play steps per second (%7.1f intended; median "
                    "frame %.0f us), %ld bricks broken\n",
                    s.name, game.delayLoops, r.stepsPerSecond(),
                    brickwin::kCountsPerSecond / static_cast<double>(game.delayLoops),
                    r.medianPaintUs(), r.bricks);
    }

    // The rest of the round at the fastest speed, until its last brick goes.
    brick::SetSpeed(game, IDM_SPEED_VERY_FAST);
    Run round = Measure(hwnd, 120.0, true);
    std::printf("the round played out at the fastest speed: %s after %ld play steps in %.1f s of "
                "flight, %.1f steps per second\n",
                round.roundCleared ? "cleared" : "not cleared in 120 s", round.frames,
                round.flightSeconds, round.stepsPerSecond());
    DestroyWindow(hwnd);
    return 0;
}

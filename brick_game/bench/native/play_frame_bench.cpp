// Prints what one play frame costs the model itself: every platform call goes
// to a platform that does nothing, the counting wait included. Run by hand:
//   brick_play_frame_bench [frames]
#include "model/brick_game.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

class NullPlatform : public brick::BrickPlatform {
  public:
    void invalidate(const desk::Rect&, bool) override {}
    void invalidateAll(bool) override {}
    void sleep(int) override {}
    void countingWait(std::int32_t, bool) override {}
    void playCue(const char*, brick::CueWay) override {}
    void stopCues(brick::StopForm) override {}
    void showCursor(bool) override {}
    desk::Point cursorPos() override { return {350, 250}; }
    void setCursorPos(int, int) override {}
    void sendKeyDown(int, desk::Point) override {}
    void beginPaint() override {}
    void endPaint() override {}
    void setTextColour(desk::Colour) override {}
    void setTextBackground(desk::Colour) override {}
    void setOpaqueText(bool) override {}
    void textOut(int, int, const char*, int) override {}
    void drawLifeIcon(int, int) override {}
    void ellipse(const desk::Rect&, brick::BrushKind) override {}
    void roundRect(const desk::Rect&, int, int, brick::BrushKind) override {}
    void rectangle(const desk::Rect&, brick::BrushKind) override {}
    void remakeBrushes(desk::Colour, desk::Colour, desk::Colour) override {}
    void checkMenuItem(int, bool) override {}
    void attachMenu() override {}
    int runDialog(int) override { return 1; }
    desk::Colour chooseColour(desk::Colour*) override { return desk::Rgb(128, 128, 128); }
    void destroyWindow() override {}
    void quit() override {}
};

volatile std::int32_t sink;

// Plays `frames` frames from the given state, putting the paddle under the
// ball so that play goes on; returns nanoseconds per frame.
double Measure(brick::BrickGame start, long frames) {
    NullPlatform platform;
    brick::BrickGame g = start;
    const auto t0 = std::chrono::steady_clock::now();
    for (long i = 0; i < frames; ++i) {
        if (!g.isPlaying) {
            g = start; // a lost ball or cleared round: start over
        }
        g.paddleX = g.ballX - 10 - static_cast<int>(i % 40);
        brick::PlayFrame(g, platform);
    }
    const auto t1 = std::chrono::steady_clock::now();
    sink = g.ballX;
    return std::chrono::duration<double, std::nano>(t1 - t0).count() / static_cast<double>(frames);
}

} // namespace

int main(int argc, char** argv) {
    const long frames = argc > 1 ? std::atol(argv[1]) : 5'000'000;
    brick::BrickGame flying;
    flying.isPlaying = true;
    flying.ballInFlight = true;
    flying.screenMode = brick::ModeRoundIntro;
    flying.paddleX = 300;
    flying.originX = flying.ballX = 330;
    flying.originY = flying.ballY = 445;
    flying.quadrant = 1;
    flying.ballAngle = 1.2;
    flying.stepCount = 2;

    brick::BrickGame resting = flying;
    resting.ballInFlight = false;
    resting.ballY = 50;

    brick::BrickGame emptyField = flying;
    for (auto& row : emptyField.brickGrid) {
        for (std::int32_t& cell : row) {
            cell = 0;
        }
    }
    emptyField.roundBase = 100; // 27 empty cells that never clear a round

    std::printf("play frame, model only, null platform, %ld frames each\n", frames);
    std::printf("  ball in flight, full field:   %8.1f ns/frame\n", Measure(flying, frames));
    std::printf("  ball in flight, empty field:  %8.1f ns/frame\n", Measure(emptyField, frames));
    std::printf("  ball resting on the paddle:   %8.1f ns/frame\n", Measure(resting, frames));
    return 0;
}

// Test support for the snake model: a recording fake of SnakePlatform and a
// session that feeds the model its events through the operations that the
// window procedure calls, with draws that a test can script.
#pragma once

#include "model/snake_game.h"

#include <deque>
#include <ostream>
#include <string>
#include <vector>

namespace snake {

inline void PrintTo(const Cell& c, std::ostream* os) {
    *os << "(" << c.x << ", " << c.y << ")";
}

} // namespace snake

namespace snake::testing {

struct DrawCall {
    enum Kind { Rectangle, Text } kind = Rectangle;
    desk::Rect box{};
    desk::Colour fill = 0;
    int x = 0;
    int y = 0;
    std::string text;
};

class RecordingPlatform : public SnakePlatform {
  public:
    // Draws of the current frame only are kept in `calls`.
    void beginPaint() override { calls.clear(); }
    void endPaint() override {}
    void rectangle(const desk::Rect& box, desk::Colour fill) override {
        calls.push_back(DrawCall{DrawCall::Rectangle, box, fill, 0, 0, {}});
    }
    void textOut(int x, int y, const char* text, int count) override {
        calls.push_back(DrawCall{DrawCall::Text, {}, 0, x, y, std::string(text, text + count)});
    }
    void setTimer(int ms) override { requests.push_back("timer " + std::to_string(ms)); }
    void invalidateAll(bool erase) override {
        requests.push_back(erase ? "invalidate erased" : "invalidate");
    }
    void showAboutBox() override { requests.push_back("about"); }
    void destroyWindow() override { requests.push_back("destroy"); }
    void postQuit(int code) override { requests.push_back("quit " + std::to_string(code)); }

    std::vector<DrawCall> calls;
    std::vector<std::string> requests; // of the window, in order, as text
};

class Session {
  public:
    Session(std::uint16_t width, std::uint16_t height) {
        game.drawSource = [this] { return nextDraw(); };
        size(width, height);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The events of the window, through the operations its procedure calls.
    void size(std::uint16_t width, std::uint16_t height) { game.OnSize(width, height); }
    void key(int virtualKey) { game.OnKeyDown(virtualKey); }
    void tick() { game.OnTimer(platform); }
    // Draws of this frame only are kept in `platform.calls`.
    void repaint() { game.OnPaint(platform); }
    void step() {
        tick();
        repaint();
    }
    // The pair of draws that the next event takes; without one, events draw 0.
    void queueDraws(int x, int y) {
        draws_.push_back(x);
        draws_.push_back(y);
    }
    // Draws that make the next food land on `c` (one row above the rounded y).
    void queueFoodAt(Cell c) { queueDraws(c.x, c.y + kSquare); }
    // Puts the food on the square right of the head, steers right and steps
    // onto it; the repaint that eats takes the draws (x, y) for the next food.
    void eatWithDraws(int x, int y) {
        game.food = Cell{game.head().x + kSquare, game.head().y};
        key(desk::key::Right);
        queueDraws(0, 0); // the tick
        queueDraws(x, y);
        step();
    }
    // The same, with the next food placed on `next`.
    void eat(Cell next) { eatWithDraws(next.x, next.y + kSquare); }

    std::vector<Cell> cells() const {
        return std::vector<Cell>(game.segments.begin(), game.segments.begin() + game.segmentCount);
    }

    SnakeGame game;
    RecordingPlatform platform;

  private:
    int nextDraw() {
        if (draws_.empty()) {
            return 0;
        }
        const int v = draws_.front();
        draws_.pop_front();
        return v;
    }
    std::deque<int> draws_;
};

inline std::vector<Cell> StartCells() {
    return {{0, 0}, {10, 0}, {20, 0}, {30, 0}};
}

// Puts a four-entry snake in a row ending at `head`, its tail to the left.
inline void LayRowEndingAt(SnakeGame& game, Cell head) {
    game.segmentCount = 4;
    for (int i = 0; i < 4; ++i) {
        game.segments[static_cast<std::size_t>(i)] = Cell{head.x - (3 - i) * kSquare, head.y};
    }
}

inline bool OnLattice(Cell c) {
    return c.x % kSquare == 0 && c.y % kSquare == 0;
}

} // namespace snake::testing

// Test support for the snake model: a recording fake of SnakePlatform and a
// session that feeds the model its events the way the window does (the pair
// of draws first, then the operation), with draws that a test can script.
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
    void rectangle(const desk::Rect& box, desk::Colour fill) override {
        calls.push_back(DrawCall{DrawCall::Rectangle, box, fill, 0, 0, {}});
    }
    void textOut(int x, int y, const char* text, int count) override {
        calls.push_back(DrawCall{DrawCall::Text, {}, 0, x, y, std::string(text, text + count)});
    }
    std::vector<DrawCall> calls;
};

class Session {
  public:
    Session(std::uint16_t width, std::uint16_t height) {
        game.drawSource = [this] { return nextDraw(); };
        size(width, height);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The events of the window, each taking its pair of draws first.
    void size(std::uint16_t width, std::uint16_t height) {
        game.TakeDraws();
        game.ResizeField(width, height);
    }
    void key(int virtualKey) {
        game.TakeDraws();
        game.SteerSnake(virtualKey);
    }
    void tick() {
        game.TakeDraws();
        game.MoveSnake();
    }
    // Draws of this frame only are kept in `frame.calls`.
    void repaint() {
        game.TakeDraws();
        frame.calls.clear();
        PaintFrame(game, frame);
    }
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

    std::vector<Cell> cells() const {
        return std::vector<Cell>(game.segments.begin(), game.segments.begin() + game.segmentCount);
    }

    SnakeGame game;
    RecordingPlatform frame;

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

// The snake game without a window: one record, SnakeGame, and the operations
// that the window layer runs on it for every event. All positions are client
// pixels on a 10-pixel lattice; a tick only moves the snake, and every rule
// (walls, self, food, score, bars) runs in the separate pass of a repaint.
#pragma once

#include "snake_platform.h"

#include "platform/geometry.h"

#include <array>
#include <cstdint>
#include <functional>

namespace snake {

constexpr int kSquare = 10;       // side of every square and the length of one step
constexpr int kCapacity = 200;    // entries of the segment list
constexpr int kStartLength = 4;   // entries after a reset
constexpr int kDrawRange = 800;   // each draw is reduced modulo this
constexpr int kScoreLimit = 200;  // the score never stays above this
constexpr int kPointsPerBar = 20; // one more bar is active for every 20 points
constexpr int kBarCount = 10;
constexpr int kBarWidth = 50;
constexpr int kBarHeight = 10;
constexpr int kTickMilliseconds = 100; // period of MoveSnake, kept by the window's timer

constexpr desk::Colour kSnakeColour = desk::Rgb(0, 255, 0);
constexpr desk::Colour kFoodColour = desk::Rgb(0, 255, 0);
constexpr desk::Colour kBarColour = desk::Rgb(0, 0, 255);
constexpr int kScoreX = 250;
constexpr int kScoreY = 0;

// A 10 x 10 square given by its top-left corner; covers x..x+9, y..y+9.
struct Cell {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(Cell a, Cell b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(Cell a, Cell b) { return !(a == b); }
};

constexpr Cell kParking{600, 10}; // where food that falls on an active bar goes

// Top-left corners of the bars, 50 x 10 pixels each; the first score / 20 are active.
constexpr std::array<Cell, kBarCount> kObstacleTable{{
    {30, 10},
    {80, 20},
    {100, 400},
    {320, 350},
    {570, 70},
    {70, 140},
    {610, 150},
    {200, 190},
    {230, 240},
    {400, 90},
}};

// Values 0..32767 for TakeDraws. The game uses the C library's rand(), never
// seeded; tests may put a scripted source in its place.
using DrawSource = std::function<int()>;
int LibraryRand();

struct SnakeGame {
    // Entry 0 is the tail end, entry segmentCount - 1 the head.
    std::array<Cell, kCapacity> segments{{{0, 0}, {10, 0}, {20, 0}, {30, 0}}};
    std::int32_t segmentCount = kStartLength;
    std::int32_t goLeft = 0;
    std::int32_t goUp = 0;
    std::int32_t goRight = 0;
    std::int32_t goDown = 0;
    Cell food{90, 10};
    std::int32_t score = 0;
    std::int32_t fieldWidth = 0;
    std::int32_t fieldHeight = 0;
    std::int32_t drawX = 0; // the pair of draws taken for the current event, 0..799
    std::int32_t drawY = 0;
    DrawSource drawSource = LibraryRand;

    // Back to four squares in the top row, standing still, score 0. The food stays.
    void ResetSnake();
    // Arrow keys (37..40) set one motion flag and clear the others; Delete (46)
    // clears all four; any other key does nothing.
    void SteerSnake(int virtualKey);
    // The playfield is the client area: width and height as the size event gives them.
    void ResizeField(std::uint16_t width, std::uint16_t height);
    // drawX, then drawY, each the next value of the draw source modulo 800.
    // Runs first for every event that reaches the window, whatever it is.
    void TakeDraws();
    // One tick: the head steps one square in the direction of the set flag and
    // every other entry takes its successor's place. Checks nothing.
    void MoveSnake();
    // The rule pass of a repaint: walls, food repair, self, eating, score
    // limit, bars against the head, bars against the food.
    void ApplyRules();
    // New food from the current draws and the field size, one row above the
    // rounded draw.
    void PlaceFood();

    // One operation per message of the main window, called by its window
    // procedure and by the tests alike. Each takes the message's pair of
    // draws first, whatever the message, then does the message's work.
    // WM_CREATE: a tick every 100 ms.
    void OnCreate(SnakePlatform& platform);
    // WM_SIZE: ResizeField with the new client width and height.
    void OnSize(std::uint16_t width, std::uint16_t height);
    // WM_KEYDOWN: SteerSnake with the virtual-key code; every key ends here.
    void OnKeyDown(int virtualKey);
    // WM_TIMER: MoveSnake, then a repaint of the whole client area, erased.
    void OnTimer(SnakePlatform& platform);
    // WM_PAINT: PaintFrame between beginPaint and endPaint.
    void OnPaint(SnakePlatform& platform);
    // WM_COMMAND: About opens the About box, Exit destroys the window. False
    // for any other command id, which the window hands on to its default
    // handler.
    bool OnCommand(int commandId, SnakePlatform& platform);
    // WM_DESTROY: ends the message loop with exit code 0.
    void OnDestroy(SnakePlatform& platform);
    // Any other message: only its pair of draws.
    void OnOtherMessage();

    Cell head() const { return segments[static_cast<std::size_t>(segmentCount - 1)]; }
    // score / 20, never more than the table holds.
    int activeBars() const {
        const int bars = score / kPointsPerBar;
        return bars < kBarCount ? bars : kBarCount;
    }
};

// The square of a cell and the box of a bar, right and bottom exclusive.
desk::Rect SquareOf(Cell c);
desk::Rect BarOf(Cell topLeft);

// The score as decimal digits without sign or padding; returns the length.
// `text` must hold at least 12 bytes; the text is NUL-terminated.
int FormatScore(std::int32_t score, char* text);

// One repaint: the snake as it stands after the last move, then the rule
// pass, then the active bars, the food and the score.
void PaintFrame(SnakeGame& game, SnakePlatform& platform);

} // namespace snake

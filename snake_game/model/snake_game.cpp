#include "snake_game.h"

#include "res/resource.h"

#include <cstdio>
#include <cstdlib>

namespace snake {

namespace {

bool OnBar(Cell c, Cell bar) {
    return c.x >= bar.x && c.x < bar.x + kBarWidth && c.y == bar.y;
}

std::size_t Index(std::int32_t i) {
    return static_cast<std::size_t>(i);
}

// The steps of the rule pass.

// The head must lie wholly inside the field.
bool OutsideField(const SnakeGame& g) {
    const Cell h = g.head();
    return h.x < 0 || h.x + kSquare > g.fieldWidth || h.y < 0 || h.y + kSquare > g.fieldHeight;
}

// Food drawn at y = -10 or pulled onto the right wall by the previous
// placement (or left there by a resize) comes back into the field.
void RepairFood(SnakeGame& g) {
    if (g.food.y == -kSquare) {
        g.food.y = 0;
    }
    if (g.food.x == g.fieldWidth) {
        g.food.x = g.fieldWidth - kSquare;
    }
}

// The entry just behind the head is never compared: right after eating it
// lies on the head's square. The bound and the head are read anew at each
// step, so after a reset the loop runs on over the start position.
void ResetOnBody(SnakeGame& g) {
    for (std::int32_t i = 0; i < g.segmentCount - 2; ++i) {
        if (g.segments[Index(i)] == g.head()) {
            g.ResetSnake();
        }
    }
}

// The head is on the food: a new head entry on the food's square, a point,
// new food. A full list keeps its length: the food is still eaten and scores.
void EatFood(SnakeGame& g) {
    if (g.segmentCount < kCapacity) {
        ++g.segmentCount;
        g.segments[Index(g.segmentCount - 1)] = g.food;
    }
    ++g.score;
    g.PlaceFood();
}

// A reset sets the score to 0, which ends the loop.
void ResetOnActiveBar(SnakeGame& g) {
    for (int i = 0; i < g.activeBars(); ++i) {
        if (OnBar(g.head(), kObstacleTable[Index(i)])) {
            g.ResetSnake();
        }
    }
}

void ParkFoodOffActiveBars(SnakeGame& g) {
    for (int i = 0; i < g.activeBars(); ++i) {
        if (OnBar(g.food, kObstacleTable[Index(i)])) {
            g.food = kParking;
        }
    }
}

} // namespace

int LibraryRand() {
    return std::rand();
}

void SnakeGame::ResetSnake() {
    segmentCount = kStartLength;
    for (int i = 0; i < kStartLength; ++i) {
        segments[Index(i)] = Cell{i * kSquare, 0};
    }
    goLeft = goUp = goRight = goDown = 0;
    score = 0;
}

void SnakeGame::SteerSnake(int virtualKey) {
    switch (virtualKey) {
    case desk::key::Left: goLeft = 1, goUp = 0, goRight = 0, goDown = 0; break;
    case desk::key::Up: goLeft = 0, goUp = 1, goRight = 0, goDown = 0; break;
    case desk::key::Right: goLeft = 0, goUp = 0, goRight = 1, goDown = 0; break;
    case desk::key::Down: goLeft = 0, goUp = 0, goRight = 0, goDown = 1; break;
    case desk::key::Delete: goLeft = 0, goUp = 0, goRight = 0, goDown = 0; break;
    default: break;
    }
}

void SnakeGame::ResizeField(std::uint16_t width, std::uint16_t height) {
    fieldWidth = width;
    fieldHeight = height;
}

void SnakeGame::TakeDraws() {
    drawX = drawSource() % kDrawRange;
    drawY = drawSource() % kDrawRange;
}

void SnakeGame::MoveSnake() {
    if (!goRight && !goDown && !goUp && !goLeft) {
        return;
    }
    const std::array<Cell, kCapacity> kept = segments;
    Cell& front = segments[Index(segmentCount - 1)];
    if (goRight) {
        front.x += kSquare;
    }
    if (goDown) {
        front.y += kSquare;
    }
    if (goUp) {
        front.y -= kSquare;
    }
    if (goLeft) {
        front.x -= kSquare;
    }
    for (std::int32_t i = 0; i <= segmentCount - 2; ++i) {
        segments[Index(i)] = kept[Index(i + 1)];
    }
}

// The rules in their fixed order; each step sees what the steps before it
// changed.
void SnakeGame::ApplyRules() {
    if (OutsideField(*this)) {
        ResetSnake();
    }
    RepairFood(*this);
    ResetOnBody(*this);
    if (head() == food) {
        EatFood(*this);
    }
    if (score > kScoreLimit) {
        --score;
    }
    ResetOnActiveBar(*this);
    ParkFoodOffActiveBars(*this);
}

void SnakeGame::PlaceFood() {
    std::int32_t x = drawX;
    if (x > fieldWidth) {
        x = fieldWidth - kSquare;
    }
    std::int32_t y = drawY;
    if (y > fieldHeight) {
        y = fieldHeight - kSquare;
    }
    // C++ division truncates toward zero, so a negative x or y rounds up to
    // the lattice, as the remainder rule wants.
    x -= x % kSquare;
    y -= y % kSquare;
    food = Cell{x, y - kSquare};
}

void SnakeGame::OnCreate(SnakePlatform& platform) {
    TakeDraws();
    platform.setTimer(kTickMilliseconds);
}

void SnakeGame::OnSize(std::uint16_t width, std::uint16_t height) {
    TakeDraws();
    ResizeField(width, height);
}

void SnakeGame::OnKeyDown(int virtualKey) {
    TakeDraws();
    SteerSnake(virtualKey);
}

void SnakeGame::OnTimer(SnakePlatform& platform) {
    TakeDraws();
    MoveSnake();
    platform.invalidateAll(true);
}

// The draws come before BeginPaint, which sends the erase message that takes
// the next pair.
void SnakeGame::OnPaint(SnakePlatform& platform) {
    TakeDraws();
    platform.beginPaint();
    PaintFrame(*this, platform);
    platform.endPaint();
}

bool SnakeGame::OnCommand(int commandId, SnakePlatform& platform) {
    TakeDraws();
    switch (commandId) {
    case IDM_ABOUT: platform.showAboutBox(); return true;
    case IDM_EXIT: platform.destroyWindow(); return true;
    default: return false;
    }
}

void SnakeGame::OnDestroy(SnakePlatform& platform) {
    TakeDraws();
    platform.postQuit(0);
}

void SnakeGame::OnOtherMessage() {
    TakeDraws();
}

desk::Rect SquareOf(Cell c) {
    return desk::Rect{c.x, c.y, c.x + kSquare, c.y + kSquare};
}

desk::Rect BarOf(Cell topLeft) {
    return desk::Rect{topLeft.x, topLeft.y, topLeft.x + kBarWidth, topLeft.y + kBarHeight};
}

int FormatScore(std::int32_t score, char* text) {
    const int n = std::snprintf(text, 12, "%d", static_cast<int>(score));
    return n < 0 ? 0 : n;
}

void PaintFrame(SnakeGame& game, SnakePlatform& platform) {
    for (std::int32_t i = 0; i < game.segmentCount; ++i) {
        platform.rectangle(SquareOf(game.segments[Index(i)]), kSnakeColour);
    }
    game.ApplyRules();
    for (int i = 0; i < game.activeBars(); ++i) {
        platform.rectangle(BarOf(kObstacleTable[Index(i)]), kBarColour);
    }
    platform.rectangle(SquareOf(game.food), kFoodColour);
    char text[12];
    const int count = FormatScore(game.score, text);
    platform.textOut(kScoreX, kScoreY, text, count);
}

} // namespace snake

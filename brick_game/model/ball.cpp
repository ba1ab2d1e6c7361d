// The ball: launch, one step along its segment, and the bounces off bricks,
// paddle and walls.
#include "brick_game.h"

#include <cmath>
#include <initializer_list>

namespace brick {

namespace {

constexpr double LaunchAngle = 3.14159 / 7;
constexpr double PaddleQuarterTurn = 3.14159 / 2;
constexpr double PaddleDivisor = 45.0;
constexpr double PaddleLowestAngle = 3.14159 / 6;
constexpr double PaddleHighestAngle = 5 * 3.14159 / 6;
constexpr double WallSmallestAngle = 3.14 / 100;
constexpr double Keep = -1.0; // the ball already moves away from the surface

struct BounceRule {
    std::int32_t newQuadrant;
    double entry[4]; // by the old quadrant 1..4
};

// Indexed by Surface.
constexpr BounceRule bounceTable[] = {
    {3, {3.14, 4.71, Keep, 1.57}}, // bottom face of a brick
    {3, {3.14, 4.71, Keep, 1.57}}, // top wall
    {1, {Keep, 1.57, 3.14, 4.71}}, // top face of a brick
    {4, {1.57, 3.14, 4.71, Keep}}, // left face of a brick
    {4, {1.57, 3.14, 4.71, Keep}}, // right wall
    {2, {4.71, Keep, 1.57, 3.14}}, // right face of a brick
    {2, {4.71, Keep, 1.57, 3.14}}, // left wall
};

// Truncation toward zero; the clamp only keeps a runaway value from being an
// undefined conversion, it never acts within the playfield.
std::int32_t Truncate(double value) {
    if (!(value > -1e9)) {
        return -1000000000;
    }
    if (value > 1e9) {
        return 1000000000;
    }
    return static_cast<std::int32_t>(value);
}

struct Cell {
    int row;
    int column;
    bool exists; // the test names this cell at all
};

bool InGrid(const Cell& cell) {
    return cell.exists && cell.row >= 0 && cell.row < GridRows && cell.column >= 0 &&
           cell.column < GridColumns;
}

// A cell outside the grid counts as empty.
bool HoldsBrick(const BrickGame& game, const Cell& cell) {
    return InGrid(cell) && game.brickGrid[cell.row][cell.column] == 1;
}

desk::Rect CellBox(const Cell& cell) {
    return {100 + 56 * cell.column, 100 + 21 * cell.row, 156 + 56 * cell.column,
            121 + 21 * cell.row};
}

void ClearCell(BrickGame& game, BrickPlatform& fx, const Cell& cell) {
    if (!cell.exists) {
        return;
    }
    if (InGrid(cell)) {
        game.brickGrid[cell.row][cell.column] = 0;
    }
    fx.invalidate(CellBox(cell), true);
}

void HitTest(BrickGame& game, BrickPlatform& fx, const Cell& first, const Cell& second,
             Surface surface) {
    if (!HoldsBrick(game, first) && !HoldsBrick(game, second)) {
        return;
    }
    ClearCell(game, fx, first);
    ClearCell(game, fx, second);
    PlayCue(game, fx, "Kubik.wav", CueWay::Start);
    fx.invalidate({650, 20, 700, 40}, true);
    Bounce(game, surface, first.row, first.column);
}

bool OneOf(std::int32_t value, std::initializer_list<std::int32_t> list) {
    for (std::int32_t v : list) {
        if (v == value) {
            return true;
        }
    }
    return false;
}

void WallBounce(BrickGame& game, BrickPlatform& fx, Surface wall) {
    if (game.ballInFlight) {
        PlayCue(game, fx, "Stena.wav", CueWay::Start);
    }
    Bounce(game, wall);
    if (game.ballAngle < WallSmallestAngle) {
        game.ballAngle = WallSmallestAngle;
    }
}

} // namespace

void LaunchBall(BrickGame& game) {
    game.ballInFlight = true;
    game.stepCount = 0;
    game.ballX = game.originX;
    game.ballY = game.originY;
    game.originX = game.paddleX + 30;
    game.originY = 445;
    game.quadrant = 1;
    game.ballAngle = LaunchAngle;
}

void MoveBall(BrickGame& game) {
    if (!game.ballInFlight) {
        return;
    }
    const double a = game.ballAngle;
    const double h = game.stepCount;
    double dx = 0.0;
    double dy = 0.0;
    switch (game.quadrant) {
    case 1: dx = std::cos(a), dy = -std::sin(a); break;
    case 2: dx = std::sin(a), dy = std::cos(a); break;
    case 3: dx = -std::cos(a), dy = std::sin(a); break;
    case 4: dx = -std::sin(a), dy = -std::cos(a); break;
    default: break;
    }
    double x = game.originX + dx * h;
    const double y = game.originY + dy * h;
    if (game.quadrant == 3) {
        x = std::floor(x);
    }
    game.ballX = Truncate(x);
    game.ballY = Truncate(y);
}

void Bounce(BrickGame& game, Surface surface, int r, int c) {
    const BounceRule& rule = bounceTable[static_cast<int>(surface)];
    const double entry =
        game.quadrant >= 1 && game.quadrant <= 4 ? rule.entry[game.quadrant - 1] : Keep;
    if (entry == Keep) {
        game.stepCount += 1;
    } else {
        game.ballAngle = entry - game.ballAngle;
        game.stepCount = 2;
    }
    switch (surface) {
    case Surface::BrickBottom: game.ballY = 121 + 21 * r; break;
    case Surface::TopWall: game.ballY = 5; break;
    case Surface::BrickTop: game.ballY = 91 + 21 * r; break;
    case Surface::BrickLeft: game.ballX = 91 + 56 * c; break;
    case Surface::RightWall: game.ballX = 685; break;
    case Surface::BrickRight: game.ballX = 156 + 56 * c; break;
    case Surface::LeftWall: game.ballX = 0; break;
    }
    game.quadrant = rule.newQuadrant;
    game.originX = game.ballX;
    game.originY = game.ballY;
}

void TestBricks(BrickGame& game, BrickPlatform& fx) {
    if (game.ballX < 92 || game.ballX > 603 || game.ballY < 92 || game.ballY > 162) {
        return;
    }
    // Each test reads the position as the tests before it have left it.
    const auto sideRowExcluded = [](std::int32_t y) {
        return OneOf(y, {92, 113, 120, 134, 141, 162});
    };
    {
        const std::int32_t x = game.ballX;
        const std::int32_t y = game.ballY;
        if (OneOf(y, {120, 141, 162})) {
            HitTest(game, fx, {(y - 100) / 21, (x - 100) / 56, true},
                    {(y - 100) / 21, (x - 90) / 56, x <= 590}, Surface::BrickBottom);
        }
    }
    {
        const std::int32_t x = game.ballX;
        const std::int32_t y = game.ballY;
        if (OneOf(x, {92, 148, 204, 260, 316, 372, 428, 484, 540}) && !sideRowExcluded(y)) {
            HitTest(game, fx, {(y - 100) / 21, (x - 90) / 56, true},
                    {(y - 90) / 21, (x - 90) / 56, true}, Surface::BrickLeft);
        }
    }
    {
        const std::int32_t x = game.ballX;
        const std::int32_t y = game.ballY;
        if (OneOf(x, {155, 211, 267, 323, 379, 435, 491, 547, 603}) && !sideRowExcluded(y)) {
            HitTest(game, fx, {(y - 100) / 21, (x - 100) / 56, true},
                    {(y - 90) / 21, (x - 100) / 56, true}, Surface::BrickRight);
        }
    }
    {
        const std::int32_t x = game.ballX;
        const std::int32_t y = game.ballY;
        if (OneOf(y, {92, 113, 134})) {
            HitTest(game, fx, {(y - 90) / 21, (x - 100) / 56, true},
                    {(y - 90) / 21, (x - 90) / 56, x <= 590}, Surface::BrickTop);
        }
    }
}

void TestPaddle(BrickGame& game, BrickPlatform& fx) {
    if (game.ballY < 445 || game.ballY > 449) {
        return;
    }
    if (game.ballX < game.paddleX - 30 || game.ballX > game.paddleX + 70) {
        // Missed: the whole window is repainted for every frame in the band.
        fx.invalidateAll(true);
        return;
    }
    PlayCue(game, fx, "Doska.wav", CueWay::Start);
    const int offset = game.ballX - game.paddleX + 19;
    game.ballAngle = (2.0 - offset / PaddleDivisor) * PaddleQuarterTurn;
    game.stepCount = 2;
    if (game.ballAngle < PaddleLowestAngle) {
        game.ballAngle = PaddleLowestAngle;
    }
    if (game.ballAngle > PaddleHighestAngle) {
        game.ballAngle = PaddleHighestAngle;
    }
    game.ballY = 445;
    game.quadrant = 1;
    game.originX = game.ballX;
    game.originY = 445;
}

void TestWalls(BrickGame& game, BrickPlatform& fx) {
    if (game.ballY <= 5) {
        WallBounce(game, fx, Surface::TopWall);
    }
    if (game.ballX <= 0) {
        WallBounce(game, fx, Surface::LeftWall);
    }
    if (game.ballX >= 685) {
        WallBounce(game, fx, Surface::RightWall);
    }
}

} // namespace brick

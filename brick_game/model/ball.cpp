// The ball: launch, one step along its segment, and the bounces off bricks,
// paddle and walls.
#include "brick_game.h"

#include <cmath>

namespace brick {

namespace {

constexpr double LaunchAngle = 3.14159 / 7;
constexpr double PaddleQuarterTurn = 3.14159 / 2;
constexpr double PaddleDivisor = 45.0;
constexpr double PaddleLowestAngle = 3.14159 / 6;
constexpr double PaddleHighestAngle = 5 * 3.14159 / 6;
constexpr double WallSmallestAngle = 3.14 / 100;
constexpr double Keep = -1.0; // the ball already moves away from the surface

// The walls: the ball bounces at these coordinates or beyond them.
constexpr std::int32_t TopWallY = 5;
constexpr std::int32_t LeftWallX = 0;
constexpr std::int32_t RightWallX = 685;

// Where the ball meets a brick's face: the left and top faces when the ball's
// box reaches 2 pixels into the brick, the right and bottom faces when it
// touches the brick from outside. These are the faces of column and row 0;
// the others follow one pitch apart.
constexpr std::int32_t LeftFaceX = BrickOriginX + 2 - BallSize;  // 92
constexpr std::int32_t RightFaceX = BrickOriginX + BrickWidth;   // 155
constexpr std::int32_t TopFaceY = BrickOriginY + 2 - BallSize;   // 92
constexpr std::int32_t BottomFaceY = BrickOriginY + BrickHeight; // 120
// The brick tests run only while the ball is within the outermost faces.
constexpr std::int32_t LastRightFaceX = RightFaceX + BrickPitchX * (GridColumns - 1); // 603
constexpr std::int32_t LastBottomFaceY = BottomFaceY + BrickPitchY * (GridRows - 1);  // 162
// The horizontal faces look at a second cell, under the ball's right edge,
// only up to this x.
constexpr std::int32_t SecondCellLastX = 590;

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

// The cell of a brick, repainted when the brick breaks: one pitch across and
// down, so it takes in the gap right of and below the brick, and the cells
// of neighbouring bricks meet without gap or overlap. Like every repaint area
// its right and bottom edges are left out, as a drawn Rectangle's are: the
// brick drawn up to (BrickX(c) + BrickWidth, BrickY(r) + BrickHeight) covers
// 55 x 20 pixels, this cell 56 x 21, one pixel more each way.
desk::Rect CellBox(const Cell& cell) {
    return {BrickX(cell.column), BrickY(cell.row), BrickX(cell.column + 1), BrickY(cell.row + 1)};
}

// The cell under the point (x, y). A point a little above or left of the
// field still falls in row or column 0: the division truncates toward zero.
Cell CellAt(std::int32_t x, std::int32_t y, bool exists = true) {
    return {(y - BrickOriginY) / BrickPitchY, (x - BrickOriginX) / BrickPitchX, exists};
}

void ClearCell(BrickGame& game, BrickPlatform& platform, const Cell& cell) {
    if (!cell.exists) {
        return;
    }
    if (InGrid(cell)) {
        game.brickGrid[cell.row][cell.column] = 0;
    }
    platform.invalidate(CellBox(cell), true);
}

void HitTest(BrickGame& game, BrickPlatform& platform, const Cell& first, const Cell& second,
             Surface surface) {
    if (!HoldsBrick(game, first) && !HoldsBrick(game, second)) {
        return;
    }
    ClearCell(game, platform, first);
    ClearCell(game, platform, second);
    PlayCue(game, platform, "Kubik.wav", CueWay::Start);
    platform.invalidate({650, 20, 700, 40}, true);
    Bounce(game, surface, first.row, first.column);
}

// Whether value is first, first + pitch, ... (count values).
bool OnePitchApart(std::int32_t value, std::int32_t first, int pitch, int count) {
    for (int k = 0; k < count; ++k) {
        if (value == first + pitch * k) {
            return true;
        }
    }
    return false;
}

bool AtTopFace(std::int32_t, std::int32_t y) {
    return OnePitchApart(y, TopFaceY, BrickPitchY, GridRows);
}

bool AtBottomFace(std::int32_t, std::int32_t y) {
    return OnePitchApart(y, BottomFaceY, BrickPitchY, GridRows);
}

// At the y of a horizontal face the side faces do not fire, so a ball at a
// brick's corner bounces off the horizontal face.
bool AtLeftFace(std::int32_t x, std::int32_t y) {
    return OnePitchApart(x, LeftFaceX, BrickPitchX, GridColumns) && !AtTopFace(x, y) &&
           !AtBottomFace(x, y);
}

bool AtRightFace(std::int32_t x, std::int32_t y) {
    return OnePitchApart(x, RightFaceX, BrickPitchX, GridColumns) && !AtTopFace(x, y) &&
           !AtBottomFace(x, y);
}

// One face test: when it fires, and the two cells it names, each the cell
// under a corner of the ball's box given by its offset from (ballX, ballY).
struct FaceTest {
    Surface surface;
    bool (*fires)(std::int32_t x, std::int32_t y);
    int firstDx, firstDy;
    int secondDx, secondDy;
    bool secondUpToLastX; // the second cell is named only while x <= SecondCellLastX
};

// In this order; each test reads the position as the tests before it have left it.
constexpr FaceTest faceTests[] = {
    {Surface::BrickBottom, AtBottomFace, 0, 0, BallSize, 0, true},
    {Surface::BrickLeft, AtLeftFace, BallSize, 0, BallSize, BallSize, false},
    {Surface::BrickRight, AtRightFace, 0, 0, 0, BallSize, false},
    {Surface::BrickTop, AtTopFace, 0, BallSize, BallSize, BallSize, true},
};

void WallBounce(BrickGame& game, BrickPlatform& platform, Surface wall) {
    if (game.ballInFlight) {
        PlayCue(game, platform, "Stena.wav", CueWay::Start);
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
    // Off a brick the ball is put one pitch below or right of the brick's
    // corner, or with its box one pixel into the brick from above or left.
    switch (surface) {
    case Surface::BrickBottom: game.ballY = BrickY(r + 1); break;
    case Surface::TopWall: game.ballY = TopWallY; break;
    case Surface::BrickTop: game.ballY = BrickY(r) + 1 - BallSize; break;
    case Surface::BrickLeft: game.ballX = BrickX(c) + 1 - BallSize; break;
    case Surface::RightWall: game.ballX = RightWallX; break;
    case Surface::BrickRight: game.ballX = BrickX(c + 1); break;
    case Surface::LeftWall: game.ballX = LeftWallX; break;
    }
    game.quadrant = rule.newQuadrant;
    game.originX = game.ballX;
    game.originY = game.ballY;
}

void TestBricks(BrickGame& game, BrickPlatform& platform) {
    if (game.ballX < LeftFaceX || game.ballX > LastRightFaceX || game.ballY < TopFaceY ||
        game.ballY > LastBottomFaceY) {
        return;
    }
    for (const FaceTest& test : faceTests) {
        const std::int32_t x = game.ballX;
        const std::int32_t y = game.ballY;
        if (test.fires(x, y)) {
            const bool second = !test.secondUpToLastX || x <= SecondCellLastX;
            HitTest(game, platform, CellAt(x + test.firstDx, y + test.firstDy),
                    CellAt(x + test.secondDx, y + test.secondDy, second), test.surface);
        }
    }
}

void TestPaddle(BrickGame& game, BrickPlatform& platform) {
    if (game.ballY < 445 || game.ballY > 449) {
        return;
    }
    if (game.ballX < game.paddleX - 30 || game.ballX > game.paddleX + 70) {
        // Missed: the whole window is repainted for every frame in the band.
        platform.invalidateAll(true);
        return;
    }
    PlayCue(game, platform, "Doska.wav", CueWay::Start);
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

void TestWalls(BrickGame& game, BrickPlatform& platform) {
    if (game.ballY <= TopWallY) {
        WallBounce(game, platform, Surface::TopWall);
    }
    if (game.ballX <= LeftWallX) {
        WallBounce(game, platform, Surface::LeftWall);
    }
    if (game.ballX >= RightWallX) {
        WallBounce(game, platform, Surface::RightWall);
    }
}

} // namespace brick

// Ball motion, bounces and collisions.
#include "brick_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brick::testing {
namespace {

using Launch = BrickTest;
using Paddle = BrickTest;
using Move = BrickTest;
using BounceTable = BrickTest;
using Bricks = BrickTest;
using Walls = BrickTest;

TEST_F(Launch, UnmovedPaddleShowsOldOriginThenBouncesOffThePaddle) {
    g.isPlaying = true;
    g.paddleX = 300;
    LeftButtonDown(g, platform);
    EXPECT_TRUE(g.ballInFlight);
    EXPECT_EQ(g.originX, 330);
    EXPECT_EQ(g.originY, 445);
    EXPECT_EQ(g.quadrant, 1);
    EXPECT_DOUBLE_EQ(g.ballAngle, 0.44879857142857144);
    PlayFrame(g, platform);
    // Drawn at the previous origin (0, 0 at the first launch of a run) ...
    EXPECT_GE(platform.indexOf("ellipse 0,0,10,10 ball"), 0);
    // ... then stepped onto the new origin in the paddle band and bounced.
    EXPECT_EQ(g.ballX, 330);
    EXPECT_EQ(g.ballY, 445);
    EXPECT_EQ(platform.only("cue"), Calls{"cue Doska.wav start"});
    EXPECT_NEAR(g.ballAngle, 1.431168777777778, 1e-15);
    EXPECT_EQ(g.quadrant, 1);
    EXPECT_EQ(g.stepCount, 2);
}

TEST_F(Launch, AfterALostBallTheBallShowsWhereTheOldSegmentStarted) {
    g.isPlaying = true;
    g.paddleX = 100;
    g.originX = 412;
    g.originY = 0;
    g.ballY = 50;
    LaunchBall(g);
    EXPECT_EQ(g.ballX, 412);
    EXPECT_EQ(g.ballY, 0);
    EXPECT_EQ(g.originX, 130);
}

TEST_F(Paddle, AngleAcrossThePaddleAndItsLimits) {
    struct Case {
        int ballXFromPaddle;
        double angle;
    };
    const Case cases[] = {
        {-30, 2.6179916666666667},          // offset -11: 3.5255... lowered
        {-20, 2.6179916666666667},          // offset -1: 3.176... lowered
        {26, 1.570795},                     // offset 45: straight up
        {30, 1.431168777777778},            // the launch position
        {70, 0.5235983333333333},           // offset 89: 0.0349... raised
        {45, (2.0 - 64 / 45.0) * 1.570795}, // inside the limits, unchanged
    };
    for (const Case& k : cases) {
        Start(Flying(300 + k.ballXFromPaddle, 447, 3, 2.0));
        TestPaddle(g, platform);
        EXPECT_NEAR(g.ballAngle, k.angle, 1e-15) << "ballX = paddleX + " << k.ballXFromPaddle;
        EXPECT_EQ(g.quadrant, 1);
        EXPECT_EQ(g.stepCount, 2);
        EXPECT_EQ(g.ballY, 445);
        EXPECT_EQ(g.originX, g.ballX);
        EXPECT_EQ(g.originY, 445);
        EXPECT_EQ(platform.calls, Calls{"cue Doska.wav start"});
    }
}

TEST_F(Paddle, BandEdgesAndMisses) {
    struct Case {
        int dx, y;
        bool bounce, repaint;
    };
    const Case cases[] = {
        {0, 444, false, false}, {0, 445, true, false},   {0, 449, true, false},
        {0, 450, false, false}, {71, 447, false, true},  {-31, 447, false, true},
        {70, 449, true, false}, {-30, 445, true, false},
    };
    for (const Case& k : cases) {
        Start(Flying(300 + k.dx, k.y, 2, 0.3));
        TestPaddle(g, platform);
        EXPECT_EQ(g.quadrant == 1, k.bounce) << k.dx << "," << k.y;
        EXPECT_EQ(platform.indexOf("invalidateAll erase") >= 0, k.repaint) << k.dx << "," << k.y;
    }
}

TEST_F(Paddle, BallBesideThePaddleFallsOnWithAWholeRepaintPerFrame) {
    BrickGame g = Flying(371, 440, 2, 0.0); // straight down
    int frames = 0;
    while (g.ballInFlight && frames < 100) {
        platform.clear();
        PlayFrame(g, platform);
        ++frames;
        if (g.ballInFlight && g.ballY >= 445 && g.ballY <= 449) {
            EXPECT_EQ(platform.only("invalidateAll erase").size(), 1u) << "ballY " << g.ballY;
        }
    }
    EXPECT_FALSE(g.ballInFlight);
    EXPECT_EQ(g.screenMode, ModeReady);
    EXPECT_EQ(g.spareBalls, 1);
}

TEST_F(Paddle, StraightUpClimbsOneRowPerFrameAfterTheTwoPixelRestart) {
    g = Flying(300, 447, 2, 0.0);
    g.paddleX = 274; // offset 45
    TestPaddle(g, platform);
    ASSERT_DOUBLE_EQ(g.ballAngle, 1.570795);
    std::vector<std::pair<int, int>> seen;
    for (int i = 0; i < 4; ++i) {
        PlayFrame(g, platform);
        seen.emplace_back(g.ballX, g.ballY);
    }
    EXPECT_EQ(seen,
              (std::vector<std::pair<int, int>>{{300, 443}, {300, 442}, {300, 441}, {300, 440}}));
}

TEST_F(Move, DirectionOfEachQuadrant) {
    struct Case {
        int quadrant;
        int sx, sy; // expected signs of the motion
    };
    for (Case k : {Case{1, 1, -1}, Case{2, 1, 1}, Case{3, -1, 1}, Case{4, -1, -1}}) {
        Start(Flying(300, 300, k.quadrant, 0.7));
        g.stepCount = 10;
        MoveBall(g);
        EXPECT_EQ((g.ballX > 300) - (g.ballX < 300), k.sx) << "quadrant " << k.quadrant;
        EXPECT_EQ((g.ballY > 300) - (g.ballY < 300), k.sy) << "quadrant " << k.quadrant;
    }
}

TEST_F(Move, TruncatesTowardZeroButFloorsXInQuadrantThree) {
    // cos 0.5 = 0.8776, sin 0.5 = 0.4794.
    BrickGame q3 = Flying(0, 100, 3, 0.5);
    MoveBall(q3);
    EXPECT_EQ(q3.ballX, -1) << "-0.88 floored";
    EXPECT_EQ(q3.ballY, 100);
    BrickGame q4 = Flying(0, 100, 4, 0.5);
    MoveBall(q4);
    EXPECT_EQ(q4.ballX, 0) << "-0.48 truncated toward zero";
    EXPECT_EQ(q4.ballY, 99) << "100 - 0.88 truncated";
    BrickGame q1 = Flying(10, 10, 1, 0.5);
    q1.stepCount = 3;
    MoveBall(q1);
    EXPECT_EQ(q1.ballX, static_cast<int>(10 + 3 * std::cos(0.5)));
    EXPECT_EQ(q1.ballY, static_cast<int>(10 - 3 * std::sin(0.5)));
}

TEST_F(Move, PositionComesFromTheOriginSoEveryStepIsOnePixel) {
    g = Flying(200, 300, 1, 0.3);
    int x = g.ballX;
    int y = g.ballY;
    for (int i = 0; i < 150; ++i) {
        PlayFrame(g, platform);
        EXPECT_LE(std::abs(g.ballX - x), 1);
        EXPECT_LE(std::abs(g.ballY - y), 1);
        x = g.ballX;
        y = g.ballY;
    }
}

TEST_F(Move, NothingMovesOnThePaddle) {
    g = Flying(200, 300, 1, 0.3);
    g.ballInFlight = false;
    g.stepCount = 50;
    MoveBall(g);
    EXPECT_EQ(g.ballX, 200);
    EXPECT_EQ(g.ballY, 300);
}

TEST_F(BounceTable, EverySurfaceFromEveryQuadrant) {
    constexpr double K = -1; // keep
    struct Row {
        Surface surface;
        int newQuadrant;
        double entries[4];
        bool vertical; // corrected coordinate is x
        int corrected; // with r = 1, c = 2 for bricks
    };
    const Row rows[] = {
        {Surface::BrickBottom, 3, {3.14, 4.71, K, 1.57}, false, 142},
        {Surface::TopWall, 3, {3.14, 4.71, K, 1.57}, false, 5},
        {Surface::BrickTop, 1, {K, 1.57, 3.14, 4.71}, false, 112},
        {Surface::BrickLeft, 4, {1.57, 3.14, 4.71, K}, true, 203},
        {Surface::RightWall, 4, {1.57, 3.14, 4.71, K}, true, 685},
        {Surface::BrickRight, 2, {4.71, K, 1.57, 3.14}, true, 268},
        {Surface::LeftWall, 2, {4.71, K, 1.57, 3.14}, true, 0},
    };
    for (const Row& row : rows) {
        for (int q = 1; q <= 4; ++q) {
            Start(Flying(333, 222, q, 0.4));
            g.stepCount = 17;
            Bounce(g, row.surface, 1, 2);
            const double e = row.entries[q - 1];
            const std::string where = "surface " + std::to_string(static_cast<int>(row.surface)) +
                                      " q" + std::to_string(q);
            if (e == K) {
                EXPECT_EQ(g.ballAngle, 0.4) << where;
                EXPECT_EQ(g.stepCount, 18) << where;
            } else {
                EXPECT_EQ(g.ballAngle, e - 0.4) << where;
                EXPECT_EQ(g.stepCount, 2) << where;
            }
            EXPECT_EQ(g.quadrant, row.newQuadrant) << where;
            EXPECT_EQ(row.vertical ? g.ballX : g.ballY, row.corrected) << where;
            EXPECT_EQ(row.vertical ? g.ballY : g.ballX, row.vertical ? 222 : 333) << where;
            EXPECT_EQ(g.originX, g.ballX) << where;
            EXPECT_EQ(g.originY, g.ballY) << where;
        }
    }
}

TEST_F(Bricks, BottomFaceOfRowZeroSendsTheBallDownToTheRight) {
    g = Flying(300, 120, 1, 0.5);
    TestBricks(g, platform);
    EXPECT_EQ(g.brickGrid[0][3], 0);
    EXPECT_NEAR(g.ballAngle, 2.64, 1e-12);
    EXPECT_EQ(g.quadrant, 3);
    EXPECT_EQ(g.ballY, 121);
    EXPECT_EQ(platform.calls,
              (Calls{"invalidate 268,100,324,121 erase", "invalidate 268,100,324,121 erase",
                     "cue Kubik.wav start", "invalidate 650,20,700,40 erase"}));
    g.stepCount = 5;
    MoveBall(g);
    EXPECT_GT(g.ballX, 300);
    EXPECT_GT(g.ballY, 121);
}

TEST_F(Bricks, TwoBricksBreakInOneHitAndAddTwoHundredNextFrame) {
    BrickGame g = Flying(150, 141, 4, 0.5); // below row 1, across columns 0 and 1
    PlayFrame(g, platform);
    EXPECT_EQ(g.brickGrid[1][0], 0);
    EXPECT_EQ(g.brickGrid[1][1], 0);
    EXPECT_EQ(platform.only("cue"), Calls{"cue Kubik.wav start"});
    EXPECT_EQ(g.score, 0) << "counted from the grid on the next frame";
    PlayFrame(g, platform);
    EXPECT_EQ(g.score, 200);
}

TEST_F(Bricks, NearTheRightEdgeOnlyTheFirstCellCounts) {
    g = Flying(596, 120, 1, 0.5);
    g.brickGrid[0][8] = 0;
    TestBricks(g, platform);
    EXPECT_EQ(platform.calls, Calls{});
    EXPECT_EQ(g.quadrant, 1);
    g.brickGrid[0][8] = 1;
    TestBricks(g, platform);
    EXPECT_EQ(g.brickGrid[0][8], 0);
    EXPECT_EQ(g.quadrant, 3);
    EXPECT_EQ(platform.only("invalidate"),
              (Calls{"invalidate 548,100,604,121 erase", "invalidate 650,20,700,40 erase"}))
        << "one cell box only";
}

TEST_F(Bricks, SideTestsBelowTheLastRowNeverWriteOutsideTheGrid) {
    for (int y = 153; y <= 161; ++y) {
        for (int x : {92, 603}) {
            Start(Flying(x, y, x == 92 ? 2 : 3, 0.5));
            const int c = x == 92 ? 0 : 8;
            g.brickGrid[2][c] = 0;
            const std::string before = Snapshot(g);
            TestBricks(g, platform);
            EXPECT_EQ(Snapshot(g), before) << "row 3 counts as empty, at y " << y;
            g.brickGrid[2][c] = 1;
            TestBricks(g, platform);
            EXPECT_EQ(g.brickGrid[2][c], 0) << y;
            EXPECT_EQ(g.score, 0);
            EXPECT_EQ(platform.only("invalidate").size(), 3u) << "two cell boxes and the score";
        }
    }
}

TEST_F(Bricks, FacesFireAtTheirExactCoordinates) {
    struct Case {
        int x, y, quadrant;
        Surface surface;
        int r, c;
    };
    // Brick (1, 2): x 212..266, y 121..140.
    const Case cases[] = {
        {230, 141, 1, Surface::BrickBottom, 1, 2}, // touching from below
        {230, 113, 2, Surface::BrickTop, 1, 2},    // 2 pixels into the top edge
        {204, 125, 2, Surface::BrickLeft, 1, 2},   // 2 pixels into the left edge
        {267, 125, 3, Surface::BrickRight, 1, 2},  // touching from the right
    };
    for (const Case& k : cases) {
        Start(Flying(k.x, k.y, k.quadrant, 0.5));
        for (auto& row : g.brickGrid) {
            for (std::int32_t& cell : row) {
                cell = 0;
            }
        }
        g.brickGrid[k.r][k.c] = 1;
        BrickGame expected = g;
        Bounce(expected, k.surface, k.r, k.c);
        expected.brickGrid[k.r][k.c] = 0;
        TestBricks(g, platform);
        EXPECT_EQ(Snapshot(g), Snapshot(expected)) << k.x << "," << k.y;
    }
}

TEST_F(Bricks, CornerOfABrickBouncesOffTheHorizontalFace) {
    // At x 204 the ball's box reaches the left edge of (1, 2), at y 120 it
    // touches row 0 from below: the bottom face wins.
    g = Flying(204, 120, 1, 0.5);
    for (std::int32_t& cell : g.brickGrid[1]) {
        cell = 0;
    }
    TestBricks(g, platform);
    EXPECT_EQ(g.quadrant, 3) << "bottom face, not left face";
    EXPECT_EQ(g.ballX, 204);
    // Without the bricks above, the side test stays quiet at that y although
    // its second cell (1, 2) holds a brick.
    BrickGame h = Flying(204, 120, 1, 0.5);
    for (std::int32_t& cell : h.brickGrid[0]) {
        cell = 0;
    }
    const std::string before = Snapshot(h);
    TestBricks(h, platform);
    EXPECT_EQ(Snapshot(h), before);
}

TEST_F(Bricks, OneFrameCanBounceTwiceOnThePositionLeftByTheFirstTest) {
    g = Flying(148, 120, 1, 0.5);
    TestBricks(g, platform);
    // A: bottom face of (0,0) and (0,1), to quadrant 3 at y 121; then B at
    // x 148, y 121: left face of (1,1), to quadrant 4 at x 147.
    EXPECT_EQ(g.brickGrid[0][0], 0);
    EXPECT_EQ(g.brickGrid[0][1], 0);
    EXPECT_EQ(g.brickGrid[1][1], 0);
    EXPECT_EQ(g.brickGrid[1][0], 1);
    EXPECT_EQ(platform.only("cue Kubik").size(), 2u);
    EXPECT_EQ(g.quadrant, 4);
    EXPECT_NEAR(g.ballAngle, 4.71 - 2.64, 1e-12);
    EXPECT_EQ(g.ballX, 147);
    EXPECT_EQ(g.ballY, 121);
}

TEST_F(Bricks, OutsideTheTestBoxNothingIsLookedAt) {
    for (auto xy : {std::pair<int, int>{91, 120}, {604, 120}, {300, 91}, {300, 163}}) {
        Start(Flying(xy.first, xy.second, 1, 0.5));
        TestBricks(g, platform);
        EXPECT_EQ(platform.calls, Calls{}) << xy.first << "," << xy.second;
    }
}

TEST_F(Walls, LeftWallMirrorsTheClimb) {
    g = Flying(1, 300, 4, 0.5);
    g.stepCount = 2;
    PlayFrame(g, platform);
    EXPECT_EQ(platform.only("cue"), Calls{"cue Stena.wav start"});
    EXPECT_NEAR(g.ballAngle, 2.64, 1e-12);
    EXPECT_EQ(g.quadrant, 2);
    EXPECT_EQ(g.ballX, 0);
    const int y = g.ballY;
    for (int i = 0; i < 3; ++i) {
        PlayFrame(g, platform);
    }
    EXPECT_GT(g.ballX, 0);
    EXPECT_LT(g.ballY, y);
    EXPECT_EQ(g.quadrant, 2);
}

TEST_F(Walls, CornerBouncesTwiceInOneFrame) {
    g = Flying(0, 5, 4, 0.7);
    g.stepCount = 0;
    TestWalls(g, platform);
    EXPECT_EQ(platform.only("cue"), (Calls{"cue Stena.wav start", "cue Stena.wav start"}));
    EXPECT_EQ(g.quadrant, 2);
    EXPECT_EQ(g.ballX, 0);
    EXPECT_EQ(g.ballY, 5);
}

TEST_F(Walls, FlatAnglesAreRaisedToTheSmallest) {
    BrickGame g = Flying(300, 4, 1, 3.13); // 3.14 - 3.13 = 0.01
    TestWalls(g, platform);
    EXPECT_EQ(g.ballAngle, 3.14 / 100);
    EXPECT_EQ(g.ballAngle, 0.031400000000000004);
}

TEST_F(Walls, RightWallAtItsLimit) {
    for (int x : {684, 685, 700}) {
        Start(Flying(x, 300, 2, 0.5));
        TestWalls(g, platform);
        EXPECT_EQ(g.quadrant, x >= 685 ? 4 : 2) << x;
        EXPECT_EQ(g.ballX, x >= 685 ? 685 : x) << x;
    }
}

TEST_F(Walls, FlatExitAlongTheTopSpeedsUpUntilClear) {
    g = Flying(600, 5, 3, 0.0314);
    g.stepCount = 2;
    std::vector<int> xs{g.ballX};
    int keeps = 0;
    for (int i = 0; i < 6 && g.ballY <= 6; ++i) {
        const int before = g.stepCount;
        PlayFrame(g, platform);
        if (g.ballY == 5 && g.quadrant == 3 && g.stepCount == before + 2) {
            ++keeps; // one from the frame, one from the keep bounce
        }
        xs.push_back(g.ballX);
    }
    EXPECT_GE(keeps, 2);
    for (std::size_t i = 2; i < xs.size(); ++i) {
        EXPECT_GT(xs[i - 1] - xs[i], xs[i - 2] - xs[i - 1]) << "frame " << i;
    }
}

TEST_F(Walls, NoCueOnceTheBallIsLost) {
    g = Flying(0, 300, 4, 0.5);
    g.ballInFlight = false;
    TestWalls(g, platform);
    EXPECT_EQ(platform.calls, Calls{});
    EXPECT_EQ(g.quadrant, 2) << "the bounce itself still happens";
}

} // namespace
} // namespace brick::testing

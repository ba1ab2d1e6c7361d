#include "snake_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

namespace {

using snake::Cell;
using snake::SnakeGame;
using snake::testing::DrawCall;
using snake::testing::LayRowEndingAt;
using snake::testing::Session;
using snake::testing::StartCells;
namespace key = desk::key;

void ExpectAtStart(const SnakeGame& g) {
    EXPECT_EQ(g.segmentCount, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(g.segments[static_cast<std::size_t>(i)], (Cell{i * 10, 0})) << "entry " << i;
    }
    EXPECT_EQ(g.goLeft + g.goUp + g.goRight + g.goDown, 0);
    EXPECT_EQ(g.score, 0);
}

size_t DistinctSquares(const std::vector<Cell>& cells) {
    std::set<std::pair<int, int>> s;
    for (const Cell& c : cells) {
        s.insert({c.x, c.y});
    }
    return s.size();
}

// --- Draws -------------------------------------------------------------------

TEST(Draws, ComeFromTheLibraryRandXFirstThenY) {
    std::srand(12345);
    const int first = std::rand();
    const int second = std::rand();
    std::srand(12345);
    SnakeGame g;
    g.TakeDraws();
    EXPECT_EQ(g.drawX, first % 800);
    EXPECT_EQ(g.drawY, second % 800);
}

TEST(Draws, TakeExactlyTwoValuesAndNeverReseed) {
    std::srand(777);
    std::rand();
    std::rand();
    const int third = std::rand();
    std::srand(777);
    SnakeGame g;
    g.TakeDraws();
    EXPECT_EQ(std::rand(), third);
}

TEST(Draws, AreReducedModulo800) {
    const std::vector<std::pair<int, int>> cases = {{0, 0},      {799, 799},   {800, 0},
                                                    {1599, 799}, {32767, 767}, {12345, 345}};
    for (const auto& [raw, reduced] : cases) {
        SnakeGame g;
        g.drawSource = [raw = raw] { return raw; };
        g.TakeDraws();
        EXPECT_EQ(g.drawX, reduced) << "raw " << raw;
        EXPECT_EQ(g.drawY, reduced) << "raw " << raw;
    }
}

// --- Start-up moves ----------------------------------------------------------

TEST(StartUp, FourSquaresInTheTopRowStandingWithFoodInRowTwo) {
    SnakeGame g;
    ExpectAtStart(g);
    EXPECT_EQ(g.food, (Cell{90, 10}));
    EXPECT_EQ(g.fieldWidth, 0);
    EXPECT_EQ(g.fieldHeight, 0);
}

TEST(StartUp, TicksWhileStandingMoveNothingButRepaintsStillRunTheRules) {
    Session s(400, 300);
    for (int i = 0; i < 5; ++i) {
        s.step();
    }
    EXPECT_EQ(s.cells(), StartCells());
    s.game.score = 5;
    s.size(35, 300); // head (30,0) now reaches past the right wall
    s.step();
    EXPECT_EQ(s.game.score, 0) << "the rule pass of a repaint reset the standing snake";
    ExpectAtStart(s.game);
}

TEST(StartUp, DownMovesTheHeadBelowAndTheBodyFollows) {
    Session s(400, 300);
    s.key(key::Down);
    s.step();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{10, 0}, {20, 0}, {30, 0}, {30, 10}}));
    s.step();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{20, 0}, {30, 0}, {30, 10}, {30, 20}}));
}

TEST(StartUp, RightMovesTheWholeRowOneSquare) {
    Session s(400, 300);
    s.key(key::Right);
    s.step();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{10, 0}, {20, 0}, {30, 0}, {40, 0}}));
    EXPECT_EQ(s.game.goRight, 1);
}

TEST(StartUp, UpCarriesTheHeadAboveTheFieldAndTheNextPassResets) {
    Session s(400, 300);
    s.key(key::Up);
    s.tick();
    EXPECT_EQ(s.game.head(), (Cell{30, -10})) << "motion itself checks nothing";
    s.repaint();
    ExpectAtStart(s.game);
    s.step();
    EXPECT_EQ(s.cells(), StartCells()) << "after a reset the snake stands";
}

TEST(StartUp, LeftStepsOntoTheBodyAndTheSelfCheckResets) {
    Session s(400, 300);
    s.key(key::Left);
    s.tick();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{10, 0}, {20, 0}, {30, 0}, {20, 0}}));
    s.repaint();
    ExpectAtStart(s.game);
}

// --- Steering ----------------------------------------------------------------

TEST(Steering, EachArrowSetsOneFlagAndClearsTheOthers) {
    struct Case {
        int key;
        int left, up, right, down;
    };
    const Case cases[] = {{key::Left, 1, 0, 0, 0},
                          {key::Up, 0, 1, 0, 0},
                          {key::Right, 0, 0, 1, 0},
                          {key::Down, 0, 0, 0, 1},
                          {key::Delete, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        SnakeGame g;
        g.goLeft = g.goUp = g.goRight = g.goDown = 1; // every flag set before
        g.SteerSnake(c.key);
        EXPECT_EQ(g.goLeft, c.left) << "key " << c.key;
        EXPECT_EQ(g.goUp, c.up) << "key " << c.key;
        EXPECT_EQ(g.goRight, c.right) << "key " << c.key;
        EXPECT_EQ(g.goDown, c.down) << "key " << c.key;
    }
}

TEST(Steering, EveryOtherKeyCodeChangesNothing) {
    for (int code = -1; code <= 0x1FF; ++code) {
        if (code == key::Left || code == key::Up || code == key::Right || code == key::Down ||
            code == key::Delete) {
            continue;
        }
        SnakeGame g;
        g.goDown = 1;
        g.SteerSnake(code);
        EXPECT_EQ(g.goDown, 1) << "key " << code;
        EXPECT_EQ(g.goLeft + g.goUp + g.goRight, 0) << "key " << code;
    }
}

TEST(Steering, TheLastKeyBeforeATickDecidesItsMove) {
    Session s(400, 300);
    s.key(key::Right);
    s.key(key::Up);
    s.key(key::Down);
    s.step();
    EXPECT_EQ(s.game.head(), (Cell{30, 10}));
}

TEST(Steering, DeleteStopsWhereItStandsAndAnArrowStartsAgainFromThere) {
    Session s(400, 300);
    s.key(key::Down);
    s.step();
    s.step();
    s.key(key::Delete);
    const std::vector<Cell> stopped = s.cells();
    for (int i = 0; i < 3; ++i) {
        s.step();
    }
    EXPECT_EQ(s.cells(), stopped);
    s.key(key::Right);
    s.step();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{30, 0}, {30, 10}, {30, 20}, {40, 20}}));
}

TEST(Steering, ReversingWhileMovingRunsIntoTheBody) {
    Session s(400, 300);
    s.key(key::Down);
    for (int i = 0; i < 4; ++i) {
        s.step();
    }
    s.key(key::Up);
    s.step();
    ExpectAtStart(s.game);
}

// --- Walls and resizing ------------------------------------------------------

TEST(Walls, TheHeadMustLieWhollyInsideTheField) {
    struct Case {
        Cell head;
        int width, height;
        bool resets;
    };
    const Case cases[] = {
        {{190, 50}, 200, 100, false}, {{200, 50}, 200, 100, true},  {{190, 50}, 199, 100, true},
        {{100, 90}, 200, 100, false}, {{100, 100}, 200, 100, true}, {{100, 90}, 200, 99, true},
        {{-10, 50}, 200, 100, true},  {{100, -10}, 200, 100, true}, {{0, 0}, 10, 10, false},
        {{0, 0}, 9, 10, true},        {{0, 0}, 0, 0, true},
    };
    for (const Case& c : cases) {
        SnakeGame g;
        LayRowEndingAt(g, c.head);
        g.ResizeField(static_cast<std::uint16_t>(c.width), static_cast<std::uint16_t>(c.height));
        g.food = Cell{500, 500};
        g.ApplyRules();
        EXPECT_EQ(g.head() == (Cell{30, 0}) && g.segmentCount == 4, c.resets)
            << "head (" << c.head.x << "," << c.head.y << ") field " << c.width << "x" << c.height;
    }
}

TEST(Walls, ResizingMovesTheWallsAtTheNextRepaint) {
    Session s(400, 300);
    s.key(key::Right);
    for (int i = 0; i < 17; ++i) {
        s.step();
    }
    ASSERT_EQ(s.game.head(), (Cell{200, 0}));
    s.size(210, 300); // still inside: x + 10 = 210
    s.repaint();
    EXPECT_EQ(s.game.head(), (Cell{200, 0}));
    s.size(209, 300);
    EXPECT_EQ(s.game.head(), (Cell{200, 0})) << "a size event alone checks nothing";
    s.repaint();
    ExpectAtStart(s.game);
}

TEST(Walls, ResizeTakesBothValuesWhole) {
    SnakeGame g;
    g.ResizeField(65535, 1);
    EXPECT_EQ(g.fieldWidth, 65535);
    EXPECT_EQ(g.fieldHeight, 1);
}

// --- Growth ------------------------------------------------------------------

TEST(Growth, EatingWithFourEntriesGivesFiveOnFourSquares) {
    Session s(400, 300);
    s.game.food = Cell{40, 0};
    s.key(key::Right);
    s.queueDraws(0, 0); // the tick
    s.queueFoodAt(Cell{200, 200});
    s.step();
    EXPECT_EQ(s.game.segmentCount, 5);
    EXPECT_EQ(s.game.score, 1);
    EXPECT_EQ(s.game.segments[3], (Cell{40, 0}));
    EXPECT_EQ(s.game.segments[4], (Cell{40, 0}));
    EXPECT_EQ(DistinctSquares(s.cells()), 4u);
    EXPECT_EQ(s.game.food, (Cell{200, 200}));
}

// With n entries after eating the tail keeps moving for n - 2 moves and
// stands on the (n - 1)-th; from then on the snake covers n squares.
class GrowthTiming : public ::testing::TestWithParam<int> {};

TEST_P(GrowthTiming, TheTailStandsStillOnceWhenTheDoubledEntryReachesIt) {
    const int lengthBefore = GetParam();
    Session s(800, 600);
    SnakeGame& g = s.game;
    g.segmentCount = lengthBefore;
    for (int i = 0; i < lengthBefore; ++i) {
        g.segments[static_cast<std::size_t>(i)] = Cell{i * 10, 300};
    }
    g.food = Cell{lengthBefore * 10, 300};
    s.key(key::Right);
    s.queueDraws(0, 0);
    s.queueFoodAt(Cell{700, 500});
    s.step();
    const int n = g.segmentCount;
    ASSERT_EQ(n, lengthBefore + 1);
    for (int move = 1; move <= n - 1; ++move) {
        const Cell tailBefore = g.segments[0];
        s.step();
        if (move <= n - 2) {
            EXPECT_NE(g.segments[0], tailBefore) << "move " << move << " of " << n;
        } else {
            EXPECT_EQ(g.segments[0], tailBefore) << "move " << move << " of " << n;
        }
    }
    EXPECT_EQ(DistinctSquares(s.cells()), static_cast<size_t>(n));
    const Cell tailBefore = g.segments[0];
    s.step();
    EXPECT_NE(g.segments[0], tailBefore) << "after the pause the tail moves on";
}

INSTANTIATE_TEST_SUITE_P(Lengths, GrowthTiming, ::testing::Values(4, 5, 9, 30));

TEST(Growth, ARepaintWithoutATickRightAfterEatingIsNoCollision) {
    Session s(400, 300);
    s.game.food = Cell{40, 0};
    s.key(key::Right);
    s.queueDraws(0, 0);
    s.queueFoodAt(Cell{200, 200});
    s.step();
    ASSERT_EQ(s.game.segmentCount, 5);
    const std::vector<Cell> eaten = s.cells();
    s.repaint(); // uncovering the window: no tick
    s.repaint();
    EXPECT_EQ(s.cells(), eaten);
    EXPECT_EQ(s.game.score, 1) << "the food is not counted again";
    EXPECT_EQ(s.game.food, (Cell{200, 200}));
}

TEST(Growth, FoodThatLandsOnTheHeadIsEatenAgainByTheNextRepaint) {
    Session s(400, 300);
    s.game.food = Cell{40, 0};
    s.key(key::Right);
    s.queueDraws(0, 0);
    s.queueFoodAt(Cell{40, 0}); // the new food lands right on the head
    s.step();
    ASSERT_EQ(s.game.score, 1);
    s.queueFoodAt(Cell{200, 200});
    s.repaint();
    EXPECT_EQ(s.game.score, 2);
    EXPECT_EQ(s.game.segmentCount, 6);
    EXPECT_EQ(s.game.food, (Cell{200, 200}));
}

TEST(Growth, FoodUnderTheBodyIsEatenOnlyWhenTheHeadGetsThere) {
    Session s(400, 300);
    s.game.food = Cell{10, 0}; // under entry 1
    s.repaint();
    EXPECT_EQ(s.game.score, 0);
    EXPECT_EQ(s.game.food, (Cell{10, 0}));
}

// --- Food placement ----------------------------------------------------------

TEST(PlaceFood, RoundsToTheLatticeAndTakesTheRowAbove) {
    struct Case {
        int drawX, drawY, width, height;
        Cell food;
    };
    const Case cases[] = {
        {0, 0, 640, 480, {0, -10}},         // rounded y of 0: above the field
        {9, 9, 640, 480, {0, -10}},         //
        {10, 10, 640, 480, {10, 0}},        //
        {455, 237, 640, 480, {450, 220}},   //
        {799, 799, 1000, 1000, {790, 780}}, //
        {640, 480, 640, 480, {640, 470}},   // equal to the size: not pulled back
        {641, 481, 640, 480, {630, 460}},   // beyond: size - 10, then rounded
        {799, 799, 305, 207, {290, 180}},   // size not on the lattice
        {5, 5, 4, 4, {0, -10}},             // size - 10 negative: -6 rounds up to 0
        {100, 100, 0, 0, {-10, -20}},       // no field yet
    };
    for (const Case& c : cases) {
        SnakeGame g;
        g.drawX = c.drawX;
        g.drawY = c.drawY;
        g.ResizeField(static_cast<std::uint16_t>(c.width), static_cast<std::uint16_t>(c.height));
        g.PlaceFood();
        EXPECT_EQ(g.food, c.food) << "draws (" << c.drawX << "," << c.drawY << ") field " << c.width
                                  << "x" << c.height;
    }
}

TEST(PlaceFood, FoodAboveTheFieldComesDownToRowZeroAtTheNextPass) {
    Session s(400, 300);
    s.game.food = Cell{40, 0};
    s.key(key::Right);
    s.queueDraws(0, 0);
    s.queueDraws(120, 5); // rounded y 0: food at y = -10
    s.step();
    EXPECT_EQ(s.game.food, (Cell{120, -10}));
    EXPECT_EQ(s.frame.calls[s.frame.calls.size() - 2].box, (desk::Rect{120, -10, 130, 0}))
        << "this frame draws the food where it was placed";
    s.repaint();
    EXPECT_EQ(s.game.food, (Cell{120, 0}));
}

TEST(PlaceFood, FoodOnTheRightWallComesBackOneSquareAtTheNextPass) {
    Session s(400, 300);
    s.game.food = Cell{40, 0};
    s.key(key::Right);
    s.queueDraws(0, 0);
    s.queueDraws(400, 100); // drawX equal to the width is not pulled back
    s.step();
    EXPECT_EQ(s.game.food, (Cell{400, 90}));
    s.repaint();
    EXPECT_EQ(s.game.food, (Cell{390, 90}));
}

TEST(PlaceFood, AResizeOntoTheFoodColumnPullsItBack) {
    Session s(400, 300);
    s.game.food = Cell{300, 100};
    s.size(300, 300);
    s.repaint();
    EXPECT_EQ(s.game.food, (Cell{290, 100}));
}

// --- Score and bars ----------------------------------------------------------

// Eats the food put right in front of a snake moving right in row `y`.
void EatOnce(Session& s, Cell next) {
    s.game.food = Cell{s.game.head().x + 10, s.game.head().y};
    s.key(key::Right);
    s.queueDraws(0, 0);
    s.queueFoodAt(next);
    s.step();
}

TEST(Bars, TheTwentiethPointActivatesBarZeroInTheSamePass) {
    Session s(800, 600);
    LayRowEndingAt(s.game, Cell{100, 300});
    s.game.score = 19;
    EatOnce(s, Cell{500, 500});
    EXPECT_EQ(s.game.score, 20);
    EXPECT_EQ(s.game.activeBars(), 1);
    const auto& calls = s.frame.calls;
    ASSERT_EQ(calls.size(), 4u + 1 + 1 + 1);
    EXPECT_EQ(calls[4].box, (desk::Rect{30, 10, 80, 20}));
    EXPECT_EQ(calls[4].fill, snake::kBarColour);
    EXPECT_EQ(calls.back().text, "20");
}

TEST(Bars, AHeadOnAnActiveBarResetsAcrossItsWholeWidth) {
    for (int bar = 0; bar < snake::kBarCount; ++bar) {
        const Cell b = snake::kObstacleTable[static_cast<std::size_t>(bar)];
        const struct {
            int dx, dy;
            bool resets;
        } probes[] = {{0, 0, true}, {40, 0, true}, {-10, 0, false}, {50, 0, false}, {0, 10, false}};
        for (const auto& p : probes) {
            SnakeGame g;
            g.ResizeField(1000, 1000);
            g.food = Cell{900, 900};
            g.score = 200;
            LayRowEndingAt(g, Cell{b.x + p.dx, b.y + p.dy});
            g.ApplyRules();
            EXPECT_EQ(g.score == 0, p.resets) << "bar " << bar << " probe " << p.dx << "," << p.dy;
        }
    }
}

TEST(Bars, OnlyTheFirstScoreOver20BarsAreActive) {
    const Cell lastBar = snake::kObstacleTable[9];
    for (int score : {0, 19, 20, 179, 180, 199, 200}) {
        SnakeGame g;
        g.ResizeField(1000, 1000);
        g.food = Cell{900, 900};
        g.score = score;
        LayRowEndingAt(g, lastBar);
        g.ApplyRules();
        EXPECT_EQ(g.head() == (Cell{30, 0}), score >= 200) << "score " << score;
    }
}

TEST(Bars, TheScoreStaysAt200WhileTheSnakeStillGrows) {
    Session s(800, 600);
    LayRowEndingAt(s.game, Cell{100, 300});
    s.game.score = 200;
    EatOnce(s, Cell{500, 500});
    EXPECT_EQ(s.game.score, 200);
    EXPECT_EQ(s.game.segmentCount, 5);
    EXPECT_EQ(s.frame.calls.back().text, "200");
    int bars = 0;
    for (const DrawCall& c : s.frame.calls) {
        bars += c.kind == DrawCall::Rectangle && c.fill == snake::kBarColour;
    }
    EXPECT_EQ(bars, 10);
}

TEST(Bars, FoodPlacedOnAnActiveBarJumpsToTheParkingPlace) {
    Session s(800, 600);
    LayRowEndingAt(s.game, Cell{100, 300});
    s.game.score = 20;
    EatOnce(s, Cell{70, 10}); // the right end of bar 0
    EXPECT_EQ(s.game.food, snake::kParking);
}

TEST(Bars, FoodParksAtSixHundredEvenInANarrowField) {
    Session s(300, 600);
    LayRowEndingAt(s.game, Cell{100, 300});
    s.game.score = 40;
    EatOnce(s, Cell{120, 20}); // on bar 1
    EXPECT_EQ(s.game.food, (Cell{600, 10}));
    s.repaint();
    EXPECT_EQ(s.game.food, (Cell{600, 10})) << "out of reach, and no repair moves it";
}

TEST(Bars, FoodOnAnInactiveBarStays) {
    Session s(800, 600);
    LayRowEndingAt(s.game, Cell{100, 300});
    s.game.score = 20;
    EatOnce(s, Cell{80, 20}); // bar 1 needs 40 points
    EXPECT_EQ(s.game.food, (Cell{80, 20}));
}

TEST(Bars, AHeadOnABarResetsBeforeTheFoodIsCheckedSoTheFoodStays) {
    SnakeGame g;
    g.ResizeField(1000, 1000);
    g.score = 200;
    g.food = Cell{80, 140}; // on bar 5
    LayRowEndingAt(g, Cell{320, 350});
    g.ApplyRules();
    EXPECT_EQ(g.score, 0);
    EXPECT_EQ(g.food, (Cell{80, 140}));
}

// --- Capacity ----------------------------------------------------------------

// Feeds the snake along a path, each food placed on the next square of it:
// down column 90, then along rows 450, 460 and 470, away from every bar.
TEST(Capacity, TheListFillsAt200AndLaterFoodStillScoresAndMovesOn) {
    Session s(800, 800);
    s.key(key::Right);
    for (int i = 0; i < 6; ++i) {
        s.step();
    }
    ASSERT_EQ(s.game.head(), (Cell{90, 0}));

    std::vector<std::pair<Cell, int>> path; // square and the key that leads onto it
    for (int y = 10; y <= 450; y += 10)
        path.push_back({{90, y}, key::Down});
    for (int x = 100; x <= 790; x += 10)
        path.push_back({{x, 450}, key::Right});
    path.push_back({{790, 460}, key::Down});
    for (int x = 780; x >= 0; x -= 10)
        path.push_back({{x, 460}, key::Left});
    path.push_back({{0, 470}, key::Down});
    for (int x = 10; x <= 790; x += 10)
        path.push_back({{x, 470}, key::Right});
    ASSERT_EQ(s.game.food, path[0].first);

    for (size_t i = 0; i < path.size(); ++i) {
        s.key(path[i].second);
        s.queueDraws(0, 0); // the tick
        s.queueFoodAt(i + 1 < path.size() ? path[i + 1].first : Cell{700, 700});
        s.step();
        const int eaten = static_cast<int>(i) + 1;
        ASSERT_EQ(s.game.head(), path[i].first) << "reset at food " << eaten;
        ASSERT_EQ(s.game.score, std::min(eaten, 200)) << "food " << eaten;
        ASSERT_EQ(s.game.segmentCount, std::min(4 + eaten, 200)) << "food " << eaten;
        const Cell nextFood = i + 1 < path.size() ? path[i + 1].first : Cell{700, 700};
        ASSERT_EQ(s.game.food, nextFood);
    }
    EXPECT_GT(path.size(), 196u + 50u) << "the path must go well past a full list";
    EXPECT_NE(s.game.segments[198], s.game.segments[199])
        << "a full list appends no doubled head entry";
}

TEST(Capacity, EatingWithAFullListMovesTheFoodOnWithoutGrowing) {
    Session s(2000, 2000);
    SnakeGame& g = s.game;
    g.segmentCount = 200;
    for (int i = 0; i < 200; ++i) {
        g.segments[static_cast<std::size_t>(i)] = Cell{i * 10, 1000};
    }
    g.score = 150;
    g.food = Cell{1990, 1010};
    g.goDown = 1;
    const Cell tail = g.segments[0];
    s.queueDraws(0, 0);
    s.queueFoodAt(Cell{300, 300});
    s.step();
    EXPECT_EQ(g.segmentCount, 200);
    EXPECT_EQ(g.score, 151);
    EXPECT_EQ(g.food, (Cell{300, 300}));
    EXPECT_EQ(g.head(), (Cell{1990, 1010}));
    EXPECT_NE(g.segments[0], tail) << "the tail moved on";
    EXPECT_EQ(DistinctSquares(s.cells()), 200u);
}

// --- Painting ----------------------------------------------------------------

TEST(Painting, SnakeThenRulesThenBarsFoodAndScore) {
    Session s(400, 300);
    s.repaint();
    const auto& calls = s.frame.calls;
    ASSERT_EQ(calls.size(), 6u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[static_cast<size_t>(i)].kind, DrawCall::Rectangle);
        EXPECT_EQ(calls[static_cast<size_t>(i)].box, (desk::Rect{i * 10, 0, i * 10 + 10, 10}));
        EXPECT_EQ(calls[static_cast<size_t>(i)].fill, desk::Rgb(0, 255, 0));
    }
    EXPECT_EQ(calls[4].box, (desk::Rect{90, 10, 100, 20}));
    EXPECT_EQ(calls[4].fill, desk::Rgb(0, 255, 0));
    EXPECT_EQ(calls[5].kind, DrawCall::Text);
    EXPECT_EQ(calls[5].x, 250);
    EXPECT_EQ(calls[5].y, 0);
    EXPECT_EQ(calls[5].text, "0");
}

TEST(Painting, TheSnakeIsDrawnWhereItMovedAndTheResetOneAtTheNextRepaint) {
    Session s(40, 300);
    s.key(key::Right);
    s.step(); // head (40,0) is beyond the wall
    const auto& calls = s.frame.calls;
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[3].box, (desk::Rect{40, 0, 50, 10})) << "drawn before the rules reset it";
    ExpectAtStart(s.game);
    s.repaint();
    EXPECT_EQ(s.frame.calls[3].box, (desk::Rect{30, 0, 40, 10}));
}

TEST(Painting, TheFrameThatEatsDrawsTheSnakeBeforeItGrows) {
    Session s(400, 300);
    s.game.food = Cell{40, 0};
    s.key(key::Right);
    s.queueDraws(0, 0);
    s.queueFoodAt(Cell{200, 200});
    s.step();
    const auto& calls = s.frame.calls;
    ASSERT_EQ(calls.size(), 4u + 1 + 1);
    EXPECT_EQ(calls[4].box, (desk::Rect{200, 200, 210, 210})) << "the new food";
    EXPECT_EQ(calls[5].text, "1");
    s.repaint();
    EXPECT_EQ(s.frame.calls.size(), 5u + 1 + 1);
}

TEST(Painting, ScoreTextHasOneToThreeDigits) {
    const std::pair<int, const char*> cases[] = {{0, "0"},   {7, "7"},     {19, "19"},
                                                 {20, "20"}, {199, "199"}, {200, "200"}};
    for (const auto& [score, text] : cases) {
        char buf[12];
        const int n = snake::FormatScore(score, buf);
        EXPECT_EQ(std::string(buf, buf + n), text);
    }
}

} // namespace

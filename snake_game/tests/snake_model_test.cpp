#include "snake_session.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
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

// The one set-up of the tests that feed the model events, shared by the
// suites below under their own names: a session on a 400 x 300 field. A test
// that needs another field resizes it first.
class SnakeSession : public ::testing::Test {
  protected:
    Session s{400, 300};
};
using StartUp = SnakeSession;
using Steering = SnakeSession;
using Walls = SnakeSession;
using Growth = SnakeSession;
using PlaceFood = SnakeSession;
using Bars = SnakeSession;
using Capacity = SnakeSession;
using Painting = SnakeSession;
using Messages = SnakeSession;

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

// --- Messages ----------------------------------------------------------------

TEST_F(Messages, EachTakesOnePairOfDrawsFirstAndAsksTheWindowForTheRest) {
    struct Case {
        const char* message;
        std::function<void()> send;
        std::vector<std::string> requests;
    };
    const Case cases[] = {
        {"create", [&] { s.game.OnCreate(s.platform); }, {"timer 100"}},
        {"size", [&] { s.size(500, 400); }, {}},
        {"key", [&] { s.key(key::Down); }, {}},
        {"timer", [&] { s.tick(); }, {"invalidate erased"}},
        {"paint", [&] { s.repaint(); }, {}},
        {"about", [&] { EXPECT_TRUE(s.game.OnCommand(IDM_ABOUT, s.platform)); }, {"about"}},
        {"exit", [&] { EXPECT_TRUE(s.game.OnCommand(IDM_EXIT, s.platform)); }, {"destroy"}},
        {"other command", [&] { EXPECT_FALSE(s.game.OnCommand(999, s.platform)); }, {}},
        {"destroy", [&] { s.game.OnDestroy(s.platform); }, {"quit 0"}},
        {"other message", [&] { s.game.OnOtherMessage(); }, {}},
    };
    for (const Case& c : cases) {
        s.platform.requests.clear();
        s.queueDraws(123, 456);
        s.queueDraws(7, 8);
        c.send();
        EXPECT_EQ(s.game.drawX, 123) << c.message;
        EXPECT_EQ(s.game.drawY, 456) << c.message;
        EXPECT_EQ(s.platform.requests, c.requests) << c.message;
        s.game.TakeDraws();
        EXPECT_EQ(s.game.drawX, 7) << c.message << ": one pair only";
    }
    EXPECT_EQ(s.game.fieldWidth, 500);
    EXPECT_EQ(s.game.head(), (Cell{30, 10})) << "the key steered the tick's move";
}

// --- Start-up moves ----------------------------------------------------------

TEST_F(StartUp, FourSquaresInTheTopRowStandingWithFoodInRowTwo) {
    SnakeGame g;
    ExpectAtStart(g);
    EXPECT_EQ(g.food, (Cell{90, 10}));
    EXPECT_EQ(g.fieldWidth, 0);
    EXPECT_EQ(g.fieldHeight, 0);
}

TEST_F(StartUp, TicksWhileStandingMoveNothingButRepaintsStillRunTheRules) {
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

TEST_F(StartUp, DownMovesTheHeadBelowAndTheBodyFollows) {
    s.key(key::Down);
    s.step();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{10, 0}, {20, 0}, {30, 0}, {30, 10}}));
    s.step();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{20, 0}, {30, 0}, {30, 10}, {30, 20}}));
}

TEST_F(StartUp, RightMovesTheWholeRowOneSquare) {
    s.key(key::Right);
    s.step();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{10, 0}, {20, 0}, {30, 0}, {40, 0}}));
    EXPECT_EQ(s.game.goRight, 1);
}

TEST_F(StartUp, UpCarriesTheHeadAboveTheFieldAndTheNextPassResets) {
    s.key(key::Up);
    s.tick();
    EXPECT_EQ(s.game.head(), (Cell{30, -10})) << "motion itself checks nothing";
    s.repaint();
    ExpectAtStart(s.game);
    s.step();
    EXPECT_EQ(s.cells(), StartCells()) << "after a reset the snake stands";
}

TEST_F(StartUp, LeftStepsOntoTheBodyAndTheSelfCheckResets) {
    s.key(key::Left);
    s.tick();
    EXPECT_EQ(s.cells(), (std::vector<Cell>{{10, 0}, {20, 0}, {30, 0}, {20, 0}}));
    s.repaint();
    ExpectAtStart(s.game);
}

// --- Steering ----------------------------------------------------------------

TEST_F(Steering, EachArrowSetsOneFlagAndClearsTheOthers) {
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

TEST_F(Steering, EveryOtherKeyCodeChangesNothing) {
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

TEST_F(Steering, TheLastKeyBeforeATickDecidesItsMove) {
    s.key(key::Right);
    s.key(key::Up);
    s.key(key::Down);
    s.step();
    EXPECT_EQ(s.game.head(), (Cell{30, 10}));
}

TEST_F(Steering, DeleteStopsWhereItStandsAndAnArrowStartsAgainFromThere) {
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

TEST_F(Steering, ReversingWhileMovingRunsIntoTheBody) {
    s.key(key::Down);
    for (int i = 0; i < 4; ++i) {
        s.step();
    }
    s.key(key::Up);
    s.step();
    ExpectAtStart(s.game);
}

// --- Walls and resizing ------------------------------------------------------

TEST_F(Walls, TheHeadMustLieWhollyInsideTheField) {
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

TEST_F(Walls, ResizingMovesTheWallsAtTheNextRepaint) {
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

TEST_F(Walls, ResizeTakesBothValuesWhole) {
    SnakeGame g;
    g.ResizeField(65535, 1);
    EXPECT_EQ(g.fieldWidth, 65535);
    EXPECT_EQ(g.fieldHeight, 1);
}

// --- Growth ------------------------------------------------------------------

TEST_F(Growth, EatingWithFourEntriesGivesFiveOnFourSquares) {
    s.eat(Cell{200, 200});
    EXPECT_EQ(s.game.segmentCount, 5);
    EXPECT_EQ(s.game.score, 1);
    EXPECT_EQ(s.game.segments[3], (Cell{40, 0}));
    EXPECT_EQ(s.game.segments[4], (Cell{40, 0}));
    EXPECT_EQ(DistinctSquares(s.cells()), 4u);
    EXPECT_EQ(s.game.food, (Cell{200, 200}));
}

// With n entries after eating the tail keeps moving for n - 2 moves and
// stands on the (n - 1)-th; from then on the snake covers n squares.
class GrowthTiming : public SnakeSession, public ::testing::WithParamInterface<int> {};

TEST_P(GrowthTiming, TheTailStandsStillOnceWhenTheDoubledEntryReachesIt) {
    const int lengthBefore = GetParam();
    s.size(800, 600);
    SnakeGame& g = s.game;
    g.segmentCount = lengthBefore;
    for (int i = 0; i < lengthBefore; ++i) {
        g.segments[static_cast<std::size_t>(i)] = Cell{i * 10, 300};
    }
    s.eat(Cell{700, 500});
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

TEST_F(Growth, ARepaintWithoutATickRightAfterEatingIsNoCollision) {
    s.eat(Cell{200, 200});
    ASSERT_EQ(s.game.segmentCount, 5);
    const std::vector<Cell> eaten = s.cells();
    s.repaint(); // uncovering the window: no tick
    s.repaint();
    EXPECT_EQ(s.cells(), eaten);
    EXPECT_EQ(s.game.score, 1) << "the food is not counted again";
    EXPECT_EQ(s.game.food, (Cell{200, 200}));
}

TEST_F(Growth, FoodThatLandsOnTheHeadIsEatenAgainByTheNextRepaint) {
    s.eat(Cell{40, 0}); // the new food lands right on the head
    ASSERT_EQ(s.game.score, 1);
    s.queueFoodAt(Cell{200, 200});
    s.repaint();
    EXPECT_EQ(s.game.score, 2);
    EXPECT_EQ(s.game.segmentCount, 6);
    EXPECT_EQ(s.game.food, (Cell{200, 200}));
}

TEST_F(Growth, FoodUnderTheBodyIsEatenOnlyWhenTheHeadGetsThere) {
    s.game.food = Cell{10, 0}; // under entry 1
    s.repaint();
    EXPECT_EQ(s.game.score, 0);
    EXPECT_EQ(s.game.food, (Cell{10, 0}));
}

// --- Food placement ----------------------------------------------------------

TEST_F(PlaceFood, RoundsToTheLatticeAndTakesTheRowAbove) {
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

TEST_F(PlaceFood, FoodAboveTheFieldComesDownToRowZeroAtTheNextPass) {
    s.eatWithDraws(120, 5); // rounded y 0: food at y = -10
    EXPECT_EQ(s.game.food, (Cell{120, -10}));
    EXPECT_EQ(s.platform.calls[s.platform.calls.size() - 2].box, (desk::Rect{120, -10, 130, 0}))
        << "this frame draws the food where it was placed";
    s.repaint();
    EXPECT_EQ(s.game.food, (Cell{120, 0}));
}

TEST_F(PlaceFood, FoodOnTheRightWallComesBackOneSquareAtTheNextPass) {
    s.eatWithDraws(400, 100); // drawX equal to the width is not pulled back
    EXPECT_EQ(s.game.food, (Cell{400, 90}));
    s.repaint();
    EXPECT_EQ(s.game.food, (Cell{390, 90}));
}

TEST_F(PlaceFood, AResizeOntoTheFoodColumnPullsItBack) {
    s.game.food = Cell{300, 100};
    s.size(300, 300);
    s.repaint();
    EXPECT_EQ(s.game.food, (Cell{290, 100}));
}

// --- Score and bars ----------------------------------------------------------

// A four-entry snake in row 300 of a `width` x 600 field, with `score` points,
// eats the food ahead of it; the next food is placed on `next`.
void EatWithScore(Session& s, int score, Cell next, std::uint16_t width = 800) {
    s.size(width, 600);
    LayRowEndingAt(s.game, Cell{100, 300});
    s.game.score = score;
    s.eat(next);
}

TEST_F(Bars, TheTwentiethPointActivatesBarZeroInTheSamePass) {
    EatWithScore(s, 19, Cell{500, 500});
    EXPECT_EQ(s.game.score, 20);
    EXPECT_EQ(s.game.activeBars(), 1);
    const auto& calls = s.platform.calls;
    ASSERT_EQ(calls.size(), 4u + 1 + 1 + 1);
    EXPECT_EQ(calls[4].box, (desk::Rect{30, 10, 80, 20}));
    EXPECT_EQ(calls[4].fill, snake::kBarColour);
    EXPECT_EQ(calls.back().text, "20");
}

TEST_F(Bars, AHeadOnAnActiveBarResetsAcrossItsWholeWidth) {
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

TEST_F(Bars, OnlyTheFirstScoreOver20BarsAreActive) {
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

TEST_F(Bars, TheScoreStaysAt200WhileTheSnakeStillGrows) {
    EatWithScore(s, 200, Cell{500, 500});
    EXPECT_EQ(s.game.score, 200);
    EXPECT_EQ(s.game.segmentCount, 5);
    EXPECT_EQ(s.platform.calls.back().text, "200");
    int bars = 0;
    for (const DrawCall& c : s.platform.calls) {
        bars += c.kind == DrawCall::Rectangle && c.fill == snake::kBarColour;
    }
    EXPECT_EQ(bars, 10);
}

TEST_F(Bars, FoodPlacedOnAnActiveBarJumpsToTheParkingPlace) {
    EatWithScore(s, 20, Cell{70, 10}); // the right end of bar 0
    EXPECT_EQ(s.game.food, snake::kParking);
}

TEST_F(Bars, FoodParksAtSixHundredEvenInANarrowField) {
    EatWithScore(s, 40, Cell{120, 20}, 300); // on bar 1
    EXPECT_EQ(s.game.food, (Cell{600, 10}));
    s.repaint();
    EXPECT_EQ(s.game.food, (Cell{600, 10})) << "out of reach, and no repair moves it";
}

TEST_F(Bars, FoodOnAnInactiveBarStays) {
    EatWithScore(s, 20, Cell{80, 20}); // bar 1 needs 40 points
    EXPECT_EQ(s.game.food, (Cell{80, 20}));
}

TEST_F(Bars, AHeadOnABarResetsBeforeTheFoodIsCheckedSoTheFoodStays) {
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
TEST_F(Capacity, TheListFillsAt200AndLaterFoodStillScoresAndMovesOn) {
    s.size(800, 800);
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

TEST_F(Capacity, EatingWithAFullListMovesTheFoodOnWithoutGrowing) {
    s.size(2000, 2000);
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

TEST_F(Painting, SnakeThenRulesThenBarsFoodAndScore) {
    s.repaint();
    const auto& calls = s.platform.calls;
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

TEST_F(Painting, TheSnakeIsDrawnWhereItMovedAndTheResetOneAtTheNextRepaint) {
    s.size(40, 300);
    s.key(key::Right);
    s.step(); // head (40,0) is beyond the wall
    const auto& calls = s.platform.calls;
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[3].box, (desk::Rect{40, 0, 50, 10})) << "drawn before the rules reset it";
    ExpectAtStart(s.game);
    s.repaint();
    EXPECT_EQ(s.platform.calls[3].box, (desk::Rect{30, 0, 40, 10}));
}

TEST_F(Painting, TheFrameThatEatsDrawsTheSnakeBeforeItGrows) {
    s.eat(Cell{200, 200});
    const auto& calls = s.platform.calls;
    ASSERT_EQ(calls.size(), 4u + 1 + 1);
    EXPECT_EQ(calls[4].box, (desk::Rect{200, 200, 210, 210})) << "the new food";
    EXPECT_EQ(calls[5].text, "1");
    s.repaint();
    EXPECT_EQ(s.platform.calls.size(), 5u + 1 + 1);
}

TEST_F(Painting, ScoreTextHasOneToThreeDigits) {
    const std::pair<int, const char*> cases[] = {{0, "0"},   {7, "7"},     {19, "19"},
                                                 {20, "20"}, {199, "199"}, {200, "200"}};
    for (const auto& [score, text] : cases) {
        char buf[12];
        const int n = snake::FormatScore(score, buf);
        EXPECT_EQ(std::string(buf, buf + n), text);
    }
}

} // namespace

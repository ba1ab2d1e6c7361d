// A long run of random window events through the model, with the library's
// own draws, checking the record's invariants after every event.
#include "snake_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

using snake::Cell;
using snake::SnakeGame;
using snake::testing::OnLattice;

// Checks what every frame asks to draw: squares and bars of the right size on
// the lattice, and a score text of one to three digits.
class CheckingPlatform : public snake::SnakePlatform {
  public:
    void rectangle(const desk::Rect& box, desk::Colour fill) override {
        const int w = box.right - box.left;
        const int h = box.bottom - box.top;
        const bool square = w == 10 && h == 10 && fill == snake::kSnakeColour;
        const bool bar = w == 50 && h == 10 && fill == snake::kBarColour;
        if (!(square || bar) || !OnLattice(Cell{box.left, box.top})) {
            ++faults;
        }
    }
    void textOut(int x, int y, const char* text, int count) override {
        if (x != 250 || y != 0 || count < 1 || count > 3) {
            ++faults;
            return;
        }
        for (int i = 0; i < count; ++i) {
            faults += text[i] < '0' || text[i] > '9';
        }
    }
    void beginPaint() override {}
    void endPaint() override {}
    void setTimer(int) override {}
    void invalidateAll(bool) override {}
    void showAboutBox() override {}
    void destroyWindow() override {}
    void postQuit(int) override {}
    int faults = 0;
};

std::string Broken(const SnakeGame& g) {
    char why[160] = "";
    if (g.segmentCount < 4 || g.segmentCount > 200) {
        std::snprintf(why, sizeof why, "segmentCount %d", g.segmentCount);
    } else if (g.score < 0 || g.score > 200) {
        std::snprintf(why, sizeof why, "score %d", g.score);
    } else if (g.goLeft + g.goUp + g.goRight + g.goDown > 1 ||
               std::min({g.goLeft, g.goUp, g.goRight, g.goDown}) < 0 ||
               std::max({g.goLeft, g.goUp, g.goRight, g.goDown}) > 1) {
        std::snprintf(why, sizeof why, "flags L%d U%d R%d D%d", g.goLeft, g.goUp, g.goRight,
                      g.goDown);
    } else if (!OnLattice(g.food)) {
        std::snprintf(why, sizeof why, "food (%d,%d)", g.food.x, g.food.y);
    } else if (g.drawX < 0 || g.drawX > 799 || g.drawY < 0 || g.drawY > 799) {
        std::snprintf(why, sizeof why, "draws %d %d", g.drawX, g.drawY);
    } else {
        for (int i = 0; i < g.segmentCount; ++i) {
            const Cell c = g.segments[static_cast<size_t>(i)];
            if (!OnLattice(c)) {
                std::snprintf(why, sizeof why, "entry %d at (%d,%d)", i, c.x, c.y);
                break;
            }
        }
    }
    return why;
}

// A key that turns towards the food, never straight back (0 when the
// current direction is already right). A standing snake sets off downwards,
// the one way that is free at the start; food above the field is aimed at
// in row 0, where the next rule pass puts it.
int TowardsFood(const SnakeGame& g) {
    const Cell h = g.head();
    const int dx = g.food.x - h.x;
    const int dy = std::max(g.food.y, 0) - h.y;
    const bool horizontal = g.goLeft || g.goRight;
    const bool vertical = g.goUp || g.goDown;
    if (!horizontal && !vertical)
        return desk::key::Down;
    const bool closingX = (g.goRight && dx > 0) || (g.goLeft && dx < 0);
    const bool closingY = (g.goDown && dy > 0) || (g.goUp && dy < 0);
    if (vertical && dx != 0 && !closingY)
        return dx > 0 ? desk::key::Right : desk::key::Left;
    if (horizontal && !closingX)
        return dy > 0 ? desk::key::Down : desk::key::Up;
    return 0;
}

TEST(Soak, AMillionRandomEventsKeepTheRecordSound) {
    constexpr long kEvents = 2'000'000;
    std::mt19937 pick(20261207);
    std::uniform_int_distribution<int> perTenThousand(0, 9999);
    std::uniform_int_distribution<int> anyKey(0, 255);
    std::uniform_int_distribution<int> anySize(0, 2000);

    SnakeGame g; // draws from the C library's rand(), as in the program
    CheckingPlatform platform;
    int longest = 0;
    int best = 0;
    long resets = 0;
    long repaints = 0;
    bool steerNext = false;
    for (long n = 0; n < kEvents; ++n) {
        const int countBefore = g.segmentCount;
        const int p = perTenThousand(pick);
        if (steerNext) {
            // most ticks follow a key press that turns towards the food
            g.OnKeyDown(TowardsFood(g));
            steerNext = false;
        } else if (p < 2) {
            // sizes over the whole range, the extremes 0 and 2000 a quarter of the time
            const auto side = [&] {
                const int s = anySize(pick);
                return static_cast<std::uint16_t>(s % 4 == 0 ? (s % 8 == 0 ? 0 : 2000) : s);
            };
            g.OnSize(side(), side());
        } else if (p < 500) {
            g.OnKeyDown(anyKey(pick));
        } else if (p < 5000) {
            g.OnTimer(platform);
            steerNext = p < 4500;
        } else if (p < 9950) {
            g.OnPaint(platform);
            ++repaints;
        } else {
            g.OnOtherMessage(); // events the game ignores still take their pair of draws
        }
        resets += g.segmentCount == 4 && countBefore > 4;
        longest = std::max(longest, g.segmentCount);
        best = std::max(best, g.score);
        const std::string why = Broken(g);
        ASSERT_TRUE(why.empty()) << "after event " << n << ": " << why;
        ASSERT_EQ(platform.faults, 0) << "after event " << n;
    }
    std::printf("soak: %ld events, %ld repaints, %ld resets after growth, longest %d entries, "
                "best score %d\n",
                kEvents, repaints, resets, longest, best);
    EXPECT_GT(longest, 4) << "the run never ate: it tested little";
}

// Lays 200 entries as four rows of 50 (a serpentine, tail first) whose head
// ends at (990, 1030) facing free space to the right.
void LayFullSnake(SnakeGame& g) {
    g.segmentCount = 200;
    for (int i = 0; i < 200; ++i) {
        const int row = i / 50;
        const int col = row % 2 == 0 ? 49 - i % 50 : i % 50;
        g.segments[static_cast<size_t>(i)] = Cell{500 + col * 10, 1000 + row * 10};
    }
    g.goLeft = g.goUp = g.goDown = 0;
    g.goRight = 1;
}

// The same invariants where the list is full: food keeps coming right ahead
// of a 200-entry snake while random keys, ticks and repaints interleave. A
// collision puts a full snake back for the next round.
TEST(Soak, AFullSnakeKeepsItsLengthThroughRandomEvents) {
    constexpr long kEvents = 300'000;
    std::mt19937 pick(7);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> anyKey(0, 255);

    SnakeGame g;
    g.ResizeField(2000, 2000);
    g.score = 190;
    LayFullSnake(g);
    CheckingPlatform platform;
    long eatenWhileFull = 0;
    for (long n = 0; n < kEvents; ++n) {
        if (g.segmentCount < 200 || g.head().x > 1800) {
            LayFullSnake(g);
        }
        const int p = percent(pick);
        bool eats = false;
        if (p < 3) {
            g.OnKeyDown(anyKey(pick));
        } else if (p < 20) {
            g.OnOtherMessage();
            g.food = Cell{g.head().x + 10, g.head().y};
        } else if (p < 60) {
            g.OnTimer(platform);
        } else {
            eats = g.head() == g.food;
            g.OnPaint(platform);
        }
        eatenWhileFull += eats && g.segmentCount == 200;
        const std::string why = Broken(g);
        ASSERT_TRUE(why.empty()) << "after event " << n << ": " << why;
        ASSERT_EQ(platform.faults, 0) << "after event " << n;
    }
    std::printf("full soak: %ld events, %ld foods eaten with a full list\n", kEvents,
                eatenWhileFull);
    EXPECT_GT(eatenWhileFull, 1000);
}

} // namespace

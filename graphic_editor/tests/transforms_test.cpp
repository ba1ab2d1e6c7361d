// The quarter turn and the halving on a fake pixel surface: where pixels
// land, what is lost, the black background, and sources smaller than the
// canvas area.
#include "fake_surface.h"
#include "model/transforms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace risovik {
namespace {

using testing::Describe;
using testing::FakePlatform;
using testing::FakeSurface;

constexpr desk::Colour kWhite = desk::Rgb(255, 255, 255);
constexpr desk::Colour kBlack = desk::Rgb(0, 0, 0);

// Every coloured (non-black) pixel of a surface, as "x,y".
std::vector<std::string> ColouredPixels(const FakeSurface& s) {
    std::vector<std::string> out;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.at(x, y) != kBlack)
                out.push_back(std::to_string(x) + "," + std::to_string(y));
    return out;
}

using Points = std::vector<std::string>;

class Transforms : public ::testing::Test {
  protected:
    Transforms() { StartEditor(state); }
    // A black canvas with white pixels at the given points.
    void Canvas(std::initializer_list<desk::Point> white) {
        for (desk::Point p : white)
            platform.canvas->put(p.x, p.y, kWhite);
    }
    EditorState state;
    FakePlatform platform{450, 400, kBlack};
};

TEST(QuarterTurnTarget, Table) {
    struct Case {
        int x, y;
        bool lands;
        int tx, ty;
    };
    const Case cases[] = {
        {10, 1, true, 449, 10},     {0, 399, true, 51, 0},    {0, 0, false, 0, 0},
        {449, 0, false, 0, 0},      {399, 1, true, 449, 399}, {400, 1, false, 0, 0},
        {449, 399, false, 0, 0},    {0, 1, true, 449, 0},     {399, 399, true, 51, 399},
        {200, 200, true, 250, 200},
    };
    for (const Case& c : cases) {
        const auto to = QuarterTurnTarget(c.x, c.y);
        ASSERT_EQ(to.has_value(), c.lands) << "(" << c.x << "," << c.y << ")";
        if (c.lands) {
            EXPECT_EQ(*to, (desk::Point{c.tx, c.ty}))
                << "(" << c.x << "," << c.y << ") went to (" << to->x << "," << to->y << ")";
        }
    }
}

TEST_F(Transforms, QuarterTurnMovesPixelsAndLosesRowZero) {
    Canvas({{10, 1}, {0, 399}, {0, 0}, {420, 5}});
    RotateQuarter(state, platform);
    EXPECT_EQ(ColouredPixels(*platform.canvas), (Points{"51,0", "449,10"}));
}

TEST_F(Transforms, QuarterTurnCopiesEveryLandingPixelOnceAndFillsTheRestBlack) {
    RotateQuarter(state, platform);
    // 399 rows land (row 0 is lost), each with its columns 0..399.
    EXPECT_EQ(platform.canvas->writes, 399 * 400);
    EXPECT_EQ(platform.canvas->badWrites, 0);
    EXPECT_EQ(ColouredPixels(*platform.canvas), Points{}) << "new picture not fully black";
}

TEST_F(Transforms, ReadsOnlyThePixelsThatLand) {
    RotateQuarter(state, platform);
    ASSERT_TRUE(platform.previous);
    EXPECT_EQ(platform.previous->reads, 159600);
    HalveSize(state, platform);
    EXPECT_EQ(platform.previous->reads, 45000);
}

TEST_F(Transforms, FourQuarterTurnsDoNotGiveThePictureBack) {
    for (int y = 0; y < 400; y += 7)
        for (int x = 0; x < 450; x += 5)
            platform.canvas->put(x, y, desk::Rgb(x % 256, y % 256, 9));
    const Points before = ColouredPixels(*platform.canvas);
    for (int i = 0; i < 4; ++i)
        RotateQuarter(state, platform);
    const Points after = ColouredPixels(*platform.canvas);
    EXPECT_NE(after, before);
    EXPECT_LT(after.size(), before.size());
}

TEST_F(Transforms, TwoQuarterTurnsMapAsOneHalfTurnWithBands) {
    Canvas({{449, 399}, {399, 51}, {51, 51}, {0, 0}, {100, 60}});
    RotateQuarter(state, platform);
    RotateQuarter(state, platform);
    // target (X, Y) = source (450 - X, 450 - Y) for X, Y >= 51.
    EXPECT_EQ(ColouredPixels(*platform.canvas), (Points{"350,390", "51,399", "399,399"}));
}

TEST_F(Transforms, HalvingKeepsOddRowsAndColumns) {
    Canvas({{449, 399}, {1, 1}, {2, 1}, {1, 2}, {0, 0}, {448, 398}, {7, 9}});
    HalveSize(state, platform);
    EXPECT_EQ(ColouredPixels(*platform.canvas), (Points{"0,0", "3,4", "224,199"}));
    EXPECT_EQ(platform.canvas->writes, 225 * 200);
}

TEST_F(Transforms, HalvingAPictureWithOnlyEvenPixelsGivesBlack) {
    Canvas({{0, 0}, {2, 5}, {5, 2}, {448, 398}});
    HalveSize(state, platform);
    EXPECT_EQ(ColouredPixels(*platform.canvas), Points{});
}

TEST_F(Transforms, TwoHalvingsKeepEveryFourthPixelFromThree) {
    Canvas({{3, 3}, {447, 399}, {7, 11}, {5, 5}});
    HalveSize(state, platform);
    HalveSize(state, platform);
    // target (X, Y) = source (4X + 3, 4Y + 3)
    EXPECT_EQ(ColouredPixels(*platform.canvas), (Points{"0,0", "1,2", "111,99"}));
}

TEST_F(Transforms, FrameOrderAndToolsDeselected) {
    SelectTool(state, platform, Tool::Rectangle);
    SelectColour(state, platform, DrawColour::Red);
    state.clearPending = 0;
    state.playPending = 1;
    platform.log.clear();
    HalveSize(state, platform);
    EXPECT_EQ(platform.log,
              (std::vector<std::string>{
                  "makeNewPicture 450x400",
                  "new rectangle(0,0,450,400) pen solid 2 RGB(0,0,0) brush RGB(0,0,0)",
                  "adoptNewPicture", "invalidate"}));
    EXPECT_EQ(state.rectangleTool, 0);
    EXPECT_FALSE(platform.pushed.at(Button::Rectangle));
    EXPECT_TRUE(platform.pushed.at(Button::Red)) << "the colour button lost its look";
    EXPECT_EQ(state.playPending, 1);
    EXPECT_EQ(state.clearPending, 0);
    EXPECT_EQ(DrawingColour(state), desk::Rgb(255, 0, 0));
}

// An opened picture smaller than the canvas area: reads beyond it report no
// colour; those pixels must come out black, never as an invalid colour.
TEST_F(Transforms, SmallSourceReadsOutsideCountAsBlack) {
    FakePlatform small{100, 80, kWhite};
    RotateQuarter(state, small);
    const FakeSurface& out = *small.canvas;
    EXPECT_EQ(out.badWrites, 0);
    EXPECT_EQ(Describe(out.at(449, 10)), Describe(kWhite));  // from (10, 1)
    EXPECT_EQ(Describe(out.at(449, 99)), Describe(kWhite));  // from (99, 1)
    EXPECT_EQ(Describe(out.at(449, 100)), Describe(kBlack)); // from (100, 1): outside
    EXPECT_EQ(Describe(out.at(371, 0)), Describe(kWhite));   // from (0, 79)
    EXPECT_EQ(Describe(out.at(370, 0)), Describe(kBlack));   // from (0, 80): outside
    EXPECT_EQ(Describe(out.at(51, 399)), Describe(kBlack));

    FakePlatform small2{100, 80, kWhite};
    HalveSize(state, small2);
    EXPECT_EQ(small2.canvas->badWrites, 0);
    EXPECT_EQ(Describe(small2.canvas->at(49, 39)), Describe(kWhite)); // from (99, 79)
    EXPECT_EQ(Describe(small2.canvas->at(50, 39)), Describe(kBlack)); // from (101, 79)
    EXPECT_EQ(Describe(small2.canvas->at(49, 40)), Describe(kBlack)); // from (99, 81)
}

// A larger opened picture: only its top-left canvas area takes part.
TEST_F(Transforms, LargeSourceGivesACanvasSizedResult) {
    FakePlatform large{640, 480, kBlack};
    large.canvas->put(500, 1, kWhite);
    large.canvas->put(1, 450, kWhite);
    large.canvas->put(21, 41, kWhite);
    HalveSize(state, large);
    EXPECT_EQ(large.canvas->width(), 450);
    EXPECT_EQ(large.canvas->height(), 400);
    EXPECT_EQ(ColouredPixels(*large.canvas), Points{"10,20"});
}

} // namespace
} // namespace risovik

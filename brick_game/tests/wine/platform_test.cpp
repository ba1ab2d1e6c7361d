// The Win32 platform on its own: sound flags, nested painting and the brushes.
#include "game_fixture.h"
#include "res/resource_ids.h"

namespace brickwin::testing {
namespace {

TEST(SoundFlags, EachWayHasItsPlaySoundFlags) {
    EXPECT_EQ(CueFlags(brick::CueWay::Wait), 0x20000u);
    EXPECT_EQ(CueFlags(brick::CueWay::Start), 0x20001u);
    EXPECT_EQ(CueFlags(brick::CueWay::Loop), 0x20009u);
    EXPECT_EQ(StopFlags(brick::StopForm::Purge), 0x40u);
    EXPECT_EQ(StopFlags(brick::StopForm::EmptyName), 0x20001u);
}

TEST_F(GameWindowTest, NestedPaintingDrawsIntoTheInnermostContext) {
    Win32BrickPlatform& fx = Platform();
    EXPECT_EQ(fx.paintDc(), nullptr);
    fx.textOut(0, 0, "x", 1); // outside painting: nothing happens
    fx.beginPaint();
    HDC outer = fx.paintDc();
    ASSERT_NE(outer, nullptr);
    fx.beginPaint();
    HDC inner = fx.paintDc();
    ASSERT_NE(inner, nullptr);
    fx.endPaint();
    EXPECT_EQ(fx.paintDc(), outer) << "the outer paint goes on after the inner ends";
    fx.endPaint();
    EXPECT_EQ(fx.paintDc(), nullptr);
    fx.endPaint(); // one end too many is ignored
    EXPECT_EQ(fx.paintDc(), nullptr);
}

TEST_F(GameWindowTest, RemadeBrushesReplaceAndReleaseThePrevious) {
    HBRUSH oldBrick = Record().brickBrush.get();
    ASSERT_NE(oldBrick, nullptr) << "brushes exist from WM_CREATE on";
    LOGBRUSH lb{};
    GetObjectA(oldBrick, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(0, 0, 200)) << "the first brick brush is a shade darker";
    Platform().remakeBrushes(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(GetObjectType(oldBrick), 0u) << "the previous brush was not deleted";
    GetObjectA(Record().paddleBrush.get(), sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(7, 8, 9));
    HBRUSH last = Record().ballBrush.get();
    DestroyWindow(hwnd_);
    EXPECT_EQ(GetObjectType(last), 0u) << "WM_DESTROY deletes the brushes";
    EXPECT_EQ(Record().ballBrush.get(), nullptr);
}

TEST_F(GameWindowTest, CountingWaitIsCalibratedAtStartUp) {
    // One count lasts tens of nanoseconds, far more than one spin of the loop.
    EXPECT_GT(Platform().wait().spinsPerCount(), 1u);
}

} // namespace
} // namespace brickwin::testing

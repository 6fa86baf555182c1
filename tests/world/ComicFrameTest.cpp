#include "world/ComicFrame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

/// A frame at (x, y) showing w x h texels from (u, v) at scale s.
void Make(cComicFrame& f, int x, int y, int u, int v, int w, int h, int s)
{
    f.Init(x, y, u, v, w, h, s, true, false);
}

} // namespace

TEST(ComicFrame, TextureWindowGivesCoordinatesCountedFromTheBottom)
{
    cComicFrame f;
    f.SetTexRect(12, 100, 481, 273);
    EXPECT_EQ(f.GetTexWidth(), 481);
    EXPECT_EQ(f.GetTexHeight(), 273);
    EXPECT_FLOAT_EQ(f.GetULo(), 0.0234375f);
    EXPECT_FLOAT_EQ(f.GetUHi(), 0.962890625f);
    EXPECT_FLOAT_EQ(f.GetVLo(), 0.271484375f);
    EXPECT_FLOAT_EQ(f.GetVHi(), 0.8046875f);
}

struct ScaleClassCase
{
    int texels, scale, expected;
};

class ComicFrameScaleClass : public testing::TestWithParam<ScaleClassCase>
{
};

TEST_P(ComicFrameScaleClass, FollowsTheSumOfBothMagnifications)
{
    const ScaleClassCase c = GetParam();
    cComicFrame f;
    Make(f, 0, 0, 0, 0, c.texels, c.texels, c.scale);
    EXPECT_EQ(f.GetScaleClass(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ComicFrameScaleClass,
                         testing::Values(ScaleClassCase{109, 1, 1}, ScaleClassCase{109, 2, 2},
                                         ScaleClassCase{109, 3, 3}, ScaleClassCase{109, 4, 4},
                                         ScaleClassCase{10, 6, 4}));

TEST(ComicFrame, SquareWindowResizesKeepingTheScreenSize)
{
    cComicFrame f;
    Make(f, 0, 0, 10, 20, 64, 64, 2);
    ASSERT_TRUE(f.ResizeSquareTex(32));
    EXPECT_EQ(f.GetTexWidth(), 32);
    EXPECT_EQ(f.GetTexMin(), QPointF(10, 20));
    EXPECT_EQ(f.GetScaleClass(), 4);
    EXPECT_EQ(f.GetScreenWidth(), 128);
    EXPECT_EQ(f.GetScreenHeight(), 128);

    cComicFrame wide;
    Make(wide, 0, 0, 0, 0, 64, 32, 1);
    EXPECT_FALSE(wide.ResizeSquareTex(16));
    EXPECT_EQ(wide.GetTexWidth(), 64);
    EXPECT_FALSE(f.ResizeSquareTex(0));
}

struct ShakeCase
{
    int range, low, high;
};

class ComicFrameShake : public testing::TestWithParam<ShakeCase>
{
};

TEST_P(ComicFrameShake, StaysWithinTheRangeAndEndsAtHome)
{
    const ShakeCase c = GetParam();
    cComicFrame f;
    Make(f, 100, 60, 0, 0, 20, 20, 1);
    f.SetShake(4000, c.range, c.range, 100, true);
    int minX = 100, maxX = 100, minY = 60, maxY = 60;
    for (int t = 0; t < 4000; t += 20) {
        f.Update(20);
        const QPointF p = f.GetScreenPos();
        minX = std::min(minX, int(p.x()));
        maxX = std::max(maxX, int(p.x()));
        minY = std::min(minY, int(p.y()));
        maxY = std::max(maxY, int(p.y()));
    }
    EXPECT_EQ(minX - 100, c.low);
    EXPECT_EQ(maxX - 100, c.high);
    EXPECT_EQ(minY - 60, c.low);
    EXPECT_EQ(maxY - 60, c.high);
    EXPECT_EQ(f.GetScreenPos(), QPointF(100, 60)) << "back home once the shake is over";
}

// Over 200 jumps every offset of the range turns up.
INSTANTIATE_TEST_SUITE_P(Ranges, ComicFrameShake,
                         testing::Values(ShakeCase{3, -1, 1}, ShakeCase{5, -2, 2}, ShakeCase{6, -3, 2},
                                         ShakeCase{0, 0, 0}));

TEST(ComicFrame, ShrinkingShakeJumpsEveryTickNearItsEnd)
{
    cComicFrame f;
    Make(f, 100, 60, 0, 0, 20, 20, 1);
    f.SetShake(2000, 40, 40, 100, true);
    QPointF last = f.GetScreenPos();
    int unchangedNearTheEnd = 0;
    int jumpsInFirstTenTicks = 0;
    for (int tick = 0; tick < 99; ++tick) {
        f.Update(20);
        const bool moved = f.GetScreenPos() != last;
        last = f.GetScreenPos();
        if (tick < 10 && moved)
            ++jumpsInFirstTenTicks;
        if (tick >= 90 && !moved)
            ++unchangedNearTheEnd;
    }
    // Early on a jump waits for more than the 100 ms pause: at most one in every six ticks.
    EXPECT_LE(jumpsInFirstTenTicks, 2);
    // From 1790 ms on the pause limit is below one tick; only a jump that lands where it was looks still.
    EXPECT_LE(unchangedNearTheEnd, 1);
}

TEST(ComicFrame, QuarterTurnGlidesForFourteenTicksToTheTurnedPlace)
{
    cComicFrame f;
    Make(f, 40, 36, 0, 0, 100, 50, 1); // centre (90, 61): (-150, -75) from the screen's centre
    f.StartRotateLeft(1);
    int ticks = 0;
    while (f.IsMoving() && ticks < 100) {
        f.Update(20);
        ++ticks;
    }
    EXPECT_EQ(ticks, 14);
    // Anticlockwise: (-150, -75) -> (75, -150); centre (315, -14), corner (265, -39).
    EXPECT_EQ(f.GetScreenPos(), QPointF(265, -39));
    EXPECT_EQ(f.GetHomePos(), QPointF(40, 36));

    f.StartRotateRight(0);
    while (f.IsMoving())
        f.Update(20);
    EXPECT_EQ(f.GetScreenPos(), QPointF(40, 36)) << "orientation 0 goes exactly home";
}

TEST(ComicFrame, ClockwiseTurnAndNoShakeWhileGliding)
{
    cComicFrame f;
    Make(f, 40, 36, 0, 0, 100, 50, 1);
    f.SetShake(1000, 10, 10, 0, true);
    f.StartRotateRight(3);
    f.StartRotateLeft(1); // ignored: a glide is under way
    for (int i = 0; i < 14; ++i)
        f.Update(20);
    // Clockwise: (-150, -75) -> (-75, 150); centre (165, 286), corner (115, 261).
    EXPECT_FALSE(f.IsMoving());
    EXPECT_EQ(f.GetScreenPos(), QPointF(115, 261));
}

TEST(ComicFrame, WorldAndScreenPointsMapThroughTheWindow)
{
    // 32 x 16 texels from u 0, v 0 (the texture's top left) at scale 4, on the screen at (100, 50).
    cComicFrame f;
    Make(f, 100, 50, 0, 0, 32, 16, 4);
    // Texel row 511 - 15 = 496 is the window's bottom row; world y = 496 - 240 = 256.
    EXPECT_EQ(f.WorldToScreen(0, 256), QPointF(100, 50));
    EXPECT_EQ(f.WorldToScreen(10, 260), QPointF(140, 66));
    // Back again the point lands within one texel of where it started.
    const QPointF w = f.ScreenToWorld(140, 66);
    EXPECT_NEAR(w.x(), 10, 1);
    EXPECT_NEAR(w.y(), 260, 1);
}

TEST(ComicFrame, PlayerTestsUseTheWindowInWorldUnits)
{
    cComicFrame f;
    Make(f, 0, 0, 100, 200, 50, 50, 2); // texels u 100..149, rows 262..311 from the bottom
    // World y = texture row - 240: the window spans world y 22..72 (about).
    EXPECT_TRUE(f.OverlapsPlayer(125, 47, 10, 10));
    EXPECT_TRUE(f.OverlapsPlayer(95, 47, 10, 10)) << "touching the left edge";
    EXPECT_FALSE(f.OverlapsPlayer(80, 47, 10, 10));
    EXPECT_NEAR(f.InsideDepth(110, 47), 110 - 100 * 511 / 512.0f, 0.01);
    EXPECT_LT(f.InsideDepth(90, 47), 0);

    EXPECT_FLOAT_EQ(f.OverlapArea(90, 90, 20, 20), 100); // frame is 100 x 100 on the screen
    EXPECT_FLOAT_EQ(f.OverlapArea(-5, -5, 10, 10), 25);
    EXPECT_FLOAT_EQ(f.OverlapArea(101, 0, 10, 10), 0);
}

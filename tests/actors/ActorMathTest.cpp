// The actors' small float functions, which the frame turns and the screens rely on.
#include "actors/ActorMath.h"

#include <gtest/gtest.h>

namespace {

struct sRotation
{
    float x, y, degrees, cx, cy;
    float expectX, expectY;
};

class RotatePointTest : public ::testing::TestWithParam<sRotation>
{
};

TEST_P(RotatePointTest, TurnsAboutTheCentreByMinusTheAngle)
{
    const sRotation& r = GetParam();
    const b2Vec2 p = RotatePoint(r.x, r.y, r.degrees, r.cx, r.cy);
    EXPECT_NEAR(p.x, r.expectX, 1e-4f);
    EXPECT_NEAR(p.y, r.expectY, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(Angles, RotatePointTest,
                         ::testing::Values(sRotation{1, 0, 90, 0, 0, 0, -1},        // a positive angle turns clockwise
                                           sRotation{1, 0, -90, 0, 0, 0, 1},
                                           sRotation{250, 136, 90, 240, 136, 240, 126},  // about the screen's centre
                                           sRotation{3, 4, 180, 1, 1, -1, -2},
                                           sRotation{3, 4, 360, 1, 1, 3, 4},
                                           sRotation{5, 5, 0, 0, 0, 5, 5}));

struct sFalloff
{
    float a, b, v, expect;
};

class FalloffTest : public ::testing::TestWithParam<sFalloff>
{
};

TEST_P(FalloffTest, IsATentOverTheRangesWidth)
{
    const sFalloff& f = GetParam();
    EXPECT_NEAR(Falloff(f.a, f.b, f.v), f.expect, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(Points, FalloffTest,
                         ::testing::Values(sFalloff{0, 10, 5, 1}, sFalloff{0, 10, 0, 0}, sFalloff{0, 10, 10, 0},
                                           sFalloff{0, 10, 2.5f, 0.5f}, sFalloff{0, 10, 7.5f, 0.5f},
                                           sFalloff{0, 10, -5, 0}, sFalloff{0, 10, 15, 0},
                                           // The tent is over [0, b - a] whatever a is.
                                           sFalloff{10, 20, 5, 1}, sFalloff{10, 20, 15, 0},
                                           // An empty range weighs nothing instead of dividing by zero.
                                           sFalloff{4, 4, 4, 0}));

} // namespace

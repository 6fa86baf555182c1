#include "engine/MathUtil.h"

#include "tests/support/StdoutOf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr float kTol = 1e-5f;

} // namespace

struct RangeCase
{
    float a, b, low, high;
};

class MathRandomFloat : public testing::TestWithParam<RangeCase>
{
};

TEST_P(MathRandomFloat, StaysFromTheLowerBoundUpToButNotReachingTheUpper)
{
    const RangeCase& c = GetParam();
    float smallest = c.high, largest = c.low;
    for (int i = 0; i < 20000; ++i) {
        const float v = RandomFloat(c.a, c.b);
        ASSERT_GE(v, c.low);
        if (c.low < c.high)
            ASSERT_LT(v, c.high);
        else
            ASSERT_EQ(v, c.high);
        smallest = std::min(smallest, v);
        largest = std::max(largest, v);
    }
    // The draws spread over the whole range, not a sliver of it.
    EXPECT_LE(smallest, c.low + (c.high - c.low) * 0.07f);
    EXPECT_GE(largest, c.high - (c.high - c.low) * 0.07f);
}

INSTANTIATE_TEST_SUITE_P(Ranges, MathRandomFloat,
                         testing::Values(RangeCase{0, 1, 0, 1}, RangeCase{5, 2, 2, 5}, RangeCase{1, 1, 1, 1},
                                         RangeCase{-3, 3, -3, 3}, RangeCase{16, 45, 16, 45},
                                         RangeCase{1000000, 1000001, 1000000, 1000001}));

TEST(Math, RandomFloatUsesOnlyFifteenBitsOfRand)
{
    // With rand()'s full 31 bits the result would run far past b; the same sequence shows that.
    std::srand(7);
    const int r = std::rand() & 0x7FFF;
    std::srand(7);
    EXPECT_FLOAT_EQ(RandomFloat(0, 32768), float(r));
}

TEST(Math, RotateVec2TurnsAnticlockwiseInRadians)
{
    const b2Vec2 quarter = RotateVec2(1, 0, 3.14159265f / 2);
    EXPECT_NEAR(quarter.x, 0, kTol);
    EXPECT_NEAR(quarter.y, 1, kTol);
    const b2Vec2 half = RotateVec2(2, 1, 3.14159265f);
    EXPECT_NEAR(half.x, -2, kTol);
    EXPECT_NEAR(half.y, -1, kTol);
}

TEST(Math, RandomRotateKeepsTheLengthAndNearlyTheDirectionForTCloseToOne)
{
    for (int i = 0; i < 200; ++i) {
        const b2Vec2 v = RandomRotate(3, 4, 0.99f);
        EXPECT_NEAR(v.Length(), 5, 1e-4f);
        // At most 2 pi / 100 away from (3, 4).
        EXPECT_GT((v.x * 3 + v.y * 4) / 25, std::cos(2 * 3.1416f * 0.01f) - 1e-4f);
    }
    bool turnedBothWays[2] = {false, false};
    for (int i = 0; i < 200; ++i) {
        const b2Vec2 v = RandomRotate(1, 0, 0.5f);
        turnedBothWays[v.y > 0] = true;
    }
    EXPECT_TRUE(turnedBothWays[0] && turnedBothWays[1]);
}

TEST(Math, BlendDirectionTurnsTowardsTheTargetAndSnapsOnceClose)
{
    const b2Vec2 same = BlendDirection(b2Vec2(1, 0), b2Vec2(1, 0));
    EXPECT_EQ(same.x, 1);
    EXPECT_EQ(same.y, 0);

    const b2Vec2 step = BlendDirection(b2Vec2(0, 1), b2Vec2(1, 0));
    EXPECT_NEAR(step.x, 0.110f, 1e-3f);
    EXPECT_NEAR(step.y, 0.994f, 1e-3f);
    EXPECT_NEAR(step.Length(), 1, kTol);

    b2Vec2 heading(0, 1);
    int steps = 0;
    while (!(heading.x == 1 && heading.y == 0) && steps < 100) {
        heading = BlendDirection(heading, b2Vec2(1, 0));
        ++steps;
    }
    EXPECT_LT(steps, 100) << "reaches the target exactly";
    EXPECT_GT(steps, 5) << "but turns gradually";
}

TEST(Math, SpiralPointsMakesOneOutwardTurnOf42Points)
{
    std::vector<b2Vec2> points{b2Vec2(-1, -1)};
    SpiralPoints(points, 10, 20, 2, 41);
    ASSERT_EQ(points.size(), 43u) << "appended after what was there";
    EXPECT_EQ(points[1].x, 10);
    EXPECT_EQ(points[1].y, 20);
    EXPECT_NEAR((points.back() - b2Vec2(10, 20)).Length(), 2, 1e-3f);
    for (size_t i = 2; i < points.size(); ++i)
        EXPECT_GT((points[i] - b2Vec2(10, 20)).Length(), (points[i - 1] - b2Vec2(10, 20)).Length());

    const std::string out = StdoutOf([&] { SpiralPoints(points, 0, 0, 1, 0); });
    EXPECT_NE(out.find("ERROR:"), std::string::npos);
    EXPECT_EQ(points.size(), 43u);
}

TEST(Math, IsFlatEnoughNeedsBothGapsBelowTheTolerance)
{
    EXPECT_TRUE(IsFlatEnough(b2Vec2(0, 0), b2Vec2(0.5f, 0), b2Vec2(0.5f, 0.5f), 1));
    EXPECT_FALSE(IsFlatEnough(b2Vec2(0, 0), b2Vec2(1, 0), b2Vec2(1, 0.5f), 1)) << "|a - b| = tolerance";
    EXPECT_FALSE(IsFlatEnough(b2Vec2(0, 0), b2Vec2(0.5f, 0), b2Vec2(0.5f, 2), 1));
}

TEST(Math, SubdivideBezierOfATinyCurveAppendsOnePoint)
{
    std::vector<b2Vec2> points;
    SubdivideBezier(b2Vec2(0, 0), b2Vec2(0.2f, 0), b2Vec2(0.2f, 0.2f), b2Vec2(0.4f, 0.2f), points, 1);
    ASSERT_EQ(points.size(), 1u);
    // A quarter of p0 + p1 plus half of p3.
    EXPECT_NEAR(points[0].x, 0.25f, kTol);
    EXPECT_NEAR(points[0].y, 0.1f, kTol);
}

TEST(Math, SubdivideBezierFollowsTheCurveInOrderFromStartToEnd)
{
    std::vector<b2Vec2> points;
    const b2Vec2 p0(0, 0), p1(0, 100), p2(100, 100), p3(100, 0);
    SubdivideBezier(p0, p1, p2, p3, points, 2);
    ASSERT_GE(points.size(), 32u);
    for (size_t i = 1; i < points.size(); ++i) {
        EXPECT_GT(points[i].x, points[i - 1].x) << i;
        EXPECT_LT((points[i] - points[i - 1]).Length(), 4.0f) << i;
    }
    EXPECT_LT(points.front().Length(), 4.0f);
    EXPECT_LT((points.back() - p3).Length(), 4.0f);
}

TEST(Math, SubdivideBezierEndsEvenWithoutATolerance)
{
    std::vector<b2Vec2> points;
    SubdivideBezier(b2Vec2(0, 0), b2Vec2(1, 0), b2Vec2(2, 0), b2Vec2(3, 0), points, 0);
    EXPECT_EQ(points.size(), 65536u);
    points.clear();
    SubdivideBezier(b2Vec2(0, 0), b2Vec2(NAN, 0), b2Vec2(2, 0), b2Vec2(3, 0), points, 1);
    EXPECT_EQ(points.size(), 65536u);
}

// Glints on falling water: where and when they show, the pause between them, and their picture.
#include "GameChipSets.h"

#include "actors/WaterFallSparkle.h"
#include "engine/Animation.h"
#include "tests/support/GlCanvas.h"
#include "world/CommonResources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kTick = 20;
/// Three frames of 200 ms, finished in the tick that reaches 600 ms.
constexpr int kGlintTicks = 30;

class WaterFallSparkleTest : public ::testing::Test
{
protected:
    WaterFallSparkleTest() { EXPECT_TRUE(cCommonResources::LoadWaterfallSparkle()); }
    ~WaterFallSparkleTest() override
    {
        delete gWaterfallSparkle;
        gWaterfallSparkle = nullptr;
    }

    struct sGlint
    {
        int x, y, pause;
        int ticksSincePrevious;
    };

    /// Ticks the sparkle and records every new glint: a glint starts when the frame falls back.
    static std::vector<sGlint> Glints(WaterFallSparkle& sparkle, int ticks)
    {
        std::vector<sGlint> glints;
        int previousFrame = sparkle.GetAnimation()->GetCurrentFrame();
        int since = 0;
        for (int i = 0; i < ticks; ++i) {
            sparkle.Update(kTick);
            ++since;
            const int frame = sparkle.GetAnimation()->GetCurrentFrame();
            if (frame < previousFrame) {
                glints.push_back({sparkle.GetX(), sparkle.GetY(), sparkle.GetPause(), since});
                since = 0;
            }
            previousFrame = frame;
        }
        return glints;
    }

    GameChipSets chipSets{6};
};

} // namespace

TEST_F(WaterFallSparkleTest, GlintsAtRandomPointsOfItsBoxWithAPauseOf200To599MsBetween)
{
    WaterFallSparkle sparkle(100, 40, 12, 30);
    EXPECT_GE(sparkle.GetX(), 100);
    EXPECT_LT(sparkle.GetX(), 112);
    EXPECT_GE(sparkle.GetY(), 40);
    EXPECT_LT(sparkle.GetY(), 70);

    const std::vector<sGlint> glints = Glints(sparkle, 3000);
    ASSERT_GT(glints.size(), 40u);
    bool moved = false;
    for (size_t i = 1; i < glints.size(); ++i) {
        const sGlint& g = glints[i];
        SCOPED_TRACE(i);
        EXPECT_GE(g.x, 100);
        EXPECT_LT(g.x, 112);
        EXPECT_GE(g.y, 40);
        EXPECT_LT(g.y, 70);
        EXPECT_GE(g.pause, 200);
        EXPECT_LT(g.pause, 600);
        // The glint, then the pause counted down until it falls below 0.
        EXPECT_EQ(g.ticksSincePrevious, kGlintTicks + glints[i - 1].pause / kTick);
        moved |= g.x != glints[i - 1].x || g.y != glints[i - 1].y;
    }
    EXPECT_TRUE(moved);
}

TEST_F(WaterFallSparkleTest, AStoppedSparkleGlintsAgainAtOnceAndTheScaleWidensOnlyTheBox)
{
    WaterFallSparkle sparkle(0, 0, 4, 4);
    sparkle.SetStopped(true);
    sparkle.SetScale(10);
    const std::vector<sGlint> glints = Glints(sparkle, 600);
    ASSERT_GE(glints.size(), 19u);
    int widest = 0;
    for (size_t i = 1; i < glints.size(); ++i) {
        EXPECT_EQ(glints[i].ticksSincePrevious, kGlintTicks);
        EXPECT_LT(glints[i].x, 40);
        EXPECT_LT(glints[i].y, 40);
        widest = std::max({widest, glints[i].x, glints[i].y});
    }
    EXPECT_GE(widest, 4);

    sparkle.SetX(300);
    sparkle.SetY(-50);
    EXPECT_GE(sparkle.GetX(), 300);
    EXPECT_LT(sparkle.GetX(), 340);
    EXPECT_GE(sparkle.GetY(), -50);
    EXPECT_LT(sparkle.GetY(), -10);
}

TEST_F(WaterFallSparkleTest, DrawsItsGlintAroundItsPointOnlyWhileItPlays)
{
    GlCanvas canvas(64, 320);
    WaterFallSparkle sparkle(30, 20, 1, 1);   // the world point (30, 20) is texture row 260
    sparkle.Draw();
    bool lit = false;
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy)
            lit |= canvas.Pixel(30 + dx, 260 + dy) != QColor(0, 0, 0);
    EXPECT_TRUE(lit);
    EXPECT_EQ(canvas.Pixel(30, 250), QColor(0, 0, 0));

    // Play the glint out: in its pause nothing is drawn.
    while (sparkle.GetPause() == 0)
        sparkle.Update(kTick);
    const int pause = sparkle.GetPause();
    while (sparkle.GetPause() == pause)
        sparkle.Update(kTick);
    ASSERT_GT(sparkle.GetPause(), 0);
    GlCanvas empty(64, 320);
    sparkle.Draw();
    sparkle.DrawScaled(255, 2);
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy)
            EXPECT_EQ(empty.Pixel(30 + dx, 260 + dy), QColor(0, 0, 0));

    // On the screen the picture grows with the scale around the same point.
    sparkle.SetStopped(true);
    sparkle.Update(kTick);
    auto litAround = [&](int scale) {
        GlCanvas screen(64, 64);
        sparkle.DrawScaled(255, scale);
        int lit = 0;
        for (int px = 0; px < 64; ++px)
            for (int py = 0; py < 64; ++py)
                lit += screen.Pixel(px, py) != QColor(0, 0, 0) ? 1 : 0;
        EXPECT_NE(screen.Pixel(30, 20), QColor(0, 0, 0));
        return lit;
    };
    const int small = litAround(1);
    EXPECT_GT(small, 0);
    EXPECT_EQ(litAround(3), 9 * small);
}

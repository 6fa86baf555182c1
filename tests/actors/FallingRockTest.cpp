// The first area's loose rocks: every shipped rock file gives the body the area is built around,
// a triggered rock drops in the first tick past its delay and falls through the ground, a staying
// one never does, and the cover stone tells its area once that it has fallen out of the way.
#include "TreeWorld.h"

#include "actors/FallingRock.h"
#include "engine/PhysicsBody.h"

namespace {

struct sRockFile
{
    const char* name;
    int w, h;
    int bodyType;
};

class FallingRockFileTest : public TreeWorld, public ::testing::WithParamInterface<sRockFile>
{
};

TEST_P(FallingRockFileTest, TheShippedRockStandsWhereTheAreaPutsItWithItsBodyAndPicture)
{
    const sRockFile& f = GetParam();
    cFallingRock rock(QString("res/xml/actors/rocks/%1.xml").arg(f.name), &world, 10, -20, false, false);
    EXPECT_EQ(rock.GetKind(), KIND_FALLING_ROCK);
    EXPECT_EQ(rock.GetBodyWidth(), f.w);
    EXPECT_EQ(rock.GetBodyHeight(), f.h);
    ASSERT_TRUE(rock.HasBody());
    EXPECT_EQ(rock.GetPhysicsBody()->GetType(), f.bodyType);
    EXPECT_EQ(rock.GetPosition(), b2Vec2(10.0f, -20.0f));
    EXPECT_EQ(rock.GetAnimationCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Rocks, FallingRockFileTest,
                         ::testing::Values(sRockFile{"Staying", 62, 48, BODY_SENSOR},
                                           sRockFile{"HugeBaseRock", 75, 2, BODY_PLATFORM},
                                           sRockFile{"Base", 44, 26, BODY_PLATFORM},
                                           sRockFile{"TallRock", 21, 39, BODY_PLATFORM},
                                           sRockFile{"SlimOne", 14, 30, BODY_PLATFORM},
                                           sRockFile{"Small", 14, 19, BODY_PLATFORM},
                                           sRockFile{"Low", 31, 19, BODY_PLATFORM},
                                           sRockFile{"Widest", 53, 11, BODY_PLATFORM}));

class FallingRockTest : public TreeWorld
{
protected:
    /// Ground whose top is at y = 0.
    FallingRockTest() { AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f); }

    /// The rock's update, then the world's step, as the first area runs them.
    int RockTick(cFallingRock& rock)
    {
        const int result = rock.Update(kTick);
        Step();
        return result;
    }
};

TEST_F(FallingRockTest, ATriggeredRockDropsInTheFirstTickPastItsDelayAndFallsThroughTheGround)
{
    for (int trial = 0; trial < 5; ++trial) {
        cFallingRock rock("res/xml/actors/rocks/Base.xml", &world, 0, 0, false, false);
        rock.TriggerFall(4000);
        ASSERT_LT(rock.GetFallDelay(), 4000u);
        const int dropTick = static_cast<int>(rock.GetFallDelay()) / kTick + 1;
        for (int t = 1; t < dropTick; ++t)
            RockTick(rock);
        EXPECT_EQ(rock.GetPhysicsBody()->GetType(), BODY_PLATFORM) << "delay " << rock.GetFallDelay();
        RockTick(rock);
        EXPECT_EQ(rock.GetPhysicsBody()->GetType(), BODY_SENSOR) << "delay " << rock.GetFallDelay();
        for (int t = 0; t < 50; ++t)
            RockTick(rock);
        EXPECT_LT(rock.GetPosition().y, -20.0f) << "through the ground within a second";
    }
}

TEST_F(FallingRockTest, ARockFileGivesItsMaterialInWholeNumbers)
{
    cFallingRock rock(":/treestest/half_dense_rock.xml", &world, 0, 20, false, false);
    EXPECT_EQ(rock.GetPhysicsBody()->GetMass(), 0.0f) << "density \"0.5\" reads as 0: the rock stands";
}

TEST_F(FallingRockTest, AStayingRockNeverDropsAndTheCoverStoneReportsOnceBelowItsMark)
{
    cFallingRock staying("res/xml/actors/rocks/Staying.xml", &world, 50, 0, true, false);
    cFallingRock cover("res/xml/actors/rocks/HugeBaseRock.xml", &world, -50, -120, false, true);
    staying.TriggerFall(4000);
    cover.TriggerFall(0);
    std::vector<float> reportedAt;
    float previous = cover.GetPosition().y;
    for (int t = 0; t < 250; ++t) {
        if (RockTick(staying) != 0 || staying.GetPosition() != b2Vec2(50.0f, 0.0f))
            FAIL() << "the staying rock moved in tick " << t;
        if (cover.Update(kTick) == cFallingRock::RESULT_COVER_GONE) {
            reportedAt.push_back(cover.GetPosition().y);
            EXPECT_GE(previous, cFallingRock::kCoverGoneBelow) << "reported in the first tick below the mark";
        }
        previous = cover.GetPosition().y;
    }
    ASSERT_EQ(reportedAt.size(), 1u);
    EXPECT_LT(reportedAt[0], cFallingRock::kCoverGoneBelow);
    EXPECT_TRUE(staying.IsFallTriggered());
}

} // namespace

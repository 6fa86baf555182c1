// Ambient fliers: restless wandering in their zone, the spores they fly to, keep for later and
// forget, circling, and the two looks.
#include "GameChipSets.h"

#include "actors/NPCFly.h"
#include "engine/Animation.h"
#include "engine/SharedAssets.h"
#include "platform/physics/World.h"
#include "world/CommonResources.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kTick = 20;

class NPCFlyTest : public ::testing::Test
{
protected:
    NPCFlyTest() { EXPECT_TRUE(cCommonResources::LoadFlyingActors()); }
    ~NPCFlyTest() override
    {
        for (auto* list : {&gDragonFlyAnims, &gBatAnims, &gBirdAnims, &gBeetleAnims})
            DeleteAll(*list);
    }

    GameChipSets chipSets{7};
    physics::World world;
};

using Points = std::vector<b2Vec2>;

} // namespace

TEST_F(NPCFlyTest, GoesToTheNearestSporesKeepsTheOthersAndForgetsWhatEnded)
{
    NPCFly fly(2, 0, 0, 0, 0, &world);   // a bird starting at (0, 0)
    EXPECT_EQ(fly.GetKind(), KIND_NEVER_COLLIDES);
    EXPECT_EQ(fly.GetAnimationIndex(), NPCFly::ANIM_REST);

    fly.FlyTowards(300, 0);
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_FLYING_TO);
    fly.FlyTowards(100, 0);   // nearer: becomes the target, the old one waits
    fly.FlyTowards(500, 0);   // farther: waits
    EXPECT_EQ(fly.GetTarget(), b2Vec2(100, 0));
    EXPECT_EQ(fly.GetPendingPoints(), (Points{{300, 0}, {500, 0}}));

    fly.Steer(300, 0);   // a kept point ends first: only forgotten
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_FLYING_TO);
    EXPECT_EQ(fly.GetPendingPoints(), (Points{{500, 0}}));
    fly.Steer(100, 0);   // the target ends: on to the nearest kept one
    EXPECT_EQ(fly.GetTarget(), b2Vec2(500, 0));
    EXPECT_TRUE(fly.GetPendingPoints().empty());
    fly.Steer(500, 0);
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_WANDERING);

    fly.FlyTowards(300, 0);
    fly.FlyTowards(400, 0);
    fly.Steer(50, 50);   // never heard of: everything forgotten
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_WANDERING);
    EXPECT_TRUE(fly.GetPendingPoints().empty());
}

TEST_F(NPCFlyTest, CirclesSporesWithinReachAndFliesBackWhenCarriedAway)
{
    NPCFly fly(0, 100, 100, 0, 0, &world);
    fly.FlyTowards(180, 100);
    fly.Update(kTick);
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_CIRCLING) << "within 100 units: circles at once";
    EXPECT_EQ(fly.GetAnimationIndex(), NPCFly::ANIM_REST);
    float farthest = 0;
    for (int t = 0; t < 200; ++t) {
        fly.Update(kTick);
        const b2Vec2 at = fly.GetDrawPosition();
        farthest = std::max(farthest, std::hypot(at.x - 180.0f, at.y - 100.0f));
    }
    EXPECT_LT(farthest, 110.0f);
    fly.SetPosition(400, 100);
    fly.Update(kTick);
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_FLYING_TO);
}

TEST_F(NPCFlyTest, WandersRestlesslyFacingItsWayByDayAndShowsItsLightAtNight)
{
    NPCFly fly(1, 0, 0, 200, 100, &world);   // a bat; targets at least 35 away on each axis
    for (int t = 0; t < 300; ++t) {
        const b2Vec2 before = fly.GetPosition();
        fly.Update(kTick);
        const b2Vec2 target = fly.GetTarget();
        ASSERT_GE(std::fabs(static_cast<int>(before.x) - target.x), 35.0f) << t;
        ASSERT_GE(std::fabs(static_cast<int>(before.y) - target.y), 35.0f) << t;
        const b2Vec2 d = fly.GetDirection();
        const int facing = d.y < 0 ? (d.x < 0 ? NPCFly::ANIM_DOWN_LEFT : NPCFly::ANIM_DOWN_RIGHT)
                                   : (d.x < 0 ? NPCFly::ANIM_UP_LEFT : NPCFly::ANIM_UP_RIGHT);
        ASSERT_EQ(fly.GetAnimationIndex(), facing) << t;
    }
    fly.SwitchToLoF();
    fly.FlyTowards(0, 0);
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_CHANGING_LOOK) << "no new spores while its look changes";
    for (int t = 0; t < 40; ++t)
        fly.Update(kTick);
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_WANDERING);
    for (int t = 0; t < 100; ++t) {
        fly.Update(kTick);
        ASSERT_EQ(fly.GetAnimationIndex(), NPCFly::ANIM_LIGHT);
    }

    // Spores that end while day returns send it on at once.
    fly.FlyTowards(0, 0);
    fly.SwitchToDay();
    fly.Steer(0, 0);
    EXPECT_EQ(fly.GetState(), NPCFly::STATE_WANDERING);
}

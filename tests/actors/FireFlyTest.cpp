// The carrier fireflies: their files, and their flight tick by tick against the formulas of each
// step (spiral out, approach with BlendDirection, circle, straight), with the distances that end
// each step; appearing, leaving and the sounds they make.
#include "CharacterWorld.h"

#include "actors/FireFly.h"
#include "engine/Animation.h"
#include "engine/MathUtil.h"
#include "tests/support/StdoutOf.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kSfxOrangeMorph = 12;
constexpr int kSfxGrayMorph = 13;
constexpr float kHalf = 7.5f;  // half the carriers' 15-unit box

/// The flight as the formulas give it, from the same start, for comparison.
struct sFlight
{
    b2Vec2 corner{0.0f, 0.0f};
    b2Vec2 direction{1.0f, 0.0f};
    float turnRate = FireFly::kFirstTurnRate;
    int state = FireFly::STATE_HOVERING;
    b2Vec2 target{0.0f, 0.0f};

    void Tick()
    {
        const float d = Distance(target.x, target.y, corner.x, corner.y);
        switch (state) {
        case FireFly::STATE_HOVERING:
            corner += FireFly::kSpeed * direction;
            direction = RotateVec2(direction.x, direction.y, turnRate);
            if (turnRate > FireFly::kLastTurnRate)
                turnRate -= FireFly::kTurnRateDecrease;
            else
                state = FireFly::STATE_FOLLOWING;
            break;
        case FireFly::STATE_FOLLOWING:
        case FireFly::STATE_FLY_TO_POINT:
            if (d < FireFly::kCircleStart) {
                state = state == FireFly::STATE_FOLLOWING ? FireFly::STATE_CIRCLE_FORM : FireFly::STATE_CIRCLE_POINT;
            } else {
                b2Vec2 v = target - corner;
                v.Normalize();
                direction = BlendDirection(direction, v);
                corner += FireFly::kSpeed * direction;
            }
            break;
        case FireFly::STATE_CIRCLE_FORM:
        case FireFly::STATE_CIRCLE_POINT:
            if (d > FireFly::kCircleReach)
                state = state == FireFly::STATE_CIRCLE_FORM ? FireFly::STATE_FOLLOWING : FireFly::STATE_FLY_TO_POINT;
            corner += FireFly::kSpeed * direction;
            direction = RotateVec2(direction.x, direction.y, FireFly::kCircleTurn);
            break;
        default:
            break;
        }
    }
};

class FireFlyTest : public CharacterWorld
{
protected:
    /// The carrier of that file spawned with its corner at (x, y).
    FireFly& Spawned(const char* file, float x, float y)
    {
        EXPECT_TRUE(fly.LoadFromXml(QString("res/xml/actors/Flying/%1.xml").arg(file)));
        fly.Reset();
        fly.Spawn(&world, x, y);
        return fly;
    }
    /// A still body standing in for the antler form, centred at (cx, cy).
    void PlaceForm(float cx, float cy)
    {
        form = AddActor(KIND_CHARACTER, cx - 5.0f, cy - 5.0f, 10.0f, 10.0f, BODY_SENSOR, 0.0f);
        fly.SetAntlerForm(form);
    }
    /// One tick: the firefly's update, then the world's step.
    int FlyTick()
    {
        const int result = fly.Update(kTick);
        Step();
        return result;
    }
    void ExpectAt(const b2Vec2& corner, int tick)
    {
        ASSERT_NEAR(fly.GetDrawPosition().x, corner.x, 0.01f) << tick;
        ASSERT_NEAR(fly.GetDrawPosition().y, corner.y, 0.01f) << tick;
        const b2Vec2 center = fly.GetCenter();
        ASSERT_NEAR(center.x, corner.x + kHalf, 0.01f) << tick;
        ASSERT_NEAR(center.y, corner.y + kHalf, 0.01f) << tick;
    }

    FireFly fly;
    cRecordingActor* form = nullptr;
};

TEST_F(FireFlyTest, CarrierFilesGiveIdSensorAndTheirAnimations)
{
    for (const auto& [file, id] : {std::pair{"OrangeFirefly", 1}, std::pair{"GrayFirefly", 2}}) {
        FireFly carrier;
        EXPECT_EQ(carrier.GetKind(), KIND_CHARACTER);
        EXPECT_EQ(carrier.GetState(), FireFly::STATE_GONE);
        ASSERT_TRUE(carrier.LoadFromXml(QString("res/xml/actors/Flying/%1.xml").arg(file)));
        EXPECT_EQ(carrier.GetId(), id);
        ASSERT_NE(carrier.GetPhysicsBody(), nullptr);
        EXPECT_EQ(carrier.GetPhysicsBody()->GetType(), BODY_SENSOR);
        EXPECT_FALSE(carrier.HasBody());
        EXPECT_NE(carrier.GetAnimation(3), nullptr);
        EXPECT_EQ(carrier.GetAnimation(4), nullptr);
    }
    EXPECT_EQ(fly.GetAnimation(FireFly::ANIM_APPEAR), nullptr);
}

TEST_F(FireFlyTest, FileThatDoesNotOpenLeavesAFireflyThatStillChangesButNeverFlies)
{
    bool loaded = true;
    EXPECT_NE(StdoutOf([&] { loaded = fly.LoadFromXml("res/xml/actors/Flying/Nobody.xml"); })
                  .find("ERROR: Invalid XML resource file: res/xml/actors/Flying/Nobody.xml"),
              std::string::npos);
    EXPECT_FALSE(loaded);
    StdoutOf([&] { fly.Reset(); });
    fly.Spawn(&world, 10.0f, 10.0f);
    EXPECT_FALSE(fly.IsSpawned());
    EXPECT_EQ(world.GetBodyCount(), 0);

    StdoutOf([&] { fly.StartTransition(false); });
    EXPECT_EQ(fly.GetState(), FireFly::STATE_HOVERING);
    FlyTick();
    EXPECT_EQ(fly.GetDrawPosition(), b2Vec2(0.0f, 0.0f));
    StdoutOf([&] { fly.Dismiss(); });
    EXPECT_EQ(FlyTick(), FireFly::RESULT_CHARACTER_BACK);
    EXPECT_EQ(fly.GetState(), FireFly::STATE_GONE);
}

TEST_F(FireFlyTest, SpawnsOnceAppearsThenSpiralsOutAndFollowsTheForm)
{
    PlaceForm(305.0f, 45.0f);
    Spawned("OrangeFirefly", 0.0f, 0.0f);
    EXPECT_TRUE(fly.IsSpawned());
    EXPECT_TRUE(fly.IsVisible());
    EXPECT_TRUE(fly.HasBody());
    EXPECT_EQ(fly.GetState(), FireFly::STATE_APPEARING);
    fly.Spawn(&world, 50.0f, 50.0f);
    EXPECT_EQ(fly.GetPhysicsBody()->GetPosition(), b2Vec2(0.0f, 0.0f));

    // Sending it off while it appears changes nothing; it hovers once the animation has played.
    fly.FlyTo(100.0f, 100.0f);
    fly.FollowTarget();
    EXPECT_EQ(fly.GetState(), FireFly::STATE_APPEARING);
    int ticks = 0;
    while (fly.GetState() == FireFly::STATE_APPEARING && ticks < 100) {
        FlyTick();
        ++ticks;
    }
    // Nine frames of 50 ms: finished once 450 ms have passed.
    EXPECT_EQ(ticks, 23);
    EXPECT_EQ(fly.GetState(), FireFly::STATE_HOVERING);
    EXPECT_EQ(fly.GetDrawPosition(), b2Vec2(0.0f, 0.0f));

    sFlight expected;
    expected.target = form->GetCenter();
    int spiral = 0;
    while (expected.state == FireFly::STATE_HOVERING) {
        expected.Tick();
        FlyTick();
        ++spiral;
        ExpectAt(expected.corner, spiral);
        ASSERT_EQ(fly.GetState(), expected.state) << spiral;
        ASSERT_NEAR(fly.GetTurnRate(), expected.turnRate, 1e-5f);
    }
    EXPECT_NEAR(spiral, 91, 1);
    EXPECT_EQ(fly.GetTarget(), form->GetCenter());

    // Following: closer than 100 it stops for a tick, then circles; beyond 50 it approaches again.
    bool stopped = false;
    bool approachedAgain = false;
    for (int t = 1; t <= 600; ++t) {
        const int before = expected.state;
        const b2Vec2 was = expected.corner;
        expected.Tick();
        FlyTick();
        ExpectAt(expected.corner, t);
        ASSERT_EQ(fly.GetState(), expected.state) << t;
        if (before == FireFly::STATE_FOLLOWING && expected.state == FireFly::STATE_CIRCLE_FORM) {
            EXPECT_EQ(expected.corner, was);
            stopped = true;
        }
        approachedAgain = approachedAgain || (before == FireFly::STATE_CIRCLE_FORM && expected.state == FireFly::STATE_FOLLOWING);
    }
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(approachedAgain);
    EXPECT_LT(Distance(expected.target.x, expected.target.y, expected.corner.x, expected.corner.y), FireFly::kCircleStart);
}

TEST_F(FireFlyTest, FlownToAPointItCirclesThereAndFollowsAgainWhenCalledBack)
{
    PlaceForm(-200.0f, 0.0f);
    Spawned("GrayFirefly", 0.0f, 0.0f);
    fly.StartTransition(false);
    EXPECT_EQ(fly.GetAnimation(FireFly::ANIM_APPEAR)->GetCurrentFrame(), 12);
    fly.FlyTo(0.0f, 250.0f);
    EXPECT_EQ(fly.GetState(), FireFly::STATE_FLY_TO_POINT);

    sFlight expected;
    expected.state = FireFly::STATE_FLY_TO_POINT;
    expected.target.Set(0.0f, 250.0f);
    bool circled = false;
    for (int t = 1; t <= 400; ++t) {
        expected.Tick();
        FlyTick();
        ExpectAt(expected.corner, t);
        ASSERT_EQ(fly.GetState(), expected.state) << t;
        circled = circled || expected.state == FireFly::STATE_CIRCLE_POINT;
    }
    EXPECT_TRUE(circled);

    fly.FollowTarget();
    EXPECT_EQ(fly.GetState(), FireFly::STATE_FOLLOWING);
    EXPECT_EQ(fly.GetTarget(), b2Vec2(-200.0f, 0.0f));
}

class MoveToTest : public FireFlyTest, public ::testing::WithParamInterface<float>
{
};

TEST_P(MoveToTest, MovesStraightAtThreeQuartersAUnitAndLeavesWithinTwo)
{
    const float distance = GetParam();
    Spawned("OrangeFirefly", 10.0f, 20.0f);
    const b2Vec2 target(10.0f + distance * 0.6f, 20.0f - distance * 0.8f);
    fly.MoveTo(target.x, target.y);
    EXPECT_EQ(fly.GetState(), FireFly::STATE_MOVING_STRAIGHT);

    b2Vec2 corner(10.0f, 20.0f);
    int ticks = 0;
    while (fly.GetState() == FireFly::STATE_MOVING_STRAIGHT && ticks < 100) {
        b2Vec2 v = target - corner;
        if (v.Length() > 1.0f)
            v.Normalize();
        corner += FireFly::kStraightSpeed * v;
        FlyTick();
        ++ticks;
        ExpectAt(corner, ticks);
        EXPECT_NEAR((fly.GetDirection() - v).Length(), 0.0f, 1e-3f);
    }
    EXPECT_EQ(fly.GetState(), FireFly::STATE_LEAVING);
    EXPECT_EQ(fly.GetAnimationIndex(), FireFly::ANIM_LEAVE);
    EXPECT_LT((target - corner).Length(), FireFly::kArrival);
    EXPECT_EQ(ticks, distance < FireFly::kArrival ? 1 : static_cast<int>(std::ceil((distance - 2.0f) / 0.75f)));
}

INSTANTIATE_TEST_SUITE_P(Distances, MoveToTest, ::testing::Values(0.5f, 1.5f, 10.0f, 40.0f));

TEST_F(FireFlyTest, DismissedItTurnsBackReportsOnceAndCanSpawnAgain)
{
    Spawned("OrangeFirefly", 30.0f, 40.0f);
    fly.StartTransition(false);
    FlyTick();
    assets.sounds.Take();
    fly.Dismiss();
    ASSERT_EQ(assets.sounds.played.size(), 1u);
    EXPECT_FLOAT_EQ(assets.sounds.played[0].volume, 0.4f);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(kSfxOrangeMorph));
    fly.FlyTo(0.0f, 0.0f);
    fly.FollowTarget();
    EXPECT_EQ(fly.GetState(), FireFly::STATE_LEAVING);

    int ones = 0;
    int ticks = 0;
    for (; ticks < 40 && fly.GetState() != FireFly::STATE_GONE; ++ticks)
        ones += FlyTick();
    // Six frames of 50 ms.
    EXPECT_EQ(ticks, 15);
    for (int t = 0; t < 10; ++t)
        ones += FlyTick();
    EXPECT_EQ(ones, 1);
    EXPECT_FALSE(fly.IsVisible());
    EXPECT_FALSE(fly.IsSpawned());
    EXPECT_FALSE(fly.HasBody());
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());

    fly.Spawn(&world, 5.0f, 5.0f);
    EXPECT_TRUE(fly.IsSpawned());
    EXPECT_EQ(fly.GetState(), FireFly::STATE_APPEARING);
}

TEST_F(FireFlyTest, WithTheFlagLeavingPlaysTheMorphLoudWhileItsFirstFrameShows)
{
    Spawned("GrayFirefly", 0.0f, 0.0f);
    fly.SetFlag(true);
    fly.Dismiss();
    ASSERT_EQ(assets.sounds.played.size(), 1u);
    EXPECT_EQ(assets.sounds.played[0].id, kSfxGrayMorph);
    EXPECT_FLOAT_EQ(assets.sounds.played[0].volume, 0.4f);
    assets.sounds.Take();
    // Frame 0 shows for the first two ticks of 20 ms.
    for (int t = 0; t < 30; ++t)
        FlyTick();
    ASSERT_EQ(assets.sounds.played.size(), 2u);
    for (const auto& p : assets.sounds.played) {
        EXPECT_EQ(p.id, kSfxGrayMorph);
        EXPECT_FLOAT_EQ(p.volume, 1.0f);
    }
}

TEST_F(FireFlyTest, ResetTakesItOutOfTheWorldAndBackToItsFirstFlight)
{
    Spawned("OrangeFirefly", 0.0f, 0.0f);
    fly.SetFlag(true);
    fly.StartTransition(false);
    for (int t = 0; t < 30; ++t)
        FlyTick();
    fly.Reset();
    EXPECT_EQ(fly.GetState(), FireFly::STATE_RESET);
    EXPECT_FALSE(fly.HasBody());
    EXPECT_FALSE(fly.IsSpawned());
    EXPECT_FALSE(fly.IsVisible());
    EXPECT_FALSE(fly.GetFlag());
    EXPECT_EQ(fly.GetDirection(), b2Vec2(1.0f, 0.0f));
    EXPECT_FLOAT_EQ(fly.GetTurnRate(), FireFly::kFirstTurnRate);
    EXPECT_EQ(fly.GetAnimationIndex(), FireFly::ANIM_APPEAR);
    EXPECT_EQ(fly.GetId(), 1);
    EXPECT_NE(fly.GetPhysicsBody(), nullptr);

    // Moved by its centre.
    fly.SetPosition(100.0f, 50.0f);
    EXPECT_EQ(fly.GetPhysicsBody()->GetPosition(), b2Vec2(92.5f, 42.5f));
}

} // namespace

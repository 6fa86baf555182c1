// How a world of the physics layer moves its bodies: units, speed limit, damping, the skin between
// boxes, sleep and the body definition. Each test fails without one of the layer's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "TestBodies.h"
#include "platform/physics/Shape.h"

using namespace testing_physics;

namespace {

constexpr float kDt = physics::kGameTimeStep;

physics::WorldDef WithoutGravity()
{
    physics::WorldDef def;
    def.gravity.SetZero();
    return def;
}

/// Steps of the 2.0 series' integration (velocity, then damping, then position) until a body
/// starting at rest falls the given height.
int FreeFallSteps(float height, float gravity, float damping)
{
    float v = 0.0f;
    float fallen = 0.0f;
    int steps = 0;
    while (fallen < height) {
        v = (v + gravity * kDt) * (1.0f - kDt * damping);
        fallen += v * kDt;
        ++steps;
    }
    return steps;
}

}  // namespace

TEST(WorldTest, BoxDroppedFrom500LandsInTheFreeFallTime)
{
    physics::World world;
    AddBox(world, -100.0f, -20.0f, 200.0f, 20.0f);
    physics::Body* box = AddDynamicBox(world, 0.0f, 500.0f, 10.0f, 10.0f);

    int steps = 0;
    while (box->GetPosition().y - 5.0f > 0.1f && steps < 1000) {
        StepGame(world);
        ++steps;
    }
    const int expected = FreeFallSteps(500.0f, -physics::kGameGravityY, 1.5f);
    EXPECT_NEAR(steps, expected, 0.1 * expected);
}

TEST(WorldTest, NoBodyMovesFasterThanTheLimit)
{
    physics::World world(WithoutGravity());
    physics::Body* thrown = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    physics::Body* pushed = AddDynamicBox(world, 0.0f, 100.0f, 10.0f, 10.0f);
    thrown->SetLinearVelocity(b2Vec2(1000.0f, 0.0f));
    pushed->ApplyImpulse(b2Vec2(0.0f, 100.0f * pushed->GetMass() * 10.0f), pushed->GetPosition());

    const b2Vec2 before = thrown->GetPosition();
    StepGame(world);
    const float travelled = (thrown->GetPosition() - before).Length();
    EXPECT_LE(thrown->GetLinearVelocity().Length(), physics::kMaxSpeed * 1.0001f);
    EXPECT_LE(pushed->GetLinearVelocity().Length(), physics::kMaxSpeed * 1.0001f);
    EXPECT_GT(travelled, 0.9f * physics::kMaxSpeed * kDt);
    EXPECT_LE(travelled, physics::kMaxSpeed * kDt * 1.0001f);
}

TEST(WorldTest, DampingSlowsBodiesAsTheOldSeriesDid)
{
    physics::World world(WithoutGravity());
    BoxOptions options;
    options.density = 1.0f;
    options.damping = 1.5f;
    physics::Body* body = AddBox(world, 0.0f, 0.0f, 10.0f, 10.0f, options);
    body->SetLinearVelocity(b2Vec2(100.0f, 0.0f));

    StepGame(world, 22);
    EXPECT_NEAR(body->GetLinearVelocity().x, 100.0f * std::pow(1.0f - kDt * 1.5f, 22.0f), 0.05f);
}

TEST(WorldTest, LengthsMassesAndImpulsesAreInWorldUnits)
{
    physics::World world(WithoutGravity());
    BoxOptions options;
    options.density = 2.0f;
    physics::Body* body = AddBox(world, 10.0f, 20.0f, 8.0f, 6.0f, options);

    EXPECT_FLOAT_EQ(body->GetPosition().x, 14.0f);
    EXPECT_FLOAT_EQ(body->GetPosition().y, 23.0f);
    EXPECT_NEAR(body->GetMass(), 2.0f * 8.0f * 6.0f, 0.001f);

    body->ApplyImpulse(b2Vec2(body->GetMass() * 30.0f, 0.0f), body->GetPosition());
    EXPECT_NEAR(body->GetLinearVelocity().x, 30.0f, 0.001f);
    StepGame(world);
    // Damping 1.5/s acts before the body moves.
    EXPECT_NEAR(body->GetPosition().x, 14.0f + 30.0f * (1.0f - kDt * 1.5f) * kDt, 0.01f);
}

TEST(WorldTest, BoxesRestEdgeToEdge)
{
    physics::World world;
    AddBox(world, -50.0f, -20.0f, 100.0f, 20.0f);
    physics::Body* lower = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    physics::Body* upper = AddDynamicBox(world, 2.0f, 30.0f, 10.0f, 10.0f);

    StepGame(world, 88);
    EXPECT_LT(std::fabs((lower->GetPosition().y - 5.0f) - 0.0f), 0.03f);
    EXPECT_LT(std::fabs((upper->GetPosition().y - 5.0f) - (lower->GetPosition().y + 5.0f)), 0.03f);
}

TEST(WorldTest, OnlyBodiesWithDensityMove)
{
    physics::World world;
    physics::Body* still = AddBox(world, 0.0f, 100.0f, 10.0f, 10.0f);
    physics::Body* falling = AddDynamicBox(world, 50.0f, 100.0f, 10.0f, 10.0f);
    still->ApplyImpulse(b2Vec2(0.0f, 1000.0f), still->GetPosition());

    StepGame(world, 5);
    EXPECT_FLOAT_EQ(still->GetPosition().y, 105.0f);
    EXPECT_FLOAT_EQ(still->GetMass(), 0.0f);
    EXPECT_LT(falling->GetPosition().y, 100.0f);
}

TEST(WorldTest, FixedRotationKeepsTheAngleWhateverPushes)
{
    physics::World world(WithoutGravity());
    physics::Body* fixed = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    BoxOptions turning;
    turning.density = 1.0f;
    turning.fixedRotation = false;
    physics::Body* free = AddBox(world, 100.0f, 0.0f, 10.0f, 10.0f, turning);

    fixed->ApplyImpulse(b2Vec2(0.0f, 500.0f), fixed->GetPosition() + b2Vec2(5.0f, 0.0f));
    free->ApplyImpulse(b2Vec2(0.0f, 500.0f), free->GetPosition() + b2Vec2(5.0f, 0.0f));
    StepGame(world, 5);
    EXPECT_EQ(fixed->GetAngle(), 0.0f);
    EXPECT_NE(free->GetAngle(), 0.0f);
}

TEST(WorldTest, RestingBodiesSleepUnlessForbiddenAndWakeWhenMoved)
{
    physics::World world;
    AddBox(world, -50.0f, -20.0f, 100.0f, 20.0f);
    physics::Body* sleeper = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    BoxOptions awake;
    awake.density = 1.0f;
    awake.allowSleep = false;
    physics::Body* insomniac = AddBox(world, 20.0f, 0.0f, 10.0f, 10.0f, awake);

    StepGame(world, 66);
    EXPECT_TRUE(sleeper->IsSleeping());
    EXPECT_FALSE(insomniac->IsSleeping());

    sleeper->SetXForm(b2Vec2(-20.0f, 5.0f), 0.0f);
    EXPECT_FALSE(sleeper->IsSleeping());
}

TEST(WorldTest, ChangesAreRefusedWhileTheWorldSteps)
{
    // A filter runs inside Box2D's step, where Box2D 2.4 aborts on any change to the world.
    class MeddlingFilter : public physics::ContactFilter
    {
    public:
        explicit MeddlingFilter(physics::World& w) : world(w) {}
        bool ShouldCollide(physics::Shape* shape1, physics::Shape*) override
        {
            created = world.CreateBody(physics::BodyDef());
            shape1->GetBody()->SetXForm(b2Vec2(0.0f, 500.0f), 0.0f);
            return true;
        }
        physics::World& world;
        physics::Body* created = reinterpret_cast<physics::Body*>(1);
    };
    physics::World world;
    MeddlingFilter filter(world);
    world.SetContactFilter(&filter);
    AddBox(world, -50.0f, -20.0f, 100.0f, 20.0f);
    physics::Body* box = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);

    StepGame(world, 2);
    EXPECT_EQ(filter.created, nullptr);
    EXPECT_LT(box->GetPosition().y, 10.0f);
    EXPECT_EQ(world.GetBodyCount(), 2);
}

TEST(WorldTest, BoxWalksOverTheSeamsOfTiledGroundWithoutCatching)
{
    physics::World world;
    for (int i = 0; i < 32; ++i)
        AddBox(world, i * 16.0f, -16.0f, 16.0f, 16.0f);
    physics::Body* walker = AddDynamicBox(world, 10.0f, 0.0f, 11.0f, 15.0f);
    StepGame(world, 5);
    for (int i = 0; i < 110; ++i) {
        walker->SetLinearVelocity(b2Vec2(60.0f, walker->GetLinearVelocity().y));
        StepGame(world);
        ASSERT_NEAR(walker->GetPosition().y - 7.5f, 0.0f, 0.03f) << "step " << i;
        ASSERT_GT(walker->GetLinearVelocity().x, 50.0f) << "step " << i;
    }
}

TEST(WorldTest, BoxMeetingTheNextOfLevelBoxesAtItsSideWalksOnButAStepStopsIt)
{
    // Where a walker's front meets the next plank decides whether Box2D sees its side or its top
    // first, so the walk starts from many places, each way. The planks at both ends are one unit
    // higher: real steps, which must still stop the walker.
    for (const float direction : {1.0f, -1.0f}) {
        for (int start = 0; start < 40; ++start) {
            physics::World world;
            AddBox(world, -13.0f, -1.0f, 13.0f, 2.0f);
            for (int i = 0; i < 12; ++i)
                AddBox(world, i * 13.0f, -1.0f, 13.0f, 1.0f);
            AddBox(world, 156.0f, -1.0f, 13.0f, 2.0f);
            physics::Body* walker = AddDynamicBox(world, 65.0f + start * 0.37f, 0.0f, 11.0f, 15.0f);
            StepGame(world, 2);
            for (int i = 0; i < 60; ++i) {
                walker->SetLinearVelocity(b2Vec2(direction * 60.0f, walker->GetLinearVelocity().y));
                StepGame(world);
            }
            const float front = walker->GetPosition().x + direction * 5.5f;
            EXPECT_NEAR(front, direction > 0.0f ? 156.0f : 0.0f, 0.1f)
                << "walk from " << 65.0f + start * 0.37f << " going " << direction;
        }
    }
}

TEST(WorldTest, OnlyBulletsAreSweptAgainstMovingBodies)
{
    physics::World world(WithoutGravity());
    // Two thin moving walls, and a small box flying at each faster than its thickness per step.
    physics::Body* walls[2] = {AddDynamicBox(world, 50.0f, 0.0f, 1.0f, 40.0f),
                               AddDynamicBox(world, 50.0f, 100.0f, 1.0f, 40.0f)};
    BoxOptions fast;
    fast.density = 1.0f;
    fast.damping = 0.0f;
    physics::Body* plain = AddBox(world, 0.0f, 15.0f, 2.0f, 2.0f, fast);
    fast.bullet = true;
    physics::Body* bullet = AddBox(world, 0.0f, 115.0f, 2.0f, 2.0f, fast);
    for (physics::Body* body : {plain, bullet})
        body->SetLinearVelocity(b2Vec2(physics::kMaxSpeed, 0.0f));
    for (physics::Body* wall : walls)
        wall->SetLinearVelocity(b2Vec2(0.0f, 0.01f));

    StepGame(world, 11);
    EXPECT_GT(plain->GetPosition().x, 60.0f);
    EXPECT_LT(bullet->GetPosition().x, 60.0f);
}

TEST(WorldTest, ABodyLeavingTheWorldsBoxFreezesThereAndTouchesNothingMore)
{
    physics::World world;
    RecordingListener listener;
    world.SetContactListener(&listener);
    AddBox(world, -50.0f, -1100.0f, 100.0f, 150.0f, {0.0f, true});  // a sensor across the box's bottom edge
    physics::Body* faller = AddDynamicBox(world, 0.0f, -900.0f, 10.0f, 10.0f);
    std::vector<float> tops{-890.0f};
    for (int step = 0; step < 100; ++step, tops.push_back(faller->GetPosition().y + 5.0f))
        StepGame(world);
    // It stops in the first step that began with it wholly below the box; its point ends there.
    const auto stopped = std::adjacent_find(tops.begin(), tops.end());
    ASSERT_NE(stopped, tops.end());
    EXPECT_LE(stopped[-1], -1000.0f);
    EXPECT_GT(stopped[-2], -1000.0f);
    EXPECT_EQ(listener.told.back().kind, RecordingListener::Removed);
    faller->SetXForm(b2Vec2(0.0f, 0.0f), 0.0f);
    EXPECT_EQ(faller->GetPosition().y + 5.0f, tops.back()) << "never moved again";
}

// What a world of the physics layer tells about contacts: the filter judged once per touch and
// held, Add / Persist / Remove per point after the step, sensors and sleeping bodies included.
#include <gtest/gtest.h>

#include <cmath>

#include "TestBodies.h"

using namespace testing_physics;

namespace {

class CountingFilter : public physics::ContactFilter
{
public:
    bool ShouldCollide(physics::Shape*, physics::Shape*) override
    {
        ++asked;
        return answer;
    }
    bool CanEverCollide(physics::Shape*, physics::Shape*) override { return everCollide; }

    int asked = 0;
    bool answer = true;
    bool everCollide = true;
};

/// A world with a wide static ground whose top is at y = 0 and a listener.
class ContactTrackerTest : public ::testing::Test
{
protected:
    ContactTrackerTest()
    {
        world.SetContactListener(&listener);
        world.SetContactFilter(&filter);
        ground = AddBox(world, -100.0f, -20.0f, 200.0f, 20.0f);
    }

    physics::Body* AddSensor(float x, float y, float w, float h)
    {
        BoxOptions options;
        options.sensor = true;
        return AddBox(world, x, y, w, h, options);
    }

    physics::World world;
    RecordingListener listener;
    CountingFilter filter;
    physics::Body* ground;
};

}  // namespace

TEST_F(ContactTrackerTest, FilterIsAskedOnceAtFirstTouchAndHeldUntilTheBoxesPart)
{
    physics::Body* box = AddDynamicBox(world, 0.0f, 20.0f, 10.0f, 10.0f);
    StepGame(world, 44);
    EXPECT_EQ(filter.asked, 1);
    EXPECT_NEAR(box->GetPosition().y, 5.0f, 0.05f);

    // The answer stays what it was at first touch, whatever the filter would say now.
    filter.answer = false;
    StepGame(world, 44);
    EXPECT_EQ(filter.asked, 1);
    EXPECT_NEAR(box->GetPosition().y, 5.0f, 0.05f);

    // Parted and touching again: judged anew, and this time refused.
    box->SetXForm(b2Vec2(5.0f, 30.0f), 0.0f);
    StepGame(world, 22);
    EXPECT_EQ(filter.asked, 2);
    EXPECT_LT(box->GetPosition().y, -10.0f);
}

TEST_F(ContactTrackerTest, RefusedPairsPassThroughWithoutPoints)
{
    filter.answer = false;
    physics::Body* box = AddDynamicBox(world, 0.0f, 20.0f, 10.0f, 10.0f);
    StepGame(world, 44);
    EXPECT_LT(box->GetPosition().y, -30.0f);
    EXPECT_TRUE(listener.told.empty());
}

TEST_F(ContactTrackerTest, EarlyTestSparesThePairItsJudgement)
{
    filter.everCollide = false;
    physics::Body* box = AddDynamicBox(world, 0.0f, 20.0f, 10.0f, 10.0f);
    StepGame(world, 44);
    EXPECT_EQ(filter.asked, 0);
    EXPECT_LT(box->GetPosition().y, -30.0f);
    EXPECT_TRUE(listener.told.empty());
}

TEST_F(ContactTrackerTest, PointsAreAddedPersistEveryStepAlsoAsleepAndAreRemovedOnParting)
{
    physics::Body* box = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    StepGame(world);
    EXPECT_EQ(listener.Count(RecordingListener::Added), 2);

    listener.told.clear();
    StepGame(world, 66);
    ASSERT_TRUE(box->IsSleeping());
    EXPECT_EQ(listener.Count(RecordingListener::Persisted), 2 * 66);
    EXPECT_EQ(listener.Count(RecordingListener::Added), 0);

    listener.told.clear();
    box->SetXForm(b2Vec2(5.0f, 50.0f), 0.0f);
    StepGame(world);
    EXPECT_EQ(listener.Count(RecordingListener::Removed), 2);
    EXPECT_EQ(listener.told.size(), 2u);
}

TEST_F(ContactTrackerTest, PointIsToldFromTheFirstShapesSide)
{
    physics::Body* box = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    StepGame(world, 22);
    ASSERT_FALSE(listener.told.empty());
    const physics::ContactPoint point = listener.told.back().point;
    const physics::ContactPoint fromBox = point.shape1->GetBody() == box ? point : point.Reversed();

    EXPECT_NEAR(fromBox.normal.x, 0.0f, 1e-5f);
    EXPECT_NEAR(fromBox.normal.y, 1.0f, 1e-5f);  // from the ground towards the box
    EXPECT_EQ(fromBox.shape2->GetBody(), ground);
    EXPECT_NEAR(fromBox.position.y, 0.0f, 0.05f);
    EXPECT_GE(fromBox.position.x, 0.0f);
    EXPECT_LE(fromBox.position.x, 10.0f);
    EXPECT_LT(std::fabs(fromBox.separation), 0.03f);
    EXPECT_NEAR(fromBox.Reversed().normal.y, -1.0f, 1e-5f);
}

TEST_F(ContactTrackerTest, SensorsHavePointsForAsLongAsABodyRestsInThem)
{
    physics::Body* sensor = AddSensor(-20.0f, 0.0f, 40.0f, 30.0f);
    physics::Body* box = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    StepGame(world);
    int added = 0;
    for (const RecordingListener::Told& t : listener.told) {
        if (t.kind == RecordingListener::Added && listener.Involves(t, sensor)) {
            ++added;
            EXPECT_LT(t.point.separation, -5.0f);  // the box lies deep inside
        }
    }
    EXPECT_GT(added, 0);

    StepGame(world, 66);
    ASSERT_TRUE(box->IsSleeping());
    listener.told.clear();
    StepGame(world);
    int persisted = 0;
    for (const RecordingListener::Told& t : listener.told)
        persisted += t.kind == RecordingListener::Persisted && listener.Involves(t, sensor) ? 1 : 0;
    EXPECT_EQ(persisted, added);
}

class MovedOntoSleeper : public ContactTrackerTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(MovedOntoSleeper, ReportsAdd)
{
    physics::Body* box = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    BoxOptions options;
    options.sensor = GetParam();
    physics::Body* sensor = AddBox(world, 60.0f, 0.0f, 20.0f, 20.0f, options);
    StepGame(world, 66);
    ASSERT_TRUE(box->IsSleeping());

    listener.told.clear();
    sensor->SetXForm(b2Vec2(5.0f, 10.0f), 0.0f);
    StepGame(world);
    ASSERT_FALSE(listener.told.empty());
    bool added = false;
    for (const RecordingListener::Told& t : listener.told)
        added = added || (t.kind == RecordingListener::Added && listener.Involves(t, sensor) && listener.Involves(t, box));
    EXPECT_TRUE(added);
}

INSTANTIATE_TEST_SUITE_P(SensorOrSolid, MovedOntoSleeper, ::testing::Bool());

TEST_F(ContactTrackerTest, DestroyedBodyReportsRemoveForEachOfItsPoints)
{
    physics::Body* box = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    StepGame(world, 5);
    listener.told.clear();

    world.DestroyBody(box);
    ASSERT_EQ(listener.told.size(), 2u);
    for (const RecordingListener::Told& t : listener.told) {
        EXPECT_EQ(t.kind, RecordingListener::Removed);
        EXPECT_TRUE(listener.Involves(t, ground));
    }
    EXPECT_EQ(world.GetBodyCount(), 1);
    listener.told.clear();
    StepGame(world);
    EXPECT_TRUE(listener.told.empty());
}

TEST_F(ContactTrackerTest, PointsAreToldAfterTheStepSoHandlersMayDestroyBodies)
{
    class DestroyingListener : public RecordingListener
    {
    public:
        explicit DestroyingListener(physics::World& w) : world(w) {}
        void Add(const physics::ContactPoint* point) override
        {
            RecordingListener::Add(point);
            lockedWhenTold = lockedWhenTold || world.IsLocked();
            if (victim) {
                world.DestroyBody(victim);
                victim = nullptr;
            }
        }
        physics::World& world;
        physics::Body* victim = nullptr;
        bool lockedWhenTold = false;
    };
    DestroyingListener destroying(world);
    world.SetContactListener(&destroying);
    physics::Body* first = AddDynamicBox(world, 0.0f, 0.0f, 10.0f, 10.0f);
    physics::Body* second = AddDynamicBox(world, 50.0f, 0.0f, 10.0f, 10.0f);
    destroying.victim = second;

    StepGame(world);
    EXPECT_FALSE(destroying.lockedWhenTold);
    EXPECT_EQ(world.GetBodyCount(), 2);
    // The victim's points are not added after it went; the ones added before it went are removed.
    int open = 0;
    for (const RecordingListener::Told& t : destroying.told) {
        if (destroying.Involves(t, first))
            continue;
        open += t.kind == RecordingListener::Added ? 1 : (t.kind == RecordingListener::Removed ? -1 : 0);
    }
    EXPECT_EQ(open, 0);
    StepGame(world, 3);
}

// Routing each contact point to the owners of the two bodies.
#include "PhysicsTestWorld.h"

#include "platform/physics/Body.h"

namespace {

class ContactListenerTest : public PhysicsTestWorld
{
};

}  // namespace

TEST_F(ContactListenerTest, SensorOwnerHearsTheCharacterWhoHearsNothingOfIt)
{
    AddTerrain(-50.0f, -10.0f, 100.0f, 10.0f);
    cRecordingActor* sensor = AddActor(KIND_STACK_SENSOR, -2.0f, 0.0f, 4.0f, 4.0f, BODY_SENSOR, 0.0f);
    cRecordingActor* character = AddCharacter(-5.0f, 0.0f);
    Step(2);
    EXPECT_GT(sensor->Count(cRecordingActor::Added, character->GetPhysicsBody()), 0);
    EXPECT_EQ(character->Count(cRecordingActor::Added, sensor->GetPhysicsBody()), 0);
    EXPECT_GT(character->Count(cRecordingActor::Added), 0);  // the ground, though

    // Resting there, asleep or not, both keep hearing what they heard.
    Step(88);
    const int persisted = sensor->Count(cRecordingActor::Persisted);
    Step();
    EXPECT_GT(sensor->Count(cRecordingActor::Persisted), persisted);
    EXPECT_EQ(character->Count(cRecordingActor::Persisted, sensor->GetPhysicsBody()), 0);
}

TEST_F(ContactListenerTest, NobodyHearsOfASensorWhicheverSideItIsOn)
{
    cRecordingActor* sensor = AddActor(KIND_EXIT, 100.0f, 0.0f, 10.0f, 10.0f, BODY_SENSOR, 0.0f);
    cRecordingActor* character = AddCharacter(200.0f, 0.0f);
    physics::ContactPoint point;
    point.shape1 = sensor->GetPhysicsBody()->GetBody()->GetShapeList();
    point.shape2 = character->GetPhysicsBody()->GetBody()->GetShapeList();
    listener.Add(&point);
    const physics::ContactPoint reversed = point.Reversed();
    listener.Persist(&reversed);
    listener.Remove(&point);
    EXPECT_EQ(sensor->Count(cRecordingActor::Added, character->GetPhysicsBody()), 1);
    EXPECT_EQ(sensor->Count(cRecordingActor::Persisted, character->GetPhysicsBody()), 1);
    EXPECT_EQ(sensor->Count(cRecordingActor::Removed, character->GetPhysicsBody()), 1);
    EXPECT_TRUE(character->heard.empty());
}

TEST_F(ContactListenerTest, TwoSensorsTellNobody)
{
    cRecordingActor* first = AddActor(KIND_CHARACTER, 0.0f, 0.0f, 10.0f, 10.0f, BODY_SENSOR, 1.0f);
    cRecordingActor* second = AddActor(KIND_CHARACTER, 5.0f, 5.0f, 10.0f, 10.0f, BODY_SENSOR, 1.0f);
    Step(2);
    EXPECT_TRUE(first->heard.empty());
    EXPECT_TRUE(second->heard.empty());
}

TEST_F(ContactListenerTest, BothOwnersHearThePointFromTheirOwnSide)
{
    cRecordingActor* ground = AddActor(KIND_NONE, -50.0f, -10.0f, 100.0f, 10.0f, BODY_TERRAIN, 0.0f);
    cRecordingActor* character = AddCharacter(0.0f, 0.0f);
    Step(2);
    ASSERT_FALSE(character->heard.empty());
    ASSERT_EQ(ground->heard.size(), character->heard.size());
    for (size_t i = 0; i < character->heard.size(); ++i) {
        const cRecordingActor::Heard& up = character->heard[i];
        const cRecordingActor::Heard& down = ground->heard[i];
        EXPECT_EQ(up.other, ground->GetPhysicsBody());
        EXPECT_EQ(down.other, character->GetPhysicsBody());
        EXPECT_NEAR(up.point.normal.y, 1.0f, 1e-5f);
        EXPECT_NEAR(down.point.normal.y, -1.0f, 1e-5f);
        EXPECT_EQ(cPhysicsBody::FromShape(up.point.shape1), character->GetPhysicsBody());
        EXPECT_EQ(cPhysicsBody::FromShape(down.point.shape1), ground->GetPhysicsBody());
        EXPECT_EQ(up.point.position, down.point.position);
        EXPECT_EQ(up.point.separation, down.point.separation);
    }
}

TEST_F(ContactListenerTest, TheFirstShapesOwnerHearsFirst)
{
    class cOrderListener : public cContactListener
    {
    public:
        void Add(const physics::ContactPoint* point) override
        {
            firstShapes.push_back(cPhysicsBody::FromShape(point->shape1));
            cContactListener::Add(point);
        }
        std::vector<cPhysicsBody*> firstShapes;
    };
    cOrderListener ordered;
    world.SetContactListener(&ordered);
    cRecordingActor* ground = AddActor(KIND_NONE, -50.0f, -10.0f, 100.0f, 10.0f, BODY_TERRAIN, 0.0f);
    cRecordingActor* character = AddCharacter(0.0f, 0.0f);
    Step();
    ASSERT_FALSE(ordered.firstShapes.empty());
    const bool groundFirst = ordered.firstShapes.front() == ground->GetPhysicsBody();
    const int groundOrder = ground->heard.front().order;
    const int characterOrder = character->heard.front().order;
    EXPECT_EQ(groundFirst, groundOrder < characterOrder);
    world.SetContactListener(&listener);
}

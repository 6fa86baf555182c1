// A physics actor: its accessors with and without a body, and its body's life.
#include "PhysicsTestWorld.h"

namespace {

class PhysicsActorTest : public PhysicsTestWorld
{
};

}  // namespace

TEST(EntityTest, KindIsNoneUntilSet)
{
    cEntity entity;
    EXPECT_EQ(entity.GetKind(), KIND_NONE);
    EXPECT_EQ(entity.SetKind(KIND_HEART), &entity);
    EXPECT_EQ(entity.GetKind(), KIND_HEART);
}

TEST_F(PhysicsActorTest, AccessorsAnswerZerosWithoutABody)
{
    cRecordingActor actor(KIND_CHARACTER);
    actor.SetPosition(5.0f, 5.0f);
    actor.SetLinearVelocity(3.0f, 3.0f);
    EXPECT_EQ(actor.GetPosition(), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(actor.GetCenter(), b2Vec2(0.0f, 0.0f));
    EXPECT_FALSE(actor.HasBody());
    EXPECT_FALSE(actor.IsBatKing());

    // Described but out of the world: the corner is kept, the size is not told.
    ASSERT_TRUE(actor.CreatePhysicsBody(8.0f, 6.0f, BODY_TERRAIN, 1.0f, 0.5f));
    EXPECT_FALSE(actor.CreatePhysicsBody(2.0f, 2.0f, BODY_SENSOR, 0.0f, 0.0f));
    actor.SetPosition(5.0f, 7.0f);
    EXPECT_EQ(actor.GetPosition(), b2Vec2(5.0f, 7.0f));
    EXPECT_EQ(actor.GetCenter(), b2Vec2(9.0f, 10.0f));
    EXPECT_EQ(actor.GetWidth(), 0.0f);
    EXPECT_EQ(actor.GetHeight(), 0.0f);

    actor.AddToWorld(&world);
    EXPECT_TRUE(actor.HasBody());
    EXPECT_EQ(actor.GetWidth(), 8.0f);
    EXPECT_EQ(actor.GetHeight(), 6.0f);
    EXPECT_EQ(actor.GetPhysicsBody()->GetType(), BODY_TERRAIN);
}

TEST_F(PhysicsActorTest, DestroyingAnActorTellsTheOtherOwnerAndEmptiesTheWorld)
{
    cRecordingActor* sensorOwner = AddActor(KIND_STACK_SENSOR, -20.0f, -5.0f, 40.0f, 30.0f, BODY_SENSOR, 0.0f);
    AddTerrain(-50.0f, -10.0f, 100.0f, 10.0f);
    {
        cRecordingActor character(KIND_CHARACTER);
        character.CreatePhysicsBody(11.0f, 15.0f, BODY_PLATFORM, 1.0f, 0.5f);
        character.AddToWorld(&world);
        Step(3);
        ASSERT_GT(sensorOwner->Count(cRecordingActor::Added), 0);
        EXPECT_EQ(world.GetBodyCount(), 3);
    }
    EXPECT_EQ(world.GetBodyCount(), 2);
    EXPECT_EQ(sensorOwner->Count(cRecordingActor::Removed), sensorOwner->Count(cRecordingActor::Added));
}

TEST_F(PhysicsActorTest, RemovalAskedInAHandlerHappensAtTheNextUpdate)
{
    AddTerrain(-50.0f, -10.0f, 100.0f, 10.0f);
    cRecordingActor* character = AddCharacter(0.0f, 0.0f);
    character->leaveOnContact = true;
    Step();
    ASSERT_GT(character->Count(cRecordingActor::Added), 0);
    EXPECT_TRUE(character->HasBody());

    character->Update(20);
    EXPECT_FALSE(character->HasBody());
    EXPECT_EQ(world.GetBodyCount(), 1);
    Step();
}

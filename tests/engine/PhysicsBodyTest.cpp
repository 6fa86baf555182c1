// A physics body: its box in and out of a world, types, activity and nearness.
#include "PhysicsTestWorld.h"

#include "platform/physics/Body.h"
#include "platform/physics/Shape.h"

namespace {

class PhysicsBodyTest : public PhysicsTestWorld
{
};

}  // namespace

TEST_F(PhysicsBodyTest, CornerAndCentreInAndOutOfTheWorld)
{
    cPhysicsBody body(8.0f, 6.0f, BODY_TERRAIN, 0.0f, 0.5f, nullptr, false);
    body.SetPosition(10.0f, 20.0f);
    EXPECT_FALSE(body.IsInWorld());
    EXPECT_EQ(body.GetCenter(), b2Vec2(14.0f, 23.0f));

    body.CreateAtStoredPos(&world, false);
    ASSERT_TRUE(body.IsInWorld());
    EXPECT_EQ(body.GetBody()->GetPosition(), b2Vec2(14.0f, 23.0f));
    EXPECT_EQ(body.GetPosition(), b2Vec2(10.0f, 20.0f));
    EXPECT_EQ(body.GetCenter(), b2Vec2(14.0f, 23.0f));

    body.SetCenter(30.0f, 40.0f);
    EXPECT_EQ(body.GetPosition(), b2Vec2(26.0f, 37.0f));
    body.Destroy();
}

TEST_F(PhysicsBodyTest, DestroyKeepsTheLastCornerAndComesBackThereAtRest)
{
    AddTerrain(-100.0f, -20.0f, 200.0f, 10.0f);
    cRecordingActor* faller = AddActor(KIND_NONE, 0.0f, 50.0f, 10.0f, 10.0f, BODY_TERRAIN, 1.0f);
    Step(5);
    const b2Vec2 corner = faller->GetPosition();
    ASSERT_LT(corner.y, 50.0f);

    EXPECT_EQ(faller->GetPhysicsBody()->Destroy(), 0);
    EXPECT_EQ(faller->GetPhysicsBody()->Destroy(), 1);
    EXPECT_EQ(faller->GetPosition(), corner);
    EXPECT_FALSE(faller->HasBody());

    faller->AddToWorld(&world);
    EXPECT_EQ(faller->GetPosition(), corner);
    EXPECT_EQ(faller->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
}

TEST_F(PhysicsBodyTest, OnlyBodiesWithDensityFall)
{
    cRecordingActor* still = AddActor(KIND_NONE, 0.0f, 50.0f, 10.0f, 10.0f, BODY_TERRAIN, 0.0f);
    cRecordingActor* falling = AddActor(KIND_NONE, 50.0f, 50.0f, 10.0f, 10.0f, BODY_TERRAIN, 0.5f);
    Step(5);
    EXPECT_EQ(still->GetPosition().y, 50.0f);
    EXPECT_LT(falling->GetPosition().y, 50.0f);
    EXPECT_NEAR(falling->GetPhysicsBody()->GetMass(), 0.5f * 100.0f, 0.01f);
}

TEST_F(PhysicsBodyTest, ACharacterNeverRotates)
{
    AddTerrain(0.0f, 0.0f, 50.0f, 10.0f);
    // Landing half over the edge, and pushed off-centre by the landing, it still keeps its angle.
    cRecordingActor* character = AddCharacter(45.0f, 30.0f);
    for (int i = 0; i < 44; ++i) {
        character->GetPhysicsBody()->ApplyImpulse(3.0f, 0.0f);
        Step();
        ASSERT_EQ(character->GetPhysicsBody()->GetBody()->GetAngle(), 0.0f);
    }
}

class SleepByType : public PhysicsTestWorld, public ::testing::WithParamInterface<std::pair<int, bool>>
{
};

TEST_P(SleepByType, OnlyTypesFourAndFiveStayAwake)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    cRecordingActor* box = AddActor(KIND_CHARACTER, 0.0f, 0.0f, 10.0f, 10.0f, GetParam().first, 1.0f);
    Step(88);
    EXPECT_EQ(box->GetPhysicsBody()->GetBody()->IsSleeping(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Types, SleepByType,
                         ::testing::Values(std::make_pair(BODY_TERRAIN, true), std::make_pair(BODY_PLATFORM, true),
                                           std::make_pair(BODY_BAT_KING_ONLY, false),
                                           std::make_pair(BODY_BAT_KING_PLATFORM, false)));

TEST_F(PhysicsBodyTest, SetActiveLeavesTypeSixInTheWorld)
{
    cPhysicsBody* switched = AddTerrain(0.0f, 0.0f, 10.0f, 10.0f, BODY_BAT_SWITCHED);
    cPhysicsBody* ordinary = AddTerrain(20.0f, 0.0f, 10.0f, 10.0f, BODY_TERRAIN);
    switched->SetActive(true, &world);
    switched->SetActive(false, &world);
    EXPECT_TRUE(switched->IsInWorld());
    EXPECT_FALSE(switched->IsActive());

    ASSERT_FALSE(ordinary->GetBody()->IsBullet());
    ordinary->SetActive(false, &world);
    EXPECT_FALSE(ordinary->IsInWorld());
    ordinary->SetActive(true, &world);
    EXPECT_TRUE(ordinary->IsInWorld());
    EXPECT_TRUE(ordinary->IsActive());
    EXPECT_TRUE(ordinary->GetBody()->IsBullet());
    EXPECT_EQ(ordinary->GetPosition(), b2Vec2(20.0f, 0.0f));
}

TEST_F(PhysicsBodyTest, SetTypeSwitchesOnlyBetweenSensorAndSolid)
{
    cPhysicsBody* sensor = AddTerrain(0.0f, 0.0f, 10.0f, 10.0f, BODY_SENSOR);
    ASSERT_TRUE(sensor->GetBody()->GetShapeList()->IsSensor());
    sensor->SetType(BODY_PLATFORM);
    EXPECT_FALSE(sensor->GetBody()->GetShapeList()->IsSensor());
    EXPECT_EQ(sensor->GetType(), BODY_PLATFORM);

    cPhysicsBody* solid = AddTerrain(20.0f, 0.0f, 10.0f, 10.0f, BODY_TERRAIN);
    solid->SetType(BODY_PLATFORM);
    EXPECT_EQ(solid->GetType(), BODY_TERRAIN);
    solid->SetType(BODY_SENSOR);
    EXPECT_TRUE(solid->GetBody()->GetShapeList()->IsSensor());
    EXPECT_EQ(solid->GetType(), BODY_SENSOR);
}

struct NearCase
{
    const char* name;
    float x, y, margin;
    bool near;
};

class IsNearTable : public ::testing::TestWithParam<NearCase>
{
};

TEST_P(IsNearTable, StrictlyWithinTheGrownBox)
{
    // 10 × 6 at (0, 0): centre (5, 3).
    const cPhysicsBody body(10.0f, 6.0f, BODY_TERRAIN, 0.0f, 0.5f, nullptr, false);
    EXPECT_EQ(body.IsNear(GetParam().x, GetParam().y, GetParam().margin), GetParam().near);
}

INSTANTIATE_TEST_SUITE_P(Cases, IsNearTable,
                         ::testing::Values(NearCase{"centre", 5.0f, 3.0f, 0.0f, true},
                                           NearCase{"rightEdgeNoMargin", 10.0f, 3.0f, 0.0f, false},
                                           NearCase{"topEdgeNoMargin", 5.0f, 6.0f, 0.0f, false},
                                           NearCase{"rightEdgeWithMargin", 10.0f, 3.0f, 0.5f, true},
                                           NearCase{"beyondMargin", 11.0f, 3.0f, 0.5f, false},
                                           NearCase{"belowWithMargin", 5.0f, -1.9f, 2.0f, true}),
                         [](const ::testing::TestParamInfo<NearCase>& info) { return info.param.name; });

TEST_F(PhysicsBodyTest, ContactsOfOwnerlessTerrainReachTheCharacterOnly)
{
    cPhysicsBody* ground = AddTerrain(-50.0f, -10.0f, 100.0f, 10.0f);
    cRecordingActor* character = AddCharacter(0.0f, 0.0f);
    Step(3);
    EXPECT_GT(character->Count(cRecordingActor::Added, ground), 0);
    ground->DispatchContactAdd(character->GetPhysicsBody(), nullptr);
    ground->DispatchContactRemove(character->GetPhysicsBody());
}

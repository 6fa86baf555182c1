// The game's collision rules: tables for the platform and stacking tests, and scenarios stepped in
// a world for each rule's consequence.
#include "PhysicsTestWorld.h"

#include "platform/physics/Body.h"

namespace {

class ContactFilterTest : public PhysicsTestWorld
{
protected:
    bool Collide(cPhysicsBody* a, cPhysicsBody* b)
    {
        return filter.ShouldCollide(a->GetBody()->GetShapeList(), b->GetBody()->GetShapeList());
    }
};

struct PlatformCase
{
    const char* name;
    float x, y, vx, vy;
    bool lands;
};

class PlatformTable : public PhysicsTestWorld, public ::testing::WithParamInterface<PlatformCase>
{
};

}  // namespace

TEST_P(PlatformTable, ShouldCollideWithPlatform)
{
    // 50 × 5 at (0, 0): top 5, right end 50. The character is 11 wide.
    const cPhysicsBody platform(50.0f, 5.0f, BODY_PLATFORM, 0.0f, 0.5f, nullptr, false);
    cRecordingActor* character = AddCharacter(GetParam().x, GetParam().y);
    character->SetLinearVelocity(GetParam().vx, GetParam().vy);
    EXPECT_EQ(filter.ShouldCollideWithPlatform(&platform, character), GetParam().lands);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlatformTable,
    ::testing::Values(PlatformCase{"standingOnIt", 10.0f, 5.02f, 0.0f, 0.0f, true},
                      PlatformCase{"restingJustAbove", 10.0f, 5.05f, 0.0f, 0.0f, false},
                      PlatformCase{"risingFromBelow", 10.0f, 3.0f, 0.0f, 50.0f, false},
                      PlatformCase{"walkingAtTheTop", 10.0f, 5.005f, 30.0f, 0.0f, true},
                      PlatformCase{"walkingBelowTheTop", 10.0f, 4.0f, 30.0f, 0.0f, false},
                      PlatformCase{"fallingStraightBesideLeftEnd", -11.0f, 4.0f, 0.0f, -50.0f, false},
                      PlatformCase{"fallingStraightBesideRightEnd", 49.995f, 4.0f, 0.0f, -50.0f, false},
                      PlatformCase{"fallingStraightOverTheEnd", -10.5f, 4.0f, 0.0f, -50.0f, true},
                      PlatformCase{"fallingFromAbove", 10.0f, 6.0f, 0.0f, -50.0f, true},
                      PlatformCase{"diagonalFromBeyondRightEnd", 50.0f, 2.0f, -100.0f, -100.0f, false},
                      PlatformCase{"diagonalCrossingOnIt", 45.0f, 2.0f, -100.0f, -100.0f, true},
                      PlatformCase{"diagonalFromBeyondLeftEnd", -10.5f, 2.0f, 100.0f, -100.0f, false},
                      PlatformCase{"diagonalJustWithinLeftReach", -10.0f, 2.0f, 100.0f, -100.0f, true}),
    [](const ::testing::TestParamInfo<PlatformCase>& info) { return info.param.name; });

namespace {

struct StackCase
{
    const char* name;
    float upperX, upperY, upperVx, upperVy, lowerVx;
    bool stacks;
};

class StackTable : public PhysicsTestWorld, public ::testing::WithParamInterface<StackCase>
{
};

}  // namespace

TEST_P(StackTable, ShouldCollideCharacters)
{
    // The lower character stands at (0, 0); its top is at 15.
    cRecordingActor* lower = AddCharacter(0.0f, 0.0f);
    cRecordingActor* upper = AddCharacter(GetParam().upperX, GetParam().upperY);
    lower->SetLinearVelocity(GetParam().lowerVx, 0.0f);
    upper->SetLinearVelocity(GetParam().upperVx, GetParam().upperVy);
    EXPECT_EQ(filter.ShouldCollideCharacters(upper->GetPhysicsBody(), lower->GetPhysicsBody()), GetParam().stacks);
    EXPECT_EQ(filter.ShouldCollideCharacters(lower->GetPhysicsBody(), upper->GetPhysicsBody()), GetParam().stacks);
}

INSTANTIATE_TEST_SUITE_P(Cases, StackTable,
                         ::testing::Values(StackCase{"droppingFastWithinReach", 0.0f, 11.0f, 0.0f, -20.0f, 0.0f, true},
                                           StackCase{"droppingFastTooDeep", 0.0f, 10.0f, 0.0f, -20.0f, 0.0f, false},
                                           StackCase{"restingOnTop", 0.0f, 15.005f, 0.0f, 0.0f, 0.0f, true},
                                           StackCase{"restingTooHigh", 0.0f, 15.02f, 0.0f, 0.0f, 0.0f, false},
                                           StackCase{"rising", 0.0f, 15.0f, 0.0f, 5.0f, 0.0f, false},
                                           StackCase{"bothWalking", 5.0f, 15.005f, 10.0f, 0.0f, -10.0f, false},
                                           StackCase{"upperWalkingOnStill", 5.0f, 15.005f, 10.0f, 0.0f, 0.0f, true}),
                         [](const ::testing::TestParamInfo<StackCase>& info) { return info.param.name; });

namespace {

struct BatCase
{
    const char* name;
    int type;
    bool batKing;
    bool active;
    bool collides;
};

class BatTable : public ContactFilterTest, public ::testing::WithParamInterface<std::tuple<BatCase, bool>>
{
};

}  // namespace

TEST_P(BatTable, TypesFourFiveAndSixAskThePassThroughTest)
{
    const BatCase& row = std::get<0>(GetParam());
    cPhysicsBody* body = AddTerrain(0.0f, 0.0f, 50.0f, 5.0f, row.type);
    if (row.type == BODY_BAT_SWITCHED)
        body->SetActive(row.active, &world);
    // Standing still exactly on top of it.
    cRecordingActor* character = AddCharacter(10.0f, 5.0f, row.batKing);
    cPhysicsBody* other = character->GetPhysicsBody();
    const bool characterFirst = std::get<1>(GetParam());
    EXPECT_EQ(characterFirst ? Collide(other, body) : Collide(body, other), row.collides);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatTable,
    ::testing::Combine(::testing::Values(BatCase{"fourForBatKing", BODY_BAT_KING_ONLY, true, false, true},
                                         BatCase{"fourForOthers", BODY_BAT_KING_ONLY, false, false, false},
                                         BatCase{"fiveForBatKing", BODY_BAT_KING_PLATFORM, true, false, true},
                                         BatCase{"fiveForOthers", BODY_BAT_KING_PLATFORM, false, false, false},
                                         BatCase{"sixInactiveForBatKing", BODY_BAT_SWITCHED, true, false, false},
                                         BatCase{"sixActiveForBatKing", BODY_BAT_SWITCHED, true, true, false},
                                         BatCase{"sixInactiveForOthers", BODY_BAT_SWITCHED, false, false, true},
                                         BatCase{"sixActiveForOthers", BODY_BAT_SWITCHED, false, true, false}),
                       ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<BatCase, bool>>& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "CharacterFirst" : "BodyFirst");
    });

TEST_F(ContactFilterTest, OnlyCharactersCollideAndKindTwelveWithNothing)
{
    cPhysicsBody* ground = AddTerrain(-50.0f, -10.0f, 100.0f, 10.0f);
    cRecordingActor* character = AddCharacter(0.0f, 0.0f);
    cRecordingActor* heart = AddActor(KIND_HEART, 20.0f, 0.0f, 8.0f, 8.0f, BODY_TERRAIN, 0.0f);
    cRecordingActor* fly = AddActor(KIND_NEVER_COLLIDES, 0.0f, 0.0f, 8.0f, 8.0f, BODY_TERRAIN, 0.0f);
    cPhysicsBody strange(10.0f, 10.0f, BODY_TERRAIN, 0.0f, 0.5f, nullptr, false);
    strange.CreateInWorld(&world, 0.0f, 0.0f, false);
    strange.GetBody()->SetUserData(nullptr);

    EXPECT_TRUE(Collide(character->GetPhysicsBody(), ground));
    EXPECT_TRUE(Collide(heart->GetPhysicsBody(), character->GetPhysicsBody()));
    EXPECT_FALSE(Collide(heart->GetPhysicsBody(), ground));
    EXPECT_FALSE(Collide(fly->GetPhysicsBody(), character->GetPhysicsBody()));
    EXPECT_FALSE(Collide(character->GetPhysicsBody(), fly->GetPhysicsBody()));
    EXPECT_FALSE(filter.ShouldCollide(strange.GetBody()->GetShapeList(), character->GetPhysicsBody()->GetBody()->GetShapeList()));
    strange.GetBody()->SetUserData(&strange);
    strange.Destroy();
}

TEST_F(ContactFilterTest, HeartFallsThroughTerrainButMeetsACharacter)
{
    AddTerrain(-50.0f, -10.0f, 100.0f, 10.0f);
    cRecordingActor* character = AddCharacter(0.0f, 0.0f);
    cRecordingActor* onTerrain = AddActor(KIND_HEART, 30.0f, 20.0f, 8.0f, 8.0f, BODY_TERRAIN, 1.0f);
    cRecordingActor* onCharacter = AddActor(KIND_HEART, 1.0f, 25.0f, 8.0f, 8.0f, BODY_TERRAIN, 1.0f);
    Step(44);
    EXPECT_LT(onTerrain->GetPosition().y, -20.0f);
    EXPECT_NEAR(onCharacter->Bottom(), character->Top(), 0.03f);
    EXPECT_GT(onCharacter->Count(cRecordingActor::Added, character->GetPhysicsBody()), 0);
    EXPECT_GT(character->Count(cRecordingActor::Added, onCharacter->GetPhysicsBody()), 0);
}

TEST_F(ContactFilterTest, KindTwelveFallsThroughEverything)
{
    AddTerrain(-50.0f, -10.0f, 100.0f, 10.0f);
    cRecordingActor* character = AddCharacter(0.0f, 0.0f);
    cRecordingActor* fly = AddActor(KIND_NEVER_COLLIDES, 1.0f, 25.0f, 8.0f, 8.0f, BODY_TERRAIN, 1.0f);
    Step(44);
    EXPECT_LT(fly->GetPosition().y, -20.0f);
    EXPECT_TRUE(fly->heard.empty());
    EXPECT_EQ(character->Count(cRecordingActor::Added, fly->GetPhysicsBody()), 0);
}

TEST_F(ContactFilterTest, CharacterJumpsUpThroughAPlatformAndLandsBackOnIt)
{
    AddTerrain(-50.0f, -10.0f, 100.0f, 10.0f);
    cPhysicsBody* platform = AddTerrain(-20.0f, 25.0f, 40.0f, 5.0f, BODY_PLATFORM);
    cRecordingActor* character = AddCharacter(0.0f, 0.0f);
    Step(5);
    character->SetLinearVelocity(0.0f, 190.0f);
    float highest = 0.0f;
    for (int i = 0; i < 66; ++i) {
        Step();
        highest = std::max(highest, character->Bottom());
    }
    EXPECT_GT(highest, 30.0f);
    EXPECT_NEAR(character->Bottom(), 30.0f, 0.03f);
    EXPECT_GT(character->Count(cRecordingActor::Added, platform), 0);
}

TEST_F(ContactFilterTest, DiagonalFallFromBeyondThePlatformsEndPassesThrough)
{
    AddTerrain(-50.0f, -10.0f, 200.0f, 10.0f);
    AddTerrain(0.0f, 40.0f, 50.0f, 5.0f, BODY_PLATFORM);
    // From beyond the right end the bottom crosses the top's height past the end: it falls past.
    cRecordingActor* passing = AddCharacter(60.0f, 48.0f);
    passing->SetLinearVelocity(-100.0f, -100.0f);
    // Crossing the top's height above the platform, it lands.
    cRecordingActor* landing = AddCharacter(30.0f, 48.0f);
    landing->SetLinearVelocity(-20.0f, -100.0f);
    Step(22);
    EXPECT_NEAR(passing->Bottom(), 0.0f, 0.03f);
    EXPECT_NEAR(landing->Bottom(), 45.0f, 0.03f);
}

TEST_F(ContactFilterTest, CharactersSideBySideNeverCollide)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    cRecordingActor* left = AddCharacter(0.0f, 0.0f);
    cRecordingActor* right = AddCharacter(30.0f, 0.0f);
    Step(3);
    for (int i = 0; i < 22; ++i) {
        left->SetLinearVelocity(40.0f, left->GetLinearVelocity().y);
        right->SetLinearVelocity(-40.0f, right->GetLinearVelocity().y);
        Step();
    }
    EXPECT_GT(left->GetPosition().x, right->GetPosition().x);
    EXPECT_NEAR(left->Bottom(), 0.0f, 0.03f);
    EXPECT_NEAR(right->Bottom(), 0.0f, 0.03f);
    EXPECT_EQ(left->Count(cRecordingActor::Added, right->GetPhysicsBody()), 0);
}

TEST_F(ContactFilterTest, ADroppingCharacterStacksOnAStandingOne)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    cRecordingActor* lower = AddCharacter(0.0f, 0.0f);
    cRecordingActor* upper = AddCharacter(2.0f, 30.0f);
    Step(66);
    EXPECT_NEAR(lower->Bottom(), 0.0f, 0.03f);
    EXPECT_NEAR(upper->Bottom(), lower->Top(), 0.03f);
    EXPECT_GT(upper->Count(cRecordingActor::Added, lower->GetPhysicsBody()), 0);
}

// What touching things does to a character, in a real world through the physics layer: killing
// terrain, landing, standing on each other, head-jumps, drops by a firefly and bodies
// that push.
#include "CharacterWorld.h"

#include "actors/CharacterContact.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

class CharacterContactsTest : public CharacterWorld
{
protected:
    /// `character` (brown unless named) stands on ground whose top is at y = 0; `upper` (orange,
    /// or the antler form) is placed at (upperX, upperY).
    void PlaceBoth(float upperX, float upperY, const char* lower = "brown")
    {
        PlaceOnGround(lower);
        upper = Load("orange");
        upper->Reset();
        upper->Init(&world, upperX, upperY);
    }

    /// One tick of both characters, the world's step, then the actions.
    void TickBoth(const std::function<void()>& actions = {})
    {
        upper->Update(kTick);
        Tick(actions);
    }

    /// Ticks both until the condition holds (at most limit ticks); whether it came.
    bool TickBothUntil(const std::function<bool()>& condition, int limit = 200)
    {
        for (int t = 0; t < limit; ++t) {
            if (condition())
                return true;
            TickBoth();
        }
        return condition();
    }

    /// Ticks the character alone until the condition holds (at most limit ticks).
    bool TickUntil(const std::function<bool()>& condition, int limit = 200)
    {
        for (int t = 0; t < limit && !condition(); ++t)
            Tick();
        return condition();
    }

    /// Takes the character and the terrain out, for a case of a loop to start afresh.
    void ClearWorld()
    {
        character.reset();
        for (std::unique_ptr<cPhysicsBody>& body : terrain)
            body->Destroy();
        terrain.clear();
        assets.sounds.Take();
    }

    std::unique_ptr<cPlayerChar> upper;
};

// ---- killing terrain

struct sDeadly
{
    const char* name;
    int type;
    bool fromSide;
    int effect;
    float volume;
};

class DeadlyTerrainTest : public CharacterContactsTest, public ::testing::WithParamInterface<sDeadly>
{
};

TEST_P(DeadlyTerrainTest, KillsWithItsSoundAndTheCharacterComesBack)
{
    const sDeadly& d = GetParam();
    AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
    character = Load("brown");
    character->Reset();
    if (d.fromSide) {
        // A wall of spikes to the right of a walking character.
        AddTerrain(30.0f, 0.0f, 10.0f, 20.0f, d.type);
        character->Init(&world, 0.0f, 0.0f);
    } else {
        // A bed of spikes under a falling character.
        AddTerrain(-20.0f, 0.0f, 40.0f, 4.0f, d.type);
        character->Init(&world, 0.0f, 30.0f);
    }
    const int bodies = world.GetBodyCount();
    ASSERT_TRUE(TickUntil([&] {
        if (d.fromSide)
            character->Walk(FACING_RIGHT);
        return character->GetState() == PLAYER_DIE;
    }));
    EXPECT_FALSE(character->IsPresent());
    ASSERT_EQ(assets.sounds.played.size(), 1u);
    EXPECT_EQ(assets.sounds.played[0].id, d.effect);
    EXPECT_FLOAT_EQ(assets.sounds.played[0].volume, d.volume);
    assets.sounds.Take();

    // The next update reports the death with respawn and the body is gone.
    EXPECT_EQ(Tick(), 10);
    EXPECT_FALSE(character->HasBody());
    EXPECT_EQ(world.GetBodyCount(), bodies - 1);
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_DIE);
    const auto [ticks, result] = TickUntilResult(200);
    EXPECT_EQ(result, -1);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());

    // The area queues it again: it comes back whole at the start.
    character->Reset();
    character->Init(&world, -150.0f, 0.0f);
    for (int t = 0; t < 20; ++t)
        EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_TRUE(character->IsPresent());
    EXPECT_TRUE(character->IsActive());
    EXPECT_NEAR(character->GetPosition().y, 0.0f, 0.03f);
}

INSTANTIATE_TEST_SUITE_P(Terrain, DeadlyTerrainTest,
                         ::testing::Values(sDeadly{"SpikesBelow", BODY_DEADLY, false, 40, 0.4f},
                                           sDeadly{"WaterBelow", BODY_DEADLY_2, false, 41, 0.2f},
                                           sDeadly{"SpikesAside", BODY_DEADLY, true, 40, 0.4f},
                                           sDeadly{"WaterAside", BODY_DEADLY_2, true, 41, 0.2f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterContactsTest, NothingTouchesACharacterOnItsWayOut)
{
    PlaceOnGround();
    cPhysicsBody spikes(10.0f, 10.0f, BODY_DEADLY, 0.0f, 0.5f, nullptr, false);
    spikes.SetPosition(0.0f, -10.0f);
    character->Die(false);
    character->OnContactAdd(&spikes, nullptr);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    // No respawn was asked: only the end of the animation is reported.
    const auto [ticks, result] = TickUntilResult(200);
    EXPECT_EQ(result, -1);

    character->Reset();
    character->Init(&world, 0.0f, 0.0f);
    character->Metamorphose();
    character->OnContactAdd(&spikes, nullptr);
    EXPECT_EQ(character->GetState(), PLAYER_METAMORPHOSIS);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(59));
}

// ---- drops by a firefly

TEST_F(CharacterContactsTest, DroppedIntoTerrainDiesAndOtherwiseIsPushedOut)
{
    for (const bool dropped : {false, true}) {
        SCOPED_TRACE(dropped);
        PlaceOnGround();
        // Placed a little into the ground, as a firefly may let go of it.
        character->Reset();
        character->Init(&world, 0.0f, -2.0f);
        character->SetDroppedThisTick(dropped);
        Tick();
        if (dropped) {
            EXPECT_EQ(character->GetState(), PLAYER_DIE);
            EXPECT_FALSE(character->IsDroppedThisTick());
            ASSERT_EQ(assets.sounds.played.size(), 1u);
            EXPECT_EQ(assets.sounds.played[0].id, 40);
            EXPECT_FLOAT_EQ(assets.sounds.played[0].volume, 0.2f);
            EXPECT_EQ(Tick(), 10);
        } else {
            for (int t = 0; t < 20; ++t)
                Tick();
            EXPECT_NE(character->GetState(), PLAYER_DIE);
            EXPECT_NEAR(character->GetPosition().y, 0.0f, 0.05f);
        }
        ClearWorld();
    }
}

TEST_F(CharacterContactsTest, DroppedOntoAnotherCharacterLands)
{
    PlaceBoth(0.0f, 24.0f);
    upper->SetDroppedThisTick(true);
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_LAND; }));
    EXPECT_NEAR(upper->GetPosition().y, 15.0f, 0.1f);
    EXPECT_TRUE(character->IsPresent());
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(1));
}

// ---- what counts as ground

struct sTouch
{
    const char* name;
    float x, y;   // the other box's corner; the character is 11 x 15 at (0, 0)
    bool overlapsX;
    bool underFeet;
};

class TouchTest : public CharacterContactsTest, public ::testing::WithParamInterface<sTouch>
{
};

TEST_P(TouchTest, SideTouchesAreNoGround)
{
    const sTouch& t = GetParam();
    PlaceOnGround();
    cPhysicsBody box(10.0f, 10.0f, BODY_TERRAIN, 0.0f, 0.5f, nullptr, false);
    box.SetPosition(t.x, t.y);
    const cCharacterContact contact(*character, box);
    EXPECT_EQ(contact.OverlapsX(), t.overlapsX);
    EXPECT_EQ(contact.IsUnderFeet(), t.underFeet);
}

INSTANTIATE_TEST_SUITE_P(Boxes, TouchTest,
                         ::testing::Values(sTouch{"RightEdgeOnly", 10.995f, -10.0f, false, true},
                                           sTouch{"RightOverlap", 10.97f, -10.0f, true, true},
                                           sTouch{"LeftEdgeOnly", -9.995f, -10.0f, false, true},
                                           sTouch{"LeftOverlap", -9.97f, -10.0f, true, true},
                                           sTouch{"TopJustBelowReach", 0.0f, -8.1f, true, true},
                                           sTouch{"TopAboveReach", 0.0f, -7.9f, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterContactsTest, BodiesOfTypeSixPushTheCharacterAway)
{
    PlaceOnGround();
    for (const float side : {1.0f, -1.0f}) {
        cPhysicsBody wall(11.0f, 15.0f, BODY_BAT_SWITCHED, 0.0f, 0.5f, nullptr, false);
        wall.SetPosition(side * 11.0f, 0.0f);
        character->SetLinearVelocity(20.0f * side, 7.0f);
        character->OnContactAdd(&wall, nullptr);
        EXPECT_NEAR(character->GetLinearVelocity().x, -3.0f * side, 1e-4f);
        EXPECT_NEAR(character->GetLinearVelocity().y, 7.0f, 1e-4f);
    }
}

// ---- standing on each other

TEST_F(CharacterContactsTest, OneOnTopHoldsTheIdlesBelowAndIsLeftBehindWhenTheLowerWalks)
{
    PlaceBoth(0.0f, 30.0f);
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_LAND; }));
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(1));
    EXPECT_GE(character->GetCarried(), 1);
    EXPECT_EQ(upper->GetCarried(), 0);

    // Long enough for an idle of either: the lower one never plays one while carrying, the one
    // on top does.
    bool upperIdled = false;
    for (int t = 0; t < 500; ++t) {
        TickBoth();
        ASSERT_LT(character->GetAnimationIndex(), ANIM_IDLE_YAWN);
        const int shown = upper->GetAnimationIndex();
        upperIdled = upperIdled || (shown >= ANIM_IDLE_YAWN && shown <= ANIM_IDLE_LOOK);
    }
    EXPECT_TRUE(upperIdled);
    EXPECT_NEAR(upper->GetPosition().y, 15.0f, 0.03f);

    // The lower one walks away: nothing takes the one on top along; it comes down where it stood.
    const float stoodAt = upper->GetPosition().x;
    for (int t = 0; t < 60; ++t) {
        TickBoth([&] { character->Walk(FACING_RIGHT); });
        ASSERT_NEAR(upper->GetPosition().x, stoodAt, 0.5f) << t;
    }
    EXPECT_GT(character->GetPosition().x, 60.0f);
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_STAND; }));
    EXPECT_NEAR(upper->GetPosition().y, 0.0f, 0.03f);
    EXPECT_EQ(character->GetCarried(), 0);

    // Nobody on it any more: its idles come back.
    EXPECT_TRUE(TickBothUntil([&] { return character->GetAnimationIndex() >= ANIM_IDLE_YAWN; }, 600));
}

TEST_F(CharacterContactsTest, RiderWalksOnItsOwnAndFallsOffTheEdge)
{
    PlaceBoth(0.0f, 30.0f);
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_LAND; }));
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_STAND; }));
    ASSERT_TRUE(TickBothUntil([&] {
        upper->Walk(FACING_LEFT);
        return upper->GetState() == PLAYER_FALL;
    }));
    EXPECT_LT(upper->GetPosition().x, -10.0f);
    EXPECT_EQ(character->GetPosition().x, 0.0f);
    EXPECT_EQ(character->GetCarried(), 0);
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_STAND; }));
    EXPECT_NEAR(upper->GetPosition().y, 0.0f, 0.03f);
}

TEST_F(CharacterContactsTest, OneOnTopOfACharacterThatGoesComesDown)
{
    PlaceBoth(0.0f, 30.0f);
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_LAND; }));
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_STAND; }));
    character.reset();
    for (int t = 0; t < 60; ++t)
        upper->Update(kTick), Step();
    EXPECT_NEAR(upper->GetPosition().y, 0.0f, 0.03f);
}

// ---- head-jumps

struct sSquashed
{
    const char* lower;
    int cry;
};

class HeadJumpedTest : public CharacterContactsTest, public ::testing::WithParamInterface<sSquashed>
{
};

TEST_P(HeadJumpedTest, HeadJumpSquashesTheLowerOneWithItsCry)
{
    PlaceBoth(0.0f, 45.0f, GetParam().lower);
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_FALL; }));
    upper->HeadJump();
    ASSERT_TRUE(TickBothUntil([&] { return upper->GetState() == PLAYER_LAND; }));

    EXPECT_EQ(character->GetState(), PLAYER_LAND);
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_HEAD_JUMPED_ON);
    EXPECT_EQ(character->GetFacing(), FACING_NONE);
    EXPECT_EQ(upper->GetAnimationIndex(), ANIM_HEAD_JUMP);
    // Only the cry: no landing sound of either, and no pop for landing on a character.
    ASSERT_EQ(assets.sounds.played.size(), 1u);
    EXPECT_EQ(assets.sounds.played[0].id, GetParam().cry);
    EXPECT_FLOAT_EQ(assets.sounds.played[0].volume, 0.7f);
    assets.sounds.Take();

    // Squashed once only: a landing one cannot be head-jumped again.
    ASSERT_TRUE(upper->IsHeadJumping());
    character->OnContactAdd(upper->GetPhysicsBody(), nullptr);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());

    // The squashed picture lasts 400 ms, then it stands again.
    int ticks = 0;
    while (character->GetState() == PLAYER_LAND && ticks < 100) {
        TickBoth();
        ++ticks;
    }
    EXPECT_GE(ticks * kTick, 400);
    EXPECT_LE(ticks * kTick, 440);
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_NEAR(upper->GetPosition().y, 15.0f, 0.03f);
}

INSTANTIATE_TEST_SUITE_P(Characters, HeadJumpedTest,
                         ::testing::Values(sSquashed{"brown", 72}, sSquashed{"orange", 73}, sSquashed{"gray", 74}),
                         [](const auto& info) { return std::string(info.param.lower); });

struct sGround
{
    const char* name;
    int kind;    // KIND_NONE: terrain without owner
    bool pops;
};

class HeadJumpGroundTest : public CharacterContactsTest, public ::testing::WithParamInterface<sGround>
{
};

TEST_P(HeadJumpGroundTest, HeadJumpPopsOnTerrainAndHeartBoxesOnly)
{
    const sGround& g = GetParam();
    if (g.kind == KIND_NONE)
        AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
    else
        AddActor(g.kind, -200.0f, -10.0f, 400.0f, 10.0f, BODY_TERRAIN, 0.0f);
    character = Load("gray");
    character->Reset();
    character->Init(&world, 0.0f, 0.0f);
    Tick([&] { character->Jump(true); });
    ASSERT_TRUE(character->IsHeadJumping());
    ASSERT_TRUE(TickUntil([&] { return character->GetState() == PLAYER_LAND; }));
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_HEAD_JUMP);
    // A pop for each point at which the ground is touched: a box landing flat touches at two.
    if (g.pops)
        EXPECT_THAT(assets.sounds.Take(), ElementsAre(0, 5, 5));
    else
        EXPECT_THAT(assets.sounds.Take(), ElementsAre(0));
}

INSTANTIATE_TEST_SUITE_P(Grounds, HeadJumpGroundTest,
                         ::testing::Values(sGround{"Terrain", KIND_NONE, true}, sGround{"EmitterBox", KIND_EMITTER_BOX, true},
                                           sGround{"ReceiverBox", KIND_RECEIVER_BOX, true},
                                           sGround{"FallingRock", KIND_FALLING_ROCK, true},
                                           sGround{"StackBox", KIND_STACK_BOX, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterContactsTest, FormLandingFromAHeadJumpTurnsBack)
{
    for (const bool headJump : {false, true}) {
        SCOPED_TRACE(headJump);
        PlaceOnGround("antler", true);
        Tick([&] { character->Jump(headJump); });
        ASSERT_TRUE(TickUntil([&] { return character->GetState() == PLAYER_LAND || character->GetState() == PLAYER_METAMORPHOSIS; }));
        if (headJump) {
            EXPECT_EQ(character->GetState(), PLAYER_METAMORPHOSIS);
            EXPECT_THAT(assets.sounds.Take(), ElementsAre(0, 60, 5));
            EXPECT_EQ(TickUntilResult(200).second, 4);
        } else {
            EXPECT_THAT(assets.sounds.Take(), ElementsAre(0, 28));
        }
        ClearWorld();
    }
}

TEST_F(CharacterContactsTest, FormThatMayNotChangeLandsFromAHeadJump)
{
    PlaceOnGround("antler", true);
    character->SetMayMetamorphose(false);
    Tick([&] { character->Jump(true); });
    ASSERT_TRUE(TickUntil([&] { return character->GetState() == PLAYER_LAND; }));
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(0, 5, 5));
}

} // namespace

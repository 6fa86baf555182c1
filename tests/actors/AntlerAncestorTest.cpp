// The antler form in a real world: one jump more in the air and no third, the fall an air jump
// cancels, no jump at all without a body, and the hints that count air jumps.
#include "CharacterWorld.h"

#include "actors/AntlerAncestor.h"
#include "actors/CharacterMotion.h"
#include "actors/CharacterSounds.h"
#include "engine/Animation.h"
#include "engine/Controls.h"
#include "engine/HintBubble.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kSfxCrystal = 9;

class AntlerAncestorTest : public CharacterWorld
{
protected:
    /// The antler standing on 400 units of ground whose top is at y = 0.
    void PlaceOnGround()
    {
        AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
        antler = Place<cAntlerAncestor>(CharacterFile("antler"), 0.0f, 0.0f);
        Tick();
        assets.sounds.Take();
    }
    /// Ticks until the antler stands or lands again (at most limit ticks); the highest its bottom
    /// rose on the way.
    float TickUntilLanded(int limit = 200)
    {
        float top = antler->GetPosition().y;
        for (int t = 0; t < limit && antler->GetState() != PLAYER_LAND && antler->GetState() != PLAYER_STAND; ++t) {
            Tick();
            top = std::max(top, antler->GetPosition().y);
        }
        return top;
    }
    float Vy() const { return antler->GetLinearVelocity().y; }

    cAntlerAncestor* antler = nullptr;
};

TEST_F(AntlerAncestorTest, JumpsOnceMoreInTheAirAndNotTwice)
{
    PlaceOnGround();
    EXPECT_TRUE(antler->IsAncestorForm());
    EXPECT_EQ(antler->GetId(), 0);

    // A single jump, for the height to compare with.
    antler->Jump(false);
    EXPECT_NEAR(Vy(), cAntlerAncestor::kMaxRiseSpeed, 0.5f);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(SFX_JUMP));
    const float singleTop = TickUntilLanded();
    EXPECT_TRUE(antler->IsAirJumpArmed());
    for (int t = 0; t < 20; ++t)
        Tick();

    antler->Jump(false);
    assets.sounds.Take();
    for (int t = 0; t < 8; ++t)
        Tick();
    ASSERT_EQ(antler->GetState(), PLAYER_JUMP);
    const b2Vec2 corner = antler->GetPosition();
    antler->Jump(false);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(kSfxCrystal));
    EXPECT_FALSE(antler->IsAirJumpArmed());
    EXPECT_TRUE(antler->AreStarsShowing());
    EXPECT_EQ(antler->GetStarPosition().x, corner.x);
    EXPECT_EQ(antler->GetStarPosition().y, corner.y);
    // Still rising, yet the second jump adds nothing beyond the fastest rise.
    EXPECT_NEAR(Vy(), cAntlerAncestor::kMaxRiseSpeed, 0.5f);
    EXPECT_EQ(antler->GetState(), PLAYER_JUMP);

    for (int t = 0; t < 8; ++t)
        Tick();
    const float before = Vy();
    antler->Jump(false);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    EXPECT_EQ(Vy(), before);

    const float doubleTop = TickUntilLanded();
    EXPECT_GT(doubleTop, singleTop + 15.0f);
    EXPECT_TRUE(antler->IsAirJumpArmed());
    EXPECT_FALSE(antler->AreStarsShowing());
    EXPECT_NEAR(antler->GetPosition().y, 0.0f, 0.05f);
}

TEST_F(AntlerAncestorTest, AirJumpAfterAFallCancelsTheFallFirst)
{
    AddTerrain(-200.0f, -400.0f, 400.0f, 10.0f);
    antler = Place<cAntlerAncestor>(CharacterFile("antler"), 0.0f, 0.0f);
    for (int t = 0; t < 40; ++t)
        Tick();
    ASSERT_EQ(antler->GetState(), PLAYER_FALL);
    ASSERT_LT(Vy(), -80.0f);
    assets.sounds.Take();

    antler->Jump(false);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(kSfxCrystal));
    EXPECT_NEAR(Vy(), cAntlerAncestor::kMaxRiseSpeed, 0.5f);
    EXPECT_EQ(antler->GetAnimationIndex(), ANIM_JUMP);
    Tick();
    EXPECT_GT(Vy(), 100.0f);
    EXPECT_EQ(antler->GetState(), PLAYER_JUMP);
}

TEST_F(AntlerAncestorTest, ArmedAirJumpNeverRunsWithoutABody)
{
    PlaceOnGround();
    antler->Jump(false);
    Tick();
    ASSERT_TRUE(antler->IsAirJumpArmed());

    // Swallowed by an exit tree in mid-jump: inside it there is no body to push.
    antler->EnterExit(nullptr);
    const auto [ticks, result] = TickUntilResult(100);
    ASSERT_EQ(result, -2);
    ASSERT_FALSE(antler->HasBody());
    ASSERT_EQ(antler->GetState(), PLAYER_IN_EXIT);
    assets.sounds.Take();
    EXPECT_FALSE(antler->CanJump());
    antler->Jump(false);
    EXPECT_EQ(antler->GetState(), PLAYER_IN_EXIT);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());

    // Reset for the next area leaves the form without a body until it is placed.
    antler->Reset();
    EXPECT_FALSE(antler->CanJump());
    antler->Jump(false);
    EXPECT_EQ(antler->GetState(), PLAYER_STAND);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

TEST_F(AntlerAncestorTest, HintsCountAirJumpsAndCloseAfterFifty)
{
    cGameInfoBubbles pictures;
    PlaceOnGround();
    antler->SetShowHints(true);
    antler->SetHintBubble(new cHintBubble(13, 0));
    for (int jumps = 1; jumps <= cAntlerAncestor::kAirJumpsUntilHintsEnd + 1; ++jumps) {
        antler->Jump(false);
        for (int t = 0; t < 5; ++t)
            Tick();
        antler->Jump(false);
        EXPECT_EQ(antler->GetAirJumpCount(), jumps);
        TickUntilLanded();
        ASSERT_EQ(antler->GetHintBubble() != nullptr && antler->GetHintBubble()->IsOpen(),
                  jumps <= cAntlerAncestor::kAirJumpsUntilHintsEnd)
            << jumps;
    }
    EXPECT_FALSE(antler->GetShowHints());
    EXPECT_FALSE(antler->GetHintBubble()->IsOpen());

    // Without hints the jumps go uncounted; a new area starts counting afresh, hints off.
    antler->Jump(false);
    Tick();
    antler->Jump(false);
    EXPECT_EQ(antler->GetAirJumpCount(), cAntlerAncestor::kAirJumpsUntilHintsEnd + 1);
    antler->Reset();
    EXPECT_EQ(antler->GetAirJumpCount(), 0);
    EXPECT_FALSE(antler->GetShowHints());
    EXPECT_TRUE(antler->IsAirJumpArmed());
}

TEST_F(AntlerAncestorTest, SelectedWithHintsItExplainsTheJumpsUntilTheyEnd)
{
    cGameInfoBubbles pictures;
    PlaceOnGround();
    // Without hints: the character's selection bubble, gone after its 3000 ms.
    antler->Select();
    ASSERT_NE(antler->GetHintBubble(), nullptr);
    EXPECT_EQ(antler->GetInfoBubbleAnim(), antler->GetSwitchInfoIndex());
    for (int t = 0; t < 151; ++t)
        Tick();
    EXPECT_EQ(antler->GetHintBubble(), nullptr);

    // With hints: an endless bubble with the standing lesson, in its key-neutral picture when the
    // keys are the player's own.
    for (const bool custom : {false, true}) {
        customControls = custom;
        antler->DeleteHintBubble();
        antler->SetShowHints(true);
        antler->Select();
        EXPECT_EQ(antler->GetInfoBubbleAnim(), custom ? 27 : 13);
        for (int t = 0; t < 500; ++t)
            Tick();
        ASSERT_NE(antler->GetHintBubble(), nullptr);
        EXPECT_TRUE(antler->GetHintBubble()->IsShowingContent());
    }
    customControls = false;
}

} // namespace

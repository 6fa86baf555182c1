// The rainbow spirit in a real world: the first terrain it touches after a turn launches it out
// along the contact normal or, touched deep inside, kills it; the turn flags the frame manager
// drives; the lessons of its hint bubble.
#include "CharacterWorld.h"

#include "actors/RainbowSpirit.h"
#include "engine/Animation.h"
#include "engine/Controls.h"
#include "engine/HintBubble.h"

#include <gmock/gmock.h>

#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kSfxDieSpikes = 40;

/// The spirit, with the contact points it hears recorded.
class cHeardSpirit : public cRainbowSpirit
{
public:
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override
    {
        heard.push_back(*point);
        cRainbowSpirit::OnContactAdd(other, point);
    }
    std::vector<physics::ContactPoint> heard;
};

class RainbowSpiritTest : public CharacterWorld
{
protected:
    cHeardSpirit* PlaceSpirit(float x, float y) { return spirit = Place<cHeardSpirit>(CharacterFile("spirit"), x, y); }
    /// Empties the world for a second scene.
    void ClearScene()
    {
        character.reset();
        for (auto& body : terrain)
            body->Destroy();
        terrain.clear();
    }

    cHeardSpirit* spirit = nullptr;
};

TEST_F(RainbowSpiritTest, PutBackDeepInsideTerrainItDiesAndComesBack)
{
    AddTerrain(-100.0f, -200.0f, 200.0f, 200.0f);
    PlaceSpirit(0.0f, -100.0f);
    spirit->SetPlacedAfterTurn(true);
    Step();
    ASSERT_FALSE(spirit->heard.empty());
    EXPECT_LT(spirit->heard.front().separation, -cRainbowSpirit::kStuckDepth);
    EXPECT_FALSE(spirit->IsPlacedAfterTurn());
    EXPECT_EQ(spirit->GetState(), PLAYER_DIE);
    EXPECT_EQ(spirit->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(kSfxDieSpikes));
    // It leaves the world at its next tick and reports the death that brings it back.
    EXPECT_EQ(Tick(), 10);
    EXPECT_FALSE(spirit->HasBody());
    const auto [ticks, result] = TickUntilResult(100);
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(spirit->IsActive());
    EXPECT_TRUE(spirit->IsSpecialEnabled());
}

/// Where a wall or floor stands against the spirit: the terrain's box, and the spirit's corner
/// overlapping it by half a unit.
struct sShallow
{
    const char* name;
    float tx, ty, tw, th;
    float sx, sy;
};

class ShallowContactTest : public RainbowSpiritTest, public ::testing::WithParamInterface<sShallow>
{
protected:
    /// The spirit's velocity after one step against the terrain, launch armed or not.
    b2Vec2 VelocityAfterFirstTouch(bool armed)
    {
        const sShallow& s = GetParam();
        AddTerrain(s.tx, s.ty, s.tw, s.th);
        PlaceSpirit(s.sx, s.sy);
        spirit->SetPlacedAfterTurn(armed);
        Step();
        return spirit->GetLinearVelocity();
    }
};

TEST_P(ShallowContactTest, ShallowFirstTouchPushesItOutAlongTheNormal)
{
    const b2Vec2 still = VelocityAfterFirstTouch(false);
    EXPECT_FALSE(spirit->heard.empty());
    ClearScene();

    const b2Vec2 launched = VelocityAfterFirstTouch(true);
    ASSERT_FALSE(spirit->heard.empty());
    const physics::ContactPoint& p = spirit->heard.front();
    ASSERT_GT(p.separation, -cRainbowSpirit::kStuckDepth);
    EXPECT_FALSE(spirit->IsPlacedAfterTurn());
    EXPECT_NE(spirit->GetState(), PLAYER_DIE);

    // The normal points away from the terrain, towards the spirit.
    const sShallow& s = GetParam();
    const b2Vec2 away = spirit->GetCenter() - b2Vec2(s.tx + s.tw / 2, s.ty + s.th / 2);
    EXPECT_GT(b2Dot(p.normal, away), 0.0f);
    const float up = p.normal.y > 0.0f ? cRainbowSpirit::kLaunchImpulse * p.normal.y * -p.separation
                                       : cRainbowSpirit::kLaunchNudge;
    const float mass = spirit->GetPhysicsBody()->GetMass();
    EXPECT_NEAR(launched.x - still.x, cRainbowSpirit::kLaunchImpulse * p.normal.x / mass, 0.01f);
    EXPECT_NEAR(launched.y - still.y, up / mass, 0.01f);
    EXPECT_EQ(spirit->GetAnimationIndex(), ANIM_STAND);
}

INSTANTIATE_TEST_SUITE_P(Sides, ShallowContactTest,
                         ::testing::Values(sShallow{"wallOnTheRight", 20, -100, 40, 200, 2.5f, 0},
                                           sShallow{"wallOnTheLeft", -60, -100, 40, 200, -20.5f, 0},
                                           sShallow{"floor", -100, -40, 200, 40, 0, -0.5f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RainbowSpiritTest, OnlyTerrainLaunchesAndNothingTouchesALiftedSpirit)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f, BODY_PLATFORM);
    PlaceSpirit(0.0f, 0.0f);
    spirit->SetPlacedAfterTurn(true);
    Step();
    EXPECT_FALSE(spirit->heard.empty());
    EXPECT_TRUE(spirit->IsPlacedAfterTurn());

    ClearScene();
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    PlaceSpirit(0.0f, -0.5f);
    spirit->SetPlacedAfterTurn(true);
    spirit->DisableSpecial();
    Step();
    EXPECT_TRUE(spirit->IsPlacedAfterTurn());
    EXPECT_FALSE(spirit->IsSpecialEnabled());
}

TEST_F(RainbowSpiritTest, TurnFlagsTellTheFrameManagerWhenItMayTurnAndLift)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    PlaceSpirit(0.0f, 0.0f);
    Tick();
    EXPECT_TRUE(spirit->IsAliveWithBody());
    EXPECT_FALSE(spirit->IsSpecialAirborne());
    spirit->Jump(false);
    Tick();
    EXPECT_TRUE(spirit->IsSpecialAirborne());

    // The turn starts: the frame manager lifts the airborne spirit out.
    spirit->SetTurnStarted(true);
    spirit->SetLastTurn(cRainbowSpirit::TURN_LEFT);
    spirit->SetPresent(false);
    spirit->DisableSpecial();
    EXPECT_FALSE(spirit->IsSpecialAirborne());
    EXPECT_EQ(spirit->GetFacing(), FACING_NONE);
    // It flutters once the jump picture has played, whatever its state.
    for (int t = 0; t < 8; ++t)
        Tick();
    EXPECT_EQ(spirit->GetAnimationIndex(), ANIM_SPECIAL);
    spirit->SetAnimation(ANIM_SPECIAL_2, true);
    Tick();
    EXPECT_EQ(spirit->GetAnimationIndex(), ANIM_SPECIAL_2);

    // Put back: standing, present, ready to be launched.
    spirit->SetPlacedAfterTurn(true);
    spirit->SetSpecialEnabled(true);
    spirit->ResetSpecial();
    EXPECT_FALSE(spirit->IsTurnStarted());
    EXPECT_EQ(spirit->GetLastTurn(), cRainbowSpirit::TURN_NONE);
    EXPECT_TRUE(spirit->IsPresent());
    EXPECT_EQ(spirit->GetAnimationIndex(), ANIM_STAND);
}

TEST_F(RainbowSpiritTest, SpiritLiftedWithoutSpeedStandsWhenNotTurning)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    PlaceSpirit(0.0f, 0.0f);
    spirit->Jump(false);
    Tick();
    ASSERT_EQ(spirit->GetState(), PLAYER_JUMP);
    spirit->SetLinearVelocity(0.0f, 0.0f);
    Tick();
    EXPECT_EQ(spirit->GetState(), PLAYER_STAND);
}

TEST_F(RainbowSpiritTest, SpiritWithNoFrameUnderItDiesForGood)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    PlaceSpirit(0.0f, 0.0f);
    Tick();
    assets.sounds.Take();
    spirit->SetTurnStarted(true);
    spirit->DisableSpecial();
    spirit->FinishSpecial();
    EXPECT_FALSE(spirit->IsTurnStarted());
    EXPECT_EQ(spirit->GetState(), PLAYER_DIE);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(kSfxDieSpikes));
    const auto [ticks, result] = TickUntilResult(100);
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(spirit->IsSpecialEnabled());
    EXPECT_FALSE(spirit->IsAliveWithBody());
}

TEST_F(RainbowSpiritTest, ChangeBackReportsSeven)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    PlaceSpirit(0.0f, 0.0f);
    spirit->Metamorphose();
    const auto [ticks, result] = TickUntilResult(200);
    EXPECT_EQ(result, 7);
}

// ---- the lessons

TEST_F(RainbowSpiritTest, ThreeTurnsEndTheTurningLessonAndOpenTheLaunchLesson)
{
    cGameInfoBubbles pictures;
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    PlaceSpirit(0.0f, 0.0f);
    spirit->EnableSpecial(true, false);
    EXPECT_EQ(spirit->GetTurnsNeeded(), cRainbowSpirit::kTurnsNeeded);
    for (int turn = 1; turn <= cRainbowSpirit::kTurnsNeeded; ++turn) {
        EXPECT_EQ(spirit->GetHintStage(), cRainbowSpirit::STAGE_TURNING);
        spirit->SetLastTurn(cRainbowSpirit::TURN_RIGHT);
        spirit->SetStayedAfterTurn(true);
        Tick();
        EXPECT_FALSE(spirit->HasStayedAfterTurn());
        EXPECT_EQ(spirit->GetLastTurn(), cRainbowSpirit::TURN_NONE);
        EXPECT_EQ(spirit->GetHintCounter(), turn);
    }
    EXPECT_EQ(spirit->GetHintStage(), cRainbowSpirit::STAGE_JUMPING);
    // The lesson bubble opened again for the launch; it has no end of its own.
    ASSERT_NE(spirit->GetHintBubble(), nullptr);
    EXPECT_EQ(spirit->GetInfoBubbleAnim(), 19);
    for (int t = 0; t < 20; ++t)
        Tick();
    EXPECT_TRUE(spirit->GetHintBubble()->IsShowingContent());

    // The launch lesson ends after a hundred ticks more with the launch armed.
    spirit->SetPlacedAfterTurn(true);
    for (int t = 0; t < cRainbowSpirit::kExtraCount - 1; ++t)
        Tick();
    EXPECT_TRUE(spirit->GetShowHints());
    Tick();
    EXPECT_FALSE(spirit->GetShowHints());
    EXPECT_FALSE(spirit->GetHintBubble()->IsOpen());
}

TEST_F(RainbowSpiritTest, SelectedWithHintsItShowsTheLessonUntilItEnds)
{
    cGameInfoBubbles pictures;
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    PlaceSpirit(0.0f, 0.0f);
    spirit->EnableSpecial(true, false);
    spirit->Select();
    EXPECT_EQ(spirit->GetInfoBubbleAnim(), 19);
    for (int t = 0; t < 500; ++t)
        Tick();
    ASSERT_NE(spirit->GetHintBubble(), nullptr);
    EXPECT_TRUE(spirit->GetHintBubble()->IsShowingContent());

    customControls = true;
    spirit->DeleteHintBubble();
    spirit->Select();
    EXPECT_EQ(spirit->GetInfoBubbleAnim(), 30);
    customControls = false;
}

TEST_F(RainbowSpiritTest, TurnOnlyLessonNeedsFiveTurnsAndEndsThere)
{
    AddTerrain(-100.0f, -10.0f, 200.0f, 10.0f);
    PlaceSpirit(0.0f, 0.0f);
    spirit->EnableSpecial(true, true);
    EXPECT_EQ(spirit->GetTurnsNeeded(), cRainbowSpirit::kTurnsNeededTurnOnly);
    for (int turn = 1; turn <= cRainbowSpirit::kTurnsNeededTurnOnly; ++turn) {
        EXPECT_TRUE(spirit->GetShowHints());
        spirit->SetStayedAfterTurn(true);
        Tick();
    }
    EXPECT_FALSE(spirit->GetShowHints());
    EXPECT_EQ(spirit->GetHintStage(), cRainbowSpirit::STAGE_TURNING);

    // A new area starts without lessons until it asks for them.
    spirit->Reset();
    EXPECT_FALSE(spirit->GetShowHints());
    EXPECT_EQ(spirit->GetTurnsNeeded(), cRainbowSpirit::kTurnsNeeded);
    EXPECT_TRUE(spirit->IsSpecialEnabled());
    spirit->EnableSpecial(false, true);
    EXPECT_EQ(spirit->GetTurnsNeeded(), cRainbowSpirit::kTurnsNeeded);
}

} // namespace

// Jumps that end at the top of their arc on something that carries the character: one-way ledges
// passed from below, the ledge only the bat king stands on, a stack box reached running. In a real
// world through the physics layer the character lands the tick it comes to rest, stands, and
// walks and jumps again.
#include "CharacterWorld.h"

#include <algorithm>
#include <cmath>

namespace {

/// The ledge is a stack box on a pedestal instead of a one-way body of a type.
constexpr int kStackBox = -1;
constexpr float kStackBoxHeight = 7.0f;
constexpr float kLedgeThickness = 4.0f;

struct sApexJump
{
    const char* name;
    const char* file;
    bool form;
    /// `ePhysicsBodyType` of the ledge, or kStackBox.
    int ledge;
    float start;
    float ledgeX, ledgeWidth;
    int facing;
    /// Ticks standing before the run-up, ticks of the run-up, ticks the walk is held after the jump.
    int wait, runUp, airWalk;
};

class ApexLandingTest : public CharacterWorld, public ::testing::WithParamInterface<sApexJump>
{
protected:
    /// Ground whose top is at y = 0, the case's ledge with its top at top (none for top 0) and the
    /// character standing at the start.
    void Build(float top)
    {
        const sApexJump& c = GetParam();
        AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
        if (top > 0.0f && c.ledge == kStackBox) {
            AddTerrain(c.ledgeX, 0.0f, c.ledgeWidth, top - kStackBoxHeight);
            AddActor(KIND_STACK_BOX, c.ledgeX, top - kStackBoxHeight, c.ledgeWidth, kStackBoxHeight, BODY_PLATFORM,
                     0.0f);
        } else if (top > 0.0f) {
            AddTerrain(c.ledgeX, top - kLedgeThickness, c.ledgeWidth, kLedgeThickness, c.ledge);
        }
        character = Load(c.file, c.form);
        character->Reset();
        character->Init(&world, c.start, 0.0f);
        for (int t = 0; t < c.wait; ++t)
            Tick();
        for (int t = 0; t < c.runUp; ++t)
            Tick([&] { character->Walk(c.facing); });
        Tick([&] {
            character->Jump(false);
            if (c.airWalk > 0)
                character->Walk(c.facing);
        });
    }

    /// One of the ticks after the jump: the walk is held for the case's first ticks.
    void TickInAir(int t)
    {
        if (t < GetParam().airWalk)
            Tick([&] { character->Walk(GetParam().facing); });
        else
            Tick();
    }

    /// The highest the character's bottom gets in the case's jump with nothing in its way.
    float Apex()
    {
        Build(0.0f);
        float apex = 0.0f;
        for (int t = 0; t < 60; ++t) {
            TickInAir(t);
            apex = std::max(apex, character->GetPosition().y);
        }
        Clear();
        return apex;
    }

    /// The character lies still on the ledge whose top is at top, over it by more than a touch at its side.
    bool RestsOnLedge(float top) const
    {
        const sApexJump& c = GetParam();
        const b2Vec2 corner = character->GetPosition();
        const bool over =
            corner.x + character->GetWidth() > c.ledgeX + 0.01f && corner.x + 0.01f < c.ledgeX + c.ledgeWidth;
        return over && std::fabs(corner.y - top) < 0.03f && std::fabs(character->GetLinearVelocity().y) < 0.01f;
    }

    void Clear()
    {
        character.reset();
        actors.clear();
        for (std::unique_ptr<cPhysicsBody>& body : terrain)
            body->Destroy();
        terrain.clear();
    }
};

TEST_P(ApexLandingTest, LandsTheTickItComesToRestThenWalksAndJumps)
{
    const float apex = Apex();
    int endedOnLedge = 0;
    for (int i = 1; i <= 30; ++i) {
        // From just under the top of the arc down to 0.6 below it.
        const float top = apex - 0.02f * static_cast<float>(i);
        SCOPED_TRACE(testing::Message() << "ledge top " << top << ", top of the arc " << apex);
        Build(top);
        int restingInTheAir = 0;
        for (int t = 0; t < 60; ++t) {
            TickInAir(t);
            const int state = character->GetState();
            if (RestsOnLedge(top) && (state == PLAYER_JUMP || state == PLAYER_FALL))
                ++restingInTheAir;
        }
        EXPECT_EQ(restingInTheAir, 0);
        endedOnLedge += RestsOnLedge(top) ? 1 : 0;
        EXPECT_EQ(character->GetState(), PLAYER_STAND);
        Tick([&] { character->Walk(GetParam().facing); });
        EXPECT_EQ(character->GetState(), PLAYER_WALK);
        Tick([&] { character->Jump(false); });
        EXPECT_EQ(character->GetState(), PLAYER_JUMP);
        Clear();
    }
    // The feet never clear a ledge just under the top of the arc by a touch: it is passed on the way
    // down as on the way up, and the character lands on the ground.
    EXPECT_GE(endedOnLedge, 20);
}

// Some of these runs (the running ones onto a box, the antler's under the 70.27 wide ledge) land with
// a few millionths of upward speed left by the solver.
INSTANTIATE_TEST_SUITE_P(
    Jumps, ApexLandingTest,
    ::testing::Values(
        sApexJump{"BrownStraightUpThroughALedge", "brown", false, BODY_PLATFORM, 0.0f, -100.0f, 200.0f, FACING_RIGHT,
                  1, 0, 0},
        sApexJump{"AntlerRunningUpThroughALedge", "antler", true, BODY_PLATFORM, 90.0f, 13.0f, 70.27f, FACING_LEFT, 3,
                  9, 19},
        sApexJump{"BatKingRunningUpThroughItsLedge", "batking", true, BODY_BAT_KING_PLATFORM, 0.0f, -100.0f, 200.0f,
                  FACING_RIGHT, 1, 4, 10},
        sApexJump{"BrownRunningOntoAStackBox", "brown", false, kStackBox, 0.0f, 35.0f, 14.0f, FACING_RIGHT, 1, 6, 6},
        sApexJump{"AntlerRunningOntoAStackBox", "antler", true, kStackBox, 0.0f, 40.0f, 14.0f, FACING_RIGHT, 1, 6, 6}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

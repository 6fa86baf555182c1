// The real area played by a script: one character walks and jumps from the enter tree's mouth to
// the exit, floor by floor, so the terrain stays passable whatever is changed in the file. Each of
// the three characters clears each of its thorn bushes by a margin, jumping from standing right
// before it or running, whether it takes off early or late.
#include "world/Area.h"

#include "actors/AreaExit.h"
#include "actors/PlayerChar.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"
#include "world/CommonResources.h"

#include "tests/world/AreaFiles.h"
#include "tests/world/FrameSwitchRoute.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

class AreaRouteTest : public AreaFileFixture
{
protected:
    /// One tick as the area will run it: the character's update with the player's actions,
    /// then the world's step.
    void Tick(const sWaypoint& to)
    {
        ASSERT_NE(walker->Update(20), cPlayerChar::RESULT_DIED) << "died at " << Describe();
        for (cPlayerChar* other : standing)
            other->Update(20);
        SteerTowards(*walker, to);
        area->GetWorld()->Step(physics::kGameTimeStep, physics::kGameVelocityIterations,
                               physics::kGamePositionIterations);
    }
    bool Reached(const sWaypoint& to) const { return HasReached(*walker, to); }
    std::string Describe() const { return DescribePlace(*walker); }

    /// Runs the walker through the waypoints; false when one is not reached within 400 ticks.
    bool Follow(const std::vector<sWaypoint>& route)
    {
        for (const sWaypoint& to : route) {
            for (int ticks = 0; !Reached(to); ++ticks) {
                if (ticks == 400)
                    return false;
                Tick(to);
            }
        }
        return true;
    }
    void LoadRealArea()
    {
        area = std::make_unique<cArea>("res/Areas/FrameSwitch.xml", s_resources.get());
        StdoutOf([this] { ASSERT_TRUE(area->Init(s_audio.get(), false, false)); });
    }

    cPlayerChar* walker = nullptr;
    /// Characters that only stand where they are put.
    std::vector<cPlayerChar*> standing;
};

TEST_F(AreaRouteTest, ACharacterWalksAndJumpsFromTheEnterTreeToTheExit)
{
    LoadRealArea();
    walker = s_resources->GetCharacter(0);
    walker->Init(area->GetWorld(), 24.0f, -200.0f);  // at the enter tree's mouth
    ASSERT_TRUE(Follow(kFrameSwitchRoute)) << "stuck at " << Describe();
    cAreaExit* exit = area->GetExits()[0];
    EXPECT_TRUE(exit->HitTest(walker)) << Describe();
}

/// How a player meets thorns: standing anywhere up to 10 units before them, or running at full
/// speed (about 2.5 units a tick) and taking off anywhere in a stretch of 16 units, six ticks,
/// before them; the right key is held from the jump until the landing.
struct sLeap
{
    const char* how;
    float runUp;       ///< from the character's right side to the thorns when it starts
    float takeoffGap;  ///< ... when it jumps
};
const sLeap kLeaps[] = {{"standing right before", 1, 1},     {"standing", 5, 5},   {"standing back", 10, 10},
                        {"running, taking off late", 60, 4}, {"running", 60, 8},   {"running", 60, 12},
                        {"running", 60, 16},                 {"running, taking off early", 60, 20}};
/// What the character's feet keep above the thorns at least, in world units.
constexpr float kClearance = 3.0f;

TEST_F(AreaRouteTest, EveryCharacterClearsEveryThornBushWithMarginStandingOrRunning)
{
    LoadRealArea();
    std::vector<const cPhysicsBody*> thorns;
    for (const cPhysicsBody* body : area->GetBodies())
        if (body->GetType() == BODY_DEADLY || body->GetType() == BODY_DEADLY_2)
            thorns.push_back(body);
    ASSERT_FALSE(thorns.empty());
    for (const cPhysicsBody* bush : thorns) {
        const b2Vec2 at = bush->GetPosition();
        const float top = at.y + bush->GetHeight();
        const float right = at.x + bush->GetWidth();
        for (int id = 0; id < 3; ++id) {
            walker = s_resources->GetCharacter(id);
            for (const sLeap& leap : kLeaps) {
                walker->Init(area->GetWorld(), at.x - 100.0f, at.y);
                walker->SetPosition(at.x - walker->GetWidth() - leap.runUp, at.y);
                float lowest = 1e9f;
                bool jumped = false;
                // As in the game: the keys of one tick act in the next, before its update and step.
                for (int t = 0; t < 300 && walker->GetState() != PLAYER_DIE; ++t) {
                    walker->Walk(FACING_RIGHT);
                    const float gap = at.x - (walker->GetPosition().x + walker->GetWidth());
                    if (!jumped && gap <= leap.takeoffGap && walker->CanJump()) {
                        walker->Jump(false);
                        jumped = true;
                    }
                    walker->Update(20);
                    area->GetWorld()->Step(physics::kGameTimeStep, physics::kGameVelocityIterations,
                                           physics::kGamePositionIterations);
                    const b2Vec2 feet = walker->GetPosition();
                    if (feet.x < right && feet.x + walker->GetWidth() > at.x)
                        lowest = std::min(lowest, feet.y - top);
                    if (jumped && walker->CanJump() && feet.x > right)
                        break;
                }
                const std::string what = "character " + std::to_string(id) + " " + leap.how + ", taking off " +
                                         std::to_string(leap.takeoffGap) + " before the thorns at " +
                                         std::to_string(at.x) + ", now at " + Describe();
                EXPECT_NE(walker->GetState(), PLAYER_DIE) << what;
                EXPECT_GT(walker->GetPosition().x, right) << what;
                EXPECT_GE(lowest, kClearance) << what;
                walker->Reset();
            }
        }
    }
}

} // namespace

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

/// {run-up, takeoff}: standing up to 10 units before the thorns, or running (2.5 units a tick) and
/// taking off anywhere in 16 units before them; right held throughout.
const std::pair<float, float> kLeaps[] = {{1, 1}, {5, 5}, {10, 10}, {60, 4}, {60, 8}, {60, 12}, {60, 16}, {60, 20}};

TEST_F(AreaRouteTest, EveryCharacterClearsEveryThornBushByThreeUnitsStandingOrRunning)
{
    LoadRealArea();
    for (const cPhysicsBody* bush : area->GetBodies()) {
        const b2Vec2 at = bush->GetPosition(), far(at.x + bush->GetWidth(), at.y + bush->GetHeight());
        for (int id = 0; id < 3 && (bush->GetType() == BODY_DEADLY || bush->GetType() == BODY_DEADLY_2); ++id) {
            for (const auto& [runUp, takeoff] : kLeaps) {
                walker = s_resources->GetCharacter(id);
                walker->Init(area->GetWorld(), at.x - 11.0f - runUp, at.y);  // plain characters are 11 wide
                float lowest = 1e9f;
                // As in the game: the keys of a tick act before the next update and step.
                const auto going = [&] {
                    return walker->GetState() != PLAYER_DIE && walker->GetPosition().x < far.x + 30;
                };
                for (int t = 0, jumped = 0; t < 300 && going(); ++t) {
                    walker->Walk(FACING_RIGHT);
                    if (!jumped && (jumped = at.x - walker->GetPosition().x - walker->GetWidth() <= takeoff))
                        walker->Jump(false);
                    walker->Update(20);
                    area->GetWorld()->Step(physics::kGameTimeStep, physics::kGameVelocityIterations,
                                           physics::kGamePositionIterations);
                    const float apart = std::fabs(walker->GetCenter().x - bush->GetCenter().x);
                    if (apart < (walker->GetWidth() + bush->GetWidth()) / 2)
                        lowest = std::min(lowest, walker->GetPosition().y - far.y);
                }
                EXPECT_TRUE(lowest >= 3.0f && walker->GetPosition().x >= far.x + 30)
                    << "character " << id << ", run-up " << runUp << ", taking off " << takeoff << " before the thorns "
                    << "at " << at.x << ": feet " << lowest << " above them at least, now at " << Describe();
                walker->Reset();
            }
        }
    }
}

} // namespace

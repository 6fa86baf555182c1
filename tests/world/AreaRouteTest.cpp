// The real area played by a script: one character walks and jumps from the enter tree's mouth to
// the exit, floor by floor, so the terrain stays passable whatever is changed in the file.
#include "world/Area.h"

#include "actors/AreaExit.h"
#include "actors/PlayerChar.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"
#include "world/CommonResources.h"

#include "tests/world/AreaFiles.h"
#include "tests/world/FrameSwitchRoute.h"

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

TEST_F(AreaRouteTest, TheHighLedgeOfTheMiddleFloorIsReachedOnlyFromAnotherCharactersHead)
{
    LoadRealArea();
    walker = s_resources->GetCharacter(0);
    walker->Init(area->GetWorld(), 110.0f, -136.0f);
    const sWaypoint ledge{148, -106};
    EXPECT_FALSE(Follow({ledge})) << Describe();

    cPlayerChar* helper = s_resources->GetCharacter(2);
    helper->Init(area->GetWorld(), 146.0f, -136.0f);  // under the ledge
    standing.push_back(helper);
    EXPECT_TRUE(Follow({{110, -136}, {146, -121}, ledge})) << Describe();
}

} // namespace

// The real area played by a script: one character walks and jumps from the enter tree's mouth to
// the exit, floor by floor, so the terrain stays passable whatever is changed in the file.
#include "world/Area.h"

#include "actors/AreaExit.h"
#include "actors/PlayerChar.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"
#include "world/CommonResources.h"

#include "tests/world/AreaFiles.h"

#include <cmath>
#include <vector>

namespace {

/// A place to reach: the character's lower-left corner at (x, y), y being the top of what it
/// stands on there. leapAt, when set, is where the character jumps on its way (over thorns or a
/// wall that stands between it and the place).
struct sWaypoint
{
    float x, y;
    float leapAt = NAN;
};

const std::vector<sWaypoint> kRoute = {
    // bottom floor, rightwards: over the step and the thorns, up the shaft's four platforms
    {125, -188}, {175, -200}, {235, -200, 180}, {400, -200},
    {426, -187}, {454, -174}, {426, -161}, {454, -148}, {440, -136},
    // middle floor, leftwards: over the thorns and the low wall, up the left shaft
    {270, -136, 320}, {190, -136, 246}, {60, -136},
    {38, -123}, {10, -110}, {38, -97}, {10, -84}, {20, -72},
    // top floor, rightwards: over the hill and the thorns to the exit
    {118, -62}, {180, -72}, {235, -72, 182}, {308, -72},
};

class AreaRouteTest : public AreaFileFixture
{
protected:
    /// One tick as the area will run it: the character's update with the player's actions,
    /// then the world's step.
    void Tick(const sWaypoint& to)
    {
        ASSERT_NE(walker->Update(20), 10) << "died at " << Describe();
        for (cPlayerChar* other : standing)
            other->Update(20);
        const b2Vec2 at = walker->GetPosition();
        const float dx = to.x - at.x;
        if (std::fabs(dx) > 2.0f)
            walker->Walk(dx < 0 ? FACING_LEFT : FACING_RIGHT);
        const bool leap = !std::isnan(to.leapAt) && std::fabs(at.x - to.leapAt) < 3.0f;
        const bool climb = to.y > at.y + 2.0f && std::fabs(dx) < 20.0f;
        if ((leap || climb) && walker->CanJump())
            walker->Jump(false);
        area->GetWorld()->Step(physics::kGameTimeStep, physics::kGameVelocityIterations,
                               physics::kGamePositionIterations);
    }
    bool Reached(const sWaypoint& to) const
    {
        const b2Vec2 at = walker->GetPosition();
        return std::fabs(at.x - to.x) < 4.0f && std::fabs(at.y - to.y) < 0.5f && walker->CanJump();
    }
    std::string Describe() const
    {
        const b2Vec2 at = walker->GetPosition();
        return "(" + std::to_string(at.x) + ", " + std::to_string(at.y) + ")";
    }

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
    ASSERT_TRUE(Follow(kRoute)) << "stuck at " << Describe();
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

// The real area played by a script: one character walks and jumps from the enter tree's mouth to
// the exit, floor by floor, so the terrain stays passable whatever is changed in the file. Each of
// the characters clears each thorn bush of the first areas it meets by a margin, jumping from standing right
// before it or running, whether it takes off early or late.
#include "world/Area.h"

#include "actors/AntlerAncestor.h"
#include "actors/AreaExit.h"
#include "actors/PlayerChar.h"
#include "actors/SharedActors.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"
#include "world/CommonResources.h"

#include "tests/world/AreaFiles.h"
#include "tests/world/FrameSwitchRoute.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

/// {run-up, takeoff}: standing up to 5 units before the thorns, or running (2.3 units a tick) and
/// taking off anywhere from 4 to 12 units before them; right held throughout.
const std::pair<float, float> kLeaps[] = {{1, 1}, {5, 5}, {60, 4}, {60, 8}, {60, 12}};

/// How a row of thorns is passed: plain characters jump over it or walk beneath it; the antler
/// form, alone once its tower has stood, jumps over with its second jump at the top of the first.
enum class ePass { Over, Beneath, OverTwice };

/// Every killing body of the first five areas of the level order (the heart tree has none), by its
/// left edge, with the floor a character comes from on its left.
const struct sThorns { const char* area; float left, floor; ePass pass; } kThorns[] = {
    {"FrameSwitch", 97, -200, ePass::Over},      {"IntoTheWild", 73, -200, ePass::Over},
    {"IntoTheWild", 253, -176, ePass::Over},     {"CaveStory", 170, -40, ePass::Beneath},
    {"CaveStory", 218, -40, ePass::Beneath},     {"AntlerCave", 230, -150, ePass::OverTwice},
};

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
    void LoadRealArea(const std::string& name = "FrameSwitch")
    {
        area = std::make_unique<cArea>("res/Areas/" + name + ".xml", s_resources.get());
        StdoutOf([this] { ASSERT_TRUE(area->Init(s_audio.get(), false, false)); });
    }

    /// Puts the jumper `runUp` units before the bush on the row's floor and walks it right, jumping
    /// as the row passes its thorns, until it is 30 units beyond them, dead or out of time; returns
    /// how close it came to them while over or under them, NaN when it did not get beyond them.
    float Pass(const cPhysicsBody& bush, const sThorns& row, cPlayerChar* jumper, float runUp, float takeoff)
    {
        const b2Vec2 at = bush.GetPosition(), far(at.x + bush.GetWidth(), at.y + bush.GetHeight());
        walker = jumper;
        walker->Init(area->GetWorld(), at.x, row.floor);
        walker->SetPosition(at.x - walker->GetWidth() - runUp, row.floor);
        float closest = 1e9f;
        for (int t = 0, jumps = 0; t < 300 && walker->GetState() != PLAYER_DIE && walker->GetPosition().x < far.x + 30; ++t) {
            // As in the game: the keys of a tick act before the next update and step.
            walker->Walk(FACING_RIGHT);
            const bool atTakeoff = jumps == 0 && at.x - walker->GetPosition().x - walker->GetWidth() <= takeoff;
            const bool atTop = jumps == 1 && row.pass == ePass::OverTwice && walker->GetLinearVelocity().y <= 0.0f;
            if (row.pass != ePass::Beneath && (atTakeoff || atTop)) {
                walker->Jump(false);
                ++jumps;
            }
            walker->Update(20);
            area->GetWorld()->Step(physics::kGameTimeStep, physics::kGameVelocityIterations,
                                   physics::kGamePositionIterations);
            if (std::fabs(walker->GetCenter().x - bush.GetCenter().x) < (walker->GetWidth() + bush.GetWidth()) / 2)
                closest = std::min(closest, row.pass == ePass::Beneath ? at.y - walker->GetPosition().y - walker->GetHeight()
                                                                       : walker->GetPosition().y - far.y);
        }
        return walker->GetPosition().x >= far.x + 30 ? closest : NAN;
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

TEST_F(AreaRouteTest, EveryCharacterClearsEveryThornBushOfTheFirstAreasByThreeUnitsStandingOrRunning)
{
    for (const char* name : {"FrameSwitch", "IntoTheWild", "CaveStory", "AntlerCave"}) {
        LoadRealArea(name);
        for (const cPhysicsBody* bush : area->GetBodies()) {
            if (bush->GetType() != BODY_DEADLY && bush->GetType() != BODY_DEADLY_2)
                continue;
            const b2Vec2 at = bush->GetPosition();
            const auto row = std::find_if(std::begin(kThorns), std::end(kThorns), [&](const sThorns& t) {
                return name == std::string(t.area) && std::fabs(t.left - at.x) < 0.5f;
            });
            ASSERT_NE(row, std::end(kThorns)) << name << ": thorns at " << at.x << " are not in the table";
            EXPECT_TRUE(bush->GetWidth() >= 12 && bush->GetHeight() >= 6) << name << ": thorns at " << at.x << " too small";
            const std::vector<cPlayerChar*> jumpers = row->pass == ePass::OverTwice ? std::vector<cPlayerChar*>{gAntlerAncestor}
                : std::vector<cPlayerChar*>{s_resources->GetCharacter(0), s_resources->GetCharacter(1), s_resources->GetCharacter(2)};
            for (cPlayerChar* jumper : jumpers) {
                for (const auto& [runUp, takeoff] : kLeaps) {
                    EXPECT_GE(Pass(*bush, *row, jumper, runUp, takeoff), 3.0f) << name << ", character " << jumper->GetId()
                        << ", run-up " << runUp << ", taking off " << takeoff << " before " << at.x << ", now at " << Describe();
                    walker->Reset();
                }
            }
        }
    }
}

} // namespace

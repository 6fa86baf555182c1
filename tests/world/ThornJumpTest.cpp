// The floor thorns on the way through Into the Wild and Antler Cave, jumped on their real
// files through the real physics: each character that has to pass them clears them by a jump from
// standing and by a running jump, taken off anywhere in a window wide enough that a player who
// jumps a little early or late still lands beyond them alive. And every rise the antler form climbs
// in Antler Cave stays well inside its double jump, so the second jump need not come at the top.
#include "actors/AntlerAncestor.h"
#include "actors/PlayerChar.h"
#include "actors/SharedActors.h"
#include "app/Game.h"
#include "engine/PhysicsBody.h"

#include "tests/world/ScriptedAreas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTick = 20;
/// A runner covers about 2.3 units a tick: 10 units are four ticks of slack in pressing the jump.
/// A standing jump is placed by walking up to the thorns, and 6 units are a short tap either way.
constexpr float kRunningWindow = 10.0f, kStandingWindow = 6.0f;

struct sThorns
{
    const char* area;
    const char* what;
    /// The killing body's left edge and the top of the floor on either side of it.
    float left, floor;
    /// Where a runner starts from rest: the nearest place a player comes from.
    float runFrom;
    /// Passed only by the antler form, which jumps again at the top of its first jump.
    bool antler;
};

const sThorns kThorns[] = {
    {"res/Areas/IntoTheWild.xml", "the thorn bush before the branch", 76, -200, 24, false},
    {"res/Areas/IntoTheWild.xml", "the thorn pit between the steps", 250, -176, 200, false},
    {"res/Areas/AntlerCave.xml", "the thorn pit before the exit's planks", 330, -172, 262, true},
};

class ThornJumpTest : public ScriptedAreaFixture, public ::testing::WithParamInterface<sThorns>
{
protected:
    void SetUp() override
    {
        ScriptedAreaFixture::SetUp();
        LoadScriptedArea<cArea>(GetParam().area, "");
        ASSERT_TRUE(initialised) << output;
        for (int t = 0; t < 600 && !AllOut(); ++t)
            Tick();
        ASSERT_TRUE(AllOut());
        bool found = false;
        for (const cPhysicsBody* body : area->GetBodies())
            found = found || ((body->GetType() == BODY_DEADLY || body->GetType() == BODY_DEADLY_2) &&
                              body->GetPosition().x == GetParam().left);
        ASSERT_TRUE(found) << "no thorns with their left edge at " << GetParam().left;
    }

    bool AllOut() const
    {
        for (int id = 0; id < 3; ++id)
            if (!s_resources->GetCharacter(id)->HasBody())
                return false;
        return true;
    }

    void Tick()
    {
        s_audio->Update();
        cGame::ApplyAreaResult(area->Update(kTick), *area, *frames);
        frames->Update(kTick);
    }

    /// The one who jumps: a plain character, or brown turned into the antler form. A character
    /// that died is first let back out of the enter tree.
    cPlayerChar* Jumper(int id)
    {
        cPlayerChar* plain = s_resources->GetCharacter(id);
        for (int t = 0; t < 600; ++t) {
            cPlayerChar* c = GetParam().antler ? static_cast<cPlayerChar*>(gAntlerAncestor) : plain;
            if (c->HasBody() && c->GetState() != PLAYER_DIE && c->GetState() != PLAYER_METAMORPHOSIS)
                return c;
            if (GetParam().antler && plain->HasBody() && plain->GetState() == PLAYER_STAND)
                plain->Metamorphose();
            Tick();
        }
        return nullptr;
    }

    /// Takes off at x, from standing there or after a run from the row's start, and holds right
    /// until it lands; true when it lands alive on the far floor beyond the thorns.
    bool Clears(int id, float x, bool running)
    {
        cPlayerChar* c = Jumper(id);
        if (!c)
            return false;
        // Dropped from just above the floor: the antler form's landing arms its second jump.
        c->Init(area->GetWorld(), running ? GetParam().runFrom : x, GetParam().floor + 1.0f);
        for (int t = 0; t < 15; ++t)
            Tick();
        int jumps = 0;
        bool airborne = false;
        for (int t = 0; t < 300; ++t) {
            Tick();
            if (c->GetState() == PLAYER_DIE || !c->HasBody())
                return false;
            const int state = c->GetState();
            if (jumps > 0 && (state == PLAYER_JUMP || state == PLAYER_FALL))
                airborne = true;
            else if (airborne)
                return c->GetPosition().x > GetParam().left && c->GetPosition().y >= GetParam().floor - 0.5f;
            c->Walk(FACING_RIGHT);
            const bool atTakeoff = jumps == 0 && c->GetPosition().x >= x;
            const bool atTop = jumps == 1 && GetParam().antler && c->GetLinearVelocity().y <= 0.0f;
            if ((atTakeoff || atTop) && c->CanJump()) {
                c->Jump(false);
                ++jumps;
            }
        }
        return false;
    }

    /// How many units of takeoffs, a unit apart from 60 before the thorns up to their left edge,
    /// clear them.
    float Window(int id, bool running)
    {
        int good = 0;
        for (float x = GetParam().left - 60.0f; x <= GetParam().left; x += 1.0f)
            if ((!running || x >= GetParam().runFrom) && Clears(id, x, running))
                ++good;
        return static_cast<float>(good);
    }
};

TEST_P(ThornJumpTest, EveryCharacterClearsThemStandingAndRunningWithRoomToSpare)
{
    const int characters = GetParam().antler ? 1 : 3;
    for (int id = 0; id < characters; ++id) {
        EXPECT_GE(Window(id, false), kStandingWindow) << GetParam().what << ", character " << id << " from standing";
        EXPECT_GE(Window(id, true), kRunningWindow) << GetParam().what << ", character " << id << " running";
    }
}

/// A rise of Antler Cave: the body stood on before and the one climbed onto, by their lower-left
/// corners in the file.
struct sRise
{
    const char* onto;
    float fromX, fromY, toX, toY;
};

const sRise kAntlerRises[] = {{"the upper floor from chamber 1", 0, -240, 200, -240},
                              {"the lower plank from the floor beyond the pit", 390, -240, 436, -148},
                              {"the upper plank from the lower", 436, -148, 436, -122},
                              {"the shelf with the exit from the upper plank", 436, -122, 300, -110}};

class AntlerRiseTest : public ScriptedAreaFixture
{
protected:
    float Top(float x, float y) const
    {
        for (const cPhysicsBody* body : area->GetBodies())
            if (std::fabs(body->GetPosition().x - x) < 0.01f && std::fabs(body->GetPosition().y - y) < 0.01f)
                return y + body->GetHeight();
        ADD_FAILURE() << "no body at (" << x << ", " << y << ")";
        return 0.0f;
    }
};

TEST_F(AntlerRiseTest, EveryRiseIsAtMostThreeQuartersOfTheDoubleJumpAndBeyondAPlainJump)
{
    LoadScriptedArea<cArea>("res/Areas/AntlerCave.xml", "");
    ASSERT_TRUE(initialised) << output;
    cPlayerChar* brown = s_resources->GetCharacter(0);
    for (int t = 0; t < 600 && !brown->HasBody(); ++t)
        cGame::ApplyAreaResult(area->Update(kTick), *area, *frames);
    brown->Metamorphose();
    cPlayerChar* antler = gAntlerAncestor;
    for (int t = 0; t < 300 && (!antler->HasBody() || antler->GetState() != PLAYER_STAND); ++t)
        cGame::ApplyAreaResult(area->Update(kTick), *area, *frames);
    // From the floor of chamber 1, away from the steps: one jump, and the second at its top.
    auto rise = [&](cPlayerChar* c, bool twice) {
        c->Init(area->GetWorld(), 150.0f, -199.0f);
        for (int t = 0; t < 15; ++t)
            cGame::ApplyAreaResult(area->Update(kTick), *area, *frames);
        const float feet = c->GetPosition().y;
        float top = feet;
        c->Jump(false);
        for (int t = 0; t < 80; ++t) {
            cGame::ApplyAreaResult(area->Update(kTick), *area, *frames);
            if (twice && c->GetLinearVelocity().y <= 0.0f && c->CanJump())
                c->Jump(false);
            top = std::max(top, c->GetPosition().y);
        }
        return top - feet;
    };
    const float doubleJump = rise(antler, true);
    const float plainJump = rise(s_resources->GetCharacter(1), false);
    for (const sRise& r : kAntlerRises) {
        const float height = Top(r.toX, r.toY) - Top(r.fromX, r.fromY);
        EXPECT_LE(height, doubleJump * 0.75f) << r.onto << ", the antler's feet rising " << doubleJump;
        EXPECT_GT(height, plainJump) << r.onto << ", a plain character's feet rising " << plainJump;
    }
}

INSTANTIATE_TEST_SUITE_P(Areas, ThornJumpTest, ::testing::ValuesIn(kThorns),
                         [](const ::testing::TestParamInfo<sThorns>& info) {
                             return std::string(QString(info.param.area).section('/', -1).chopped(4).toUtf8()) +
                                    std::to_string(info.index);
                         });

} // namespace

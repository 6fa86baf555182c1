// The area's tick answering the characters' form changes with the game's shared characters, forms
// and fireflies on flat ground: the antler form brings the Land of Fireflies and sends the others
// away as fireflies, which bring them back when it turns back; the bat king brings the bat land,
// whose switched terrain lets characters through only inside its bubbles.
#include "TestArea.h"

#include "tests/support/RecordingSoundLibrary.h"
#include "tests/world/AreaFiles.h"

#include "actors/AntlerAncestor.h"
#include "actors/BatKing.h"
#include "actors/FireFly.h"
#include "actors/PlayerChar.h"
#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"
#include "engine/PhysicsBody.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace {

constexpr int kTick = 20;

class AreaTickFormsTest : public AreaFileFixture
{
protected:
    AreaTickFormsTest()
    {
        store->ResetCharacters();
        tested = std::make_unique<cTestArea>(store);
        tested->AddPhysicsBody(-200.0f, -10.0f, 400.0f, 10.0f, BODY_TERRAIN, 0);
        float x = -60.0f;
        for (int id = 0; id < 3; ++id) {
            cPlayerChar* c = store->GetCharacter(id);
            c->Init(tested->GetWorld(), x, 0.0f);
            tested->players.push_back(c);
            x += 30.0f;
        }
        for (int k = 0; k < 2; ++k) {
            FireFly* fly = store->GetFireFly(k);
            fly->StartTransition(true);
            tested->fireFlies.push_back(fly);
        }
        tested->currentPlayer = 0;
    }
    ~AreaTickFormsTest() override
    {
        // The forms and fireflies leave the world before it goes.
        store->ResetCharacters();
        tested.reset();
    }

    cPlayerChar* Plain(int id) const { return store->GetCharacter(id); }
    int Tick() { return tested->Update(kTick); }

    /// Ticks until the tick reports something or until done says so (at most limit ticks); the
    /// last tick's result. The output of the ticks lands in `output`.
    int TickUntil(const std::function<bool(int)>& done, int limit = 300)
    {
        int result = 0;
        output += StdoutOf([&] {
            for (int t = 0; t < limit; ++t)
                if (done(result = Tick()))
                    break;
        });
        return result;
    }
    int TickUntilResult() { return TickUntil([](int r) { return r != 0; }); }

    /// Brown has turned into the antler form.
    void BecomeAntler()
    {
        Plain(0)->Metamorphose();
        ASSERT_EQ(TickUntilResult(), 10);
        ASSERT_EQ(tested->players[0], gAntlerAncestor);
    }

    cCommonResources* const store = s_resources.get();
    cRecordedEffects effects;
    cRecordingSoundLibrary& sounds = effects.sounds;
    std::unique_ptr<cTestArea> tested;
};

TEST_F(AreaTickFormsTest, TheAntlerFormBringsTheLandOfFirefliesAndSendsTheOthersAwayAsFireflies)
{
    const b2Vec2 brownCentre = Plain(0)->GetCenter();
    BecomeAntler();
    EXPECT_NE(output.find("ANTLER TIME! \n"), std::string::npos);
    EXPECT_NE(output.find("returning 10 \n"), std::string::npos);
    EXPECT_TRUE(gAntlerAncestor->HasBody());
    EXPECT_NEAR(gAntlerAncestor->GetCenter().x, brownCentre.x + 2.0f, 0.5f);
    for (int id : {1, 2}) {
        EXPECT_FALSE(Plain(id)->HasBody()) << id;
        EXPECT_TRUE(store->GetFireFly(id - 1)->IsSpawned()) << id;
    }
    const std::vector<int> effects = sounds.Take();
    EXPECT_NE(std::find(effects.begin(), effects.end(), 12), effects.end());
    EXPECT_NE(std::find(effects.begin(), effects.end(), 13), effects.end());

    // The weight starts rising with the next tick and stops at 1 after a second.
    EXPECT_FLOAT_EQ(tested->lofWeight, 0.0f);
    Tick();
    EXPECT_FLOAT_EQ(tested->lofWeight, 0.02f);
    for (int t = 0; t < 60; ++t)
        Tick();
    EXPECT_FLOAT_EQ(tested->lofWeight, 1.0f);
    EXPECT_FLOAT_EQ(tested->lofSpeed, 0.0f);
}

TEST_F(AreaTickFormsTest, TurningBackBringsTheDayAndTheFirefliesBringTheOthersBack)
{
    BecomeAntler();
    for (int t = 0; t < 60; ++t)
        Tick();
    gAntlerAncestor->Metamorphose();
    ASSERT_EQ(TickUntilResult(), 10);
    EXPECT_NE(output.find("AntlerAncestor TIME DONE NOW... \n"), std::string::npos);
    EXPECT_EQ(tested->players[0], Plain(0));
    EXPECT_TRUE(Plain(0)->HasBody());
    EXPECT_FALSE(gAntlerAncestor->HasBody());
    EXPECT_FLOAT_EQ(tested->lofSpeed, -0.02f);

    TickUntil([&](int) { return Plain(1)->HasBody() && Plain(2)->HasBody(); }, 400);
    for (int id : {1, 2}) {
        ASSERT_TRUE(Plain(id)->HasBody()) << id;
        const b2Vec2 fly = store->GetFireFly(id - 1)->GetPosition();
        EXPECT_NEAR(Plain(id)->GetPosition().x, fly.x + 3.0f, 1.0f) << id;
        EXPECT_FALSE(Plain(id)->IsDroppedThisTick()) << "cleared after the step";
    }
    for (int t = 0; t < 50; ++t)
        Tick();
    EXPECT_FLOAT_EQ(tested->lofWeight, 0.0f);
}

TEST_F(AreaTickFormsTest, TheBatKingBringsTheBatLandAndTakesItAwayWhenItTurnsBack)
{
    tested->AddPhysicsBody(100.0f, 40.0f, 20.0f, 4.0f, BODY_BAT_KING_ONLY, 0);
    cPhysicsBody* batTerrain = tested->bodies.back();
    Plain(2)->Metamorphose();
    TickUntil([&](int) { return tested->players[2] == gBatKing; });
    ASSERT_EQ(tested->players[2], gBatKing);
    EXPECT_TRUE(tested->batLand);
    EXPECT_TRUE(batTerrain->IsInWorld());

    gBatKing->Metamorphose();
    TickUntil([&](int) { return tested->players[2] == Plain(2); }, 600);
    ASSERT_EQ(tested->players[2], Plain(2));
    EXPECT_FALSE(tested->batLand);
    EXPECT_FALSE(batTerrain->IsInWorld());
}

TEST_F(AreaTickFormsTest, TheSpiritTakesOrangesPlaceAndGivesItBack)
{
    Plain(1)->Metamorphose();
    TickUntil([&](int) { return tested->players[1] == gRainbowSpirit; });
    ASSERT_EQ(tested->players[1], gRainbowSpirit);
    EXPECT_TRUE(gRainbowSpirit->HasBody());

    gRainbowSpirit->Metamorphose();
    TickUntil([&](int) { return tested->players[1] == Plain(1); });
    ASSERT_EQ(tested->players[1], Plain(1));
    EXPECT_TRUE(Plain(1)->HasBody());
}

TEST_F(AreaTickFormsTest, SwitchedTerrainOpensInsideTheBubblesAndClosesOnWhoeverStandsInIt)
{
    // The bat king stands by orange, inside switched terrain wide enough for its first bubble
    // wherever that lands; more switched terrain lies far away from everyone.
    const b2Vec2 orange = Plain(1)->GetCenter();
    tested->players[2]->Reset();
    tested->players[2] = gBatKing;
    gBatKing->Init(tested->GetWorld(), orange.x + 2.0f, 0.0f);
    tested->batLand = true;
    tested->AddPhysicsBody(orange.x - 20.0f, -20.0f, 45.0f, 45.0f, BODY_BAT_SWITCHED, 0);
    cPhysicsBody* aroundOrange = tested->bodies.back();
    tested->AddPhysicsBody(150.0f, 0.0f, 20.0f, 30.0f, BODY_BAT_SWITCHED, 0);
    cPhysicsBody* farAway = tested->bodies.back();
    Tick();
    EXPECT_TRUE(aroundOrange->IsActive()) << "passable inside a bubble";
    EXPECT_FALSE(farAway->IsActive());
    EXPECT_NE(Plain(1)->GetState(), PLAYER_DIE);
    EXPECT_NE(gBatKing->GetState(), PLAYER_DIE);

    // Without the bat king's bubbles it closes and catches orange.
    tested->players[2] = Plain(2);
    sounds.Take();
    Tick();
    EXPECT_FALSE(aroundOrange->IsActive());
    EXPECT_EQ(Plain(1)->GetState(), PLAYER_DIE);
    EXPECT_EQ(sounds.Take(), std::vector<int>{40});

    // Without the bat land the terrain is left as it is.
    tested->batLand = false;
    aroundOrange->SetActive(true, tested->GetWorld());
    Tick();
    EXPECT_TRUE(aroundOrange->IsActive());
}

TEST_F(AreaTickFormsTest, APausedAreaStandsStill)
{
    Plain(0)->SetPosition(-60.0f, 50.0f);
    tested->lofSpeed = 0.02f;
    tested->paused = true;
    EXPECT_EQ(Tick(), 0);
    EXPECT_FLOAT_EQ(Plain(0)->GetPosition().y, 50.0f);
    EXPECT_FLOAT_EQ(tested->lofWeight, 0.0f);
    tested->paused = false;
    Tick();
    EXPECT_LT(Plain(0)->GetPosition().y, 50.0f);
    EXPECT_FLOAT_EQ(tested->lofWeight, 0.02f);
}

} // namespace

// Control passing between the characters of an area, forms taking a character's place and giving
// it back, and the bat land, on the game's characters standing in a real world.
#include "CharacterArea.h"

#include "world/AreaRoster.h"

#include "engine/Image.h"

#include <cmath>

namespace {

class AreaRosterTest : public CharacterArea
{
protected:
    cAreaRoster Roster() { return cAreaRoster(area); }

    /// Ticks until the character has turned (at most limit ticks); true when it has.
    bool TickUntilState(const cPlayerChar& c, int state, int limit = 200)
    {
        for (int t = 0; t < limit && c.GetState() != state; ++t)
            Tick();
        return c.GetState() == state;
    }
};

TEST_F(AreaRosterTest, NextAndPreviousGoRoundThePresentCharactersWithTheirSwitchSound)
{
    Enter({&brown, &orange, &gray}, 2);
    Roster().SwitchPlayer(true, false, false);
    EXPECT_EQ(area.currentPlayer, 0);
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_FLOAT_EQ(sounds.played[0].volume, 0.4f);
    EXPECT_EQ(sounds.Take(), std::vector<int>{54});
    Roster().SwitchPlayer(false, false, false);
    EXPECT_EQ(area.currentPlayer, 2);
    EXPECT_EQ(sounds.Take(), std::vector<int>{56});

    // A character that is not present (dying here) is passed over.
    orange.Die(true);
    Roster().SwitchPlayer(false, false, false);
    EXPECT_EQ(area.currentPlayer, 0);
}

TEST_F(AreaRosterTest, WithOnePresentCharacterNothingHappensUnlessReselected)
{
    Enter({&brown, &orange, &gray}, 0);
    orange.Die(true);
    gray.Die(true);
    Roster().SwitchPlayer(true, false, false);
    EXPECT_EQ(area.currentPlayer, 0);
    EXPECT_TRUE(sounds.Take().empty());

    Roster().SwitchPlayer(true, true, false);
    EXPECT_EQ(area.currentPlayer, 0);
    EXPECT_EQ(sounds.Take(), std::vector<int>{54}) << "deselected and selected again";
}

TEST_F(AreaRosterTest, SwitchingIsRefusedWhileACharacterChangesForm)
{
    Enter({&brown, &orange, &gray}, 0);
    EXPECT_TRUE(Roster().CanSwitchPlayer());
    gray.Metamorphose();
    EXPECT_FALSE(Roster().CanSwitchPlayer());
    Roster().SwitchPlayer(true, false, false);
    EXPECT_EQ(area.currentPlayer, 0);

    area.currentPlayer = -1;
    EXPECT_FALSE(Roster().CanSwitchPlayer()) << "nobody under control";
}

TEST_F(AreaRosterTest, TheAntlerFormAloneLeavesNobodyUnderControlWhenReselected)
{
    Enter({&antler, &orange, &gray}, 0);
    orange.Die(true);
    gray.Die(true);
    Roster().SwitchPlayer(true, true, true);
    EXPECT_EQ(area.currentPlayer, -1);
    EXPECT_TRUE(sounds.Take().empty());
}

TEST_F(AreaRosterTest, SwitchToPlayerMovesControlSilentlyAndDropsItOnlyWhenAsked)
{
    Enter({&brown, &orange, &gray}, 0);
    Roster().SwitchToPlayer(1, false);
    EXPECT_EQ(area.currentPlayer, 1);
    EXPECT_TRUE(sounds.Take().empty());
    Roster().SwitchToPlayer(7, false);
    EXPECT_EQ(area.currentPlayer, 1);
    Roster().SwitchToPlayer(-1, true);
    EXPECT_EQ(area.currentPlayer, -1);
    Roster().SwitchToPlayer(0, false);
    EXPECT_EQ(area.currentPlayer, -1) << "nobody under control: nothing to move";
}

struct sReplacement
{
    int index;
    bool formReplacesPlain;
    b2Vec2 centreShift;
};

class ReplacePlayerTest : public AreaRosterTest, public ::testing::WithParamInterface<sReplacement>
{
};

TEST_P(ReplacePlayerTest, TheNewCharacterTakesTheOldCentreUpToItsOffset)
{
    const sReplacement& row = GetParam();
    cPlayerChar* plain[] = {&brown, &orange, &gray};
    cPlayerChar* forms[] = {&antler, &spirit, &batKing};
    cPlayerChar* old = row.formReplacesPlain ? plain[row.index] : forms[row.index];
    cPlayerChar* next = row.formReplacesPlain ? forms[row.index] : plain[row.index];
    std::vector<cPlayerChar*> roster = {&brown, &orange, &gray};
    roster[static_cast<size_t>(row.index)] = old;
    Enter({roster[0], roster[1], roster[2]}, 0);
    const b2Vec2 oldCentre = old->GetCenter();

    Roster().ReplacePlayer(row.index, next);

    EXPECT_EQ(area.players[static_cast<size_t>(row.index)], next);
    EXPECT_FALSE(old->HasBody());
    ASSERT_TRUE(next->HasBody());
    const b2Vec2 shift = next->GetCenter() - oldCentre;
    EXPECT_NEAR(shift.x, row.centreShift.x, 1e-3f);
    EXPECT_NEAR(shift.y, row.centreShift.y, 1e-3f);
}

INSTANTIATE_TEST_SUITE_P(Offsets, ReplacePlayerTest,
                         ::testing::Values(sReplacement{0, true, {2.0f, 0.0f}}, sReplacement{0, false, {-2.0f, 0.0f}},
                                           sReplacement{1, true, {-4.0f, 0.5f}}, sReplacement{1, false, {3.0f, 0.5f}},
                                           sReplacement{2, true, {0.0f, 0.5f}}, sReplacement{2, false, {0.0f, 0.5f}}));

TEST_F(AreaRosterTest, TheBatLandBringsItsTerrainOnceAndTakesItAway)
{
    area.AddPhysicsBody(0.0f, 40.0f, 20.0f, 4.0f, BODY_BAT_KING_ONLY, 0);
    area.AddPhysicsBody(30.0f, 40.0f, 20.0f, 4.0f, BODY_BAT_KING_PLATFORM, 0);
    cPhysicsBody* batOnly = area.bodies[1];
    cPhysicsBody* batPlatform = area.bodies[2];
    ASSERT_FALSE(batOnly->IsInWorld());

    Roster().EnterBatLand();
    EXPECT_TRUE(area.batLand);
    EXPECT_TRUE(batOnly->IsInWorld());
    EXPECT_TRUE(batPlatform->IsInWorld());
    const int bodies = area.GetWorld()->GetBodyCount();
    Roster().EnterBatLand();
    EXPECT_EQ(area.GetWorld()->GetBodyCount(), bodies) << "a second call adds nothing";

    Roster().LeaveBatLand();
    EXPECT_FALSE(area.batLand);
    EXPECT_FALSE(batOnly->IsInWorld());
    EXPECT_FALSE(batPlatform->IsInWorld());
    EXPECT_TRUE(area.bodies[0]->IsInWorld()) << "the ground stays";
}

TEST_F(AreaRosterTest, ControlReachingTheBatKingStartsTheBatLand)
{
    Enter({&brown, &orange, &batKing}, 0);
    Roster().SwitchToPlayer(2, false);
    EXPECT_TRUE(area.batLand);

    area.batLand = false;
    Roster().SwitchPlayer(true, false, false);
    EXPECT_FALSE(area.batLand);
    Roster().SwitchPlayer(false, false, false);
    EXPECT_EQ(area.currentPlayer, 2);
    EXPECT_TRUE(area.batLand);
}

TEST_F(AreaRosterTest, FormsAreFoundByTheIdOfTheCharacterTheyReplace)
{
    Enter({&antler, &orange, &batKing}, 0);
    EXPECT_EQ(Roster().GetBrown(), &antler);
    EXPECT_EQ(Roster().GetOrange(), &orange);
    EXPECT_EQ(Roster().GetGray(), &batKing);

    EXPECT_FALSE(Roster().MorphGray()) << "no bat-land picture";
    area.batlandPicture = std::make_unique<cImage>(0.0f, 0.0f, 512.0f, 512.0f);
    EXPECT_TRUE(Roster().MorphGray()) << "already the form";
    EXPECT_NE(batKing.GetState(), PLAYER_METAMORPHOSIS);
    EXPECT_TRUE(Roster().MorphOrange());
    EXPECT_EQ(orange.GetState(), PLAYER_METAMORPHOSIS);

    area.players.pop_back();
    EXPECT_FALSE(Roster().MorphGray());
}

} // namespace

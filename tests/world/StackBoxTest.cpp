// Stack boxes in the area's real world: characters standing on the pedestal and on each other lock
// into its cells, and the tower its type asks for starts the metamorphosis of the characters it
// names; a frame changer asks the area for its other frame set instead.
#include "BoxArea.h"

#include "world/AreaLook.h"
#include "world/AreaRoster.h"

#include "actors/AntlerAncestor.h"
#include "actors/CommonHeartBox.h"
#include "actors/SharedActors.h"
#include "actors/StackBoxFrameConfig.h"
#include "engine/SharedAssets.h"

namespace {

constexpr float kBoxX = 40.0f;
/// Where a character stands in a cell: over the pedestal, one character height per cell.
constexpr float kCellX = kBoxX + 1.5f;
constexpr float kCellY[] = {7.0f, 22.0f, 37.0f};
constexpr int kIncomplete = 14;
constexpr int kFrameSwitch = 6;

class StackBoxTest : public BoxArea
{
protected:
    /// Puts the characters of ids bottom, middle, top into the cells one after another, each let
    /// settle before the next arrives.
    void BuildTower(std::initializer_list<cPlayerChar*> tower)
    {
        int cell = 0;
        for (cPlayerChar* c : tower) {
            Place(c, kCellX, kCellY[cell++] + 0.5f);
            Tick(10);
        }
    }
    cPlayerChar* Occupant(cStackBox& box, StackSensor::ePosition p) { return box.GetSensor(p).GetOccupant(); }
};

TEST_F(StackBoxTest, ATowerInTheOrderItsTypeAsksForChangesTheCharactersItNames)
{
    struct sTower
    {
        uint16_t type;
        int bottom, middle, top;
        /// How many, from the top, change form.
        int changing;
    };
    const sTower towers[] = {
        {0, 2, 1, 0, 1}, {1, 2, 0, 1, 1}, {2, 0, 1, 2, 1}, {3, 0, 2, 1, 0},
        {4, 2, 1, 0, 2}, {5, 1, 2, 0, 2}, {6, 0, 2, 1, 2}, {7, 2, 1, 0, 3},
    };
    for (const sTower& t : towers) {
        SCOPED_TRACE("type " + std::to_string(t.type));
        NewArea();
        boxes->AddStackBox(static_cast<int>(kBoxX), 0, t.type);
        cStackBox& box = *boxes->GetStackBoxes().back();
        cPlayerChar* tower[] = {Plain(t.bottom), Plain(t.middle), Plain(t.top)};
        BuildTower({tower[0], tower[1]});
        TakeSounds();
        EXPECT_EQ(CountOf(kIncomplete), 2) << "each of the first two plays the unfinished tower";
        EXPECT_EQ(Occupant(box, StackSensor::BOTTOM), tower[0]);
        EXPECT_EQ(Occupant(box, StackSensor::MIDDLE), tower[1]);
        ASSERT_TRUE(box.IsArmed());

        Place(tower[2], kCellX, kCellY[2] + 0.5f);
        Tick();
        EXPECT_EQ(Occupant(box, StackSensor::TOP), tower[2]);
        EXPECT_FALSE(box.IsArmed()) << "solved";
        EXPECT_EQ(box.Update(kTick), t.type) << "reported once";
        EXPECT_EQ(box.Update(kTick), -1);
        for (int level = 0; level < 3; ++level) {
            const bool changes = 2 - level < t.changing;
            EXPECT_EQ(tower[level]->GetState() == PLAYER_METAMORPHOSIS, changes) << "cell " << level;
        }
    }
}

TEST_F(StackBoxTest, BrownOnTopOfTheBrownBoxBecomesTheAntlerFormAndTheAreaArmsTheBoxesAsFormsComeAndGo)
{
    boxes->AddStackBox(static_cast<int>(kBoxX), 0, 0);
    cStackBox& box = *boxes->GetStackBoxes().back();
    BuildTower({Plain(2), Plain(1)});
    // The middle cell's indicator names who belongs on top: brown.
    EXPECT_EQ(box.GetSensor(StackSensor::MIDDLE).GetIndicator(), StackSensor::INDICATOR_BROWN);
    EXPECT_EQ(box.GetSensor(StackSensor::TOP).GetRequiredId(), 0);
    Place(Plain(0), kCellX, kCellY[2] + 0.5f);
    Tick(10);
    EXPECT_EQ(Plain(0)->GetState(), PLAYER_METAMORPHOSIS);
    ASSERT_EQ(TickUntilReport(), 10);
    EXPECT_EQ(boxes->players[0], gAntlerAncestor);
    EXPECT_TRUE(gAntlerAncestor->HasBody());
    EXPECT_GT(boxes->lofSpeed, 0.0f) << "the Land of Fireflies comes";
    EXPECT_FALSE(box.IsArmed());
    // With a form about, arming is refused; brown back in its place arms the boxes again.
    cAreaRoster(*boxes).ArmStackBoxes(true);
    EXPECT_FALSE(box.IsArmed());
    gAntlerAncestor->Metamorphose();
    ASSERT_EQ(TickUntilReport(), 10);
    EXPECT_EQ(boxes->players[0], Plain(0));
    EXPECT_TRUE(box.IsArmed());
    // The bat land holds the towers still while it lasts.
    cAreaRoster(*boxes).EnterBatLand();
    EXPECT_FALSE(box.IsArmed());
    cAreaRoster(*boxes).LeaveBatLand();
    EXPECT_TRUE(box.IsArmed());
}

TEST_F(StackBoxTest, ATowerThatHoldsAnAncestorFormIsNoTowerForAPlainBox)
{
    boxes->AddStackBox(static_cast<int>(kBoxX), 0, 0);
    cStackBox& box = *boxes->GetStackBoxes().back();
    BuildTower({Plain(2), Plain(1)});
    // Brown's antler form stands where brown belongs: the tower is full, in the order asked for.
    Place(gAntlerAncestor, kCellX - 1.0f, kCellY[2] + 0.5f);
    Tick();
    ASSERT_EQ(Occupant(box, StackSensor::TOP), gAntlerAncestor);
    EXPECT_TRUE(box.IsArmed());
    Tick(10);
    EXPECT_TRUE(box.IsArmed());
    EXPECT_EQ(box.Update(kTick), -1);
    EXPECT_NE(gAntlerAncestor->GetState(), PLAYER_METAMORPHOSIS) << "no form changes again";
}

TEST_F(StackBoxTest, ACellRefusesWhomTheTowerDoesNotWantAndLetsGoOfWhoDiesOrLeaves)
{
    boxes->AddStackBox(static_cast<int>(kBoxX), 0, 7);
    cStackBox& box = *boxes->GetStackBoxes().back();
    BuildTower({Plain(2), Plain(0)});
    TakeSounds();
    EXPECT_EQ(Occupant(box, StackSensor::MIDDLE), nullptr) << "the middle of this tower is orange's";
    EXPECT_EQ(CountOf(kIncomplete), 1);
    EXPECT_EQ(box.GetSensor(StackSensor::BOTTOM).GetIndicator(), StackSensor::INDICATOR_ORANGE);
    Plain(0)->Reset();
    Place(Plain(1), kCellX, kCellY[1] + 0.5f);
    Tick(10);
    ASSERT_EQ(Occupant(box, StackSensor::MIDDLE), Plain(1));

    Plain(1)->Die(true);
    Tick(2);
    EXPECT_EQ(Occupant(box, StackSensor::MIDDLE), nullptr);
    Plain(2)->Reset();
    EXPECT_EQ(Occupant(box, StackSensor::BOTTOM), nullptr);
    // The same place taken again by another: the cell is free for it.
    BuildTower({Plain(0)});
    EXPECT_EQ(Occupant(box, StackSensor::BOTTOM), Plain(0));
}

TEST_F(StackBoxTest, AFrameChangerSwitchesBackAndForthAndAOneTimeOneOnlyOnce)
{
    boxes->AddFrameChangerBox(static_cast<int>(kBoxX), 0, 0, 1, false);
    cStackBoxFrameConfig& changer = *boxes->GetFrameChangers().back();
    BuildTower({Plain(2), Plain(1)});
    Place(Plain(0), kCellX, kCellY[2] + 0.5f);
    EXPECT_EQ(TickUntilReport(), 2);
    EXPECT_EQ(boxes->GetTriggeredFrameSet(), 1);
    TakeSounds();
    EXPECT_EQ(CountOf(kFrameSwitch), 1);
    EXPECT_EQ(Tick(5), 0) << "reported once";
    // Walking about in its cell ends some points and begins others: the tower still stands.
    Tick(4, [&] { Plain(0)->Walk(FACING_RIGHT); });
    EXPECT_EQ(Tick(20), 0);
    EXPECT_FALSE(changer.IsArmed());
    EXPECT_NE(Plain(0)->GetState(), PLAYER_METAMORPHOSIS) << "nobody changes form";

    // The top one leaves and comes back: a new tower, back to the first set.
    Plain(0)->Reset();
    Tick();
    EXPECT_TRUE(changer.IsArmed());
    Place(Plain(0), kCellX, kCellY[2] + 0.5f);
    EXPECT_EQ(TickUntilReport(), 2);
    EXPECT_EQ(boxes->GetTriggeredFrameSet(), 0);

    // In the Land of Fireflies the area's arming leaves it alone.
    boxes->ApplyLoFToEntities();
    Plain(0)->Reset();
    Tick();
    EXPECT_TRUE(changer.IsArmed()) << "a character leaving arms it again";
    cAreaRoster(*boxes).ArmStackBoxes(false);
    EXPECT_TRUE(changer.IsArmed()) << "locked";
    cAreaLook(*boxes).ApplyDayToEntities();
    cAreaRoster(*boxes).ArmStackBoxes(false);
    EXPECT_FALSE(changer.IsArmed());

    NewArea();
    boxes->AddFrameChangerBox(static_cast<int>(kBoxX), 0, 3, 5, true);
    cStackBoxFrameConfig& once = *boxes->GetFrameChangers().back();
    const cAnimation* fresh = once.GetCurrentAnimation();
    // The antler form alone in the bottom cell solves it.
    Place(gAntlerAncestor, kCellX - 1.0f, kCellY[0] + 0.5f);
    EXPECT_EQ(TickUntilReport(), 2);
    EXPECT_EQ(boxes->GetTriggeredFrameSet(), 5);
    EXPECT_FALSE(once.IsUsable());
    EXPECT_NE(once.GetCurrentAnimation(), fresh);
    EXPECT_EQ(once.GetCurrentAnimation(), FindBoxBluePrint(15)->GetAnimations()[1]) << "its used look";
    gAntlerAncestor->Reset();
    Tick();
    BuildTower({Plain(2), Plain(1), Plain(0)});
    EXPECT_FALSE(once.IsArmed());
    EXPECT_EQ(boxes->GetTriggeredFrameSet(), 5) << "never again";
}

} // namespace

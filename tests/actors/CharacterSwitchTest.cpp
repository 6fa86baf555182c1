// Passing control between characters: what selecting and deselecting does to a character on the
// ground and to one inside an exit tree, and the hint bubble it opens.
#include "TreeWorld.h"

#include "engine/HintBubble.h"

#include <gmock/gmock.h>

namespace {

using ::testing::Contains;
using ::testing::IsEmpty;

/// Brown's selection bubble shows the test list's looping content.
constexpr int kBrownSwitchInfo = cActorTestAssets::kLoopingContent;

class CharacterSwitchTest : public TreeWorld
{
protected:
    void SetUp() override { PlaceOnGround("brown"); }

    /// Ticks until the bubble shows its content (at most limit ticks).
    void UntilBubbleShows(int limit = 50)
    {
        for (int t = 0; t < limit && !(character->GetHintBubble() && character->GetHintBubble()->IsShowingContent()); ++t)
            Tick();
        ASSERT_NE(character->GetHintBubble(), nullptr);
        ASSERT_TRUE(character->GetHintBubble()->IsShowingContent());
    }

    /// Walks the character into the exit standing at x = 40 and lets it be swallowed.
    void SwallowedByTheExit()
    {
        MakeExit(40.0f, 0.0f);
        for (int t = 0; t < 100 && character->GetCenter().x <= 43.0f; ++t)
            TreeTick([&] { character->Walk(FACING_RIGHT); });
        exit->RequestEnter(character->GetId());
        ASSERT_EQ(TreeTickUntilResult(200), -2);
        ASSERT_EQ(character->GetState(), PLAYER_IN_EXIT);
        ASSERT_FALSE(character->IsActive());
        assets.sounds.Take();
    }
};

TEST_F(CharacterSwitchTest, SelectedCharacterFacesThePlayerAndShowsWhoItIs)
{
    for (int t = 0; t < 10; ++t)
        Tick([&] { character->Walk(FACING_RIGHT); });
    ASSERT_TRUE(TickUntilResult(20).second == 0 && character->GetState() == PLAYER_STAND);
    ASSERT_EQ(character->GetAnimationIndex(), ANIM_STAND_RIGHT);
    EXPECT_EQ(character->GetInfoBubbleAnim(), -1);

    character->Select();
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_STAND);
    EXPECT_EQ(character->GetFacing(), FACING_NONE);
    ASSERT_NE(character->GetHintBubble(), nullptr);
    EXPECT_EQ(character->GetInfoBubbleAnim(), kBrownSwitchInfo);
    EXPECT_EQ(character->GetHintBubble()->GetTimeLeft(), 3000);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

TEST_F(CharacterSwitchTest, SelectingDuringAnIdleLetsItPlayOn)
{
    character->SetAnimation(ANIM_IDLE_BLINK, true);
    character->Select();
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_IDLE_BLINK);
    EXPECT_NE(character->GetHintBubble(), nullptr);
}

TEST_F(CharacterSwitchTest, DeselectedCharacterClosesItsBubbleAndEndsItsHeadJump)
{
    character->Select();
    UntilBubbleShows();
    Tick([&] { character->Jump(true); });
    ASSERT_TRUE(character->IsHeadJumping());
    character->Deselect();
    EXPECT_FALSE(character->IsHeadJumping());
    EXPECT_TRUE(character->IsActive());
    Tick();
    EXPECT_EQ(character->GetHintBubble()->GetShownFrame(), 1);
    EXPECT_FALSE(character->GetHintBubble()->IsShowingContent());
    // The closing bubble is gone a second later.
    for (int t = 0; t < 60; ++t)
        Tick();
    EXPECT_EQ(character->GetHintBubble(), nullptr);
    EXPECT_EQ(character->GetInfoBubbleAnim(), -1);
}

TEST_F(CharacterSwitchTest, CharacterInsideAnExitAppearsInItsMouthWhenSelected)
{
    SwallowedByTheExit();
    // The switch to the next character comes while the tree still chews the swallow.
    character->Deselect();
    EXPECT_EQ(exit->GetMouthState(), MOUTH_CHEWING);
    EXPECT_EQ(exit->GetChewTime(), 800);

    character->Select();
    EXPECT_TRUE(character->IsActive());
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_APPEAR_IN_MOUTH);
    EXPECT_EQ(character->GetFacing(), FACING_NONE);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_OPEN);
    EXPECT_EQ(character->GetPosition().x, exit->GetMouthPosition().x);
    EXPECT_EQ(character->GetPosition().y, exit->GetMouthPosition().y);
    EXPECT_EQ(character->GetInfoBubbleAnim(), kBrownSwitchInfo);
    // Reopening a chewing mouth is silent.
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    for (int t = 0; t < 10; ++t)
        EXPECT_EQ(TreeTick(), 0);
    EXPECT_EQ(character->GetState(), PLAYER_IN_EXIT);

    // Deselected again: hidden in the tree, which chews 800 ms and then shuts with its sound.
    character->Deselect();
    EXPECT_FALSE(character->IsActive());
    EXPECT_EQ(exit->GetMouthState(), MOUTH_CHEWING);
    EXPECT_EQ(exit->GetChewTime(), 800);
    int ticks = 0;
    while (exit->GetMouthState() == MOUTH_CHEWING && ticks < 100) {
        TreeTick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 40);
    EXPECT_THAT(assets.sounds.Take(), Contains(23));

    // Selected and let out: it stands at the mouth with a body again.
    character->Select();
    character->LeaveExit();
    EXPECT_TRUE(character->HasBody());
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_EQ(exit->GetSwallowedCount(), 0);
}

// ---- the hint bubble

TEST_F(CharacterSwitchTest, ShowingAgainReopensAnOpenBubbleAndReplacesAClosingOne)
{
    character->ShowInfoBubble();
    UntilBubbleShows();
    cHintBubble* first = character->GetHintBubble();
    for (int t = 0; t < 20; ++t)
        Tick();
    ASSERT_LT(first->GetTimeLeft(), 3000);

    character->ShowInfoBubble();
    EXPECT_EQ(character->GetHintBubble(), first);
    EXPECT_EQ(first->GetTimeLeft(), 3000);

    // Closing: a new bubble with what is set now.
    UntilBubbleShows();
    character->HideInfoBubble();
    character->SetInfoBubble(cActorTestAssets::kOnceContent, 5000);
    character->ShowInfoBubble();
    EXPECT_NE(character->GetHintBubble(), first);
    EXPECT_EQ(character->GetInfoBubbleAnim(), cActorTestAssets::kOnceContent);
    EXPECT_EQ(character->GetHintBubble()->GetTimeLeft(), 5000);
}

TEST_F(CharacterSwitchTest, NewContentShowsAtOnceAndServesTheNextBubbleUntilTheCharacterTicks)
{
    character->ShowInfoBubble();
    UntilBubbleShows();
    // A content that plays once closes the bubble when it ends; the looping one never would.
    character->SetInfoBubble(cActorTestAssets::kOnceContent, 1500);
    EXPECT_EQ(character->GetBubbleContent(), cActorTestAssets::kOnceContent);
    EXPECT_EQ(character->GetBubbleTime(), 1500);
    // The bubble keeps the content it opened with as its own.
    EXPECT_EQ(character->GetInfoBubbleAnim(), kBrownSwitchInfo);
    Tick();
    EXPECT_EQ(character->GetBubbleContent(), kBrownSwitchInfo);
    for (int t = 0; t < cActorTestAssets::kOnceMs / kTick + 1; ++t)
        Tick();
    EXPECT_EQ(character->GetHintBubble()->GetShownFrame(), 1);

    // Without a bubble, the content waits for the next one.
    for (int t = 0; t < 60; ++t)
        Tick();
    ASSERT_EQ(character->GetHintBubble(), nullptr);
    character->SetInfoBubble(cActorTestAssets::kOnceContent, 0);
    character->ShowInfoBubble();
    EXPECT_EQ(character->GetInfoBubbleAnim(), cActorTestAssets::kOnceContent);

    character->RestoreInfoBubble();
    EXPECT_EQ(character->GetBubbleContent(), kBrownSwitchInfo);
    EXPECT_EQ(character->GetBubbleTime(), 3000);
}

} // namespace

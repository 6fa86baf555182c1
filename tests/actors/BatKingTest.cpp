// The bat king in a real world: its first bubble where it is placed, one more every 1800 ms at its
// centre up to six, bubbles that pulse and follow it, and that shrink away when it leaves the
// world, a change back waiting for them.
#include "CharacterWorld.h"

#include "actors/BatKing.h"
#include "actors/BatLandBubble.h"
#include "tests/support/StdoutOf.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kTicksPerBubble = cBatKing::kBubbleIntervalMs / 20 + 1;

class BatKingTest : public CharacterWorld
{
protected:
    /// The bat king from file above 400 units of ground whose top is at y = 0.
    void PlaceAbove(float y, const QString& file = CharacterFile("batking"))
    {
        AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
        batKing = Place<cBatKing>(file, 0.0f, y);
    }
    float LargestRadius() const
    {
        float r = 0.0f;
        for (int i = 0; i < batKing->GetBubbleCount(); ++i)
            r = std::max(r, batKing->GetBubble(i)->GetRadius());
        return r;
    }
    bool AllEnding() const
    {
        for (int i = 0; i < batKing->GetBubbleCount(); ++i)
            if (!batKing->GetBubble(i)->IsEnding())
                return false;
        return true;
    }

    cBatKing* batKing = nullptr;
};

TEST_F(BatKingTest, MakesABubbleWhereItIsPlacedAndAnotherAtItsCentreWhereItLands)
{
    PlaceAbove(60.0f);
    EXPECT_TRUE(batKing->IsBatKing());
    ASSERT_EQ(batKing->GetBubbleCount(), 1);
    const cBatLandBubble* first = batKing->GetBubble(0);
    const b2Vec2 offset = first->GetOffset();
    EXPECT_LE(std::fabs(offset.x), cBatKing::kBubbleSpread);
    EXPECT_LE(std::fabs(offset.y), cBatKing::kBubbleSpread);
    EXPECT_EQ(offset.x, std::trunc(offset.x));
    EXPECT_EQ(offset.y, std::trunc(offset.y));
    EXPECT_EQ(first->GetCenter(), b2Vec2(0.0f, 60.0f) + offset);
    EXPECT_FLOAT_EQ(first->GetRadius(), cBatLandBubble::kStartRadius);

    // It falls and lands; the bubble drifts after it.
    int ticks = 0;
    while (batKing->GetState() != PLAYER_LAND && ticks < 80) {
        Tick();
        ++ticks;
    }
    ASSERT_EQ(batKing->GetState(), PLAYER_LAND);
    ASSERT_LT(ticks, kTicksPerBubble);
    for (int t = 0; t < 40; ++t, ++ticks)
        Tick();
    const b2Vec2 landed = batKing->GetCenter();
    EXPECT_NEAR(landed.y, 7.5f, 0.05f);
    EXPECT_LT((first->GetCenter() - (landed + offset)).Length(), 0.5f);

    while (batKing->GetBubbleCount() == 1 && ticks < 200) {
        Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, kTicksPerBubble);
    ASSERT_EQ(batKing->GetBubbleCount(), 2);
    const cBatLandBubble* second = batKing->GetBubble(1);
    EXPECT_LT((second->GetCenter() - second->GetOffset() - landed).Length(), 0.05f);
    EXPECT_LE(std::fabs(second->GetOffset().x), cBatKing::kBubbleSpread);
    EXPECT_FLOAT_EQ(second->GetRadius(), cBatLandBubble::kStartRadius);
}

TEST_F(BatKingTest, KeepsAtMostSixBubblesOneEvery1800Ms)
{
    PlaceAbove(0.0f);
    std::vector<int> madeAt;
    int count = batKing->GetBubbleCount();
    for (int t = 1; t <= 20 * kTicksPerBubble; ++t) {
        Tick();
        if (batKing->GetBubbleCount() != count)
            madeAt.push_back(t);
        count = batKing->GetBubbleCount();
        ASSERT_LE(count, cBatKing::kMaxBubbles);
    }
    EXPECT_EQ(count, cBatKing::kMaxBubbles);
    ASSERT_EQ(madeAt.size(), 5u);
    for (size_t i = 0; i < madeAt.size(); ++i)
        EXPECT_EQ(madeAt[i], static_cast<int>(i + 1) * kTicksPerBubble);
}

TEST_F(BatKingTest, BubblesReachTheBodiesTheyOverlap)
{
    PlaceAbove(0.0f);
    for (int t = 0; t < 80; ++t)
        Tick();
    ASSERT_EQ(batKing->GetBubbleCount(), 1);
    const cBatLandBubble* bubble = batKing->GetBubble(0);
    const b2Vec2 c = bubble->GetCenter();
    const float r = bubble->GetRadius();
    ASSERT_GT(r, 15.0f);
    // Boxes reaching into the bubble's square from the right, and just short of it.
    cPhysicsBody* reaching = AddTerrain(c.x + r - 1.0f, c.y, 10.0f, 10.0f, BODY_BAT_SWITCHED);
    cPhysicsBody* beside = AddTerrain(c.x + r + 0.5f, c.y + 40.0f, 10.0f, 10.0f, BODY_BAT_SWITCHED);
    cPhysicsBody* far = AddTerrain(c.x + r + 60.0f, c.y, 10.0f, 10.0f, BODY_BAT_SWITCHED);
    EXPECT_TRUE(batKing->BubbleContains(reaching));
    EXPECT_FALSE(batKing->BubbleContains(beside));
    EXPECT_FALSE(batKing->BubbleContains(far));
}

TEST_F(BatKingTest, DeathTakesTheBubblesAlong)
{
    PlaceAbove(0.0f);
    for (int t = 0; t < kTicksPerBubble + 60; ++t)
        Tick();
    ASSERT_EQ(batKing->GetBubbleCount(), 2);
    batKing->Die(true);
    EXPECT_TRUE(AllEnding());
    EXPECT_FLOAT_EQ(batKing->GetBubble(0)->GetGrowth(), -cBatKing::kEndSpeed);
    EXPECT_EQ(Tick(), 10);
    int result = 0;
    for (int t = 0; t < 4 * kTicksPerBubble && result == 0; ++t) {
        result = Tick();
        EXPECT_LE(batKing->GetBubbleCount(), 2);
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(batKing->GetBubbleCount(), 0);
}

TEST_F(BatKingTest, SwallowedByAnExitItsBubblesEndAndNoneComeInside)
{
    PlaceAbove(0.0f);
    for (int t = 0; t < 10; ++t)
        Tick();
    batKing->EnterExit(nullptr);
    EXPECT_TRUE(AllEnding());
    const auto [ticks, result] = TickUntilResult(200);
    ASSERT_EQ(result, -2);
    EXPECT_EQ(batKing->GetBubbleCount(), 0);
    batKing->SetActive(true);
    for (int t = 0; t < 2 * kTicksPerBubble; ++t)
        Tick();
    EXPECT_EQ(batKing->GetBubbleCount(), 0);
}

TEST_F(BatKingTest, ChangeBackWaitsUntilEveryBubbleHasShrunkAway)
{
    // A file whose change animation is over in one tick, so the bubbles are what it waits for.
    PlaceAbove(0.0f, ":/actorstest/quickchange.xml");
    for (int t = 0; t < 200; ++t)
        Tick();
    const float largest = LargestRadius();
    ASSERT_GT(largest, 10.0f);
    batKing->Metamorphose();
    ASSERT_EQ(batKing->GetState(), PLAYER_METAMORPHOSIS);
    EXPECT_TRUE(AllEnding());
    const auto [ticks, result] = TickUntilResult(200);
    EXPECT_EQ(result, 9);
    EXPECT_EQ(LargestRadius(), 0.0f);
    EXPECT_GE(ticks, static_cast<int>(largest / cBatKing::kMetamorphosisEndSpeed));
}

TEST_F(BatKingTest, RefusedChangeLeavesTheBubblesPulsing)
{
    PlaceAbove(0.0f);
    Tick();
    batKing->SetMayMetamorphose(false);
    batKing->Metamorphose();
    EXPECT_NE(batKing->GetState(), PLAYER_METAMORPHOSIS);
    EXPECT_FALSE(batKing->GetBubble(0)->IsEnding());
    EXPECT_GT(batKing->GetBubble(0)->GetGrowth(), 0.0f);
}

TEST_F(BatKingTest, ResetDeletesTheBubblesAndAFormWithoutBodyMakesNone)
{
    PlaceAbove(0.0f);
    for (int t = 0; t < 30; ++t)
        Tick();
    batKing->Reset();
    EXPECT_EQ(batKing->GetBubbleCount(), 0);
    EXPECT_EQ(batKing->GetBubbleTimer(), 0);
    EXPECT_EQ(batKing->GetBubble(0), nullptr);

    cBatKing noBody;
    StdoutOf([&] { EXPECT_FALSE(noBody.LoadFromXml("res/xml/PlayerCharacters/nobody.xml")); });
    StdoutOf([&] { noBody.Init(&world, 0.0f, 0.0f); });
    EXPECT_EQ(noBody.GetBubbleCount(), 0);
}

// ---- one bubble

TEST(BatLandBubbleTest, PulsesBetweenNothingAndADrawnLargestRadius)
{
    cBatLandBubble bubble(10.0f, 20.0f, 3.0f, -4.0f);
    EXPECT_EQ(bubble.GetCenter(), b2Vec2(13.0f, 16.0f));
    float largest = bubble.GetLargestRadius();
    EXPECT_GE(largest, 30.0f);
    EXPECT_LE(largest, 36.0f);

    float expected = cBatLandBubble::kStartRadius;
    float growth = cBatLandBubble::kGrowth;
    int turns = 0;
    for (int t = 0; t < 2000; ++t) {
        EXPECT_EQ(bubble.Update(false, 0.0f, 0.0f), cBatLandBubble::RESULT_NONE);
        expected += growth;
        if (growth > 0.0f && expected >= largest) {
            expected = largest;
            growth = -growth;
            ++turns;
        }
        if (growth < 0.0f && expected <= 0.0f) {
            expected = 0.0f;
            growth = -growth;
            largest = bubble.GetLargestRadius();
            EXPECT_GE(largest, 30.0f);
            EXPECT_LE(largest, 36.0f);
            ++turns;
        }
        ASSERT_FLOAT_EQ(bubble.GetRadius(), expected) << t;
    }
    EXPECT_GE(turns, 10);
    EXPECT_EQ(bubble.GetCenter(), b2Vec2(13.0f, 16.0f));
}

TEST(BatLandBubbleTest, FollowsAnEighthOfTheWayPerTick)
{
    cBatLandBubble bubble(0.0f, 0.0f, 5.0f, 5.0f);
    b2Vec2 expected(5.0f, 5.0f);
    for (int t = 0; t < 30; ++t) {
        bubble.Update(true, 80.0f, -40.0f);
        expected += 0.125f * (b2Vec2(85.0f, -35.0f) - expected);
        EXPECT_NEAR(bubble.GetCenter().x, expected.x, 1e-3f);
        EXPECT_NEAR(bubble.GetCenter().y, expected.y, 1e-3f);
    }
}

TEST(BatLandBubbleTest, EndedBubbleShrinksAwayAndReportsOnce)
{
    cBatLandBubble bubble(0.0f, 0.0f, 0.0f, 0.0f);
    for (int t = 0; t < 100; ++t)
        bubble.Update(false, 0.0f, 0.0f);
    const float r = bubble.GetRadius();
    bubble.EndWith(2.0f);
    const int ticks = static_cast<int>(std::ceil(r / 2.0f));
    for (int t = 1; t < ticks; ++t)
        ASSERT_EQ(bubble.Update(false, 0.0f, 0.0f), cBatLandBubble::RESULT_NONE) << t;
    EXPECT_EQ(bubble.Update(false, 0.0f, 0.0f), cBatLandBubble::RESULT_GONE);
    EXPECT_EQ(bubble.GetRadius(), 0.0f);
}

} // namespace

// The first area's heart tree with the game's tree file in a real world: it lets brown out in the
// 201st tick, one more character for a pink heart eaten while its mouth is free, leaps once with
// its picture playing alone, and then rises with its big heart.
#include "TreeWorld.h"

#include "actors/Level0EnterTree.h"
#include "tests/support/StdoutOf.h"

#include <gmock/gmock.h>

namespace {

using ::testing::Contains;

constexpr const char* kTreeFile = "res/xml/actors/SpecialTrees/Level0EnterTree.xml";
constexpr int kLeapEffect = 77;

class Level0EnterTreeTest : public TreeWorld
{
protected:
    Level0EnterTreeTest()
    {
        AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
        tree = std::make_unique<cLevel0EnterTree>(kTreeFile, &world, 0.0f, 0.0f);
        for (const char* name : {"brown", "orange", "gray"}) {
            characters.push_back(Load(name));
            characters.back()->Reset();
            tree->Enqueue(characters.back().get());
        }
    }
    ~Level0EnterTreeTest() override
    {
        tree.reset();
        for (auto& c : characters)
            c->Reset();
    }

    /// Ticks the tree until it reports something other than nothing (at most limit ticks): the
    /// number of ticks taken and the report.
    std::pair<int, int> TickUntilReport(int limit)
    {
        for (int t = 1; t <= limit; ++t) {
            const int result = tree->Update(kTick);
            Step();
            if (result != cLevel0EnterTree::RESULT_NONE)
                return {t, result};
        }
        return {limit, cLevel0EnterTree::RESULT_NONE};
    }

    std::unique_ptr<cLevel0EnterTree> tree;
    std::vector<std::unique_ptr<cPlayerChar>> characters;
};

TEST_F(Level0EnterTreeTest, BrownComesOutFirstThenOneCharacterForAPinkHeartEatenWhileTheMouthIsFree)
{
    EXPECT_EQ(tree->GetAnimationCount(), 40);
    ASSERT_EQ(TickUntilReport(300), std::make_pair(201, 0));
    EXPECT_TRUE(characters[0]->HasBody());
    EXPECT_EQ(characters[0]->GetPosition(), tree->GetMouthPosition());

    // Brown's way out leaves the mouth chewing: a pink heart then counts and lets nobody out.
    ASSERT_EQ(tree->GetMouthState(), MOUTH_CHEWING);
    tree->EatHeart(1);
    EXPECT_EQ(TickUntilReport(400).second, cLevel0EnterTree::RESULT_NONE);
    // A green heart and a heart worth two let nobody out; two pink hearts in a row let out one.
    tree->EatHeart(-1);
    tree->EatHeart(2);
    tree->EatHeart(1);
    tree->EatHeart(1);
    // 2 s to the opening, the tick that opens, 1 s to the release, the tick that releases.
    EXPECT_EQ(TickUntilReport(400), std::make_pair(151, 1));
    EXPECT_EQ(TickUntilReport(400).second, cLevel0EnterTree::RESULT_NONE) << "the second heart set the same opening";
    tree->EatHeart(1);
    EXPECT_EQ(TickUntilReport(400), std::make_pair(151, 2));
    EXPECT_EQ(tree->GetScore(), 5);
}

TEST_F(Level0EnterTreeTest, TheLeapPlaysAloneOnceAndTheRisingTreeTakesItsHeartAlong)
{
    assets.sounds.Take();
    tree->StartJump();
    EXPECT_EQ(tree->GetMouthState(), MOUTH_JUMPING);
    EXPECT_EQ(tree->GetDayAnimationIndex(), cLevel0EnterTree::ANIM_JUMP);
    EXPECT_THAT(assets.sounds.Take(), Contains(kLeapEffect));
    // While it leaps it neither opens for the first character nor changes its face for a heart.
    tree->EatHeart(1);
    EXPECT_EQ(tree->GetMouthState(), MOUTH_JUMPING);
    const auto [ticks, report] = TickUntilReport(300);
    EXPECT_EQ(report, cLevel0EnterTree::RESULT_JUMP_OVER);
    EXPECT_EQ(ticks, 40) << "four frames of 200 ms";
    EXPECT_TRUE(tree->HasJumped());
    EXPECT_EQ(tree->GetMouthState(), MOUTH_NEUTRAL);
    tree->StartJump();
    EXPECT_EQ(tree->GetMouthState(), MOUTH_NEUTRAL) << "it leaps only once";

    const b2Vec2 treeAt = tree->GetPosition();
    const b2Vec2 heartAt = tree->GetScoreIndicator()->GetPosition();
    tree->StartRising();
    for (int t = 0; t < 50; ++t)
        tree->Update(kTick);
    const b2Vec2 risen(3.35f, 9.0f);
    EXPECT_NEAR(tree->GetPosition().x - treeAt.x, risen.x, 0.01f);
    EXPECT_NEAR(tree->GetPosition().y - treeAt.y, risen.y, 0.01f);
    EXPECT_NEAR(tree->GetScoreIndicator()->GetPosition().y - heartAt.y, risen.y, 0.01f);
}

} // namespace

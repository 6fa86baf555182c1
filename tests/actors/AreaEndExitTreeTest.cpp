// The last area's heart tree with the game's file in a real world: its platform lies under its
// foot and travels with it, a character is taken in only with its feet on that platform in the
// middle of the mouth, and a tree read from a file without a platform moves and draws safely.
#include "TreeWorld.h"

#include "actors/AreaEndExitTree.h"
#include "engine/PhysicsBody.h"

namespace {

constexpr const char* kEndTreeFile = "res/xml/actors/SpecialTrees/EndHeartTree.xml";

/// A character's lower-left corner relative to the tree's corner, and whether it stands in the
/// mouth.
struct sStand
{
    float dx, dy;
    bool inMouth;
};

class AreaEndExitTreeTest : public TreeWorld
{
protected:
    AreaEndExitTreeTest() { character = Load("brown"); }
    ~AreaEndExitTreeTest() override { character->Reset(); }
};

TEST_F(AreaEndExitTreeTest, ThePlatformLiesUnderTheFootAndTravelsWithTheTree)
{
    cAreaEndExitTree tree(kEndTreeFile, &world, 250.0f, 105.0f, true, "Credits2");
    const cPhysicsBody* platform = tree.GetPlatform();
    ASSERT_TRUE(platform);
    EXPECT_EQ(platform->GetPosition(), b2Vec2(222.0f, 95.0f));
    EXPECT_EQ(platform->GetWidth(), 76.0f);
    EXPECT_EQ(platform->GetType(), BODY_SENSOR) << "nothing stands on it before the family is together";
    tree.MakePlatformSolid();
    EXPECT_EQ(platform->GetType(), BODY_PLATFORM);

    tree.MoveTo(250.0f, 75.0f, 0.1f);
    int steps = 0;
    while (tree.IsMoving() && steps < 1000) {
        tree.Update(kTick);
        ++steps;
    }
    EXPECT_EQ(steps, 292) << "291 steps of 0.1, then the one that finds less than a unit left";
    EXPECT_NEAR(tree.GetPosition().y, 75.9f, 0.01f);
    EXPECT_NEAR(platform->GetPosition().y - tree.GetPosition().y, -10.0f, 0.01f);
    EXPECT_NEAR(tree.GetScoreIndicator()->GetPosition().y - tree.GetPosition().y, 123.0f, 0.01f);
}

TEST_F(AreaEndExitTreeTest, TheLastBodyOfEachKindGivesTheSensorAndThePlatform)
{
    cAreaEndExitTree tree(":/treestest/two_bodies.xml", &world, 250.0f, 105.0f, true, "Credits2");
    ASSERT_TRUE(tree.HasBody() && tree.GetPlatform());
    EXPECT_EQ(tree.GetWidth(), 20.0f);
    EXPECT_EQ(tree.GetPosition(), b2Vec2(250.0f, 105.0f));
    EXPECT_EQ(tree.GetPlatform()->GetWidth(), 30.0f);
    EXPECT_EQ(tree.GetPlatform()->GetPosition(), b2Vec2(240.0f, 101.0f));
}

TEST_F(AreaEndExitTreeTest, OnlyACharacterStandingInTheMiddleOfTheMouthIsTakenIn)
{
    cAreaEndExitTree tree(kEndTreeFile, &world, 250.0f, 105.0f, true, "Credits2");
    // The sensor's centre is 10 units right of the corner; the character is 11 units wide.
    for (const sStand& s : {sStand{4.5f, -5.0f, true}, sStand{-1.6f, -5.0f, false}, sStand{-1.4f, -5.0f, true},
                            sStand{10.4f, -5.0f, true}, sStand{10.6f, -5.0f, false}, sStand{4.5f, -3.6f, true},
                            sStand{4.5f, -3.4f, false}, sStand{4.5f, -6.4f, true}, sStand{4.5f, -6.6f, false},
                            sStand{4.5f, 0.0f, false}}) {
        character->Reset();
        character->Init(&world, 250.0f + s.dx, 105.0f + s.dy);
        EXPECT_EQ(tree.HitTest(character.get()), s.inMouth) << s.dx << ", " << s.dy;
    }
}

TEST_F(AreaEndExitTreeTest, ATreeWithoutAPlatformMovesAndIsMadeSolidSafely)
{
    cAreaEndExitTree tree(kExitFile, &world, 100.0f, 0.0f, true, "Credits2");
    EXPECT_EQ(tree.GetPlatform(), nullptr);
    tree.MakePlatformSolid();
    tree.MoveTo(110.0f, 0.0f, 1.0f);
    for (int t = 0; t < 20; ++t)
        tree.Update(kTick);
    EXPECT_FALSE(tree.IsMoving());
    EXPECT_GT(tree.GetPosition().x, 109.0f) << "within a unit of the target";
    EXPECT_LE(tree.GetPosition().x, 110.0f);
}

} // namespace

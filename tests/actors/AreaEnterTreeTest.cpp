// The enter tree: its file, and the characters it lets out one after another at its timings, side
// by side at its mouth, with its sounds.
#include "TreeWorld.h"

#include "tests/support/StdoutOf.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr float kTreeX = 20.0f;

class AreaEnterTreeTest : public TreeWorld
{
protected:
    void SetUp() override
    {
        AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
        for (const char* name : {"brown", "orange", "gray"}) {
            characters.push_back(Load(name));
            characters.back()->Reset();
        }
        MakeTree(kEnterFile);
    }
    ~AreaEnterTreeTest() override { tree.reset(); }

    void MakeTree(const char* file) { tree = std::make_unique<cAreaEnterTree>(&world, file, kTreeX, 0.0f, true); }

    /// The tree's update and the world's step, as the area runs them in one tick.
    int Tick()
    {
        const int out = tree->Update(kTick);
        Step();
        return out;
    }

    /// Ticks until somebody comes out (at most limit ticks): the number of ticks and the id.
    std::pair<int, int> TicksUntilOut(int limit)
    {
        for (int t = 1; t <= limit; ++t)
            if (const int id = Tick(); id >= 0)
                return {t, id};
        return {limit, -1};
    }

    std::vector<std::unique_ptr<cPlayerChar>> characters;
    std::unique_ptr<cAreaEnterTree> tree;
};

struct sEnterFile
{
    const char* file;
    int type;
};

class EnterFileTest : public AreaEnterTreeTest, public ::testing::WithParamInterface<sEnterFile>
{
};

TEST_P(EnterFileTest, GameFileGivesMouthTypeAndTheSleepingFace)
{
    MakeTree(GetParam().file);
    EXPECT_EQ(tree->GetKind(), KIND_ENTER_TREE);
    EXPECT_EQ(tree->GetType(), GetParam().type);
    EXPECT_FLOAT_EQ(tree->GetMouthPosition().x, kTreeX + 18.0f);
    EXPECT_FLOAT_EQ(tree->GetMouthPosition().y, 0.0f);
    EXPECT_TRUE(tree->GetForceSwitch());
    EXPECT_EQ(tree->GetDayAnimationIndex(), ENTER_ANIM_NEUTRAL);
    EXPECT_EQ(tree->GetLoFAnimationIndex(), ENTER_ANIM_NEUTRAL_LOF);
    EXPECT_EQ(tree->GetState(), ENTER_CLOSED);
    EXPECT_EQ(Tick(), -1);
    // Awake, every look has its open mouth.
    tree->Enqueue(characters[0].get());
    TicksUntilOut(100);
    EXPECT_EQ(tree->GetDayAnimationIndex(), ENTER_ANIM_OPEN);
    EXPECT_EQ(tree->GetLoFAnimationIndex(), ENTER_ANIM_OPEN_LOF);
}

INSTANTIATE_TEST_SUITE_P(GameFiles, EnterFileTest,
                         ::testing::Values(sEnterFile{"res/xml/actors/AreaEnterTrees/EnterTree.xml", 0},
                                           sEnterFile{"res/xml/actors/AreaEnterTrees/EnterCave.xml", 1},
                                           sEnterFile{"res/xml/actors/AreaEnterTrees/EnterMushroom.xml", 2}));

TEST_F(AreaEnterTreeTest, ThreeCharactersComeOutInTurnSideBySideAtTheTimings)
{
    for (const auto& c : characters)
        tree->Enqueue(c.get());
    // Wait 1000 ms, open 450 ms (each strictly longer): the first is out after 74 updates.
    const std::pair<int, int> first = TicksUntilOut(200);
    EXPECT_EQ(first, std::make_pair(74, 0));
    EXPECT_EQ(tree->GetDayAnimationIndex(), ENTER_ANIM_OPEN);
    EXPECT_EQ(tree->GetLoFAnimationIndex(), ENTER_ANIM_OPEN_LOF);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(42, 47));
    // A cycle lasts 112 updates; the next ones start waiting at once.
    EXPECT_EQ(TicksUntilOut(200), std::make_pair(112, 1));
    EXPECT_EQ(TicksUntilOut(200), std::make_pair(112, 2));
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(23, 42, 47, 23, 42, 47));

    const b2Vec2 mouth = tree->GetMouthPosition();
    EXPECT_NEAR(characters[0]->GetPosition().x, mouth.x, 1e-3f);
    EXPECT_NEAR(characters[1]->GetPosition().x, mouth.x - 5.0f, 1e-3f);
    EXPECT_NEAR(characters[2]->GetPosition().x, mouth.x + 5.0f, 1e-3f);
    for (const auto& c : characters) {
        EXPECT_TRUE(c->HasBody());
        EXPECT_TRUE(c->IsActive());
        EXPECT_EQ(c->GetState(), PLAYER_STAND);
    }

    // The mouth stays open 750 ms (the 38th update closes it), with nobody left the tree rests.
    for (int t = 0; t < 37; ++t)
        Tick();
    EXPECT_EQ(tree->GetState(), ENTER_OPEN);
    Tick();
    EXPECT_EQ(tree->GetState(), ENTER_CLOSED);
    EXPECT_EQ(tree->GetDayAnimationIndex(), ENTER_ANIM_NEUTRAL);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(23));
    EXPECT_EQ(TicksUntilOut(300).second, -1);
}

TEST_F(AreaEnterTreeTest, QueuingAgainChangesNothingAndQueuingDuringACycleOnlyLengthensTheQueue)
{
    tree->Enqueue(characters[0].get());
    for (int t = 0; t < 30; ++t)
        Tick();
    tree->Enqueue(characters[0].get());
    EXPECT_EQ(tree->GetQueueLength(), 1);
    tree->Enqueue(characters[1].get());
    EXPECT_EQ(tree->GetQueueLength(), 2);
    EXPECT_TRUE(tree->IsQueued(1, false));
    EXPECT_FALSE(tree->IsQueued(1, true));
    // The running cycle was not restarted.
    EXPECT_EQ(TicksUntilOut(200), std::make_pair(44, 0));
}

TEST_F(AreaEnterTreeTest, FormQueuesBesideThePlainCharacterOfItsId)
{
    cTestForm antler;
    ASSERT_TRUE(antler.LoadFromXml("res/xml/PlayerCharacters/antler.xml"));
    tree->Enqueue(characters[0].get());
    tree->Enqueue(&antler);
    EXPECT_EQ(tree->GetQueueLength(), 2);
    EXPECT_TRUE(tree->IsQueued(0, true));
    tree.reset();
}

struct sSoundSet
{
    const char* file;
    std::vector<int> sounds;
};

class EnterTreeSoundTest : public AreaEnterTreeTest, public ::testing::WithParamInterface<sSoundSet>
{
};

TEST_P(EnterTreeSoundTest, TypeChoosesTheMouthSoundsAndEveryCharacterOutPlaysItsOwn)
{
    MakeTree(GetParam().file);
    tree->Enqueue(characters[2].get());
    for (int t = 0; t < 120; ++t)
        Tick();
    EXPECT_EQ(tree->GetState(), ENTER_CLOSED);
    EXPECT_EQ(assets.sounds.Take(), GetParam().sounds);
}

INSTANTIATE_TEST_SUITE_P(Files, EnterTreeSoundTest,
                         ::testing::Values(sSoundSet{":/treestest/mushroom.xml", {65, 47, 66}},
                                           sSoundSet{":/treestest/untyped_enter.xml", {47}}));

TEST_F(AreaEnterTreeTest, MissingFileLeavesATreeWithoutPicturesThatStillLetsCharactersOut)
{
    EXPECT_NE(StdoutOf([&] { MakeTree("res/xml/actors/AreaEnterTrees/none.xml"); })
                  .find("ERROR: Invalid XML resource file: :/res/xml/actors/AreaEnterTrees/none.xml"),
              std::string::npos);
    EXPECT_EQ(tree->GetDayAnimationIndex(), -1);
    tree->Enqueue(characters[0].get());
    EXPECT_EQ(TicksUntilOut(100), std::make_pair(74, 0));
    tree->DrawDay(1.0f);
}

} // namespace

// The shared-asset store: start-up loading of the real tree, its order and its failures, the list
// files' chip-set rules, the stars and the area numbers.
#include "PartialGameTree.h"

#include "actors/AntlerAncestor.h"
#include "actors/BatKing.h"
#include "actors/Cloud.h"
#include "actors/CommonHeartBox.h"
#include "actors/FireFly.h"
#include "actors/Platform.h"
#include "actors/PlayerChar.h"
#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"
#include "actors/Star.h"
#include "audio/AudioSystem.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/Image.h"
#include "engine/SharedAssets.h"
#include "platform/physics/World.h"
#include "tests/support/GlCanvas.h"
#include "tests/support/StdoutOf.h"
#include "world/CommonResources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

const char* const kSuccessLines[] = {
    "\nAudio library successfully loaded.",
    "\nChip-sets successfully loaded.",
    "\nMonster resources successfully loaded.",
    "\nCommon assets successfully loaded.\n",
};

/// How many of the success lines the output holds, checking that they come in order and that
/// none of a later stage appears without the earlier ones.
int SuccessLinesIn(const std::string& out)
{
    int found = 0;
    size_t from = 0;
    for (const char* line : kSuccessLines) {
        const size_t at = out.find(line, from);
        if (at == std::string::npos)
            break;
        ++found;
        from = at + 1;
    }
    for (int later = found; later < static_cast<int>(std::size(kSuccessLines)); ++later)
        EXPECT_EQ(out.find(kSuccessLines[later]), std::string::npos) << kSuccessLines[later];
    return found;
}

/// A started audio system (silent) and an empty store on it.
class StoreTest : public ::testing::Test
{
protected:
    StoreTest()
    {
        setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
        EXPECT_TRUE(audio.Init());
        store = std::make_unique<cCommonResources>(&audio);
    }
    ~StoreTest() override { store.reset(); }

    /// Runs LoadAll; its output in *out.
    bool LoadAll(std::string* out)
    {
        bool loaded = false;
        *out = StdoutOf([&] { loaded = store->LoadAll(); });
        return loaded;
    }

    cAudioSystem audio;
    std::unique_ptr<cCommonResources> store;
};

/// The real tree, loaded once for the suite.
class RealTree : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
        audio = new cAudioSystem;
        ASSERT_TRUE(audio->Init());
        store = new cCommonResources(audio);
        output = StdoutOf([] { loaded = store->LoadAll(); });
    }
    static void TearDownTestSuite()
    {
        delete store;
        delete audio;
    }

    static cAudioSystem* audio;
    static cCommonResources* store;
    static std::string output;
    static bool loaded;
};

cAudioSystem* RealTree::audio = nullptr;
cCommonResources* RealTree::store = nullptr;
std::string RealTree::output;
bool RealTree::loaded = false;

} // namespace

TEST_F(RealTree, LoadsEveryStageAndSaysSo)
{
    EXPECT_TRUE(loaded);
    EXPECT_EQ(SuccessLinesIn(output), 4) << output;
    EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
}

TEST_F(RealTree, FillsTheFourteenChipSetsAtTheirPicturesSizes)
{
    for (int n = 0; n < kChipSetCount; ++n) {
        SCOPED_TRACE(n);
        if (n == 4) {
            EXPECT_EQ(gChipSets[n], nullptr);
            continue;
        }
        ASSERT_NE(gChipSets[n], nullptr);
        EXPECT_TRUE(gChipSets[n]->IsTextured());
        EXPECT_GT(gChipSets[n]->GetWidthInt(), 10);
        EXPECT_EQ(gChipSets[n]->GetName(), QString(":/res/images/chipsets/chip_set_%1.png").arg(n, 2, 10, QChar('0')));
    }
}

TEST_F(RealTree, MakesTheSoundLibraryTheProcessWideOne)
{
    ASSERT_NE(gSoundLibrary, nullptr);
    EXPECT_EQ(gSoundLibrary->GetCount(), 89);
}

TEST_F(RealTree, FillsEveryAnimationListWithItsCount)
{
    struct sList
    {
        const char* name;
        const std::vector<cAnimation*>& list;
        size_t count;
    };
    for (const sList& l : {sList{"info bubbles", gInfoBubbleAnims, 39}, sList{"white alphabet", gWhiteAlphabet, 78},
                           sList{"blue alphabet", gBlueAlphabet, 78}, sList{"common", gCommonAnims, 17},
                           sList{"waterfall bubbles", gWaterfallBubbles, 3}, sList{"clouds", gClouds, 10},
                           sList{"HD clouds", gCloudsHD, 10}, sList{"dragonfly", gDragonFlyAnims, 8},
                           sList{"bat", gBatAnims, 8}, sList{"bird", gBirdAnims, 8}, sList{"beetle", gBeetleAnims, 8},
                           sList{"air bubbles", gAirBubbles, 1}, sList{"lies", gLieAnims, 20},
                           sList{"area icons", gAreaIcons, 40}}) {
        EXPECT_EQ(l.list.size(), l.count) << l.name;
        for (const cAnimation* a : l.list)
            EXPECT_NE(a->GetImage(), nullptr) << l.name;
    }
    EXPECT_EQ(gGlyphWidths.size(), 78u);
    ASSERT_NE(gWaterfallSparkle, nullptr);
    EXPECT_EQ(gWaterfallSparkle->GetImage(), gChipSets[6]);
    // Entry 14 takes its own chip set; the rest of the list the file's.
    EXPECT_EQ(gCommonAnims[14]->GetImage(), gChipSets[12]);
    EXPECT_EQ(gCommonAnims[13]->GetImage(), gCommonAnims[0]->GetImage());
}

TEST_F(RealTree, MakesTheThreeCharactersTheirFormsAndTheTwoFireflies)
{
    ASSERT_EQ(store->GetCharacterCount(), 3);
    for (int id = 0; id < 3; ++id) {
        ASSERT_NE(store->GetCharacter(id), nullptr);
        EXPECT_EQ(store->GetCharacter(id)->GetId(), id);
        EXPECT_FALSE(store->GetCharacter(id)->IsAncestorForm());
        EXPECT_GT(store->GetCharacter(id)->GetAnimationCount(), 0);
    }
    EXPECT_EQ(store->GetCharacter(3), nullptr);
    EXPECT_EQ(store->GetCharacter(-1), nullptr);

    const cPlayerChar* forms[] = {gAntlerAncestor, gRainbowSpirit, gBatKing};
    for (int id = 0; id < 3; ++id) {
        ASSERT_NE(forms[id], nullptr);
        EXPECT_TRUE(forms[id]->IsAncestorForm());
        EXPECT_EQ(forms[id]->GetId(), id);
        EXPECT_GT(forms[id]->GetAnimationCount(), 0);
    }
    EXPECT_TRUE(gBatKing->IsBatKing());

    // Firefly index = the id of the character it carries - 1.
    ASSERT_EQ(store->GetFireFlyCount(), 2);
    EXPECT_EQ(store->GetFireFly(0)->GetId(), 1);
    EXPECT_EQ(store->GetFireFly(1)->GetId(), 2);
    EXPECT_NE(store->GetFireFly(1)->GetAnimation(0), nullptr);
    EXPECT_EQ(store->GetFireFly(2), nullptr);
}

TEST_F(RealTree, MakesOneTemplatePerBluePrintInFileOrder)
{
    const std::vector<uint16_t> types = {4, 5, 6, 16, 0, 10, 2, 7, 8, 9, 11, 12, 13, 14, 15};
    ASSERT_EQ(gBoxBluePrints.size(), types.size());
    for (size_t i = 0; i < types.size(); ++i) {
        SCOPED_TRACE(types[i]);
        EXPECT_EQ(gBoxBluePrints[i]->GetType(), types[i]);
        // Emitters and receivers show one picture before and one after their heart event.
        EXPECT_GE(gBoxBluePrints[i]->GetAnimations().size(), i < 7 ? 2u : 1u);
        EXPECT_GT(gBoxBluePrints[i]->GetWidth(), 0.0f);
        EXPECT_EQ(FindBoxBluePrint(types[i]), gBoxBluePrints[i]);
    }
    EXPECT_EQ(GetEmitterBluePrint(3), FindBoxBluePrint(16));
    EXPECT_EQ(GetReceiverBluePrint(1)->GetHeight(), 14.0f);
}

TEST_F(RealTree, Makes600StarsOnAThreeUnitGrid)
{
    const std::vector<Star*>& stars = store->GetStars();
    ASSERT_EQ(stars.size(), 600u);
    for (const Star* star : stars) {
        EXPECT_EQ(star->GetX() % 3, 0);
        EXPECT_EQ(star->GetY() % 3, 0);
        EXPECT_GE(star->GetX(), 0);
        EXPECT_LE(star->GetX(), 996);
        EXPECT_GE(star->GetY(), 0);
        EXPECT_LE(star->GetY(), 597);
        EXPECT_GE(star->GetAlpha(), 3.0f);
        EXPECT_LE(star->GetAlpha(), 249.0f);
        EXPECT_GE(star->GetAlphaStep(), 16.0f);
        EXPECT_LT(star->GetAlphaStep(), 45.0f);
    }
}

TEST_F(RealTree, DrawsTheStarField)
{
    GlCanvas canvas(512, 300);
    store->DrawStars(1);
    canvas.Save("common_stars.png");
    int lit = 0;
    for (const Star* star : store->GetStars())
        if (star->GetX() < 510 && star->GetY() < 298 && canvas.Pixel(star->GetX(), star->GetY()).green() > 0)
            ++lit;
    EXPECT_GT(lit, 100);
}

TEST_F(RealTree, PlatformsAndCloudsShowTheSharedPictures)
{
    // World y -230 is row 10 of the canvas, as of the world texture.
    GlCanvas canvas(160, 64);
    std::vector<std::unique_ptr<Platform>> platforms;
    for (int i = 0; i < 4; ++i) {
        platforms.push_back(std::make_unique<Platform>(24, 7, 1 + i / 2));
        platforms.back()->SetPosition(8.0f + 36 * i, -230.0f);
        if (i % 2)
            platforms.back()->SwitchToLoF();
        platforms.back()->Draw();
    }
    cCloud day(8, -210, 0, gClouds[2], gClouds[7], 1);
    cCloud night(80, -210, 0, gClouds[2], gClouds[7], 1);
    night.SwitchToLoF();
    day.Draw();
    night.Draw();
    canvas.Save("common_platforms_clouds.png");
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(NearColor(canvas.Pixel(8 + 36 * i + 12, 13), QColor(0, 0, 0), 8)) << i;
    EXPECT_FALSE(NearColor(canvas.Pixel(8 + 28, 39), canvas.Pixel(80 + 28, 39), 8));
}

TEST_F(RealTree, UpdateStarsStepsEveryStar)
{
    std::vector<float> before;
    for (const Star* star : store->GetStars())
        before.push_back(star->GetAlpha());
    store->UpdateStars(60);
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        changed += store->GetStars()[i]->GetAlpha() != before[i];
    EXPECT_EQ(changed, before.size());
}

TEST_F(StoreTest, TheStarFieldIsTheSameForTheSameRandomSequence)
{
    std::srand(7);
    store->CreateStars(50);
    cCommonResources other(&audio);
    std::srand(7);
    other.CreateStars(50);
    ASSERT_EQ(other.GetStars().size(), 50u);
    for (size_t i = 0; i < 50; ++i) {
        EXPECT_EQ(other.GetStars()[i]->GetX(), store->GetStars()[i]->GetX());
        EXPECT_EQ(other.GetStars()[i]->GetAlpha(), store->GetStars()[i]->GetAlpha());
    }
    // CreateStars only appends.
    store->CreateStars(5);
    EXPECT_EQ(store->GetStars().size(), 55u);
}

TEST_F(StoreTest, TheDestructorEmptiesEveryProcessWideValue)
{
    std::string out;
    ASSERT_TRUE(LoadAll(&out)) << out;
    store.reset();
    EXPECT_EQ(gSoundLibrary, nullptr);
    for (cImage* chipSet : gChipSets)
        EXPECT_EQ(chipSet, nullptr);
    EXPECT_TRUE(gBoxBluePrints.empty());
    EXPECT_EQ(gAntlerAncestor, nullptr);
    EXPECT_EQ(gRainbowSpirit, nullptr);
    EXPECT_EQ(gBatKing, nullptr);
    EXPECT_EQ(gWaterfallSparkle, nullptr);
    for (const std::vector<cAnimation*>* list :
         {&gInfoBubbleAnims, &gWhiteAlphabet, &gBlueAlphabet, &gCommonAnims, &gWaterfallBubbles, &gClouds,
          &gCloudsHD, &gDragonFlyAnims, &gBatAnims, &gBirdAnims, &gBeetleAnims, &gAirBubbles, &gLieAnims,
          &gAreaIcons})
        EXPECT_TRUE(list->empty());
    EXPECT_TRUE(gGlyphWidths.empty());
}

TEST_F(StoreTest, ASecondLoadReplacesTheListsInsteadOfDoublingThem)
{
    std::string out;
    ASSERT_TRUE(LoadAll(&out)) << out;
    ASSERT_TRUE(LoadAll(&out)) << out;
    EXPECT_EQ(gInfoBubbleAnims.size(), 39u);
    EXPECT_EQ(gGlyphWidths.size(), 78u);
    EXPECT_EQ(gBoxBluePrints.size(), 15u);
    EXPECT_EQ(store->GetCharacterCount(), 3);
}

TEST_F(StoreTest, ResetCharactersTakesCharactersFormsAndFirefliesOutOfTheirWorld)
{
    std::string out;
    ASSERT_TRUE(LoadAll(&out)) << out;
    physics::World world;
    std::vector<cPlayerChar*> everyone = {store->GetCharacter(0), store->GetCharacter(1), store->GetCharacter(2),
                                          gAntlerAncestor, gRainbowSpirit, gBatKing};
    for (size_t i = 0; i < everyone.size(); ++i)
        everyone[i]->Init(&world, 20.0f * i, 0.0f);
    for (int i = 0; i < 2; ++i)
        store->GetFireFly(i)->Spawn(&world, 20.0f * i, 40.0f);
    ASSERT_TRUE(gBatKing->HasBody());
    ASSERT_TRUE(store->GetFireFly(1)->HasBody());

    store->ResetCharacters();
    for (cPlayerChar* c : everyone) {
        EXPECT_FALSE(c->HasBody()) << c->GetId();
        EXPECT_EQ(c->GetState(), PLAYER_STAND);
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(store->GetFireFly(i)->HasBody());
        EXPECT_EQ(store->GetFireFly(i)->GetState(), FireFly::STATE_RESET);
    }
}

namespace {

/// Chip sets 0, 3, 5 and 12 of the real tree, loaded into their slots by the store.
class ListFileTest : public StoreTest
{
protected:
    void SetUp() override
    {
        for (int n : {0, 3, 5, 12})
            ASSERT_TRUE(cCommonResources::LoadChipSet(QString(":/res/images/chipsets/chip_set_%1.png")
                                                          .arg(n, 2, 10, QChar('0')),
                                                      n));
    }

    std::vector<cAnimation*> list;

    ~ListFileTest() override { DeleteAll(list); }
};

} // namespace

TEST_F(ListFileTest, AnAnimationsOwnSrcHoldsForItAloneAndOtherElementsSetTheDefault)
{
    EXPECT_TRUE(cCommonResources::LoadAnimationList("commontest/sources.xml", list));
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0]->GetImage(), gChipSets[12]);
    EXPECT_EQ(list[1]->GetImage(), gChipSets[3]);
    EXPECT_EQ(list[2]->GetImage(), gChipSets[5]);
    EXPECT_EQ(list[3]->GetImage(), gChipSets[5]);
    EXPECT_EQ(list[3]->GetName(), "still the group's");
}

TEST_F(ListFileTest, WithoutAnySrcTheAnimationsComeFromChipSet0)
{
    EXPECT_TRUE(cCommonResources::LoadAnimationList(":/commontest/nosrc.xml", list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->GetImage(), gChipSets[0]);
}

TEST_F(ListFileTest, LoadingAppendsAndReloadingReplaces)
{
    EXPECT_TRUE(cCommonResources::LoadAnimationList("commontest/nosrc.xml", list));
    EXPECT_TRUE(cCommonResources::LoadAnimationList("commontest/packed.xml", list));
    EXPECT_EQ(list.size(), 3u);
    EXPECT_TRUE(cCommonResources::ReloadAnimationList("commontest/packed.xml", list));
    ASSERT_EQ(list.size(), 2u);
    // Elements written without line breaks between them are all read.
    EXPECT_EQ(list[1]->GetName(), "second");
}

TEST_F(ListFileTest, AParseErrorKeepsWhatWasReadAndStillSucceeds)
{
    EXPECT_TRUE(cCommonResources::LoadAnimationList("commontest/broken.xml", list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->GetName(), "before the fault");
}

TEST_F(ListFileTest, AMissingListFileIsReportedAndFails)
{
    bool loaded = true;
    const std::string out =
        StdoutOf([&] { loaded = cCommonResources::ReloadAnimationList("commontest/none.xml", list); });
    EXPECT_FALSE(loaded);
    EXPECT_EQ(out, "\n ERROR: Invalid XML resource file: :/commontest/none.xml \n\n");
}

TEST_F(ListFileTest, GlyphWidthsComeOnePerLetterInOrder)
{
    gGlyphWidths = {1, 2};
    EXPECT_TRUE(cCommonResources::LoadAlphabetWidths("commontest/widths.xml"));
    EXPECT_EQ(gGlyphWidths, (std::vector<int>{6, 0, 3}));
}

TEST_F(StoreTest, AChipSetTakesItsPicturesSizeAndABadSlotOrPictureFails)
{
    ASSERT_TRUE(cCommonResources::LoadChipSet(":/res/images/chipsets/chip_set_01.png", 1));
    EXPECT_EQ(gChipSets[1]->GetWidthInt(), QImage(":/res/images/chipsets/chip_set_01.png").width());
    bool loaded = true;
    std::string out = StdoutOf([&] { loaded = cCommonResources::LoadChipSet("res/images/nothing.png", 2); });
    EXPECT_FALSE(loaded);
    EXPECT_NE(out.find("Cannot find ':/res/images/nothing.png'"), std::string::npos) << out;
    out = StdoutOf([&] { loaded = cCommonResources::LoadChipSet(":/res/images/chipsets/chip_set_01.png", 15); });
    EXPECT_FALSE(loaded);
    EXPECT_NE(out.find("ERROR"), std::string::npos);
}

namespace {

struct sMissing
{
    const char* name;
    const char* file;
    /// What the message starts with.
    const char* message;
    /// The success lines of the stages before.
    int successLines;
};

class MissingFile : public StoreTest, public ::testing::WithParamInterface<sMissing>
{
};

// Printed by name: the bytes gtest would print hold the struct's padding.
void PrintTo(const sMissing& m, std::ostream* os)
{
    *os << m.name;
}

std::string MissingName(const ::testing::TestParamInfo<sMissing>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(MissingFile, StopsLoadingAtItsStageWithItsMessage)
{
    PartialGameTree tree({GetParam().file});
    std::string out;
    EXPECT_FALSE(LoadAll(&out));
    // The message names the missing file (with or without the ":/" in front).
    const size_t message = out.find(GetParam().message);
    ASSERT_NE(message, std::string::npos) << out;
    EXPECT_NE(out.find(GetParam().file, message), std::string::npos) << out;
    EXPECT_EQ(SuccessLinesIn(out), GetParam().successLines) << out;
    EXPECT_TRUE(store->GetStars().empty());
}

constexpr const char* kInvalidFile = "\n ERROR: Invalid XML resource file: ";

INSTANTIATE_TEST_SUITE_P(
    Stages, MissingFile,
    ::testing::Values(sMissing{"SoundList", "res/wave/Audio_SFX.xml", kInvalidFile, 0},
                      sMissing{"ChipSet", "res/images/chipsets/chip_set_05.png", "Cannot find '", 1},
                      sMissing{"Character", "res/xml/PlayerCharacters/gray.xml", kInvalidFile, 2},
                      sMissing{"Form", "res/xml/PlayerCharacters/spirit.xml", kInvalidFile, 2},
                      sMissing{"Firefly", "res/xml/actors/Flying/GrayFirefly.xml", kInvalidFile, 2},
                      sMissing{"BluePrintList", "res/xml/common_resources/HeartBox/HeartBoxTypes.xml", kInvalidFile, 3},
                      sMissing{"GlyphWidths", "res/xml/common_resources/Alphabet/AlphabetAnimsWidths.xml", kInvalidFile, 3},
                      sMissing{"Flier", "res/xml/actors/Flying/Bird.xml", kInvalidFile, 3},
                      sMissing{"WaterfallSparkle", "res/xml/common_resources/waterfall_sparkle.xml", kInvalidFile, 3},
                      sMissing{"AreaIcons", "res/xml/common_resources/area_icons.xml", kInvalidFile, 3}),
    MissingName);

TEST_F(StoreTest, WhatLoadedBeforeAFailureStaysInPlace)
{
    PartialGameTree tree({"res/xml/common_resources/area_icons.xml"});
    std::string out;
    ASSERT_FALSE(LoadAll(&out));
    EXPECT_EQ(gLieAnims.size(), 20u);
    EXPECT_EQ(gBoxBluePrints.size(), 15u);
    EXPECT_TRUE(gAreaIcons.empty());
}

TEST_F(StoreTest, ACharacterThatDoesNotLoadEndsTheCharactersThere)
{
    PartialGameTree tree({"res/xml/PlayerCharacters/orange.xml"});
    std::string out;
    ASSERT_FALSE(LoadAll(&out));
    EXPECT_EQ(store->GetCharacterCount(), 2);
    EXPECT_EQ(store->GetCharacter(0)->GetId(), 0);
    EXPECT_TRUE(gBoxBluePrints.empty());
}

TEST_F(StoreTest, ABluePrintWhoseFileIsMissingIsKeptEmpty)
{
    PartialGameTree tree({"res/xml/actors/Boxes/stack_box_3.xml"});
    std::string out;
    EXPECT_TRUE(LoadAll(&out)) << out;
    EXPECT_NE(out.find("\n ERROR: Invalid XML resource file: :/res/xml/actors/Boxes/stack_box_3.xml \n\n"),
              std::string::npos);
    EXPECT_EQ(SuccessLinesIn(out), 4);
    ASSERT_EQ(gBoxBluePrints.size(), 15u);
    const CommonHeartBox* stackBox3 = FindBoxBluePrint(9);
    ASSERT_NE(stackBox3, nullptr);
    EXPECT_TRUE(stackBox3->GetAnimations().empty());
    EXPECT_EQ(stackBox3->GetWidth(), 0.0f);
}

namespace {

struct sArea
{
    const char* file;
    int number;
};

void PrintTo(const sArea& a, std::ostream* os)
{
    *os << '"' << a.file << '"';
}

class AreaNumber : public ::testing::TestWithParam<sArea>
{
};

} // namespace

TEST_P(AreaNumber, IsTheAreasPlaceInTheFixedList)
{
    EXPECT_EQ(cCommonResources::FillAreaList(GetParam().file), GetParam().number);
    EXPECT_EQ(cCommonResources::GetAreaNumber(GetParam().file), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AreaNumber,
    ::testing::Values(sArea{"res/Areas/Area0.xml", 0}, sArea{"res/Areas/Fortress.xml", 29},
                      sArea{"res/Areas/Water_World.xml", 31}, sArea{"res/Areas/Credits2.xml", 34},
                      sArea{":/res/Areas/Water_World.xml", 35}, sArea{"res/areas/water_world.xml", 35},
                      sArea{"res/Areas/Water_World.xml ", 35}, sArea{"Water_World", 35}, sArea{"", 35}));

#include "world/AreaFileReader.h"

#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/Cloud.h"
#include "actors/Heart.h"
#include "actors/Platform.h"
#include "actors/ScoreIndicator.h"
#include "actors/Star.h"
#include "audio/AreaSoundPlayer.h"
#include "engine/Image.h"
#include "engine/PhysicsBody.h"

#include "tests/world/AreaFiles.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

using AreaFileTest = AreaFileFixture;

TEST_F(AreaFileTest, AMissingFileFailsInitWithItsPath)
{
    cArea missing("res/Areas/NoSuchArea.xml", nullptr);
    const std::string out = StdoutOf([&] { EXPECT_FALSE(missing.Init(s_audio.get(), false, false)); });
    EXPECT_THAT(out, HasSubstr("ERROR: Invalid XML resource file: :/res/Areas/NoSuchArea.xml"));
    EXPECT_THAT(out, HasSubstr("ERROR: cArea::Init() LOADING AREA FROM FILE FAILED! res/Areas/NoSuchArea.xml"));
}

struct sBadFile
{
    const char* label;
    QByteArray bytes;
    const char* missing;
};

class AreaFileBadInputTest : public AreaFileFixture, public ::testing::WithParamInterface<sBadFile>
{
};

TEST_P(AreaFileBadInputTest, FailsInitNamingTheTreeItLacks)
{
    cArea& area = LoadBytes(GetParam().bytes);
    EXPECT_FALSE(initialised);
    EXPECT_THAT(output, HasSubstr(std::string("ERROR: ") + area.GetFileName() + " has no " + GetParam().missing));
    EXPECT_EQ(area.GetSoundPlayer()->GetState(), AREA_SOUND_IDLE);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AreaFileBadInputTest,
    ::testing::Values(
        sBadFile{"empty", "", "AreaEnterTree"}, sBadFile{"notXml", "just some words\n", "AreaEnterTree"},
        sBadFile{"noExit",
                 AreaXml("<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"1\" y=\"0\"/>\n"),
                 "AreaExitTree"},
        sBadFile{"noEnterTree",
                 AreaXml("<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"1\" y=\"0\"/>\n"),
                 "AreaEnterTree"},
        // Cut off in the middle of the enter tree's tag: what came before is kept, nothing after.
        sBadFile{"truncated",
                 "<ZORV_AREA_SAVE_FILE>\n<body x=\"0\" y=\"0\" w=\"5\" h=\"5\" type=\"0\"/>\n<AreaEnterTree file=\"res/x",
                 "AreaEnterTree"}),
    [](const ::testing::TestParamInfo<sBadFile>& info) { return info.param.label; });

TEST_F(AreaFileTest, ATruncatedFileKeepsWhatWasMadeBeforeTheBreak)
{
    cArea& area =
        LoadBytes(QByteArray("<ZORV_AREA_SAVE_FILE>\n<Metadata name=\"Cut\"/>\n") + kTestTrees +
                  "<body x=\"0\" y=\"0\" w=\"5\" h=\"5\" type=\"0\"/>\n<body x=\"9\" y=\"0\" w=\"5\"");
    EXPECT_TRUE(initialised);
    EXPECT_EQ(area.GetName(), "Cut");
    EXPECT_EQ(area.GetBodies().size(), 1u);
}

TEST_F(AreaFileTest, TheRootIsNotCheckedAndElementsAreFoundAtAnyDepth)
{
    cArea& area = LoadBytes(QByteArray("<SomethingElse><Quote ID=\"1\" text=\"hi\">") +
                            "<body x=\"3\" y=\"4\" w=\"5\" h=\"6\" type=\"0\"/></Quote>" + kTestTrees +
                            "<Metadata name=\"First\"/><Metadata name=\"Second\"/></SomethingElse>");
    EXPECT_TRUE(initialised);
    ASSERT_EQ(area.GetBodies().size(), 1u);
    EXPECT_EQ(area.GetName(), "Second");
}

TEST_F(AreaFileTest, TheScriptedAreasElementsAreReportedInAnOrdinaryArea)
{
    Load(QByteArray(kTestTrees) + "<Level0EnterTree file=\"a.xml\" x=\"1\" y=\"1\"/>\n" +
         "<FallingRock file=\"b.xml\"/>\n<HeartTreeExit file=\"c.xml\"/>\n");
    for (const char* kind : {"Level0EnterTree", "FallingRock", "HeartTreeExit"})
        EXPECT_THAT(output, HasSubstr(std::string(kind) + " on line")) << kind;
    EXPECT_THAT(output, HasSubstr("belongs to the first or the last area only"));
}

TEST_F(AreaFileTest, StarsComeOnlyWithAQuantityAndLieOnAThreeUnitGrid)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<Stars/><Stars quantity=\"0\"/><Stars quantity=\"-4\"/>" +
                       "<Stars quantity=\"40\"/>\n");
    ASSERT_EQ(area.GetStars().size(), 40u);
    for (const Star* star : area.GetStars()) {
        EXPECT_EQ(star->GetX() % 3, 0);
        EXPECT_EQ(star->GetY() % 3, 0);
        EXPECT_GE(star->GetX(), 0);
        EXPECT_LE(star->GetY(), 507);
        EXPECT_GE(star->GetAlpha(), 3.0f);
        EXPECT_LT(star->GetAlpha(), 250.0f);
    }
}

TEST_F(AreaFileTest, TheSameStarsComeOutForTheSameDrawsOfRand)
{
    auto starsAfterSeed = [this](int run) {
        srand(11);
        Load(QByteArray(kTestTrees) + "<Stars quantity=\"5\"/>\n");
        std::vector<std::pair<int, int>> places;
        for (const Star* star : area->GetStars())
            places.emplace_back(star->GetX(), star->GetY());
        area.reset();
        root += QString("again%1").arg(run);
        return places;
    };
    const auto first = starsAfterSeed(1);
    EXPECT_EQ(first.size(), 5u);
    EXPECT_EQ(starsAfterSeed(2), first);
}

TEST_F(AreaFileTest, CloudsKeepTheirPlaceAndRefuseLooksAndScalesThatDoNotExist)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<Cloud x=\"20\" y=\"30\" speed=\"4\" cloudAnimationId=\"4\" scale=\"2\"/>\n" +
                       "<Cloud x=\"1\" y=\"2\" cloudAnimationId=\"5\"/>\n<Cloud x=\"3\" y=\"4\" cloudAnimationId=\"-1\"/>\n" +
                       "<Cloud x=\"5\" y=\"6\" scale=\"0\"/>\n<Cloud_HD x=\"40\" y=\"50\" cloudAnimationId=\"1\" scale=\"3\"/>\n");
    ASSERT_EQ(area.GetClouds().size(), 2u);
    EXPECT_FLOAT_EQ(area.GetClouds()[0]->GetX(), 20.0f);
    EXPECT_FLOAT_EQ(area.GetClouds()[0]->GetY(), 30.0f);
    EXPECT_FLOAT_EQ(area.GetClouds()[1]->GetX(), 40.0f);
    EXPECT_FALSE(area.GetClouds()[0]->IsNight());
    EXPECT_THAT(output, HasSubstr("ERROR: cloud at (1, 2) refused: animation id 5 is not 0 to 4"));
    EXPECT_THAT(output, HasSubstr("ERROR: cloud at (3, 4) refused: animation id -1 is not 0 to 4"));
    EXPECT_THAT(output, HasSubstr("ERROR: cloud at (5, 6) refused: scale 0 is below 1"));
}

TEST_F(AreaFileTest, LittlePlatformsAreOneWayBodiesInTheWorldAtOnce)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<LittlePlatform x=\"30\" y=\"-40\" w=\"24\" h=\"4\" type=\"2\"/>\n" +
                       "<LittlePlatform x=\"1\" y=\"1\" w=\"0\" h=\"4\"/>\n");
    ASSERT_EQ(area.GetPlatforms().size(), 1u);
    const Platform* platform = area.GetPlatforms()[0];
    EXPECT_TRUE(platform->IsInWorld());
    EXPECT_EQ(platform->GetType(), BODY_PLATFORM);
    EXPECT_EQ(platform->GetLookType(), Platform::MUSHROOM);
    EXPECT_FLOAT_EQ(platform->GetPosition().x, 30.0f);
    EXPECT_FLOAT_EQ(platform->GetPosition().y, -40.0f);
    EXPECT_FLOAT_EQ(platform->GetWidth(), 24.0f);
    EXPECT_THAT(output, HasSubstr("ERROR: little platform at (1, 1) of size 0 x 4 refused"));
}

TEST_F(AreaFileTest, ScoreHeartsFlyToTheFirstExitsMouthAndNeedAnExitBeforeThem)
{
    cArea& area = Load("<ScoreHeart x=\"1\" y=\"2\" value=\"1\"/>\n" + QByteArray(kTestTrees) +
                       "<ScoreHeart x=\"40\" y=\"20\" value=\"-1\"/>\n" +
                       "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"400\" y=\"0\"/>\n" +
                       "<ScoreHeart x=\"60\" y=\"20\"/>\n");
    EXPECT_THAT(output, HasSubstr("ERROR: heart at (1, 2) refused: the area has no exit for it to fly to"));
    ASSERT_EQ(area.GetHearts().size(), 2u);
    const cHeart* heart = area.GetHearts()[0];
    EXPECT_EQ(heart->GetValue(), -1);
    EXPECT_FALSE(heart->IsTravelling());
    const b2Vec2 mouth = area.GetExits()[0]->GetMouthPosition();
    EXPECT_FLOAT_EQ(heart->GetTarget().x, mouth.x + 5.0f);
    EXPECT_FLOAT_EQ(heart->GetTarget().y, mouth.y + 10.0f);
    EXPECT_EQ(area.GetHearts()[1]->GetValue(), 0);
}

// The score an exit can reach: 1 for the first heart, whatever it is worth, and 1 for every later
// heart of value 1.
struct sScoreCase
{
    std::vector<int> values;
    int maxScore;
};

void PrintTo(const sScoreCase& c, std::ostream* os)
{
    *os << c.values.size() << " hearts";
}

class AreaFileMaxScoreTest : public AreaFileFixture, public ::testing::WithParamInterface<sScoreCase>
{
};

TEST_P(AreaFileMaxScoreTest, CountsTheFirstHeartAndEveryLaterOneOfValueOne)
{
    QByteArray hearts;
    for (int value : GetParam().values)
        hearts += "<ScoreHeart x=\"50\" y=\"20\" value=\"" + QByteArray::number(value) + "\"/>\n";
    cArea& area = Load(kTestTrees + hearts);
    ASSERT_TRUE(initialised);
    EXPECT_EQ(area.GetMaxScore(), GetParam().maxScore);
    EXPECT_EQ(area.GetExits()[0]->GetScoreIndicator()->GetMaxScore(), GetParam().maxScore);
}

INSTANTIATE_TEST_SUITE_P(Hearts, AreaFileMaxScoreTest,
                         ::testing::Values(sScoreCase{{1, 1, 1}, 3}, sScoreCase{{0, 1, 1}, 3}, sScoreCase{{-1, 1}, 2},
                                           sScoreCase{{1, 0}, 1}, sScoreCase{{}, 1}, sScoreCase{{-1, -1}, 1}));

// Sky colours: the second colour counts only when all three of its components are given.
struct sSkyCase
{
    const char* label;
    const char* element;
    std::array<int, 6> sky;
};

class AreaFileSkyTest : public AreaFileFixture, public ::testing::WithParamInterface<sSkyCase>
{
};

TEST_P(AreaFileSkyTest, GivesTheColoursOfTheTable)
{
    cArea& area = Load(QByteArray(kTestTrees) + GetParam().element);
    EXPECT_EQ(area.GetSkyColor(), GetParam().sky);
}

INSTANTIATE_TEST_SUITE_P(
    Skies, AreaFileSkyTest,
    ::testing::Values(sSkyCase{"none", "", {-1, -1, -1, -1, -1, -1}},
                      sSkyCase{"plain", "<Sky r=\"10\" g=\"20\" b=\"30\"/>", {10, 20, 30, -1, -1, -1}},
                      sSkyCase{"gradient", "<Sky r=\"10\" g=\"20\" b=\"30\" r1=\"40\" g1=\"50\" b1=\"60\"/>",
                               {10, 20, 30, 40, 50, 60}},
                      sSkyCase{"secondWithoutBlue", "<Sky r=\"10\" g=\"20\" b=\"30\" r1=\"40\" g1=\"50\"/>",
                               {10, 20, 30, -1, -1, -1}},
                      sSkyCase{"lastWins", "<Sky r=\"1\" g=\"2\" b=\"3\"/><Sky r=\"4\" g=\"5\" b=\"6\"/>",
                               {4, 5, 6, -1, -1, -1}},
                      sSkyCase{"notANumber", "<Sky r=\"red\" g=\"20\" b=\"30\"/>", {0, 20, 30, -1, -1, -1}}),
    [](const ::testing::TestParamInfo<sSkyCase>& info) { return info.param.label; });

TEST_F(AreaFileTest, SkyLoFSetsTheVadiDoDavovodazColourAndIgnoresASecondColour)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<SkyLoF r=\"7\" g=\"8\" b=\"9\" r1=\"1\" g1=\"1\" b1=\"1\"/>");
    EXPECT_EQ(area.GetSkyLoFColor(), (std::array<int, 3>{7, 8, 9}));
}

// The body type table of the file, and which bodies are in the world at once.
struct sBodyCase
{
    const char* fileType;
    int bodyType;
    bool inWorld;
};

// gtest prints a parameter's bytes, padding included, unless told how to print it.
void PrintTo(const sBodyCase& c, std::ostream* os)
{
    *os << "type \"" << c.fileType << "\"";
}

class AreaFileBodyTest : public AreaFileFixture, public ::testing::WithParamInterface<sBodyCase>
{
};

TEST_P(AreaFileBodyTest, MapsTheFileTypeAndPlacesTheLowerLeftCorner)
{
    QByteArray element = "<body x=\"-20\" y=\"30\" w=\"40\" h=\"8\" density=\"0\" friction=\"1\"";
    if (*GetParam().fileType)
        element += QByteArray(" type=\"") + GetParam().fileType + "\"";
    cArea& area = Load(QByteArray(kTestTrees) + element + "/>\n");
    ASSERT_EQ(area.GetBodies().size(), 1u);
    const cPhysicsBody* body = area.GetBodies()[0];
    EXPECT_EQ(body->GetType(), GetParam().bodyType);
    EXPECT_EQ(body->IsInWorld(), GetParam().inWorld);
    EXPECT_FLOAT_EQ(body->GetPosition().x, -20.0f);
    EXPECT_FLOAT_EQ(body->GetPosition().y, 30.0f);
    EXPECT_FLOAT_EQ(body->GetWidth(), 40.0f);
    EXPECT_FLOAT_EQ(body->GetHeight(), 8.0f);
    EXPECT_EQ(body->GetOwner(), nullptr);
    EXPECT_FALSE(body->IsAddAfterQuake());
}

INSTANTIATE_TEST_SUITE_P(Types, AreaFileBodyTest,
                         ::testing::Values(sBodyCase{"0", BODY_TERRAIN, true}, sBodyCase{"1", BODY_PLATFORM, true},
                                           sBodyCase{"2", BODY_DEADLY, true},
                                           sBodyCase{"3", BODY_BAT_KING_ONLY, false},
                                           sBodyCase{"4", BODY_BAT_KING_PLATFORM, false},
                                           sBodyCase{"5", BODY_BAT_SWITCHED, true},
                                           sBodyCase{"6", BODY_DEADLY_2, true}, sBodyCase{"7", BODY_SENSOR, true},
                                           sBodyCase{"9", BODY_TERRAIN, true}, sBodyCase{"-3", BODY_TERRAIN, true},
                                           sBodyCase{"", BODY_TERRAIN, true}));

TEST_F(AreaFileTest, QuakeTerrainWaitsOutOfTheWorldAtItsPlace)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<body x=\"10\" y=\"20\" w=\"30\" h=\"4\" type=\"0\" addAfterQuake=\"1\"/>");
    ASSERT_EQ(area.GetBodies().size(), 1u);
    const cPhysicsBody* body = area.GetBodies()[0];
    EXPECT_TRUE(body->IsAddAfterQuake());
    EXPECT_FALSE(body->IsInWorld());
    EXPECT_FLOAT_EQ(body->GetCenter().x, 25.0f);
    EXPECT_FLOAT_EQ(body->GetCenter().y, 22.0f);
}

TEST_F(AreaFileTest, BodiesWithoutPositiveSizeAreRefusedAndTheRestIsRead)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<body x=\"0\" y=\"0\" w=\"-5\" h=\"4\" type=\"0\"/>\n" +
                       "<body x=\"0\" y=\"0\" w=\"5\" type=\"0\"/>\n<body x=\"1\" y=\"2\" w=\"3\" h=\"4\" type=\"0\"/>\n");
    EXPECT_TRUE(initialised);
    EXPECT_THAT(output, HasSubstr("ERROR: terrain body at (0, 0) of size -5 x 4 refused"));
    EXPECT_THAT(output, HasSubstr("ERROR: terrain body at (0, 0) of size 5 x 0 refused"));
    ASSERT_EQ(area.GetBodies().size(), 1u);
    EXPECT_FLOAT_EQ(area.GetBodies()[0]->GetPosition().x, 1.0f);
}

TEST_F(AreaFileTest, EnterTreeFlagsComeFirstAndTheLastTreeReceivesTheCharacters)
{
    cArea& area = Load(
        "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"5\" y=\"6\" force_switch=\"1\"/>\n"
        "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"50\" y=\"60\" "
        "spawnAntlerOnly=\"2\" startAsNight=\"1\" spawnFireFlies=\"1\" useSingleFrame=\"1\"/>\n"
        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"200\" y=\"0\"/>\n");
    ASSERT_EQ(area.GetEnterTrees().size(), 2u);
    EXPECT_EQ(area.GetEnterTree(), area.GetEnterTrees()[1]);
    EXPECT_TRUE(area.GetEnterTrees()[0]->GetForceSwitch());
    EXPECT_FALSE(area.GetEnterTrees()[1]->GetForceSwitch());
    EXPECT_FLOAT_EQ(area.GetEnterTree()->GetPosition().x, 50.0f);
    EXPECT_FLOAT_EQ(area.GetEnterTree()->GetPosition().y, 60.0f);
    EXPECT_TRUE(area.GetSpawnAntlerOnly());
    EXPECT_TRUE(area.GetStartAsNight());
    EXPECT_TRUE(area.GetSpawnFireFlies());
    EXPECT_FLOAT_EQ(area.GetDayNightBlend(), 1.0f);
}

TEST_F(AreaFileTest, ExitTreesKeepFileOrderWithTheirDefaults)
{
    cArea& area = Load(
        "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"5\" y=\"6\"/>\n"
        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"100\" y=\"10\" "
        "DestinationArea=\"FrameSwitch\" DestinationAreaId=\"3\"/>\n"
        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"300\" y=\"20\" activated=\"0\"/>\n");
    ASSERT_EQ(area.GetExits().size(), 2u);
    const cAreaExit* first = area.GetExits()[0];
    const cAreaExit* second = area.GetExits()[1];
    EXPECT_FLOAT_EQ(first->GetPosition().x, 100.0f);
    EXPECT_FLOAT_EQ(first->GetPosition().y, 10.0f);
    EXPECT_TRUE(first->IsActivated());
    EXPECT_EQ(first->GetDestination(), "FrameSwitch");
    EXPECT_FALSE(second->IsActivated());
    EXPECT_EQ(second->GetDestination(), "");
}

TEST_F(AreaFileTest, BackgroundsLoadTheirPicturesAndKeepTheNameOnlyOnSuccess)
{
    cArea& area = Load(QByteArray(kTestTrees) +
                       "<Background file=\"res/Areas/FrameSwitch_day.png\" landoffireflies=\"res/Areas/Missing.png\""
                       " r=\"1\" g=\"2\" b=\"3\" a=\"4\"/>\n");
    ASSERT_NE(area.GetDayBackground(), nullptr);
    EXPECT_TRUE(area.GetDayBackground()->IsTextured());
    EXPECT_EQ(area.GetDayBackground()->GetWidthInt(), 512);
    EXPECT_EQ(area.GetBackgroundFile(), "res/Areas/FrameSwitch_day.png");
    ASSERT_NE(area.GetLoFBackground(), nullptr);
    EXPECT_FALSE(area.GetLoFBackground()->IsTextured());
    EXPECT_EQ(area.GetLandOfFirefliesBackgroundFile(), "");
    EXPECT_EQ(area.GetBatlandPicture(), nullptr);
    EXPECT_EQ(area.GetBatlandBackgroundFile(), "");
}

TEST_F(AreaFileTest, AmbienceMusicAndThemesGoToTheSoundPlayer)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<Audio volume=\"3\">\n<ambience std=\"" + Bare("long.ogg") +
                       "\" night=\"" + Bare("long.ogg") + "\"/>\n<music file=\"" + Bare("long.ogg") +
                       "\" loop=\"1\" delay=\"100\"/>\n<themes bat=\"" + Bare("short.ogg") + "\" Custom2=\"" +
                       Bare("short.ogg") + "\" loop=\"1\"/>\n</Audio>\n");
    ASSERT_TRUE(initialised);
    cAreaSoundPlayer* sound = area.GetSoundPlayer();
    EXPECT_TRUE(sound->IsAmbiencePlaying());
    EXPECT_FALSE(sound->IsMusicPlaying());  // waits for its delay
    TickSound(6);
    EXPECT_TRUE(sound->IsMusicPlaying());
    EXPECT_NE(sound->FindSound(2), nullptr);
    EXPECT_NE(sound->FindSound(43), nullptr);
    for (int id : {0, 1, 42, 44})
        EXPECT_EQ(sound->FindSound(id), nullptr) << id;
}

TEST_F(AreaFileTest, WithoutADayAmbienceNoAmbienceLoadsEvenWithANightOne)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<Audio><ambience night=\"" + Bare("long.ogg") + "\"/></Audio>\n");
    ASSERT_TRUE(initialised);
    TickSound(2);
    EXPECT_FALSE(area.GetSoundPlayer()->IsAmbiencePlaying());
    EXPECT_EQ(area.GetSoundPlayer()->GetDayChannel(), nullptr);
}

// The loop flag of the music: once any music element says otherwise than 1, the music plays once.
struct sMusicCase
{
    const char* label;
    const char* musicElements;
    bool loops;
};

void PrintTo(const sMusicCase& c, std::ostream* os)
{
    *os << c.label;
}

class AreaFileMusicTest : public AreaFileFixture, public ::testing::WithParamInterface<sMusicCase>
{
};

TEST_P(AreaFileMusicTest, LoopsOnlyWhileEveryMusicElementAsksForIt)
{
    QByteArray music = GetParam().musicElements;
    music.replace("SHORT", Bare("short.ogg"));
    cArea& area = Load(QByteArray(kTestTrees) + "<Audio>" + music + "</Audio>\n");
    ASSERT_TRUE(initialised);
    TickSound(20);  // four times the tone's length
    EXPECT_EQ(area.GetSoundPlayer()->IsMusicPlaying(), GetParam().loops);
}

INSTANTIATE_TEST_SUITE_P(
    Music, AreaFileMusicTest,
    ::testing::Values(sMusicCase{"loop", "<music file=\"SHORT\" loop=\"1\"/>", true},
                      sMusicCase{"once", "<music file=\"SHORT\" loop=\"0\"/>", false},
                      sMusicCase{"noLoopAttribute", "<music file=\"SHORT\"/>", true},
                      sMusicCase{"onceThenLoop", "<music file=\"SHORT\" loop=\"0\"/><music file=\"SHORT\" loop=\"1\"/>",
                                 false}),
    [](const ::testing::TestParamInfo<sMusicCase>& info) { return info.param.label; });

} // namespace

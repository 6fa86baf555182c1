#include "world/Area.h"

#include "actors/AntlerAncestor.h"
#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/Cloud.h"
#include "actors/FireFly.h"
#include "actors/Platform.h"
#include "actors/PlayerChar.h"
#include "actors/SharedActors.h"
#include "actors/ScoreIndicator.h"
#include "audio/AreaSoundPlayer.h"
#include "audio/Sound.h"
#include "audio/SoundLibrary.h"
#include "engine/Image.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/World.h"

#include "world/FrameEditor.h"

#include "tests/support/GlCanvas.h"
#include "tests/world/AreaFiles.h"

#include <QCoreApplication>

#include <gmock/gmock.h>

#include <malloc.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const char* const kRealArea = "res/Areas/FrameSwitch.xml";

/// An area whose objects can be cleared apart from its world, to look into the world afterwards.
class cInspectableArea : public cArea
{
public:
    using cArea::cArea;
    using cArea::ClearObjects;
};

class AreaTest : public AreaFileFixture
{
protected:
    cArea& LoadReal()
    {
        area = std::make_unique<cInspectableArea>(kRealArea, s_resources.get());
        output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
        return *area;
    }
    /// The real area's file, with every element of that name counted.
    static int CountInRealFile(const char* element)
    {
        QFile file(QString(":/") + kRealArea);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
        return file.readAll().count(QByteArray("<") + element + " ");
    }
};

TEST_F(AreaTest, TheRealAreaLoadsWithEveryTerrainBodyItsTreesAndItsPictures)
{
    cArea& area = LoadReal();
    ASSERT_TRUE(initialised) << output;
    EXPECT_THAT(output, Not(HasSubstr("ERROR")));
    EXPECT_EQ(area.GetName(), "Frame Switch");
    EXPECT_EQ(static_cast<int>(area.GetBodies().size()), CountInRealFile("body"));
    EXPECT_GE(area.GetBodies().size(), 15u);
    for (const cPhysicsBody* body : area.GetBodies())
        EXPECT_TRUE(body->IsInWorld());
    EXPECT_EQ(static_cast<int>(area.GetPlatforms().size()), CountInRealFile("LittlePlatform"));
    EXPECT_EQ(static_cast<int>(area.GetHearts().size()), CountInRealFile("ScoreHeart"));
    EXPECT_EQ(area.GetHearts().size(), 3u);
    EXPECT_EQ(area.GetClouds().size(), 2u);
    EXPECT_EQ(area.GetStars().size(), 30u);
    // The terrain, the platforms, the hearts' sensors and the exit's sensor.
    EXPECT_EQ(area.GetWorld()->GetBodyCount(),
              CountInRealFile("body") + CountInRealFile("LittlePlatform") + CountInRealFile("ScoreHeart") + 1);
    ASSERT_EQ(area.GetEnterTrees().size(), 1u);
    ASSERT_EQ(area.GetExits().size(), 1u);
    EXPECT_EQ(area.GetExitDestination(), "IntoTheWild");
    ASSERT_NE(area.GetDayBackground(), nullptr);
    ASSERT_NE(area.GetLoFBackground(), nullptr);
    EXPECT_TRUE(area.GetDayBackground()->IsTextured());
    EXPECT_TRUE(area.GetLoFBackground()->IsTextured());
    EXPECT_EQ(area.GetSkyColor(), (std::array<int, 6>{255, 220, 160, 60, 90, 190}));
}

TEST_F(AreaTest, TheRealAreaStartsInDayWithNobodyUnderControlAndTheScoreEveryExitCanReach)
{
    cArea& area = LoadReal();
    ASSERT_TRUE(initialised);
    EXPECT_EQ(area.GetMaxScore(), 3);
    ASSERT_EQ(area.GetPlayers().size(), 3u);
    for (int id = 0; id < 3; ++id) {
        EXPECT_EQ(area.GetPlayers()[static_cast<size_t>(id)], s_resources->GetCharacter(id));
        EXPECT_FALSE(area.GetPlayers()[static_cast<size_t>(id)]->HasBody());
        EXPECT_TRUE(area.GetEnterTree()->IsQueued(id, false)) << id;
    }
    EXPECT_EQ(area.GetEnterTree()->GetQueueLength(), 3);
    ASSERT_EQ(area.GetFireFlies().size(), 2u);
    for (const FireFly* fireFly : area.GetFireFlies())
        EXPECT_FALSE(fireFly->IsSpawned());
    EXPECT_EQ(area.GetCurrentPlayerIndex(), -1);
    EXPECT_EQ(area.GetCurrentPlayer(), nullptr);
    EXPECT_EQ(area.GetDayNightBlend(), 0.0f);
    EXPECT_FALSE(area.IsPaused());
    EXPECT_FALSE(area.IsFinishing());
    EXPECT_FALSE(area.GetSpawnAntlerOnly());
    EXPECT_FALSE(area.GetStartAsNight());
    EXPECT_FALSE(area.GetSpawnFireFlies());
    EXPECT_EQ(area.GetTriggeredFrameSet(), -1);
    EXPECT_FALSE(area.GetEnterTree()->GetForceSwitch());
    EXPECT_EQ(area.GetSoundPlayer()->GetState(), AREA_SOUND_FADE_IN_ALL);
    for (const cAreaExit* exit : area.GetExits())
        EXPECT_EQ(exit->GetScoreIndicator()->GetMaxScore(), area.GetMaxScore());
    int score = -1, positive = -1, negative = -1;
    area.GetExitInfo(&score, &positive, &negative);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(positive, 0);
    EXPECT_EQ(negative, 0);
}

TEST_F(AreaTest, ClearingTakesEveryBodyOutOfTheWorldBeforeItGoes)
{
    LoadReal();
    ASSERT_TRUE(initialised);
    auto& inspectable = static_cast<cInspectableArea&>(*area);
    physics::World* world = inspectable.GetWorld();
    inspectable.ClearObjects();
    EXPECT_EQ(world->GetBodyCount(), 0);
    EXPECT_TRUE(inspectable.GetBodies().empty());
    EXPECT_TRUE(inspectable.GetExits().empty());
    EXPECT_EQ(inspectable.GetEnterTree(), nullptr);
    // The shared characters and fireflies stay, reset, for the next area.
    EXPECT_TRUE(inspectable.GetPlayers().empty());
    EXPECT_TRUE(inspectable.GetFireFlies().empty());
    EXPECT_EQ(s_resources->GetCharacterCount(), 3);
    inspectable.Clear();
    EXPECT_EQ(inspectable.GetWorld(), nullptr);
    EXPECT_EQ(inspectable.GetSoundPlayer(), nullptr);
    inspectable.Clear();  // twice is harmless
}

TEST_F(AreaTest, ClearingStopsEverySound)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<Audio><ambience std=\"" + Bare("long.ogg") + "\"/><music file=\"" +
                       Bare("long.ogg") + "\"/><themes antler=\"" + Bare("long.ogg") + "\"/></Audio>\n");
    ASSERT_TRUE(initialised);
    TickSound(3);
    cAreaSoundPlayer* sound = area.GetSoundPlayer();
    ASSERT_TRUE(sound->PlaySound(0, -1, 0));
    TickSound(1);
    const std::vector<FMOD_CHANNEL*> channels{sound->GetDayChannel(), sound->GetMusicChannel(),
                                              sound->FindSound(0)->GetChannel()};
    for (FMOD_CHANNEL* channel : channels)
        ASSERT_TRUE(s_audio->IsPlaying(channel));
    area.Clear();
    s_audio->Update();
    for (FMOD_CHANNEL* channel : channels)
        EXPECT_FALSE(s_audio->IsPlaying(channel));
}

TEST_F(AreaTest, SoundSettingsMuteAndUnmuteTheMusicAndTheAmbienceApart)
{
    cArea& area = Load(QByteArray(kTestTrees) + "<Audio><ambience std=\"" + Bare("long.ogg") + "\"/><music file=\"" +
                       Bare("long.ogg") + "\"/></Audio>\n");
    ASSERT_TRUE(initialised);
    cAreaSoundPlayer* sound = area.GetSoundPlayer();
    EXPECT_TRUE(area.ApplySoundSettings(true, false));
    EXPECT_TRUE(s_audio->IsMuted(sound->GetMusicChannel()));
    EXPECT_FALSE(s_audio->IsMuted(sound->GetDayChannel()));
    area.ApplySoundSettings(false, true);
    EXPECT_FALSE(s_audio->IsMuted(sound->GetMusicChannel()));
    EXPECT_TRUE(s_audio->IsMuted(sound->GetDayChannel()));
}

TEST_F(AreaTest, LoadingTheRealAreaAgainAndAgainDoesNotGrowTheHeap)
{
    // Window-system events that other programs on the same display cause queue up in this
    // process while it loads; they are handled after each load, so that only the area is weighed.
    auto loadAndDelete = [this] {
        {
            cArea area(kRealArea, s_resources.get());
            EXPECT_TRUE(area.Init(s_audio.get(), false, false));
        }
        QCoreApplication::processEvents();
    };
    // The first loads fill the caches of Qt and the GL driver; after them a load gives back all it
    // took (the tests run without glibc's per-thread caches), so that a leak of fifty bytes a load shows.
    for (int i = 0; i < 20; ++i)
        loadAndDelete();
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 100; ++i)
        loadAndDelete();
    const size_t after = mallinfo2().uordblks;
    EXPECT_LT(after, before + 4 * 1024) << "before " << before << ", after " << after;
}

/// The real area on the window through its frame set, at pixel size 2.
class AreaLookTest : public AreaTest
{
protected:
    static constexpr int kWidth = 960, kHeight = 544;

    /// Draws the area through a new frame manager and saves the picture for a person to look at.
    void Paint(const char* fileName, bool outlines = false)
    {
        frames = std::make_unique<cFrameEditor>(area.get());
        ASSERT_TRUE(frames->LoadFrameSets("res/Areas/FrameSwitch_Frames.xml"));
        frames->Resize(kWidth, kHeight);
        frames->RenderWorldToTexture(outlines, false, true, true);
        canvas.Bind();
        frames->Draw();
        canvas.Save(fileName);
    }
    /// The window pixel showing texture pixel (tx, ty) in the bottom left panel, which shows
    /// texture rows from 33 at screen row 3, texture columns from 0 at screen column 2.
    QColor BottomFloorPixel(int tx, int ty) const { return canvas.Pixel((tx + 2) * 2, (ty - 33 + 3) * 2); }

    GlCanvas canvas{kWidth, kHeight};
    std::unique_ptr<cFrameEditor> frames;
};

TEST_F(AreaLookTest, TheBottomPanelShowsTheGrassOfTheBottomFloorWhereItsBodyEnds)
{
    LoadReal();
    ASSERT_TRUE(initialised);
    Paint("real_area_day.png");
    const QColor grass = BottomFloorPixel(60, 39);
    const QColor air = BottomFloorPixel(60, 41);
    EXPECT_GT(grass.green(), grass.red() + 40) << grass.name().toStdString();
    EXPECT_LT(air.green(), air.red() + 20) << air.name().toStdString();
    // The three characters out of the enter tree, one on each floor.
    const float places[3][2] = {{60.0f, -200.0f}, {380.0f, -136.0f}, {250.0f, -72.0f}};
    for (int id = 0; id < 3; ++id)
        s_resources->GetCharacter(id)->Init(area->GetWorld(), places[id][0], places[id][1]);
    Paint("real_area_outlines.png", true);
    area->SetEnterTreeFlags(false, true, false);
    Paint("real_area_lof.png");
}

TEST_F(AreaTest, AnAntlerOnlyEntranceQueuesTheAntlerFormAloneForGood)
{
    cArea& area = Load(
        "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"10\" y=\"0\" spawnAntlerOnly=\"1\"/>\n"
        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"200\" y=\"0\"/>\n");
    ASSERT_TRUE(initialised);
    ASSERT_EQ(area.GetPlayers().size(), 3u);
    EXPECT_EQ(area.GetPlayers()[0], gAntlerAncestor);
    EXPECT_FALSE(gAntlerAncestor->GetMayMetamorphose());
    EXPECT_EQ(area.GetEnterTree()->GetQueueLength(), 1);
    EXPECT_TRUE(area.GetEnterTree()->IsQueued(0, true));
    area.Clear();
    // The next area starts the form afresh.
    cArea& next = Load(kTestTrees);
    ASSERT_TRUE(initialised);
    EXPECT_EQ(next.GetPlayers()[0], s_resources->GetCharacter(0));
}

TEST_F(AreaTest, FireFliesAppearBesideTheEnterTreeWhenTheEntranceAsks)
{
    cArea& area = Load(
        "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"10\" y=\"20\" spawnFireFlies=\"1\"/>\n"
        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"200\" y=\"0\"/>\n");
    ASSERT_TRUE(initialised);
    ASSERT_EQ(area.GetFireFlies().size(), 2u);
    EXPECT_TRUE(area.GetFireFlies()[0]->IsSpawned());
    EXPECT_TRUE(area.GetFireFlies()[1]->IsSpawned());
    EXPECT_NEAR(area.GetFireFlies()[0]->GetPosition().x, 7.0f, 1.0f);
    EXPECT_NEAR(area.GetFireFlies()[1]->GetPosition().x, 13.0f, 1.0f);
    EXPECT_EQ(area.GetEnterTree()->GetQueueLength(), 3);
}

TEST_F(AreaTest, AnAreaThatStartsAtNightShowsItsObjectsInTheirNightLookAtOnce)
{
    cArea& area = Load(
        "<LittlePlatform x=\"30\" y=\"40\" w=\"24\" h=\"4\" type=\"1\"/>\n<Cloud x=\"1\" y=\"2\"/>\n"
        "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"10\" y=\"0\" startAsNight=\"1\"/>\n"
        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"200\" y=\"0\"/>\n");
    ASSERT_TRUE(initialised);
    EXPECT_FLOAT_EQ(area.GetDayNightBlend(), 1.0f);
    EXPECT_TRUE(area.GetPlatforms()[0]->IsNight());
    EXPECT_TRUE(area.GetClouds()[0]->IsNight());
    EXPECT_EQ(area.GetSoundPlayer()->GetState(), AREA_SOUND_FADE_IN_ALL);
}

/// Hears which effects the area plays.
class cListeningLibrary : public cSoundLibrary
{
public:
    cListeningLibrary() : cSoundLibrary(nullptr) {}
    bool Play(int effectId, float volume, int) override
    {
        heard.emplace_back(effectId, volume);
        return true;
    }
    std::vector<std::pair<int, float>> heard;
};

TEST_F(AreaTest, AnEntranceThatHandsOverControlAnnouncesItselfAtTheStart)
{
    cListeningLibrary listening;
    cSoundLibrary* game = gSoundLibrary;
    gSoundLibrary = &listening;
    Load("<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"10\" y=\"0\" force_switch=\"1\"/>\n"
         "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"200\" y=\"0\"/>\n");
    const auto withForceSwitch = listening.heard;
    listening.heard.clear();
    area.reset();
    root += "plain";
    Load(kTestTrees);
    gSoundLibrary = game;
    EXPECT_EQ(withForceSwitch, (std::vector<std::pair<int, float>>{{76, 1.0f}}));
    EXPECT_TRUE(listening.heard.empty());
}

TEST_F(AreaTest, WithTwoExitsTheDestinationIsThatOfTheFirstAtRest)
{
    cArea& area = Load(
        "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"5\" y=\"6\"/>\n"
        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"100\" y=\"0\" DestinationArea=\"A\"/>\n"
        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"300\" y=\"0\" DestinationArea=\"B\"/>\n");
    EXPECT_EQ(area.GetExitDestination(), "A");
    StdoutOf([&] { area.GetExits()[0]->OpenMouth(false); });
    EXPECT_EQ(area.GetExitDestination(), "B");
    StdoutOf([&] { area.GetExits()[1]->OpenMouth(false); });
    EXPECT_EQ(area.GetExitDestination(), "");
}

TEST_F(AreaTest, WithOneExitTheDestinationIsItsOwnWhateverItHolds)
{
    cArea& area = Load(kTestTrees);
    StdoutOf([&] { area.GetExits()[0]->OpenMouth(false); });
    EXPECT_EQ(area.GetExitDestination(), "Next");
}

TEST(AreaTutorialFlags, StackBoxTypesSetTheirTutorialAndEveryCallTheSpecialMode)
{
    cArea area("unused.xml", nullptr);
    area.SetTutorialFlags(5, true);
    EXPECT_FALSE(area.IsAntlerTutorial());
    EXPECT_FALSE(area.IsSpiritTutorial());
    EXPECT_TRUE(area.IsSpiritSpecialMode());
    area.SetTutorialFlags(1, false);
    EXPECT_TRUE(area.IsSpiritTutorial());
    EXPECT_FALSE(area.IsSpiritSpecialMode());
    area.SetTutorialFlags(0, true);
    EXPECT_TRUE(area.IsAntlerTutorial());
    EXPECT_TRUE(area.IsSpiritTutorial());  // once set, stays set
    EXPECT_TRUE(area.IsSpiritSpecialMode());
}

} // namespace

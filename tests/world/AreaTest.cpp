#include "world/Area.h"

#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/ScoreIndicator.h"
#include "audio/AreaSoundPlayer.h"
#include "engine/Image.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/World.h"

#include "world/FrameEditor.h"

#include "tests/support/GlCanvas.h"
#include "tests/world/AreaFiles.h"

#include <gmock/gmock.h>

#include <QDir>
#include <QTemporaryDir>

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
        area = std::make_unique<cInspectableArea>(kRealArea, nullptr);
        output = StdoutOf([this] { initialised = area->Init(&audio, false, false); });
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
    EXPECT_GE(area.GetBodies().size(), 20u);
    for (const cPhysicsBody* body : area.GetBodies())
        EXPECT_TRUE(body->IsInWorld());
    EXPECT_EQ(area.GetWorld()->GetBodyCount(), CountInRealFile("body") + 1);  // and the exit's sensor
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
    ASSERT_TRUE(area.GetSoundPlayer()->PlaySound(0, -1, 0));
    TickSound(1);
    EXPECT_EQ(ChannelsPlaying(), 3);
    area.Clear();
    audio.Update();
    EXPECT_EQ(ChannelsPlaying(), 0);
}

TEST_F(AreaTest, LoadingTheRealAreaAgainAndAgainKeepsNoMemory)
{
    // The first load fills the caches of Qt and the GL driver; after it the heap must stay put.
    auto loadAndDelete = [this] {
        cArea area(kRealArea, nullptr);
        StdoutOf([&] { EXPECT_TRUE(area.Init(&audio, false, false)); });
    };
    loadAndDelete();
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 100; ++i)
        loadAndDelete();
    const size_t after = mallinfo2().uordblks;
    // A leak of one body, picture or tree per load would add far more than this over 100 loads.
    EXPECT_LT(after, before + 16 * 1024) << "before " << before << ", after " << after;
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
    /// texture rows from 36 at screen row 3, texture columns from 0 at screen column 2.
    QColor BottomFloorPixel(int tx, int ty) const { return canvas.Pixel((tx + 2) * 2, (ty - 36 + 3) * 2); }

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
    Paint("real_area_outlines.png", true);
    area->SetEnterTreeFlags(false, true, false);
    Paint("real_area_lof.png");
}

TEST_F(AreaTest, PauseFlagsFollowTheirSetters)
{
    cArea& area = Load(kTestTrees);
    area.SetPaused(true);
    EXPECT_TRUE(area.IsPaused());
    EXPECT_TRUE(area.IsPauseScreenShown());
    area.SetPaused(false);
    EXPECT_TRUE(area.IsPaused());
    EXPECT_FALSE(area.IsPauseScreenShown());
    area.ClearPaused();
    EXPECT_FALSE(area.IsPaused());
    EXPECT_FALSE(area.IsPauseScreenShown());
}

TEST_F(AreaTest, WithoutACharacterThereIsNothingToFollow)
{
    cArea& area = Load(kTestTrees);
    float x = -7.0f, y = -7.0f;
    EXPECT_FALSE(area.GetFocusPlayerCenter(x, y));
    EXPECT_EQ(x, -7.0f);
    EXPECT_EQ(area.GetFocusPlayer(), nullptr);
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

TEST_F(AreaTest, AskingTheExitsToLetACharacterInAsksEveryOne)
{
    cArea& area = Load(QByteArray(kTestTrees) +
                       "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"400\" y=\"0\"/>\n");
    area.SetExitsTarget(2);
    for (const cAreaExit* exit : area.GetExits()) {
        EXPECT_TRUE(exit->IsRequestPending());
        EXPECT_EQ(exit->GetRequestedId(), 2);
    }
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

TEST(AreaSaving, WritesNothingAndSucceeds)
{
    QTemporaryDir dir;
    cArea area("unused.xml", nullptr);
    EXPECT_TRUE(area.SaveToFile(dir.filePath("area.xml")));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace

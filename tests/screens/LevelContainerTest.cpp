// The area entries of the area selection: their cells in the grid, what they read of their area
// files, and areas the game does not have yet.
#include "ScreenFixture.h"

#include "actors/WaterFallSparkle.h"
#include "screens/LevelButton.h"
#include "screens/LevelContainer.h"
#include "tests/support/RecordingSoundLibrary.h"

namespace {

using LevelContainerTest = ScreenFixture;

TEST_F(LevelContainerTest, CellsFillSixColumnsFromTheTopAndKeepTheirSparklesInside)
{
    struct sCell
    {
        int w, h, index, scale, x, y;
    };
    const sCell cells[] = {
        {640, 480, 0, 2, 128, 267},   // margin (640 - 384) / 2, row 0 at 480 - 48 - 165
        {640, 480, 5, 2, 448, 267},
        {640, 480, 6, 2, 128, 203},   // one row down
        {300, 200, 7, 1, 86, 38},     // below 320 x 240 the scale stays 1
        {1280, 800, 29, 3, 832, 116}, // the last of 30 entries, at the bottom right
    };
    for (const sCell& c : cells) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " #" << c.index);
        // Sized first, so that the sparkles are made at the window's scale.
        cLevelButton button;
        button.Resize(c.w, c.h);
        button.SetIndex(c.index);
        EXPECT_EQ(button.GetScale(), c.scale);
        EXPECT_EQ(button.GetCellSize(), 32 * c.scale);
        EXPECT_EQ(button.GetX(), c.x);
        EXPECT_EQ(button.GetY(), c.y);
        ASSERT_EQ(button.GetSparkles().size(), 30u);
        for (int tick = 0; tick < 100; ++tick) {
            button.Update(20);
            for (const auto& sparkle : button.GetSparkles()) {
                ASSERT_GE(sparkle->GetX(), c.x);
                ASSERT_LT(sparkle->GetX(), c.x + 32 * c.scale);
                ASSERT_GE(sparkle->GetY(), c.y);
                ASSERT_LT(sparkle->GetY(), c.y + 32 * c.scale);
            }
        }
    }

    // The sparkles' alpha rises to full halfway through a sequence and falls back to nothing.
    EXPECT_EQ(cLevelButton::Falloff(0), 0);
    EXPECT_EQ(cLevelButton::Falloff(64), 128);
    EXPECT_EQ(cLevelButton::Falloff(127), 254);
    EXPECT_EQ(cLevelButton::Falloff(255), 0);
}

TEST_F(LevelContainerTest, AnEntryReadsItsNameAndMaximumScoreAndStaysLockedWithoutItsArea)
{
    testsounds::cTestResourceTree tree("entrytest");
    // The maximum never falls below 0 on the way: 2 - 5 gives 0, then 3.
    tree.Add("area.xml", "<ZORV_AREA_SAVE_FILE><ScoreHeart value=\"2\"/><Metadata name=\"Deep Cave\"/>"
                         "<ScoreHeart value=\"-5\"/><ScoreHeart value=\"3\"/><ScoreHeart/></ZORV_AREA_SAVE_FILE>");
    ASSERT_TRUE(tree.Mount());
    cLevelContainer read(3, tree.BarePath("area.xml").toStdString());
    EXPECT_EQ(StdoutOf([&] { EXPECT_TRUE(read.LoadArea()); }), "");
    EXPECT_EQ(read.GetName(), "Deep Cave");
    EXPECT_EQ(read.GetMaxScore(), 3);
    read.SetBestScore(1);
    EXPECT_EQ(read.ScoreLine(), "score: 1/3 *");

    cRecordedEffects effects;
    cLevelContainer missing(4, "res/Areas/NotBuiltYet.xml");
    const std::string out = StdoutOf([&] { EXPECT_FALSE(missing.LoadArea()); });
    EXPECT_EQ(out, "\n NOTE: res/Areas/NotBuiltYet.xml is not in the game yet; it stays locked on the area selection. \n");
    missing.Resize(640, 480);
    missing.SetUnlocked(true, true);
    EXPECT_EQ(missing.GetState(), LEVEL_IDLE) << "an unlock with nothing to show";
    EXPECT_TRUE(missing.IsUnlockedOrUnlocking());
    EXPECT_FALSE(missing.IsUnlocked());
    EXPECT_FALSE(missing.HitTest(missing.GetButton().GetX() + 5, missing.GetButton().GetY() + 5));
    EXPECT_TRUE(effects.sounds.Take().empty());
    cLevelContainer unnamed(5, "");
    EXPECT_EQ(StdoutOf([&] { EXPECT_FALSE(unnamed.LoadArea()); }), "");
}

} // namespace

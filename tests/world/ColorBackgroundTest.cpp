#include "world/ColorBackground.h"

#include "BackgroundPrinting.h"
#include "tests/support/GlCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr sZorv_BG_Color kBlue{0, 0, 255, -1, -1, -1};
constexpr sZorv_BG_Color kFlatBlue{0, 0, 255, 0, 0, 255};
constexpr sZorv_BG_Color kLilac{216, 203, 236, 181, 159, 217};
constexpr sZorv_BG_Color kNone{-1, -1, -1, -1, -1, -1};

} // namespace

TEST(ColorBackground, SecondColourOfMinusOnesMeansFlatWhereverRecordsAreStored)
{
    cColorBackground bg({151, 129, 183, -1, -1, -1});
    EXPECT_EQ(bg.GetShownColors(), (sZorv_BG_Color{151, 129, 183, 151, 129, 183}));
    EXPECT_EQ(bg.GetRecord(0), bg.GetShownColors());

    EXPECT_EQ(bg.AddRecord({1, 2, 3, -1, -1, -1}, false), 1);
    EXPECT_EQ(bg.GetRecord(1), (sZorv_BG_Color{1, 2, 3, 1, 2, 3}));
    // A single -1 is not the "flat" marker and stays.
    ASSERT_TRUE(bg.SetRecord(1, {1, 2, 3, -1, 5, 6}));
    EXPECT_EQ(bg.GetRecord(1), (sZorv_BG_Color{1, 2, 3, -1, 5, 6}));

    bg.SetColors(kBlue);
    EXPECT_EQ(bg.GetShownColors(), kFlatBlue);
    EXPECT_EQ(bg.GetCurrentRecord(), -1);
}

TEST(ColorBackground, TimedFadeCoversTheShownPairAndReplacesItAtItsEnd)
{
    cColorBackground bg(kBlue);
    ASSERT_TRUE(bg.FadeTo(kLilac, 600));
    EXPECT_FLOAT_EQ(bg.GetFadeFraction(), 0);
    EXPECT_EQ(bg.GetCurrentRecord(), -1);
    for (int tick = 1; tick < 30; ++tick) {
        bg.Update(20);
        EXPECT_FLOAT_EQ(bg.GetFadeFraction(), tick * 20 / 600.0f) << "tick " << tick;
        EXPECT_EQ(bg.GetShownColors(), kFlatBlue);
    }
    bg.Update(20);
    EXPECT_EQ(bg.GetShownColors(), kLilac);
    EXPECT_LT(bg.GetFadeFraction(), 0);
    bg.Update(20);
    EXPECT_EQ(bg.GetShownColors(), kLilac);
}

TEST(ColorBackground, FadeKeepsItsTargetAsGivenAndAZeroFadeEndsOnTheFirstUpdate)
{
    cColorBackground bg(kLilac);
    bg.FadeTo(kBlue, 0);
    EXPECT_EQ(bg.GetTargetColors(), kBlue);
    bg.Update(20);
    EXPECT_EQ(bg.GetShownColors(), kBlue);
    EXPECT_LT(bg.GetFadeFraction(), 0);
}

TEST(ColorBackground, OverwritingTheCurrentRecordShowsItAtOnce)
{
    cColorBackground bg(kBlue);
    ASSERT_TRUE(bg.SetRecord(0, kLilac));
    EXPECT_EQ(bg.GetShownColors(), kLilac);
    bg.AddRecord(kBlue, true);
    ASSERT_TRUE(bg.SetRecord(0, kBlue));
    EXPECT_EQ(bg.GetShownColors(), kFlatBlue); // record 1 is current, so record 0 waits
}

TEST(ColorBackground, IndicesWithoutARecordChangeNothing)
{
    cColorBackground bg(kBlue);
    EXPECT_FALSE(bg.SetRecord(1, kLilac));
    EXPECT_FALSE(bg.SetRecord(-1, kLilac));
    EXPECT_FALSE(bg.FadeToRecord(3, 100));
    EXPECT_EQ(bg.GetRecord(5), kNone);
    bg.SetColorsFromRecord(2);
    EXPECT_EQ(bg.GetShownColors(), kFlatBlue);
    EXPECT_EQ(bg.GetRecordCount(), 1);
    EXPECT_LT(bg.GetFadeFraction(), 0);
}

TEST(ColorBackground, BlendShowsTheNextRecordOverThisOneByTheFraction)
{
    cColorBackground bg(kBlue);
    bg.BlendAt(0.5f);
    EXPECT_LT(bg.GetFadeFraction(), 0) << "one record: nothing to blend to";

    bg.AddRecord({10, 20, 30, -1, -1, -1}, false);
    bg.BlendAt(0.25f);
    EXPECT_EQ(bg.GetShownColors(), kFlatBlue);
    EXPECT_EQ(bg.GetTargetColors(), (sZorv_BG_Color{10, 20, 30, 10, 20, 30}));
    EXPECT_FLOAT_EQ(bg.GetFadeFraction(), 0.25f);
    EXPECT_EQ(bg.GetCurrentRecord(), 1);

    // A blend is a position: no timed fade runs, so updates leave it.
    bg.Update(20);
    EXPECT_FLOAT_EQ(bg.GetFadeFraction(), 0.25f);

    // Whole positions and negative ones change nothing: the last mix below 1 stays.
    bg.BlendAt(1.0f);
    bg.BlendAt(0.0f);
    bg.BlendAt(-0.5f);
    EXPECT_FLOAT_EQ(bg.GetFadeFraction(), 0.25f);
}

TEST(ColorBackground, PaintsTheFirstColourAlongTheBottomAndTheTargetOverIt)
{
    cColorBackground bg({151, 129, 183, 230, 203, 236});
    bg.SetSize(64, 256);
    {
        GlCanvas canvas(64, 256);
        bg.Paint();
        EXPECT_TRUE(NearColor(canvas.Pixel(10, 0), QColor(151, 129, 183), 3)) << canvas.Pixel(10, 0).name().toStdString();
        EXPECT_TRUE(NearColor(canvas.Pixel(10, 255), QColor(230, 203, 236), 3));
        EXPECT_TRUE(NearColor(canvas.Pixel(63, 128), QColor(190, 166, 209), 4));
    }
    bg.FadeTo({0, 0, 0, 0, 0, 0}, 100);
    bg.Update(50);
    {
        GlCanvas canvas(64, 256);
        bg.Paint();
        // Black at alpha trunc(0.5 x 255) = 127 over the bottom colour.
        EXPECT_TRUE(NearColor(canvas.Pixel(10, 0), QColor(76, 65, 92), 3)) << canvas.Pixel(10, 0).name().toStdString();
    }
}

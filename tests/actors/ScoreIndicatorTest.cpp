// The score indicator: its files, the counts and twinkles of the hearts it is given, and how
// strongly its pink heart shows the score.
#include "TreeWorld.h"

#include "tests/support/StdoutOf.h"

namespace {

class ScoreIndicatorTest : public TreeWorld
{
protected:
    /// How many twinkles of the group [first, end) show.
    int Showing(const cScoreIndicator& indicator, size_t first, size_t end) const
    {
        int n = 0;
        for (size_t i = first; i < end; ++i)
            n += indicator.GetFeedbackAnims()[i]->IsVisible() ? 1 : 0;
        return n;
    }
};

TEST_F(ScoreIndicatorTest, GameFilesGiveFourTwinklesOfEachKindHidden)
{
    for (const char* file : {kIndicatorFile, kBigIndicatorFile}) {
        cScoreIndicator indicator(3.0f, 4.0f);
        ASSERT_TRUE(indicator.LoadFromXml(file)) << file;
        EXPECT_EQ(indicator.IsBig(), file == kBigIndicatorFile);
        ASSERT_EQ(indicator.GetFeedbackAnims().size(), 8u);
        EXPECT_EQ(Showing(indicator, 0, 8), 0);
        for (const cAnimation* twinkle : indicator.GetFeedbackAnims()) {
            EXPECT_EQ(twinkle->GetNumFrames(), 5);
            EXPECT_FALSE(twinkle->IsLooping());
        }
    }
}

TEST_F(ScoreIndicatorTest, FiveHeartsWithinASecondShowFourTwinklesAndCountFive)
{
    cScoreIndicator indicator(0.0f, 0.0f);
    ASSERT_TRUE(indicator.LoadFromXml(kIndicatorFile));
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            indicator.Update(200);
        indicator.AddScore(1);
    }
    EXPECT_EQ(Showing(indicator, 0, 4), 4);
    EXPECT_EQ(Showing(indicator, 4, 8), 0);
    EXPECT_EQ(indicator.GetScore(), 5);
    EXPECT_EQ(indicator.GetPositiveCount(), 5);
    EXPECT_EQ(indicator.GetNegativeCount(), 0);

    // A twinkle plays its five frames of 200 ms once and is gone; it can then play again.
    for (int t = 0; t < 60; ++t)
        indicator.Update(20);
    EXPECT_EQ(Showing(indicator, 0, 8), 0);
    indicator.AddScore(2);
    EXPECT_EQ(Showing(indicator, 0, 4), 1);
}

TEST_F(ScoreIndicatorTest, HeartOfValueZeroOrLessCountsAsNegative)
{
    cScoreIndicator indicator(0.0f, 0.0f);
    ASSERT_TRUE(indicator.LoadFromXml(kIndicatorFile));
    indicator.AddScore(0);
    indicator.AddScore(-1);
    EXPECT_EQ(indicator.GetScore(), -1);
    EXPECT_EQ(indicator.GetNegativeCount(), 2);
    EXPECT_EQ(indicator.GetPositiveCount(), 0);
    EXPECT_EQ(Showing(indicator, 4, 8), 2);
    EXPECT_EQ(Showing(indicator, 0, 4), 0);
}

struct sPink
{
    int score;
    int max;
    int alpha;
};

class PinkAlphaTest : public ::testing::TestWithParam<sPink>
{
};

TEST_P(PinkAlphaTest, PinkHeartShowsTheShareOfTheScore)
{
    cScoreIndicator indicator(0.0f, 0.0f);
    indicator.SetMaxScore(GetParam().max);
    indicator.SetScore(GetParam().score);
    EXPECT_EQ(indicator.PinkAlpha(), GetParam().alpha);
}

INSTANTIATE_TEST_SUITE_P(Scores, PinkAlphaTest,
                         ::testing::Values(sPink{0, 4, 0}, sPink{-3, 4, 0}, sPink{1, 4, 63}, sPink{2, 4, 127},
                                           sPink{4, 4, 255}, sPink{9, 4, 255},
                                           // an area without hearts to score
                                           sPink{1, 0, 255}, sPink{0, 0, 0}, sPink{-1, 0, 0}));

TEST_F(ScoreIndicatorTest, MissingFileAndBrokenTwinkleAreReported)
{
    cScoreIndicator indicator(0.0f, 0.0f);
    bool loaded = true;
    EXPECT_NE(StdoutOf([&] { loaded = indicator.LoadFromXml("res/xml/actors/ScoreIndicator/none.xml"); })
                  .find("ERROR: Invalid XML resource file: :/res/xml/actors/ScoreIndicator/none.xml"),
              std::string::npos);
    EXPECT_FALSE(loaded);

    // Without its chip set no twinkle can be cut: reading stops at the first.
    gChipSets[10] = nullptr;
    EXPECT_NE(StdoutOf([&] { loaded = indicator.LoadFromXml(kIndicatorFile); })
                  .find("Could not load animation for score indicator"),
              std::string::npos);
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(indicator.GetFeedbackAnims().empty());
}

} // namespace

// Stars that twinkle, clouds that drift and wrap, and little platforms with their two looks.
#include "GameChipSets.h"

#include "actors/Cloud.h"
#include "actors/Platform.h"
#include "actors/Star.h"
#include "engine/Animation.h"
#include "tests/support/GlCanvas.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kTick = 20;

/// The alphas a star shows after each of n steps of 51 ms.
std::vector<float> StepAlphas(Star& star, int n)
{
    std::vector<float> alphas;
    for (int i = 0; i < n; ++i) {
        star.Update(51);
        alphas.push_back(star.GetAlpha());
    }
    return alphas;
}

} // namespace

TEST(Star, StepsOnceFor51MsOfTicksAndRestartsItsTimer)
{
    Star star(0, 0, 100, 20.0f, 1.0f);
    std::vector<float> alphas;
    for (int tick = 0; tick < 6; ++tick) {
        EXPECT_EQ(star.Update(kTick), 0);
        alphas.push_back(star.GetAlpha());
    }
    // 20 and 40 ms wait, 60 ms steps and restarts from 0 (the 9 ms over are not carried).
    EXPECT_EQ(alphas, (std::vector<float>{100, 100, 120, 120, 120, 140}));
}

TEST(Star, ClimbsToTheTopTurnsAndFallsToZeroAndTurnsAgain)
{
    Star star(0, 0, 200, 20.0f, 1.0f);
    EXPECT_EQ(StepAlphas(star, 5), (std::vector<float>{220, 240, 255, 235, 215}));
    EXPECT_LT(star.GetAlphaStep(), 0.0f);

    Star falling(0, 0, 30, -20.0f, 1.0f);
    EXPECT_EQ(StepAlphas(falling, 4), (std::vector<float>{10, 0, 20, 40}));
}

TEST(Star, OnlyTheWholePartOfTheStepIsAddedAndAZeroStepStandsStill)
{
    Star star(0, 0, 100, 2.7f, 1.0f);
    EXPECT_EQ(StepAlphas(star, 2), (std::vector<float>{102, 104}));
    Star still(0, 0, 100, 0.0f, 1.0f);
    EXPECT_EQ(StepAlphas(still, 3), (std::vector<float>{100, 100, 100}));
}

TEST(Star, DrawsAScaledSquareInItsColourWithItsAlpha)
{
    GlCanvas canvas(32, 32);
    Star(3, 2, 255, 20.0f, 1.0f).Draw(2, 1.0f);     // 4 x 4 at (6, 4)
    Star(10, 10, 255, 20.0f, 0.0f).Draw(2, 0.5f);   // 2 x 2 at (20, 20), half alpha
    EXPECT_PRED2(Near, canvas.Pixel(6, 4), QColor(238, 252, 145));
    EXPECT_PRED2(Near, canvas.Pixel(9, 7), QColor(238, 252, 145));
    EXPECT_PRED2(Near, canvas.Pixel(10, 7), QColor(0, 0, 0));
    EXPECT_PRED2(Near, canvas.Pixel(5, 4), QColor(0, 0, 0));
    EXPECT_PRED2(Near, canvas.Pixel(21, 21), QColor(119, 126, 72));
    EXPECT_PRED2(Near, canvas.Pixel(22, 22), QColor(0, 0, 0));
}

namespace {

class CloudTest : public ::testing::Test
{
protected:
    /// A one-frame-per-20 ms strip of frames w pixels wide from chip set 6, the clouds' sheet.
    static std::unique_ptr<cAnimation> Strip(int w)
    {
        auto animation = std::make_unique<cAnimation>();
        EXPECT_TRUE(animation->Setup(true, 20, 3, 0, 0, w, 11, 6, 0, 0));
        return animation;
    }

    GameChipSets chipSets{6};
    std::unique_ptr<cAnimation> day = Strip(64);
    std::unique_ptr<cAnimation> night = Strip(64);
};

} // namespace

TEST_F(CloudTest, DriftsBySpeedTimesTheElapsedSeconds)
{
    cCloud cloud(100, 50, 10.0f, day.get(), night.get(), 1);
    EXPECT_EQ(cloud.Update(kTick), 1);
    EXPECT_FLOAT_EQ(cloud.GetX(), 100.2f);
    cCloud left(100, 50, -30.0f, day.get(), night.get(), 1);
    left.Update(100);
    EXPECT_FLOAT_EQ(left.GetX(), 97.0f);
    EXPECT_FLOAT_EQ(left.GetY(), 50.0f);
}

TEST_F(CloudTest, WrapsPastEitherEdgeByItsScaledWidth)
{
    cCloud right(510, 0, 200.0f, day.get(), night.get(), 2);
    right.Update(kTick);   // 514 > 512
    EXPECT_FLOAT_EQ(right.GetX(), -128.0f);

    cCloud left(-126, 0, -200.0f, day.get(), night.get(), 2);
    left.Update(kTick);    // -130 < -128
    EXPECT_FLOAT_EQ(left.GetX(), 512.0f);

    cCloud resized(298, 0, 200.0f, day.get(), night.get(), 1);
    resized.SetWrapLimit(300);
    resized.Update(kTick);
    EXPECT_FLOAT_EQ(resized.GetX(), -64.0f);
    cCloud back(-190, 0, -200.0f, day.get(), night.get(), 3);
    back.SetWrapLimit(300);
    back.Update(kTick);    // -194 < -192
    EXPECT_FLOAT_EQ(back.GetX(), 300.0f);
}

TEST_F(CloudTest, OnlyTheDayLookAdvancesAlsoAtNight)
{
    cCloud cloud(0, 0, 0.0f, day.get(), night.get(), 1);
    cloud.SwitchToLoF();
    EXPECT_TRUE(cloud.IsNight());
    cloud.Update(kTick);
    EXPECT_EQ(day->GetCurrentFrame(), 1);
    EXPECT_EQ(night->GetCurrentFrame(), 0);
    cloud.SwitchToDay();
    EXPECT_FALSE(cloud.IsNight());
}

TEST_F(CloudTest, DrawsTheLookOfTheTimeOfDayAtItsScale)
{
    // "cloud 0" and "lof cloud 0" of the shared cloud list.
    auto dayLook = std::make_unique<cAnimation>();
    auto nightLook = std::make_unique<cAnimation>();
    ASSERT_TRUE(dayLook->Setup(true, 100, 1, 0, 0, 24, 11, 6, 0, 0));
    ASSERT_TRUE(nightLook->Setup(true, 100, 1, 200, 0, 24, 11, 6, 0, 0));
    GlCanvas dayCanvas(64, 64);
    cCloud cloud(4, -230, 0.0f, dayLook.get(), nightLook.get(), 2);
    cloud.Draw();
    std::vector<QColor> dayPixels;
    for (int x = 4; x < 52; x += 4)
        dayPixels.push_back(dayCanvas.Pixel(x, 14));
    dayCanvas.Save("cloud_day.png");

    GlCanvas nightCanvas(64, 64);
    cloud.SwitchToLoF();
    cloud.Draw();
    std::vector<QColor> nightPixels;
    for (int x = 4; x < 52; x += 4)
        nightPixels.push_back(nightCanvas.Pixel(x, 14));
    nightCanvas.Save("cloud_night.png");

    // Both looks cover the 48 x 22 rectangle at (4, 10) somewhere, and not with the same pixels.
    EXPECT_NE(dayPixels, nightPixels);
    EXPECT_PRED2(Near, dayCanvas.Pixel(60, 40), QColor(0, 0, 0));
}

TEST(PlatformTest, IsAOneWayBodyOfItsSizeWithoutOwner)
{
    Platform platform(16, 4, Platform::WOODEN);
    EXPECT_EQ(platform.GetType(), BODY_PLATFORM);
    EXPECT_EQ(platform.GetWidth(), 16.0f);
    EXPECT_EQ(platform.GetHeight(), 4.0f);
    EXPECT_EQ(platform.GetOwner(), nullptr);
    EXPECT_FALSE(platform.IsInWorld());
    EXPECT_FALSE(platform.IsNight());
}

namespace {

struct sLook
{
    int type;
    bool night;
    int anim;
};

void PrintTo(const sLook& l, std::ostream* os)
{
    *os << "type " << l.type << (l.night ? " at night" : " by day");
}

class PlatformLook : public ::testing::TestWithParam<sLook>
{
};

} // namespace

TEST_P(PlatformLook, PicksTheCommonAnimationOfItsTypeAndTimeOfDay)
{
    Platform platform(16, 4, GetParam().type);
    if (GetParam().night)
        platform.SwitchToLoF();
    EXPECT_EQ(platform.CommonAnimIndex(), GetParam().anim);
    platform.SwitchToDay();
    EXPECT_FALSE(platform.IsNight());
}

INSTANTIATE_TEST_SUITE_P(Types, PlatformLook,
                         ::testing::Values(sLook{1, false, 5}, sLook{1, true, 9}, sLook{2, false, 12},
                                           sLook{2, true, 13}, sLook{0, false, 9}, sLook{0, true, 9},
                                           sLook{3, false, 9}));

TEST(PlatformTest, DrawsNothingWhileTheSharedListLacksItsPicture)
{
    GlCanvas canvas(32, 32);
    Platform platform(16, 4, Platform::MUSHROOM);
    platform.SetPosition(0, -240);
    platform.Draw();
    EXPECT_PRED2(Near, canvas.Pixel(4, 1), QColor(0, 0, 0));
}

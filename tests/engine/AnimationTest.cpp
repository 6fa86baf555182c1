#include "engine/Animation.h"

#include "engine/SharedAssets.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/StdoutOf.h"
#include "TestChipSets.h"

#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0, 255, 0), kYellow(255, 255, 0), kBlack(0, 0, 0);

/// Loads the `animation` element called name from the test tree's animation file.
bool LoadNamed(cAnimation& animation, const QString& name, int defaultSrc = 1)
{
    QFile file(":/res/enginetest/animations.xml");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("animation") &&
            reader.attributes().value("name") == name)
            return animation.LoadFromXml(reader, defaultSrc);
    }
    ADD_FAILURE() << "no animation " << name.toStdString();
    return false;
}

void ExpectFrame(const cAnimation& animation, int i, float x, float y, float w, float h)
{
    ASSERT_LT(i, animation.GetNumFrames());
    const TextureCoordinate& f = animation.GetFrames()[i];
    EXPECT_EQ(f.x, x) << "frame " << i;
    EXPECT_EQ(f.y, y) << "frame " << i;
    EXPECT_EQ(f.w, w) << "frame " << i;
    EXPECT_EQ(f.h, h) << "frame " << i;
}

/// Steps an animation by whole 20 ms ticks.
void Ticks(cAnimation& animation, int count)
{
    for (int i = 0; i < count; ++i)
        animation.Update(20);
}

} // namespace

class AnimationTest : public testing::Test
{
protected:
    /// Three 16 x 16 frames along the small sheet's first row: red-over-blue, green, yellow.
    cAnimation ThreeFrames(bool loop, uint16_t mpf)
    {
        cAnimation animation;
        EXPECT_TRUE(animation.Setup(loop, mpf, 3, 0, 0, 16, 16, 1, 0, 0));
        return animation;
    }

    TestChipSets chipSets;
};

TEST_F(AnimationTest, ReadsTheAnimationElement)
{
    cAnimation heart;
    ASSERT_TRUE(LoadNamed(heart, "Heart"));
    EXPECT_EQ(heart.GetNumFrames(), 1);
    ExpectFrame(heart, 0, 0, 0, 16, 16);
    EXPECT_TRUE(heart.IsLooping());
    EXPECT_EQ(heart.GetName(), "Heart");
    EXPECT_EQ(heart.GetImage(), gChipSets[1]);
}

TEST_F(AnimationTest, AbsentAttributesTakeTheirDefaultsAndMalformedNumbersReadAsZero)
{
    cAnimation defaults;
    ASSERT_TRUE(LoadNamed(defaults, "Defaults", 2));
    EXPECT_EQ(defaults.GetNumFrames(), 1);
    ExpectFrame(defaults, 0, 0, 0, 16, 16);
    EXPECT_FALSE(defaults.IsLooping());
    EXPECT_EQ(defaults.GetImage(), gChipSets[2]) << "a missing src takes the caller's default";

    cAnimation malformed;
    ASSERT_TRUE(LoadNamed(malformed, "Malformed"));
    ExpectFrame(malformed, 0, 0, 0, 16, 16);
    EXPECT_FALSE(malformed.IsLooping());
    EXPECT_EQ(malformed.GetOffsetX(), 3);
    EXPECT_EQ(malformed.GetOffsetY(), -2);
}

TEST_F(AnimationTest, FrameTimeIsTakenModulo65536)
{
    cAnimation animation;
    ASSERT_TRUE(LoadNamed(animation, "Malformed"));
    // 70000 ms per frame is 4464 after the 16-bit cut; the single frame then finishes.
    animation.Update(4463);
    EXPECT_FALSE(animation.IsFinished());
    animation.Update(1);
    EXPECT_TRUE(animation.IsFinished());
}

TEST_F(AnimationTest, FramesRunAlongTheRowAndWrapToTheNextOneDown)
{
    cAnimation strip;
    ASSERT_TRUE(LoadNamed(strip, "Strip"));
    EXPECT_EQ(strip.GetImage(), gChipSets[2]) << "its own src overrides the default";
    EXPECT_EQ(strip.GetNumFrames(), 4);
    ExpectFrame(strip, 0, 480, 8, 16, 16);
    ExpectFrame(strip, 1, 496, 8, 16, 16);
    ExpectFrame(strip, 2, 0, 24, 16, 16);
    ExpectFrame(strip, 3, 16, 24, 16, 16);
}

TEST_F(AnimationTest, SetupAppendsFramesAndAnUnknownChipSetKeepsThePicture)
{
    cAnimation animation;
    ASSERT_TRUE(animation.Setup(true, 100, 2, 0, 0, 16, 16, 2, 0, 0));
    ASSERT_TRUE(animation.Setup(false, 100, 1, 32, 16, 8, 8, 4, 0, 0));
    EXPECT_EQ(animation.GetImage(), gChipSets[2]);
    EXPECT_EQ(animation.GetNumFrames(), 3);
    ExpectFrame(animation, 2, 32, 16, 8, 8);
    EXPECT_EQ(animation.GetFrameWidth(2), 8);
    EXPECT_EQ(animation.GetFrameHeight(0), 16);
    EXPECT_EQ(animation.GetFrameWidth(3), 0) << "no such frame";
}

TEST_F(AnimationTest, ANonLoopingAnimationFinishesOneFrameTimeAfterItsLastFrame)
{
    cAnimation animation = ThreeFrames(false, 100);
    Ticks(animation, 9);
    EXPECT_EQ(animation.GetCurrentFrame(), 1);
    Ticks(animation, 1);
    EXPECT_EQ(animation.GetCurrentFrame(), 2) << "after 200 ms";
    Ticks(animation, 4);
    EXPECT_FALSE(animation.IsFinished());
    Ticks(animation, 1);
    EXPECT_TRUE(animation.IsFinished()) << "after 300 ms";
    EXPECT_EQ(animation.GetCurrentFrame(), 2);
    EXPECT_TRUE(animation.IsVisible()) << "only vanishing animations hide";
}

TEST_F(AnimationTest, AVanishingAnimationHidesAtItsEnd)
{
    cAnimation animation;
    ASSERT_TRUE(LoadNamed(animation, "Vanishing"));
    Ticks(animation, 14);
    EXPECT_TRUE(animation.IsVisible());
    Ticks(animation, 1);
    EXPECT_TRUE(animation.IsFinished());
    EXPECT_FALSE(animation.IsVisible());
    animation.Reset(true);
    EXPECT_FALSE(animation.IsFinished());
    EXPECT_TRUE(animation.IsVisible());
    EXPECT_EQ(animation.GetCurrentFrame(), 0);
}

TEST_F(AnimationTest, AVanishingAnimationPlayedPastAllItsFramesHidesWhenAsked)
{
    cAnimation animation;
    ASSERT_TRUE(LoadNamed(animation, "Vanishing"));
    // One long update steps only one frame but counts all the time played.
    animation.Update(1000);
    EXPECT_EQ(animation.GetCurrentFrame(), 1);
    EXPECT_TRUE(animation.IsVisible());
    EXPECT_FALSE(animation.IsFinished());
    EXPECT_FALSE(animation.IsVisible());
}

TEST_F(AnimationTest, ALoopingAnimationWrapsAndNeverFinishes)
{
    cAnimation animation = ThreeFrames(true, 100);
    Ticks(animation, 15);
    EXPECT_EQ(animation.GetCurrentFrame(), 0);
    EXPECT_FALSE(animation.IsFinished());
    Ticks(animation, 5);
    EXPECT_EQ(animation.GetCurrentFrame(), 1);
}

TEST_F(AnimationTest, OneUpdateStepsAtMostOneFrameAndCarriesTheRest)
{
    cAnimation animation = ThreeFrames(false, 100);
    animation.Update(250);
    EXPECT_EQ(animation.GetCurrentFrame(), 1);
    animation.Update(0);
    EXPECT_EQ(animation.GetCurrentFrame(), 2) << "150 ms were left over";
    animation.Update(0);
    EXPECT_FALSE(animation.IsFinished()) << "only 50 ms left";
}

TEST_F(AnimationTest, WithoutAFrameTimeEveryUpdateStepsAndNothingDividesByZero)
{
    cAnimation animation;
    std::string out = StdoutOf([&] { EXPECT_TRUE(LoadNamed(animation, "Untimed")); });
    EXPECT_NE(out.find("ERROR:"), std::string::npos) << "several frames without a frame time";
    animation.Update(0);
    EXPECT_EQ(animation.GetCurrentFrame(), 1);
    animation.Update(0);
    EXPECT_FALSE(animation.IsFinished());
    animation.Update(0);
    EXPECT_TRUE(animation.IsFinished());
}

TEST_F(AnimationTest, SetFrameRestartsFromThatFrame)
{
    cAnimation animation = ThreeFrames(false, 100);
    Ticks(animation, 15);
    ASSERT_TRUE(animation.IsFinished());
    animation.SetFrame(1);
    EXPECT_EQ(animation.GetCurrentFrame(), 1);
    EXPECT_FALSE(animation.IsFinished());
    Ticks(animation, 5);
    EXPECT_EQ(animation.GetCurrentFrame(), 2);

    const std::string out = StdoutOf([&] { animation.SetFrame(3); });
    EXPECT_NE(out.find("ERROR:"), std::string::npos);
    EXPECT_EQ(animation.GetCurrentFrame(), 2);
}

TEST_F(AnimationTest, ACopyTakesTheFramesAndStartsAfresh)
{
    cAnimation original;
    ASSERT_TRUE(LoadNamed(original, "Vanishing"));
    Ticks(original, 15);
    original.SetVisible(false);

    cAnimation copy(original);
    EXPECT_EQ(copy.GetNumFrames(), 3);
    EXPECT_EQ(copy.GetImage(), original.GetImage());
    EXPECT_EQ(copy.GetCurrentFrame(), 0);
    EXPECT_TRUE(copy.IsVisible());
    EXPECT_FALSE(copy.IsFinished());
    Ticks(copy, 15);
    EXPECT_FALSE(copy.IsVisible()) << "the copy vanishes like its template";

    cAnimation assigned = ThreeFrames(true, 40);
    assigned = original;
    EXPECT_FALSE(assigned.IsLooping());
    EXPECT_EQ(assigned.GetCurrentFrame(), 0);
    EXPECT_TRUE(assigned.IsVisible());
}

struct RefusedCase
{
    const char* name;
    const char* reason;
};

class AnimationRefused : public AnimationTest, public testing::WithParamInterface<RefusedCase>
{
};

TEST_P(AnimationRefused, WithAnErrorLineAndNothingToDrawOrStep)
{
    cAnimation animation;
    bool loaded = true;
    const std::string out = StdoutOf([&] { loaded = LoadNamed(animation, GetParam().name); });
    EXPECT_FALSE(loaded) << GetParam().reason;
    EXPECT_NE(out.find("ERROR:"), std::string::npos) << out;
    EXPECT_EQ(animation.GetNumFrames(), 0);

    GlCanvas canvas(32, 300);
    animation.Update(500);
    animation.Draw(0, 0, 255, 255, 255, 255, 1);
    animation.DrawScaled(0, 0, 1, 255, 255, 255, 255);
    EXPECT_FALSE(animation.IsFinished());
    EXPECT_PRED2(Near, canvas.Pixel(4, 4), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(4, 244), kBlack);
}

INSTANTIATE_TEST_SUITE_P(Elements, AnimationRefused,
                         testing::Values(RefusedCase{"NoFrames", "numFrames 0"}, RefusedCase{"Flat", "h 0"},
                                         RefusedCase{"NoChipSet", "src 4 and no picture yet"}));

TEST_F(AnimationTest, DrawPutsTheCurrentFrameIntoTheWorldTextureAtItsOffsets)
{
    cAnimation animation;
    ASSERT_TRUE(animation.Setup(false, 100, 3, 0, 0, 16, 16, 1, 2, -1));
    GlCanvas canvas(96, 300);
    animation.Update(100);
    animation.Draw(10, 5, 255, 255, 255, 255, 1);
    // Frame 1 (green) at world (10 + 2, 5 - 1), that is texture (12, 244).
    EXPECT_PRED2(Near, canvas.Pixel(12, 244), kGreen);
    EXPECT_PRED2(Near, canvas.Pixel(27, 259), kGreen);
    EXPECT_PRED2(Near, canvas.Pixel(11, 244), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(12, 243), kBlack);

    // Twice the size, offsets not scaled.
    animation.Update(100);
    animation.DrawF(40, 5, 255, 255, 255, 255, 2);
    EXPECT_PRED2(Near, canvas.Pixel(42, 244), kYellow);
    EXPECT_PRED2(Near, canvas.Pixel(73, 275), kYellow);
    EXPECT_PRED2(Near, canvas.Pixel(74, 275), kBlack);
}

TEST_F(AnimationTest, DrawScaledPutsItOnTheScreenWithScaledOffsetsAndAtLeastScaleOne)
{
    cAnimation animation;
    ASSERT_TRUE(animation.Setup(false, 100, 1, 0, 0, 16, 16, 1, 2, 1));
    GlCanvas canvas(80, 80);
    animation.DrawScaled(0, 0, 0, 255, 255, 255, 255);
    // Scale 0 draws at scale 1: red over blue from (2, 1).
    EXPECT_PRED2(Near, canvas.Pixel(2, 1), kBlue);
    EXPECT_PRED2(Near, canvas.Pixel(17, 16), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(18, 16), kBlack);

    animation.DrawScaled(30, 30, 3, 255, 0, 0, 255);
    // Scale 3: from (30 + 6, 30 + 3), 48 pixels a side, tinted red (blue turns black).
    EXPECT_PRED2(Near, canvas.Pixel(36, 33), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(36, 80 - 1), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(35, 79), kBlack);
}

TEST_F(AnimationTest, AnInvisibleAnimationDrawsNothing)
{
    cAnimation animation = ThreeFrames(true, 100);
    animation.SetVisible(false);
    GlCanvas canvas(32, 300);
    animation.Draw(0, 0, 255, 255, 255, 255, 1);
    animation.DrawScaled(0, 0, 1, 255, 255, 255, 255);
    EXPECT_PRED2(Near, canvas.Pixel(4, 244), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(4, 4), kBlack);
}

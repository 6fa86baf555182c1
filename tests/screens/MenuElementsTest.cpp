// Labels, circles and text buttons as they appear on the screen.
#include "MenuFixture.h"

#include "engine/FontManager.h"
#include "screens/Circle.h"
#include "screens/Label.h"
#include "screens/TextButton.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"

#include <gtest/gtest.h>

namespace {

constexpr int kW = 320, kH = 120;

/// The picture a drawing leaves on a fresh canvas.
template <typename F>
QImage Picture(F&& draw)
{
    GlCanvas canvas(kW, kH);
    draw();
    QImage image(kW, kH, QImage::Format_RGBA8888);
    glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    return image;
}

class MenuElementsTest : public MenuFixture
{
};

cLabel ReadLabel(const QByteArray& element)
{
    cLabel label;
    cXmlText xml(element);
    label.LoadFromXml(xml.reader);
    return label;
}

TEST_F(MenuElementsTest, LabelDrawsOneStepSmallerPerSizeExceptAsAPageTitle)
{
    const cFontManager font;
    const cLabel smaller = ReadLabel(R"(<label name="Hello" x="3" y="2" size="1"/>)");
    const cLabel larger = ReadLabel(R"(<label name="Hello" x="3" y="2" size="-1"/>)");
    const QImage atTwo = Picture([&] { font.DrawText("Hello", 10, 20, 2, 255, 255, 255, 255); });
    const QImage atFour = Picture([&] { font.DrawText("Hello", 10, 20, 4, 255, 255, 255, 255); });
    ASSERT_NE(atTwo, atFour);
    EXPECT_EQ(Picture([&] { smaller.DrawAt(10, 20, 3, font, 255, 255, 255, 255); }), atTwo);
    EXPECT_EQ(Picture([&] { larger.DrawAt(10, 20, 3, font, 255, 255, 255, 255); }), atFour);
    // At the label's own place in layout units: (3, 2) times 3 from the offset (1, 14).
    EXPECT_EQ(Picture([&] { smaller.DrawAtOffset(1, 14, 3, font); }), atTwo);
    EXPECT_EQ(Picture([&] { smaller.DrawTextAt("Hello", 10, 20, 3, font, 255, 255, 255, 255); }), atTwo);

    // As a page title the size is not taken off: centred, 0.65 radii above the centre.
    const int width = font.TextWidth("Hello", 3);
    const QImage title = Picture([&] { smaller.DrawCentred(kW, kH, 3, 10.0f, font); });
    const QImage shadowed = Picture([&] { font.DrawTextShadowed("Hello", kW / 2 - width / 2, kH / 2 + 19, 3); });
    EXPECT_EQ(title, shadowed);
}

TEST_F(MenuElementsTest, LabelInsideAnEntryStandsAtPercentagesOfTheScaledRadius)
{
    const cFontManager font;
    const cLabel label = ReadLabel(R"(<label name="Hi" x="-50" y="25" size="2"/>)");
    // Radius 40 at scale 2: 80 pixels, so (-40, 20) from the centre, at the scale itself.
    const QImage inItem = Picture([&] { label.DrawInItem(kW, kH, 2, 40.0f, font, 255, 255, 255, 255); });
    EXPECT_EQ(inItem, Picture([&] { font.DrawText("Hi", kW / 2 - 40, kH / 2 + 20, 2, 255, 255, 255, 255); }));
    // Odd percentages are not rounded down on the way: 33 % of 80 is 26.4.
    const cLabel odd = ReadLabel(R"(<label name="Hi" x="33" y="0"/>)");
    EXPECT_EQ(Picture([&] { odd.DrawInItem(kW, kH, 2, 40.0f, font, 255, 255, 255, 255); }),
              Picture([&] { font.DrawText("Hi", kW / 2 + 26, kH / 2, 2, 255, 255, 255, 255); }));
}

TEST_F(MenuElementsTest, CircleIsAFilledDiscOfRadiusTimesScale)
{
    cCircle circle;
    cXmlText xml(R"(<circle radius="23" red="137" green="118" blue="159" alpha="255"/>)");
    circle.LoadFromXml(xml.reader);
    GlCanvas canvas(kW, kH);
    circle.Draw(160, 60, 2, 360);
    const QColor lilac(137, 118, 159);
    EXPECT_PRED2(Near, canvas.Pixel(160, 60), lilac);
    EXPECT_PRED2(Near, canvas.Pixel(160 + 44, 60), lilac);
    EXPECT_PRED2(Near, canvas.Pixel(160, 60 - 44), lilac);
    EXPECT_PRED2(Near, canvas.Pixel(160 + 47, 60), QColor(0, 0, 0));
    EXPECT_PRED2(Near, canvas.Pixel(160 + 33, 60 + 33), QColor(0, 0, 0)) << "round, not square";
}

TEST_F(MenuElementsTest, TextButtonScalesWithTheWindowAndTicksOnceWhenThePointerEnters)
{
    cTextButton button;
    button.SetText("BACK");
    button.Resize(960, 640);
    EXPECT_EQ(button.GetScale(), 3);
    button.Resize(479, 300);
    EXPECT_EQ(button.GetScale(), 2);

    // 640 x 480: scale 2 at (32, 24); the hit box starts 8 above and is 18 high.
    button.Resize(640, 480);
    const int width = cFontManager().TextWidth("BACK", 2);
    cRecordedEffects effects;
    button.MouseMove(33, 33);
    button.MouseMove(40, 40);
    EXPECT_TRUE(button.IsHovered());
    EXPECT_EQ(effects.sounds.Take(), std::vector<int>{1}) << "one tick for entering";
    button.MouseMove(32 + width, 40);
    EXPECT_FALSE(button.IsHovered()) << "the edges are outside";
    button.MouseMove(40, 32);
    button.MouseMove(40, 50);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_TRUE(effects.sounds.Take().empty());

    EXPECT_TRUE(button.HitTest(40, 40));
    EXPECT_EQ(effects.sounds.Take(), std::vector<int>{1}) << "a click from outside ticks";
    EXPECT_FALSE(button.IsHovered()) << "a click leaves the hover as it is";
    EXPECT_FALSE(button.HitTest(20, 40));
}

TEST_F(MenuElementsTest, TextButtonLightsUpWhileHovered)
{
    cTextButton button;
    button.SetText("BACK");
    button.Resize(640, 480);
    const cFontManager font;
    EXPECT_EQ(Picture([&] { button.Draw(); }), Picture([&] { font.DrawTextShadowed("BACK", 32, 24, 2); }));
    button.SetHovered(true);
    EXPECT_EQ(Picture([&] { button.Draw(); }), Picture([&] {
                  font.DrawTextColored("BACK", 32, 24, 2, 255, 255, 255, 255);
                  font.DrawTextColored("BACK", 30, 26, 2, 136, 118, 164, 255);
              }));
}

} // namespace

#include "engine/Image.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/StdoutOf.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <memory>

namespace {

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0, 255, 0), kCyan(0, 255, 255), kBlack(0, 0, 0);
const char* const kSheet = ":/res/enginetest/small_sheet.png";

/// The test sheet is 64 x 64; its top-left 16 x 16 cell is red over blue.
std::unique_ptr<cImage> LoadedSheet()
{
    auto image = std::make_unique<cImage>(0, 0, 10, 10);
    EXPECT_TRUE(image->SetTexture(kSheet, 0, 0, 1, 1));
    return image;
}

} // namespace

struct AlphaCase
{
    float given, stored;
};

class ImageAlpha : public testing::TestWithParam<AlphaCase>
{
};

TEST_P(ImageAlpha, IsClampedToZeroToOne)
{
    cImage image(0, 0, 1, 1);
    image.SetAlpha(GetParam().given);
    EXPECT_FLOAT_EQ(image.GetAlpha(), GetParam().stored);
    image.SetColorAndAlpha(0.2f, 0.3f, 0.4f, GetParam().given);
    EXPECT_FLOAT_EQ(image.GetAlpha(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Values, ImageAlpha,
                         testing::Values(AlphaCase{1.7f, 1}, AlphaCase{-0.2f, 0}, AlphaCase{0.5f, 0.5f},
                                         AlphaCase{1, 1}, AlphaCase{0, 0}));

TEST(Image, TakesThePicturesSizeAndKeepsAResourcePathAsItStands)
{
    cImage image(0, 0, 10, 10);
    EXPECT_FALSE(image.IsTextured());
    ASSERT_TRUE(image.SetTexture(kSheet, 0, 0, 1, 1));
    EXPECT_TRUE(image.IsTextured());
    EXPECT_EQ(image.GetName(), kSheet);
    EXPECT_EQ(image.GetWidthInt(), 64);
    EXPECT_EQ(image.GetHeightInt(), 64);
}

TEST(Image, LoadsATgaNameFromThePngOfTheSameNameInTheResourceTree)
{
    cImage image(0, 0, 10, 10);
    ASSERT_TRUE(image.SetTexture("res/enginetest/Area.tga", 0, 0, 1, 1));
    EXPECT_EQ(image.GetName(), ":/res/enginetest/Area.png");
    EXPECT_EQ(image.GetWidthInt(), 8);
}

TEST(Image, AMissingPictureShowsItsMessageAndChangesNothing)
{
    cImage image(0, 0, 10, 12);
    ASSERT_TRUE(image.SetTexture("res/enginetest/Area.tga", 0, 0, 1, 1));
    bool loaded = true;
    // Only the exact lower-case extension is rewritten.
    const std::string out = StdoutOf([&] { loaded = image.SetTexture("res/enginetest/Area.TGA", 0, 0, 1, 1); });
    EXPECT_FALSE(loaded);
    EXPECT_NE(out.find("1  2dImage::SetTexture: Cannot find ':/res/enginetest/Area.TGA'"), std::string::npos) << out;
    EXPECT_TRUE(image.IsTextured());
    EXPECT_EQ(image.GetName(), ":/res/enginetest/Area.png");
    EXPECT_EQ(image.GetWidthInt(), 8);
}

TEST(Image, AnUnreadablePictureLeavesAnUntexturedQuadInTheImagesColour)
{
    cImage image(2, 2, 6, 6);
    bool loaded = true;
    const std::string out = StdoutOf([&] { loaded = image.SetTexture(":/res/enginetest/broken.png", 0, 0, 1, 1); });
    EXPECT_FALSE(loaded);
    EXPECT_NE(out.find("2  2dImage::SetTexture: Cannot load ':/res/enginetest/broken.png'"), std::string::npos) << out;
    EXPECT_FALSE(image.IsTextured());

    GlCanvas canvas(16, 16);
    image.SetColor(0, 1, 0);
    image.Draw();
    EXPECT_PRED2(Near, canvas.Pixel(4, 4), kGreen);
    EXPECT_PRED2(Near, canvas.Pixel(9, 4), kBlack);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // A region of a picture that never loaded is nothing to draw.
    image.DrawRegion(10, 10, 4, 4, 0, 0, 4, 4, 255, 0, 0, 255);
    EXPECT_PRED2(Near, canvas.Pixel(11, 11), kBlack);
}

TEST(Image, DrawShowsTheWholePictureUprightAtItsPlaceAndColour)
{
    auto image = LoadedSheet();
    GlCanvas canvas(80, 80);
    image->SetPosition(8, 4);
    image->Draw();
    // Sheet rows run down from the top: its top-left cell is red over blue at the image's top-left.
    EXPECT_PRED2(Near, canvas.Pixel(8, 4 + 63), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(8, 4 + 48), kBlue);
    EXPECT_PRED2(Near, canvas.Pixel(7, 4 + 63), kBlack);

    image->SetColorAndAlpha(0, 1, 1, 1);
    image->DrawWithAlpha(0.5f);
    EXPECT_PRED3(NearColor, canvas.Pixel(8, 4 + 48), QColor(0, 0, 255), 2);
    EXPECT_PRED3(NearColor, canvas.Pixel(8, 4 + 63), QColor(127, 0, 0), 2);
}

TEST(Image, DrawRegionMapsPicturePixelsYDownOntoARectangleYUpWithHardEdges)
{
    auto image = LoadedSheet();
    GlCanvas canvas(96, 96);
    // The red-over-blue cell four times enlarged: nearest filtering keeps the seam one pixel sharp.
    image->DrawRegion(10, 10, 64, 64, 0, 0, 16, 16, 255, 255, 255, 255);
    EXPECT_PRED2(Near, canvas.Pixel(10, 10), kBlue);
    EXPECT_PRED2(Near, canvas.Pixel(73, 41), kBlue);
    EXPECT_PRED2(Near, canvas.Pixel(10, 42), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(73, 73), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(74, 73), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(10, 74), kBlack);
    canvas.Save("image_region.png");
}

TEST(Image, ShrinkingAPictureNeverMixesItsColours)
{
    auto image = LoadedSheet();
    GlCanvas canvas(16, 16);
    image->SetPosition(0, 0);
    image->DrawQuad(0, 0, 16, 16, 0, 0, 1, 1, 1, 1, 1, 1);
    // The sheet's top-left 4 x 4 pixels shrink from a red-over-blue cell: each is one or the other.
    for (int y = 12; y < 16; ++y) {
        const QColor c = canvas.Pixel(1, y);
        EXPECT_TRUE(Near(c, kRed) || Near(c, kBlue)) << "row " << y << " is " << testing::PrintToString(c);
    }
}

TEST(Image, DrawRegionWorldLiftsWorldYByTheTextureOffset)
{
    auto image = LoadedSheet();
    GlCanvas canvas(32, 300);
    image->DrawRegionWorld(4, 0, 16, 16, 16, 0, 32, 16, 255, 255, 255, 255);
    EXPECT_PRED2(Near, canvas.Pixel(4, 240), kGreen);
    EXPECT_PRED2(Near, canvas.Pixel(19, 255), kGreen);
    EXPECT_PRED2(Near, canvas.Pixel(4, 239), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(4, 256), kBlack);
}

TEST(Image, RegionColourTintsThePictureAndStaysSet)
{
    auto image = LoadedSheet();
    GlCanvas canvas(32, 32);
    // The white cell of the sheet's second row takes the tint.
    image->DrawRegion(0, 0, 16, 16, 0, 16, 16, 32, 0, 255, 255, 255);
    EXPECT_PRED2(Near, canvas.Pixel(8, 8), kCyan);
    float c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    EXPECT_FLOAT_EQ(c[0], 0);
    EXPECT_FLOAT_EQ(c[1], 1);
}

TEST(Image, AnInvisibleImageDrawsNothingAndLeavesTheColourAlone)
{
    auto image = LoadedSheet();
    image->SetVisible(false);
    GlCanvas canvas(80, 80);
    glColor4f(0.25f, 0.5f, 0.75f, 1);
    image->Draw();
    image->DrawRegion(0, 0, 16, 16, 0, 0, 16, 16, 255, 255, 255, 255);
    image->DrawRegionWorld(0, 0, 16, 16, 0, 0, 16, 16, 255, 255, 255, 255);
    EXPECT_PRED2(Near, canvas.Pixel(8, 8), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(8, 70), kBlack);
    float c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    EXPECT_FLOAT_EQ(c[0], 0.25f);
    EXPECT_FLOAT_EQ(c[2], 0.75f);
}

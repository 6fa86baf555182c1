#include "engine/Drawing.h"

#include "tests/support/GlCanvas.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

namespace {

const QColor kBlack(0, 0, 0);

bool CurrentColorIsOpaqueWhite()
{
    float c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    return c[0] == 1 && c[1] == 1 && c[2] == 1 && c[3] == 1;
}

} // namespace

TEST(Drawing, FilledRectCoversExactlyItsPixelsInItsColour)
{
    GlCanvas canvas(32, 32);
    DrawFilledRect(4, 6, 10, 5, 255, 128, 0, 255);
    EXPECT_PRED2(Near, canvas.Pixel(4, 6), QColor(255, 128, 0));
    EXPECT_PRED2(Near, canvas.Pixel(13, 10), QColor(255, 128, 0));
    EXPECT_PRED2(Near, canvas.Pixel(3, 6), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(14, 10), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(4, 11), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(4, 5), kBlack);
}

TEST(Drawing, AlphaIsOutOf255AndBlends)
{
    GlCanvas canvas(8, 8);
    DrawFilledRect(0, 0, 8, 8, 255, 255, 255, 255);
    DrawFilledRect(0, 0, 8, 8, 0, 0, 255, 128);
    EXPECT_PRED3(NearColor, canvas.Pixel(3, 3), QColor(127, 127, 255), 2);
}

TEST(Drawing, OutlineDrawsTheBorderAndLeavesTheInsideAlone)
{
    GlCanvas canvas(32, 32);
    DrawRectOutline(8, 8, 12, 10, 0, 255, 0, 255);
    // A line on a pixel boundary lights the row or column on either side of it.
    auto lit = [&](int x0, int y0, int x1, int y1) {
        return Near(canvas.Pixel(x0, y0), QColor(0, 255, 0)) || Near(canvas.Pixel(x1, y1), QColor(0, 255, 0));
    };
    EXPECT_TRUE(lit(14, 8, 14, 7)) << "bottom edge";
    EXPECT_TRUE(lit(14, 18, 14, 17)) << "top edge";
    EXPECT_TRUE(lit(8, 12, 7, 12)) << "left edge";
    EXPECT_TRUE(lit(20, 12, 19, 12)) << "right edge";
    EXPECT_PRED2(Near, canvas.Pixel(14, 13), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(25, 25), kBlack);
}

TEST(Drawing, GradientRunsFromTheBottomColourToTheTopColour)
{
    GlCanvas canvas(16, 64);
    DrawGradientRect(0, 0, 16, 64, 255, 0, 0, 0, 0, 255, 255);
    const QColor bottom = canvas.Pixel(8, 0), middle = canvas.Pixel(8, 32), top = canvas.Pixel(8, 63);
    EXPECT_GT(bottom.red(), 245);
    EXPECT_LT(bottom.blue(), 10);
    EXPECT_GT(top.blue(), 245);
    EXPECT_LT(top.red(), 10);
    EXPECT_NEAR(middle.red(), 127, 6);
    EXPECT_NEAR(middle.blue(), 127, 6);
}

TEST(Drawing, RectanglesLeaveTexturingOnAndTheColourWhite)
{
    GlCanvas canvas(8, 8);
    DrawFilledRect(0, 0, 1, 1, 10, 20, 30, 40);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(CurrentColorIsOpaqueWhite());
    DrawRectOutline(0, 0, 1, 1, 10, 20, 30, 40);
    EXPECT_TRUE(CurrentColorIsOpaqueWhite());
    DrawGradientRect(0, 0, 1, 1, 10, 20, 30, 40, 50, 60, 70);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(CurrentColorIsOpaqueWhite());
}

// Everything of the engine's drawing together, the way a screen uses it, saved as a picture.
#include "engine/Animation.h"
#include "engine/Drawing.h"
#include "engine/FontManager.h"
#include "engine/SharedAssets.h"

#include "tests/support/GlCanvas.h"
#include "TestChipSets.h"
#include "TestFont.h"

#include <gtest/gtest.h>

TEST(Scene, LayersLandWhereAndInTheColourTheyWereDrawn)
{
    TestChipSets chipSets;
    TestFont testFont;
    GlCanvas canvas(240, 136);

    DrawGradientRect(0, 0, 240, 136, 230, 203, 236, 151, 129, 183, 255);
    DrawFilledRect(0, 0, 240, 24, 96, 72, 48, 255);
    gChipSets[1]->SetPosition(160, 30);
    gChipSets[1]->Draw();
    cAnimation sprite;
    ASSERT_TRUE(sprite.Setup(true, 100, 3, 0, 0, 16, 16, 1, 0, 0));
    sprite.Update(100);
    sprite.DrawScaled(20, 30, 2, 255, 255, 255, 255);
    DrawRectOutline(17.5f, 27.5f, 37, 37, 255, 255, 255, 255);
    cFontManager().DrawTextShadowed("Mirrowen", 60, 100, 2);
    canvas.Save("engine_scene.png");

    EXPECT_PRED3(NearColor, canvas.Pixel(120, 135), QColor(151, 129, 183), 3) << "sky top";
    EXPECT_PRED3(NearColor, canvas.Pixel(120, 25), QColor(215, 189, 226), 3) << "sky a fifth of the way up";
    EXPECT_PRED2(Near, canvas.Pixel(120, 5), QColor(96, 72, 48)) << "ground";
    EXPECT_PRED2(Near, canvas.Pixel(30, 40), QColor(0, 255, 0)) << "the animation's second frame";
    EXPECT_PRED2(Near, canvas.Pixel(17, 45), QColor(255, 255, 255)) << "outline";
    EXPECT_PRED2(Near, canvas.Pixel(160, 93), QColor(255, 0, 0)) << "the sheet's top-left cell";
    EXPECT_PRED2(Near, canvas.Pixel(160, 78), QColor(0, 0, 255));
    EXPECT_PRED2(Near, canvas.Pixel(53, 102), QColor(255, 255, 255)) << "text";
    EXPECT_PRED2(Near, canvas.Pixel(53, 100), QColor(0, 0, 255)) << "its shadow";
}

#include "engine/FontManager.h"

#include "engine/Animation.h"
#include "engine/SharedAssets.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/StdoutOf.h"
#include "TestChipSets.h"
#include "TestFont.h"

#include <gtest/gtest.h>


namespace {

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0, 255, 0), kWhite(255, 255, 255), kBlack(0, 0, 0);

} // namespace

class FontTest : public testing::Test
{
protected:
    /// A menu frame sprite: the sheet's green 16 x 16 cell.
    cAnimation GreenFrame()
    {
        cAnimation frame;
        EXPECT_TRUE(frame.Setup(false, 100, 1, 16, 0, 16, 16, 1, 0, 0));
        return frame;
    }

    TestChipSets chipSets;
    TestFont testFont;
    cFontManager font;
};

struct GlyphCase
{
    unsigned char c;
    int glyph;
};

class FontGlyphIndex : public testing::TestWithParam<GlyphCase>
{
};

TEST_P(FontGlyphIndex, FollowsTheAlphabetsOrder)
{
    EXPECT_EQ(cFontManager::GlyphIndex(static_cast<char>(GetParam().c)), GetParam().glyph) << GetParam().c;
}

INSTANTIATE_TEST_SUITE_P(
    Characters, FontGlyphIndex,
    testing::Values(GlyphCase{'A', 0}, GlyphCase{'Z', 25}, GlyphCase{'.', 26}, GlyphCase{',', 27}, GlyphCase{'?', 28},
                    GlyphCase{'!', 29}, GlyphCase{'(', 30}, GlyphCase{')', 31}, GlyphCase{' ', 32},
                    GlyphCase{0xA7, 33}, GlyphCase{'"', 33}, GlyphCase{'$', 34}, GlyphCase{'a', 35},
                    GlyphCase{'q', 51}, GlyphCase{'z', 60}, GlyphCase{'/', 61}, GlyphCase{':', 62},
                    GlyphCase{'0', 63}, GlyphCase{'9', 72}, GlyphCase{'-', 73}, GlyphCase{'+', 74},
                    GlyphCase{'\'', 75}, GlyphCase{'*', 76}, GlyphCase{'#', 77}, GlyphCase{'%', 28},
                    GlyphCase{'@', 28}, GlyphCase{0xE9, 28}, GlyphCase{'\n', 28}));

TEST_F(FontTest, TextWidthSumsGlyphWidthsAtAScaleOfAtLeastOne)
{
    EXPECT_EQ(font.TextWidth("", 1), 0);
    EXPECT_EQ(font.TextWidth("AI", 1), 9);
    EXPECT_EQ(font.TextWidth("AI", 2), 18);
    EXPECT_EQ(font.TextWidth("AI", 0), 9);
    EXPECT_EQ(font.TextWidth("AI", -3), 9);
}

TEST_F(FontTest, TextReachesGlyphsThroughLatin1)
{
    EXPECT_EQ(font.TextWidth(QString::fromUtf8("\u00a7"), 1), 7) << "the section sign is one byte, glyph 33";
    EXPECT_EQ(font.TextWidth(QString::fromUtf8("\u20ac"), 1), 6) << "a sign outside Latin-1 becomes a question mark";
}

TEST_F(FontTest, DrawTextAdvancesByEachGlyphsWidthTimesTheScale)
{
    GlCanvas canvas(64, 48);
    font.DrawText("AIA", 10, 20, 2, 255, 0, 0, 255);
    // Glyphs 16 wide at x = 10, 22 and 28: red from 10 to 43.
    EXPECT_PRED2(Near, canvas.Pixel(10, 20), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(43, 35), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(44, 20), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(9, 20), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(10, 36), kBlack);

    font.DrawText("A", 50, 0, 0, 0, 255, 0, 255);
    EXPECT_PRED2(Near, canvas.Pixel(57, 7), kGreen) << "scale 0 draws at scale 1";
    EXPECT_PRED2(Near, canvas.Pixel(58, 7), kBlack);
    canvas.Save("font_text.png");
}

TEST_F(FontTest, ColouredTextStartsFourScaleUnitsLeft)
{
    GlCanvas canvas(32, 16);
    font.DrawTextColored("A", 10, 2, 1, 0, 0, 255, 255);
    EXPECT_PRED2(Near, canvas.Pixel(6, 2), kBlue);
    EXPECT_PRED2(Near, canvas.Pixel(5, 2), kBlack);
}

TEST_F(FontTest, ShadowedTextPutsTheWhiteCopyOneScaleUnitLeftAndUpInFront)
{
    GlCanvas canvas(128, 48);
    font.DrawTextShadowed("A", 100, 10, 2);
    // Blue copy 16 x 16 from (92, 10), white copy from (90, 12) over it.
    EXPECT_PRED2(Near, canvas.Pixel(106, 10), kBlue);
    EXPECT_PRED2(Near, canvas.Pixel(107, 25), kBlue);
    EXPECT_PRED2(Near, canvas.Pixel(92, 12), kWhite);
    EXPECT_PRED2(Near, canvas.Pixel(90, 27), kWhite);
    EXPECT_PRED2(Near, canvas.Pixel(91, 10), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(90, 28), kBlack);

    font.DrawTextShadowedColored("A", 40, 10, 2);
    EXPECT_PRED2(Near, canvas.Pixel(46, 10), kWhite);
    EXPECT_PRED2(Near, canvas.Pixel(32, 12), kBlue);
    canvas.Save("font_shadowed.png");
}

TEST_F(FontTest, MenuTextInModeThreeStartsFrameAndTextFourScaleUnitsLeftOfTheCentre)
{
    GlCanvas canvas(480, 48);
    cAnimation frame = GreenFrame();
    font.DrawMenuText("A", 0, 4, 2, 480, 3, 255, 0, 0, 255, &frame, false);
    // Frame 32 x 32 at x = 232 behind the 16 x 16 red glyph at the same x.
    EXPECT_PRED2(Near, canvas.Pixel(232, 4), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(231, 4), kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(250, 4), kGreen);
    EXPECT_PRED2(Near, canvas.Pixel(263, 35), kGreen);
}

TEST_F(FontTest, GrayedMenuTextGreysTheFrameButNotTheText)
{
    GlCanvas canvas(480, 48);
    cAnimation frame = GreenFrame();
    font.DrawMenuText("A", 0, 4, 2, 480, 3, 255, 0, 0, 255, &frame, true);
    EXPECT_PRED2(Near, canvas.Pixel(250, 4), QColor(0, 200, 0));
    EXPECT_PRED2(Near, canvas.Pixel(232, 4), kRed);
}

TEST_F(FontTest, MenuTextInAnUnknownModeDrawsNothing)
{
    GlCanvas canvas(480, 48);
    cAnimation frame = GreenFrame();
    for (int mode : {-1, 8})
        font.DrawMenuText("AAAAAAAAAAAAAAAAAAAA", 0, 4, 2, 480, mode, 255, 0, 0, 255, &frame, false);
    for (int x = 0; x < 480; x += 8)
        ASSERT_PRED2(Near, canvas.Pixel(x, 8), kBlack) << "x " << x;
}

struct PlacementCase
{
    int mode;
    int frameX, textX;
    float pointX, pointY;
};

class FontMenuPlacement : public FontTest, public testing::WithParamInterface<PlacementCase>
{
};

// "AI" is 9 units wide at scale 1; p = 20, y = 50, a 480-wide screen: M = 240.
TEST_P(FontMenuPlacement, PutsFrameTextAndAnchorByMode)
{
    const PlacementCase& c = GetParam();
    const b2Vec2 point = font.MenuTextPosition("AI", 20, 50, 1, 480, c.mode);
    EXPECT_EQ(point.x, c.pointX);
    EXPECT_EQ(point.y, c.pointY);

    GlCanvas canvas(480, 64);
    cAnimation frame = GreenFrame();
    font.DrawMenuText("AI", 20, 50, 1, 480, c.mode, 255, 0, 0, 255, &frame, false);
    // The text (8 high) starts at textX; the frame (16 x 16) at frameX, its top showing above the text.
    EXPECT_PRED2(Near, canvas.Pixel(c.textX, 50), kRed);
    const bool frameLeftOfText = c.textX - 1 >= c.frameX && c.textX - 1 < c.frameX + 16;
    EXPECT_PRED2(Near, canvas.Pixel(c.textX - 1, 50), frameLeftOfText ? kGreen : kBlack);
    EXPECT_PRED2(Near, canvas.Pixel(c.frameX, 63), kGreen);
    EXPECT_PRED2(Near, canvas.Pixel(c.frameX - 1, 63), kBlack);
}

INSTANTIATE_TEST_SUITE_P(Modes, FontMenuPlacement,
                         testing::Values(PlacementCase{0, 189, 226, 231, 55}, PlacementCase{1, 303, 246, 251, 55},
                                         PlacementCase{2, 194, 232, 237, 55}, PlacementCase{3, 236, 236, 232, 50},
                                         PlacementCase{4, 256, 256, 256, 50}, PlacementCase{5, 256, 256, 256, 50},
                                         PlacementCase{6, 210, 221, 226, 55}, PlacementCase{7, 194, 252, 257, 55}));

TEST_F(FontTest, MenuTextPositionOfAnUnknownModeIsTheCentredTextsStart)
{
    const b2Vec2 point = font.MenuTextPosition("AI", 20, 50, 1, 480, 8);
    EXPECT_EQ(point.x, 236);
    EXPECT_EQ(point.y, 50);
}

TEST_F(FontTest, TextLeftOfCentreEndsAtTheCentre)
{
    GlCanvas canvas(480, 48);
    cAnimation frame = GreenFrame();
    const b2Vec2 point = font.DrawTextLeftOfCentre("AI", 99, 4, 2, 480, 255, 0, 0, 255, &frame);
    // 18 units wide at scale 2: text from 222, frame from 202.
    EXPECT_EQ(point.x, 232);
    EXPECT_EQ(point.y, 14);
    EXPECT_PRED2(Near, canvas.Pixel(222, 4), kRed);
    EXPECT_PRED2(Near, canvas.Pixel(202, 4), kGreen);
    EXPECT_PRED2(Near, canvas.Pixel(201, 4), kBlack);
}

TEST_F(FontTest, AGlyphTheFontLacksIsReportedOnceAndSkipped)
{
    gWhiteAlphabet.resize(TestFont::kGlyphI);
    gGlyphWidths.resize(TestFont::kGlyphI);
    GlCanvas canvas(64, 16);
    std::string out = StdoutOf([&] { font.DrawText("AzA", 0, 0, 1, 255, 255, 255, 255); });
    EXPECT_NE(out.find("ERROR: the white alphabet has no glyph 60"), std::string::npos) << out;
    EXPECT_NE(out.find("ERROR: the glyph widths has no glyph 60"), std::string::npos) << out;
    // The missing glyph takes no room: the second "A" follows the first.
    EXPECT_PRED2(Near, canvas.Pixel(6, 0), kWhite);
    EXPECT_PRED2(Near, canvas.Pixel(14, 0), kBlack);
    out = StdoutOf([&] { font.DrawText("z", 0, 0, 1, 255, 255, 255, 255); });
    EXPECT_EQ(out, "") << "reported once";
    EXPECT_EQ(font.TextWidth("Az", 1), 6);
}

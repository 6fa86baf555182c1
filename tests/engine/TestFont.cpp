#include "TestFont.h"

#include "engine/Animation.h"
#include "engine/SharedAssets.h"

#include <gtest/gtest.h>

namespace {

constexpr int kGlyphs = 78;

} // namespace

TestFont::TestFont()
{
    for (int i = 0; i < kGlyphs; ++i) {
        gWhiteAlphabet.push_back(Glyph(0, white));
        gBlueAlphabet.push_back(Glyph(16, blue));
        gGlyphWidths.push_back(6);
    }
    gGlyphWidths[kGlyphI] = 3;
    gGlyphWidths[kGlyphSection] = 7;
}

TestFont::~TestFont()
{
    gWhiteAlphabet.clear();
    gBlueAlphabet.clear();
    gGlyphWidths.clear();
}

cAnimation* TestFont::Glyph(int sheetX, std::vector<std::unique_ptr<cAnimation>>& owner)
{
    owner.push_back(std::make_unique<cAnimation>());
    EXPECT_TRUE(owner.back()->Setup(false, 100, 1, sheetX, 16, 8, 8, 1, 0, 0));
    return owner.back().get();
}

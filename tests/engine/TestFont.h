#pragma once

#include <memory>
#include <vector>

class cAnimation;

/// Fills the shared alphabets and glyph widths for the lifetime of the object, as the shared-asset
/// store does at start-up, and empties them again. Needs the test chip sets (TestChipSets): every
/// glyph is a full 8 x 8 square, white (blue in the blue alphabet), 6 units wide except "I" (3)
/// and the section sign (7).
class TestFont
{
public:
    static constexpr int kGlyphI = 8;
    static constexpr int kGlyphSection = 33;

    TestFont();
    ~TestFont();

private:
    cAnimation* Glyph(int sheetX, std::vector<std::unique_ptr<cAnimation>>& owner);

    std::vector<std::unique_ptr<cAnimation>> white, blue;
};

#pragma once

#include <array>
#include <vector>

class cAnimation;
class cImage;

/// Process-wide assets that animations and bitmap text read. The shared-asset store
/// (cCommonResources) fills them once at start-up and owns, and in the end deletes, everything
/// they point to; the rest of the game only reads them.

/// Chip-set pictures by number, 0 to 14; there is no number 4, so that slot stays null.
constexpr int kChipSetCount = 15;
extern std::array<cImage*, kChipSetCount> gChipSets;

/// The 78 glyphs of the bitmap font, by glyph index: white, and the same in blue for shadows.
extern std::vector<cAnimation*> gWhiteAlphabet;
extern std::vector<cAnimation*> gBlueAlphabet;
/// The advance of each glyph at scale 1, by the same index as the alphabets.
extern std::vector<int> gGlyphWidths;

/// The shared common animations ("res/xml/common_resources/common_anims.xml"), by index: hearts,
/// score hearts, stack indicators, little platforms, the tiny button frame, and the mushroom
/// ornament of the window's edges (15 top, 16 bottom).
extern std::vector<cAnimation*> gCommonAnims;

/// The shared info-bubble pictures ("res/xml/common_resources/InfoBubbles/InfoBubbleAnims.xml"),
/// in file order; hint bubbles show copies of them.
extern std::vector<cAnimation*> gInfoBubbleAnims;

/// Entry i of the common list; null for an index outside it.
cAnimation* CommonAnim(int i);

/// The chip set that an animation's src number selects; null for a number outside the table
/// (4 included) or a chip set not loaded.
cImage* ChipSetImage(int src);

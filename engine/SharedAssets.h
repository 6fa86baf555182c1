#pragma once

#include <array>
#include <vector>

class cAnimation;
class cImage;

/// Process-wide assets that animations, bitmap text, actors and screens read. The shared-asset
/// store (cCommonResources) fills them once at start-up and owns, and in the end deletes,
/// everything they point to; the rest of the game only reads them. Lists are read by index: an
/// entry's index is its place among the `animation` elements of its file.

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

/// Bubbles at the foot of waterfalls: 0 small, 1 medium, 2 large.
extern std::vector<cAnimation*> gWaterfallBubbles;
/// Cloud pictures by a cloud's animation id, and the large ones of the title screen.
extern std::vector<cAnimation*> gClouds;
extern std::vector<cAnimation*> gCloudsHD;
/// The ambient fliers' animations, the same eight indices in each list (0 the firefly light,
/// 1 to 4 flying up-left, up-right, down-left, down-right, 5 resting, 6 and 7 the changes at
/// dawn and at nightfall).
extern std::vector<cAnimation*> gDragonFlyAnims;
extern std::vector<cAnimation*> gBatAnims;
extern std::vector<cAnimation*> gBirdAnims;
extern std::vector<cAnimation*> gBeetleAnims;
/// The one glint that waterfall sparkles copy; null until loaded.
extern cAnimation* gWaterfallSparkle;
/// The splash of water areas (entry 0).
extern std::vector<cAnimation*> gAirBubbles;
/// The lie creature's animations.
extern std::vector<cAnimation*> gLieAnims;
/// The save-slot and area-selection pictures: 0 the ring, 1 "not selectable", 2 completed,
/// 3 perfect, 4 the slot frame; an area's picture is entry 4 + its number
/// (`cCommonResources::FillAreaList`), 39 standing for an area it does not know.
extern std::vector<cAnimation*> gAreaIcons;

/// The chip set that an animation's src number selects; null for a number outside the table
/// (4 included) or a chip set not loaded.
cImage* ChipSetImage(int src);

/// Deletes every element of the list and empties it.
template <typename T>
void DeleteAll(std::vector<T*>& list)
{
    for (T* item : list)
        delete item;
    list.clear();
}

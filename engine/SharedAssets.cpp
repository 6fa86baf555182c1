#include "engine/SharedAssets.h"

std::array<cImage*, kChipSetCount> gChipSets{};
std::vector<cAnimation*> gWhiteAlphabet;
std::vector<cAnimation*> gBlueAlphabet;
std::vector<int> gGlyphWidths;
std::vector<cAnimation*> gCommonAnims;
std::vector<cAnimation*> gInfoBubbleAnims;
std::vector<cAnimation*> gWaterfallBubbles;
std::vector<cAnimation*> gClouds;
std::vector<cAnimation*> gCloudsHD;
std::vector<cAnimation*> gDragonFlyAnims;
std::vector<cAnimation*> gBatAnims;
std::vector<cAnimation*> gBirdAnims;
std::vector<cAnimation*> gBeetleAnims;
cAnimation* gWaterfallSparkle = nullptr;
std::vector<cAnimation*> gAirBubbles;
std::vector<cAnimation*> gLieAnims;
std::vector<cAnimation*> gAreaIcons;

cImage* ChipSetImage(int src)
{
    if (src < 0 || src >= kChipSetCount)
        return nullptr;
    return gChipSets[src];
}

cAnimation* CommonAnim(int i)
{
    if (i < 0 || i >= static_cast<int>(gCommonAnims.size()))
        return nullptr;
    return gCommonAnims[i];
}

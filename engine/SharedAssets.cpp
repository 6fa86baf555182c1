#include "engine/SharedAssets.h"

std::array<cImage*, kChipSetCount> gChipSets{};
std::vector<cAnimation*> gWhiteAlphabet;
std::vector<cAnimation*> gBlueAlphabet;
std::vector<int> gGlyphWidths;
std::vector<cAnimation*> gCommonAnims;
std::vector<cAnimation*> gInfoBubbleAnims;

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

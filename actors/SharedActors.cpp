#include "actors/SharedActors.h"

#include "actors/CommonHeartBox.h"

#include <cstdio>

cAntlerAncestor* gAntlerAncestor = nullptr;
cRainbowSpirit* gRainbowSpirit = nullptr;
cBatKing* gBatKing = nullptr;
std::vector<CommonHeartBox*> gBoxBluePrints;

namespace {

constexpr uint16_t kNeutralEmitter = 16;
constexpr uint16_t kAppearingReceiver = 0;
constexpr uint16_t kAppearingSolidReceiver = 10;
constexpr uint16_t kDisappearingReceiver = 2;
/// Emitters of characters 0 to 2 have the types from here on.
constexpr uint16_t kFirstCharacterEmitter = 4;

} // namespace

CommonHeartBox* FindBoxBluePrint(uint16_t type)
{
    for (CommonHeartBox* blueprint : gBoxBluePrints)
        if (blueprint->GetType() == type)
            return blueprint;
    std::printf("\nERROR: no box BluePrint of type %i was found in cCommonResources \n", type);
    return nullptr;
}

CommonHeartBox* GetEmitterBluePrint(int kind)
{
    if (kind >= 0 && kind <= 2)
        return FindBoxBluePrint(static_cast<uint16_t>(kind + kFirstCharacterEmitter));
    return FindBoxBluePrint(kNeutralEmitter);
}

CommonHeartBox* GetReceiverBluePrint(int kind)
{
    if (kind == 0)
        return FindBoxBluePrint(kAppearingReceiver);
    if (kind == 1)
        return FindBoxBluePrint(kAppearingSolidReceiver);
    return FindBoxBluePrint(kDisappearingReceiver);
}

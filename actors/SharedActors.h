#pragma once

#include <cstdint>
#include <vector>

class cAntlerAncestor;
class cBatKing;
class CommonHeartBox;
class cRainbowSpirit;

/// Process-wide actors that the shared-asset store (world/CommonResources.h) makes at start-up and
/// owns until the program ends; kept here, below the store, so that actors can reach them. Null or
/// empty before loading and after the store is gone.

/// The ancestor forms that replace characters 0, 1 and 2; areas borrow them.
extern cAntlerAncestor* gAntlerAncestor;
extern cRainbowSpirit* gRainbowSpirit;
extern cBatKing* gBatKing;

/// The heart-box templates in the order of the blueprint list.
extern std::vector<CommonHeartBox*> gBoxBluePrints;

/// The first template of that type. None: prints
/// "\nERROR: no box BluePrint of type %i was found in cCommonResources \n" and returns null.
CommonHeartBox* FindBoxBluePrint(uint16_t type);
/// The emitter template for character kind 0, 1, 2 (types 4, 5, 6); the neutral one (16) for
/// any other kind.
CommonHeartBox* GetEmitterBluePrint(int kind);
/// The receiver template for kind 0 (appearing, type 0), 1 (appearing solid, 10), and the
/// disappearing one (2) for any other kind.
CommonHeartBox* GetReceiverBluePrint(int kind);

#pragma once
// An area made without a file, its lists open to the test.
#include "world/Area.h"

#include <string>

class cTestArea : public cArea
{
public:
    /// The world with the game's listener and filter; resources (borrowed) may be null.
    explicit cTestArea(cCommonResources* resources = nullptr) : cArea(std::string(), resources) { CreateWorld(); }

    using cArea::batLand;
    using cArea::batlandPicture;
    using cArea::bodies;
    using cArea::currentPlayer;
    using cArea::emitterBoxes;
    using cArea::exits;
    using cArea::fireFlies;
    using cArea::lofSpeed;
    using cArea::lofWeight;
    using cArea::paused;
    using cArea::players;
    using cArea::waterAreas;
};

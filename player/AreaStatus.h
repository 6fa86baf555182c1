#pragma once

#include <string>

/// A save slot's record of one area.
struct AreaStatus
{
    std::string name; ///< the area's file, as the game names areas ("res/Areas/Area0.xml"); unique in a slot
    bool completed = false;
    bool unlocked = false;
    int score = 0; ///< the best score reached in the area
};

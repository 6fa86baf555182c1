#pragma once
// The ways through the scripted first and last areas and the credits area, as a player takes them.
#include "tests/world/FrameSwitchRoute.h"

#include <vector>

/// The first area: brown's way along the staircase past every heart, and back down to the
/// ground. Brown waits by the wall before the first pink heart and after it: the tree lets nobody
/// out for a heart that comes while it chews after a release, and the second pink heart must come
/// after orange is out.
inline const std::vector<sWaypoint> kFirstAreaHeartRoute = {
    {30, -180},  {100, -180}, {30, -180},  {190, -180}, {212, -171}, {250, -163}, {276, -155},
    {296, -144}, {330, -126}, {352, -126}, {376, -126}, {392, -126}, {403, -117}, {422, -126},
    {330, -126}, {280, -155}, {280, -180}};
/// The first area once the rocks are gone: over the terrace and the two platforms onto the
/// cliff, to the exit.
inline const std::vector<sWaypoint> kFirstAreaExitRoute = {{294, -180}, {310, -166}, {336, -152},
                                                           {368, -138}, {405, -126}, {436, -126}};

/// The last area: the antler's way up to the pink heart at the foot of the mound, and on up into
/// the tree's mouth once the tree has come down.
inline const std::vector<sWaypoint> kLastAreaHeartRoute = {{144, 24}, {160, 24}, {167, 36}, {190, 46}};
inline const std::vector<sWaypoint> kLastAreaTreeRoute = {{144, 24}, {160, 24}, {167, 36}, {190, 46},
                                                          {214, 57}, {232, 71}, {254, 71}};

/// The credits: over the hill for the heart's tip, onto the right platform, the middle one and the
/// left one with a leap at each heart, down to the hill for the last, and on to the exit.
inline const std::vector<sWaypoint> kCreditsRoute = {
    {158, -120}, {172, -108}, {248, -108}, {274, -94}, {282, -94, 272}, {240, -80}, {270, -94, 244},
    {238, -80}, {226, -80, 234}, {196, -94, 222}, {190, -94, 200}, {176, -108}, {232, -108, 214},
    {290, -108}, {312, -120}, {434, -120}};

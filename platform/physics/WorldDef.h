#pragma once

#include <box2d/b2_math.h>

#include "platform/physics/Settings.h"

namespace physics {

/// Describes a world. The 2.0 series' world box has no counterpart: nothing is ever frozen.
struct WorldDef
{
    /// Acceleration of every dynamic body, in world units/s².
    b2Vec2 gravity{0.0f, kGameGravityY};

    /// Whether bodies that come to rest may sleep (a sleeping body costs nothing until touched).
    bool allowSleep = true;
};

}  // namespace physics

#pragma once

#include <box2d/b2_collision.h>
#include <box2d/b2_math.h>

#include "platform/physics/Settings.h"

namespace physics {

/// Describes a world.
struct WorldDef
{
    /// The world's box, in world units. A body whose box lies wholly outside it, at the start and at
    /// the end of a step alike, or that is made or moved there, is frozen for good: it stops where it
    /// is, its points are told as `Remove`, it touches nothing more and cannot be moved again.
    b2AABB box{b2Vec2(-kGameWorldExtent, -kGameWorldExtent), b2Vec2(kGameWorldExtent, kGameWorldExtent)};

    /// Acceleration of every dynamic body, in world units/s².
    b2Vec2 gravity{0.0f, kGameGravityY};

    /// Whether bodies that come to rest may sleep (a sleeping body costs nothing until touched).
    bool allowSleep = true;
};

}  // namespace physics

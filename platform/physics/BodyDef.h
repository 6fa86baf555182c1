#pragma once

#include <box2d/b2_math.h>

namespace physics {

/// Describes a body. A body is static until `Body::SetMassFromShapes` finds a shape with density.
struct BodyDef
{
    /// Where the body's origin (the centre of its box) starts, in world units.
    b2Vec2 position{0.0f, 0.0f};

    /// Linear damping in 1/s as the 2.0 series meant it: every step of dt seconds multiplies the
    /// velocity by clamp(1 - dt·damping, 0, 1).
    float linearDamping = 0.0f;

    /// Whether the body may fall asleep once at rest.
    bool allowSleep = true;

    /// Whether the body keeps its angle whatever pushes it (no rotational inertia).
    bool fixedRotation = false;

    /// Whether the body is swept against other moving bodies too, so it cannot tunnel through them.
    bool bullet = false;
};

}  // namespace physics

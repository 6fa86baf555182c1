#pragma once

#include <box2d/b2_math.h>

namespace physics {

/// Describes a shape: an axis-aligned box centred on its body's origin.
struct PolygonDef
{
    /// Makes the box 2·hx wide and 2·hy high, in world units.
    void SetAsBox(float hx, float hy) { halfSize.Set(hx, hy); }

    /// Half the box's width and height, in world units.
    b2Vec2 halfSize{0.5f, 0.5f};

    /// Mass per square world unit; the body's mass is density × width × height.
    float density = 0.0f;

    /// Coulomb friction coefficient, no unit; two shapes rub with the square root of the product.
    float friction = 0.2f;

    /// Bounciness from 0 (none) to 1, no unit; two shapes bounce with the larger of the two.
    float restitution = 0.0f;

    /// A sensor detects overlaps and reports contact points but never pushes.
    bool isSensor = false;
};

}  // namespace physics

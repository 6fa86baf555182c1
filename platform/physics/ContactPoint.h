#pragma once

#include <box2d/b2_math.h>

namespace physics {

class Shape;

/// One point where two shapes touch, as a listener receives it. The point is told from the side of
/// shape1: its normal points from shape2's body towards shape1's body. Use `Reversed` to tell it to
/// shape2's side.
struct ContactPoint
{
    /// The shape this point is told to, and the shape it touches. Owned by their bodies.
    Shape* shape1 = nullptr;
    Shape* shape2 = nullptr;

    /// Where the shapes touch, in world units.
    b2Vec2 position{0.0f, 0.0f};

    /// Unit vector from shape2's body towards shape1's body, along which they push apart.
    b2Vec2 normal{0.0f, 0.0f};

    /// Gap between the two boxes at this point along the normal, in world units; negative when
    /// they overlap.
    float separation = 0.0f;

    /// The same point told to shape2: shapes swapped, normal reversed.
    ContactPoint Reversed() const
    {
        ContactPoint reversed = *this;
        reversed.shape1 = shape2;
        reversed.shape2 = shape1;
        reversed.normal = -normal;
        return reversed;
    }
};

}  // namespace physics

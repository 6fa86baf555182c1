#pragma once

// Conversions between the game's world units and Box2D 2.4's length units. Used only inside
// platform/physics: nothing outside the layer sees Box2D units.
#include <box2d/b2_common.h>
#include <box2d/b2_math.h>

#include "platform/physics/Settings.h"

namespace physics {

/// How far each side of a box is drawn in before Box2D sees it, in Box2D length units. Box2D keeps
/// polygons b2_polygonRadius apart and lets resting ones sink one b2_linearSlop into each other;
/// with this inset the edges of two resting boxes meet where the game drew them.
constexpr float kBoxInset = b2_polygonRadius - 0.5f * b2_linearSlop;

/// The smallest half extent a box keeps after the inset, in Box2D length units.
constexpr float kMinBoxHalfExtent = 0.25f * b2_linearSlop;

inline b2Vec2 ToBox(const b2Vec2& world) { return (1.0f / kWorldUnitsPerBoxUnit) * world; }
inline float ToBox(float world) { return world / kWorldUnitsPerBoxUnit; }
inline b2Vec2 ToWorld(const b2Vec2& box) { return kWorldUnitsPerBoxUnit * box; }
inline float ToWorld(float box) { return box * kWorldUnitsPerBoxUnit; }

/// The gap between the game's boxes, in world units, from the separation Box2D reports for their
/// inset polygons (which already subtracts both polygon radii), in Box2D length units.
inline float BoxGapToWorld(float boxSeparation)
{
    return ToWorld(boxSeparation + 2.0f * (b2_polygonRadius - kBoxInset));
}

/// Box2D 2.4's linear damping (1/s) that scales a velocity per step of dt seconds as the 2.0
/// series' damping c (1/s) did: 2.0 multiplied by clamp(1 - dt·c, 0, 1), 2.4 by 1 / (1 + dt·c').
float ConvertDamping(float damping20, float dt);

}  // namespace physics

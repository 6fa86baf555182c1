#pragma once

// The numbers the game's physics is tuned to. Everything the physics layer offers is in world
// units: one world unit is one pixel of the world texture, y points up, time is in seconds.
#include <box2d/b2_math.h>

namespace physics {

/// World units per Box2D length unit. Box2D 2.4 moves a body at most 2 of its length units per step;
/// at the game's step that is 44 length units/s, so the game's lengths are divided by this before
/// Box2D sees them (velocities, gravity and impulses too; densities are multiplied by its square).
constexpr float kWorldUnitsPerBoxUnit = 10.0f;

/// The fastest a body ever moves, in world units/s (the 2.0 series' limit).
constexpr float kMaxSpeed = 200.0f;

/// The game's step, in seconds.
constexpr float kGameTimeStep = 1.0f / 22.0f;

/// The game's solver iterations per step (counts).
constexpr int kGameVelocityIterations = 10;
constexpr int kGamePositionIterations = 10;

/// The game's gravity, in world units/s².
constexpr float kGameGravityY = -200.0f;

/// How far the game's world box reaches from the origin along each axis, in world units.
constexpr float kGameWorldExtent = 1000.0f;

}  // namespace physics

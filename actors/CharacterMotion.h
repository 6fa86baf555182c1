#pragma once

/// How the player's actions move a character's body. Speeds in world units/s, impulses in
/// mass × world units/s (a character of 11 × 15 units at density 0.7 weighs 115.5).

/// The sideways push of one tick of walking.
constexpr float kWalkImpulse = 1500.0f;
/// Walking never makes a character faster sideways than this.
constexpr float kMaxWalkSpeed = 60.0f;
/// What a character loses of its sideways speed every tick, on the ground and in the air.
constexpr float kHorizontalSlowdown = 5.2f;
/// The upward push of a jump.
constexpr float kJumpImpulse = 13500.0f;
/// A jumping body is moved this far down (world units) as it takes off.
constexpr float kJumpTakeOffDrop = 0.5f;
/// A character whose vertical speed is below this starts to fall.
constexpr float kFallStartSpeed = -5.0f;
/// A falling character sinks at least this fast (negative: downwards).
constexpr float kSlowestFallSpeed = -50.0f;

/// vx after one tick's slowdown: kHorizontalSlowdown nearer to 0, and exactly 0 once it would
/// reach or pass it.
float SlowedSpeed(float vx);

/// vx limited to ±kMaxWalkSpeed.
float ClampedWalkSpeed(float vx);

#pragma once

#include <box2d/b2_math.h>

/// Small float functions of the actors that the frame code and the screens use too.

/// (x, y) turned about (cx, cy) by minus angleDegrees (clockwise for a positive angle, y up).
b2Vec2 RotatePoint(float x, float y, float angleDegrees, float cx, float cy);

/// A tent over [0, b - a]: 1 at v = (b - a) / 2, falling to 0 at v = 0 and v = b - a, 0 outside.
/// a = b is refused (0).
float Falloff(float a, float b, float v);

/// The larger of a and b.
float Max(float a, float b);

float Abs(float x);

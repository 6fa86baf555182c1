#pragma once

#include <box2d/b2_math.h>

#include <vector>

/// Random numbers, 2D rotation and blending, distances and point patterns shared by the actors,
/// the game controller, the shared assets and the screens. Randomness comes from the runtime's
/// rand(), never seeded, so every run draws the same sequence.

/// A value from a up to, but never reaching, b (the two are swapped when b < a): a + (b - a) * r / 32768
/// with r the low 15 bits of rand(). RandomFloat(x, x) is x.
float RandomFloat(float a, float b);

/// (x, y) turned by a random angle of up to 2 pi (1 - t) radians, either way round:
/// t = 0 allows any direction, t close to 1 keeps it almost unchanged.
b2Vec2 RandomRotate(float x, float y, float t);

/// (x, y) turned by angle radians, anticlockwise.
b2Vec2 RotateVec2(float x, float y, float angle);

/// One step of turning direction a towards direction b: 0.9 a + 0.1 b normalised, or b itself
/// once that is within a dot product of 0.9 of b. Both are expected to have length 1.
b2Vec2 BlendDirection(const b2Vec2& a, const b2Vec2& b);

float Dot(float ax, float ay, float bx, float by);

/// The distance between (x0, y0) and (x1, y1).
float Distance(float x0, float y0, float x1, float y1);

/// Appends 42 points of one outward spiral turn around (x, y): the i-th at angle 0.15 i and
/// radius r i / n. n = 0 is refused with an "ERROR:" line.
void SpiralPoints(std::vector<b2Vec2>& points, float x, float y, float r, int n);

/// Whether both |b - c| and |a - b| are below tolerance.
bool IsFlatEnough(const b2Vec2& a, const b2Vec2& b, const b2Vec2& c, float tolerance);

/// Appends points along the cubic Bezier curve p0, p1, p2, p3 in order from p0 towards p3: each
/// piece whose control points lie within tolerance of each other gives one point; any other is
/// halved. Halving stops after 16 levels (65536 points), so a tolerance of 0 or a curve with
/// non-finite points still ends.
void SubdivideBezier(const b2Vec2& p0, const b2Vec2& p1, const b2Vec2& p2, const b2Vec2& p3,
                     std::vector<b2Vec2>& points, float tolerance);

#include "actors/ActorMath.h"

#include <cmath>

b2Vec2 RotatePoint(float x, float y, float angleDegrees, float cx, float cy)
{
    const float a = -angleDegrees * static_cast<float>(M_PI) / 180.0f;
    const float dx = x - cx;
    const float dy = y - cy;
    return b2Vec2(dx * std::cos(a) - dy * std::sin(a) + cx, dx * std::sin(a) + dy * std::cos(a) + cy);
}

float Falloff(float a, float b, float v)
{
    const float width = b - a;
    // An empty range would divide by zero; it holds nothing to weigh.
    if (width == 0.0f)
        return 0.0f;
    return Max(0.0f, 1.0f - Abs((2.0f * v - width) / width));
}

float Max(float a, float b)
{
    return a > b ? a : b;
}

float Abs(float x)
{
    return x < 0.0f ? -x : x;
}

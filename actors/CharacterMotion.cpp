#include "actors/CharacterMotion.h"

#include <algorithm>

float SlowedSpeed(float vx)
{
    if (vx < 0.0f)
        return std::min(0.0f, vx + kHorizontalSlowdown);
    if (vx > 0.0f)
        return std::max(0.0f, vx - kHorizontalSlowdown);
    return 0.0f;
}

float ClampedWalkSpeed(float vx)
{
    return std::clamp(vx, -kMaxWalkSpeed, kMaxWalkSpeed);
}

#include "platform/physics/Units.h"

#include <limits>

namespace physics {

float ConvertDamping(float damping20, float dt)
{
    const float factor = b2Clamp(1.0f - dt * damping20, 0.0f, 1.0f);
    if (factor >= 1.0f || dt <= 0.0f)
        return 0.0f;
    // A 2.0 factor of 0 stopped the body dead; 1 / (1 + dt·max) is as close as 2.4 gets.
    if (factor <= 0.0f)
        return std::numeric_limits<float>::max();
    return (1.0f / factor - 1.0f) / dt;
}

}  // namespace physics

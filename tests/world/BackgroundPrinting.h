#pragma once

#include "world/ColorBackground.h"

#include <ostream>

/// Lets test failures show colour records as (r, g, b / r2, g2, b2).
inline void PrintTo(const sZorv_BG_Color& c, std::ostream* os)
{
    *os << "(" << c.r << ", " << c.g << ", " << c.b << " / " << c.r2 << ", " << c.g2 << ", " << c.b2 << ")";
}

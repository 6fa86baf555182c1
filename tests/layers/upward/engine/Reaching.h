#pragma once

// Not built: the include check must refuse this tree.
#include "engine/Image.h"
#include "world/Area.h"

#include "engine/Controls.h"

bool customControls = false;

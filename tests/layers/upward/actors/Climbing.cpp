// Not built: the include check must refuse this tree.
#include "audio/Sound.h"
#include "../app/Game.h"

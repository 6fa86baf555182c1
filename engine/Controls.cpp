#include "engine/Controls.h"

bool customControls = false;

int PictureForControls(int defaultKeys, int customKeys)
{
    return customControls ? customKeys : defaultKeys;
}

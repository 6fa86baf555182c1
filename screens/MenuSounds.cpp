#include "screens/MenuSounds.h"

#include "audio/SoundLibrary.h"

namespace {

constexpr float kMenuVolume = 0.4f;

} // namespace

void PlayMenuSound()
{
    if (gSoundLibrary)
        gSoundLibrary->PlayRandomMenuSound(kMenuVolume);
}

void PlayHoverSound()
{
    if (gSoundLibrary)
        gSoundLibrary->PlayHoverTick(kMenuVolume);
}

#pragma once

#include "tools/music/Score.h"
#include "tools/music/Stereo.h"

#include <stdexcept>

/// An ambience bed from its layers: continuous sounds (breeze, grass, stream, waves, cave, draught,
/// crickets) and events scattered at random (songbird, bee, owl, frog, drip, bat, firefly,
/// bubble, rumble, splash), in a room of the score's size. The result is a little longer than
/// the bed, so that its end can be blended into its start. Throws std::runtime_error for an
/// unknown source.
Stereo PlayBed(const Score& score);

#pragma once

#include "tools/music/Score.h"
#include "tools/music/Stereo.h"

#include <stdexcept>

/// Seconds a bed plays beyond its length, to be blended into its start when the loop is closed.
constexpr double kBedOverlap = 4.0;

/// An ambience bed from its layers: continuous sounds (breeze, grass, stream, waves, cave, draught,
/// crickets) and events scattered at random (songbird, bee, owl, frog, drip, bat, firefly,
/// bubble, rumble, splash), in a room of the score's size. The continuous sounds run kBedOverlap
/// past the bed's length, so that its end can be blended into its start; the room and the last
/// events ring on a little further. Throws std::runtime_error for an unknown source.
Stereo PlayBed(const Score& score);

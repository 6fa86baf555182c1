#pragma once

#include "tools/music/Score.h"
#include "tools/music/Stereo.h"

#include <stdexcept>

/// A piece of music played from its score: every section's patterns, every part through its
/// instrument, humanised a little, placed in the stereo field and sent to the score's room.
/// The result rings on past the music's length (seconds given back in length) by the notes'
/// and the room's tails. Throws std::runtime_error for an instrument that does not exist or a
/// part given sounds its instrument cannot play.
Stereo PlayMusic(const Score& score, double& length);

#pragma once

#include <cstddef>
#include <vector>

/// How loud a sound is heard as a whole, in LUFS (loudness units below full scale): the gated
/// integrated loudness of ITU-R BS.1770, over every channel given (pointers to equal lengths of
/// samples in -1..1) at the rate. Silence and sounds shorter than one 400 ms block give -70.
double IntegratedLoudness(const std::vector<const float*>& channels, std::size_t frames, int rate);
/// How loud the loudest moment of a sound is heard, in LUFS: the K-weighted power of the loudest
/// 400 ms window of one channel (a sound shorter than that is heard as if followed by silence).
/// Silence gives -70.
double LoudestMoment(const float* samples, std::size_t frames, int rate);

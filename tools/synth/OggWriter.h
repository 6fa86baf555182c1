#pragma once

#include "tools/synth/Sound.h"

#include <string>
#include <vector>

/// Encodes a sound as mono Ogg Vorbis at the sound's rate and writes it to a file.
/// Returns false, with the reason on stderr, when the encoder or the file fails.
bool WriteOgg(const Sound& sound, const std::string& path);
/// The same for one or two channels of equal length (left, right) at a Vorbis quality (0..1);
/// each tag ("NAME=value") is written into the file's comment header. A rate below the sounds'
/// own (which it must divide) keeps every n-th sample: the sounds must hold nothing above half
/// that rate.
bool WriteOgg(const std::vector<const Sound*>& channels, const std::string& path, float quality,
              const std::vector<std::string>& tags, int rate = Sound::kRate);

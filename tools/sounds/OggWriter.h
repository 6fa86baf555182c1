#pragma once

#include <string>

class Sound;

/// Encodes a sound as mono Ogg Vorbis at the sound's rate and writes it to a file.
/// Returns false, with the reason on stderr, when the encoder or the file fails.
bool WriteOgg(const Sound& sound, const std::string& path);

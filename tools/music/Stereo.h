#pragma once

#include "tools/synth/Sound.h"

/// A two-channel sound being mixed: mono sounds are placed into it at a time, gain and pan.
struct Stereo
{
    Sound left;
    Sound right;

    explicit Stereo(double seconds = 0.0) : left(seconds), right(seconds) {}

    /// Adds a mono sound at a time (seconds) with a gain, panned with equal power (-1 left,
    /// 1 right); grows to hold it.
    void Place(const Sound& sound, double atSeconds, double gain, double pan);
    /// Adds another stereo sound at a time with a gain.
    void Add(const Stereo& other, double atSeconds, double gain);
    void Gain(double gain);
    std::size_t Size() const { return std::max(left.Size(), right.Size()); }
    /// Pads the shorter channel, or both, with silence up to the length in samples.
    void Resize(std::size_t samples);
};

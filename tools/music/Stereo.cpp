#include "tools/music/Stereo.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr double kPi = 3.14159265358979323846;

void Grow(Sound& sound, std::size_t samples)
{
    if (sound.Size() < samples)
        sound.Add(Sound(static_cast<double>(samples - sound.Size()) / Sound::kRate), sound.Seconds());
}
} // namespace

void Stereo::Place(const Sound& sound, double atSeconds, double gain, double pan)
{
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
    left.Add(sound, atSeconds, gain * std::cos(angle));
    right.Add(sound, atSeconds, gain * std::sin(angle));
}

void Stereo::Add(const Stereo& other, double atSeconds, double gain)
{
    left.Add(other.left, atSeconds, gain);
    right.Add(other.right, atSeconds, gain);
}

void Stereo::Gain(double gain)
{
    left.Gain(gain);
    right.Gain(gain);
}

void Stereo::Resize(std::size_t samples)
{
    Grow(left, samples);
    Grow(right, samples);
}

#include "tools/music/Master.h"

#include "tools/synth/Loudness.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
// Peaks are rounded off softly from the knee up, so none reaches the ceiling.
constexpr double kKnee = 0.55;
constexpr double kCeiling = 0.85;
// Below this the music holds nothing a speaker plays, only the offsets of its instruments.
constexpr double kLowCut = 30.0;
// The presence lift: a wide band around its centre added in, +7 dB at the centre.
constexpr double kPresenceHz = 3500.0;
constexpr double kPresenceQ = 0.6;
constexpr double kPresenceGain = 1.2;
// The sides' difference raised by this factor; the middle stays as it is.
constexpr double kWidth = 1.8;

std::size_t Samples(double seconds)
{
    return static_cast<std::size_t>(std::lround(seconds * Sound::kRate));
}

Sound Cut(const Sound& sound, std::size_t samples)
{
    Sound cut(static_cast<double>(samples) / Sound::kRate);
    for (std::size_t i = 0; i < samples && i < sound.Size() && i < cut.Size(); ++i)
        cut[i] = sound[i];
    return cut;
}

double Loudness(const Stereo& sound)
{
    return IntegratedLoudness({sound.left.Samples().data(), sound.right.Samples().data()}, sound.left.Size(),
                              Sound::kRate);
}

void Limit(Sound& sound)
{
    const double range = kCeiling - kKnee;
    for (std::size_t i = 0; i < sound.Size(); ++i)
    {
        const double x = sound[i];
        const double magnitude = std::fabs(x);
        if (magnitude > kKnee)
            sound[i] = static_cast<float>(std::copysign(kKnee + range * std::tanh((magnitude - kKnee) / range), x));
    }
}
} // namespace

namespace Master
{
void Polish(Stereo& played)
{
    for (Sound* side : {&played.left, &played.right})
    {
        side->HighPass(kLowCut).HighPass(kLowCut);
        Sound presence = *side;
        side->Add(presence.BandPass(kPresenceHz, kPresenceQ), 0.0, kPresenceGain);
    }
    for (std::size_t i = 0; i < played.left.Size() && i < played.right.Size(); ++i)
    {
        const double middle = (played.left[i] + played.right[i]) * 0.5;
        const double difference = (played.left[i] - played.right[i]) * 0.5 * kWidth;
        played.left[i] = static_cast<float>(middle + difference);
        played.right[i] = static_cast<float>(middle - difference);
    }
}

Stereo FoldLoop(const Stereo& played, double loopSeconds)
{
    const std::size_t n = Samples(loopSeconds);
    Stereo loop;
    loop.left = Cut(played.left, n);
    loop.right = Cut(played.right, n);
    for (std::size_t i = n; i < played.left.Size(); ++i)
    {
        loop.left[i % n] += played.left[i];
        loop.right[i % n] += played.right[i];
    }
    return loop;
}

Stereo BlendLoop(const Stereo& played, double loopSeconds, double overlapSeconds)
{
    const std::size_t n = Samples(loopSeconds);
    const std::size_t overlap = std::min({n, Samples(overlapSeconds), played.left.Size() - n});
    Stereo loop;
    loop.left = Cut(played.left, n);
    loop.right = Cut(played.right, n);
    for (std::size_t i = 0; i < overlap; ++i)
    {
        const double t = (static_cast<double>(i) + 0.5) / overlap;
        const double in = std::sin(t * kPi / 2.0);
        const double out = std::cos(t * kPi / 2.0);
        loop.left[i] = static_cast<float>(loop.left[i] * in + played.left[n + i] * out);
        loop.right[i] = static_cast<float>(loop.right[i] * in + played.right[n + i] * out);
    }
    return loop;
}

Stereo RingOut(const Stereo& played)
{
    std::size_t last = 0;
    for (std::size_t i = 0; i < played.Size(); ++i)
        if (std::fabs(played.left[i]) > 1e-4 || std::fabs(played.right[i]) > 1e-4)
            last = i;
    const std::size_t fade = Samples(0.5);
    const std::size_t n = last + fade;
    Stereo out;
    out.left = Cut(played.left, n);
    out.right = Cut(played.right, n);
    for (std::size_t i = 0; i < fade && i < n; ++i)
    {
        const double gain = static_cast<double>(i) / fade;
        out.left[n - 1 - i] = static_cast<float>(out.left[n - 1 - i] * gain);
        out.right[n - 1 - i] = static_cast<float>(out.right[n - 1 - i] * gain);
    }
    return out;
}

void Level(Stereo& sound, double lufs)
{
    // Rounding off the peaks takes a little loudness away; a second pass makes up for it.
    for (int pass = 0; pass < 2; ++pass)
    {
        sound.Gain(std::pow(10.0, (lufs - Loudness(sound)) / 20.0));
        Limit(sound.left);
        Limit(sound.right);
    }
}
} // namespace Master

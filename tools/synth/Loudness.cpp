#include "tools/synth/Loudness.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kSilence = -70.0;

struct Biquad
{
    double b0, b1, b2, a1, a2;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;

    double Step(double x)
    {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};

// The two stages that weight a signal as the ear does (a shelf lifting the highs, a cut of
// the deep lows), from the analogue prototypes so that any sample rate gets its own filters.
std::vector<double> Weighted(const float* samples, std::size_t frames, int rate)
{
    const double kShelf = std::tan(kPi * 1681.974450955533 / rate);
    const double q = 0.7071752369554196;
    const double vh = std::pow(10.0, 3.999843853973347 / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + kShelf / q + kShelf * kShelf;
    Biquad shelf{(vh + vb * kShelf / q + kShelf * kShelf) / a0, 2.0 * (kShelf * kShelf - vh) / a0,
                 (vh - vb * kShelf / q + kShelf * kShelf) / a0, 2.0 * (kShelf * kShelf - 1.0) / a0,
                 (1.0 - kShelf / q + kShelf * kShelf) / a0};
    const double kCut = std::tan(kPi * 38.13547087602444 / rate);
    const double qCut = 0.5003270373238773;
    const double c0 = 1.0 + kCut / qCut + kCut * kCut;
    Biquad cut{1.0, -2.0, 1.0, 2.0 * (kCut * kCut - 1.0) / c0, (1.0 - kCut / qCut + kCut * kCut) / c0};
    std::vector<double> out(frames);
    for (std::size_t i = 0; i < frames; ++i)
        out[i] = cut.Step(shelf.Step(samples[i]));
    return out;
}

double ToLufs(double meanSquare)
{
    return meanSquare > 0.0 ? -0.691 + 10.0 * std::log10(meanSquare) : -1e9;
}
} // namespace

double IntegratedLoudness(const std::vector<const float*>& channels, std::size_t frames, int rate)
{
    // 400 ms blocks overlapping by three quarters; each block's power summed over the channels.
    const std::size_t block = static_cast<std::size_t>(0.4 * rate);
    const std::size_t hop = block / 4;
    if (frames < block || channels.empty())
        return kSilence;
    std::vector<double> powers((frames - block) / hop + 1, 0.0);
    for (const float* channel : channels)
    {
        const std::vector<double> weighted = Weighted(channel, frames, rate);
        std::vector<double> running(frames + 1, 0.0);
        for (std::size_t i = 0; i < frames; ++i)
            running[i + 1] = running[i] + weighted[i] * weighted[i];
        for (std::size_t b = 0; b < powers.size(); ++b)
            powers[b] += (running[b * hop + block] - running[b * hop]) / block;
    }
    // Gated twice: blocks of near silence, then blocks 10 LU below the loudness of the rest.
    const auto gatedMean = [&](double gate) {
        double sum = 0.0;
        int count = 0;
        for (double p : powers)
            if (ToLufs(p) > gate)
                sum += p, ++count;
        return count > 0 ? sum / count : 0.0;
    };
    const double ungated = gatedMean(kSilence);
    if (ungated <= 0.0)
        return kSilence;
    return std::max(kSilence, ToLufs(gatedMean(ToLufs(ungated) - 10.0)));
}

double LoudestMoment(const float* samples, std::size_t frames, int rate)
{
    // The window slides in 10 ms steps: a short effect's one loud moment is not missed between
    // two blocks.
    const std::size_t window = static_cast<std::size_t>(0.4 * rate);
    const std::size_t hop = static_cast<std::size_t>(0.01 * rate);
    const std::vector<double> weighted = Weighted(samples, frames, rate);
    std::vector<double> running(frames + 1, 0.0);
    for (std::size_t i = 0; i < frames; ++i)
        running[i + 1] = running[i] + weighted[i] * weighted[i];
    double loudest = 0.0;
    for (std::size_t start = 0; start == 0 || start + window <= frames; start += hop)
        loudest = std::max(loudest, running[std::min(frames, start + window)] - running[start]);
    return std::max(kSilence, ToLufs(loudest / window));
}

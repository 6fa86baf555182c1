#include "tools/music/Reverb.h"

#include <cmath>
#include <vector>

namespace
{
// Delay lengths in samples at 44.1 kHz, mutually prime so the echoes never line up.
const int kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
const int kAllpasses[] = {556, 441, 341, 225};
constexpr int kSpread = 23;
constexpr double kPreDelay = 0.02; // seconds
constexpr double kInputGain = 0.015;

Sound Side(const Sound& send, std::size_t length, int spread, double feedback, double damping)
{
    std::vector<double> out(length, 0.0);
    const std::size_t pre = static_cast<std::size_t>(kPreDelay * Sound::kRate);
    for (int comb : kCombs)
    {
        std::vector<double> line(static_cast<std::size_t>(comb + spread), 0.0);
        double low = 0.0;
        std::size_t at = 0;
        for (std::size_t i = 0; i < length; ++i)
        {
            const double echo = line[at];
            low = echo * (1.0 - damping) + low * damping;
            const double in = i >= pre && i - pre < send.Size() ? send[i - pre] * kInputGain : 0.0;
            line[at] = in + low * feedback;
            out[i] += echo;
            at = at + 1 == line.size() ? 0 : at + 1;
        }
    }
    for (int allpass : kAllpasses)
    {
        std::vector<double> line(static_cast<std::size_t>(allpass + spread), 0.0);
        std::size_t at = 0;
        for (std::size_t i = 0; i < length; ++i)
        {
            const double delayed = line[at];
            line[at] = out[i] + delayed * 0.5;
            out[i] = delayed - out[i];
            at = at + 1 == line.size() ? 0 : at + 1;
        }
    }
    Sound side(static_cast<double>(length) / Sound::kRate);
    for (std::size_t i = 0; i < length && i < side.Size(); ++i)
        side[i] = static_cast<float>(out[i]);
    return side;
}
} // namespace

Reverb::Reverb(double size, double damping) : m_feedback(0.7 + 0.28 * size), m_damping(0.4 * damping)
{
}

double Reverb::Tail() const
{
    // The longest comb loses (1 - feedback) per pass; count the passes down to -60 dB.
    const double passes = std::log(0.001) / std::log(m_feedback);
    return kPreDelay + passes * (kCombs[7] + kSpread) / static_cast<double>(Sound::kRate);
}

Stereo Reverb::Process(const Sound& send) const
{
    const std::size_t length = send.Size() + static_cast<std::size_t>(Tail() * Sound::kRate);
    Stereo wet;
    wet.left = Side(send, length, 0, m_feedback, m_damping);
    wet.right = Side(send, length, kSpread, m_feedback, m_damping);
    return wet;
}

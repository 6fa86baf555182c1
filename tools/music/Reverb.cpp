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

// The combs run side by side over the send in one pass, then the allpasses in another, so the
// long sound is read and written once per stage instead of once per delay.
Sound Side(const Sound& send, std::size_t length, int spread, double feedback, double damping)
{
    struct Line
    {
        std::vector<float> samples;
        std::size_t at = 0;
        float low = 0.0f;

        float& Current() { return samples[at]; }
        void Advance() { at = at + 1 == samples.size() ? 0 : at + 1; }
    };
    std::vector<Line> combs, allpasses;
    for (int comb : kCombs)
        combs.push_back({std::vector<float>(static_cast<std::size_t>(comb + spread), 0.0f)});
    for (int allpass : kAllpasses)
        allpasses.push_back({std::vector<float>(static_cast<std::size_t>(allpass + spread), 0.0f)});
    const std::size_t pre = static_cast<std::size_t>(kPreDelay * Sound::kRate);
    const float keep = static_cast<float>(feedback);
    const float damp = static_cast<float>(damping);
    Sound side(static_cast<double>(length) / Sound::kRate);
    for (std::size_t i = 0; i < length && i < side.Size(); ++i)
    {
        const float in = i >= pre && i - pre < send.Size() ? static_cast<float>(send[i - pre] * kInputGain) : 0.0f;
        float out = 0.0f;
        for (Line& comb : combs)
        {
            const float echo = comb.Current();
            comb.low = echo * (1.0f - damp) + comb.low * damp;
            comb.Current() = in + comb.low * keep;
            comb.Advance();
            out += echo;
        }
        for (Line& allpass : allpasses)
        {
            const float delayed = allpass.Current();
            allpass.Current() = out + delayed * 0.5f;
            allpass.Advance();
            out = delayed - out;
        }
        side[i] = out;
    }
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

#include "tools/synth/Sound.h"

#include "tools/synth/Loudness.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;

// Every effect is levelled by how loud its loudest moment is heard (LUFS over 400 ms), so a
// click and a rumble sound equally loud over the music.
constexpr double kMomentLufs = -16.0;
// Peaks a short, sharp effect would then push past full scale are held below the ceiling, which
// leaves the encoder's ripple room to spare: the gain dips over kDip before such a peak and
// recovers over kRecover after it, so the sound keeps its shape instead of being clipped.
constexpr double kCeiling = 0.8;
constexpr double kDip = 0.002;     // seconds
constexpr double kRecover = 0.04;  // seconds

constexpr double kFadeIn = 0.003;  // seconds
constexpr double kFadeOut = 0.012; // seconds
// The encoder smears a sharp attack a short block back in time; a moment of true silence on
// either side keeps the first and last samples at zero after decoding.
constexpr double kQuietEdge = 0.008; // seconds
// A struck sound cut off before it has died away would end in a click; its last moments fade.
constexpr double kTailFade = 0.005; // seconds

size_t ToSamples(double seconds)
{
    return seconds <= 0.0 ? 0 : static_cast<size_t>(std::lround(seconds * Sound::kRate));
}
} // namespace

Sound::Sound(double seconds) : m_samples(ToSamples(seconds), 0.0f)
{
}

double Sound::Seconds() const
{
    return static_cast<double>(m_samples.size()) / kRate;
}

Sound& Sound::Add(const Sound& other, double atSeconds, double gain)
{
    // Growing would move the samples being read when a sound is added to itself (an echoed flap).
    if (&other == this)
        return Add(Sound(other), atSeconds, gain);
    const size_t start = ToSamples(atSeconds);
    if (m_samples.size() < start + other.Size())
        m_samples.resize(start + other.Size(), 0.0f);
    for (size_t i = 0; i < other.Size(); ++i)
        m_samples[start + i] += static_cast<float>(other[i] * gain);
    return *this;
}

Sound& Sound::Then(const Sound& other, double gap)
{
    return Add(other, std::max(0.0, Seconds() + gap));
}

Sound& Sound::Gain(double gain)
{
    for (float& s : m_samples)
        s = static_cast<float>(s * gain);
    return *this;
}

Sound& Sound::Shape(const Curve& amplitude)
{
    for (size_t i = 0; i < m_samples.size(); ++i)
        m_samples[i] = static_cast<float>(m_samples[i] * amplitude.At(static_cast<double>(i) / kRate));
    return *this;
}

Sound& Sound::Swell(double rise)
{
    return Shape({{0.0, 0.0}, {rise, 1.0}, {Seconds(), 0.0}});
}

Sound& Sound::Percussive(double attack, double halfLife)
{
    const size_t rise = std::max<size_t>(1, ToSamples(attack));
    const double perSample = std::pow(0.5, 1.0 / (halfLife * kRate));
    double level = 1.0;
    for (size_t i = 0; i < m_samples.size(); ++i)
    {
        if (i < rise)
            m_samples[i] = static_cast<float>(m_samples[i] * static_cast<double>(i) / rise);
        else
        {
            m_samples[i] = static_cast<float>(m_samples[i] * level);
            level *= perSample;
        }
    }
    return FadeOut(kTailFade);
}

Sound& Sound::Tremolo(const Curve& rate, double depth)
{
    double phase = 0.0;
    for (size_t i = 0; i < m_samples.size(); ++i)
    {
        const double gain = 1.0 - depth * 0.5 + depth * 0.5 * std::sin(phase);
        m_samples[i] = static_cast<float>(m_samples[i] * gain);
        phase += 2.0 * kPi * rate.At(static_cast<double>(i) / kRate) / kRate;
    }
    return *this;
}

Sound& Sound::LowPass(const Curve& cutoff, double q)
{
    return Filter(cutoff, q, FilterOutput::Low);
}

Sound& Sound::HighPass(const Curve& cutoff, double q)
{
    return Filter(cutoff, q, FilterOutput::High);
}

Sound& Sound::BandPass(const Curve& centre, double q)
{
    return Filter(centre, q, FilterOutput::Band);
}

// A state-variable filter in its trapezoidal form: it stays stable while the cutoff moves every
// sample, which the sweeps of whooshes and vowels need.
Sound& Sound::Filter(const Curve& cutoff, double q, FilterOutput output)
{
    const double k = 1.0 / q;
    double ic1 = 0.0;
    double ic2 = 0.0;
    // A fixed cutoff (most of the music's filters) needs its coefficients only once.
    const bool fixed = cutoff.IsConstant();
    double a1 = 0.0, a2 = 0.0, a3 = 0.0;
    for (size_t i = 0; i < m_samples.size(); ++i)
    {
        if (i == 0 || !fixed)
        {
            const double g = std::tan(kPi * std::clamp(cutoff.GeometricAt(static_cast<double>(i) / kRate), 10.0, 0.45 * kRate) / kRate);
            a1 = 1.0 / (1.0 + g * (g + k));
            a2 = g * a1;
            a3 = g * a2;
        }
        const double v0 = m_samples[i];
        const double v3 = v0 - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        double out = v2;
        if (output == FilterOutput::Band)
            out = k * v1;
        else if (output == FilterOutput::High)
            out = v0 - k * v1 - v2;
        m_samples[i] = static_cast<float>(out);
    }
    return *this;
}

Sound& Sound::Echo(double delay, double feedback)
{
    const size_t step = std::max<size_t>(1, ToSamples(delay));
    const double repeats = std::ceil(std::log(0.001) / std::log(feedback));
    m_samples.resize(m_samples.size() + step * static_cast<size_t>(repeats), 0.0f);
    for (size_t i = step; i < m_samples.size(); ++i)
        m_samples[i] = static_cast<float>(m_samples[i] + m_samples[i - step] * feedback);
    return *this;
}

Sound& Sound::Drive(double drive)
{
    const double norm = std::tanh(drive);
    for (float& s : m_samples)
        s = static_cast<float>(std::tanh(drive * s) / norm);
    return *this;
}

double Sound::Peak() const
{
    double peak = 0.0;
    for (float s : m_samples)
        peak = std::max(peak, static_cast<double>(std::fabs(s)));
    return peak;
}

Sound& Sound::Finish(double offsetLu)
{
    HighPass(20.0);
    const size_t in = std::min(m_samples.size(), ToSamples(kFadeIn));
    for (size_t i = 0; i < in; ++i)
        m_samples[i] = static_cast<float>(m_samples[i] * static_cast<double>(i) / in);
    FadeOut(kFadeOut).SetLevel(kMomentLufs + offsetLu);
    const size_t edge = ToSamples(kQuietEdge);
    m_samples.insert(m_samples.begin(), edge, 0.0f);
    m_samples.resize(m_samples.size() + edge, 0.0f);
    return *this;
}

Sound& Sound::FadeOut(double seconds)
{
    const size_t out = std::min(m_samples.size(), ToSamples(seconds));
    for (size_t i = 0; i < out; ++i)
    {
        float& s = m_samples[m_samples.size() - 1 - i];
        s = static_cast<float>(s * static_cast<double>(i) / out);
    }
    return *this;
}

// The tail is laid over the head with equal-power weights, then cut off: playing the result
// in a circle passes through the crossfade instead of jumping from the end to the start.
Sound& Sound::FinishLoop(double crossfade, double offsetLu)
{
    HighPass(20.0);
    const size_t n = std::min(m_samples.size() / 2, ToSamples(crossfade));
    const size_t tail = m_samples.size() - n;
    for (size_t i = 0; i < n; ++i)
    {
        const double t = (static_cast<double>(i) + 0.5) / n;
        const double head = m_samples[i] * std::sin(t * kPi / 2.0);
        m_samples[i] = static_cast<float>(head + m_samples[tail + i] * std::cos(t * kPi / 2.0));
    }
    m_samples.resize(tail);
    return SetLevel(kMomentLufs + offsetLu);
}

Sound& Sound::SetLevel(double lufs)
{
    if (Peak() <= 0.0)
        return *this;
    // Holding the peaks takes a little loudness away; further passes make up for it.
    for (int pass = 0; pass < 3; ++pass)
    {
        Gain(std::pow(10.0, (lufs - LoudestMoment(m_samples.data(), m_samples.size(), kRate)) / 20.0));
        HoldPeaks();
    }
    return *this;
}

void Sound::HoldPeaks()
{
    const size_t n = m_samples.size();
    std::vector<double> gain(n);
    for (size_t i = 0; i < n; ++i)
        gain[i] = std::min(1.0, kCeiling / std::max(1e-9, static_cast<double>(std::fabs(m_samples[i]))));
    // Each sample's gain is never more than a straight ramp away from the gain any peak needs:
    // down towards a peak ahead of it, back up after one behind it.
    const double dip = 1.0 / std::max<size_t>(1, ToSamples(kDip));
    const double recover = 1.0 / std::max<size_t>(1, ToSamples(kRecover));
    for (size_t i = n - 1; i-- > 0;)
        gain[i] = std::min(gain[i], gain[i + 1] + dip);
    for (size_t i = 1; i < n; ++i)
        gain[i] = std::min(gain[i], gain[i - 1] + recover);
    for (size_t i = 0; i < n; ++i)
        m_samples[i] = static_cast<float>(m_samples[i] * gain[i]);
}

#pragma once
// What a listener hears of a decoded track, measured from its spectrum: how much of it comes
// back almost unchanged, how much of its energy lies above a frequency, and how far that of a
// band steps anywhere.
#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace Moments
{
using Spectrum = std::vector<double>;

inline void Transform(std::vector<std::complex<double>>& a)
{
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i)
    {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1)
    {
        const double angle = -2.0 * M_PI / static_cast<double>(length);
        const std::complex<double> turn(std::cos(angle), std::sin(angle));
        for (std::size_t i = 0; i < n; i += length)
        {
            std::complex<double> w(1.0);
            for (std::size_t j = 0; j < length / 2; ++j, w *= turn)
            {
                const std::complex<double> u = a[i + j], v = a[i + j + length / 2] * w;
                a[i + j] = u + v;
                a[i + j + length / 2] = u - v;
            }
        }
    }
}

/// Power spectra of Hann-windowed frames of size samples (a power of two), hop samples apart.
inline std::vector<Spectrum> Frames(const std::vector<float>& mono, std::size_t size, std::size_t hop)
{
    std::vector<Spectrum> frames;
    for (std::size_t at = 0; at + size <= mono.size(); at += hop)
    {
        std::vector<std::complex<double>> a(size);
        for (std::size_t i = 0; i < size; ++i)
            a[i] = mono[at + i] * (0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / size));
        Transform(a);
        Spectrum power(size / 2);
        for (std::size_t k = 0; k < size / 2; ++k)
            power[k] = std::norm(a[k]);
        frames.push_back(power);
    }
    return frames;
}

/// Decibels of the energy above hz relative to all of it.
inline double ShareAboveDb(const std::vector<float>& mono, int rate, double hz)
{
    const std::size_t size = 4096;
    double above = 0.0, all = 0.0;
    for (const Spectrum& frame : Frames(mono, size, size))
        for (std::size_t k = 1; k < frame.size(); ++k)
            all += frame[k], above += static_cast<double>(k) * rate / size >= hz ? frame[k] : 0.0;
    return above > 0.0 ? 10.0 * std::log10(above / all) : -200.0;
}

/// The largest step of the energy between low and high Hz anywhere in a loop: decibels between
/// the window (seconds) before a moment and the window after it, at every moment, the end
/// running on into the start.
inline double LargestBandStepDb(const std::vector<float>& mono, int rate, double low, double high, double window)
{
    const std::size_t size = 1024, hop = size / 2;
    std::vector<double> band;
    for (const Spectrum& frame : Frames(mono, size, hop))
    {
        double sum = 0.0;
        for (std::size_t k = static_cast<std::size_t>(low * size / rate); k * rate < high * size; ++k)
            sum += frame[k];
        band.push_back(sum);
    }
    const std::size_t n = band.size(), span = static_cast<std::size_t>(window * rate / hop);
    double before = 0.0, after = 0.0;
    for (std::size_t k = 0; k < span; ++k)
        before += band[n - 1 - k], after += band[k];
    double largest = 0.0;
    for (std::size_t moment = 0; moment < n; ++moment)
    {
        largest = std::max(largest, std::fabs(10.0 * std::log10(after / before)));
        const double passing = band[moment];
        before += passing - band[(moment + n - span) % n];
        after += band[(moment + span) % n] - passing;
    }
    return largest;
}

/// The share of a track's half-second moments (one every half second) that come back almost
/// exactly somewhere else in it, at any offset half a second or more away: the sound of each
/// quarter of the moment, in 24 bands from 80 Hz to 5 kHz, alike to within a cosine of 0.95.
/// Same bars over the same chords count; a tune over changed harmony, or moved to another key
/// or to other instruments, does not.
inline double RepeatedShare(const std::vector<float>& mono, int rate)
{
    // A quarter of the rate is enough for what a tune and its chords are.
    const int step = 4;
    const double low = rate / static_cast<double>(step);
    std::vector<float> reduced;
    for (std::size_t i = 0; i + step <= mono.size(); i += step)
        reduced.push_back(mono[i] + mono[i + 1] + mono[i + 2] + mono[i + 3]);
    const std::size_t size = 512;
    const std::size_t hop = static_cast<std::size_t>(low * 0.025);
    const int bands = 24;
    std::vector<Spectrum> banded;
    for (const Spectrum& frame : Frames(reduced, size, hop))
    {
        Spectrum band(bands, 0.0);
        for (std::size_t k = 1; k < frame.size(); ++k)
        {
            const double hz = static_cast<double>(k) * low / size;
            if (hz >= 80.0 && hz < 5000.0)
                band[static_cast<int>(bands * std::log(hz / 80.0) / std::log(5000.0 / 80.0))] += frame[k];
        }
        for (double& b : band)
            b = std::sqrt(b);
        banded.push_back(band);
    }
    // A moment is its four quarters side by side, scaled to unit length.
    const std::size_t quarter = 5, whole = 20;
    std::vector<Spectrum> moments;
    for (std::size_t k = 0; k + 3 * quarter < banded.size(); ++k)
    {
        Spectrum moment;
        for (std::size_t q = 0; q < 4; ++q)
            moment.insert(moment.end(), banded[k + q * quarter].begin(), banded[k + q * quarter].end());
        double length = 0.0;
        for (double x : moment)
            length += x * x;
        for (double& x : moment)
            x = length > 0.0 ? x / std::sqrt(length) : 0.0;
        moments.push_back(moment);
    }
    int counted = 0, repeated = 0;
    for (std::size_t k = 0; k < moments.size(); k += whole)
    {
        ++counted;
        double closest = 0.0;
        for (std::size_t j = 0; j < moments.size(); ++j)
        {
            if ((j > k ? j - k : k - j) < whole)
                continue;
            double dot = 0.0;
            for (std::size_t i = 0; i < moments[k].size(); ++i)
                dot += moments[k][i] * moments[j][i];
            closest = std::max(closest, dot);
        }
        repeated += closest >= 0.95;
    }
    return counted > 0 ? static_cast<double>(repeated) / counted : 0.0;
}
} // namespace Moments

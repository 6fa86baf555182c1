#include "tools/synth/Sources.h"

#include <cmath>
#include <cstdlib>
#include <random>

namespace
{
constexpr double kPi = 3.14159265358979323846;

// A uniform value in -1..1 computed from the engine's raw bits, so the numbers do not depend on
// how the standard library implements its distributions.
double Uniform(std::mt19937& rng)
{
    return static_cast<double>(rng() >> 8) / 8388608.0 - 1.0;
}

// Rounds off the corner of a jump in a saw or square wave; without it the high notes of the
// jumps and menu blips alias into whistles.
double PolyBlep(double phase, double step)
{
    if (phase < step)
    {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step)
    {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

struct Partial
{
    double ratio;    // of the fundamental
    double gain;
    double halfLife; // as a share of the sound's length
};

// Sines at the partials' ratios, each struck and dying away at its own pace: higher partials
// fade sooner, as in anything rung.
Sound Struck(double hz, double seconds, std::initializer_list<Partial> partials)
{
    Sound sound(seconds);
    for (const Partial& p : partials)
        sound.Add(Tone(Wave::Sine, seconds, hz * p.ratio).Percussive(0.002, seconds * p.halfLife), 0.0, p.gain);
    return sound;
}

struct Formants
{
    double f1, f2, f3;
};

Formants FormantsOf(Vowel vowel)
{
    switch (vowel)
    {
    case Vowel::A:
        return {800.0, 1150.0, 2900.0};
    case Vowel::E:
        return {400.0, 1700.0, 2600.0};
    case Vowel::I:
        return {300.0, 2200.0, 3000.0};
    case Vowel::O:
        return {450.0, 800.0, 2830.0};
    case Vowel::U:
        return {325.0, 700.0, 2530.0};
    }
    return {500.0, 1500.0, 2500.0};
}
} // namespace

double WaveAt(Wave wave, double phase, double step)
{
    switch (wave)
    {
    case Wave::Sine:
        return std::sin(2.0 * kPi * phase);
    case Wave::Triangle:
        return 1.0 - 4.0 * std::fabs(phase - 0.5);
    case Wave::Square:
    {
        const double half = std::fmod(phase + 0.5, 1.0);
        return (phase < 0.5 ? 1.0 : -1.0) + PolyBlep(phase, step) - PolyBlep(half, step);
    }
    case Wave::Saw:
        return 2.0 * phase - 1.0 - PolyBlep(phase, step);
    }
    return 0.0;
}

double Pitch(const char* note)
{
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
    int semitone = kSemitones[note[0] - 'A'];
    const char* rest = note + 1;
    if (*rest == '#')
        ++semitone, ++rest;
    else if (*rest == 'b')
        --semitone, ++rest;
    const int midi = (std::atoi(rest) + 1) * 12 + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

Sound Tone(Wave wave, double seconds, const Curve& pitch, double vibratoHz, double vibratoDepth)
{
    Sound sound(seconds);
    double phase = 0.0;
    for (size_t i = 0; i < sound.Size(); ++i)
    {
        const double t = static_cast<double>(i) / Sound::kRate;
        // Long notes of the music call this for millions of samples: skip the vibrato when there is none.
        const double bend = vibratoDepth == 0.0 ? 1.0 : std::pow(2.0, vibratoDepth * std::sin(2.0 * kPi * vibratoHz * t) / 12.0);
        const double step = pitch.GeometricAt(t) * bend / Sound::kRate;
        sound[i] = static_cast<float>(WaveAt(wave, phase, step));
        phase = std::fmod(phase + step, 1.0);
    }
    return sound;
}

Sound Noise(double seconds, unsigned seed)
{
    std::mt19937 rng(seed);
    Sound sound(seconds);
    for (size_t i = 0; i < sound.Size(); ++i)
        sound[i] = static_cast<float>(Uniform(rng));
    return sound;
}

Sound Chime(double hz, double seconds)
{
    return Struck(hz, seconds, {{1.0, 1.0, 0.18}, {2.0, 0.3, 0.09}, {3.01, 0.12, 0.054}, {4.2, 0.06, 0.036}});
}

Sound Bell(double hz, double seconds)
{
    return Struck(hz, seconds,
                  {{0.5, 0.25, 0.2}, {1.0, 1.0, 0.16}, {1.19, 0.35, 0.12}, {1.5, 0.3, 0.1}, {2.0, 0.4, 0.08},
                   {2.74, 0.2, 0.05}, {3.76, 0.1, 0.03}});
}

Sound Pluck(double hz, double seconds, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<double> line(std::max<size_t>(2, static_cast<size_t>(Sound::kRate / hz)));
    for (double& v : line)
        v = Uniform(rng);
    Sound sound(seconds);
    size_t at = 0;
    for (size_t i = 0; i < sound.Size(); ++i)
    {
        const size_t next = (at + 1) % line.size();
        sound[i] = static_cast<float>(line[at]);
        line[at] = 0.498 * (line[at] + line[next]);
        at = next;
    }
    return sound.Percussive(0.0005, seconds * 0.3);
}

Sound Knock(double hz, double seconds, unsigned seed)
{
    Curve drop{{0.0, hz * 1.6}, {0.012, hz}};
    Sound sound = Tone(Wave::Sine, seconds, drop).Percussive(0.0005, 0.014);
    sound.Add(Noise(seconds, seed).BandPass(hz * 2.7, 3.0).Percussive(0.0003, 0.004), 0.0, 0.8);
    return sound;
}

Sound Thud(double hz, double seconds, unsigned seed)
{
    Curve drop{{0.0, hz * 2.2}, {0.06, hz}};
    Sound sound = Tone(Wave::Sine, seconds, drop).Percussive(0.002, seconds * 0.2);
    sound.Add(Noise(seconds, seed).LowPass(400.0).Percussive(0.001, 0.02), 0.0, 0.7);
    return sound;
}

Sound Whoosh(double seconds, const Curve& centre, unsigned seed)
{
    return Noise(seconds, seed).BandPass(centre, 1.5).BandPass(centre, 1.5).Swell(seconds * 0.4);
}

Sound Creak(double seconds, const Curve& rate, double resonance, unsigned seed)
{
    std::mt19937 rng(seed);
    Sound ticks(seconds);
    double untilNext = 0.0;
    for (size_t i = 0; i < ticks.Size(); ++i)
    {
        untilNext -= 1.0 / Sound::kRate;
        if (untilNext > 0.0)
            continue;
        ticks[i] = static_cast<float>(0.6 + 0.4 * Uniform(rng));
        // Stick-slip is never quite regular: each period wanders by a fifth.
        untilNext = (1.0 + 0.2 * Uniform(rng)) / rate.GeometricAt(static_cast<double>(i) / Sound::kRate);
    }
    Sound body = ticks;
    body.BandPass(resonance, 12.0);
    return body.Add(ticks.BandPass(resonance * 2.3, 10.0), 0.0, 0.5);
}

Sound Rumble(double seconds, unsigned seed)
{
    Sound sound = Noise(seconds, seed).LowPass(110.0, 1.2).Gain(4.0);
    sound.Add(Tone(Wave::Sine, seconds, 42.0, 3.0, 1.0).Tremolo(7.0, 0.6), 0.0, 0.5);
    sound.Add(Noise(seconds, seed + 1).BandPass(400.0, 2.0).Tremolo(11.0, 1.0), 0.0, 0.15);
    return sound.Drive(1.5);
}

Sound Rustle(double seconds, double brightness, int grains, unsigned seed)
{
    std::mt19937 rng(seed);
    Sound sound(seconds);
    for (int n = 0; n < grains; ++n)
    {
        // Squaring crowds the crackles towards the start, where the plant is hit.
        const double u = Uniform(rng) * 0.5 + 0.5;
        const double band = brightness * std::pow(2.0, 0.5 * Uniform(rng));
        Sound grain = Noise(0.03, seed + 1 + n).BandPass(band, 2.0).Percussive(0.002, 0.006);
        sound.Add(grain, u * u * seconds * 0.85, 0.7 + 0.3 * Uniform(rng));
    }
    return sound.LowPass(brightness * 2.0);
}

Sound Sparkle(double seconds, double lowHz, double highHz, int count, unsigned seed)
{
    std::mt19937 rng(seed);
    Sound sound(seconds);
    for (int n = 0; n < count; ++n)
    {
        const double at = (Uniform(rng) * 0.5 + 0.5) * seconds * 0.8;
        const double hz = lowHz * std::pow(highHz / lowHz, Uniform(rng) * 0.5 + 0.5);
        const double gain = 0.7 + 0.3 * Uniform(rng);
        sound.Add(Tone(Wave::Sine, 0.12, hz).Percussive(0.003, 0.025), at, gain);
    }
    return sound;
}

Sound Voice(double seconds, const Curve& pitch, Vowel from, Vowel to, double size)
{
    const Formants a = FormantsOf(from);
    const Formants b = FormantsOf(to);
    // A throat's buzz loses strength towards the highs; the saw is darkened before the mouth
    // shapes it, or every vowel sounds like the same bright buzz.
    const Sound source = Tone(Wave::Saw, seconds, pitch, 5.5, 0.25).LowPass(1200.0 * size, 0.5);
    const auto formant = [&](double fa, double fb, double q) {
        const Curve glide{{0.0, fa * size}, {seconds, fb * size}};
        return Sound(source).BandPass(glide, q).BandPass(glide, q);
    };
    Sound voice = formant(a.f1, b.f1, 5.0);
    voice.Add(formant(a.f2, b.f2, 7.0), 0.0, 0.6);
    return voice.Add(formant(a.f3, b.f3, 9.0), 0.0, 0.3);
}

Sound Arpeggio(std::initializer_list<const char*> notes, double step, double ring)
{
    Sound sound;
    double at = 0.0;
    for (const char* note : notes)
    {
        sound.Add(Chime(Pitch(note), ring), at);
        at += step;
    }
    return sound;
}

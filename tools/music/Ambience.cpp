#include "tools/music/Ambience.h"

#include "tools/music/Reverb.h"
#include "tools/synth/Sources.h"

#include <cmath>
#include <random>

namespace
{
constexpr double kPi = 3.14159265358979323846;

double Uniform(std::mt19937& rng)
{
    return static_cast<double>(rng() >> 8) / 16777216.0;
}

// A slow, irregular swell between floor and 1: a few sines of unrelated slow periods.
Curve Gusts(double seconds, double floor, unsigned seed)
{
    std::mt19937 rng(seed);
    const double phases[] = {Uniform(rng) * 2.0 * kPi, Uniform(rng) * 2.0 * kPi, Uniform(rng) * 2.0 * kPi};
    std::vector<Curve::Point> points;
    for (double t = 0.0; t <= seconds + 0.5; t += 0.25)
    {
        const double wave = std::sin(t / 7.3 + phases[0]) + 0.6 * std::sin(t / 3.1 + phases[1]) + 0.3 * std::sin(t / 1.7 + phases[2]);
        points.push_back({t, floor + (1.0 - floor) * (0.5 + wave / 3.8)});
    }
    return Curve(points);
}

Sound Breeze(double seconds, unsigned seed)
{
    Sound sound = Noise(seconds, seed).LowPass(700.0, 0.6).LowPass(900.0);
    sound.Add(Noise(seconds, seed + 1).BandPass(1800.0, 1.0), 0.0, 0.15);
    return sound.Shape(Gusts(seconds, 0.25, seed + 2)).Gain(1.8);
}

Sound Grass(double seconds, unsigned seed)
{
    Sound sound = Noise(seconds, seed).BandPass(3500.0, 0.8).HighPass(1500.0);
    return sound.Tremolo(13.0, 0.5).Shape(Gusts(seconds, 0.1, seed + 3)).Gain(0.5);
}

// Water over stones: many small bands of noise, each flaring up and dying at its own pitch.
Sound Stream(double seconds, unsigned seed)
{
    std::mt19937 rng(seed);
    Sound sound = Noise(seconds, seed).LowPass(400.0).Gain(0.8);
    Sound source = Noise(seconds, seed + 1);
    for (int voice = 0; voice < 5; ++voice)
    {
        std::vector<Curve::Point> pitch, level;
        for (double t = 0.0; t < seconds + 0.1; t += 0.03 + 0.06 * Uniform(rng))
        {
            pitch.push_back({t, 500.0 * std::pow(5.0, Uniform(rng))});
            level.push_back({t, Uniform(rng) * Uniform(rng)});
        }
        Sound band = Sound(source).BandPass(Curve(pitch), 6.0);
        sound.Add(band.Shape(Curve(level)), 0.0, 1.5);
    }
    return sound;
}

Sound Waves(double seconds, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<Curve::Point> swell;
    for (double t = 0.0; t < seconds + 8.0; t += 4.0 + 3.0 * Uniform(rng))
    {
        swell.push_back({t, 0.15});
        swell.push_back({t + 1.5 + Uniform(rng), 0.6 + 0.4 * Uniform(rng)});
    }
    const Curve shape(swell);
    Sound sound = Noise(seconds, seed).LowPass(600.0, 0.7).Shape(shape);
    Sound foam = Noise(seconds, seed + 1).BandPass(2500.0, 0.7).Shape(shape).Shape(shape);
    return sound.Add(foam, 0.0, 0.3).Gain(1.5);
}

Sound Cave(double seconds, unsigned seed)
{
    Sound sound = Noise(seconds, seed).LowPass(180.0, 1.5).Gain(2.5);
    sound.Add(Tone(Wave::Sine, seconds, 55.0).Tremolo(0.13, 0.6), 0.0, 0.12);
    sound.Add(Tone(Wave::Sine, seconds, 82.6).Tremolo(0.07, 0.8), 0.0, 0.06);
    return sound.Shape(Gusts(seconds, 0.5, seed + 1));
}

// Air drawn through the cracks of the rock: a faint, high hiss that comes and goes.
Sound Draught(double seconds, unsigned seed)
{
    Sound sound = Noise(seconds, seed).HighPass(6000.0).LowPass(14000.0);
    return sound.Shape(Gusts(seconds, 0.15, seed + 1));
}

// A field of crickets: each sings in bouts of chirps at its own pitch and pace, the pace never
// quite even and the pauses between bouts of any length, so no two crickets, and no two
// stretches of the field, keep step.
Sound Crickets(double seconds, unsigned seed)
{
    std::mt19937 rng(seed);
    Sound sound(seconds);
    for (int cricket = 0; cricket < 9; ++cricket)
    {
        const double hz = 3800.0 + 1400.0 * Uniform(rng);
        const double period = 0.5 + 0.6 * Uniform(rng);
        const double gain = 0.3 + 0.7 * Uniform(rng);
        double t = Uniform(rng) * period;
        while (t < seconds)
        {
            const int chirps = 3 + static_cast<int>(rng() % 14);
            for (int c = 0; c < chirps && t < seconds; ++c)
            {
                Sound chirp;
                const int pulses = 2 + static_cast<int>(rng() % 3);
                for (int pulse = 0; pulse < pulses; ++pulse)
                    chirp.Add(Tone(Wave::Sine, 0.03, hz * (0.99 + 0.02 * Uniform(rng))).Swell(0.012), pulse * (0.04 + 0.01 * Uniform(rng)));
                sound.Add(chirp, t, gain * (0.7 + 0.3 * Uniform(rng)));
                t += period * (0.75 + 0.5 * Uniform(rng));
            }
            t += 0.3 + 3.0 * Uniform(rng) * Uniform(rng);
        }
    }
    return sound;
}

Sound Songbird(unsigned seed)
{
    std::mt19937 rng(seed);
    Sound phrase;
    const int notes = 3 + static_cast<int>(rng() % 6);
    const double base = 2600.0 + 1500.0 * Uniform(rng);
    double at = 0.0;
    for (int i = 0; i < notes; ++i)
    {
        const double length = 0.05 + 0.1 * Uniform(rng);
        const double from = base * (0.8 + 0.5 * Uniform(rng));
        const double to = base * (0.8 + 0.6 * Uniform(rng));
        phrase.Add(Tone(Wave::Sine, length, {{0.0, from}, {length, to}}, 28.0, 0.6).Swell(length * 0.3), at);
        at += length + 0.02 + 0.08 * Uniform(rng);
    }
    return phrase;
}

Sound Bee(unsigned seed)
{
    std::mt19937 rng(seed);
    const double length = 2.0 + 2.0 * Uniform(rng);
    const double hz = 190.0 + 60.0 * Uniform(rng);
    Sound buzz = Tone(Wave::Saw, length, {{0.0, hz * 1.03}, {length / 2, hz}, {length, hz * 0.97}}, 9.0, 0.3);
    return buzz.BandPass(hz * 4.0, 1.2).Shape({{0.0, 0.0}, {length / 2, 1.0}, {length, 0.0}});
}

Sound Owl(unsigned seed)
{
    Sound call;
    const double hz = 360.0 + (seed % 5) * 8.0;
    const double starts[] = {0.0, 0.55, 0.8};
    const double lengths[] = {0.4, 0.18, 0.5};
    for (int i = 0; i < 3; ++i)
    {
        Sound hoot = Tone(Wave::Sine, lengths[i], {{0.0, hz * 1.05}, {lengths[i], hz * 0.94}});
        hoot.Add(Noise(lengths[i], seed + i).BandPass(hz, 8.0), 0.0, 0.3);
        call.Add(hoot.Swell(lengths[i] * 0.4), starts[i]);
    }
    return call.LowPass(900.0);
}

Sound Frog(unsigned seed)
{
    std::mt19937 rng(seed);
    const double length = 0.25 + 0.15 * Uniform(rng);
    const double hz = 110.0 + 60.0 * Uniform(rng);
    Sound croak = Tone(Wave::Saw, length, {{0.0, hz}, {length, hz * 0.85}}).Tremolo(24.0, 1.0);
    croak.BandPass(hz * 5.0, 3.0).BandPass(hz * 5.0, 2.0);
    Sound twice = croak.Swell(0.03);
    return twice.Add(croak, length + 0.12, 0.8);
}

// A drop falling into a pool: a faint tick as it strikes, then the small bubble it traps ringing
// out in a few hundredths of a second, its pitch sliding up as the bubble shrinks.
Sound Drip(unsigned seed)
{
    std::mt19937 rng(seed);
    const double hz = 700.0 + 1300.0 * Uniform(rng);
    const double length = 0.05 + 0.04 * Uniform(rng);
    Sound drop = Tone(Wave::Sine, length, {{0.0, hz}, {length * 0.4, hz * 1.5}, {length, hz * 1.65}});
    drop.Percussive(0.0015, length / 5.0);
    return drop.Add(Noise(0.004, seed).HighPass(5000.0).Percussive(0.0005, 0.001), 0.0, 0.15);
}

Sound Bat(unsigned seed)
{
    std::mt19937 rng(seed);
    Sound squeaks;
    for (int i = 0; i < 2 + static_cast<int>(rng() % 3); ++i)
    {
        const double hz = 5500.0 + 2000.0 * Uniform(rng);
        squeaks.Add(Tone(Wave::Sine, 0.035, {{0.0, hz}, {0.035, hz * 0.7}}).Swell(0.01), i * 0.09);
    }
    return squeaks;
}

Sound Firefly(unsigned seed)
{
    std::mt19937 rng(seed);
    static const double kNotes[] = {1567.98, 1760.0, 2093.0, 2349.32, 2637.02}; // G6 A6 C7 D7 E7
    return Chime(kNotes[rng() % 5], 1.2).Gain(0.6);
}

Sound Bubble(unsigned seed)
{
    std::mt19937 rng(seed);
    const double hz = 350.0 + 500.0 * Uniform(rng);
    return Tone(Wave::Sine, 0.07, {{0.0, hz}, {0.07, hz * 2.2}}).Percussive(0.002, 0.015);
}

Sound Splash(unsigned seed)
{
    return Noise(0.5, seed).BandPass({{0.0, 2500.0}, {0.5, 900.0}}, 1.0).Percussive(0.005, 0.07);
}

Sound Distant(unsigned seed)
{
    return Rumble(3.0, seed).LowPass(200.0).Swell(1.2);
}

struct Source
{
    const char* name;
    Sound (*continuous)(double seconds, unsigned seed);
    Sound (*event)(unsigned seed);
    double reverb; ///< share sent to the room: far and hollow sounds more
};

const Source kSources[] = {
    {"breeze", Breeze, nullptr, 0.1},   {"grass", Grass, nullptr, 0.1},    {"stream", Stream, nullptr, 0.15},
    {"waves", Waves, nullptr, 0.2},     {"cave", Cave, nullptr, 0.3},
    {"draught", Draught, nullptr, 0.2},      {"crickets", Crickets, nullptr, 0.3},
    {"songbird", nullptr, Songbird, 0.3}, {"bee", nullptr, Bee, 0.1},      {"owl", nullptr, Owl, 0.6},
    {"frog", nullptr, Frog, 0.3},       {"drip", nullptr, Drip, 0.35},      {"bat", nullptr, Bat, 0.6},
    {"firefly", nullptr, Firefly, 0.6}, {"bubble", nullptr, Bubble, 0.3},  {"rumble", nullptr, Distant, 0.7},
    {"splash", nullptr, Splash, 0.4},
};

const Source& FindSource(const std::string& name, bool scattered)
{
    for (const Source& source : kSources)
        if (name == source.name && (source.event != nullptr) == scattered)
            return source;
    throw std::runtime_error(std::string("no ") + (scattered ? "scattered" : "continuous") + " source called " + name);
}
} // namespace

Stereo PlayBed(const Score& score)
{
    const double length = score.bedSeconds + kBedOverlap;
    Stereo bed(length);
    Sound send(length);
    for (const BedLayer& layer : score.layers)
    {
        const Source& source = FindSource(layer.source, layer.every > 0.0);
        const double gain = std::pow(10.0, layer.levelDb / 20.0);
        if (source.continuous)
        {
            // Two unrelated takes, one a side, so the sound surrounds instead of sitting in the middle.
            Sound left = source.continuous(length, layer.seed);
            Sound right = source.continuous(length, layer.seed + 101);
            bed.left.Add(left, 0.0, gain);
            bed.right.Add(right, 0.0, gain);
            send.Add(left, 0.0, gain * source.reverb).Add(right, 0.0, gain * source.reverb);
            continue;
        }
        std::mt19937 rng(layer.seed);
        for (double at = Uniform(rng) * layer.every; at < length; at += layer.every * (0.3 + 1.4 * Uniform(rng)))
        {
            const Sound event = source.event(static_cast<unsigned>(rng()));
            const double level = gain * (0.5 + 0.5 * Uniform(rng));
            bed.Place(event, at, level, 1.5 * Uniform(rng) - 0.75);
            send.Add(event, at, level * source.reverb);
        }
    }
    const Reverb room(score.room, score.damping);
    bed.Add(room.Process(send), 0.0, 1.0);
    return bed;
}

#include "tools/music/Instruments.h"

#include "tools/synth/Sources.h"

#include <cmath>
#include <random>

namespace
{
constexpr double kPi = 3.14159265358979323846;

// Attack, decay to a sustained level, held until the note ends, then released to silence.
Sound& Envelope(Sound& sound, double attack, double decay, double sustain, double held, double release)
{
    const double end = std::max(held, attack + decay);
    return sound.Shape({{0.0, 0.0}, {attack, 1.0}, {attack + decay, sustain}, {end, sustain}, {end + release, 0.0}});
}

// A steady oscillator for held notes, with a vibrato of depth semitones. The chords of the music
// sound for minutes in all; the vibrato comes from a rotating phasor and a short series for
// 2^x instead of a sine and a power per sample, which keeps a whole score quick to play.
// One cycle of a sine, read with linear interpolation: a sine per sample from the library costs
// more than the rest of a note.
class SineTable
{
public:
    SineTable()
    {
        for (std::size_t i = 0; i <= kSize; ++i)
            m_values[i] = std::sin(2.0 * kPi * static_cast<double>(i) / kSize);
    }
    double At(double phase) const
    {
        const double at = phase * kSize;
        const std::size_t i = static_cast<std::size_t>(at);
        return m_values[i] + (m_values[i + 1] - m_values[i]) * (at - static_cast<double>(i));
    }

private:
    static constexpr std::size_t kSize = 4096;
    double m_values[kSize + 1];
};

const SineTable kSine;

Sound Held(Wave wave, double seconds, double hz, double vibratoHz = 0.0, double depth = 0.0)
{
    Sound sound(seconds);
    const double turn = 2.0 * kPi * vibratoHz / Sound::kRate;
    const double cosTurn = std::cos(turn);
    const double sinTurn = std::sin(turn);
    const double scale = depth / 12.0 * std::log(2.0);
    double x = 1.0;
    double y = 0.0;
    double phase = 0.0;
    for (std::size_t i = 0; i < sound.Size(); ++i)
    {
        const double bend = scale * y;
        const double step = hz * (1.0 + bend + bend * bend / 2.0) / Sound::kRate;
        sound[i] = static_cast<float>(wave == Wave::Sine ? kSine.At(phase) : WaveAt(wave, phase, step));
        phase += step;
        if (phase >= 1.0)
            phase -= 1.0;
        const double nextX = x * cosTurn - y * sinTurn;
        y = x * sinTurn + y * cosTurn;
        x = nextX;
    }
    return sound;
}

double Cents(double cents)
{
    return std::pow(2.0, cents / 1200.0);
}

// Brighter when struck harder: a cutoff that grows with the velocity.
double Bright(double hz, double velocity)
{
    return std::min(16000.0, hz * std::pow(velocity, 1.5));
}

Sound Flute(const NoteCall& n)
{
    const double length = n.seconds + 0.2;
    Sound sound = Held(Wave::Sine, length, n.hz, 4.8, 0.12);
    sound.Add(Held(Wave::Sine, length, 2.0 * n.hz, 4.8, 0.12), 0.0, 0.16);
    sound.Add(Held(Wave::Triangle, length, 3.0 * n.hz), 0.0, 0.04);
    // A breath that is strongest as the note speaks.
    Sound breath = Noise(length, n.seed).BandPass(2.0 * n.hz, 1.5);
    breath.Shape({{0.0, 0.0}, {0.03, 0.25}, {0.15, 0.06}, {length, 0.05}});
    sound.Add(breath);
    return Envelope(sound, 0.06, 0.1, 0.85, n.seconds, 0.18);
}

Sound Ocarina(const NoteCall& n)
{
    const double length = n.seconds + 0.15;
    Sound sound = Held(Wave::Sine, length, n.hz, 5.2, 0.08);
    sound.Add(Held(Wave::Sine, length, 3.0 * n.hz), 0.0, 0.05);
    sound.Add(Noise(length, n.seed).BandPass(n.hz, 4.0).Gain(0.05));
    return Envelope(sound, 0.035, 0.08, 0.8, n.seconds, 0.12);
}

Sound Harp(const NoteCall& n)
{
    const double ring = 2.2;
    Sound sound = Pluck(n.hz, ring, n.seed).LowPass(Bright(n.hz * 5.0 + 1200.0, n.velocity));
    sound.Add(Held(Wave::Sine, ring, n.hz).Percussive(0.004, 0.45), 0.0, 0.35);
    return sound;
}

Sound Guitar(const NoteCall& n)
{
    const double ring = std::min(1.6, n.seconds + 0.8);
    Sound sound = Pluck(n.hz, ring, n.seed).LowPass(Bright(2800.0, n.velocity), 0.9);
    sound.Add(Held(Wave::Triangle, ring, n.hz).Percussive(0.003, 0.25).LowPass(1500.0), 0.0, 0.25);
    return sound.Shape({{0.0, 1.0}, {n.seconds + 0.6, 1.0}, {ring, 0.0}});
}

Sound Pizzicato(const NoteCall& n)
{
    Sound sound = Pluck(n.hz, 0.6, n.seed).LowPass(Bright(1800.0, n.velocity));
    sound.Add(Held(Wave::Sine, 0.6, n.hz).Percussive(0.003, 0.09), 0.0, 0.5);
    return sound.Percussive(0.002, 0.12);
}

Sound Strings(const NoteCall& n)
{
    const double length = n.seconds + 0.6;
    Sound sound(length);
    for (double cents : {-7.0, 6.0})
        sound.Add(Held(Wave::Saw, length, n.hz * Cents(cents), 5.3 + cents / 20.0, 0.07), 0.0, 0.4);
    sound.LowPass(std::min(6000.0, n.hz * 3.0 + 700.0), 0.8).LowPass(std::min(9000.0, n.hz * 6.0 + 1500.0));
    return Envelope(sound, 0.28, 0.3, 0.9, n.seconds, 0.55);
}

Sound Pad(const NoteCall& n)
{
    const double length = n.seconds + 1.2;
    Sound sound = Held(Wave::Saw, length, n.hz * Cents(-6.0)).Add(Held(Wave::Saw, length, n.hz * Cents(6.0)));
    sound.Gain(0.35).Add(Held(Wave::Triangle, length, n.hz * 0.5), 0.0, 0.3);
    sound.LowPass(std::min(3000.0, 700.0 + n.hz), 1.0).LowPass(3500.0);
    return Envelope(sound, 0.7, 0.5, 0.85, n.seconds, 1.1);
}

Sound Choir(const NoteCall& n)
{
    const double length = n.seconds + 0.9;
    Sound source = Held(Wave::Saw, length, n.hz * Cents(-4.0), 5.0, 0.1).Add(Held(Wave::Saw, length, n.hz * Cents(5.0), 5.6, 0.1));
    source.LowPass(1800.0, 0.6);
    // The formants of a soft "oo-ah", so the chord is sung rather than buzzed.
    Sound voice = Sound(source).BandPass(420.0, 4.0);
    voice.Add(Sound(source).BandPass(900.0, 5.0), 0.0, 0.6);
    voice.Add(Sound(source).BandPass(2600.0, 6.0), 0.0, 0.15);
    return Envelope(voice, 0.45, 0.4, 0.9, n.seconds, 0.8);
}

Sound Celesta(const NoteCall& n)
{
    Sound sound = Chime(n.hz, 2.4);
    return sound.Add(Knock(n.hz * 4.0, 0.04, n.seed), 0.0, 0.05 * n.velocity);
}

Sound Glockenspiel(const NoteCall& n)
{
    Sound sound = Chime(n.hz, 1.6);
    return sound.Add(Held(Wave::Sine, 1.0, n.hz * 2.76).Percussive(0.001, 0.12), 0.0, 0.25);
}

Sound BellTone(const NoteCall& n)
{
    return Bell(n.hz, 3.5);
}

Sound Marimba(const NoteCall& n)
{
    const double ring = 1.2;
    Sound sound = Held(Wave::Sine, ring, n.hz).Percussive(0.002, 0.22 * std::min(1.0, 300.0 / n.hz + 0.3));
    sound.Add(Held(Wave::Sine, 0.3, 4.0 * n.hz).Percussive(0.001, 0.025), 0.0, 0.3 * n.velocity);
    sound.Add(Held(Wave::Sine, 0.15, 9.9 * n.hz).Percussive(0.0005, 0.008), 0.0, 0.08 * n.velocity);
    return sound.Add(Knock(n.hz * 2.0, 0.03, n.seed), 0.0, 0.08);
}

// A tine piano by frequency modulation: the modulation index dies away faster than the tone,
// so each note starts bell-bright and settles into a round hum.
Sound ElectricPiano(const NoteCall& n)
{
    const double length = n.seconds + 0.35;
    Sound sound(length);
    const double step = n.hz / Sound::kRate;
    const double fade = std::exp(-1.0 / (0.35 * Sound::kRate));
    double bright = (1.2 + 1.2 * n.velocity) / (2.0 * kPi);
    double phase = 0.0;
    for (std::size_t i = 0; i < sound.Size(); ++i)
    {
        double carrier = phase + (bright + 0.25 / (2.0 * kPi)) * kSine.At(phase);
        carrier -= std::floor(carrier);
        sound[i] = static_cast<float>(kSine.At(carrier));
        bright *= fade;
        phase += step;
        if (phase >= 1.0)
            phase -= 1.0;
    }
    sound.Add(Held(Wave::Sine, 0.2, n.hz * 14.0).Percussive(0.0005, 0.012), 0.0, 0.12 * n.velocity);
    sound.Shape({{0.0, 1.0}, {n.seconds, std::pow(0.5, n.seconds / 0.9)}, {length, 0.0}});
    return sound.Percussive(0.002, 3.0);
}

Sound Bass(const NoteCall& n)
{
    const double length = n.seconds + 0.1;
    Sound sound = Held(Wave::Sine, length, n.hz);
    Sound body = Held(Wave::Saw, length, n.hz).LowPass({{0.0, 250.0 + 900.0 * n.velocity}, {0.25, 260.0}}, 1.1);
    sound.Add(body, 0.0, 0.45);
    return Envelope(sound, 0.006, 0.3, 0.7, n.seconds, 0.09);
}

Sound Brass(const NoteCall& n)
{
    const double length = n.seconds + 0.2;
    Sound sound(length);
    for (double cents : {-5.0, 0.0, 6.0})
        sound.Add(Held(Wave::Saw, length, n.hz * Cents(cents), 5.0, 0.05), 0.0, 0.33);
    const double open = Bright(n.hz * 3.0 + 600.0, n.velocity);
    sound.LowPass({{0.0, 250.0}, {0.07, open}, {0.4, open * 0.6}}, 1.2);
    return Envelope(sound, 0.045, 0.25, 0.75, n.seconds, 0.16);
}

Sound Reed(const NoteCall& n)
{
    const double length = n.seconds + 0.12;
    Sound sound = Held(Wave::Square, length, n.hz, 5.0, 0.06).LowPass(n.hz * 2.0 + 250.0, 0.8).LowPass(4000.0);
    sound.Add(Noise(length, n.seed).BandPass(n.hz * 3.0, 3.0).Gain(0.04));
    return Envelope(sound, 0.03, 0.12, 0.75, n.seconds, 0.1);
}

Sound Kick(double velocity, unsigned seed)
{
    Sound sound = Tone(Wave::Sine, 0.5, {{0.0, 150.0}, {0.04, 62.0}, {0.5, 45.0}}).Percussive(0.001, 0.11);
    return sound.Add(Knock(900.0, 0.02, seed), 0.0, 0.15 * velocity);
}

Sound Snare(double velocity, unsigned seed)
{
    Sound sound = Noise(0.3, seed).BandPass(2200.0, 0.7).Percussive(0.001, 0.045).Gain(0.8);
    sound.Add(Tone(Wave::Triangle, 0.2, {{0.0, 260.0}, {0.04, 190.0}}).Percussive(0.001, 0.03), 0.0, 0.6);
    return sound.LowPass(Bright(5000.0, velocity));
}

Sound Tom(double hz, unsigned seed)
{
    Sound sound = Tone(Wave::Sine, 0.7, {{0.0, hz * 1.4}, {0.08, hz}}).Percussive(0.002, 0.13);
    return sound.Add(Noise(0.1, seed).LowPass(hz * 6.0).Percussive(0.001, 0.015), 0.0, 0.3);
}

Sound Timpani(unsigned seed)
{
    Sound sound = Tone(Wave::Sine, 1.8, {{0.0, 80.0}, {0.05, 66.0}}).Percussive(0.003, 0.4);
    sound.Add(Held(Wave::Sine, 1.2, 66.0 * 1.5).Percussive(0.003, 0.25), 0.0, 0.4);
    sound.Add(Held(Wave::Sine, 0.9, 66.0 * 1.99).Percussive(0.003, 0.18), 0.0, 0.25);
    return sound.Add(Noise(0.15, seed).LowPass(500.0).Percussive(0.001, 0.02), 0.0, 0.4);
}

Sound Tambourine(unsigned seed)
{
    std::mt19937 rng(seed);
    Sound sound = Noise(0.25, seed).BandPass(7500.0, 1.5).Percussive(0.001, 0.05).Gain(0.4);
    for (int jingle = 0; jingle < 5; ++jingle)
        sound.Add(Tone(Wave::Sine, 0.2, 5000.0 + 600.0 * jingle + rng() % 400).Percussive(0.001, 0.04), 0.002 * jingle, 0.12);
    return sound;
}

Sound Clap(unsigned seed)
{
    Sound sound;
    for (int burst = 0; burst < 3; ++burst)
        sound.Add(Noise(0.2, seed + burst).BandPass(1400.0, 1.2).Percussive(0.0005, burst == 2 ? 0.04 : 0.006), 0.011 * burst);
    return sound;
}

const Instrument kInstruments[] = {
    {"flute", Flute, false, false},       {"ocarina", Ocarina, false, false},
    {"harp", Harp, false, false},         {"guitar", Guitar, false, false},
    {"pizzicato", Pizzicato, false, false}, {"strings", Strings, true, false},
    {"pad", Pad, true, false},            {"choir", Choir, true, false},
    {"celesta", Celesta, false, false},   {"glockenspiel", Glockenspiel, false, false},
    {"bell", BellTone, false, false},     {"marimba", Marimba, false, false},
    {"epiano", ElectricPiano, false, false}, {"bass", Bass, false, false},
    {"brass", Brass, false, false},       {"reed", Reed, false, false},
    {"kit", nullptr, false, true},
};
} // namespace

const Instrument* FindInstrument(const std::string& name)
{
    for (const Instrument& instrument : kInstruments)
        if (name == instrument.name)
            return &instrument;
    return nullptr;
}

Sound PlayDrum(char letter, double velocity, unsigned seed)
{
    switch (letter)
    {
    case 'k':
        return Kick(velocity, seed);
    case 's':
        return Snare(velocity, seed);
    case 'h':
        return Noise(0.09, seed).HighPass(7000.0).Percussive(0.0005, 0.014).Gain(0.5);
    case 'o':
        return Noise(0.5, seed).HighPass(6500.0).Percussive(0.001, 0.09).Gain(0.4);
    case 'p':
        return Noise(0.14, seed).BandPass(5500.0, 1.2).Shape({{0.0, 0.0}, {0.05, 0.5}, {0.14, 0.0}});
    case 'r':
        return Knock(1700.0, 0.08, seed);
    case 't':
        return Tom(95.0, seed);
    case 'm':
        return Tom(140.0, seed);
    case 'b':
        return Timpani(seed);
    case 'c':
        return Noise(2.5, seed).HighPass(3500.0).BandPass(8000.0, 0.5).Percussive(0.003, 0.45).Gain(0.5);
    case 'w':
        return Noise(0.3, seed).BandPass(3200.0, 0.8).Shape({{0.0, 0.0}, {0.07, 0.6}, {0.3, 0.0}});
    case 'n':
        return Clap(seed);
    case 'j':
        return Tambourine(seed);
    default:
        return Sound();
    }
}

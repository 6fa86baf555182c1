#include "tools/music/Arranger.h"

#include "tools/music/Chords.h"
#include "tools/music/Instruments.h"
#include "tools/music/Reverb.h"

#include <cmath>
#include <random>

namespace
{
// Seconds the longest notes ring past the end of the music.
constexpr double kRing = 4.0;

double Hz(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

double FromDb(double db)
{
    return std::pow(10.0, db / 20.0);
}

// Players are never exactly on the grid nor exactly even; a little spread keeps repeated
// patterns from sounding stamped out. Drums stay tighter than the rest.
struct Humaniser
{
    std::mt19937 rng;

    double Uniform() { return static_cast<double>(rng() >> 8) / 8388608.0 - 1.0; }
    double Shift(bool tight) { return Uniform() * (tight ? 0.003 : 0.008); }
    double Velocity(double velocity) { return velocity * (1.0 + 0.07 * Uniform()); }
};

class Player
{
public:
    explicit Player(const Score& score) : m_score(score) {}

    Stereo Play(double& length)
    {
        // The mix is made as long as the music and a few seconds of ringing at once; growing it
        // note by note would copy it over and over.
        double beats = 0.0;
        for (const std::vector<int>& section : m_score.sections)
        {
            double longest = 0.0;
            for (int index : section)
                longest = std::max(longest, m_score.patterns[index].beats);
            beats += longest;
        }
        const double seconds = beats * m_score.SecondsPerBeat() + kRing;
        m_dry = Stereo(seconds);
        m_send = Sound(seconds);
        double at = 0.0;
        unsigned seed = 1;
        for (const std::vector<int>& section : m_score.sections)
        {
            double beats = 0.0;
            for (int index : section)
            {
                const Pattern& pattern = m_score.patterns[index];
                beats = std::max(beats, pattern.beats);
                for (std::size_t part = 0; part < pattern.events.size(); ++part)
                    for (const NoteEvent& event : pattern.events[part])
                        PlayEvent(m_score.parts[part], event, at, seed++);
            }
            at += beats * m_score.SecondsPerBeat();
        }
        length = at;
        const Reverb room(m_score.room, m_score.damping);
        m_dry.Add(room.Process(m_send), 0.0, 1.0);
        return m_dry;
    }

private:
    void PlayEvent(const Part& part, const NoteEvent& event, double sectionStart, unsigned seed)
    {
        const Instrument* instrument = FindInstrument(part.instrument);
        if (!instrument)
            throw std::runtime_error("no instrument called " + part.instrument);
        const double spb = m_score.SecondsPerBeat();
        const double start = sectionStart + event.beat * spb;
        if (part.arpSteps > 0 && event.pitches.size() > 1)
        {
            Arpeggio(*instrument, part, event, start, seed);
            return;
        }
        for (int pitch : event.pitches)
            Note(*instrument, part, pitch, start, event.length * spb, event.velocity, seed++);
    }

    // A chord broken into notes a step apart, up and down its notes and the octave above.
    void Arpeggio(const Instrument& instrument, const Part& part, const NoteEvent& event, double start, unsigned seed)
    {
        std::vector<int> notes = event.pitches;
        for (int pitch : event.pitches)
            notes.push_back(pitch + 12);
        const std::vector<int> order = ArpOrder(part.arpShape, static_cast<int>(notes.size()));
        const int steps = static_cast<int>(std::lround(event.length * part.arpSteps));
        const double step = m_score.SecondsPerBeat() / part.arpSteps;
        for (int i = 0; i < steps; ++i)
            Note(instrument, part, notes[order[i % order.size()]], start + i * step, step * 1.5, event.velocity, seed + i);
    }

    void Note(const Instrument& instrument, const Part& part, int pitch, double start, double seconds, double velocity,
              unsigned seed)
    {
        if ((pitch < 0) != instrument.kit)
            throw std::runtime_error("part " + part.name + " is given a sound its " + part.instrument + " cannot play");
        m_humaniser.rng.seed(seed);
        const double at = std::max(0.0, start + m_humaniser.Shift(instrument.kit));
        const double gain = FromDb(part.levelDb) * m_humaniser.Velocity(velocity);
        if (instrument.kit)
        {
            Place(PlayDrum(static_cast<char>(-pitch), velocity, seed), at, gain, part.pan, part.reverb);
            return;
        }
        const NoteCall call{Hz(pitch), seconds, velocity, seed};
        if (!instrument.wide)
        {
            Place(instrument.play(call), at, gain, part.pan, part.reverb);
            return;
        }
        // Two players a few cents apart, one on each side, make an ensemble out of one part.
        NoteCall other = call;
        other.hz *= std::pow(2.0, 4.0 / 1200.0);
        other.seed += 7919;
        Place(instrument.play(call), at, gain * 0.7, part.pan - 0.55, part.reverb);
        Place(instrument.play(other), at + 0.004, gain * 0.7, part.pan + 0.55, part.reverb);
    }

    void Place(const Sound& sound, double at, double gain, double pan, double send)
    {
        m_dry.Place(sound, at, gain, pan);
        m_send.Add(sound, at, gain * send);
    }

    const Score& m_score;
    Stereo m_dry;
    Sound m_send;
    Humaniser m_humaniser;
};
} // namespace

Stereo PlayMusic(const Score& score, double& length)
{
    return Player(score).Play(length);
}

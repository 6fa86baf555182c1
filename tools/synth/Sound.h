#pragma once

#include "tools/synth/Curve.h"

#include <vector>

/// A mono sound being made: samples in -1..1 at 44100 Hz. Every operation works in place and
/// returns the sound, so a recipe reads as a chain: Noise(0.3, 1).LowPass(800).Percussive(0.002, 0.05).
class Sound
{
public:
    static constexpr int kRate = 44100;

    Sound() = default;
    /// Silence of the given length.
    explicit Sound(double seconds);

    double Seconds() const;
    std::size_t Size() const { return m_samples.size(); }
    float& operator[](std::size_t i) { return m_samples[i]; }
    float operator[](std::size_t i) const { return m_samples[i]; }
    const std::vector<float>& Samples() const { return m_samples; }

    /// Mixes another sound in, starting at a time (seconds) and scaled by a gain; grows to hold it.
    Sound& Add(const Sound& other, double atSeconds = 0.0, double gain = 1.0);
    /// Appends another sound after a gap (seconds; a negative gap overlaps the two).
    Sound& Then(const Sound& other, double gap = 0.0);
    Sound& Gain(double gain);
    /// Multiplies by an envelope (linear between its points).
    Sound& Shape(const Curve& amplitude);
    /// Rises linearly from silence to full over rise seconds, then falls linearly to silence at the end.
    Sound& Swell(double rise);
    /// A struck envelope: a linear rise over attack seconds, then halving every halfLife seconds;
    /// the last few milliseconds fade to silence, so a sound cut short still ends cleanly.
    Sound& Percussive(double attack, double halfLife);
    /// Multiplies by 1 - depth/2 + depth/2 * sin, at rate Hz.
    Sound& Tremolo(const Curve& rate, double depth);

    /// Resonant two-pole filters; cutoff in Hz follows the curve over time (geometric steps).
    /// Q of 0.707 is flat; higher rings. A band pass has a gain of 1 at its centre.
    Sound& LowPass(const Curve& cutoff, double q = 0.707);
    Sound& HighPass(const Curve& cutoff, double q = 0.707);
    Sound& BandPass(const Curve& centre, double q);

    /// Repeats the sound after delay seconds, each repeat scaled by feedback, until it is inaudible.
    Sound& Echo(double delay, double feedback);
    /// Soft saturation: tanh(drive * x) / tanh(drive), louder and rounder at the same peak.
    Sound& Drive(double drive);

    double Peak() const;

    /// Readies a one-shot effect: removes any offset, fades both ends over a few milliseconds so
    /// it starts and stops without a click, and brings its loudest moment to the library's
    /// common loudness, offsetLu from it for an effect meant to lie below (or above) the rest.
    Sound& Finish(double offsetLu = 0.0);
    /// Readies a looping effect: the last crossfade seconds are blended into the start, so the end
    /// flows into the beginning without a seam, then the level is set as a one-shot's.
    Sound& FinishLoop(double crossfade, double offsetLu = 0.0);

private:
    enum class FilterOutput { Low, Band, High };
    Sound& Filter(const Curve& cutoff, double q, FilterOutput output);
    Sound& SetLevel(double lufs);
    /// Turns the sound down around every peak that would pass the ceiling, smoothly.
    void HoldPeaks();
    /// Fades the last seconds linearly to silence.
    Sound& FadeOut(double seconds);

    std::vector<float> m_samples;
};

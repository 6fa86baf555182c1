#pragma once

#include "tools/synth/Sound.h"

/// The building blocks of the effects. Each returns a new sound of the given length (seconds);
/// levels are roughly full scale, since every effect is levelled when it is finished.
/// Seeds make noise repeatable, so every build writes the same files.

enum class Wave { Sine, Triangle, Square, Saw };

/// One sample of a wave at a phase (0..1) advancing by step per sample; the corners of saw and
/// square are rounded off over a step so that high notes do not alias.
double WaveAt(Wave wave, double phase, double step);

/// A note name ("A4", "C#5", "Bb3") as a frequency in Hz; A4 is 440 Hz.
double Pitch(const char* note);

/// An oscillator whose pitch (Hz) follows the curve, with an optional vibrato of depth semitones.
Sound Tone(Wave wave, double seconds, const Curve& pitch, double vibratoHz = 0.0, double vibratoDepth = 0.0);
/// White noise.
Sound Noise(double seconds, unsigned seed);

/// A glassy struck tone: a sine with soft overtones, ringing out over the length.
Sound Chime(double hz, double seconds);
/// A metallic struck tone with the out-of-tune partials of a small bell.
Sound Bell(double hz, double seconds);
/// A plucked string (a short noise burst ringing in a delay line).
Sound Pluck(double hz, double seconds, unsigned seed);
/// A hollow wooden knock, pitched at hz.
Sound Knock(double hz, double seconds, unsigned seed);
/// A soft, heavy impact whose body is pitched at hz.
Sound Thud(double hz, double seconds, unsigned seed);
/// Air rushing past: noise through a band that follows the centre curve, swelling and dying away.
Sound Whoosh(double seconds, const Curve& centre, unsigned seed);
/// Wood or a hinge under strain: stick-slip ticks at rate (per second) ringing at resonance Hz.
Sound Creak(double seconds, const Curve& rate, double resonance, unsigned seed);
/// Deep trembling of the ground.
Sound Rumble(double seconds, unsigned seed);
/// Leaves or blades brushed aside: grains crackles in a band around brightness Hz, thinning out.
Sound Rustle(double seconds, double brightness, int grains, unsigned seed);
/// Scattered tiny high chimes between lowHz and highHz, count of them.
Sound Sparkle(double seconds, double lowHz, double highHz, int count, unsigned seed);

enum class Vowel { A, E, I, O, U };
/// A sung or cried vowel gliding from one vowel to another; size scales the formants (above 1 for
/// small creatures, below 1 for big ones).
Sound Voice(double seconds, const Curve& pitch, Vowel from, Vowel to, double size = 1.0);
/// Notes one after another, each a Chime of the given length, step seconds apart.
Sound Arpeggio(std::initializer_list<const char*> notes, double step, double ring);

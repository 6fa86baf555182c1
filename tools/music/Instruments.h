#pragma once

#include "tools/synth/Sound.h"

#include <string>

/// One note as an instrument is asked to play it: held for seconds (the sound may ring on
/// after), velocity around 1, and a seed that keeps each note's noise its own.
struct NoteCall
{
    double hz;
    double seconds;
    double velocity;
    unsigned seed;
};

/// A playable instrument of the scores. A wide one is played twice, slightly apart, into the
/// left and the right; a kit plays drum letters instead of pitches.
struct Instrument
{
    const char* name;
    Sound (*play)(const NoteCall& note);
    bool wide;
    bool kit;
};

/// The instrument of that name, or null.
const Instrument* FindInstrument(const std::string& name);
/// One hit of the kit's drum letter (k kick, s snare, h and o closed and open hi-hat, p shaker,
/// r rim, t and m low and middle tom, b timpani, c cymbal, w brush, n clap, j tambourine);
/// an empty sound for any other letter.
Sound PlayDrum(char letter, double velocity, unsigned seed);

#pragma once

#include <string>
#include <vector>

/// A chord written as a symbol: its root's pitch class (0 is C), its intervals above the root
/// in semitones, and the pitch class of a bass under it (-1 for none).
struct Chord
{
    int root = 0;
    std::vector<int> intervals;
    int bass = -1;
};

/// A note name with its octave ("c4", "F#5", "bb2") as a MIDI number; -1 when it is not one.
int ParseNote(const std::string& text);
/// A chord symbol ("C", "Am7", "F/A", "Bbsus4"); no intervals when it is not one.
Chord ParseChord(const std::string& text);
/// The chord's notes, close together, in the inversion that moves least from the previous
/// voicing while staying near the centre; a bass of a slash chord goes an octave below.
std::vector<int> Voice(const Chord& chord, int centre, const std::vector<int>& previous);
/// The order in which a broken chord of that many notes visits them, over one cycle; empty for
/// an unknown shape.
std::vector<int> ArpOrder(const std::string& shape, int notes);

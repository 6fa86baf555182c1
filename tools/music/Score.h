#pragma once

#include <string>
#include <vector>

/// One sounding event of a part: notes start and length in beats from the pattern's start.
/// Pitches are MIDI numbers (60 is middle C); a drum kit takes its drum letters instead.
struct NoteEvent
{
    double beat = 0.0;
    double length = 0.0;
    std::vector<int> pitches;
    double velocity = 1.0;
};

/// A line of the score played by one instrument, placed in the mix.
struct Part
{
    std::string name;
    std::string instrument;
    double levelDb = 0.0;
    double pan = 0.0;       ///< -1 left .. 1 right
    double reverb = 0.2;    ///< share sent to the room
    int centre = 60;        ///< chords are voiced around this pitch
    int arpSteps = 0;       ///< notes per beat when chords are broken; 0 plays them whole
    std::string arpShape = "up";
};

/// A stretch of music: for each part (by index) the events it plays.
struct Pattern
{
    std::string name;
    double beats = 0.0;
    std::vector<std::vector<NoteEvent>> events;
};

/// A continuous sound of an ambience bed, or events scattered over it at random.
struct BedLayer
{
    std::string source;
    double levelDb = 0.0;
    double every = 0.0; ///< mean seconds between scattered events; 0 for a continuous layer
    unsigned seed = 1;
};

/// Everything one source file describes: a piece of music (parts, patterns and the order they
/// are played in) or an ambience bed (layers), and whether the result loops.
struct Score
{
    bool bed = false;
    bool loop = true;
    double tempo = 100.0;   ///< beats per minute
    int beatsPerBar = 4;
    double room = 0.6;      ///< size of the reverb's room, 0..1
    double damping = 0.4;   ///< how soon the room's echoes lose their highs, 0..1
    double bedSeconds = 0.0;
    std::vector<Part> parts;
    std::vector<Pattern> patterns;
    /// The sections in playing order; each plays its patterns together, as long as the longest.
    std::vector<std::vector<int>> sections;
    std::vector<BedLayer> layers;

    double SecondsPerBeat() const { return 60.0 / tempo; }
};

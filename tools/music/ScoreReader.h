#pragma once

#include "tools/music/Score.h"

#include <istream>
#include <stdexcept>
#include <string>

/// A mistake in a score, with the line it was found on.
class ScoreError : public std::runtime_error
{
public:
    ScoreError(int line, const std::string& what);
};

/// Reads a score written as text. The format, line by line (a word starting with '#' starts a
/// comment):
///
///   music loop | music once        a piece of music, looping or played once
///   bed <seconds>                  an ambience bed of that length; beds always loop
///   tempo <beats per minute>       beats <per bar>       room <size 0..1> <damping 0..1>
///   part <name> <instrument> [level <dB>] [pan <-1..1>] [reverb <send 0..1>]
///        [around <note>] [arp <notes per beat> up|down|updown|alberti]
///   pattern <name>                 then lines "<part> | bar | bar ...", continued on further
///                                  lines of the same part
///   play <pattern>[+<pattern>...][><semitones>] ...   sections in order; '+' plays patterns
///                                  together, '>' moves the section up (or down, negative) into
///                                  another key, its drums unmoved
///   layer <source> [level <dB>] [seed <n>]            a bed's continuous sound
///   scatter <source> every <seconds> [level <dB>] [seed <n>]   a bed's scattered events
///
/// A bar's tokens share the bar evenly: four tokens in a bar of four beats are crotchets, eight
/// quavers, twelve triplets. A token is a note ("c4", "f#5", "bb2"), notes played together
/// ("c4+e4"), a chord ("C", "Am7", "F/A", "Bbmaj7", voiced around the part's note), drum letters
/// for a kit ("k+h"), "-" holding the sound before it, "." a rest, or "%" alone repeating the
/// bar before. A trailing "!" accents a sound, "?" plays it softly.
Score ReadScore(std::istream& in);

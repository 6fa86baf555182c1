#include "tools/music/Chords.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numeric>

namespace
{
// A letter with its sharps or flats as a pitch class; -1 for anything else. Reads what it
// takes from the front of the text and moves past it.
int PitchClass(const std::string& text, size_t& at)
{
    static const int kFromC[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (at >= text.size())
        return -1;
    const int letter = std::tolower(static_cast<unsigned char>(text[at])) - 'a';
    if (letter < 0 || letter > 6)
        return -1;
    int pc = kFromC[letter];
    ++at;
    if (at < text.size() && (text[at] == '#' || text[at] == 'b'))
        pc += text[at++] == '#' ? 1 : -1;
    return (pc + 12) % 12;
}

double Mean(const std::vector<int>& notes)
{
    return notes.empty() ? 0.0 : std::accumulate(notes.begin(), notes.end(), 0.0) / notes.size();
}
} // namespace

int ParseNote(const std::string& text)
{
    size_t at = 0;
    const int pc = PitchClass(text, at);
    if (pc < 0 || at + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[at])))
        return -1;
    // Flats and sharps belong to the written octave: "cb4" is just below c4, "b#3" is c4.
    const int letterOctave = text[at] - '0';
    int number = (letterOctave + 1) * 12 + pc;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (letter == 'c' && text[1] == 'b')
        number -= 12;
    if (letter == 'b' && text[1] == '#')
        number += 12;
    return number;
}

Chord ParseChord(const std::string& text)
{
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},           {"m", {0, 3, 7}},           {"7", {0, 4, 7, 10}},      {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},     {"sus2", {0, 2, 7}},        {"sus4", {0, 5, 7}},       {"dim", {0, 3, 6}},
        {"aug", {0, 4, 8}},        {"add9", {0, 4, 7, 14}},    {"madd9", {0, 3, 7, 14}},  {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},      {"9", {0, 4, 7, 10, 14}},   {"m9", {0, 3, 7, 10, 14}}, {"maj9", {0, 4, 7, 11, 14}},
        {"5", {0, 7}},             {"7sus4", {0, 5, 7, 10}},   {"dim7", {0, 3, 6, 9}},    {"m7b5", {0, 3, 6, 10}}};
    Chord chord;
    size_t at = 0;
    if (text.empty() || !std::isupper(static_cast<unsigned char>(text[0])) || (chord.root = PitchClass(text, at)) < 0)
        return Chord();
    const size_t slash = text.find('/', at);
    const auto quality = kQualities.find(text.substr(at, slash == std::string::npos ? std::string::npos : slash - at));
    if (quality == kQualities.end())
        return Chord();
    if (slash != std::string::npos)
    {
        size_t bassAt = slash + 1;
        chord.bass = PitchClass(text, bassAt);
        if (chord.bass < 0 || bassAt != text.size())
            return Chord();
    }
    chord.intervals = quality->second;
    return chord;
}

std::vector<int> Voice(const Chord& chord, int centre, const std::vector<int>& previous)
{
    // Ninths are folded into the octave so every inversion stays close.
    std::vector<int> classes;
    for (int interval : chord.intervals)
        classes.push_back((chord.root + interval) % 12);
    const double aim = previous.empty() ? centre : 0.6 * Mean(previous) + 0.4 * centre;
    std::vector<int> best;
    double bestDistance = 1e9;
    for (size_t inversion = 0; inversion < classes.size(); ++inversion)
    {
        for (int octave = -1; octave <= 1; ++octave)
        {
            std::vector<int> notes;
            int note = (centre / 12 + octave) * 12 + classes[inversion] - 7;
            for (size_t i = 0; i < classes.size(); ++i)
            {
                const int pc = classes[(inversion + i) % classes.size()];
                while ((note % 12 + 12) % 12 != pc || (!notes.empty() && note <= notes.back()))
                    ++note;
                notes.push_back(note);
            }
            const double distance = std::fabs(Mean(notes) - aim);
            if (distance < bestDistance)
                bestDistance = distance, best = notes;
        }
    }
    if (chord.bass >= 0)
    {
        int bass = best.front() - 12;
        while ((bass % 12 + 12) % 12 != chord.bass)
            ++bass;
        best.insert(best.begin(), bass - (bass >= best.front() ? 12 : 0));
    }
    return best;
}

std::vector<int> ArpOrder(const std::string& shape, int notes)
{
    std::vector<int> order;
    if (shape == "up" || shape == "updown")
        for (int i = 0; i < notes; ++i)
            order.push_back(i);
    if (shape == "updown")
        for (int i = notes - 2; i > 0; --i)
            order.push_back(i);
    if (shape == "down")
        for (int i = notes - 1; i >= 0; --i)
            order.push_back(i);
    if (shape == "alberti" && notes >= 3)
        order = {0, notes - 1, 1, notes - 1};
    return order;
}

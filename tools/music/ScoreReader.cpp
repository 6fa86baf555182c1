#include "tools/music/ScoreReader.h"

#include "tools/music/Chords.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

namespace
{
std::vector<std::string> Split(const std::string& text, char by)
{
    std::vector<std::string> pieces;
    std::string piece;
    std::istringstream stream(text);
    while (std::getline(stream, piece, by))
        pieces.push_back(piece);
    return pieces;
}

// A comment is a word that starts with '#'; inside a word '#' is a sharp ("f#5").
size_t CommentStart(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(text[i - 1]))))
            return i;
    return text.size();
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

double Number(const std::string& text, int line)
{
    try
    {
        size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size())
            return value;
    }
    catch (const std::exception&)
    {
    }
    throw ScoreError(line, "'" + text + "' is not a number");
}

// The state of one part while its bars are read: what the next "-" holds, what "%" repeats.
struct PartCursor
{
    double beat = 0.0;
    int held = -1; ///< index of the event a "-" lengthens, -1 after a rest
    std::vector<std::string> lastBar;
    std::vector<int> lastVoicing;
};

class Reader
{
public:
    Score Read(std::istream& in)
    {
        std::string text;
        while (std::getline(in, text))
        {
            ++m_line;
            const std::string content = text.substr(0, CommentStart(text));
            const std::vector<std::string> words = Words(content);
            if (!words.empty())
                Statement(words, content);
        }
        Finish();
        return m_score;
    }

private:
    void Statement(const std::vector<std::string>& w, const std::string& content)
    {
        const std::string& key = w[0];
        if (content.find('|') != std::string::npos)
            Bars(key, content.substr(content.find('|')));
        else if (key == "music" && w.size() == 2 && (w[1] == "loop" || w[1] == "once"))
            m_score.loop = w[1] == "loop";
        else if (key == "bed" && w.size() == 2)
            m_score.bed = true, m_score.loop = true, m_score.bedSeconds = Number(w[1], m_line);
        else if (key == "tempo" && w.size() == 2)
            m_score.tempo = Number(w[1], m_line);
        else if (key == "beats" && w.size() == 2)
            m_score.beatsPerBar = static_cast<int>(Number(w[1], m_line));
        else if (key == "room" && w.size() == 3)
            m_score.room = Number(w[1], m_line), m_score.damping = Number(w[2], m_line);
        else if (key == "part" && w.size() >= 3)
            PartLine(w);
        else if (key == "pattern" && w.size() == 2)
            StartPattern(w[1]);
        else if (key == "play")
            Play(w);
        else if ((key == "layer" || key == "scatter") && w.size() >= 2)
            Layer(w);
        else
            throw ScoreError(m_line, "cannot read '" + content + "'");
    }

    void PartLine(const std::vector<std::string>& w)
    {
        if (!m_score.patterns.empty())
            throw ScoreError(m_line, "parts come before the first pattern");
        Part part;
        part.name = w[1];
        part.instrument = w[2];
        for (size_t i = 3; i < w.size(); i += 2)
        {
            if (i + 1 >= w.size())
                throw ScoreError(m_line, "'" + w[i] + "' needs a value");
            const std::string& option = w[i];
            if (option == "level")
                part.levelDb = Number(w[i + 1], m_line);
            else if (option == "pan")
                part.pan = Number(w[i + 1], m_line);
            else if (option == "reverb")
                part.reverb = Number(w[i + 1], m_line);
            else if (option == "around")
                part.centre = NoteNumber(w[i + 1]);
            else if (option == "arp" && i + 2 < w.size())
                part.arpSteps = static_cast<int>(Number(w[i + 1], m_line)), part.arpShape = w[i + 2], ++i;
            else
                throw ScoreError(m_line, "unknown part option '" + option + "'");
        }
        if (part.arpSteps > 0 && ArpOrder(part.arpShape, 3).empty())
            throw ScoreError(m_line, "unknown arpeggio '" + part.arpShape + "'");
        m_partIndex[part.name] = static_cast<int>(m_score.parts.size());
        m_score.parts.push_back(part);
    }

    void StartPattern(const std::string& name)
    {
        Finish();
        if (m_patternIndex.count(name))
            throw ScoreError(m_line, "a second pattern called " + name);
        m_patternIndex[name] = static_cast<int>(m_score.patterns.size());
        Pattern pattern;
        pattern.name = name;
        pattern.events.resize(m_score.parts.size());
        m_score.patterns.push_back(pattern);
        m_cursors.assign(m_score.parts.size(), PartCursor());
    }

    // Closes the pattern being read: it lasts as long as its longest part.
    void Finish()
    {
        if (m_score.patterns.empty())
            return;
        Pattern& pattern = m_score.patterns.back();
        for (const PartCursor& cursor : m_cursors)
            pattern.beats = std::max(pattern.beats, cursor.beat);
    }

    void Bars(const std::string& partName, const std::string& bars)
    {
        if (m_score.patterns.empty())
            throw ScoreError(m_line, "bars outside a pattern");
        const auto found = m_partIndex.find(partName);
        if (found == m_partIndex.end())
            throw ScoreError(m_line, "no part called " + partName);
        for (const std::string& bar : Split(bars, '|'))
        {
            std::vector<std::string> tokens = Words(bar);
            if (!tokens.empty())
                Bar(found->second, tokens);
        }
    }

    void Bar(int partIndex, std::vector<std::string> tokens)
    {
        PartCursor& cursor = m_cursors[partIndex];
        if (tokens.size() == 1 && tokens[0] == "%")
        {
            if (cursor.lastBar.empty())
                throw ScoreError(m_line, "'%' with no bar before it");
            tokens = cursor.lastBar;
        }
        cursor.lastBar = tokens;
        const double step = static_cast<double>(m_score.beatsPerBar) / tokens.size();
        for (const std::string& token : tokens)
        {
            Token(partIndex, token, step);
            cursor.beat += step;
        }
    }

    void Token(int partIndex, std::string token, double step)
    {
        PartCursor& cursor = m_cursors[partIndex];
        std::vector<NoteEvent>& events = m_score.patterns.back().events[partIndex];
        if (token == "-")
        {
            if (cursor.held < 0)
                throw ScoreError(m_line, "'-' holds nothing");
            events[cursor.held].length += step;
            return;
        }
        cursor.held = -1;
        if (token == ".")
            return;
        double velocity = 1.0;
        if (token.back() == '!' || token.back() == '?')
        {
            velocity = token.back() == '!' ? 1.35 : 0.55;
            token.pop_back();
        }
        NoteEvent event;
        event.beat = cursor.beat;
        event.length = step;
        event.velocity = velocity;
        if (std::isupper(static_cast<unsigned char>(token[0])))
        {
            const Chord chord = ParseChord(token);
            if (chord.intervals.empty())
                throw ScoreError(m_line, "'" + token + "' is not a chord");
            cursor.lastVoicing = Voice(chord, m_score.parts[partIndex].centre, cursor.lastVoicing);
            event.pitches = cursor.lastVoicing;
        }
        else
            event.pitches = Sounds(token);
        cursor.held = static_cast<int>(events.size());
        events.push_back(event);
    }

    // Notes ("c4+e4") as MIDI numbers, or drum letters ("k+h") as their negated letter codes.
    std::vector<int> Sounds(const std::string& token)
    {
        std::vector<int> pitches;
        for (const std::string& piece : Split(token, '+'))
        {
            if (piece.empty())
                throw ScoreError(m_line, "'" + token + "' has an empty sound");
            if (std::isdigit(static_cast<unsigned char>(piece.back())))
                pitches.push_back(NoteNumber(piece));
            else if (piece.size() == 1 && std::islower(static_cast<unsigned char>(piece[0])))
                pitches.push_back(-piece[0]);
            else
                throw ScoreError(m_line, "'" + piece + "' is neither a note nor a drum");
        }
        return pitches;
    }

    int NoteNumber(const std::string& text)
    {
        const int number = ParseNote(text);
        if (number < 0)
            throw ScoreError(m_line, "'" + text + "' is not a note");
        return number;
    }

    void Play(const std::vector<std::string>& w)
    {
        Finish();
        for (size_t i = 1; i < w.size(); ++i)
        {
            std::vector<int> section;
            const std::vector<std::string> shifted = Split(w[i], '>');
            if (shifted.size() > 2)
                throw ScoreError(m_line, "'" + w[i] + "' is moved twice");
            const int semitones = shifted.size() == 2 ? static_cast<int>(Number(shifted[1], m_line)) : 0;
            for (const std::string& name : Split(shifted[0], '+'))
                section.push_back(Transposed(name, semitones));
            m_score.sections.push_back(section);
        }
    }

    // The pattern moved by semitones (its drums left as they are), made the first time a
    // section asks for it.
    int Transposed(const std::string& name, int semitones)
    {
        const auto found = m_patternIndex.find(name);
        if (found == m_patternIndex.end())
            throw ScoreError(m_line, "no pattern called " + name);
        if (semitones == 0)
            return found->second;
        const std::string movedName = name + ">" + std::to_string(semitones);
        const auto made = m_patternIndex.find(movedName);
        if (made != m_patternIndex.end())
            return made->second;
        Pattern moved = m_score.patterns[static_cast<std::size_t>(found->second)];
        moved.name = movedName;
        for (std::vector<NoteEvent>& part : moved.events)
            for (NoteEvent& event : part)
                for (int& pitch : event.pitches)
                    pitch += pitch >= 0 ? semitones : 0;
        m_patternIndex[movedName] = static_cast<int>(m_score.patterns.size());
        m_score.patterns.push_back(moved);
        return m_patternIndex[movedName];
    }

    void Layer(const std::vector<std::string>& w)
    {
        BedLayer layer;
        layer.source = w[1];
        for (size_t i = 2; i + 1 < w.size(); i += 2)
        {
            if (w[i] == "level")
                layer.levelDb = Number(w[i + 1], m_line);
            else if (w[i] == "every" && w[0] == "scatter")
                layer.every = Number(w[i + 1], m_line);
            else if (w[i] == "seed")
                layer.seed = static_cast<unsigned>(Number(w[i + 1], m_line));
            else
                throw ScoreError(m_line, "unknown option '" + w[i] + "'");
        }
        if (w.size() % 2 != 0 || (w[0] == "scatter") != (layer.every > 0.0))
            throw ScoreError(m_line, "a scattered layer needs 'every', a continuous one must not have it");
        m_score.layers.push_back(layer);
    }

    Score m_score;
    int m_line = 0;
    std::map<std::string, int> m_partIndex;
    std::map<std::string, int> m_patternIndex;
    std::vector<PartCursor> m_cursors;
};
} // namespace

ScoreError::ScoreError(int line, const std::string& what) : std::runtime_error("line " + std::to_string(line) + ": " + what)
{
}

Score ReadScore(std::istream& in)
{
    return Reader().Read(in);
}

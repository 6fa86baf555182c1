// Scores as the composer writes them: bars shared out evenly, holds, rests, repeats, sharps
// against comments, chords voiced close and moving little, drums, accents, sections, beds, and
// mistakes reported with their line.
#include "tools/music/ScoreReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <sstream>

namespace
{
Score Read(const std::string& text)
{
    std::istringstream in(text);
    return ReadScore(in);
}

// The events of the first pattern's first part.
std::vector<NoteEvent> Events(const std::string& bars, const std::string& instrument = "flute")
{
    return Read("part p " + instrument + " around c4\npattern a\np " + bars + "\n").patterns.at(0).events.at(0);
}

std::set<int> Classes(const std::vector<int>& pitches)
{
    std::set<int> classes;
    for (int p : pitches)
        classes.insert(p % 12);
    return classes;
}

double Mean(const std::vector<int>& pitches)
{
    return std::accumulate(pitches.begin(), pitches.end(), 0.0) / pitches.size();
}
} // namespace

TEST(ScoreReader, BarsShareTheirBeatsAmongTheirTokens)
{
    struct Case
    {
        const char* bars;
        std::vector<std::pair<double, double>> startsAndLengths;
        std::vector<int> firstPitches;
    };
    const Case cases[] = {
        {"| c4 - e4 . | g4 |", {{0, 2}, {2, 1}, {4, 4}}, {60}},
        {"| c4 d4 e4 f4 g4 a4 b4 c5 |", {{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 0.5}, {2.5, 0.5}, {3, 0.5}, {3.5, 0.5}}, {60}},
        {"| c4 e4 g4 |", {{0, 4.0 / 3}, {4.0 / 3, 4.0 / 3}, {8.0 / 3, 4.0 / 3}}, {60}},
        {"| c4 - - - | - . e4 - |", {{0, 5}, {6, 2}}, {60}},
        {"| c4 . | % |", {{0, 2}, {4, 2}}, {60}},
        {"| f#4 bb3 | # a comment, not a sharp", {{0, 2}, {2, 2}}, {66}},
        {"| cb4 b#3 |", {{0, 2}, {2, 2}}, {59}},
        {"| c4+e4+g4 |", {{0, 4}}, {60, 64, 67}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.bars);
        const std::vector<NoteEvent> events = Events(c.bars);
        ASSERT_EQ(events.size(), c.startsAndLengths.size());
        for (size_t i = 0; i < events.size(); ++i)
        {
            EXPECT_DOUBLE_EQ(events[i].beat, c.startsAndLengths[i].first) << "event " << i;
            EXPECT_DOUBLE_EQ(events[i].length, c.startsAndLengths[i].second) << "event " << i;
        }
        EXPECT_EQ(events[0].pitches, c.firstPitches);
    }
}

TEST(ScoreReader, DrumsAccentsAndSoftNotes)
{
    const std::vector<NoteEvent> events = Events("| k+h s! h? . |", "kit");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].pitches, (std::vector<int>{-'k', -'h'}));
    EXPECT_GT(events[1].velocity, events[0].velocity);
    EXPECT_LT(events[2].velocity, events[0].velocity);
}

TEST(ScoreReader, ChordsAreVoicedCloseAroundThePartAndMoveLittle)
{
    const std::vector<NoteEvent> events = Events("| C | F | G7 | Am/E | Bbmaj7 |");
    ASSERT_EQ(events.size(), 5u);
    const std::vector<std::set<int>> classes = {{0, 4, 7}, {5, 9, 0}, {7, 11, 2, 5}, {4, 9, 0}, {10, 2, 5, 9}};
    for (size_t i = 0; i < events.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(Classes(events[i].pitches), classes[i]);
        EXPECT_TRUE(std::is_sorted(events[i].pitches.begin(), events[i].pitches.end()));
        EXPECT_NEAR(Mean(events[i].pitches), 60.0, 6.0);
    }
    // C to F keeps the C they share; the slash chord's bass lies under the whole voicing.
    EXPECT_EQ(std::count(events[1].pitches.begin(), events[1].pitches.end(), events[0].pitches[1]), 1);
    EXPECT_EQ(events[3].pitches.front() % 12, 4);
    EXPECT_GE(events[3].pitches[1] - events[3].pitches.front(), 5);
}

TEST(ScoreReader, SettingsSectionsAndBeds)
{
    const Score music = Read(
        "music once\ntempo 90\nbeats 3\nroom 0.8 0.2\n"
        "part a harp level -6 pan 0.5 reverb 0.4 arp 2 updown\npart b bass\n"
        "pattern x\na | C |\npattern y\nb | c2 | c2 |\nplay x x+y y\n");
    EXPECT_FALSE(music.loop);
    EXPECT_DOUBLE_EQ(music.SecondsPerBeat(), 60.0 / 90.0);
    EXPECT_EQ(music.beatsPerBar, 3);
    EXPECT_DOUBLE_EQ(music.room, 0.8);
    EXPECT_DOUBLE_EQ(music.parts[0].levelDb, -6.0);
    EXPECT_EQ(music.parts[0].arpSteps, 2);
    EXPECT_EQ(music.parts[0].arpShape, "updown");
    EXPECT_DOUBLE_EQ(music.patterns[1].beats, 6.0);
    EXPECT_EQ(music.sections, (std::vector<std::vector<int>>{{0}, {0, 1}, {1}}));

    // A section played again in another key: its notes move, its drums do not, and the moved
    // pattern is made once however often it is played.
    const Score moved = Read("part a flute\npart d kit\npattern x\na | c4 e4 |\nd | k h |\nplay x x>3 x>-2 x>3\n");
    ASSERT_EQ(moved.patterns.size(), 3u);
    EXPECT_EQ(moved.sections, (std::vector<std::vector<int>>{{0}, {1}, {2}, {1}}));
    EXPECT_EQ(moved.patterns[1].events[0][1].pitches, std::vector<int>{67});
    EXPECT_EQ(moved.patterns[2].events[0][0].pitches, std::vector<int>{58});
    EXPECT_EQ(moved.patterns[1].events[1][0].pitches, moved.patterns[0].events[1][0].pitches);

    const Score bed = Read("bed 30\nlayer breeze level -3 seed 4\nscatter owl every 5\n");
    EXPECT_TRUE(bed.bed);
    EXPECT_TRUE(bed.loop);
    EXPECT_DOUBLE_EQ(bed.bedSeconds, 30.0);
    ASSERT_EQ(bed.layers.size(), 2u);
    EXPECT_EQ(bed.layers[0].seed, 4u);
    EXPECT_DOUBLE_EQ(bed.layers[1].every, 5.0);
}

TEST(ScoreReader, MistakesNameTheirLine)
{
    const std::pair<const char*, const char*> mistakes[] = {
        {"part p flute\npattern a\nq | c4 |", "line 3: no part called q"},
        {"part p flute\npattern a\np | - c4 |", "line 3: '-' holds nothing"},
        {"part p flute\npattern a\np | h4 |", "line 3: 'h4' is not a note"},
        {"part p kit\npattern a\np | kk |", "line 3: 'kk' is neither a note nor a drum"},
        {"part p flute\npattern a\np | Cmaj13 |", "line 3: 'Cmaj13' is not a chord"},
        {"part p flute\npattern a\np | % |", "line 3: '%' with no bar before it"},
        {"part p flute loud 3", "line 1: unknown part option 'loud'"},
        {"part p flute arp 2 sideways", "line 1: unknown arpeggio 'sideways'"},
        {"tempo fast", "line 1: 'fast' is not a number"},
        {"\n\nplay nothing", "line 3: no pattern called nothing"},
        {"bed 10\nscatter owl level -3", "line 2: a scattered layer needs 'every'"},
        {"pattern a\npart p flute", "line 2: parts come before the first pattern"},
        {"p | c4 |", "line 1: bars outside a pattern"},
    };
    for (const auto& [text, message] : mistakes)
    {
        SCOPED_TRACE(text);
        try
        {
            Read(text);
            ADD_FAILURE() << "read without complaint";
        }
        catch (const ScoreError& error)
        {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
}

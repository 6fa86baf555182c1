// The music and ambience the build plays from its scores: every file an area or a screen names
// is there and decodes, loops come round without a click, pieces played once end in silence,
// nothing clips, the music is evenly loud with the beds below it, and no two tracks are alike;
// no loop is heard in many areas nor repeats itself much, and the beds keep their top end and
// close their loops without a step in their hiss.
#include "platform/sound/DecodedSound.h"
#include "tests/res/AreaAudio.h"
#include "tests/res/Moments.h"
#include "tools/synth/Loudness.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace
{
// What the screens play: both loop until they are left.
const char* const kScreenMusic[] = {"res/wave/Music/MENU_Loop.ogg", "res/wave/Music/MetaLevel.ogg"};

// How a user plays a file: looping (a loop that clicked would click at every turn) or once.
struct Use
{
    QString file;
    bool loops;
    QString by;
};

// Every music, ambience and theme file of every area file, as the area's sound player plays it:
// ambiences loop, the music loops unless its loop flag says otherwise, themes play once.
std::vector<Use> AreaUses()
{
    std::vector<Use> uses;
    for (const QString& area : AreaFiles())
    {
        const AreaAudio audio = ReadAreaAudio(area);
        for (const QString& ambience : {audio.day, audio.night})
            if (!ambience.isEmpty())
                uses.push_back({ambience, true, area});
        if (!audio.music.isEmpty())
            uses.push_back({audio.music, audio.musicLoops, area});
        for (const QString& theme : audio.themes)
            uses.push_back({theme, false, area});
    }
    return uses;
}

// What the checks need of one decoded track; the samples themselves are not kept.
struct Track
{
    QString path;
    bool decodes = false;
    bool taggedLoop = false;
    double seconds = 0.0;
    double peak = 0.0;
    double largestStep = 0.0;  ///< between neighbouring samples anywhere in the track
    double joinStep = 0.0;     ///< from the last sample back to the first
    double endPeak = 0.0;      ///< over the last 20 ms
    double lufs = -70.0;
    std::vector<float> sketch; ///< mono, every eighth sample, for telling tracks apart
    int rate = 0;
    double offsetDb = -200.0;  ///< the larger mean of the two channels, in dB of full scale
    double repeated = 0.0;     ///< share of half-second moments heard again almost unchanged
    double topDb = -200.0;     ///< energy above 11 kHz, in dB of all of it
    double hissStepDb = 0.0;   ///< a bed's largest step between 7 and 15 kHz, a quarter second each side
};

// The brook chatters and splashes in the top octave by design, a few decibels up or down from
// one half second to the next; in every other bed it is a steady hiss (the wind in the grass, the
// draught through the rock), in which any step is heard, such as a seam where the loop closes.
const QStringList kChatteringBeds = {"res/wave/Ambience/Water_Day.ogg", "res/wave/Ambience/Water_Night.ogg"};

Track Measure(const QString& path)
{
    Track track;
    track.path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return track;
    const QByteArray bytes = file.readAll();
    // The generator writes the loop flag into the Vorbis comment header, which is stored as text.
    track.taggedLoop = bytes.contains("LOOP=1");
    cDecodedSound sound;
    if (sound.DecodeOggVorbis(bytes.constData(), static_cast<std::size_t>(bytes.size())) != FMOD_OK
        || sound.GetFrames() < 2 || (sound.GetRate() != 44100 && sound.GetRate() != 22050))
        return track;
    track.decodes = true;
    const std::size_t frames = sound.GetFrames();
    track.seconds = static_cast<double>(frames) / sound.GetRate();
    std::vector<std::vector<float>> channels(static_cast<std::size_t>(sound.GetChannels()), std::vector<float>(frames));
    for (std::size_t c = 0; c < channels.size(); ++c)
        for (std::size_t i = 0; i < frames; ++i)
            channels[c][i] = sound.Sample(i, static_cast<int>(c)) / 32768.0f;
    const std::size_t tail = frames - static_cast<std::size_t>(0.02 * sound.GetRate());
    for (const std::vector<float>& s : channels)
    {
        for (std::size_t i = 0; i < frames; ++i)
        {
            track.peak = std::max(track.peak, static_cast<double>(std::fabs(s[i])));
            if (i > 0)
                track.largestStep = std::max(track.largestStep, static_cast<double>(std::fabs(s[i] - s[i - 1])));
            if (i >= tail)
                track.endPeak = std::max(track.endPeak, static_cast<double>(std::fabs(s[i])));
        }
        track.joinStep = std::max(track.joinStep, static_cast<double>(std::fabs(s.front() - s.back())));
    }
    std::vector<const float*> pointers;
    for (const std::vector<float>& s : channels)
        pointers.push_back(s.data());
    track.lufs = IntegratedLoudness(pointers, frames, sound.GetRate());
    for (std::size_t i = 0; i < frames; i += 8)
        track.sketch.push_back(channels.front()[i] + channels.back()[i]);
    track.rate = sound.GetRate();
    std::vector<float> mono(frames);
    for (const std::vector<float>& s : channels)
    {
        double sum = 0.0;
        for (std::size_t i = 0; i < frames; ++i)
            sum += s[i], mono[i] += s[i];
        track.offsetDb = std::max(track.offsetDb, 20.0 * std::log10(std::fabs(sum / frames) + 1e-10));
    }
    track.topDb = Moments::ShareAboveDb(mono, track.rate, 11000.0);
    if (track.taggedLoop && !path.startsWith(":/res/wave/Ambience/"))
        track.repeated = Moments::RepeatedShare(mono, track.rate);
    if (path.startsWith(":/res/wave/Ambience/"))
        track.hissStepDb = Moments::LargestBandStepDb(mono, track.rate, 7000.0, 15000.0, 0.25);
    return track;
}

// Every generated track, measured once for all the tests.
const std::map<QString, Track>& Tracks()
{
    static const std::map<QString, Track> tracks = [] {
        std::map<QString, Track> measured;
        for (const char* folder : {":/res/wave/Music", ":/res/wave/Ambience"})
        {
            QDirIterator files(folder, {"*.ogg"});
            while (files.hasNext())
            {
                const QString path = files.next();
                measured[path.mid(2)] = Measure(path);
            }
        }
        return measured;
    }();
    return tracks;
}

bool IsBed(const Track& track)
{
    return track.path.startsWith(":/res/wave/Ambience/");
}

// How alike two sketches are: 1 for the same sound (at any level), near 0 for unrelated ones.
double Likeness(const std::vector<float>& a, const std::vector<float>& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (std::size_t i = 0; i < n; ++i)
        ab += a[i] * b[i], aa += a[i] * a[i], bb += b[i] * b[i];
    return aa > 0.0 && bb > 0.0 ? std::fabs(ab) / std::sqrt(aa * bb) : 1.0;
}
} // namespace

TEST(MusicFiles, EveryFileAnAreaOrScreenNamesIsThereDecodesAndPlaysAsItIsUsed)
{
    std::vector<Use> uses = AreaUses();
    for (const char* file : kScreenMusic)
        uses.push_back({file, true, "a screen"});
    for (const Use& use : uses)
    {
        SCOPED_TRACE((use.file + " named by " + use.by).toStdString());
        const auto found = Tracks().find(use.file);
        ASSERT_NE(found, Tracks().end()) << "not in the resource tree";
        EXPECT_TRUE(found->second.decodes);
        EXPECT_EQ(found->second.taggedLoop, use.loops) << "played " << (use.loops ? "looping" : "once");
    }
}

TEST(MusicFiles, EveryAreaNamesItsMusicAndBothAmbiences)
{
    const QStringList areas = AreaFiles();
    ASSERT_FALSE(areas.isEmpty());
    for (const QString& area : areas)
    {
        SCOPED_TRACE(area.toStdString());
        const AreaAudio audio = ReadAreaAudio(area);
        EXPECT_FALSE(audio.music.isEmpty());
        EXPECT_FALSE(audio.day.isEmpty());
        EXPECT_FALSE(audio.night.isEmpty());
    }
}

TEST(MusicTracks, DecodeWithoutClippingAndLoopsComeRoundWithoutAClick)
{
    ASSERT_GE(Tracks().size(), 2u);
    for (const auto& [path, track] : Tracks())
    {
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(track.decodes);
        EXPECT_LT(track.peak, 0.98);
        if (IsBed(track))
        {
            EXPECT_TRUE(track.taggedLoop) << "beds always loop";
        }
        if (track.taggedLoop)
            EXPECT_LT(track.joinStep, track.largestStep) << "the end does not lead into the start";
        else
            EXPECT_LT(track.endPeak, 0.01) << "a piece played once must die away, not stop";
        EXPECT_GT(track.seconds, 10.0);
        EXPECT_LT(track.seconds, 150.0);
    }
}

TEST(MusicTracks, MusicIsEvenlyLoudAndTheBedsLieBelowIt)
{
    double loudest = -70.0, quietest = 0.0, loudestBed = -70.0;
    for (const auto& [path, track] : Tracks())
    {
        SCOPED_TRACE(path.toStdString());
        EXPECT_GT(track.lufs, -40.0) << "hardly heard";
        if (IsBed(track))
        {
            loudestBed = std::max(loudestBed, track.lufs);
            continue;
        }
        loudest = std::max(loudest, track.lufs);
        quietest = std::min(quietest, track.lufs);
    }
    EXPECT_LE(loudest - quietest, 3.0) << "music from " << quietest << " to " << loudest << " LUFS";
    EXPECT_LT(loudestBed, quietest - 3.0) << "beds up to " << loudestBed << " LUFS, music from " << quietest;
}

// The spore mushrooms' puffing runs for six to eleven seconds at a time over the area's music;
// were it louder, it would drown the music for as long as it ran. The effect is mono and
// sounds on both sides.
TEST(MusicTracks, SporeLoopLiesBelowTheMusicItPlaysOver)
{
    const Track spores = Measure(":/res/wave/SFX/SporeSoundLoop.ogg");
    ASSERT_TRUE(spores.decodes);
    const double heard = spores.lufs + 10.0 * std::log10(2.0);
    for (const auto& [path, track] : Tracks())
    {
        if (IsBed(track))
            continue;
        EXPECT_LT(heard, track.lufs) << path.toStdString();
    }
}

TEST(MusicTracks, NoTwoAreAlike)
{
    for (auto a = Tracks().begin(); a != Tracks().end(); ++a)
        for (auto b = std::next(a); b != Tracks().end(); ++b)
            EXPECT_LT(Likeness(a->second.sketch, b->second.sketch), 0.5)
                << a->first.toStdString() << " and " << b->first.toStdString();
}

// A loop heard in area after area wears thin: none serves more than four.
TEST(MusicFiles, NoLoopPlaysInMoreThanFourAreas)
{
    std::map<QString, QStringList> areasOf;
    for (const QString& area : AreaFiles())
    {
        const AreaAudio audio = ReadAreaAudio(area);
        if (audio.musicLoops)
            areasOf[audio.music] << area;
    }
    ASSERT_GE(areasOf.size(), 9u);
    for (const auto& [music, areas] : areasOf)
        EXPECT_LE(areas.size(), 4) << music.toStdString() << " in " << areas.join(", ").toStdString();
}

// Within a loop, bars that come back over the same chords on the same instruments are heard as
// the same music over and over; its variations must outweigh them.
TEST(MusicTracks, NoMoreThanHalfOfALoopComesBackAlmostUnchanged)
{
    int loops = 0;
    for (const auto& [path, track] : Tracks())
    {
        if (IsBed(track) || !track.taggedLoop)
            continue;
        ++loops;
        EXPECT_LE(track.repeated, 0.5) << path.toStdString();
    }
    EXPECT_GE(loops, 9);
}

// Every piece sits at the music's loudness. An offset is no sound at all, but it takes headroom
// and thumps when the music starts or stops.
TEST(MusicTracks, MusicSitsAtItsLoudnessWithoutAnOffset)
{
    for (const auto& [path, track] : Tracks())
    {
        if (IsBed(track))
            continue;
        SCOPED_TRACE(path.toStdString());
        EXPECT_NEAR(track.lufs, -20.0, 3.0);
        EXPECT_LT(track.offsetDb, -60.0);
    }
}

// Leaves, water and insects live in the highest octave: the beds are kept at the full rate
// with their air above 11 kHz; where that air is a steady hiss it goes on without a step, also
// where the loop comes round.
TEST(MusicTracks, BedsKeepTheFullRateAndTheirTopEndEvenWhereTheLoopCloses)
{
    for (const auto& [path, track] : Tracks())
    {
        if (!IsBed(track))
            continue;
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(track.rate, 44100);
        EXPECT_GT(track.topDb, -35.0);
        if (!kChatteringBeds.contains(path))
        {
            EXPECT_LT(track.hissStepDb, 1.0) << "dB step in the hiss";
        }
    }
}

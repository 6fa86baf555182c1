// The sound-effect list and the effects the build synthesises for it: every id names its file,
// every file is in the compiled resource tree, decodes, is heard, and sits at the common level.
#include "tools/synth/Loudness.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace
{
const char* const kListPath = ":/res/wave/Audio_SFX.xml";

// Callers play effects by these numbers, so the order is part of the game.
const QStringList kNames = {
    "Jump", "HoverTick", "TouchPinkScore", "Area0_FrameSwitch", "OrangeCries", "pop3", "FrameSwitch", "antler3",
    "GrayShoutsAngrily", "crystal", "WoolGrassSound", "WoolReedSound", "FlyMorph1", "FlyMorph2", "spiel", "fall2",
    "FCBSound1", "FCBSound2", "RainbowSpiritLaugh", "plink", "TreeTwinklePositive", "TreeTwinkleNegative",
    "TouchGreenScore", "TreeCloseMouthV3", "TouchGreenScore", "specht", "ay", "buzz2", "LandAntlerAncestor",
    "LandRainbowSpirit", "LandBatKing", "Rotation1", "Rotation2", "Rotation3", "Rotation4", "Rotation5", "Rotation6",
    "MushroomFold", "MushroomUnfoldV2", "fallSpirit", "DieSpikes", "DieWaterV2", "TreeOpenMouth", "CaveOpenMouthV3",
    "TreeChewsHeartV4", "CaveChewsHeartV4", "EnterTreeBrown", "EnterTreeOrange", "EnterTreeGray", "ExitTreeBrown",
    "ExitTreeOrange", "ExitTreeGray", "MenuUp", "MenuDown", "SwapBrown", "SwapOrange", "SwapGray",
    "MushroomFoldSmall", "MushroomUnfoldSmall", "TransformationIn", "TransformationOut", "SporeSoundLoop",
    "MenuChangeSound3", "MenuChangeSound4", "MenuChangeSound5", "MushroomOpen", "MushroomClose", "LevelDone",
    "LevelUnlocked", "StepGrass", "Area0_EQlong", "FlyingTreeLoop", "HeadJumpedBrown", "HeadJumpedOrange",
    "HeadJumpedGray", "Grass", "TheFallSFX", "Area0_TreeJump", "Area0_EQshort", "CaveCloseMouth",
    "AreaEnd_FrameSwitch", "AreaEnd_TreeMorph", "bk_trans_land", "bk_trans_tree", "fireflies_magic", "rs_trans",
    "rs_trans_land", "rs_trans_tree", "tree_descend"};

// Played with an endless loop count: they must run on without a seam instead of fading out.
const int kLoopingIds[] = {61, 71};

// Every effect's loudest moment is heard at one loudness, so none stands out of the game's mix
// and none is lost in it.
constexpr double kMomentLufs = -16.0;
// The loops run on for seconds over the music and lie below the rest (the reasons stand beside
// their recipes): the spores' puffing 7 LU, the flying tree's wind 4 LU.
const std::map<int, double> kBelowTheRest = {{61, 7.0}, {71, 4.0}};

// The file of every `sfx` element that has one, in document order: the effect ids.
QStringList ReadList()
{
    QFile file(kListPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList files;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd() && !xml.hasError())
    {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("sfx")
            && xml.attributes().hasAttribute("file"))
            files << xml.attributes().value("file").toString();
    }
    return files;
}

// libvorbisfile reads the effect straight from the resource bytes, as the game's sound layer does.
struct MemoryFile
{
    QByteArray bytes;
    qint64 at = 0;

    static size_t Read(void* out, size_t size, size_t count, void* source)
    {
        auto* self = static_cast<MemoryFile*>(source);
        const qint64 n = std::min<qint64>(static_cast<qint64>(size * count), self->bytes.size() - self->at);
        std::memcpy(out, self->bytes.constData() + self->at, static_cast<size_t>(n));
        self->at += n;
        return static_cast<size_t>(n) / size;
    }
    static int Seek(void* source, ogg_int64_t offset, int whence)
    {
        auto* self = static_cast<MemoryFile*>(source);
        const qint64 base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? self->at : self->bytes.size();
        if (base + offset < 0 || base + offset > self->bytes.size())
            return -1;
        self->at = base + offset;
        return 0;
    }
    static long Tell(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->at); }
};

struct Decoded
{
    bool ok = false;
    int channels = 0;
    long rate = 0;
    std::vector<float> samples; // the first channel

    double Peak() const
    {
        double peak = 0.0;
        for (float s : samples)
            peak = std::max(peak, static_cast<double>(std::fabs(s)));
        return peak;
    }
    double Seconds() const { return rate > 0 ? static_cast<double>(samples.size()) / rate : 0.0; }
    // How high the sound is between two fractions of its length: zero crossings per second, with
    // every 10 ms weighted by its energy so quiet tails and gaps do not count. For a tone this is
    // its pitch; for noise and mixtures it still rises and falls with what is heard.
    double Height(double from, double to) const
    {
        const size_t window = static_cast<size_t>(rate / 100);
        const size_t end = static_cast<size_t>(samples.size() * to);
        double energy = 0.0;
        double weighted = 0.0;
        for (size_t start = static_cast<size_t>(samples.size() * from); start + window <= end; start += window)
        {
            double e = 0.0;
            int crossings = 0;
            for (size_t i = start; i < start + window; ++i)
            {
                e += static_cast<double>(samples[i]) * samples[i];
                crossings += i > start && (samples[i - 1] < 0.0f) != (samples[i] < 0.0f);
            }
            energy += e;
            weighted += e * crossings * 100.0 / 2.0;
        }
        return energy > 0.0 ? weighted / energy : 0.0;
    }
    // The loudest sample among the first or last milliseconds.
    double EdgePeak(double ms, bool atEnd) const
    {
        const size_t n = std::min(samples.size(), static_cast<size_t>(rate * ms / 1000.0));
        const auto from = atEnd ? samples.end() - static_cast<long>(n) : samples.begin();
        double peak = 0.0;
        for (auto it = from; it != from + static_cast<long>(n); ++it)
            peak = std::max(peak, static_cast<double>(std::fabs(*it)));
        return peak;
    }
};

Decoded DecodeResource(const QString& path)
{
    Decoded result;
    QFile file(":/" + path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    MemoryFile source{file.readAll()};
    const ov_callbacks callbacks{&MemoryFile::Read, &MemoryFile::Seek, nullptr, &MemoryFile::Tell};
    OggVorbis_File vf;
    if (ov_open_callbacks(&source, &vf, nullptr, 0, callbacks) != 0)
        return result;
    const vorbis_info* info = ov_info(&vf, -1);
    result.channels = info->channels;
    result.rate = info->rate;
    int section = 0;
    float** pcm = nullptr;
    long got = 0;
    while ((got = ov_read_float(&vf, &pcm, 4096, &section)) > 0)
        result.samples.insert(result.samples.end(), pcm[0], pcm[0] + got);
    result.ok = got == 0 && !result.samples.empty();
    ov_clear(&vf);
    return result;
}

// Effects in id order, each decoded the first time it is asked for.
const Decoded& Effect(int id)
{
    static std::map<int, Decoded> decoded;
    const auto found = decoded.find(id);
    if (found != decoded.end())
        return found->second;
    const QStringList files = ReadList();
    return decoded[id] = id < files.size() ? DecodeResource(files[id]) : Decoded();
}

double Decibels(double ratio)
{
    return 20.0 * std::log10(ratio);
}
} // namespace

TEST(SoundEffectList, NamesEveryEffectInIdOrder)
{
    const QStringList files = ReadList();
    ASSERT_EQ(files.size(), 89);
    for (int id = 0; id < files.size(); ++id)
        EXPECT_EQ(files[id], "res/wave/SFX/" + kNames[id] + ".ogg") << "effect " << id;
}

// Levelled by how loud they are heard, a click needs a higher peak than a rumble; none may clip.
TEST(SoundEffectLevels, NoPeakReachesFullScale)
{
    ASSERT_EQ(ReadList().size(), 89);
    for (int id = 0; id < 89; ++id)
        EXPECT_LT(Effect(id).Peak(), 0.98) << kNames[id].toStdString();
}

TEST(SoundEffectLevels, TheLoudestMomentOfEveryEffectIsHeardAtOneLoudness)
{
    ASSERT_EQ(ReadList().size(), 89);
    for (int id = 0; id < 89; ++id)
    {
        const Decoded& effect = Effect(id);
        ASSERT_TRUE(effect.ok) << kNames[id].toStdString();
        const auto below = kBelowTheRest.find(id);
        const double target = kMomentLufs - (below == kBelowTheRest.end() ? 0.0 : below->second);
        const double moment = LoudestMoment(effect.samples.data(), effect.samples.size(), static_cast<int>(effect.rate));
        EXPECT_NEAR(moment, target, 3.0) << kNames[id].toStdString() << " (" << id << ")";
    }
}

class SoundEffectFile : public testing::TestWithParam<int>
{
protected:
    const Decoded& Effect() const { return ::Effect(GetParam()); }
    bool Loops() const { return std::count(std::begin(kLoopingIds), std::end(kLoopingIds), GetParam()) > 0; }
};

TEST_P(SoundEffectFile, DecodesFromTheResourceTree)
{
    ASSERT_TRUE(QFile::exists(":/res/wave/SFX/" + kNames[GetParam()] + ".ogg"));
    const Decoded& effect = Effect();
    ASSERT_TRUE(effect.ok);
    EXPECT_EQ(effect.channels, 1);
    EXPECT_EQ(effect.rate, 44100);
}

TEST_P(SoundEffectFile, IsHeardAndShort)
{
    const Decoded& effect = Effect();
    EXPECT_GT(Decibels(effect.Peak()), -12.0);
    EXPECT_GT(effect.Seconds(), 0.05);
    EXPECT_LT(effect.Seconds(), 4.0);
}

// A one-shot effect that starts or stops at full swing clicks; a loop that does so clicks at
// every turn, so a loop's end must instead lie close to its start.
TEST_P(SoundEffectFile, StartsAndEndsWithoutAClick)
{
    const Decoded& effect = Effect();
    ASSERT_FALSE(effect.samples.empty());
    if (Loops())
    {
        EXPECT_LT(std::fabs(effect.samples.back() - effect.samples.front()), 0.1);
        return;
    }
    EXPECT_LT(effect.EdgePeak(0.1, false), 0.05);
    EXPECT_LT(effect.EdgePeak(0.1, true), 0.05);
    // Even a faint first or last sample ticks when the channel starts or stops it.
    EXPECT_LT(std::fabs(effect.samples.front()), 1e-3);
    EXPECT_LT(std::fabs(effect.samples.back()), 1e-3);
}

enum class Contour { Rises, Falls, StaysLow };

struct Expectation
{
    int id;
    Contour contour;
};

// Effects whose use says which way they go: a jump, an opening mouth, coming out of a tree and
// a gain rise; a closing mouth, going into a tree, a death and a loss fall; landings thud.
class SoundEffectContour : public testing::TestWithParam<Expectation>
{
};

TEST_P(SoundEffectContour, FollowsWhatTheEffectIsPlayedFor)
{
    const Decoded& effect = Effect(GetParam().id);
    ASSERT_TRUE(effect.ok);
    const double start = effect.Height(0.0, 1.0 / 3.0);
    const double end = effect.Height(2.0 / 3.0, 1.0);
    switch (GetParam().contour)
    {
    case Contour::Rises:
        EXPECT_GT(end, start * 1.25) << "from " << start << " Hz to " << end << " Hz";
        break;
    case Contour::Falls:
        EXPECT_LT(end * 1.25, start) << "from " << start << " Hz to " << end << " Hz";
        break;
    case Contour::StaysLow:
        EXPECT_LT(effect.Height(0.0, 1.0), 400.0);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ByUse, SoundEffectContour,
    testing::Values(Expectation{0, Contour::Rises}, Expectation{20, Contour::Rises}, Expectation{38, Contour::Rises},
                    Expectation{42, Contour::Rises}, Expectation{46, Contour::Rises}, Expectation{47, Contour::Rises},
                    Expectation{48, Contour::Rises}, Expectation{52, Contour::Rises}, Expectation{58, Contour::Rises},
                    Expectation{65, Contour::Rises}, Expectation{68, Contour::Rises}, Expectation{21, Contour::Falls},
                    Expectation{23, Contour::Falls}, Expectation{37, Contour::Falls}, Expectation{40, Contour::Falls},
                    Expectation{41, Contour::Falls}, Expectation{49, Contour::Falls}, Expectation{50, Contour::Falls},
                    Expectation{51, Contour::Falls}, Expectation{53, Contour::Falls}, Expectation{57, Contour::Falls},
                    Expectation{66, Contour::Falls}, Expectation{1, Contour::StaysLow},
                    Expectation{28, Contour::StaysLow}, Expectation{30, Contour::StaysLow}),
    [](const testing::TestParamInfo<Expectation>& info) { return kNames[info.param.id].toStdString(); });

INSTANTIATE_TEST_SUITE_P(EveryId, SoundEffectFile, testing::Range(0, 89),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Id" + std::to_string(info.param) + "_" + kNames[info.param].toStdString();
                         });

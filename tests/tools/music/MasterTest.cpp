// The last steps before a track is written: the master's colour takes away any offset, lifts
// the presence band and widens the sides and still lets a loop join, a loop closed on itself
// joins as smoothly as the music runs, a piece played once is trimmed after its echoes and
// fades, and levelling reaches the loudness without letting a peak reach full scale.
#include "tools/music/Master.h"
#include "tools/synth/Loudness.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;

// A decaying 220 Hz tone struck every half second for two seconds, ringing past the end.
Stereo Struck(double ring)
{
    Stereo s(2.0 + ring);
    for (double at = 0.0; at < 2.0; at += 0.5)
        for (std::size_t i = 0; i < static_cast<std::size_t>(ring * Sound::kRate); ++i)
        {
            const double t = static_cast<double>(i) / Sound::kRate;
            const std::size_t n = static_cast<std::size_t>(at * Sound::kRate) + i;
            const float v = static_cast<float>(std::sin(2.0 * kPi * 220.0 * t) * std::exp(-t * 3.0) * std::min(1.0, t * 200.0));
            s.left[n] += v;
            s.right[n] += v * 0.5f;
        }
    return s;
}

double LargestStep(const Sound& s)
{
    double step = 0.0;
    for (std::size_t i = 1; i < s.Size(); ++i)
        step = std::max(step, static_cast<double>(std::fabs(s[i] - s[i - 1])));
    return step;
}

double Rms(const Sound& s)
{
    double sum = 0.0;
    for (float v : s.Samples())
        sum += static_cast<double>(v) * v;
    return std::sqrt(sum / static_cast<double>(s.Size()));
}

// How loud a steady tone of hz comes out of the master's colour, for a tone of 1 in.
double PolishedGain(double hz)
{
    Stereo s(1.0);
    for (std::size_t i = 0; i < s.left.Size(); ++i)
        s.left[i] = s.right[i] = static_cast<float>(std::sin(2.0 * kPi * hz * static_cast<double>(i) / Sound::kRate));
    Master::Polish(s);
    return Rms(s.left) / std::sqrt(0.5);
}

double Lufs(const Stereo& s)
{
    return IntegratedLoudness({s.left.Samples().data(), s.right.Samples().data()}, s.left.Size(), Sound::kRate);
}
} // namespace

TEST(Master, PolishingTakesAwayTheOffsetLiftsThePresenceWidensAndStillLetsALoopJoin)
{
    // A lopsided left: each strike carries an offset that dies away with it.
    Stereo played = Struck(1.5);
    for (std::size_t i = 0; i < played.left.Size(); ++i)
        played.left[i] += 0.5f * std::fabs(played.left[i]);
    const Stereo before = played;
    Master::Polish(played);

    const auto mean = [](const Sound& s) {
        double sum = 0.0;
        for (float v : s.Samples())
            sum += v;
        return sum / static_cast<double>(s.Size());
    };
    EXPECT_LT(std::fabs(mean(played.left)), 0.01 * mean(before.left)) << "the offset stays";

    EXPECT_GT(PolishedGain(3500.0), 1.8 * PolishedGain(400.0)) << "no presence";
    EXPECT_LT(PolishedGain(15.0), 0.1) << "rumble below the lowest note stays";

    // Struck sounds louder on the left: polished, the sides differ more against what they share.
    const auto width = [](const Stereo& s) {
        Sound side = s.left, middle = s.left;
        side.Add(s.right, 0.0, -1.0);
        middle.Add(s.right);
        return Rms(side) / Rms(middle);
    };
    Stereo wide = Struck(1.5);
    Master::Polish(wide);
    EXPECT_GT(width(wide), 1.5 * width(Struck(1.5))) << "no wider";

    const Stereo loop = Master::FoldLoop(played, 2.0);
    EXPECT_LT(std::fabs(loop.left[loop.left.Size() - 1] - loop.left[0]), LargestStep(loop.left));
}

TEST(Master, AFoldedLoopCarriesItsTailIntoItsStart)
{
    const Stereo played = Struck(1.5);
    const Stereo loop = Master::FoldLoop(played, 2.0);
    ASSERT_EQ(loop.left.Size(), static_cast<std::size_t>(2 * Sound::kRate));
    // The last strike still rings at the end; its continuation lies over the start.
    const std::size_t at = 1000;
    EXPECT_FLOAT_EQ(loop.left[at], played.left[at] + played.left[2 * Sound::kRate + at]);
    EXPECT_LT(std::fabs(loop.left[loop.left.Size() - 1] - loop.left[0]), LargestStep(loop.left));
    EXPECT_LT(std::fabs(loop.right[loop.right.Size() - 1] - loop.right[0]), LargestStep(loop.right));
}

TEST(Master, ABlendedLoopRunsOnFromItsEndIntoItsStart)
{
    Stereo noise(3.0);
    for (std::size_t i = 0; i < noise.left.Size(); ++i)
        noise.left[i] = noise.right[i] = static_cast<float>(std::sin(i * 0.05) * 0.5);
    const Stereo loop = Master::BlendLoop(noise, 2.0, 1.0);
    ASSERT_EQ(loop.left.Size(), static_cast<std::size_t>(2 * Sound::kRate));
    EXPECT_NEAR(loop.left[0], noise.left[2 * Sound::kRate], 1e-3);
    EXPECT_LT(std::fabs(loop.left[loop.left.Size() - 1] - loop.left[0]), 0.05);
}

TEST(Master, APiecePlayedOnceEndsAfterItsEchoesAndFades)
{
    Stereo played = Struck(1.0);
    played.Resize(played.Size() + 3 * Sound::kRate);
    const Stereo piece = Master::RingOut(played);
    EXPECT_LT(piece.left.Seconds(), played.left.Seconds() - 2.0);
    EXPECT_GT(piece.left.Seconds(), 2.5);
    EXPECT_EQ(piece.left[piece.left.Size() - 1], 0.0f);
}

TEST(Master, LevellingReachesTheLoudnessAndKeepsPeaksBelowFullScale)
{
    for (double target : {Master::kMusicLufs, Master::kBedLufs, -8.0})
    {
        SCOPED_TRACE(target);
        Stereo s = Struck(1.5);
        Master::Level(s, target);
        EXPECT_NEAR(Lufs(s), target, target > -10.0 ? 1.0 : 0.2);
        EXPECT_LT(s.left.Peak(), 0.86);
    }
}

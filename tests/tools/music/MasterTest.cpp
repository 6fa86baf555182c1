// The last steps before a track is written: a loop closed on itself joins as smoothly as the
// music runs, a piece played once is trimmed after its echoes and fades, and levelling reaches
// the loudness without letting a peak reach full scale.
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

double Lufs(const Stereo& s)
{
    return IntegratedLoudness({s.left.Samples().data(), s.right.Samples().data()}, s.left.Size(), Sound::kRate);
}
} // namespace

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
    const Stereo loop = Master::BlendLoop(noise, 2.0);
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

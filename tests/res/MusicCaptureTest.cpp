// The music as a player hears it: the title loop played the way the title screen plays it, and
// the first area's sound player by day and then crossing into the night, captured from the sound
// layer's output through OpenAL Soft's wave back end. Each capture is kept under
// test-captures/ in the build folder to be looked at and listened to.
#include "audio/AreaSoundPlayer.h"
#include "audio/AudioSystem.h"
#include "audio/Sound.h"
#include "platform/sound/DecodedSound.h"
#include "tests/res/AreaAudio.h"
#include "tests/support/WaveCapture.h"
#include "tools/synth/Loudness.h"
#include "tools/synth/Sound.h"

#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
constexpr unsigned kTickMs = 20;

// What was heard, from the moment the device began to sound (it plays silence while it starts).
struct Capture
{
    Sound left;
    Sound right;

    double Seconds() const { return left.Seconds(); }
    double Lufs(double from, double to) const
    {
        const std::size_t a = static_cast<std::size_t>(from * Sound::kRate);
        const std::size_t b = std::min(left.Size(), static_cast<std::size_t>(to * Sound::kRate));
        return IntegratedLoudness({left.Samples().data() + a, right.Samples().data() + a}, b - a, Sound::kRate);
    }
    double Peak() const { return std::max(left.Peak(), right.Peak()); }
    // The share of the energy between from and to seconds that lies in a band around hz.
    double BandShare(double hz, double from, double to) const
    {
        const std::size_t a = static_cast<std::size_t>(from * Sound::kRate);
        const std::size_t b = std::min(left.Size(), static_cast<std::size_t>(to * Sound::kRate));
        Sound whole(static_cast<double>(b - a) / Sound::kRate);
        for (std::size_t i = 0; i < whole.Size(); ++i)
            whole[i] = left[a + i] + right[a + i];
        Sound band = whole;
        band.BandPass(hz, 2.0).BandPass(hz, 2.0);
        const auto energy = [](const Sound& s) {
            double sum = 0.0;
            for (float v : s.Samples())
                sum += static_cast<double>(v) * v;
            return sum;
        };
        return energy(band) / energy(whole);
    }
};

class MusicCapture : public ::testing::Test
{
protected:
    // OpenAL Soft reads its configuration once per process: every capture goes to one file,
    // which each opening of the device starts anew.
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        capturePath = wavecapture::Configure(*s_dir);
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    void SetUp() override
    {
        ASSERT_FALSE(capturePath.isEmpty());
        ASSERT_TRUE(audio.Init());
    }

    // Closes the sound system, which plays out what it was given, and reads what was heard.
    Capture Close(const QString& name)
    {
        audio.Shutdown();
        const QString kept = QString(MIRROWEN_BINARY_DIR) + "/test-captures/" + name + ".wav";
        QDir().mkpath(QString(MIRROWEN_BINARY_DIR) + "/test-captures");
        QFile::remove(kept);
        QFile::copy(capturePath, kept);
        const std::vector<qint16> samples = wavecapture::ReadWav(capturePath);
        const auto onset = std::find_if(samples.begin(), samples.end(), [](qint16 s) { return std::abs(s) > 3; });
        const std::size_t first = static_cast<std::size_t>(onset - samples.begin()) & ~std::size_t(1);
        const double seconds = static_cast<double>((samples.size() - first) / 2) / Sound::kRate;
        Capture capture{Sound(seconds), Sound(seconds)};
        for (std::size_t i = first; i + 1 < samples.size() && (i - first) / 2 < capture.left.Size(); i += 2)
        {
            capture.left[(i - first) / 2] = samples[i] / 32768.0f;
            capture.right[(i - first) / 2] = samples[i + 1] / 32768.0f;
        }
        return capture;
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline QString capturePath;
    cAudioSystem audio;
};

// The loudness of a resource's first seconds, decoded as the sound layer decodes it.
double FileLufs(const QString& path, double seconds)
{
    QFile file(":/" + path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    cDecodedSound sound;
    EXPECT_EQ(sound.DecodeOggVorbis(bytes.constData(), static_cast<std::size_t>(bytes.size())), FMOD_OK);
    const std::size_t frames = std::min(sound.GetFrames(), static_cast<std::size_t>(seconds * sound.GetRate()));
    std::vector<float> left(frames), right(frames);
    for (std::size_t i = 0; i < frames; ++i)
        left[i] = sound.Sample(i, 0) / 32768.0f, right[i] = sound.Sample(i, 1) / 32768.0f;
    return IntegratedLoudness({left.data(), right.data()}, frames, sound.GetRate());
}
} // namespace

TEST_F(MusicCapture, TheTitleLoopIsHeardAsLoudAsItsFile)
{
    const QString title = "res/wave/Music/MENU_Loop.ogg";
    {
        cSound music;
        ASSERT_TRUE(music.Load(&audio, title, -1, true));
        ASSERT_TRUE(music.Play(1.0f, -1, false));
        for (int tick = 0; tick < 125; ++tick)
        {
            music.UpdateFade(kTickMs);
            audio.Update();
        }
    }
    const Capture heard = Close("title");
    ASSERT_GT(heard.Seconds(), 2.0) << "nothing captured";
    EXPECT_NEAR(heard.Lufs(0.0, heard.Seconds()), FileLufs(title, 2.5), 1.5);
    EXPECT_LT(heard.Peak(), 0.98);
}

// By day the meadow's music with its birds and breeze; after the crossing the crickets of the
// night have taken over the high band.
TEST_F(MusicCapture, TheFirstAreaByDayAndByNight)
{
    const AreaAudio area = ReadAreaAudio(":/res/Areas/FrameSwitch.xml");
    {
        cAreaSoundPlayer player(&audio);
        ASSERT_TRUE(player.LoadAmbience(area.day, area.night));
        ASSERT_TRUE(player.LoadMusic(area.music, area.musicLoops, 0));
        ASSERT_TRUE(player.Start(false, false));
        for (int tick = 0; tick < 110; ++tick)
        {
            if (tick == 50)
                player.CrossFadeToNight(1000);
            player.Update(kTickMs);
            audio.Update();
        }
    }
    const Capture heard = Close("area_day_night");
    ASSERT_GT(heard.Seconds(), 2.1) << "nothing captured";
    // The fade-in is over at 0.5 s; the night starts at 1.0 s and the day has gone by 2.0 s.
    EXPECT_GT(heard.Lufs(0.55, 0.95), -26.0) << "day";
    EXPECT_GT(heard.Lufs(1.75, 2.15), -26.0) << "night";
    EXPECT_LT(heard.Peak(), 0.98);
    const double day = heard.BandShare(4500.0, 0.55, 0.95);
    const double night = heard.BandShare(4500.0, 1.75, 2.15);
    EXPECT_GT(night, 2.0 * day) << "crickets' band: " << day << " of the energy by day, " << night << " by night";
}

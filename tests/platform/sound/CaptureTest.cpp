// Proves the mix reaches the speakers: OpenAL Soft's wave back end writes what it would play
// into a file, which is read after the system has closed. The updates are driven here; only
// closing waits for the device to play out what it was given.
#include "platform/sound/Fmod.h"

#include "tests/support/TestSounds.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kRate = 44100;

// The samples of a 16-bit stereo WAV file, left and right interleaved.
std::vector<qint16> ReadWav(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    in.skipRawData(12);  // "RIFF", size, "WAVE"
    std::vector<qint16> samples;
    while (!in.atEnd()) {
        char id[4];
        quint32 size = 0;
        in.readRawData(id, 4);
        in >> size;
        if (QByteArray(id, 4) == "fmt ") {
            quint16 format = 0, channels = 0, blockAlign = 0, bits = 0;
            quint32 rate = 0, byteRate = 0;
            in >> format >> channels >> rate >> byteRate >> blockAlign >> bits;
            if (channels != 2 || bits != 16 || rate != kRate)
                return {};
            in.skipRawData(static_cast<int>(size) - 16);
        } else if (QByteArray(id, 4) == "data") {
            qint16 sample = 0;
            while (!in.atEnd()) {
                in >> sample;
                samples.push_back(sample);
            }
        } else {
            in.skipRawData(static_cast<int>(size));
        }
    }
    return samples;
}

class CaptureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        capturePath = dir.filePath("capture.wav");
        QFile config(dir.filePath("alsoft.conf"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("[general]\ndrivers = wave\nfrequency = 44100\nchannels = stereo\nsample-type = int16\n"
                     "output-limiter = false\ndither = false\n[wave]\nfile = " + capturePath.toUtf8() + "\n");
        config.close();
        unsetenv("MIRROWEN_SILENT_AUDIO");
        unsetenv("ALSOFT_DRIVERS");
        setenv("ALSOFT_CONF", config.fileName().toUtf8().constData(), 1);
    }

    QTemporaryDir dir;
    QString capturePath;
};

FMOD_CHANNEL* Play(FMOD_SYSTEM* system, FMOD_SOUND* sound, float volume, bool muted)
{
    FMOD_CHANNEL* channel = nullptr;
    EXPECT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, true, &channel), FMOD_OK);
    FMOD_Channel_SetLoopCount(channel, 0);
    FMOD_Channel_SetVolume(channel, volume);
    FMOD_Channel_SetMute(channel, muted);
    FMOD_Channel_SetPaused(channel, false);
    return channel;
}

TEST_F(CaptureTest, EffectIsHeardAtItsVolumeAndAMutedOneAddsNothing)
{
    FMOD_SYSTEM* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    ASSERT_EQ(FMOD_System_Init(system, 64, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    const QByteArray bytes = testsounds::EncodeTone(300, 0.8f);
    FMOD_CREATESOUNDEXINFO info{};
    info.cbsize = sizeof info;
    info.length = static_cast<unsigned int>(bytes.size());
    FMOD_SOUND* effect = nullptr;
    ASSERT_EQ(FMOD_System_CreateSound(system, bytes.constData(), FMOD_OPENMEMORY | FMOD_SOFTWARE | FMOD_2D | FMOD_LOOP_NORMAL,
                                      &info, &effect), FMOD_OK);

    // Were the muted play heard, the mix would peak at 0.4 + 0.8.
    Play(system, effect, 0.5f, false);
    Play(system, effect, 1.0f, true);
    for (int tick = 0; tick < 25; ++tick)
        ASSERT_EQ(FMOD_System_Update(system), FMOD_OK);
    ASSERT_EQ(FMOD_System_Release(system), FMOD_OK);

    const std::vector<qint16> samples = ReadWav(capturePath);
    ASSERT_GT(samples.size(), std::size_t(2 * kRate * 3 / 10)) << "nothing captured in " << capturePath.toStdString();
    for (int side = 0; side < 2; ++side) {
        int peak = 0;
        std::size_t first = samples.size(), last = 0;
        for (std::size_t i = side; i < samples.size(); i += 2) {
            const int magnitude = std::abs(static_cast<int>(samples[i]));
            peak = std::max(peak, magnitude);
            if (magnitude > 0.2 * 32768) {
                first = std::min(first, i / 2);
                last = i / 2;
            }
        }
        EXPECT_NEAR(peak / 32768.0, 0.4, 0.03) << "side " << side;
        ASSERT_LT(first, last);
        EXPECT_NEAR(static_cast<double>(last - first) / kRate, 0.3, 0.01) << "side " << side;
    }
}

} // namespace

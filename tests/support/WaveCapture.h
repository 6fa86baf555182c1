#pragma once
// Hears what the sound layer would play: OpenAL Soft's wave back end writes the mix into a file,
// which is read after the sound system has closed (closing waits for the device to play out
// what it was given, at most a few seconds).
#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <vector>

namespace wavecapture {

constexpr int kRate = 44100;

/// Points OpenAL Soft at the wave back end writing 16-bit stereo at 44.1 kHz into a file of the
/// folder, and lets the sound layer open a device even where the tests run silent.
inline QString Configure(const QTemporaryDir& dir)
{
    const QString capture = dir.filePath("capture.wav");
    QFile config(dir.filePath("alsoft.conf"));
    if (!config.open(QIODevice::WriteOnly))
        return QString();
    config.write("[general]\ndrivers = wave\nfrequency = 44100\nchannels = stereo\nsample-type = int16\n"
                 "output-limiter = false\ndither = false\n[wave]\nfile = " + capture.toUtf8() + "\n");
    config.close();
    unsetenv("MIRROWEN_SILENT_AUDIO");
    unsetenv("ALSOFT_DRIVERS");
    setenv("ALSOFT_CONF", config.fileName().toUtf8().constData(), 1);
    return capture;
}

/// The samples of a 16-bit stereo WAV file at 44.1 kHz, left and right interleaved; empty for
/// any other file.
inline std::vector<qint16> ReadWav(const QString& path)
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

} // namespace wavecapture

#pragma once
#include "platform/sound/Fmod.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct OggVorbis_File;

/// One sound decoded whole into 16-bit samples, one or two channels interleaved.
class cDecodedSound
{
public:
    /// Sample rates the decoder takes, in frames per second: what sound files are made at.
    static constexpr long kMinRate = 1000;
    static constexpr long kMaxRate = 384000;
    /// The longest sound it takes, in samples of all channels: over twelve minutes of stereo at
    /// 44.1 kHz, 128 MB.
    static constexpr std::size_t kMaxSamples = std::size_t(1) << 26;

    /// Decodes an Ogg Vorbis file held in memory; the bytes are not kept. FMOD_ERR_FORMAT, leaving
    /// no sound, when they are not Ogg Vorbis, have more than two channels, a rate outside kMinRate
    /// to kMaxRate, links of another format than the first, or more samples
    /// than kMaxSamples (also when the file merely claims them).
    FMOD_RESULT DecodeOggVorbis(const char* data, std::size_t byteCount);

    int GetChannels() const { return m_channels; }
    /// Sample frames per second.
    int GetRate() const { return m_rate; }
    /// Length in sample frames.
    std::size_t GetFrames() const { return m_channels ? m_samples.size() / m_channels : 0; }
    /// Sample of one channel (0 or 1; a mono sound answers both) at a frame, full scale ±32768.
    std::int16_t Sample(std::size_t frame, int channel) const
    {
        return m_samples[frame * m_channels + (channel < m_channels ? channel : 0)];
    }

    /// Made with FMOD_LOOP_NORMAL: channels repeat it until told otherwise.
    bool IsLoopable() const { return m_loopable; }
    void SetLoopable(bool loopable) { m_loopable = loopable; }

private:
    FMOD_RESULT Decode(OggVorbis_File& vorbis);

    std::vector<std::int16_t> m_samples;
    int m_channels = 0;
    int m_rate = 0;
    bool m_loopable = false;
};

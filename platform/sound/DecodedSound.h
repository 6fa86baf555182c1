#pragma once
#include "platform/sound/Fmod.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/// One sound decoded whole into 16-bit samples, one or two channels interleaved.
class cDecodedSound
{
public:
    /// Decodes an Ogg Vorbis file held in memory; the bytes are not kept.
    /// FMOD_ERR_FORMAT when they are not Ogg Vorbis or have more than two channels.
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
    std::vector<std::int16_t> m_samples;
    int m_channels = 0;
    int m_rate = 0;
    bool m_loopable = false;
};

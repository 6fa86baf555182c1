#pragma once
#include "platform/sound/Fmod.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class cVorbisMemoryFile;

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
    /// The shortest stretch, in frames, that a thread decodes apart: each stretch begins with a
    /// seek, which shorter ones would not pay for.
    static constexpr std::size_t kMinFramesPerStretch = std::size_t(1) << 16;
    /// Stretches per thread: short enough that threads which finish early take over the rest.
    static constexpr std::size_t kStretchesPerThread = 4;

    /// Threads a decode uses unless told: one per processor this process may run on.
    static unsigned DefaultThreads();
    /// How many decoded sounds the process holds, in every system: what sound takes of its memory.
    static int CountHeld();

    /// Decodes an Ogg Vorbis file held in memory; the bytes are not kept. FMOD_ERR_FORMAT, leaving
    /// no sound, when they are not Ogg Vorbis, have more than two channels, a rate outside kMinRate
    /// to kMaxRate, links of another format than the first, or more samples
    /// than kMaxSamples (also when the file merely claims them). The call returns with the whole
    /// sound decoded, from the first sample of its first link. A sound long enough for two
    /// stretches of minFramesPerStretch frames is decoded in stretches on up to `threads` threads
    /// at once where its pages prove that a reader seeking into it meets what one pass meets; the
    /// answer is always the one a single pass gives: the same samples, or the same error.
    FMOD_RESULT DecodeOggVorbis(const char* data, std::size_t byteCount, unsigned threads = DefaultThreads(),
                                std::size_t minFramesPerStretch = kMinFramesPerStretch);

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

    /// How many stretches the last decode took, side by side: 1 when it decoded in one pass.
    std::size_t GetStretches() const { return m_stretches; }

    /// Made with FMOD_LOOP_NORMAL: channels repeat it until told otherwise.
    bool IsLoopable() const { return m_loopable; }
    void SetLoopable(bool loopable) { m_loopable = loopable; }

private:
    struct sFormat
    {
        int channels;
        long rate;
    };
    FMOD_RESULT Decode(const char* data, std::size_t byteCount, unsigned threads, std::size_t minFramesPerStretch);
    FMOD_RESULT DecodeInOne(cVorbisMemoryFile& file, sFormat format);
    bool DecodeInStretches(cVorbisMemoryFile& file, const char* data, std::size_t byteCount, sFormat format,
                           unsigned threads, std::size_t minFramesPerStretch);

    /// Counts the sounds that hold it, copies and moves included.
    struct sHeld
    {
        static std::atomic<int> count;
        sHeld() { ++count; }
        sHeld(const sHeld&) { ++count; }
        sHeld& operator=(const sHeld&) = default;
        ~sHeld() { --count; }
    };

    std::vector<std::int16_t> m_samples;
    int m_channels = 0;
    int m_rate = 0;
    std::size_t m_stretches = 1;
    bool m_loopable = false;
    sHeld m_held;
};

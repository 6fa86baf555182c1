#pragma once
#include "platform/sound/SoundOutput.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cstdint>
#include <deque>
#include <vector>

/// The mixer's way out: one OpenAL Soft streaming source fed with 16-bit stereo blocks.
class cOpenALOutput : public cSoundOutput
{
public:
    cOpenALOutput() = default;
    cOpenALOutput(const cOpenALOutput&) = delete;
    cOpenALOutput& operator=(const cOpenALOutput&) = delete;
    ~cOpenALOutput() override { Close(); }

    /// Opens the default device at the given rate (frames per second). False, with nothing left
    /// open, when no device opens or the only one is OpenAL Soft's "No Output".
    bool Open(int rate);
    /// Lets the device play what it was given (a fraction of a second at most), unless it is
    /// lost, then closes it.
    void Close();

    /// The device's update: OpenAL Soft mixes that many frames at a time.
    int BurstFrames() override;
    /// Within a block of what is queued: the block being played counts whole.
    int QueuedFrames() override;
    /// Restarts the device if it ran dry.
    void Queue(const std::int16_t* frames, int frameCount) override;
    /// The device's connected state, where OpenAL Soft tells it, and no queueing failed.
    bool IsConnected() override;

private:
    void ReclaimPlayed();
    void Drain();

    ALCdevice* m_device = nullptr;
    ALCcontext* m_context = nullptr;
    ALuint m_source = 0;
    int m_rate = 0;
    bool m_failed = false;
    bool m_tellsDisconnect = false;
    std::vector<ALuint> m_spareBuffers;
    std::deque<ALuint> m_queuedBuffers;
    std::deque<int> m_queuedFrames;
};

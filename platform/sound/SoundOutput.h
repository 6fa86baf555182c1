#pragma once
#include <cstdint>

/// Where the mix goes: something that plays 16-bit stereo frames at the mix's rate, in the order
/// they are queued, as time passes.
class cSoundOutput
{
public:
    virtual ~cSoundOutput() = default;

    /// Frames the output takes from its queue at once, ahead of playing them; the queue must
    /// hold more than this or it runs dry.
    virtual int BurstFrames() { return 0; }
    /// Frames queued and not yet played.
    virtual int QueuedFrames() = 0;
    /// Appends frameCount frames (2 × frameCount samples, left first) to what is played.
    virtual void Queue(const std::int16_t* frames, int frameCount) = 0;
    /// False once the device is gone (unplugged, or failing to write): nothing queued is played
    /// any more, and the output never plays again.
    virtual bool IsConnected() { return true; }
};

#pragma once

/// How far the mix runs ahead of what is heard, in frames. Short while the output is fed in
/// time, so an effect sounds soon after the game starts it; when the output runs dry (a busy
/// machine kept the feeding late) it doubles, and after a quiet while it comes back down a step
/// at a time.
class cQueueTarget
{
public:
    /// Starts at shortest; grows no further than longest; after quietFrames mixed without the
    /// output running dry, shrinks by stepFrames.
    cQueueTarget(int shortest, int longest, int quietFrames, int stepFrames);

    int Frames() const { return m_frames; }
    /// Notes what the output held before mixedFrames more frames were mixed for it. An output
    /// that held nothing after it had been fed ran dry.
    void Observe(int queuedFrames, int mixedFrames);

private:
    int m_shortest;
    int m_longest;
    int m_quietFrames;
    int m_stepFrames;
    int m_frames;
    int m_quietSoFar = 0;
    bool m_fed = false;
};

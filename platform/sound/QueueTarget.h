#pragma once

/// How far the mix runs ahead of what is heard, in frames. Short while the output is fed in
/// time, so an effect sounds soon after the game starts it; when the output runs dry (a busy
/// machine kept the feeding late) it grows, and after a quiet while it comes back down a step at
/// a time.
class cQueueTarget
{
public:
    /// Starts at shortest; grows by growFrames each time the output runs dry, no further than
    /// longest; after quietFrames mixed without that, shrinks by shrinkFrames.
    cQueueTarget(int shortest, int longest, int growFrames, int quietFrames, int shrinkFrames);

    int Frames() const { return m_frames; }
    /// Notes what the output held before mixedFrames more frames were mixed for it. An output
    /// that held nothing after it had been fed ran dry.
    void Observe(int queuedFrames, int mixedFrames);

private:
    int m_shortest;
    int m_longest;
    int m_growFrames;
    int m_quietFrames;
    int m_shrinkFrames;
    int m_frames;
    int m_quietSoFar = 0;
    bool m_fed = false;
};

#pragma once

/// When a standing character shows one of its idle animations: a countdown in milliseconds that
/// runs while no idle animation plays. Waits are drawn with the runtime's rand().
class cIdleTimer
{
public:
    /// The wait of a character just placed in an area.
    static constexpr int kFirstWaitMs = 6000;

    /// Waiting kFirstWaitMs, no idle playing.
    cIdleTimer() = default;

    /// Waits kFirstWaitMs again.
    void Reset() { Wait(kFirstWaitMs); }
    /// Waits 5 to 8 s: the character has just come to a stand.
    void WaitAfterStanding();
    /// Waits 10 to 13 s: an idle animation has just played.
    void WaitAfterIdle();
    /// An idle animation started; the countdown rests until the next wait.
    void SetPlaying() { playing = true; }
    bool IsPlaying() const { return playing; }

    /// Counts dtMs down unless an idle plays. True when an idle may start: the time is up (below
    /// 1 ms) and nobody stands on the character; while somebody does, the time stays up and the
    /// answer comes on the tick the character is free.
    bool Expire(int dtMs, bool carried);
    int GetTimeLeft() const { return timeLeft; }

    /// An idle animation picked at random: 0, 1 or 2 with chances 33, 33 and 34 in 100.
    static int PickIdle();

private:
    void Wait(int ms);

    int timeLeft = kFirstWaitMs;
    bool playing = false;
};

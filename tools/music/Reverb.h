#pragma once

#include "tools/music/Stereo.h"

/// A room for the music to sound in: parallel damped combs feeding allpass diffusers for each
/// side, the right side's delays a little longer so the room is heard wide. Linear and
/// unchanging over time, so a loop's tail can be folded onto its start afterwards.
class Reverb
{
public:
    /// size 0..1 sets how long the room rings, damping 0..1 how soon its highs die.
    Reverb(double size, double damping);
    /// The room's answer to a mono send, as long as the send plus the time the room rings.
    Stereo Process(const Sound& send) const;
    /// Seconds until the room's answer has died away to inaudible.
    double Tail() const;

private:
    double m_feedback;
    double m_damping;
};

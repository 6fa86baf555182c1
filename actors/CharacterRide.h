#pragma once

#include <vector>

class cPlayerChar;

/// Which character a character stands on, and which stand on it. Characters slide on each other
/// without friction, so a character standing on a walking one would be left behind at once; a
/// rider that stands or lands takes its carrier's sideways speed instead, whichever of the two
/// the area updates first.
///
/// Each character has one; links are made and undone by the contacts between their bodies,
/// counted per contact point, and undone on both sides when either character goes.
class cCharacterRide
{
public:
    explicit cCharacterRide(cPlayerChar& owner) : owner(owner) {}
    ~cCharacterRide();
    cCharacterRide(const cCharacterRide&) = delete;
    cCharacterRide& operator=(const cCharacterRide&) = delete;

    /// The owner stands on lower at one more contact point (leaving any other carrier).
    void StandOn(cPlayerChar& lower);
    /// At one point less; at none the owner no longer rides lower.
    void StepOff(const cPlayerChar& lower);
    /// The owner rides nobody.
    void Leave();

    /// The owner stands or lands on a carrier.
    bool IsRiding() const;
    /// The carrier's sideways speed in world units/s; 0 without carrier.
    float GetCarrierSpeed() const;
    /// Every rider that stands or lands takes the owner's sideways speed, and so do theirs.
    void CarryRiders() const;

    cPlayerChar* GetCarrier() const { return carrier; }

private:
    /// Riders take vx, and their riders on, for at most levels levels.
    void CarryRiders(float vx, int levels) const;

    cPlayerChar& owner;
    cPlayerChar* carrier = nullptr;
    int points = 0;
    std::vector<cPlayerChar*> riders;
};

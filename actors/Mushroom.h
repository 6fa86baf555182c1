#pragma once

#include "actors/BasicPlant.h"

#include <memory>

class cSound;

/// A spore mushroom of the Vadi do Davovodaz: at night, while its spore gate is open, it ejects
/// spores for 6 to 11 s at random intervals with a looping sound that fades in and out. Its
/// `Update` reports the start and the end of the spores; the area then draws the fliers to it and
/// keeps every other mushroom's gate shut, so that one mushroom spores at a time.
///
/// Its file holds the plant animations 0 to 9 and 10 eject, 11 the spore loop, 12 vanish.
class cMushroom : public BasicPlant
{
public:
    enum eState
    {
        STATE_EJECTING = 4,
        STATE_SPORING = 5,
        STATE_VANISHING = 6,
    };
    enum eAnim { ANIM_EJECT = 10, ANIM_SPORES = 11, ANIM_VANISH = 12 };
    /// What `Update` reports besides 1.
    enum eResult { RESULT_SPORES_START = 2, RESULT_SPORES_SPENT = 3 };

    /// A plant without a rustle, its spore gate shut, the first spores 2 to 7 s after it opens.
    cMushroom(const QString& file, physics::World* world, int x, int y);
    ~cMushroom() override;

    /// The plant's update and the spore sound's (muted with the sound effects), then the spore
    /// cycle: 2 when the eject animation has finished (the spores fly), 3 when the vanish
    /// animation has (they are spent), else 1. The cycle stands still by day and while touched;
    /// a shut gate keeps new spores from starting, while spores already flying run their course.
    int Update(int dtMs) override;
    /// A touch only counts, and sways the mushroom, while it is not sporing.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    void OnContactRemove(cPhysicsBody* other) override;
    /// Night opens the gate; day ends running spores.
    void SwitchToLoF() override;
    void SwitchToDay() override;

    void SetSporeGate() { sporeGate = true; }
    void ClearSporeGate() { sporeGate = false; }
    /// Mutes or unmutes the spore sound until the next `Update`, which makes it follow the sound
    /// effects' mute again.
    void UpdateSoundMute(bool muted);

    bool HasSporeGate() const { return sporeGate; }
    int GetSporeTimeLeft() const { return sporeTimeLeft; }
    const cSound* GetSporeSound() const { return sporeSound.get(); }

private:
    bool IsSporing() const { return state >= STATE_EJECTING; }
    static bool EffectsMuted();
    void StartSpores(int durationMs);
    void StopSpores();

    int sporeTimeLeft = 0;
    int sporeTimer = 0;
    int nextSpores;
    bool sporeGate = false;
    std::unique_ptr<cSound> sporeSound;
};

#pragma once

#include "actors/BasicPlant.h"

/// A mushroom that glows in the Vadi do Davovodaz. Touched there it folds away into the ground,
/// stays hidden for its hide time and unfolds again; by day it is an ordinary plant that ignores
/// touches. Daybreak brings a hidden one straight back.
///
/// Its file holds the plant animations 0 to 9 and 10 retreat, 11 hidden (looping), 12 reappear;
/// the file's type 1 picks the large mushroom's sounds, any other the small one's.
class cGlowMushroom : public BasicPlant
{
public:
    enum eState
    {
        STATE_RETREATING = 4,
        STATE_HIDDEN = 5,
        STATE_REAPPEARING = 6,
    };
    enum eAnim { ANIM_RETREAT = 10, ANIM_HIDDEN = 11, ANIM_REAPPEAR = 12 };

    /// hideTimeMs: how long it stays in the ground.
    cGlowMushroom(const QString& file, physics::World* world, int x, int y, int hideTimeMs);

    /// The plant's update, then the retreat, the hiding (which ends once longer than the hide
    /// time, with the unfolding sound) and the reappearance. Returns 1.
    int Update(int dtMs) override;
    /// At night, unless hidden or reappearing, it folds away (again, when already folding), with
    /// the fold sound at every touch. No counting.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// A folding or hidden mushroom comes back at once; any other stands by day.
    void SwitchToDay() override;

private:
    /// The large mushroom's sound for type 1, the small one's otherwise.
    int Effect(int large, int small) const;

    int hiddenTimer = 0;
    int hideTime;
};

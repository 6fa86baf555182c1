#pragma once

#include "actors/InfoTriggerBox.h"

class cEmitterBox;

/// An info box that explains an emitter box of its area: it switches itself off, closing its
/// bubble, once that emitter has fired.
class cInfoTriggerHeartBox : public cInfoTriggerBox
{
public:
    /// As `cInfoTriggerBox`, bound to emitterBox (borrowed from the area; may be null).
    cInfoTriggerHeartBox(cEmitterBox* emitterBox, physics::World* world, float x, float y, float w, float h,
                         float offsetX, float offsetY, bool oneTime, int infoAnimIndex, int requiredId,
                         bool isSuperBeing, int displayTime);

    /// Off for good once its emitter is no longer ready, then the bubble's update. Always 1.
    int Update(int dtMs) override;

    const cEmitterBox* GetEmitterBox() const { return emitterBox; }

private:
    cEmitterBox* emitterBox;
};

#include "actors/InfoTriggerHeartBox.h"

#include "actors/EmitterBox.h"

cInfoTriggerHeartBox::cInfoTriggerHeartBox(cEmitterBox* emitter, physics::World* world, float x, float y, float w,
                                           float h, float offsetX, float offsetY, bool oneTime, int infoAnimIndex,
                                           int requiredId, bool isSuperBeing, int displayTime)
    : cInfoTriggerBox(world, x, y, w, h, offsetX, offsetY, oneTime, infoAnimIndex, requiredId, isSuperBeing,
                      displayTime),
      emitterBox(emitter)
{
}

int cInfoTriggerHeartBox::Update(int dtMs)
{
    if (emitterBox && IsEnabled() && !emitterBox->IsReady())
        SetEnabled(false);
    return cInfoTriggerBox::Update(dtMs);
}

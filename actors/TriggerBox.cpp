#include "actors/TriggerBox.h"

#include "actors/PlayerChar.h"
#include "engine/PhysicsBody.h"

cTriggerBox::cTriggerBox(bool once, int required) : oneTime(once), requiredId(required)
{
}

bool cTriggerBox::AcceptsContact(const cPhysicsBody* other) const
{
    if (oneTime && fireCount > 0)
        return false;
    const cPhysicsActor* owner = other ? other->GetOwner() : nullptr;
    if (!owner || owner->GetKind() != KIND_CHARACTER)
        return false;
    const auto* character = dynamic_cast<const cPlayerChar*>(owner);
    return character && (requiredId < 0 || character->GetId() == requiredId);
}

void cTriggerBox::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    if (!AcceptsContact(other))
        return;
    ++contactCount;
    if (!enabled)
        return;
    triggered = true;
    ++fireCount;
}

void cTriggerBox::OnContactRemove(cPhysicsBody* other)
{
    if (!AcceptsContact(other))
        return;
    if (contactCount > 0)
        --contactCount;
    if (contactCount == 0)
        triggered = false;
}

int cTriggerBox::Update(int)
{
    return 1;
}

bool cTriggerBox::SetEnabled(bool on)
{
    enabled = on;
    if (!on)
        triggered = false;
    return true;
}

#include "actors/InfoTriggerBox.h"

#include "engine/HintBubble.h"
#include "engine/PhysicsBody.h"

namespace {

/// An open bubble with at least this long to go is not touched by a new entry.
constexpr int kLongEnoughMs = 2000;

} // namespace

cInfoTriggerBox::cInfoTriggerBox(physics::World* world, float x, float y, float w, float h, float bubbleX,
                                 float bubbleY, bool oneTime, int infoIndex, int requiredId, bool, int displayMs)
    : cTriggerBox(oneTime, requiredId), infoAnimIndex(infoIndex), displayTime(displayMs),
      offsetX(static_cast<int>(bubbleX)), offsetY(static_cast<int>(bubbleY))
{
    CreatePhysicsBody(w, h, BODY_SENSOR, 0.0f, 0.5f);
    physicsBody->SetPosition(x, y);
    if (world)
        physicsBody->CreateInWorld(world, x, y, true);
}

void cInfoTriggerBox::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point)
{
    if (!IsEnabled())
        return;
    // Counting the entry uses up a one-time box: whether it shows anything is settled before.
    const bool accepted = AcceptsContact(other);
    cTriggerBox::OnContactAdd(other, point);
    if (!accepted)
        return;
    cHintBubble* bubble = GetHintBubble();
    if (bubble && bubble->IsOpen()) {
        if (bubble->GetTimeLeft() < kLongEnoughMs)
            bubble->SetTimeLeft(displayTime / 2);
        return;
    }
    SetHintBubble(new cHintBubble(infoAnimIndex, displayTime));
}

int cInfoTriggerBox::Update(int dtMs)
{
    if (cHintBubble* bubble = GetHintBubble(); bubble && bubble->Update(dtMs) == cHintBubble::RESULT_DONE)
        DeleteHintBubble();
    return 1;
}

void cInfoTriggerBox::Draw()
{
    cHintBubble* bubble = GetHintBubble();
    if (!bubble)
        return;
    const b2Vec2 corner = GetPosition();
    bubble->Draw(offsetX + static_cast<int>(corner.x), offsetY + static_cast<int>(corner.y));
}

bool cInfoTriggerBox::SetEnabled(bool on)
{
    cTriggerBox::SetEnabled(on);
    if (!on && GetHintBubble())
        GetHintBubble()->Hide();
    return true;
}

#include "actors/ReceiverBox.h"

#include "actors/CommonHeartBox.h"
#include "actors/SharedActors.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/PhysicsBody.h"

#include <algorithm>

namespace {

constexpr int kArrivalEffect = 19;
constexpr float kArrivalVolume = 0.32f;
/// A broken stone block loses this share of a millisecond's worth of alpha: dt / 6 per update.
constexpr int kFadeDivisor = 6;
/// The crate rises out of its waiting look by that look's height less this much.
constexpr float kCrateRiseTrim = 4.0f;

/// Where the heart flies, from the body's centre: to the plank's and the crate's bud, to the stone
/// block's mouth.
b2Vec2 MouthOffset(int type)
{
    switch (type) {
    case cReceiverBox::APPEARING_PLANK:
        return b2Vec2(12.0f, -5.0f);
    case cReceiverBox::APPEARING_CRATE:
        return b2Vec2(12.0f, 11.0f);
    default:
        return b2Vec2(2.0f, 0.0f);
    }
}

} // namespace

cReceiverBox::cReceiverBox(int boxType) : type(boxType)
{
    SetKind(KIND_RECEIVER_BOX);
}

cReceiverBox::~cReceiverBox() = default;

void cReceiverBox::InitFromBlueprint(float x, float y)
{
    const CommonHeartBox* blueprint = GetReceiverBluePrint(type);
    looks.CopyFrom(blueprint);
    drawPosition.Set(x, y);
    if (!blueprint)
        return;
    const int bodyType = type == APPEARING_PLANK ? BODY_PLATFORM : BODY_TERRAIN;
    CreatePhysicsBody(blueprint->GetWidth(), blueprint->GetHeight(), bodyType, blueprint->GetDensity(),
                      blueprint->GetFriction());
    physicsBody->SetPosition(x, y);
}

b2Vec2 cReceiverBox::GetMouthPosition() const
{
    return GetCenter() + MouthOffset(type);
}

void cReceiverBox::OnHeartReceived(physics::World* world)
{
    PlaySoundEffect(kArrivalEffect, kArrivalVolume);
    received = true;
    if (type != DISAPPEARING)
        AddToWorld(world);
    if (type == APPEARING_CRATE && looks.Current())
        drawPosition.y += looks.Current()->GetFrameHeight(0) - kCrateRiseTrim;
    if (type == DISAPPEARING)
        RemoveFromWorld();
    SetAnimation(1, true);
}

int cReceiverBox::Update(int dtMs)
{
    looks.Update(dtMs);
    if (type == DISAPPEARING && received && alpha >= 1)
        alpha = std::max(0, alpha - dtMs / kFadeDivisor);
    return 1;
}

void cReceiverBox::Draw()
{
    looks.Draw(drawPosition.x, drawPosition.y, alpha);
}

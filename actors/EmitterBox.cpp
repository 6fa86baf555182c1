#include "actors/EmitterBox.h"

#include "actors/CommonHeartBox.h"
#include "actors/Heart.h"
#include "actors/PlayerChar.h"
#include "actors/ReceiverBox.h"
#include "actors/SharedActors.h"
#include "audio/SoundLibrary.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

namespace {

constexpr int kFireEffect = 19;
constexpr float kFireVolume = 0.32f;
/// The hearts leave from just below the chest's lid.
constexpr float kHeartStartX = -4.0f;
constexpr float kHeartStartY = -11.0f;
/// Emitter hearts are worth nothing: they only carry the switch.
constexpr int kHeartValue = 0;
constexpr int kLastReceiverType = 3;

enum eLook { LOOK_ARMED = 0, LOOK_OPENED = 1 };

} // namespace

cEmitterBox::cEmitterBox()
{
    SetKind(KIND_EMITTER_BOX);
}

cEmitterBox::~cEmitterBox()
{
    DeleteAll(hearts);
    DeleteAll(receivers);
}

bool cEmitterBox::ReadXml(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const float x = static_cast<float>(IntAttributeClamped(attributes, "x", 0));
    const float y = static_cast<float>(IntAttributeClamped(attributes, "y", 0));
    id = IntAttributeClamped(attributes, "type", 0);
    while (!xml.atEnd() && !xml.hasError()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("EmitterBox"))
            break;
        if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("ReceiverBox"))
            ReadReceiver(xml);
    }
    const CommonHeartBox* blueprint = GetEmitterBluePrint(id);
    looks.CopyFrom(blueprint);
    if (blueprint) {
        CreatePhysicsBody(blueprint->GetWidth(), blueprint->GetHeight(), BODY_PLATFORM, blueprint->GetDensity(),
                          blueprint->GetFriction());
        physicsBody->SetPosition(x, y);
    }
    return true;
}

void cEmitterBox::ReadReceiver(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    int type = IntAttributeClamped(attributes, "type", 0);
    if (type < 0 || type > kLastReceiverType)
        type = -1;
    auto* receiver = new cReceiverBox(type);
    receiver->InitFromBlueprint(static_cast<float>(IntAttributeClamped(attributes, "x", 0)),
                                static_cast<float>(IntAttributeClamped(attributes, "y", 0)));
    receivers.push_back(receiver);
}

void cEmitterBox::AddToWorld(physics::World* target)
{
    world = target;
    cPhysicsActor::AddToWorld(world);
    for (cReceiverBox* receiver : receivers) {
        if (receiver->GetType() == cReceiverBox::DISAPPEARING)
            receiver->AddToWorld(world);
    }
    ready = true;
}

bool cEmitterBox::CanFire(const cPhysicsActor* actor) const
{
    if (!actor || actor->GetKind() != KIND_CHARACTER)
        return false;
    const auto* character = dynamic_cast<const cPlayerChar*>(actor);
    if (!character || !character->IsHeadJumping())
        return false;
    const bool neutral = id < 0 || id > 2;
    return neutral || character->GetId() == id;
}

void cEmitterBox::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    if (!ready || !CanFire(other->GetOwner()))
        return;
    SetAnimation(LOOK_OPENED, true);
    firePending = true;
}

int cEmitterBox::Update(int dtMs)
{
    looks.Update(dtMs);
    if (firePending) {
        ready = false;
        PlaySoundEffect(kFireEffect, kFireVolume);
        SpawnHearts();
        firePending = false;
    }
    for (size_t i = 0; i < hearts.size(); ++i) {
        if (hearts[i]->Update(dtMs) != HEART_ARRIVED)
            continue;
        receivers[i]->OnHeartReceived(world);
        hearts[i]->DestroyBody();
    }
    for (cReceiverBox* receiver : receivers)
        receiver->Update(dtMs);
    return 1;
}

void cEmitterBox::SpawnHearts()
{
    const b2Vec2 start = GetCenter() + b2Vec2(kHeartStartX, kHeartStartY);
    for (cReceiverBox* receiver : receivers) {
        const b2Vec2 mouth = receiver->GetMouthPosition();
        auto* heart = new cHeart(world, start.x, start.y, mouth.x, mouth.y, kHeartValue, false);
        heart->SetTarget(mouth.x, mouth.y, true);
        hearts.push_back(heart);
    }
}

void cEmitterBox::Draw()
{
    const b2Vec2 at = GetPosition();
    looks.Draw(at.x, at.y, 255);
    for (cReceiverBox* receiver : receivers)
        receiver->Draw();
}

void cEmitterBox::DrawHearts()
{
    for (cHeart* heart : hearts)
        heart->Draw();
}

#include "actors/BasicPlant.h"

#include "audio/SoundLibrary.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/PhysicsBody.h"
#include "engine/XmlAttributes.h"
#include "platform/physics/ContactPoint.h"

#include <QXmlStreamReader>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

/// Idle animations come after 1000 to 5999 ms.
constexpr int kIdleMinMs = 1000;
constexpr int kIdleRangeMs = 5000;
constexpr float kRustleVolume = 0.2f;
constexpr int kStatesThatIdle = 4;

int RustleEffect(int type)
{
    switch (type) {
    case BasicPlant::TYPE_WOOL_GRASS:
    case BasicPlant::TYPE_WOOL_GRASS_2:
        return 10;
    case BasicPlant::TYPE_REED:
        return 11;
    case BasicPlant::TYPE_GRASS:
        return 75;
    default:
        return -1;
    }
}

} // namespace

BasicPlant::BasicPlant(const QString& file, physics::World* world, int px, int py, int plantType)
    : cTriggerBox(false, -1), x(px), y(py), type(plantType)
{
    LoadFromXml(file, world, px, py);
    ShowAnimation(ANIM_STAND);
}

BasicPlant::~BasicPlant() = default;

bool BasicPlant::LoadFromXml(const QString& file, physics::World* world, int px, int py)
{
    int chipSet = 0;
    return ReadActorFile(file, [&](QXmlStreamReader& xml) {
        const QXmlStreamAttributes attributes = xml.attributes();
        chipSet = IntAttributeClamped(attributes, "src", chipSet);
        if (attributes.hasAttribute("type"))
            type = IntAttributeClamped(attributes, "type", type);
        if (xml.name() == QLatin1String("animation")) {
            auto animation = std::make_unique<cAnimation>();
            if (animation->LoadFromXml(xml, chipSet))
                animations.Append(std::move(animation));
        } else if (xml.name() == QLatin1String("body") && !physicsBody) {
            const sBodyAttributes body = sBodyAttributes::Read(attributes, false);
            if (body.width > 0 && body.height > 0) {
                CreatePhysicsBody(body.width, body.height, BODY_SENSOR, body.density, body.friction);
                physicsBody->CreateInWorld(world, static_cast<float>(px), static_cast<float>(py), true);
            } else {
                std::printf("\n ERROR: A body of %g x %g units cannot be made: %s \n\n", body.width, body.height,
                            qPrintable(file));
            }
        }
        return true;
    });
}

int BasicPlant::Update(int dtMs)
{
    if (!HasAnimations())
        return 1;
    if (cAnimation* current = animations.GetCurrent())
        current->Update(static_cast<unsigned>(dtMs));
    if (state < kStatesThatIdle) {
        idleTimer += dtMs;
        if (idleTimer > idleInterval) {
            idleTimer = 0;
            idleInterval = std::rand() % kIdleRangeMs + kIdleMinMs;
            PlayIdle();
        }
    }
    if ((state == STATE_IDLE_ANIMATION || state == STATE_TOUCHED) && IsCurrentFinished())
        SetIdle();
    return 1;
}

void BasicPlant::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point)
{
    cTriggerBox::OnContactAdd(other, point);
    if (state == STATE_TOUCHED)
        return;
    const int effect = RustleEffect(type);
    if (effect >= 0)
        PlaySoundEffect(effect, kRustleVolume);
    state = STATE_TOUCHED;
    // Touched left of its middle, it bends away to the right, and the other way round.
    const bool leftHalf = physicsBody && point && physicsBody->GetCenter().x > point->position.x;
    Show(leftHalf ? ANIM_TOUCHED_LEFT : ANIM_TOUCHED_RIGHT);
}

b2Vec2 BasicPlant::GetPosition() const
{
    return b2Vec2(static_cast<float>(x), static_cast<float>(y));
}

void BasicPlant::Draw()
{
    if (cAnimation* current = animations.GetCurrent())
        current->Draw(static_cast<float>(x), static_cast<float>(y), 255, 255, 255, 255, 1);
}

void BasicPlant::SwitchToLoF()
{
    night = true;
    SetIdle();
}

void BasicPlant::SwitchToDay()
{
    night = false;
    SetIdle();
}

void BasicPlant::SetIdle()
{
    ShowAnimation(night ? ANIM_STAND + ANIM_NIGHT : ANIM_STAND);
    state = STATE_IDLE;
}

void BasicPlant::PlayIdle()
{
    Show(ANIM_IDLE + std::rand() % 2);
    state = STATE_IDLE_ANIMATION;
}

void BasicPlant::Show(int dayIndex)
{
    ShowExact(night ? dayIndex + ANIM_NIGHT : dayIndex);
}

void BasicPlant::ShowExact(int index)
{
    ShowAnimation(index);
    if (cAnimation* current = animations.GetCurrent())
        current->Reset(true);
}

void BasicPlant::ShowAnimation(int index)
{
    // A plant whose file gave nothing has said so once; it stays blank without a word per tick.
    if (HasAnimations())
        animations.Show(index, false);
}

#include "actors/FallingRock.h"

#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/FileBody.h"
#include "engine/PhysicsBody.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <cstdlib>

namespace {

/// A dropped rock keeps falling: a sensor, so nothing stops it, with mass, so gravity pulls it.
constexpr float kDropDensity = 0.8f;
constexpr float kDropFriction = 0.5f;
/// The rock files give one-way platforms unless they say otherwise.
constexpr int kDefaultFileType = 1;
constexpr int kWhite = 255;

/// A material value of a rock's file, which gives whole numbers only: "0.5" reads as 0.
int WholeMaterial(const QXmlStreamAttributes& attributes, const char* name, float most)
{
    return IntAttributeClamped(attributes, name, 0, 0, static_cast<int>(most));
}

} // namespace

cFallingRock::cFallingRock(const QString& file, physics::World* world, int x, int y, bool staying, bool coverStone)
    : startX(x), startY(y), world(world), staying(staying), coverStone(coverStone)
{
    SetKind(KIND_FALLING_ROCK);
    LoadFromXml(file, world, x, y);
}

cFallingRock::~cFallingRock() = default;

bool cFallingRock::LoadFromXml(const QString& file, physics::World* world, int x, int y)
{
    startX = x;
    startY = y;
    this->world = world;
    int chipSet = 0;
    cFileBody body;
    const bool read = ReadActorFile(file, [&](QXmlStreamReader& reader) {
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("animation")) {
            auto anim = std::make_unique<cAnimation>();
            if (anim->LoadFromXml(reader, IntAttributeClamped(attributes, "src", chipSet)))
                animations.Append(std::move(anim));
            if (animations.GetCount() == 1)
                animations.Show(0, true);
        } else if (attributes.hasAttribute(QLatin1String("src"))) {
            chipSet = IntAttributeClamped(attributes, "src", chipSet);
        }
        if (reader.name() == QLatin1String("body"))
            ReadBody(attributes, body);
        return true;
    });
    ReplaceBody(body.Make(world, this));
    return read;
}

void cFallingRock::ReadBody(const QXmlStreamAttributes& attributes, cFileBody& body)
{
    sBodyAttributes box = sBodyAttributes::Read(attributes, false);
    box.density = static_cast<float>(WholeMaterial(attributes, "density", sBodyAttributes::kMaxDensity));
    box.friction = static_cast<float>(WholeMaterial(attributes, "friction", sBodyAttributes::kMaxFriction));
    bodyWidth = static_cast<int>(box.width);
    bodyHeight = static_cast<int>(box.height);
    body.Keep(box, BodyTypeFromFile(IntAttributeClamped(attributes, "type", kDefaultFileType)),
              static_cast<float>(startX), static_cast<float>(startY));
}

int cFallingRock::Update(int dtMs)
{
    if (state == STATE_TRIGGERED) {
        fallTimer += static_cast<unsigned int>(dtMs);
        if (fallTimer > fallDelay && !staying) {
            Drop();
            state = STATE_RESTING;
        }
    }
    if (coverStone && GetPosition().y < kCoverGoneBelow) {
        coverStone = false;
        return RESULT_COVER_GONE;
    }
    if (cAnimation* picture = animations.GetCurrent())
        picture->Update(static_cast<unsigned int>(dtMs));
    return RESULT_NONE;
}

void cFallingRock::TriggerFall(int maxDelayMs)
{
    // A longest delay of 0 would divide by zero: the rock then drops at once.
    fallDelay = maxDelayMs > 1 ? static_cast<unsigned int>(std::rand() % maxDelayMs) : 0u;
    state = STATE_TRIGGERED;
    fallTimer = 0;
}

void cFallingRock::Drop()
{
    RemoveFromWorld();
    delete physicsBody;
    physicsBody = new cPhysicsBody(static_cast<float>(bodyWidth), static_cast<float>(bodyHeight), BODY_SENSOR,
                                   kDropDensity, kDropFriction, this, false);
    physicsBody->CreateInWorld(world, static_cast<float>(startX), static_cast<float>(startY), true);
}

void cFallingRock::Draw()
{
    cAnimation* picture = animations.GetCurrent();
    if (!picture || !physicsBody)
        return;
    const b2Vec2 at = physicsBody->GetPosition();
    picture->Draw(at.x, at.y, kWhite, kWhite, kWhite, kWhite, 1);
}

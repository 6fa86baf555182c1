#include "actors/AreaEndExitTree.h"

#include "actors/PlayerChar.h"
#include "actors/ScoreIndicator.h"
#include "engine/ActorFile.h"
#include "engine/FileBody.h"
#include "engine/PhysicsBody.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

namespace {

constexpr int kSwallowChewMs = 850;
/// The mouth's foot: the character's centre within this of the tree's, and its feet this far
/// below the tree's corner, give or take kFootTolerance.
constexpr float kFootHalfWidth = 6.0f;
constexpr float kFeetBelow = 5.0f;
constexpr float kFootTolerance = 1.5f;
/// A move ends once less than this is left.
constexpr float kArrived = 1.0f;

bool IsCharacter(const cPhysicsBody* other)
{
    const cPhysicsActor* owner = other ? other->GetOwner() : nullptr;
    return owner && owner->GetKind() == KIND_CHARACTER;
}

} // namespace

cAreaEndExitTree::cAreaEndExitTree(const QString& file, physics::World* world, float x, float y, bool activated,
                                   const std::string& destination)
{
    LoadFromXml(file, world, x, y);
    SetMouthAnimation(EXIT_ANIM_NEUTRAL, true);
    this->activated = activated;
    this->destination = destination;
}

cAreaEndExitTree::~cAreaEndExitTree()
{
    if (platform)
        platform->Destroy();
    delete platform;
}

bool cAreaEndExitTree::LoadFromXml(const QString& file, physics::World* world, float x, float y)
{
    cFileBody platformElement;
    const bool read = ReadActorFile(file, [&](QXmlStreamReader& reader) {
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.name() != QLatin1String("body") || !a.hasAttribute(QLatin1String("x")))
            return true;
        platformElement.Keep(sBodyAttributes::Read(a, false), BODY_SENSOR,
                             x - static_cast<float>(IntAttributeClamped(a, "x", 0)),
                             y - static_cast<float>(IntAttributeClamped(a, "y", 0)));
        return true;
    });
    if (!read)
        return false;
    if (std::unique_ptr<cPhysicsBody> made = platformElement.Make(world, nullptr)) {
        if (platform)
            platform->Destroy();
        delete platform;
        platform = made.release();
    }
    cAreaExit::LoadFromXml(file, world, x, y);
    target = GetPosition();
    return true;
}

void cAreaEndExitTree::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    if (IsCharacter(other) && activated)
        OpenMouth(false);
}

void cAreaEndExitTree::OnContactRemove(cPhysicsBody* other)
{
    requestedId = -1;
    requestPending = false;
    if (IsCharacter(other))
        CloseMouth(kSwallowChewMs);
}

void cAreaEndExitTree::OnContactPersist(cPhysicsBody* other, const physics::ContactPoint*)
{
    if (!IsCharacter(other) || !activated)
        return;
    OpenMouth(false);
    // The carrier fireflies count as characters to the contacts, but only characters go in.
    auto* character = dynamic_cast<cPlayerChar*>(other->GetOwner());
    if (!character || character->GetState() == PLAYER_ENTER_EXIT || character->GetState() == PLAYER_IN_EXIT)
        return;
    if (requestPending && HitTest(character)) {
        character->EnterExit(this);
        swallowed.push_back(character);
        CloseMouth(kSwallowChewMs);
    }
    requestedId = -1;
    requestPending = false;
}

int cAreaEndExitTree::Update(int dtMs)
{
    if (rising) {
        const b2Vec2 d = target - GetPosition();
        if (d.Length() >= kArrived) {
            b2Vec2 step = d;
            step.Normalize();
            step *= static_cast<float>(dtMs) / 20.0f * speed;
            MoveBy(step.x, step.y);
            if (platform) {
                const b2Vec2 at = platform->GetPosition();
                platform->SetPosition(at.x + step.x, at.y + step.y);
            }
        } else {
            rising = false;
        }
    }
    cAreaExit::Update(dtMs);
    return -1;
}

void cAreaEndExitTree::EatHeart(int value)
{
    CountHeart(value);
    // The reaction's timer runs on from where it stood.
    if (mouthState != MOUTH_CHEWING && mouthState != MOUTH_JUMPING)
        mouthState = MOUTH_REACTING;
}

bool cAreaEndExitTree::HitTest(cPhysicsActor* actor)
{
    const float cx = actor->GetCenter().x;
    const float feet = actor->GetPosition().y + kFeetBelow;
    const float tx = GetCenter().x;
    const float ty = GetPosition().y;
    return tx - kFootHalfWidth < cx && cx <= tx + kFootHalfWidth && ty - kFootTolerance < feet &&
           feet < ty + kFootTolerance;
}

void cAreaEndExitTree::DrawDay(float)
{
    DrawIsland();
    Draw();
}

void cAreaEndExitTree::MoveTo(float x, float y, float moveSpeed)
{
    target.Set(x, y);
    speed = moveSpeed;
    rising = true;
}

bool cAreaEndExitTree::HasEatenHeart() const
{
    return scoreIndicator && scoreIndicator->GetPositiveCount() >= 1 && mouthState == MOUTH_NEUTRAL;
}

void cAreaEndExitTree::MakePlatformSolid()
{
    if (platform)
        platform->SetType(BODY_PLATFORM);
}

void cAreaEndExitTree::DrawDebug()
{
    if (physicsBody)
        physicsBody->DebugDraw(255.0f, 255.0f, 255.0f);
    if (platform)
        platform->DebugDraw(255.0f, 255.0f, 255.0f);
}

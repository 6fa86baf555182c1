#include "actors/FireFly.h"

#include "actors/CharacterFile.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/MathUtil.h"
#include "engine/PhysicsBody.h"

namespace {

enum eCarrierId { ORANGE = 1, GRAY = 2 };

constexpr int kSfxOrangeMorph = 12;
constexpr int kSfxGrayMorph = 13;
constexpr float kQuiet = 0.4f;
constexpr float kLoud = 1.0f;

constexpr int kWhite = 255;

} // namespace

FireFly::FireFly()
{
    SetKind(KIND_CHARACTER);
}

FireFly::~FireFly() = default;

bool FireFly::LoadFromXml(const QString& path)
{
    sCharacterFile file;
    file.id = id;
    if (!file.Read(path, animations, "Firefly"))
        return false;
    id = file.id;
    if (file.HasBody()) {
        CreatePhysicsBody(static_cast<float>(file.bodyWidth), static_cast<float>(file.bodyHeight), BODY_SENSOR,
                          file.density, file.friction);
    }
    return true;
}

void FireFly::Reset()
{
    SetKind(KIND_CHARACTER);
    visible = false;
    spawned = false;
    leaveSound = false;
    position.SetZero();
    direction.Set(1.0f, 0.0f);
    turnRate = kFirstTurnRate;
    cPhysicsActor::RemoveFromWorld();
    state = STATE_RESET;
    SetAnimation(ANIM_APPEAR, true);
}

void FireFly::SetAnimation(int index, bool restart)
{
    animations.Show(index, restart);
}

void FireFly::StartTransition(bool fromStart)
{
    SetAnimation(ANIM_APPEAR, true);
    if (fromStart) {
        state = STATE_APPEARING;
        return;
    }
    if (animations.GetCurrent())
        animations.GetCurrent()->SetFrame(animations.GetCurrent()->GetNumFrames() - 1);
    state = STATE_HOVERING;
}

void FireFly::Spawn(physics::World* world, float x, float y)
{
    if (!physicsBody || spawned)
        return;
    physicsBody->CreateInWorld(world, x, y, true);
    position.Set(x, y);
    StartTransition(true);
    visible = true;
    spawned = true;
}

bool FireFly::IsBusy() const
{
    return state == STATE_APPEARING || state == STATE_LEAVING || state == STATE_GONE;
}

void FireFly::FlyTo(float x, float y)
{
    if (IsBusy())
        return;
    target.Set(x, y);
    state = STATE_FLY_TO_POINT;
}

void FireFly::FollowTarget()
{
    if (IsBusy())
        return;
    AimAtForm();
    state = STATE_FOLLOWING;
}

void FireFly::MoveTo(float x, float y)
{
    target.Set(x, y);
    state = STATE_MOVING_STRAIGHT;
}

void FireFly::Dismiss()
{
    state = STATE_LEAVING;
    SetAnimation(ANIM_LEAVE, true);
    if (id == ORANGE || id == GRAY)
        PlayMorphSound(kQuiet);
}

void FireFly::PlayMorphSound(float volume) const
{
    PlaySoundEffect(id == ORANGE ? kSfxOrangeMorph : kSfxGrayMorph, volume);
}

void FireFly::AimAtForm()
{
    if (antlerForm)
        target = antlerForm->GetCenter();
}

void FireFly::SetPosition(float x, float y)
{
    if (physicsBody)
        physicsBody->SetCenter(x, y);
}

void FireFly::Draw()
{
    if (visible && animations.GetCurrent())
        animations.GetCurrent()->Draw(position.x, position.y, kWhite, kWhite, kWhite, kWhite, 1);
}

// ---- the tick

int FireFly::Update(int dtMs)
{
    if (animations.GetCurrent())
        animations.GetCurrent()->Update(dtMs);
    if (state == STATE_APPEARING) {
        if (animations.IsCurrentFinished())
            state = STATE_HOVERING;
        return RESULT_NONE;
    }
    if (state == STATE_LEAVING)
        return Leave() ? RESULT_CHARACTER_BACK : RESULT_NONE;
    if (state == STATE_FOLLOWING || state == STATE_CIRCLE_FORM)
        AimAtForm();
    if (physicsBody)
        Fly(physicsBody->GetPosition());
    return RESULT_NONE;
}

void FireFly::Fly(const b2Vec2& corner)
{
    switch (state) {
    case STATE_HOVERING:
        Spiral(corner);
        break;
    case STATE_FOLLOWING:
    case STATE_FLY_TO_POINT:
        Approach(corner);
        break;
    case STATE_CIRCLE_FORM:
    case STATE_CIRCLE_POINT:
        Circle(corner);
        break;
    case STATE_MOVING_STRAIGHT:
        MoveStraight(corner);
        break;
    default:
        break;
    }
}

void FireFly::PlaceBody()
{
    physicsBody->SetCenter(position.x + 0.5f * physicsBody->GetWidth(), position.y + 0.5f * physicsBody->GetHeight());
}

void FireFly::Spiral(const b2Vec2& corner)
{
    position = corner + kSpeed * direction;
    direction = RotateVec2(direction.x, direction.y, turnRate);
    if (turnRate > kLastTurnRate) {
        turnRate -= kTurnRateDecrease;
    } else {
        AimAtForm();
        state = STATE_FOLLOWING;
    }
    PlaceBody();
}

void FireFly::Approach(const b2Vec2& corner)
{
    position = corner;
    if (Distance(target.x, target.y, corner.x, corner.y) < kCircleStart) {
        state = state == STATE_FOLLOWING ? STATE_CIRCLE_FORM : STATE_CIRCLE_POINT;
    } else {
        b2Vec2 towards = target - position;
        towards.Normalize();
        direction = BlendDirection(direction, towards);
        position = corner + kSpeed * direction;
    }
    PlaceBody();
}

void FireFly::Circle(const b2Vec2& corner)
{
    if (Distance(target.x, target.y, corner.x, corner.y) > kCircleReach)
        state = state == STATE_CIRCLE_FORM ? STATE_FOLLOWING : STATE_FLY_TO_POINT;
    position = corner + kSpeed * direction;
    direction = RotateVec2(direction.x, direction.y, kCircleTurn);
    PlaceBody();
}

void FireFly::MoveStraight(const b2Vec2& corner)
{
    position = corner;
    b2Vec2 towards = target - position;
    if (towards.Length() > 1.0f)
        towards.Normalize();
    direction = towards;
    position = corner + kStraightSpeed * direction;
    PlaceBody();
    const b2Vec2 arrived = physicsBody->GetPosition();
    if (Distance(target.x, target.y, arrived.x, arrived.y) < kArrival) {
        state = STATE_LEAVING;
        SetAnimation(ANIM_LEAVE, true);
    }
}

bool FireFly::Leave()
{
    cAnimation* shown = animations.GetCurrent();
    if (leaveSound && shown && shown->GetCurrentFrame() == 0)
        PlayMorphSound(kLoud);
    if (!animations.IsCurrentFinished())
        return false;
    state = STATE_GONE;
    visible = false;
    spawned = false;
    cPhysicsActor::RemoveFromWorld();
    return true;
}

#include "actors/Heart.h"

#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/MathUtil.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr float kWidth = 11.0f;
constexpr float kHeight = 10.0f;

enum eHeartPicture { PINK_SCORE_HEART = 2, GREEN_SCORE_HEART = 3 };
enum eHeartEffect { SFX_TOUCH_PINK = 2, SFX_TOUCH_GREEN = 22 };
constexpr float kTouchVolume = 0.2f;

/// The hover circle: its radius, its centre's offset from the anchor along both axes, and the
/// angular speed in radians per second.
constexpr float kHoverRadius = 3.2f;
constexpr float kHoverShift = 3.14f;
constexpr float kHoverSpeed = 3.3f;

/// The control points lie this far along the way to the other end, turned by up to half a turn.
constexpr float kControlReach = 0.8f;
constexpr float kControlTurn = 0.5f;
/// Squared length below which a piece of the curve counts as straight.
constexpr float kCurveTolerance = 100.0f;
/// A long-ended flight rests at its start for one extra point and at its end for three.
constexpr int kLongStart = 1;
constexpr int kLongEnd = 3;

/// Each stretch between two curve points takes this many steps plus the one that reaches the
/// next point.
constexpr int kStepsPerSegment = 5;

constexpr int kWhite = 255;

} // namespace

cHeart::cHeart(physics::World* world, float x, float y, float targetX, float targetY, int heartValue, bool travelNow)
    : value(heartValue), targetX(static_cast<int>(targetX)), targetY(static_cast<int>(targetY))
{
    SetKind(KIND_HEART);
    CreatePhysicsBody(kWidth, kHeight, BODY_SENSOR, 0.0f, 0.0f);
    physicsBody->SetPosition(x, y);
    if (world)
        physicsBody->CreateInWorld(world, x, y, true);
    anchor = physicsBody->GetCenter();
    if (travelNow)
        BuildCurve(false);
    phase = static_cast<float>(std::rand() % 100) / 100.0f;
}

cHeart::~cHeart() = default;

const std::vector<b2Vec2>& cHeart::GetCurve() const
{
    static const std::vector<b2Vec2> none;
    return curve ? *curve : none;
}

b2Vec2 cHeart::GetTarget() const
{
    return b2Vec2(static_cast<float>(targetX), static_cast<float>(targetY));
}

void cHeart::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    // A heart on its way, or one that has arrived, is no longer there to be picked up.
    if (travelling || arrived)
        return;
    const cPhysicsActor* owner = other->GetOwner();
    if (!owner || owner->GetKind() != KIND_CHARACTER)
        return;
    PlaySoundEffect(value > 0 ? SFX_TOUCH_PINK : SFX_TOUCH_GREEN, kTouchVolume);
    BuildCurve(false);
}

void cHeart::SetTarget(float x, float y, bool longEnds)
{
    targetX = static_cast<int>(x);
    targetY = static_cast<int>(y);
    BuildCurve(longEnds);
}

void cHeart::BuildCurve(bool longEnds)
{
    travelling = true;
    arrived = false;
    segmentIndex = 0;
    segmentStep = 0;
    const b2Vec2 start = GetCenter();
    const b2Vec2 end = GetTarget();
    const b2Vec2 towardsEnd = kControlReach * (end - start);
    const b2Vec2 towardsStart = kControlReach * (start - end);
    const b2Vec2 c1 = start + RandomRotate(towardsEnd.x, towardsEnd.y, kControlTurn);
    const b2Vec2 c2 = end + RandomRotate(towardsStart.x, towardsStart.y, kControlTurn);

    curve = std::make_unique<std::vector<b2Vec2>>();
    curve->assign(longEnds ? 1 + kLongStart : 1, start);
    SubdivideBezier(start, c1, c2, end, *curve, kCurveTolerance);
    curve->insert(curve->end(), longEnds ? 1 + kLongEnd : 1, end);
}

void cHeart::DestroyBody()
{
    visible = false;
    cPhysicsActor::RemoveFromWorld();
    delete physicsBody;
    physicsBody = nullptr;
    curve.reset();
    travelling = false;
}

int cHeart::Update(int dtMs)
{
    if (travelling && curve)
        return Fly();
    if (HasBody() && !arrived)
        Hover(dtMs);
    return HEART_IDLE;
}

void cHeart::Hover(int dtMs)
{
    hoverTime += static_cast<float>(dtMs) / 1000.0f;
    // Pink hearts circle one way, green ones (and those worth nothing) the other.
    const float direction = value > 0 ? 1.0f : -1.0f;
    const float angle = hoverTime * kHoverSpeed * direction + phase;
    hoverOffset.Set(kHoverShift - kHoverRadius * std::cos(angle), kHoverShift - kHoverRadius * std::sin(angle));
    physicsBody->SetCenter(anchor.x + hoverOffset.x, anchor.y + hoverOffset.y);
}

int cHeart::Fly()
{
    const std::vector<b2Vec2>& points = *curve;
    const size_t n = points.size();
    if (segmentIndex + 1 < n) {
        const float f = static_cast<float>(segmentStep) / kStepsPerSegment;
        const b2Vec2 at = (1.0f - f) * points[segmentIndex] + f * points[segmentIndex + 1];
        if (physicsBody)
            physicsBody->SetCenter(at.x, at.y);
        if (segmentStep >= kStepsPerSegment) {
            segmentStep = 0;
            ++segmentIndex;
        } else {
            ++segmentStep;
        }
    }
    if (segmentIndex + 1 >= n) {
        travelling = false;
        arrived = true;
        curve.reset();
        return HEART_ARRIVED;
    }
    return segmentIndex + 2 >= n ? HEART_LAST_STRETCH : HEART_TRAVELLING;
}

cAnimation* cHeart::Picture() const
{
    const size_t index = value < 0 ? GREEN_SCORE_HEART : PINK_SCORE_HEART;
    return index < gCommonAnims.size() ? gCommonAnims[index] : nullptr;
}

void cHeart::Draw()
{
    DrawAlpha(1.0f);
}

void cHeart::DrawAlpha(float alpha)
{
    cAnimation* picture = Picture();
    if (!visible || !picture)
        return;
    const b2Vec2 position = GetPosition();
    picture->Draw(static_cast<int>(position.x), static_cast<int>(position.y), kWhite, kWhite, kWhite,
                  static_cast<int>(alpha * kWhite), 1);
}

void cHeart::DrawScaled(float x, float y, float scale, float alpha)
{
    cAnimation* picture = Picture();
    if (!visible || !picture)
        return;
    picture->DrawScaled(x, y, static_cast<int>(scale), kWhite, kWhite, kWhite, static_cast<int>(alpha * kWhite));
}

#include "actors/NPCFly.h"

#include "engine/Animation.h"
#include "engine/MathUtil.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr float kBodySize = 16.0f;
/// Wandering targets keep at least this far from the fly along each axis, less in a small zone.
constexpr int kMinTargetStep = 35;
constexpr int kZoneMargin = 5;

const std::vector<cAnimation*>& CreatureList(int type)
{
    switch (type) {
    case 1:
        return gBatAnims;
    case 2:
        return gBirdAnims;
    case 3:
        return gBeetleAnims;
    default:
        return gDragonFlyAnims;
    }
}

int ZoneSize(int size, const char* axis)
{
    if (size >= 0)
        return size;
    std::printf("\n ERROR: a flier's zone %s of %d counts as 0 \n\n", axis, size);
    return 0;
}

/// A whole coordinate of the zone from lowest to lowest + size, drawn again while it lies nearer
/// than m to the fly's own whole coordinate.
int DrawAway(int lowest, int size, float from, int m)
{
    const int own = static_cast<int>(from);
    int value = lowest + std::rand() % (size + 1);
    while (std::abs(own - value) < m)
        value = lowest + std::rand() % (size + 1);
    return value;
}

} // namespace

NPCFly::NPCFly(int type, int zx, int zy, int zw, int zh, physics::World* world)
    : zoneX(zx), zoneY(zy), zoneWidth(ZoneSize(zw, "width")), zoneHeight(ZoneSize(zh, "height"))
{
    SetKind(KIND_NEVER_COLLIDES);
    const float startX = static_cast<float>(zoneX + std::rand() % (zoneWidth + 1));
    const float startY = static_cast<float>(zoneY + std::rand() % (zoneHeight + 1));
    CreatePhysicsBody(kBodySize, kBodySize, BODY_SENSOR, 0.0f, 0.0f);
    physicsBody->CreateInWorld(world, startX, startY, true);
    position.Set(startX, startY);
    target = position;
    for (const cAnimation* shared : CreatureList(type))
        animations.Append(std::make_unique<cAnimation>(*shared));
    SetAnimation(ANIM_REST, true);
}

NPCFly::~NPCFly() = default;

void NPCFly::SetAnimation(int index, bool restart)
{
    animations.Show(index, restart);
}

int NPCFly::Update(int dtMs)
{
    if (cAnimation* current = animations.GetCurrent())
        current->Update(static_cast<unsigned>(dtMs));
    const b2Vec2 corner = GetPosition();
    switch (state) {
    case STATE_WANDERING:
        if (HasBody())
            Wander(corner);
        break;
    case STATE_FLYING_TO:
        if (HasBody())
            FlyToTarget(corner);
        break;
    case STATE_CIRCLING:
        if (HasBody())
            Circle(corner);
        break;
    case STATE_CHANGING_LOOK:
        FinishLookChange();
        break;
    default:
        break;
    }
    return 1;
}

void NPCFly::Wander(const b2Vec2& corner)
{
    position = corner;
    if (Distance(target.x, target.y, corner.x, corner.y) < kRestlessReach)
        PickTarget();
    StepTowardsTarget(corner);
}

void NPCFly::FlyToTarget(const b2Vec2& corner)
{
    position = corner;
    if (Distance(target.x, target.y, corner.x, corner.y) < kCircleReach) {
        state = STATE_CIRCLING;
        if (creatureLook)
            SetAnimation(ANIM_REST, true);
        return;
    }
    StepTowardsTarget(corner);
}

void NPCFly::StepTowardsTarget(const b2Vec2& corner)
{
    b2Vec2 towards = target - position;
    if (towards.Length() > 0.0f)
        towards.Normalize();
    direction = BlendDirection(direction, towards);
    position = corner + kSpeed * direction;
    SetPosition(position.x, position.y);
    ShowDirection();
}

void NPCFly::Circle(const b2Vec2& corner)
{
    if (Distance(target.x, target.y, corner.x, corner.y) > kCircleReach)
        state = STATE_FLYING_TO;
    position = corner + kSpeed * direction;
    direction = RotateVec2(direction.x, direction.y, kCircleTurn);
    physicsBody->SetCenter(position.x + 0.5f * kBodySize, position.y + 0.5f * kBodySize);
}

void NPCFly::FinishLookChange()
{
    if (!animations.IsCurrentFinished())
        return;
    pending.clear();
    state = STATE_WANDERING;
    SetAnimation(creatureLook ? ANIM_REST : ANIM_LIGHT, true);
}

void NPCFly::PickTarget()
{
    const int m = std::min({kMinTargetStep, zoneWidth / 2 - kZoneMargin, zoneHeight / 2 - kZoneMargin});
    target.x = static_cast<float>(DrawAway(zoneX, zoneWidth, position.x, m));
    target.y = static_cast<float>(DrawAway(zoneY, zoneHeight, position.y, m));
}

void NPCFly::ShowDirection()
{
    if (!creatureLook)
        return;
    int wanted;
    if (direction.y < 0.0f)
        wanted = direction.x < 0.0f ? ANIM_DOWN_LEFT : ANIM_DOWN_RIGHT;
    else
        wanted = direction.x < 0.0f ? ANIM_UP_LEFT : ANIM_UP_RIGHT;
    if (animations.GetIndex() != wanted)
        SetAnimation(wanted, true);
}

void NPCFly::Draw()
{
    cAnimation* current = animations.GetCurrent();
    if (visible && current)
        current->Draw(position.x, position.y, 255, 255, 255, 255, 1);
}

void NPCFly::FlyTowards(float x, float y)
{
    const b2Vec2 point(x, y);
    switch (state) {
    case STATE_WANDERING:
        target = point;
        state = STATE_FLYING_TO;
        break;
    case STATE_CIRCLING:
    case STATE_FLYING_TO: {
        const b2Vec2 corner = GetPosition();
        if (Distance(target.x, target.y, corner.x, corner.y) > Distance(x, y, corner.x, corner.y)) {
            pending.push_back(target);
            target = point;
            state = STATE_FLYING_TO;
        } else {
            pending.push_back(point);
        }
        break;
    }
    default:
        break;
    }
}

void NPCFly::Steer(float x, float y)
{
    const b2Vec2 point(x, y);
    if (point == target) {
        if (pending.empty()) {
            state = STATE_WANDERING;
            return;
        }
        const b2Vec2 corner = GetPosition();
        auto nearest = pending.begin();
        for (auto it = pending.begin(); it != pending.end(); ++it) {
            if (Distance(it->x, it->y, corner.x, corner.y) < Distance(nearest->x, nearest->y, corner.x, corner.y))
                nearest = it;
        }
        target = *nearest;
        pending.erase(nearest);
        state = STATE_FLYING_TO;
        return;
    }
    const auto last = std::find(pending.rbegin(), pending.rend(), point);
    if (last != pending.rend()) {
        pending.erase(std::next(last).base());
        return;
    }
    pending.clear();
    state = STATE_WANDERING;
}

void NPCFly::SwitchToDay()
{
    state = STATE_CHANGING_LOOK;
    SetAnimation(ANIM_DAY_RETURNS, true);
    creatureLook = true;
}

void NPCFly::SwitchToLoF()
{
    state = STATE_CHANGING_LOOK;
    SetAnimation(ANIM_NIGHT_BEGINS, true);
    creatureLook = false;
}

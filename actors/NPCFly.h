#pragma once

#include "actors/CharacterAnimations.h"
#include "engine/PhysicsActor.h"

#include <vector>

namespace physics {
class World;
}

/// An ambient flier: a dragonfly, bat, bird or beetle by day, a firefly light in the Vadi do
/// Davovodaz. It wanders restlessly about its own zone; a sporing mushroom draws it in to circle
/// the spores, and when they end it flies on to the next sporing mushroom it knows of, or back to
/// wandering. Kind 12: it touches nothing.
///
/// Moves are per tick, not scaled by the elapsed time; positions are the body's lower-left corner
/// in world units, directions unit vectors.
class NPCFly : public cPhysicsActor
{
public:
    enum eState
    {
        STATE_CIRCLING = 0,
        STATE_WANDERING = 1,
        STATE_FLYING_TO = 2,
        STATE_CHANGING_LOOK = 3,
    };
    /// The same positions in every shared creature list.
    enum eAnim
    {
        ANIM_LIGHT = 0,
        ANIM_UP_LEFT = 1,
        ANIM_UP_RIGHT = 2,
        ANIM_DOWN_LEFT = 3,
        ANIM_DOWN_RIGHT = 4,
        ANIM_REST = 5,
        ANIM_DAY_RETURNS = 6,
        ANIM_NIGHT_BEGINS = 7,
    };

    static constexpr float kSpeed = 1.5f;
    static constexpr float kCircleTurn = 0.2f;
    /// A wandering fly nearer than this to its target picks another one at once.
    static constexpr float kRestlessReach = 200.0f;
    /// Nearer than this to its point a fly circles; farther, a circling one flies back.
    static constexpr float kCircleReach = 100.0f;

    /// type 1 bat, 2 bird, 3 beetle, anything else a dragonfly, wandering the zone of zoneWidth x
    /// zoneHeight from (zoneX, zoneY); it starts at a random point of the zone, resting, with its
    /// body in world. A negative zone size counts as 0, after an "ERROR:" line.
    NPCFly(int type, int zoneX, int zoneY, int zoneWidth, int zoneHeight, physics::World* world);
    ~NPCFly() override;

    /// The creature-list position; with restart from its first frame.
    void SetAnimation(int index, bool restart);
    /// Advances the animation, then one tick of flight by state. Returns 1.
    int Update(int dtMs) override;
    /// The current animation at the position, while visible.
    void Draw();

    /// A mushroom at (x, y) starts sporing: a wandering fly flies there; a busy one goes to the
    /// nearer of its point and this one and keeps the other for later. Ignored while the look
    /// changes.
    void FlyTowards(float x, float y);
    /// The spores at (x, y) end: a fly circling them goes on to the nearest point it keeps, or
    /// wanders; a kept point is forgotten; a point it never heard of sends it wandering. This holds
    /// while the look changes too: a fly sent on stops waiting for the change to end.
    void Steer(float x, float y);
    void SwitchToDay();
    void SwitchToLoF();

    int GetState() const { return state; }
    int GetAnimationIndex() const { return animations.GetIndex(); }
    bool HasCreatureLook() const { return creatureLook; }
    b2Vec2 GetDrawPosition() const { return position; }
    b2Vec2 GetTarget() const { return target; }
    b2Vec2 GetDirection() const { return direction; }
    const std::vector<b2Vec2>& GetPendingPoints() const { return pending; }

private:
    void Wander(const b2Vec2& corner);
    void FlyToTarget(const b2Vec2& corner);
    void Circle(const b2Vec2& corner);
    void FinishLookChange();
    /// One step of 1.5 along the direction blended towards the target, then the matching look.
    void StepTowardsTarget(const b2Vec2& corner);
    /// A target in the zone at least m from the position along each axis (m shrinks with a
    /// small zone).
    void PickTarget();
    /// The flying animation for the direction, in the creature look only.
    void ShowDirection();

    bool visible = true;
    bool creatureLook = true;
    b2Vec2 position{0.0f, 0.0f};
    int zoneX, zoneY, zoneWidth, zoneHeight;
    b2Vec2 direction{1.0f, 0.0f};
    cCharacterAnimations animations;
    b2Vec2 target{0.0f, 0.0f};
    std::vector<b2Vec2> pending;
    int state = STATE_WANDERING;
};

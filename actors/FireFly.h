#pragma once

#include <QString>

#include "actors/CharacterAnimations.h"
#include "engine/PhysicsActor.h"

/// The carrier that takes the orange or the gray character (id 1 or 2) out of the world while the
/// antler form is in play, and brings it back: it appears as the character turning into a
/// firefly, spirals out, then follows the antler form, circling it once near; it can be sent to
/// circle a point or flown straight to one; dismissed, it turns back into the character, and its
/// `Update` tells the area when to put the character back.
///
/// Two exist, owned by the shared-asset store and borrowed by each area. The body is a sensor of
/// the file's size that the firefly moves itself, per tick and not by the elapsed time; positions
/// are the body's lower-left corner in world units, directions unit vectors.
class FireFly : public cPhysicsActor
{
public:
    /// What the firefly is doing.
    enum eState
    {
        STATE_RESET = 0,
        STATE_APPEARING = 5,    ///< the character turns into the firefly
        STATE_LEAVING = 6,      ///< the firefly turns back into the character
        STATE_CIRCLE_POINT = 7,
        STATE_CIRCLE_FORM = 8,  ///< circling the antler form
        STATE_GONE = 9,
        STATE_HOVERING = 10,    ///< spiralling out after appearing
        STATE_FLY_TO_POINT = 11,
        STATE_FOLLOWING = 12,   ///< flying after the antler form
        STATE_MOVING_STRAIGHT = 13,
    };
    /// Animation 0 shows the character turning into the firefly (its last frame is the firefly),
    /// 1 the firefly turning back.
    enum eAnim { ANIM_APPEAR = 0, ANIM_LEAVE = 1 };

    /// Flight per tick while hovering, approaching and circling, and when moving straight.
    static constexpr float kSpeed = 1.5f;
    static constexpr float kStraightSpeed = 0.75f;
    /// Turn per tick (radians): at the start of the spiral out, at its end, and while circling.
    static constexpr float kFirstTurnRate = 0.1f;
    static constexpr float kLastTurnRate = 0.01f;
    static constexpr float kTurnRateDecrease = 0.001f;
    static constexpr float kCircleTurn = 0.3f;
    /// Nearer than this to its target an approaching firefly starts circling; farther than
    /// kCircleReach a circling one approaches again; nearer than kArrival a straight move ends.
    static constexpr float kCircleStart = 100.0f;
    static constexpr float kCircleReach = 50.0f;
    static constexpr float kArrival = 2.0f;

    /// Kind 1 like the characters; gone (state 9), invisible, no animations, no body.
    FireFly();
    ~FireFly() override;

    /// Reads a firefly file (":/" put in front when missing): the `Firefly` element's `id` (kept
    /// when absent) and `src` (the chip set of animations without their own), a `body` (w, h,
    /// density, friction) that becomes the sensor, and the animations. False, after an "ERROR:"
    /// line, when the file does not open; the firefly then has no body and never moves.
    bool LoadFromXml(const QString& path);
    /// Ready for a new area: out of the world, invisible, first direction and turn rate, state 0,
    /// showing animation 0 from its start. Keeps the id, the animations and the body.
    void Reset();
    /// The file's animation index (out of range refused with an "ERROR:" line), with restart from
    /// its first frame.
    void SetAnimation(int index, bool restart);
    /// fromStart: the character turns into the firefly (appearing); otherwise the firefly starts
    /// hovering at once, in its firefly shape.
    void StartTransition(bool fromStart);
    /// The leaving state plays the morph sound itself (the last area's ending asks for it).
    void SetFlag(bool on) { leaveSound = on; }
    /// Puts the body into world with its corner at (x, y) and starts appearing; nothing without a
    /// body or while spawned.
    void Spawn(physics::World* world, float x, float y);
    /// Circles the point (x, y); ignored while appearing, leaving or gone.
    void FlyTo(float x, float y);
    /// Follows the antler form again; ignored while appearing, leaving or gone.
    void FollowTarget();
    /// Flies straight to (x, y) and leaves there, from any state.
    void MoveTo(float x, float y);
    /// Turns back into the character at once, with the morph sound of its id.
    void Dismiss();
    /// The form that the firefly follows and circles (borrowed; the store sets it once). Without
    /// one a following firefly keeps its last target.
    void SetAntlerForm(const cPhysicsActor* form) { antlerForm = form; }

    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        /// On the tick that leaving ends: the area puts the character back at the position plus (3, 0).
        RESULT_CHARACTER_BACK = 1,
    };
    /// Advances the animation by dtMs and the flight by one tick; an `eResult`.
    int Update(int dtMs) override;
    /// The current animation at the position, while visible.
    void Draw();
    /// Moves the body so that its centre is (x, y).
    void SetPosition(float x, float y) override;

    int GetId() const { return id; }
    int GetState() const { return state; }
    bool IsVisible() const { return visible; }
    bool IsSpawned() const { return spawned; }
    bool GetFlag() const { return leaveSound; }
    /// Where the firefly is drawn: the body's corner after the last move.
    b2Vec2 GetDrawPosition() const { return position; }
    b2Vec2 GetDirection() const { return direction; }
    float GetTurnRate() const { return turnRate; }
    b2Vec2 GetTarget() const { return target; }
    int GetAnimationIndex() const { return animations.GetIndex(); }
    cAnimation* GetAnimation(int i) const { return animations.Get(i); }

private:
    /// The flight of one tick by state; the body's corner at its start is corner.
    void Fly(const b2Vec2& corner);
    void Spiral(const b2Vec2& corner);
    void Approach(const b2Vec2& corner);
    void Circle(const b2Vec2& corner);
    void MoveStraight(const b2Vec2& corner);
    /// The leaving state's tick; true once the firefly has gone.
    bool Leave();
    /// The body's centre to the position, where the flight of the tick left it.
    void PlaceBody();
    /// The target becomes the antler form's centre, when there is a form.
    void AimAtForm();
    /// Whether the state is one that `FlyTo` and `FollowTarget` leave alone.
    bool IsBusy() const;
    /// The morph sound of the id (orange's, otherwise gray's) at volume.
    void PlayMorphSound(float volume) const;

    bool visible = false;
    bool spawned = false;
    bool leaveSound = false;
    b2Vec2 position{0.0f, 0.0f};
    b2Vec2 direction{1.0f, 0.0f};
    float turnRate = kFirstTurnRate;
    int id = 0;
    cCharacterAnimations animations;
    b2Vec2 target{0.0f, 0.0f};
    int state = STATE_GONE;
    const cPhysicsActor* antlerForm = nullptr;
};

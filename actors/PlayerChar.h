#pragma once

#include <QString>

#include "actors/CharacterAnimations.h"
#include "actors/CharacterBubble.h"
#include "actors/IdleTimer.h"
#include "engine/PhysicsActor.h"

class cAreaExit;

/// What a character is doing.
enum ePlayerState
{
    PLAYER_STAND = 0,
    PLAYER_WALK = 1,
    PLAYER_JUMP = 2,
    PLAYER_FALL = 3,
    PLAYER_LAND = 4,
    PLAYER_DIE = 5,
    PLAYER_ENTER_EXIT = 6,   ///< being swallowed by an exit tree
    PLAYER_IN_EXIT = 7,      ///< inside an exit tree, without a body
    PLAYER_METAMORPHOSIS = 8,///< turning into the ancestor form or back
};

/// Where a character looks.
enum eFacing
{
    FACING_LEFT = 0,
    FACING_RIGHT = 1,
    FACING_NONE = 4,
};

/// The positions of a character file's animations; every file keeps this order.
enum eCharacterAnim
{
    ANIM_STAND = 0,
    ANIM_STAND_LEFT = 1,
    ANIM_STAND_RIGHT = 2,
    ANIM_WALK_RIGHT = 3,
    ANIM_WALK_LEFT = 4,
    ANIM_FALL_RIGHT = 5,
    ANIM_FALL_LEFT = 6,
    ANIM_FALL = 7,
    ANIM_JUMP_RIGHT = 8,
    ANIM_JUMP_LEFT = 9,
    ANIM_JUMP = 10,
    ANIM_LAND_RIGHT = 11,
    ANIM_LAND_LEFT = 12,
    ANIM_LAND = 13,
    ANIM_ENTER_EXIT = 14,
    ANIM_HEAD_JUMP = 15,
    ANIM_DIE = 16,
    ANIM_METAMORPHOSIS = 17,
    ANIM_IDLE_YAWN = 18,       ///< the idle that makes the character's voice heard
    ANIM_IDLE_BLINK = 19,
    ANIM_IDLE_LOOK = 20,
    ANIM_APPEAR_IN_MOUTH = 21,
    ANIM_LEAVE_MOUTH = 22,
    ANIM_HEAD_JUMPED_ON = 23,
    ANIM_SPECIAL = 24,         ///< orange and gray: turning into a tree (for good); the forms' own
    ANIM_SPECIAL_2 = 25,
};

/// A controllable character: brown, orange or gray (ids 0, 1, 2) and, through subclasses, their
/// ancestor forms. One box body of type 2 (so characters can stand on each other), the animations
/// of its character file, and a state machine that turns the player's per-tick actions into
/// impulses on the body and into animations.
///
/// The shared-asset store makes one per character file and keeps it for the whole program; each
/// area borrows it, calls `Reset` and `Init`, then `Update` once per tick (before the world's step)
/// and the actions (`Walk`, `Jump`, `HeadJump`) after it. Times in milliseconds, positions in
/// world units (the body's lower-left corner).
///
/// The body leaves the world late: `RemoveFromWorld` (and so `Die`, `Metamorphose`, `EnterExit`)
/// only marks it, and the next `Update` destroys it, so contact handlers may call them.
class cPlayerChar : public cPhysicsActor
{
public:
    /// An empty character of kind 1: id -1, no animations, no body.
    cPlayerChar();
    ~cPlayerChar() override;

    /// What `Update` tells the area.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_DIED = 10,          ///< died and comes back (once, the tick after `Die` (true))
        RESULT_DEATH_OVER = -1,    ///< the death animation is over
        RESULT_ENTERED_EXIT = -2,  ///< swallowed by an exit tree (now inside it)
        RESULT_BROWN_BECAME_ANTLER = 1,
        RESULT_ORANGE_BECAME_SPIRIT = 6,
        RESULT_GRAY_BECAME_BAT_KING = 8,
        RESULT_ANTLER_TURNED_BACK = 4,
        RESULT_SPIRIT_TURNED_BACK = 7,
        RESULT_BAT_KING_TURNED_BACK = 9,
    };

    /// Advances one tick; an `eResult`.
    int Update(int dtMs) override;
    /// The body's corner while it is in a world, else the corner remembered when it left.
    b2Vec2 GetPosition() const override;
    /// Remembers the corner and moves the body there.
    void SetPosition(float x, float y) override;
    /// Marks the body to be destroyed at the start of the next `Update`; safe inside contacts.
    void RemoveFromWorld() override;
    /// Id 2 as an ancestor form.
    bool IsBatKing() const override;

    /// What touching another body does to the character (`cCharacterContact::Begin`): dying on
    /// killing terrain, landing, being counted as carried, being head-jumped, being pushed away.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// A character standing on another is no longer counted as carried by it.
    void OnContactRemove(cPhysicsBody* other) override;

    /// Reads a character file (":/" is put in front of a path without it): its `actor` (id,
    /// `SwitchInfoAnimIndex`, default chip set `src`), `body` (w, h, density, friction) and
    /// `animation` elements, replacing the animations held. False, after an "ERROR:" line, when
    /// the file does not open; the character then has no animations and no body, and stays out
    /// of every area. A parse error keeps what was read before it.
    virtual bool LoadFromXml(const QString& path);
    /// Back to the values of a new character for a new area: body out of the world at once, no
    /// animation, not active, not present, no hint bubble. Keeps what the file gave.
    virtual void Reset();
    /// Places the character in the world with its lower-left corner at (x, y) (`CreateBody`).
    virtual void Init(physics::World* world, float x, float y);
    /// Makes the body in the world at (x, y) as a bullet, then active, present, standing, facing
    /// nobody. A character without a body (its file did not load) is refused with an "ERROR:" line.
    virtual void CreateBody(physics::World* world, float x, float y);
    /// Shows animation index, from its first frame with restart. Plain characters that show
    /// `ANIM_SPECIAL` keep it for good. The yawn makes the character's voice heard.
    virtual void SetAnimation(int index, bool restart);
    /// The current animation at the character's corner, while active.
    virtual void Draw();
    /// The hint bubble, above the character, while active.
    virtual void DrawOverlay();
    /// The current animation and the hint bubble on the screen at (x, y) in window pixels,
    /// scale (truncated) times as large, while active.
    virtual void DrawScaled(float x, float y, float scale);
    /// Stands still facing where it faced, then facing nobody. Ignored in an exit tree, while
    /// changing form, and while an idle animation plays.
    virtual void Stand();
    /// Turns a jump or a fall into a head-jump.
    virtual void HeadJump();
    /// Another character landed on this one from a head-jump: squashed (`ANIM_HEAD_JUMPED_ON`,
    /// one frame of 400 ms), landing without the landing sound, with its cry.
    virtual void OnHeadJumped();
    /// One tick of walking: direction 0 left, 1 right. Starts the walk when it can, and pushes
    /// the body (also in the air), never beyond kMaxWalkSpeed sideways.
    virtual void Walk(int direction);
    /// Has a body in a world and stands, walks or lands.
    virtual bool CanJump() const;
    /// Jumps when it can: jump sound, upward push; with headJump as a head-jump.
    virtual void Jump(bool headJump);
    /// Starts falling (not while falling, entering an exit or changing form).
    virtual void Fall();
    /// One tick of falling: lands once the body no longer sinks, and sinks at least
    /// kSlowestFallSpeed fast.
    virtual void UpdateAir();
    /// Lands: vertical speed 0, landing sound and animation. Not while landing or changing form.
    virtual void Land();
    /// Starts turning into the form or back, leaving the world; refused inside or entering an
    /// exit, while changing, and while not allowed (`SetMayMetamorphose`).
    virtual void Metamorphose();
    /// Dies, leaving the world; with respawn the next `Update` reports 10. Once only.
    virtual void Die(bool respawn);
    /// The player switched away from this character: no more head-jump, the bubble closes, and a
    /// character inside an exit tree is no longer shown in its mouth, which chews 800 ms.
    virtual void Deselect();
    /// The player switched to this character: a standing one faces the player, one inside an exit
    /// tree appears in its open mouth; the hint bubble opens.
    virtual void Select();
    /// Is swallowed by the exit tree (borrowed), leaving the world.
    virtual void EnterExit(cAreaExit* exit);
    /// Asks the exit tree that swallowed the character to let it out; nothing outside one.
    virtual void LeaveExit();
    /// Another character stands on this one, or left it; idle animations wait while one does.
    virtual void IncCarried();
    virtual void DecCarried();

    /// Opens the hint bubble with the content and time set last, or re-opens an open one.
    void ShowInfoBubble() { bubble.Show(*this); }
    /// Closes the hint bubble, when there is one.
    void HideInfoBubble() { cCharacterBubble::Hide(*this); }
    /// The content (an index of the shared info-bubble list) and time in ms the next bubble
    /// opens with; a bubble that shows another content switches to this one at once.
    void SetInfoBubble(int content, int timeMs) { bubble.Set(*this, content, timeMs); }
    /// Back to the content shown on selection, for 3000 ms.
    void RestoreInfoBubble() { SetInfoBubble(switchInfoIndex, cCharacterBubble::kSelectionMs); }
    /// The content the hint bubble opened with; -1 without bubble.
    int GetInfoBubbleAnim() const { return cCharacterBubble::GetShown(*this); }

    int GetId() const { return id; }
    bool IsAncestorForm() const { return ancestorForm; }
    int GetState() const { return state; }
    int GetFacing() const { return facing; }
    bool IsHeadJumping() const { return headJumping; }
    bool IsActive() const { return active; }
    void SetActive(bool value) { active = value; }
    bool IsPresent() const { return present; }
    void SetPresent(bool value) { present = value; }
    /// The key by which the area orders the drawing of characters: the bottom's whole part at the
    /// last placement or landing.
    int GetDrawOrder() const { return drawOrder; }
    /// The current animation's position; -1 when none.
    int GetAnimationIndex() const { return animations.GetIndex(); }
    /// Animation i of the file; null past the end.
    cAnimation* GetAnimation(int i) const { return animations.Get(i); }
    int GetAnimationCount() const { return animations.GetCount(); }
    /// Raised by the area for the tick in which a firefly drops the character.
    bool IsDroppedThisTick() const { return droppedThisTick; }
    void SetDroppedThisTick(bool value) { droppedThisTick = value; }
    bool GetMayMetamorphose() const { return mayMetamorphose; }
    void SetMayMetamorphose(bool value) { mayMetamorphose = value; }
    int GetCarried() const { return carried; }
    /// The hint-bubble content shown when the character is selected, and the content and time the
    /// next bubble it opens gets.
    int GetSwitchInfoIndex() const { return switchInfoIndex; }
    int GetBubbleContent() const { return bubble.GetContent(); }
    int GetBubbleTime() const { return bubble.GetTime(); }

protected:
    /// The parts of `Update`, in the order it runs them, for the forms' own updates.
    /// Destroys a body marked for removal; false when the character sits the tick out (neither
    /// active nor present, or resting unselected in an exit tree).
    bool BeginTick();
    void DestroyPendingBody();
    void AdvanceHintBubble(int dtMs);
    /// Slows the body sideways (`SlowedSpeed`); stands when that stopped it on the ground.
    void DampHorizontal();
    /// The state's work for this tick, given the velocity at its start; a non-zero result ends
    /// the tick with that result.
    int UpdateState(const b2Vec2& v, int dtMs);
    /// `UpdateState` as the spirit and the bat king run it: a landing ends without clearing the
    /// head-jump flag, and a head-jumping form inside an exit tree shows its head-jump.
    int UpdateStateAsForm(const b2Vec2& v, int dtMs);
    /// In state 0: plays an idle animation when the idle timer runs out and nobody stands on the
    /// character, and goes back to standing when it has played.
    void UpdateIdle(int dtMs);

    /// left, right or none by facing.
    int ByFacing(int left, int right, int none) const;
    /// left for vx < 0, right for vx > 0, and by facing at exactly 0.
    int BySpeed(float vx, int left, int right, int none) const;
    /// Re-opens an open hint bubble, or replaces it with an endless one showing content: the
    /// forms' lessons stay until they end.
    void ShowLessonBubble(int content);
    /// Shows index unless it is shown already (no restart then).
    void SwitchAnimation(int index);
    /// The result that ends a metamorphosis of this character: 1, 6, 8 turning into the form,
    /// 4, 7, 9 turning back; 0 for an id outside 0 to 2.
    int MetamorphosisResult() const;
    /// The effect numbered base + id, for effects that come one per character; none for an id
    /// outside 0 to 2.
    void PlayEffectForId(int base, float volume) const;

    int id = -1;
    bool ancestorForm = false;
    int state = PLAYER_STAND;
    bool headJumping = false;
    /// The exit tree that swallowed the character (borrowed).
    cAreaExit* exit = nullptr;
    b2Vec2 storedPosition{0.0f, 0.0f};
    cCharacterAnimations animations;
    int switchInfoIndex = 0;
    /// The content and time of the next hint bubble.
    cCharacterBubble bubble;
    bool active = false;
    bool present = false;
    int facing = FACING_NONE;
    cIdleTimer idleTimer;
    bool removalPending = false;
    bool respawn = false;
    int carried = 0;
    int drawOrder = 0;
    bool droppedThisTick = false;
    bool mayMetamorphose = true;

private:
    /// Forgets the body description altogether.
    void DiscardBody();
};

#include "actors/RainbowSpirit.h"

#include "actors/CharacterMotion.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/Controls.h"
#include "engine/HintBubble.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/ContactPoint.h"

namespace {

constexpr float kQuiet = 0.4f;
constexpr int kSfxDieSpikes = 40;

/// Hint pictures with their key-neutral twins: the turning lesson (no turn, turning left, turning
/// right) and the launch lesson (on the ground, lifted out, turning right, turning left).
constexpr int kTurnNeutral = 19, kTurnNeutralCustom = 30;
constexpr int kTurnLeft = 20, kTurnLeftCustom = 31;
constexpr int kTurnRight = 21, kTurnRightCustom = 32;
constexpr int kLaunchGround = 22, kLaunchGroundCustom = 34;
constexpr int kLaunchLifted = 23, kLaunchLiftedCustom = 33;
constexpr int kLaunchRight = 24, kLaunchRightCustom = 35;
constexpr int kLaunchLeft = 25, kLaunchLeftCustom = 35;

constexpr float kBubbleAboveSpirit = 19.0f;

} // namespace

cRainbowSpirit::cRainbowSpirit()
{
    ancestorForm = true;
}

void cRainbowSpirit::Reset()
{
    cPlayerChar::Reset();
    hintsOn = false;
    turnOnly = false;
    turnsNeeded = kTurnsNeeded;
    extraCount = kExtraCount;
    hintCounter = 0;
    hintStage = STAGE_TURNING;
    turnStarted = false;
    lastTurn = TURN_NONE;
    placedAfterTurn = false;
    stayedAfterTurn = false;
    specialEnabled = true;
}

void cRainbowSpirit::EnableSpecial(bool withHints, bool onlyTurning)
{
    hintsOn = withHints;
    if (!hintsOn)
        return;
    hintCounter = 0;
    hintStage = STAGE_TURNING;
    if (onlyTurning) {
        turnOnly = true;
        turnsNeeded = kTurnsNeededTurnOnly;
    }
}

// ---- the frame manager's turn

bool cRainbowSpirit::IsSpecialAirborne() const
{
    return HasBody() && specialEnabled && (state == PLAYER_JUMP || state == PLAYER_FALL);
}

bool cRainbowSpirit::IsAliveWithBody() const
{
    return HasBody() && state != PLAYER_DIE;
}

void cRainbowSpirit::ResetSpecial()
{
    turnStarted = false;
    lastTurn = TURN_NONE;
    SetAnimation(ANIM_STAND, true);
    present = true;
}

void cRainbowSpirit::FinishSpecial()
{
    ResetSpecial();
    PlaySoundEffect(kSfxDieSpikes, kQuiet);
    Die(false);
}

void cRainbowSpirit::DisableSpecial()
{
    specialEnabled = false;
    facing = FACING_NONE;
}

void cRainbowSpirit::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point)
{
    if (!specialEnabled)
        return;
    if (!placedAfterTurn || other->GetType() != BODY_TERRAIN) {
        cPlayerChar::OnContactAdd(other, point);
        return;
    }
    placedAfterTurn = false;
    if (point->separation < -kStuckDepth) {
        SetLinearVelocity(0.0f, 0.0f);
        PlaySoundEffect(kSfxDieSpikes, kQuiet);
        Die(true);
        return;
    }
    // The normal points from the terrain towards the spirit: out of it.
    const b2Vec2 n = point->normal;
    const float up = n.y > 0.0f ? kLaunchImpulse * n.y * -point->separation : kLaunchNudge;
    physicsBody->ApplyImpulse(kLaunchImpulse * n.x, up);
    SetAnimation(ANIM_STAND, false);
}

// ---- drawing

void cRainbowSpirit::Draw()
{
    if (specialEnabled)
        cPlayerChar::Draw();
}

void cRainbowSpirit::DrawOverlay()
{
    if (!active || !specialEnabled || !GetHintBubble())
        return;
    const b2Vec2 position = GetPosition();
    GetHintBubble()->Draw(static_cast<int>(position.x), static_cast<int>(position.y + kBubbleAboveSpirit));
}

// ---- the tick

int cRainbowSpirit::Update(int dtMs)
{
    if (!BeginTick())
        return RESULT_NONE;
    if (animations.GetCurrent())
        animations.GetCurrent()->Update(dtMs);
    if (GetHintBubble())
        AdvanceHintBubble(dtMs);
    const b2Vec2 v = GetLinearVelocity();
    DampHorizontal();
    if (turnStarted && state != PLAYER_DIE) {
        const int shown = GetAnimationIndex();
        if (!specialEnabled && animations.IsCurrentFinished() && shown != ANIM_SPECIAL && shown != ANIM_SPECIAL_2)
            SetAnimation(ANIM_SPECIAL, true);
    } else if (const int result = UpdateFormState(v, dtMs)) {
        return result;
    }
    if (v.y < kFallStartSpeed && state != PLAYER_FALL)
        Fall();
    // Lifted out of the world the spirit has no speed; it comes back standing.
    if (v.y == 0.0f && (state == PLAYER_JUMP || state == PLAYER_FALL))
        state = PLAYER_STAND;
    UpdateHints();
    stayedAfterTurn = false;
    return RESULT_NONE;
}

int cRainbowSpirit::UpdateFormState(const b2Vec2& v, int dtMs)
{
    switch (state) {
    case PLAYER_DIE:
        if (!respawn && animations.IsCurrentFinished())
            specialEnabled = true;
        return UpdateStateAsForm(v, dtMs);
    default:
        return UpdateStateAsForm(v, dtMs);
    }
}

// ---- the lessons

void cRainbowSpirit::UpdateHints()
{
    if (stayedAfterTurn || placedAfterTurn)
        lastTurn = TURN_NONE;
    if (stayedAfterTurn && hintsOn && hintStage == STAGE_TURNING && ++hintCounter >= turnsNeeded) {
        if (turnOnly) {
            EndHints();
        } else {
            hintStage = STAGE_JUMPING;
            HideInfoBubble();
            Select();
        }
    }
    if (placedAfterTurn && hintsOn && ++hintCounter >= turnsNeeded + extraCount)
        EndHints();
    ShowHint(HintPicture());
}

void cRainbowSpirit::EndHints()
{
    HideInfoBubble();
    hintsOn = false;
}

int cRainbowSpirit::HintPicture() const
{
    if (hintStage == STAGE_TURNING) {
        if (lastTurn == TURN_LEFT)
            return PictureForControls(kTurnLeft, kTurnLeftCustom);
        if (lastTurn == TURN_RIGHT)
            return PictureForControls(kTurnRight, kTurnRightCustom);
        return PictureForControls(kTurnNeutral, kTurnNeutralCustom);
    }
    if (state != PLAYER_JUMP && state != PLAYER_FALL && specialEnabled)
        return PictureForControls(kLaunchGround, kLaunchGroundCustom);
    if (lastTurn == TURN_RIGHT)
        return PictureForControls(kLaunchRight, kLaunchRightCustom);
    if (lastTurn == TURN_LEFT)
        return PictureForControls(kLaunchLeft, kLaunchLeftCustom);
    return PictureForControls(kLaunchLifted, kLaunchLiftedCustom);
}

void cRainbowSpirit::ShowHint(int picture)
{
    if (hintsOn && GetHintBubble())
        GetHintBubble()->SetContent(picture);
}

void cRainbowSpirit::Select()
{
    cPlayerChar::Select();
    if (!hintsOn)
        return;
    ShowLessonBubble(PictureForControls(kTurnNeutral, kTurnNeutralCustom));
    ShowHint(hintStage == STAGE_TURNING ? PictureForControls(kTurnNeutral, kTurnNeutralCustom)
                                        : PictureForControls(kLaunchGround, kLaunchGroundCustom));
}

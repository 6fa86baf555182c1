#include "actors/AntlerAncestor.h"

#include "actors/CharacterMotion.h"
#include "actors/CharacterSounds.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/Controls.h"
#include "engine/HintBubble.h"
#include "engine/PhysicsBody.h"

namespace {

constexpr float kQuiet = 0.4f;
constexpr int kSfxCrystal = 9;

/// Hint pictures: standing, after a jump, after an air jump; each with its key-neutral twin.
constexpr int kHintStand = 13;
constexpr int kHintStandCustom = 27;
constexpr int kHintJump = 14;
constexpr int kHintJumpCustom = 28;
constexpr int kHintAirJump = 15;
constexpr int kHintAirJumpCustom = 29;

constexpr int kWhite = 255;

} // namespace

cAntlerAncestor::cAntlerAncestor()
{
    ancestorForm = true;
}

void cAntlerAncestor::Reset()
{
    cPlayerChar::Reset();
    airJumpCount = 0;
    hintsOn = false;
    // A form that left the last area in mid-air must start the next one able to jump twice.
    airJumpArmed = true;
    starsShowing = false;
}

// ---- jumping

bool cAntlerAncestor::CanJump() const
{
    // An armed air jump still needs a body to push: inside an exit tree or after the body has
    // gone there is none.
    return cPlayerChar::CanJump() || (airJumpArmed && IsInAir() && HasBody());
}

void cAntlerAncestor::Jump(bool headJump)
{
    if (!CanJump())
        return;
    const bool airJump = IsInAir() && airJumpArmed;
    if (airJump)
        StartAirJump();
    else
        PlaySoundEffect(SFX_JUMP, kQuiet);
    state = PLAYER_JUMP;
    physicsBody->ApplyImpulse(0.0f, kJumpImpulse);
    const b2Vec2 v = GetLinearVelocity();
    if (v.y > kMaxRiseSpeed)
        SetLinearVelocity(v.x, kMaxRiseSpeed);
    const b2Vec2 center = GetCenter();
    physicsBody->SetCenter(center.x, center.y - kJumpTakeOffDrop);
    SetAnimation(v.x < 0.0f ? ANIM_JUMP_LEFT : v.x > 0.0f ? ANIM_JUMP_RIGHT : ANIM_JUMP, true);
    if (airJump)
        ShowHint(kHintAirJump, kHintAirJumpCustom);
    else
        ShowHint(kHintJump, kHintJumpCustom);
    if (headJump)
        HeadJump();
}

void cAntlerAncestor::StartAirJump()
{
    if (hintsOn)
        ++airJumpCount;
    airJumpArmed = false;
    starsShowing = true;
    if (Stars())
        Stars()->SetFrame(0);
    starPosition = physicsBody->GetPosition();
    PlaySoundEffect(kSfxCrystal, kQuiet);
    const float fall = physicsBody->GetMass() * GetLinearVelocity().y;
    if (fall < 0.0f)
        physicsBody->ApplyImpulse(0.0f, -fall);
}

void cAntlerAncestor::Land()
{
    cPlayerChar::Land();
    airJumpArmed = true;
    starsShowing = false;
    ShowHint(kHintStand, kHintStandCustom);
}

void cAntlerAncestor::Select()
{
    cPlayerChar::Select();
    if (!hintsOn)
        return;
    ShowLessonBubble(PictureForControls(kHintStand, kHintStandCustom));
    ShowHint(kHintStand, kHintStandCustom);
}

void cAntlerAncestor::ShowHint(int defaultKeys, int customKeys)
{
    if (hintsOn && GetHintBubble())
        GetHintBubble()->SetContent(PictureForControls(defaultKeys, customKeys));
}

// ---- drawing

void cAntlerAncestor::Draw()
{
    cPlayerChar::Draw();
    if (starsShowing && Stars() && !Stars()->IsFinished())
        Stars()->Draw(starPosition.x, starPosition.y, kWhite, kWhite, kWhite, kWhite, 1);
}

void cAntlerAncestor::DrawOverlay()
{
    if (!active || !GetHintBubble())
        return;
    const b2Vec2 position = GetPosition();
    GetHintBubble()->Draw(static_cast<int>(position.x - 8.0f), static_cast<int>(position.y + 19.0f));
}

// ---- the tick

int cAntlerAncestor::Update(int dtMs)
{
    if (!BeginTick())
        return RESULT_NONE;
    if (GetHintBubble())
        AdvanceHintBubble(dtMs);
    const b2Vec2 v = GetLinearVelocity();
    DampHorizontal();
    if (hintsOn && airJumpCount > kAirJumpsUntilHintsEnd && GetHintBubble()) {
        hintsOn = false;
        GetHintBubble()->Hide();
    }
    if (state == PLAYER_JUMP) {
        // Rising straight up keeps whichever jump picture shows.
        if (!headJumping && v.x != 0.0f)
            SetAnimation(v.x < 0.0f ? ANIM_JUMP_LEFT : ANIM_JUMP_RIGHT, true);
    } else if (const int result = UpdateState(v, dtMs)) {
        return result;
    }
    if (v.y < kFallStartSpeed && state != PLAYER_FALL)
        Fall();
    if (animations.GetCurrent())
        animations.GetCurrent()->Update(dtMs);
    if (starsShowing && Stars())
        Stars()->Update(dtMs);
    return RESULT_NONE;
}

#include "actors/PlayerChar.h"

#include "actors/AreaExit.h"
#include "actors/CharacterContact.h"
#include "actors/CharacterFile.h"
#include "actors/CharacterMotion.h"
#include "actors/CharacterSounds.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/HintBubble.h"
#include "engine/PhysicsBody.h"

#include <cstdio>

namespace {

enum eCharacterId { BROWN = 0, ORANGE = 1, GRAY = 2 };

constexpr float kQuiet = 0.4f;
constexpr float kLoud = 0.7f;

/// An exit tree chews this long when the character inside it is no longer the player's.
constexpr int kDeselectChewMs = 800;

constexpr int kWhite = 255;

} // namespace

cPlayerChar::cPlayerChar()
{
    SetKind(KIND_CHARACTER);
}

cPlayerChar::~cPlayerChar() = default;

// ---- loading

bool cPlayerChar::LoadFromXml(const QString& path)
{
    animations.Clear();
    sCharacterFile file;
    if (!file.Read(path, animations)) {
        DiscardBody();
        return false;
    }
    id = file.id;
    switchInfoIndex = file.switchInfoIndex;
    // A body made by an earlier load is kept.
    if (file.HasBody())
        CreatePhysicsBody(file.bodyWidth, file.bodyHeight, BODY_PLATFORM, file.density, file.friction);
    bubble.Reset(switchInfoIndex);
    return true;
}

void cPlayerChar::DiscardBody()
{
    cPhysicsActor::RemoveFromWorld();
    delete physicsBody;
    physicsBody = nullptr;
}

// ---- placing

void cPlayerChar::Reset()
{
    bubble.Reset(switchInfoIndex);
    state = PLAYER_STAND;
    facing = FACING_NONE;
    animations.ShowNone();
    active = false;
    present = false;
    headJumping = false;
    mayMetamorphose = true;
    // A character that left the last area in the middle of an idle or a death must not carry it
    // into the next one.
    idleTimer.Reset();
    respawn = false;
    droppedThisTick = false;
    removalPending = false;
    cPhysicsActor::RemoveFromWorld();
    storedPosition.SetZero();
    carried = 0;
    drawOrder = 0;
    DeleteHintBubble();
    exit = nullptr;
}

void cPlayerChar::Init(physics::World* world, float x, float y)
{
    CreateBody(world, x, y);
}

void cPlayerChar::CreateBody(physics::World* world, float x, float y)
{
    if (!physicsBody) {
        std::printf("\n ERROR: A character without a body cannot enter the world \n\n");
        return;
    }
    physicsBody->CreateInWorld(world, x, y, true);
    exit = nullptr;
    removalPending = false;
    active = true;
    present = true;
    facing = FACING_NONE;
    state = PLAYER_STAND;
    headJumping = false;
    idleTimer.Reset();
    carried = 0;
    drawOrder = static_cast<int>(y);
    Stand();
}

b2Vec2 cPlayerChar::GetPosition() const
{
    return HasBody() ? cPhysicsActor::GetPosition() : storedPosition;
}

void cPlayerChar::SetPosition(float x, float y)
{
    storedPosition.Set(x, y);
    cPhysicsActor::SetPosition(x, y);
}

void cPlayerChar::RemoveFromWorld()
{
    removalPending = true;
    storedPosition = GetPosition();
}

bool cPlayerChar::IsBatKing() const
{
    return id == GRAY && ancestorForm;
}

// ---- contacts

void cPlayerChar::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    cCharacterContact(*this, *other).Begin();
}

void cPlayerChar::OnContactRemove(cPhysicsBody* other)
{
    cCharacterContact(*this, *other).End();
}

void cPlayerChar::OnHeadJumped()
{
    state = PLAYER_STAND;
    // Showing the squashed picture before landing keeps the landing silent.
    SetAnimation(ANIM_HEAD_JUMPED_ON, true);
    Land();
    SetAnimation(ANIM_HEAD_JUMPED_ON, true);
    PlayEffectForId(SFX_HEAD_JUMPED, kLoud);
    facing = FACING_NONE;
}

// ---- animations and sounds

void cPlayerChar::SetAnimation(int index, bool restart)
{
    if (!ancestorForm && animations.GetIndex() == ANIM_SPECIAL)
        return;
    if (index == ANIM_IDLE_YAWN) {
        const sCharacterVoice voice = IdleVoice(id, ancestorForm);
        if (voice.effect >= 0)
            PlaySoundEffect(voice.effect, voice.volume);
    }
    if (index >= ANIM_IDLE_YAWN && index <= ANIM_IDLE_LOOK)
        idleTimer.SetPlaying();
    animations.Show(index, restart);
}

void cPlayerChar::SwitchAnimation(int index)
{
    if (animations.GetIndex() != index)
        SetAnimation(index, true);
}

int cPlayerChar::ByFacing(int left, int right, int none) const
{
    return facing == FACING_LEFT ? left : facing == FACING_RIGHT ? right : none;
}

int cPlayerChar::BySpeed(float vx, int left, int right, int none) const
{
    return vx < 0.0f ? left : vx > 0.0f ? right : ByFacing(left, right, none);
}

void cPlayerChar::PlayEffectForId(int base, float volume) const
{
    if (id >= BROWN && id <= GRAY)
        PlaySoundEffect(base + id, volume);
}

// ---- drawing

void cPlayerChar::Draw()
{
    if (!active || !animations.GetCurrent())
        return;
    const b2Vec2 position = GetPosition();
    animations.GetCurrent()->DrawF(position.x, position.y, kWhite, kWhite, kWhite, kWhite, 1);
}

void cPlayerChar::DrawOverlay()
{
    if (!active || !GetHintBubble())
        return;
    const b2Vec2 position = GetPosition();
    GetHintBubble()->Draw(static_cast<int>(position.x - 8.0f), static_cast<int>(position.y + 16.0f));
}

void cPlayerChar::DrawScaled(float x, float y, float scale)
{
    if (!active)
        return;
    const int s = static_cast<int>(scale);
    if (animations.GetCurrent())
        animations.GetCurrent()->DrawScaled(x, y, s, kWhite, kWhite, kWhite, kWhite);
    if (GetHintBubble())
        GetHintBubble()->DrawScaled(static_cast<int>(x), static_cast<int>(y + 20.0f * scale), s);
}

// ---- movement

void cPlayerChar::Stand()
{
    if (state == PLAYER_ENTER_EXIT || state == PLAYER_IN_EXIT || state == PLAYER_METAMORPHOSIS)
        return;
    if (state == PLAYER_STAND && idleTimer.IsPlaying())
        return;
    SetAnimation(ByFacing(ANIM_STAND_LEFT, ANIM_STAND_RIGHT, ANIM_STAND), true);
    idleTimer.WaitAfterStanding();
    facing = FACING_NONE;
    state = PLAYER_STAND;
}

void cPlayerChar::Walk(int direction)
{
    const bool changed = direction != facing;
    facing = direction;
    const bool canStart = present && state != PLAYER_JUMP && state != PLAYER_FALL && state != PLAYER_METAMORPHOSIS;
    if ((changed || state != PLAYER_WALK) && canStart) {
        headJumping = false;
        SwitchAnimation(direction == FACING_RIGHT ? ANIM_WALK_RIGHT : ANIM_WALK_LEFT);
        state = PLAYER_WALK;
    }
    if (!HasBody())
        return;
    const float push = direction == FACING_LEFT ? -kWalkImpulse : direction == FACING_RIGHT ? kWalkImpulse : 0.0f;
    physicsBody->ApplyImpulse(push, 0.0f);
    const b2Vec2 v = GetLinearVelocity();
    SetLinearVelocity(ClampedWalkSpeed(v.x), v.y);
}

void cPlayerChar::DampHorizontal()
{
    if (!HasBody())
        return;
    const b2Vec2 v = GetLinearVelocity();
    if (v.x == 0.0f)
        return;
    const float slowed = SlowedSpeed(v.x);
    SetLinearVelocity(slowed, v.y);
    if (slowed == 0.0f && state != PLAYER_JUMP && state != PLAYER_FALL && state != PLAYER_LAND)
        Stand();
}

bool cPlayerChar::CanJump() const
{
    return HasBody() && (state == PLAYER_STAND || state == PLAYER_WALK || state == PLAYER_LAND);
}

void cPlayerChar::Jump(bool headJump)
{
    if (!CanJump())
        return;
    PlaySoundEffect(SFX_JUMP, kQuiet);
    state = PLAYER_JUMP;
    physicsBody->ApplyImpulse(0.0f, kJumpImpulse);
    const b2Vec2 center = GetCenter();
    physicsBody->SetCenter(center.x, center.y - kJumpTakeOffDrop);
    const float vx = GetLinearVelocity().x;
    SetAnimation(vx < 0.0f ? ANIM_JUMP_LEFT : vx > 0.0f ? ANIM_JUMP_RIGHT : ANIM_JUMP, true);
    if (headJump)
        HeadJump();
}

void cPlayerChar::HeadJump()
{
    if (state != PLAYER_JUMP && state != PLAYER_FALL)
        return;
    headJumping = true;
    SetAnimation(ANIM_HEAD_JUMP, true);
}

void cPlayerChar::Fall()
{
    if (state == PLAYER_FALL || state == PLAYER_ENTER_EXIT || state == PLAYER_METAMORPHOSIS)
        return;
    state = PLAYER_FALL;
    if (!headJumping)
        SetAnimation(BySpeed(GetLinearVelocity().x, ANIM_FALL_LEFT, ANIM_FALL_RIGHT, ANIM_FALL), true);
}

void cPlayerChar::UpdateAir()
{
    const b2Vec2 v = GetLinearVelocity();
    if (v.y >= 0.0f) {
        Land();
        return;
    }
    if (v.y > kSlowestFallSpeed)
        SetLinearVelocity(v.x, kSlowestFallSpeed);
    if (headJumping)
        return;
    const int fall = BySpeed(v.x, ANIM_FALL_LEFT, ANIM_FALL_RIGHT, -1);
    if (fall >= 0)
        SetAnimation(fall, true);
}

void cPlayerChar::Land()
{
    drawOrder = static_cast<int>(GetPosition().y);
    if (state == PLAYER_LAND || state == PLAYER_METAMORPHOSIS)
        return;
    state = PLAYER_LAND;
    SetLinearVelocity(GetLinearVelocity().x, 0.0f);
    if (!headJumping && animations.GetIndex() != ANIM_HEAD_JUMPED_ON) {
        if (ancestorForm)
            PlayEffectForId(SFX_LAND_FORM, kQuiet);
        else
            PlaySoundEffect(SFX_LAND, kQuiet);
    }
    SetAnimation(headJumping ? ANIM_HEAD_JUMP : ByFacing(ANIM_LAND_LEFT, ANIM_LAND_RIGHT, ANIM_LAND), true);
}

// ---- leaving the world

void cPlayerChar::Metamorphose()
{
    if (state == PLAYER_ENTER_EXIT || state == PLAYER_IN_EXIT || state == PLAYER_METAMORPHOSIS || !mayMetamorphose)
        return;
    PlaySoundEffect(ancestorForm ? SFX_TRANSFORM_OUT : SFX_TRANSFORM_IN, kQuiet);
    state = PLAYER_METAMORPHOSIS;
    SetLinearVelocity(0.0f, 0.0f);
    present = false;
    SetAnimation(ANIM_METAMORPHOSIS, true);
    RemoveFromWorld();
}

void cPlayerChar::Die(bool withRespawn)
{
    if (state == PLAYER_DIE)
        return;
    headJumping = false;
    present = false;
    if (withRespawn)
        respawn = true;
    SetAnimation(ANIM_DIE, true);
    state = PLAYER_DIE;
    RemoveFromWorld();
}

void cPlayerChar::EnterExit(cAreaExit* tree)
{
    PlayEffectForId(SFX_ENTER_TREE, kQuiet);
    headJumping = false;
    SetAnimation(ANIM_ENTER_EXIT, true);
    present = false;
    state = PLAYER_ENTER_EXIT;
    exit = tree;
    RemoveFromWorld();
}

void cPlayerChar::Deselect()
{
    if (state == PLAYER_IN_EXIT && exit) {
        active = false;
        exit->CloseMouth(kDeselectChewMs, true);
    }
    headJumping = false;
    HideInfoBubble();
}

void cPlayerChar::Select()
{
    if (state == PLAYER_STAND && !idleTimer.IsPlaying()) {
        facing = FACING_NONE;
        SetAnimation(ANIM_STAND, true);
    }
    if (state == PLAYER_IN_EXIT && exit) {
        active = true;
        facing = FACING_NONE;
        SetAnimation(ANIM_APPEAR_IN_MOUTH, true);
        exit->OpenMouth(true);
        // Without a body the character is drawn at its stored corner: in the tree's mouth.
        storedPosition = exit->GetMouthPosition();
    }
    ShowInfoBubble();
}

void cPlayerChar::ShowLessonBubble(int content)
{
    cCharacterBubble lesson;
    lesson.SetContent(content);
    lesson.Show(*this);
}

void cPlayerChar::LeaveExit()
{
    if (exit)
        exit->ReleaseCharacter(id);
}

void cPlayerChar::IncCarried()
{
    ++carried;
}

void cPlayerChar::DecCarried()
{
    --carried;
}

// ---- the tick

int cPlayerChar::Update(int dtMs)
{
    if (!BeginTick())
        return RESULT_NONE;
    if (active && animations.GetCurrent())
        animations.GetCurrent()->Update(dtMs);
    if (GetHintBubble()) {
        bubble.SetContent(switchInfoIndex);
        AdvanceHintBubble(dtMs);
    }
    const b2Vec2 v = GetLinearVelocity();
    DampHorizontal();
    if (const int result = UpdateState(v, dtMs))
        return result;
    if (v.y < kFallStartSpeed && state != PLAYER_FALL)
        Fall();
    return RESULT_NONE;
}

bool cPlayerChar::BeginTick()
{
    DestroyPendingBody();
    if (!active && !present)
        return false;
    return active || state != PLAYER_IN_EXIT;
}

void cPlayerChar::DestroyPendingBody()
{
    if (!removalPending)
        return;
    cPhysicsActor::RemoveFromWorld();
    removalPending = false;
}

void cPlayerChar::AdvanceHintBubble(int dtMs)
{
    if (GetHintBubble()->Update(dtMs) == cHintBubble::RESULT_DONE)
        DeleteHintBubble();
}

int cPlayerChar::UpdateState(const b2Vec2& v, int dtMs)
{
    switch (state) {
    case PLAYER_STAND:
        UpdateIdle(dtMs);
        break;
    case PLAYER_WALK:
        if (v.x == 0.0f)
            Stand();
        break;
    case PLAYER_JUMP:
        // The jump animations have one frame; restarting them costs nothing.
        if (!headJumping) {
            const int jump = BySpeed(v.x, ANIM_JUMP_LEFT, ANIM_JUMP_RIGHT, -1);
            if (jump >= 0)
                SetAnimation(jump, true);
        }
        break;
    case PLAYER_FALL:
        UpdateAir();
        break;
    case PLAYER_LAND:
        if (animations.IsCurrentFinished()) {
            headJumping = false;
            Stand();
        }
        break;
    case PLAYER_DIE:
        if (respawn) {
            respawn = false;
            return RESULT_DIED;
        }
        if (animations.IsCurrentFinished()) {
            active = false;
            return RESULT_DEATH_OVER;
        }
        break;
    case PLAYER_ENTER_EXIT:
        if (animations.IsCurrentFinished()) {
            active = false;
            state = PLAYER_IN_EXIT;
            present = true;
            return RESULT_ENTERED_EXIT;
        }
        break;
    case PLAYER_METAMORPHOSIS:
        if (animations.IsCurrentFinished()) {
            active = false;
            return MetamorphosisResult();
        }
        break;
    default:
        break;
    }
    return RESULT_NONE;
}

int cPlayerChar::UpdateStateAsForm(const b2Vec2& v, int dtMs)
{
    switch (state) {
    case PLAYER_LAND:
        if (animations.IsCurrentFinished())
            Stand();
        return RESULT_NONE;
    case PLAYER_IN_EXIT:
        if (headJumping)
            SwitchAnimation(ANIM_HEAD_JUMP);
        return RESULT_NONE;
    default:
        return UpdateState(v, dtMs);
    }
}

int cPlayerChar::MetamorphosisResult() const
{
    static const int kIntoForm[] = {RESULT_BROWN_BECAME_ANTLER, RESULT_ORANGE_BECAME_SPIRIT,
                                    RESULT_GRAY_BECAME_BAT_KING};
    static const int kBack[] = {RESULT_ANTLER_TURNED_BACK, RESULT_SPIRIT_TURNED_BACK, RESULT_BAT_KING_TURNED_BACK};
    if (id < BROWN || id > GRAY)
        return RESULT_NONE;
    return ancestorForm ? kBack[id] : kIntoForm[id];
}

void cPlayerChar::UpdateIdle(int dtMs)
{
    if (animations.GetIndex() == ANIM_SPECIAL)
        return;
    if (idleTimer.Expire(dtMs, carried > 0)) {
        SetAnimation(ANIM_IDLE_YAWN + cIdleTimer::PickIdle(), true);
    } else if (idleTimer.IsPlaying() && animations.IsCurrentFinished()) {
        facing = FACING_NONE;
        SetAnimation(ANIM_STAND, true);
        idleTimer.WaitAfterIdle();
    }
}

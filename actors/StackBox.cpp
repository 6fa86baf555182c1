#include "actors/StackBox.h"

#include "actors/CommonHeartBox.h"
#include "actors/PlayerChar.h"
#include "actors/SharedActors.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/PhysicsBody.h"

namespace {

/// The blueprint of a stack box of type t is the one of type t + 7.
constexpr uint16_t kBluePrintOffset = 7;

/// Who each type wants where (-1 anyone) and how many of them, from the top, change form. The
/// middle cell's indicator names the top character and the bottom cell's the middle one. Type 4
/// shows brown over orange, as its rule asks, so that its tower can be built.
struct sStackRule
{
    int top, middle, bottom;
    int changing;
};
constexpr sStackRule kRules[] = {
    {0, -1, -1, 1}, {1, -1, -1, 1}, {2, -1, -1, 1}, {-1, -1, -1, 0},
    {0, 1, -1, 2},  {0, 2, -1, 2},  {1, 2, -1, 2},  {0, 1, 2, 3},
};
constexpr sStackRule kNoRule = {-1, -1, -1, 0};

const sStackRule& RuleOf(uint16_t type)
{
    return type < sizeof(kRules) / sizeof(kRules[0]) ? kRules[type] : kNoRule;
}

int IndicatorFor(int id)
{
    return id < 0 ? StackSensor::INDICATOR_ANY : StackSensor::INDICATOR_BROWN + id;
}

enum eStackEffect { SFX_STEP = 1, SFX_HEAD_JUMP = 5, SFX_INCOMPLETE = 14 };
constexpr float kStepVolume = 0.32f;
constexpr float kHeadJumpVolume = 0.2f;
constexpr float kIncompleteVolume = 0.7f;

} // namespace

cStackBox::cStackBox(physics::World* world, float x, float y, uint16_t boxType) : type(boxType)
{
    SetKind(KIND_STACK_BOX);
    const CommonHeartBox* blueprint = FindBoxBluePrint(static_cast<uint16_t>(type + kBluePrintOffset));
    if (blueprint) {
        animations = blueprint->GetAnimations();
        ShowLook(0);
        CreatePhysicsBody(blueprint->GetWidth(), blueprint->GetHeight(), BODY_PLATFORM, blueprint->GetDensity(),
                          blueprint->GetFriction());
        physicsBody->CreateInWorld(world, x, y, false);
    }
    // Without a pedestal nobody could build the tower: the cells stay out of the world.
    physics::World* cellWorld = blueprint ? world : nullptr;
    bottom = std::make_unique<StackSensor>(this, cellWorld, x, y, StackSensor::BOTTOM);
    middle = std::make_unique<StackSensor>(this, cellWorld, x, y, StackSensor::MIDDLE);
    top = std::make_unique<StackSensor>(this, cellWorld, x, y, StackSensor::TOP);
}

cStackBox::~cStackBox() = default;

StackSensor& cStackBox::GetSensor(StackSensor::ePosition position)
{
    return position == StackSensor::TOP ? *top : position == StackSensor::MIDDLE ? *middle : *bottom;
}

cPlayerChar* cStackBox::At(StackSensor::ePosition position) const
{
    const StackSensor& cell = position == StackSensor::TOP ? *top : position == StackSensor::MIDDLE ? *middle : *bottom;
    return cell.GetOccupant();
}

void cStackBox::ShowLook(size_t i)
{
    currentAnimation = i < animations.size() ? animations[i] : nullptr;
}

void cStackBox::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    const auto* character = dynamic_cast<const cPlayerChar*>(other->GetOwner());
    if (character && character->IsHeadJumping())
        PlaySoundEffect(SFX_HEAD_JUMP, kHeadJumpVolume);
    else
        PlaySoundEffect(SFX_STEP, kStepVolume);
}

void cStackBox::UpdateIndicators()
{
    const sStackRule& rule = RuleOf(type);
    middle->SetIndicator(IndicatorFor(rule.top));
    bottom->SetIndicator(IndicatorFor(rule.middle));
    top->SetRequiredId(rule.top);
    middle->SetRequiredId(rule.middle);
}

bool cStackBox::HoldsAncestorForm() const
{
    for (StackSensor::ePosition p : {StackSensor::BOTTOM, StackSensor::MIDDLE, StackSensor::TOP}) {
        if (const cPlayerChar* c = At(p); c && c->IsAncestorForm())
            return true;
    }
    return false;
}

bool cStackBox::IsFull() const
{
    return At(StackSensor::BOTTOM) && At(StackSensor::MIDDLE) && At(StackSensor::TOP);
}

void cStackBox::Check(cPlayerChar*, int)
{
    if (!armed)
        return;
    UpdateIndicators();
    if (HoldsAncestorForm())
        return;
    if (!IsFull()) {
        PlaySoundEffect(SFX_INCOMPLETE, kIncompleteVolume);
        return;
    }
    const int b = At(StackSensor::BOTTOM)->GetId();
    const int m = At(StackSensor::MIDDLE)->GetId();
    const int t = At(StackSensor::TOP)->GetId();
    if (b == m || m == t || b == t)
        return;
    if (!ApplyRule())
        return;
    solved = true;
    armed = false;
}

bool cStackBox::ApplyRule()
{
    const sStackRule& rule = RuleOf(type);
    cPlayerChar* tower[] = {At(StackSensor::TOP), At(StackSensor::MIDDLE), At(StackSensor::BOTTOM)};
    const int wanted[] = {rule.top, rule.middle, rule.bottom};
    for (int i = 0; i < 3; ++i) {
        if (wanted[i] >= 0 && tower[i]->GetId() != wanted[i])
            return false;
    }
    for (int i = 0; i < rule.changing; ++i)
        tower[i]->Metamorphose();
    return true;
}

void cStackBox::AdvanceCells(int dtMs)
{
    for (StackSensor* cell : {bottom.get(), middle.get(), top.get()})
        cell->ReleaseIfGone();
    if (!armed)
        return;
    middle->Update(dtMs);
    bottom->Update(dtMs);
}

int cStackBox::Update(int dtMs)
{
    AdvanceCells(dtMs);
    if (!solved)
        return -1;
    solved = false;
    return type;
}

void cStackBox::Draw()
{
    if (currentAnimation) {
        const b2Vec2 at = GetPosition();
        currentAnimation->DrawF(at.x, at.y, 255, 255, 255, 255, 1);
    }
    if (!armed || At(StackSensor::TOP))
        return;
    const cPlayerChar* m = At(StackSensor::MIDDLE);
    const cPlayerChar* b = At(StackSensor::BOTTOM);
    if (m && b) {
        // The same character twice is no tower: nothing to point at.
        if (m->GetId() != b->GetId())
            middle->Draw();
        return;
    }
    bottom->Draw();
}

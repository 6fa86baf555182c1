#include "actors/BatKing.h"

#include "actors/BatLandBubble.h"
#include "actors/CharacterMotion.h"
#include "engine/Animation.h"
#include "engine/MathUtil.h"

#include <algorithm>

cBatKing::cBatKing()
{
    ancestorForm = true;
}

cBatKing::~cBatKing() = default;

void cBatKing::Reset()
{
    cPlayerChar::Reset();
    bubbleTimer = 0;
    bubbles.clear();
}

void cBatKing::CreateBody(physics::World* world, float x, float y)
{
    cPlayerChar::CreateBody(world, x, y);
    if (!HasBody())
        return;
    bubbleTimer = 0;
    AddBubble(x, y);
}

// ---- leaving the world

void cBatKing::Metamorphose()
{
    cPlayerChar::Metamorphose();
    if (state == PLAYER_METAMORPHOSIS)
        EndBubbles(kMetamorphosisEndSpeed);
}

void cBatKing::Die(bool respawn)
{
    cPlayerChar::Die(respawn);
    EndBubbles(kEndSpeed);
}

void cBatKing::EnterExit(cAreaExit* exit)
{
    cPlayerChar::EnterExit(exit);
    EndBubbles(kEndSpeed);
}

// ---- the bubbles

void cBatKing::AddBubble(float x, float y)
{
    const float ox = static_cast<float>(static_cast<int>(RandomFloat(-kBubbleSpread, kBubbleSpread)));
    const float oy = static_cast<float>(static_cast<int>(RandomFloat(-kBubbleSpread, kBubbleSpread)));
    bubbles.push_back(std::make_unique<cBatLandBubble>(x, y, ox, oy));
}

void cBatKing::EndBubbles(float speed)
{
    for (const auto& bubble : bubbles)
        bubble->EndWith(speed);
}

bool cBatKing::HasVisibleBubble() const
{
    return std::any_of(bubbles.begin(), bubbles.end(), [](const auto& b) { return b->GetRadius() > 0.0f; });
}

void cBatKing::UpdateBubbles(int dtMs)
{
    bubbleTimer += dtMs;
    // Out of the world the bubbles stay where the bat king left.
    const bool follow = HasBody();
    const b2Vec2 center = GetCenter();
    const auto ended = std::remove_if(bubbles.begin(), bubbles.end(), [&](const auto& bubble) {
        return bubble->Update(follow, center.x, center.y) == cBatLandBubble::RESULT_GONE;
    });
    const bool removed = ended != bubbles.end();
    bubbles.erase(ended, bubbles.end());

    const bool leaving = state == PLAYER_DIE || state == PLAYER_ENTER_EXIT || state == PLAYER_METAMORPHOSIS;
    if (bubbleTimer > kBubbleIntervalMs && !leaving && GetBubbleCount() < kMaxBubbles) {
        bubbleTimer = 0;
        if (!removed)
            AddBubble(center.x, center.y);
    }
}

void cBatKing::DrawBubbles(cImage* picture) const
{
    if (!picture)
        return;
    for (const auto& bubble : bubbles)
        bubble->Draw(picture);
}

bool cBatKing::BubbleContains(const cPhysicsBody* body) const
{
    return std::any_of(bubbles.begin(), bubbles.end(), [&](const auto& b) { return b->Contains(body); });
}

// ---- the tick

int cBatKing::Update(int dtMs)
{
    if (!BeginTick())
        return RESULT_NONE;
    if (active && animations.GetCurrent())
        animations.GetCurrent()->Update(dtMs);
    if (GetHintBubble())
        AdvanceHintBubble(dtMs);
    if (state != PLAYER_IN_EXIT)
        UpdateBubbles(dtMs);
    const b2Vec2 v = GetLinearVelocity();
    DampHorizontal();
    if (const int result = UpdateFormState(v, dtMs))
        return result;
    if (v.y < kFallStartSpeed && state != PLAYER_FALL)
        Fall();
    return RESULT_NONE;
}

int cBatKing::UpdateFormState(const b2Vec2& v, int dtMs)
{
    switch (state) {
    case PLAYER_DIE:
    case PLAYER_ENTER_EXIT:
        if (!respawn && animations.IsCurrentFinished())
            bubbles.clear();
        return UpdateStateAsForm(v, dtMs);
    case PLAYER_METAMORPHOSIS:
        // The bat land closes with the bubbles, before the gray character comes back.
        return HasVisibleBubble() ? 0 : UpdateStateAsForm(v, dtMs);
    default:
        return UpdateStateAsForm(v, dtMs);
    }
}

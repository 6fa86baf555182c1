#include "actors/Level0EnterTree.h"

#include "actors/PlayerChar.h"
#include "actors/ScoreIndicator.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/PhysicsBody.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kJumpEffect = 77;
constexpr float kJumpVolume = 0.4f;
constexpr int kHeartLossEffect = 21;
constexpr float kHeartLossVolume = 0.4f;
/// Hearts it can win: the two pink ones of the first area.
constexpr int kMaxScore = 2;
/// Its opening and closing sounds are a tree's.
constexpr int kTreeType = 0;
/// The rise per tick: 3.35 units per second to the right, 9 upwards.
constexpr float kRiseX = 0.067f;
constexpr float kRiseY = 0.18f;
/// Tile rows are drawn from the top; the top row's foot lies this high above the tree's corner.
constexpr int kTopRowY = 160;
constexpr int kWhite = 255;

} // namespace

cLevel0EnterTree::cLevel0EnterTree(const QString& file, physics::World* world, float x, float y)
{
    LoadFromXml(file, world, x, y);
    SetMouthAnimation(EXIT_ANIM_NEUTRAL, true);
    if (scoreIndicator)
        scoreIndicator->SetMaxScore(kMaxScore);
    type = kTreeType;
}

cLevel0EnterTree::~cLevel0EnterTree() = default;

void cLevel0EnterTree::OnContactAdd(cPhysicsBody*, const physics::ContactPoint*)
{
}

void cLevel0EnterTree::OnContactRemove(cPhysicsBody*)
{
}

void cLevel0EnterTree::OnContactPersist(cPhysicsBody*, const physics::ContactPoint*)
{
}

int cLevel0EnterTree::Update(int dtMs)
{
    if (mouthState == MOUTH_JUMPING && !jumped) {
        cAnimation* leap = looks.GetDay();
        if (leap)
            leap->Update(static_cast<unsigned int>(dtMs));
        if (!leap || leap->IsFinished()) {
            mouthState = MOUTH_NEUTRAL;
            SetMouthAnimation(EXIT_ANIM_NEUTRAL, true);
            jumped = true;
            return RESULT_JUMP_OVER;
        }
        return RESULT_NONE;
    }
    if (rising)
        MoveBy(kRiseX, kRiseY);
    cAreaExit::Update(dtMs);
    // Each timer acts in the tick after the one that brought it to 0.
    if (openTimer > 0) {
        openTimer = std::max(0, openTimer - dtMs);
    } else if (openTimer == 0) {
        OpenMouth(false);
        openTimer = -1;
        releaseTimer = kReleaseMs;
    }
    if (releaseTimer > 0) {
        releaseTimer = std::max(0, releaseTimer - dtMs);
    } else if (releaseTimer == 0 && !swallowed.empty()) {
        releaseTimer = -1;
        const int id = swallowed.front()->GetId();
        ReleaseCharacter(id);
            return id;
    }
    return RESULT_NONE;
}

void cLevel0EnterTree::MoveBy(float dx, float dy)
{
    if (physicsBody) {
        const b2Vec2 center = physicsBody->GetCenter();
        physicsBody->SetCenter(center.x + dx, center.y + dy);
    }
    if (scoreIndicator) {
        const b2Vec2 at = scoreIndicator->GetPosition();
        scoreIndicator->SetPosition(at.x + dx, at.y + dy);
    }
}

void cLevel0EnterTree::CountHeart(int value)
{
    if (scoreIndicator)
        scoreIndicator->AddScore(value);
    lastHeartValue = value;
    if (value >= 1)
        PlayHeartGainSound();
    else
        PlaySoundEffect(kHeartLossEffect, kHeartLossVolume);
}

void cLevel0EnterTree::EatHeart(int value)
{
    CountHeart(value);
    // A heart that arrives while the mouth is full counts, but lets nobody out.
    if (mouthState == MOUTH_CHEWING || mouthState == MOUTH_JUMPING)
        return;
    // The reaction's timer runs on from where it stood, so the expression may follow at once.
    mouthState = MOUTH_REACTING;
    if (value == 1 && !swallowed.empty() && swallowed.front()->GetId() != 0)
        openTimer = kHeartOpenMs;
}

void cLevel0EnterTree::Enqueue(cPlayerChar* character)
{
    swallowed.push_back(character);
}

void cLevel0EnterTree::StartJump()
{
    if (jumped)
        return;
    mouthState = MOUTH_JUMPING;
    PlaySoundEffect(kJumpEffect, kJumpVolume);
    SetMouthAnimation(ANIM_JUMP, true);
}

void cLevel0EnterTree::OpenMouth(bool again)
{
    if (mouthState != MOUTH_JUMPING)
        cAreaExit::OpenMouth(again);
}

void cLevel0EnterTree::CloseMouth(int timeMs)
{
    if (mouthState != MOUTH_JUMPING)
        cAreaExit::CloseMouth(timeMs, true);
}

void cLevel0EnterTree::Draw()
{
    cAnimation* mouth = looks.GetDay();
    if (!mouth)
        return;
    if (!HasBody())
        std::printf("Area0 HeartTree has no body!\n");
    const b2Vec2 p = GetPosition();
    if (mouthState != MOUTH_JUMPING) {
        for (int row = 0; row < kTileRows; ++row) {
            for (int column = 0; column < kTileColumns; ++column) {
                cAnimation* tile = looks.At(ANIM_FIRST_TILE + column + kTileColumns * row);
                if (tile)
                    tile->Draw(p.x + static_cast<float>(kTileSize * column),
                               p.y + static_cast<float>(kTopRowY - kTileSize * row), kWhite, kWhite, kWhite, kWhite, 1);
            }
        }
    }
    mouth->DrawF(p.x, p.y, kWhite, kWhite, kWhite, kWhite, 1);
    if (mouthState != MOUTH_JUMPING && scoreIndicator)
        scoreIndicator->Draw();
}

void cLevel0EnterTree::DrawIsland()
{
    if (!looks.GetDay())
        return;
    if (!HasBody())
        std::printf("Exit has no body!\n");
    cAnimation* island = looks.At(ANIM_ISLAND);
    if (!island)
        return;
    const b2Vec2 p = GetPosition();
    island->DrawF(p.x, p.y, kWhite, kWhite, kWhite, kWhite, 1);
}

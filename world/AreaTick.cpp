#include "world/AreaTick.h"

#include "world/Area.h"
#include "world/AreaLook.h"
#include "world/AreaRoster.h"
#include "world/CommonResources.h"

#include "actors/AntlerAncestor.h"
#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/BasicPlant.h"
#include "actors/BatKing.h"
#include "actors/Cloud.h"
#include "actors/EmitterBox.h"
#include "actors/FireFly.h"
#include "actors/GlowMushroom.h"
#include "actors/Heart.h"
#include "actors/Lie.h"
#include "actors/Mushroom.h"
#include "actors/NPCFly.h"
#include "actors/InfoTriggerHeartBox.h"
#include "actors/PlayerChar.h"
#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"
#include "actors/StackBoxFrameConfig.h"
#include "actors/Star.h"
#include "actors/WaterArea.h"
#include "actors/WaterBubbles.h"
#include "actors/WaterFallSparkle.h"
#include "audio/AreaSoundPlayer.h"
#include "audio/SoundLibrary.h"
#include "engine/Controls.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"

#include <cstdio>

namespace {

/// The area's sound fades out over this long once the characters are all in an exit.
constexpr unsigned int kLeavingFadeMs = 600;

/// Stars advance by this share of the elapsed time.
constexpr float kStarPace = 0.6f;
/// The heart a dying character loses.
constexpr int kDeathHeartValue = -1;
/// A firefly lets its character down this far to the right of where it vanished.
constexpr float kDropOffset = 3.0f;
/// The fliers circle this far above a sporing mushroom.
constexpr float kSporeHeight = 15.0f;
/// The heart boxes' lesson in the shared bubble list with the default keys.
constexpr int kHeartBoxLesson = 9;
/// A character caught in bat-land terrain as it closes again.
constexpr int kCaughtEffect = 40;
constexpr float kCaughtVolume = 0.4f;

/// Counts towards the characters an exit must hold before the area ends.
bool TakesPart(const cPlayerChar& character)
{
    return character.IsActive() || character.GetState() == PLAYER_IN_EXIT || character.GetState() == PLAYER_DIE;
}

} // namespace

int cAreaTick::Run(int dtMs)
{
    if (area.soundPlayer)
        area.soundPlayer->Update(static_cast<unsigned int>(dtMs));
    if (!area.finishing && IsExitReached()) {
        if (area.soundPlayer)
            area.soundPlayer->FadeOutAll(kLeavingFadeMs);
        area.finishing = true;
    }
    if (area.finishing)
        return cArea::RESULT_LEAVING;
    if (area.paused)
        return cArea::RESULT_NONE;
    UpdateSky(dtMs);
    UpdateDayNightBlend();
    int result = UpdateBoxes(dtMs);
    UpdateFireFlies(dtMs);
    UpdateEnterTrees(dtMs);
    UpdateExits(dtMs);
    UpdatePlants(dtMs);
    UpdateInfoBoxes(dtMs);
    UpdateHearts(dtMs);
    if (const int changed = UpdatePlayers(dtMs))
        result = changed;
    UpdateBatLandBodies();
    if (area.lie)
        area.lie->Update(dtMs);
    Step();
    if (result != cArea::RESULT_NONE)
        printf("returning %i \n", result);
    return result;
}

bool cAreaTick::IsExitReached() const
{
    int taking = 0;
    for (const cPlayerChar* player : area.players) {
        if (player && TakesPart(*player))
            ++taking;
    }
    // With nobody left outside, one character in a tree is enough.
    const int needed = taking > 0 ? taking : 1;
    for (const cAreaExit* exit : area.exits) {
        if (exit->HoldsAtLeast(needed))
            return true;
    }
    return false;
}

void cAreaTick::UpdateSky(int dtMs)
{
    // The stars twinkle at a slower pace than the rest of the area.
    const int starMs = static_cast<int>(static_cast<float>(dtMs) * kStarPace);
    for (Star* star : area.stars)
        star->Update(starMs);
    for (cCloud* cloud : area.clouds)
        cloud->Update(dtMs);
    for (NPCFly* fly : area.npcFlies)
        fly->Update(dtMs);
}

void cAreaTick::UpdateDayNightBlend()
{
    if (area.lofSpeed == 0.0f)
        return;
    area.lofWeight += area.lofSpeed;
    if (area.lofWeight > 1.0f) {
        area.lofWeight = 1.0f;
        area.lofSpeed = 0.0f;
    } else if (area.lofWeight < 0.0f) {
        area.lofWeight = 0.0f;
        area.lofSpeed = 0.0f;
    }
}

void cAreaTick::UpdateWater(int dtMs)
{
    for (WaterArea* water : area.waterAreas)
        water->Update(dtMs);
    for (WaterFallSparkle* sparkle : area.sparkles)
        sparkle->Update(dtMs);
    for (WaterBubbles* bubble : area.bubbles)
        bubble->Update(dtMs);
}

int cAreaTick::UpdateBoxes(int dtMs)
{
    for (cEmitterBox* box : area.emitterBoxes)
        box->Update(dtMs);
    UpdateWater(dtMs);
    for (cStackBox* box : area.stackBoxes)
        box->Update(dtMs);
    int result = cArea::RESULT_NONE;
    for (cStackBoxFrameConfig* box : area.frameChangers) {
        const int frameSet = box->Update(dtMs);
        if (frameSet < 0)
            continue;
        area.triggeredFrameSet = frameSet;
        result = cArea::RESULT_FRAME_SET;
    }
    return result;
}

void cAreaTick::UpdateInfoBoxes(int dtMs)
{
    for (cInfoTriggerBox* box : area.infoTriggerBoxes)
        box->Update(dtMs);
    for (cInfoTriggerHeartBox* box : area.infoTriggerHeartBoxes) {
        box->SetInfoValue(customControls ? cArea::kKeyNeutralInfo : kHeartBoxLesson);
        box->Update(dtMs);
    }
}

void cAreaTick::UpdateFireFlies(int dtMs)
{
    for (size_t k = 0; k < area.fireFlies.size(); ++k) {
        FireFly* fireFly = area.fireFlies[k];
        if (fireFly && fireFly->Update(dtMs) == FireFly::RESULT_CHARACTER_BACK)
            BringBack(*fireFly, static_cast<int>(k) + 1);
    }
}

void cAreaTick::BringBack(const FireFly& fireFly, int id)
{
    const cPlayerChar* entry = id < static_cast<int>(area.players.size()) ? area.players[static_cast<size_t>(id)] : nullptr;
    if (!entry || entry->HasBody() || entry->IsAncestorForm())
        return;
    cPlayerChar* character = id == 1 ? roster.GetOrange() : roster.GetGray();
    if (!character)
        return;
    const b2Vec2 corner = fireFly.GetPosition() + b2Vec2(kDropOffset, 0.0f);
    character->Init(area.world.get(), corner.x, corner.y);
    character->SetDroppedThisTick(true);
}

void cAreaTick::UpdateEnterTrees(int dtMs)
{
    const int count = static_cast<int>(area.players.size());
    for (cAreaEnterTree* tree : area.enterTrees) {
        const int released = tree->Update(dtMs);
        if (released < 0 || released >= count)
            continue;
        // The first character out takes control; a forcing tree hands control to each one out.
        if (area.currentPlayer < 0)
            area.currentPlayer = released;
        if (tree->GetForceSwitch())
            roster.SwitchToPlayer(released, false);
    }
}

void cAreaTick::UpdateExits(int dtMs)
{
    for (cAreaExit* exit : area.exits)
        exit->Update(dtMs);
}

void cAreaTick::UpdatePlants(int dtMs)
{
    for (BasicPlant* plant : area.plantsBack)
        plant->Update(dtMs);
    for (BasicPlant* plant : area.plantsFront)
        plant->Update(dtMs);
    for (cMushroom* mushroom : area.mushrooms) {
        const int result = mushroom->Update(dtMs);
        if (result == cMushroom::RESULT_SPORES_START)
            DrawToSpores(*mushroom);
        else if (result == cMushroom::RESULT_SPORES_SPENT)
            ReleaseFromSpores(*mushroom);
    }
    for (cGlowMushroom* mushroom : area.glowMushrooms)
        mushroom->Update(dtMs);
}

void cAreaTick::DrawToSpores(cMushroom& sporing)
{
    const b2Vec2 point = sporing.GetPosition() + b2Vec2(0.0f, kSporeHeight);
    for (NPCFly* fly : area.npcFlies)
        fly->FlyTowards(point.x, point.y);
    for (FireFly* fireFly : area.fireFlies)
        fireFly->FlyTo(point.x, point.y);
    // One mushroom spores at a time.
    for (cMushroom* mushroom : area.mushrooms) {
        if (mushroom != &sporing)
            mushroom->ClearSporeGate();
    }
}

void cAreaTick::ReleaseFromSpores(const cMushroom& spent)
{
    const b2Vec2 point = spent.GetPosition() + b2Vec2(0.0f, kSporeHeight);
    for (NPCFly* fly : area.npcFlies)
        fly->Steer(point.x, point.y);
    for (FireFly* fireFly : area.fireFlies)
        fireFly->FollowTarget();
    for (cMushroom* mushroom : area.mushrooms)
        mushroom->SetSporeGate();
}

void cAreaTick::UpdateHearts(int dtMs)
{
    cAreaExit* first = area.exits.empty() ? nullptr : area.exits.front();
    for (size_t i = 0; i < area.hearts.size();) {
        cHeart* heart = area.hearts[i];
        const int result = heart->Update(dtMs);
        if (result == HEART_LAST_STRETCH && first)
            first->OpenMouth(false);
        if (result != HEART_ARRIVED) {
            ++i;
            continue;
        }
        const int value = heart->GetValue();
        for (cAreaExit* exit : area.exits) {
            if (exit == first)
                exit->EatHeart(value);
            else
                exit->AddScore(value);
        }
        delete heart;
        area.hearts.erase(area.hearts.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

int cAreaTick::UpdatePlayers(int dtMs)
{
    int result = cArea::RESULT_NONE;
    for (size_t i = 0; i < area.players.size(); ++i) {
        cPlayerChar* player = area.players[i];
        if (!player)
            continue;
        if (const int handled = HandlePlayerResult(static_cast<int>(i), player->Update(dtMs)))
            result = handled;
    }
    return result;
}

int cAreaTick::HandlePlayerResult(int i, int result)
{
    cPlayerChar* player = area.players[static_cast<size_t>(i)];
    switch (result) {
    case cPlayerChar::RESULT_ENTERED_EXIT:
        if (i == area.currentPlayer)
            area.SwitchPlayer(true, true, true);
        if (player->GetId() == 2 && area.batLand)
            roster.LeaveBatLand();
        return cArea::RESULT_NONE;
    case cPlayerChar::RESULT_DEATH_OVER:
        Respawn(player);
        return cArea::RESULT_NONE;
    case cPlayerChar::RESULT_DIED: {
        // A green heart flies from where the character died to the exit.
        const b2Vec2 centre = player->GetCenter();
        area.AddHeartAtExit(centre.x, centre.y, kDeathHeartValue, true);
        return cArea::RESULT_NONE;
    }
    case cPlayerChar::RESULT_BROWN_BECAME_ANTLER:
        printf("ANTLER TIME! \n");
        BecomeAntler(i);
        return cArea::RESULT_FORM_CHANGED;
    case cPlayerChar::RESULT_ANTLER_TURNED_BACK:
        printf("AntlerAncestor TIME DONE NOW... \n");
        LeaveAntler(i);
        return cArea::RESULT_FORM_CHANGED;
    case cPlayerChar::RESULT_ORANGE_BECAME_SPIRIT:
        BecomeSpirit(i);
        return cArea::RESULT_NONE;
    case cPlayerChar::RESULT_SPIRIT_TURNED_BACK:
        roster.ReplacePlayer(i, Plain(1));
        StopTheme(1);
        return cArea::RESULT_NONE;
    case cPlayerChar::RESULT_GRAY_BECAME_BAT_KING:
        roster.ReplacePlayer(i, gBatKing);
        roster.EnterBatLand();
        return cArea::RESULT_NONE;
    case cPlayerChar::RESULT_BAT_KING_TURNED_BACK:
        roster.LeaveBatLand();
        roster.ReplacePlayer(i, Plain(2));
        StopTheme(2);
        return cArea::RESULT_NONE;
    default:
        return cArea::RESULT_NONE;
    }
}

cPlayerChar* cAreaTick::Plain(int id) const
{
    return area.resources ? area.resources->GetCharacter(id) : nullptr;
}

void cAreaTick::StopTheme(int id)
{
    if (area.soundPlayer)
        area.soundPlayer->StopSound(id);
}

void cAreaTick::BecomeAntler(int i)
{
    cAreaLook(area).InitiateLoF();
    if (!gAntlerAncestor)
        return;
    gAntlerAncestor->SetShowHints(area.antlerTutorial);
    roster.ReplacePlayer(i, gAntlerAncestor);
    if (area.antlerTutorial)
        gAntlerAncestor->Select();
}

void cAreaTick::LeaveAntler(int i)
{
    cAreaLook(area).InitiateDay();
    roster.ReplacePlayer(i, Plain(0));
    StopTheme(0);
    // The fireflies turn back into the characters they carried.
    for (const cPlayerChar* player : area.players) {
        if (!player || (player->GetId() != 1 && player->GetId() != 2))
            continue;
        const size_t k = static_cast<size_t>(player->GetId() - 1);
        if (k < area.fireFlies.size() && area.fireFlies[k])
            area.fireFlies[k]->Dismiss();
    }
}

void cAreaTick::BecomeSpirit(int i)
{
    if (!gRainbowSpirit)
        return;
    gRainbowSpirit->EnableSpecial(area.spiritTutorial, area.spiritSpecialMode);
    roster.ReplacePlayer(i, gRainbowSpirit);
    if (area.spiritTutorial)
        gRainbowSpirit->Select();
    roster.ArmStackBoxes(false);
}

void cAreaTick::Respawn(cPlayerChar* character)
{
    if (character->GetId() == 0 && !character->IsAncestorForm()) {
        // Orange, standing by, mourns brown.
        cPlayerChar* orange = roster.GetOrange();
        if (orange && orange->GetState() == PLAYER_STAND && !orange->IsAncestorForm())
            orange->SetAnimation(ANIM_IDLE_YAWN, true);
    }
    if (area.enterTree)
        area.enterTree->Enqueue(character);
}

void cAreaTick::UpdateBatLandBodies()
{
    if (!area.batLand)
        return;
    const auto* batKing = dynamic_cast<const cBatKing*>(roster.GetGray());
    for (cPhysicsBody* body : area.bodies) {
        if (body->GetType() != BODY_BAT_SWITCHED)
            continue;
        const bool passable = batKing && batKing->BubbleContains(body);
        body->SetActive(passable, area.world.get());
        if (!passable)
            KillInside(*body);
    }
}

void cAreaTick::KillInside(const cPhysicsBody& body)
{
    const b2Vec2 low = body.GetPosition();
    const b2Vec2 high = low + b2Vec2(body.GetWidth(), body.GetHeight());
    for (cPlayerChar* player : area.players) {
        // Only a body in the world can be caught: one in an exit or out of the area stands nowhere.
        if (!player || !player->HasBody() || player->IsBatKing() || player->GetState() == PLAYER_DIE)
            continue;
        const b2Vec2 c = player->GetCenter();
        if (c.x > low.x && c.x < high.x && c.y > low.y && c.y < high.y) {
            player->Die(true);
            PlaySoundEffect(kCaughtEffect, kCaughtVolume);
        }
    }
}

void cAreaTick::Step()
{
    area.world->Step(physics::kGameTimeStep, physics::kGameVelocityIterations, physics::kGamePositionIterations);
    for (cPlayerChar* player : area.players) {
        if (player)
            player->SetDroppedThisTick(false);
    }
}

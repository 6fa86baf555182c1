#include "world/AreaEnd.h"

#include "world/AreaPainter.h"
#include "world/AreaRoster.h"
#include "world/CommonResources.h"

#include "actors/AntlerAncestor.h"
#include "actors/AreaEndExitTree.h"
#include "actors/AreaEnterTree.h"
#include "actors/FireFly.h"
#include "actors/Heart.h"
#include "actors/PlayerChar.h"
#include "actors/SharedActors.h"
#include "audio/AreaSoundPlayer.h"
#include "audio/SoundLibrary.h"
#include "engine/FontManager.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kStars = 200;
constexpr unsigned int kLeavingFadeMs = 600;
constexpr int kHeartEatenEffect = 80;
constexpr int kRootingEffect = 81;
/// The antler, standing still, blinks a second after the heart flies.
constexpr int kBlinkAfterMs = 1000;
/// From the heart eaten to the fireflies setting off; the camera comes 2 s in.
constexpr int kFireFliesAfterMs = 6000;
constexpr int kCameraAtMs = -4000;
/// The fireflies fly to these points beside and below the tree.
constexpr float kCarrierDx = 28.0f, kCarrierDy = -40.0f;
/// A character is let down this far right of where its firefly vanished, and takes root a
/// little later.
constexpr float kDropDx = 3.0f;
constexpr int kRootAfterMs = 500;
constexpr int kLowerAfterMs = 4000;
constexpr float kLowerBy = 30.0f;
constexpr float kLowerSpeed = 0.1f;
constexpr int kCameraBackAfterMs = 2000;
/// The tree's flight away, and its speed.
constexpr float kFlightX = 280.0f, kFlightY = 210.0f, kFlightSpeed = 0.15f;
/// The texts: the title after 10 s, the prompt and the key 5 s into the title.
constexpr int kTitleAfterMs = 10000;
constexpr int kPromptAfterMs = 5000;
constexpr int kFadeMsPerStep = 50;
constexpr int kTitleScale = 3;
constexpr int kWhite = 255;
/// The extra platform, and the camera marker.
constexpr float kExtraPlatformW = 16.0f, kExtraPlatformH = 4.0f;
constexpr float kMarkerSize = 1.0f;

} // namespace

cAreaEnd::cAreaEnd(std::string file, cCommonResources* shared) : cArea(std::move(file), shared)
{
}

cAreaEnd::~cAreaEnd()
{
    for (FireFly* fireFly : carriers)
        fireFly->Reset();
    if (marker)
        marker->Destroy();
}

bool cAreaEnd::Init(cAudioSystem* audio, bool musicMuted, bool ambienceMuted)
{
    font = std::make_unique<cFontManager>();
    AddStars(kStars);
    currentPlayer = -1;
    soundPlayer = std::make_unique<cAreaSoundPlayer>(audio);
    lofWeight = 0.0f;
    lofSpeed = 0.0f;
    CreateWorld();
    if (!LoadFromFile(fileName)) {
        printf("\nERROR: cAreaEnd::Init() LOADING AREA FROM FILE FAILED! %s \n\n", fileName.c_str());
        return false;
    }
    // The antler comes in through the enter tree and leaves through the heart tree.
    if (!enterTree || !heartTree) {
        printf("\nERROR: %s has no %s; the last area cannot be played \n\n", fileName.c_str(),
               enterTree ? "HeartTreeExit" : "AreaEnterTree");
        return false;
    }
    extraPlatform = new cPhysicsBody(kExtraPlatformW, kExtraPlatformH, BODY_SENSOR, 0.0f, 0.5f, nullptr, false);
    extraPlatform->CreateInWorld(world.get(), kExtraPlatformX, kExtraPlatformY, false);
    bodies.push_back(extraPlatform);
    if (resources) {
        for (int id = 0; id < resources->GetCharacterCount(); ++id)
            players.push_back(resources->GetCharacter(id));
        for (int i = 0; i < resources->GetFireFlyCount(); ++i) {
            FireFly* fireFly = resources->GetFireFly(i);
            carriers.push_back(fireFly);
            fireFly->StartTransition(true);
            fireFly->SetFlag(true);
        }
    }
    const b2Vec2 at = enterTree->GetPosition();
    for (size_t i = 0; i < carriers.size(); ++i) {
        const float side = i == 0 ? -3.0f : 3.0f;
        carriers[i]->Spawn(world.get(), at.x + side, at.y + side);
        carriers[i]->StartTransition(false);
    }
    if (gAntlerAncestor && !players.empty()) {
        gAntlerAncestor->SetMayMetamorphose(false);
        players[0] = gAntlerAncestor;
        enterTree->Enqueue(gAntlerAncestor);
    }
    soundPlayer->Start(musicMuted, ambienceMuted);
    return true;
}

bool cAreaEnd::LoadFromFile(const std::string& path)
{
    if (resources)
        resources->ResetCharacters();
    if (gAntlerAncestor)
        gAntlerAncestor->SetMayMetamorphose(false);
    return LoadAreaFile(this, path);
}

bool cAreaEnd::CreateExitTree(const QString& file, int x, int y, bool activated, const std::string& destination)
{
    auto* tree = new cAreaEndExitTree(file, world.get(), static_cast<float>(x), static_cast<float>(y), activated,
                                      destination);
    tree->SetMaxScore(1);
    // The heart tree is the only way out.
    DeleteAll(exits);
    exits.push_back(tree);
    heartTree = tree;
    return true;
}

void cAreaEnd::StartEnding()
{
    if (phase == PHASE_ENDING)
        return;
    if (cPlayerChar* brown = cAreaRoster(*this).GetBrown())
        brown->SetPresent(false);
    phase = PHASE_ENDING;
    subStep = 0;
    timer = -kBlinkAfterMs;
}

int cAreaEnd::Update(int dtMs)
{
    if (!heartTree)
        return cArea::Update(dtMs);
    for (const cHeart* heart : hearts) {
        if (heart->IsTravelling() && heart->GetValue() > 0 && phase != PHASE_ENDING)
            StartEnding();
    }
    int result = RESULT_NONE;
    if (phase == PHASE_ENDING)
        result = UpdateEnding(dtMs);
    else
        UpdateCarriers(dtMs);
    if (phase == PHASE_TO_TREE && heartTree->HoldsAtLeast(1)) {
        phase = PHASE_THE_END;
        timer = 0;
        subStep = 0;
        const b2Vec2 at = heartTree->GetPosition();
        heartTree->MoveTo(at.x + kFlightX, at.y + kFlightY, kFlightSpeed);
        soundPlayer->PlaySound(kFarewellThemeId, 0, 0);
    }
    if (phase == PHASE_THE_END)
        UpdateTheEnd(dtMs);
    if (finishRequested && !finishing) {
        soundPlayer->FadeOutAll(kLeavingFadeMs);
        finishing = true;
    }
    // The ordinary tick keeps the sound fading while the area is left.
    const int ordinary = cArea::Update(dtMs);
    return result != RESULT_NONE && !finishing ? result : ordinary;
}

void cAreaEnd::UpdateTheEnd(int dtMs)
{
    if (subStep == 0 && timer > kTitleAfterMs) {
        subStep = 1;
        timer = 0;
    }
    if (subStep == 1) {
        if (timer > kPromptAfterMs) {
            keyAccepted = true;
            promptAlpha = std::min(255, (timer - kPromptAfterMs) / kFadeMsPerStep);
        }
        titleAlpha = std::min(255, timer / kFadeMsPerStep);
    }
    timer += dtMs;
}

int cAreaEnd::UpdateEnding(int dtMs)
{
    WaitForTheHeart(dtMs);
    const int result = SendTheFireFlies(dtMs);
    FollowTheFireFly();
    UpdateCarriers(dtMs);
    DropTheCharacters(dtMs);
    LowerTheTree(dtMs);
    ReturnToTheAntler(dtMs);
    return result;
}

void cAreaEnd::WaitForTheHeart(int dtMs)
{
    if (subStep == 0 && !heartTree->HasEatenHeart() && timer < 0) {
        timer += dtMs;
        if (timer >= 0) {
            if (cPlayerChar* brown = cAreaRoster(*this).GetBrown())
                brown->SetAnimation(ANIM_IDLE_BLINK, true);
            timer = 0;
        }
    }
    if (heartTree->HasEatenHeart() && subStep == 0) {
        PlaySoundEffect(kHeartEatenEffect, 1.0f);
        subStep = 1;
        timer = -kFireFliesAfterMs;
    }
}

int cAreaEnd::SendTheFireFlies(int dtMs)
{
    if (subStep != 1 || timer >= 0)
        return RESULT_NONE;
    int result = RESULT_NONE;
    const int before = timer;
    timer += dtMs;
    if (before < kCameraAtMs && timer >= kCameraAtMs && !marker) {
        cPlayerChar* brown = cAreaRoster(*this).GetBrown();
        const b2Vec2 at = brown ? brown->GetCenter() : heartTree->GetPosition();
        marker = std::make_unique<cPhysicsBody>(kMarkerSize, kMarkerSize, BODY_SENSOR, 0.0f, 0.5f, nullptr, false);
        marker->CreateInWorld(world.get(), at.x, at.y, false);
        result = RESULT_SHAKE_THEN_SWITCH;
    }
    if (timer >= 0) {
        const b2Vec2 tree = heartTree->GetPosition();
        if (carriers.size() >= 2) {
            carriers[1]->MoveTo(tree.x + kCarrierDx, tree.y + kCarrierDy);
            carriers[0]->MoveTo(tree.x - kCarrierDx, tree.y + kCarrierDy);
        }
        soundPlayer->PlaySound(kFamilyThemeId, 0, 0);
        subStep = 2;
    }
    return result;
}

void cAreaEnd::FollowTheFireFly()
{
    // The camera rises with orange's firefly, never down.
    if (subStep != 2 || !marker || carriers.empty())
        return;
    const b2Vec2 at = marker->GetPosition();
    const float fireFlyY = carriers[0]->GetPosition().y;
    if (fireFlyY > at.y)
        marker->SetPosition(at.x, fireFlyY);
}

void cAreaEnd::UpdateCarriers(int dtMs)
{
    cAreaRoster roster(*this);
    for (size_t i = 0; i < carriers.size(); ++i) {
        if (carriers[i]->Update(dtMs) != FireFly::RESULT_CHARACTER_BACK || phase != PHASE_ENDING)
            continue;
        cPlayerChar* character = i == 0 ? roster.GetOrange() : roster.GetGray();
        if (!character)
            continue;
        const b2Vec2 at = carriers[i]->GetPosition();
        character->Init(world.get(), at.x + kDropDx, at.y);
        character->SetPresent(false);
        dropDelay = kRootAfterMs;
    }
}

void cAreaEnd::DropTheCharacters(int dtMs)
{
    if (dropDelay <= 0)
        return;
    dropDelay -= dtMs;
    if (dropDelay > 0)
        return;
    // Whoever has come down takes root beside the tree for good; the other firefly may still be
    // on its way, and its character roots in its turn.
    cAreaRoster roster(*this);
    bool allRooted = true;
    for (cPlayerChar* character : {roster.GetOrange(), roster.GetGray()}) {
        if (!character)
            continue;
        if (character->HasBody() && character->GetAnimationIndex() != ANIM_SPECIAL) {
            character->RemoveFromWorld();
            character->SetAnimation(ANIM_SPECIAL, true);
        }
        allRooted = allRooted && character->GetAnimationIndex() == ANIM_SPECIAL;
    }
    PlaySoundEffect(kRootingEffect, 1.0f);
    if (!allRooted)
        return;
    extraPlatform->SetType(BODY_PLATFORM);
    timer = kLowerAfterMs;
    subStep = 4;
}

void cAreaEnd::LowerTheTree(int dtMs)
{
    if (subStep != 4 || timer <= 0)
        return;
    timer -= dtMs;
    if (timer > 0)
        return;
    const b2Vec2 at = heartTree->GetPosition();
    heartTree->MoveTo(at.x, at.y - kLowerBy, kLowerSpeed);
    heartTree->MakePlatformSolid();
    timer = kCameraBackAfterMs;
    subStep = 5;
}

void cAreaEnd::ReturnToTheAntler(int dtMs)
{
    if (subStep != 5)
        return;
    if (timer > 0) {
        timer -= dtMs;
        return;
    }
    cPlayerChar* brown = cAreaRoster(*this).GetBrown();
    if (marker && brown && marker->GetCenter().y > brown->GetCenter().y + 1.0f) {
        const b2Vec2 at = marker->GetPosition();
        marker->SetPosition(at.x, at.y - 1.0f);
        return;
    }
    if (brown)
        brown->SetPresent(true);
    phase = PHASE_TO_TREE;
}

bool cAreaEnd::GetFocusPlayerCenter(float& x, float& y) const
{
    if (phase != PHASE_ENDING)
        return cArea::GetFocusPlayerCenter(x, y);
    if (!marker)
        return false;
    const b2Vec2 at = marker->GetCenter();
    x = at.x;
    y = at.y;
    return true;
}

void cAreaEnd::Draw(bool sky, bool background)
{
    if (sky)
        DrawSky();
    cArea::Draw(false, background);
    if (phase == PHASE_THE_END && subStep == 1) {
        font->DrawTextColored("The End", kTitleX, kTitleY, kTitleScale, kWhite, kWhite, kWhite, titleAlpha);
        if (keyAccepted)
            font->DrawTextColored("Press a key to continue", kPromptX, kPromptY, 1, kWhite, kWhite, kWhite,
                                  promptAlpha);
    }
    for (FireFly* fireFly : carriers)
        fireFly->Draw();
}

void cAreaEnd::DrawPhysicsDebug()
{
    cArea::DrawPhysicsDebug();
    if (heartTree)
        heartTree->DrawDebug();
}

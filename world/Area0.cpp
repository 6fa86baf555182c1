#include "world/Area0.h"

#include "world/AreaPainter.h"
#include "world/AreaRoster.h"
#include "world/AreaTick.h"

#include "actors/AntlerAncestor.h"
#include "actors/AreaExit.h"
#include "actors/BasicPlant.h"
#include "actors/Cloud.h"
#include "actors/EmitterBox.h"
#include "actors/FallingRock.h"
#include "actors/Heart.h"
#include "actors/InfoTriggerBox.h"
#include "actors/Level0EnterTree.h"
#include "actors/Mushroom.h"
#include "actors/NPCFly.h"
#include "actors/Platform.h"
#include "actors/PlayerChar.h"
#include "actors/SharedActors.h"
#include "actors/StackBox.h"
#include "actors/Star.h"
#include "audio/AreaSoundPlayer.h"
#include "audio/SoundLibrary.h"
#include "engine/Controls.h"
#include "engine/Image.h"
#include "engine/MathUtil.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"

#include <cstdio>

namespace {

constexpr unsigned int kLeavingFadeMs = 600;
constexpr int kQuakeEffect = 78;
constexpr int kJumpEffect = 3;
/// The music fades as the first green heart flies to the tree; the ambience as the next ones do
/// after the quake.
constexpr unsigned int kMusicFadeMs = 5500;
constexpr unsigned int kAmbienceFadeMs = 7500;
/// The ambience comes back with the exit.
constexpr unsigned int kAmbienceReturnMs = 10000;
/// Every rock drops within this long after the leap.
constexpr int kRockFallMaxMs = 4000;
/// Hearts fly to this point beside the tree's mouth.
constexpr float kHeartTargetX = 5.0f, kHeartTargetY = 10.0f;
/// The hint that invites the player to switch to a character, and its key-neutral twin.
constexpr int kSwitchHint = 17;
constexpr int kSwitchHintCustom = 37;
/// Whatever was eaten, the area counts two pink and ten green hearts.
constexpr int kReportedPositive = 2;
constexpr int kReportedNegative = 10;
/// The extra stars of the night sky, on a 3-unit grid.
constexpr int kExtraStars = 250;
constexpr float kStarGrid = 169.0f;
constexpr int kDeathHeartValue = -1;

/// Each element of the list, in order.
template <typename T>
void UpdateEach(const std::vector<T*>& list, int dtMs)
{
    for (T* item : list)
        item->Update(dtMs);
}

template <typename T>
void DrawEach(const std::vector<T*>& list)
{
    for (T* item : list)
        item->Draw();
}

bool ShowsSwitchHint(const cPlayerChar& player)
{
    const int shown = player.GetInfoBubbleAnim();
    return shown == kSwitchHint || shown == kSwitchHintCustom;
}

} // namespace

cArea0::cArea0(std::string file, cCommonResources* shared) : cArea(std::move(file), shared)
{
    spawnAntlerOnly = false;
    startAsNight = false;
}

cArea0::~cArea0()
{
    // Their bodies leave the world, which the area's own clearing deletes.
    rocks.clear();
    heartTree.reset();
}

bool cArea0::Init(cAudioSystem* audio, bool musicMuted, bool ambienceMuted)
{
    currentPlayer = -1;
    phase2Clock = -1;
    lofWeight = 0.0f;
    lofSpeed = 0.0f;
    jumpCountdown = 0;
    quakeCountdown = 0;
    hintsOn = true;
    soundPlayer = std::make_unique<cAreaSoundPlayer>(audio);
    CreateWorld();
    if (!LoadFromFile(fileName)) {
        printf("\nERROR: cArea0::Init() LOADING AREA FROM FILE FAILED! %s \n\n", fileName.c_str());
        return false;
    }
    // The characters start inside the tree and leave through the exit: neither may be missing.
    if (!heartTree || exits.empty()) {
        printf("\nERROR: %s has no %s; the first area cannot be played \n\n", fileName.c_str(),
               heartTree ? "AreaExitTree" : "Level0EnterTree");
        return false;
    }
    players.clear();
    if (gAntlerAncestor)
        gAntlerAncestor->SetMayMetamorphose(true);
    TakeSharedCharacters();
    for (int i = 0; i < kExtraStars; ++i) {
        const int x = static_cast<int>(RandomFloat(0.0f, kStarGrid));
        const int y = static_cast<int>(RandomFloat(0.0f, kStarGrid));
        const int alpha = static_cast<int>(RandomFloat(3.0f, 250.0f));
        const float step = RandomFloat(16.0f, 45.0f);
        stars.push_back(new Star(3 * x, 3 * y, alpha, step, -1.0f));
    }
    for (cPlayerChar* player : players)
        heartTree->Enqueue(player);
    soundPlayer->Start(musicMuted, ambienceMuted);
    return true;
}

int cArea0::Update(int dtMs)
{
    if (soundPlayer)
        soundPlayer->Update(static_cast<unsigned int>(dtMs));
    if (!finishing && cAreaTick(*this).IsExitReached()) {
        if (soundPlayer)
            soundPlayer->FadeOutAll(kLeavingFadeMs);
        finishing = true;
    }
    if (finishing)
        return RESULT_LEAVING;
    if (paused || !heartTree)
        return RESULT_NONE;
    int result = UpdateCountdowns(dtMs);
    if (phase == PHASE_LEAPT)
        UpdateAfterLeap(dtMs);
    UpdateHearts(dtMs);
    if (const int leapt = UpdateHeartTree(dtMs))
        result = leapt;
    UpdateScenery(dtMs);
    UpdateRocks(dtMs);
    UpdatePlayers(dtMs);
    // Unlike the ordinary tick, before the step.
    for (cPlayerChar* player : players)
        player->SetDroppedThisTick(false);
    UpdateSwitchHint(dtMs);
    world->Step(physics::kGameTimeStep, physics::kGameVelocityIterations, physics::kGamePositionIterations);
    return result;
}

int cArea0::UpdateCountdowns(int dtMs)
{
    int result = RESULT_NONE;
    if (phase == PHASE_OPENING && quakeCountdown > 0) {
        quakeCountdown -= dtMs;
        if (quakeCountdown <= 0) {
            quakeCountdown = 0;
            PlaySoundEffect(kQuakeEffect, 1.0f);
            phase = PHASE_QUAKE;
            result = RESULT_SHAKE;
            ClearSwitchHints();
        }
    }
    if (phase == PHASE_QUAKE && jumpCountdown > 0) {
        jumpCountdown -= dtMs;
        if (jumpCountdown <= 0) {
            jumpCountdown = 0;
            heartTree->StartJump();
            PlaySoundEffect(kJumpEffect, 1.0f);
        }
    }
    return result;
}

void cArea0::UpdateAfterLeap(int dtMs)
{
    phase2Clock += dtMs;
    // The theme replaces the faded music; each test runs every tick.
    if (phase2Clock > kThemeAtMs && !soundPlayer->IsAnySoundPlaying()) {
        soundPlayer->PlaySound(kThemeId, 0, 0);
        soundPlayer->Pause(true, false, false);
    }
    cAreaExit* exit = exits.front();
    if (phase2Clock > kExitAtMs && !exit->IsActivated()) {
        exit->SetActivated(true);
        exit->SetScore(0);
        soundPlayer->FadeInAmbience(kAmbienceReturnMs);
    }
    if (phase2Clock > kRiseAtMs) {
        heartTree->StartRising();
        phase = PHASE_RISING;
    }
}

void cArea0::UpdateHearts(int dtMs)
{
    for (size_t i = 0; i < hearts.size();) {
        cHeart* heart = hearts[i];
        const int result = heart->Update(dtMs);
        if (result == HEART_LAST_STRETCH)
            HandleHeartNear(*heart);
        else if (result == HEART_TRAVELLING)
            HandleHeartTravelling(*heart);
        if (result != HEART_ARRIVED) {
            ++i;
            continue;
        }
        HandleHeartArrived(*heart);
        delete heart;
        hearts.erase(hearts.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void cArea0::HandleHeartNear(const cHeart& heart)
{
    // Every green heart nearing the tree before the quake puts it off once more.
    if (!heartTree->HasJumped() && phase == PHASE_OPENING && heart.GetValue() < 0)
        quakeCountdown = kQuakeCountdownMs;
    heartTree->OpenMouth(false);
}

void cArea0::HandleHeartArrived(const cHeart& heart)
{
    // The last heart, while the tree is still sad, makes it leap.
    if (heartTree->GetScore() < 1 && hearts.size() < 2)
        jumpCountdown = kJumpCountdownMs;
    heartTree->EatHeart(heart.GetValue());
}

void cArea0::HandleHeartTravelling(const cHeart& heart)
{
    if (heart.GetValue() >= 0 || soundPlayer->GetState() != AREA_SOUND_STEADY)
        return;
    if (phase == PHASE_OPENING) {
        soundPlayer->FadeOutMusic(kMusicFadeMs);
    } else if (phase == PHASE_QUAKE) {
        soundPlayer->FadeOutAmbience(kAmbienceFadeMs);
        for (cPlayerChar* player : players) {
            player->HideInfoBubble();
            player->RestoreInfoBubble();
        }
    }
}

int cArea0::UpdateHeartTree(int dtMs)
{
    const int released = heartTree->Update(dtMs);
    if (released == cLevel0EnterTree::RESULT_JUMP_OVER) {
        for (auto& rock : rocks)
            rock->TriggerFall(kRockFallMaxMs);
        phase = PHASE_LEAPT;
        phase2Clock = 0;
        return RESULT_SHAKE_THEN_SWITCH;
    }
    if (released >= 0 && released < static_cast<int>(players.size()))
        LetOut(released);
    return RESULT_NONE;
}

void cArea0::LetOut(int id)
{
    if (currentPlayer < 0)
        currentPlayer = id;
    if (id == 0)
        return;
    // The one just out invites the player to switch to it.
    HideSwitchHints();
    ShowSwitchHint(id);
    switchHintTimer = -1;
}

void cArea0::ShowSwitchHint(int index)
{
    cPlayerChar* player = players[static_cast<size_t>(index)];
    player->SetInfoBubble(PictureForControls(kSwitchHint, kSwitchHintCustom), 0);
    player->ShowInfoBubble();
}

void cArea0::HideSwitchHints()
{
    for (cPlayerChar* player : players) {
        if (ShowsSwitchHint(*player))
            player->HideInfoBubble();
    }
}

void cArea0::UpdateScenery(int dtMs)
{
    // The stars twinkle at the full pace here, unlike in an ordinary area.
    UpdateEach(stars, dtMs);
    UpdateEach(clouds, dtMs);
    UpdateEach(npcFlies, dtMs);
    UpdateEach(emitterBoxes, dtMs);
    UpdateEach(exits, dtMs);
    UpdateEach(plantsBack, dtMs);
    UpdateEach(plantsFront, dtMs);
}

void cArea0::UpdateRocks(int dtMs)
{
    for (auto& rock : rocks) {
        if (rock->Update(dtMs) == cFallingRock::RESULT_COVER_GONE)
            AddQuakeTerrain();
    }
}

void cArea0::AddQuakeTerrain()
{
    for (cPhysicsBody* body : bodies) {
        if (body->IsAddAfterQuake())
            body->CreateAtStoredPos(world.get(), false);
    }
}

void cArea0::UpdatePlayers(int dtMs)
{
    cAreaRoster roster(*this);
    for (size_t i = 0; i < players.size(); ++i) {
        cPlayerChar* player = players[i];
        switch (player->Update(dtMs)) {
        case cPlayerChar::RESULT_ENTERED_EXIT:
            if (static_cast<int>(i) == currentPlayer)
                SwitchPlayer(true, true, true);
            if (player->GetId() == 2 && batLand)
                roster.LeaveBatLand();
            break;
        case cPlayerChar::RESULT_DIED: {
            const b2Vec2 centre = player->GetCenter();
            AddHeartAtExit(centre.x, centre.y, kDeathHeartValue, true);
            break;
        }
        case cPlayerChar::RESULT_DEATH_OVER:
            if (player->GetId() == 0 && !player->IsAncestorForm()) {
                // Orange, standing by, mourns brown.
                cPlayerChar* orange = roster.GetOrange();
                if (orange && orange->GetState() == PLAYER_STAND && !orange->IsAncestorForm())
                    orange->SetAnimation(ANIM_IDLE_YAWN, true);
            }
            heartTree->Enqueue(player);
            break;
        default:
            break;
        }
    }
}

void cArea0::UpdateSwitchHint(int dtMs)
{
    if (!hintsOn || switchHintTimer <= 0)
        return;
    switchHintTimer -= dtMs;
    if (switchHintTimer > 0)
        return;
    // Nobody is left to switch to while gray still waits inside the tree.
    int next = currentPlayer + 1;
    const cPlayerChar* gray = cAreaRoster(*this).GetGray();
    if (next > 2 || (next == 2 && phase == PHASE_OPENING && gray && !gray->HasBody()))
        next = 0;
    if (next >= static_cast<int>(players.size()))
        return;
    cPlayerChar* player = players[static_cast<size_t>(next)];
    if (!ShowsSwitchHint(*player))
        player->HideInfoBubble();
    ShowSwitchHint(next);
}

void cArea0::SwitchPlayer(bool forward, bool reselect, bool skipInsideExit)
{
    const int before = currentPlayer;
    cArea::SwitchPlayer(forward, reselect, skipInsideExit);
    cPlayerChar* now = GetCurrentPlayer();
    if (!hintsOn || currentPlayer == before || !now)
        return;
    now->HideInfoBubble();
    now->RestoreInfoBubble();
    now->ShowInfoBubble();
    switchHintTimer = kSwitchHintMs;
}

void cArea0::ClearSwitchHints()
{
    hintsOn = false;
    HideSwitchHints();
    for (cPlayerChar* player : players)
        player->RestoreInfoBubble();
}

void cArea0::AddHeartAtExit(float x, float y, int value, bool travelNow)
{
    if (!heartTree) {
        printf("\n ERROR: heart at (%g, %g) refused: the heart tree must come before it \n\n", x, y);
        return;
    }
    const b2Vec2 mouth = heartTree->GetMouthPosition();
    AddHeart(x, y, value, mouth.x + kHeartTargetX, mouth.y + kHeartTargetY, travelNow);
}

void cArea0::GetExitInfo(int* score, int* positive, int* negative) const
{
    cArea::GetExitInfo(score, positive, negative);
    *positive = kReportedPositive;
    *negative = kReportedNegative;
}

bool cArea0::CreateLevel0EnterTree(const QString& file, int x, int y)
{
    heartTree = std::make_unique<cLevel0EnterTree>(file, world.get(), static_cast<float>(x), static_cast<float>(y));
    return true;
}

bool cArea0::CreateFallingRock(const QString& file, int x, int y, bool staying, bool coverStone)
{
    rocks.push_back(std::make_unique<cFallingRock>(file, world.get(), x, y, staying, coverStone));
    return true;
}

void cArea0::Draw(bool sky, bool background)
{
    if (sky)
        DrawSky();
    // The back picture lies behind the rocks and the exit, the day picture over them.
    if (background && lofBackground)
        lofBackground->Draw();
    if (heartTree)
        heartTree->DrawIsland();
    for (auto& rock : rocks) {
        if (rock->IsStaying())
            rock->Draw();
    }
    for (cAreaExit* exit : exits)
        exit->DrawDay(1.0f);
    for (auto& rock : rocks) {
        if (!rock->IsStaying())
            rock->Draw();
    }
    if (background && dayBackground)
        dayBackground->Draw();
    if (heartTree)
        heartTree->Draw();
    for (Platform* platform : platforms)
        platform->Draw();
    DrawEach(emitterBoxes);
    DrawEach(stackBoxes);
    DrawEach(hearts);
    cAreaPainter painter(*this);
    painter.DrawPlayers();
    // Unlike an ordinary area, every plant of the meadow grows in front of the characters.
    DrawEach(plantsFront);
    DrawEach(plantsBack);
    DrawEach(mushrooms);
    DrawEach(infoTriggerBoxes);
    DrawEach(npcFlies);
    painter.DrawOverlays();
}

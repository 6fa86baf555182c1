#include "world/Area.h"

#include "world/AreaFileReader.h"
#include "world/AreaLook.h"
#include "world/AreaPainter.h"
#include "world/AreaRoster.h"
#include "world/AreaTick.h"

#include "world/CommonResources.h"

#include "actors/AntlerAncestor.h"
#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/BasicPlant.h"
#include "actors/Cloud.h"
#include "actors/EmitterBox.h"
#include "actors/FireFly.h"
#include "actors/GlowMushroom.h"
#include "actors/Heart.h"
#include "actors/Lie.h"
#include "actors/Mushroom.h"
#include "actors/NPCFly.h"
#include "actors/InfoTriggerHeartBox.h"
#include "actors/Platform.h"
#include "actors/PlayerChar.h"
#include "actors/SharedActors.h"
#include "actors/StackBoxFrameConfig.h"
#include "actors/Star.h"
#include "actors/WaterArea.h"
#include "actors/WaterBubbles.h"
#include "actors/WaterFallSparkle.h"
#include "audio/AreaSoundPlayer.h"
#include "audio/SoundLibrary.h"
#include "engine/ContactFilter.h"
#include "engine/ContactListener.h"
#include "engine/Image.h"
#include "engine/MathUtil.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"
#include "platform/physics/World.h"

#include <algorithm>
#include <cstdio>

namespace {

/// Background pictures cover the whole world texture.
constexpr float kPictureSize = 512.0f;
/// Played when an area starts with an entrance that hands control to whoever comes out.
constexpr int kForceSwitchEffect = 76;
/// Hearts fly to this point beside an exit's mouth.
constexpr float kHeartTargetX = 5.0f, kHeartTargetY = 10.0f;
/// The shared cloud lists hold five day looks followed by their five twins.
constexpr int kCloudLooks = 5;
/// Where the carrier fireflies appear beside the enter tree.
constexpr float kFireFlySpawnOffset = 3.0f;
/// Sparkles scattered over each waterfall.
constexpr int kSparklesPerWaterfall = 5;

/// Bodies without an owner to take them out of the world.
template <typename Body>
void DestroyAndDeleteAll(std::vector<Body*>& list)
{
    for (Body* body : list)
        body->Destroy();
    DeleteAll(list);
}

cAnimation* LookAt(const std::vector<cAnimation*>& looks, int index)
{
    return index >= 0 && index < static_cast<int>(looks.size()) ? looks[static_cast<size_t>(index)] : nullptr;
}

} // namespace

cArea::cArea(std::string file, cCommonResources* shared)
    : resources(shared), fileName(std::move(file))
{
}

cArea::~cArea()
{
    Clear();
}

void cArea::Clear()
{
    ClearObjects();
    world.reset();
    contactListener.reset();
    contactFilter.reset();
}

void cArea::ClearObjects()
{
    soundPlayer.reset();
    dayBackground.reset();
    lofBackground.reset();
    batlandPicture.reset();
    for (cPlayerChar* player : players)
        player->Reset();
    players.clear();
    currentPlayer = -1;
    for (FireFly* fireFly : fireFlies)
        fireFly->Reset();
    fireFlies.clear();
    DestroyAndDeleteAll(bodies);
    DestroyAndDeleteAll(platforms);
    DeleteAll(enterTrees);
    enterTree = nullptr;
    DeleteAll(exits);
    DeleteAll(hearts);
    // Info heart boxes borrow their emitters: they go first.
    DeleteAll(infoTriggerHeartBoxes);
    DeleteAll(infoTriggerBoxes);
    DeleteAll(emitterBoxes);
    DeleteAll(stackBoxes);
    DeleteAll(frameChangers);
    DeleteAll(stars);
    DeleteAll(clouds);
    DeleteAll(sparkles);
    DeleteAll(bubbles);
    DeleteAll(waterAreas);
    DeleteAll(mushrooms);
    DeleteAll(glowMushrooms);
    DeleteAll(npcFlies);
    DeleteAll(plantsBack);
    DeleteAll(plantsFront);
    // Its body must leave the world before the world goes.
    lie.reset();
}

bool cArea::Init(cAudioSystem* audio, bool musicMuted, bool ambienceMuted)
{
    currentPlayer = -1;
    lofWeight = 0.0f;
    lofSpeed = 0.0f;
    soundPlayer = std::make_unique<cAreaSoundPlayer>(audio);
    CreateWorld();
    if (!LoadFromFile(fileName)) {
        printf("\nERROR: cArea::Init() LOADING AREA FROM FILE FAILED! %s \n\n", fileName.c_str());
        return false;
    }
    // Without them the characters could neither come in nor leave.
    if (!enterTree || exits.empty()) {
        printf("\nERROR: %s has no %s; the area cannot be played \n\n", fileName.c_str(),
               enterTree ? "AreaExitTree" : "AreaEnterTree");
        return false;
    }
    const int maxScore = GetMaxScore();
    for (cAreaExit* exit : exits)
        exit->SetMaxScore(maxScore);
    TakeSharedCharacters();
    ApplyStartConditions();
    soundPlayer->Start(musicMuted, ambienceMuted);
    if (enterTrees.front()->GetForceSwitch())
        PlaySoundEffect(kForceSwitchEffect, 1.0f);
    return true;
}

void cArea::TakeSharedCharacters()
{
    if (!resources)
        return;
    for (int i = 0; i < resources->GetFireFlyCount(); ++i) {
        FireFly* fireFly = resources->GetFireFly(i);
        fireFlies.push_back(fireFly);
        fireFly->Reset();
        fireFly->StartTransition(true);
    }
    for (int id = 0; id < resources->GetCharacterCount(); ++id) {
        cPlayerChar* character = resources->GetCharacter(id);
        character->Reset();
        players.push_back(character);
    }
}

void cArea::ApplyStartConditions()
{
    if (spawnAntlerOnly && gAntlerAncestor && !players.empty()) {
        gAntlerAncestor->Reset();
        // It stays an antler for the whole area.
        gAntlerAncestor->SetMayMetamorphose(false);
        players[0] = gAntlerAncestor;
        enterTree->Enqueue(gAntlerAncestor);
    } else {
        for (cPlayerChar* player : players)
            enterTree->Enqueue(player);
    }
    if (spawnFireFlies && fireFlies.size() >= 2) {
        const b2Vec2 at = enterTree->GetPosition();
        fireFlies[0]->Spawn(world.get(), at.x - kFireFlySpawnOffset, at.y - kFireFlySpawnOffset);
        fireFlies[1]->Spawn(world.get(), at.x + kFireFlySpawnOffset, at.y + kFireFlySpawnOffset);
        fireFlies[0]->StartTransition(false);
        fireFlies[1]->StartTransition(false);
    }
    if (startAsNight)
        ApplyLoFToEntities();
}

void cArea::CreateWorld()
{
    world = std::make_unique<physics::World>();
    contactListener = std::make_unique<cContactListener>();
    contactFilter = std::make_unique<cContactFilter>();
    world->SetContactListener(contactListener.get());
    world->SetContactFilter(contactFilter.get());
}

bool cArea::LoadFromFile(const std::string& path)
{
    if (resources)
        resources->ResetCharacters();
    return LoadAreaFile(this, path);
}

bool cArea::LoadAreaFile(cArea* area, const std::string& file)
{
    cAreaFileReader reader(*area);
    return reader.Read(QString::fromStdString(file));
}

void cArea::SetPaused(bool pauseScreen)
{
    paused = true;
    pauseScreenShown = pauseScreen;
}

void cArea::ClearPaused()
{
    paused = false;
    pauseScreenShown = false;
}

cPlayerChar* cArea::GetCurrentPlayer() const
{
    if (currentPlayer < 0 || currentPlayer >= static_cast<int>(players.size()))
        return nullptr;
    return players[static_cast<size_t>(currentPlayer)];
}

cPlayerChar* cArea::GetFocusPlayer() const
{
    return GetCurrentPlayer();
}

bool cArea::GetFocusPlayerCenter(float& x, float& y) const
{
    const cPlayerChar* player = GetFocusPlayer();
    if (!player)
        return false;
    const b2Vec2 center = player->GetCenter();
    x = center.x;
    y = center.y;
    return true;
}

void cArea::SetExitsTarget(int id)
{
    for (cAreaExit* exit : exits)
        exit->RequestEnter(id);
}

bool cArea::ApplySoundSettings(bool musicMuted, bool ambienceMuted)
{
    if (!soundPlayer)
        return true;
    if (musicMuted)
        soundPlayer->MuteMusic();
    else
        soundPlayer->UnmuteMusic();
    if (ambienceMuted)
        soundPlayer->MuteAmbience();
    else
        soundPlayer->UnmuteAmbience();
    return true;
}

void cArea::SetEnterTreeFlags(bool antlerOnly, bool night, bool fireFlies)
{
    spawnAntlerOnly = antlerOnly;
    startAsNight = night;
    spawnFireFlies = fireFlies;
    if (startAsNight)
        lofWeight = 1.0f;
}

int cArea::GetMaxScore() const
{
    const auto worthOne = [](const cHeart* heart) { return heart->GetValue() == 1; };
    return 1 + static_cast<int>(hearts.empty() ? 0 : std::count_if(hearts.begin() + 1, hearts.end(), worthOne));
}

void cArea::AddPhysicsBody(float x, float y, float w, float h, int type, int addAfterQuake)
{
    if (w <= 0.0f || h <= 0.0f) {
        printf("\n ERROR: terrain body at (%g, %g) of size %g x %g refused: sizes must be positive \n\n", x, y, w, h);
        return;
    }
    auto* body = new cPhysicsBody(w, h, type, 0.0f, 0.5f, nullptr, addAfterQuake != 0);
    if (type != BODY_BAT_KING_ONLY && type != BODY_BAT_KING_PLATFORM && addAfterQuake == 0)
        body->CreateInWorld(world.get(), x, y, false);
    else
        body->SetCenter(x + w / 2.0f, y + h / 2.0f);
    bodies.push_back(body);
}

void cArea::AddAreaEnterTree(const QString& file, int x, int y, bool forceSwitch)
{
    enterTrees.push_back(new cAreaEnterTree(world.get(), file, static_cast<float>(x), static_cast<float>(y),
                                            forceSwitch));
    enterTree = enterTrees.back();
}

void cArea::AddAreaExit(const QString& file, int x, int y, bool activated, bool tutorial,
                        const std::string& destination)
{
    auto* exit = new cAreaExit(file, world.get(), static_cast<float>(x), static_cast<float>(y), activated,
                               destination);
    if (tutorial)
        exit->SetTutorial(true);
    exits.push_back(exit);
}

void cArea::AddHeartAtExit(float x, float y, int value, bool travelNow)
{
    if (exits.empty()) {
        printf("\n ERROR: heart at (%g, %g) refused: the area has no exit for it to fly to \n\n", x, y);
        return;
    }
    const b2Vec2 mouth = exits.front()->GetMouthPosition();
    AddHeart(x, y, value, mouth.x + kHeartTargetX, mouth.y + kHeartTargetY, travelNow);
}

void cArea::AddHeart(float x, float y, int value, float targetX, float targetY, bool travelNow)
{
    hearts.push_back(new cHeart(world.get(), x, y, targetX, targetY, value, travelNow));
}

void cArea::AddStars(int count)
{
    const int room = kMaxStars - static_cast<int>(stars.size());
    if (count > room) {
        printf("\n ERROR: %d more stars would crowd the sky of %s; %d are added \n\n", count, fileName.c_str(), room);
        count = room;
    }
    for (int i = 0; i < count; ++i) {
        // The order of the draws fixes the stars of an area for good.
        const int gx = static_cast<int>(RandomFloat(0.0f, 170.0f));
        const int gy = static_cast<int>(RandomFloat(0.0f, 170.0f));
        const float step = RandomFloat(16.0f, 45.0f);
        const int alpha = static_cast<int>(RandomFloat(3.0f, 250.0f));
        stars.push_back(new Star(3 * gx, 3 * gy, alpha, step, -1.0f));
    }
}

void cArea::AddCloud(float x, float y, int speed, int animationId, int scale)
{
    AddCloudFrom(gClouds, x, y, speed, animationId, scale);
}

void cArea::AddCloudHD(float x, float y, int speed, int animationId)
{
    AddCloudFrom(gCloudsHD, x, y, speed, animationId, 1);
}

void cArea::AddCloudFrom(const std::vector<cAnimation*>& looks, float x, float y, int speed, int animationId,
                         int scale)
{
    if (animationId < 0 || animationId >= kCloudLooks) {
        printf("\n ERROR: cloud at (%g, %g) refused: animation id %d is not 0 to 4 \n\n", x, y, animationId);
        return;
    }
    if (scale < 1) {
        printf("\n ERROR: cloud at (%g, %g) refused: scale %d is below 1 \n\n", x, y, scale);
        return;
    }
    clouds.push_back(new cCloud(x, y, static_cast<float>(speed), LookAt(looks, animationId),
                                LookAt(looks, animationId + kCloudLooks), scale));
}

void cArea::AddPlatform(int x, int y, int w, int h, int type)
{
    if (w <= 0 || h <= 0) {
        printf("\n ERROR: little platform at (%d, %d) of size %d x %d refused: sizes must be positive \n\n", x, y, w,
               h);
        return;
    }
    auto* platform = new Platform(w, h, type);
    platform->CreateInWorld(world.get(), static_cast<float>(x), static_cast<float>(y), false);
    platforms.push_back(platform);
}

void cArea::AddBasicPlant(const QString& file, int x, int y)
{
    plantsBack.push_back(new BasicPlant(file, world.get(), x, y, BasicPlant::TYPE_SILENT));
}

void cArea::AddGrass(const QString& file, int x, int y)
{
    plantsFront.push_back(new BasicPlant(file, world.get(), x, y, BasicPlant::TYPE_GRASS));
}

void cArea::AddMushroom(const QString& file, int x, int y)
{
    mushrooms.push_back(new cMushroom(file, world.get(), x, y));
}

void cArea::AddGlowMushroom(const QString& file, int x, int y, int hideTimeMs)
{
    glowMushrooms.push_back(new cGlowMushroom(file, world.get(), x, y, hideTimeMs));
}

void cArea::AddNPCFly(int type, int zoneX, int zoneY, int zoneWidth, int zoneHeight)
{
    npcFlies.push_back(new NPCFly(type, zoneX, zoneY, zoneWidth, zoneHeight, world.get()));
}

void cArea::AddWaterFallSparkles(int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0) {
        printf("\n ERROR: waterfall at (%d, %d) of size %d x %d refused: sizes must be positive \n\n", x, y, w, h);
        return;
    }
    for (int i = 0; i < kSparklesPerWaterfall; ++i)
        sparkles.push_back(new WaterFallSparkle(x, y, w, h));
}

void cArea::AddWaterArea(int x, int y, int w, int h, int r, int g, int b, int a)
{
    auto* water = new WaterArea(x, y, w, h, r, g, b, a);
    water->AddToWorld(world.get());
    waterAreas.push_back(water);
}

void cArea::AddWaterBubbles(int x, int y, int size)
{
    bubbles.push_back(new WaterBubbles(x, y, size));
}

void cArea::SetMushroomsFlag(bool muted)
{
    for (cMushroom* mushroom : mushrooms)
        mushroom->UpdateSoundMute(muted);
}

void cArea::AddEmitterBox(cEmitterBox* box)
{
    box->AddToWorld(world.get());
    emitterBoxes.push_back(box);
}

void cArea::AddStackBox(int x, int y, uint16_t type)
{
    stackBoxes.push_back(new cStackBox(world.get(), static_cast<float>(x), static_cast<float>(y), type));
}

void cArea::AddFrameChangerBox(int x, int y, int frameSet1, int frameSet2, bool oneTime)
{
    frameChangers.push_back(new cStackBoxFrameConfig(world.get(), static_cast<float>(x), static_cast<float>(y),
                                                     frameSet1, frameSet2, oneTime));
}

void cArea::AddInfoTriggerHeartBox(int x, int y, float w, float h, int heartBoxId, float offsetX, float offsetY,
                                   bool triggerOnce, int infoAnimIndex, int collisionMonsterId, bool isSuperBeing,
                                   int lifeTime)
{
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    if (heartBoxId < 0) {
        infoTriggerBoxes.push_back(new cInfoTriggerBox(world.get(), fx, fy, w, h, offsetX, offsetY, triggerOnce,
                                                       infoAnimIndex, collisionMonsterId, isSuperBeing, lifeTime));
        return;
    }
    if (heartBoxId >= static_cast<int>(emitterBoxes.size())) {
        printf("\nERROR: No heart box with index %i found. No info trigger heart box created", heartBoxId);
        return;
    }
    infoTriggerHeartBoxes.push_back(new cInfoTriggerHeartBox(emitterBoxes[static_cast<size_t>(heartBoxId)],
                                                             world.get(), fx, fy, w, h, offsetX, offsetY, triggerOnce,
                                                             infoAnimIndex, collisionMonsterId, isSuperBeing,
                                                             lifeTime));
}

bool cArea::CreateLevel0EnterTree(const QString&, int, int)
{
    return false;
}

bool cArea::CreateFallingRock(const QString&, int, int, bool, bool)
{
    return false;
}

bool cArea::CreateExitTree(const QString&, int, int, bool, const std::string&)
{
    return false;
}

void cArea::ApplyLoFToEntities()
{
    cAreaLook(*this).ApplyLoFToEntities();
}

bool cArea::SetBackgroundFile(const QString& file)
{
    return ReplacePicture(dayBackground, dayBackgroundFile, file);
}

bool cArea::SetLandOfFirefliesBackgroundFile(const QString& file)
{
    return ReplacePicture(lofBackground, lofBackgroundFile, file);
}

bool cArea::SetBatlandBackgroundFile(const QString& file)
{
    return ReplacePicture(batlandPicture, batlandFile, file);
}

bool cArea::ReplacePicture(std::unique_ptr<cImage>& picture, QString& storedFile, const QString& file)
{
    picture = std::make_unique<cImage>(0.0f, 0.0f, kPictureSize, kPictureSize);
    if (!picture->SetTexture(file, 0.0f, 0.0f, 1.0f, 1.0f))
        return false;
    storedFile = file;
    return true;
}

void cArea::SetSkyColors(int r, int g, int b, int r1, int g1, int b1)
{
    skyColor = {r, g, b, r1, g1, b1};
}

void cArea::SetSkyLoFColor(int r, int g, int b)
{
    skyLoFColor = {r, g, b};
}

void cArea::SetTutorialFlags(int stackBoxType, bool second)
{
    if (stackBoxType == 0)
        antlerTutorial = true;
    else if (stackBoxType == 1)
        spiritTutorial = true;
    spiritSpecialMode = second;
}

void cArea::SetAmbienceAndMusic(const QString& dayAmbience, const QString& nightAmbience, const QString& musicFile,
                                bool loop, int delayMs)
{
    if (!dayAmbience.isEmpty())
        soundPlayer->LoadAmbience(dayAmbience, nightAmbience);
    if (!musicFile.isEmpty())
        soundPlayer->LoadMusic(musicFile, loop, delayMs);
}

void cArea::SetMusicTheme(int id, const QString& file)
{
    if (!file.isEmpty())
        soundPlayer->AddSound(file, id);
}

std::string cArea::GetExitDestination() const
{
    if (exits.size() == 1)
        return exits.front()->GetDestination();
    int taking = 0;
    for (const cPlayerChar* player : players) {
        const bool counts = player->IsActive() || player->GetState() == PLAYER_IN_EXIT ||
                            player->GetState() == PLAYER_DIE;
        if (counts && player->GetAnimationIndex() != ANIM_SPECIAL)
            ++taking;
    }
    for (const cAreaExit* exit : exits) {
        if (exit->HoldsAtLeast(taking))
            return exit->GetDestination();
    }
    return std::string();
}

void cArea::GetExitInfo(int* score, int* positive, int* negative) const
{
    if (exits.empty()) {
        *score = *positive = *negative = 0;
        return;
    }
    exits.front()->GetScoreInfo(score, positive, negative);
}

bool cArea::SaveToFile(const QString&) const
{
    return true;
}

int cArea::Update(int dtMs)
{
    return cAreaTick(*this).Run(dtMs);
}

void cArea::SwitchPlayer(bool forward, bool reselect, bool skipInsideExit)
{
    cAreaRoster(*this).SwitchPlayer(forward, reselect, skipInsideExit);
}

void cArea::DrawSky()
{
    cAreaPainter(*this).DrawSky();
}

void cArea::Draw(bool sky, bool background)
{
    cAreaPainter(*this).Draw(sky, background);
}

void cArea::DrawPhysicsDebug()
{
    cAreaPainter(*this).DrawPhysicsDebug();
}

void cArea::DrawPlayerPhysics()
{
    cAreaPainter(*this).DrawPlayerPhysics();
}

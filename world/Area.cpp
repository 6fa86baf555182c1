#include "world/Area.h"

#include "world/AreaFileReader.h"

#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/PlayerChar.h"
#include "audio/AreaSoundPlayer.h"
#include "audio/SoundLibrary.h"
#include "engine/ContactFilter.h"
#include "engine/ContactListener.h"
#include "engine/Drawing.h"
#include "engine/Image.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/World.h"

#include <cstdio>

namespace {

/// Background pictures cover the whole world texture.
constexpr float kPictureSize = 512.0f;
/// Played when an area starts with an entrance that hands control to whoever comes out.
constexpr int kForceSwitchEffect = 76;
/// The Land-of-Fireflies look is drawn above this weight, the day look below 1 minus it.
constexpr float kLookThreshold = 0.01f;

template <typename T>
void DeleteAll(std::vector<T*>& list)
{
    for (T* item : list)
        delete item;
    list.clear();
}

bool IsSet(const int* rgb)
{
    return rgb[0] >= 0 && rgb[1] >= 0 && rgb[2] >= 0;
}

float Blend(int day, int lof, float w)
{
    return static_cast<float>(day) * (1.0f - w) + static_cast<float>(lof) * w;
}

/// Every tree in its day look, then every tree in its Land-of-Fireflies look, each faded by the weight.
template <typename Tree>
void DrawBothLooks(const std::vector<Tree*>& trees, bool dayLook, bool lofLook, float w)
{
    if (dayLook) {
        for (Tree* tree : trees)
            tree->DrawDay(1.0f - w);
    }
    if (lofLook) {
        for (Tree* tree : trees)
            tree->DrawLoF(w);
    }
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
    // Terrain bodies have no owner to take them out of the world.
    for (cPhysicsBody* body : bodies)
        body->Destroy();
    DeleteAll(bodies);
    DeleteAll(enterTrees);
    enterTree = nullptr;
    DeleteAll(exits);
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
    ApplyStartConditions(musicMuted, ambienceMuted);
    return true;
}

void cArea::ApplyStartConditions(bool musicMuted, bool ambienceMuted)
{
    const int maxScore = GetMaxScore();
    for (cAreaExit* exit : exits)
        exit->SetMaxScore(maxScore);
    for (cPlayerChar* player : players)
        enterTree->Enqueue(player);
    soundPlayer->Start(musicMuted, ambienceMuted);
    if (enterTrees.front()->GetForceSwitch())
        PlaySoundEffect(kForceSwitchEffect, 1.0f);
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
    // Hearts come with their own class; until then no heart can be scored, and the indicator
    // still gets 1 so that it never divides by zero.
    return 1;
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

void cArea::DrawSky()
{
    const int* first = &skyColor[0];
    const int* second = &skyColor[3];
    if (!IsSet(first))
        return;
    // Without a colour of its own the Vadi do Davovodaz keeps the day sky.
    const int* lof = IsSet(skyLoFColor.data()) ? skyLoFColor.data() : first;
    const float w = lofWeight;
    if (IsSet(second)) {
        DrawGradientRect(-1.0f, -1.0f, 513.0f, 513.0f, Blend(first[0], lof[0], w), Blend(first[1], lof[1], w),
                         Blend(first[2], lof[2], w), Blend(second[0], lof[0], w), Blend(second[1], lof[1], w),
                         Blend(second[2], lof[2], w), 255.0f);
    } else {
        DrawFilledRect(0.0f, 0.0f, kPictureSize, kPictureSize, Blend(first[0], lof[0], w),
                       Blend(first[1], lof[1], w), Blend(first[2], lof[2], w), 255.0f);
    }
}

void cArea::Draw(bool sky, bool background)
{
    const float w = lofWeight;
    const bool dayLook = w < 1.0f - kLookThreshold;
    const bool lofLook = w > kLookThreshold;
    if (sky)
        DrawSky();
    if (background) {
        if (dayLook && dayBackground)
            dayBackground->DrawWithAlpha(1.0f - w);
        if (lofLook && lofBackground)
            lofBackground->DrawWithAlpha(w);
    }
    DrawBothLooks(enterTrees, dayLook, lofLook, w);
    DrawBothLooks(exits, dayLook, lofLook, w);
    for (cPlayerChar* player : players)
        player->Draw();
    for (cPlayerChar* player : players)
        player->DrawOverlay();
}

void cArea::DrawPhysicsDebug()
{
    for (cPhysicsBody* body : bodies)
        body->DebugDraw(255.0f, 255.0f, 255.0f);
}

void cArea::DrawPlayerPhysics()
{
    for (cPlayerChar* player : players) {
        if (player->IsActive())
            player->DebugDraw(226.0f, 0.0f, 116.0f);
    }
}

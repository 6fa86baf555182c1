#include "screens/StartScreen.h"

#include "actors/AntlerAncestor.h"
#include "actors/Cloud.h"
#include "actors/PlayerChar.h"
#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"
#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "audio/AudioSystem.h"
#include "audio/Sound.h"
#include "audio/SoundLibrary.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/Drawing.h"
#include "engine/SharedAssets.h"
#include "screens/Circle.h"
#include "screens/CreditsScreen.h"
#include "screens/MenuItem.h"
#include "screens/MenuLayout.h"
#include "screens/MenuSounds.h"
#include "screens/OptionsScreen.h"
#include "screens/SaveSlotMenu.h"
#include "world/CommonResources.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

const char* const kMenuFile = "res/xml/menus/startscreenmenu.xml";
const char* const kPictureFile = "res/xml/startscreen.xml";
const char* const kMusicFile = "res/wave/Music/MENU_Loop.ogg";

/// The pictures of the picture file, by their place in it.
enum ePicture
{
    PICTURE_BADGE = 0,
    PICTURE_ROCK = 1,
    PICTURE_HEART = 3,
    PICTURE_MAKERS = 4,
};

/// The figures in their list: the three characters, then the antler and spirit forms.
enum eFigure
{
    FIGURE_BROWN = 0,
    FIGURE_ORANGE = 1,
    FIGURE_GRAY = 2,
    FIGURE_ANTLER = 3,
    FIGURE_SPIRIT = 4,
};

constexpr int kCircleSegments = 360;
constexpr unsigned int kMusicFadeInMs = 2000;
constexpr unsigned int kMusicFadeOutMs = 500;

struct sCloudPlace
{
    float x, y, speed;
    int picture;
};
/// Only the first two are drawn; the third drifts unseen, as the title always had it.
constexpr sCloudPlace kClouds[] = {{450, 10, 16, 1}, {-100, -10, 7, 2}, {200, 10, 24, 1}};
constexpr int kDrawnClouds = 2;

} // namespace

cStartScreen::cStartScreen(int openWith) : openSlots(openWith == SUB_SAVE_SLOTS)
{
    width = 128;
    height = 128;
    scale = 1;
}

cStartScreen::~cStartScreen()
{
    DeleteAll(animations);
    // A music that is fading out on leaving is heard to the end.
    if (leaving && audioSystem)
        audioSystem->KeepUntilFaded(std::move(menuMusic));
}

const cMenuItem* cStartScreen::Item(int i) const
{
    return i >= 0 && i < ItemCount() ? items[i].get() : nullptr;
}

const std::vector<cCloud*> cStartScreen::Clouds() const
{
    std::vector<cCloud*> list;
    for (const auto& cloud : clouds)
        list.push_back(cloud.get());
    return list;
}

cAnimation* cStartScreen::Picture(int i) const
{
    return i >= 0 && i < int(animations.size()) ? animations[i] : nullptr;
}

bool cStartScreen::Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* gameSettings)
{
    settings = gameSettings;
    if (commonResources && audioSystem) {
        std::printf("INITING STARTSCREEN OK, -DONE ALREADY??? \n");
        Start();
        return true;
    }
    commonResources = resources;
    audioSystem = audio;
    if (!LoadMenuRow() || !LoadAnimations())
        return false;
    MakeClouds();
    ReadyCharacters();
    StartMusic(1.0f);
    LoadCircles();
    font = std::make_unique<cFontManager>();
    if (openSlots) {
        openSlots = false;
        OpenSaveSlots(false);
    }
    return true;
}

bool cStartScreen::LoadMenuRow()
{
    items.clear();
    return ReadActorFile(kMenuFile, [this](QXmlStreamReader& xml) {
        if (xml.name() != QLatin1String("menuitem"))
            return true;
        auto item = std::make_unique<cMenuItem>();
        if (!item->LoadFromXml(xml))
            return true;
        const bool newGame = item->GetName() == QLatin1String("NEW GAME");
        items.push_back(std::move(item));
        // Resuming a slot is always offered, right after starting a new game.
        if (newGame) {
            items.push_back(std::make_unique<cMenuItem>());
            items.back()->SetName("RESUME");
        }
        return true;
    });
}

bool cStartScreen::LoadAnimations()
{
    return cCommonResources::ReloadAnimationList(kPictureFile, animations);
}

void cStartScreen::LoadCircles()
{
    circles.clear();
    ReadActorFile(kMenuFile, [this](QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("circle")) {
            auto circle = std::make_unique<cCircle>();
            if (circle->LoadFromXml(xml))
                circles.push_back(std::move(circle));
        }
        return true;
    });
}

void cStartScreen::MakeClouds()
{
    clouds.clear();
    for (const sCloudPlace& place : kClouds) {
        cAnimation* look = place.picture < int(gCloudsHD.size()) ? gCloudsHD[place.picture] : nullptr;
        clouds.push_back(std::make_unique<cCloud>(place.x, place.y, place.speed, look, look, 2));
    }
}

void cStartScreen::ReadyCharacters()
{
    characters.clear();
    for (int id = 0; id < 3; ++id)
        if (cPlayerChar* character = commonResources->GetCharacter(id))
            characters.push_back(character);
    if (characters.size() == 3 && gAntlerAncestor && gRainbowSpirit) {
        characters.push_back(gAntlerAncestor);
        characters.push_back(gRainbowSpirit);
    }
    for (cPlayerChar* character : characters) {
        character->Reset();
        character->Stand();
        character->SetActive(true);
    }
}

void cStartScreen::StartMusic(float volume)
{
    menuMusic = std::make_unique<cSound>();
    // Without the file the title stays silent: Load fails and Play does nothing.
    menuMusic->Load(audioSystem, kMusicFile, -1, true);
    menuMusic->Play(volume, -1, settings && settings->IsMusicMuted());
}

void cStartScreen::Start()
{
    selected = 0;
    leaving = false;
    ReadyCharacters();
    StartMusic(0.0f);
    menuMusic->FadeTo(1.0f, kMusicFadeInMs);
}

void cStartScreen::ApplySettings(cGameSettings* gameSettings)
{
    settings = gameSettings;
    if (menuMusic)
        menuMusic->SetMuted(settings->IsMusicMuted());
    if (gSoundLibrary)
        gSoundLibrary->SetMuted(settings->IsSFXMuted());
    if (options)
        options->ApplySettings(settings);
}

// ---- sub-screens ---------------------------------------------------------------------------

void cStartScreen::OpenOptions()
{
    subState = SUB_OPTIONS;
    if (!options)
        options = std::make_unique<cOptionsScreen>();
    options->SetScaleFactor(scale);
    options->Init(commonResources, settings);
    options->Resize(width, height);
    if (settings)
        ApplySettings(settings);
}

void cStartScreen::OpenCredits()
{
    subState = SUB_CREDITS;
    if (!credits)
        credits = std::make_unique<cCreditsScreen>();
    credits->Init(commonResources);
    credits->Resize(width, height);
}

void cStartScreen::OpenSaveSlots(bool newGame)
{
    subState = SUB_SAVE_SLOTS;
    if (!saveSlots)
        saveSlots = std::make_unique<cSaveSlotMenu>(newGame);
    saveSlots->Init(font.get());
    saveSlots->Resize(width, height);
}

void cStartScreen::RunEntry(const QString& name)
{
    if (name == QLatin1String("NEW GAME"))
        OpenSaveSlots(true);
    else if (name == QLatin1String("RESUME"))
        OpenSaveSlots(false);
    else if (name == QLatin1String("OPTIONS"))
        OpenOptions();
    else if (name == QLatin1String("CREDITS"))
        OpenCredits();
    else if (name == QLatin1String("EXIT"))
        exitChosen = true;
}

int cStartScreen::GetSelectedSlot() const
{
    return saveSlots ? saveSlots->GetSelectedSlot() : -1;
}

// ---- tick ----------------------------------------------------------------------------------

void cStartScreen::AdvanceScenery(int dtMs, bool stars)
{
    if (stars && commonResources)
        commonResources->UpdateStars(dtMs);
    for (const auto& cloud : clouds)
        cloud->Update(dtMs);
}

int cStartScreen::Update(int dtMs)
{
    if (menuMusic)
        menuMusic->UpdateFade(unsigned(dtMs));
    switch (subState) {
    case SUB_OPTIONS:
        if (options->Update(dtMs, false) == cOptionsScreen::RESULT_CLOSED) {
            subState = SUB_NONE;
            options.reset();
            return RESULT_NONE;
        }
        break;
    case SUB_CREDITS:
        if (credits->Update(dtMs) == cCreditsScreen::RESULT_CLOSED) {
            subState = SUB_NONE;
            credits.reset();
            return RESULT_NONE;
        }
        break;
    case SUB_SAVE_SLOTS: return UpdateSaveSlots(dtMs);
    default: break;
    }
    // The credits step the stars themselves; the scenery behind every page moves at one speed.
    AdvanceScenery(dtMs, subState != SUB_CREDITS);
    for (cPlayerChar* character : characters)
        character->Update(dtMs);
    if (fullScreenToggled) {
        fullScreenToggled = false;
        return RESULT_TOGGLE_FULL_SCREEN;
    }
    return exitChosen ? RESULT_QUIT : RESULT_NONE;
}

int cStartScreen::UpdateSaveSlots(int dtMs)
{
    AdvanceScenery(dtMs, true);
    const int code = saveSlots->Update(dtMs);
    if (code == cSaveSlotMenu::RESULT_RESUME)
        return RESULT_RESUME_SLOT;
    if (code == cSaveSlotMenu::RESULT_NEW_GAME)
        return RESULT_NEW_GAME_ON_SLOT;
    if (code == cSaveSlotMenu::RESULT_BACK) {
        subState = SUB_NONE;
        saveSlots.reset();
    }
    return RESULT_NONE;
}

// ---- keys and mouse ------------------------------------------------------------------------

void cStartScreen::ApplyOptionsCode(int code)
{
    if (!settings)
        return;
    if (code == cMenuItem::RESULT_MUSIC) {
        settings->ToggleMusicMute();
    } else if (code == cMenuItem::RESULT_CLICK_FULL_SCREEN || code == cMenuItem::RESULT_KEY_FULL_SCREEN) {
        fullScreenToggled = true;
        settings->ToggleFullScreen();
    } else if (code == cMenuItem::RESULT_EFFECTS) {
        // One box mutes the effects and the ambience together.
        settings->ToggleSFXMute();
        settings->ToggleAmbienceMute();
    } else {
        return;
    }
    ApplySettings(settings);
    settings->Save();
}

void cStartScreen::ApplyClickedOptionsCode(int code)
{
    if (code == cMenuItem::RESULT_CLICK_FULL_SCREEN)
        std::printf("wHAT ?? ? \n ");
    ApplyOptionsCode(code);
}

void cStartScreen::HandleInput(cInputHandler* input)
{
    switch (subState) {
    case SUB_OPTIONS: ApplyOptionsCode(options->HandleInput(input)); return;
    case SUB_CREDITS: credits->HandleInput(input); return;
    case SUB_SAVE_SLOTS: saveSlots->HandleInput(input); return;
    default: break;
    }
    const int count = ItemCount();
    if (count == 0)
        return;
    if (input->WasPressedAlt(KEY_RIGHT)) {
        PlayMenuSound();
        selected = (selected + 1) % count;
    } else if (input->WasPressedAlt(KEY_LEFT)) {
        PlayMenuSound();
        selected = (selected + count - 1) % count;
    } else if (input->WasPressedAlt(KEY_CONFIRM) || input->WasPressed(KEY_JUMP)) {
        PlayMenuSound();
        RunEntry(items[selected]->GetName());
    }
}

bool cStartScreen::HitsItem(const cMenuItem& item, int x, int y, int boxHeight) const
{
    const b2Vec2 at = item.GetScreenPosition();
    return float(x) > at.x && float(x) < at.x + float(font->TextWidth(item.GetName(), textScale)) &&
           float(y) > at.y && float(y) < at.y + float(boxHeight * textScale);
}

void cStartScreen::MouseMove(int x, int y)
{
    const int up = height - y;
    if (subState == SUB_NONE && font)
        for (const auto& item : items)
            item->SetHighlighted(HitsItem(*item, x, up, 8));
    if (subState == SUB_OPTIONS && options)
        options->MouseMove(x, up);
    else if (subState == SUB_CREDITS)
        credits->MouseMove(x, up);
    else if (subState == SUB_SAVE_SLOTS)
        saveSlots->MouseMove(x, up);
}

void cStartScreen::MousePress(int x, int y, int button, cInputHandler* input)
{
    if (button != 1)
        return;
    const int up = height - y;
    // The walk over the entries goes on after CREDITS and RESUME, so the screen one of them opened
    // gets the same click in the next step.
    for (int i = 0; i < ItemCount(); ++i) {
        if (subState == SUB_CREDITS) {
            credits->MousePress(x, up);
            return;
        }
        if (subState == SUB_SAVE_SLOTS) {
            saveSlots->MousePress(x, up);
            return;
        }
        if (subState != SUB_NONE || !font || !HitsItem(*items[i], x, up, 14))
            continue;
        items[i]->SetSelected(true);
        selected = i;
        PlayMenuSound();
        const QString name = items[i]->GetName();
        RunEntry(name);
        if (name == QLatin1String("NEW GAME") || name == QLatin1String("OPTIONS"))
            return;
    }
    if (subState == SUB_OPTIONS)
        ApplyClickedOptionsCode(options->MousePress(x, up, input));
}

void cStartScreen::Leave(int)
{
    leaving = true;
    if (menuMusic)
        menuMusic->FadeOutAndStop(kMusicFadeOutMs);
}

// ---- layout and drawing --------------------------------------------------------------------

QStringList cStartScreen::EntryNames() const
{
    QStringList names;
    for (const auto& item : items)
        names << item->GetName();
    return names;
}

void cStartScreen::Resize(int w, int h)
{
    width = w;
    height = h;
    pictureScale = MenuPictureScale(w, h);
    scale = 2 * pictureScale;
    offsetX = (w - 480 * pictureScale) / 2;
    offsetY = (h - 272 * pictureScale) / 2;
    if (font)
        textScale = FitRowScale(*font, EntryNames(), width, scale);
    for (const auto& cloud : clouds) {
        cloud->SetWrapLimit(w);
        cloud->SetScale(scale);
    }
    if (options)
        options->Resize(w, h);
    if (credits)
        credits->Resize(w, h);
    if (saveSlots)
        saveSlots->Resize(w, h);
}

void cStartScreen::Draw(bool flag)
{
    DrawGradientRect(-1, -1, float(width + 1), float(height + 1), 216, 203, 236, 181, 159, 217, 255);
    if (commonResources)
        commonResources->DrawStars(pictureScale);
    switch (subState) {
    case SUB_OPTIONS:
        for (int i = 0; i < kDrawnClouds && i < int(clouds.size()); ++i)
            clouds[i]->DrawScaled(255);
        options->Draw(flag);
        return;
    case SUB_CREDITS: credits->Draw(flag); return;
    case SUB_SAVE_SLOTS: saveSlots->Draw(Picture(PICTURE_HEART), flag); return;
    default: break;
    }
    for (int i = 0; i < kDrawnClouds && i < int(clouds.size()); ++i)
        clouds[i]->DrawScaled(255);
    DrawScene();
    DrawMenuRow();
}

void cStartScreen::DrawScene()
{
    const int s = scale;
    const int p = pictureScale;
    const float raised = 1.4f * float(offsetY);
    for (const auto& circle : circles)
        circle->Draw(float(offsetX + 61 * s), float(217 * p) + raised, s, kCircleSegments);
    if (cAnimation* badge = Picture(PICTURE_BADGE))
        badge->DrawScaled(float(offsetX + 25 * s), float(145 * p) + raised, p, 255, 255, 255, 255);
    if (cAnimation* makers = Picture(PICTURE_MAKERS))
        makers->DrawScaled(float(offsetX + 27 * s), float(115 * p) + raised, p, 255, 255, 255, 255);
    const float x0 = float(offsetX + 83 * s);
    const float y0 = float(offsetY + 5 * s);
    if (cAnimation* rock = Picture(PICTURE_ROCK))
        rock->DrawScaled(x0, y0, s, 255, 255, 255, 255);
    if (characters.size() < 5)
        return;
    // Back to front: the antler on the peak, brown, the spirit, then orange and gray before them.
    characters[FIGURE_ANTLER]->DrawScaled(x0 + float(12 * s), y0 + float(86 * s), float(s));
    characters[FIGURE_BROWN]->DrawScaled(x0 + float(24 * s), y0 + float(71 * s), float(s));
    characters[FIGURE_SPIRIT]->DrawScaled(x0, y0 + float(43 * s), float(s));
    characters[FIGURE_ORANGE]->DrawScaled(x0 + float(9 * s), y0 + float(32 * s), float(s));
    characters[FIGURE_GRAY]->DrawScaled(x0 + float(39 * s), y0 + float(32 * s), float(s));
}

void cStartScreen::DrawMenuRow()
{
    if (!font || items.empty())
        return;
    const QStringList names = EntryNames();
    textScale = FitRowScale(*font, names, width, scale);
    const int t = textScale;
    int x = (width - RowWidth(*font, names, t)) / 2;
    for (int i = 0; i < ItemCount(); ++i) {
        cMenuItem& item = *items[i];
        const int y = item.GetY() * t + offsetY / 5;
        item.SetScreenPosition(float(x), float(y + (18 - 8) / 2 * t));
        if (i == selected)
            if (cAnimation* heart = Picture(PICTURE_HEART))
                heart->DrawScaled(float(x - 15 * t), float(y + t), t, 255, 255, 255, 255);
        if (i == selected || item.IsHighlighted())
            font->DrawTextShadowedColored(item.GetName(), x, y, t);
        else
            font->DrawTextShadowed(item.GetName(), x, y, t);
        x += font->TextWidth(item.GetName(), t) + kRowNameGap * t;
    }
}

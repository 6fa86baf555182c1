#include "app/Game.h"

#include "actors/PlayerChar.h"
#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "player/SaveGame.h"
#include "audio/AudioSystem.h"
#include "audio/SoundLibrary.h"
#include "engine/MessageBox.h"
#include "screens/EndScreen.h"
#include "screens/LevelSelectionScreen.h"
#include "screens/MenuItem.h"
#include "screens/MetaLevel.h"
#include "screens/PauseScreen.h"
#include "screens/StartScreen.h"
#include "world/Area.h"
#include "world/Area0.h"
#include "world/AreaEnd.h"
#include "world/CommonResources.h"
#include "world/FrameEditor.h"

#include <cstdio>
#include <cstdlib>

namespace
{
const char* const kFirstArea = "res/Areas/Area0.xml";
/// The exit destination that ends the story with the end screen.
const char* const kFarewell = "SPECIAL_Farewell";
/// The display names of the last two story areas: the area selection never books them, so the
/// controller records them in the save slot itself.
const std::string kCreditsName = "Family Trees";
const std::string kLastAreaName = "It's all over now";
/// Fades of the frames and the background as an area starts and ends.
constexpr unsigned kAreaFadeMs = 600;

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsPlay(eGameMode mode)
{
    return mode == GAME_MODE_AREA || mode == GAME_MODE_AREA_PAUSED;
}

/// Whether an exit's destination can name a file of the resources' area folder: with a folder or a
/// drive in it, the resource-path rule would take the name for a path on disk.
bool NamesAnAreaFile(const std::string& destination)
{
    return !destination.empty() && destination.find_first_of("/\\:") == std::string::npos;
}

}

eAreaKind AreaKindFor(const std::string& areaFile, bool reload)
{
    if (EndsWith(areaFile, "res/Areas/Area0.xml") || (!reload && EndsWith(areaFile, "res/Areas/003Area0.xml")))
        return eAreaKind::First;
    if (EndsWith(areaFile, "res/Areas/EndArea.xml"))
        return eAreaKind::Last;
    return eAreaKind::Plain;
}

std::string FrameSetFileFor(const std::string& areaFile)
{
    const size_t stem = areaFile.size() < 4 ? 0 : areaFile.size() - 4;
    return areaFile.substr(0, stem) + "_Frames.xml";
}

cGame::cGame(bool gameMode)
    : settings(new cGameSettings)
    , gameMode(gameMode)
{
}

cGame::~cGame()
{
    LeaveState();
    DeleteArea();
    delete commonResources;
    delete audioSystem;
    delete settings;
}

bool cGame::Init()
{
    audioSystem = new cAudioSystem;
    // Without a sound device the system still runs, silently: the game is playable all the same.
    audioSystem->Init();
    commonResources = new cCommonResources(audioSystem);
    if (!commonResources->LoadAll())
        return false;
    ToStartScreen(-1);
    return true;
}

bool cGame::LoadSettings(const QString& fileName)
{
    return settings->Load(fileName);
}

void cGame::ApplySettings()
{
    if (currentState)
        currentState->ApplySettings(settings);
    if (pauseScreen)
        pauseScreen->ApplySettings(settings);
    if (!IsPlay(mode) || !area)
        return;
    if (gSoundLibrary)
        gSoundLibrary->SetMuted(settings->IsSFXMuted());
    area->ApplySoundSettings(settings->IsMusicMuted(), settings->IsAmbienceMuted());
}

void cGame::FollowFullScreen(bool fullScreen)
{
    if (settings->IsFullScreen() == fullScreen)
        return;
    settings->SetFullScreen(fullScreen);
    settings->Save();
    ApplySettings();
}

// Where the screens and areas come from.

cStartScreen* cGame::NewStartScreen(int subScreen)
{
    return new cStartScreen(subScreen);
}

cLevelSelectionScreen* cGame::NewLevelSelection(int slot, bool fromArea)
{
    return new cLevelSelectionScreen(slot, fromArea);
}

cMetaLevel* cGame::NewMetaLevel(cSound* music)
{
    return new cMetaLevel(music);
}

cGameState* cGame::NewEndScreen()
{
    return new cEndScreen;
}

cPauseScreen* cGame::NewPauseScreen()
{
    return new cPauseScreen;
}

cArea* cGame::NewArea(const std::string& file, bool reload)
{
    switch (AreaKindFor(file, reload))
    {
    case eAreaKind::First:
        return new cArea0(file, commonResources);
    case eAreaKind::Last:
        return new cAreaEnd(file, commonResources);
    case eAreaKind::Plain:
        break;
    }
    return new cArea(file, commonResources);
}

cStartScreen* cGame::StartScreen() const
{
    return static_cast<cStartScreen*>(currentState);
}

cLevelSelectionScreen* cGame::LevelSelection() const
{
    return static_cast<cLevelSelectionScreen*>(currentState);
}

cMetaLevel* cGame::MetaLevel() const
{
    return static_cast<cMetaLevel*>(currentState);
}

// Changes of mode.

void cGame::DeleteArea()
{
    delete pauseScreen;
    pauseScreen = nullptr;
    delete frameManager;
    frameManager = nullptr;
    delete area;
    area = nullptr;
}

void cGame::LeaveState()
{
    if (IsPlay(mode))
        DeleteArea();
    if (!currentState)
        return;
    currentState->Leave(0);
    delete currentState;
    currentState = nullptr;
}

bool cGame::MakeCurrent(cGameState* state, eGameMode newMode, const char* what)
{
    if (!state->Init(commonResources, audioSystem, settings))
    {
        std::printf("\n ERROR: The %s could not be opened. \n\n", what);
        delete state;
        return false;
    }
    currentState = state;
    mode = newMode;
    return true;
}

void cGame::FallBackToStartScreen()
{
    ToStartScreen(-1);
    changed = true;
}

void cGame::ToStartScreen(int subScreen)
{
    LeaveState();
    if (MakeCurrent(NewStartScreen(subScreen), GAME_MODE_START_SCREEN, "title screen"))
        return;
    // Every way through the game leads back here: without it there is no game to go on with.
    ShowMessageBox(eMessageBoxKind::Critical, QStringLiteral("Mirrowen"),
                   QStringLiteral("Sorry, 'Mirrowen' cannot go on: its title screen does not load."));
    std::exit(1);
}

bool cGame::ToLevelSelection(bool fromArea, int areaScore, bool finished)
{
    LeaveState();
    changed = true;
    if (!MakeCurrent(NewLevelSelection(saveSlot, fromArea), GAME_MODE_LEVEL_SELECTION, "area selection"))
    {
        FallBackToStartScreen();
        return false;
    }
    if (finished && !areaFile.empty())
        return LevelSelection()->AreaFinished(areaFile, areaScore, 0, 0);
    return true;
}

bool cGame::ToMetaLevel(const std::string& file, cSound* music, int positive, int negative)
{
    cMetaLevel* interlude = NewMetaLevel(music);
    if (!interlude->InitWithArea(commonResources, audioSystem, settings, file, positive, negative))
    {
        std::printf("\n ERROR: The interlude before %s could not be opened. \n\n", file.c_str());
        delete interlude;
        FallBackToStartScreen();
        return false;
    }
    LeaveState();
    DeleteArea();
    currentState = interlude;
    mode = GAME_MODE_META_LEVEL;
    changed = true;
    return true;
}

bool cGame::ToEndScreen()
{
    LeaveState();
    if (MakeCurrent(NewEndScreen(), GAME_MODE_END_SCREEN, "end screen"))
        return true;
    FallBackToStartScreen();
    return false;
}

bool cGame::StartArea(const std::string& file)
{
    LeaveState();
    score = 0;
    if (gameMode)
        return ToMetaLevel(file, nullptr, 0, 0);
    return EnterArea(file);
}

cArea* cGame::LoadedArea(const std::string& file, bool reload)
{
    cArea* loaded = NewArea(file, reload);
    if (loaded->Init(audioSystem, settings->IsMusicMuted(), settings->IsAmbienceMuted()))
        return loaded;
    delete loaded;
    return nullptr;
}

bool cGame::LoadArea(const std::string& file)
{
    DeleteArea();
    cArea* next = LoadedArea(file, false);
    const bool loaded = next != nullptr;
    if (!loaded && !areaFile.empty())
    {
        std::printf("\n ERROR: Area %s did not load; %s is played again. \n\n", file.c_str(), areaFile.c_str());
        next = LoadedArea(areaFile, true);
    }
    if (!next)
    {
        std::printf("\n ERROR: Area %s did not load and there is no area to play instead. \n\n", file.c_str());
        return false;
    }
    // The interlude that led here goes; the old area went already.
    LeaveState();
    area = next;
    if (loaded)
        areaFile = file;
    mode = GAME_MODE_AREA;
    changed = true;
    frameManager = new cFrameEditor(area, commonResources);
    frameManager->LoadFrameSets(QString::fromStdString(FrameSetFileFor(areaFile)));
    frameManager->StartFadeIn(kAreaFadeMs);
    frameManager->FlashBackground(kAreaFadeMs);
    return loaded;
}

bool cGame::EnterArea(const std::string& file)
{
    const bool loaded = LoadArea(file);
    if (!area)
        FallBackToStartScreen();
    return loaded;
}

void cGame::GoToNextArea(int positive, int negative)
{
    if (mode == GAME_MODE_META_LEVEL)
    {
        EnterArea(MetaLevel()->GetNextArea());
        return;
    }
    if (!IsPlay(mode) || !area)
    {
        StartArea(kFirstArea);
        return;
    }
    const std::string destination = area->GetExitDestination();
    if (destination == kFarewell)
    {
        ToEndScreen();
        return;
    }
    if (!NamesAnAreaFile(destination))
    {
        std::printf("\n ERROR: The exit leads to \"%s\", which names no area of the game. \n\n", destination.c_str());
        FallBackToStartScreen();
        return;
    }
    const std::string file = "res/Areas/" + destination + ".xml";
    if (gameMode)
        ToMetaLevel(file, nullptr, positive, negative);
    else
        EnterArea(file);
}

void cGame::StartSelectedArea(const std::string& selectedFile, cSound* music)
{
    if (!IsPlay(mode))
        LeaveState();
    if (selectedFile == kFarewell)
        ToEndScreen();
    else if (gameMode)
        ToMetaLevel(selectedFile, music, 0, 0);
    else
        EnterArea(selectedFile);
}

void cGame::Reset()
{
    if (currentState)
        currentState->Start();
    if (IsPlay(mode))
        EnterArea(areaFile);
}

// The tick.

int cGame::Update(int dtMs)
{
    if (mode == GAME_MODE_NONE)
        return RESULT_NONE;
    audioSystem->Update();
    const eGameMode tickMode = mode;
    const int result = currentState ? currentState->Update(dtMs) : 0;
    if (tickMode == GAME_MODE_START_SCREEN)
    {
        const int answer = UpdateStartScreen(result);
        if (answer != RESULT_NONE)
            return answer;
    }
    if (tickMode == GAME_MODE_END_SCREEN)
        UpdateEndScreen(result);
    if (tickMode == GAME_MODE_META_LEVEL)
        UpdateMetaLevel(result);
    // Continuing from the pause screen and leaving the interlude both play on in the same tick.
    if (mode == GAME_MODE_AREA_PAUSED && UpdatePaused(dtMs) == RESULT_TOGGLE_FULL_SCREEN)
        return RESULT_TOGGLE_FULL_SCREEN;
    if (mode == GAME_MODE_AREA && area)
        UpdateArea(dtMs);
    if (tickMode == GAME_MODE_LEVEL_SELECTION)
        UpdateLevelSelection(result);
    if (!changed)
        return RESULT_NONE;
    changed = false;
    return RESULT_CHANGED;
}

int cGame::UpdateStartScreen(int result)
{
    switch (result)
    {
    case cStartScreen::RESULT_START_FIRST_AREA:
        StartArea(kFirstArea);
        break;
    case cStartScreen::RESULT_QUIT:
        return RESULT_QUIT;
    case cStartScreen::RESULT_TOGGLE_FULL_SCREEN:
        return RESULT_TOGGLE_FULL_SCREEN;
    case cStartScreen::RESULT_RESUME_SLOT:
        saveSlot = StartScreen()->GetSelectedSlot();
        ToLevelSelection(false, 0, false);
        break;
    case cStartScreen::RESULT_NEW_GAME_ON_SLOT:
        saveSlot = StartScreen()->GetSelectedSlot();
        StartArea(kFirstArea);
        break;
    default:
        break;
    }
    return RESULT_NONE;
}

void cGame::UpdateEndScreen(int result)
{
    if (result == cEndScreen::RESULT_DONE)
        FallBackToStartScreen();
}

void cGame::UpdateMetaLevel(int result)
{
    if (result == cMetaLevel::RESULT_NEXT_AREA)
        EnterArea(MetaLevel()->GetNextArea());
}

int cGame::UpdatePaused(int dtMs)
{
    if (!area || !pauseScreen)
        return RESULT_NONE;
    switch (pauseScreen->Update(dtMs))
    {
    case cPauseScreen::RESULT_CONTINUE:
        area->ClearPaused();
        delete pauseScreen;
        pauseScreen = nullptr;
        mode = GAME_MODE_AREA;
        changed = true;
        break;
    case cPauseScreen::RESULT_EXIT:
        FallBackToStartScreen();
        break;
    case cPauseScreen::RESULT_TOGGLE_FULL_SCREEN:
        return RESULT_TOGGLE_FULL_SCREEN;
    case cPauseScreen::RESULT_SELECT_AREA:
        ToLevelSelection(true, -1, false);
        break;
    default:
        break;
    }
    return RESULT_NONE;
}

void cGame::UpdateArea(int dtMs)
{
    const int result = area->Update(dtMs);
    if (!frameManager)
        return;
    ApplyAreaResult(result, *area, *frameManager);
    frameManager->Update(dtMs);
    if (result != cArea::RESULT_LEAVING)
        return;
    // The area answers so on every tick from its exit on; the fade is started once.
    if (frameManager->GetState() != kFramesFadingOut)
    {
        frameManager->StartFadeOut(kAreaFadeMs);
        frameManager->FadeBackgroundTo(kAreaFadeMs);
    }
    if (frameManager->IsFadedOut())
        FinishArea();
}

void cGame::ApplyAreaResult(int result, cArea& area, cFrameManager& frames)
{
    switch (result)
    {
    case cArea::RESULT_FRAME_SET:
        frames.SwitchToFrameSet(static_cast<unsigned>(area.GetTriggeredFrameSet()), 1000);
        break;
    case cArea0::RESULT_SHAKE_THEN_SWITCH: // the tree has jumped
        frames.ShakeThenSwitch(4000, 5, 5, 100, true);
        break;
    case cArea0::RESULT_SHAKE: // the earthquake
        frames.ShakeFrames(2200, 3, 3, 100, true);
        break;
    case cAreaEnd::RESULT_SHAKE_THEN_SWITCH: // the camera is ready
        frames.ShakeThenSwitch(1500, 6, 6, 50, true);
        break;
    default:
        break;
    }
}

void cGame::FinishArea()
{
    int exitScore = 0, positive = 0, negative = 0;
    area->GetExitInfo(&exitScore, &positive, &negative);
    const std::string name = area->GetName();
    const bool storyEnd = name == kCreditsName || name == kLastAreaName;
    if (storyEnd && saveSlot >= 0)
        SaveStoryProgress(name, exitScore);
    changed = true;
    if (name == kLastAreaName)
        ToStartScreen(-1);
    else if (!gameMode || name == kCreditsName)
        GoToNextArea(positive, negative);
    else
        ToLevelSelection(true, exitScore, true);
}

void cGame::SaveStoryProgress(const std::string& areaName, int areaScore)
{
    const std::string slotFile = "Saves/slot" + std::to_string(saveSlot) + ".zvs";
    cSaveGame save;
    // Saving what could not be read would write an empty slot over the player's progress.
    if (!save.Load(slotFile))
    {
        std::printf("\n ERROR: %s could not be read; %s is not recorded in it. \n\n", slotFile.c_str(),
                    areaName.c_str());
        return;
    }
    save.UpdateArea(areaFile, true, true, areaScore);
    if (areaName == kCreditsName)
    {
        save.UnlockArea("res/Areas/Credits2.xml");
    }
    else
    {
        save.UnlockArea("res/Areas/What_the_Heart.xml");
        save.UnlockArea("res/Areas/Antler_Arc.xml");
        save.UnlockArea("res/Areas/Spelunking.xml");
    }
    save.Save();
}

void cGame::UpdateLevelSelection(int result)
{
    if (result < 0)
    {
        LevelSelection()->DeleteMusic();
        ToStartScreen(result == cLevelSelectionScreen::RESULT_LEAVE_TO_SLOTS ? 3 : -1);
        changed = true;
    }
    else if (result == cLevelSelectionScreen::RESULT_START_AREA)
    {
        StartSelectedArea(LevelSelection()->GetSelectedArea(), LevelSelection()->GetMusic());
        changed = true;
    }
}

// Input, drawing and the mouse.

int cGame::HandleInput(cInputHandler* input)
{
    if (mode == GAME_MODE_NONE)
        return INPUT_NONE;
    if (currentState)
        currentState->HandleInput(input);
    if (!area)
        return INPUT_NONE;
    if (mode == GAME_MODE_AREA_PAUSED && pauseScreen)
    {
        AfterOptions(pauseScreen->HandleInput(input), cMenuItem::RESULT_KEY_FULL_SCREEN);
        return INPUT_NONE;
    }
    if (!area->IsPaused() && input->WasPressed(KEY_BACK))
        return INPUT_PAUSE;
    HandlePlayInput(input);
    return INPUT_NONE;
}

void cGame::HandlePlayInput(cInputHandler* input)
{
    if (input->WasPressed(KEY_PREV))
        area->SwitchPlayer(false, false, false);
    if (input->WasPressed(KEY_NEXT))
        area->SwitchPlayer(true, false, false);
    // "The End" waits for any key.
    auto* lastArea = dynamic_cast<cAreaEnd*>(area);
    if (input->WasPressed(KEY_ANY) && area->GetName() == kCreditsName && lastArea && lastArea->IsFinished())
        lastArea->SetFinished(true);
    cPlayerChar* player = area->GetCurrentPlayer();
    if (!player)
        return;
    // Only the rainbow spirit turns the frames. It is not present while it rides a turn on the
    // screen, and the next turn may start then; the frame manager decides when one can.
    if (frameManager && player->GetId() == 1 && player->IsAncestorForm())
    {
        if (input->IsHeld(KEY_ROT_LEFT))
            frameManager->RotateLeft();
        if (input->IsHeld(KEY_ROT_RIGHT))
            frameManager->RotateRight();
    }
    if (!player->IsPresent())
        return;
    if (input->WasPressed(KEY_UP))
        area->SetExitsTarget(player->GetId());
    const bool left = input->IsHeld(KEY_LEFT);
    const bool right = input->IsHeld(KEY_RIGHT);
    if (player->GetState() == PLAYER_IN_EXIT && (left || right))
        player->LeaveExit();
    if (left)
        player->Walk(FACING_LEFT);
    if (right)
        player->Walk(FACING_RIGHT);
    // A jump while down is held asks for the head-jump as well.
    if (input->WasPressed(KEY_JUMP))
        player->Jump(input->IsHeld(KEY_DOWN));
    if (input->WasPressed(KEY_DOWN))
        player->HeadJump();
}

bool cGame::EnterPauseScreen(int width, int height)
{
    // While the frames fade out (a switch of frame sets, or the area being left) the menu is not
    // drawn and the fade stands still: the player would face a frozen picture and nothing to choose.
    if (mode != GAME_MODE_AREA || !area || (frameManager && frameManager->GetState() == kFramesFadingOut))
        return false;
    std::printf("Entering PAUSE screen \n");
    if (!pauseScreen)
        pauseScreen = NewPauseScreen();
    if (!pauseScreen->Init(commonResources, audioSystem, settings))
    {
        std::printf("\n ERROR: The pause screen could not be opened; play goes on. \n\n");
        delete pauseScreen;
        pauseScreen = nullptr;
        return false;
    }
    pauseScreen->Resize(width, height);
    area->SetPaused(true);
    if (gSoundLibrary)
        gSoundLibrary->PlayRandomMenuSound(0.4f);
    mode = GAME_MODE_AREA_PAUSED;
    changed = true;
    return true;
}

bool cGame::ShowMouseCursor()
{
    if (mode == GAME_MODE_LEVEL_SELECTION)
        return true;
    if (IsPlay(mode))
        return area && area->IsPaused();
    return currentState ? currentState->ShowMouseCursor() : true;
}

void cGame::DrawState()
{
    if (currentState)
        currentState->Draw(false);
}

void cGame::DrawPauseScreen()
{
    // While the frames fade out the area is being left: the menu would hang over nothing.
    if (area && area->IsPaused() && pauseScreen && frameManager && frameManager->GetState() != kFramesFadingOut)
        pauseScreen->Paint();
}

void cGame::Resize(int width, int height)
{
    if (currentState)
        currentState->Resize(width, height);
    if (pauseScreen)
        pauseScreen->Resize(width, height);
    if (frameManager)
        frameManager->Resize(width, height);
}

void cGame::MouseMove(int x, int y)
{
    if (currentState)
        currentState->MouseMove(x, y);
    if (mode == GAME_MODE_AREA_PAUSED && pauseScreen && area && area->IsPauseScreenShown())
        pauseScreen->MouseMove(x, y);
}

void cGame::MousePress(int x, int y, int button, cInputHandler* input)
{
    if (currentState)
        currentState->MousePress(x, y, button, input);
    if (mode != GAME_MODE_AREA_PAUSED || !pauseScreen || !area || !area->IsPauseScreenShown())
        return;
    AfterOptions(pauseScreen->MousePress(x, y, button, input), cMenuItem::RESULT_CLICK_FULL_SCREEN);
}

void cGame::AfterOptions(int code, int fullScreenCode)
{
    if (code != cMenuItem::RESULT_MUSIC && code != cMenuItem::RESULT_EFFECTS && code != fullScreenCode)
        return;
    ApplySettings();
    if (code == cMenuItem::RESULT_EFFECTS)
        area->SetMushroomsFlag(settings->IsAmbienceMuted());
}

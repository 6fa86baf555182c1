#include "screens/LevelSelectionScreen.h"

#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "player/SaveGame.h"
#include "audio/Sound.h"
#include "engine/Drawing.h"
#include "screens/FlyingHearts.h"
#include "screens/LevelButton.h"
#include "screens/LevelContainer.h"
#include "screens/LevelOrder.h"
#include "screens/MenuSounds.h"
#include "screens/MetaLevel.h"
#include "screens/TextButton.h"
#include "world/CommonResources.h"

#include <algorithm>

namespace {

const char* const kLevelOrderFile = "res/xml/LevelOrder.xml";

} // namespace

cLevelSelectionScreen::cLevelSelectionScreen(int saveSlot, bool openedFromArea)
    : slot(saveSlot), fromArea(openedFromArea), textButton(std::make_unique<cTextButton>())
{
    width = 0;
    height = 0;
    textButton->SetText(fromArea ? "EXIT" : "BACK");
    LoadAreaOrder();
    ApplySaveGame();
}

cLevelSelectionScreen::~cLevelSelectionScreen() = default;

void cLevelSelectionScreen::LoadAreaOrder()
{
    cLevelOrder order;
    order.Load(kLevelOrderFile);
    int index = 0;
    for (const cLevelOrder::sArea& area : order.GetAreas()) {
        auto entry = std::make_unique<cLevelContainer>(index++, area.fileName);
        entry->LoadArea();
        entry->Resize(width, height);
        entries.push_back(std::move(entry));
    }
    if (!entries.empty())
        entries.front()->SetSelected(true);
}

void cLevelSelectionScreen::ApplySaveGame()
{
    saveGame = std::make_unique<cSaveGame>();
    saveGame->Load("Saves/slot" + std::to_string(slot) + ".zvs");
    for (const std::unique_ptr<cLevelContainer>& entry : entries) {
        const AreaStatus* record = saveGame->GetArea(saveGame->FindArea(entry->GetFileName()));
        if (!record)
            continue;
        entry->SetCompleted(record->completed, true);
        entry->SetUnlocked(record->unlocked, false);
        entry->SetBestScore(record->score);
    }
}

bool cLevelSelectionScreen::Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings)
{
    commonResources = resources;
    audioSystem = audio;
    if (!music)
        music = cMetaLevel::StartMusic(audio, settings);
    return true;
}

void cLevelSelectionScreen::ApplySettings(cGameSettings* settings)
{
    if (music && settings)
        music->SetMuted(settings->IsMusicMuted());
}

bool cLevelSelectionScreen::AreaFinished(const std::string& fileName, int score, int pinkHearts, int greenHearts)
{
    cLevelContainer* entry = FindEntry(fileName);
    score = std::max(0, score);
    if (entry && entry->GetBestScore() < score)
        entry->SetBestScore(score);
    saveGame->UpdateArea(fileName, true, true, score);
    saveGame->SetScore(TotalScore());
    if (entry) {
        if (!entry->IsCompleted()) {
            saveGame->SetCurrentArea(fileName);
            UnlockSuccessors(fileName);
        }
        entry->SetCompleted(true, false);
        // Nothing is highlighted until the first unlock ends or the player moves.
        DeselectAll();
        selected = entry->GetIndex();
    }
    hearts = std::make_unique<cFlyingHearts>(pinkHearts, greenHearts);
    return saveGame->Save();
}

void cLevelSelectionScreen::UnlockSuccessors(const std::string& fileName)
{
    cLevelOrder order;
    order.Load(kLevelOrderFile);
    for (const std::string& target : order.GetUnlocks(fileName)) {
        cLevelContainer* entry = FindEntry(target);
        if (!entry || entry->IsUnlockedOrUnlocking())
            continue;
        entry->SetUnlocked(true, true);
        saveGame->UpdateArea(target, false, true, 0);
    }
}

cLevelContainer* cLevelSelectionScreen::FindEntry(const std::string& fileName) const
{
    for (const std::unique_ptr<cLevelContainer>& entry : entries)
        if (entry->GetFileName() == fileName)
            return entry.get();
    return nullptr;
}

int cLevelSelectionScreen::TotalScore() const
{
    int total = 0;
    for (const std::unique_ptr<cLevelContainer>& entry : entries)
        total += entry->GetBestScore();
    return total;
}

std::string cLevelSelectionScreen::GetSelectedArea() const
{
    if (selected < 0 || selected >= GetEntryCount())
        return std::string();
    return entries[selected]->GetFileName();
}

void cLevelSelectionScreen::DeleteMusic()
{
    delete music;
    music = nullptr;
}

int cLevelSelectionScreen::Update(int dtMs)
{
    if (music)
        music->UpdateFade(dtMs);
    if (commonResources)
        commonResources->UpdateStars(dtMs);
    if (hearts)
        hearts->Update(dtMs);
    if (leaveRequested) {
        leaveRequested = false;
        return fromArea ? RESULT_LEAVE_FROM_AREA : RESULT_LEAVE_TO_SLOTS;
    }
    if (startRequested) {
        startRequested = false;
        return RESULT_START_AREA;
    }
    // One sequence at a time: an entry that is completing or unlocking holds back those after it.
    for (const std::unique_ptr<cLevelContainer>& entry : entries) {
        switch (entry->Update(dtMs)) {
        case LEVEL_COMPLETING:
        case LEVEL_UNLOCKING:
            return RESULT_STAY;
        case LEVEL_UNLOCK_PENDING:
            entry->SetState(LEVEL_UNLOCKING);
            return RESULT_STAY;
        case LEVEL_UNLOCK_DONE:
            if (!cursorMovedAfterUnlock) {
                DeselectAll();
                SelectEntry(entry->GetIndex());
                cursorMovedAfterUnlock = true;
            }
            break;
        default:
            break;
        }
    }
    return RESULT_STAY;
}

void cLevelSelectionScreen::Draw(bool /*flag*/)
{
    DrawGradientRect(-1, -1, width + 1, height + 1, 216, 203, 236, 181, 159, 217, 255);
    if (commonResources)
        commonResources->DrawStars(scale);
    if (hearts)
        hearts->Draw(scale);
    for (const std::unique_ptr<cLevelContainer>& entry : entries)
        entry->DrawButton();
    for (const std::unique_ptr<cLevelContainer>& entry : entries)
        entry->DrawInfo();
    const QString title = "Areas";
    font.DrawTextShadowed(title, width / 2 - font.TextWidth(title, scale + 1) / 2, height - height / 9, scale + 1);
    textButton->Draw();
}

void cLevelSelectionScreen::Resize(int w, int h)
{
    width = w;
    height = h;
    scale = std::max(1, std::min(w / 320, h / 240));
    for (const std::unique_ptr<cLevelContainer>& entry : entries)
        entry->Resize(w, h);
    textButton->Resize(w, h);
}

void cLevelSelectionScreen::HandleInput(cInputHandler* input)
{
    HandleDirection(input);
    if (input->WasPressedAlt(KEY_BACK)) {
        PlayMenuSound();
        leaveRequested = true;
    } else if (input->WasPressedAlt(KEY_CONFIRM) && IsButtonHighlighted()) {
        PlayMenuSound();
        leaveRequested = true;
    } else if (input->WasPressedAlt(KEY_CONFIRM) && IsUnlockedEntry(selected)) {
        startRequested = true;
    }
}

void cLevelSelectionScreen::HandleDirection(cInputHandler* input)
{
    const bool right = input->WasPressedAlt(KEY_RIGHT);
    const bool left = !right && input->WasPressedAlt(KEY_LEFT);
    const bool up = !right && !left && input->WasPressedAlt(KEY_UP);
    const bool down = !right && !left && !up && input->WasPressedAlt(KEY_DOWN);
    if (!right && !left && !up && !down)
        return;
    PlayHoverSound();
    DeselectAll();
    const int n = GetEntryCount();
    if (n == 0) {
        SelectButton();
        return;
    }
    const int columns = std::max(1, entries.front()->GetColumns());
    int target;
    if (IsButtonHighlighted())
        // The button is the stop before the first entry and after the last.
        target = right || down ? 0 : Scan(n - 1, -1, 0, n - 1);
    else if (right)
        target = Scan(selected + 1, 1, 0, n - 2);
    else if (left)
        target = Scan(selected - 1, -1, 0, n - 1);
    else if (up)
        target = Scan(selected - columns, -columns, 1, n - 1);
    else
        target = Scan(selected + columns, columns, 0, n - 2);
    if (target < 0)
        SelectButton();
    else
        SelectEntry(target);
}

int cLevelSelectionScreen::Scan(int index, int step, int low, int high) const
{
    if (index < 0 || index >= GetEntryCount())
        return -1;
    while (!entries[index]->IsUnlocked() && index + step >= low && index + step <= high)
        index += step;
    return entries[index]->IsUnlocked() ? index : -1;
}

void cLevelSelectionScreen::SelectEntry(int index)
{
    selected = index;
    entries[index]->SetSelected(true);
    textButton->SetHovered(false);
}

void cLevelSelectionScreen::SelectButton()
{
    textButton->SetHovered(true);
}

void cLevelSelectionScreen::DeselectAll()
{
    for (const std::unique_ptr<cLevelContainer>& entry : entries)
        entry->SetSelected(false);
}

bool cLevelSelectionScreen::IsButtonHighlighted() const
{
    return textButton->IsHovered();
}

bool cLevelSelectionScreen::IsUnlockedEntry(int index) const
{
    return index >= 0 && index < GetEntryCount() && entries[index]->IsUnlocked();
}

void cLevelSelectionScreen::Leave(int /*code*/)
{
    leaveRequested = true;
}

void cLevelSelectionScreen::MouseMove(int x, int y)
{
    y = height - y;
    for (const std::unique_ptr<cLevelContainer>& entry : entries) {
        entry->MouseMove(x, y);
        if (entry->IsSelected())
            selected = entry->GetIndex();
    }
    textButton->MouseMove(x, y);
}

void cLevelSelectionScreen::MousePress(int x, int y, int button, cInputHandler* /*input*/)
{
    if (button != 1)
        return;
    y = height - y;
    for (const std::unique_ptr<cLevelContainer>& entry : entries)
        if (entry->HitTest(x, y)) {
            PlayMenuSound();
            selected = entry->GetIndex();
            startRequested = true;
        }
    if (textButton->HitTest(x, y)) {
        PlayMenuSound();
        leaveRequested = true;
    }
}

#include "screens/LevelContainer.h"

#include "audio/SoundLibrary.h"
#include "screens/AreaSummary.h"
#include "screens/LevelButton.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kLevelDoneSound = 67;
constexpr int kLevelUnlockedSound = 68;

} // namespace

cLevelContainer::cLevelContainer(int entryIndex, const std::string& areaFile)
    : fileName(areaFile), index(entryIndex), button(std::make_unique<cLevelButton>())
{
}

cLevelContainer::~cLevelContainer() = default;

bool cLevelContainer::LoadArea()
{
    button->SetIcon(fileName);
    button->SetIndex(index);
    available = ReadAreaFile();
    if (!available && !fileName.empty())
        printf("\n NOTE: %s is not in the game yet; it stays locked on the area selection. \n", fileName.c_str());
    return available;
}

bool cLevelContainer::ReadAreaFile()
{
    cAreaSummary summary;
    if (!summary.Read(fileName))
        return false;
    name = summary.name;
    maxScore = summary.maxScore;
    return true;
}

void cLevelContainer::SetUnlocked(bool value, bool animated)
{
    if (!animated)
        unlocked = value;
    else if (value && !unlocked && !available)
        // Nothing to show: the unlock is kept for the day the area arrives.
        unlocked = true;
    else if (value && !unlocked)
        state = LEVEL_UNLOCK_PENDING;
}

bool cLevelContainer::IsUnlocked() const
{
    return unlocked && available;
}

bool cLevelContainer::IsUnlockedOrUnlocking() const
{
    return completed || unlocked || state == LEVEL_UNLOCK_PENDING || state == LEVEL_UNLOCKING;
}

void cLevelContainer::SetCompleted(bool value, bool quiet)
{
    if (value && !completed && !quiet) {
        SetState(LEVEL_COMPLETING);
        timer = 0;
        PlaySoundEffect(kLevelDoneSound, 1.0f);
    }
    completed = value;
    if (completed)
        unlocked = true;
}

void cLevelContainer::SetState(int value)
{
    state = value;
    if (state == LEVEL_UNLOCKING)
        PlaySoundEffect(kLevelUnlockedSound, 1.0f);
}

int cLevelContainer::Update(int dtMs)
{
    button->Update(dtMs);
    switch (state) {
    case LEVEL_COMPLETING:
        timer += dtMs;
        if (timer < duration)
            return LEVEL_COMPLETING;
        timer = 0;
        state = LEVEL_IDLE;
        return LEVEL_IDLE;
    case LEVEL_UNLOCK_PENDING:
        timer = 0;
        return LEVEL_UNLOCK_PENDING;
    case LEVEL_UNLOCKING:
        timer += dtMs;
        if (timer < duration)
            return LEVEL_UNLOCKING;
        timer = 0;
        unlocked = true;
        state = LEVEL_IDLE;
        return LEVEL_UNLOCK_DONE;
    default:
        return LEVEL_IDLE;
    }
}

int cLevelContainer::FadeAlpha() const
{
    if (state != LEVEL_COMPLETING && state != LEVEL_UNLOCKING)
        return 0;
    return static_cast<int>(static_cast<float>(timer) / duration * 255.0f);
}

void cLevelContainer::DrawButton()
{
    if (IsUnlocked())
        button->Draw(completed, true, bestScore >= maxScore, state, FadeAlpha());
    else
        button->Draw(completed, false, false, state, FadeAlpha());
}

QString cLevelContainer::ScoreLine() const
{
    return QString("score: %1/%2 *").arg(bestScore).arg(maxScore);
}

void cLevelContainer::DrawInfo()
{
    if (!IsUnlocked() || !button->IsHovered())
        return;
    const QString line = ScoreLine();
    font.DrawTextShadowed(name, nameX, textBaseY - 10 * scale, scale);
    font.DrawTextShadowed(line, width / 2 - font.TextWidth(line, scale) / 2 + 2 * scale, textBaseY - 20 * scale, scale);
}

void cLevelContainer::Resize(int w, int h)
{
    width = w;
    height = h;
    scale = std::max(1, std::min(w / 320, h / 240));
    button->Resize(w, h);
    UpdateTextPosition();
}

void cLevelContainer::UpdateTextPosition()
{
    nameX = width / 2 - font.TextWidth(name, scale) / 2;
    textBaseY = (height - height / 10) - 16 * scale;
}

int cLevelContainer::GetColumns() const
{
    return button->GetColumns();
}

void cLevelContainer::MouseMove(int x, int y)
{
    if (!IsUnlocked())
        return;
    button->MouseMove(x, y);
    selected = button->IsHovered();
}

bool cLevelContainer::HitTest(int x, int y) const
{
    return IsUnlocked() && button->Contains(x, y);
}

void cLevelContainer::SetSelected(bool value)
{
    selected = value;
    button->SetHovered(value);
}

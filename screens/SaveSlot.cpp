#include "screens/SaveSlot.h"

#include "player/SaveGame.h"
#include "player/UserFile.h"
#include "engine/Animation.h"
#include "engine/FontManager.h"
#include "engine/SharedAssets.h"
#include "engine/StringUtil.h"
#include "world/CommonResources.h"

#include <algorithm>
#include <cstdlib>

namespace {

/// What a save holds as its current area when its file named none.
const char* const kNoArea = "UNINITIALIZED";
/// The area-icon list: the ring, then an area's picture at 4 + its number.
constexpr int kRingIcon = 0;
constexpr int kFirstAreaIcon = 4;
/// The common animation drawn behind YES and NO.
constexpr int kChoiceFrame = 14;

cAnimation* AreaIcon(int index)
{
    return index >= 0 && index < int(gAreaIcons.size()) ? gAreaIcons[index] : nullptr;
}

} // namespace

cSaveSlot::cSaveSlot(const cFontManager* textDrawer) : font(textDrawer) {}

cSaveSlot::~cSaveSlot() = default;

void cSaveSlot::Init(int n)
{
    slotNumber = n;
    saveGame = std::make_unique<cSaveGame>();
    readable = saveGame->Load(FileName());
    damaged = saveGame->IsDamaged();
    writable = cUserFile(QString::fromStdString(FileName())).CanWrite();
    // The player must see before choosing that nothing played on this slot will be kept.
    caption = "GAME SLOT " + IntToString(n) + (writable ? QString() : QStringLiteral(" - READ ONLY"));
    score = saveGame->GetScore();
    // A damaged file may have named an area before the damage: its picture would belie the summary.
    currentArea = readable ? saveGame->GetCurrentArea() : kNoArea;
    UpdateSummary();
}

bool cSaveSlot::IsUsed() const
{
    return saveGame && readable && !saveGame->IsNew() && currentArea != kNoArea;
}

bool cSaveSlot::StartNewGame()
{
    currentArea = "NEW";
    saveGame->SetCurrentArea(currentArea);
    score = 0;
    saveGame->SetScore(0);
    // Named again: a file that could not be read left the save without its name.
    saveGame->NewGame(FileName());
    readable = saveGame->Save();
    damaged = damaged && !readable;
    UpdateSummary();
    return readable;
}

std::string cSaveSlot::FileName() const
{
    return "Saves/slot" + std::to_string(slotNumber) + ".zvs";
}

void cSaveSlot::UpdateSummary()
{
    if (!IsUsed()) {
        summary = damaged ? QStringLiteral("Damaged - New Game") : QStringLiteral("Empty - New Game");
        return;
    }
    // A blank before scores of one and two digits, so that they stand nearer those of three.
    const bool shortScore = std::abs(score) < 100;
    summary = QStringLiteral("score:") + (shortScore ? QStringLiteral(" ") : QString()) +
              (score < 0 ? QStringLiteral("#") : QStringLiteral(" *")) + IntToString(score);
}

void cSaveSlot::SetChoiceHover(bool yes, bool no)
{
    yesHovered = yes;
    noHovered = no;
}

void cSaveSlot::DrawText(const QString& text, int x, int y, int scale, bool coloured) const
{
    if (coloured)
        font->DrawTextShadowedColored(text, x, y, scale);
    else
        font->DrawTextShadowed(text, x, y, scale);
}

void cSaveSlot::Draw(int x, int y, bool selected, bool questionOpen, int choice, cAnimation* cursor)
{
    const int t = textScale;
    const int s = std::max(1, t - 1);
    if (cAnimation* picture = AreaIcon(kFirstAreaIcon + cCommonResources::GetAreaNumber(currentArea)))
        picture->DrawScaled(float(x - 35 * t), float(y), t, 255, 255, 255, 255);
    if (cAnimation* ring = AreaIcon(kRingIcon); ring && selected)
        ring->DrawScaled(float(x - 35 * t), float(y), t, 255, 255, 255, 255);
    DrawText(caption, x, y + 15 * t, s, hovered);
    DrawText(summary, x, y + 7 * t, s, hovered);
    if (selected && questionOpen)
        DrawQuestion(x, y, choice, cursor);
}

void cSaveSlot::DrawQuestion(int x, int y, int choice, cAnimation* cursor)
{
    const int t = textScale;
    const int s = std::max(1, t - 1);
    DrawText("OVERWRITE SAVE GAME?", x + 150 * s, y + 15 * t, s, true);
    if (choice != 0 && choice != 1)
        return;
    cAnimation* frame = CommonAnim(kChoiceFrame);
    const int frameWidth = frame ? int(frame->GetFrameWidth(0)) : 0;
    const int questionY = y + 15 * t - 16 * s;
    const int yesX = x + 160 * s;
    yesPosition.Set(float(yesX + font->TextWidth("YES", s) / 2 - frameWidth / 2 * s), float(questionY));
    DrawText("YES", yesX, questionY, s, choice == 1);
    if (cursor && choice == 0)
        cursor->DrawScaled(yesPosition.x - float(15 * s), float(questionY), s, 255, 255, 255, 255);
    DrawChoiceFrame(frame, yesPosition, yesHovered, choice == 0, s);
    const int noX = int(yesPosition.x + float(40 * s));
    noPosition.Set(float(noX + font->TextWidth("NO", s) / 2 - frameWidth / 2 * s), float(questionY));
    DrawText("NO", noX, questionY, s, choice == 0);
    if (cursor && choice == 1)
        cursor->DrawScaled(noPosition.x + float((frameWidth - 2) * s), float(questionY), s, 255, 255, 255, 255);
    DrawChoiceFrame(frame, noPosition, noHovered, choice == 1, s);
}

void cSaveSlot::DrawChoiceFrame(cAnimation* frame, b2Vec2 at, bool hover, bool marked, int s)
{
    if (!frame)
        return;
    if (hover)
        frame->DrawScaled(at.x, at.y, s, 245, 228, 255, 255);
    else if (marked)
        frame->DrawScaled(at.x, at.y, s, 255, 255, 255, 255);
    else
        frame->DrawScaled(at.x, at.y, s, 136, 118, 164, 255);
}

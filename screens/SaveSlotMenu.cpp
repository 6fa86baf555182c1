#include "screens/SaveSlotMenu.h"

#include "player/InputHandler.h"
#include "engine/Animation.h"
#include "engine/FontManager.h"
#include "engine/SharedAssets.h"
#include "screens/MenuLayout.h"
#include "screens/MenuSounds.h"
#include "screens/SaveSlot.h"
#include "screens/TextButton.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kSlots = 5;
/// The keyboard cursor runs over the five rows and BACK.
constexpr int kBackStop = 5;
/// Height of a row in units of the text scale.
constexpr int kRowHeight = 31;
/// The common animation drawn behind YES and NO.
constexpr int kChoiceFrame = 14;

} // namespace

cSaveSlotMenu::cSaveSlotMenu(bool newGame) : newGameMode(newGame) {}

cSaveSlotMenu::~cSaveSlotMenu() = default;

const cSaveSlot* cSaveSlotMenu::Slot(int i) const
{
    return ValidSlot(i) ? rows[i].get() : nullptr;
}

bool cSaveSlotMenu::Init(const cFontManager* textDrawer)
{
    cursor = 0;
    selected = 0;
    chosen = false;
    if (!font) {
        font = textDrawer;
        for (int n = 0; n < kSlots; ++n) {
            rows.push_back(std::make_unique<cSaveSlot>(font));
            rows.back()->Init(n);
        }
    }
    backButton = std::make_unique<cTextButton>();
    backButton->SetText("BACK");
    if (width > 0)
        Resize(width, height);
    return true;
}

void cSaveSlotMenu::Resize(int w, int h)
{
    width = w;
    height = h;
    baseScale = MenuPictureScale(w, h);
    textScale = baseScale + 1;
    for (const auto& slot : rows)
        slot->SetTextScale(textScale);
    if (backButton)
        backButton->Resize(w, h);
}

int cSaveSlotMenu::RowX() const
{
    return int(float(width) * 0.3f);
}

int cSaveSlotMenu::RowY(int i) const
{
    const int top = (height - kSlots * kRowHeight * textScale) / 2;
    return height - top - (i + 1) * kRowHeight * textScale;
}

int cSaveSlotMenu::Update(int)
{
    if (chosen) {
        chosen = false;
        if (!ValidSlot(selected))
            return RESULT_NONE;
        if (!newGameMode && rows[selected]->IsUsed())
            return RESULT_RESUME;
        rows[selected]->StartNewGame();
        return RESULT_NEW_GAME;
    }
    return back ? RESULT_BACK : RESULT_NONE;
}

void cSaveSlotMenu::HandleInput(cInputHandler* input)
{
    if (input->WasPressedAlt(KEY_BACK)) {
        PlayMenuSound();
        back = true;
    } else if (input->WasPressedAlt(KEY_CONFIRM) || input->WasPressedAlt(KEY_JUMP)) {
        PlayMenuSound();
        Confirm();
    } else if (input->WasPressedAlt(KEY_RIGHT) || input->WasPressedAlt(KEY_DOWN)) {
        PlayMenuSound();
        Step(1);
    } else if (input->WasPressedAlt(KEY_LEFT) || input->WasPressedAlt(KEY_UP)) {
        PlayMenuSound();
        Step(-1);
    }
}

void cSaveSlotMenu::Confirm()
{
    if (questionOpen) {
        if (cursor != 0) {
            questionOpen = false;
            cursor = selected;
        } else {
            chosen = true;
        }
    } else if (backButton && backButton->IsHovered()) {
        back = true;
    } else if (ValidSlot(selected)) {
        // With the cursor on BACK but the pointer having moved it off, there is nothing to act on.
        Choose();
    }
}

void cSaveSlotMenu::Choose()
{
    cSaveSlot& slot = *rows[selected];
    // What the slot held when the menu opened may be out of date: the choice goes by the file now.
    slot.Init(selected);
    const bool resumes = !newGameMode && slot.IsUsed();
    if (!resumes && slot.HoldsSomething()) {
        cursor = 0;
        questionOpen = true;
    } else {
        chosen = true;
    }
}

void cSaveSlotMenu::Step(int direction)
{
    if (direction < 0 && backButton)
        backButton->SetHovered(false);
    if (questionOpen) {
        // Two choices: every direction swaps them.
        cursor = std::abs(cursor + direction) % 2;
        return;
    }
    if (direction > 0) {
        cursor = (cursor + 1) % (kBackStop + 1);
        if (backButton)
            backButton->SetHovered(cursor == kBackStop);
    } else if (cursor >= 0) {
        --cursor;
        if (cursor < 0 && backButton)
            backButton->SetHovered(true);
    } else {
        cursor = kSlots - 1;
    }
    selected = cursor;
}

void cSaveSlotMenu::MouseMove(int x, int y)
{
    if (backButton)
        backButton->MouseMove(x, y);
    const int t = textScale;
    const int s = std::max(1, t - 1);
    const cAnimation* frame = CommonAnim(kChoiceFrame);
    const float frameWidth = frame ? float(int(frame->GetFrameWidth(0) * float(s))) : 0.0f;
    const float frameHeight = frame ? float(int(frame->GetFrameHeight(0) * float(s))) : 0.0f;
    auto inFrame = [&](b2Vec2 at) {
        return float(x) > at.x && float(x) < at.x + frameWidth && float(y) > at.y && float(y) < at.y + frameHeight;
    };
    for (int i = 0; i < SlotCount(); ++i) {
        cSaveSlot& slot = *rows[i];
        slot.SetChoiceHover(false, false);
        const int rowY = RowY(i);
        const bool inside = x > RowX() - 37 * t && x < RowX() + 70 * t && y > rowY && y < rowY + 30 * t;
        if (inside && !slot.IsHovered())
            PlayHoverSound();
        slot.SetHovered(inside);
        // Only the asking row shows its choices.
        if (!questionOpen || i != selected)
            continue;
        if (inFrame(slot.GetYesPosition()))
            slot.SetChoiceHover(true, false);
        else if (inFrame(slot.GetNoPosition()))
            slot.SetChoiceHover(false, true);
    }
}

void cSaveSlotMenu::PressChoice(cSaveSlot& slot)
{
    if (slot.IsYesHovered()) {
        PlayMenuSound();
        chosen = true;
    } else if (slot.IsNoHovered()) {
        PlayMenuSound();
        questionOpen = false;
    }
}

void cSaveSlotMenu::MousePress(int x, int y)
{
    if (backButton && backButton->HitTest(x, y)) {
        PlayMenuSound();
        back = true;
    }
    int hovered = -1;
    for (int i = 0; i < SlotCount() && hovered < 0; ++i) {
        if (rows[i]->IsHovered())
            hovered = i;
        else if (i == selected && questionOpen)
            PressChoice(*rows[i]);
    }
    if (hovered < 0)
        return;
    // The keyboard cursor stays where it was.
    selected = hovered;
    PlayMenuSound();
    Choose();
}

void cSaveSlotMenu::Draw(cAnimation* cursorPicture, bool)
{
    if (!font)
        return;
    const QString title = newGameMode ? QStringLiteral("New Game") : QStringLiteral("Resume");
    font->DrawTextShadowed(title, width / 2 - font->TextWidth(title, textScale) / 2, height - height / 9, textScale);
    for (int i = 0; i < SlotCount(); ++i)
        rows[i]->Draw(RowX(), RowY(i), i == selected, questionOpen, cursor, cursorPicture);
    if (backButton)
        backButton->Draw();
}

#include "screens/MenuItem.h"

#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "engine/Animation.h"
#include "engine/Controls.h"
#include "engine/Drawing.h"
#include "engine/FontManager.h"
#include "engine/XmlAttributes.h"
#include "screens/Label.h"
#include "screens/MenuSounds.h"
#include "screens/SetButton.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

cMenuItem* cMenuItem::keyboardEntry = nullptr;
bool cMenuItem::keysChanged = false;

namespace {

constexpr sMenuColour kWhite{255, 255, 255, 255};
constexpr sMenuColour kNormal{205, 188, 232, 255};
constexpr sMenuColour kHighlighted{245, 228, 255, 255};
constexpr sMenuColour kGrayed{200, 200, 200, 255};
constexpr sMenuColour kCheckBox{136, 118, 164, 255};
constexpr sMenuColour kVolumeGrayed{100, 100, 100, 100};
/// The frames a volume control shows while the pointer is on its left (down) or right (up) half.
constexpr int kVolumeDownFrame = 6;
constexpr int kVolumeUpFrame = 7;

constexpr int kButtonFrameChipSet = 12;
constexpr int kAnimationChipSet = 13;
const char* const kControlsFile = "Controls.xml";
/// A glyph's height in units of the text's scale, for the mouse tests.
constexpr int kLineHeight = 7;

bool Is(const QString& text, const char* name)
{
    return text == QLatin1String(name);
}

bool IsSoundEntry(const QString& name)
{
    return Is(name, "SOUND EFFECTS") || Is(name, "MUSIC") || Is(name, "AMBIENCE");
}

/// How far a line is moved from the screen's centre by its alignment mode, in units of the text's
/// scale.
int LayoutOffset(int layoutPosition)
{
    switch (layoutPosition) {
    case 0: return 74;
    case 1: return 58;
    case 4: return 10;
    case 5: return 20;
    default: return 0;
    }
}

bool Inside(float px, float py, float left, float bottom, float width, float height)
{
    return px > left && px < left + width && py > bottom && py < bottom + height;
}

} // namespace

cMenuItem::cMenuItem() = default;

cMenuItem::~cMenuItem()
{
    if (keyboardEntry == this)
        keyboardEntry = nullptr;
}

// ---- reading -------------------------------------------------------------------------------

bool cMenuItem::LoadFromXml(QXmlStreamReader& reader)
{
    labels.clear();
    subItems.clear();
    buttonFrames.clear();
    animations.clear();
    ReadAttributes(reader);
    while (!reader.atEnd() && !reader.hasError()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("menuitem"))
            break;
        // A nested entry reads up to its own end tag, so that tag never ends this one.
        if (reader.isStartElement())
            ReadChild(reader);
    }
    return true;
}

void cMenuItem::ReadAttributes(const QXmlStreamReader& reader)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    x = IntAttributeClamped(attributes, "x", 0);
    y = IntAttributeClamped(attributes, "y", 0);
    style = IntAttributeClamped(attributes, "style", 1);
    name = attributes.value(QLatin1String("name")).toString();
    linkRight = IntAttributeClamped(attributes, "right", -1);
    if (IntAttributeClamped(attributes, "grayed", 0) == 1)
        grayed = true;
    toggle = IntAttributeClamped(attributes, "toggle", 0);
    linkDown = IntAttributeClamped(attributes, "down", -1);
    linkLeft = IntAttributeClamped(attributes, "left", -1);
    linkUp = IntAttributeClamped(attributes, "up", -1);
    layoutPosition = IntAttributeClamped(attributes, "layoutposition", 1);
    size = IntAttributeClamped(attributes, "size", 0);
    alwaysWhite = IntAttributeClamped(attributes, "alwayswhite", 0);
    if (Is(name, "KEYBOARD"))
        keyboardEntry = this;
}

void cMenuItem::ReadChild(QXmlStreamReader& reader)
{
    const QStringRef element = reader.name();
    if (element == QLatin1String("menuitem")) {
        auto item = std::make_unique<cMenuItem>();
        if (item->LoadFromXml(reader))
            subItems.push_back(std::move(item));
    } else if (element == QLatin1String("buttonframe") || element == QLatin1String("animation")) {
        const bool frame = element == QLatin1String("buttonframe");
        auto picture = std::make_unique<cAnimation>();
        if (picture->LoadFromXml(reader, frame ? kButtonFrameChipSet : kAnimationChipSet))
            (frame ? buttonFrames : animations).push_back(std::move(picture));
    } else if (element == QLatin1String("setbutton")) {
        setButton = std::make_unique<cSetButton>();
        setButton->LoadFromXml(reader, kButtonFrameChipSet);
        cInputHandler bindings;
        bindings.LoadConfig(kControlsFile);
        const int code = bindings.GetKeyByName(name.toStdString());
        setButton->SetBothTexts(cInputHandler::ShownKeyName(code));
        std::printf("the name = %s \n", qPrintable(name));
        std::printf("the code = %i \n", code);
    } else if (element == QLatin1String("label")) {
        auto label = std::make_unique<cLabel>();
        if (label->LoadFromXml(reader))
            labels.push_back(std::move(label));
    }
}

cMenuItem* cMenuItem::SubItem(int i) const
{
    return i >= 0 && i < SubItemCount() ? subItems[i].get() : nullptr;
}

cAnimation* cMenuItem::GetAnimation(const QString& animationName) const
{
    for (const auto& animation : animations)
        if (animation->GetName() == animationName)
            return animation.get();
    return nullptr;
}

void cMenuItem::SetHighlighted(bool flag)
{
    highlighted = flag;
    if (setButton)
        setButton->SetHovered(flag);
}

// ---- keys ----------------------------------------------------------------------------------

void cMenuItem::Choose(int i)
{
    for (const auto& item : subItems)
        item->selected = false;
    selectedSubItem = i;
    if (cMenuItem* item = Current())
        item->selected = true;
}

void cMenuItem::SelectSubItem(int i)
{
    for (const auto& item : subItems)
        if (!item->IsToggle())
            item->selected = false;
    selectedSubItem = i;
    if (cMenuItem* item = Current(); item && !item->IsToggle())
        item->selected = true;
}

void cMenuItem::Leave()
{
    selectedSubItem = -1;
    selected = false;
}

void cMenuItem::ClearSelection()
{
    selectedSubItem = -1;
    for (const auto& item : subItems) {
        item->selected = false;
        item->ClearSelection();
    }
}

void cMenuItem::ResetSelection()
{
    ClearSelection();
    StopWaiting();
}

void cMenuItem::StopWaiting()
{
    if (setButton)
        setButton->SetIdle();
    for (const auto& item : subItems)
        item->StopWaiting();
}

void cMenuItem::MoveDown()
{
    const cMenuItem* current = Current();
    if (current && SubItem(current->linkDown))
        Choose(current->linkDown);
    else if (selectedSubItem < SubItemCount() - 1)
        Choose(selectedSubItem + 1);
}

void cMenuItem::MoveUp()
{
    const cMenuItem* current = Current();
    if (current && SubItem(current->linkUp))
        Choose(current->linkUp);
    else
        Choose(std::max(-1, selectedSubItem - 1));
}

void cMenuItem::MoveLeft()
{
    const cMenuItem* current = Current();
    if (current && SubItem(current->linkLeft))
        Choose(current->linkLeft);
}

int cMenuItem::MoveRight()
{
    const cMenuItem* current = Current();
    if (Is(name, "SOUND")) {
        if (current && IsSoundEntry(current->name))
            std::printf("%s\n", qPrintable(current->name));
        if (current && Is(current->name, "SOUND EFFECTS"))
            return RESULT_KEY_RIGHT_ON_EFFECTS;
        if (current && Is(current->name, "FULL SCREEN") && current->SubItemCount() > 0)
            Current()->Choose(current->selectedSubItem == 0 ? 1 : 0);
        return RESULT_NONE;
    }
    if (current && SubItem(current->linkRight))
        Choose(current->linkRight);
    return RESULT_NONE;
}

int cMenuItem::HandleInput(cInputHandler& input)
{
    if (input.WasPressedAlt(KEY_ANY)) {
        PlayMenuSound();
        if (CaptureKey(input))
            return RESULT_KEY_CAPTURED;
    }
    if (input.WasPressedAlt(KEY_DOWN)) {
        MoveDown();
        return RESULT_NONE;
    }
    if (input.WasPressedAlt(KEY_UP)) {
        MoveUp();
        return RESULT_NONE;
    }
    if (input.WasPressedAlt(KEY_RIGHT))
        return MoveRight();
    if (input.WasPressedAlt(KEY_LEFT)) {
        MoveLeft();
        return RESULT_NONE;
    }
    if (input.WasPressedAlt(KEY_CONFIRM) || input.WasPressedAlt(KEY_JUMP))
        return Activate(input);
    return RESULT_NONE;
}

int cMenuItem::Activate(cInputHandler& input)
{
    cMenuItem* current = Current();
    if (!current)
        return RESULT_NONE;
    if (current->setButton) {
        if (current->setButton->GetState() == cSetButton::IDLE)
            current->setButton->SetWaiting();
        return RESULT_NONE;
    }
    const QString& chosen = current->name;
    if (Is(chosen, "SAVE"))
        return ActivateSave(input);
    if (Is(chosen, "DEFAULT")) {
        RestoreDefaultKeys(input);
        current->Deselect();
        Leave();
        return RESULT_KEY_DONE;
    }
    if (Is(chosen, "CANCEL") || Is(chosen, "OK")) {
        RevertKeys();
        current->Deselect();
        Leave();
        return RESULT_KEY_DONE;
    }
    if (Is(chosen, "FULL SCREEN"))
        return RESULT_KEY_FULL_SCREEN;
    if (Is(chosen, "MUSIC"))
        return RESULT_MUSIC;
    if (Is(chosen, "SOUND EFFECTS"))
        return RESULT_EFFECTS;
    return RESULT_NONE;
}

int cMenuItem::ActivateSave(cInputHandler& input)
{
    int code = RESULT_NONE;
    if (Is(name, "KEYBOARD")) {
        CommitKeys(input);
        code = RESULT_KEY_DONE;
    } else if (Is(name, "CONTROLLER")) {
        code = RESULT_KEY_CONTROLLER_SAVED;
    } else if (Is(name, "SOUND")) {
        code = RESULT_KEY_SOUND_SAVED;
    }
    if (code != RESULT_NONE) {
        Current()->Deselect();
        Leave();
    }
    return code;
}

void cMenuItem::CommitKeys(cInputHandler& input)
{
    for (const auto& item : subItems)
        if (item->setButton)
            item->setButton->Commit(input);
    input.SaveConfig(kControlsFile);
    customControls = !input.HasDefaultKeys();
    keysChanged = false;
}

void cMenuItem::RestoreDefaultKeys(cInputHandler& input)
{
    input.SetDefaultKeys();
    input.SaveConfig(kControlsFile);
    customControls = false;
    for (const auto& item : subItems) {
        if (!item->setButton)
            continue;
        item->setButton->SetIdle();
        item->setButton->SetBothTexts(cInputHandler::ShownKeyName(input.GetKeyByName(item->name.toStdString())));
        item->setButton->Revert();
    }
    keysChanged = false;
}

void cMenuItem::RevertKeys()
{
    if (!keysChanged)
        return;
    for (const auto& item : subItems)
        if (item->setButton)
            item->setButton->Revert();
    keysChanged = false;
}

bool cMenuItem::CaptureKey(cInputHandler& input)
{
    cMenuItem* row = Current();
    if (!row || !row->setButton || row->setButton->GetState() != cSetButton::WAITING)
        return false;
    std::printf("SETTING THE KEY NEW %i \n", input.GetLastKey());
    row->setButton->SetKey(row->name, input);
    keysChanged = true;
    row->setButton->SetIdle();
    return true;
}

// ---- mouse ---------------------------------------------------------------------------------

cAnimation* cMenuItem::CheckBox() const
{
    if (IsSoundEntry(name))
        return GetAnimation(QStringLiteral("checkbox"));
    if (Is(name, "FULL SCREEN"))
        return GetAnimation(QStringLiteral("checkbox_FullScreen"));
    return nullptr;
}

float cMenuItem::FrameLeft() const
{
    const int s = std::max(1, scale - 1);
    const float frameWidth = buttonFrames.front()->GetFrameWidth(0) * float(s);
    const float centre = float(screenWidth / 2);
    if (layoutPosition == 0)
        return centre - frameWidth;
    if (layoutPosition == 1)
        return centre + float(3 * s);
    return centre - frameWidth / 2;
}

bool cMenuItem::HoversBox(float px, float py) const
{
    const cAnimation* box = CheckBox();
    if (!box)
        return false;
    const float s = float(std::max(1, scale - 1));
    return Inside(px, py, boxPosition.x, boxPosition.y, box->GetFrameWidth(0) * s, box->GetFrameHeight(0) * s);
}

bool cMenuItem::HoversLine(float px, float py) const
{
    const int s = std::max(1, scale - 1);
    const float height = float(kLineHeight * s);
    if (!buttonFrames.empty())
        return Inside(px, py, FrameLeft(), textPosition.y, buttonFrames.front()->GetFrameWidth(0) * float(s), height);
    return Inside(px, py, textPosition.x, textPosition.y, float(textWidth), height);
}

int cMenuItem::VolumeStepAt(float px, float py) const
{
    const cAnimation* volume = GetAnimation(QStringLiteral("volumeControll"));
    if (!volume)
        return 0;
    const float s = float(std::max(1, scale - 1));
    const float half = volume->GetFrameWidth(0) * s / 2.0f;
    const float height = volume->GetFrameHeight(0) * s;
    if (Inside(px, py, volumePosition.x, volumePosition.y, half, height))
        return -1;
    return Inside(px, py, volumePosition.x + half, volumePosition.y, half, height) ? 1 : 0;
}

void cMenuItem::HoverVolumeControl(float px, float py)
{
    const int step = VolumeStepAt(px, py);
    volumeDownShown = step < 0;
    volumeUpShown = step > 0;
}

void cMenuItem::MouseMove(float px, float py)
{
    boxHovered = HoversBox(px, py);
    HoverVolumeControl(px, py);
    for (const auto& item : subItems)
        item->MouseMove(px, py);
    highlighted = HoversLine(px, py);
    if (setButton) {
        if (!highlighted)
            highlighted = setButton->HitTest(px, py, scale);
        if (highlighted)
            setButton->SetHovered(true);
    }
}

int cMenuItem::MousePress(float px, float py, const QString& pageName, cInputHandler& input)
{
    if (setButton && setButton->IsHovered()) {
        PlayMenuSound();
        selected = true;
        setButton->SetWaiting();
        return RESULT_CLICK_CHOSEN;
    }
    if (const int code = PressSubItems(px, py, pageName, input))
        return code;
    if (const int code = PressVolumeControl(px, py))
        return code;
    if (const int code = PressBox())
        return code;
    return highlighted ? PressLine(pageName, input) : RESULT_NONE;
}

int cMenuItem::PressSubItems(float px, float py, const QString& pageName, cInputHandler& input)
{
    for (int i = 0; i < SubItemCount(); ++i) {
        int code = subItems[i]->MousePress(px, py, pageName, input);
        if (code == RESULT_NONE)
            continue;
        selectedSubItem = i;
        if (code == RESULT_CLICK_CANCEL) {
            RevertKeys();
            code = RESULT_CLICK_DONE;
        }
        for (int j = 0; j < SubItemCount(); ++j) {
            cMenuItem& other = *subItems[j];
            if (j == i || (other.IsToggle() && code != RESULT_CLICK_VOLUME_DOWN && code != RESULT_CLICK_VOLUME_UP))
                continue;
            other.selected = false;
            other.ResetSelection();
        }
        // A chosen entry lets the others still hear the click; any other answer ends it here.
        if (code != RESULT_CLICK_CHOSEN)
            return code;
    }
    return RESULT_NONE;
}

int cMenuItem::PressVolumeControl(float px, float py)
{
    const int step = IsSoundEntry(name) ? VolumeStepAt(px, py) : 0;
    if (step == 0)
        return RESULT_NONE;
    cAnimation& volume = *GetAnimation(QStringLiteral("volumeControll"));
    volume.SetFrame(std::clamp(volume.GetCurrentFrame() + step, 0, volume.GetNumFrames() - 1));
    selected = true;
    return step < 0 ? RESULT_CLICK_VOLUME_DOWN : RESULT_CLICK_VOLUME_UP;
}

int cMenuItem::PressBox()
{
    if (!boxHovered)
        return RESULT_NONE;
    if (Is(name, "MUSIC") || Is(name, "SOUND EFFECTS")) {
        selected = true;
        return Is(name, "MUSIC") ? RESULT_MUSIC : RESULT_EFFECTS;
    }
    if (Is(name, "FULL SCREEN")) {
        selected = true;
        return RESULT_CLICK_FULL_SCREEN;
    }
    return RESULT_NONE;
}

int cMenuItem::PressLine(const QString& pageName, cInputHandler& input)
{
    if (Is(pageName, "SOUND/GRAPHICS") && Is(name, "FULL SCREEN")) {
        PlayMenuSound();
        selected = true;
        return RESULT_CLICK_FULL_SCREEN;
    }
    if (Is(pageName, "SOUND/GRAPHICS") && (Is(name, "MUSIC") || Is(name, "SOUND EFFECTS")))
        PlayMenuSound();
    selected = true;
    if (setButton) {
        PlayMenuSound();
        setButton->SetWaiting();
    }
    if (Is(name, "SAVE") && keyboardEntry) {
        keyboardEntry->CommitKeys(input);
    } else if (Is(name, "DEFAULT")) {
        PlayMenuSound();
        (keyboardEntry ? keyboardEntry : this)->RestoreDefaultKeys(input);
        Deselect();
        ResetSelection();
        return RESULT_CLICK_DONE;
    }
    if (Is(name, "OK") || Is(name, "SAVE")) {
        PlayMenuSound();
        return RESULT_CLICK_DONE;
    }
    if (Is(name, "CANCEL")) {
        PlayMenuSound();
        Deselect();
        ResetSelection();
        return RESULT_CLICK_CANCEL;
    }
    return RESULT_CLICK_CHOSEN;
}

// ---- drawing -------------------------------------------------------------------------------

sMenuColour cMenuItem::TextColour(sMenuColour colour) const
{
    if (grayed)
        return kGrayed;
    if (selected || alwaysWhite != 0)
        return kWhite;
    return highlighted ? kHighlighted : colour;
}

void cMenuItem::Draw(const sMenuDrawing& drawing, sMenuColour colour, bool highlightBoxes, int index)
{
    scale = std::max(1, drawing.scale);
    screenWidth = drawing.screenWidth;
    textWidth = drawing.font->TextWidth(name, scale - 1);
    cAnimation* cursor = selected || alwaysWhite != 0 ? drawing.cursor : nullptr;
    const sMenuColour text = TextColour(colour);
    if (setButton)
        DrawBindingRow(drawing, text, index, cursor);
    else if (!Is(name, "KEYBOARD"))
        DrawLine(drawing, text, cursor);
    if (highlightBoxes)
        DrawHighlightAnimations(drawing);
    for (const auto& label : labels)
        label->DrawInItem(drawing.screenWidth, drawing.screenHeight, scale, drawing.layoutRadius, *drawing.font,
                          255, 255, 255, 255);
    // The cursor marks the page's current entry only, never one of its sub-entries.
    sMenuDrawing below = drawing;
    below.cursor = nullptr;
    for (int i = 0; i < SubItemCount(); ++i)
        subItems[i]->Draw(below, kNormal, highlightBoxes, i);
    DrawButtonFrames();
}

void cMenuItem::DrawLine(const sMenuDrawing& drawing, sMenuColour colour, cAnimation* cursor)
{
    const cFontManager& font = *drawing.font;
    // A heading is drawn one step larger than the entries below it.
    const int textSize = alwaysWhite != 0 ? scale : scale - 1;
    const int offset = LayoutOffset(layoutPosition) * (scale - 1);
    const int lineY = int(float(drawing.screenHeight / 2) + drawing.layoutRadius * float(scale) * float(y) / 100.0f);
    textPosition = font.MenuTextPosition(name, offset, lineY, textSize, drawing.screenWidth, layoutPosition);
    if (drawing.outline)
        DrawGradientRect(textPosition.x, textPosition.y, float(textWidth), float(kLineHeight * std::max(1, scale - 1)),
                         255, 0, 0, 255, 0, 0, 100);
    font.DrawMenuText(name, offset, lineY, textSize, drawing.screenWidth, layoutPosition, colour.r, colour.g, colour.b,
                      colour.a, cursor, grayed);
}

void cMenuItem::DrawBindingRow(const sMenuDrawing& drawing, sMenuColour colour, int index, cAnimation* cursor)
{
    const int step = int(2.0f * drawing.layoutRadius * 0.6f / 10.0f);
    const int rowY = int(float(drawing.screenHeight / 2) + 0.4f * drawing.layoutRadius * float(scale)) -
                     step * scale * index;
    const cFontManager& font = *drawing.font;
    textPosition = font.DrawTextLeftOfCentre(name, x * scale + drawing.originX, rowY, scale - 1,
                                             drawing.screenWidth, colour.r, colour.g, colour.b, colour.a, cursor);
    setButton->Draw(rowY, scale, font, colour.r, colour.g, colour.b, colour.a, drawing.screenWidth);
}

void cMenuItem::DrawHighlightAnimations(const sMenuDrawing& drawing)
{
    DrawCheckBox(drawing);
    DrawVolumeControl(drawing);
    if (!Is(name, "CONTROLLER"))
        return;
    for (const auto& animation : animations)
        animation->DrawScaled(textPosition.x, textPosition.y, scale - 1, kWhite.r, kWhite.g, kWhite.b, kWhite.a);
}

b2Vec2 cMenuItem::BesideLine(const sMenuDrawing& drawing, const cAnimation& picture) const
{
    const int t = scale - 1;
    const float across = Is(name, "FULL SCREEN") ? 0.15f : 0.30f;
    return b2Vec2(float(drawing.screenWidth / 2) + across * drawing.layoutRadius * float(t),
                  textPosition.y + float(4 * scale - 4) - picture.GetFrameHeight(0) / 2.0f * float(t));
}

void cMenuItem::DrawCheckBox(const sMenuDrawing& drawing)
{
    cAnimation* box = CheckBox();
    if (!box)
        return;
    const int t = scale - 1;
    const int s = std::max(1, t);
    const b2Vec2 at = BesideLine(drawing, *box);
    box->DrawScaled(at.x, at.y, t, kCheckBox.r, kCheckBox.g, kCheckBox.b, kCheckBox.a);
    if (boxHovered)
        box->DrawScaled(at.x, at.y, t, kWhite.r, kWhite.g, kWhite.b, kWhite.a);
    boxPosition.Set(at.x + float(box->GetOffsetX() * s), at.y + float(box->GetOffsetY() * s));
}

void cMenuItem::DrawVolumeControl(const sMenuDrawing& drawing)
{
    cAnimation* volume = GetAnimation(QStringLiteral("volumeControll"));
    if (!volume)
        return;
    const int t = scale - 1;
    const int s = std::max(1, t);
    const b2Vec2 at = BesideLine(drawing, *volume);
    volumePosition.Set(at.x + float(volume->GetOffsetX() * s), at.y + float(volume->GetOffsetY() * s));
    // The pointer's half shows which way a click would step; the level itself stays.
    const int level = volume->GetCurrentFrame();
    if (volumeDownShown || volumeUpShown)
        volume->SetFrame(volumeDownShown ? kVolumeDownFrame : kVolumeUpFrame);
    const sMenuColour shade = grayed ? kVolumeGrayed : kWhite;
    volume->DrawScaled(at.x, at.y, t, shade.r, shade.g, shade.b, shade.a);
    volume->SetFrame(level);
}

void cMenuItem::DrawButtonFrames()
{
    if (buttonFrames.empty())
        return;
    const sMenuColour shade = grayed ? kGrayed : highlighted ? kWhite : kNormal;
    const float left = FrameLeft();
    for (const auto& frame : buttonFrames)
        frame->DrawScaled(left, textPosition.y, scale - 1, shade.r, shade.g, shade.b, shade.a);
}

void cMenuItem::ApplySettings(const cGameSettings& settings)
{
    for (const auto& item : subItems) {
        if (Is(item->name, "MUSIC") || Is(item->name, "SOUND EFFECTS")) {
            const bool muted = Is(item->name, "MUSIC") ? settings.IsMusicMuted() : settings.IsSFXMuted();
            if (cAnimation* box = item->GetAnimation(QStringLiteral("checkbox")))
                box->SetFrame(muted ? 0 : 1);
        } else if (Is(item->name, "FULL SCREEN")) {
            if (cAnimation* box = item->GetAnimation(QStringLiteral("checkbox_FullScreen")))
                box->SetFrame(settings.IsFullScreen() ? 1 : 0);
        }
    }
}

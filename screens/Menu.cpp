#include "screens/Menu.h"

#include "player/InputHandler.h"
#include "engine/XmlAttributes.h"
#include "screens/Circle.h"
#include "screens/Label.h"
#include "screens/MenuItem.h"
#include "screens/MenuSounds.h"

#include <QXmlStreamReader>

#include <cstdio>

namespace {

constexpr sMenuColour kWhite{255, 255, 255, 255};
constexpr sMenuColour kNormal{205, 188, 232, 255};
constexpr int kCircleSegments = 360;

} // namespace

cMenu::cMenu(const cFontManager* textDrawer) : font(textDrawer) {}

cMenu::~cMenu() = default;

bool cMenu::LoadFromXml(QXmlStreamReader& reader)
{
    labels.clear();
    items.clear();
    circles.clear();
    const QXmlStreamAttributes attributes = reader.attributes();
    x = IntAttributeClamped(attributes, "x", 0);
    y = IntAttributeClamped(attributes, "y", 0);
    active = IntAttributeClamped(attributes, "active", 1);
    name = attributes.value(QLatin1String("name")).toString();
    while (!reader.atEnd() && !reader.hasError()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("menu"))
            break;
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QLatin1String("menuitem")) {
            auto item = std::make_unique<cMenuItem>();
            if (item->LoadFromXml(reader))
                items.push_back(std::move(item));
        } else if (reader.name() == QLatin1String("label")) {
            auto label = std::make_unique<cLabel>();
            if (label->LoadFromXml(reader))
                labels.push_back(std::move(label));
        } else if (reader.name() == QLatin1String("circle")) {
            auto circle = std::make_unique<cCircle>();
            if (circle->LoadFromXml(reader))
                circles.push_back(std::move(circle));
        }
    }
    return true;
}

void cMenu::SetScales(int drawing, int title)
{
    drawScale = drawing;
    titleScale = title;
}

cMenuItem* cMenu::Item(int i) const
{
    return i >= 0 && i < ItemCount() ? items[i].get() : nullptr;
}

bool cMenu::HasSubItemFocus() const
{
    const cMenuItem* current = Current();
    return current && current->HasSelectedSubItem();
}

void cMenu::MakeCurrent(int i)
{
    if (cMenuItem* old = Current())
        old->SetSelected(false);
    selected = i;
    if (cMenuItem* current = Current())
        current->SetSelected(true);
}

void cMenu::Leave()
{
    selected = 0;
    open = false;
    Reset();
}

void cMenu::Reset()
{
    for (const auto& item : items) {
        item->SetSelected(false);
        item->ClearSelection();
    }
}

void cMenu::StepAmongItems(cInputHandler& input)
{
    const cMenuItem* current = Current();
    if (current) {
        // An entry with sub-entries lays them out downwards, so its page steps sideways.
        const bool sideways = current->SubItemCount() > 0;
        const int count = ItemCount();
        if (input.WasPressedAlt(sideways ? KEY_RIGHT : KEY_DOWN))
            MakeCurrent((selected + 1) % count);
        else if (input.WasPressedAlt(sideways ? KEY_LEFT : KEY_UP))
            MakeCurrent((selected + count - 1) % count);
    }
    if (input.WasPressedAlt(KEY_JUMP)) {
        PlayMenuSound();
        std::printf("ba %s \n", qPrintable(name));
        if (name != QLatin1String("BACK"))
            std::printf("Super \n");
    }
}

int cMenu::HandleInput(cInputHandler& input)
{
    if (!HasSubItemFocus())
        StepAmongItems(input);
    if (!Current())
        return RESULT_NONE;
    if (input.WasPressedAlt(KEY_BACK)) {
        std::printf("\n ESCAPE PRESSED.. \n");
        if (open) {
            Leave();
            return RESULT_LEFT;
        }
    }
    switch (const int code = Current()->HandleInput(input)) {
    case cMenuItem::RESULT_KEY_DONE:
        Leave();
        return RESULT_LEFT;
    case cMenuItem::RESULT_KEY_CONTROLLER_SAVED:
        open = false;
        selected = 1;
        Reset();
        return RESULT_NONE;
    case cMenuItem::RESULT_KEY_SOUND_SAVED:
        open = false;
        Reset();
        return RESULT_NONE;
    case cMenuItem::RESULT_MUSIC:
    case cMenuItem::RESULT_KEY_RIGHT_ON_EFFECTS:
    case cMenuItem::RESULT_KEY_FULL_SCREEN:
    case cMenuItem::RESULT_EFFECTS: return code;
    default: return RESULT_NONE;
    }
}

int cMenu::Open()
{
    std::printf("menu name = %s \n", qPrintable(name));
    if (name == QLatin1String("BACK"))
        return RESULT_BACK;
    if (name == QLatin1String("REPLAY LEVEL"))
        return RESULT_REPLAY_LEVEL;
    if (name == QLatin1String("HOW TO PLAY"))
        return RESULT_NONE;
    open = true;
    cMenuItem* current = Current();
    if (!current)
        return RESULT_OPENED;
    if (name == QLatin1String("SOUND/GRAPHICS"))
        items.front()->SelectSubItem(0);
    else if (!current->IsToggle())
        current->SetSelected(true);
    return RESULT_OPENED;
}

int cMenu::OpenFirst()
{
    MakeCurrent(0);
    return Open();
}

bool cMenu::TitleContains(float px, float py, int height) const
{
    const float left = titlePosition.x + float(4 * titleScale);
    return px > left && px < left + float(titleWidth) && py > titlePosition.y &&
           py < titlePosition.y + float(height * titleScale);
}

void cMenu::MouseMove(float px, float py)
{
    hovered = false;
    for (const auto& item : items)
        item->MouseMove(px, py);
    hovered = TitleContains(px, py, 8);
}

int cMenu::MousePress(float px, float py, bool enabled, cInputHandler& input)
{
    for (int i = 0; i < ItemCount(); ++i) {
        std::printf("  \n \n MenuItem: %s \n \n ", qPrintable(items.front()->GetName()));
        // Entries of a closed page are not on the screen, whatever their last drawn places.
        if (!enabled || !open)
            continue;
        switch (const int code = items[i]->MousePress(px, py, name, input)) {
        case cMenuItem::RESULT_CLICK_CHOSEN:
            for (const auto& other : items)
                if (other != items[i] && !other->IsToggle())
                    other->SetSelected(false);
            selected = i;
            PlayMenuSound();
            Open();
            break;
        case cMenuItem::RESULT_CLICK_DONE: open = false; break;
        case cMenuItem::RESULT_MUSIC:
        case cMenuItem::RESULT_CLICK_FULL_SCREEN:
        case cMenuItem::RESULT_EFFECTS:
        case cMenuItem::RESULT_CLICK_VOLUME_DOWN: return code;
        default: break;
        }
    }
    if (TitleContains(px, py, 16)) {
        PlayMenuSound();
        return Open() == RESULT_REPLAY_LEVEL ? RESULT_REPLAY_LEVEL : RESULT_NAME_CLICKED;
    }
    return RESULT_NONE;
}

void cMenu::Draw(int originX, int originY, int scale, int screenWidth, int screenHeight, cAnimation* cursor,
                 bool outline)
{
    drawScale = scale;
    for (const auto& circle : circles)
        circle->Draw(float(screenWidth / 2), float(screenHeight / 2), scale, kCircleSegments);
    const float radius = circles.empty() ? 0.0f : float(circles.front()->GetRadius());
    for (const auto& label : labels)
        label->DrawCentred(screenWidth, screenHeight, scale, radius, *font);
    sMenuDrawing drawing;
    drawing.originX = originX;
    drawing.originY = originY;
    drawing.scale = scale;
    drawing.font = font;
    drawing.screenWidth = screenWidth;
    drawing.screenHeight = screenHeight;
    drawing.layoutRadius = radius;
    drawing.outline = outline;
    for (int i = 0; i < ItemCount(); ++i) {
        const bool current = i == selected;
        drawing.cursor = current ? cursor : nullptr;
        items[i]->Draw(drawing, current ? kWhite : kNormal, current, i);
    }
}

void cMenu::ApplySettings(const cGameSettings& settings)
{
    for (const auto& item : items)
        if (item->GetName() == QLatin1String("SOUND"))
            item->ApplySettings(settings);
}

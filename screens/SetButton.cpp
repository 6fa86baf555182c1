#include "screens/SetButton.h"

#include "player/InputHandler.h"
#include "engine/Animation.h"
#include "engine/FontManager.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

/// The field's frame in units of its scale.
constexpr int kFieldWidth = 40;
constexpr int kFieldHeight = 16;
/// Longer key names are cut to fit the field.
constexpr int kShownCharacters = 5;

} // namespace

cSetButton::cSetButton() = default;

cSetButton::~cSetButton() = default;

bool cSetButton::LoadFromXml(QXmlStreamReader& reader, int defaultChipSet)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    x = IntAttributeClamped(attributes, "x", 0);
    y = IntAttributeClamped(attributes, "y", 0);
    shownText = attributes.value(QLatin1String("name")).toString();
    committedText = shownText;
    while (!reader.atEnd() && !reader.hasError()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("setbutton"))
            break;
        if (reader.isStartElement() && reader.name() == QLatin1String("buttonframe")) {
            auto picture = std::make_unique<cAnimation>();
            if (picture->LoadFromXml(reader, defaultChipSet))
                frame = std::move(picture);
        }
    }
    return true;
}

void cSetButton::SetBothTexts(const QString& text)
{
    committedText = text;
    shownText = text;
}

void cSetButton::Revert()
{
    shownText = committedText;
    changed = false;
}

void cSetButton::SetKey(const QString& name, const cInputHandler& input)
{
    std::printf("SET KEY %s \n", qPrintable(name));
    actionName = name;
    keyCode = input.GetLastKey();
    // The player must see that the key was taken even when it has no printable name.
    shownText = cInputHandler::ShownKeyName(keyCode);
    changed = true;
}

void cSetButton::Commit(cInputHandler& input)
{
    if (changed) {
        input.SetKey(cInputHandler::ActionFromName(actionName.toStdString()), keyCode);
        committedText = shownText;
    }
    changed = false;
}

bool cSetButton::HitTest(float px, float py, int scale)
{
    const int s = std::max(1, scale - 1);
    const float dx = px - float(x);
    const float dy = py - float(y);
    hovered = dx > 0 && dx < float(kFieldWidth * s) && dy > 0 && dy < float(kFieldHeight * s);
    return hovered;
}

void cSetButton::Draw(int py, int scale, const cFontManager& font, int r, int g, int b, int a, int screenWidth)
{
    const int t = scale - 1;
    const QString text = shownText.left(kShownCharacters);
    const int textX = screenWidth / 2 + 17 * t + 5 * scale - font.TextWidth(text, t) / 2;
    if (state == WAITING)
        font.DrawTextColored(text, textX, py, t, 254, 166, 245, 255);
    else if (hovered)
        font.DrawTextColored(text, textX, py, t, 245, 228, 255, 255);
    else
        font.DrawTextColored(text, textX, py, t, r, g, b, a);
    const int fieldX = screenWidth / 2 + 5 * scale;
    x = fieldX;
    y = py;
    if (!frame)
        return;
    // The mouse meets the frame where it is seen, its picture's offsets included.
    const int s = std::max(1, t);
    x += frame->GetOffsetX() * s;
    y += frame->GetOffsetY() * s;
    if (hovered)
        frame->DrawScaled(float(fieldX), float(py), t, 245, 228, 255, 255);
    else
        frame->DrawScaled(float(fieldX), float(py), t, r, g, b, a);
}

#include "screens/Label.h"

#include "engine/FontManager.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

namespace {

/// The alignment mode that ends a menu line at the screen's centre.
constexpr int kEndAtCentre = 6;
/// How far above the screen's centre a page title stands, in layout radii.
constexpr float kTitleHeight = 0.65f;

} // namespace

bool cLabel::LoadFromXml(QXmlStreamReader& reader)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    x = IntAttributeClamped(attributes, "x", 0);
    y = IntAttributeClamped(attributes, "y", 0);
    red = IntAttributeClamped(attributes, "R", 255);
    green = IntAttributeClamped(attributes, "G", 255);
    blue = IntAttributeClamped(attributes, "B", 255);
    alpha = IntAttributeClamped(attributes, "A", 255);
    text = attributes.value(QLatin1String("name")).toString();
    size = IntAttributeClamped(attributes, "size", 0);
    return true;
}

void cLabel::DrawAtOffset(int offsetX, int offsetY, int scale, const cFontManager& font) const
{
    font.DrawText(text, x * scale + offsetX, y * scale + offsetY, scale - size, red, green, blue, alpha);
}

void cLabel::DrawAt(int px, int py, int scale, const cFontManager& font, int r, int g, int b, int a) const
{
    DrawTextAt(text, px, py, scale, font, r, g, b, a);
}

void cLabel::DrawTextAt(const QString& other, int px, int py, int scale, const cFontManager& font, int r, int g,
                        int b, int a) const
{
    font.DrawText(other, px, py, scale - size, r, g, b, a);
}

void cLabel::DrawCentred(int screenWidth, int screenHeight, int scale, float layoutRadius,
                         const cFontManager& font) const
{
    const int px = screenWidth / 2 - font.TextWidth(text, scale) / 2;
    const int py = int(float(screenHeight / 2) + layoutRadius * float(scale) * kTitleHeight);
    font.DrawTextShadowed(text, px, py, scale);
}

void cLabel::DrawInItem(int screenWidth, int screenHeight, int scale, float layoutRadius, const cFontManager& font,
                        int r, int g, int b, int a) const
{
    const float unit = layoutRadius * float(scale) / 100.0f;
    const int py = int(float(screenHeight / 2) + float(y) * unit);
    if (text == QLatin1String("GRAPHICS")) {
        font.DrawMenuText(text, 0, py, scale, screenWidth, kEndAtCentre, 255, 255, 255, 255, nullptr, false);
        return;
    }
    const int px = int(float(screenWidth / 2) + float(x) * unit);
    font.DrawText(text, px, py, scale, r, g, b, a);
}

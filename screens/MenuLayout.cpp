#include "screens/MenuLayout.h"

#include "engine/Drawing.h"
#include "engine/FontManager.h"

#include <algorithm>

int MenuPictureScale(int w, int h)
{
    return std::max(1, std::min(w / 480, h / 320));
}

int RowWidth(const cFontManager& font, const QStringList& names, int t)
{
    int row = kRowNameGap * t * std::max(0, int(names.size()) - 1);
    for (const QString& name : names)
        row += font.TextWidth(name, t);
    return row;
}

int FitRowScale(const cFontManager& font, const QStringList& names, int w, int maxScale)
{
    int t = maxScale;
    while (t > 1 && (w - RowWidth(font, names, t)) / 2 - kRowNameGap * t < 0)
        --t;
    return std::max(1, t);
}

void DrawTextPanel(int x, int y, int w, int h)
{
    DrawFilledRect(float(x), float(y), float(w), float(h), float(kPanelTint.r), float(kPanelTint.g),
                   float(kPanelTint.b), float(kPanelAlpha));
}

void DrawTextPanel(const QRect& box)
{
    DrawTextPanel(box.x(), box.y(), box.width(), box.height());
}

QRect TextPanelBox(const cFontManager& font, const QString& text, int x, int y, int scale)
{
    const int s = std::max(1, scale);
    return QRect(x - s, y - s, font.TextWidth(text, s) + 2 * s, cFontManager::kGlyphHeight * s + 2 * s);
}

void DrawMenuWords(const cFontManager& font, const QString& text, int x, int y, int t, bool chosen)
{
    font.DrawTextShadowed(text, x, y, t);
    if (chosen)
        font.DrawTextColored(text, x - t, y + t, t, kChosenTint.r, kChosenTint.g, kChosenTint.b, 255);
}

QRect ShadowedTextPanelBox(const cFontManager& font, const QString& text, int x, int y, int t)
{
    return TextPanelBox(font, text, x - 5 * t, y, t);
}

void DrawRowPanel(const cFontManager& font, const QStringList& names, int w, int y, int t)
{
    // The cursor stands up to 17 t before the first name; shadows reach a scale step around.
    const int left = (w - RowWidth(font, names, t)) / 2 - 17 * t;
    DrawTextPanel(left, y - 2 * t, RowWidth(font, names, t) + 21 * t, 14 * t);
}

#include "screens/MenuLayout.h"

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

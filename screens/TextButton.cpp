#include "screens/TextButton.h"

#include "screens/MenuLayout.h"
#include "screens/MenuSounds.h"

#include <algorithm>

void cTextButton::Resize(int w, int h)
{
    screenWidth = w;
    screenHeight = h;
    scale = MenuPictureScale(w, h) + 1;
    x = w / 20;
    y = h / 20;
    width = font.TextWidth(text, scale);
    height = 9 * scale;
}

bool cTextButton::Inside(int px, int py) const
{
    const int bottom = y + 4 * scale;
    return px > x && px < x + width && py > bottom && py < bottom + height;
}

void cTextButton::MouseMove(int px, int py)
{
    const bool inside = Inside(px, py);
    if (inside && !hovered)
        PlayHoverSound();
    hovered = inside;
}

bool cTextButton::HitTest(int px, int py) const
{
    const bool inside = Inside(px, py);
    if (inside && !hovered)
        PlayHoverSound();
    return inside;
}

QRect cTextButton::PanelBox() const
{
    return ShadowedTextPanelBox(font, text, x, y, scale);
}

void cTextButton::Draw() const
{
    // Its owner puts it on a dark panel (PanelBox): hovered, its letters turn pink.
    DrawMenuWords(font, text, x, y, scale, hovered);
}

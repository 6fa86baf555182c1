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

void cTextButton::Draw() const
{
    if (hovered) {
        font.DrawTextColored(text, x, y, scale, 255, 255, 255, 255);
        font.DrawTextColored(text, x - scale, y + scale, scale, 136, 118, 164, 255);
    } else {
        font.DrawTextShadowed(text, x, y, scale);
    }
}

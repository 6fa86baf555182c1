#pragma once

#include "engine/FontManager.h"

#include <QString>

/// A hoverable line of text such as "BACK", placed one twentieth of the window's width and
/// height from its lower-left corner. Positions are window pixels, y up.
class cTextButton
{
public:
    cTextButton() = default;

    void SetText(const QString& newText) { text = newText; }
    /// Scale max(1, min(w / 480, h / 320)) + 1, the position (w / 20, h / 20), the hit box the
    /// text's width by 9 × scale.
    void Resize(int screenWidth, int screenHeight);
    /// Hovered while the point lies inside the hit box; entering it plays the hover tick.
    void MouseMove(int px, int py);
    /// Whether a press at the point hits the button; a hit that was not hovered plays the hover
    /// tick. The hovered flag stays as it is.
    bool HitTest(int px, int py) const;
    /// Shadowed while idle; white with a lilac copy in front while hovered.
    void Draw() const;

    bool IsHovered() const { return hovered; }
    /// Lets a screen's keyboard cursor light the button.
    void SetHovered(bool flag) { hovered = flag; }
    int GetScale() const { return scale; }

private:
    bool Inside(int px, int py) const;

    QString text;
    int x = 0, y = 0;
    int width = 0, height = 0;
    int screenWidth = 0, screenHeight = 0;
    int scale = 0;
    bool hovered = false;
    cFontManager font;
};

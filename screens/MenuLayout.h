#pragma once

#include <QRect>
#include <QStringList>

class cFontManager;

/// Layout rules that the menu screens share. Sizes are window pixels.

/// Menu text stands on dark plum panels: its light letters then read over any sky or frame.
struct sMenuTint
{
    int r, g, b;
};
constexpr sMenuTint kPanelTint{40, 26, 62};
constexpr int kPanelAlpha = 240;
/// The letters of the chosen entry.
constexpr sMenuTint kChosenTint{255, 176, 208};
/// The copy of a light text one step behind it.
constexpr sMenuTint kShadowLilac{136, 118, 164};

/// A panel with its lower-left corner at (x, y).
void DrawTextPanel(int x, int y, int w, int h);
void DrawTextPanel(const QRect& box);
/// The panel's box for text drawn from (x, y) at that scale: its glyph frames and one scale step
/// around them.
QRect TextPanelBox(const cFontManager& font, const QString& text, int x, int y, int scale);
/// The same for text that DrawTextShadowed draws at (x, y): its copies stand 4 and 5 t left of it.
QRect ShadowedTextPanelBox(const cFontManager& font, const QString& text, int x, int y, int t);
/// The panel behind a row of names at text scale t centred in a window w wide, from the cursor
/// before the first name to the end of the last, around the base line y.
void DrawRowPanel(const cFontManager& font, const QStringList& names, int w, int y, int t);

/// Menu words from (x, y): white letters over a blue shadow, as DrawTextShadowed sets them;
/// chosen ones with pink letters, which stay readable on a panel where blue ones would sink.
void DrawMenuWords(const cFontManager& font, const QString& text, int x, int y, int t, bool chosen);

/// Space between two names of a row of entries, in units of its text scale.
constexpr int kRowNameGap = 15;

/// The whole-pixel scale of the menus' pictures: max(1, min(w / 480, h / 320)).
int MenuPictureScale(int w, int h);

/// The width of a row of names set at text scale t, 15 t apart.
int RowWidth(const cFontManager& font, const QStringList& names, int t);

/// The largest text scale from maxScale down to 1 at which the row, centred in a window w wide,
/// keeps 15 t free at each end.
int FitRowScale(const cFontManager& font, const QStringList& names, int w, int maxScale);

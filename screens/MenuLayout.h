#pragma once

#include <QStringList>

class cFontManager;

/// Layout rules that the menu screens share. Sizes are window pixels.

/// Space between two names of a row of entries, in units of its text scale.
constexpr int kRowNameGap = 15;

/// The whole-pixel scale of the menus' pictures: max(1, min(w / 480, h / 320)).
int MenuPictureScale(int w, int h);

/// The width of a row of names set at text scale t, 15 t apart.
int RowWidth(const cFontManager& font, const QStringList& names, int t);

/// The largest text scale from maxScale down to 1 at which the row, centred in a window w wide,
/// keeps 15 t free at each end.
int FitRowScale(const cFontManager& font, const QStringList& names, int w, int maxScale);

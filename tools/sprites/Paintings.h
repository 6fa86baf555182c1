#pragma once

#include "Palette.h"

#include <QImage>
#include <QString>

/// The larger pictures, drawn in code rather than typed letter by letter, but in the palette's
/// colours and with the same dark outline as the hand-drawn sprites:
///
///   heart_tree W H     the first area's heart tree without its face: a crown of leaf balls
///                      shaped like a heart, with a heart-shaped hollow for the big score heart,
///                      over a trunk whose roots spread along the bottom row
///   heart_island W H   the clump of earth under the heart tree, grass on top, roots hanging
///   rock W H SEED      a loose rock with a flat top to stand on, mossy for odd seeds
///   boulder W H SEED   a big round stone that is only looked at
///
/// The same arguments always draw the same picture.
namespace Paintings
{
/// The picture of `kind` (one of the above) of w x h pixels, or a null image with a message in
/// `error`.
QImage Paint(const QString &kind, int w, int h, int seed, const Palette &palette, QString *error);
}

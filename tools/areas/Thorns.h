#pragma once

#include <QColor>
#include <QRect>

#include <optional>

/// One thorn bush as the painter draws it: the box that kills, which way its points face, and
/// whether what shows past its points is dark (a cave's wall, the night sky) or light (a day sky).
struct sThornBush
{
    /// In texture pixels, y up: left() and right() are its ends, top() its lowest row.
    QRect box;
    /// Hangs from what is above it, its points below; otherwise it stands, its points on top.
    bool hanging = false;
    bool againstDark = false;
};

/// Every bush in every area and look is the same thing: a row of narrow red spikes, a point about
/// every four pixels and one on each end, so that it covers its box to the pixel and a player can
/// count its points; a dark rim along its root and points lighter than the rest. Against a light
/// backdrop its spikes are maroon and their points a brighter red; against a dark one they are
/// scarlet and their points pale to cream, with no outline, so that what stands out is the points.
/// A bush taller than a row of spikes is a thicket of rows. The colour at a texture pixel inside the
/// box; none for the air between the spikes.
std::optional<QColor> ThornPixel(const sThornBush& bush, int x, int y);

/// Whether a backdrop of this luminance takes the bush drawn against the dark.
bool IsDarkBehindThorns(double backdropLuminance);

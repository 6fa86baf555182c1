#pragma once

#include <QColor>
#include <QImage>

#include <functional>
#include <optional>

struct sAreaPlan;

/// The pictures of one area file, as the game shows them: the day picture, the second one (the
/// Land of Fireflies, or for the first area the backdrop behind its rocks) and the bat land.
struct sAreaPictures
{
    QImage day;
    QImage second;
    QImage batLand;
    /// The first area never turns into the Land of Fireflies: its second picture is the one
    /// behind its rocks and its exit, with the hills and the terrain its earthquake adds.
    bool secondIsBackdrop = false;
};

/// Paints every picture of the area whose file has this base name ("BatCave") in the material
/// and the light of the kind of place it is. The bat land is painted only when the file names it.
sAreaPictures PaintAreaPictures(const sAreaPlan& plan, const QString& areaName);

/// What the game shows behind a picture at a pixel (x, row from the top).
using Behind = std::function<QColor(int x, int row)>;

/// The area's day sky, drawn from its lower colour at the bottom to its upper one at the top, or
/// its night sky in one colour.
Behind SkyBehind(const sAreaPlan& plan, bool night);

/// The picture's pixel over what shows behind it.
QColor Seen(const QImage& picture, const Behind& behind, int x, int row);

/// How the ground stands against the sky, over the columns whose top row is open to it: the
/// medians of the luminances of the ground's rows measured and of the sky they are measured
/// against, and of their contrast.
struct sGroundEdge
{
    double ground, sky, contrast;
};

/// Where the ground meets the sky: its first four rows against the four rows of sky over them, both
/// as seen over what is behind the picture. None when no column of the picture is open to the sky.
std::optional<sGroundEdge> GroundEdge(const QImage& picture, const Behind& behind);

/// The ground's body, which a player reads as the mass of the ground rather than its lit top: its
/// rows 4 to 15 under the surface, in the columns where all of them are ground, against what shows
/// behind the picture three rows over the surface. None when no column has such a body.
std::optional<sGroundEdge> GroundBody(const QImage& picture, const Behind& behind);

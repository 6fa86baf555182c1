#pragma once

#include <QImage>

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

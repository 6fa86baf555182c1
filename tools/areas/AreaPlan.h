#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <vector>

/// One terrain box of an area file, in texture pixels: x to the right, y up from the bottom row
/// of the 512 x 512 world texture (world y + 240).
struct sPlanBody
{
    QRect box;
    /// The `type` attribute as the file writes it: 0 terrain, 1 one-way, 2 and 6 thorns, ...
    int fileType = 0;
    /// Comes only after the first area's earthquake (`addAfterQuake`): hidden at the start.
    bool afterQuake = false;

    /// Whether touching it kills.
    bool IsThorn() const { return fileType == 2 || fileType == 6; }
};

/// What the painter needs of an area file: its terrain and the names of its two pictures.
struct sAreaPlan
{
    /// The terrain there from the start, and what the quake adds.
    std::vector<sPlanBody> bodies;
    std::vector<sPlanBody> afterQuake;
    /// The boxes of the `waterfall` elements, in texture pixels: the water falls from their top
    /// edge to their bottom edge.
    std::vector<QRect> waterfalls;
    /// The boxes of the `water` elements, in texture pixels: the surface is their top row.
    std::vector<QRect> waters;
    /// Resource names as the file writes them ("res/Areas/X_day.png"); empty when not given.
    QString dayPicture;
    QString lofPicture;
    QString batlandPicture;
    /// The `Sky` element's colours along the texture's lower and upper edges (the same twice for a
    /// plain sky), and the `SkyLoF` colour (the lower one when the file gives none); invalid
    /// without a `Sky` element.
    QColor skyLow, skyHigh, skyNight;

    /// Reads the `body`, `waterfall`, `water`, `Background`, `Sky` and `SkyLoF` elements of the file. False with a message on stderr
    /// when it does not open or is not well formed.
    bool Read(const QString& path);
    /// The same plan without its thorns.
    sAreaPlan WithoutThorns() const;
    /// Whether the texture pixel lies inside a body of that file type.
    bool IsInside(int x, int y, int fileType) const;
    /// Whether the texture pixel lies inside a body the quake adds.
    bool IsAfterQuake(int x, int y) const;
};

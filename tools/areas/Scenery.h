#pragma once

#include <QColor>
#include <QImage>

struct sAreaPlan;

/// The colours of one look of an area's scenery.
struct sPalette
{
    QColor wallLow, wallHigh;     ///< the cave's back wall at its floor and under its ceiling
    QColor earth, earthEdge;
    QColor grass[3];              ///< from the top face downwards
    QColor plank, plankTop, plankBottom;
    QColor thorn, thornTip;
    QColor hillFar, hillNear;     ///< with alpha: the sky shows through
    QColor speck;                 ///< small lights in the back wall; alpha 0 for none
    QColor fall, fallLight;       ///< falling water and its bright streaks, with alpha
    QColor batRock, batVein;      ///< the rock that the bat king's bubbles open, and its glow
    QColor batLedge;              ///< what only the bat king stands on
    /// The bat land, shown through the bat king's bubbles: its rock is open and its ledges shine.
    bool batLand = false;

    static sPalette Day();
    /// The Vadi do Davovodaz: night colours with glowing grass and spores.
    static sPalette LandOfFireflies();
    /// The bat land: violet, with the bat rock open and the bat king's ledges lit.
    static sPalette BatLand();
};

/// Paints an area's background picture, 512 x 512, from its terrain: every body in the look of
/// its kind (earth with grass on top, plank platforms, thorn bushes, bat rock, the bat king's
/// ledges), a back wall wherever rock covers the air above, with hills far hills on the horizon of the open sky, which stays
/// transparent so that the area's sky colours show through, and the streams of the waterfalls over
/// everything. The bodies that the first area's earthquake adds are left out, and so is whatever
/// lies over them: they show through from the picture behind. The same plan gives the same picture.
QImage PaintScenery(const sAreaPlan& plan, const sPalette& palette, bool hills);
/// The picture the first area draws behind its rocks and its exit: the far hills, standing on the
/// lowest ground all along, and over them the bodies its earthquake adds, which the cover stone
/// hides until it falls.
QImage PaintBackdrop(const sAreaPlan& plan, const sPalette& palette);

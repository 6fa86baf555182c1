#pragma once

#include "Palette.h"

#include <QImage>

struct sAreaPlan;

/// Paints an area's background picture, 512 x 512, from its terrain: every body in the look of
/// its kind (the place's rock with grass on top, sand at the water's edge, plank platforms, thorn
/// bushes, bat rock, the bat king's ledges), lit from where the look's light comes from; a dark back
/// wall wherever rock covers the air above; far hills or islands on the horizon of the open sky,
/// which stays transparent so that the area's sky colours show through; the still water's surface;
/// and the streams of the waterfalls over everything. The bodies that the first area's earthquake
/// adds are left out, and so is whatever lies over them: they show through from the picture behind. The same plan gives the same picture.
QImage PaintScenery(const sAreaPlan& plan, const sPalette& palette, bool hills);
/// The picture the first area draws behind its rocks and its exit: the far hills, standing on the
/// lowest ground all along, and over them the bodies its earthquake adds, which the cover stone
/// hides until it falls.
QImage PaintBackdrop(const sAreaPlan& plan, const sPalette& palette);

#include "Thorns.h"

#include "Palette.h"

#include <algorithm>
#include <cmath>

namespace {

/// Pixels from one point to the next, about: narrow enough that even the smallest bush is a row
/// of several sharp points, not a crown of three.
constexpr float kPitch = 4.0f;
/// A row of spikes is at most this high; a taller bush is a thicket of rows, each one set half a
/// spike aside from the one before it, so that it reads as more of the same thorns.
constexpr int kRowHeight = 6;

/// The same on every backdrop: a near-black root along what the bush grows on.
const QColor kRim(42, 12, 6);

/// The colours of a bush against one kind of backdrop: its spikes, every other one a shade lighter
/// so that neighbours that overlap at their roots still show as thorns of their own, their points,
/// lighter than the rest, the pixel under each point, and the shade between the spikes of the rows
/// behind the first. All of them are warmer than the pink of the hearts, so that nothing that
/// kills looks like something to collect.
struct sThornColours
{
    QColor spike, nextSpike, point, underPoint, shade;
};
/// Against a light backdrop every pixel stays dark enough to stand out from it: maroon spikes
/// whose points catch the light in a brighter red.
const sThornColours kAgainstLight{QColor(104, 24, 8), QColor(132, 32, 12), QColor(146, 40, 18), QColor(132, 32, 12),
                                  QColor(72, 16, 6)};
/// Against a dark one, scarlet spikes whose points pale to cream.
const sThornColours kAgainstDark{QColor(255, 80, 44), QColor(255, 116, 80), QColor(255, 230, 204),
                                 QColor(255, 160, 124), QColor(200, 56, 32)};

/// The distance between two points of a bush that wide: two gaps at least, so that even the
/// narrowest bush shows a point in its middle besides those on its ends.
float Pitch(int width)
{
    return (width - 1) / static_cast<float>(std::max(2, static_cast<int>(std::lround((width - 1) / kPitch))));
}

/// Pixels of a spike of that height over the column (along the bush from its left end, the points
/// shifted by offset), from its root; which spike it is, counted along the bush, and whether its
/// point is on the column. The spikes' sides fall two rows a pixel, so that neighbours meet a third
/// of the way up; the points fall on whole columns, the first and the last on the bush's ends.
int SpikeRows(float pitch, int height, float offset, int along, long& spike, bool& point)
{
    const float k = std::floor((along - offset) / pitch);
    const long left = std::lround(offset + k * pitch), right = std::lround(offset + (k + 1) * pitch);
    const long fromPoint = std::min(along - left, right - along);
    spike = static_cast<long>(k) + (along - left > right - along ? 1 : 0);
    point = fromPoint == 0;
    if (right <= left)
        return height;
    const float meet = height / 3.0f;
    return static_cast<int>(std::lround(meet + (height - meet) * (1.0f - 2.0f * fromPoint / (right - left))));
}

} // namespace

bool IsDarkBehindThorns(double backdropLuminance)
{
    return ContrastRatio(Luminance(kAgainstDark.spike), backdropLuminance) >
           ContrastRatio(Luminance(kAgainstLight.spike), backdropLuminance);
}

std::optional<QColor> ThornPixel(const sThornBush& bush, int x, int y)
{
    const QRect& box = bush.box;
    const int fromRoot = bush.hanging ? box.bottom() - y : y - box.top();
    // The row of spikes, counted from the points, its height and how far up in it the pixel lies.
    const int row = (box.height() - 1 - fromRoot) / kRowHeight;
    const int rowRoot = std::max(0, box.height() - (row + 1) * kRowHeight);
    const int height = box.height() - row * kRowHeight - rowRoot;
    const int up = fromRoot - rowRoot;
    const float pitch = Pitch(box.width());
    long spike = 0;
    bool point = false;
    const bool inSpike = up < SpikeRows(pitch, height, (row % 2) * pitch / 2.0f, x - box.left(), spike, point);
    if (!inSpike && row == 0)
        return std::nullopt;
    const sThornColours& colours = bush.againstDark ? kAgainstDark : kAgainstLight;
    // The root parts the bush from what it grows on; the spikes on the ends stand on their own.
    if (fromRoot == 0 && x != box.left() && x != box.right())
        return kRim;
    if (!inSpike)
        return colours.shade;
    // Only the bush's own points are light, not those of the rows behind them.
    if (row > 0 || !point || up + 2 < height)
        return spike % 2 == 0 ? colours.spike : colours.nextSpike;
    return up + 1 == height ? colours.point : colours.underPoint;
}

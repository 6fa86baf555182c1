#include "Thorns.h"

#include "Palette.h"

#include <algorithm>
#include <cmath>

namespace {

/// Pixels from one point to the next, about.
constexpr float kPitch = 6.0f;
/// A row of spikes is at most this high; a taller bush is a thicket of rows, each one set half a
/// spike aside from the one before it, so that it reads as more of the same thorns.
constexpr int kRowHeight = 6;

const QColor kRim(42, 12, 6);
const QColor kPoint(255, 230, 204);
/// The body against a light backdrop, and against a dark one, with the shade between the spikes
/// of the rows behind the first: blood red and scarlet, warmer than the pink of the hearts, so
/// that nothing that kills looks like something to collect.
const QColor kDeep(128, 28, 12);
const QColor kBright(255, 96, 56);
const QColor kShade(200, 64, 42);

/// Half the distance between two points of a bush that wide: two gaps at least, so that even the
/// smallest bush shows a point in its middle besides those on its ends.
float HalfPitch(int width)
{
    const int gaps = std::max(2, static_cast<int>(std::lround((width - 1) / kPitch)));
    return (width - 1) / (2.0f * gaps);
}

/// Rows of a spike of that height over the column (along the bush from its left end), from its
/// root: all of them and one more at the points, one halfway between two points, where the
/// spikes meet.
float SpikeRows(int width, int height, float along)
{
    const float half = HalfPitch(width);
    if (half <= 0.0f)
        return static_cast<float>(height);
    const float fromPoint = std::abs(along - 2.0f * half * std::round(along / (2.0f * half)));
    return height * (1.0f - fromPoint / half) + 1.0f;
}

} // namespace

bool IsDarkBehindThorns(double backdropLuminance)
{
    return ContrastRatio(Luminance(kBright), backdropLuminance) > ContrastRatio(Luminance(kDeep), backdropLuminance);
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
    const float along = static_cast<float>(x - box.left()) + (row % 2) * HalfPitch(box.width());
    const float rows = SpikeRows(box.width(), height, along);
    const bool inSpike = up < rows;
    if (!inSpike && row == 0)
        return std::nullopt;
    // The rim along the root parts the bush from what it grows on; its ends are the bush's outline.
    const bool end = x == box.left() || x == box.right();
    if (fromRoot == 0 && !end)
        return kRim;
    const bool edge = inSpike && (up + 1 >= rows || end || up >= SpikeRows(box.width(), height, along - 1) ||
                                  up >= SpikeRows(box.width(), height, along + 1));
    if (bush.againstDark)
        return edge ? kPoint : inSpike ? kBright : kShade;
    if (edge)
        return kRim;
    // A glint just under each point.
    return inSpike && rows > height && up + 2 >= height ? kPoint : kDeep;
}

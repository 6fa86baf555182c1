#include "Paintings.h"

#include <QPolygonF>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace Paintings
{
namespace
{
const char kEmpty = '.';
const char kOutline = 'k';

/// A repeatable pseudo-random number in [0, 1) for a pixel and a salt.
double Hash(int x, int y, int salt)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + quint32(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFFu) / 65536.0;
}

/// A picture being drawn, one palette letter per pixel; row 0 is the top.
class Letters
{
public:
    Letters(int w, int h) : m_w(w), m_h(h), m_cells(w * h, kEmpty) {}

    int Width() const { return m_w; }
    int Height() const { return m_h; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_w && y < m_h; }
    char At(int x, int y) const { return Inside(x, y) ? m_cells[y * m_w + x] : kEmpty; }
    void Set(int x, int y, char c)
    {
        if (Inside(x, y))
            m_cells[y * m_w + x] = c;
    }
    /// Every empty pixel beside a drawn one becomes the outline.
    void Outline()
    {
        const Letters before = *this;
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
                if (before.At(x, y) == kEmpty && (before.Drawn(x - 1, y) || before.Drawn(x + 1, y)
                                                  || before.Drawn(x, y - 1) || before.Drawn(x, y + 1)))
                    Set(x, y, kOutline);
    }
    QImage ToImage(const Palette &palette) const
    {
        QImage image(m_w, m_h, QImage::Format_ARGB32);
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
                image.setPixel(x, y, palette.Colour(QChar(At(x, y))));
        return image;
    }

private:
    bool Drawn(int x, int y) const { return At(x, y) != kEmpty && At(x, y) != kOutline; }

    int m_w, m_h;
    QVector<char> m_cells;
};

/// The three letters of a lit ball: its light patch, its body and its shaded rim.
struct Tones
{
    char light, base, shade;
};

/// A ball lit from the top left, as the trees' leaves are drawn.
void Ball(Letters &c, double cx, double cy, double r, const Tones &tones)
{
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::hypot(dx, dy);
            if (d > r)
                continue;
            char letter = tones.base;
            if (d > r - 2.0 && dx + dy > r * 0.1)
                letter = tones.shade;
            else if (std::hypot(dx + 0.38 * r, dy + 0.38 * r) < 0.3 * r
                     || (d > r - 2.5 && dx + dy < -r * 0.9))
                letter = tones.light;
            c.Set(x, y, letter);
        }
}

/// The classic heart curve, t from 0 to 2 pi: x in [-16, 16], y in [-17, 11.92], y up.
QPointF HeartPoint(double t)
{
    const double s = std::sin(t);
    return QPointF(16 * s * s * s, 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
}

/// The heart curve scaled by s with the middle of its box at (cx, cy), in picture rows (y down).
QPolygonF HeartOutline(double cx, double cy, double s)
{
    QPolygonF outline;
    const double midY = (11.92 - 17.0) / 2.0;
    for (int i = 0; i < 360; ++i) {
        const QPointF p = HeartPoint(i * 2 * M_PI / 360);
        outline << QPointF(cx + p.x() * s, cy - (p.y() - midY) * s);
    }
    return outline;
}

bool Contains(const QPolygonF &outline, double x, double y)
{
    return outline.containsPoint(QPointF(x, y), Qt::OddEvenFill);
}

/// Half the trunk's width at row y: slowly widening, then spreading into roots at the bottom.
double TrunkHalf(int y, int h)
{
    const int rootsFrom = h - 26;
    if (y <= rootsFrom)
        return 13.0 + 4.0 * (y - (h - 104)) / 78.0;
    const double k = (y - rootsFrom) / 25.0;
    return 17.0 + std::pow(k, 1.6) * 24.0;
}

void PaintTrunk(Letters &c, int crownBottom)
{
    const int h = c.Height();
    const double cx = c.Width() / 2.0;
    for (int y = crownBottom - 12; y < h; ++y) {
        const double half = TrunkHalf(y, h);
        for (int x = int(cx - half); x < int(std::ceil(cx + half)); ++x) {
            // The shade between the three roots, widening towards the ground. Left open, the
            // gaps showed the pale sky as little spikes at the tree's foot, which a player took
            // for thorns.
            const int rootGap = y - (h - 12);
            if (rootGap > 0 && std::abs(std::abs(x + 0.5 - cx) - 21.0) < 4.0 * std::sqrt(rootGap / 12.0)) {
                c.Set(x, y, 'B');
                continue;
            }
            const double rel = (x + 0.5 - (cx - half)) / (2 * half);
            char letter = rel < 0.14 ? 'l' : rel > 0.7 ? 'T' : 't';
            // Bark: two wavy grooves down the sides, leaving the face in the middle smooth.
            const double wave = 1.5 * std::sin(y / 11.0);
            const double side = std::abs(x + 0.5 - cx - wave);
            if (side > half * 0.62 && side < half * 0.62 + 1.0 && y < h - 18)
                letter = rel > 0.7 ? 'B' : 'T';
            // The crown's shadow on the trunk.
            if (y < crownBottom + 6)
                letter = letter == 'l' ? 't' : letter == 't' ? 'T' : 'B';
            c.Set(x, y, letter);
        }
    }
}

/// A bough from the trunk out to (x1, y1), thinning on its way, ending in a tuft of leaf balls.
void PaintBough(Letters &c, double x0, double y0, double x1, double y1, double tuft)
{
    const int steps = int(std::hypot(x1 - x0, y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const double k = double(i) / steps;
        // A gentle upward bend.
        const double x = x0 + (x1 - x0) * k;
        const double y = y0 + (y1 - y0) * k - 6.0 * std::sin(k * M_PI);
        const double r = 2.6 - 1.2 * k;
        for (int py = int(y - r) - 1; py <= int(y + r) + 1; ++py)
            for (int px = int(x - r) - 1; px <= int(x + r) + 1; ++px)
                if (std::hypot(px + 0.5 - x, py + 0.5 - y) <= r)
                    c.Set(px, py, py + 0.5 > y + r * 0.3 ? 'T' : 't');
    }
    const Tones tones{'L', 'v', 'V'};
    Ball(c, x1 - tuft * 0.45, y1 + tuft * 0.2, tuft * 0.7, tones);
    Ball(c, x1 + tuft * 0.45, y1 + tuft * 0.25, tuft * 0.65, tones);
    Ball(c, x1, y1 - tuft * 0.2, tuft * 0.8, tones);
}

void PaintCrown(Letters &c, const QPolygonF &heart, int salt)
{
    struct Clump
    {
        double x, y, r;
    };
    QVector<Clump> clumps;
    const QRectF box = heart.boundingRect();
    const QPointF mid = box.center();
    // Leaf balls along the outline, pulled in a little so that the edge is scalloped.
    for (int i = 0; i < heart.size(); i += 9) {
        const QPointF p = heart[i];
        const QPointF in = mid - p;
        const double len = std::hypot(in.x(), in.y());
        const double r = 8.0 + 2.0 * Hash(i, 1, salt);
        clumps.append({p.x() + in.x() / len * r * 0.55, p.y() + in.y() / len * r * 0.55, r});
    }
    // And a jittered grid of them inside.
    for (int row = 0; row * 12 < box.height(); ++row)
        for (int col = 0; col * 13 < box.width() + 13; ++col) {
            const double x = box.left() + col * 13 + (row % 2) * 6.5 + 4 * (Hash(col, row, salt + 1) - 0.5);
            const double y = box.top() + 7 + row * 12 + 4 * (Hash(col, row, salt + 2) - 0.5);
            if (Contains(heart, x, y))
                clumps.append({x, y, 9.0 + 2.5 * Hash(col, row, salt + 3)});
        }
    // Lower balls over upper ones; the lower right of the crown lies in shade.
    std::sort(clumps.begin(), clumps.end(), [](const Clump &a, const Clump &b) { return a.y < b.y; });
    for (const Clump &k : clumps) {
        const double side = (k.x - mid.x()) / box.width() * 2 + (k.y - box.top()) / box.height();
        const Tones tones = side > 1.05 ? Tones{'v', 'V', 'E'} : Tones{'L', 'v', 'V'};
        Ball(c, k.x, k.y, k.r, tones);
    }
}

/// The hollow where the big score heart sits: dark inside, shadowed above, lit below.
void PaintHollow(Letters &c, const QPolygonF &hollow)
{
    const QPointF mid = hollow.boundingRect().center();
    const QRect box = hollow.boundingRect().toAlignedRect();
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            if (!Contains(hollow, x + 0.5, y + 0.5))
                continue;
            const bool rim = !Contains(hollow, x - 0.5, y + 0.5) || !Contains(hollow, x + 1.5, y + 0.5)
                || !Contains(hollow, x + 0.5, y - 0.5) || !Contains(hollow, x + 0.5, y + 1.5);
            const bool above = (x - mid.x()) + (y - mid.y()) * 1.5 < 0;
            c.Set(x, y, rim ? (above ? kOutline : 'L') : 'E');
        }
}

/// Pink blossoms on the leaves, away from the hollow and the edge.
void PaintBlossoms(Letters &c, const QPolygonF &hollow, int salt)
{
    const QPointF mid = hollow.boundingRect().center();
    int placed = 0;
    for (int i = 0; placed < 26 && i < 600; ++i) {
        const int x = int(Hash(i, 7, salt) * (c.Width() - 4)) + 2;
        const int y = int(Hash(i, 8, salt) * 96) + 2;
        if (std::hypot(x - mid.x(), y - mid.y()) < 28)
            continue;
        bool onLeaves = true;
        for (int dy = -1; dy <= 2; ++dy)
            for (int dx = -1; dx <= 2; ++dx)
                onLeaves = onLeaves && QByteArray("LvVE").contains(c.At(x + dx, y + dy));
        if (!onLeaves)
            continue;
        c.Set(x, y, 'I');
        c.Set(x + 1, y, 'H');
        c.Set(x, y + 1, 'H');
        c.Set(x + 1, y + 1, 'J');
        ++placed;
    }
}

QImage HeartTree(int w, int h, const Palette &palette)
{
    Letters c(w, h);
    const QPolygonF crown = HeartOutline(w / 2.0, 50.0, (w - 18) / 32.0);
    const int crownBottom = int(crown.boundingRect().bottom());
    PaintTrunk(c, crownBottom);
    // Boughs below the crown, so that the tree fills its tiles beside the trunk.
    PaintBough(c, w / 2.0 - 10, 150, 17, 112, 11);
    PaintBough(c, w / 2.0 + 10, 142, w - 13, 96, 10);
    PaintBough(c, w / 2.0 + 12, 160, w - 9, 134, 7);
    PaintCrown(c, crown, 11);
    PaintHollow(c, HeartOutline(w / 2.0, 51.0, 1.25));
    PaintBlossoms(c, HeartOutline(w / 2.0, 51.0, 1.25), 12);
    c.Outline();
    return c.ToImage(palette);
}

QImage HeartIsland(int w, int h, const Palette &palette)
{
    Letters c(w, h);
    const double cx = w / 2.0;
    const int grass = 4;
    for (int y = 1; y < h - 1; ++y) {
        // Straight under the grass, then rounding off into a point of earth with roots below.
        const double k = std::max(0.0, (y - grass) / double(h - grass - 10));
        const double half = (w / 2.0 - 2) * std::sqrt(std::max(0.0, 1 - std::pow(k, 1.7)))
            + 2.5 * (Hash(y / 3, 0, 21) - 0.5);
        for (int x = int(cx - half); x < int(std::ceil(cx + half)); ++x) {
            const double rel = (x + 0.5 - (cx - half)) / (2 * half);
            char letter = rel > 0.66 || k > 0.75 ? 'B' : 'b';
            if (Hash(x / 2, y / 2, 22) > 0.975)
                letter = '8';
            else if (std::abs(std::fmod(y + 4 * std::sin(x / 11.0), 9.0)) < 1.0)
                letter = 'B';
            if (y < grass)
                letter = y == 1 ? 'L' : y == grass - 1 ? 'V' : 'v';
            c.Set(x, y, letter);
        }
    }
    // Roots hanging out of the clump.
    for (int i = 0; i < 7; ++i) {
        int x = int(cx - 36 + i * 12 + 4 * Hash(i, 3, 24));
        int y = 0;
        while (y < h && c.At(x, y + 1) != kEmpty)
            ++y;
        const int length = 4 + int(8 * Hash(i, 4, 24));
        for (int step = 0; step < length && y < h - 1; ++step, ++y) {
            c.Set(x, y, 'T');
            if (Hash(i, step, 25) > 0.7)
                x += Hash(i, step, 26) > 0.5 ? 1 : -1;
        }
    }
    c.Outline();
    return c.ToImage(palette);
}

/// The shape of a stone: the columns [left, right) of each row, inside a one-pixel margin left
/// for the outline. A flat top keeps its top row whole between two small corners.
struct StoneShape
{
    QVector<double> left, right;
};

StoneShape Stone(int w, int h, int seed, bool flatTop)
{
    StoneShape s;
    const double inW = w - 2, inH = h - 2;
    const double bottomRadius = std::min(inW, inH) * 0.45;
    for (int r = 0; r < int(inH); ++r) {
        double inset = 0;
        if (flatTop && r < 2)
            inset = 2 - r;
        if (!flatTop) {
            // A dome: round above, the lower half straight down to a flat foot.
            const double ry = inH * 0.55, k = std::max(0.0, (ry - r) / ry);
            inset = inW / 2 * (1 - std::sqrt(std::max(0.0, 1 - k * k)));
        }
        const double fromBottom = inH - 1 - r;
        if (fromBottom < bottomRadius) {
            const double k = (bottomRadius - fromBottom) / bottomRadius;
            inset = std::max(inset, bottomRadius * (1 - std::sqrt(std::max(0.0, 1 - k * k))) * 0.7);
        }
        const bool keepEdge = flatTop && r < 3;
        const double wobbleL = keepEdge ? 0 : 1.6 * (Hash(r / 2, 1, seed) - 0.5);
        const double wobbleR = keepEdge ? 0 : 1.6 * (Hash(r / 2, 2, seed) - 0.5);
        s.left.append(1 + inset + std::max(0.0, wobbleL));
        s.right.append(1 + inW - inset - std::max(0.0, wobbleR));
    }
    return s;
}

QImage PaintStone(int w, int h, int seed, bool flatTop, const Palette &palette)
{
    Letters c(w, h);
    const StoneShape shape = Stone(w, h, seed, flatTop);
    const int rows = shape.left.size();
    for (int r = 0; r < rows; ++r) {
        const int y = r + 1;
        const int left = int(std::round(shape.left[r])), right = int(std::round(shape.right[r]));
        for (int x = left; x < right; ++x) {
            const double fx = (x - left + 0.5) / std::max(1, right - left);
            const double fy = (r + 0.5) / rows;
            char letter = '8';
            if (fx + fy * 0.6 > 1.15 || r >= rows - 2)
                letter = fx > 0.6 && r >= rows - 3 ? '9' : 'Q';
            else if (r < 2 || fx < 0.1 || (fx + fy < 0.45))
                letter = 'q';
            if (Hash(x, y, seed + 31) > 0.94)
                letter = 'Q';
            c.Set(x, y, letter);
        }
    }
    // A crack running down from the top.
    int x = int(w * (0.3 + 0.4 * Hash(seed, 5, 32)));
    for (int y = 2; y < h * 0.55; ++y) {
        if (c.At(x, y) != kEmpty && c.At(x, y) != 'q')
            c.Set(x, y, '9');
        if (Hash(seed, y, 33) > 0.6)
            x += Hash(seed, y, 34) > 0.5 ? 1 : -1;
    }
    // A flat top is a ledge to stand on: grassed from corner to corner like the ground, so that it
    // reads as a floor and not as a stone lying in the meadow. Every other boulder grows moss.
    if (flatTop || seed % 2) {
        for (int x = 0; x < w; ++x) {
            int top = 0;
            while (top < h && c.At(x, top) == kEmpty)
                ++top;
            if (top >= h || (!flatTop && Hash(x / 3, 0, seed + 35) < 0.3))
                continue;
            c.Set(x, top, 'L');
            c.Set(x, top + 1, 'v');
            if (flatTop || Hash(x, 1, seed + 36) > 0.6)
                c.Set(x, top + 2, 'V');
            if (flatTop && Hash(x, 1, seed + 36) > 0.6)
                c.Set(x, top + 3, 'E');
        }
    }
    c.Outline();
    return c.ToImage(palette);
}

} // namespace

QImage Paint(const QString &kind, int w, int h, int seed, const Palette &palette, QString *error)
{
    if (w < 8 || h < 8) {
        *error = QString("painting %1: %2 x %3 is too small").arg(kind).arg(w).arg(h);
        return QImage();
    }
    if (kind == "heart_tree")
        return HeartTree(w, h, palette);
    if (kind == "heart_island")
        return HeartIsland(w, h, palette);
    if (kind == "rock")
        return PaintStone(w, h, seed, true, palette);
    if (kind == "boulder")
        return PaintStone(w, h, seed, false, palette);
    *error = "unknown painting '" + kind + "'";
    return QImage();
}

} // namespace Paintings

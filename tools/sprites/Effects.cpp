#include "Effects.h"

#include <QPainter>
#include <QtMath>

namespace Effects
{
namespace
{
const QRgb kWhite = qRgba(255, 255, 250, 255);
const QRgb kGlow = qRgba(255, 236, 140, 255);

/// A small deterministic generator: the pictures must not change from build to build.
class Scatter
{
public:
    explicit Scatter(quint32 seed) : m_state(seed) {}
    /// A value in [0, 1).
    double Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) / double(1u << 24);
    }

private:
    quint32 m_state;
};

QRgb WithAlpha(QRgb c, double alpha)
{
    return qRgba(qRed(c), qGreen(c), qBlue(c), qBound(0, int(qAlpha(c) * alpha + 0.5), 255));
}

QRgb Blend(QRgb a, QRgb b, double t)
{
    auto mix = [t](int x, int y) { return int(x + (y - x) * t + 0.5); };
    return qRgba(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)), qAlpha(a));
}

/// Every opaque pixel pulled towards `colour` by t.
QImage Tint(const QImage &frame, QRgb colour, double t)
{
    QImage out = frame;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            if (qAlpha(c) > 0)
                out.setPixel(x, y, Blend(c, colour, t));
        }
    return out;
}

/// `frame` scaled by `scale` with its bottom centre at (cx, bottom) of `canvas`,
/// nearest-neighbour so the pixels stay hard.
void DrawScaled(QImage &canvas, const QImage &frame, double scale, double cx, double bottom)
{
    if (scale <= 0.0)
        return;
    const double left = cx - frame.width() * scale / 2.0;
    const double top = bottom - frame.height() * scale;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const int sx = int(std::floor((x + 0.5 - left) / scale));
            const int sy = int(std::floor((y + 0.5 - top) / scale));
            if (sx < 0 || sy < 0 || sx >= frame.width() || sy >= frame.height())
                continue;
            const QRgb c = frame.pixel(sx, sy);
            if (qAlpha(c) > 0)
                canvas.setPixel(x, y, c);
        }
}

void Plot(QImage &canvas, int x, int y, QRgb c)
{
    if (canvas.rect().contains(x, y))
        canvas.setPixel(x, y, c);
}

/// A four-pointed sparkle of radius 1 (small) or 2 (large) at (x, y).
void Sparkle(QImage &canvas, int x, int y, bool large, QRgb c)
{
    Plot(canvas, x, y, kWhite);
    for (int r = 1; r <= (large ? 2 : 1); ++r) {
        Plot(canvas, x - r, y, c);
        Plot(canvas, x + r, y, c);
        Plot(canvas, x, y - r, c);
        Plot(canvas, x, y + r, c);
    }
}
} // namespace

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

Frames Mirror(const Frames &frames)
{
    Frames out;
    for (const QImage &f : frames)
        out.append(f.mirrored(true, false));
    return out;
}

Frames Canvas(const Frames &frames, int w, int h, int dx, int dy)
{
    Frames out;
    for (const QImage &f : frames) {
        QImage canvas = Blank(w, h);
        QPainter p(&canvas);
        p.drawImage(dx, dy, f);
        p.end();
        out.append(canvas);
    }
    return out;
}

Frames Overlay(const Frames &base, const Frames &top, int dx, int dy)
{
    const int count = std::max(base.size(), top.size());
    if (base.size() != top.size() && base.size() != 1 && top.size() != 1)
        return Frames();
    Frames out;
    for (int i = 0; i < count; ++i) {
        QImage canvas = base[base.size() == 1 ? 0 : i];
        QPainter p(&canvas);
        p.drawImage(dx, dy, top[top.size() == 1 ? 0 : i]);
        p.end();
        out.append(canvas);
    }
    return out;
}

QImage Shift(const QImage &frame, int dx, int dy)
{
    return Canvas({frame}, frame.width(), frame.height(), dx, dy).first();
}

QImage Squash(const QImage &frame, double sx, double sy)
{
    QImage out = Blank(frame.width(), frame.height());
    const double cx = frame.width() / 2.0;
    const double left = cx - frame.width() * sx / 2.0;
    const double top = frame.height() - frame.height() * sy;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const int srcX = int(std::floor((x + 0.5 - left) / sx));
            const int srcY = int(std::floor((y + 0.5 - top) / sy));
            if (frame.rect().contains(srcX, srcY))
                out.setPixel(x, y, frame.pixel(srcX, srcY));
        }
    return out;
}

Frames Recolor(const Frames &frames, const QVector<QRgb> &from, const QVector<QRgb> &to)
{
    Frames out = frames;
    for (QImage &f : out)
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) {
                const int i = from.indexOf(f.pixel(x, y));
                if (i >= 0)
                    f.setPixel(x, y, to[i]);
            }
    return out;
}

namespace
{
/// The clear pixels of `f` that can be reached from its border without crossing a pixel that is
/// not clear: everything but the holes that strokes close in.
QVector<bool> Outside(const QImage &f)
{
    QVector<bool> outside(f.width() * f.height(), false);
    QVector<QPoint> todo;
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < f.width(); ++x)
            if (x == 0 || y == 0 || x == f.width() - 1 || y == f.height() - 1)
                todo.append(QPoint(x, y));
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        if (!f.rect().contains(p) || outside[p.y() * f.width() + p.x()] || qAlpha(f.pixel(p)) != 0)
            continue;
        outside[p.y() * f.width() + p.x()] = true;
        todo << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1) << p - QPoint(0, 1);
    }
    return outside;
}
} // namespace

Frames Outline(const Frames &frames, QRgb edge, const QVector<QRgb> &around)
{
    Frames out = frames;
    for (int i = 0; i < frames.size(); ++i) {
        const QImage &f = frames[i];
        const QVector<bool> outside = Outside(f);
        auto touches = [&](int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (f.rect().contains(x + dx, y + dy) && around.contains(f.pixel(x + dx, y + dy)))
                        return true;
            return false;
        };
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x)
                if (outside[y * f.width() + x] && touches(x, y))
                    out[i].setPixel(x, y, edge);
    }
    return out;
}

Frames Shade(const Frames &frames, QRgb shade, int dx, int dy, const QVector<QRgb> &on)
{
    Frames out = frames;
    for (int i = 0; i < frames.size(); ++i) {
        const QImage &f = frames[i];
        const QVector<bool> outside = Outside(f);
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) {
                const QPoint next(x + dx, y + dy);
                if (on.contains(f.pixel(x, y)) && f.rect().contains(next) && qAlpha(f.pixel(next)) == 0 &&
                    !outside[next.y() * f.width() + next.x()])
                    out[i].setPixel(x, y, shade);
            }
    }
    return out;
}

Frames Spin(const QImage &frame)
{
    Frames out;
    QImage turned = frame;
    for (int i = 0; i < 4; ++i) {
        out.append(turned);
        turned = turned.transformed(QTransform().rotate(90));
    }
    return out;
}

Frames Burst(const QImage &frame, int w, int h, int count)
{
    struct Bit { double x, y, vx, vy; QRgb c; };
    const double left = (w - frame.width()) / 2.0;
    const double top = h - frame.height();
    const double cx = w / 2.0, cy = top + frame.height() / 2.0;
    Scatter scatter(0x5eed1u + quint32(frame.width() * 31 + frame.height()));
    QVector<Bit> bits;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb c = frame.pixel(x, y);
            if (qAlpha(c) == 0)
                continue;
            const double px = left + x, py = top + y;
            const double dx = px - cx, dy = py - cy;
            const double len = std::max(1.0, std::hypot(dx, dy));
            const double speed = 0.8 + scatter.Next() * 1.2;
            bits.append({px, py, dx / len * speed, dy / len * speed - 1.2, c});
        }
    Frames out;
    QImage flash = Blank(w, h);
    DrawScaled(flash, Tint(frame, kWhite, 0.8), 1.0, cx, h);
    out.append(flash);
    for (int i = 1; i < count; ++i) {
        QImage canvas = Blank(w, h);
        const double fade = 1.0 - double(i) / count;
        for (const Bit &b : bits) {
            const double t = i;
            const int x = int(std::floor(b.x + b.vx * t));
            const int y = int(std::floor(b.y + b.vy * t + 0.12 * t * t));
            Plot(canvas, x, y, WithAlpha(Blend(b.c, kGlow, 0.3), fade));
        }
        out.append(canvas);
    }
    return out;
}

Frames Morph(const QImage &from, const QImage &to, int w, int h, int count)
{
    Frames out;
    const double cx = w / 2.0;
    for (int i = 0; i < count; ++i) {
        const double t = count > 1 ? double(i) / (count - 1) : 1.0;
        QImage canvas = Blank(w, h);
        if (t < 0.3) {
            DrawScaled(canvas, Tint(from, kWhite, t / 0.3), 1.0, cx, h);
        } else if (t < 0.7) {
            const double s = (t - 0.3) / 0.4;
            DrawScaled(canvas, Tint(from, kGlow, 1.0), 1.0 - s, cx, h);
            DrawScaled(canvas, Tint(to, kWhite, 1.0), s, cx, h);
        } else {
            DrawScaled(canvas, Tint(to, kWhite, (1.0 - t) / 0.3), 1.0, cx, h);
        }
        // Sparkles circle the changing body, widest at the middle of the change.
        const double radius = 3.0 + std::sin(t * M_PI) * (std::min(w, h) / 2.0 - 3.0);
        const double cy = h - std::max(from.height(), to.height()) / 2.0;
        for (int k = 0; k < 4 && t < 0.95; ++k) {
            const double a = t * 2.0 * M_PI * 1.5 + k * M_PI / 2.0;
            Sparkle(canvas, int(cx + std::cos(a) * radius), int(cy + std::sin(a) * radius * 0.8),
                    (i + k) % 2 == 0, kGlow);
        }
        out.append(canvas);
    }
    return out;
}

Frames Shrink(const QImage &frame, int px, int py, int count)
{
    Frames out;
    for (int i = 0; i < count; ++i) {
        const double t = count > 1 ? double(i) / (count - 1) : 1.0;
        QImage canvas = Blank(frame.width(), frame.height());
        const double scale = 1.0 - t;
        // The bottom centre travels from the frame's foot to the point while the body shrinks.
        const double cx = frame.width() / 2.0 + (px - frame.width() / 2.0) * t;
        const double bottom = frame.height() + (py - frame.height()) * t + frame.height() * scale * t / 2.0;
        QImage body = frame;
        if (i % 2 == 1)
            body = body.mirrored(true, false);
        DrawScaled(canvas, Tint(body, kWhite, t * 0.6), scale, cx, bottom);
        // A last glint where the body vanished, so no frame is empty.
        if (i + 1 == count)
            Sparkle(canvas, px, py, false, kGlow);
        else if (i > 0)
            Sparkle(canvas, int(cx) + (i % 2 ? 3 : -3), int(bottom - frame.height() * scale) - 1, false, kGlow);
        out.append(canvas);
    }
    return out;
}

Frames Enlarge(const Frames &frames, int n)
{
    Frames out;
    for (const QImage &f : frames)
        out.append(f.scaled(f.width() * n, f.height() * n, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return out;
}

QImage Box(int w, int h, QRgb fill, QRgb edge)
{
    QImage box = Blank(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            box.setPixel(x, y, x == 0 || y == 0 || x == w - 1 || y == h - 1 ? edge : fill);
    return box;
}

QImage Ellipse(int w, int h, QRgb fill, QRgb edge)
{
    const double rx = w / 2.0, ry = h / 2.0;
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return false;
        const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
    QImage out = Blank(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y))
                continue;
            const bool border = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            out.setPixel(x, y, border ? edge : fill);
        }
    return out;
}

QImage Text(const Frames &glyphs, const QString &letters, const QString &text)
{
    const int height = glyphs.isEmpty() ? 1 : glyphs.first().height();
    const int spaceAdvance = 4;
    auto inkWidth = [](const QImage &glyph) {
        int right = -1;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                if (qAlpha(glyph.pixel(x, y)) > 0)
                    right = std::max(right, x);
        return right + 1;
    };
    QVector<const QImage *> set;
    int width = 0;
    for (QChar c : text) {
        const int index = letters.indexOf(c);
        const QImage *glyph = c != ' ' && index >= 0 && index < glyphs.size() ? &glyphs[index] : nullptr;
        if (c != ' ' && !glyph)
            continue;
        set.append(glyph);
        width += glyph ? inkWidth(*glyph) + 1 : spaceAdvance;
    }
    QImage out = Blank(std::max(1, width - 1), height);
    QPainter p(&out);
    int x = 0;
    for (const QImage *glyph : set) {
        if (glyph)
            p.drawImage(x, 0, *glyph);
        x += glyph ? inkWidth(*glyph) + 1 : spaceAdvance;
    }
    p.end();
    return out;
}
}

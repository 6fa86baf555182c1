#pragma once

#include <QImage>
#include <QVector>

/// Frame transformations that turn hand-drawn key frames into motion: mirrored
/// strips, squash and stretch, bursts, glowing changes of shape, shrinking into a
/// point, quarter turns. Every function returns new frames of equal size; none
/// changes its input. Random scatter is seeded, so every build draws the same picture.
namespace Effects
{
using Frames = QVector<QImage>;

/// A transparent frame of w x h pixels.
QImage Blank(int w, int h);
/// Each frame flipped left to right.
Frames Mirror(const Frames &frames);
/// Each frame moved onto a w x h canvas with its top-left corner at (dx, dy).
Frames Canvas(const Frames &frames, int w, int h, int dx, int dy);
/// Each frame of `top` drawn over the matching frame of `base` with its top-left corner at
/// (dx, dy); a one-frame strip pairs with every frame of the other. Frames of `base`'s size.
/// Empty when both have several frames but not the same number.
Frames Overlay(const Frames &base, const Frames &top, int dx, int dy);
/// `frame` moved by (dx, dy) within its own size; what leaves the frame is cut off.
QImage Shift(const QImage &frame, int dx, int dy);
/// `frame` scaled by (sx, sy) about the middle of its bottom edge; same frame size.
QImage Squash(const QImage &frame, double sx, double sy);
/// Each pixel of colour `from[i]` painted `to[i]`.
Frames Recolor(const Frames &frames, const QVector<QRgb> &from, const QVector<QRgb> &to);
/// Each clear pixel outside the shape that touches a pixel of one of the colours `around`, by a
/// side or a corner, painted `edge`. Holes the shape closes in stay clear; pixels outside the
/// frame are never painted.
Frames Outline(const Frames &frames, QRgb edge, const QVector<QRgb> &around);
/// Each pixel of one of the colours `on` whose neighbour at (dx, dy) is a clear pixel of a hole
/// the shape closes in painted `shade`: with (1, 1), the strokes over and left of every hole.
Frames Shade(const Frames &frames, QRgb shade, int dx, int dy, const QVector<QRgb> &on);
/// `frame` turned by 0, 90, 180 and 270 degrees clockwise; the frame must be square.
Frames Spin(const QImage &frame);
/// `frame` bottom-centred on a w x h canvas: a white flash, then its pixels fly
/// apart, fall and fade over `count` frames in all.
Frames Burst(const QImage &frame, int w, int h, int count);
/// `from` turning into `to` on a w x h canvas (both bottom-centred) over `count`
/// frames: it glows white, its silhouette gives way to the new one, sparkles
/// circle it, and the glow fades off the new shape.
Frames Morph(const QImage &from, const QImage &to, int w, int h, int count);
/// `frame` shrinking and spinning into the point (px, py) over `count` frames,
/// the last one empty.
Frames Shrink(const QImage &frame, int px, int py, int count);
/// Each frame `n` times as large, every pixel becoming an n x n block.
Frames Enlarge(const Frames &frames, int n);
/// A w x h rectangle of `fill` inside a one-pixel border of `edge`.
QImage Box(int w, int h, QRgb fill, QRgb edge);
/// The ellipse that fills a w x h frame: `fill` inside a one-pixel border of `edge`.
QImage Ellipse(int w, int h, QRgb fill, QRgb edge);
/// `text` set in a font: `glyphs` holds one frame per character of `letters`, in that order.
/// Each glyph advances by the width of its ink plus one pixel, a space by four pixels;
/// characters the font lacks are left out. The frame is as high as a glyph.
QImage Text(const Frames &glyphs, const QString &letters, const QString &text);
}

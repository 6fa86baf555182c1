#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <memory>
#include <ostream>

class QGLFramebufferObject;

/// A framebuffer object to draw into and read back: bound on construction with a y-up projection of
/// one unit per pixel (origin at the lower-left corner), blending on, texturing on, cleared to
/// opaque black.
class GlCanvas
{
public:
    GlCanvas(int width, int height);
    ~GlCanvas();

    /// The pixel whose lower-left corner is (x, y), y counted up from the bottom.
    QColor Pixel(int x, int y) const;
    /// The whole canvas, top row first, as it would look on screen.
    QImage Image() const;
    /// Saves Image() under the build folder's "test-pictures" for a person to look at.
    void Save(const QString& fileName) const;

private:
    std::unique_ptr<QGLFramebufferObject> fbo;
};

/// Whether two colours agree within tol per channel. Alpha is not compared: the player sees only
/// the colour, and blending leaves the framebuffer's alpha at whatever it sums to.
bool NearWithin(const QColor& a, const QColor& b, int tol);
/// NearWithin 2: what rounding between 0-255 and 0-1 colours leaves.
bool Near(const QColor& a, const QColor& b);

/// Lets test failures show colours as (r, g, b, a).
void PrintTo(const QColor& c, std::ostream* os);

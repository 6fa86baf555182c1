#pragma once
// A framebuffer object standing in for the window or the world texture in GL tests, which run
// with a current context (a test folder's main.cpp makes one) under xvfb-run.
#include "engine/Drawing.h"

#include <QColor>
#include <QDir>
#include <QGLFramebufferObject>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <memory>
#include <ostream>

/// Bound on construction with a y-up projection of one unit per pixel (origin at the lower-left
/// corner), blending and texturing on, cleared to opaque black; unbound again when it goes.
class GlCanvas
{
public:
    GlCanvas(int w, int h) : width(w), height(h), fbo(std::make_unique<QGLFramebufferObject>(w, h))
    {
        Bind();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(1, 1, 1, 1);
    }

    ~GlCanvas() { fbo->release(); }

    /// Binds it again with its projection (after a pass that bound another framebuffer).
    void Bind()
    {
        fbo->bind();
        // The window's own projection, so pixels read here are where the game would put them.
        SetPixelProjection(width, height);
    }

    /// The pixel whose lower-left corner is (x, y), y counted up from the bottom row.
    QColor Pixel(int x, int y) const
    {
        unsigned char rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return QColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    }

    /// Saves the picture under the build folder's "test-pictures" for a person to look at.
    void Save(const QString& fileName) const
    {
        const QString dir = QStringLiteral(MIRROWEN_BINARY_DIR "/test-pictures");
        QDir().mkpath(dir);
        SaveAs(dir + QLatin1Char('/') + fileName);
    }
    void SaveAs(const QString& path) const { fbo->toImage().save(path); }

private:
    int width, height;
    std::unique_ptr<QGLFramebufferObject> fbo;
};

/// Pixels of the rectangle (x, y, w, h) of the canvas that are not the black background.
inline int InkIn(const GlCanvas& canvas, int x, int y, int w, int h)
{
    int ink = 0;
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px)
            ink += canvas.Pixel(px, py).lightness() > 20 ? 1 : 0;
    return ink;
}

/// Whether two colours agree within tol per channel. Alpha is not compared: the player sees only
/// the colour, and blending leaves the framebuffer's alpha at whatever it sums to.
inline bool NearColor(const QColor& a, const QColor& b, int tol)
{
    return std::abs(a.red() - b.red()) <= tol && std::abs(a.green() - b.green()) <= tol &&
           std::abs(a.blue() - b.blue()) <= tol;
}

/// NearColor within 2, what rounding between 0-255 and 0-1 colours leaves; for EXPECT_PRED2.
inline bool Near(const QColor& a, const QColor& b)
{
    return NearColor(a, b, 2);
}

/// Lets test failures show colours as (r, g, b, a).
inline void PrintTo(const QColor& c, std::ostream* os)
{
    *os << "(" << c.red() << ", " << c.green() << ", " << c.blue() << ", " << c.alpha() << ")";
}

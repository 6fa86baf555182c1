#pragma once

#include <QColor>
#include <QString>

#include <memory>

class QGLFramebufferObject;

/// A framebuffer object standing in for the game window: bound on construction with the view's
/// set-up (projection 0..width, 0..height in pixels, y up; blending and texturing on), cleared to
/// opaque black. Unbound again when it goes.
class WindowCanvas
{
public:
    WindowCanvas(int width, int height);
    ~WindowCanvas();

    /// Binds it again (after a pass that left the default framebuffer bound).
    void Bind();
    /// The colour of window pixel (x, y), y counted up from the bottom row.
    QColor Pixel(int x, int y) const;
    /// Saves the picture under the build folder's "test-pictures" for a person to look at.
    void Save(const QString& fileName) const;

private:
    int width, height;
    std::unique_ptr<QGLFramebufferObject> fbo;
};

/// Whether two colours agree within tol per channel, alpha not compared.
bool NearColor(const QColor& a, const QColor& b, int tol = 2);

#include "GlCanvas.h"

#include <QDir>
#include <QGLFramebufferObject>

#include <cstdlib>

GlCanvas::GlCanvas(int width, int height) : fbo(std::make_unique<QGLFramebufferObject>(width, height))
{
    fbo->bind();
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
}

GlCanvas::~GlCanvas()
{
    fbo->release();
}

QColor GlCanvas::Pixel(int x, int y) const
{
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return QColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

QImage GlCanvas::Image() const
{
    return fbo->toImage();
}

void GlCanvas::Save(const QString& fileName) const
{
    const QString dir = QStringLiteral(MIRROWEN_BINARY_DIR "/test-pictures");
    QDir().mkpath(dir);
    Image().save(dir + QLatin1Char('/') + fileName);
}

bool NearWithin(const QColor& a, const QColor& b, int tol)
{
    return std::abs(a.red() - b.red()) <= tol && std::abs(a.green() - b.green()) <= tol &&
           std::abs(a.blue() - b.blue()) <= tol;
}

void PrintTo(const QColor& c, std::ostream* os)
{
    *os << "(" << c.red() << ", " << c.green() << ", " << c.blue() << ", " << c.alpha() << ")";
}

bool Near(const QColor& a, const QColor& b)
{
    return NearWithin(a, b, 2);
}

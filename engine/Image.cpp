#include "engine/Image.h"

#include "engine/MessageBox.h"
#include "engine/StringUtil.h"

#include <QFile>
#include <QGLWidget>
#include <QImage>
#include <QOpenGLContext>
#include <GL/glu.h>

#include <algorithm>

namespace {

/// Where SetTexture looks for the picture called pictureName.
QString PicturePath(const QString& pictureName)
{
    QString path = pictureName;
    if (FileExtension(path) == QLatin1String("tga"))
        path.replace(QLatin1String(".tga"), QLatin1String(".png"));
    return ResourcePath(path);
}

/// The picture at path as a texture takes it: RGBA, bottom row first. A null image when it is
/// unreadable.
QImage ReadPicture(const QString& path)
{
    QImage picture;
    if (!picture.load(path, "PNG"))
        return QImage();
    return QGLWidget::convertToGLFormat(picture);
}

bool IsPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

/// Uploads the picture as the bound texture. Only its full size is ever sampled (the filters are
/// nearest), so a picture the driver takes as it is gets no mipmaps: building them cost start-up
/// time and a third more memory for nothing. gluBuild2DMipmaps still takes a picture that has to be
/// scaled to a size the driver takes.
void UploadTexture(const QImage& pixels)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const int w = pixels.width(), h = pixels.height();
    if (IsPowerOfTwo(w) && IsPowerOfTwo(h) && w <= largest && h <= largest)
        glTexImage2D(GL_TEXTURE_2D, 0, 4, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.constBits());
    else
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.constBits());
}

} // namespace

cImage::cImage(float x, float y, float w, float h) : width(w), height(h), x(x), y(y)
{
}

cImage::~cImage()
{
    // Shared pictures outlive the view at shutdown; without a context there is nothing to free.
    if (QOpenGLContext::currentContext())
        ReleaseTexture();
}

void cImage::SetAlpha(float a)
{
    alpha = std::clamp(a, 0.0f, 1.0f);
}

void cImage::SetColor(float red, float green, float blue)
{
    r = red;
    g = green;
    b = blue;
}

void cImage::SetColorAndAlpha(float red, float green, float blue, float a)
{
    SetColor(red, green, blue);
    SetAlpha(a);
}

bool cImage::SetTexture(const QString& pictureName, float ns0, float nt0, float ns1, float nt1)
{
    const QString path = PicturePath(pictureName);
    if (!QFile::exists(path)) {
        ShowMessageBox(eMessageBoxKind::Information, QStringLiteral("1  2dImage::SetTexture"),
                       QStringLiteral("Cannot find '") + path + QLatin1Char('\''));
        return false;
    }
    ReleaseTexture();
    name = path;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Sprites are drawn with hard pixels.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    const QImage picture = ReadPicture(path);
    if (picture.isNull()) {
        ShowMessageBox(eMessageBoxKind::Information, QStringLiteral("2  2dImage::SetTexture"),
                       QStringLiteral("Cannot load '") + path + QLatin1Char('\''));
        textured = false;
        return false;
    }
    width = picture.width();
    height = picture.height();
    UploadTexture(picture);
    s0 = ns0;
    t0 = nt0;
    s1 = ns1;
    t1 = nt1;
    textured = true;
    return true;
}

void cImage::ReleaseTexture()
{
    if (texture != 0)
        glDeleteTextures(1, &texture);
    texture = 0;
}

void cImage::DrawWithAlpha(float a)
{
    if (visible)
        DrawQuad(x, y, width, height, s0, t0, s1, t1, r, g, b, a);
}

void cImage::Draw()
{
    DrawWithAlpha(alpha);
}

void cImage::DrawRegionWorld(float px, float py, float w, float h, float px0, float py0, float px1, float py1,
                             int red, int green, int blue, int a)
{
    DrawRegion(px, py + 240, w, h, px0, py0, px1, py1, red, green, blue, a);
}

namespace {

/// One quad (x, y, w, h), its corners sampling the texture rectangle (sl, tb)-(sr, tt).
void TexturedQuad(float x, float y, float w, float h, float sl, float tb, float sr, float tt)
{
    glBegin(GL_QUADS);
    glTexCoord2f(sl, tb);
    glVertex2f(x, y);
    glTexCoord2f(sr, tb);
    glVertex2f(x + w, y);
    glTexCoord2f(sr, tt);
    glVertex2f(x + w, y + h);
    glTexCoord2f(sl, tt);
    glVertex2f(x, y + h);
    glEnd();
}

} // namespace

void cImage::DrawRegion(float px, float py, float w, float h, float px0, float py0, float px1, float py1,
                        int red, int green, int blue, int a)
{
    if (!visible)
        return;
    glColor4f(red / 255.0f, green / 255.0f, blue / 255.0f, a / 255.0f);
    if (!textured)
        return;
    // Picture rows run downwards, texture t upwards: the region's top row py0 is the higher t.
    glBindTexture(GL_TEXTURE_2D, texture);
    TexturedQuad(px, py, w, h, px0 / width, 1 - py1 / height, px1 / width, 1 - py0 / height);
}

void cImage::DrawQuad(float px, float py, float w, float h, float qs0, float qt0, float qs1, float qt1, float red,
                      float green, float blue, float a)
{
    glColor4f(red, green, blue, a);
    if (textured) {
        glBindTexture(GL_TEXTURE_2D, texture);
        TexturedQuad(px, py, w, h, qs0, qt0, qs1, qt1);
        return;
    }
    // Texture coordinates are ignored while texturing is off.
    glDisable(GL_TEXTURE_2D);
    TexturedQuad(px, py, w, h, qs0, qt0, qs1, qt1);
    glEnable(GL_TEXTURE_2D);
}

#include "engine/Drawing.h"

#include <GL/gl.h>

#include <cmath>

namespace {

void Color255(float r, float g, float b, float a)
{
    glColor4f(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}

void BottomEdge(float x, float y, float w)
{
    glVertex2f(x, y);
    glVertex2f(x + w, y);
}

void TopEdge(float x, float y, float w, float h)
{
    glVertex2f(x + w, y + h);
    glVertex2f(x, y + h);
}

void Rect(GLenum mode, float x, float y, float w, float h, float r, float g, float b, float a)
{
    glDisable(GL_TEXTURE_2D);
    Color255(r, g, b, a);
    glBegin(mode);
    BottomEdge(x, y, w);
    TopEdge(x, y, w, h);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
}

} // namespace

void SetPixelProjection(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void DrawFilledRect(float x, float y, float w, float h, float r, float g, float b, float a)
{
    Rect(GL_QUADS, x, y, w, h, r, g, b, a);
}

void BeginFilledRects()
{
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
}

void FilledRect(float x, float y, float w, float h, float r, float g, float b, float a)
{
    Color255(r, g, b, a);
    BottomEdge(x, y, w);
    TopEdge(x, y, w, h);
}

void EndFilledRects()
{
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
}

void DrawRectOutline(float x, float y, float w, float h, float r, float g, float b, float a)
{
    Rect(GL_LINE_LOOP, x, y, w, h, r, g, b, a);
}

void DrawGradientRect(float x, float y, float w, float h, float r1, float g1, float b1, float r2, float g2,
                      float b2, float a)
{
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    Color255(r1, g1, b1, a);
    BottomEdge(x, y, w);
    Color255(r2, g2, b2, a);
    TopEdge(x, y, w, h);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
}

void DrawFilledCircle(float cx, float cy, float radius, int segments, float r, float g, float b, float a)
{
    if (segments < 3)
        return;
    const float step = 2.0f * float(M_PI) / float(segments);
    glDisable(GL_TEXTURE_2D);
    Color255(r, g, b, a);
    glBegin(GL_TRIANGLE_FAN);
    for (int i = 0; i < segments; ++i)
        glVertex2f(cx + radius * std::cos(step * float(i)), cy + radius * std::sin(step * float(i)));
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
}

#include "world/ComicFrame.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float kTextureSize = 512.0f;
// The virtual screen's centre, about which quarter turns go.
constexpr int kTurnCentreX = 240;
constexpr int kTurnCentreY = 136;
constexpr float kQuarterTurn = 1.57f;
// Glide speed in radians per 16.6666 ms: a quarter turn takes 14 ticks of 20 ms.
constexpr float kTurnSpeed = 0.1f;
constexpr float kTurnStepMs = 16.6666f;

void Rect(float x0, float y0, float x1, float y1)
{
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
}

/// Four quads p wide around (x0, y0)-(x1, y1) in the current colour, texturing off meanwhile.
void Border(float x0, float y0, float x1, float y1, float p)
{
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    Rect(x0 - p, y0 - p, x0, y1 + p);
    Rect(x1, y0 - p, x1 + p, y1 + p);
    Rect(x0, y0 - p, x1, y0);
    Rect(x0, y1, x1, y1 + p);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

void TexturedRect(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1)
{
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, t0);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s0, t1);
    glVertex2f(x0, y1);
    glEnd();
}

/// TexturedRect with the texels as they are, whatever the current colour: for a panel at full
/// strength, where modulating them with white would change nothing but cost a multiplication per
/// pixel.
void TexelsAsTheyAre(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1)
{
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    TexturedRect(x0, y0, x1, y1, s0, t0, s1, t1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void SetBlending(bool on)
{
    if (on)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
}

/// A jump offset in [-range/2, range - 1 - range/2]; none for a range below 1, which has no values.
int ShakeOffset(int range)
{
    return range < 1 ? 0 : (rand() & 0x7FFF) % range - range / 2;
}

} // namespace

void cComicFrame::Init(int px, int py, int u, int v, int texWidth, int texHeight, int scale, bool border,
                       bool blend)
{
    SetScreenPos(px, py, true);
    SetTexRect(u, v, texWidth, texHeight);
    SetScale(scale);
    hasBorder = border;
    specialBlend = blend;
}

void cComicFrame::SetTexRect(int u, int v, int width, int height)
{
    uMin = u;
    vMin = v;
    uMax = u + width - 1;
    vMax = v + height - 1;
    UpdateTexCoords();
}

void cComicFrame::SetScale(int s)
{
    screenWidth = GetTexWidth() * s;
    screenHeight = GetTexHeight() * s;
}

void cComicFrame::SetScreenPos(int px, int py, bool alsoHome)
{
    x = px;
    y = py;
    if (alsoHome) {
        homeX = px;
        homeY = py;
    }
}

bool cComicFrame::ResizeSquareTex(int n)
{
    if (uMax - uMin != vMax - vMin || n < 1)
        return false;
    uMax = uMin + n - 1;
    vMax = vMin + n - 1;
    UpdateTexCoords();
    SetScale(GetScaleClass());
    return true;
}

QPointF cComicFrame::GetCenter() const
{
    return QPointF(x + screenWidth / 2.0f, y + screenHeight / 2.0f);
}

int cComicFrame::GetScaleClass() const
{
    const float s = static_cast<float>(screenWidth) / GetTexWidth() + static_cast<float>(screenHeight) / GetTexHeight();
    if (s < 3)
        return 1;
    if (s < 5)
        return 2;
    if (s < 7)
        return 3;
    return 4;
}

void cComicFrame::SetShake(unsigned durationMs, int xr, int yr, int intervalMs, bool shrink)
{
    shakeDuration = durationMs;
    xRange = xr;
    yRange = yr;
    interval = intervalMs;
    shrinking = shrink;
    shakeElapsed = 0;
    sinceLastJump = 0;
}

void cComicFrame::StartRotateLeft(int newOrientation)
{
    StartRotate(newOrientation, true);
}

void cComicFrame::StartRotateRight(int newOrientation)
{
    StartRotate(newOrientation, false);
}

void cComicFrame::Update(int ms)
{
    if (moving)
        UpdateRotateMove(ms);
    else
        UpdateShake(ms);
}

void cComicFrame::Draw(int p, float r, float g, float b, float a) const
{
    const float x0 = x * p, y0 = y * p;
    const float x1 = x0 + screenWidth * p, y1 = y0 + screenHeight * p;
    SetBlending(a <= 0.99f || specialBlend);
    if (hasBorder) {
        glColor4f(r, g, b, a);
        Border(x0, y0, x1, y1, p);
    }
    glColor4f(1, 1, 1, a);
    if (a >= 1)
        TexelsAsTheyAre(x0, y0, x1, y1, uLo, vLo, uHi, vHi);
    else
        TexturedRect(x0, y0, x1, y1, uLo, vLo, uHi, vHi);
    glEnable(GL_BLEND);
}

void cComicFrame::DrawZoomFade(int p, bool zoomWindow) const
{
    const float a = std::min(std::max(alpha, 0.0f), 1.0f);
    if (a < 0.01f)
        return;
    const float w = screenWidth * a, h = screenHeight * a;
    const float x0 = (x + (screenWidth - w) / 2) * p, y0 = (y + (screenHeight - h) / 2) * p;
    const float x1 = x0 + p * w, y1 = y0 + p * h;
    SetBlending(specialBlend);

    // Cutting k = twice the magnification texels per shrunk unit keeps the picture's scale while
    // the panel closes evenly on all sides.
    const float ratio = static_cast<float>(screenWidth) / std::max(1, uMax - uMin);
    const float k = 2.0f * std::max(1, static_cast<int>(ratio + 0.5f));
    const float du = (screenWidth - w) / k, dv = (screenHeight - h) / k;

    if (hasBorder) {
        glColor4f(1, 1, 1, 1);
        Border(x0, y0, x1, y1, p);
    }
    glColor4f(1, 1, 1, 1);
    if (zoomWindow) {
        TexelsAsTheyAre(x0, y0, x1, y1, (uMin + du) / kTextureSize, (kTextureSize - (vMax - dv + 1)) / kTextureSize,
                        (uMax - du + 1) / kTextureSize, (kTextureSize - (vMin + dv)) / kTextureSize);
    } else {
        TexelsAsTheyAre(x0, y0, x1, y1, uLo, vLo, uHi, vHi);
    }
    glEnable(GL_BLEND);
}

QRect cComicFrame::TexelRect() const
{
    return QRect(uMin, static_cast<int>(kTextureSize) - 1 - vMax, GetTexWidth(), GetTexHeight());
}

QPointF cComicFrame::WorldToScreen(float wx, float wy) const
{
    const int kx = std::max(1, static_cast<int>(screenWidth / (EdgeR() - EdgeL())));
    const int ky = std::max(1, static_cast<int>(screenHeight / (EdgeT() - EdgeB())));
    return QPointF(static_cast<int>(wx - EdgeL()) * kx + x, static_cast<int>(wy + 240 - EdgeB()) * ky + y);
}

QPointF cComicFrame::ScreenToWorld(float sx, float sy) const
{
    const float fx = static_cast<float>(uMax - uMin) / screenWidth;
    const float fy = (EdgeT() - EdgeB()) / screenHeight;
    return QPointF(uMin + static_cast<int>(sx - x) * fx, static_cast<int>(sy - y) * fy + (EdgeB() - 240));
}

bool cComicFrame::OverlapsPlayer(float cx, float cy, float w, float h) const
{
    const float ty = cy + 240;
    return EdgeL() <= cx + w / 2 && EdgeR() >= cx - w / 2 && EdgeB() <= ty + h / 2 && EdgeT() >= ty - h / 2;
}

float cComicFrame::InsideDepth(float wx, float wy) const
{
    const float ty = wy + 240;
    return std::min({wx - EdgeL(), EdgeR() - wx, ty - EdgeB(), EdgeT() - ty});
}

float cComicFrame::OverlapArea(float ox, float oy, float ow, float oh) const
{
    const float right = x + screenWidth, top = y + screenHeight;
    if (ox + ow < x || ox > right || oy + oh < y || oy > top)
        return 0;
    return (std::min(ox + ow, right) - std::max(ox, static_cast<float>(x))) *
           (std::min(oy + oh, top) - std::max(oy, static_cast<float>(y)));
}

void cComicFrame::UpdateTexCoords()
{
    uLo = uMin / kTextureSize;
    uHi = (uMax + 1) / kTextureSize;
    vLo = (kTextureSize - (vMax + 1)) / kTextureSize;
    vHi = (kTextureSize - vMin) / kTextureSize;
}

void cComicFrame::StartRotate(int newOrientation, bool left)
{
    if (moving)
        return;
    // A shake trembles about home and would snap the turned frame back there once the glide is
    // over. It ends here, and the glide starts from home, about which the shake held the frame.
    if (shakeDuration > 0) {
        shakeDuration = 0;
        shakeElapsed = 0;
        x = homeX;
        y = homeY;
    }
    if (newOrientation == 0) {
        // Straight home rather than a fourth computed turn, so no truncation ever accumulates.
        targetX = homeX;
        targetY = homeY;
    } else {
        const QPointF c = GetCenter();
        const float dx = c.x() - kTurnCentreX, dy = c.y() - kTurnCentreY;
        const float cx = left ? kTurnCentreX - dy : kTurnCentreX + dy;
        const float cy = left ? kTurnCentreY + dx : kTurnCentreY - dx;
        targetX = cx - screenWidth / 2.0f;
        targetY = cy - screenHeight / 2.0f;
    }
    speed = left ? kTurnSpeed : -kTurnSpeed;
    angle = 0;
    moving = true;
}

void cComicFrame::UpdateRotateMove(int ms)
{
    angle += speed * ms / kTurnStepMs;
    const float f = angle / (speed > 0 ? kQuarterTurn : -kQuarterTurn);
    const int hw = screenWidth / 2, hh = screenHeight / 2;
    const int cx = x + hw - kTurnCentreX, cy = y + hh - kTurnCentreY;
    // The whole angle so far is applied to where the last tick left the panel, then blended towards
    // the target: that is what makes the path curve.
    const float rx = std::cos(angle) * cx - std::sin(angle) * cy;
    const float ry = std::sin(angle) * cx + std::cos(angle) * cy;
    x = static_cast<int>((1 - f) * (rx - hw + kTurnCentreX) + f * targetX);
    y = static_cast<int>((1 - f) * (ry - hh + kTurnCentreY) + f * targetY);
    if ((speed > 0 && angle >= kQuarterTurn) || (speed < 0 && angle <= -kQuarterTurn)) {
        x = static_cast<int>(targetX);
        y = static_cast<int>(targetY);
        angle = 0;
        speed = 0;
        moving = false;
    }
}

void cComicFrame::UpdateShake(int ms)
{
    if (shakeElapsed < shakeDuration) {
        float t = static_cast<float>(shakeElapsed) / shakeDuration;
        t *= t;
        const int pauseLimit = static_cast<int>(shrinking ? interval * (1 - t) : interval * t);
        if (sinceLastJump > pauseLimit) {
            x = homeX + ShakeOffset(xRange);
            y = homeY + ShakeOffset(yRange);
            sinceLastJump = 0;
        }
        shakeElapsed += ms;
        sinceLastJump += ms;
    }
    if (shakeElapsed >= shakeDuration && shakeElapsed != 0) {
        shakeElapsed = 0;
        shakeDuration = 0;
        x = homeX;
        y = homeY;
    }
}

#pragma once

#include <QPointF>
#include <QRect>

/// One panel of a frame set: a rectangle of the 480 x 272 virtual screen (virtual units, y up)
/// that shows a rectangle of the 512 x 512 world texture magnified by a whole-number scale,
/// optionally with a border one virtual pixel wide. Frames fade by shrinking about their centre,
/// tremble when shaken and glide along a curved path when their set makes a quarter turn.
///
/// The texture window is kept as inclusive texel bounds uMin..uMax, vMin..vMax with v counted
/// down from the top row of the texture. A world point (x, y) lies at texture pixel (x, y + 240),
/// counted up from the bottom row.
class cComicFrame
{
public:
    cComicFrame() = default;
    cComicFrame(const cComicFrame&) = delete;
    cComicFrame& operator=(const cComicFrame&) = delete;

    /// Places the frame at (x, y) (also its home), shows texWidth x texHeight texels from
    /// (uMin, vMin) at the given scale.
    void Init(int x, int y, int uMin, int vMin, int texWidth, int texHeight, int scale, bool hasBorder,
              bool specialBlend);

    /// Shows width x height texels from (u, v). The screen size stays as it is.
    void SetTexRect(int u, int v, int width, int height);
    /// Screen size = texture size x s.
    void SetScale(int s);
    /// Moves the frame; with alsoHome the place that shakes and quarter turns return to as well.
    void SetScreenPos(int x, int y, bool alsoHome);
    /// Editor: makes a square texture window n x n texels from the same corner and picks the scale
    /// class of the current screen size over it. False, changing nothing, for a window that is not
    /// square or an n below 1.
    bool ResizeSquareTex(int n);

    QPointF GetScreenPos() const { return QPointF(x, y); }
    QPointF GetHomePos() const { return QPointF(homeX, homeY); }
    int GetScreenWidth() const { return screenWidth; }
    int GetScreenHeight() const { return screenHeight; }
    int GetTexWidth() const { return uMax - uMin + 1; }
    int GetTexHeight() const { return vMax - vMin + 1; }
    QPointF GetTexMin() const { return QPointF(uMin, vMin); }
    /// Texture coordinates (0 to 1) of the window's left, right, bottom and top edges.
    float GetULo() const { return uLo; }
    float GetUHi() const { return uHi; }
    float GetVLo() const { return vLo; }
    float GetVHi() const { return vHi; }
    /// The centre of the panel on the virtual screen.
    QPointF GetCenter() const;
    /// 1 to 4 by the sum of the horizontal and vertical magnifications: below 3, 5, 7, or more.
    int GetScaleClass() const;
    bool HasBorder() const { return hasBorder; }
    bool HasSpecialBlend() const { return specialBlend; }

    /// Fade factor 0 to 1: the size factor of DrawZoomFade.
    void SetAlpha(float a) { alpha = a; }
    float GetAlpha() const { return alpha; }
    /// A dynamic frame's texture window follows the player (the frame manager moves it).
    void SetDynamic(bool flag) { dynamic = flag; }
    bool IsDynamic() const { return dynamic; }
    /// Whether a quarter-turn glide is under way.
    bool IsMoving() const { return moving; }

    /// Trembles for durationMs: the frame jumps to random offsets of up to xRange by yRange virtual
    /// units around home, pausing about intervalMs between jumps at first; with shrinking the pauses
    /// shrink to nothing by the end, otherwise they grow from nothing. A range below 1 keeps that
    /// axis still. Back at home when the shake is over.
    void SetShake(unsigned durationMs, int xRange, int yRange, int intervalMs, bool shrinking);

    /// Start the 280 ms glide of a quarter turn of the whole screen about (240, 136): anticlockwise
    /// (left) or clockwise (right). Towards the home position when newOrientation is 0, so that four
    /// turns end exactly where they started. A running shake ends and the glide starts from home.
    /// Nothing while a glide runs.
    void StartRotateLeft(int newOrientation);
    void StartRotateRight(int newOrientation);

    /// One tick: a glide step while gliding, else a shake step.
    void Update(int ms);

    /// The panel in window pixels at pixel size p, relative to the virtual screen's origin, with a
    /// border in (r, g, b, a) (0 to 1) and the texture at alpha a. The world texture must be bound.
    /// Leaves blending on.
    void Draw(int p, float r, float g, float b, float a) const;
    /// The panel shrunk about its centre to alpha x its size, with a white border; with zoomWindow
    /// the texture window shrinks with it, so the picture keeps its magnification. Nothing below an
    /// alpha of 0.01. Leaves blending on.
    void DrawZoomFade(int p, bool zoomWindow) const;

    /// The texels the frame shows, as a rectangle of the world texture with rows counted up from
    /// its bottom row.
    QRect TexelRect() const;

    /// The virtual-screen point showing world point (x, y).
    QPointF WorldToScreen(float wx, float wy) const;
    /// The world point shown at virtual-screen point (sx, sy).
    QPointF ScreenToWorld(float sx, float sy) const;
    /// Whether a body with centre (cx, cy) and size w x h (world units) touches the texture window.
    bool OverlapsPlayer(float cx, float cy, float w, float h) const;
    /// How far world point (x, y) lies inside the texture window from its nearest edge, in texels;
    /// negative outside.
    float InsideDepth(float wx, float wy) const;
    /// The area the screen rectangle (x, y, w, h) shares with the panel, in square virtual units.
    float OverlapArea(float ox, float oy, float ow, float oh) const;

private:
    void UpdateTexCoords();
    void StartRotate(int newOrientation, bool left);
    void UpdateRotateMove(int ms);
    void UpdateShake(int ms);
    // The window edges in the 0..511 texel measure the quarter-turn logic works in.
    float EdgeL() const { return uLo * 511; }
    float EdgeR() const { return uHi * 511; }
    float EdgeB() const { return vLo * 511; }
    float EdgeT() const { return vHi * 511; }

    int x = 0, y = 0;
    int homeX = 0, homeY = 0;
    int screenWidth = 0, screenHeight = 0;
    bool hasBorder = true;
    bool specialBlend = false;
    int uMin = 0, uMax = 0, vMin = 0, vMax = 0;
    float uLo = 0, uHi = 0, vLo = 0, vHi = 0;
    float alpha = 1.0f;
    bool moving = false;
    float targetX = 0, targetY = 0;
    float speed = 0;
    float angle = 0;
    bool dynamic = false;
    unsigned shakeDuration = 0;
    unsigned shakeElapsed = 0;
    int xRange = 0, yRange = 0;
    int interval = 0;
    bool shrinking = false;
    int sinceLastJump = 0;
};

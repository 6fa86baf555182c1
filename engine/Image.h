#pragma once

#include <QString>

/// A textured rectangle: one GL texture made from a picture of the resource tree, with a position,
/// a size, a texture-coordinate rectangle, a colour and an alpha. Chip-set sheets, area backgrounds
/// and screen pictures are images; animations draw pixel rectangles cut out of them.
///
/// The GL context must be current whenever a texture is loaded, drawn or the image is deleted.
/// Colours of the image itself are 0 to 1; the region operations take 0 to 255 like the rest of
/// the drawing code.
class cImage
{
public:
    /// An untextured, white, opaque, visible image with lower-left corner (x, y) and size w x h.
    cImage(float x, float y, float w, float h);
    virtual ~cImage();

    cImage(const cImage&) = delete;
    cImage& operator=(const cImage&) = delete;

    /// alpha = a clamped to [0, 1].
    virtual void SetAlpha(float a);
    /// Stores the colour as given (0 to 1, not clamped).
    virtual void SetColor(float r, float g, float b);
    virtual void SetColorAndAlpha(float r, float g, float b, float a);

    /// Loads the picture called name and uses the texture rectangle (s0, t0)-(s1, t1).
    /// A name whose extension is exactly "tga" is loaded as the same name with ".png" (the tree
    /// holds PNGs only); a name without ":/" is looked up as ":/" + name. On success the image
    /// takes the picture's pixel size. A missing picture shows a message box and changes nothing;
    /// an unreadable one shows a message box and leaves the image untextured. Returns success.
    virtual bool SetTexture(const QString& name, float s0, float t0, float s1, float t1);

    /// When visible: the whole image at its own place, colour and texture rectangle, with alpha a.
    virtual void DrawWithAlpha(float a);
    /// When visible: the same with the image's own alpha.
    virtual void Draw();

    /// DrawRegion into the world texture: world y is 240 texture pixels below texture row y.
    virtual void DrawRegionWorld(float x, float y, float w, float h, float px0, float py0, float px1, float py1,
                                 int r, int g, int b, int a);
    /// Draws the picture's pixel rectangle (px0, py0)-(px1, py1) (origin at the picture's top-left
    /// corner, y down) into the rectangle (x, y, w, h) (y up). Colour 0 to 255, set even when the
    /// image is untextured; nothing at all when invisible, nothing drawn when untextured.
    virtual void DrawRegion(float x, float y, float w, float h, float px0, float py0, float px1, float py1,
                            int r, int g, int b, int a);

    /// One quad (x, y, w, h) with texture rectangle (s0, t0)-(s1, t1) in colour (r, g, b, a),
    /// 0 to 1; untextured images draw a plain quad. The colour stays set afterwards.
    void DrawQuad(float x, float y, float w, float h, float s0, float t0, float s1, float t1, float r, float g,
                  float b, float a);

    int GetWidthInt() const { return static_cast<int>(width); }
    int GetHeightInt() const { return static_cast<int>(height); }
    bool IsTextured() const { return textured; }
    /// The resource path of the loaded picture; empty before the first load.
    const QString& GetName() const { return name; }
    float GetAlpha() const { return alpha; }
    void SetPosition(float px, float py) { x = px; y = py; }
    void SetVisible(bool v) { visible = v; }
    bool IsVisible() const { return visible; }

private:
    void ReleaseTexture();

    float width, height;
    float x, y;
    bool textured = false;
    QString name;
    unsigned texture = 0;
    float s0 = 0, s1 = 1, t0 = 0, t1 = 1;
    float r = 1, g = 1, b = 1;
    float alpha = 1;
    bool visible = true;
};

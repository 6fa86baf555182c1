#pragma once

class QXmlStreamReader;

/// A filled disc behind the title menu and the option pages, from a `circle` element. The
/// description files lay a lilac disc over a white one a unit larger, which leaves a white ring.
class cCircle
{
public:
    virtual ~cCircle() = default;

    /// Reads x, y, radius (0) and red, green, blue, alpha (0 to 255; opaque white when absent) of
    /// the `circle` element at the reader's position, without moving it. Always true.
    bool LoadFromXml(QXmlStreamReader& reader);

    int GetRadius() const { return radius; }

    /// The disc of radius × scale window pixels around (centreX, centreY), in its colour, as a fan
    /// of `segments` points; the circle's own x and y are not used.
    void Draw(float centreX, float centreY, int scale, int segments) const;

private:
    int x = 0, y = 0;
    int radius = 0;
    float red = 255, green = 255, blue = 255, alpha = 255;
};

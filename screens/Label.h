#pragma once

#include <QString>

class cFontManager;
class QXmlStreamReader;

/// One line of text from a `label` element: a page title, a credits line, a key-name slot of the
/// how-to-play picture. Positions are window pixels, y up; colours 0 to 255.
class cLabel
{
public:
    virtual ~cLabel() = default;

    /// Reads x, y (0), R, G, B, A (255), name (the text, "") and size (0) of the `label` element at
    /// the reader's position, without moving it. A malformed number reads as 0. Always true.
    bool LoadFromXml(QXmlStreamReader& reader);

    void SetText(const QString& newText) { text = newText; }
    QString GetText() const { return text; }
    int GetX() const { return x; }
    int GetY() const { return y; }
    int GetSize() const { return size; }

    /// The text in its own colour at (x scale + offsetX, y scale + offsetY), at scale - size.
    void DrawAtOffset(int offsetX, int offsetY, int scale, const cFontManager& font) const;
    /// The text at (px, py) in the given colour, at scale - size.
    void DrawAt(int px, int py, int scale, const cFontManager& font, int r, int g, int b, int a) const;
    /// Another text at (px, py) in the given colour, at scale - size.
    void DrawTextAt(const QString& other, int px, int py, int scale, const cFontManager& font, int r, int g, int b,
                    int a) const;
    /// A page's title: shadowed, centred on the screen, 0.65 layout radii above its centre, at the
    /// scale itself; the label's own position is not used.
    void DrawCentred(int screenWidth, int screenHeight, int scale, float layoutRadius, const cFontManager& font) const;
    /// A label inside a menu entry, its x and y in percent of the scaled layout radius from the
    /// screen's centre, at the scale itself. The label "GRAPHICS" is a heading and ends at the
    /// screen's centre in white instead.
    void DrawInItem(int screenWidth, int screenHeight, int scale, float layoutRadius, const cFontManager& font, int r,
                    int g, int b, int a) const;

private:
    QString text;
    int x = 0, y = 0;
    int size = 0;
    int red = 255, green = 255, blue = 255, alpha = 255;
};

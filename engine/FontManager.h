#pragma once

#include <QString>

#include <box2d/b2_math.h>

#include <functional>

class cAnimation;

/// Bitmap text from the shared 78-glyph alphabets (white, and blue for shadows) and their glyph
/// widths. Holds no state: any instance draws the same. Text goes to glyphs byte by byte through
/// Latin-1. Positions are whole units of the 480 x 272 virtual screen, y up; colours 0 to 255.
///
/// "Clamped" operations use s = max(1, scale) throughout; the others place and advance glyphs with
/// the scale as given while each glyph is still drawn at max(1, scale). T is the text's width at
/// scale s and M = screenWidth / 2 (integer division, like every division below).
class cFontManager
{
public:
    virtual ~cFontManager() = default;

    /// The height of a glyph frame at scale 1, descenders included.
    static constexpr int kGlyphHeight = 11;

    /// One run of glyphs: its text, the box of its glyph frames in window pixels (y up), its tint,
    /// and whether it is the blue alphabet.
    struct sTextRun
    {
        QString text;
        int x, y, w, h;
        int r, g, b, a;
        bool blue;
    };
    /// Tests' eye on the text: while set, every run is handed to it before it is drawn, and drawn
    /// only when it answers true. An empty function ends the watch.
    static void WatchTextRuns(std::function<bool(const sTextRun&)> watcher);

    /// The glyph of a character: "A"-"Z" 0-25, ".,?!()" 26-31, space 32, the section sign (0xA7)
    /// and the double quote 33, "$" 34, "a"-"z" 35-60, "/" 61, ":" 62, "0"-"9" 63-72, "-" 73,
    /// "+" 74, the apostrophe 75, "*" 76, "#" 77; anything else is the question mark, 28.
    static int GlyphIndex(char c);

    /// The sum of the glyph widths of text, each times max(1, scale).
    int TextWidth(const QString& text, int scale) const;

    /// Clamped: white glyphs from (x, y).
    void DrawText(const QString& text, int x, int y, int scale, int r, int g, int b, int a) const;
    /// White glyphs from (x - 4 scale, y).
    void DrawTextColored(const QString& text, int x, int y, int scale, int r, int g, int b, int a) const;
    /// In white: blue glyphs from (x - 4 scale, y), then white glyphs in front from
    /// (x - 5 scale, y + scale).
    void DrawTextShadowed(const QString& text, int x, int y, int scale) const;
    /// In white: white glyphs from (x - 4 scale, y), then blue glyphs in front from
    /// (x - 5 scale, y + scale).
    void DrawTextShadowedColored(const QString& text, int x, int y, int scale) const;

    /// Clamped: a menu line placed by mode 0 to 7 around the screen's centre, with p an offset
    /// whose meaning depends on the mode. The frame sprite, when given, goes first, grey (200) when
    /// grayed, else white; the text always in the given colour. Another mode draws nothing.
    void DrawMenuText(const QString& text, int p, int y, int scale, int screenWidth, int mode, int r, int g, int b,
                      int a, cAnimation* frame, bool grayed) const;
    /// Clamped: the anchor point of the menu line DrawMenuText draws with the same arguments.
    /// Another mode gives the centred text's start, (M - T/2, y).
    b2Vec2 MenuTextPosition(const QString& text, int p, int y, int scale, int screenWidth, int mode) const;
    /// Clamped: the text ending at the screen's centre, the frame sprite (when given) 10 scale
    /// before it in white. Returns (M - T + 5 scale, y + 5 scale). p is not used.
    b2Vec2 DrawTextLeftOfCentre(const QString& text, int p, int y, int scale, int screenWidth, int r, int g, int b,
                                int a, cAnimation* frame) const;

private:
    struct sMenuPlacement
    {
        int frameX, textX;
    };
    static bool PlaceMenuText(int mode, int m, int p, int s, int textWidth, sMenuPlacement& out);
};

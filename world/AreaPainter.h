#pragma once

#include <vector>

class cArea;
class cPlayerChar;

/// Paints an area into the bound 512 x 512 world texture, back to front: the sky, the background
/// pictures, the trees, the objects, the characters, what stands in front of them, the hint
/// bubbles. The projection is 0 to 512 on both axes and world point (x, y) lies at texture pixel
/// (x, y + 240); every list is drawn in the order it was filled.
///
/// The Land-of-Fireflies weight w cross-fades the sky colour, the two pictures and the two looks
/// of the trees: the day look is drawn while w < 0.99 with alpha 1 - w, the Land-of-Fireflies look
/// while w > 0.01 with alpha w, the day one underneath.
///
/// A delegate of `cArea` that keeps nothing itself. Needs a current GL context.
class cAreaPainter
{
public:
    explicit cAreaPainter(cArea& area) : area(area) {}

    /// Everything; sky draws the sky pass, background the two background pictures.
    void Draw(bool sky, bool background);
    /// The sky colour (a gradient when a second colour is set), blended towards the Land-of-
    /// Fireflies colour by the weight, then the stars and clouds. Without a sky colour only the
    /// stars and clouds.
    void DrawSky();
    /// The characters in `DrawingOrder`.
    void DrawPlayers();
    /// Every hint bubble, the current character's once more on top.
    void DrawOverlays();
    /// White outlines of the terrain bodies and the water's deadly bodies, grey ones of the info
    /// boxes.
    void DrawPhysicsDebug();
    /// Outlines of the bodies of the characters taking part, in (226, 0, 116).
    void DrawPlayerPhysics();

    /// Indices into players, first drawn first (at the back): characters showing animation 24 (a
    /// spirit's flutter), then characters going into or inside an exit, then the rest by falling
    /// `GetDrawOrder`. On equal values the later index goes first, except that the current
    /// character yields a tie while fewer than two are listed, so it stands in front of an equal
    /// one. A character meeting both of the first two rules is listed twice; null entries never.
    static std::vector<int> DrawingOrder(const std::vector<cPlayerChar*>& players, int current);

private:
    /// The day look is still visible; the Land-of-Fireflies look is already visible.
    bool DayLook() const;
    bool LoFLook() const;
    /// The bat-land picture through the bat king's bubbles.
    void DrawBatLand();

    cArea& area;
};

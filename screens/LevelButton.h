#pragma once

#include <memory>
#include <string>
#include <vector>

class WaterFallSparkle;

/// The fade state of an area entry (1 is not used).
enum eLevelState
{
    LEVEL_IDLE = 0,
    LEVEL_COMPLETING = 2,     ///< just completed: the badge fades in
    LEVEL_UNLOCK_PENDING = 3, ///< unlocked, waiting for its turn to show it
    LEVEL_UNLOCKING = 4,      ///< the picture fades in
    LEVEL_UNLOCK_DONE = 5,    ///< not a state: what an entry's Update reports as its unlock ends
};

/// The icon cell of one area on the area selection: six cells to a row from the top of the window,
/// centred, 32 pixels square times the screen's scale. It draws the area's picture with its ring
/// and badges (the shared area-icon list), tests the mouse against its cell, and keeps 30
/// sparkles glinting over the cell without pause; they are seen only while a completing or an
/// unlocking sequence gives them an alpha. Pixels, origin at the window's lower-left corner.
class cLevelButton
{
public:
    /// Placed for an 800 x 600 window until the first Resize; no sparkles until SetIndex.
    cLevelButton();
    virtual ~cLevelButton();
    cLevelButton(const cLevelButton&) = delete;
    cLevelButton& operator=(const cLevelButton&) = delete;

    /// The area's picture: icon 4 + the area's number (`cCommonResources::GetAreaNumber`).
    void SetIcon(const std::string& fileName);
    /// Places the cell of the index'th area in the grid; the first call makes the sparkles.
    void SetIndex(int index);
    /// The window's size in pixels; scale max(1, min(w / 320, h / 240)). Places the cell again.
    void Resize(int w, int h);
    void Update(int dtMs);
    /// A completed area shows its picture, its badges (faded in by alpha, 0 to 255, unless the
    /// state is idle) and the sparkles; an unlocked one its picture and ring; a locked one only
    /// what alpha lets through, with the sparkles while it unlocks. The hovered ring is white.
    void Draw(bool completed, bool unlocked, bool perfect, int state, int alpha);

    /// Strictly inside the cell.
    bool Contains(int px, int py) const;
    /// Hovered while the point is inside; entering plays the hover tick.
    void MouseMove(int px, int py);
    bool IsHovered() const { return hovered; }
    void SetHovered(bool on) { hovered = on; }
    /// 0 before SetIndex, then 6.
    int GetColumns() const { return columns; }
    /// The cell's lower-left corner.
    int GetX() const { return x; }
    int GetY() const { return y; }
    int GetCellSize() const { return cellWidth; }
    int GetScale() const { return scale; }
    const std::vector<std::unique_ptr<WaterFallSparkle>>& GetSparkles() const { return sparkles; }

    /// The alpha of the sparkles at the sequence alpha a (0 to 255): 0 at either end, 255 halfway.
    static int Falloff(int a);

private:
    /// Shared area icon i at the cell; nothing when the list lacks it.
    void DrawIcon(int i, int r, int g, int b, int a) const;
    void DrawRing(int a) const;
    void DrawSparkles(int alpha) const;

    int index = 0;
    int columns = 0;
    int x = 0, y = 0;
    int cellWidth = 32, cellHeight = 32;
    int width = 800, height = 600;
    int scale = 1;
    int icon = 0;
    bool hovered = false;
    std::vector<std::unique_ptr<WaterFallSparkle>> sparkles;
};

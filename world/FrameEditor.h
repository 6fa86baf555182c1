#pragma once

#include "world/FrameManager.h"

/// The frame manager every area is presented through, with what the editor's docks and the view's
/// mouse and keys need: an editing switch (on from the start) and one selected frame of the current
/// set, drawn once more with a red border. In play nothing selects a frame.
class cFrameEditor : public cFrameManager
{
public:
    explicit cFrameEditor(cFramedArea* owner, cCommonResources* starField = nullptr)
        : cFrameManager(owner, starField)
    {
    }
    ~cFrameEditor() override = default;

    /// The manager's switch; the selection does not survive it.
    void SwitchToFrameSet(unsigned index, unsigned ms) override;

    /// The on-screen pass in window pixels with the view's projection (0..width, 0..height, y up):
    /// the background, then the current set, then the selected frame's red border.
    void Draw();

    void EnableEditing() { editing = true; }
    void DisableEditing();

    /// Selects the frame under window point (x, y) (widget pixels, y down) while editing; clears the
    /// selection first. Answers whether a frame is now selected.
    bool SelectAt(int x, int y);
    void ClearSelection() { selected = nullptr; }
    bool HasSelection() const { return selected != nullptr; }
    bool HasSelectedFrame() const { return HasSelection(); }
    cComicFrame* GetSelectedFrame() const { return selected; }

    /// Moves the selected frame (and its home) by (dx, dy) virtual units, truncated.
    void MoveSelection(float dx, float dy);
    /// Moves the selected frame's texture window by (du, dv) texels, truncated; v counts down.
    void MoveSelectionContent(float du, float dv);
    /// Moves a selected square texture window to start at (u, v); nothing for other windows.
    void SetSelectionTexOrigin(int u, int v);
    /// Makes a selected square texture window n x n texels from the same origin; nothing for other
    /// windows. Each of these keeps the window within the world texture, stopping at its edge: the
    /// frame-set reader refuses a frame that shows texels beyond it, so a saved set would lose it.
    void ResizeSelection(int n);
    /// Removes the selected frame from the current set and deletes it; clears the selection.
    void DeleteSelection();

    /// Writes the frame sets as they stand now (cFrameSetWriter) to the file at path, replacing an
    /// earlier file as a whole. False, with an "ERROR:" line, when it cannot be written.
    bool SaveFrameSets(const QString& path) const;

    /// Makes the background from these colours when there is none; else overwrites its record 0.
    void SetBackgroundColor(const sZorv_BG_Color& colors);

private:
    /// Puts the selected frame's window of its own size at (u, v), brought within the texture.
    void PlaceSelectionWindow(int u, int v);

    bool editing = true;
    cComicFrame* selected = nullptr;
};

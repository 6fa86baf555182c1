#pragma once

/// The drawing layers of the view that the editor's Visibility dock switches. The view lives in
/// app/, above the editor, so the dock reaches it only through this.
class cDrawingLayers
{
public:
    virtual void TogglePhysicsDrawing() = 0;
    virtual void TogglePlayerPhysicsDrawing() = 0;
    virtual void ToggleSkyDrawing() = 0;
    virtual void ToggleBackgroundDrawing() = 0;

protected:
    ~cDrawingLayers() = default;
};

#pragma once

#include <QDockWidget>

class cDrawingLayers;
class QCheckBox;

/// The editor's "Visibility" dock: one check box per drawing layer of the view. Each box is wired to
/// the view's toggle of its layer and starts in the view's starting state, so a box always shows
/// whether its layer is drawn; the dock's own slots only move boxes, and the view follows.
class cVisibilityDock : public QDockWidget
{
    Q_OBJECT

public:
    /// view (borrowed) must outlive the dock; both are children of the main window.
    cVisibilityDock(QWidget* parent, cDrawingLayers* view, Qt::WindowFlags flags = Qt::WindowFlags());

public slots:
    void ToggleSkyDrawing();
    void SetSkyDrawingStatus(bool draw);
    void ToggleBackgroundDrawing();
    void SetBackgroundDrawingStatus(bool draw);
    /// The level geometry: the area's physics bodies drawn over the world (the editor's key P).
    void ToggleGeometryDrawing();
    void SetGeometryDrawingStatus(bool draw);

private:
    /// A box in the next row of the dock, in that state, whose changes call toggle on the view.
    QCheckBox* AddBox(const QString& text, bool checked, void (cDrawingLayers::*toggle)());

    cDrawingLayers* view;
    QCheckBox* sky = nullptr;
    QCheckBox* background = nullptr;
    QCheckBox* levelGeometry = nullptr;
};

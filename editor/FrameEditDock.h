#pragma once

#include <QDockWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class cFrameEditor;
struct sZorv_BG_Color;

/// The editor's "Frames" dock: the background of the current area's presentation (ornament, stars,
/// colour), its frame sets (which is shown, stepping through them) and the selected frame (place on
/// the virtual screen, texture window, scale, deletion). It edits the running presentation through
/// the area's frame editor; saving to a file is the main window's business.
///
/// The selection fields are editable only while they show a selected frame. Filling the selection
/// fields from the presentation never writes back to it; the background fields are filled as an
/// edit fills them, and the background is then given back its colours as read.
class cFrameEditDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit cFrameEditDock(QWidget* parent, Qt::WindowFlags flags = Qt::WindowFlags());

    /// The frame editor of the current area (borrowed; null outside play, and then every control
    /// does nothing and the fields stay as they are). Fills the background fields and the set
    /// counter; the selection fields empty.
    void SetFrameEditor(cFrameEditor* editor);
    cFrameEditor* GetFrameEditor() const { return frameEditor; }

    /// Writes "shown / count" into the set counter; a shown number below 0 stands for the current
    /// set (counted from 1).
    void RefreshFrameSetLabel(int shown);
    /// Fills the selection fields from the frame editor's selected frame, or empties them.
    void RefreshSelection();
    /// Empties the selection fields and makes them read-only.
    void ClearSelectionFields();

    /// Shows the dock and lets the frame editor select frames again (leaving full screen).
    void ShowEditor();
    /// Hides the dock; the frame editor stops selecting and drops its selection (full screen). The
    /// fields keep what they show.
    void HideEditor();

public slots:
    void SetOrnamentDisplay();
    void SetStarDisplay(int checkBoxState);
    void SetBackgroundColor();
    void ActivateNextFrameSet();
    void ActivatePreviousFrameSet();
    void RepositionSelectedFrame();
    void ResizeSelectedFrame(int size);
    void ChangeFrameScale(int scale);
    void UpdateFrameContent();
    void DeleteFrameSelection();
    void NotYetImplemented();

private:
    QWidget* MakeBackgroundGroup();
    QWidget* MakeFrameSetGroup();
    QWidget* MakeSelectionGroup();
    void Connect();
    /// The background fields take the colour record, and the background its colours once more.
    void ShowColour(const sZorv_BG_Color& colour);
    /// Empties the background fields, leaving the presentation without a background.
    void ShowNoColour();
    /// Switches to the set `index` and shows it in the counter.
    void ActivateFrameSet(int index);
    /// The six selection fields, in the order they are cleared.
    QList<QSpinBox*> SelectionFields() const;

    cFrameEditor* frameEditor = nullptr;
    QCheckBox* stars = nullptr;
    QComboBox* ornament = nullptr;
    /// Whether the background read last has a second colour of its own, which colour edits keep.
    bool gradient = false;
    QSpinBox* red = nullptr;
    QSpinBox* green = nullptr;
    QSpinBox* blue = nullptr;
    QLabel* frameSetCounter = nullptr;
    QPushButton* previousSet = nullptr;
    QPushButton* nextSet = nullptr;
    QSpinBox* positionX = nullptr;
    QSpinBox* positionY = nullptr;
    QSpinBox* imageSize = nullptr;
    QSpinBox* imageX = nullptr;
    QSpinBox* imageY = nullptr;
    QSpinBox* scale = nullptr;
    QPushButton* selectionAdd = nullptr;
    QPushButton* selectionDelete = nullptr;
};

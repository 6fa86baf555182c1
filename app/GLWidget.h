#pragma once

#include "editor/DrawingLayers.h"

#include <QFont>
#include <QGLWidget>

class cArea;
class cFrameEditDock;
class cFrameEditor;
class cGame;
class cInputHandler;

/// The one OpenGL surface of the program: the main window's central widget. It keeps an orthographic
/// projection in window pixels (origin bottom left, y up) and paints the current picture whenever the
/// window's tick calls `updateGL`. Mouse moves and presses go to the game controller; keys are left
/// to the window.
class GLWidget : public QGLWidget, public cDrawingLayers
{
    Q_OBJECT

public:
    GLWidget();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Borrows the controller and sends it the view's current size. May be null.
    void SetGame(cGame* game);
    /// Borrows the input handler that mouse presses are passed along with.
    void SetInputHandler(cInputHandler* input);
    /// Editor only: the frames dock, which the view's frame selection and editing keys keep
    /// up to date. Without it (the game) nothing is selected and every key goes to the window.
    void SetFrameEditDock(cFrameEditDock* dock);
    /// Takes the controller's current area and frame manager (null outside play) and sends the
    /// controller the view's size again. Called after every change of mode or area.
    void AttachCurrentArea();
    bool IsFrameDrawing() const { return frameDrawing; }
    bool IsPhysicsDrawing() const { return physicsDrawing; }
    bool IsSkyDrawing() const { return skyDrawing; }
    bool IsBackgroundDrawing() const { return backgroundDrawing; }

public slots:
    void ToggleFrameDrawing();
    void TogglePhysicsDrawing() override;
    void TogglePlayerPhysicsDrawing() override;
    void ToggleSkyDrawing() override;
    void ToggleBackgroundDrawing() override;
    void ToggleDebugOutput();
    void ToggleSupportLines();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    /// Editor: while a frame is selected, Delete deletes it, the arrow keys move it and, with Shift,
    /// its picture; every key is then taken. Otherwise keys go on to the window.
    void keyPressEvent(QKeyEvent* event) override;
    /// Editor: a left click with frames drawn selects the frame under the pointer.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    /// Play with frame drawing off: the area straight into the window, in world pixels.
    void PaintWorldWithoutFrames();
    /// Play: the area into the world texture, the frames from it, the pause screen over them.
    void PaintFrames();
    /// The editing keys' change of the selected frame.
    void EditSelection(int key, bool shift);
    void DrawDebugTexts();
    void DrawSupportLines();

    int viewWidth = 0;   ///< pixels, as last given to resizeGL
    int viewHeight = 0;
    cGame* game = nullptr;
    cArea* area = nullptr;
    cFrameEditor* frameManager = nullptr;
    cFrameEditDock* frameDock = nullptr;
    cInputHandler* input = nullptr;
    bool frameDrawing = true;
    bool physicsDrawing = false;
    bool playerPhysicsDrawing = false;
    bool skyDrawing = true;
    bool backgroundDrawing = true;
    bool debugOutput = false;
    bool supportLines = false;
    QFont font;
};

#pragma once

#include <QMainWindow>

#include <string>

class GLWidget;
class QTimer;
class cGame;
class cInputHandler;

/// The program's one window. It owns the game controller and the input handler, holds the OpenGL
/// view as its central widget and drives everything with one 21 ms timer whose every tick advances
/// the game by a fixed 20 ms, whatever time really passed.
class cMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    /// editor: editor mode, fixed for the window's life; the game always passes false.
    explicit cMainWindow(bool editor);
    ~cMainWindow() override;

    /// Builds the controller and the view, shows the window and starts the tick. The desktop size
    /// (pixels) only shapes the editor's layout. False when the controller does not start: the window
    /// then stays up without a tick.
    bool Init(int desktopWidth, int desktopHeight);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Whether the window state holds full screen.
    bool IsFullScreen() const;
    void UpdateTitle();

    /// The tick length the game is advanced by, in milliseconds.
    static constexpr int kTickMs = 20;
    /// The tick timer's interval in milliseconds.
    static constexpr int kTimerIntervalMs = 21;

public slots:
    void ToggleFullScreen();
    /// One tick: advance the controller, act on its result, hand it the input, repaint.
    void Update();

protected:
    /// Makes the controller; a test can hand in a scripted one.
    virtual cGame* CreateGame(bool gameMode);

    /// Keys go to the input handler, which the game reads once per tick.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void UpdateCursor();

    GLWidget* view = nullptr;
    QTimer* timer = nullptr;
    cInputHandler* input = nullptr;
    cGame* game = nullptr;
    bool editor;
    std::string areaFile;
};

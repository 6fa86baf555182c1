#include "app/MainWindow.h"

#include "app/GLWidget.h"
#include "app/Game.h"
#include "app/GameSettings.h"
#include "app/InputHandler.h"
#include "app/UserFile.h"
#include "engine/AllocationTracker.h"

#include <QKeyEvent>
#include <QTimer>

#include <cstdlib>

namespace
{
const char* const kGameTitle = "Mirrowen";
const char* const kEditorTitle = "Zorv Editor 0.42";
}

cMainWindow::cMainWindow(bool editor)
    : editor(editor)
{
    setWindowTitle(editor ? kEditorTitle : kGameTitle);
    setFocusPolicy(Qt::ClickFocus);
}

cMainWindow::~cMainWindow()
{
    if (timer)
        timer->disconnect();
    // The controller's textures belong to the view's context.
    if (view)
        view->makeCurrent();
    delete game;
    delete input;
    LeakReport();
}

cGame* cMainWindow::CreateGame(bool gameMode)
{
    return new cGame(gameMode);
}

bool cMainWindow::Init(int /*desktopWidth*/, int /*desktopHeight*/)
{
    input = new cInputHandler;
    input->LoadConfig(QStringLiteral("Controls.xml"));
    customControls = !input->HasDefaultKeys();

    game = CreateGame(!editor);

    view = new GLWidget;
    view->setMinimumSize(700, 440);
    setCentralWidget(view);
    view->SetGame(game);
    view->SetInputHandler(input);
    view->setFocus();

    // A folder that cannot be made shows later, when a file in it cannot be written.
    cUserFile::MakeFolders();

    game->LoadSettings(QStringLiteral("Settings.xml"));
    if (!editor && game->GetSettings()->IsFullScreen())
        showFullScreen();
    else
        show();

    // Shared assets and screens make their textures in the view's context.
    view->makeCurrent();
    if (!game->Init())
        return false;
    game->ApplySettings();
    view->AttachCurrentArea();

    timer = new QTimer(this);
    timer->setInterval(kTimerIntervalMs);
    // A coarse timer would round 21 ms down to 20 and run the game faster than it was tuned.
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &cMainWindow::Update);
    timer->start();
    return true;
}

QSize cMainWindow::sizeHint() const
{
    return QSize(1180, 700);
}

QSize cMainWindow::minimumSizeHint() const
{
    return QSize(600, 320);
}

bool cMainWindow::IsFullScreen() const
{
    return windowState().testFlag(Qt::WindowFullScreen);
}

void cMainWindow::UpdateTitle()
{
    setWindowTitle(kGameTitle);
}

void cMainWindow::ToggleFullScreen()
{
    if (IsFullScreen())
    {
        setCursor(Qt::ArrowCursor);
        showNormal();
        return;
    }
    showFullScreen();
    view->setFocus();
}

void cMainWindow::Update()
{
    // Keys released while another window had the focus never reach us: drop them all.
    if (!isActiveWindow())
        input->Clear();
    // Areas load, and their textures are made and deleted, in the tick.
    view->makeCurrent();
    const int result = game->Update(kTickMs);
    if (result == -1)
        std::exit(0); // quitting from the title screen: nothing is left to save
    if (result == 1)
    {
        areaFile = game->GetAreaFile();
        view->AttachCurrentArea();
        UpdateCursor();
        UpdateTitle();
    }
    if (result == 4)
    {
        ToggleFullScreen();
        game->Resize(width(), height());
    }
    if (game->HandleInput(input) == 1)
        game->EnterPauseScreen(width(), height());
    input->EndTick();
    // Painting at once keeps the picture no more than one tick behind the game.
    view->updateGL();
}

void cMainWindow::UpdateCursor()
{
    // The editor keeps its pointer in a window; the game hides it wherever the controller says so.
    const bool hide = !game->ShowMouseCursor() && (!editor || IsFullScreen());
    setCursor(hide ? Qt::BlankCursor : Qt::ArrowCursor);
}

void cMainWindow::keyPressEvent(QKeyEvent* event)
{
    // Auto-repeat would turn one held key into a stream of presses.
    if (!event->isAutoRepeat())
        input->KeyPress(event->key(), true);
}

void cMainWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        input->KeyRelease(event->key());
    QMainWindow::keyReleaseEvent(event);
}

#include "app/GLWidget.h"

#include "app/Game.h"
#include "editor/FrameEditDock.h"
#include "engine/Drawing.h"
#include "world/Area.h"
#include "world/FrameEditor.h"

#include <QMouseEvent>

namespace
{
/// Button codes the controller understands.
int ButtonCode(Qt::MouseButton button)
{
    switch (button)
    {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    default:
        return 0;
    }
}

bool IsPlayMode(eGameMode mode)
{
    return mode == GAME_MODE_AREA || mode == GAME_MODE_AREA_PAUSED;
}

/// Nothing is drawn with a depth or stencil test: buffers for them would only be cleared and
/// copied along with every picture.
QGLFormat ViewFormat()
{
    QGLFormat format;
    format.setDepth(false);
    format.setStencil(false);
    return format;
}
}

// Made without a parent, the view's X window starts as a top-level one, so the resize that its
// minimum size makes goes to the window manager. Under load the manager carried it out late, after
// the main window had adopted the view, and the view shrank back to 700 x 480 in a larger window
// until the next resize. Kept away from the manager, the view's window is sized by Qt alone.
GLWidget::GLWidget()
    : QGLWidget(ViewFormat(), nullptr, nullptr, Qt::BypassWindowManagerHint)
{
    // Menus follow the pointer without a button held.
    setMouseTracking(true);
    font.setPointSize(16);
}

QSize GLWidget::sizeHint() const
{
    return QSize(1000, 560);
}

QSize GLWidget::minimumSizeHint() const
{
    return QSize(480, 320);
}

void GLWidget::SetGame(cGame* newGame)
{
    game = newGame;
    if (game)
        game->Resize(QWidget::width(), QWidget::height());
}

void GLWidget::SetInputHandler(cInputHandler* newInput)
{
    input = newInput;
}

void GLWidget::SetFrameEditDock(cFrameEditDock* dock)
{
    frameDock = dock;
}

void GLWidget::AttachCurrentArea()
{
    area = game->GetCurrentArea();
    frameManager = game->GetFrameEditor();
    game->Resize(QWidget::width(), QWidget::height());
}

void GLWidget::ToggleFrameDrawing()
{
    frameDrawing = !frameDrawing;
}

void GLWidget::TogglePhysicsDrawing()
{
    physicsDrawing = !physicsDrawing;
}

void GLWidget::TogglePlayerPhysicsDrawing()
{
    playerPhysicsDrawing = !playerPhysicsDrawing;
}

void GLWidget::ToggleSkyDrawing()
{
    skyDrawing = !skyDrawing;
}

void GLWidget::ToggleBackgroundDrawing()
{
    backgroundDrawing = !backgroundDrawing;
}

void GLWidget::ToggleDebugOutput()
{
    debugOutput = !debugOutput;
}

void GLWidget::ToggleSupportLines()
{
    supportLines = !supportLines;
}

void GLWidget::initializeGL()
{
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    // Texturing stays on: drawing functions that need it off switch it back on when done.
    glEnable(GL_TEXTURE_2D);
}

void GLWidget::resizeGL(int width, int height)
{
    viewWidth = width;
    viewHeight = height;
    SetPixelProjection(width, height);
    if (game)
        game->Resize(width, height);
}

void GLWidget::paintGL()
{
    if (!game)
        return;
    const bool play = IsPlayMode(game->GetStateKind());
    // The frames' background covers the whole window; clearing it first would be work nobody sees.
    if (!play || !frameDrawing || !frameManager || !frameManager->CoversWindow())
        glClear(GL_COLOR_BUFFER_BIT);
    if (!play)
        game->DrawState();
    else if (!frameDrawing)
        PaintWorldWithoutFrames();
    else
        PaintFrames();
    glFlush();
    if (debugOutput)
        DrawDebugTexts();
}

void GLWidget::PaintWorldWithoutFrames()
{
    if (!area)
        return;
    area->Draw(skyDrawing, backgroundDrawing);
    if (physicsDrawing)
        area->DrawPhysicsDebug();
    if (playerPhysicsDrawing)
        area->DrawPlayerPhysics();
}

void GLWidget::PaintFrames()
{
    if (!frameManager)
        return;
    frameManager->RenderWorldToTexture(physicsDrawing, playerPhysicsDrawing, skyDrawing, backgroundDrawing);
    frameManager->Draw();
    if (area && area->IsPaused() && area->IsPauseScreenShown())
        game->DrawPauseScreen();
    if (supportLines)
        DrawSupportLines();
}

void GLWidget::DrawDebugTexts()
{
    const double x = viewWidth - 230;
    renderText(x, viewHeight - 40, 1.0, QStringLiteral("Resolution: %1 x %2").arg(viewWidth).arg(viewHeight), font);
    renderText(x, viewHeight - 65, 1.0, QStringLiteral("Score: %1").arg(game->GetScore()), font);
}

void GLWidget::DrawSupportLines()
{
    // A cross through the centre of the view, two pixels thick, to line frames up by eye.
    DrawFilledRect(viewWidth / 2 - 1, 0, 2, viewHeight, 255, 255, 255, 255);
    DrawFilledRect(0, viewHeight / 2 - 1, viewWidth, 2, 255, 255, 255, 255);
    // The outline of the virtual screen, where the frames are laid out.
    const int p = frameManager->GetPixelSize();
    const int x = frameManager->GetOffsetX();
    const int y = frameManager->GetOffsetY();
    DrawFilledRect(x, y, 480 * p, 2, 100, 255, 255, 255);
    DrawFilledRect(x, y + 272 * p, 480 * p, 2, 100, 255, 255, 255);
    DrawFilledRect(x, y, 2, 272 * p, 100, 255, 255, 255);
    DrawFilledRect(x + 480 * p, y, 2, 272 * p, 100, 255, 255, 255);
}

void GLWidget::keyPressEvent(QKeyEvent* event)
{
    const bool editing = game && game->GetStateKind() != GAME_MODE_START_SCREEN && frameManager && frameDrawing
        && frameManager->HasSelection();
    if (!editing)
    {
        QGLWidget::keyPressEvent(event);
        return;
    }
    EditSelection(event->key(), event->modifiers() == Qt::ShiftModifier);
    frameDock->RefreshSelection();
}

void GLWidget::EditSelection(int key, bool shift)
{
    // Up moves a frame up the screen, but a picture's rows are counted down from its top.
    switch (key)
    {
    case Qt::Key_Delete:
        frameDock->DeleteFrameSelection();
        break;
    case Qt::Key_Left:
        shift ? frameManager->MoveSelectionContent(-1, 0) : frameManager->MoveSelection(-1, 0);
        break;
    case Qt::Key_Right:
        shift ? frameManager->MoveSelectionContent(1, 0) : frameManager->MoveSelection(1, 0);
        break;
    case Qt::Key_Up:
        shift ? frameManager->MoveSelectionContent(0, -1) : frameManager->MoveSelection(0, 1);
        break;
    case Qt::Key_Down:
        shift ? frameManager->MoveSelectionContent(0, 1) : frameManager->MoveSelection(0, -1);
        break;
    default:
        break;
    }
}

void GLWidget::mousePressEvent(QMouseEvent* event)
{
    const int button = ButtonCode(event->button());
    if (frameDock && frameDrawing && frameManager && button == 1)
    {
        frameManager->SelectAt(event->x(), event->y());
        frameDock->RefreshSelection();
    }
    if (game)
        game->MousePress(event->x(), event->y(), button, input);
    setFocus();
}

void GLWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (game)
        game->MouseMove(event->x(), event->y());
}

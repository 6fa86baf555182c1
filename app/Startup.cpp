#include "app/Startup.h"

#include "app/MainWindow.h"
#include "engine/MessageBox.h"
#include "player/DataFolderLock.h"
#include "player/UserFile.h"

#include <QApplication>
#include <QGLFormat>
#include <QGLFramebufferObject>
#include <QScreen>

#include <malloc.h>

bool HasRequiredGraphics()
{
    return QGLFormat::hasOpenGL() && QGLFramebufferObject::hasOpenGLFramebufferObjects();
}

int RunGame(bool graphicsAvailable, bool editor)
{
    if (!graphicsAvailable)
    {
        ShowMessageBox(eMessageBoxKind::Information,
                       QStringLiteral("Zorv Initialization - OpenGL framebuffer objects"),
                       QStringLiteral("Sorry, 'Mirrowen' cannot start. Please try to install a new "
                                      "driver for your graphics card!\n\nMinimum requirements are "
                                      "support for OpenGL 1.2 with the framebuffer objects extension."));
        return 1;
    }
    const QSize desktop = QGuiApplication::primaryScreen()->size();
    cMainWindow window(editor);
    window.Init(desktop.width(), desktop.height());
    return QApplication::exec();
}

void UseSystemMemoryForLargeBuffers()
{
    // Setting the threshold at all keeps it fixed; left alone it rises to the largest buffer freed.
    constexpr int kLargeBuffer = 256 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBuffer);
}

bool TakeDataFolder()
{
    // Static, so that leaving through exit() (quitting from the title screen) releases it too.
    static cDataFolderLock lock;
    if (lock.Take() != cDataFolderLock::eTake::HeldElsewhere)
        return true;
    ShowMessageBox(eMessageBoxKind::Information, QStringLiteral("Mirrowen"),
                   QStringLiteral("'Mirrowen' is already running. Only one copy of the game or its editor "
                                  "can use the player's files at a time:\n%1")
                       .arg(cUserFile::DataFolder()));
    return false;
}

int RunProgram(int argc, char** argv, bool editor)
{
    UseSystemMemoryForLargeBuffers();
    // One window pixel is one GL pixel: the frames are laid out in whole pixels.
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    // Names the per-user data folder.
    QApplication::setApplicationName(QStringLiteral("Mirrowen"));
    if (!TakeDataFolder())
        return 1;
    return RunGame(HasRequiredGraphics(), editor);
}

#include "app/Startup.h"

#include "app/MainWindow.h"
#include "engine/MessageBox.h"

#include <QApplication>
#include <QGLFormat>
#include <QGLFramebufferObject>
#include <QScreen>

bool HasRequiredGraphics()
{
    return QGLFormat::hasOpenGL() && QGLFramebufferObject::hasOpenGLFramebufferObjects();
}

int RunGame(bool graphicsAvailable)
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
    cMainWindow window(false);
    window.Init(desktop.width(), desktop.height());
    return QApplication::exec();
}

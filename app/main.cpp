#include "app/Startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // One window pixel is one GL pixel: the frames are laid out in whole pixels.
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    // Names the per-user data folder.
    QApplication::setApplicationName(QStringLiteral("Mirrowen"));
    return RunGame(HasRequiredGraphics());
}

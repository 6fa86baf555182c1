#pragma once

#include <QCoreApplication>
#include <QWidget>

/// Shows a window and handles X events until the server has mapped it, so that `updateGL` paints.
/// Waits for events only, never for time.
inline void ShowMapped(QWidget* window, QWidget* part)
{
    window->show();
    while (!part->testAttribute(Qt::WA_Mapped))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

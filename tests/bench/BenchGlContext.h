#pragma once
// A current GL context for benchmarks that load textures, as in the game's window.
#include <QApplication>
#include <QGLWidget>

/// Application and widget stay to the end of the process: destroyed by exit handlers, after Qt's
/// own, they would crash.
inline void MakeGlContext(const char* benchName)
{
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(benchName), nullptr};
    static QApplication* app = new QApplication(argc, argv);
    static QGLWidget* widget = new QGLWidget;
    (void)app;
    widget->makeCurrent();
}

// Engine tests draw with OpenGL, so they run inside an application with a current GL context.
#include <QApplication>
#include <QGLWidget>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Never shown: the tests draw into framebuffer objects of this widget's context.
    QGLWidget context;
    context.makeCurrent();
    if (!context.isValid()) {
        fprintf(stderr, "No OpenGL context; GL tests need an X server (run under xvfb-run).\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

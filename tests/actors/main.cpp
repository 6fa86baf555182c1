// Characters load their animations from the chip sets, which are GL textures, so the actor tests
// run inside an application with a current GL context.
#include <QApplication>
#include <QGLWidget>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Never shown: textures and the framebuffer objects of the drawing tests live in its context.
    QGLWidget context;
    context.makeCurrent();
    if (!context.isValid()) {
        fprintf(stderr, "No OpenGL context; actor tests need an X server (run under xvfb-run).\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

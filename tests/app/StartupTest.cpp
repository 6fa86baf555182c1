#include "app/Startup.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

TEST(Startup, WithoutTheRequiredGraphicsTellsThePlayerAndReturnsOneWithoutAWindow)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunGame(false), 1);
    const std::string printed = testing::internal::GetCapturedStdout();

    EXPECT_THAT(printed, testing::HasSubstr("Zorv Initialization - OpenGL framebuffer objects: "
                                            "Sorry, 'Mirrowen' cannot start. Please try to install a "
                                            "new driver for your graphics card!\n\nMinimum requirements "
                                            "are support for OpenGL 1.2 with the framebuffer objects "
                                            "extension."));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(Startup, XvfbOffersTheRequiredGraphics)
{
    EXPECT_TRUE(HasRequiredGraphics());
}

TEST(Startup, WithTheGraphicsOpensTheGameWindowAndReturnsZeroOnceItIsClosed)
{
    QStringList titlesSeen;
    // Runs inside the game's event loop, as soon as it starts.
    QTimer::singleShot(0, [&titlesSeen] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                titlesSeen << widget->windowTitle();
        QApplication::closeAllWindows();
    });
    EXPECT_EQ(RunGame(true), 0);
    EXPECT_EQ(titlesSeen, QStringList{"Mirrowen"});
}

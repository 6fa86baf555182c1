#include "app/Startup.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <malloc.h>

#include <cstdlib>
#include <cstring>

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

/// Keeps the compiler from leaving out the allocations below, which nothing else reads.
void* volatile gBuffer = nullptr;

TEST(Startup, LargeBuffersGoBackToTheSystemEvenAfterALargerOneWasFreed)
{
    UseSystemMemoryForLargeBuffers();
    constexpr size_t kMegabyte = 1 << 20;
    // What an area's music leaves behind, then the next area's ambience.
    void* music = std::malloc(10 * kMegabyte);
    std::memset(music, 1, 10 * kMegabyte);
    gBuffer = music;
    std::free(music);
    const size_t heapBefore = mallinfo2().arena;
    const size_t systemBefore = mallinfo2().hblkhd;
    void* ambience = std::malloc(3 * kMegabyte);
    std::memset(ambience, 1, 3 * kMegabyte);
    gBuffer = ambience;
    EXPECT_GE(mallinfo2().hblkhd, systemBefore + 3 * kMegabyte);
    std::free(ambience);
    EXPECT_EQ(mallinfo2().hblkhd, systemBefore);
    EXPECT_LT(mallinfo2().arena, heapBefore + kMegabyte);
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

#include "app/Startup.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

namespace
{
/// Keeps the compiler from leaving out the allocations below, which nothing else reads.
void* volatile gBuffer = nullptr;

/// What an area's music leaves behind, then the next area's ambience, taken and freed after the
/// game's start-up setting; what went wrong, or nothing when the ambience came from the system
/// and went back to it.
std::string LargeBufferAfterALargerOneFreed()
{
    UseSystemMemoryForLargeBuffers();
    constexpr size_t kMegabyte = 1 << 20;
    void* music = std::malloc(10 * kMegabyte);
    std::memset(music, 1, 10 * kMegabyte);
    gBuffer = music;
    std::free(music);
    const size_t heapBefore = mallinfo2().arena;
    const size_t systemBefore = mallinfo2().hblkhd;
    void* ambience = std::malloc(3 * kMegabyte);
    std::memset(ambience, 1, 3 * kMegabyte);
    gBuffer = ambience;
    const size_t systemWhileHeld = mallinfo2().hblkhd;
    std::free(ambience);
    if (systemWhileHeld < systemBefore + 3 * kMegabyte)
        return "the ambience was cut from the heap";
    if (mallinfo2().hblkhd != systemBefore)
        return "the ambience was not given back";
    if (mallinfo2().arena >= heapBefore + kMegabyte)
        return "the heap grew";
    return {};
}

/// What a start prints of its steps, in their order, when it finds no templates.
const std::vector<std::string> kStarted = {
    "Invalid XML resource file: Controls.xml", "Loading input configuration file faild",
    "Invalid XML resource file: Settings.xml", "Audio system initialized",
    "Audio library successfully loaded.",      "Chip-sets successfully loaded.",
    "Monster resources successfully loaded.",  "Common assets successfully loaded.",
};
const std::string kRefused = "Zorv Initialization - OpenGL framebuffer objects";

/// Which of those lines the whole program prints, in order, started in a folder without templates
/// on a fresh data folder, with the variables (NAME=value) added to its environment.
std::vector<std::string> LinesOfAStart(const QStringList& variables)
{
    QTemporaryDir dataHome, workDir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : variables + QStringList{"XDG_DATA_HOME=" + dataHome.path(), "MIRROWEN_SILENT_AUDIO=1",
                                                           "MIRROWEN_NONINTERACTIVE=1"})
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(workDir.path());
    program.start(QStringLiteral("/proc/self/exe"), {QStringLiteral("--run-program")});
    EXPECT_TRUE(program.waitForFinished(120000));
    std::vector<std::string> steps = kStarted, lines;
    steps.push_back(kRefused);
    for (const QByteArray& line : program.readAllStandardOutput().split('\n'))
        for (const std::string& step : steps)
            if (line.contains(step.c_str()))
                lines.push_back(step);
    return lines;
}
}

// In a process of its own, started as the game starts: buffers that tests before it freed stay
// in this process's heap, where the ambience would be cut from whatever the setting says.
TEST(Startup, LargeBuffersGoBackToTheSystemEvenAfterALargerOneWasFreed)
{
    EXPECT_EXIT(
        {
            const std::string fault = LargeBufferAfterALargerOneFreed();
            std::fputs(fault.c_str(), stderr);
            std::exit(fault.empty() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
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

TEST(Startup, ThePrintedLinesFollowTheStartUpsOrderAndARefusedDriverStartsNothing)
{
    EXPECT_EQ(LinesOfAStart({}), kStarted);
    // Without OpenGL for Qt the driver check fails.
    EXPECT_EQ(LinesOfAStart({"QT_XCB_GL_INTEGRATION=none"}), std::vector<std::string>{kRefused});
}

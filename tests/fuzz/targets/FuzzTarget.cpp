// The libFuzzer entry of one reader; MIRROWEN_FUZZ_READER names it when the target is built.
#include "tests/fuzz/ReaderRuns.h"

#include <QApplication>
#include <QGLWidget>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const sReaderRun* g_run = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    g_run = FindReaderRun(MIRROWEN_FUZZ_READER);
    if (!g_run)
        std::abort();
    // Made once and never deleted, as in the game: Qt's own exit handlers would outlive them.
    if (g_run->needsGl) {
        new QApplication(*argc, *argv);
        auto* context = new QGLWidget;
        context->makeCurrent();
        if (!context->isValid()) {
            std::fprintf(stderr, "No OpenGL context; run under xvfb-run.\n");
            std::abort();
        }
    }
    // The readers' "ERROR:" lines for damaged input would cost more than the reading.
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const BrokenPromises broken = g_run->run(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    if (broken.empty())
        return 0;
    for (const std::string& promise : broken)
        std::fprintf(stderr, "%s reader: %s\n", g_run->name, promise.c_str());
    std::abort();
}

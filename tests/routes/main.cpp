// The game controller makes textures while it starts an area, so the routes run inside an
// application with a current GL context (under xvfb-run in the test script).
#include "tests/support/GlTestMain.h"

int main(int argc, char** argv)
{
    return RunTestsWithGlContext(argc, argv);
}

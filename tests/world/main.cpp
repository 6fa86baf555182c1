// The frame manager makes its world texture on construction, so every test here runs inside an
// application with a current GL context (under xvfb-run in the test script).
#include "tests/support/GlTestMain.h"

int main(int argc, char** argv)
{
    return RunTestsWithGlContext(argc, argv);
}

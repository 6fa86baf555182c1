// Screens draw, and load the shared pictures, with the GL context of a never-shown widget current
// (under xvfb-run in the test script).
#include "tests/support/GlTestMain.h"

int main(int argc, char** argv)
{
    return RunTestsWithGlContext(argc, argv);
}

// The area, its shared assets and the frame manager need a current GL context.
#include "tests/support/GlTestMain.h"

int main(int argc, char** argv)
{
    return RunTestsWithGlContext(argc, argv);
}

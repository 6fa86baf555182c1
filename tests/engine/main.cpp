// Images, animations and bitmap text draw with OpenGL.
#include "tests/support/GlTestMain.h"

int main(int argc, char** argv)
{
    return RunTestsWithGlContext(argc, argv);
}

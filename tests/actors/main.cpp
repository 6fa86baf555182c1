// Characters load their animations from the chip sets, which are GL textures.
#include "tests/support/GlTestMain.h"

int main(int argc, char** argv)
{
    return RunTestsWithGlContext(argc, argv);
}

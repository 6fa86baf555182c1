#include "app/Startup.h"

// The frame editor: the game's window in editor mode, with its menus, tool bar and docks.
int main(int argc, char** argv)
{
    return RunProgram(argc, argv, true);
}

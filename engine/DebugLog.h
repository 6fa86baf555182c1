#pragma once

/// Whether the game prints what only helps while debugging (a line per pause, per resize, per
/// paint). Off at start; the view's debug-output switch turns it on and off. "ERROR:" and "NOTE:"
/// lines do not depend on it.
extern bool gDebugOutput;

/// printf, while gDebugOutput is on.
void DebugPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

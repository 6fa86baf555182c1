#pragma once

/// Whether the graphics driver offers what the game draws with: OpenGL with framebuffer objects.
/// Needs the application object.
bool HasRequiredGraphics();

/// Runs the game on the application object already built. Without the required graphics it tells
/// the player so in a message box and returns 1; otherwise it opens the main window, runs the event
/// loop until the window is closed and returns the loop's exit code.
int RunGame(bool graphicsAvailable);

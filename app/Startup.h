#pragma once

/// Whether the graphics driver offers what the game draws with: OpenGL with framebuffer objects.
/// Needs the application object.
bool HasRequiredGraphics();

/// Runs the game on the application object already built. Without the required graphics it tells
/// the player so in a message box and returns 1; otherwise it opens the main window (in editor mode
/// for the frame editor), runs the event loop until the window is closed and returns the loop's
/// exit code.
int RunGame(bool graphicsAvailable, bool editor = false);

/// Makes every large buffer (a decoded sound, a picture, a texture's pixels) come from the system
/// and go back to it when freed. Without it the C library keeps freed large buffers in its heap
/// once the first has been freed, where the next area's rarely fit: the process grew by megabytes
/// with every area loaded. Call once, before anything is loaded.
void UseSystemMemoryForLargeBuffers();

/// Takes the lock on the player's files for this copy of the game or editor, kept until the process
/// ends. False, after telling the player, when another running copy holds it: then this copy must
/// end without touching any file. Needs the application object with its name set.
bool TakeDataFolder();

/// A whole program: builds the application object the way the game needs it and runs the game,
/// or the frame editor, on it, unless another copy already runs on the player's files (then 1).
/// The command line is not read.
int RunProgram(int argc, char** argv, bool editor);

#pragma once

/// True while the play keys differ from the defaults; hint bubbles and info boxes then show
/// key-neutral pictures. The window sets it at start-up, the options screen when it saves or
/// restores the bindings; the actors only read it.
extern bool customControls;

/// Of two hint pictures, the one that shows the default keys, or while `customControls` is set
/// the key-neutral one.
int PictureForControls(int defaultKeys, int customKeys);

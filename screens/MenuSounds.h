#pragma once

/// The two sounds of every menu, played once through the game's effect library (nothing while
/// there is none or while effects are muted).

/// Every key press in a menu, and a click that chooses: one of the five menu sounds at 0.4.
void PlayMenuSound();
/// The pointer entering a text button or a save-slot row: the hover tick at 0.4.
void PlayHoverSound();

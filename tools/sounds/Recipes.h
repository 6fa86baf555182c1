#pragma once

#include "tools/synth/Sound.h"

#include <vector>

/// How one effect is made: its file name (without ".ogg") and the synthesis that makes it.
/// A looping effect is finished so that its end runs seamlessly into its start. Every effect's
/// loudest moment is heard at one loudness, but for the few whose recipe gives a reason to lie
/// levelLu below it.
struct Recipe
{
    const char* name;
    bool loop;
    Sound (*make)();
    double levelLu = 0.0;
};

/// The characters' own sounds: jumps, landings, voices, deaths, transformations.
std::vector<Recipe> CharacterRecipes();
/// The world's sounds: exit trees and caves, mushrooms, plants, hearts, boxes, frames, scenes.
std::vector<Recipe> WorldRecipes();
/// The menus' clicks and the level selection's fanfares.
std::vector<Recipe> MenuRecipes();

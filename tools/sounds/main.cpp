// Makes every sound effect of the game from its recipe and writes it as "<name>.ogg" into the
// folder given on the command line.
#include "tools/synth/OggWriter.h"
#include "tools/sounds/Recipes.h"

#include <cstdio>
#include <set>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    std::vector<Recipe> recipes = CharacterRecipes();
    for (auto more : {WorldRecipes(), MenuRecipes()})
        recipes.insert(recipes.end(), more.begin(), more.end());

    std::set<std::string> written;
    for (const Recipe& recipe : recipes)
    {
        if (!written.insert(recipe.name).second)
        {
            std::fprintf(stderr, "two recipes are called %s\n", recipe.name);
            return 1;
        }
        Sound sound = recipe.make();
        if (recipe.loop)
            sound.FinishLoop(0.3, recipe.levelLu);
        else
            sound.Finish(recipe.levelLu);
        if (!WriteOgg(sound, std::string(argv[1]) + "/" + recipe.name + ".ogg"))
            return 1;
    }
    std::printf("%zu sound effects written\n", written.size());
    return 0;
}

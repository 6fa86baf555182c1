#include "tools/sounds/Recipes.h"
#include "tools/synth/Sources.h"

namespace
{
// A menu step: a light click carrying two quick square-wave notes.
Sound Blip(const char* first, const char* second, unsigned seed)
{
    Sound sound = Knock(2000.0, 0.03, seed).Gain(0.5);
    sound.Add(Tone(Wave::Square, 0.07, Pitch(first)).LowPass(3500.0).Percussive(0.001, 0.02));
    return sound.Add(Tone(Wave::Square, 0.1, Pitch(second)).LowPass(3500.0).Percussive(0.001, 0.03), 0.05);
}
} // namespace

std::vector<Recipe> MenuRecipes()
{
    return {
        {"MenuUp", false, [] { return Blip("C6", "G6", 140); }},
        {"MenuDown", false, [] { return Blip("G6", "C6", 141); }},
        {"MenuChangeSound3", false, [] { return Knock(1200.0, 0.06, 142).Add(Knock(1600.0, 0.06, 143), 0.04, 0.8); }},
        {"MenuChangeSound4", false, [] {
             return Pluck(Pitch("G5"), 0.25, 144).Add(Knock(1800.0, 0.03, 145), 0.0, 0.5);
         }},
        {"MenuChangeSound5", false, [] { return Chime(Pitch("E6"), 0.25).Add(Knock(1500.0, 0.03, 146), 0.0, 0.4); }},
        {"LevelDone", false, [] {
             Sound fanfare = Arpeggio({"C5", "E5", "G5"}, 0.12, 0.5);
             for (const char* note : {"C6", "E6", "G6"})
                 fanfare.Add(Bell(Pitch(note), 1.0), 0.36, 0.5);
             Sound brass;
             for (const char* note : {"C4", "G4", "C5"})
                 brass.Add(Tone(Wave::Saw, 0.9, Pitch(note), 5.0, 0.1), 0.0, 0.3);
             brass.LowPass({{0.0, 500.0}, {0.2, 2500.0}, {0.9, 800.0}});
             brass.Shape({{0.0, 0.0}, {0.05, 1.0}, {0.5, 0.7}, {0.9, 0.0}});
             return fanfare.Add(brass, 0.36, 0.6);
         }},
        {"LevelUnlocked", false, [] {
             Sound sound = Knock(2500.0, 0.05, 147).Add(Knock(1800.0, 0.06, 148), 0.05);
             sound.Add(Arpeggio({"G5", "B5", "D6", "G6"}, 0.06, 0.6), 0.1);
             return sound.Add(Sparkle(0.6, 4000.0, 9000.0, 8, 149), 0.2, 0.4);
         }},
    };
}

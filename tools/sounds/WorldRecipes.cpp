#include "tools/sounds/Recipes.h"
#include "tools/synth/Sources.h"

namespace
{
// A mushroom folding away (falling) or unfolding (rising): a rubbery glide in a squelch of air.
Sound Squish(bool rising, double scale, double seconds)
{
    const double low = 150.0 * scale;
    const double high = 550.0 * scale;
    const Curve glide = rising ? Curve{{0.0, low}, {seconds, high}} : Curve{{0.0, high}, {seconds, low}};
    const Curve air = rising ? Curve{{0.0, 300.0 * scale}, {seconds, 1500.0 * scale}}
                             : Curve{{0.0, 1200.0 * scale}, {seconds, 300.0 * scale}};
    Sound sound = Tone(Wave::Triangle, seconds, glide, 12.0, 0.8).LowPass(1500.0 * scale);
    sound.Add(Noise(seconds, rising ? 51 : 52).BandPass(air, 4.0).BandPass(air, 4.0), 0.0, 0.35);
    return sound.Swell(seconds * 0.2);
}

// An exit tree's chewing: squelchy bites, each with a dull thump, then a gulp.
Sound Chewing(double depth, unsigned seed)
{
    Sound sound;
    for (int bite = 0; bite < 3; ++bite)
    {
        Sound munch = Noise(0.2, seed + bite).LowPass(900.0 * depth, 2.0).Percussive(0.01, 0.025);
        munch.Add(Tone(Wave::Sine, 0.12, {{0.0, 190.0 * depth}, {0.12, 120.0 * depth}}).Percussive(0.005, 0.03));
        sound.Add(munch, bite * 0.17);
    }
    Sound gulp = Tone(Wave::Sine, 0.14, {{0.0, 420.0 * depth}, {0.06, 160.0 * depth}, {0.14, 260.0 * depth}});
    return sound.Add(gulp.Percussive(0.004, 0.035), 0.58);
}

// The frames turning a quarter: heavy stone sliding past air, settling with a thump. The six
// variants keep a repeated turn from sounding mechanical.
Sound Rotation(int variant)
{
    const double shift = 1.0 + 0.09 * variant;
    Sound sound = Whoosh(0.5, {{0.0, 350.0 * shift}, {0.3, 1300.0 * shift}, {0.5, 500.0 * shift}}, 60 + variant);
    sound.Add(Creak(0.45, {{0.0, 55.0}, {0.45, 30.0 + 4.0 * variant}}, 260.0 * shift, 70 + variant), 0.0, 0.5);
    return sound.Add(Thud(75.0 + 8.0 * variant, 0.3, 80 + variant), 0.42, 0.8);
}

// Frames switching: a whoosh carrying a bright rising arpeggio.
Sound FrameSwitch(double seconds, std::initializer_list<const char*> notes, unsigned seed)
{
    Sound sound = Whoosh(seconds, {{0.0, 400.0}, {seconds, 3200.0}}, seed).Gain(0.5);
    sound.Add(Arpeggio(notes, 0.07, 0.7), 0.1, 0.6);
    return sound.Add(Thud(70.0, 0.4, seed + 1), 0.0, 0.6);
}

// A stretch of earthquake: ground rumbling, with stones knocking loose now and then.
Sound Quake(double seconds, unsigned seed)
{
    Sound sound = Rumble(seconds, seed).Shape({{0.0, 0.0}, {0.25, 1.0}, {seconds * 0.7, 0.8}, {seconds, 0.0}});
    for (int n = 1; n < static_cast<int>(seconds * 4.0); n += 2)
        sound.Add(Knock(260.0 + 40.0 * (n % 5), 0.1, seed + n), n * 0.25, 0.25);
    return sound;
}

// A mechanism of the frame-changer box: two clicks and a clunk.
Sound Mechanism(double first, double second, unsigned seed)
{
    return Knock(first, 0.1, seed).Add(Knock(second, 0.1, seed + 1), 0.06).Add(Thud(110.0, 0.2, seed + 2), 0.06, 0.6);
}
} // namespace

std::vector<Recipe> WorldRecipes()
{
    return {
        {"TouchPinkScore", false, [] {
             Sound sound = Chime(Pitch("E6"), 0.5).Add(Chime(Pitch("B6"), 0.6), 0.06);
             return sound.Add(Sparkle(0.4, 4000.0, 8000.0, 5, 30), 0.05, 0.3);
         }},
        {"TouchGreenScore", false, [] {
             Sound first = Tone(Wave::Triangle, 0.14, {{0.0, Pitch("C5")}, {0.14, Pitch("B4")}});
             Sound second = Tone(Wave::Triangle, 0.3, {{0.0, Pitch("A4")}, {0.3, Pitch("G#4")}});
             Sound bloops = first.Percussive(0.003, 0.05).Add(second.Percussive(0.003, 0.08), 0.1);
             return bloops.LowPass(1800.0).Add(Chime(Pitch("A5"), 0.35), 0.1, 0.25);
         }},
        {"Area0_FrameSwitch", false, [] { return FrameSwitch(1.4, {"C5", "E5", "G5", "C6", "E6"}, 32); }},
        {"FrameSwitch", false, [] { return FrameSwitch(0.9, {"G5", "C6", "E6", "G6"}, 34); }},
        {"AreaEnd_FrameSwitch", false, [] {
             Sound sound = FrameSwitch(2.0, {"C5", "G5", "C6", "E6", "G6", "C7"}, 36);
             Sound pad;
             for (const char* note : {"C3", "G3", "C4", "E4"})
                 pad.Add(Tone(Wave::Saw, 2.0, Pitch(note), 4.0, 0.1), 0.0, 0.25);
             pad.LowPass({{0.0, 300.0}, {1.2, 3000.0}, {2.0, 800.0}}).Swell(0.8);
             return sound.Add(pad, 0.0, 0.6);
         }},
        {"pop3", false, [] {
             Sound pop = Tone(Wave::Sine, 0.08, {{0.0, 620.0}, {0.04, 160.0}}).Percussive(0.001, 0.015);
             return pop.Add(Noise(0.01, 35).BandPass(3000.0, 1.0).Percussive(0.0003, 0.002), 0.0, 0.5);
         }},
        {"crystal", false, [] {
             Sound sound = Arpeggio({"E6", "B6", "E7"}, 0.04, 0.6);
             return sound.Add(Sparkle(0.5, 5000.0, 9000.0, 6, 37), 0.03, 0.3);
         }},
        {"WoolGrassSound", false, [] { return Rustle(0.35, 1500.0, 40, 38); }},
        {"WoolReedSound", false, [] {
             Sound reed = Rustle(0.4, 2500.0, 30, 39);
             return reed.Add(Noise(0.4, 40).BandPass(880.0, 25.0).Swell(0.05), 0.0, 0.8);
         }},
        {"Grass", false, [] { return Rustle(0.25, 3500.0, 35, 41); }},
        {"StepGrass", false, [] { return Rustle(0.12, 3000.0, 12, 42).Add(Thud(120.0, 0.1, 43), 0.0, 0.4); }},
        {"spiel", false, [] {
             Sound no = Tone(Wave::Triangle, 0.13, Pitch("A4")).Percussive(0.003, 0.04);
             no.Add(Tone(Wave::Triangle, 0.22, Pitch("F4")).Percussive(0.003, 0.06), 0.13);
             return no.Add(Knock(440.0, 0.1, 44), 0.0, 0.4).Add(Knock(350.0, 0.1, 45), 0.13, 0.4);
         }},
        {"fall2", false, [] {
             Sound whistle = Tone(Wave::Sine, 1.0, {{0.0, 2000.0}, {1.0, 400.0}}).Swell(0.1);
             return whistle.Add(Whoosh(1.0, {{0.0, 2500.0}, {1.0, 400.0}}, 46), 0.0, 0.6);
         }},
        {"FCBSound1", false, [] { return Mechanism(900.0, 600.0, 47); }},
        {"FCBSound2", false, [] { return Mechanism(600.0, 1100.0, 50); }},
        {"plink", false, [] { return Pluck(Pitch("E6"), 0.35, 53).Add(Chime(Pitch("E6"), 0.3), 0.0, 0.3); }},
        {"TreeTwinklePositive", false, [] {
             return Arpeggio({"C6", "E6", "G6", "C7"}, 0.07, 0.6).Add(Sparkle(0.6, 4000.0, 8000.0, 8, 54), 0.1, 0.3);
         }},
        {"TreeTwinkleNegative", false, [] {
             Sound sad = Arpeggio({"E5", "C5", "A4"}, 0.1, 0.5).LowPass(2500.0);
             Sound low = Tone(Wave::Triangle, 0.4, {{0.0, Pitch("A3")}, {0.4, Pitch("G#3")}});
             return sad.Add(low.Percussive(0.01, 0.12), 0.2, 0.4);
         }},
        {"TreeOpenMouth", false, [] {
             Sound sound = Creak(0.45, {{0.0, 35.0}, {0.45, 80.0}}, 420.0, 55);
             sound.Add(Whoosh(0.45, {{0.0, 300.0}, {0.45, 900.0}}, 56).LowPass(1500.0), 0.0, 0.25);
             Sound hum = Tone(Wave::Saw, 0.45, {{0.0, 90.0}, {0.45, 130.0}}).LowPass(600.0);
             return sound.Add(hum.Swell(0.1), 0.0, 0.3);
         }},
        {"CaveOpenMouthV3", false, [] {
             Sound sound = Rumble(0.8, 57).Swell(0.3);
             sound.Add(Creak(0.8, {{0.0, 20.0}, {0.8, 40.0}}, 180.0, 58), 0.0, 0.6);
             Sound growl = Tone(Wave::Saw, 0.8, {{0.0, 55.0}, {0.8, 80.0}}).LowPass(300.0);
             return sound.Add(growl.Swell(0.2), 0.0, 0.4).Echo(0.09, 0.35);
         }},
        {"TreeCloseMouthV3", false, [] {
             Sound sound = Creak(0.25, {{0.0, 80.0}, {0.25, 40.0}}, 380.0, 59);
             return sound.Add(Knock(180.0, 0.2, 60), 0.22).Add(Thud(100.0, 0.25, 61), 0.22);
         }},
        {"CaveCloseMouth", false, [] {
             Sound sound = Rumble(0.3, 62).Swell(0.15);
             return sound.Add(Thud(60.0, 0.4, 63), 0.2).Add(Knock(220.0, 0.15, 64), 0.2, 0.5).Echo(0.1, 0.3);
         }},
        {"TreeChewsHeartV4", false, [] { return Chewing(1.0, 65); }},
        {"CaveChewsHeartV4", false, [] {
             Sound sound = Chewing(0.6, 68);
             for (int bite = 0; bite < 3; ++bite)
                 sound.Add(Knock(300.0, 0.08, 71 + bite), bite * 0.17, 0.3);
             return sound.Echo(0.11, 0.3);
         }},
        {"MushroomFold", false, [] { return Squish(false, 1.0, 0.4); }},
        {"MushroomUnfoldV2", false, [] { return Squish(true, 1.0, 0.45); }},
        {"MushroomFoldSmall", false, [] { return Squish(false, 1.8, 0.25); }},
        {"MushroomUnfoldSmall", false, [] { return Squish(true, 1.8, 0.28); }},
        {"MushroomOpen", false, [] {
             return Squish(true, 0.8, 0.5).Add(Tone(Wave::Sine, 0.06, 700.0).Percussive(0.002, 0.01), 0.46, 0.5);
         }},
        {"MushroomClose", false, [] { return Squish(false, 0.8, 0.4).Add(Thud(120.0, 0.15, 74), 0.35, 0.6); }},
        // Spores puffing out of a mushroom in the dark, with a faint glow of a chord; it loops
        // for as long as the mushroom ejects, over the music, so the puffs are short and sparse
        // and the hiss and the chord stay well under them. For as long as it runs it must not
        // cover the music, so it lies 7 LU below the other effects.
        {"SporeSoundLoop", true, [] {
             Sound sound = Noise(3.3, 75).BandPass(4000.0, 1.5).BandPass(4000.0, 1.5).Tremolo(0.6, 0.5).Gain(0.05);
             for (int puff = 0; puff < 6; ++puff)
             {
                 Sound air = Noise(0.3, 76 + puff).BandPass(1200.0 + 300.0 * (puff % 3), 2.0).LowPass(3000.0);
                 sound.Add(air.Percussive(0.015, 0.03), puff * 0.5 + 0.05);
             }
             for (const char* note : {"A6", "C#7", "E7"})
                 sound.Add(Tone(Wave::Sine, 3.3, Pitch(note)).Tremolo(1.3, 0.8), 0.0, 0.03);
             return sound;
         }, -7.0},
        // The flying tree's wind and creaking go on for the whole farewell, under its theme: a
        // one-shot's loudness held that long would stand in front of the music, so 4 LU below.
        {"FlyingTreeLoop", true, [] {
             Sound sound = Noise(2.3, 85).BandPass(500.0, 1.0).Tremolo(3.0, 0.8);
             sound.Add(Noise(2.3, 86).BandPass(2500.0, 1.0).Tremolo(0.7, 0.6), 0.0, 0.3);
             return sound.Add(Creak(2.3, 20.0, 300.0, 87).Tremolo(0.5, 1.0), 0.0, 0.3);
         }, -4.0},
        {"Rotation1", false, [] { return Rotation(0); }},
        {"Rotation2", false, [] { return Rotation(1); }},
        {"Rotation3", false, [] { return Rotation(2); }},
        {"Rotation4", false, [] { return Rotation(3); }},
        {"Rotation5", false, [] { return Rotation(4); }},
        {"Rotation6", false, [] { return Rotation(5); }},
        {"TheFallSFX", false, [] {
             Sound sound = Whoosh(1.6, {{0.0, 3000.0}, {1.6, 300.0}}, 88);
             sound.Add(Tone(Wave::Sine, 1.6, {{0.0, 1800.0}, {1.6, 250.0}}, 5.0, 0.4).Swell(0.2), 0.0, 0.4);
             return sound.Add(Thud(60.0, 0.6, 89), 1.5).Add(Rumble(0.5, 90).Percussive(0.01, 0.1), 1.5, 0.5);
         }},
        {"Area0_TreeJump", false, [] {
             Sound boing = Tone(Wave::Sine, 0.5, {{0.0, 120.0}, {0.15, 500.0}, {0.5, 380.0}}, 14.0, 1.5);
             boing.Percussive(0.005, 0.12).Add(Creak(0.15, 60.0, 350.0, 91), 0.0, 0.5);
             return boing.Add(Knock(300.0, 0.1, 92), 0.0, 0.5);
         }},
        {"Area0_EQshort", false, [] { return Quake(1.5, 93); }},
        {"Area0_EQlong", false, [] { return Quake(3.5, 110); }},
        {"AreaEnd_TreeMorph", false, [] {
             Sound pad;
             for (const char* note : {"C3", "G3", "C4", "E4", "G4"})
                 pad.Add(Tone(Wave::Saw, 2.0, Pitch(note), 5.0, 0.15), 0.0, 0.2);
             pad.LowPass({{0.0, 250.0}, {1.4, 4000.0}, {2.0, 1000.0}}, 1.5).Swell(1.0);
             pad.Add(Sparkle(2.0, 2000.0, 8000.0, 40, 130), 0.0, 0.5);
             pad.Add(Whoosh(1.5, {{0.0, 300.0}, {1.5, 4000.0}}, 131), 0.0, 0.4);
             return pad.Add(Bell(Pitch("C6"), 1.0), 1.3, 0.5);
         }},
        {"bk_trans_tree", false, [] {
             Sound sound = Whoosh(0.6, {{0.0, 1500.0}, {0.6, 200.0}}, 132);
             sound.Add(Tone(Wave::Saw, 0.6, {{0.0, 110.0}, {0.6, 70.0}}).LowPass(500.0).Swell(0.1), 0.0, 0.5);
             return sound.Add(Thud(80.0, 0.3, 133), 0.5, 0.6);
         }},
        {"rs_trans_tree", false, [] {
             Sound glide = Arpeggio({"G6", "E6", "D6", "C6", "A5", "G5", "E5", "D5", "C5"}, 0.045, 0.5);
             return glide.Add(Thud(140.0, 0.2, 134), 0.4, 0.5);
         }},
        {"fireflies_magic", false, [] {
             Sound glow;
             for (const char* note : {"E5", "G#5", "B5"})
                 glow.Add(Tone(Wave::Sine, 1.5, Pitch(note)).Tremolo(3.0, 0.7), 0.0, 0.2);
             glow.Swell(0.3);
             return glow.Add(Sparkle(1.5, 2500.0, 8000.0, 30, 135));
         }},
        {"tree_descend", false, [] {
             Sound sound = Creak(1.2, {{0.0, 25.0}, {1.2, 15.0}}, 300.0, 136);
             sound.Add(Rumble(1.2, 137).Swell(0.4), 0.0, 0.5);
             return sound.Add(Whoosh(1.2, {{0.0, 1200.0}, {1.2, 250.0}}, 138), 0.0, 0.4);
         }},
    };
}

#include "tools/sounds/Recipes.h"
#include "tools/synth/Sources.h"

namespace
{
// Each character has its own register, so the ear tells them apart as the eye tells their
// colours: brown in the middle, orange small and high, gray low.
struct Character
{
    double pitch; // Hz of the voice and the character's jingles
    double size;  // formant scale of the voice
};
constexpr Character kBrown{260.0, 1.15};
constexpr Character kOrange{370.0, 1.4};
constexpr Character kGray{190.0, 0.95};

// "Oof!": the squashed grunt of a character another one has jumped on, with a springy wobble.
Sound HeadJumped(Character c)
{
    Sound sound = Voice(0.2, {{0.0, c.pitch * 1.4}, {0.2, c.pitch * 0.8}}, Vowel::O, Vowel::U, c.size)
                      .Shape({{0.0, 0.0}, {0.01, 1.0}, {0.12, 0.8}, {0.2, 0.0}});
    sound.Add(Thud(110.0, 0.2, 11), 0.0, 0.6);
    Sound boing = Tone(Wave::Sine, 0.3, {{0.0, c.pitch}, {0.05, c.pitch * 2.0}}, 16.0, 1.5);
    return sound.Add(boing.Percussive(0.004, 0.07), 0.1, 0.4);
}

// Coming back out of an exit tree: a rising whoop that ends in a pop.
Sound ComeOut(Character c)
{
    Sound sound = Whoosh(0.3, {{0.0, 400.0}, {0.3, 2200.0}}, 21);
    Sound whoop = Tone(Wave::Triangle, 0.25, {{0.0, c.pitch}, {0.22, c.pitch * 2.5}}).LowPass(3000.0);
    sound.Add(whoop.Swell(0.03), 0.03, 0.8);
    return sound.Add(Tone(Wave::Sine, 0.06, {{0.0, 900.0}, {0.04, 300.0}}).Percussive(0.001, 0.01), 0.26, 0.9);
}

// Going into an exit tree: a falling slurp swallowed by a gulp.
Sound GoIn(Character c)
{
    Sound sound = Whoosh(0.35, {{0.0, 2400.0}, {0.35, 300.0}}, 31).Gain(0.7);
    Sound slide = Tone(Wave::Sine, 0.3, {{0.0, c.pitch * 2.5}, {0.3, c.pitch}}, 9.0, 0.5);
    sound.Add(slide.Shape({{0.0, 0.0}, {0.02, 1.0}, {0.24, 0.4}, {0.3, 0.0}}));
    Sound gulp = Tone(Wave::Sine, 0.12, {{0.0, 380.0}, {0.05, 150.0}, {0.12, 240.0}}).Percussive(0.003, 0.03);
    return sound.Add(gulp, 0.3, 0.9);
}

// Taking control of a character: a two-note call in the character's register.
Sound Swap(Character c, Wave colour)
{
    Sound sound = Chime(c.pitch * 2.0, 0.45).Add(Chime(c.pitch * 3.0, 0.5), 0.07);
    Sound body = Tone(colour, 0.16, c.pitch).LowPass(2000.0).Percussive(0.002, 0.04);
    return sound.Add(body, 0.0, 0.35).Add(body, 0.07, 0.35);
}

// The swirl of a character turning into an ancestor form (rising) or back (falling): a
// detuned chord gliding through an opening filter under a shower of sparks.
Sound Transformation(bool rising)
{
    const double seconds = 1.2;
    const Curve glide = rising ? Curve{{0.0, 180.0}, {seconds, 720.0}} : Curve{{0.0, 720.0}, {seconds, 180.0}};
    const Curve filter = rising ? Curve{{0.0, 400.0}, {seconds, 5000.0}} : Curve{{0.0, 5000.0}, {seconds, 400.0}};
    Sound sound;
    for (double detune : {1.0, 1.007, 1.5, 2.003})
    {
        const Curve voice = rising ? Curve{{0.0, 180.0 * detune}, {seconds, 720.0 * detune}}
                                   : Curve{{0.0, 720.0 * detune}, {seconds, 180.0 * detune}};
        sound.Add(Tone(Wave::Saw, seconds, voice), 0.0, 0.3);
    }
    sound.LowPass(filter, 2.0).Shape({{0.0, 0.0}, {0.3, 1.0}, {0.9, 0.8}, {seconds, 0.0}});
    sound.Add(Sparkle(seconds, 2000.0, 6500.0, 18, rising ? 41 : 42), 0.0, 0.5);
    sound.Add(Tone(Wave::Sine, seconds, glide, 6.0, 0.3).Shape({{0.0, 0.0}, {0.5, 0.5}, {seconds, 0.0}}), 0.0, 0.5);
    return sound.Add(Chime(rising ? Pitch("C6") : Pitch("C5"), 0.6), seconds - 0.15, 0.6);
}

// A firefly carrying a character off: a fluttering glide with twinkles.
Sound FlyMorph(double from, double to, unsigned seed)
{
    Sound sound = Tone(Wave::Sine, 0.7, {{0.0, from}, {0.7, to}}, 9.0, 1.0).Swell(0.08);
    sound.Add(Tone(Wave::Sine, 0.7, {{0.0, from * 2.0}, {0.7, to * 2.0}}, 9.0, 1.0).Percussive(0.02, 0.2), 0.0, 0.2);
    return sound.Add(Sparkle(0.8, 3000.0, 7500.0, 12, seed), 0.05, 0.6);
}

// A death: a short hit, then a sad falling minor line with a sigh of vibrato.
Sound SadLine()
{
    const Curve line{{0.0, Pitch("E5")}, {0.18, Pitch("E5")}, {0.22, Pitch("C5")}, {0.4, Pitch("C5")},
                     {0.44, Pitch("A4")}, {0.8, Pitch("G#4")}};
    Sound sound = Tone(Wave::Triangle, 0.9, line, 5.0, 0.35).LowPass(2200.0);
    return sound.Shape({{0.0, 0.0}, {0.02, 1.0}, {0.6, 0.8}, {0.9, 0.0}});
}

// Air escaping a sinking character: little blips that rise in pitch.
Sound Bubbles(double seconds, int count)
{
    static const double kPitches[] = {350.0, 620.0, 440.0, 800.0, 530.0, 710.0};
    Sound sound(seconds);
    for (int n = 0; n < count; ++n)
    {
        const double hz = kPitches[n % 6];
        sound.Add(Tone(Wave::Sine, 0.05, {{0.0, hz}, {0.04, hz * 2.2}}).Percussive(0.002, 0.012), seconds * n / count);
    }
    return sound;
}
} // namespace

std::vector<Recipe> CharacterRecipes()
{
    return {
        {"Jump", false, [] {
             Sound sound = Tone(Wave::Square, 0.18, {{0.0, 240.0}, {0.12, 620.0}}).LowPass(2500.0);
             sound.Add(Tone(Wave::Sine, 0.18, {{0.0, 480.0}, {0.12, 1240.0}}), 0.0, 0.4);
             return sound.Shape({{0.0, 0.0}, {0.005, 1.0}, {0.08, 0.8}, {0.18, 0.0}});
         }},
        // The menus' hover tick, and the soft step of a plain character landing.
        {"HoverTick", false, [] { return Knock(700.0, 0.08, 1).Gain(0.6).Add(Thud(95.0, 0.12, 2)); }},
        {"OrangeCries", false, [] {
             Sound sob = Voice(0.32, {{0.0, 640.0}, {0.32, 480.0}}, Vowel::A, Vowel::U, kOrange.size);
             sob.Swell(0.03);
             Sound wail = Voice(0.55, {{0.0, 600.0}, {0.55, 390.0}}, Vowel::A, Vowel::O, kOrange.size);
             wail.Tremolo(7.0, 0.5).Swell(0.04);
             return sob.Then(wail, 0.06);
         }},
        {"GrayShoutsAngrily", false, [] {
             Sound hm = Voice(0.12, 150.0, Vowel::U, Vowel::U, kGray.size).Swell(0.02);
             Sound shout = Voice(0.34, {{0.0, 210.0}, {0.08, 245.0}, {0.34, 140.0}}, Vowel::A, Vowel::O, kGray.size);
             shout.Tremolo(32.0, 0.5).Drive(2.5).Shape({{0.0, 0.0}, {0.02, 1.0}, {0.2, 0.8}, {0.34, 0.0}});
             return hm.Gain(0.6).Then(shout, 0.05);
         }},
        {"RainbowSpiritLaugh", false, [] {
             Sound laugh;
             double hz = 820.0;
             for (int n = 0; n < 5; ++n, hz *= 0.94)
             {
                 Sound ha = Voice(0.09, {{0.0, hz}, {0.09, hz * 0.9}}, Vowel::E, Vowel::I, 1.6);
                 laugh.Add(ha.Swell(0.01), n * 0.12);
             }
             return laugh.Add(Sparkle(0.7, 3000.0, 7000.0, 8, 5), 0.0, 0.12);
         }},
        {"ay", false, [] {
             Sound ay = Voice(0.36, {{0.0, 250.0}, {0.07, 330.0}, {0.36, 240.0}}, Vowel::A, Vowel::I, kBrown.size);
             return ay.Shape({{0.0, 0.0}, {0.015, 1.0}, {0.2, 0.8}, {0.36, 0.0}});
         }},
        // The antler form drums like a woodpecker while it waits.
        {"specht", false, [] {
             Sound drum;
             for (int n = 0; n < 12; ++n)
                 drum.Add(Knock(1050.0 - n * 8.0, 0.05, 100 + n), n * 0.055, 1.0 - n * 0.04);
             return drum;
         }},
        {"antler3", false, [] {
             return Knock(1400.0, 0.12, 3).Add(Knock(1250.0, 0.12, 4), 0.09, 0.8).Add(Knock(1320.0, 0.1, 5), 0.16, 0.4);
         }},
        {"buzz2", false, [] {
             Sound buzz = Tone(Wave::Saw, 0.8, {{0.0, 210.0}, {0.4, 240.0}, {0.8, 200.0}}, 14.0, 0.6);
             buzz.BandPass(900.0, 1.5).Tremolo(38.0, 0.4);
             return buzz.Shape({{0.0, 0.0}, {0.2, 1.0}, {0.6, 1.0}, {0.8, 0.0}});
         }},
        {"LandAntlerAncestor", false, [] {
             return Thud(70.0, 0.35, 6).Add(Knock(520.0, 0.08, 7), 0.0, 0.5).Add(Knock(470.0, 0.08, 8), 0.03, 0.4);
         }},
        {"LandRainbowSpirit", false, [] {
             Sound sound = Thud(160.0, 0.2, 9).Gain(0.6).Add(Chime(Pitch("E6"), 0.4), 0.0, 0.3);
             return sound.Add(Sparkle(0.5, 2500.0, 6000.0, 6, 10), 0.01, 0.5);
         }},
        {"LandBatKing", false, [] {
             Sound flap = Whoosh(0.12, {{0.0, 700.0}, {0.12, 300.0}}, 12);
             return flap.Add(flap, 0.1).Add(Thud(90.0, 0.3, 13), 0.16);
         }},
        {"DieSpikes", false, [] {
             Sound hit = Noise(0.1, 14).HighPass(2500.0).Percussive(0.0005, 0.015);
             hit.Add(Thud(140.0, 0.2, 15), 0.0, 0.7);
             return hit.Add(SadLine(), 0.08, 0.8);
         }},
        {"DieWaterV2", false, [] {
             Sound splash = Noise(0.45, 16).LowPass({{0.0, 6000.0}, {0.45, 500.0}}).Percussive(0.003, 0.08);
             splash.Add(Bubbles(0.5, 7), 0.08, 0.6);
             return splash.Add(SadLine(), 0.3, 0.6);
         }},
        {"TransformationIn", false, [] { return Transformation(true); }},
        {"TransformationOut", false, [] { return Transformation(false); }},
        {"FlyMorph1", false, [] { return FlyMorph(600.0, 2400.0, 18); }},
        {"FlyMorph2", false, [] { return FlyMorph(420.0, 1800.0, 19); }},
        {"fallSpirit", false, [] {
             Sound sound = Tone(Wave::Sine, 1.0, {{0.0, 1600.0}, {1.0, 300.0}}, 7.0, 0.8).Swell(0.05);
             return sound.Add(Sparkle(1.0, 2000.0, 6000.0, 10, 20), 0.0, 0.5);
         }},
        {"SwapBrown", false, [] { return Swap(kBrown, Wave::Triangle); }},
        {"SwapOrange", false, [] { return Swap(kOrange, Wave::Square); }},
        {"SwapGray", false, [] { return Swap(kGray, Wave::Saw); }},
        {"HeadJumpedBrown", false, [] { return HeadJumped(kBrown); }},
        {"HeadJumpedOrange", false, [] { return HeadJumped(kOrange); }},
        {"HeadJumpedGray", false, [] { return HeadJumped(kGray); }},
        {"EnterTreeBrown", false, [] { return ComeOut(kBrown); }},
        {"EnterTreeOrange", false, [] { return ComeOut(kOrange); }},
        {"EnterTreeGray", false, [] { return ComeOut(kGray); }},
        {"ExitTreeBrown", false, [] { return GoIn(kBrown); }},
        {"ExitTreeOrange", false, [] { return GoIn(kOrange); }},
        {"ExitTreeGray", false, [] { return GoIn(kGray); }},
        {"bk_trans_land", false, [] {
             Sound flap = Whoosh(0.12, {{0.0, 600.0}, {0.12, 250.0}}, 22);
             Sound sound = flap.Add(Thud(75.0, 0.35, 23), 0.08);
             return sound.Add(Sparkle(0.5, 1500.0, 4000.0, 6, 24), 0.05, 0.4);
         }},
        {"rs_trans", false, [] {
             return Arpeggio({"C5", "D5", "E5", "G5", "A5", "C6", "D6", "E6", "G6"}, 0.045, 0.5);
         }},
        {"rs_trans_land", false, [] {
             Sound chord = Arpeggio({"C6", "E6", "G6"}, 0.02, 0.6);
             return chord.Add(Thud(150.0, 0.2, 25), 0.0, 0.5);
         }},
    };
}

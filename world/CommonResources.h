#pragma once

#include <QString>

#include <string>
#include <vector>

class cAnimation;
class cAudioSystem;
class cPlayerChar;
class FireFly;
class Star;

/// The shared-asset store: loads, once at start-up, everything that more than one screen or area
/// uses for the whole run. The game controller creates it right after starting the audio system,
/// shows the first screen only when `LoadAll` succeeds, and deletes it before the audio system.
///
/// The characters and the carrier fireflies are members, which areas borrow and reset; everything
/// else goes into the process-wide values of engine/SharedAssets.h (chip sets, animation lists),
/// audio/SoundLibrary.h (`gSoundLibrary`) and actors/SharedActors.h (the ancestor forms and the
/// heart-box templates with their lookups), which the store owns. The rest of the game reads them
/// and never changes them, except the stars, which it steps and draws through the store.
class cCommonResources
{
public:
    /// Nothing loaded; audioSystem (borrowed) is what the sound-effect library will play through.
    explicit cCommonResources(cAudioSystem* audioSystem);
    /// Deletes everything it loaded, the sound-effect library before the chip sets, and empties
    /// the process-wide values again. The GL context of the textures must be current.
    ~cCommonResources();
    cCommonResources(const cCommonResources&) = delete;
    cCommonResources& operator=(const cCommonResources&) = delete;

    /// Every load in a fixed order, printing a success line after the sound library, the chip
    /// sets, the characters with their forms and fireflies, and at the end. The first load that
    /// fails ends it with false, leaving what was loaded so far in place.
    bool LoadAll();

    /// Appends the animations of a list file (any root; ":/" put in front unless the name holds
    /// it) in file order: each `animation` element cut from its own `src`, else from the last `src`
    /// seen on another element, else chip set 0; one that does not build is dropped. False, after
    /// the "Invalid XML resource file" line, only when the file does not open.
    static bool LoadAnimationList(const QString& file, std::vector<cAnimation*>& list);
    /// Deletes the list's animations, empties it, then `LoadAnimationList`.
    static bool ReloadAnimationList(const QString& file, std::vector<cAnimation*>& list);

    /// A new sound-effect library from ":/res/wave/Audio_SFX.xml" becomes `gSoundLibrary`,
    /// replacing (and deleting) an earlier one. False when the list does not open.
    bool LoadSoundLibrary();
    /// Replaces the chip set of that slot (0 to 14) with the picture at path; the image takes the
    /// picture's size. A missing picture shows the texture's message box and gives false.
    static bool LoadChipSet(const QString& path, int slot);
    /// Every chip set from ":/res/images/chipsets/chip_set_NN.png", one after another in the order
    /// 01, 02, 03, 05 to 08, 00, 09 to 14 (there is no 04); the first that does not load ends it
    /// with false.
    static bool LoadChipSets();
    /// Brown, orange and gray, in that order, from "res/xml/PlayerCharacters/"; the first file that
    /// does not load ends it with false (the characters made so far stay).
    bool LoadPlayerCharacters();
    /// The antler, spirit and bat-king forms (the process-wide forms), then the orange and the gray
    /// carrier firefly; the first file that does not load ends it with false.
    bool LoadSpecialCharacters();
    /// One heart-box template per `BoxBluePrint` of "res/xml/common_resources/HeartBox/
    /// HeartBoxTypes.xml" (`type`, 0 when absent, cut to 16 bits; `file`), in file order; a
    /// template whose file does not load is kept empty. False only when the list does not open.
    static bool LoadBoxBluePrints();
    /// The same from another list file.
    static bool LoadBoxBluePrints(const QString& list);
    /// The glyph widths: one per `letter` element (`width`, 0 when absent), in order.
    static bool LoadAlphabetWidths(const QString& file);
    /// Appends the dragonfly, bat, bird and beetle lists from "res/xml/actors/Flying/".
    static bool LoadFlyingActors();
    /// The one waterfall glint. False when the file does not open or holds no animation that
    /// builds: the sparkles of waterfalls would have nothing to show.
    static bool LoadWaterfallSparkle();

    /// Appends count stars at random points of a 3-unit grid (x 0 to 996, y 0 to 597), alpha 3 to
    /// 249, twinkling with a step of 16 to 45; the same field on every run.
    void CreateStars(int count);
    /// Every star at (1 × scale) with its own alpha.
    void DrawStars(int scale) const;
    void UpdateStars(int dtMs);

    /// Prepares the characters, then the forms, then the fireflies for a new area; every area
    /// calls it before placing its characters.
    void ResetCharacters();

    /// The number of an area file, whose picture is area icon 4 + that number: 0 for
    /// "res/Areas/Area0.xml" up to 34 for "res/Areas/Credits2.xml" (30 belongs to no file); 35 for
    /// any other text. The whole text is compared, case and all.
    static int FillAreaList(const std::string& areaFile);
    static int GetAreaNumber(const std::string& areaFile) { return FillAreaList(areaFile); }

    /// Character id 0, 1, 2 (brown, orange, gray); null for any other or before loading. Borrowed.
    cPlayerChar* GetCharacter(int id) const;
    int GetCharacterCount() const { return static_cast<int>(characters.size()); }
    /// Firefly 0 carries the orange character, 1 the gray (index = character id - 1). Borrowed.
    FireFly* GetFireFly(int index) const;
    int GetFireFlyCount() const { return static_cast<int>(fireflies.size()); }
    const std::vector<Star*>& GetStars() const { return stars; }

private:
    bool LoadSharedLists();
    /// The characters, the forms and the fireflies.
    void DeleteCharacters();

    cAudioSystem* audioSystem;
    std::vector<cPlayerChar*> characters;
    std::vector<FireFly*> fireflies;
    std::vector<Star*> stars;
};

#pragma once

#include "world/FramedArea.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace physics {
class World;
}
class cAnimation;
class cAreaEnterTree;
class cAreaExit;
class cAreaSoundPlayer;
class cAudioSystem;
class BasicPlant;
class cCloud;
class cCommonResources;
class cContactFilter;
class cContactListener;
class cEmitterBox;
class cHeart;
class cGlowMushroom;
class cImage;
class cLie;
class cMushroom;
class cInfoTriggerBox;
class cInfoTriggerHeartBox;
class cPhysicsBody;
class cPlayerChar;
class cStackBox;
class cStackBoxFrameConfig;
class FireFly;
class NPCFly;
class Platform;
class Star;
class WaterArea;
class WaterBubbles;
class WaterFallSparkle;

/// One playable area: a physics world of its own with the game's contact listener and filter, one
/// list per kind of object in it, the characters the player steers (borrowed from the shared
/// assets), the sky colours and background pictures, the Land-of-Fireflies weight and the area's
/// music and ambience player.
///
/// The game controller makes one per area load, calls `Init` once, then ticks and draws it and
/// deletes it when the area is left; a reload makes a new one. The area file reader fills the lists
/// through the makers below. Positions and sizes are world units (y up; world point (x, y) lies at
/// world-texture pixel (x, y + 240)), colours 0 to 255, times milliseconds.
///
/// Ownership: the area owns its world, listener, filter, sound player, pictures and every object in
/// its lists except the characters. Every object is deleted while the world still exists, since
/// deleting the world would take their bodies away behind their backs. GL context current while
/// pictures load, draw or go.
class cArea : public cFramedArea
{
    // Delegates that tick, draw and switch the characters of the area, working on its lists.
    friend class cAreaLook;
    friend class cAreaPainter;
    friend class cAreaRoster;
    friend class cAreaTick;

public:
    /// Stores both; empty lists, no world, no sound player, no pictures, both sky colours unset
    /// (-1), weight 0, no frame set asked for (-1). resources may be null: the area then has no
    /// characters.
    cArea(std::string fileName, cCommonResources* resources);
    /// `Clear`.
    ~cArea() override;
    cArea(const cArea&) = delete;
    cArea& operator=(const cArea&) = delete;

    /// Empties the area: the sound player (which stops every sound) and the pictures go, the
    /// characters are reset and handed back, every owned object is deleted, then the world with
    /// its listener and filter. Safe to call twice.
    virtual void Clear();

    /// Makes the sound player and the world, reads the area file and, with the file read, sets the
    /// score every exit can reach, takes the fireflies and the characters of the shared assets,
    /// applies the entrance's start conditions (characters queued at the enter tree, fireflies,
    /// night) and starts the sound.
    /// False, after an "ERROR:" line, when the file does not open or has no enter tree or no exit;
    /// the controller then deletes the area. What was read stays until then.
    virtual bool Init(cAudioSystem* audio, bool musicMuted, bool ambienceMuted);

    /// The world with the game's listener and filter: its box from (-1000, -1000) to (1000, 1000),
    /// gravity (0, -200), sleeping allowed (the physics layer's defaults).
    void CreateWorld();
    /// The characters of the shared assets are reset first, then the area file is read.
    bool LoadFromFile(const std::string& path);
    /// Reads the area file `fileName` into area (`cAreaFileReader`). False only when it does not open.
    static bool LoadAreaFile(cArea* area, const std::string& fileName);

    /// What `Update` answers; the first and the last area add answers of their own.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_FRAME_SET = 2,     ///< a frame-changer box asked for `GetTriggeredFrameSet`
        RESULT_LEAVING = 9,       ///< the area is being left through an exit, every tick from then on
        RESULT_FORM_CHANGED = 10, ///< a character changed into or out of its ancestor form
    };

    /// One tick (`cAreaTick`): an `eResult`.
    virtual int Update(int dtMs);
    /// Hands control to another character (`cAreaRoster::SwitchPlayer`).
    virtual void SwitchPlayer(bool forward, bool reselect, bool skipInsideExit);

    // cFramedArea, drawn by `cAreaPainter`
    void Draw(bool sky, bool background) override;
    void DrawPhysicsDebug() override;
    void DrawPlayerPhysics() override;
    float GetDayNightBlend() const override { return lofWeight; }
    bool GetFocusPlayerCenter(float& x, float& y) const override;
    bool IsPaused() const override { return paused; }
    void SetPaused(bool pauseScreenShown) override;
    void ClearPaused() override;
    bool IsPauseScreenShown() const { return pauseScreenShown; }

    /// The character under control; null when nobody is.
    virtual cPlayerChar* GetCurrentPlayer() const;
    /// The character the dynamic frames follow: the current one.
    virtual cPlayerChar* GetFocusPlayer() const;
    /// Asks every exit to let the character of that id in.
    virtual void SetExitsTarget(int id);

    /// The settings' mute flags to the sound player (the controller reads them from its
    /// `cGameSettings`, which this layer does not know). Always true.
    bool ApplySoundSettings(bool musicMuted, bool ambienceMuted);
    /// The entrance's flags; startAsNight also sets the weight to 1 at once.
    void SetEnterTreeFlags(bool spawnAntlerOnly, bool startAsNight, bool spawnFireFlies);
    /// The frame-set index a frame-changer box asked for last; -1 before any.
    int GetTriggeredFrameSet() const { return triggeredFrameSet; }
    /// The hint picture without keys that info boxes show while `customControls` is set.
    static constexpr int kKeyNeutralInfo = 38;

    // Makers: each builds its object with the area's world and appends it to its list.

    /// A terrain box with lower-left corner (x, y), `ePhysicsBodyType` type, density 0, friction
    /// 0.5. Types 4 and 5 and quake terrain stay out of the world (the area puts them in later);
    /// every other type is in the world at once. A size that is not positive is refused.
    void AddPhysicsBody(float x, float y, float w, float h, int type, int addAfterQuake);
    /// The entrance tree; the last one made receives and releases the characters.
    void AddAreaEnterTree(const QString& file, int x, int y, bool forceSwitch);
    /// An exit tree; the first one made is exit 0, which the hearts fly to.
    void AddAreaExit(const QString& file, int x, int y, bool activated, bool tutorial, const std::string& destination);
    /// A heart of value at (x, y) flying to exit 0's mouth plus (5, 10) once touched (at once with
    /// travelNow). Refused with an "ERROR:" line in an area without an exit: it could go nowhere.
    virtual void AddHeartAtExit(float x, float y, int value, bool travelNow);
    /// A heart with a target of its own.
    virtual void AddHeart(float x, float y, int value, float targetX, float targetY, bool travelNow);
    /// count stars at random points of a 3-unit grid over the world texture, twinkling, 2 units
    /// large; the same stars for the same calls on every run.
    void AddStars(int count);
    /// Most stars an area holds, far more than its sky has room for; AddStars adds no more.
    static constexpr int kMaxStars = 1000;
    /// A cloud with shared cloud animation animationId (0 to 4) by day and its twin (+5) in the
    /// Vadi do Davovodaz, drifting speed units per second, drawn scale times as large. An id out
    /// of range or a scale below 1 is refused with an "ERROR:" line.
    void AddCloud(float x, float y, int speed, int animationId, int scale);
    /// The same from the large clouds, at scale 1.
    void AddCloudHD(float x, float y, int speed, int animationId);
    /// A little one-way platform with lower-left corner (x, y), in the world at once; type chooses
    /// its look. A size that is not positive is refused.
    void AddPlatform(int x, int y, int w, int h, int type);
    /// A plant from its file at (x, y), drawn behind the characters.
    void AddBasicPlant(const QString& file, int x, int y);
    /// Grass from its file at (x, y), drawn in front of the characters, rustling like grass.
    void AddGrass(const QString& file, int x, int y);
    void AddMushroom(const QString& file, int x, int y);
    /// A glow mushroom that stays hidden hideTimeMs once touched.
    void AddGlowMushroom(const QString& file, int x, int y, int hideTimeMs);
    /// A flier of that type (1 bat, 2 bird, 3 beetle, else dragonfly) wandering the zone.
    void AddNPCFly(int type, int zoneX, int zoneY, int zoneWidth, int zoneHeight);
    /// Five sparkles over the waterfall of w x h from (x, y). An empty box is refused with an
    /// "ERROR:" line: a sparkle needs a point to show at.
    void AddWaterFallSparkles(int x, int y, int w, int h);
    /// A pool of w x h from (x, y) in that colour, its deadly body in the world at once.
    void AddWaterArea(int x, int y, int w, int h, int r, int g, int b, int a);
    /// Bubbles of the shared size (0 small, 1 medium, 2 large) at (x, y).
    void AddWaterBubbles(int x, int y, int size);
    /// Puts an emitter box (taken over) that has read its element into the world with its stone
    /// blocks.
    void AddEmitterBox(cEmitterBox* box);
    /// A stack box of type 0 to 7 with its lower-left corner at (x, y).
    void AddStackBox(int x, int y, uint16_t type);
    /// A frame-changer box switching between the area's frame sets frameSet1 and frameSet2.
    void AddFrameChangerBox(int x, int y, int frameSet1, int frameSet2, bool oneTime);
    /// An info box of w x h at (x, y) with its bubble at the offset from it: a plain one for a
    /// heartBoxId below 0, else one bound to the emitter box of that index in file order; an index
    /// the area does not have is refused with an "ERROR:" line. collisionMonsterId is the id of the
    /// only character it answers (below 0 any); lifeTime is the bubble's time in milliseconds.
    void AddInfoTriggerHeartBox(int x, int y, float w, float h, int heartBoxId, float offsetX, float offsetY,
                                bool triggerOnce, int infoAnimIndex, int collisionMonsterId, bool isSuperBeing,
                                int lifeTime);

    // Makers of the scripted first and last areas: each answers whether it made its object; an
    // ordinary area makes none of them.

    /// The first area's heart tree (`Level0EnterTree`).
    virtual bool CreateLevel0EnterTree(const QString& file, int x, int y);
    /// A loose rock of the first area (`FallingRock`).
    virtual bool CreateFallingRock(const QString& file, int x, int y, bool staying, bool coverStone);
    /// The last area's heart tree (`HeartTreeExit`), which becomes its only exit.
    virtual bool CreateExitTree(const QString& file, int x, int y, bool activated, const std::string& destination);

    // Setters of single values.

    void SetName(const std::string& areaName) { name = areaName; }
    const std::string& GetName() const { return name; }
    /// Replace the day, Land-of-Fireflies or bat-land picture by a new 512 x 512 one showing the
    /// file. When the file does not load the new picture stays, untextured, the stored name keeps
    /// its old value and the result is false.
    bool SetBackgroundFile(const QString& file);
    bool SetLandOfFirefliesBackgroundFile(const QString& file);
    bool SetBatlandBackgroundFile(const QString& file);
    QString GetBackgroundFile() const { return dayBackgroundFile; }
    QString GetLandOfFirefliesBackgroundFile() const { return lofBackgroundFile; }
    QString GetBatlandBackgroundFile() const { return batlandFile; }
    /// The day sky: first colour along the lower edge, second along the upper edge; -1 marks a
    /// colour as unset.
    void SetSkyColors(int r, int g, int b, int r1, int g1, int b1);
    void SetSkyLoFColor(int r, int g, int b);
    /// Stack-box type 0 sets the antler tutorial, type 1 the spirit tutorial; the special mode
    /// takes second on every call.
    void SetTutorialFlags(int stackBoxType, bool second);
    /// An empty day ambience loads no ambience, an empty music file no music.
    void SetAmbienceAndMusic(const QString& dayAmbience, const QString& nightAmbience, const QString& musicFile,
                             bool loop, int delayMs);
    /// An area sound (0 to 2 the forms' themes, 42 to 44 free tunes); an empty file loads nothing.
    void SetMusicTheme(int id, const QString& file);

    // Accessors.

    cAreaSoundPlayer* GetSoundPlayer() const { return soundPlayer.get(); }
    /// Where the player goes on to: the only exit's destination, else that of the first exit that
    /// holds every character taking part; empty when none does.
    std::string GetExitDestination() const;
    /// Score, positive and negative count of exit 0; zeros without an exit.
    virtual void GetExitInfo(int* score, int* positive, int* negative) const;
    /// Writes nothing; always true. Areas are made by hand, never saved by the game.
    bool SaveToFile(const QString& path) const;
    /// Mutes or unmutes the spore mushrooms' sound until their next update, after which it follows
    /// the sound effects' mute again.
    void SetMushroomsFlag(bool muted);
    /// Platforms and clouds take their Vadi do Davovodaz look.
    void ApplyLoFToEntities();

    physics::World* GetWorld() const { return world.get(); }
    const std::string& GetFileName() const { return fileName; }
    const std::array<int, 6>& GetSkyColor() const { return skyColor; }
    const std::array<int, 3>& GetSkyLoFColor() const { return skyLoFColor; }
    const cImage* GetDayBackground() const { return dayBackground.get(); }
    const cImage* GetLoFBackground() const { return lofBackground.get(); }
    const cImage* GetBatlandPicture() const { return batlandPicture.get(); }
    const std::vector<cPhysicsBody*>& GetBodies() const { return bodies; }
    const std::vector<cCloud*>& GetClouds() const { return clouds; }
    const std::vector<Star*>& GetStars() const { return stars; }
    const std::vector<cPlayerChar*>& GetPlayers() const { return players; }
    const std::vector<FireFly*>& GetFireFlies() const { return fireFlies; }
    const std::vector<Platform*>& GetPlatforms() const { return platforms; }
    const std::vector<cHeart*>& GetHearts() const { return hearts; }
    const std::vector<cAreaEnterTree*>& GetEnterTrees() const { return enterTrees; }
    const std::vector<cAreaExit*>& GetExits() const { return exits; }
    const std::vector<NPCFly*>& GetNPCFlies() const { return npcFlies; }
    const std::vector<cMushroom*>& GetMushrooms() const { return mushrooms; }
    const std::vector<cGlowMushroom*>& GetGlowMushrooms() const { return glowMushrooms; }
    const std::vector<BasicPlant*>& GetPlantsBack() const { return plantsBack; }
    const std::vector<BasicPlant*>& GetPlantsFront() const { return plantsFront; }
    const std::vector<WaterArea*>& GetWaterAreas() const { return waterAreas; }
    const std::vector<WaterFallSparkle*>& GetSparkles() const { return sparkles; }
    const std::vector<WaterBubbles*>& GetBubbles() const { return bubbles; }
    const std::vector<cEmitterBox*>& GetEmitterBoxes() const { return emitterBoxes; }
    const std::vector<cStackBox*>& GetStackBoxes() const { return stackBoxes; }
    const std::vector<cStackBoxFrameConfig*>& GetFrameChangers() const { return frameChangers; }
    const std::vector<cInfoTriggerBox*>& GetInfoTriggerBoxes() const { return infoTriggerBoxes; }
    const std::vector<cInfoTriggerHeartBox*>& GetInfoTriggerHeartBoxes() const { return infoTriggerHeartBoxes; }
    cAreaEnterTree* GetEnterTree() const { return enterTree; }
    int GetCurrentPlayerIndex() const { return currentPlayer; }
    bool IsFinishing() const { return finishing; }
    bool IsAntlerTutorial() const { return antlerTutorial; }
    bool IsSpiritTutorial() const { return spiritTutorial; }
    bool IsSpiritSpecialMode() const { return spiritSpecialMode; }
    bool GetSpawnAntlerOnly() const { return spawnAntlerOnly; }
    bool GetStartAsNight() const { return startAsNight; }
    bool GetSpawnFireFlies() const { return spawnFireFlies; }
    /// The score every exit can reach: 1, and one more per heart of value 1 after the first heart
    /// of the list, whatever that one is worth.
    int GetMaxScore() const;

protected:
    /// Everything `Clear` does before the world goes: afterwards the world holds no body.
    void ClearObjects();
    /// The sky pass: the sky colour blended towards the Vadi do Davovodaz one by the weight, then
    /// the stars and the clouds.
    void DrawSky();

    cCommonResources* resources;
    std::string fileName;
    std::unique_ptr<cAreaSoundPlayer> soundPlayer;
    bool finishing = false;
    std::unique_ptr<physics::World> world;
    std::unique_ptr<cContactListener> contactListener;
    std::unique_ptr<cContactFilter> contactFilter;
    std::vector<cPhysicsBody*> bodies;
    /// First colour r, g, b, then second colour r, g, b; -1 = unset.
    std::array<int, 6> skyColor{-1, -1, -1, -1, -1, -1};
    std::array<int, 3> skyLoFColor{-1, -1, -1};
    float lofWeight = 0.0f;
    float lofSpeed = 0.0f;
    bool paused = false;
    bool pauseScreenShown = false;
    std::unique_ptr<cImage> dayBackground;
    std::unique_ptr<cImage> lofBackground;
    std::unique_ptr<cImage> batlandPicture;
    QString dayBackgroundFile;
    QString lofBackgroundFile;
    QString batlandFile;
    std::vector<cCloud*> clouds;
    std::vector<Star*> stars;
    /// Borrowed from the shared assets, in roster order: 0 brown, 1 orange, 2 gray (or the
    /// ancestor form standing in for one).
    std::vector<cPlayerChar*> players;
    /// Borrowed from the shared assets: 0 brings the orange character, 1 the gray one.
    std::vector<FireFly*> fireFlies;
    std::vector<cAreaEnterTree*> enterTrees;
    std::vector<cAreaExit*> exits;
    std::vector<Platform*> platforms;
    std::vector<cHeart*> hearts;
    std::vector<NPCFly*> npcFlies;
    std::vector<cMushroom*> mushrooms;
    std::vector<cGlowMushroom*> glowMushrooms;
    std::vector<BasicPlant*> plantsBack;
    std::vector<BasicPlant*> plantsFront;
    std::vector<WaterArea*> waterAreas;
    std::vector<WaterFallSparkle*> sparkles;
    std::vector<WaterBubbles*> bubbles;
    /// Null unless something makes one; ticked before the physics step and drawn last.
    std::unique_ptr<cLie> lie;
    std::vector<cEmitterBox*> emitterBoxes;
    std::vector<cStackBox*> stackBoxes;
    std::vector<cStackBoxFrameConfig*> frameChangers;
    std::vector<cInfoTriggerBox*> infoTriggerBoxes;
    std::vector<cInfoTriggerHeartBox*> infoTriggerHeartBoxes;
    /// The last entrance tree made (borrowed from enterTrees).
    cAreaEnterTree* enterTree = nullptr;
    int currentPlayer = -1;
    bool batLand = false;
    bool spawnAntlerOnly = false;
    bool startAsNight = false;
    bool spawnFireFlies = false;
    std::string name;
    bool spiritTutorial = false;
    bool antlerTutorial = false;
    bool spiritSpecialMode = false;
    int triggeredFrameSet = -1;

    /// Init's steps after reading: the fireflies and characters of the shared assets join.
    void TakeSharedCharacters();

private:
    /// The entrance's flags: who is queued at the enter tree, the fireflies, the night.
    void ApplyStartConditions();
    void AddCloudFrom(const std::vector<cAnimation*>& looks, float x, float y, int speed, int animationId, int scale);
    /// Replaces picture by a new 512 x 512 one showing file; see `SetBackgroundFile`.
    bool ReplacePicture(std::unique_ptr<cImage>& picture, QString& storedFile, const QString& file);
};

#pragma once

#include "world/Area.h"

#include <memory>
#include <vector>

class cAreaEndExitTree;
class cFontManager;

/// The last area, "Family Trees". The player arrives as the antler form, the two carrier fireflies
/// beside the enter tree. Once the pink heart flies, the antler stands still while the heart tree
/// eats it; the frames shake and switch to a camera that follows a marker up to the tree, the
/// fireflies fly there and turn back into orange and gray, who take root as small trees beside it,
/// the tree comes down and the camera returns to the antler, which can now step into the tree's
/// mouth. Then the tree flies away with it, "The End" fades in, then "Press a key to continue",
/// and a key ends the area.
///
/// Its own tick runs the ending, then the ordinary one; its one exit is the heart tree. Times are
/// milliseconds, positions world units.
class cAreaEnd : public cArea
{
public:
    enum ePhase
    {
        PHASE_WAITING = 0,
        PHASE_ENDING = 1,   ///< the choreography; the antler stands still
        PHASE_TO_TREE = 2,  ///< the antler may walk into the tree
        PHASE_THE_END = 3,  ///< the tree flies away, the texts
    };
    /// The camera marker is ready: shake, then switch to the camera's frame set.
    static constexpr int RESULT_SHAKE_THEN_SWITCH = 5;
    /// Area sounds 43 and 44 of the file's `themes` (`Custom2`, `Custom3`): the family's theme as
    /// the fireflies fly up, the farewell as the tree flies away.
    static constexpr int kFamilyThemeId = 43;
    static constexpr int kFarewellThemeId = 44;
    /// Where the extra platform lies, under the heart tree's old place.
    static constexpr float kExtraPlatformX = 253.0f, kExtraPlatformY = 47.0f;
    /// The texts, in world-texture pixels.
    static constexpr int kTitleX = 193, kTitleY = 350, kPromptX = 196, kPromptY = 340;

    explicit cAreaEnd(std::string fileName, cCommonResources* resources = nullptr);
    /// The fireflies are handed back reset; the marker leaves the world before it goes.
    ~cAreaEnd() override;

    /// 200 stars, the world and the file, the extra platform, the characters with the antler in
    /// brown's place, the fireflies hovering beside the enter tree, the antler queued there, the
    /// sound. False, after an "ERROR:" line, when the file does not open or has no enter tree or
    /// no heart tree.
    bool Init(cAudioSystem* audio, bool musicMuted, bool ambienceMuted) override;
    /// The ending's script, then the ordinary tick: 0, 5 (`RESULT_SHAKE_THEN_SWITCH`), 9 (leaving)
    /// or what the ordinary tick answers.
    int Update(int dtMs) override;
    /// The sky, the area without it, the texts, the fireflies.
    void Draw(bool sky, bool background) override;
    /// The area's outlines and the heart tree's sensor and platform.
    void DrawPhysicsDebug() override;
    /// The camera marker while the ending runs, otherwise the character under control.
    bool GetFocusPlayerCenter(float& x, float& y) const override;
    /// The antler's form may not change back; then the file.
    bool LoadFromFile(const std::string& path);
    /// Makes the heart tree, which becomes the only exit.
    bool CreateExitTree(const QString& file, int x, int y, bool activated, const std::string& destination) override;

    /// The texts ask for a key.
    bool IsFinished() const { return keyAccepted; }
    /// A key was pressed while they ask: the area ends in its next tick.
    void SetFinished(bool requested) { finishRequested = requested; }
    /// The antler stands still and the choreography begins (not again while it runs); the area's
    /// music plays on under the themes.
    void StartEnding();

    int GetPhase() const { return phase; }
    int GetTimer() const { return timer; }
    int GetDropDelay() const { return dropDelay; }
    int GetPromptAlpha() const { return promptAlpha; }
    cAreaEndExitTree* GetHeartTree() const { return heartTree; }
    const cPhysicsBody* GetExtraPlatform() const { return extraPlatform; }
    const cPhysicsBody* GetCameraMarker() const { return marker.get(); }
    const std::vector<FireFly*>& GetCarriers() const { return carriers; }

private:
    /// One tick of the choreography; 5 in the tick the marker is made, else 0.
    int UpdateEnding(int dtMs);
    void WaitForTheHeart(int dtMs);
    int SendTheFireFlies(int dtMs);
    void FollowTheFireFly();
    void UpdateCarriers(int dtMs);
    /// 500 ms after the last firefly let its character down, whoever has come down takes root;
    /// once both have, the extra platform turns solid and the tree comes down 4 s later.
    void DropTheCharacters(int dtMs);
    void LowerTheTree(int dtMs);
    void ReturnToTheAntler(int dtMs);
    /// The tree flies off with the antler; the texts fade in.
    void UpdateTheEnd(int dtMs);

    int phase = PHASE_WAITING;
    /// The last exit made (the only one); owned by the exit list.
    cAreaEndExitTree* heartTree = nullptr;
    /// Owned by the terrain body list.
    cPhysicsBody* extraPlatform = nullptr;
    /// The two carrier fireflies, borrowed: 0 brings orange, 1 gray.
    std::vector<FireFly*> carriers;
    int subStep = 0;
    int timer = 0;
    int dropDelay = 0;
    /// What the camera follows during the ending: a point in the world, touching nothing.
    std::unique_ptr<cPhysicsBody> marker;
    std::unique_ptr<cFontManager> font;
    bool finishRequested = false;
    bool keyAccepted = false;
    int titleAlpha = 0;
    int promptAlpha = 0;
};

#pragma once

#include "world/Area.h"

#include <memory>
#include <vector>

class cFallingRock;
class cLevel0EnterTree;

/// The scripted opening area, "The Heart Tree". The three characters start inside the heart tree,
/// which lets the brown one out after 3 s and one more for every pink heart fed to it. The first
/// green heart that nears the tree starts a 3 s countdown to an earthquake; once the last heart has
/// been eaten while the tree's score is below 1, the tree leaps, the loose rocks fall, the
/// platforms hidden behind the cover stone appear, the heart-tree theme plays, the exit wakes up
/// and the tree rises out of the picture. The area is left through its exit like any other.
///
/// It reads its file like any area and owns, besides, the heart tree and the rocks; it runs a tick
/// and a drawing order of its own instead of the ordinary ones. Times are milliseconds.
class cArea0 : public cArea
{
public:
    /// Where the script stands.
    enum ePhase
    {
        PHASE_OPENING = 0,
        PHASE_QUAKE = 1,   ///< after the earthquake
        PHASE_LEAPT = 2,   ///< after the tree's leap
        PHASE_RISING = 3,
    };
    /// The area's answers besides the ordinary ones.
    enum eResult
    {
        RESULT_SHAKE_THEN_SWITCH = 3, ///< the tree has leapt: shake, then show the next frame set
        RESULT_SHAKE = 4,             ///< the earthquake
    };
    /// Area sound 42 of the file's `themes` (`Custom1`): the heart tree's theme.
    static constexpr int kThemeId = 42;
    static constexpr int kQuakeCountdownMs = 3000;
    static constexpr int kJumpCountdownMs = 3500;
    /// Into the time after the leap: the theme, the exit waking up, the tree rising.
    static constexpr int kThemeAtMs = 6000;
    static constexpr int kExitAtMs = 8000;
    static constexpr int kRiseAtMs = 9500;
    /// A switch to another character shows the next one's switch hint this long after.
    static constexpr int kSwitchHintMs = 4000;

    explicit cArea0(std::string fileName, cCommonResources* resources = nullptr);
    /// The rocks, then the tree, go before the world.
    ~cArea0() override;

    /// The world and the file, the characters put into the tree in roster order, 250 stars more,
    /// the sound started. False, after an "ERROR:" line, when the file does not open or has no
    /// heart tree or no exit.
    bool Init(cAudioSystem* audio, bool musicMuted, bool ambienceMuted) override;
    /// The script's tick: 0, 3 (`RESULT_SHAKE_THEN_SWITCH`), 4 (`RESULT_SHAKE`) or 9 (leaving).
    int Update(int dtMs) override;
    /// Back to front: sky, the back picture, the tree's island, the staying rocks, the exits, the
    /// other rocks, the day picture over them, the tree, the objects, the characters, the plants
    /// in front of them, the bubbles.
    void Draw(bool sky, bool background) override;
    /// The ordinary switch; while hints are on, the new character shows its default bubble and the
    /// next one's switch hint follows 4 s later.
    void SwitchPlayer(bool forward, bool reselect, bool skipInsideExit) override;
    /// Hearts fly to the heart tree's mouth plus (5, 10); refused without a tree.
    void AddHeartAtExit(float x, float y, int value, bool travelNow) override;
    /// Exit 0's score; the counts are always 2 pink and 10 green hearts.
    void GetExitInfo(int* score, int* positive, int* negative) const override;
    bool CreateLevel0EnterTree(const QString& file, int x, int y) override;
    bool CreateFallingRock(const QString& file, int x, int y, bool staying, bool coverStone) override;

    /// Hints off; switch hints showing close and every character gets its default bubble back.
    void ClearSwitchHints();

    int GetPhase() const { return phase; }
    cLevel0EnterTree* GetHeartTree() const { return heartTree.get(); }
    const std::vector<std::unique_ptr<cFallingRock>>& GetRocks() const { return rocks; }
    int GetPhase2Clock() const { return phase2Clock; }
    int GetQuakeCountdown() const { return quakeCountdown; }
    bool AreHintsOn() const { return hintsOn; }

private:
    /// The steps of `Update`, in its order.
    int UpdateCountdowns(int dtMs);
    void UpdateAfterLeap(int dtMs);
    void UpdateHearts(int dtMs);
    void HandleHeartNear(const cHeart& heart);
    void HandleHeartArrived(const cHeart& heart);
    void HandleHeartTravelling(const cHeart& heart);
    int UpdateHeartTree(int dtMs);
    void LetOut(int id);
    void UpdateScenery(int dtMs);
    void UpdateRocks(int dtMs);
    void UpdatePlayers(int dtMs);
    void UpdateSwitchHint(int dtMs);
    /// Player index shows the switch hint (key-neutral with custom controls), endless.
    void ShowSwitchHint(int index);
    /// Every character's switch hint closes.
    void HideSwitchHints();
    /// The terrain that waited for the quake enters the world.
    void AddQuakeTerrain();

    int phase = PHASE_OPENING;
    std::unique_ptr<cLevel0EnterTree> heartTree;
    std::vector<std::unique_ptr<cFallingRock>> rocks;
    int phase2Clock = -1;
    int switchHintTimer = -1;
    int quakeCountdown = 0;
    int jumpCountdown = 0;
    bool hintsOn = true;
};

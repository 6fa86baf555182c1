#pragma once

#include "actors/AreaExit.h"

/// The heart tree of the first area: it holds the three characters at the start and lets them out
/// one by one at its mouth (the first 3 s after the start, each further one 2 s after a pink heart
/// it eats), eats the hearts that fly to it, leaps once on request and can then rise slowly out
/// of the picture with its island.
///
/// Only its area updates and draws it; it is in none of the area's object lists, so the area's exit
/// check never counts it. Characters never enter it by touching it. Its file is an exit-tree file
/// (root `Level0EnterTree`) with 40 animations: 0 to 17 the mouth's (`eExitAnim`), 18 the leap,
/// 19 the island under the tree, 20 to 39 the tree itself as 5 rows of 4 tiles (columns 32, 32, 32
/// and 16 pixels wide, rows 32 high; tile 20 + column + 4 x row, row 0 at the top). Positions are
/// world units (the sensor's lower-left corner), times milliseconds.
class cLevel0EnterTree : public cAreaExit
{
public:
    /// `Update` reports the id (0, 1, 2) of the character just let out, or these.
    enum eResult
    {
        RESULT_NONE = -1,
        RESULT_JUMP_OVER = 3,
    };
    enum eAnim
    {
        ANIM_JUMP = 18,
        ANIM_ISLAND = 19,
        ANIM_FIRST_TILE = 20,
    };
    static constexpr int kTileRows = 5;
    static constexpr int kTileColumns = 4;
    static constexpr int kTileSize = 32;
    /// The first character leaves this long after the start (plus the release delay).
    static constexpr int kFirstOpenMs = 3000;
    /// A pink heart opens the mouth for the next character this long after it is eaten.
    static constexpr int kHeartOpenMs = 2000;
    /// From the open mouth to the character stepping out.
    static constexpr int kReleaseMs = 1000;

    /// Reads the file and puts the sensor into world at (x, y); the resting face, the open timer
    /// running, the big heart counting up to 2, the tree's open and close sounds (type 0).
    cLevel0EnterTree(const QString& file, physics::World* world, float x, float y);
    ~cLevel0EnterTree() override;

    /// Nobody enters the tree by touching it.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    void OnContactRemove(cPhysicsBody* other) override;
    void OnContactPersist(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// The leap runs alone until its picture has played (then `RESULT_JUMP_OVER`); otherwise the
    /// rise, the mouth and indicator, the opening and the release of the next character inside.
    int Update(int dtMs) override;
    /// The score, the heart's sound and, unless chewing or leaping, the reaction. Then a pink
    /// heart of value exactly 1 eaten while someone other than brown waits inside opens the mouth
    /// 2 s later, and the next character comes out 1 s after that.
    void EatHeart(int value) override;

    /// The character waits inside until its turn to come out.
    void Enqueue(cPlayerChar* character);
    /// Starts the leap with its sound, once only.
    void StartJump();
    bool HasJumped() const { return jumped; }
    /// From now on the tree drifts up and to the right, without end.
    void StartRising() { rising = true; }
    bool IsRising() const { return rising; }
    /// The mouth operations of the exit, ignored during the leap.
    void OpenMouth(bool again);
    void CloseMouth(int timeMs);

    /// The tiles, the mouth (or the leap instead of both) and the big heart.
    void Draw();
    /// The island the tree stands on, which the area draws behind the ground.
    void DrawIsland();

protected:
    /// Start values only, for the last area's tree, which loads itself.
    cLevel0EnterTree() = default;

    /// Moves the tree and its indicator by (dx, dy).
    void MoveBy(float dx, float dy);
    /// The heart's value on the big heart, and its sound.
    void CountHeart(int value);

    int openTimer = kFirstOpenMs;
    int releaseTimer = -1;
    bool jumped = false;
    bool rising = false;
};

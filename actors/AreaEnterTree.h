#pragma once

#include "actors/TreeLooks.h"
#include "engine/Entity.h"

#include <QString>

#include <box2d/b2_math.h>

#include <vector>

namespace physics {
class World;
}
class cPlayerChar;

/// What the enter tree is doing.
enum eEnterTreeState
{
    ENTER_CLOSED = 0,  ///< nobody waits
    ENTER_WAITING = 1, ///< somebody waits; the mouth opens after the wait time
    ENTER_OPENING = 2, ///< the mouth opens; the first in the queue comes out at its end
    ENTER_OPEN = 3,    ///< the mouth stays open a while, then closes or waits for the next
};

/// The positions of an enter-tree file's animations.
enum eEnterTreeAnim
{
    ENTER_ANIM_NEUTRAL = 0,
    ENTER_ANIM_OPEN = 1,
    ENTER_ANIM_NEUTRAL_LOF = 2,
    ENTER_ANIM_OPEN_LOF = 3,
};

/// The tree (or cave, or mushroom) through which characters come into an area. It holds a queue
/// of characters waiting to come out and lets them out one at a time at its mouth: a wait, the
/// mouth opening, the first character out, the mouth open a while, then the next cycle or rest.
/// The area queues every character at the start and each one again when its death is over. No
/// body, no contacts.
///
/// The enter-tree file ("res/xml/actors/AreaEnterTrees/*.xml", root `AreaEnterTree`) names the
/// default chip set (`src`), the sound set (`type`: 0 tree, 1 cave, 2 mushroom; any other value,
/// or none, is silent), the mouth's offset and the four animations of `eEnterTreeAnim`. Positions
/// in world units, times in milliseconds. Characters are borrowed.
class cAreaEnterTree : public cEntity
{
public:
    /// Reads the file; the tree stands at (x, y), closed. With forceSwitch, a character that comes
    /// out becomes the controlled one.
    cAreaEnterTree(physics::World* world, const QString& file, float x, float y, bool forceSwitch);
    ~cAreaEnterTree() override;

    /// Reads an enter-tree file (":/" is put in front of a path without it), appending its
    /// animations. False, after an "ERROR:" line, when the file does not open.
    bool LoadFromXml(const QString& file);

    /// Queues the character unless one of the same id and form is queued already; a closed tree
    /// starts waiting.
    void Enqueue(cPlayerChar* character);
    bool IsQueued(int id, bool ancestorForm) const;
    int GetQueueLength() const { return static_cast<int>(queue.size()); }

    /// Advances the pictures and the cycle. The id of the character that came out in this
    /// update, else -1.
    int Update(int dtMs);

    b2Vec2 GetPosition() const { return position; }
    /// The position plus the mouth offset; characters come out beside or on it.
    b2Vec2 GetMouthPosition() const { return position + mouthOffset; }
    bool GetForceSwitch() const { return forceSwitch; }
    int GetState() const { return state; }
    int GetType() const { return type; }
    /// Positions in the file's list of the pictures shown; -1 for none.
    int GetDayAnimationIndex() const { return looks.GetDayIndex(); }
    int GetLoFAnimationIndex() const { return looks.GetLoFIndex(); }

    /// The day (or Vadi do Davovodaz) picture at the position with weight (clamped to [0, 1]) as
    /// alpha.
    void DrawDay(float weight);
    void DrawLoF(float weight);

    /// Times of the cycle's states.
    static constexpr int kWaitMs = 1000;
    static constexpr int kOpeningMs = 450;
    static constexpr int kOpenMs = 750;

private:
    /// The first queued character comes out at the mouth: id 1 five units left of it, id 2 five
    /// units right, any other on it. Its id.
    int ReleaseNext();
    /// Shows day picture i and its Vadi do Davovodaz twin, each from its first frame.
    void ShowPair(int dayIndex, int lofIndex);

    b2Vec2 position;
    b2Vec2 mouthOffset{0.0f, 0.0f};
    int timer = 0;
    int waitTime = kWaitMs;
    int openingTime = kOpeningMs;
    int openTime = kOpenMs;
    int state = ENTER_CLOSED;
    /// No sound set until the file gives one.
    int type = -1;
    bool forceSwitch;
    physics::World* world;
    /// Waiting to come out, first in first out (borrowed).
    std::vector<cPlayerChar*> queue;
    cTreeLooks looks;
};

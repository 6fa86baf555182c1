#pragma once

#include "actors/CharacterAnimations.h"
#include "actors/TriggerBox.h"

#include <QString>

namespace physics {
class World;
}

/// Living decoration: grass, reeds, wool grass, ferns, flowers. A plant sways to the side where it
/// was touched, with a rustle that depends on its kind, and now and then plays an idle animation;
/// it has a day look and a Vadi do Davovodaz look. The mushrooms build on it.
///
/// A trigger box for any character whose sensor body comes from the plant's file. Every plant
/// file holds the animations 0 to 9 (mushroom files 0 to 12): 0 standing, 1 and 2 idle, 3 and 4
/// touched on the left and on the right half, and 5 to 9 the same by night.
class BasicPlant : public cTriggerBox
{
public:
    enum eState
    {
        STATE_IDLE = 0,
        STATE_IDLE_ANIMATION = 1,
        STATE_TOUCHED = 3,
    };
    enum eAnim
    {
        ANIM_STAND = 0,
        ANIM_IDLE = 1,
        ANIM_TOUCHED_LEFT = 3,
        ANIM_TOUCHED_RIGHT = 4,
        /// Added to a day position for its night twin.
        ANIM_NIGHT = 5,
    };
    /// The rustle when touched: none, wool grass (1 and 3), reed, grass.
    enum eType
    {
        TYPE_SILENT = 0,
        TYPE_WOOL_GRASS = 1,
        TYPE_REED = 2,
        TYPE_WOOL_GRASS_2 = 3,
        TYPE_GRASS = 99,
    };

    /// The plant of the file (":/" put in front when missing) at (x, y) in world units, its body
    /// in world; a `type` in the file replaces the given one. Standing, by day.
    BasicPlant(const QString& file, physics::World* world, int x, int y, int type);
    ~BasicPlant() override;

    /// Reads the plant file: `src` on any element gives the chip set of the animations after it,
    /// `type` on any element the plant's type, `body` (w, h, density, friction) the sensor made in
    /// world at (x, y). False, after an "ERROR:" line, when the file does not open.
    bool LoadFromXml(const QString& file, physics::World* world, int x, int y);

    /// Advances the animation; below state 4 an idle animation starts at random intervals of 1 to
    /// 6 s (the first at once); a finished idle or touch animation goes back to standing. A plant
    /// whose file gave no animations stands still. Returns 1.
    int Update(int dtMs) override;
    /// Counts the contact; unless already swaying from a touch, rustles and sways away from the
    /// side of the contact point.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// (x, y) as given, not the body's corner.
    b2Vec2 GetPosition() const override;

    /// The current animation at (x, y), white, opaque.
    virtual void Draw();
    virtual void SwitchToLoF();
    virtual void SwitchToDay();

    int GetState() const { return state; }
    int GetType() const { return type; }
    bool IsNight() const { return night; }
    int GetAnimationIndex() const { return animations.GetIndex(); }
    /// Animation i of the file; null past the end.
    const cAnimation* GetAnimation(int i) const { return animations.Get(i); }
    int GetAnimationCount() const { return animations.GetCount(); }

protected:
    /// Standing in the current look (not restarted); state 0.
    void SetIdle();
    /// One of the two idle animations of the current look, from its start; state 1.
    void PlayIdle();
    /// Animation index of the current look (the night twin at night), from its first frame,
    /// visible.
    void Show(int dayIndex);
    /// The same for an index that is the same by day and by night.
    void ShowExact(int index);
    /// The animation at index, not restarted; nothing for a plant without animations.
    void ShowAnimation(int index);
    bool IsCurrentFinished() const { return animations.IsCurrentFinished(); }

    int state = STATE_IDLE;
    bool night = false;

private:
    bool HasAnimations() const { return animations.GetCount() > 0; }

    int x, y;
    cCharacterAnimations animations;
    int idleInterval = 0;
    int idleTimer = 0;
    int type;
};

#pragma once

#include "actors/CharacterAnimations.h"
#include "engine/PhysicsActor.h"

#include <QString>

/// A loose rock of the first area: it stands as a platform until the heart tree's jump shakes it
/// loose, then, after a random delay, drops through everything and out of the picture. A staying
/// rock never drops (it stands behind the exit); the cover stone, which hides the platforms that
/// come after the quake, tells its area once when it has fallen out of their way.
///
/// The rock file ("res/xml/actors/rocks/*.xml", root `Rock`) names the default chip set (`src` on
/// any element but an animation), the animations (the first one is shown) and one `body` whose
/// w, h, density, friction and type (the area file's body types; 1 when absent) are whole numbers.
/// Positions are world units (the body's lower-left corner), times milliseconds.
class cFallingRock : public cPhysicsActor
{
public:
    /// What `Update` reports.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_COVER_GONE = 22, ///< the cover stone has fallen out of the way (once)
    };
    /// Below this height the cover stone no longer hides anything.
    static constexpr float kCoverGoneBelow = -134.0f;

    /// Kind 13, resting, then the file read with the body put into world at (x, y). A file that
    /// does not load leaves the rock without body and picture.
    cFallingRock(const QString& file, physics::World* world, int x, int y, bool staying, bool coverStone);
    ~cFallingRock() override;

    /// Reads the rock file; false, after an "ERROR:" line, only when it does not open.
    bool LoadFromXml(const QString& file, physics::World* world, int x, int y);

    /// Counts down a triggered fall and drops the rock when its delay has passed (strictly), reports
    /// the cover stone's way out, and advances the picture.
    int Update(int dtMs) override;
    /// The rock drops after a random delay from 0 to maxDelayMs - 1 (none for a delay of 1 or less).
    void TriggerFall(int maxDelayMs);
    /// The resting body gives way to a sensor with mass at the start position, which falls under
    /// gravity through everything and is never stopped.
    void Drop();
    /// The current picture at the body's corner.
    void Draw();

    bool IsStaying() const { return staying; }
    bool IsFallTriggered() const { return state == STATE_TRIGGERED; }
    unsigned int GetFallDelay() const { return fallDelay; }
    int GetBodyWidth() const { return bodyWidth; }
    int GetBodyHeight() const { return bodyHeight; }
    int GetAnimationCount() const { return animations.GetCount(); }

private:
    enum eState
    {
        STATE_RESTING = 0,
        STATE_TRIGGERED = 1,
    };

    /// Reads one `body` element as the resting body, in place of any before it.
    void ReadBody(const class QXmlStreamAttributes& attributes, class cFileBody& body);

    cCharacterAnimations animations;
    int startX;
    int startY;
    physics::World* world;
    int state = STATE_RESTING;
    unsigned int fallDelay = 0;
    unsigned int fallTimer = 0;
    bool staying;
    bool coverStone;
    int bodyWidth = 0;
    int bodyHeight = 0;
};

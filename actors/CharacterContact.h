#pragma once

#include <box2d/b2_math.h>

class cPhysicsBody;
class cPlayerChar;

/// One contact between a character's body and another body, read and acted on from the
/// character's side. Made by the character's contact handlers for the moment of the call; it
/// works through the character's public (and virtual) operations, so the forms' overrides take
/// part. Positions are world units.
class cCharacterContact
{
public:
    cCharacterContact(cPlayerChar& self, const cPhysicsBody& other);

    /// The bodies began to touch (nothing while the character dies, enters or sits in an exit,
    /// or changes form): killing terrain (types 3 and 7) kills with respawn; ordinary terrain
    /// kills a character that a firefly dropped this tick; ground under the feet lands a falling
    /// or sinking character, and every touch of ground during a head-jump turns a form back and
    /// pops (`PopsUnderHeadJump`); the character below counts this one as carried; a character
    /// that head-jumps onto this one squashes it; a body of type 6 pushes the character away.
    void Begin();
    /// The bodies parted: the character below no longer counts this one as carried.
    void End();

    /// The other body's `ePhysicsBodyType`.
    int GetType() const { return type; }
    /// The boxes share more than 0.01 units sideways: a touch at the side never counts as
    /// standing on something.
    bool OverlapsX() const;
    /// The other body's top lies below the character's bottom plus 2 units.
    bool IsUnderFeet() const;
    /// The character behind the other body; null for terrain and for every other actor (the
    /// fireflies share the characters' kind but are no characters).
    cPlayerChar* GetCharacter() const;
    /// The other body has no owner, or one that a head-jump makes pop: an emitter box, a receiver
    /// box or a falling rock.
    bool PopsUnderHeadJump() const;
    /// The character's centre lies higher than the other body's.
    bool IsAbove() const;
    /// The unit vector from the character's centre towards the other body's centre; zero when
    /// the centres coincide.
    b2Vec2 DirectionToOther() const;

private:
    bool IsDeadly() const;
    /// The character moves up faster than what the solver leaves on a body that came to rest.
    bool IsRising() const;
    /// Dies of killing terrain or of a drop into terrain; false when the contact does not kill.
    bool Kills();
    /// Ground under the feet: every touch of it during a head-jump turns a form back and may pop,
    /// and a falling character, or a jumping one that no longer rises, lands.
    void LandOnIt();

    cPlayerChar& self;
    const cPhysicsBody& other;
    int type;
};

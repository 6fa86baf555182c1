#pragma once

#include "engine/PhysicsActor.h"

/// An invisible box that counts the characters touching it: the base of the info boxes and of the
/// plants. It counts contact points, not bodies (a character standing in it usually touches it at
/// two points), and only those of the characters it accepts: every character, or the one whose id
/// it requires. A one-time box accepts nothing more once it has fired.
///
/// The box makes no body itself; its subclasses give it one (a sensor as a rule). Kind 0.
class cTriggerBox : public cPhysicsActor
{
public:
    /// Not triggered, counts 0, enabled; requiredId below 0 accepts every character.
    cTriggerBox(bool oneTime, int requiredId);

    /// An accepted point: counted; while enabled the box is triggered and the entry counts as a firing.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// An accepted point ends: uncounted (never below 0); the last one untriggers the box.
    void OnContactRemove(cPhysicsBody* other) override;
    /// Always 1; the counting happens in the contacts.
    int Update(int dtMs) override;

    /// Whether a contact with the other body counts: only a character's (a real `cPlayerChar`: the
    /// fireflies share its kind and never count), of the required id unless any is accepted, and
    /// nothing once a one-time box has fired.
    virtual bool AcceptsContact(const cPhysicsBody* other) const;
    /// The character id accepted from now on; below 0 every character.
    virtual void SetRequiredForm(int id) { requiredId = id; }

    /// Switching off untriggers the box at once; while off, accepted points are still counted but
    /// neither trigger nor fire it. Always true.
    bool SetEnabled(bool on);
    void SetOneTime(bool on) { oneTime = on; }

    bool IsTriggered() const { return triggered; }
    bool IsEnabled() const { return enabled; }
    bool HasFired() const { return fireCount > 0; }
    int GetFireCount() const { return fireCount; }
    int GetContactCount() const { return contactCount; }
    int GetRequiredForm() const { return requiredId; }
    /// Two points to a character: the counted points halved.
    int GetCharactersInside() const { return contactCount / 2; }

private:
    bool triggered = false;
    int contactCount = 0;
    int fireCount = 0;
    bool oneTime;
    bool enabled = true;
    int requiredId;
};

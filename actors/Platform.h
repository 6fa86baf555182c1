#pragma once

#include "engine/PhysicsBody.h"

/// A little one-way ledge: a body of type 2 without an owner, drawn with a shared common
/// animation by day and another in the Vadi do Davovodaz. The area creates it in its world at
/// the place its file gives, keeps it in its platform list and destroys its body before deleting
/// it (or deletes the world first).
class Platform : public cPhysicsBody
{
public:
    /// The look: 1 a wooden ledge, 2 a mushroom ledge.
    enum eLook
    {
        WOODEN = 1,
        MUSHROOM = 2,
    };

    /// A w × h body description of type 2 (one-way), density 0, friction 0.5; by day.
    Platform(int w, int h, int type);

    void SwitchToLoF() { night = true; }
    void SwitchToDay() { night = false; }
    bool IsNight() const { return night; }
    int GetLookType() const { return type; }

    /// The common animation of the current look (`CommonAnimIndex`) at the body's lower-left
    /// corner, white, opaque, scale 1; nothing when the shared list lacks it.
    virtual void Draw();
    /// Wooden: 5 by day, 9 at night; mushroom: 12 and 13; any other type: 9 both.
    int CommonAnimIndex() const;

private:
    bool night = false;
    int type;
};

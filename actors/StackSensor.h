#pragma once

#include "engine/PhysicsActor.h"

#include <cstdint>

class cPlayerChar;
class cStackBox;

/// One cell of a stack box's tower: a small sensor at the height where the bottom, middle or top
/// character of the tower stands. It takes in the first standing or walking character it accepts
/// (any, or only the one whose id it requires) and tells its box, which decides whether the tower
/// is complete; it lets the character go when it dies or leaves the cell. While it holds a
/// character it can show an indicator floating above it: the picture of the shared common list
/// that names who belongs in the cell above.
///
/// Made and owned by its box; kind 10. Positions in world units.
class StackSensor : public cPhysicsActor
{
public:
    enum ePosition : uint16_t
    {
        BOTTOM = 0,
        MIDDLE = 1,
        TOP = 2,
    };
    /// Indices of the shared common list.
    enum eIndicator
    {
        INDICATOR_ANY = 4,
        INDICATOR_BROWN = 6,
        INDICATOR_ORANGE = 7,
        INDICATOR_GRAY = 8,
    };

    /// A 4 × 4 sensor at position's height over the box whose lower-left corner is (x, y); put into
    /// world unless that is null (a box that could not be built has cells nobody reaches).
    StackSensor(cStackBox* box, physics::World* world, float x, float y, ePosition position);

    /// A character arriving (or staying: persisting points do the same) is taken in when the cell
    /// is free, it is accepted, it stands or walks and it reaches into the cell (the one below
    /// touches the cell's floor with its head); then the box checks its tower.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    void OnContactPersist(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// The cell is freed when its character dies, or when the character of its id no longer
    /// reaches into it and is not just jumping inside it.
    void OnContactRemove(cPhysicsBody* other) override;
    /// Advances the shared indicator picture; 0.
    int Update(int dtMs) override;
    /// The indicator above the cell while it holds a character.
    void Draw();

    /// The character in the cell; null when it is free or its character has left the world (a
    /// character that changes form or turns into a firefly there leaves no point to remove).
    cPlayerChar* GetOccupant() const;
    /// Frees the cell of a character that has left the world, telling the box; true when it did.
    bool ReleaseIfGone();
    int GetIndicator() const { return indicator; }
    void SetIndicator(int index) { indicator = index; }
    /// Below 0 any character.
    int GetRequiredId() const { return requiredId; }
    void SetRequiredId(int id) { requiredId = id; }

private:
    void Take(cPhysicsBody* other);
    /// The body reaches into the cell, not only touches its edge.
    bool Reaches(const cPhysicsBody& body) const;
    void Free();

    cStackBox* box;
    int indicator = INDICATOR_ANY;
    ePosition position;
    int requiredId = -1;
    cPlayerChar* occupant = nullptr;
};

#pragma once

#include "actors/StackSensor.h"
#include "engine/PhysicsActor.h"

#include <cstdint>
#include <memory>
#include <vector>

class cAnimation;
class cPlayerChar;

/// The puzzle that starts a metamorphosis: a pedestal with three cells stacked above it, one per
/// character height. When the three characters stand on it in a tower in the order its type asks
/// for, the required ones turn into their ancestor forms; the indicators floating over the tower
/// show who belongs in the next cell. A tower holding an ancestor form counts for nothing.
///
/// Types 0 to 7 (the area file's value minus 7); the pedestal's look and body come from the
/// heart-box template of type + 7, whose animations it uses as they are. A box whose template is
/// missing has no body and no look, and its cells are in no world. The area owns its boxes, updates
/// and draws them every tick and arms or disarms them as the characters change (`SetArmed`). Kind 9;
/// positions in world units, times in milliseconds.
class cStackBox : public cPhysicsActor
{
public:
    /// The pedestal with its lower-left corner at (x, y) on a one-way body, armed, with its
    /// bottom, middle and top cell.
    cStackBox(physics::World* world, float x, float y, uint16_t type);
    ~cStackBox() override;

    /// A character landing on the pedestal: the thump of a head-jump, else a soft step.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// Frees cells whose character has left the world and, while armed, advances the indicators.
    /// The type once after the tower was solved, else -1.
    int Update(int dtMs) override;

    /// Whether the tower is checked at all; the area disarms every box while a form is around.
    virtual void SetArmed(bool on) { armed = on; }
    /// The tower as it stands now that character took the cell at position.
    virtual void Check(cPlayerChar* character, int position);
    /// A cell let its character go.
    virtual void OnSensorFreed() {}
    /// Keep `SetArmed` from changing the box (a frame changer in the Land of Fireflies).
    virtual void Lock() {}
    virtual void Unlock() {}
    /// The look of the Land of Fireflies and of the day: the same pedestal.
    virtual void SwitchToLoF() {}
    virtual void SwitchToDay() {}

    /// The pedestal, then, while armed, the one indicator that tells who belongs next.
    void Draw();

    uint16_t GetType() const { return type; }
    bool IsArmed() const { return armed; }
    StackSensor& GetSensor(StackSensor::ePosition position);
    const cAnimation* GetCurrentAnimation() const { return currentAnimation; }

protected:
    /// Sets the middle cell's and the bottom cell's indicators by type, and what the top and the
    /// middle cell accept accordingly.
    void UpdateIndicators();
    /// The characters in the bottom, middle and top cell; null for a free cell.
    cPlayerChar* At(StackSensor::ePosition position) const;
    bool HoldsAncestorForm() const;
    bool IsFull() const;
    /// Frees the cells of characters that left the world; the middle and bottom indicators move on.
    void AdvanceCells(int dtMs);
    /// The look shown from now on: element i of the template's animations (none when it lacks one).
    void ShowLook(size_t i);

    bool armed = true;
    /// Set by a successful check, reported and cleared by the next update.
    bool solved = false;

private:
    /// The tower of a box with a rule (types 0, 1, 2, 4 to 7) is the one it asks for: the named
    /// characters change form, top first. Boxes without a rule solve without a change.
    bool ApplyRule();

    /// Borrowed from the template.
    std::vector<cAnimation*> animations;
    cAnimation* currentAnimation = nullptr;
    std::unique_ptr<StackSensor> top;
    std::unique_ptr<StackSensor> middle;
    std::unique_ptr<StackSensor> bottom;
    uint16_t type;
};

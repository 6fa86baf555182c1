#pragma once

namespace physics {

struct ContactPoint;

/// Hears every contact point of a world, sensors included. Set on a world with
/// `World::SetContactListener`; the listener is owned by the caller and must outlive the world or
/// be unset first.
///
/// Points are told after `World::Step` has finished, never while Box2D is solving, so a handler may
/// safely ask the world for anything. A body destroyed from a handler is taken out once every
/// pending point is told; points of that body still pending are then dropped, except its `Remove`s.
/// The point passed in lives only for the call.
class ContactListener
{
public:
    virtual ~ContactListener() = default;

    /// A new point: two shapes began to touch, or an existing contact gained a point.
    virtual void Add(const ContactPoint* point) { (void)point; }

    /// A point that was there in the previous step is still there; told every step for as long as
    /// it lasts, also while the bodies sleep.
    virtual void Persist(const ContactPoint* point) { (void)point; }

    /// A point ended: the shapes parted, or one of the bodies was destroyed (then told from inside
    /// `World::DestroyBody`). The point is the last one told.
    virtual void Remove(const ContactPoint* point) { (void)point; }
};

}  // namespace physics

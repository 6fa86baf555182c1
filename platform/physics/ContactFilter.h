#pragma once

namespace physics {

class Shape;

/// Decides which pairs of shapes may touch. Set on a world with `World::SetContactFilter`; the
/// filter is owned by the caller and must outlive the world or be unset first.
///
/// Both tests run while the world is stepping: they may read bodies but must not create, destroy or
/// move any (the world refuses to create or move bodies then, and takes a destroyed one out only
/// after the step).
class ContactFilter
{
public:
    virtual ~ContactFilter() = default;

    /// Asked once per pair of shapes, at the first moment their boxes touch; the answer holds until
    /// they part. A pair answered false gets no contact and no points.
    virtual bool ShouldCollide(Shape* shape1, Shape* shape2)
    {
        (void)shape1;
        (void)shape2;
        return true;
    }

    /// A cheaper test of what never changes while both shapes exist. Asked earlier, before the boxes
    /// touch, and any number of times; false spares the pair `ShouldCollide` and any contact. It must
    /// never answer false where `ShouldCollide` could answer true.
    virtual bool CanEverCollide(Shape* shape1, Shape* shape2)
    {
        (void)shape1;
        (void)shape2;
        return true;
    }
};

}  // namespace physics

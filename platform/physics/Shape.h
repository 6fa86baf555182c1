#pragma once

class b2Fixture;
class b2PolygonShape;

namespace physics {

class Body;

/// One box of a body. Made by `Body::CreateShape`, owned by its body and destroyed with it.
class Shape
{
public:
    Shape(const Shape&) = delete;
    Shape& operator=(const Shape&) = delete;

    /// The body this shape belongs to.
    Body* GetBody() const { return m_body; }

    /// The body's next shape, null after the last.
    Shape* GetNext() const { return m_next; }

    bool IsSensor() const;

    /// Makes the shape a sensor or a solid box. Contacts that exist stay judged as they were.
    void SetSensor(bool sensor);

private:
    friend class Body;
    friend class ContactTracker;

    Shape(Body* body, b2Fixture* fixture, Shape* next);

    const b2PolygonShape& Polygon() const;

    Body* m_body;
    b2Fixture* m_fixture;
    Shape* m_next;
};

}  // namespace physics

#include "platform/physics/Shape.h"

#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>

namespace physics {

Shape::Shape(Body* body, b2Fixture* fixture, Shape* next)
    : m_body(body), m_fixture(fixture), m_next(next)
{
}

bool Shape::IsSensor() const
{
    return m_fixture->IsSensor();
}

void Shape::SetSensor(bool sensor)
{
    m_fixture->SetSensor(sensor);
}

const b2PolygonShape& Shape::Polygon() const
{
    // Every shape the layer makes is a box.
    return *static_cast<const b2PolygonShape*>(m_fixture->GetShape());
}

}  // namespace physics

#include "tools/sounds/Curve.h"

#include <cmath>

Curve::Curve(double constant) : m_points{{0.0, constant}}
{
}

Curve::Curve(std::initializer_list<Point> points) : m_points(points)
{
}

double Curve::At(double seconds) const
{
    size_t i = 0;
    const double f = Fraction(seconds, i);
    if (f <= 0.0)
        return m_points[i].value;
    return m_points[i].value + (m_points[i + 1].value - m_points[i].value) * f;
}

double Curve::GeometricAt(double seconds) const
{
    size_t i = 0;
    const double f = Fraction(seconds, i);
    if (f <= 0.0)
        return m_points[i].value;
    return m_points[i].value * std::pow(m_points[i + 1].value / m_points[i].value, f);
}

double Curve::Fraction(double seconds, size_t& index) const
{
    index = 0;
    while (index + 1 < m_points.size() && m_points[index + 1].seconds <= seconds)
        ++index;
    if (index + 1 >= m_points.size() || seconds <= m_points[index].seconds)
        return 0.0;
    const double span = m_points[index + 1].seconds - m_points[index].seconds;
    return (seconds - m_points[index].seconds) / span;
}

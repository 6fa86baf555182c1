#include "tools/synth/Curve.h"

#include <algorithm>
#include <cmath>
#include <utility>

Curve::Curve(double constant) : m_points{{0.0, constant}}
{
}

Curve::Curve(std::initializer_list<Point> points) : m_points(points)
{
}

Curve::Curve(std::vector<Point> points) : m_points(std::move(points))
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
    // Curves are read at every sample, mostly moving on by a sample from the last reading: the
    // segment of the last reading is tried first, then the points are searched (the curves of
    // the ambience hold thousands).
    if (m_last > 0 && m_points[m_last].seconds <= seconds
        && (m_last + 1 == m_points.size() || seconds < m_points[m_last + 1].seconds))
        index = m_last;
    else
    {
        const auto after = std::upper_bound(m_points.begin() + 1, m_points.end(), seconds,
                                            [](double t, const Point& p) { return t < p.seconds; });
        index = static_cast<std::size_t>(after - m_points.begin()) - 1;
        m_last = index;
    }
    if (index + 1 >= m_points.size() || seconds <= m_points[index].seconds)
        return 0.0;
    const double span = m_points[index + 1].seconds - m_points[index].seconds;
    return (seconds - m_points[index].seconds) / span;
}

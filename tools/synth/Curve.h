#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

/// A value that changes over time: breakpoints (seconds, value) in rising time order.
/// Before the first point the curve holds the first value, after the last one the last.
class Curve
{
public:
    struct Point
    {
        double seconds;
        double value;
    };

    /// A constant is a curve of one point, so every parameter that takes a curve also takes a number.
    Curve(double constant);
    Curve(std::initializer_list<Point> points);
    explicit Curve(std::vector<Point> points);

    /// The value at a time, points joined by straight lines (envelopes).
    double At(double seconds) const;
    /// The value at a time, points joined by equal ratios per second (pitches and cutoffs, whose
    /// steps are heard as ratios). Every value must be above 0.
    double GeometricAt(double seconds) const;
    /// True when the curve holds one value throughout.
    bool IsConstant() const { return m_points.size() == 1; }

private:
    /// The index of the last point at or before the time, and how far (0..1) it is to the next.
    double Fraction(double seconds, std::size_t& index) const;

    std::vector<Point> m_points;
    mutable std::size_t m_last = 0; ///< the segment of the last reading

};

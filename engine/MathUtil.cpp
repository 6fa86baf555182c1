#include "engine/MathUtil.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

float RandomFloat(float a, float b)
{
    if (b < a)
        std::swap(a, b);
    // glibc's rand() reaches 2^31 - 1; the division by 32768 needs the 15 bits other runtimes give.
    const int r = std::rand() & 0x7FFF;
    const float value = a + (b - a) * r / 32768.0f;
    // Rounding near large values could land on b itself, which callers rely on never seeing.
    return (value >= b && a < b) ? std::nextafter(b, a) : value;
}

b2Vec2 RandomRotate(float x, float y, float t)
{
    const float angle = RandomFloat(0, 2 * 3.1416f * (1 - t) + 0.000001f);
    const float sign = RandomFloat(0, 100) < 50 ? -1.0f : 1.0f;
    return RotateVec2(x, y, sign * angle);
}

b2Vec2 RotateVec2(float x, float y, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    return b2Vec2(x * c - y * s, x * s + y * c);
}

b2Vec2 BlendDirection(const b2Vec2& a, const b2Vec2& b)
{
    b2Vec2 v = 0.9f * a + 0.1f * b;
    v.Normalize();
    return Dot(v.x, v.y, b.x, b.y) > 0.9f ? b : v;
}

float Dot(float ax, float ay, float bx, float by)
{
    return ax * bx + ay * by;
}

float Distance(float x0, float y0, float x1, float y1)
{
    return std::hypot(x0 - x1, y0 - y1);
}

void SpiralPoints(std::vector<b2Vec2>& points, float x, float y, float r, int n)
{
    if (n == 0) {
        printf("\n ERROR: a spiral needs a non-zero number of points per radius \n");
        return;
    }
    float k = 0;
    for (float alpha = 0; alpha < 6.283f; alpha += 0.15f) {
        points.emplace_back(x + std::cos(alpha) * r * k, y + std::sin(alpha) * r * k);
        k += 1.0f / n;
    }
}

bool IsFlatEnough(const b2Vec2& a, const b2Vec2& b, const b2Vec2& c, float tolerance)
{
    return (b - c).Length() < tolerance && (a - b).Length() < tolerance;
}

namespace {

constexpr int kMaxBezierDepth = 16;

b2Vec2 Mid(const b2Vec2& a, const b2Vec2& b)
{
    return 0.5f * (a + b);
}

void Subdivide(const b2Vec2& p0, const b2Vec2& p1, const b2Vec2& p2, const b2Vec2& p3, std::vector<b2Vec2>& points,
               float tolerance, int depth)
{
    const bool flat = IsFlatEnough(p0, p1, p3, tolerance) && IsFlatEnough(p0, p2, p3, tolerance);
    if (flat || depth == kMaxBezierDepth) {
        points.push_back(0.5f * (Mid(p0, p1) + p3));
        return;
    }
    const b2Vec2 m01 = Mid(p0, p1), m12 = Mid(p1, p2), m23 = Mid(p2, p3);
    const b2Vec2 m012 = Mid(m01, m12), m123 = Mid(m12, m23);
    const b2Vec2 m = Mid(m012, m123);
    Subdivide(p0, m01, m012, m, points, tolerance, depth + 1);
    Subdivide(m, m123, m23, p3, points, tolerance, depth + 1);
}

} // namespace

void SubdivideBezier(const b2Vec2& p0, const b2Vec2& p1, const b2Vec2& p2, const b2Vec2& p3,
                     std::vector<b2Vec2>& points, float tolerance)
{
    Subdivide(p0, p1, p2, p3, points, tolerance, 0);
}

#pragma once

#include <memory>
#include <vector>

class cAnimation;
class CommonHeartBox;

/// The looks of a heart box that plays them on its own: copies of its template's animations, one
/// of them current. Emitter and receiver boxes each keep one; stack boxes share the template's.
class cBoxLooks
{
public:
    cBoxLooks();
    ~cBoxLooks();
    cBoxLooks(const cBoxLooks&) = delete;
    cBoxLooks& operator=(const cBoxLooks&) = delete;

    /// Copies of the template's animations (none without a template), look 0 current from its start.
    void CopyFrom(const CommonHeartBox* blueprint);
    /// Look i becomes current (restart: from its first frame); an index it lacks shows nothing.
    void Show(size_t i, bool restart);
    /// Advances the current look.
    void Update(int dtMs);
    /// The current look with its lower-left corner at (x, y), white, with alpha 0 to 255.
    void Draw(float x, float y, int alpha) const;

    cAnimation* Current() const { return current; }

private:
    std::vector<std::unique_ptr<cAnimation>> animations;
    cAnimation* current = nullptr;
};

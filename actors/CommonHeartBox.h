#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class cAnimation;

/// A template for the boxes that carry a small body and are drawn from a chip set: emitter,
/// receiver and stack boxes look their template up by type (actors/SharedActors.h) and take its
/// animations and body description. The shared-asset store makes one per entry of the blueprint
/// list at start-up; they live for the whole program.
class CommonHeartBox
{
public:
    /// Type 4, no animations, a zero body.
    CommonHeartBox();
    /// Deletes the animations.
    virtual ~CommonHeartBox();
    CommonHeartBox(const CommonHeartBox&) = delete;
    CommonHeartBox& operator=(const CommonHeartBox&) = delete;

    /// Replaces animations and body with those of a heart-box file (root `heartbox`; ":/" put in
    /// front unless the path holds it): every `animation` element in file order, cut from the chip
    /// set of the last `src` seen on any element before or on it (0 before the first), an
    /// animation that does not build dropped; the `body` element's `w`, `h` (whole numbers) and
    /// `density`, `friction`, each 0 when missing. False, after the "Invalid XML resource file"
    /// line, when the file does not open: the template is then empty. A parse error keeps what was
    /// read before it.
    bool LoadFromXml(const QString& file);

    uint16_t GetType() const { return type; }
    void SetType(uint16_t t) { type = t; }
    /// The template's own animations; boxes copy them or, for stack boxes, use them as they are.
    const std::vector<cAnimation*>& GetAnimations() const { return animations; }
    /// Body size in world units, mass per square unit and friction.
    float GetWidth() const { return width; }
    float GetHeight() const { return height; }
    float GetDensity() const { return density; }
    float GetFriction() const { return friction; }

private:
    void Clear();

    uint16_t type = 4;
    std::vector<cAnimation*> animations;
    float width = 0.0f;
    float height = 0.0f;
    float density = 0.0f;
    float friction = 0.0f;
};

#pragma once

#include <QString>

class cCharacterAnimations;

/// What a character file ("res/xml/PlayerCharacters/", root element free) says about the
/// character besides its animations. Elements are recognised by name wherever they stand:
/// `actor` (`id`, `SwitchInfoAnimIndex`, `src`: the chip set of animations without their own),
/// `body` (`w`, `h`, `density`, `friction`) and `animation`. The carrier fireflies' files have the
/// same form with `Firefly` in place of `actor`.
struct sCharacterFile
{
    /// 0 brown, 1 orange, 2 gray; unchanged when the file names none.
    int id = -1;
    /// The hint-bubble content shown when the character is selected.
    int switchInfoIndex = 0;
    /// The first body with an area, in world units; 0 × 0 when the file has none.
    int bodyWidth = 0;
    int bodyHeight = 0;
    /// Mass per square world unit, and friction, of that body.
    float density = 0.0f;
    float friction = 0.0f;

    bool HasBody() const { return bodyWidth > 0 && bodyHeight > 0; }

    /// Reads the file at path (":/" put in front when missing) and appends every animation that
    /// builds to animations; one that does not is dropped. A body without area is refused with
    /// an "ERROR:" line. False, after the line "Invalid XML resource file", when the file does not
    /// open; a parse error keeps what was read before it. header names the element that carries
    /// the id and the chip set.
    bool Read(const QString& path, cCharacterAnimations& animations, const char* header = "actor");
};

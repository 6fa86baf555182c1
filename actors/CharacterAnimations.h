#pragma once

#include <memory>
#include <vector>

class cAnimation;

/// The animations of a character or a carrier firefly in the order of its file, and the one it
/// shows. Callers choose animations by position, so a position the file lacks is refused instead
/// of trusted.
class cCharacterAnimations
{
public:
    cCharacterAnimations();
    ~cCharacterAnimations();
    cCharacterAnimations(const cCharacterAnimations&) = delete;
    cCharacterAnimations& operator=(const cCharacterAnimations&) = delete;

    /// Deletes every animation; none is shown.
    void Clear();
    /// Takes the animation as the next position.
    void Append(std::unique_ptr<cAnimation> animation);
    int GetCount() const { return static_cast<int>(list.size()); }
    /// Element i; null for a position outside the list.
    cAnimation* Get(int i) const;

    /// Shows element index, with restart from its first frame. A position outside the list
    /// leaves none shown, after an "ERROR:" line.
    void Show(int index, bool restart);
    /// None shown (index -1).
    void ShowNone();
    /// The shown position; -1 when none is shown.
    int GetIndex() const { return index; }
    cAnimation* GetCurrent() const { return current; }
    /// Whether the shown animation has finished. True when none is shown, so that whatever waits
    /// for an animation the file lacks goes on instead of waiting for ever.
    bool IsCurrentFinished() const;

private:
    std::vector<std::unique_ptr<cAnimation>> list;
    int index = -1;
    cAnimation* current = nullptr;
};

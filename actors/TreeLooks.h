#pragma once

#include <vector>

class cAnimation;

/// The pictures of a tree with two looks: the animations of its file (owned, in file order) and
/// the one of each look currently shown, the day picture and its Vadi do Davovodaz twin. Both are
/// drawn every frame, each with its look's weight as alpha.
class cTreeLooks
{
public:
    cTreeLooks() = default;
    ~cTreeLooks();
    cTreeLooks(const cTreeLooks&) = delete;
    cTreeLooks& operator=(const cTreeLooks&) = delete;

    /// Takes the animation.
    void Append(cAnimation* anim);
    /// Deletes every animation; no look is shown.
    void Clear();
    int GetCount() const { return static_cast<int>(animations.size()); }
    /// Animation i of the file; null for an index it lacks.
    cAnimation* At(int i) const;

    /// Animation i becomes the day (or Vadi do Davovodaz) picture; restart plays it from frame 0,
    /// visible. An index the file lacks leaves that look without a picture.
    void SetDay(int i, bool restart);
    void SetLoF(int i, bool restart);
    /// Positions in the file's list of the pictures shown; -1 for none.
    int GetDayIndex() const { return IndexOf(day); }
    int GetLoFIndex() const { return IndexOf(lof); }
    cAnimation* GetDay() const { return day; }
    cAnimation* GetLoF() const { return lof; }

    /// Advances both pictures shown.
    void Update(int dtMs);

    /// The alpha (0 to 255) a look is drawn with at weight, clamped to [0, 1].
    static int AlphaOf(float weight);

private:
    int IndexOf(const cAnimation* anim) const;
    /// The picture i from frame 0 when restart says so.
    cAnimation* Pick(int i, bool restart) const;

    std::vector<cAnimation*> animations;
    cAnimation* day = nullptr;
    cAnimation* lof = nullptr;
};

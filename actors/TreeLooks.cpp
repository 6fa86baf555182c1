#include "actors/TreeLooks.h"

#include "engine/Animation.h"

#include <algorithm>

cTreeLooks::~cTreeLooks()
{
    Clear();
}

void cTreeLooks::Append(cAnimation* anim)
{
    animations.push_back(anim);
}

void cTreeLooks::Clear()
{
    for (cAnimation* anim : animations)
        delete anim;
    animations.clear();
    day = nullptr;
    lof = nullptr;
}

cAnimation* cTreeLooks::At(int i) const
{
    return i >= 0 && i < GetCount() ? animations[i] : nullptr;
}

cAnimation* cTreeLooks::Pick(int i, bool restart) const
{
    cAnimation* anim = At(i);
    if (anim && restart)
        anim->Reset(true);
    return anim;
}

void cTreeLooks::SetDay(int i, bool restart)
{
    day = Pick(i, restart);
}

void cTreeLooks::SetLoF(int i, bool restart)
{
    lof = Pick(i, restart);
}

void cTreeLooks::Update(int dtMs)
{
    for (cAnimation* look : {day, lof})
        if (look)
            look->Update(static_cast<unsigned>(dtMs));
}

int cTreeLooks::AlphaOf(float weight)
{
    return static_cast<int>(std::clamp(weight, 0.0f, 1.0f) * 255.0f);
}

int cTreeLooks::IndexOf(const cAnimation* anim) const
{
    const auto found = std::find(animations.begin(), animations.end(), anim);
    return anim && found != animations.end() ? static_cast<int>(found - animations.begin()) : -1;
}

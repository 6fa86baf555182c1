#include "actors/CharacterAnimations.h"

#include "engine/Animation.h"

#include <cstdio>

cCharacterAnimations::cCharacterAnimations() = default;

cCharacterAnimations::~cCharacterAnimations() = default;

void cCharacterAnimations::Clear()
{
    ShowNone();
    list.clear();
}

void cCharacterAnimations::Append(std::unique_ptr<cAnimation> animation)
{
    list.push_back(std::move(animation));
}

cAnimation* cCharacterAnimations::Get(int i) const
{
    return i >= 0 && i < GetCount() ? list[i].get() : nullptr;
}

void cCharacterAnimations::Show(int newIndex, bool restart)
{
    current = Get(newIndex);
    if (!current) {
        std::printf("\n ERROR: No animation %d; the file holds %d \n\n", newIndex, GetCount());
        index = -1;
        return;
    }
    index = newIndex;
    if (restart)
        current->SetFrame(0);
}

void cCharacterAnimations::ShowNone()
{
    index = -1;
    current = nullptr;
}

bool cCharacterAnimations::IsCurrentFinished() const
{
    return !current || current->IsFinished();
}

#include "actors/BoxLooks.h"

#include "actors/CommonHeartBox.h"
#include "engine/Animation.h"

cBoxLooks::cBoxLooks() = default;

cBoxLooks::~cBoxLooks() = default;

void cBoxLooks::CopyFrom(const CommonHeartBox* blueprint)
{
    animations.clear();
    current = nullptr;
    if (!blueprint)
        return;
    for (const cAnimation* animation : blueprint->GetAnimations())
        animations.push_back(std::make_unique<cAnimation>(*animation));
    Show(0, true);
}

void cBoxLooks::Show(size_t i, bool restart)
{
    current = i < animations.size() ? animations[i].get() : nullptr;
    if (current && restart)
        current->Reset(true);
}

void cBoxLooks::Update(int dtMs)
{
    if (current)
        current->Update(static_cast<unsigned>(dtMs));
}

void cBoxLooks::Draw(float x, float y, int alpha) const
{
    if (current)
        current->DrawF(x, y, 255, 255, 255, alpha, 1);
}

#include "actors/WaterBubbles.h"

#include "engine/Animation.h"
#include "engine/SharedAssets.h"

#include <cstdio>

WaterBubbles::WaterBubbles(int px, int py, int size) : x(px), y(py)
{
    if (size < 0 || size >= static_cast<int>(gWaterfallBubbles.size()) || !gWaterfallBubbles[size]) {
        std::printf("\n ERROR: no water bubbles of size %d; those at (%d, %d) show nothing \n\n", size, x, y);
        return;
    }
    animation = gWaterfallBubbles[size];
    animation->Reset(true);
}

void WaterBubbles::Update(int dtMs)
{
    if (animation)
        animation->Update(static_cast<unsigned>(dtMs));
}

void WaterBubbles::Draw()
{
    if (animation)
        animation->Draw(static_cast<float>(x), static_cast<float>(y), 255, 255, 255, 255, 1);
}

// The end screen fits its 356 x 337 design into the window and centres it.
#include "screens/EndScreen.h"

#include <gtest/gtest.h>

TEST(EndScreen, CentresItsDesignSizeAtTheScaleThatFits)
{
    const struct
    {
        int w, h, offsetX, offsetY;
    } windows[] = {{700, 440, 172, 51}, {1920, 1080, 426, 34}, {1280, 800, 284, 63}};
    cEndScreen screen;
    for (const auto& window : windows) {
        screen.Resize(window.w, window.h);
        EXPECT_EQ(screen.GetOffsetX(), window.offsetX) << window.w << " x " << window.h;
        EXPECT_EQ(screen.GetOffsetY(), window.offsetY) << window.w << " x " << window.h;
    }
}

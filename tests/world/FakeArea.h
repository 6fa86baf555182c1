#pragma once

#include "world/FramedArea.h"

#include <GL/gl.h>

#include <vector>

/// A stand-in for the area: keeps the pause flags, a Land-of-Fireflies weight and a player place
/// the test sets, counts its passes, and draws a known picture into the world texture.
class FakeArea : public cFramedArea
{
public:
    /// The colour the synthetic world has at texture pixel (tx, ty) (ty counted up from the bottom
    /// row): every texel differs, so a picture read back tells exactly which texel it shows.
    static void WorldColor(int tx, int ty, unsigned char rgb[3])
    {
        rgb[0] = static_cast<unsigned char>(tx & 255);
        rgb[1] = static_cast<unsigned char>(ty & 255);
        rgb[2] = static_cast<unsigned char>(40 + 60 * (tx >> 8) + 120 * (ty >> 8));
    }

    ~FakeArea() override
    {
        if (texture)
            glDeleteTextures(1, &texture);
    }

    void Draw(bool sky, bool background) override
    {
        ++draws;
        lastSky = sky;
        lastBackground = background;
        if (drawWorld)
            DrawWorld();
    }
    void DrawPhysicsDebug() override { ++physicsDraws; }
    void DrawPlayerPhysics() override { ++playerDraws; }
    float GetDayNightBlend() const override { return blend; }
    bool GetFocusPlayerCenter(float& x, float& y) const override
    {
        x = playerX;
        y = playerY;
        return hasPlayer;
    }
    bool IsPaused() const override { return paused; }
    void SetPaused(bool pauseScreenShown) override
    {
        paused = true;
        pauseScreen = pauseScreenShown;
    }
    void ClearPaused() override
    {
        paused = false;
        pauseScreen = false;
    }

    bool paused = false;
    bool pauseScreen = false;
    float blend = 0;
    bool hasPlayer = false;
    float playerX = 0, playerY = 0;
    bool drawWorld = false;
    int draws = 0, physicsDraws = 0, playerDraws = 0;
    bool lastSky = false, lastBackground = false;

private:
    /// The synthetic world as one texture covering the whole 512 x 512 target, texel for pixel.
    void DrawWorld()
    {
        if (!texture)
            MakeTexture();
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glBindTexture(GL_TEXTURE_2D, texture);
        glColor4f(1, 1, 1, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(0, 0);
        glTexCoord2f(1, 0);
        glVertex2f(512, 0);
        glTexCoord2f(1, 1);
        glVertex2f(512, 512);
        glTexCoord2f(0, 1);
        glVertex2f(0, 512);
        glEnd();
        glEnable(GL_BLEND);
    }

    void MakeTexture()
    {
        std::vector<unsigned char> pixels(512 * 512 * 4);
        for (int ty = 0; ty < 512; ++ty) {
            for (int tx = 0; tx < 512; ++tx) {
                unsigned char* p = &pixels[(ty * 512 + tx) * 4];
                WorldColor(tx, ty, p);
                p[3] = 255;
            }
        }
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 512, 512, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }

    GLuint texture = 0;
};

#include "world/ColorBackground.h"

#include "engine/Drawing.h"

#include <GL/gl.h>

namespace {

/// A second colour of -1, -1, -1 stands for "the same as the first"; any other -1 is kept as it is.
sZorv_BG_Color Flattened(sZorv_BG_Color c)
{
    if (c.r2 == -1 && c.g2 == -1 && c.b2 == -1) {
        c.r2 = c.r;
        c.g2 = c.g;
        c.b2 = c.b;
    }
    return c;
}

void PaintPair(const sZorv_BG_Color& c, int width, int height, float alpha)
{
    // One pixel beyond every edge so that no window row or column is left uncovered.
    DrawGradientRect(-1, -1, width + 1, height + 1, c.r, c.g, c.b, c.r2, c.g2, c.b2, alpha);
}

} // namespace

cColorBackground::cColorBackground(const sZorv_BG_Color& first)
    : records{Flattened(first)}
    , shown(records[0])
{
}

void cColorBackground::Update(int ms)
{
    if (fraction < 0 || (fadeElapsed < 0 && fadeDuration < 0))
        return;
    fadeElapsed += ms;
    if (fadeElapsed >= fadeDuration) {
        shown = target;
        EndFade();
    } else {
        fraction = static_cast<float>(fadeElapsed) / fadeDuration;
    }
}

void cColorBackground::Paint()
{
    // The shown pair is opaque: blended, it would only read back the pixels it replaces.
    glDisable(GL_BLEND);
    PaintPair(shown, width, height, 255);
    glEnable(GL_BLEND);
    if (fraction >= 0)
        PaintPair(target, width, height, static_cast<int>(fraction * 255));
}

int cColorBackground::AddRecord(const sZorv_BG_Color& record, bool makeCurrent)
{
    records.push_back(Flattened(record));
    const int index = GetRecordCount() - 1;
    if (makeCurrent)
        SetColorsFromRecord(index);
    return index;
}

bool cColorBackground::SetRecord(int i, const sZorv_BG_Color& record)
{
    if (!HasRecord(i))
        return false;
    records[i] = Flattened(record);
    if (i == currentRecord)
        SetColorsFromRecord(i);
    return true;
}

sZorv_BG_Color cColorBackground::GetRecord(int i) const
{
    return HasRecord(i) ? records[i] : sZorv_BG_Color{-1, -1, -1, -1, -1, -1};
}

void cColorBackground::SetColors(const sZorv_BG_Color& colors)
{
    shown = Flattened(colors);
    EndFade();
    currentRecord = -1;
}

void cColorBackground::SetColorsFromRecord(int i)
{
    if (!HasRecord(i))
        return;
    SetColors(records[i]);
    currentRecord = i;
}

bool cColorBackground::FadeTo(const sZorv_BG_Color& colors, int ms)
{
    target = colors;
    fadeDuration = ms;
    fadeElapsed = 0;
    fraction = 0;
    currentRecord = -1;
    return true;
}

bool cColorBackground::FadeToRecord(int i, int ms)
{
    if (!HasRecord(i))
        return false;
    FadeTo(records[i], ms);
    currentRecord = i;
    return true;
}

void cColorBackground::BlendAt(float p)
{
    if (p < 0)
        return;
    const int i = static_cast<int>(p);
    const float f = p - i;
    if (f == 0 || !HasRecord(i + 1))
        return;
    // The timed fade's clock is left alone: a blend is a position, not a fade of its own.
    shown = records[i];
    target = records[i + 1];
    currentRecord = i + 1;
    fraction = f;
}

void cColorBackground::SetSize(int w, int h)
{
    width = w;
    height = h;
}

void cColorBackground::EndFade()
{
    fadeElapsed = -1;
    fadeDuration = -1;
    fraction = -1;
}

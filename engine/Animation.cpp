#include "engine/Animation.h"

#include "engine/Image.h"
#include "engine/SharedAssets.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

cAnimation::cAnimation(const cAnimation& other)
{
    *this = other;
}

cAnimation& cAnimation::operator=(const cAnimation& other)
{
    if (this == &other)
        return *this;
    image = other.image;
    frames = other.frames;
    loop = other.loop;
    vanish = other.vanish;
    mpf = other.mpf;
    offsetX = other.offsetX;
    offsetY = other.offsetY;
    // A copy is a new sprite of its own: it plays from the start.
    visible = true;
    frame = 0;
    sinceStep = 0;
    total = 0;
    finished = false;
    name.clear();
    return *this;
}

bool cAnimation::LoadFromXml(QXmlStreamReader& reader, int defaultSrc)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    name = attributes.value(QLatin1String("name")).toString();
    vanish = FlagAttribute(attributes, "vanish", vanish);
    const auto value = [&attributes](const char* attribute, int absent) {
        return IntAttributeClamped(attributes, attribute, absent);
    };
    // The frame time is taken modulo 65536, as the files always had it; any int converts soundly.
    const auto frameMs = static_cast<uint16_t>(IntAttribute(attributes, "mpf", 0));
    return Setup(FlagAttribute(attributes, "loop", false), frameMs, value("numFrames", 1), value("x", 0), value("y", 0),
                 value("w", 16), value("h", 16), value("src", defaultSrc), value("offsetx", 0), value("offsety", 0));
}

bool cAnimation::Setup(bool loops, uint16_t frameMs, int numFrames, int x, int y, int w, int h, int src,
                       int offsetx, int offsety)
{
    cImage* picture = ChipSetImage(src);
    if (!picture)
        picture = image;
    // Frames wrap at the sheet's width, so a sheet without width could not be cut at all.
    if (!picture || picture->GetWidthInt() <= 0) {
        printf("\n ERROR: animation '%s' has no chip set (src %d) \n", qPrintable(name), src);
        return false;
    }
    if (numFrames <= 0 || w <= 0 || h <= 0) {
        printf("\n ERROR: animation '%s' has %d frames of %d x %d pixels \n", qPrintable(name), numFrames, w, h);
        return false;
    }
    if (numFrames > kMaxFrames - GetNumFrames()) {
        printf("\n ERROR: animation '%s' would have %d + %d frames; the frame index counts to %d \n",
               qPrintable(name), GetNumFrames(), numFrames, kMaxFrames);
        return false;
    }
    if (frameMs == 0 && numFrames > 1)
        printf("\n ERROR: animation '%s' has no frame time; it steps every update \n", qPrintable(name));
    loop = loops;
    mpf = frameMs;
    frame = 0;
    total = 0;
    image = picture;
    offsetX = offsetx;
    offsetY = offsety;
    // Wide enough to count every pixel of the longest strip a file can describe.
    const std::int64_t sheetWidth = picture->GetWidthInt();
    for (int i = 0; i < numFrames; ++i) {
        const std::int64_t p = std::int64_t(i) * w + x;
        frames.push_back({float(p % sheetWidth), float(double(p / sheetWidth) * h + y), float(w), float(h)});
    }
    return true;
}

void cAnimation::Update(unsigned elapsedMs)
{
    if (frames.empty())
        return;
    sinceStep += elapsedMs;
    total += elapsedMs;
    if (sinceStep >= mpf) {
        sinceStep -= mpf;
        StepFrame();
    }
}

void cAnimation::StepFrame()
{
    if (frame + 1 < GetNumFrames()) {
        ++frame;
    } else if (loop) {
        frame = 0;
        total = 0;
    } else {
        finished = true;
        if (vanish)
            visible = false;
    }
}

void cAnimation::Reset(bool v)
{
    frame = 0;
    sinceStep = 0;
    total = 0;
    finished = false;
    visible = v;
}

void cAnimation::SetFrame(int i)
{
    if (!HasFrame(i)) {
        printf("\n ERROR: animation '%s' has no frame %d \n", qPrintable(name), i);
        return;
    }
    frame = static_cast<uint16_t>(i);
    finished = false;
    total = i * mpf;
}

bool cAnimation::IsFinished()
{
    // Without a frame time the time test has no meaning; Update alone decides then.
    if (!finished && !loop && vanish && mpf > 0 && total / mpf > frames.size())
        visible = false;
    return finished;
}

float cAnimation::GetFrameWidth(int i) const
{
    return HasFrame(i) ? frames[i].w : 0;
}

float cAnimation::GetFrameHeight(int i) const
{
    return HasFrame(i) ? frames[i].h : 0;
}

bool cAnimation::IsDrawable() const
{
    return visible && image && HasFrame(frame);
}

void cAnimation::Draw(float x, float y, int r, int g, int b, int a, int scale)
{
    if (!IsDrawable())
        return;
    const TextureCoordinate& f = frames[frame];
    image->DrawRegionWorld(x + offsetX, y + offsetY, scale * f.w, scale * f.h, f.x, f.y, f.x + f.w, f.y + f.h, r, g,
                           b, a);
}

void cAnimation::DrawScaled(float x, float y, int scale, int r, int g, int b, int a)
{
    const int s = std::max(1, scale);
    if (!IsDrawable())
        return;
    const TextureCoordinate& f = frames[frame];
    image->DrawRegion(x + offsetX * s, y + offsetY * s, s * f.w, s * f.h, f.x, f.y, f.x + f.w, f.y + f.h, r, g, b,
                      a);
}

#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class cImage;
class QXmlStreamReader;

/// One frame rectangle in pixels of a chip-set picture: origin at the picture's top-left corner,
/// y down.
struct TextureCoordinate
{
    float x, y, w, h;
};

/// A strip of equally sized frames cut from one chip-set picture, stepped by the elapsed
/// milliseconds of each tick, looping or finishing (and then optionally hiding itself), drawn
/// into the world texture or onto the screen. Colours are 0 to 255.
class cAnimation
{
public:
    /// The most frames an animation holds: its frame index has 16 bits.
    static constexpr int kMaxFrames = 65536;

    cAnimation() = default;
    /// Takes the picture, frames, loop, vanish, frame time and offsets of other and starts
    /// afresh: visible, frame 0, no time played, not finished, no name.
    cAnimation(const cAnimation& other);
    /// The same as the copy constructor, onto an existing animation.
    cAnimation& operator=(const cAnimation& other);
    virtual ~cAnimation() = default;

    /// Reads the attributes of the `animation` element (or one of its form) at the reader's
    /// position, without moving the reader: x, y (0), w, h (16), numFrames (1), loop (0), name,
    /// vanish (unchanged), mpf (0, taken modulo 65536), offsetx, offsety (0) and src (defaultSrc);
    /// a malformed number reads as 0. Then Setup. False, with an "ERROR:" line, when the element
    /// describes no drawable animation.
    bool LoadFromXml(QXmlStreamReader& reader, int defaultSrc);

    /// Restarts the animation (frame 0, no time played) with the chip set numbered src (any other
    /// number keeps the current picture) and appends numFrames frames of w x h pixels, the first at
    /// (x, y) of the sheet, running along the row and wrapping to the next row h pixels down.
    /// Refuses, with an "ERROR:" line and nothing changed, when there is no picture, no frame, an
    /// empty frame size or more frames in all than kMaxFrames. A frame time of 0 steps one frame per
    /// Update.
    bool Setup(bool loop, uint16_t mpf, int numFrames, int x, int y, int w, int h, int src, int offsetx,
               int offsety);

    /// Adds elapsedMs to the time played and steps at most one frame once a frame time is full;
    /// the rest carries over. Past the last frame it loops, or finishes (and hides when vanishing).
    void Update(unsigned elapsedMs);
    /// Frame 0, no time played, not finished, visibility from the argument.
    void Reset(bool visible);
    /// Shows frame i (not finished, time played i frame times); an index outside the frames is
    /// refused with an "ERROR:" line.
    void SetFrame(int i);
    /// Whether a non-looping animation has stepped past its last frame. A vanishing one that has
    /// played longer than all its frames hides itself here too.
    bool IsFinished();

    void SetVisible(bool v) { visible = v; }
    bool IsVisible() const { return visible; }
    int GetCurrentFrame() const { return frame; }
    int GetNumFrames() const { return static_cast<int>(frames.size()); }
    int GetOffsetX() const { return offsetX; }
    int GetOffsetY() const { return offsetY; }
    /// Width and height of frame i in pixels; 0 for an index outside the frames.
    float GetFrameWidth(int i) const;
    float GetFrameHeight(int i) const;
    bool IsLooping() const { return loop; }
    QString GetName() const { return name; }
    const std::vector<TextureCoordinate>& GetFrames() const { return frames; }
    /// The chip-set picture the frames are cut from (shared, not owned); null before Setup.
    const cImage* GetImage() const { return image; }

    /// Draws the current frame into the world texture with its lower-left corner at (x, y) plus the
    /// offsets, scale times its size (offsets unscaled, scale not clamped). Nothing when invisible.
    void Draw(float x, float y, int r, int g, int b, int a, int scale);
    /// The same as Draw.
    void DrawF(float x, float y, int r, int g, int b, int a, int scale) { Draw(x, y, r, g, b, a, scale); }
    /// Draws the current frame on the screen at (x, y) plus the offsets, both times
    /// s = max(1, scale), at s times its size. Nothing when invisible.
    void DrawScaled(float x, float y, int scale, int r, int g, int b, int a);

private:
    void StepFrame();
    bool IsDrawable() const;
    bool HasFrame(int i) const { return i >= 0 && i < GetNumFrames(); }

    cImage* image = nullptr;
    std::vector<TextureCoordinate> frames;
    bool visible = true;
    bool loop = true;
    bool vanish = false;
    uint16_t frame = 0;
    unsigned sinceStep = 0;
    unsigned total = 0;
    unsigned mpf = 200;
    bool finished = false;
    int offsetX = 0, offsetY = 0;
    QString name;
};

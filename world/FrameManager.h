#pragma once

#include "world/ColorBackground.h"

#include <QPointF>
#include <QRect>

#include <memory>
#include <vector>

class QGLFramebufferObject;
class QString;
class cComicFrame;
class cCommonResources;
class cFramedArea;

/// What the frame manager is doing.
enum eFrameState : int
{
    kFramesIdle = 0,
    kFramesRotating = 1,
    kFramesFadingIn = 2,
    kFramesFadingOut = 3,
    kFramesShakingBeforeSwitch = 4,
};

/// The presentation of one area. It owns the 512 x 512 world texture the area draws into every
/// picture, the area's frame sets (ordered lists of comic frames that show rectangles of that
/// texture on the 480 x 272 virtual screen) and the colour background behind them. It switches
/// between sets with a fade (holding the area still while the switch hides it), shakes the frames
/// and draws everything to the window at the largest whole pixel size that fits, centred.
///
/// GUI thread only. The GL context must be current when the manager is made or deleted and
/// whenever it renders or draws. Times are whole milliseconds, advanced only by Update.
class cFrameManager
{
public:
    using FrameList = std::vector<std::unique_ptr<cComicFrame>>;

    /// A manager for owner (borrowed, may be null: then nothing is rendered into the texture and
    /// the background takes no blend), with no frame set and no background yet. starField (borrowed,
    /// may be null: then no stars are shown) is the store whose shared star field shines behind the
    /// frames when the frame-set file asks for it. Makes the world texture; without a current GL
    /// context there is none, an "ERROR:" line says so, and the passes draw nothing.
    explicit cFrameManager(cFramedArea* owner, cCommonResources* starField = nullptr);
    virtual ~cFrameManager();

    cFrameManager(const cFrameManager&) = delete;
    cFrameManager& operator=(const cFrameManager&) = delete;

    /// Switches to set index over ms in all: ms / 2 fading the current set out, ms / 2 fading the
    /// new one in. The area is held paused from a fifth of the fade-out to four fifths of the
    /// fade-in. With ms > 0 the index is taken modulo the number of sets; with ms = 0 the switch is
    /// at once and an index without a set is refused with an "ERROR:" line. Dropped without notice
    /// during a quarter turn (a riding spirit would be left on the screen); refused with an "ERROR:"
    /// line when there is no set at all.
    virtual void SwitchToFrameSet(unsigned index, unsigned ms);

    /// Reads a frame-set file (a path without ":/" is looked up as ":/" + path) and makes set 0
    /// current. False, with an "ERROR:" line, when the file does not open or holds no frame set;
    /// a file cut short by an XML error keeps what was read before it and answers true.
    bool LoadFrameSets(const QString& path);

    /// Takes the window size in pixels: pixel size max(1, min(w / 480, h / 272)) and the offsets
    /// that centre the virtual screen (negative, cropping evenly, below 480 x 272). Passes the size
    /// on to the background.
    void Resize(int width, int height);
    int GetPixelSize() const { return pixelSize; }
    /// Window pixel of the virtual screen's origin (its lower-left corner), y up.
    int GetOffsetX() const { return offsetX; }
    int GetOffsetY() const { return offsetY; }

    /// The render pass: the area draws its world (and, as asked, its body outlines) into the world
    /// texture. GL attributes and the projection are restored afterwards; the model-view matrix is
    /// left selected and set to identity.
    void RenderWorldToTexture(bool physicsOutlines, bool playerOutlines, bool sky, bool background);

    /// One tick of ms milliseconds: background blend and fade, the stars' twinkling while shown,
    /// the running turn, switch or fade, the automatic switch after a shake, dynamic frames
    /// following the player, the frames' shakes and glides. Always answers 0.
    int Update(int ms);
    /// An eFrameState value.
    int GetState() const { return state; }

    /// Fades the current set in over ms (the frames grow from nothing during the first half).
    void StartFadeIn(unsigned ms);
    /// Fades the current set out over ms with no set to follow: the frames stay hidden and the
    /// area stays paused afterwards (the end of an area).
    void StartFadeOut(unsigned ms);
    /// Whether a fade-out without a following set has run its full time.
    bool IsFadedOut() const;

    /// Shakes every frame of the current set (cComicFrame::SetShake).
    void ShakeFrames(unsigned durationMs, int xRange, int yRange, int intervalMs, bool shrinking);
    /// Shakes for delayMs, then switches to set 1 over 500 ms; a refused switch is retried one
    /// delay later. A quarter turn in between ends it.
    void ShakeThenSwitch(int delayMs, int xRange, int yRange, int intervalMs, bool shrinking);

    /// Shows the lilac pair at once and fades over ms back to record 0, the day colour (an area's
    /// start). An area that starts in the Vadi do Davovodaz keeps showing it until its weight next
    /// lies between day and night.
    void FlashBackground(int ms);
    /// Fades the background to the lilac pair over ms (an area's end).
    void FadeBackgroundTo(int ms);

    /// A quarter turn of the current set about the screen's centre, anticlockwise (left) or
    /// clockwise (right), with one of the turn sounds. The shared rainbow spirit (`gRainbowSpirit`)
    /// takes part: in the air it is lifted out of the world and rides the turn at its place on the
    /// screen; when the frames have stopped it is put down at the world point now under that place,
    /// or dies over a gap. Nothing unless `CanRotate`.
    void RotateLeft() { Rotate(true); }
    void RotateRight() { Rotate(false); }
    /// No frame glides, no fade runs, the spirit is alive with a body, and the frames did not stop
    /// within the last rotation lockout.
    bool CanRotate() const;
    /// Whether some frame of the current set glides.
    bool IsAnyFrameMoving() const;
    /// Quarter turns made so far, 0 to 3; four in one direction bring every frame home.
    int GetOrientation() const { return orientation; }

    /// The frame of the current set that shows the spirit best: of the frames whose texture window
    /// touches its body, the first whose window reaches furthest around the body's centre, provided
    /// that centre lies less than a quarter of the body's width outside it. Null otherwise.
    cComicFrame* FindPlayerFrame() const;
    /// The frame of the current set that the riding spirit covers most on the screen, by more than
    /// a quarter of its magnified size; the earlier frame on a tie. Null otherwise.
    cComicFrame* FindFrameUnderPlayer() const;
    /// The riding spirit's place on the virtual screen (its body's lower-left corner) and the
    /// magnification it is drawn at.
    QPointF GetPlayerScreenPos() const;
    int GetPlayerScaleClass() const { return playerScaleClass; }

    void SetStarsVisible(bool visible) { starsVisible = visible; }
    bool StarsVisible() const { return starsVisible; }
    /// Id 0 shows the mushroom ornament along the window's top and bottom edges; any other hides it.
    void SetOrnament(int id) { ornamentShown = id == 0; }
    /// 0 when the ornament is shown, -1 when hidden.
    int GetOrnament() const { return ornamentShown ? 0 : -1; }

    int GetFrameSetCount() const { return static_cast<int>(frameSets.size()); }
    int GetCurrentFrameSet() const { return currentSet; }
    /// The frames of set i in drawing order; an empty list for an index without a set.
    const FrameList& GetFrameSet(int i) const;
    /// Appends an empty frame set; answers its index.
    int AddFrameSet();
    /// The largest magnification of a frame, and how far from the virtual screen's origin a frame
    /// may stand or reach: no frame of any area comes near them, and the arithmetic of turns, fades
    /// and the editor stays far from overflowing within them.
    static constexpr int kMaxScale = 16;
    /// The side of the square world texture, in texels.
    static constexpr int kWorldTextureSize = 512;
    static constexpr int kMaxReach = 4096;

    /// Appends a frame to set `set` at (x, y) of the virtual screen, showing texWidth x texHeight
    /// texels from (uMin, vMin) (v counted down from the top) at the given scale. Refused, with an
    /// "ERROR:" line, for a set that does not exist, a size or scale below 1, a window reaching out
    /// of the world texture, a scale above kMaxScale or a place beyond kMaxReach.
    bool AddFrame(int set, int x, int y, int uMin, int vMin, int texWidth, int texHeight, int scale, bool hasBorder,
                  bool specialBlend);
    /// AddFrame without special blend, marked dynamic: its texture window follows the player.
    bool AddDynamicFrame(int set, int x, int y, int uMin, int vMin, int texWidth, int texHeight, int scale,
                         bool hasBorder);

    /// The first frame of the current set under window point (x, y) (widget pixels, y down), or null.
    cComicFrame* FrameAtWindowPoint(int x, int y) const;

    /// Makes the background from record 0, replacing any earlier one; its first colour is shown.
    void SetBackground(const sZorv_BG_Color& first);
    /// Whether the on-screen pass paints every pixel of the window: it does with a background sized
    /// to the window.
    bool CoversWindow() const { return background && windowWidth >= 0; }
    /// The background, or null before SetBackground.
    cColorBackground* GetBackground() const { return background.get(); }
    /// Record 0 of the background, or six -1 without one.
    sZorv_BG_Color GetBackgroundColor() const;

    /// How many pieces of the ornament run along each window edge: enough to reach past the right
    /// edge at the present pixel size.
    int OrnamentColumns() const;

    /// The GL name of the world texture; 0 without one.
    unsigned GetWorldTexture() const;

protected:
    /// The colour background (behind everything, over the whole window), the shared star field when
    /// shown (at the pixel size, from the window's corner), then the ornament along the window's
    /// bottom and top edges when shown and the shared animations are loaded.
    void DrawBackgroundLayers();
    /// The current set from the world texture at the pixel size and offsets, each frame with a
    /// white border, zooming while fading; highlighted (if any) once more with a red border.
    void DrawFrameLayer(const cComicFrame* highlighted);
    /// Removes frame from the current set and deletes it; false when it is not there.
    bool DeleteFrame(const cComicFrame* frame);

private:
    /// The rectangle of the world texture around every texel the current set shows (rows counted
    /// up); empty without frames.
    QRect ShownTexels() const;
    bool IsFading() const { return state == kFramesFadingIn || state == kFramesFadingOut; }
    void DrawOrnament() const;
    const FrameList& CurrentFrames() const { return GetFrameSet(currentSet); }
    void SetCurrentAlpha(float a);
    void AdvanceFade(int ms);
    float FadeProgress() const;
    void FadeInStep(int ms);
    void FadeOutStep(int ms);
    void AutomaticSwitchStep(int ms);
    void FollowPlayer(cComicFrame& frame) const;
    bool InRotationLockout() const { return rotationTimer >= 0 && rotationTimer < rotationLockout; }
    void Rotate(bool left);
    /// The step of a turn: the spirit's flutter while the frames glide, then the wait after they stop.
    void UpdateRotation(int ms);
    /// Lifts the spirit out of the world at its place on the screen; false, changing nothing, when
    /// no frame shows it.
    bool UpdatePlayerScreenPos();
    /// Puts the riding spirit down in the frame under it, or lets it die there.
    void TeleportPlayerToFrame();
    /// The riding spirit on the screen, over the frames, while the frame layer is translated.
    void DrawRidingSpirit() const;

    cFramedArea* owner;
    cCommonResources* starField;
    std::unique_ptr<QGLFramebufferObject> worldTexture;
    int state = kFramesIdle;
    std::vector<FrameList> frameSets;
    int currentSet = 0;
    cComicFrame* playerFrame = nullptr;
    std::unique_ptr<cColorBackground> background;
    bool starsVisible = false;
    bool ornamentShown = false;
    // Quarter-turn state: orientation 0..3, lockout and wait after the frames stop, the timer
    // counting from then (-1 = not counting), and the riding spirit's place on the screen.
    int orientation = 0;
    int rotationLockout = 50;
    int rotationTimer = -1;
    float playerScreenX = 0, playerScreenY = 0;
    int playerScaleClass = 1;
    int rotationWait = 550;
    int targetSet = -1;
    unsigned fadeDuration = 0;
    unsigned fadeElapsed = 0;
    int windowWidth = -1, windowHeight = -1;
    int pixelSize = -1;
    int offsetX = 0, offsetY = 0;
    int autoSwitchDelay = 4000;
    int autoSwitchTimer = -1;
};

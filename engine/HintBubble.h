#pragma once

#include <memory>

class cAnimation;

/// The small picture bubble above a character, an info box or an exit tree: it opens, shows a
/// content picture inside a steady frame, and closes when its time runs low or its owner hides it.
/// Every picture is a fresh copy of an animation of the shared info-bubble list
/// (`gInfoBubbleAnims`): 0 opening frame, 1 closing frame, 2 steady frame, 3 and on the contents.
///
/// Times are in milliseconds, counted down by the elapsed time each `Update` is given. An entity
/// owns at most one bubble (`cEntity::SetHintBubble`) and deletes it once `Update` reports it done.
class cHintBubble
{
public:
    /// Shows contentId for timeMs; a time of 0 makes the bubble endless (it never closes by itself
    /// and keeps a nominal 1000 ms). Nothing is drawn before the first `Update`.
    cHintBubble(int contentId, int timeMs);
    virtual ~cHintBubble();
    cHintBubble(const cHintBubble&) = delete;
    cHintBubble& operator=(const cHintBubble&) = delete;

    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_DONE = 1, ///< the time is used up: the owner deletes the bubble
    };
    /// Advances the opening, showing and closing by dtMs; an `eResult`. A content picture that does
    /// not loop closes the bubble when it ends.
    int Update(int dtMs);
    /// Starts closing: the closing frame plays and the bubble is done 1000 ms later (an endless
    /// one stays, empty, until deleted). Nothing when already closing or closed.
    void Hide();
    /// A frame is shown and it is not the closing one.
    bool IsOpen() const;
    /// Closing or closed: hidden, or its time ran low. Until `Reopen` it shows no content again.
    bool IsClosing() const { return closing; }
    /// The frame picture shown: 0 opening, 1 closing, 2 steady; -1 when none is.
    int GetShownFrame() const { return frame ? frameId : -1; }
    /// Whether a content picture is shown (only inside the steady frame).
    bool IsShowingContent() const { return content != nullptr; }
    /// Starts again from the opening frame with the full time and the content given at construction.
    void Reopen();

    /// The frame, then the content, into the world texture at (x, y) (world units); nothing once
    /// the time is used up.
    void Draw(int x, int y);
    /// The same on the screen at (x, y) in window pixels, scale times as large.
    void DrawScaled(int x, int y, int scale);

    /// The content given at construction.
    int GetContent() const { return contentId; }
    /// Shows another content picture while one is shown; the next `Reopen` goes back to the
    /// content given at construction.
    void SetContent(int id);
    int GetTimeLeft() const { return timeLeft; }
    void SetTimeLeft(int ms) { timeLeft = ms; }

private:
    enum eFrame { FRAME_OPENING = 0, FRAME_CLOSING = 1, FRAME_STEADY = 2 };

    void ShowFrame(int id);
    /// A copy of element id of the shared list; null, after an "ERROR:" line, for an id it lacks.
    static std::unique_ptr<cAnimation> CopyOf(int id);

    int timeLeft;
    std::unique_ptr<cAnimation> content;
    std::unique_ptr<cAnimation> frame;
    bool closing = false;
    bool opened = false;
    int displayTime;
    bool endless;
    int frameId = FRAME_OPENING;
    int contentId;
};

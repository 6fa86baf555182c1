#pragma once

class cEntity;

/// The hint bubble of a character: the content (an index of the shared info-bubble list) and the
/// display time in ms that its next bubble opens with, and the operations on the bubble its
/// entity owns. The area's scripts set a content for the next bubble; the character sets it back
/// to the one shown on selection.
class cCharacterBubble
{
public:
    /// How long the bubble shown on selection stays.
    static constexpr int kSelectionMs = 3000;

    /// The next bubble shows content for kSelectionMs.
    void Reset(int content);
    /// The next bubble shows content for timeMs; a bubble of the owner that opened with another
    /// content shows this one at once.
    void Set(cEntity& owner, int content, int timeMs);
    /// Only the content of the next bubble changes.
    void SetContent(int value) { content = value; }
    /// Re-opens the owner's bubble while it is open; otherwise replaces it with a new one.
    void Show(cEntity& owner) const;
    /// Starts closing the owner's bubble, when there is one.
    static void Hide(cEntity& owner);
    /// The content the owner's bubble opened with; -1 without bubble.
    static int GetShown(const cEntity& owner);

    int GetContent() const { return content; }
    int GetTime() const { return timeMs; }

private:
    int content = 0;
    int timeMs = 0;
};

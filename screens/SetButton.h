#pragma once

#include <QString>

#include <memory>

class cAnimation;
class cFontManager;
class cInputHandler;
class QXmlStreamReader;

/// The key field of one key-binding row on the controls page: a small frame showing the name of
/// the key bound to the row's action. Confirming or clicking the row makes it wait for a key; the
/// next key is shown at once but bound only when the player saves (`Commit`); cancelling shows the
/// bound key again (`Revert`). Positions are window pixels, y up.
class cSetButton
{
public:
    /// The states of the field.
    enum eState
    {
        IDLE = 0,
        WAITING = 1,
    };

    cSetButton();
    virtual ~cSetButton();
    cSetButton(const cSetButton&) = delete;
    cSetButton& operator=(const cSetButton&) = delete;

    /// Reads x, y (0) and name (the text shown at first, also the committed text) of the
    /// `setbutton` element at the reader's position, then its children up to its end tag: a
    /// `buttonframe` (cut from defaultChipSet unless it names its own `src`) becomes the frame,
    /// a later one replacing an earlier one. Always true.
    bool LoadFromXml(QXmlStreamReader& reader, int defaultChipSet);

    /// Shows the text and commits it: what the field shows when nothing is pending.
    void SetBothTexts(const QString& text);
    /// Shows the committed text again and forgets a captured key.
    void Revert();

    void SetWaiting() { state = WAITING; }
    void SetIdle() { state = IDLE; }
    int GetState() const { return state; }

    /// Takes the key just pressed (the input handler's last key) for the action named actionName
    /// and shows its name ("?" for a key without one); nothing is bound yet.
    void SetKey(const QString& actionName, const cInputHandler& input);
    /// Binds a captured key to its action in the input handler's play keys and commits its text.
    /// Nothing is bound when no key was captured.
    void Commit(cInputHandler& input);
    bool IsChanged() const { return changed; }
    /// The captured key while one is pending.
    int GetKeyCode() const { return keyCode; }

    /// Hovered exactly while (px, py) lies strictly inside the 40 × 16 frame, at s = max(1,
    /// scale - 1), where the frame was last drawn. Returns the new flag.
    bool HitTest(float px, float py, int scale);
    void SetHovered(bool flag) { hovered = flag; }
    bool IsHovered() const { return hovered; }

    /// The shown text, cut to its first five characters, centred in the field at the given
    /// height, the field standing 5 × scale right of the screen's centre; text and frame at
    /// scale - 1. Pink while waiting, light while hovered, else in the given colour.
    void Draw(int py, int scale, const cFontManager& font, int r, int g, int b, int a, int screenWidth);

    QString GetShownText() const { return shownText; }
    QString GetCommittedText() const { return committedText; }
    int GetX() const { return x; }
    int GetY() const { return y; }

private:
    std::unique_ptr<cAnimation> frame;
    QString shownText;
    QString committedText;
    int x = 0, y = 0;
    int state = IDLE;
    int keyCode = 0;
    QString actionName;
    bool changed = false;
    bool hovered = false;
};

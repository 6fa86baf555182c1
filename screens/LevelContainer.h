#pragma once

#include "engine/FontManager.h"

#include <QString>

#include <memory>
#include <string>

class cLevelButton;

/// One area of the area selection: its file, display name, maximum and best score, whether it is
/// unlocked and completed, and the two 1200 ms sequences that show it being completed or unlocked
/// (`eLevelState`). It owns the icon cell that draws it; the screen makes, ticks, draws, resizes
/// and points the mouse at it. Pixels, origin at the window's lower-left corner.
///
/// An area whose file is not in the game cannot be played: it counts as locked wherever the
/// player could reach it, whatever the save slot says, and its unlocking shows nothing.
class cLevelContainer
{
public:
    /// index: the place in the area order; fileName as the order writes it.
    cLevelContainer(int index, const std::string& fileName);
    virtual ~cLevelContainer();
    cLevelContainer(const cLevelContainer&) = delete;
    cLevelContainer& operator=(const cLevelContainer&) = delete;

    /// Picks the cell's picture, places the cell and reads the area file. False when the area has
    /// no file in the game, after one "NOTE:" line naming it (none for an empty name).
    bool LoadArea();
    /// The display name and the maximum score from the area file; false when it is not there.
    bool ReadAreaFile();

    /// Not animated: the flag as given. Animated: an available area that is not unlocked yet
    /// waits for its unlocking sequence, which sets the flag at its end.
    void SetUnlocked(bool value, bool animated);
    /// Unlocked and playable.
    bool IsUnlocked() const;
    /// Completed, unlocked, or on its way there.
    bool IsUnlockedOrUnlocking() const;
    /// A first completion that is not quiet starts the completing sequence with its sound. A
    /// completed area is unlocked too.
    void SetCompleted(bool value, bool quiet);
    bool IsCompleted() const { return completed; }
    void SetBestScore(int score) { bestScore = score; }
    int GetBestScore() const { return bestScore; }
    void SetMaxScore(int score) { maxScore = score; }
    int GetMaxScore() const { return maxScore; }
    const std::string& GetFileName() const { return fileName; }
    const QString& GetName() const { return name; }
    int GetIndex() const { return index; }
    /// Entering the unlocking state plays its sound.
    void SetState(int value);
    int GetState() const { return state; }
    int GetTimer() const { return timer; }

    /// Moves the sparkles and runs the sequence; returns the state, or `LEVEL_UNLOCK_DONE` in the
    /// tick an unlock ends.
    int Update(int dtMs);
    /// The cell: picture, ring, badges and sparkles as the flags and the sequence say.
    void DrawButton();
    /// The name and the score line of a hovered unlocked area, centred near the window's bottom.
    void DrawInfo();
    void Resize(int w, int h);
    void UpdateTextPosition();
    int GetColumns() const;

    /// Only an unlocked area follows the mouse; it is selected while the mouse is over it.
    void MouseMove(int x, int y);
    /// Unlocked and strictly inside the cell.
    bool HitTest(int x, int y) const;
    void SetSelected(bool value);
    bool IsSelected() const { return selected; }
    /// The sequence's fade, 0 to 255; 0 outside a sequence.
    int FadeAlpha() const;
    const cLevelButton& GetButton() const { return *button; }

    /// The score line under the name.
    QString ScoreLine() const;

private:
    std::string fileName;
    QString name;
    int index;
    bool selected = false;
    int nameX = 0, textBaseY = 0;
    cFontManager font;
    std::unique_ptr<cLevelButton> button;
    int width = 0, height = 0;
    int scale = 1;
    bool unlocked = false;
    bool completed = false;
    bool available = false;
    int maxScore = 0;
    int bestScore = 0;
    int state = 0;
    int timer = 0;
    int duration = 1200;
};

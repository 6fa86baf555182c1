#pragma once

#include <QString>

#include <box2d/b2_math.h>

#include <memory>
#include <string>

class cAnimation;
class cFontManager;
class cSaveGame;

/// One row of the save-slot menu: the slot's file "Saves/slot<n>.zvs", its area picture, its
/// caption "GAME SLOT <n>" (with "- READ ONLY" when its file may not be written) and a summary
/// ("Empty - New Game", "Damaged - New Game" or its score), and, while the menu asks,
/// "OVERWRITE SAVE GAME?" with YES and NO. Positions are window pixels, y up.
class cSaveSlot
{
public:
    /// An empty row that draws with font (borrowed; it must outlive the row).
    explicit cSaveSlot(const cFontManager* font);
    ~cSaveSlot();
    cSaveSlot(const cSaveSlot&) = delete;
    cSaveSlot& operator=(const cSaveSlot&) = delete;

    /// Reads slot n's file, making it fresh when the player has none. Called again, it reads the
    /// file anew.
    void Init(int n);
    /// Whether the slot holds a game to resume.
    bool IsUsed() const;
    /// Whether the player's file is there but cannot be resumed: it could not be read, is damaged or
    /// names no current area. It shows as damaged and stays as it is until a new game is started on it.
    bool IsDamaged() const { return damaged; }
    /// Whether a new game would replace something of the player's: a game or a damaged file.
    bool HoldsSomething() const { return IsUsed() || damaged; }
    /// Whether the slot's file may be written.
    bool IsWritable() const { return writable; }
    /// Makes the slot a fresh game and writes its file. False, after the message, when the file
    /// could not be written: the game may still be played, but nothing of it is kept.
    bool StartNewGame();
    void UpdateSummary();

    void SetTextScale(int scale) { textScale = scale; }
    /// The row with its lower-left corner of text at (x, y); the question only while it is open
    /// on this row, choice 0 marking YES and 1 NO; the cursor may be null.
    void Draw(int x, int y, bool selected, bool questionOpen, int choice, cAnimation* cursor);

    void SetHovered(bool flag) { hovered = flag; }
    bool IsHovered() const { return hovered; }
    void SetChoiceHover(bool yes, bool no);
    bool IsYesHovered() const { return yesHovered; }
    bool IsNoHovered() const { return noHovered; }
    b2Vec2 GetYesPosition() const { return yesPosition; }
    b2Vec2 GetNoPosition() const { return noPosition; }

    QString GetCaption() const { return caption; }
    QString GetSummary() const { return summary; }
    const std::string& GetCurrentArea() const { return currentArea; }

private:
    std::string FileName() const;
    void DrawQuestion(int x, int y, int choice, cAnimation* cursor);
    void DrawText(const QString& text, int x, int y, int scale, bool coloured) const;
    /// Light while hovered, white while marked, else lilac.
    static void DrawChoiceFrame(cAnimation* frame, b2Vec2 at, bool hover, bool marked, int s);

    QString caption;
    QString summary;
    std::unique_ptr<cSaveGame> saveGame;
    bool readable = false;
    bool damaged = false;
    bool writable = true;
    int score = 0;
    int slotNumber = 0;
    int textScale = 0;
    std::string currentArea;
    const cFontManager* font;
    bool hovered = false, yesHovered = false, noHovered = false;
    b2Vec2 yesPosition{0, 0};
    b2Vec2 noPosition{0, 0};
};

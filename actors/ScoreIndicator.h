#pragma once

#include <QString>

#include <box2d/b2_math.h>

#include <vector>

class cAnimation;

/// The score of an exit tree, kept and shown: a green heart beside the tree with a pink one over
/// it that fills in as the score nears the number of hearts that can be won, and a short twinkle
/// for every heart eaten. The exit owns it and routes every score operation through it; the game
/// controller reads its three counters when an area ends.
///
/// The indicator file ("res/xml/actors/ScoreIndicator/*.xml", root `ScoreIndicator`) names the
/// twinkles' chip set (`TileSetID`), whether the indicator is the big one of the scripted trees
/// (`BigIndicator`), and lists the twinkles as `FeedbackAnim` elements: the first four for
/// positive hearts, the rest for negative ones.
class cScoreIndicator
{
public:
    /// Score 0 out of 1, no hearts counted, no twinkles, drawn at (x, y) in world units.
    cScoreIndicator(float x, float y);
    virtual ~cScoreIndicator();
    cScoreIndicator(const cScoreIndicator&) = delete;
    cScoreIndicator& operator=(const cScoreIndicator&) = delete;

    /// Reads the indicator file (":/" is put in front of a path without it), appending its
    /// twinkles hidden. False, after an "ERROR:" line, when the file does not open or a twinkle
    /// cannot be built; reading stops at that twinkle.
    bool LoadFromXml(const QString& file);

    b2Vec2 GetPosition() const { return position; }
    void SetPosition(float x, float y) { position.Set(x, y); }
    int GetScore() const { return score; }
    void SetScore(int value) { score = value; }
    int GetMaxScore() const { return maxScore; }
    /// The number of hearts that can be scored in the area.
    void SetMaxScore(int n) { maxScore = n; }
    /// Hearts of value 1 or more eaten, and the others.
    int GetPositiveCount() const { return positiveCount; }
    int GetNegativeCount() const { return negativeCount; }
    bool IsBig() const { return big; }

    /// Adds a heart's value to the score, counts it as positive (1 or more) or negative, and
    /// starts a twinkle of its kind when one of that kind is free.
    void AddScore(int value);
    /// Advances the twinkles by dtMs.
    void Update(int dtMs);
    /// The green heart, the pink heart over it at `PinkAlpha`, then the showing twinkles, at the
    /// indicator's position in the world texture.
    void Draw();

    /// How opaque the pink heart is drawn, 0 to 255: score / max score of full, clamped. A
    /// maximum below 1 shows any positive score in full.
    int PinkAlpha() const;
    /// The twinkles in file order (for tests and the drawing).
    const std::vector<cAnimation*>& GetFeedbackAnims() const { return feedbackAnims; }

private:
    /// Restarts the first hidden twinkle among [first, end) of the list; none when all show.
    void PlayFeedback(size_t first, size_t end);

    b2Vec2 position;
    int score = 0;
    int maxScore = 1;
    int positiveCount = 0;
    int negativeCount = 0;
    bool big = false;
    std::vector<cAnimation*> feedbackAnims;
};

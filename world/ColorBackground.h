#pragma once

#include <vector>

/// One colour pair of the background: the first colour lies along the bottom edge of the window,
/// the second along the top edge. Components run from 0 to 255.
struct sZorv_BG_Color
{
    int r, g, b;
    int r2, g2, b2;

    bool operator==(const sZorv_BG_Color& o) const
    {
        return r == o.r && g == o.g && b == o.b && r2 == o.r2 && g2 == o.g2 && b2 == o.b2;
    }
};

/// The vertical two-colour gradient behind the comic frames. It keeps a list of colour records and
/// shows one colour pair, which changes at once (SetColors), over a timed fade (FadeTo) or by a
/// fractional position between two neighbouring records (BlendAt). While a target pair is shown it
/// is painted over the shown pair with the fade fraction as alpha.
///
/// Wherever a record or pair is stored by the constructor, AddRecord, SetRecord or SetColors, a
/// second colour of -1, -1, -1 means "the same as the first" (a flat background).
class cColorBackground
{
public:
    /// The first record; it becomes the shown pair and the current record.
    explicit cColorBackground(const sZorv_BG_Color& first);
    virtual ~cColorBackground() = default;

    /// Advances a timed fade by ms milliseconds; at its end the target pair becomes the shown pair.
    /// A fraction left by BlendAt is not advanced while no timed fade runs.
    virtual void Update(int ms);
    /// The gradient over the window in the caller's window-pixel projection (y up), then the target
    /// pair over it with alpha fraction x 255.
    virtual void Paint();

    /// Appends a record; with makeCurrent it is shown at once. Returns its index.
    int AddRecord(const sZorv_BG_Color& record, bool makeCurrent);
    /// Overwrites record i (shown at once when it is the current record); false without record i.
    bool SetRecord(int i, const sZorv_BG_Color& record);
    /// Record i, or six -1 without one.
    sZorv_BG_Color GetRecord(int i) const;
    int GetRecordCount() const { return static_cast<int>(records.size()); }

    /// Shows this pair at once and ends any fade or blend; no record is current afterwards.
    void SetColors(const sZorv_BG_Color& colors);
    /// SetColors with record i, which then is the current record. Nothing without record i.
    void SetColorsFromRecord(int i);
    /// Fades to this pair over ms milliseconds. The pair is taken as given (-1, -1, -1 stays).
    bool FadeTo(const sZorv_BG_Color& colors, int ms);
    /// FadeTo record i, which then is the current record; false without record i.
    bool FadeToRecord(int i, int ms);
    /// Shows the mix at position p between records: record trunc(p) under record trunc(p) + 1 at
    /// strength frac(p). Nothing for p < 0, a whole p, or without record trunc(p) + 1.
    void BlendAt(float p);

    /// The window size in pixels that Paint covers.
    void SetSize(int width, int height);

    const sZorv_BG_Color& GetShownColors() const { return shown; }
    const sZorv_BG_Color& GetTargetColors() const { return target; }
    /// Strength of the target pair, 0 to 1; below 0 when no target is shown.
    float GetFadeFraction() const { return fraction; }
    /// The record the shown colours come from, or -1.
    int GetCurrentRecord() const { return currentRecord; }

private:
    bool HasRecord(int i) const { return i >= 0 && i < GetRecordCount(); }
    void EndFade();

    std::vector<sZorv_BG_Color> records;
    int currentRecord = 0;
    sZorv_BG_Color shown;
    sZorv_BG_Color target{-1, -1, -1, -1, -1, -1};
    int fadeElapsed = -1;
    int fadeDuration = -1;
    float fraction = -1.0f;
    int width = 0, height = 0;
};

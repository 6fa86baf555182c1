#pragma once

#include <QString>

#include <string>

class QXmlStreamAttributes;

/// What the screens between areas show of an area before it is loaded, read from its area file
/// (root `ZORV_AREA_SAVE_FILE`, not checked): the display name (`Metadata` `name`), the maximum
/// score (the `ScoreHeart` `value`s added in file order, the sum set back to 0 whenever it falls below) and the line of its interlude
/// (`Quote` `ID` and `text`; a `Quote` without `ID` counts as none).
class cAreaSummary
{
public:
    /// Reads the area file (":/" put in front when the name holds none), adding to what was read
    /// before. False, without a message, when the name is empty or the file is not in the resource
    /// tree; the callers say what that means to them. An XML error ends the reading and keeps what
    /// was read before it.
    bool Read(const std::string& fileName);

    QString name;
    int maxScore = 0;
    bool hasQuote = false;
    int quoteId = 0;
    bool hasQuoteText = false;
    QString quoteText;

private:
    void ReadQuote(const QXmlStreamAttributes& attributes);
};

#include "Palette.h"

#include "SourceText.h"

bool Palette::Load(const QString &path, QString *error)
{
    return SourceText::ForEachEntry(path, [this](const QStringList &words) { return AddColour(words); }, error);
}

QString Palette::AddColour(const QStringList &words)
{
    if (words.size() < 2 || words[0].size() != 1)
        return "expected '<letter> <RRGGBB[AA]>'";
    const QString hex = words[1];
    bool ok = false;
    const uint value = hex.toUInt(&ok, 16);
    if (!ok || (hex.size() != 6 && hex.size() != 8))
        return "bad colour '" + hex + "'";
    const QChar letter = words[0][0];
    if (m_colours.contains(letter))
        return QString("letter '%1' defined twice").arg(letter);
    // Six digits are opaque; eight carry their own alpha.
    m_colours.insert(letter, hex.size() == 6 ? (0xff000000u | value) : ((value << 24) | (value >> 8)));
    return QString();
}

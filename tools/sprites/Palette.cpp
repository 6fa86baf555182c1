#include "Palette.h"

#include "SourceText.h"

bool Palette::Load(const QString &path, QString *error)
{
    QStringList lines;
    if (!SourceText::ReadLines(path, &lines, error))
        return false;
    for (int i = 0; i < lines.size(); ++i) {
        if (SourceText::IsSkippable(lines[i]))
            continue;
        const QStringList parts = lines[i].trimmed().split(' ', Qt::SkipEmptyParts);
        const QString where = QString("%1:%2: ").arg(path).arg(i + 1);
        if (parts.size() < 2 || parts[0].size() != 1) {
            *error = where + "expected '<letter> <RRGGBB[AA]>'";
            return false;
        }
        const QString hex = parts[1];
        bool ok = false;
        const uint value = hex.toUInt(&ok, 16);
        if (!ok || (hex.size() != 6 && hex.size() != 8)) {
            *error = where + "bad colour '" + hex + "'";
            return false;
        }
        const QChar letter = parts[0][0];
        if (m_colours.contains(letter)) {
            *error = where + "letter '" + letter + "' defined twice";
            return false;
        }
        // Six digits are opaque; eight carry their own alpha.
        m_colours.insert(letter, hex.size() == 6 ? (0xff000000u | value) : ((value << 24) | (value >> 8)));
    }
    return true;
}

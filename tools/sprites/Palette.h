#pragma once

#include <QHash>
#include <QRgb>
#include <QString>

/// The colours sprites are drawn with: one letter stands for one RGBA colour.
/// File format: one colour per line, "<letter> <RRGGBB or RRGGBBAA> [description]";
/// lines starting with '#' and blank lines are ignored.
class Palette
{
public:
    /// Reads a palette file; false with a message in `error` ("file:line: ...") on any fault.
    bool Load(const QString &path, QString *error);

    bool Contains(QChar letter) const { return m_colours.contains(letter); }
    /// The colour of a letter; transparent for an unknown one (check with `Contains` first).
    QRgb Colour(QChar letter) const { return m_colours.value(letter, 0); }

private:
    /// One palette line's words; a message when they are faulty.
    QString AddColour(const QStringList &words);

    QHash<QChar, QRgb> m_colours;
};

#pragma once

#include <QStringList>

#include <functional>

/// The source files of the sprites (palette, art, layout) are plain text read line by line;
/// blank lines and lines starting with '#' carry nothing.
namespace SourceText
{
/// Every line of the file at `path`; false with "path: cannot open" in `error`.
bool ReadLines(const QString &path, QStringList *lines, QString *error);
/// True for blank and comment lines.
bool IsSkippable(const QString &line);
/// Hands the words of every line that carries something to `entry`, which returns a
/// message for a faulty line or an empty text. False at the first fault, with
/// "path:line: message" in `error`.
bool ForEachEntry(const QString &path, const std::function<QString(const QStringList &words)> &entry,
                  QString *error);
}

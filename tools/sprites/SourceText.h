#pragma once

#include <QStringList>

/// The source files of the sprites (palette, art, layout) are plain text read line by line;
/// blank lines and lines starting with '#' carry nothing.
namespace SourceText
{
/// Every line of the file at `path`; false with "path: cannot open" in `error`.
bool ReadLines(const QString &path, QStringList *lines, QString *error);
/// True for blank and comment lines.
bool IsSkippable(const QString &line);
}

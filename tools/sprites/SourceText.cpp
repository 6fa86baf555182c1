#include "SourceText.h"

#include <QFile>
#include <QTextStream>

namespace SourceText
{
bool ReadLines(const QString &path, QStringList *lines, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = path + ": cannot open";
        return false;
    }
    *lines = QTextStream(&file).readAll().split('\n');
    return true;
}

bool IsSkippable(const QString &line)
{
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith('#');
}
}

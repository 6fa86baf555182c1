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

bool ForEachEntry(const QString &path, const std::function<QString(const QStringList &words)> &entry,
                  QString *error)
{
    QStringList lines;
    if (!ReadLines(path, &lines, error))
        return false;
    for (int i = 0; i < lines.size(); ++i) {
        if (IsSkippable(lines[i]))
            continue;
        const QString message = entry(lines[i].trimmed().split(' ', Qt::SkipEmptyParts));
        if (!message.isEmpty()) {
            *error = QString("%1:%2: %3").arg(path).arg(i + 1).arg(message);
            return false;
        }
    }
    return true;
}
}

#include "engine/StringUtil.h"

QString ResourcePath(const QString& name)
{
    if (name.contains(QLatin1String(":/")) || name.startsWith(QLatin1Char('/')))
        return name;
    return QLatin1String(":/") + name;
}

QString FileExtension(const QString& s)
{
    const int dot = s.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : s.mid(dot + 1);
}

bool EndsWith(const QString& s, const QString& suffix)
{
    return s.endsWith(suffix, Qt::CaseSensitive);
}

QString IntToString(int n)
{
    return QString::number(n);
}

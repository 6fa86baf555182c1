#include "engine/XmlFile.h"

#include <QFile>

#include <cstdio>

bool OpenXmlFile(QFile& file, const QString& shownName)
{
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        return true;
    ReportInvalidXmlFile(shownName.isEmpty() ? file.fileName() : shownName);
    return false;
}

void ReportInvalidXmlFile(const QString& name)
{
    std::printf("\n ERROR: Invalid XML resource file: %s \n\n", qPrintable(name));
    // Flushed at once: the line is often the last sign of a file that goes on to be missed.
    std::fflush(stdout);
}

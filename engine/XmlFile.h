#pragma once

#include <QString>

class QFile;

/// Opens file (a resource or a user file, its name already set) for reading as text. When it does
/// not open, prints the "Invalid XML resource file" line naming shownName, or the file's own name
/// when that is empty, and answers false.
bool OpenXmlFile(QFile& file, const QString& shownName = QString());

/// The line every reader prints for an XML file it cannot read:
/// "\n ERROR: Invalid XML resource file: <name> \n\n".
void ReportInvalidXmlFile(const QString& name);

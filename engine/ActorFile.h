#pragma once

#include <QString>

#include <functional>

class QXmlStreamReader;

/// Reads an actor description file from the resource tree (":/" is put in front of a path
/// without it): onStartElement is called at every start element in document order, wherever it
/// stands, until the end of the file, the first XML error, or a call that returns false. False,
/// after an "ERROR: Invalid XML resource file" line with the resource path, when the file does
/// not open; true otherwise, also when the reading was cut short.
bool ReadActorFile(const QString& file, const std::function<bool(QXmlStreamReader&)>& onStartElement);

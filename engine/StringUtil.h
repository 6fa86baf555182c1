#pragma once

#include <QString>

/// The resource path of a file name: the name unchanged when it contains ":/" anywhere or is
/// an absolute path on disk (a file the editor opened), else ":/" followed by the name
/// ("res/xml/a.xml" -> ":/res/xml/a.xml").
QString ResourcePath(const QString& name);

/// The text after the last "." of s; empty when s has no ".".
QString FileExtension(const QString& s);

/// Whether s ends with suffix (false when s is the shorter). Case-sensitive.
bool EndsWith(const QString& s, const QString& suffix);

/// n in decimal, with a leading "-" when negative.
QString IntToString(int n);

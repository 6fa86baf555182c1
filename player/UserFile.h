#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QFile;
class QIODevice;
class QSaveFile;
class QXmlStreamReader;
class QXmlStreamWriter;

/// One per-user XML file ("Controls.xml", "Settings.xml", "Saves/slot0.zvs", ...), named by a path
/// relative to two places:
/// - the template shipped with the program: looked up in the working directory, then beside the
///   executable. It is read only while the user copy is missing, to make it.
/// - the user copy: the data location (QStandardPaths::AppDataLocation; the application name must be
///   "Mirrowen"), then "ZORV", then the relative path. The location is read anew on every call, so
///   XDG_DATA_HOME may change between calls.
///
/// A missing user copy is made from what the reader took from the template: it is opened before the
/// template is read, and a copy that cannot be made fails the reading. Every write of a user copy is
/// atomic: it replaces the whole file or leaves the old one untouched, and the folders it needs are
/// made first. An existing user copy is read without the right to write it. Every failure to open or
/// write prints "\n ERROR: Invalid XML resource file: %s \n\n" with the path that failed (the relative
/// name for the template, the full path for the user copy); a failed Write, which loses what the
/// player did, is also kept for the window to tell the player (TakeWriteFailures). A damaged file is
/// read as far as it is sound, without a line.
///
/// A reader opens the source with OpenSource, hands every start element to its own code through
/// ReadElements (taking numbers with IntAttribute), and, when SourceIsTemplate, finishes with MakeCopy.
class cUserFile
{
public:
    explicit cUserFile(const QString& relativeName);
    ~cUserFile();
    cUserFile(const cUserFile&) = delete;
    cUserFile& operator=(const cUserFile&) = delete;

    /// The "ZORV" folder of the data location, native separators.
    static QString DataFolder();
    /// Makes "ZORV" and "ZORV/Saves" with every missing parent; true when both exist afterwards.
    static bool MakeFolders();
    /// The user copies that Write could not replace since the last call, each once, and forgets them.
    /// A copy that MakeCopy could not make is not among them: it would have held nothing of the
    /// player's.
    static QStringList TakeWriteFailures();

    /// The template's path: relative to the working directory when it exists there, else beside the
    /// executable; the relative name itself when neither exists.
    QString TemplatePath() const;
    /// The user copy's full path, native separators.
    QString UserPath() const;

    /// Opens what the reader takes its values from, for reading only: the user copy when it exists,
    /// whatever became of the template; else the template, after which the user copy is opened for
    /// MakeCopy. False after the message when an existing user copy cannot be opened
    /// (CopyIsDamaged), or when there is no user copy and the template cannot be opened or the copy
    /// cannot be made; then nothing has been read and nothing is written.
    bool OpenSource();
    /// True after a successful OpenSource when the user copy was missing and is to be made.
    bool SourceIsTemplate() const;
    /// True when the user copy exists but could not be opened, or what ReadElements read of it was
    /// not sound: the player's file is there but cannot be used as it stands.
    bool CopyIsDamaged() const;
    /// Whether a write of the user copy is allowed: its folder (or the nearest one that exists) and an
    /// existing copy must be writable. A full disk still shows only when writing.
    bool CanWrite() const;

    /// Reads the open source token by token until its end or its first XML error, handing every start
    /// element to onElement. A damaged source (empty, cut short, not XML, words where numbers belong)
    /// is read as far as it is sound. True when it was sound.
    bool ReadElements(const std::function<void(const QXmlStreamReader&)>& onElement);
    /// The decimal integer in a start element's attribute; fallback when the attribute is missing or
    /// holds no number, the latter marking the source as damaged.
    int IntAttribute(const QXmlStreamReader& xml, const char* name, int fallback);
    /// The same for a number that must lie from low to high: one outside marks the source as damaged
    /// too, and gives fallback.
    int IntAttributeWithin(const QXmlStreamReader& xml, const char* name, int fallback, int low, int high);

    /// Writes the user copy being made (see SourceIsTemplate) and commits it. False after the message;
    /// what was read stays good. A copy never made this way is dropped whole when the object goes.
    bool MakeCopy(const std::function<void(QXmlStreamWriter&)>& writeRoot);
    /// Replaces the user copy as a whole: the XML declaration, writeRoot's elements (indented by four
    /// spaces) and the end of the document, committed atomically. False after the message; then the
    /// file on disk is unchanged.
    bool Write(const std::function<void(QXmlStreamWriter&)>& writeRoot) const;

private:
    static bool OpenForWriting(QSaveFile& file);
    static bool WriteAndCommit(QSaveFile& file, const std::function<void(QXmlStreamWriter&)>& writeRoot);

    QString relativeName;
    std::unique_ptr<QFile> source;
    /// The user copy being made from the template, open until MakeCopy commits it.
    std::unique_ptr<QSaveFile> copy;
    bool damaged = false;
};

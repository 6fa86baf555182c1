#include "player/UserFile.h"

#include "engine/XmlAttributes.h"
#include "engine/XmlFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

/// Written to by every failed Write, emptied by the window, which tells the player.
QStringList writeFailures;

} // namespace

cUserFile::cUserFile(const QString& relativeName)
    : relativeName(relativeName)
{
}

cUserFile::~cUserFile() = default;

QString cUserFile::DataFolder()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/ZORV");
}

bool cUserFile::MakeFolders()
{
    return QDir().mkpath(DataFolder() + "/Saves");
}

QString cUserFile::TemplatePath() const
{
    if (QFileInfo::exists(relativeName))
        return relativeName;
    // The build puts the templates beside the executable too: a player who starts the game from any
    // other folder would otherwise have no slot templates, and no progress of theirs could be saved.
    if (QCoreApplication::instance()) {
        const QString besideExecutable = QCoreApplication::applicationDirPath() + "/" + relativeName;
        if (QFileInfo::exists(besideExecutable))
            return besideExecutable;
    }
    return relativeName;
}

QString cUserFile::UserPath() const
{
    return QDir::toNativeSeparators(DataFolder() + "/" + relativeName);
}

bool cUserFile::OpenSource()
{
    source.reset();
    copy.reset();
    damaged = false;

    // The player's own copy is read whatever became of the template: a lost, unreadable or
    // misplaced template must never cost the player's progress or bindings.
    const QString userPath = UserPath();
    if (QFileInfo::exists(userPath)) {
        // Only read: a copy the player may read but not write is still the player's.
        auto userCopy = std::make_unique<QFile>(userPath);
        if (!OpenXmlFile(*userCopy)) {
            damaged = true;
            return false;
        }
        source = std::move(userCopy);
        return true;
    }

    auto templateFile = std::make_unique<QFile>(TemplatePath());
    if (!OpenXmlFile(*templateFile, relativeName))
        return false;
    // The copy is opened before anything is read: a copy that cannot be made fails the reading.
    auto newCopy = std::make_unique<QSaveFile>(userPath);
    if (!OpenForWriting(*newCopy))
        return false;
    source = std::move(templateFile);
    copy = std::move(newCopy);
    return true;
}

bool cUserFile::SourceIsTemplate() const
{
    return copy != nullptr;
}

bool cUserFile::CopyIsDamaged() const
{
    return damaged && !copy;
}

bool cUserFile::CanWrite() const
{
    const QFileInfo copy(UserPath());
    if (copy.exists() && !copy.isWritable())
        return false;
    // A save writes a new file beside the copy and renames it, so the folder must take new files.
    QFileInfo folder(copy.absolutePath());
    while (!folder.exists() && folder.absolutePath() != folder.absoluteFilePath())
        folder = QFileInfo(folder.absolutePath());
    return folder.isDir() && folder.isWritable();
}

bool cUserFile::ReadElements(const std::function<void(const QXmlStreamReader&)>& onElement)
{
    QXmlStreamReader xml(source.get());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            onElement(xml);
    }
    // What was read before the damage stays.
    damaged = damaged || xml.hasError();
    return !damaged;
}

int cUserFile::IntAttribute(const QXmlStreamReader& xml, const char* name, int fallback)
{
    int value = fallback;
    if (ReadIntAttribute(xml.attributes(), name, value) == eAttributeRead::Malformed)
        damaged = true;
    return value;
}

int cUserFile::IntAttributeWithin(const QXmlStreamReader& xml, const char* name, int fallback, int low, int high)
{
    int value = fallback;
    const eAttributeRead read = ReadIntAttribute(xml.attributes(), name, value);
    if (read == eAttributeRead::Absent || (read == eAttributeRead::Read && value >= low && value <= high))
        return value;
    damaged = true;
    return fallback;
}

bool cUserFile::MakeCopy(const std::function<void(QXmlStreamWriter&)>& writeRoot)
{
    const std::unique_ptr<QSaveFile> made = std::move(copy);
    return made && WriteAndCommit(*made, writeRoot);
}

bool cUserFile::Write(const std::function<void(QXmlStreamWriter&)>& writeRoot) const
{
    QSaveFile file(UserPath());
    if (OpenForWriting(file) && WriteAndCommit(file, writeRoot))
        return true;
    // What the player did since the last save is lost with it: the window tells them.
    if (!writeFailures.contains(UserPath()))
        writeFailures.append(UserPath());
    return false;
}

bool cUserFile::OpenForWriting(QSaveFile& file)
{
    // The folders are made here rather than trusted to start-up, so a first start or a deleted
    // "Saves" folder never costs the player a save.
    QDir().mkpath(QFileInfo(file.fileName()).absolutePath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Text))
        return true;
    ReportInvalidXmlFile(file.fileName());
    return false;
}

bool cUserFile::WriteAndCommit(QSaveFile& file, const std::function<void(QXmlStreamWriter&)>& writeRoot)
{
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    writeRoot(xml);
    xml.writeEndDocument();
    if (!xml.hasError() && file.commit())
        return true;
    ReportInvalidXmlFile(file.fileName());
    return false;
}

QStringList cUserFile::TakeWriteFailures()
{
    QStringList failures;
    failures.swap(writeFailures);
    return failures;
}

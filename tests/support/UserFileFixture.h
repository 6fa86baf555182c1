#pragma once

#include "player/UserFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

/// Runs each test in a fresh working directory (where the templates are looked up) with XDG_DATA_HOME
/// pointed at a fresh folder, so no test sees another's files or the real user data.
class UserFileFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dataHome.isValid());
        ASSERT_TRUE(workDir.isValid());
        previousDataHome = qgetenv("XDG_DATA_HOME");
        previousWorkDir = QDir::currentPath();
        QCoreApplication::setApplicationName("Mirrowen");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        ASSERT_TRUE(QDir::setCurrent(workDir.path()));
        cUserFile::TakeWriteFailures();
    }

    void TearDown() override
    {
        QDir::setCurrent(previousWorkDir);
        qputenv("XDG_DATA_HOME", previousDataHome);
    }

    static void WriteFile(const QString& path, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void WriteTemplate(const QString& relativeName, const QByteArray& content)
    {
        WriteFile(workDir.filePath(relativeName), content);
    }

    /// The template the game ships under that name.
    void UseShippedTemplate(const QString& relativeName)
    {
        WriteTemplate(relativeName, ShippedTemplate(relativeName));
    }

    static QByteArray ShippedTemplate(const QString& relativeName)
    {
        return ReadFile(QString(MIRROWEN_SOURCE_DIR) + "/templates/" + relativeName);
    }

    static QString UserPath(const QString& relativeName) { return cUserFile(relativeName).UserPath(); }

    void WriteUserCopy(const QString& relativeName, const QByteArray& content)
    {
        WriteFile(UserPath(relativeName), content);
    }

    QByteArray ReadUserCopy(const QString& relativeName) const { return ReadFile(UserPath(relativeName)); }

    bool UserCopyExists(const QString& relativeName) const { return QFileInfo::exists(UserPath(relativeName)); }

    /// A plain file where the data folder must be: no folder can be made below it.
    void MakeDataFolderImpossible()
    {
        WriteFile(dataHome.filePath("blocked"), "not a folder");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.filePath("blocked")));
    }

    static QString InvalidFileLine(const QString& path)
    {
        return "\n ERROR: Invalid XML resource file: " + path + " \n\n";
    }

    QTemporaryDir dataHome;
    QTemporaryDir workDir;

private:
    QByteArray previousDataHome;
    QString previousWorkDir;
};

// The player's files as a player who is not the superuser meets them: a data folder that may be read
// but not written, and a second copy of the game on the same folder. The tests run as root, who may
// write anything, so the player's side runs as the user "nobody" (this binary, "--as-player").
#include "player/DataFolderLock.h"

#include "tests/support/UserFileFixture.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

constexpr int kNobody = 65534;

QByteArray UsedSlot(int score)
{
    return "<ZORV_Save Area=\"res/Areas/Bridge.xml\" Score=\"" + QByteArray::number(score) +
           "\"><Areas><Area name=\"res/Areas/Area0.xml\" completed=\"1\" unlocked=\"1\" score=\"3\"/>"
           "</Areas></ZORV_Save>\n";
}

class UnprivilegedPlayer : public UserFileFixture
{
protected:
    void SetUp() override
    {
        UserFileFixture::SetUp();
        // The player must reach the templates and the data home.
        ASSERT_TRUE(QFile::setPermissions(workDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                              QFile::ReadOther | QFile::ExeOther));
        for (const char* name : {"Settings.xml", "Controls.xml", "Saves/slot0.zvs", "Saves/slot1.zvs", "Saves/slot2.zvs"})
            UseShippedTemplate(name);
    }

    /// This binary in a role, as "nobody" when the tests run as root.
    void Start(QProcess& player, const char* role) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", qgetenv("XDG_DATA_HOME"));
        environment.insert("MIRROWEN_NONINTERACTIVE", "1");
        player.setProcessEnvironment(environment);
        player.setWorkingDirectory(workDir.path());
        const QStringList arguments{"--as-player", role};
        if (geteuid() == 0) {
            player.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", ReachableCopy()} +
                                        arguments);
        } else {
            player.start(QFileInfo("/proc/self/exe").symLinkTarget(), arguments);
        }
        ASSERT_TRUE(player.waitForStarted());
    }

    /// This binary where "nobody" may run it: the build folder may lie below a home that only its
    /// owner can enter.
    QString ReachableCopy() const
    {
        const QString copy = binaryDir.filePath("player");
        if (!QFileInfo::exists(copy)) {
            EXPECT_TRUE(QFile::copy(QFileInfo("/proc/self/exe").symLinkTarget(), copy));
            const QFile::Permissions everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther;
            EXPECT_TRUE(QFile::setPermissions(binaryDir.path(), everyone));
            EXPECT_TRUE(QFile::setPermissions(copy, everyone));
        }
        return copy;
    }

    /// Every file below the data folder with its content and the time it was last written.
    static std::map<QString, QByteArray> FolderContent()
    {
        std::map<QString, QByteArray> files;
        QDirIterator it(cUserFile::DataFolder(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files[path] = ReadFile(path) + "@" +
                          QByteArray::number(QFileInfo(path).lastModified().toMSecsSinceEpoch());
        }
        return files;
    }

    QTemporaryDir binaryDir;
};

TEST_F(UnprivilegedPlayer, AFolderThatMayOnlyBeReadCostsOnlyTheWritingAndThePlayerIsTold)
{
    WriteUserCopy("Settings.xml", "<ZORV_SETTINGS><AUDIO><Music Mute=\"1\"/></AUDIO></ZORV_SETTINGS>\n");
    WriteUserCopy("Controls.xml", "<ZORV_CONTROLS><JUMP Standard=\"87\"/></ZORV_CONTROLS>\n");
    WriteUserCopy("Saves/slot1.zvs", UsedSlot(12));
    WriteUserCopy("Saves/slot2.zvs", "<ZORV_Save Area=\"res/Are");
    // Made by root: the player may read the folders and files, and write none of them.
    ASSERT_TRUE(QFile::setPermissions(dataHome.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                           QFile::ReadOther | QFile::ExeOther));
    const auto before = FolderContent();

    QProcess player;
    Start(player, "read");
    ASSERT_TRUE(player.waitForFinished());
    const QString out = QString::fromLocal8Bit(player.readAllStandardOutput());
    EXPECT_EQ(player.exitCode(), 0) << qPrintable(out);
    EXPECT_TRUE(out.contains("settings 1 1\n")) << qPrintable(out);
    EXPECT_TRUE(out.contains("jump 87\n")) << qPrintable(out);
    EXPECT_TRUE(out.contains("slot GAME SLOT 0 - READ ONLY|Empty - New Game\n")) << qPrintable(out);
    EXPECT_TRUE(out.contains("slot GAME SLOT 1 - READ ONLY|score:  *12\n")) << "the progress is there";
    EXPECT_TRUE(out.contains("slot GAME SLOT 2 - READ ONLY|Damaged - New Game\n")) << qPrintable(out);
    EXPECT_TRUE(out.contains("new game saved 0\n")) << qPrintable(out);
    EXPECT_EQ(out.count("Invalid XML resource file: " + UserPath("Saves/slot1.zvs") + " "), 1) << "on writing only";
    EXPECT_TRUE(out.contains("unsaved 1\n")) << "slot 1's new game, for the window";
    for (const char* readable : {"Settings.xml", "Controls.xml"})
        EXPECT_FALSE(out.contains("Invalid XML resource file: " + UserPath(readable) + " ")) << readable;
    EXPECT_EQ(FolderContent(), before);
}

TEST_F(UnprivilegedPlayer, OneCopyAtATimeUsesTheFilesAndADeadCopyLeavesThemFree)
{
    // The player owns the data home here, as a player's own home.
    ASSERT_EQ(chown(dataHome.path().toLocal8Bit().constData(), geteuid() == 0 ? kNobody : geteuid(),
                    geteuid() == 0 ? kNobody : getegid()),
              0);

    QProcess first;
    Start(first, "hold");
    ASSERT_TRUE(first.waitForReadyRead());
    ASSERT_EQ(first.readLine(), "holding\n");
    EXPECT_TRUE(QFileInfo::exists(cDataFolderLock::Path()));

    // Hours of play: the lock's age says nothing about its owner.
    QFile lock(cDataFolderLock::Path());
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-5 * 3600), QFileDevice::FileModificationTime));
    lock.close();
    const auto held = FolderContent();

    QProcess second;
    Start(second, "hold");
    ASSERT_TRUE(second.waitForFinished());
    EXPECT_EQ(second.exitCode(), 3);
    EXPECT_TRUE(second.readAllStandardOutput().contains("'Mirrowen' is already running"));
    EXPECT_EQ(FolderContent(), held) << "the second copy touched nothing";

    // Killed: its lock stays behind, and the next copy takes it over.
    first.kill();
    ASSERT_TRUE(first.waitForFinished());
    EXPECT_TRUE(QFileInfo::exists(cDataFolderLock::Path()));
    QProcess third;
    Start(third, "hold");
    ASSERT_TRUE(third.waitForReadyRead());
    EXPECT_EQ(third.readLine(), "holding\n");
    third.closeWriteChannel();
    ASSERT_TRUE(third.waitForFinished());
    EXPECT_EQ(third.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(cDataFolderLock::Path())) << "released at the end";

    QProcess quitting;
    Start(quitting, "quit");
    ASSERT_TRUE(quitting.waitForFinished());
    EXPECT_EQ(quitting.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(cDataFolderLock::Path())) << "released by exit() too";
}

} // namespace

#include "player/DataFolderLock.h"

#include "player/UserFile.h"

#include <QDir>
#include <QLockFile>

#include <cstdio>

cDataFolderLock::cDataFolderLock() = default;

cDataFolderLock::~cDataFolderLock() = default;

QString cDataFolderLock::Path()
{
    return QDir::toNativeSeparators(cUserFile::DataFolder() + "/Mirrowen.lock");
}

cDataFolderLock::eTake cDataFolderLock::Take()
{
    QDir().mkpath(cUserFile::DataFolder());
    lock = std::make_unique<QLockFile>(Path());
    // Only a dead owner makes a lock stale, never its age: a game is played for hours.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return eTake::Taken;
    if (lock->error() == QLockFile::LockFailedError)
        return eTake::HeldElsewhere;
    printf("\n ERROR: cannot make the lock file %s \n\n", qPrintable(Path()));
    fflush(stdout);
    return eTake::Impossible;
}

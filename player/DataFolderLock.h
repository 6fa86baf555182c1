#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// Keeps a second copy of the game, or of the frame editor, off the player's files while one runs: a
/// copy that read a slot and later writes it would put back what the other copy has saved since.
/// The lock is the file "Mirrowen.lock" in the data folder ("ZORV"). It is released when the object
/// goes, and taken over when the copy that held it has died. GUI thread only.
class cDataFolderLock
{
public:
    enum class eTake
    {
        Taken,         ///< this copy holds the folder
        HeldElsewhere, ///< another running copy holds it: this one must touch nothing
        Impossible,    ///< the folder cannot take the lock file (it may not be written): nothing
                       ///< can be written there either, so the copies cannot harm each other
    };

    cDataFolderLock();
    ~cDataFolderLock();
    cDataFolderLock(const cDataFolderLock&) = delete;
    cDataFolderLock& operator=(const cDataFolderLock&) = delete;

    /// Tries once, without waiting; makes the data folder when it is missing. Needs the
    /// application object with its name set.
    eTake Take();
    /// The lock file's full path, native separators.
    static QString Path();

private:
    std::unique_ptr<QLockFile> lock;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

/// Files held in memory and mounted in the resource tree under ":/fuzz/", so the game's readers
/// open them by resource path exactly as they open the shipped files, without a disk or rcc in
/// between. Mounting again replaces what was mounted before. GUI thread only.
class cMemoryResource
{
public:
    cMemoryResource() = default;
    ~cMemoryResource();
    cMemoryResource(const cMemoryResource&) = delete;
    cMemoryResource& operator=(const cMemoryResource&) = delete;

    /// Sets the bytes of ":/fuzz/<name>" and mounts the tree anew; name holds no '/'.
    void Put(const QString& name, const QByteArray& bytes);
    /// "fuzz/<name>", as the game's files write a resource path.
    static QString BarePath(const QString& name) { return "fuzz/" + name; }

private:
    void Unmount();
    void Mount();

    std::map<QString, QByteArray> files;
    // The three tables that Qt reads for as long as they are registered.
    std::vector<unsigned char> tree, names, data;
    bool mounted = false;
};

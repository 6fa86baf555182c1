#include "MemoryResource.h"

#include <algorithm>
#include <cstdint>

QT_BEGIN_NAMESPACE
// What the code that rcc generates calls to register a tree compiled into a program.
bool qRegisterResourceData(int version, const unsigned char* tree, const unsigned char* name,
                           const unsigned char* data);
bool qUnregisterResourceData(int version, const unsigned char* tree, const unsigned char* name,
                             const unsigned char* data);
QT_END_NAMESPACE

namespace {

// The oldest layout Qt reads: 14 bytes per node, no modification times.
constexpr int kFormatVersion = 1;
constexpr std::uint16_t kDirectory = 2;
constexpr std::uint16_t kLanguageC = 1;

void Append16(std::vector<unsigned char>& out, std::uint16_t value)
{
    out.push_back(static_cast<unsigned char>(value >> 8));
    out.push_back(static_cast<unsigned char>(value));
}

void Append32(std::vector<unsigned char>& out, std::uint32_t value)
{
    Append16(out, static_cast<std::uint16_t>(value >> 16));
    Append16(out, static_cast<std::uint16_t>(value));
}

/// The hash Qt looks names up by, kept with each name.
std::uint32_t NameHash(const QString& name)
{
    std::uint32_t h = 0;
    for (QChar c : name) {
        h = (h << 4) + c.unicode();
        h ^= (h & 0xf0000000u) >> 23;
        h &= 0x0fffffffu;
    }
    return h;
}

std::uint32_t AppendName(std::vector<unsigned char>& names, const QString& name)
{
    const auto offset = static_cast<std::uint32_t>(names.size());
    Append16(names, static_cast<std::uint16_t>(name.size()));
    Append32(names, NameHash(name));
    for (QChar c : name)
        Append16(names, c.unicode());
    return offset;
}

void AppendDirectory(std::vector<unsigned char>& tree, std::uint32_t nameOffset, std::uint32_t children,
                     std::uint32_t firstChild)
{
    Append32(tree, nameOffset);
    Append16(tree, kDirectory);
    Append32(tree, children);
    Append32(tree, firstChild);
}

} // namespace

cMemoryResource::~cMemoryResource()
{
    Unmount();
}

void cMemoryResource::Put(const QString& name, const QByteArray& bytes)
{
    files[name] = bytes;
    Unmount();
    Mount();
}

void cMemoryResource::Unmount()
{
    if (mounted)
        qUnregisterResourceData(kFormatVersion, tree.data(), names.data(), data.data());
    mounted = false;
}

// One folder "fuzz" under the root, its files ordered by name hash as Qt's binary search expects.
void cMemoryResource::Mount()
{
    tree.clear();
    names.clear();
    data.clear();
    std::vector<std::pair<std::uint32_t, QString>> byHash;
    for (const auto& file : files)
        byHash.emplace_back(NameHash(file.first), file.first);
    std::sort(byHash.begin(), byHash.end());

    // The root's own name is never read.
    const std::uint32_t folder = AppendName(names, QStringLiteral("fuzz"));
    AppendDirectory(tree, folder, 1, 1);
    AppendDirectory(tree, folder, static_cast<std::uint32_t>(byHash.size()), 2);
    for (const auto& entry : byHash) {
        const QByteArray& bytes = files[entry.second];
        Append32(tree, AppendName(names, entry.second));
        Append16(tree, 0);
        Append16(tree, 0);
        Append16(tree, kLanguageC);
        Append32(tree, static_cast<std::uint32_t>(data.size()));
        Append32(data, static_cast<std::uint32_t>(bytes.size()));
        data.insert(data.end(), bytes.begin(), bytes.end());
    }
    // Qt reads through these pointers even for an empty file.
    data.push_back(0);
    mounted = qRegisterResourceData(kFormatVersion, tree.data(), names.data(), data.data());
}

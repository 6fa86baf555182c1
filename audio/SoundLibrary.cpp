#include "audio/SoundLibrary.h"

#include "audio/AudioSystem.h"
#include "audio/Sound.h"
#include "engine/XmlFile.h"

#include <QFile>
#include <QXmlStreamReader>

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

constexpr int kMenuSounds[] = {52, 53, 62, 63, 64};
constexpr int kHoverTick = 1;

} // namespace

cSoundLibrary* gSoundLibrary = nullptr;

cSoundLibrary::cSoundLibrary(cAudioSystem* audioSystem)
    : m_audioSystem(audioSystem)
{
}

cSoundLibrary::~cSoundLibrary()
{
    ReleaseAll();
}

// Ids are positions in the file, so an effect that fails to load still takes its place.
bool cSoundLibrary::LoadFromXml(const QString& path)
{
    ReleaseAll();
    std::vector<QString> files;
    if (!ReadFileList(path, files)) {
        ReportInvalidXmlFile(path);
        return false;
    }
    for (const QString& file : files)
        m_sounds.push_back(m_audioSystem->CreateCachedSound(file));
    return true;
}

bool cSoundLibrary::ReadFileList(const QString& path, std::vector<QString>& files)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("sfx"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.hasAttribute(QLatin1String("file")))
            files.push_back(attributes.value(QLatin1String("file")).toString());
    }
    return true;
}

void cSoundLibrary::ReleaseAll()
{
    for (FMOD_SOUND* sound : m_sounds)
        if (sound)
            CheckFmodResult(FMOD_Sound_Release(sound));
    m_sounds.clear();
}

bool cSoundLibrary::Play(int effectId, float volume, int loopCount)
{
    if (!Exists(effectId)) {
        std::printf("\n ERROR: No sound effect %d; the library holds %d \n\n", effectId, GetCount());
        return false;
    }
    if (m_muted || !m_sounds[effectId])
        return false;
    return m_audioSystem->PlayOneShot(m_sounds[effectId], volume, loopCount);
}

void cSoundLibrary::PlayRandomMenuSound(float volume)
{
    Play(kMenuSounds[std::rand() % std::size(kMenuSounds)], volume, 0);
}

void cSoundLibrary::PlayHoverTick(float volume)
{
    Play(kHoverTick, volume, 0);
}

cSound* cSoundLibrary::MakeSound(int effectId)
{
    if (!Exists(effectId))
        return nullptr;
    auto* sound = new cSound;
    sound->InitShared(m_audioSystem, m_sounds[effectId], effectId);
    return sound;
}

void PlaySoundEffect(int effectId, float volume)
{
    if (gSoundLibrary)
        gSoundLibrary->Play(effectId, volume, 0);
}

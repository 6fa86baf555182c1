#include "actors/AreaEnterTree.h"

#include "actors/PlayerChar.h"
#include "audio/SoundLibrary.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <iterator>

namespace {

struct sTreeSound
{
    int effect;
    float volume;
};

/// The mouth's sounds by type: 0 tree, 1 cave, 2 mushroom.
constexpr sTreeSound kOpenSounds[] = {{42, 0.4f}, {43, 0.4f}, {65, 0.4f}};
constexpr sTreeSound kCloseSounds[] = {{23, 0.5f}, {79, 0.4f}, {66, 0.4f}};
constexpr int kSoundTypes = static_cast<int>(std::size(kOpenSounds));
/// Every character that comes out, whatever its id.
constexpr int kComeOutEffect = 47;
constexpr float kComeOutVolume = 0.4f;

/// The orange character comes out left of the mouth and the gray one right of it, so that three
/// released in turn stand side by side.
constexpr int kOrangeId = 1;
constexpr int kGrayId = 2;
constexpr float kSideStep = 5.0f;

void PlayForType(const sTreeSound* table, int type)
{
    if (type >= 0 && type < kSoundTypes)
        PlaySoundEffect(table[type].effect, table[type].volume);
}

} // namespace

cAreaEnterTree::cAreaEnterTree(physics::World* world, const QString& file, float x, float y, bool forceSwitch)
    : position(x, y)
    , forceSwitch(forceSwitch)
    , world(world)
{
    SetKind(KIND_ENTER_TREE);
    LoadFromXml(file);
    ShowPair(ENTER_ANIM_NEUTRAL, ENTER_ANIM_NEUTRAL_LOF);
}

cAreaEnterTree::~cAreaEnterTree() = default;

bool cAreaEnterTree::LoadFromXml(const QString& file)
{
    int chipSet = -1;
    return ReadActorFile(file, [&](QXmlStreamReader& reader) {
        const QXmlStreamAttributes attributes = reader.attributes();
        const QStringRef name = reader.name();
        if (name == QLatin1String("AreaEnterTree") || name == QLatin1String("Level0EnterTree")) {
            chipSet = IntAttributeClamped(attributes, "src", chipSet);
            type = IntAttributeClamped(attributes, "type", type);
        } else if (name == QLatin1String("MouthOffset")) {
            mouthOffset.Set(IntAttributeClamped(attributes, "x", 0), IntAttributeClamped(attributes, "y", 0));
        } else if (name == QLatin1String("animation")) {
            auto* anim = new cAnimation();
            if (anim->LoadFromXml(reader, chipSet))
                looks.Append(anim);
            else
                delete anim;
        }
        return true;
    });
}

void cAreaEnterTree::Enqueue(cPlayerChar* character)
{
    if (IsQueued(character->GetId(), character->IsAncestorForm()))
        return;
    queue.push_back(character);
    if (state == ENTER_CLOSED) {
        state = ENTER_WAITING;
        timer = 0;
    }
}

bool cAreaEnterTree::IsQueued(int id, bool ancestorForm) const
{
    return std::any_of(queue.begin(), queue.end(), [id, ancestorForm](const cPlayerChar* c) {
        return c->GetId() == id && c->IsAncestorForm() == ancestorForm;
    });
}

int cAreaEnterTree::Update(int dtMs)
{
    timer += dtMs;
    looks.Update(dtMs);
    if (state == ENTER_CLOSED)
        return -1;
    if (state == ENTER_WAITING && timer > waitTime) {
        state = ENTER_OPENING;
        timer = 0;
        ShowPair(ENTER_ANIM_OPEN, ENTER_ANIM_OPEN_LOF);
        PlayForType(kOpenSounds, type);
    }
    if (state == ENTER_OPENING && timer > openingTime) {
        state = ENTER_OPEN;
        timer = 0;
        return ReleaseNext();
    }
    if (state == ENTER_OPEN && timer > openTime) {
        state = queue.empty() ? ENTER_CLOSED : ENTER_WAITING;
        timer = 0;
        PlayForType(kCloseSounds, type);
        ShowPair(ENTER_ANIM_NEUTRAL, ENTER_ANIM_NEUTRAL_LOF);
    }
    return -1;
}

int cAreaEnterTree::ReleaseNext()
{
    cPlayerChar* character = queue.front();
    queue.erase(queue.begin());
    const b2Vec2 mouth = GetMouthPosition();
    const int id = character->GetId();
    const float x = id == kOrangeId ? mouth.x - kSideStep : id == kGrayId ? mouth.x + kSideStep : mouth.x;
    character->CreateBody(world, x, mouth.y);
    PlaySoundEffect(kComeOutEffect, kComeOutVolume);
    return id;
}

void cAreaEnterTree::ShowPair(int dayIndex, int lofIndex)
{
    looks.SetDay(dayIndex, true);
    looks.SetLoF(lofIndex, true);
}

void cAreaEnterTree::DrawDay(float weight)
{
    if (cAnimation* day = looks.GetDay())
        day->Draw(position.x, position.y, 255, 255, 255, cTreeLooks::AlphaOf(weight), 1);
}

void cAreaEnterTree::DrawLoF(float weight)
{
    if (cAnimation* lof = looks.GetLoF())
        lof->Draw(position.x, position.y, 255, 255, 255, cTreeLooks::AlphaOf(weight), 1);
}

#include "actors/AreaExit.h"

#include "actors/PlayerChar.h"
#include "actors/ScoreIndicator.h"
#include "audio/SoundLibrary.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/FileBody.h"
#include "engine/HintBubble.h"
#include "engine/PhysicsBody.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

/// Sound effects of the exit, by their number in the sound-effect list.
enum eExitEffect
{
    SFX_HEART_GAIN = 20,
    SFX_HEART_LOSS = 21,
    SFX_TREE_CLOSE = 23,
    SFX_TREE_OPEN = 42,     ///< also the gulp of a heart
    SFX_CAVE_OPEN = 43,
    SFX_TREE_EXPRESSION = 44,
    SFX_OTHER_EXPRESSION = 45,
    SFX_RELEASE = 46,       ///< + the character's id
    SFX_CAVE_CLOSE = 79,
};

enum eExitType
{
    EXIT_TREE = 0,
    EXIT_CAVE = 1,
};

/// Content of the shared info-bubble list: up at the exit opens it.
constexpr int kExitTutorialContent = 16;
constexpr int kTutorialMs = 7000;
/// A tutorial touched again while it shows stays up at least this long.
constexpr int kTutorialRenewMs = 5000;
constexpr int kSwallowChewMs = 850;
constexpr int kReleaseChewMs = 800;
/// Where the hint bubble sits relative to the exit's corner.
constexpr int kBubbleX = -5;
constexpr int kBubbleY = 17;
/// The foot a character must stand on to be swallowed: half its width, and how far above or
/// below the exit's bottom the character's bottom may be.
constexpr float kFootHalfWidth = 6.0f;
constexpr float kFootTolerance = 1.5f;

} // namespace

cAreaExit::cAreaExit(const QString& file, physics::World* world, float x, float y, bool activated,
                     const std::string& destination)
{
    InitDefaults();
    LoadFromXml(file, world, x, y);
    SetMouthPair(EXIT_ANIM_NEUTRAL);
    this->activated = activated;
    this->destination = destination;
}

cAreaExit::cAreaExit()
{
    InitDefaults();
}

cAreaExit::~cAreaExit()
{
    DeleteOwned();
}

void cAreaExit::DeleteOwned()
{
    looks.Clear();
    delete scoreIndicator;
    scoreIndicator = nullptr;
}

void cAreaExit::InitDefaults()
{
    SetKind(KIND_EXIT);
    DeleteOwned();
    RemoveFromWorld();
    delete physicsBody;
    physicsBody = nullptr;
    DeleteHintBubble();
    activated = false;
    lastHeartValue = 1;
    destination.clear();
    swallowed.clear();
    mouthOffset.SetZero();
    indicatorOffset.SetZero();
    type = -1;
    timer = 0;
    chewTime = 2500;
    reactionTime = 200;
    expressionTime = 2000;
    tutorial = false;
    smileThreshold = 1;
    sulkThreshold = -2;
    requestedId = -1;
    requestPending = false;
    mouthState = MOUTH_NEUTRAL;
}

bool cAreaExit::LoadFromXml(const QString& file, physics::World* world, float x, float y)
{
    // Released characters come back into the world the exit stands in, also for the scripted
    // trees, which are made without one and load themselves.
    this->world = world;
    int chipSet = -1;
    cFileBody sensor;
    const bool read = ReadActorFile(file, [&](QXmlStreamReader& reader) {
        const QXmlStreamAttributes attributes = reader.attributes();
        const QStringRef name = reader.name();
        if (name == QLatin1String("AreaExitTree") || name == QLatin1String("Level0EnterTree")) {
            chipSet = IntAttributeClamped(attributes, "src", chipSet);
            type = IntAttributeClamped(attributes, "type", type);
        } else if (name == QLatin1String("MouthOffset")) {
            mouthOffset.Set(IntAttributeClamped(attributes, "x", 0), IntAttributeClamped(attributes, "y", 0));
        } else if (name == QLatin1String("scoreIndicator")) {
            ReadScoreIndicator(attributes, x, y);
        } else if (name == QLatin1String("animation")) {
            auto* anim = new cAnimation();
            if (!anim->LoadFromXml(reader, chipSet)) {
                delete anim;
                printf("\nERROR:\nCould not load animation for area exit\n\n");
                return false;
            }
            looks.Append(anim);
        } else if (name == QLatin1String("body") && !attributes.hasAttribute(QLatin1String("x"))) {
            // A body with a position belongs to a scripted tree's own platform.
            sensor.Keep(sBodyAttributes::Read(attributes, true), BODY_SENSOR, x, y);
        }
        return true;
    });
    ReplaceBody(sensor.Make(world, this));
    return read;
}

void cAreaExit::ReadScoreIndicator(const QXmlStreamAttributes& attributes, float x, float y)
{
    indicatorOffset.Set(FloatAttributeWithin(attributes, "x", 0.0f, -kMaxFileInt, kMaxFileInt),
                        FloatAttributeWithin(attributes, "y", 0.0f, -kMaxFileInt, kMaxFileInt));
    delete scoreIndicator;
    scoreIndicator = new cScoreIndicator(x + indicatorOffset.x, y + indicatorOffset.y);
    scoreIndicator->LoadFromXml(attributes.value(QLatin1String("file")).toString());
}

void cAreaExit::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    cPhysicsActor* owner = other->GetOwner();
    if (!owner || owner->GetKind() != KIND_CHARACTER || !activated)
        return;
    OpenMouth(false);
    if (tutorial)
        ShowTutorialHint();
}

void cAreaExit::OnContactPersist(cPhysicsBody* other, const physics::ContactPoint*)
{
    cPhysicsActor* owner = other->GetOwner();
    if (!owner || owner->GetKind() != KIND_CHARACTER || !activated)
        return;
    OpenMouth(true);
    // Carrier fireflies are characters to the contact rules too, but only player characters go in.
    auto* character = dynamic_cast<cPlayerChar*>(owner);
    if (!character || character->GetState() == PLAYER_ENTER_EXIT || character->GetState() == PLAYER_IN_EXIT)
        return;
    if (!requestPending || !HitTest(character) || character->GetId() != requestedId)
        return;
    requestedId = -1;
    requestPending = false;
    character->EnterExit(this);
    swallowed.push_back(character);
    CloseMouth(kSwallowChewMs, true);
}

void cAreaExit::OnContactRemove(cPhysicsBody* other)
{
    requestedId = -1;
    requestPending = false;
    cPhysicsActor* owner = other->GetOwner();
    if (owner && owner->GetKind() == KIND_CHARACTER)
        CloseMouth(kSwallowChewMs, true);
}

bool cAreaExit::HitTest(cPhysicsActor* actor)
{
    const float a = actor->GetCenter().x;
    const float b = actor->GetPosition().y;
    const float c = GetCenter().x;
    const float d = GetPosition().y;
    return c - kFootHalfWidth < a && a <= c + kFootHalfWidth && d - kFootTolerance < b && b < d + kFootTolerance;
}

int cAreaExit::Update(int dtMs)
{
    looks.Update(dtMs);
    if (scoreIndicator)
        scoreIndicator->Update(dtMs);
    if (cHintBubble* bubble = GetHintBubble())
        if (bubble->Update(dtMs) == cHintBubble::RESULT_DONE)
            DeleteHintBubble();
    if (mouthState == MOUTH_NEUTRAL || mouthState == MOUTH_OPEN)
        return 0;
    timer += dtMs;
    if (mouthState == MOUTH_CHEWING && timer >= chewTime)
        CloseMouth(0, true);
    if (mouthState == MOUTH_REACTING && timer > reactionTime)
        ShowExpression();
    if (mouthState == MOUTH_EXPRESSION && timer > expressionTime)
        CloseMouth(0, false);
    return 0;
}

void cAreaExit::OpenMouth(bool again)
{
    if (mouthState == MOUTH_OPEN || (mouthState == MOUTH_CHEWING && !again))
        return;
    if (mouthState != MOUTH_CHEWING) {
        if (type == EXIT_TREE)
            PlaySoundEffect(SFX_TREE_OPEN, 1.0f);
        else if (type == EXIT_CAVE)
            PlaySoundEffect(SFX_CAVE_OPEN, 1.0f);
    }
    SetMouthPair(EXIT_ANIM_OPEN);
    mouthState = MOUTH_OPEN;
}

void cAreaExit::CloseMouth(int timeMs, bool sound)
{
    if (mouthState == MOUTH_NEUTRAL)
        return;
    if (timeMs >= 1) {
        mouthState = MOUTH_CHEWING;
        chewTime = timeMs;
        timer = 0;
        return;
    }
    mouthState = MOUTH_NEUTRAL;
    if (sound) {
        if (type == EXIT_TREE)
            PlaySoundEffect(SFX_TREE_CLOSE, 0.9f);
        else if (type == EXIT_CAVE)
            PlaySoundEffect(SFX_CAVE_CLOSE, 0.35f);
    }
    SetMouthPair(RestingFace());
    cHintBubble* bubble = GetHintBubble();
    if (bubble && bubble->IsOpen())
        bubble->Hide();
}

int cAreaExit::RestingFace() const
{
    const int score = GetScore();
    if (score >= smileThreshold)
        return EXIT_ANIM_SMILE;
    if (score > sulkThreshold)
        return EXIT_ANIM_NEUTRAL;
    return EXIT_ANIM_SULK;
}

void cAreaExit::EatHeart(int value)
{
    PlaySoundEffect(SFX_TREE_OPEN, 0.2f);
    if (scoreIndicator)
        scoreIndicator->AddScore(value);
    lastHeartValue = value;
    if (value >= 1)
        PlaySoundEffect(SFX_HEART_GAIN, 1.0f);
    else
        PlaySoundEffect(SFX_HEART_LOSS, 0.4f);
    if (mouthState != MOUTH_CHEWING) {
        mouthState = MOUTH_REACTING;
        timer = 0;
    }
}

void cAreaExit::ShowExpression()
{
    PlaySoundEffect(type == EXIT_TREE ? SFX_TREE_EXPRESSION : SFX_OTHER_EXPRESSION, 0.4f);
    mouthState = MOUTH_EXPRESSION;
    timer = 0;
    SetMouthPair(lastHeartValue >= 1 ? EXIT_ANIM_HAPPY_CHEWER : EXIT_ANIM_SULKY_CHEWER);
}

void cAreaExit::ReleaseCharacter(int id)
{
    const auto found = std::find_if(swallowed.begin(), swallowed.end(),
                                    [id](const cPlayerChar* c) { return c->GetId() == id; });
    if (found == swallowed.end())
        return;
    const b2Vec2 mouth = GetMouthPosition();
    (*found)->Init(world, mouth.x, mouth.y);
    swallowed.erase(found);
    CloseMouth(kReleaseChewMs, true);
    PlaySoundEffect(SFX_RELEASE + id, 0.4f);
}

void cAreaExit::ShowTutorialHint()
{
    // A bubble opened this tick shows no frame yet and still counts as showing; one that is
    // closing, or has closed and only waits out its time, would show nothing more.
    cHintBubble* bubble = GetHintBubble();
    if (bubble && !bubble->IsClosing()) {
        bubble->SetTimeLeft(std::max(bubble->GetTimeLeft(), kTutorialRenewMs));
        return;
    }
    SetHintBubble(new cHintBubble(kExitTutorialContent, kTutorialMs));
}

void cAreaExit::RequestEnter(int id)
{
    requestedId = id;
    requestPending = true;
}

bool cAreaExit::HoldsAtLeast(int n) const
{
    return mouthState == MOUTH_NEUTRAL && GetSwallowedCount() >= n;
}

b2Vec2 cAreaExit::GetMouthPosition() const
{
    return GetPosition() + mouthOffset;
}

int cAreaExit::GetScore() const
{
    return scoreIndicator ? scoreIndicator->GetScore() : 0;
}

void cAreaExit::SetScore(int value)
{
    if (scoreIndicator)
        scoreIndicator->SetScore(value);
}

void cAreaExit::SetMaxScore(int n)
{
    if (scoreIndicator)
        scoreIndicator->SetMaxScore(n);
}

void cAreaExit::AddScore(int value)
{
    if (scoreIndicator)
        scoreIndicator->AddScore(value);
}

void cAreaExit::GetScoreInfo(int* score, int* positive, int* negative) const
{
    *score = GetScore();
    *positive = scoreIndicator ? scoreIndicator->GetPositiveCount() : 0;
    *negative = scoreIndicator ? scoreIndicator->GetNegativeCount() : 0;
}

void cAreaExit::PlayHeartGainSound()
{
    PlaySoundEffect(SFX_HEART_GAIN, 1.0f);
}

void cAreaExit::SetMouthAnimation(int i, bool restart)
{
    looks.SetDay(i, restart);
}

void cAreaExit::SetLoFMouthAnimation(int i, bool restart)
{
    looks.SetLoF(i, restart);
}

void cAreaExit::SetMouthPair(int dayIndex)
{
    SetMouthAnimation(dayIndex, true);
    SetLoFMouthAnimation(dayIndex + EXIT_ANIM_NIGHT_TWIN, true);
}

void cAreaExit::DrawDay(float weight)
{
    DrawLook(looks.GetDay(), weight);
}

void cAreaExit::DrawLoF(float weight)
{
    DrawLook(looks.GetLoF(), weight);
}

void cAreaExit::DrawLook(cAnimation* look, float weight)
{
    if (!look)
        return;
    const b2Vec2 at = GetPosition();
    look->Draw(at.x, at.y, 255, 255, 255, cTreeLooks::AlphaOf(weight), 1);
    if (scoreIndicator)
        scoreIndicator->Draw();
    if (cHintBubble* bubble = GetHintBubble())
        bubble->Draw(static_cast<int>(at.x + kBubbleX), static_cast<int>(at.y + kBubbleY));
}

#include "actors/ScoreIndicator.h"

#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/SharedAssets.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

/// Entries of the common animation list the indicator draws.
enum eIndicatorHeart
{
    HEART_PINK = 0,
    HEART_GREEN = 1,
    HEART_BIG_PINK = 10,
    HEART_BIG_GREEN = 11,
};

/// Twinkles 0 to 3 answer positive hearts, the rest negative ones.
constexpr size_t kPositiveFeedbackCount = 4;

void DrawCommon(int index, const b2Vec2& at, int alpha)
{
    if (cAnimation* heart = CommonAnim(index))
        heart->Draw(at.x, at.y, 255, 255, 255, alpha, 1);
}

} // namespace

cScoreIndicator::cScoreIndicator(float x, float y)
    : position(x, y)
{
}

cScoreIndicator::~cScoreIndicator()
{
    for (cAnimation* anim : feedbackAnims)
        delete anim;
}

bool cScoreIndicator::LoadFromXml(const QString& file)
{
    int tileSet = -1;
    bool loaded = true;
    const bool opened = ReadActorFile(file, [&](QXmlStreamReader& reader) {
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("ScoreIndicator")) {
            tileSet = IntAttributeClamped(attributes, "TileSetID", tileSet);
            big = FlagAttribute(attributes, "BigIndicator", false);
        } else if (reader.name() == QLatin1String("FeedbackAnim")) {
            auto* anim = new cAnimation();
            if (!anim->LoadFromXml(reader, tileSet)) {
                delete anim;
                printf("\nERROR:\nCould not load animation for score indicator\n\n");
                loaded = false;
                return false;
            }
            anim->SetVisible(false);
            feedbackAnims.push_back(anim);
        }
        return true;
    });
    return opened && loaded;
}

void cScoreIndicator::AddScore(int value)
{
    score += value;
    if (value >= 1) {
        ++positiveCount;
        PlayFeedback(0, kPositiveFeedbackCount);
    } else {
        ++negativeCount;
        PlayFeedback(kPositiveFeedbackCount, feedbackAnims.size());
    }
}

void cScoreIndicator::PlayFeedback(size_t first, size_t end)
{
    end = std::min(end, feedbackAnims.size());
    for (size_t i = first; i < end; ++i)
        if (!feedbackAnims[i]->IsVisible()) {
            feedbackAnims[i]->Reset(true);
            return;
        }
}

void cScoreIndicator::Update(int dtMs)
{
    for (cAnimation* anim : feedbackAnims)
        anim->Update(static_cast<unsigned>(dtMs));
}

int cScoreIndicator::PinkAlpha() const
{
    // The area always tells how many hearts there are; one without any would divide by zero.
    if (maxScore < 1)
        return score > 0 ? 255 : 0;
    const float alpha = static_cast<float>(score) / static_cast<float>(maxScore) * 255.0f;
    return static_cast<int>(std::clamp(alpha, 0.0f, 255.0f));
}

void cScoreIndicator::Draw()
{
    DrawCommon(big ? HEART_BIG_GREEN : HEART_GREEN, position, 255);
    DrawCommon(big ? HEART_BIG_PINK : HEART_PINK, position, PinkAlpha());
    for (cAnimation* anim : feedbackAnims)
        anim->Draw(position.x, position.y, 255, 255, 255, 255, 1);
}

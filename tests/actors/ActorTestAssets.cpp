#include "ActorTestAssets.h"

#include "engine/Animation.h"
#include "engine/Image.h"
#include "engine/SharedAssets.h"

#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<cAnimation> Strip(bool loop, int mpf, int frames)
{
    auto animation = std::make_unique<cAnimation>();
    EXPECT_TRUE(animation->Setup(loop, static_cast<uint16_t>(mpf), frames, 0, 0, 16, 16, 1, 0, 0));
    return animation;
}

} // namespace

cActorTestAssets::cActorTestAssets()
{
    for (int src : {1, 2}) {
        chipSets.push_back(std::make_unique<cImage>(0, 0, 1, 1));
        EXPECT_TRUE(chipSets.back()->SetTexture(QString(":/res/images/chipsets/chip_set_%1.png").arg(src, 2, 10, QChar('0')),
                                                0, 0, 1, 1));
        gChipSets[src] = chipSets.back().get();
    }
    bubbles.push_back(Strip(false, kBubbleFrameMs, kBubbleFrames));  // opening
    bubbles.push_back(Strip(false, kBubbleFrameMs, kBubbleFrames));  // closing
    bubbles.push_back(Strip(true, 100, 1));                          // steady
    bubbles.push_back(Strip(true, 100, 2));                          // a looping content
    bubbles.push_back(Strip(false, kOnceMs / 2, 2));                 // a content that plays once
    for (const auto& b : bubbles)
        gInfoBubbleAnims.push_back(b.get());
    gSoundLibrary = &sounds;
}

cActorTestAssets::~cActorTestAssets()
{
    gSoundLibrary = nullptr;
    gInfoBubbleAnims.clear();
    gChipSets[1] = nullptr;
    gChipSets[2] = nullptr;
}

cGameInfoBubbles::cGameInfoBubbles() : chipSet0(std::make_unique<cImage>(0, 0, 1, 1))
{
    EXPECT_TRUE(chipSet0->SetTexture(":/res/images/chipsets/chip_set_00.png", 0, 0, 1, 1));
    gChipSets[0] = chipSet0.get();
    QFile file(":/res/xml/common_resources/InfoBubbles/InfoBubbleAnims.xml");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("animation"))
            continue;
        bubbles.push_back(std::make_unique<cAnimation>());
        EXPECT_TRUE(bubbles.back()->LoadFromXml(xml, 0));
    }
    saved.swap(gInfoBubbleAnims);
    for (const auto& b : bubbles)
        gInfoBubbleAnims.push_back(b.get());
}

cGameInfoBubbles::~cGameInfoBubbles()
{
    gInfoBubbleAnims.swap(saved);
    gChipSets[0] = nullptr;
}

#include "actors/CommonHeartBox.h"

#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <memory>

CommonHeartBox::CommonHeartBox() = default;

CommonHeartBox::~CommonHeartBox()
{
    DeleteAll(animations);
}

void CommonHeartBox::Clear()
{
    DeleteAll(animations);
    width = height = density = friction = 0.0f;
}

bool CommonHeartBox::LoadFromXml(const QString& file)
{
    // A reload must not leave the previous file's pictures behind a failed open.
    Clear();
    int chipSet = 0;
    return ReadActorFile(file, [&](QXmlStreamReader& xml) {
        const QXmlStreamAttributes attributes = xml.attributes();
        chipSet = IntAttributeClamped(attributes, "src", chipSet);
        if (xml.name() == QLatin1String("animation")) {
            auto animation = std::make_unique<cAnimation>();
            if (animation->LoadFromXml(xml, chipSet))
                animations.push_back(animation.release());
        } else if (xml.name() == QLatin1String("body")) {
            const sBodyAttributes body = sBodyAttributes::Read(attributes, false);
            width = body.width;
            height = body.height;
            density = body.density;
            friction = body.friction;
        }
        return true;
    });
}

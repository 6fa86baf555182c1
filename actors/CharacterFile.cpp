#include "actors/CharacterFile.h"

#include "actors/CharacterAnimations.h"
#include "engine/Animation.h"
#include "engine/PhysicsBody.h"
#include "engine/StringUtil.h"
#include "engine/XmlAttributes.h"
#include "engine/XmlFile.h"

#include <QFile>
#include <QXmlStreamReader>

#include <cstdio>
#include <memory>

bool sCharacterFile::Read(const QString& path, cCharacterAnimations& animations, const char* header)
{
    QFile file(ResourcePath(path));
    if (!OpenXmlFile(file, path))
        return false;
    QXmlStreamReader xml(&file);
    int defaultChipSet = 0;
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String(header)) {
            id = IntAttributeClamped(attributes, "id", id);
            switchInfoIndex = IntAttributeClamped(attributes, "SwitchInfoAnimIndex", 0);
            defaultChipSet = IntAttributeClamped(attributes, "src", defaultChipSet);
        } else if (xml.name() == QLatin1String("animation")) {
            auto animation = std::make_unique<cAnimation>();
            if (animation->LoadFromXml(xml, defaultChipSet))
                animations.Append(std::move(animation));
        } else if (xml.name() == QLatin1String("body") && !HasBody()) {
            const sBodyAttributes body = sBodyAttributes::Read(attributes, false);
            bodyWidth = static_cast<int>(body.width);
            bodyHeight = static_cast<int>(body.height);
            density = body.density;
            friction = body.friction;
            // Box2D cannot make a box without area.
            if (!HasBody())
                std::printf("\n ERROR: A body of %d x %d units cannot be made: %s \n\n", bodyWidth,
                            bodyHeight, qPrintable(path));
        }
    }
    return true;
}

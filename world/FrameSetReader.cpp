#include "world/FrameSetReader.h"

#include "world/FrameManager.h"

#include "engine/StringUtil.h"
#include "engine/XmlAttributes.h"
#include "engine/XmlFile.h"

#include <QFile>
#include <QXmlStreamReader>

#include <array>
#include <cstdio>

namespace {

constexpr int kVirtualHeight = 272;

/// The named attributes in order; false, with an "ERROR:" line, when one of them is missing or lies
/// beyond the reach of any frame (sums and differences of them then stay far from overflowing).
template <size_t N>
bool RequiredAttributes(const QXmlStreamReader& xml, const std::array<const char*, N>& names,
                        std::array<int, N>& values)
{
    for (size_t i = 0; i < N; ++i) {
        const char* why = nullptr;
        if (!xml.attributes().hasAttribute(names[i]))
            why = "has no";
        values[i] = IntAttribute(xml.attributes(), names[i], 0);
        if (values[i] < -cFrameManager::kMaxReach || values[i] > cFrameManager::kMaxReach)
            why = "reaches too far with";
        if (why) {
            printf("\n ERROR: %s on line %lld %s %s; the frame is left out \n\n", qPrintable(xml.name().toString()),
                   static_cast<long long>(xml.lineNumber()), why, names[i]);
            return false;
        }
    }
    return true;
}

/// The scale that an AdvFrame's size over its window asks for. Unlike a finished frame's scale class,
/// a sum of exactly 3 still counts as scale 1 here.
int AdvFrameScale(float fx, float fy)
{
    const float s = fx + fy;
    if (s <= 3)
        return 1;
    if (s < 5)
        return 2;
    if (s < 7)
        return 3;
    return 4;
}

} // namespace

bool cFrameSetReader::Read(const QString& path)
{
    const QString resource = ResourcePath(path);
    QFile file(resource);
    if (!OpenXmlFile(file))
        return false;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            ReadTopLevel(xml);
    }
    if (!backgroundRead)
        printf("\n ERROR: %s has no BackgroundColor \n\n", qPrintable(resource));
    if (frameSetsRead == 0) {
        printf("\n ERROR: %s has no FrameSet \n\n", qPrintable(resource));
        return false;
    }
    return true;
}

void cFrameSetReader::ReadTopLevel(QXmlStreamReader& xml)
{
    const QStringRef name = xml.name();
    if (name == QLatin1String("BackgroundColor"))
        ReadBackgroundColor(xml);
    else if (name == QLatin1String("BackgroundColor_LoF"))
        ReadLandOfFirefliesColor(xml);
    else if (name == QLatin1String("Stars"))
        manager.SetStarsVisible(IntAttributeClamped(xml.attributes(), "visible", 0) == 1);
    else if (name == QLatin1String("Ornament"))
        manager.SetOrnament(IntAttributeClamped(xml.attributes(), "id", -1) >= 0 ? 0 : -1);
    else if (name == QLatin1String("FrameSet"))
        ReadFrameSet(xml);
}

void cFrameSetReader::ReadFrameSet(QXmlStreamReader& xml)
{
    const int appended = manager.AddFrameSet();
    ++frameSetsRead;
    int set = IntAttributeClamped(xml.attributes(), "id", appended);
    if (set < 0 || set > appended) {
        printf("\n ERROR: FrameSet id %d on line %lld names no frame set read so far; its frames are left out \n\n",
               set, static_cast<long long>(xml.lineNumber()));
        set = -1;
    }
    while (!xml.atEnd() && !xml.hasError()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("FrameSet"))
            return;
        if (token == QXmlStreamReader::StartElement && set >= 0)
            ReadFrame(xml, set);
    }
}

void cFrameSetReader::ReadFrame(QXmlStreamReader& xml, int set)
{
    const QStringRef name = xml.name();
    if (name == QLatin1String("AdvFrame"))
        ReadAdvFrame(xml, set);
    else if (name == QLatin1String("FrameV2"))
        ReadFrameV2(xml, set, false);
    else if (name == QLatin1String("DynamicFrame"))
        ReadFrameV2(xml, set, true);
}

void cFrameSetReader::ReadAdvFrame(QXmlStreamReader& xml, int set)
{
    std::array<int, 8> v{};
    if (!RequiredAttributes(xml, std::array{"screenX", "screenY", "width", "height", "uMin", "vMin", "uMax", "vMax"},
                            v))
        return;
    const auto [screenX, screenY, width, height, uMin, vMin, uMax, vMax] = v;
    // uMax and vMax lie just outside the window.
    const int texWidth = uMax - uMin, texHeight = vMax - vMin;
    if (texWidth < 1 || texHeight < 1) {
        printf("\n ERROR: AdvFrame on line %lld shows no texels (%d x %d); it is left out \n\n",
               static_cast<long long>(xml.lineNumber()), texWidth, texHeight);
        return;
    }
    const int scale = AdvFrameScale(static_cast<float>(width) / texWidth, static_cast<float>(height) / texHeight);
    // screenY counts down from the top edge of the virtual screen to the frame's top edge.
    manager.AddFrame(set, screenX, kVirtualHeight - screenY - height, uMin, vMin, texWidth, texHeight, scale,
                     FlagAttribute(xml.attributes(), "HasBorder", true), false);
}

void cFrameSetReader::ReadFrameV2(QXmlStreamReader& xml, int set, bool dynamic)
{
    std::array<int, 6> v{};
    if (!RequiredAttributes(xml, std::array{"screenX", "screenY", "imgWidth", "imgHeight", "uMin", "vMin"}, v))
        return;
    const auto [screenX, screenY, imgWidth, imgHeight, uMin, vMin] = v;
    const QXmlStreamAttributes attributes = xml.attributes();
    const bool border = FlagAttribute(attributes, "HasBorder", true);
    const int scale = IntAttributeClamped(attributes, "Scale", 1);
    if (dynamic)
        manager.AddDynamicFrame(set, screenX, screenY, uMin, vMin, imgWidth, imgHeight, scale, border);
    else
        manager.AddFrame(set, screenX, screenY, uMin, vMin, imgWidth, imgHeight, scale, border,
                         FlagAttribute(attributes, "SpecialBlend", false));
}

void cFrameSetReader::ReadBackgroundColor(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    manager.SetBackground({IntAttributeClamped(attributes, "red", 0), IntAttributeClamped(attributes, "green", 0),
                           IntAttributeClamped(attributes, "blue", 0), IntAttributeClamped(attributes, "r2", -1),
                           IntAttributeClamped(attributes, "g2", -1), IntAttributeClamped(attributes, "b2", -1)});
    backgroundRead = true;
}

void cFrameSetReader::ReadLandOfFirefliesColor(QXmlStreamReader& xml)
{
    cColorBackground* background = manager.GetBackground();
    if (!background) {
        printf("\n ERROR: BackgroundColor_LoF on line %lld comes before any BackgroundColor; it is left out \n\n",
               static_cast<long long>(xml.lineNumber()));
        return;
    }
    const QXmlStreamAttributes attributes = xml.attributes();
    background->AddRecord({IntAttributeClamped(attributes, "red", 0), IntAttributeClamped(attributes, "green", 0),
                           IntAttributeClamped(attributes, "blue", 0), -1, -1, -1},
                          false);
}

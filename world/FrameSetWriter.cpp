#include "world/FrameSetWriter.h"

#include "world/ComicFrame.h"
#include "world/FrameManager.h"

#include "engine/StringUtil.h"

#include <QSaveFile>
#include <QXmlStreamWriter>

#include <cstdio>

namespace {

void WriteInt(QXmlStreamWriter& xml, const char* name, int value)
{
    xml.writeAttribute(QLatin1String(name), IntToString(value));
}

/// An element with the record's first colour and, when asked, its second.
void WriteColor(QXmlStreamWriter& xml, const char* element, const sZorv_BG_Color& c, bool withSecond)
{
    xml.writeEmptyElement(QLatin1String(element));
    WriteInt(xml, "red", c.r);
    WriteInt(xml, "green", c.g);
    WriteInt(xml, "blue", c.b);
    if (!withSecond)
        return;
    WriteInt(xml, "r2", c.r2);
    WriteInt(xml, "g2", c.g2);
    WriteInt(xml, "b2", c.b2);
}

} // namespace

QByteArray cFrameSetWriter::Text() const
{
    QByteArray text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("ZORV_AREA_FRAMESETS"));
    WriteBackground(xml);
    WriteFlags(xml);
    for (int set = 0; set < manager.GetFrameSetCount(); ++set)
        WriteFrameSet(xml, set);
    xml.writeEndDocument();
    return text;
}

bool cFrameSetWriter::Write(const QString& path) const
{
    QSaveFile file(path);
    const QByteArray text = Text();
    const bool written = file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
    if (!written)
        printf("\n ERROR: the frame-set file %s could not be written \n\n", qPrintable(path));
    return written;
}

void cFrameSetWriter::WriteBackground(QXmlStreamWriter& xml) const
{
    const cColorBackground* background = manager.GetBackground();
    if (!background)
        return;
    WriteColor(xml, "BackgroundColor", background->GetRecord(0), true);
    // The Land-of-Fireflies colour is always flat.
    if (background->GetRecordCount() > 1)
        WriteColor(xml, "BackgroundColor_LoF", background->GetRecord(1), false);
}

void cFrameSetWriter::WriteFlags(QXmlStreamWriter& xml) const
{
    xml.writeEmptyElement(QStringLiteral("Stars"));
    WriteInt(xml, "visible", manager.StarsVisible() ? 1 : 0);
    xml.writeEmptyElement(QStringLiteral("Ornament"));
    WriteInt(xml, "id", manager.GetOrnament());
}

void cFrameSetWriter::WriteFrameSet(QXmlStreamWriter& xml, int set) const
{
    xml.writeStartElement(QStringLiteral("FrameSet"));
    WriteInt(xml, "id", set);
    for (const auto& frame : manager.GetFrameSet(set))
        WriteFrame(xml, *frame);
    xml.writeEndElement();
}

void cFrameSetWriter::WriteFrame(QXmlStreamWriter& xml, const cComicFrame& frame)
{
    // A shake or a glide only moves a frame away from its home for a while.
    xml.writeEmptyElement(frame.IsDynamic() ? QStringLiteral("DynamicFrame") : QStringLiteral("FrameV2"));
    WriteInt(xml, "screenX", static_cast<int>(frame.GetHomePos().x()));
    WriteInt(xml, "screenY", static_cast<int>(frame.GetHomePos().y()));
    WriteInt(xml, "imgWidth", frame.GetTexWidth());
    WriteInt(xml, "imgHeight", frame.GetTexHeight());
    WriteInt(xml, "uMin", static_cast<int>(frame.GetTexMin().x()));
    WriteInt(xml, "vMin", static_cast<int>(frame.GetTexMin().y()));
    WriteInt(xml, "HasBorder", frame.HasBorder() ? 1 : 0);
    WriteInt(xml, "Scale", frame.GetScreenWidth() / frame.GetTexWidth());
    if (!frame.IsDynamic())
        WriteInt(xml, "SpecialBlend", frame.HasSpecialBlend() ? 1 : 0);
}

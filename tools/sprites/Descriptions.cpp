#include "Descriptions.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QXmlStreamReader>

namespace
{
int IntAttribute(const QXmlStreamAttributes &attributes, const char *name, int fallback)
{
    if (!attributes.hasAttribute(name))
        return fallback;
    bool ok = false;
    const int value = attributes.value(name).toInt(&ok);
    return ok ? value : 0;
}

/// The score indicators' twinkles are animation elements under another name, cut from the
/// chip set their root's `TileSetID` names.
bool IsAnimationElement(const QStringRef &name)
{
    return name == QLatin1String("animation") || name == QLatin1String("FeedbackAnim");
}
} // namespace

bool Descriptions::Load(const QString &folder, QString *error)
{
    QStringList files;
    QDirIterator it(folder, {"*.xml"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    const QDir base(folder);
    for (const QString &path : files)
        if (!LoadFile(path, base.relativeFilePath(path), error))
            return false;
    return true;
}

bool Descriptions::LoadFile(const QString &path, const QString &shownName, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + ": cannot open";
        return false;
    }
    QXmlStreamReader xml(&file);
    int defaultSrc = 0;
    int index = 0;
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (!IsAnimationElement(xml.name())) {
            for (const char *key : {"src", "TileSetID"}) {
                bool ok = false;
                const int src = a.value(key).toInt(&ok);
                if (ok)
                    defaultSrc = src;
            }
            continue;
        }
        Animation anim;
        anim.file = shownName;
        anim.index = index++;
        anim.name = a.value("name").toString();
        anim.src = IntAttribute(a, "src", defaultSrc);
        anim.x = IntAttribute(a, "x", 0);
        anim.y = IntAttribute(a, "y", 0);
        anim.w = IntAttribute(a, "w", 16);
        anim.h = IntAttribute(a, "h", 16);
        anim.frames = IntAttribute(a, "numFrames", 1);
        m_animations.append(anim);
    }
    if (xml.hasError()) {
        *error = QString("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

QString Descriptions::Mismatch(const Animation &a, const Layout &layout)
{
    const Layout::ChipSet *set = layout.Find(a.src);
    if (!set)
        return QString("chip set %1 does not exist").arg(a.src);
    if (a.frames < 1)
        return "it has no frames";
    const Layout::Strip probe{QString(), a.x, a.y, a.w, a.h, a.frames};
    const QRect first = Layout::FrameRect(probe, 0, set->width);
    for (const Layout::Strip &strip : set->strips) {
        if (strip.w != a.w || strip.h != a.h)
            continue;
        for (int k = 0; k < strip.frames; ++k) {
            if (Layout::FrameRect(strip, k, set->width) != first)
                continue;
            if (k + a.frames > strip.frames)
                return QString("it starts at frame %1 of %2, which has only %3 frames")
                    .arg(k).arg(strip.name).arg(strip.frames);
            return QString();
        }
    }
    return QString("(%1, %2, %3 x %4) is not the start of a frame of any strip of chip set %5")
        .arg(a.x).arg(a.y).arg(a.w).arg(a.h).arg(a.src);
}

#include "Layout.h"

#include "SourceText.h"

#include <QPainter>

namespace
{
bool IsPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}
} // namespace

QVector<int> Layout::GameChipSetNumbers()
{
    return {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
}

QRect Layout::FrameRect(const Strip &strip, int i, int sheetWidth)
{
    const int p = i * strip.w + strip.x;
    return QRect(p % sheetWidth, (p / sheetWidth) * strip.h + strip.y, strip.w, strip.h);
}

bool Layout::Load(const QString &path, const SpriteBook &book, QString *error)
{
    if (!SourceText::ForEachEntry(path, [&](const QStringList &words) { return AddEntry(words, book); }, error))
        return false;
    QStringList faults;
    if (!Check(faults)) {
        *error = path + ":\n  " + faults.join("\n  ");
        return false;
    }
    return true;
}

bool Layout::Check(QStringList &faults) const
{
    for (int number : GameChipSetNumbers()) {
        int count = 0;
        for (const ChipSet &set : m_chipSets)
            count += set.number == number;
        if (count != 1)
            faults << QString("chip set %1 is declared %2 times (once needed)").arg(number).arg(count);
    }
    for (const ChipSet &set : m_chipSets) {
        if (!GameChipSetNumbers().contains(set.number))
            faults << QString("chip set %1 is not one the game loads").arg(set.number);
        if (!IsPowerOfTwo(set.width) || !IsPowerOfTwo(set.height))
            faults << QString("chip set %1: %2 x %3 is not a power-of-two size").arg(set.number).arg(set.width).arg(set.height);
        QVector<QPair<QRect, QString>> taken;
        const QRect sheet(0, 0, set.width, set.height);
        for (const Strip &strip : set.strips)
            for (int i = 0; i < strip.frames; ++i) {
                const QRect r = FrameRect(strip, i, set.width);
                if (!sheet.contains(r))
                    faults << QString("chip set %1: frame %2 of %3 lies outside the picture").arg(set.number).arg(i).arg(strip.name);
                for (const auto &other : taken)
                    if (other.first.intersects(r))
                        faults << QString("chip set %1: frame %2 of %3 overlaps %4")
                                      .arg(set.number).arg(i).arg(strip.name, other.second);
                taken.append({r, strip.name});
            }
    }
    return faults.isEmpty();
}

QString Layout::AddEntry(const QStringList &t, const SpriteBook &book)
{
    bool ok1 = false, ok2 = false, ok3 = false;
    if (t[0] == "chipset" && t.size() == 4) {
        ChipSet set;
        set.number = t[1].toInt(&ok1);
        set.width = t[2].toInt(&ok2);
        set.height = t[3].toInt(&ok3);
        if (!ok1 || !ok2 || !ok3)
            return "expected 'chipset N W H'";
        m_chipSets.append(set);
        return QString();
    }
    if (t[0] != "place" || t.size() != 4)
        return "expected 'chipset N W H' or 'place NAME X Y'";
    if (m_chipSets.isEmpty())
        return "'place' before any 'chipset'";
    Strip strip;
    strip.name = t[1];
    strip.x = t[2].toInt(&ok1);
    strip.y = t[3].toInt(&ok2);
    if (!ok1 || !ok2)
        return "expected 'place NAME X Y'";
    if (!book.Contains(strip.name))
        return "no sprite named " + strip.name;
    const Effects::Frames &frames = book.Frames(strip.name);
    strip.w = frames.first().width();
    strip.h = frames.first().height();
    strip.frames = frames.size();
    m_chipSets.last().strips.append(strip);
    return QString();
}

const Layout::ChipSet *Layout::Find(int number) const
{
    for (const ChipSet &set : m_chipSets)
        if (set.number == number)
            return &set;
    return nullptr;
}

QImage Layout::Render(const ChipSet &chipSet, const SpriteBook &book) const
{
    QImage sheet = Effects::Blank(chipSet.width, chipSet.height);
    QPainter painter(&sheet);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const Strip &strip : chipSet.strips) {
        const Effects::Frames &frames = book.Frames(strip.name);
        for (int i = 0; i < frames.size(); ++i)
            painter.drawImage(FrameRect(strip, i, chipSet.width).topLeft(), frames[i]);
    }
    return sheet;
}

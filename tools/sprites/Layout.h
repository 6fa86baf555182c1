#pragma once

#include "SpriteBook.h"

#include <QRect>
#include <QVector>

/// Where each sprite strip lies on which chip set.
///
/// Layout file: '#' starts a comment line.
///   chipset N W H      starts chip set N (0-14, no 4), a W x H picture (powers of two)
///   place NAME X Y     puts sprite NAME's strip with its first frame at (X, Y) of the
///                      current chip set; frames run right and, at the picture's right
///                      edge, go on at the left edge one frame height further down,
///                      the way the game cuts an animation's frames
class Layout
{
public:
    struct Strip
    {
        QString name;
        int x = 0, y = 0, w = 0, h = 0, frames = 0;
    };
    struct ChipSet
    {
        int number = 0, width = 0, height = 0;
        QVector<Strip> strips;
    };

    /// The numbers of the chip sets the game loads: 0 to 14 without 4.
    static QVector<int> GameChipSetNumbers();
    /// The rectangle of frame `i` of a strip on a sheet `sheetWidth` pixels wide.
    static QRect FrameRect(const Strip &strip, int i, int sheetWidth);

    /// Reads the layout and checks it against the sprites: every chip set of the game
    /// declared once with power-of-two sizes, every strip known, inside its picture
    /// and clear of the others. False with messages in `error` otherwise.
    bool Load(const QString &path, const SpriteBook &book, QString *error);

    const QVector<ChipSet> &ChipSets() const { return m_chipSets; }
    /// The chip set numbered `number`, or null.
    const ChipSet *Find(int number) const;
    /// The pictures drawn from the sprites, one per chip set.
    QImage Render(const ChipSet &chipSet, const SpriteBook &book) const;

private:
    /// One layout line's words; a message when they are faulty.
    QString AddEntry(const QStringList &words, const SpriteBook &book);
    bool Check(QStringList &faults) const;

    QVector<ChipSet> m_chipSets;
};

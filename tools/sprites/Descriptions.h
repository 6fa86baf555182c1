#pragma once

#include "Layout.h"

#include <QString>
#include <QVector>

/// Every `animation` element of the game's description files, read the way the game
/// reads them: an element's own `src` names its chip set, otherwise the last integer
/// `src` of any earlier element of the file does, otherwise chip set 0.
class Descriptions
{
public:
    struct Animation
    {
        QString file;  ///< path below the folder that was read
        int index = 0; ///< position among the file's animations
        QString name;
        int src = 0, x = 0, y = 0, w = 16, h = 16, frames = 1;
    };

    /// Reads every .xml file below `folder`; false with a message on an unreadable file.
    bool Load(const QString &folder, QString *error);

    const QVector<Animation> &Animations() const { return m_animations; }

    /// Why `a` is not cut from a run of frames of one strip of its chip set, or empty
    /// when it is. Catches an animation that points at the wrong place of the picture.
    static QString Mismatch(const Animation &a, const Layout &layout);

private:
    bool LoadFile(const QString &path, const QString &shownName, QString *error);

    QVector<Animation> m_animations;
};

#pragma once

#include "Descriptions.h"

#include <QImage>

/// A review picture of one chip set: every animation cut from it, each frame enlarged,
/// with the file, index and name beside it, so that people can judge the art.
/// Animations that are not a run of a placed strip are labelled in red.
class ContactSheet
{
public:
    /// `scale` enlarges each frame; the picture grows downwards to fit every animation.
    static QImage Draw(const QImage &chipSet, int number, const QVector<Descriptions::Animation> &animations,
                       const Layout &layout, int scale);
};

#pragma once

#include "app/GLWidget.h"

#include <QDir>
#include <QImage>

/// What the view shows now, saved under the build folder's "test-screens" as name.png for people
/// to look at.
inline QImage SaveViewPicture(GLWidget* view, const char* name)
{
    const QImage picture = view->grabFrameBuffer();
    const QString folder = QStringLiteral(MIRROWEN_BINARY_DIR "/test-screens");
    QDir().mkpath(folder);
    picture.save(folder + "/" + name + ".png");
    return picture;
}

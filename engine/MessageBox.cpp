#include "engine/MessageBox.h"

#include <cstdio>

namespace {

QMessageBox::Icon IconOf(eMessageBoxKind kind)
{
    switch (kind) {
    case eMessageBoxKind::Warning: return QMessageBox::Warning;
    case eMessageBoxKind::Critical: return QMessageBox::Critical;
    case eMessageBoxKind::Information: return QMessageBox::Information;
    case eMessageBoxKind::About: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QMessageBox::StandardButton ShowMessageBox(eMessageBoxKind kind, const QString& title, const QString& text,
                                           QWidget* parent, QMessageBox::StandardButtons buttons)
{
    // A modal box under a test runner or a virtual display would wait for ever.
    if (qEnvironmentVariableIsSet("MIRROWEN_NONINTERACTIVE")) {
        printf("\n%s: %s\n", qPrintable(title), qPrintable(text));
        fflush(stdout);
        return QMessageBox::NoButton;
    }
    QMessageBox box(IconOf(kind), title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

/// What a message box is about; picks its icon.
enum class eMessageBoxKind { Information, Warning, Critical, About };

/// The one way the game shows a message box. Modal: returns the button the player pressed.
/// When the environment variable MIRROWEN_NONINTERACTIVE is set (tests, scripted runs) nobody
/// could answer, so the box is printed as one line "title: text" instead and the result is
/// QMessageBox::NoButton; callers must treat that as "not confirmed".
QMessageBox::StandardButton ShowMessageBox(eMessageBoxKind kind, const QString& title, const QString& text,
                                           QWidget* parent = nullptr,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok);

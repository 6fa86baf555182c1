#include "editor/CustomKeyEdit.h"

#include <QKeyEvent>

namespace
{
struct sKeyName
{
    int key;
    const char* name;
};

constexpr sKeyName kNamedKeys[] = {
    {Qt::Key_Tab, "Tab"},
    {Qt::Key_Backspace, "Backspace"},
    {Qt::Key_Return, "Enter"},
    {Qt::Key_Enter, "Enter"},
    {Qt::Key_Insert, "Insert"},
    {Qt::Key_Delete, "Delete"},
    {Qt::Key_Home, "Home"},
    {Qt::Key_End, "End"},
    {Qt::Key_Left, "Arrow Left"},
    {Qt::Key_Up, "Arrow Up"},
    {Qt::Key_Right, "Arrow Right"},
    {Qt::Key_Down, "Arrow Down"},
    {Qt::Key_PageUp, "Page Up"},
    {Qt::Key_PageDown, "Page Down"},
    {Qt::Key_Shift, "Shift"},
    {Qt::Key_Control, "Ctrl"},
    {Qt::Key_Alt, "Alt"},
    {Qt::Key_CapsLock, "CapsLock"},
    {Qt::Key_Space, "Space"},
};

/// Keys whose code is their own Latin-1 character: * + , - . / 0-9 ; = A-Z [ \ ] and the umlauts.
bool IsPrintable(int key)
{
    return (key >= Qt::Key_Asterisk && key <= Qt::Key_9) || key == Qt::Key_Semicolon || key == Qt::Key_Equal
        || (key >= Qt::Key_A && key <= Qt::Key_BracketRight) || key == Qt::Key_Adiaeresis
        || key == Qt::Key_Odiaeresis || key == Qt::Key_Udiaeresis || key == Qt::Key_ssharp;
}
}

void cCustomKeyEdit::SetKey(int newKey)
{
    key = newKey;
    setText(KeyName(newKey));
}

QString cCustomKeyEdit::KeyName(int key)
{
    for (const sKeyName& named : kNamedKeys)
    {
        if (named.key == key)
            return QLatin1String(named.name);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    if (IsPrintable(key))
        return QString(QChar::fromLatin1(static_cast<char>(key)));
    return QStringLiteral("Custom key: (%1)").arg(key);
}

bool cCustomKeyEdit::event(QEvent* event)
{
    // Tab and Backtab would move the focus before keyPressEvent sees them.
    if (event->type() == QEvent::KeyPress)
    {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab)
        {
            keyPressEvent(keyEvent);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void cCustomKeyEdit::keyPressEvent(QKeyEvent* event)
{
    // Kept from the line edit and from the dialog: Escape must not close it, Return must not apply.
    SetKey(event->key());
    event->accept();
}

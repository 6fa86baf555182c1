#pragma once

#include <QLineEdit>

/// A field that holds one key: a key press in it becomes its key (Tab included, which would
/// otherwise move the focus), and its text names that key. Typing never edits the text.
class cCustomKeyEdit : public QLineEdit
{
    Q_OBJECT

public:
    cCustomKeyEdit() = default;

    /// Keeps the Qt key code and shows its name.
    void SetKey(int key);
    /// The kept Qt key code; -1 before the first SetKey.
    int GetKey() const { return key; }

    /// The display name of a Qt key code: named keys ("Arrow Left", "Page Up", "F5"), the printable
    /// keys as their own Latin-1 character, any other as "Custom key: (code)".
    static QString KeyName(int key);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int key = -1;
};

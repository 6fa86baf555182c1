#pragma once

#include <QDialog>

#include <array>

class cCustomKeyEdit;
class cInputHandler;

/// The editor's "Controls" dialog: one key field per changeable play action. "&Apply" binds the
/// fields' keys and saves the per-user controls file, "&Reset Controls" restores the default keys at
/// once, "&Cancel" drops what was pressed. Modeless, so the game runs on while it is open; it deletes
/// itself when closed.
class cInputConfiguration : public QDialog
{
    Q_OBJECT

public:
    /// handler (borrowed) must outlive the dialog.
    cInputConfiguration(cInputHandler* handler, QWidget* parent);

    /// Each field shows the handler's present key for its action.
    void RefreshKeys();

public slots:
    void SaveAndExit();
    void Cancel();
    void Reset();

private:
    static constexpr int kActionCount = 9;

    cInputHandler* input;
    /// In the order of the rows.
    std::array<cCustomKeyEdit*, kActionCount> fields{};
};

#include "editor/InputConfiguration.h"

#include "player/InputHandler.h"
#include "editor/CustomKeyEdit.h"
#include "engine/Controls.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <iterator>

namespace
{
struct sActionRow
{
    const char* label;
    eInputKey action;
};

constexpr sActionRow kRows[] = {
    {"Walk left", KEY_LEFT},
    {"Walk right", KEY_RIGHT},
    {"Jump", KEY_JUMP},
    {"Initiate Headjump", KEY_DOWN},
    {"Enter a door", KEY_UP},
    {"Switch to the next character", KEY_NEXT},
    {"Switch to the previous character", KEY_PREV},
    {"Rotate frames to the left", KEY_ROT_LEFT},
    {"Rotate frames to the right", KEY_ROT_RIGHT},
};
}

cInputConfiguration::cInputConfiguration(cInputHandler* handler, QWidget* parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , input(handler)
{
    static_assert(std::size(kRows) == kActionCount, "one key field per row");
    setWindowTitle(QStringLiteral("Controls"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* group = new QGroupBox;
    auto* rows = new QGridLayout(group);
    for (int i = 0; i < kActionCount; ++i)
    {
        fields[i] = new cCustomKeyEdit;
        fields[i]->setObjectName(QLatin1String(kRows[i].label));
        rows->addWidget(new QLabel(QLatin1String(kRows[i].label)), i, 0);
        rows->addWidget(fields[i], i, 1);
    }

    auto* buttons = new QDialogButtonBox(Qt::Horizontal);
    QPushButton* reset = buttons->addButton(QStringLiteral("&Reset Controls"), QDialogButtonBox::ActionRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::ActionRole);
    QPushButton* apply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ActionRole);
    connect(reset, &QPushButton::clicked, this, &cInputConfiguration::Reset);
    connect(apply, &QPushButton::clicked, this, &cInputConfiguration::SaveAndExit);
    connect(cancel, &QPushButton::clicked, this, &cInputConfiguration::Cancel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(group, 0, 0);
    layout->addWidget(buttons, 1, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    RefreshKeys();
}

void cInputConfiguration::RefreshKeys()
{
    for (int i = 0; i < kActionCount; ++i)
        fields[i]->SetKey(input->GetKey(kRows[i].action));
}

void cInputConfiguration::SaveAndExit()
{
    for (int i = 0; i < kActionCount; ++i)
        input->SetKey(kRows[i].action, fields[i]->GetKey());
    // A failed save has printed its line; the keys hold for this run all the same.
    input->SaveConfig(QStringLiteral("Controls.xml"));
    customControls = !input->HasDefaultKeys();
    close();
}

void cInputConfiguration::Cancel()
{
    close();
}

void cInputConfiguration::Reset()
{
    input->SetDefaultKeys();
    customControls = false;
    RefreshKeys();
}

#include "editor/FrameEditDock.h"

#include "engine/MessageBox.h"
#include "world/ComicFrame.h"
#include "world/FrameEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{
const char* const kPositionXTip =
    "X-Coordinate of the lower left corner of the frame \n\nNote: The origin is defined as the lower left corner "
    "of the screen";
const char* const kPositionYTip =
    "Y-Coordinate of the lower left corner of the frame \n\nNote: The origin is defined as the lower left corner "
    "of the screen";
const char* const kImageTip = "Image coordinate in pixels at the upper left corner of the frame.";

QSpinBox* NewField(int minimum, int maximum)
{
    auto* field = new QSpinBox;
    field->setRange(minimum, maximum);
    return field;
}

/// What the Image Size field shows for a texture window that is not square: its least value.
constexpr int kNoSquareSize = -1;

/// Shows a value without the field's slot acting on it. The selection fields show the selected
/// frame this way: a frame beyond a field's range (below the screen, for a quarter turn to bring
/// in) shows at the range's edge, and the slot would move it there; one that shakes or turns would
/// get the place it passes as its home. Either would be saved so by "Save as".
void ShowQuietly(QSpinBox* field, int value)
{
    const QSignalBlocker blocker(field);
    field->setValue(value);
}

void ShowEditable(QSpinBox* field, int value)
{
    ShowQuietly(field, value);
    field->setReadOnly(false);
}

/// A row of the group's grid: a label with the field beside it, which takes the label's text as its
/// name.
void AddRow(QGridLayout* grid, int row, const QString& text, QWidget* field)
{
    field->setObjectName(text);
    grid->addWidget(new QLabel(text), row, 0);
    grid->addWidget(field, row, 1);
}
}

cFrameEditDock::cFrameEditDock(QWidget* parent, Qt::WindowFlags flags)
    : QDockWidget(QStringLiteral("Frames"), parent, flags)
{
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->addWidget(MakeBackgroundGroup());
    column->addWidget(MakeFrameSetGroup());
    column->addWidget(MakeSelectionGroup());
    // The three groups are taller than the room beside the view on a small screen: they scroll
    // rather than push the window past the screen's edge.
    auto* scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(content->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    setWidget(scroll);
    ClearSelectionFields();
    // Values and states are set before this, so building the dock runs no slot.
    Connect();
}

QWidget* cFrameEditDock::MakeBackgroundGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Background"));
    auto* grid = new QGridLayout(group);
    ornament = new QComboBox;
    ornament->addItems({QStringLiteral("None"), QStringLiteral("Mushrooms")});
    AddRow(grid, 0, QStringLiteral("Ornament"), ornament);
    stars = new QCheckBox(QStringLiteral("Stars"));
    grid->addWidget(stars, 1, 0);
    red = NewField(0, 255);
    green = NewField(0, 255);
    blue = NewField(0, 255);
    AddRow(grid, 2, QStringLiteral("Red"), red);
    AddRow(grid, 3, QStringLiteral("Green"), green);
    AddRow(grid, 4, QStringLiteral("Blue"), blue);
    // No area yet: no colour to show.
    for (QSpinBox* field : {red, green, blue})
        field->clear();
    return group;
}

QWidget* cFrameEditDock::MakeFrameSetGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Frame Sets"));
    auto* grid = new QGridLayout(group);
    frameSetCounter = new QLabel(QStringLiteral("1 / 1"));
    grid->addWidget(frameSetCounter, 0, 0, 1, 2, Qt::AlignHCenter);
    previousSet = new QPushButton(QStringLiteral("<--"));
    nextSet = new QPushButton(QStringLiteral("-->"));
    grid->addWidget(previousSet, 1, 0);
    grid->addWidget(nextSet, 1, 1);
    auto* addSet = new QPushButton(QStringLiteral("Add"));
    auto* deleteSet = new QPushButton(QStringLiteral("Delete"));
    grid->addWidget(addSet, 2, 0);
    grid->addWidget(deleteSet, 2, 1);
    for (QPushButton* button : {addSet, deleteSet})
        connect(button, &QPushButton::clicked, this, &cFrameEditDock::NotYetImplemented);
    return group;
}

QWidget* cFrameEditDock::MakeSelectionGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Frame Selection"));
    auto* grid = new QGridLayout(group);
    positionX = NewField(0, 800);
    positionY = NewField(0, 600);
    imageSize = NewField(1, 512);
    imageX = NewField(0, 511);
    imageY = NewField(0, 511);
    scale = NewField(1, 4);
    AddRow(grid, 0, QStringLiteral("Position X"), positionX);
    AddRow(grid, 1, QStringLiteral("Position Y"), positionY);
    grid->addWidget(new QLabel(QStringLiteral(" ")), 2, 0);
    AddRow(grid, 3, QStringLiteral("Image X"), imageX);
    AddRow(grid, 4, QStringLiteral("Image Y"), imageY);
    AddRow(grid, 5, QStringLiteral("Image Size"), imageSize);
    AddRow(grid, 6, QStringLiteral("Scale"), scale);
    selectionAdd = new QPushButton(QStringLiteral("Add"));
    selectionDelete = new QPushButton(QStringLiteral("Delete"));
    grid->addWidget(selectionAdd, 8, 0);
    grid->addWidget(selectionDelete, 8, 1);

    // The labels of the positions carry the tip as well as their fields.
    grid->itemAtPosition(0, 0)->widget()->setToolTip(QLatin1String(kPositionXTip));
    grid->itemAtPosition(1, 0)->widget()->setToolTip(QLatin1String(kPositionYTip));
    positionX->setToolTip(QLatin1String(kPositionXTip));
    positionY->setToolTip(QLatin1String(kPositionYTip));
    imageX->setToolTip(QLatin1String(kImageTip));
    imageY->setToolTip(QLatin1String(kImageTip));
    return group;
}

void cFrameEditDock::Connect()
{
    connect(ornament, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &cFrameEditDock::SetOrnamentDisplay);
    connect(stars, &QCheckBox::stateChanged, this, &cFrameEditDock::SetStarDisplay);
    for (QSpinBox* colour : {red, green, blue})
        connect(colour, QOverload<int>::of(&QSpinBox::valueChanged), this, &cFrameEditDock::SetBackgroundColor);
    connect(previousSet, &QPushButton::clicked, this, &cFrameEditDock::ActivatePreviousFrameSet);
    connect(nextSet, &QPushButton::clicked, this, &cFrameEditDock::ActivateNextFrameSet);
    connect(selectionAdd, &QPushButton::clicked, this, &cFrameEditDock::NotYetImplemented);
    for (QSpinBox* position : {positionX, positionY})
        connect(position, QOverload<int>::of(&QSpinBox::valueChanged), this, &cFrameEditDock::RepositionSelectedFrame);
    for (QSpinBox* corner : {imageX, imageY})
        connect(corner, QOverload<int>::of(&QSpinBox::valueChanged), this, &cFrameEditDock::UpdateFrameContent);
    connect(imageSize, QOverload<int>::of(&QSpinBox::valueChanged), this, &cFrameEditDock::ResizeSelectedFrame);
    connect(scale, QOverload<int>::of(&QSpinBox::valueChanged), this, &cFrameEditDock::ChangeFrameScale);
    connect(selectionDelete, &QPushButton::clicked, this, &cFrameEditDock::DeleteFrameSelection);
}

void cFrameEditDock::SetFrameEditor(cFrameEditor* editor)
{
    frameEditor = editor;
    if (!editor)
        return;
    // The fields change as an edit would change them, running their slots. Without the ornament
    // shown the field says "None", whatever the last area had.
    ornament->setCurrentIndex(editor->GetOrnament() == 0 ? 1 : 0);
    stars->setChecked(editor->StarsVisible());
    const sZorv_BG_Color colour = editor->GetBackgroundColor();
    gradient = colour.r2 != colour.r || colour.g2 != colour.g || colour.b2 != colour.b;
    if (editor->GetBackground())
        ShowColour(colour);
    else
        ShowNoColour();
    RefreshFrameSetLabel(-1);
    ClearSelectionFields();
}

void cFrameEditDock::ShowColour(const sZorv_BG_Color& colour)
{
    red->setValue(colour.r);
    green->setValue(colour.g);
    blue->setValue(colour.b);
    // The fields' slots have written the colours one by one, and a field holds 0 to 255 only: the
    // background goes back to what it was.
    frameEditor->SetBackgroundColor(colour);
}

void cFrameEditDock::ShowNoColour()
{
    // A presentation without a background (its file gave no colour) keeps none: the fields' slots
    // would make one of the colours they hold, and setting the -1s read would make one of those,
    // which "Save as" writes out as colours.
    for (QSpinBox* field : {red, green, blue})
        field->clear();
}

void cFrameEditDock::RefreshFrameSetLabel(int shown)
{
    if (!frameEditor)
        return;
    if (shown < 0)
        shown = frameEditor->GetCurrentFrameSet() + 1;
    frameSetCounter->setText(QStringLiteral("%1 / %2").arg(shown).arg(frameEditor->GetFrameSetCount()));
}

QList<QSpinBox*> cFrameEditDock::SelectionFields() const
{
    return {positionX, positionY, imageSize, imageX, imageY, scale};
}

void cFrameEditDock::ClearSelectionFields()
{
    for (QSpinBox* field : SelectionFields())
    {
        field->clear();
        field->setReadOnly(true);
    }
}

void cFrameEditDock::RefreshSelection()
{
    const cComicFrame* frame = frameEditor ? frameEditor->GetSelectedFrame() : nullptr;
    if (!frame)
    {
        ClearSelectionFields();
        return;
    }
    ShowEditable(positionX, static_cast<int>(frame->GetScreenPos().x()));
    ShowEditable(positionY, static_cast<int>(frame->GetScreenPos().y()));
    // Only a square texture window can be resized; another shows the field's least size.
    if (frame->GetTexWidth() == frame->GetTexHeight())
        ShowEditable(imageSize, frame->GetTexWidth());
    else
        ShowQuietly(imageSize, kNoSquareSize);
    ShowEditable(imageX, static_cast<int>(frame->GetTexMin().x()));
    ShowEditable(imageY, static_cast<int>(frame->GetTexMin().y()));
    ShowEditable(scale, frame->GetScaleClass());
}

void cFrameEditDock::ShowEditor()
{
    show();
    if (frameEditor)
        frameEditor->EnableEditing();
}

void cFrameEditDock::HideEditor()
{
    hide();
    if (frameEditor)
        frameEditor->DisableEditing();
}

void cFrameEditDock::SetOrnamentDisplay()
{
    if (frameEditor)
        frameEditor->SetOrnament(ornament->currentText() == QLatin1String("Mushrooms") ? 0 : -1);
}

void cFrameEditDock::SetStarDisplay(int checkBoxState)
{
    if (frameEditor)
        frameEditor->SetStarsVisible(checkBoxState != Qt::Unchecked);
}

void cFrameEditDock::SetBackgroundColor()
{
    if (!frameEditor)
        return;
    // -1 makes the second colour follow the first: a background without a gradient stays flat.
    sZorv_BG_Color colour{red->value(), green->value(), blue->value(), -1, -1, -1};
    if (gradient)
    {
        const sZorv_BG_Color present = frameEditor->GetBackgroundColor();
        colour.r2 = present.r2;
        colour.g2 = present.g2;
        colour.b2 = present.b2;
    }
    frameEditor->SetBackgroundColor(colour);
}

void cFrameEditDock::ActivateNextFrameSet()
{
    if (!frameEditor || frameEditor->GetFrameSetCount() < 2)
        return;
    const int next = frameEditor->GetCurrentFrameSet() + 1;
    ActivateFrameSet(next < frameEditor->GetFrameSetCount() ? next : 0);
}

void cFrameEditDock::ActivatePreviousFrameSet()
{
    if (!frameEditor || frameEditor->GetFrameSetCount() < 2)
        return;
    const int previous = frameEditor->GetCurrentFrameSet() - 1;
    ActivateFrameSet(previous >= 0 ? previous : frameEditor->GetFrameSetCount() - 1);
}

void cFrameEditDock::ActivateFrameSet(int index)
{
    frameEditor->SwitchToFrameSet(static_cast<unsigned>(index), 200);
    // The set changes only when its fade-out is over; a switch refused during a turn changes nothing.
    RefreshFrameSetLabel(frameEditor->GetState() == kFramesFadingOut ? index + 1 : -1);
}

void cFrameEditDock::RepositionSelectedFrame()
{
    cComicFrame* frame = frameEditor ? frameEditor->GetSelectedFrame() : nullptr;
    if (!frame)
        return;
    // A frame that stands off the screen shows at the edge of a field's range: only the coordinate
    // that was edited moves, or the other one would jump to that edge.
    const QPointF at = frame->GetScreenPos();
    const int x = sender() == positionY ? static_cast<int>(at.x()) : positionX->value();
    const int y = sender() == positionX ? static_cast<int>(at.y()) : positionY->value();
    frame->SetScreenPos(x, y, true);
}

void cFrameEditDock::ResizeSelectedFrame(int size)
{
    cComicFrame* frame = frameEditor ? frameEditor->GetSelectedFrame() : nullptr;
    if (!frame || (frame->GetTexWidth() == size && frame->GetTexHeight() == size))
        return;
    frameEditor->ResizeSelection(size);
    // The new window gives the frame another scale.
    RefreshSelection();
}

void cFrameEditDock::ChangeFrameScale(int newScale)
{
    cComicFrame* frame = frameEditor ? frameEditor->GetSelectedFrame() : nullptr;
    if (frame && frame->GetScaleClass() != newScale)
        frame->SetScale(newScale);
}

void cFrameEditDock::UpdateFrameContent()
{
    const cComicFrame* frame = frameEditor ? frameEditor->GetSelectedFrame() : nullptr;
    if (!frame)
        return;
    // As with the position: a window moved past the texture's edge keeps its other coordinate.
    const QPointF corner = frame->GetTexMin();
    const int u = sender() == imageY ? static_cast<int>(corner.x()) : imageX->value();
    const int v = sender() == imageX ? static_cast<int>(corner.y()) : imageY->value();
    frameEditor->SetSelectionTexOrigin(u, v);
}

void cFrameEditDock::DeleteFrameSelection()
{
    if (!frameEditor)
        return;
    frameEditor->DeleteSelection();
    ClearSelectionFields();
}

void cFrameEditDock::NotYetImplemented()
{
    ShowMessageBox(eMessageBoxKind::Information, QStringLiteral("Mirrowen"), QStringLiteral("Not yet implemented!"),
                   this);
}

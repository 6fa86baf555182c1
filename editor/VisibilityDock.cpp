#include "editor/VisibilityDock.h"

#include "editor/DrawingLayers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>

namespace
{
void Flip(QCheckBox* box)
{
    box->setChecked(box->checkState() != Qt::Checked);
}
}

cVisibilityDock::cVisibilityDock(QWidget* parent, cDrawingLayers* view, Qt::WindowFlags flags)
    : QDockWidget(QStringLiteral("Visibility"), parent, flags)
    , view(view)
{
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* group = new QGroupBox;
    group->setMaximumHeight(230);
    group->setLayout(new QGridLayout);
    setWidget(group);

    levelGeometry = AddBox(QStringLiteral("Level geometry"), false, &cDrawingLayers::TogglePhysicsDrawing);
    AddBox(QStringLiteral("Player geometry"), false, &cDrawingLayers::TogglePlayerPhysicsDrawing);
    sky = AddBox(QStringLiteral("Sky"), true, &cDrawingLayers::ToggleSkyDrawing);
    background = AddBox(QStringLiteral("Background"), true, &cDrawingLayers::ToggleBackgroundDrawing);
    // Hearts and boxes are drawn with the world and have no switch of their own.
    AddBox(QStringLiteral("Hearts and Boxes"), true, nullptr);
}

QCheckBox* cVisibilityDock::AddBox(const QString& text, bool checked, void (cDrawingLayers::*toggle)())
{
    auto* box = new QCheckBox(text);
    // Set before the connection: the view already starts in this state.
    box->setChecked(checked);
    if (toggle)
        connect(box, &QCheckBox::stateChanged, this, [this, toggle] { (view->*toggle)(); });
    auto* grid = static_cast<QGridLayout*>(widget()->layout());
    grid->addWidget(box, grid->count(), 0);
    return box;
}

void cVisibilityDock::ToggleSkyDrawing()
{
    Flip(sky);
}

void cVisibilityDock::SetSkyDrawingStatus(bool draw)
{
    sky->setChecked(draw);
}

void cVisibilityDock::ToggleBackgroundDrawing()
{
    Flip(background);
}

void cVisibilityDock::SetBackgroundDrawingStatus(bool draw)
{
    background->setChecked(draw);
}

void cVisibilityDock::ToggleGeometryDrawing()
{
    Flip(levelGeometry);
}

void cVisibilityDock::SetGeometryDrawingStatus(bool draw)
{
    levelGeometry->setChecked(draw);
}

#include "world/FrameEditor.h"

#include "world/ComicFrame.h"
#include "world/FrameSetWriter.h"

void cFrameEditor::SwitchToFrameSet(unsigned index, unsigned ms)
{
    cFrameManager::SwitchToFrameSet(index, ms);
    ClearSelection();
}

void cFrameEditor::Draw()
{
    DrawBackgroundLayers();
    DrawFrameLayer(selected);
}

void cFrameEditor::DisableEditing()
{
    editing = false;
    ClearSelection();
}

bool cFrameEditor::SelectAt(int x, int y)
{
    ClearSelection();
    if (editing)
        selected = FrameAtWindowPoint(x, y);
    return HasSelection();
}

void cFrameEditor::MoveSelection(float dx, float dy)
{
    if (!selected)
        return;
    const QPointF pos = selected->GetScreenPos();
    selected->SetScreenPos(static_cast<int>(dx + pos.x()), static_cast<int>(dy + pos.y()), true);
}

void cFrameEditor::MoveSelectionContent(float du, float dv)
{
    if (!selected)
        return;
    const QPointF texMin = selected->GetTexMin();
    selected->SetTexRect(static_cast<int>(texMin.x() + du), static_cast<int>(texMin.y() + dv), selected->GetTexWidth(),
                         selected->GetTexHeight());
}

void cFrameEditor::SetSelectionTexOrigin(int u, int v)
{
    if (selected && selected->GetTexWidth() == selected->GetTexHeight())
        selected->SetTexRect(u, v, selected->GetTexWidth(), selected->GetTexHeight());
}

void cFrameEditor::DeleteSelection()
{
    if (selected)
        DeleteFrame(selected);
    ClearSelection();
}

bool cFrameEditor::SaveFrameSets(const QString& path) const
{
    return cFrameSetWriter(*this).Write(path);
}

void cFrameEditor::SetBackgroundColor(const sZorv_BG_Color& colors)
{
    if (GetBackground())
        GetBackground()->SetRecord(0, colors);
    else
        SetBackground(colors);
}

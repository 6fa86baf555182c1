#include "world/FrameEditor.h"

#include "world/ComicFrame.h"
#include "world/FrameSetWriter.h"

#include <algorithm>

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
    // Within the reach the frame-set reader accepts, or the saved set would lose the frame.
    const QPointF pos = selected->GetScreenPos();
    selected->SetScreenPos(std::clamp(static_cast<int>(dx + pos.x()), -kMaxReach, kMaxReach),
                           std::clamp(static_cast<int>(dy + pos.y()), -kMaxReach, kMaxReach), true);
}

void cFrameEditor::MoveSelectionContent(float du, float dv)
{
    if (!selected)
        return;
    const QPointF texMin = selected->GetTexMin();
    PlaceSelectionWindow(static_cast<int>(texMin.x() + du), static_cast<int>(texMin.y() + dv));
}

void cFrameEditor::SetSelectionTexOrigin(int u, int v)
{
    if (selected && selected->GetTexWidth() == selected->GetTexHeight())
        PlaceSelectionWindow(u, v);
}

void cFrameEditor::ResizeSelection(int n)
{
    if (!selected)
        return;
    const QPointF texMin = selected->GetTexMin();
    const int room = kWorldTextureSize - static_cast<int>(std::max(texMin.x(), texMin.y()));
    selected->ResizeSquareTex(std::clamp(n, 1, room));
}

void cFrameEditor::PlaceSelectionWindow(int u, int v)
{
    const int width = selected->GetTexWidth(), height = selected->GetTexHeight();
    selected->SetTexRect(std::clamp(u, 0, kWorldTextureSize - width), std::clamp(v, 0, kWorldTextureSize - height),
                         width, height);
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

// Every frame set of the game, as the frame manager reads it: between the borders of any two of
// its frames the background shows through, so that the panels read as panels.
#include "world/ComicFrame.h"
#include "world/FrameManager.h"

#include "tests/support/StdoutOf.h"

#include <QDirIterator>
#include <QRect>

#include <gtest/gtest.h>

namespace {

/// The frame on the screen at its home, its border included.
QRect Outline(const cComicFrame& frame)
{
    const int border = frame.HasBorder() ? 1 : 0;
    const QPointF home = frame.GetHomePos();
    return QRect(static_cast<int>(home.x()) - border, static_cast<int>(home.y()) - border,
                 frame.GetScreenWidth() + 2 * border, frame.GetScreenHeight() + 2 * border);
}

/// Background pixels between the two outlines along the axis that parts them; 0 or less when they
/// touch or overlap.
int Gutter(const QRect& a, const QRect& b)
{
    // QRect's right() is one short of x + width.
    const int across = std::max(b.left() - a.right() - 1, a.left() - b.right() - 1);
    const int along = std::max(b.top() - a.bottom() - 1, a.top() - b.bottom() - 1);
    return std::max(across, along);
}

} // namespace

TEST(FrameGutter, EveryFrameSetKeepsTheBackgroundBetweenItsFrames)
{
    int files = 0;
    QDirIterator it(":/res/Areas", {"*_Frames.xml"}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        cFrameManager manager(nullptr);
        bool loaded = false;
        StdoutOf([&] { loaded = manager.LoadFrameSets(path); });
        ASSERT_TRUE(loaded) << path.toStdString();
        for (int set = 0; set < manager.GetFrameSetCount(); ++set) {
            const auto& frames = manager.GetFrameSet(set);
            for (size_t i = 0; i < frames.size(); ++i)
                for (size_t j = i + 1; j < frames.size(); ++j)
                    EXPECT_GE(Gutter(Outline(*frames[i]), Outline(*frames[j])), 1)
                        << path.toStdString() << ", set " << set << ": frames " << i << " and " << j;
        }
    }
    EXPECT_EQ(files, 30) << "one frame-set file for each area";
}

#include "world/ComicFrame.h"
#include "world/FrameEditor.h"

#include "BackgroundPrinting.h"

#include "tests/support/StdoutOf.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr sZorv_BG_Color kNone{-1, -1, -1, -1, -1, -1};

/// Expects b to present what a presents: background records, flags and every frame of every set.
void ExpectSamePresentation(const cFrameManager& a, const cFrameManager& b)
{
    ASSERT_EQ(b.GetBackground()->GetRecordCount(), a.GetBackground()->GetRecordCount());
    for (int i = 0; i < a.GetBackground()->GetRecordCount(); ++i)
        EXPECT_EQ(b.GetBackground()->GetRecord(i), a.GetBackground()->GetRecord(i)) << "record " << i;
    EXPECT_EQ(b.StarsVisible(), a.StarsVisible());
    EXPECT_EQ(b.GetOrnament(), a.GetOrnament());
    ASSERT_EQ(b.GetFrameSetCount(), a.GetFrameSetCount());
    for (int set = 0; set < a.GetFrameSetCount(); ++set) {
        ASSERT_EQ(b.GetFrameSet(set).size(), a.GetFrameSet(set).size()) << "set " << set;
        for (size_t i = 0; i < a.GetFrameSet(set).size(); ++i) {
            const cComicFrame &fa = *a.GetFrameSet(set)[i], &fb = *b.GetFrameSet(set)[i];
            SCOPED_TRACE("set " + std::to_string(set) + ", frame " + std::to_string(i));
            EXPECT_EQ(fb.GetScreenPos(), fa.GetHomePos());
            EXPECT_EQ(fb.GetTexMin(), fa.GetTexMin());
            EXPECT_EQ(fb.GetTexWidth(), fa.GetTexWidth());
            EXPECT_EQ(fb.GetTexHeight(), fa.GetTexHeight());
            EXPECT_EQ(fb.GetScreenWidth(), fa.GetScreenWidth());
            EXPECT_EQ(fb.GetScreenHeight(), fa.GetScreenHeight());
            EXPECT_EQ(fb.HasBorder(), fa.HasBorder());
            EXPECT_EQ(fb.HasSpecialBlend(), fa.HasSpecialBlend());
            EXPECT_EQ(fb.IsDynamic(), fa.IsDynamic());
        }
    }
}

} // namespace

TEST(FrameSetFile, ReadsBackgroundFlagsAndEveryKindOfFrame)
{
    cFrameEditor m(nullptr);
    ASSERT_TRUE(m.LoadFrameSets("frametest/full.xml")) << "a path without \":/\" is a resource path";
    EXPECT_EQ(m.GetBackgroundColor(), (sZorv_BG_Color{151, 129, 183, 230, 203, 236}));
    ASSERT_EQ(m.GetBackground()->GetRecordCount(), 2);
    EXPECT_EQ(m.GetBackground()->GetRecord(1), (sZorv_BG_Color{20, 30, 60, 20, 30, 60}));
    EXPECT_EQ(m.GetBackground()->GetCurrentRecord(), 0) << "the Land-of-Fireflies colour is not shown yet";
    EXPECT_TRUE(m.StarsVisible());
    EXPECT_EQ(m.GetOrnament(), 0);
    ASSERT_EQ(m.GetFrameSetCount(), 2);
    EXPECT_EQ(m.GetCurrentFrameSet(), 0);

    const auto& set0 = m.GetFrameSet(0);
    ASSERT_EQ(set0.size(), 3u);
    // The AdvFrame that covers the whole screen with a one-unit overhang.
    const cComicFrame& full = *set0[0];
    EXPECT_EQ(full.GetScreenPos(), QPointF(0, -1));
    EXPECT_EQ(full.GetTexMin(), QPointF(12, 100));
    EXPECT_EQ(full.GetTexWidth(), 481);
    EXPECT_EQ(full.GetTexHeight(), 273);
    EXPECT_EQ(full.GetScreenWidth(), 481);
    EXPECT_EQ(full.GetScreenHeight(), 273);
    EXPECT_TRUE(full.HasBorder());
    EXPECT_FALSE(full.HasSpecialBlend());

    const cComicFrame& panel = *set0[1];
    EXPECT_EQ(panel.GetScreenPos(), QPointF(100, 50));
    EXPECT_EQ(panel.GetTexMin(), QPointF(0, 0));
    EXPECT_EQ(panel.GetScreenWidth(), 128);
    EXPECT_EQ(panel.GetScreenHeight(), 64);
    EXPECT_TRUE(panel.HasBorder());
    EXPECT_FALSE(panel.IsDynamic());

    const cComicFrame& follower = *set0[2];
    EXPECT_TRUE(follower.IsDynamic());
    EXPECT_FALSE(follower.HasBorder());
    EXPECT_EQ(follower.GetScreenWidth(), 80);

    const auto& set1 = m.GetFrameSet(1);
    ASSERT_EQ(set1.size(), 2u);
    EXPECT_EQ(set1[0]->GetScreenWidth(), 218) << "218 over 109 texels both ways: scale 2";
    EXPECT_EQ(set1[0]->GetScreenPos(), QPointF(20, 272 - 30 - 218));
    EXPECT_FALSE(set1[0]->HasBorder());
    EXPECT_EQ(set1[1]->GetScreenWidth(), 20) << "magnifications of 1.5 and 1.5 sum to exactly 3: scale 1";
}

TEST(FrameSetFile, DefaultsGiveAFlatBackgroundAndHideStarsAndOrnament)
{
    cFrameEditor m(nullptr);
    ASSERT_TRUE(m.LoadFrameSets(":/frametest/flat.xml"));
    EXPECT_EQ(m.GetBackgroundColor(), (sZorv_BG_Color{151, 129, 183, 151, 129, 183}));
    EXPECT_FALSE(m.StarsVisible()) << "only visible 1 shows the stars";
    EXPECT_EQ(m.GetOrnament(), -1) << "an ornament without id is not shown";
    ASSERT_EQ(m.GetFrameSet(0).size(), 1u);
    const cComicFrame& f = *m.GetFrameSet(0)[0];
    EXPECT_FALSE(f.HasBorder());
    EXPECT_TRUE(f.HasSpecialBlend());
    EXPECT_EQ(f.GetScreenPos(), QPointF(1, 2));
    EXPECT_EQ(f.GetTexMin(), QPointF(5, 6));
}

TEST(FrameSetFile, AnXmlErrorKeepsWhatWasReadBeforeIt)
{
    cFrameEditor m(nullptr);
    EXPECT_TRUE(m.LoadFrameSets(":/frametest/broken.xml"));
    ASSERT_EQ(m.GetFrameSetCount(), 2);
    EXPECT_EQ(m.GetFrameSet(0).size(), 1u);
    EXPECT_EQ(m.GetFrameSet(1).size(), 1u);
}

TEST(FrameSetFile, ElementsThatCannotBeAppliedAreRefusedOneByOne)
{
    cFrameEditor m(nullptr);
    bool read = false;
    const std::string out = StdoutOf([&] { read = m.LoadFrameSets(":/frametest/faulty.xml"); });
    EXPECT_TRUE(read);
    // The Land-of-Fireflies colour before the background, a frame without imgHeight, an AdvFrame
    // with an empty window, a frame at scale 0, and a FrameSet whose id names no set.
    EXPECT_NE(out.find("BackgroundColor_LoF"), std::string::npos) << out;
    EXPECT_NE(out.find("has no imgHeight"), std::string::npos) << out;
    EXPECT_NE(out.find("shows no texels"), std::string::npos) << out;
    EXPECT_NE(out.find("at scale 0"), std::string::npos) << out;
    EXPECT_NE(out.find("FrameSet id 5"), std::string::npos) << out;
    EXPECT_EQ(m.GetBackground()->GetRecordCount(), 1);
    ASSERT_EQ(m.GetFrameSetCount(), 2);
    ASSERT_EQ(m.GetFrameSet(0).size(), 1u);
    EXPECT_EQ(m.GetFrameSet(0)[0]->GetScreenPos(), QPointF(7, 0));
    EXPECT_TRUE(m.GetFrameSet(1).empty());
}

TEST(FrameSetFile, MissingFileOrNoFrameSetIsRefused)
{
    cFrameEditor missing(nullptr);
    bool read = true;
    std::string out = StdoutOf([&] { read = missing.LoadFrameSets("res/Areas/NoSuchArea_Frames.xml"); });
    EXPECT_FALSE(read);
    EXPECT_NE(out.find("ERROR: Invalid XML resource file: :/res/Areas/NoSuchArea_Frames.xml"), std::string::npos)
        << out;
    EXPECT_EQ(missing.GetFrameSetCount(), 0);
    EXPECT_EQ(missing.GetBackgroundColor(), kNone);

    cFrameEditor empty(nullptr);
    out = StdoutOf([&] { read = empty.LoadFrameSets(":/frametest/noframes.xml"); });
    EXPECT_FALSE(read);
    EXPECT_NE(out.find("ERROR:"), std::string::npos);
    EXPECT_EQ(empty.GetFrameSetCount(), 0);
}

TEST(FrameSetFile, SavedFramesReadBackAsTheyWereEdited)
{
    // The reader opens a path holding ":/" as it stands, so a folder named "disk:" lets it read the
    // saved file from disk instead of the resource tree.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("disk:"));
    for (const char* source : {":/frametest/full.xml", ":/frametest/flat.xml"}) {
        SCOPED_TRACE(source);
        cFrameEditor edited(nullptr);
        ASSERT_TRUE(edited.LoadFrameSets(source));
        edited.Resize(480, 272);
        const QPointF first = edited.GetFrameSet(0)[0]->GetScreenPos();
        ASSERT_TRUE(edited.SelectAt(static_cast<int>(first.x()) + 1, 272 - static_cast<int>(first.y()) - 1));
        edited.MoveSelection(3, -2);
        edited.MoveSelectionContent(4, 1);
        edited.ShakeFrames(1000, 9, 9, 0, true);
        edited.Update(20); // shaken away from home: the file keeps the home position
        edited.SetBackgroundColor({1, 2, 3, 4, 5, 6});

        const QString path = dir.filePath("disk:/Area_Frames.xml");
        ASSERT_TRUE(edited.SaveFrameSets(path));
        cFrameEditor reread(nullptr);
        ASSERT_TRUE(reread.LoadFrameSets(path));
        ExpectSamePresentation(edited, reread);
        EXPECT_EQ(reread.GetFrameSet(0)[0]->GetScreenPos(), first + QPointF(3, -2));
    }
}

TEST(FrameSetFile, ASaveThatCannotBeWrittenSaysSoAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    cFrameEditor m(nullptr);
    ASSERT_TRUE(m.LoadFrameSets(":/frametest/full.xml"));
    bool saved = true;
    std::string out = StdoutOf([&] { saved = m.SaveFrameSets(dir.filePath("no/such/folder/A_Frames.xml")); });
    EXPECT_FALSE(saved);
    EXPECT_NE(out.find("ERROR:"), std::string::npos) << out;
    out = StdoutOf([&] { saved = m.SaveFrameSets(":/frametest/full.xml"); });
    EXPECT_FALSE(saved) << "the resource tree cannot be written";
    EXPECT_NE(out.find("ERROR:"), std::string::npos) << out;

    cFrameEditor reread(nullptr);
    ASSERT_TRUE(reread.LoadFrameSets(":/frametest/full.xml"));
    ExpectSamePresentation(m, reread);
}

TEST(FrameSetFile, WindowsPushedPastTheTextureEdgeStopThereAndReadBackWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("disk:"));
    cFrameEditor edited(nullptr);
    edited.SetBackgroundColor({1, 2, 3, -1, -1, -1});
    ASSERT_EQ(edited.AddFrameSet(), 0);
    edited.Resize(480, 272);
    // Each frame is asked by the keys, the dock's origin fields or its size field to reach beyond
    // an edge of the 512 x 512 texture: the window stops at that edge.
    struct sEdit
    {
        int x, texWidth, texHeight;
        void (*edit)(cFrameEditor&);
        QPointF texMin;
        int texSize;
    };
    const sEdit edits[] = {
        {0, 64, 64, [](cFrameEditor& e) { e.MoveSelectionContent(-600, -700); }, {0, 0}, 64},
        {100, 64, 64, [](cFrameEditor& e) { e.SetSelectionTexOrigin(700, 480); }, {448, 448}, 64},
        {200, 64, 64, [](cFrameEditor& e) { e.ResizeSelection(-3); }, {10, 10}, 1},
        {300, 40, 20, [](cFrameEditor& e) { e.MoveSelectionContent(600, 600); }, {472, 492}, 0},
        {400, 64, 64, [](cFrameEditor& e) { e.SetSelectionTexOrigin(400, 100); e.ResizeSelection(512); }, {400, 100},
         112},
    };
    for (const sEdit& e : edits)
        ASSERT_TRUE(edited.AddFrame(0, e.x, 0, 10, 10, e.texWidth, e.texHeight, 1, true, false));
    for (size_t i = 0; i < std::size(edits); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        ASSERT_TRUE(edited.SelectAt(edits[i].x + 1, 271));
        edits[i].edit(edited);
        const cComicFrame& frame = *edited.GetFrameSet(0)[i];
        EXPECT_EQ(frame.GetTexMin(), edits[i].texMin);
        const int size = edits[i].texSize;
        EXPECT_EQ(frame.GetTexWidth(), size ? size : edits[i].texWidth);
        EXPECT_EQ(frame.GetTexHeight(), size ? size : edits[i].texHeight);
    }
    // And far off the screen by the keys, as far as a frame may stand.
    ASSERT_TRUE(edited.SelectAt(1, 271));
    edited.MoveSelection(-1e6f, 1e6f);
    EXPECT_EQ(edited.GetFrameSet(0)[0]->GetScreenPos(),
              QPointF(-cFrameManager::kMaxReach, cFrameManager::kMaxReach));

    const QString path = dir.filePath("disk:/Area_Frames.xml");
    ASSERT_TRUE(edited.SaveFrameSets(path));
    cFrameEditor reread(nullptr);
    std::string out;
    out = StdoutOf([&] { ASSERT_TRUE(reread.LoadFrameSets(path)); });
    EXPECT_EQ(out.find("ERROR:"), std::string::npos) << out;
    ExpectSamePresentation(edited, reread);
}

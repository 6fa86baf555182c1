// The area selection on the real area order and per-user save slots: a new slot, the first and a
// later finish of an area with its sequences tick by tick and its booking on disk, the keys and
// the mouse reaching every unlocked area, and leaving.
#include "ScreenFixture.h"

#include "player/InputHandler.h"
#include "player/SaveGame.h"
#include "screens/LevelButton.h"
#include "screens/LevelContainer.h"
#include "screens/AreaSummary.h"
#include "screens/LevelSelectionScreen.h"
#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::string Area(const std::string& name)
{
    return "res/Areas/" + name + ".xml";
}

class LevelSelectionTest : public ScreenFixture
{
protected:
    LevelSelectionTest() { input.SetDefaultKeys(); }

    std::unique_ptr<cLevelSelectionScreen> Open(int slot, bool fromArea)
    {
        std::unique_ptr<cLevelSelectionScreen> screen;
        StdoutOf([&] { screen = std::make_unique<cLevelSelectionScreen>(slot, fromArea); });
        EXPECT_TRUE(screen->Init(s_resources.get(), s_audio.get(), nullptr));
        screen->Resize(kWidth, kHeight);
        return screen;
    }

    /// One tick of the game: the screen's Update, then the keys pressed since the last tick.
    int Tick(cLevelSelectionScreen& screen, std::initializer_list<int> keys = {})
    {
        const int result = screen.Update(20);
        for (int key : keys)
            input.KeyPress(key, false);
        screen.HandleInput(&input);
        for (int key : keys)
            input.KeyRelease(key);
        input.EndTick();
        return result;
    }

    static int IndexOf(const cLevelSelectionScreen& screen, const std::string& name)
    {
        for (int i = 0; i < screen.GetEntryCount(); ++i)
            if (screen.GetEntry(i).GetFileName() == Area(name))
                return i;
        return -1;
    }

    /// Where the cursor stands: the selected entry, or -1 for the button.
    static int Cursor(const cLevelSelectionScreen& screen)
    {
        if (screen.IsButtonHighlighted())
            return -1;
        EXPECT_TRUE(screen.GetEntry(screen.GetSelected()).IsSelected());
        return screen.GetSelected();
    }

    const AreaStatus* Saved(int slot, const std::string& name)
    {
        saved = std::make_unique<cSaveGame>();
        EXPECT_TRUE(saved->Load(SlotFile(slot).toStdString()));
        return saved->GetArea(saved->FindArea(Area(name)));
    }

    /// The sky of a row left of the grid: the median of its first pixels, so that a star the
    /// shared assets happened to place there does not count as sky.
    static QColor SkyOfRow(const GlCanvas& canvas, int y)
    {
        std::vector<QColor> row;
        for (int x = 0; x < 15; ++x)
            row.push_back(canvas.Pixel(x, y));
        std::nth_element(row.begin(), row.begin() + 7, row.end(),
                         [](const QColor& a, const QColor& b) { return a.lightness() < b.lightness(); });
        return row[7];
    }

    /// Pixels of an entry's cell that differ from the sky beside the grid on the same row.
    static int MarksIn(const GlCanvas& canvas, const cLevelContainer& entry)
    {
        const cLevelButton& cell = entry.GetButton();
        int marks = 0;
        for (int y = cell.GetY() + 1; y < cell.GetY() + cell.GetCellSize(); ++y) {
            const QColor sky = SkyOfRow(canvas, y);
            for (int x = cell.GetX() + 1; x < cell.GetX() + cell.GetCellSize(); ++x)
                marks += NearColor(canvas.Pixel(x, y), sky, 6) ? 0 : 1;
        }
        return marks;
    }

    cInputHandler input;
    std::unique_ptr<cSaveGame> saved;
};

TEST_F(LevelSelectionTest, ANewSlotOpensOnlyTheFirstAreaWithTheButtonAtEitherEnd)
{
    std::unique_ptr<cLevelSelectionScreen> screen = Open(0, false);
    ASSERT_EQ(screen->GetEntryCount(), 30);
    EXPECT_EQ(screen->GetEntry(0).GetFileName(), Area("Area0"));
    for (int i = 0; i < screen->GetEntryCount(); ++i) {
        EXPECT_EQ(screen->GetEntry(i).IsUnlocked(), i == 0) << i;
        EXPECT_FALSE(screen->GetEntry(i).IsCompleted()) << i;
    }
    EXPECT_EQ(Cursor(*screen), 0);
    ASSERT_NE(screen->GetMusic(), nullptr);

    GlCanvas canvas(kWidth, kHeight);
    screen->Draw(false);
    canvas.Save("selection-new-slot.png");
    EXPECT_GT(MarksIn(canvas, screen->GetEntry(0)), 1000) << "the first area's picture and ring";
    for (int i = 1; i < screen->GetEntryCount(); ++i)
        EXPECT_LT(MarksIn(canvas, screen->GetEntry(i)), 200) << "locked " << i << " shows nothing but a few stars";

    const std::pair<int, int> steps[] = {{Qt::Key_Right, -1}, {Qt::Key_Right, 0}, {Qt::Key_Left, -1},
                                         {Qt::Key_Left, 0},   {Qt::Key_Down, -1},  {Qt::Key_Up, 0},
                                         {Qt::Key_Up, -1},    {Qt::Key_Down, 0}};
    for (const auto& [key, cursor] : steps) {
        EXPECT_EQ(Tick(*screen, {key}), 0);
        EXPECT_EQ(Cursor(*screen), cursor) << "after key " << key;
    }

    Tick(*screen, {Qt::Key_Return});
    EXPECT_EQ(Tick(*screen), cLevelSelectionScreen::RESULT_START_AREA);
    EXPECT_EQ(screen->GetSelectedArea(), Area("Area0"));
    screen->DeleteMusic();
    EXPECT_EQ(screen->GetMusic(), nullptr);

    // Back and confirm in one tick: leaving wins; where to depends on where the screen came from.
    for (bool fromArea : {false, true}) {
        std::unique_ptr<cLevelSelectionScreen> again = Open(0, fromArea);
        Tick(*again, {Qt::Key_Escape, Qt::Key_Return});
        EXPECT_EQ(Tick(*again), fromArea ? cLevelSelectionScreen::RESULT_LEAVE_FROM_AREA
                                         : cLevelSelectionScreen::RESULT_LEAVE_TO_SLOTS);
        EXPECT_EQ(Tick(*again), 0) << "a request counts once";
        again->DeleteMusic();
    }
}

TEST_F(LevelSelectionTest, AFirstFinishIsOnDiskAtOnceAndThenShowsItsCompletionAndUnlocks)
{
    QByteArray records;
    for (const char* done : {"Area0", "FrameSwitch", "IntoTheWild", "CaveStory"})
        records += Record(Area(done), true, true, 2);
    WriteSlot(1, records + Record(Area("AntlerCave"), false, true, 0), 8);
    std::unique_ptr<cLevelSelectionScreen> screen = Open(1, true);
    const int antler = IndexOf(*screen, "AntlerCave");
    const int road = IndexOf(*screen, "RainbowRoad");
    const int islands = IndexOf(*screen, "Islands");

    cRecordedEffects effects;
    EXPECT_TRUE(screen->AreaFinished(Area("AntlerCave"), 7, 0, 0));
    EXPECT_EQ(effects.sounds.Take(), std::vector<int>{67});
    for (int i = 0; i < screen->GetEntryCount(); ++i)
        EXPECT_FALSE(screen->GetEntry(i).IsSelected()) << "nothing highlighted until an unlock ends";

    // Leaving now loses nothing: the slot on disk holds the finish and both unlocks.
    const AreaStatus* finished = Saved(1, "AntlerCave");
    ASSERT_NE(finished, nullptr);
    EXPECT_TRUE(finished->completed);
    EXPECT_EQ(finished->score, 7);
    for (const char* next : {"RainbowRoad", "Islands"}) {
        const AreaStatus* unlocked = Saved(1, next);
        ASSERT_NE(unlocked, nullptr) << next;
        EXPECT_TRUE(unlocked->unlocked && !unlocked->completed) << next;
    }
    EXPECT_EQ(saved->GetScore(), 4 * 2 + 7);
    EXPECT_EQ(saved->GetCurrentArea(), Area("AntlerCave"));
    std::unique_ptr<cLevelSelectionScreen> reopened = Open(1, true);
    EXPECT_TRUE(reopened->GetEntry(antler).IsCompleted());
    EXPECT_TRUE(reopened->GetEntry(road).IsUnlocked());
    EXPECT_TRUE(reopened->GetEntry(islands).IsUnlocked());
    reopened->DeleteMusic();

    // 1200 ms of completing, then each unlock for 1200 ms in turn; the cursor jumps to the first.
    struct sExpect
    {
        int tick, completing, unlocking, cursor;
        std::vector<int> sounds;
    };
    const sExpect expected[] = {
        {1, antler, -1, -2, {}},         {59, antler, -1, -2, {}},      {60, -1, road, -2, {68}},
        {119, -1, road, -2, {}},         {120, -1, islands, road, {68}}, {179, -1, islands, road, {}},
        {180, -1, -1, road, {}},
    };
    int tick = 0;
    for (const sExpect& e : expected) {
        while (tick < e.tick) {
            ASSERT_EQ(Tick(*screen), 0);
            ++tick;
            if (tick == 90) {
                GlCanvas canvas(kWidth, kHeight);
                screen->Draw(false);
                canvas.Save("selection-unlocking.png");
            }
        }
        SCOPED_TRACE(testing::Message() << "tick " << tick);
        for (int i = 0; i < screen->GetEntryCount(); ++i) {
            const int state = screen->GetEntry(i).GetState();
            EXPECT_EQ(state == LEVEL_COMPLETING, i == e.completing) << i;
            EXPECT_EQ(state == LEVEL_UNLOCKING, i == e.unlocking) << i;
        }
        EXPECT_EQ(screen->GetEntry(road).IsUnlocked(), tick >= 120);
        EXPECT_EQ(screen->GetEntry(islands).IsUnlocked(), tick >= 180);
        if (e.cursor >= 0) {
            EXPECT_EQ(Cursor(*screen), e.cursor);
        }
        EXPECT_EQ(effects.sounds.Take(), e.sounds);
    }
    screen->DeleteMusic();
}

TEST_F(LevelSelectionTest, ALaterFinishKeepsTheBestAndUnlocksNothingNew)
{
    WriteSlot(2,
              Record(Area("Area0"), true, true, 4) + Record(Area("AntlerCave"), true, true, 7) +
                  Record(Area("RainbowRoad"), false, true, 0) + Record(Area("Islands"), false, true, 0),
              999);
    std::unique_ptr<cLevelSelectionScreen> screen = Open(2, true);
    const int antler = IndexOf(*screen, "AntlerCave");
    cRecordedEffects effects;

    for (int score : {3, -4}) {
        screen->AreaFinished(Area("AntlerCave"), score, 0, 0);
        EXPECT_EQ(screen->GetEntry(antler).GetBestScore(), 7);
        const AreaStatus* record = Saved(2, "AntlerCave");
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->score, 7);
        EXPECT_EQ(saved->GetScore(), 11) << "the total is the sum of the best scores";
    }
    EXPECT_TRUE(effects.sounds.Take().empty()) << "no completing sequence";
    for (int i = 0; i < screen->GetEntryCount(); ++i)
        EXPECT_EQ(screen->GetEntry(i).GetState(), LEVEL_IDLE) << i;

    // Every successor is unlocked already: nothing is highlighted and confirm plays the area again.
    Tick(*screen, {Qt::Key_Return});
    EXPECT_EQ(Tick(*screen), cLevelSelectionScreen::RESULT_START_AREA);
    EXPECT_EQ(screen->GetSelectedArea(), Area("AntlerCave"));

    // Islands unlocks DownwardSpiral; BonusArea01 has no entry and is not recorded.
    screen->AreaFinished(Area("Islands"), 2, 0, 0);
    ASSERT_NE(Saved(2, "DownwardSpiral"), nullptr);
    EXPECT_EQ(Saved(2, "BonusArea01"), nullptr);
    // A file of no entry is still booked, without any sequence.
    StdoutOf([&] { EXPECT_TRUE(screen->AreaFinished(Area("BonusArea01"), 5, 0, 0)); });
    const AreaStatus* bonus = Saved(2, "BonusArea01");
    ASSERT_NE(bonus, nullptr);
    EXPECT_TRUE(bonus->completed);
    EXPECT_EQ(bonus->score, 5);
    screen->DeleteMusic();
}

TEST_F(LevelSelectionTest, KeysAndMouseReachEveryUnlockedArea)
{
    // Unlocked: the first and the last entry, and two side by side that only a long step reaches.
    QByteArray records;
    for (const char* open : {"Area0", "UseEmptyFrame", "TheFall", "Antler_Arc"})
        records += Record(Area(open), false, true, 0);
    WriteSlot(3, records);
    std::unique_ptr<cLevelSelectionScreen> screen = Open(3, false);
    ASSERT_EQ(IndexOf(*screen, "UseEmptyFrame"), 11);
    ASSERT_EQ(IndexOf(*screen, "TheFall"), 12);
    ASSERT_EQ(IndexOf(*screen, "Antler_Arc"), 29);
    // Steps over locked entries stop short of the last entry (right, down) and the first (up).
    const std::pair<int, int> steps[] = {
        {Qt::Key_Right, 11}, {Qt::Key_Right, 12}, {Qt::Key_Right, -1}, {Qt::Key_Right, 0},
        {Qt::Key_Left, -1},  {Qt::Key_Left, 29},  {Qt::Key_Left, 12},  {Qt::Key_Left, 11},
        {Qt::Key_Down, -1},  {Qt::Key_Down, 0},   {Qt::Key_Down, 12},  {Qt::Key_Up, -1},
        {Qt::Key_Up, 29},    {Qt::Key_Up, 11},    {Qt::Key_Up, -1},
    };
    cRecordedEffects effects;
    for (const auto& [key, cursor] : steps) {
        Tick(*screen, {key});
        EXPECT_EQ(Cursor(*screen), cursor) << "after key " << key;
    }
    EXPECT_EQ(effects.sounds.Take(), std::vector<int>(std::size(steps), 1)) << "a hover tick per step";

    // The button confirmed leaves; the mouse picks and starts an unlocked area.
    Tick(*screen, {Qt::Key_Return});
    EXPECT_EQ(Tick(*screen), cLevelSelectionScreen::RESULT_LEAVE_TO_SLOTS);
    const cLevelButton& cell = screen->GetEntry(11).GetButton();
    const int x = cell.GetX() + 5, y = kHeight - (cell.GetY() + 5);
    screen->MouseMove(cell.GetX(), y);
    EXPECT_FALSE(screen->GetEntry(11).IsSelected()) << "the cell's edge is outside";
    effects.sounds.Take();
    screen->MouseMove(x, y);
    screen->MouseMove(x + 20, y - 20);
    EXPECT_EQ(Cursor(*screen), 11);
    EXPECT_EQ(effects.sounds.Take(), std::vector<int>{1}) << "one hover tick on entering";
    screen->MousePress(x, y, 2, &input);
    EXPECT_EQ(Tick(*screen), 0) << "only the left button";
    screen->MousePress(x, y, 1, &input);
    EXPECT_EQ(Tick(*screen), cLevelSelectionScreen::RESULT_START_AREA);
    EXPECT_EQ(screen->GetSelectedArea(), Area("UseEmptyFrame"));
    const cLevelButton& locked = screen->GetEntry(13).GetButton();
    screen->MousePress(locked.GetX() + 5, kHeight - (locked.GetY() + 5), 1, &input);
    EXPECT_EQ(Tick(*screen), 0) << "a locked area cannot be started";
    screen->DeleteMusic();

    WriteSlot(4, Record(Area("Area0"), false, false, 0) + Record(Area("FrameSwitch"), false, true, 0));
    const std::unique_ptr<cLevelSelectionScreen> lockedFirst = Open(4, false);
    Tick(*lockedFirst, {Qt::Key_Left});
    Tick(*lockedFirst, {Qt::Key_Right});
    EXPECT_EQ(Cursor(*lockedFirst), 0) << "from the button to the first entry, locked or not";
    lockedFirst->DeleteMusic();
}

// A finished area is booked only where it can be: never over a damaged slot, which waits for a new
// game, and never reported booked when the slot's file cannot be written.
TEST_F(LevelSelectionTest, AFinishIsNeitherWrittenOverADamagedSlotNorReportedWhenTheSlotIsUnwritable)
{
    const QByteArray damaged = "<ZORV_Save Area=\"res/Areas/Islands.xml\" Score=\"80\"><Areas><Area name=\"res/Ar";
    WriteUserCopy(SlotFile(1), damaged);
    std::unique_ptr<cLevelSelectionScreen> screen = Open(1, true);
    std::string output = StdoutOf([&] { EXPECT_FALSE(screen->AreaFinished(Area("Area0"), 3, 0, 0)); });
    EXPECT_NE(output.find("ERROR"), std::string::npos);
    EXPECT_EQ(ReadUserCopy(SlotFile(1)), damaged);
    screen->DeleteMusic();

    // Read whole, then a folder takes the file's place: no one, not even the superuser, writes it.
    WriteSlot(2, Record(Area("Area0"), false, true, 0));
    screen = Open(2, true);
    ASSERT_TRUE(QFile::remove(UserPath(SlotFile(2))));
    ASSERT_TRUE(QDir().mkpath(UserPath(SlotFile(2))));
    output = StdoutOf([&] { EXPECT_FALSE(screen->AreaFinished(Area("Area0"), 3, 0, 0)); });
    EXPECT_NE(output.find("ERROR"), std::string::npos);
    EXPECT_TRUE(QFileInfo(UserPath(SlotFile(2))).isDir());
    screen->DeleteMusic();
}

TEST_F(LevelSelectionTest, HalfTheAreasFinishedShowTheirBadgesAndTheHoveredScore)
{
    cLevelOrder order;
    ASSERT_TRUE(order.Load("res/xml/LevelOrder.xml"));
    QByteArray records;
    for (int i = 0; i < 17; ++i) {
        const std::string& file = order.GetAreas()[i].fileName;
        cAreaSummary summary;
        ASSERT_TRUE(summary.Read(file)) << file;
        // Every third area with its best possible score; the two after the fifteenth only unlocked.
        records += Record(file, i < 15, true, i < 15 && i % 3 == 0 ? summary.maxScore : summary.maxScore / 2);
    }
    WriteSlot(4, records);
    std::unique_ptr<cLevelSelectionScreen> screen = Open(4, false);
    const cLevelContainer& hovered = screen->GetEntry(9);
    screen->MouseMove(hovered.GetButton().GetX() + 10, kHeight - (hovered.GetButton().GetY() + 10));
    ASSERT_TRUE(hovered.IsSelected());

    GlCanvas canvas(kWidth, kHeight);
    screen->Draw(false);
    canvas.Save("selection-half.png");
    for (int i = 0; i < screen->GetEntryCount(); ++i) {
        const int marks = MarksIn(canvas, screen->GetEntry(i));
        EXPECT_EQ(marks > 1000, i < 17) << i << ": " << marks;
    }
    screen->DeleteMusic();
}

} // namespace

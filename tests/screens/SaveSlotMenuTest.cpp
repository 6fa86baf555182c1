// The save-slot menu over the five slot files of a fresh user folder: new game and resume, the
// overwrite question, damaged files, the keyboard cursor's ring and the mouse.
#include "MenuFixture.h"

#include "engine/FontManager.h"
#include "screens/SaveSlot.h"
#include "screens/SaveSlotMenu.h"
#include "screens/TextButton.h"
#include "world/CommonResources.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"
#include "tests/support/StdoutOf.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

#include <qnamespace.h>

#include <gtest/gtest.h>

namespace {

QString SlotFile(int slot)
{
    return QString("Saves/slot%1.zvs").arg(slot);
}

QByteArray UsedSlot(int score)
{
    return "<ZORV_Save Area=\"res/Areas/Bridge.xml\" Score=\"" + QByteArray::number(score) +
           "\"><Areas><Area name=\"res/Areas/Area0.xml\" completed=\"1\" unlocked=\"1\" score=\"3\"/>"
           "</Areas></ZORV_Save>\n";
}

class SaveSlotMenuTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        keys = std::make_unique<cScriptedKeys>();
    }
    /// A menu in that mode over the slot files as they are now, in a 640 x 480 window.
    cSaveSlotMenu& Open(bool newGame)
    {
        menu = std::make_unique<cSaveSlotMenu>(newGame);
        menu->Init(&font);
        menu->Resize(640, 480);
        return *menu;
    }
    void Key(int key)
    {
        keys->Press(key);
        menu->HandleInput(&keys->input);
        keys->EndTick();
    }

    cFontManager font;
    std::unique_ptr<cSaveSlotMenu> menu;
    std::unique_ptr<cScriptedKeys> keys;
    cRecordedEffects effects;
};

TEST_F(SaveSlotMenuTest, ANewGameOnAUsedSlotAsksFirstAndRewritesOnlyThatSlot)
{
    WriteUserCopy(SlotFile(2), UsedSlot(12));
    WriteUserCopy(SlotFile(4), UsedSlot(7));
    Open(true);
    const QByteArray slot2 = ReadUserCopy(SlotFile(2)), slot4 = ReadUserCopy(SlotFile(4));
    EXPECT_EQ(menu->Slot(0)->GetSummary(), "Empty - New Game");
    EXPECT_EQ(menu->Slot(2)->GetSummary(), "score:  *12");
    EXPECT_EQ(menu->Slot(2)->GetCaption(), "GAME SLOT 2");

    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_TRUE(menu->IsQuestionOpen());
    EXPECT_EQ(menu->GetCursor(), 0) << "YES marked";
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NONE);
    Key(Qt::Key_Down);
    EXPECT_EQ(menu->GetCursor(), 1) << "NO";
    Key(Qt::Key_Return);
    EXPECT_FALSE(menu->IsQuestionOpen());
    EXPECT_EQ(menu->GetCursor(), 2) << "back on the slot";
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NONE);
    EXPECT_EQ(ReadUserCopy(SlotFile(2)), slot2);

    Key(Qt::Key_Return);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(menu->GetCursor(), 0) << "every direction swaps YES and NO";
    Key(Qt::Key_Return);
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NEW_GAME);
    EXPECT_EQ(menu->GetSelectedSlot(), 2);
    EXPECT_TRUE(ReadUserCopy(SlotFile(2)).contains("Area=\"NEW\""));
    EXPECT_EQ(ReadUserCopy(SlotFile(4)), slot4);
    EXPECT_FALSE(menu->Slot(2)->IsUsed());
    EXPECT_EQ(menu->Slot(2)->GetSummary(), "Empty - New Game");
    EXPECT_EQ(effects.sounds.Take().size(), 9u) << "each key one menu sound";
}

TEST_F(SaveSlotMenuTest, ResumingAUsedSlotLeavesItsFileAndAnEmptySlotStartsANewGame)
{
    WriteUserCopy(SlotFile(1), UsedSlot(30));
    Open(false);
    const QByteArray slot1 = ReadUserCopy(SlotFile(1));
    Key(Qt::Key_Right);
    Key(Qt::Key_Space);
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_RESUME);
    EXPECT_EQ(menu->GetSelectedSlot(), 1);
    EXPECT_EQ(ReadUserCopy(SlotFile(1)), slot1);
    Key(Qt::Key_Left);
    Key(Qt::Key_Return);
    EXPECT_FALSE(menu->IsQuestionOpen());
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NEW_GAME);
    EXPECT_EQ(menu->GetSelectedSlot(), 0);
}

TEST_F(SaveSlotMenuTest, ThePlayersSlotResumesWhateverBecameOfItsTemplate)
{
    // A working folder of its own: the build folder's templates are every test's.
    QTemporaryDir workDir;
    const QString previousWorkDir = QDir::currentPath();
    ASSERT_TRUE(QDir().mkpath(workDir.filePath("Saves")) && QDir::setCurrent(workDir.path()));
    const QString shipped = workDir.filePath(SlotFile(0));
    const struct
    {
        const char* kind;
        std::function<bool()> breakTemplate;
    } templates[] = {
        {"missing", [] { return true; }},
        {"a folder", [&] { return QDir().mkpath(shipped); }},
        {"a symlink loop", [&] { return QFile::link(shipped, shipped); }},
    };
    for (const auto& broken : templates) {
        SCOPED_TRACE(broken.kind);
        QFile::remove(shipped);
        QDir().rmdir(shipped);
        ASSERT_TRUE(broken.breakTemplate());
        WriteUserCopy(SlotFile(0), UsedSlot(30));
        const QByteArray progress = ReadUserCopy(SlotFile(0));
        Open(false);
        EXPECT_EQ(menu->Slot(0)->GetSummary(), "score:  *30");
        Key(Qt::Key_Return);
        EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_RESUME);
        EXPECT_EQ(menu->GetSelectedSlot(), 0);
        EXPECT_EQ(ReadUserCopy(SlotFile(0)), progress);
    }
    QDir::setCurrent(previousWorkDir);
}

TEST_F(SaveSlotMenuTest, ADamagedSlotSaysSoAndIsKeptUntilTheNewGameOverItIsConfirmed)
{
    QByteArray cutShort = UsedSlot(30);
    cutShort.truncate(cutShort.indexOf("<Area name"));
    const struct
    {
        const char* kind;
        QByteArray content;
    } damagedFiles[] = {
        {"random bytes", QByteArray("\x9f\x01<ZORV_Save Sc\x01 this is") + '\0' + " no slot"},
        {"cut short after its area", cutShort},
        {"empty", QByteArray()},
        {"naming no area", "<ZORV_Save Score=\"12\"/>"},
    };
    for (const auto& file : damagedFiles) {
        SCOPED_TRACE(file.kind);
        for (const bool newGame : {true, false}) {
            WriteUserCopy(SlotFile(3), file.content);
            Open(newGame);
            EXPECT_FALSE(menu->Slot(3)->IsUsed());
            EXPECT_EQ(menu->Slot(3)->GetSummary(), "Damaged - New Game") << "not the words of a slot never used";
            EXPECT_EQ(menu->Slot(0)->GetSummary(), "Empty - New Game");
            EXPECT_EQ(cCommonResources::GetAreaNumber(menu->Slot(3)->GetCurrentArea()),
                      cCommonResources::GetAreaNumber("NEW")) << "no picture of an area the file may have named";
            for (int i = 0; i < 3; ++i)
                Key(Qt::Key_Down);
            Key(Qt::Key_Return);
            EXPECT_TRUE(menu->IsQuestionOpen()) << "a new game over it asks first";
            EXPECT_EQ(menu->GetCursor(), 0) << "YES marked";
            Key(Qt::Key_Right);
            Key(Qt::Key_Return);
            EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NONE) << "NO";
            EXPECT_EQ(ReadUserCopy(SlotFile(3)), file.content) << "untouched until the player confirms";
            Key(Qt::Key_Return);
            Key(Qt::Key_Return);
            EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NEW_GAME);
            EXPECT_TRUE(ReadUserCopy(SlotFile(3)).contains("Area=\"NEW\""));
            EXPECT_EQ(menu->Slot(3)->GetSummary(), "Empty - New Game");
        }
    }
}

TEST_F(SaveSlotMenuTest, TheChoiceGoesByTheSlotFileAsItIsWhenChosen)
{
    Open(true);
    // Written after the menu read the slots: by the game since, or by hand.
    WriteUserCopy(SlotFile(0), UsedSlot(40));
    const QByteArray used = ReadUserCopy(SlotFile(0));
    Key(Qt::Key_Return);
    EXPECT_TRUE(menu->IsQuestionOpen());
    EXPECT_EQ(menu->Slot(0)->GetSummary(), "score:  *40");
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NONE);
    EXPECT_EQ(ReadUserCopy(SlotFile(0)), used);
}

TEST_F(SaveSlotMenuTest, ANewGameOnASlotThatCannotBeWrittenIsNotTakenForSaved)
{
    // A folder where the slot's file belongs: no one, not even the superuser, can write the file.
    ASSERT_TRUE(QDir().mkpath(UserPath(SlotFile(2))));
    cSaveSlot slot(&font);
    const std::string output = StdoutOf([&] {
        slot.Init(2);
        EXPECT_FALSE(slot.StartNewGame());
    });
    EXPECT_NE(output.find("ERROR"), std::string::npos);
    EXPECT_FALSE(slot.IsUsed());
    EXPECT_EQ(slot.GetSummary(), "Damaged - New Game");
    EXPECT_TRUE(QFileInfo(UserPath(SlotFile(2))).isDir());
}

TEST_F(SaveSlotMenuTest, ScoresLineUpWhateverTheirLength)
{
    struct sRow
    {
        int score;
        const char* summary;
    } rows[] = {{5, "score:  *5"},      {42, "score:  *42"},  {123, "score: *123"},
                {-7, "score: #-7"},     {-42, "score: #-42"}, {-123, "score:#-123"}};
    for (const sRow& row : rows) {
        WriteUserCopy(SlotFile(0), UsedSlot(row.score));
        cSaveSlot slot(&font);
        slot.Init(0);
        EXPECT_EQ(slot.GetSummary(), row.summary);
    }
}

TEST_F(SaveSlotMenuTest, TheCursorRunsOverTheFiveRowsAndBack)
{
    Open(true);
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Down);
    EXPECT_EQ(menu->GetCursor(), 5);
    EXPECT_TRUE(menu->GetBackButton()->IsHovered());
    Key(Qt::Key_Down);
    EXPECT_EQ(menu->GetCursor(), 0);
    EXPECT_FALSE(menu->GetBackButton()->IsHovered());
    Key(Qt::Key_Up);
    EXPECT_EQ(menu->GetCursor(), -1);
    EXPECT_TRUE(menu->GetBackButton()->IsHovered());
    Key(Qt::Key_Up);
    EXPECT_EQ(menu->GetCursor(), 4);
    EXPECT_FALSE(menu->GetBackButton()->IsHovered());

    // The cursor on BACK but the pointer having moved off it: confirm finds nothing to act on.
    Key(Qt::Key_Down);
    menu->MouseMove(5, 5);
    Key(Qt::Key_Return);
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NONE);
    Key(Qt::Key_Up);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_BACK);
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_BACK) << "for as long as the menu exists";
}

TEST_F(SaveSlotMenuTest, RowsStandInAColumnAndAnswerThePointer)
{
    WriteUserCopy(SlotFile(1), UsedSlot(4));
    Open(true);
    EXPECT_EQ(menu->RowX(), 192);
    const int rows[] = {333, 271, 209, 147, 85};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(menu->RowY(i), rows[i]);

    menu->MouseMove(200, 275);
    menu->MouseMove(220, 290);
    EXPECT_TRUE(menu->Slot(1)->IsHovered());
    EXPECT_EQ(effects.sounds.Take(), std::vector<int>{1}) << "one tick for entering the row";
    menu->MousePress(220, 290);
    EXPECT_TRUE(menu->IsQuestionOpen());
    EXPECT_EQ(menu->GetSelectedSlot(), 1);
    EXPECT_EQ(menu->GetCursor(), 0) << "YES marked";

    GlCanvas canvas(640, 480);
    menu->Draw(nullptr, false);
    const b2Vec2 yes = menu->Slot(1)->GetYesPosition();
    menu->MouseMove(int(yes.x) + 3, int(yes.y) + 3);
    EXPECT_TRUE(menu->Slot(1)->IsYesHovered());
    menu->MousePress(int(yes.x) + 3, int(yes.y) + 3);
    EXPECT_EQ(menu->Update(20), cSaveSlotMenu::RESULT_NEW_GAME);
    EXPECT_EQ(menu->GetSelectedSlot(), 1);
}

} // namespace

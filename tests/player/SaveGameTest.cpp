#include "player/SaveGame.h"

#include "tests/support/UserFileFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string SLOT = "Saves/slot2.zvs";
const QString SLOT_FILE = QString::fromStdString(SLOT);

void ExpectRecord(const cSaveGame& save, int index, const std::string& name, bool completed, bool unlocked,
                  int score)
{
    const AreaStatus* area = save.GetArea(index);
    ASSERT_NE(area, nullptr) << "no record " << index;
    EXPECT_EQ(area->name, name);
    EXPECT_EQ(area->completed, completed) << name;
    EXPECT_EQ(area->unlocked, unlocked) << name;
    EXPECT_EQ(area->score, score) << name;
}

TEST(SaveGame, UpdateAreaSetsFlagsNeverClearsThemAndKeepsTheBestScore)
{
    cSaveGame save;
    save.UpdateArea("res/Areas/A.xml", false, false, 0);
    ExpectRecord(save, 0, "res/Areas/A.xml", false, false, 0);

    save.UpdateArea("res/Areas/A.xml", true, true, 500);
    save.UpdateArea("res/Areas/A.xml", false, false, 300);
    ExpectRecord(save, 0, "res/Areas/A.xml", true, true, 500);

    save.UpdateArea("res/Areas/B.xml", false, true, -20);
    save.UpdateArea("res/Areas/B.xml", false, false, -10);
    ExpectRecord(save, 1, "res/Areas/B.xml", false, true, -10);

    save.UpdateArea("", true, true, 9);
    EXPECT_EQ(save.GetAreaCount(), 2);
    EXPECT_EQ(save.FindArea("res/Areas/B.xml"), 1);
    EXPECT_EQ(save.FindArea("res/areas/b.xml"), -1) << "names compare exactly";
    EXPECT_EQ(save.GetArea(-1), nullptr);
    EXPECT_EQ(save.GetArea(2), nullptr);
}

TEST(SaveGame, UnlockAreaAddsOrUnlocksAndKeepsCompletionAndScore)
{
    cSaveGame save;
    save.UpdateArea("res/Areas/A.xml", true, false, -5);
    save.UnlockArea("res/Areas/A.xml");
    save.UnlockArea("res/Areas/B.xml");
    save.UnlockArea("");
    ASSERT_EQ(save.GetAreaCount(), 3) << "an empty name is not refused";
    ExpectRecord(save, 0, "res/Areas/A.xml", true, true, -5);
    ExpectRecord(save, 1, "res/Areas/B.xml", false, true, 0);
    ExpectRecord(save, 2, "", false, true, 0);
}

TEST(SaveGame, NewGameStartsOverKeepingTheFileNameWhenGivenNone)
{
    cSaveGame save;
    save.SetFileName(SLOT);
    save.SetScore(77);
    save.SetCurrentArea("res/Areas/B.xml");
    save.UpdateArea("res/Areas/B.xml", true, true, 77);

    EXPECT_TRUE(save.NewGame(""));
    EXPECT_EQ(save.GetFileName(), SLOT);
    EXPECT_EQ(save.GetCurrentArea(), "NEW");
    EXPECT_EQ(save.GetScore(), 0);
    EXPECT_TRUE(save.IsNew());
    ASSERT_EQ(save.GetAreaCount(), 1);
    ExpectRecord(save, 0, "res/Areas/Area0.xml", false, true, 0);

    save.SetCurrentArea("res/Areas/B.xml");
    EXPECT_TRUE(save.IsNew()) << "the new flag lasts for the object's life";
    save.NewGame("Saves/slot4.zvs");
    EXPECT_EQ(save.GetFileName(), "Saves/slot4.zvs");
}

class SaveGameFile : public UserFileFixture
{
};

TEST_F(SaveGameFile, EveryFieldSurvivesSaveAndLoad)
{
    UseShippedTemplate(SLOT_FILE);
    cSaveGame save;
    ASSERT_TRUE(save.Load(SLOT));
    save.SetCurrentArea("res/Areas/Antler_Arc.xml");
    save.SetScore(1234);
    save.UpdateArea("res/Areas/Area0.xml", true, true, 300);
    save.UpdateArea("res/Areas/Zeta & \"Quotes\".xml", false, true, 0);
    save.UpdateArea("res/Areas/Antler_Arc.xml", true, false, -7);
    ASSERT_TRUE(save.Save());

    cSaveGame reloaded;
    ASSERT_TRUE(reloaded.Load(SLOT));
    EXPECT_EQ(reloaded.GetFileName(), SLOT);
    EXPECT_EQ(reloaded.GetCurrentArea(), "res/Areas/Antler_Arc.xml");
    EXPECT_EQ(reloaded.GetScore(), 1234);
    EXPECT_FALSE(reloaded.IsNew());
    ASSERT_EQ(reloaded.GetAreaCount(), 3);
    ExpectRecord(reloaded, 0, "res/Areas/Area0.xml", true, true, 300);
    ExpectRecord(reloaded, 1, "res/Areas/Zeta & \"Quotes\".xml", false, true, 0);
    ExpectRecord(reloaded, 2, "res/Areas/Antler_Arc.xml", true, false, -7);
}

TEST_F(SaveGameFile, MissingCopyIsMadeFreshWhileTheObjectKeepsTheTemplate)
{
    WriteTemplate(SLOT_FILE, "<ZORV_Save Area=\"res/Areas/B.xml\" Score=\"40\"><Areas>"
                             "<Area name=\"res/Areas/B.xml\" completed=\"1\" unlocked=\"1\" score=\"40\"/>"
                             "</Areas></ZORV_Save>");
    cSaveGame save;
    ASSERT_TRUE(save.Load(SLOT));
    EXPECT_EQ(save.GetCurrentArea(), "res/Areas/B.xml");
    EXPECT_EQ(save.GetScore(), 40);

    cSaveGame fromCopy;
    ASSERT_TRUE(fromCopy.Load(SLOT));
    EXPECT_EQ(fromCopy.GetCurrentArea(), "NEW");
    EXPECT_TRUE(fromCopy.IsNew());
    ASSERT_EQ(fromCopy.GetAreaCount(), 1);
    ExpectRecord(fromCopy, 0, "res/Areas/Area0.xml", false, true, 0);
}

TEST_F(SaveGameFile, ShippedTemplatesAreFreshSlotsWrittenAsTheGameWritesThem)
{
    for (int slot = 0; slot < 5; ++slot) {
        const std::string name = "Saves/slot" + std::to_string(slot) + ".zvs";
        const QString file = QString::fromStdString(name);
        UseShippedTemplate(file);
        cSaveGame save;
        ASSERT_TRUE(save.Load(name)) << name;
        EXPECT_TRUE(save.IsNew()) << name;
        EXPECT_EQ(ReadUserCopy(file), ShippedTemplate(file)) << name;
    }
}

TEST_F(SaveGameFile, NewGameWithoutANameRewritesTheLoadedFile)
{
    UseShippedTemplate(SLOT_FILE);
    WriteUserCopy(SLOT_FILE, "<ZORV_Save Area=\"res/Areas/B.xml\" Score=\"40\"/>");
    cSaveGame save;
    ASSERT_TRUE(save.Load(SLOT));
    EXPECT_FALSE(save.IsNew());
    save.NewGame("");
    ASSERT_TRUE(save.Save());
    EXPECT_EQ(ReadUserCopy(SLOT_FILE), ShippedTemplate(SLOT_FILE));
}

TEST_F(SaveGameFile, LoadingTwiceMergesRecordsAndRepeatedNamesMerge)
{
    UseShippedTemplate(SLOT_FILE);
    WriteUserCopy(SLOT_FILE, "<ZORV_Save Area=\"res/Areas/A.xml\"><Areas>"
                             "<Area name=\"res/Areas/A.xml\" completed=\"1\" score=\"10\"/>"
                             "<Area name=\"res/Areas/A.xml\" unlocked=\"5\" score=\"3\"/>"
                             "<Area completed=\"1\" unlocked=\"1\" score=\"99\"/>"
                             "<Area name=\"res/Areas/B.xml\"/>"
                             "</Areas></ZORV_Save>");
    cSaveGame save;
    ASSERT_TRUE(save.Load(SLOT));
    ASSERT_TRUE(save.Load(SLOT));
    ASSERT_EQ(save.GetAreaCount(), 2);
    ExpectRecord(save, 0, "res/Areas/A.xml", true, true, 10);
    ExpectRecord(save, 1, "res/Areas/B.xml", false, false, 0);
    EXPECT_EQ(save.GetScore(), 0) << "a file without Score keeps the score held";
}

TEST_F(SaveGameFile, FileWithoutCurrentAreaFailsKeepingUninitialisedWhichIsNotNew)
{
    UseShippedTemplate(SLOT_FILE);
    WriteUserCopy(SLOT_FILE, "<ZORV_Save Score=\"8\"/>");
    cSaveGame save;
    EXPECT_FALSE(save.Load(SLOT));
    EXPECT_EQ(save.GetCurrentArea(), "UNINITIALIZED");
    EXPECT_EQ(save.GetScore(), 8);
    EXPECT_FALSE(save.IsNew());
    EXPECT_EQ(save.GetFileName(), "");
}

TEST_F(SaveGameFile, EmptyCurrentAreaFailsKeepsWhatWasReadAndWritesNoCopy)
{
    WriteTemplate(SLOT_FILE, "<ZORV_Save Area=\"\" Score=\"5\"><Area name=\"res/Areas/A.xml\" unlocked=\"1\"/>"
                             "</ZORV_Save>");
    cSaveGame save;
    EXPECT_FALSE(save.Load(SLOT));
    EXPECT_EQ(save.GetScore(), 5);
    EXPECT_EQ(save.FindArea("res/Areas/A.xml"), 0);
    EXPECT_EQ(save.GetFileName(), "");
    EXPECT_FALSE(UserCopyExists(SLOT_FILE)) << "no empty copy is left behind";
}

TEST_F(SaveGameFile, NeitherTemplateNorCopyFailsLeavingTheObjectUnsaveable)
{
    cSaveGame save;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(save.Load(SLOT));
    EXPECT_FALSE(save.Save());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              (InvalidFileLine(SLOT_FILE) + InvalidFileLine(UserPath(""))).toStdString());
    EXPECT_EQ(save.GetCurrentArea(), "UNINITIALIZED");
    EXPECT_EQ(save.GetScore(), 0);
}

TEST_F(SaveGameFile, UnwritableDataFolderFailsTheLoadAndTheSave)
{
    WriteTemplate(SLOT_FILE, "<ZORV_Save Area=\"res/Areas/B.xml\" Score=\"40\"/>");
    MakeDataFolderImpossible();
    cSaveGame save;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(save.Load(SLOT)) << "the copy cannot be made";
    EXPECT_EQ(save.GetCurrentArea(), "UNINITIALIZED") << "the template is not read";
    EXPECT_FALSE(save.IsDamaged());
    save.NewGame(SLOT);
    EXPECT_FALSE(save.Save());
    const std::string line = InvalidFileLine(UserPath(SLOT_FILE)).toStdString();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line + line);
}

TEST_F(SaveGameFile, DeletedSavesFolderIsMadeAgainOnSave)
{
    cSaveGame save;
    save.NewGame(SLOT);
    ASSERT_TRUE(save.Save());
    ASSERT_TRUE(QDir(cUserFile::DataFolder() + "/Saves").removeRecursively());
    ASSERT_TRUE(save.Save());
    EXPECT_TRUE(UserCopyExists(SLOT_FILE));
}

/// Two slots that differ in every field and in their length, so that a slot torn between them, or
/// cut short, cannot pass for either.
cSaveGame SlotOfRecords(const std::string& area, int records)
{
    cSaveGame save;
    save.NewGame(SLOT);
    save.SetCurrentArea(area);
    save.SetScore(records);
    for (int i = 0; i < records; ++i)
        save.UpdateArea("res/Areas/Area" + std::to_string(i) + ".xml", i % 2 == 0, true, i);
    return save;
}

bool SameSlot(const cSaveGame& a, const cSaveGame& b)
{
    if (a.GetCurrentArea() != b.GetCurrentArea() || a.GetScore() != b.GetScore() ||
        a.GetAreaCount() != b.GetAreaCount())
        return false;
    for (int i = 0; i < a.GetAreaCount(); ++i) {
        const AreaStatus& x = *a.GetArea(i);
        const AreaStatus& y = *b.GetArea(i);
        if (x.name != y.name || x.completed != y.completed || x.unlocked != y.unlocked || x.score != y.score)
            return false;
    }
    return true;
}

// A child process writes the two slots in turn for as long as it lives; it is killed after a random
// number of whole writes and a random spin into the next, a few hundred times. The file on disk is
// always one of the two, whole.
TEST_F(SaveGameFile, ASlotWhoseWriterIsKilledAtAnyMomentReadsBackWholeOldOrNew)
{
    UseShippedTemplate(SLOT_FILE);
    const cSaveGame older = SlotOfRecords("res/Areas/FrameSwitch.xml", 300);
    const cSaveGame newer = SlotOfRecords("res/Areas/CaveStory.xml", 700);
    ASSERT_TRUE(older.Save());
    std::mt19937 draw(35);
    int sawNewer = 0;
    for (int round = 0; round < 300; ++round) {
        int written[2];
        ASSERT_EQ(pipe(written), 0);
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (int i = 0;; ++i) {
                (i % 2 ? newer : older).Save();
                if (write(written[1], "w", 1) != 1)
                    _exit(1);
            }
        }
        close(written[1]);
        char byte;
        for (int whole = static_cast<int>(draw() % 3); whole > 0; --whole)
            ASSERT_EQ(read(written[0], &byte, 1), 1);
        for (volatile unsigned spin = draw() % 3000000; spin > 0; --spin) {
        }
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        close(written[0]);

        cSaveGame read;
        ASSERT_TRUE(read.Load(SLOT)) << "round " << round;
        ASSERT_TRUE(SameSlot(read, older) || SameSlot(read, newer)) << "round " << round;
        sawNewer += SameSlot(read, newer);
    }
    EXPECT_GT(sawNewer, 0) << "the writer was always killed before its first write";
    EXPECT_LT(sawNewer, 300) << "the writer was never killed before its second write";
}

struct sDamagedSlot
{
    const char* name;
    QByteArray content;
    std::string currentArea; ///< as read before the damage
    int score;
    int records;
};

class SaveGameDamagedFile : public SaveGameFile, public ::testing::WithParamInterface<sDamagedSlot>
{
};

TEST_P(SaveGameDamagedFile, FailsSilentlyKeepingWhatIsSoundAndWritesNothing)
{
    UseShippedTemplate(SLOT_FILE);
    WriteUserCopy(SLOT_FILE, GetParam().content);
    cSaveGame save;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(save.Load(SLOT));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "no line";
    EXPECT_EQ(save.GetCurrentArea(), GetParam().currentArea);
    EXPECT_EQ(save.GetScore(), GetParam().score);
    EXPECT_EQ(save.GetAreaCount(), GetParam().records);
    EXPECT_EQ(ReadUserCopy(SLOT_FILE), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, SaveGameDamagedFile,
    ::testing::Values(
        sDamagedSlot{"Empty", "", "UNINITIALIZED", 0, 0},
        sDamagedSlot{"Truncated",
                     "<ZORV_Save Area=\"res/Areas/B.xml\" Score=\"40\">\n    <Areas>\n"
                     "        <Area name=\"res/Areas/Area0.xml\" completed=\"1\" unlocked=\"1\" score=\"40\"/>\n"
                     "        <Area name=\"res/Areas/B.x",
                     "res/Areas/B.xml", 40, 1},
        sDamagedSlot{"NotXml", "slot 2: area B, score 40\n", "UNINITIALIZED", 0, 0},
        sDamagedSlot{"WordsForNumbers",
                     "<ZORV_Save Area=\"res/Areas/B.xml\" Score=\"many\"><Areas>"
                     "<Area name=\"res/Areas/B.xml\" completed=\"yes\" unlocked=\"1\" score=\"high\"/>"
                     "</Areas></ZORV_Save>",
                     "res/Areas/B.xml", 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

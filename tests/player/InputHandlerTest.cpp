#include "player/InputHandler.h"

#include "tests/support/StdoutOf.h"
#include "tests/support/UserFileFixture.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

/// Tick-by-tick checks run on a handler with the default bindings.
class InputHandlerTicks : public ::testing::Test
{
protected:
    void SetUp() override { input.SetDefaultKeys(); }

    cInputHandler input;
};

TEST_F(InputHandlerTicks, PressBecomesHeldAtEndOfTickAndReleaseClearsBoth)
{
    input.KeyPress(Qt::Key_Left, true);
    EXPECT_TRUE(input.WasPressed(KEY_LEFT));
    EXPECT_TRUE(input.IsHeld(KEY_LEFT));
    EXPECT_FALSE(input.WasHeld(KEY_LEFT));
    EXPECT_TRUE(input.WasPressedAlt(KEY_LEFT));
    EXPECT_FALSE(input.WasPressed(KEY_RIGHT));

    input.EndTick();
    EXPECT_FALSE(input.WasPressed(KEY_LEFT));
    EXPECT_TRUE(input.WasHeld(KEY_LEFT));
    EXPECT_TRUE(input.IsHeld(KEY_LEFT));
    EXPECT_TRUE(input.WasHeldAlt(KEY_LEFT));
    EXPECT_TRUE(input.WasHeld(KEY_ANY)) << "another action is held, so the any-key stays held";

    input.EndTick();
    EXPECT_TRUE(input.WasHeld(KEY_LEFT)) << "held lasts until the release";

    input.KeyRelease(Qt::Key_Left);
    EXPECT_FALSE(input.IsHeld(KEY_LEFT));
    EXPECT_FALSE(input.IsHeldAlt(KEY_LEFT));
    EXPECT_FALSE(input.IsHeld(KEY_ANY));
}

TEST_F(InputHandlerTicks, UnboundKeyIsAnyKeyForOneTickAndNeverHeld)
{
    input.KeyPress(Qt::Key_Q, true);
    EXPECT_TRUE(input.WasPressed(KEY_ANY));
    EXPECT_TRUE(input.WasPressedAlt(KEY_ANY));
    EXPECT_EQ(input.GetLastKey(), Qt::Key_Q);

    input.EndTick();
    EXPECT_FALSE(input.IsHeld(KEY_ANY));
    EXPECT_FALSE(input.IsHeldAlt(KEY_ANY));
}

TEST_F(InputHandlerTicks, PressAndReleaseBetweenTicksIsNeverSeen)
{
    input.KeyPress(Qt::Key_Space, true);
    input.KeyRelease(Qt::Key_Space);
    EXPECT_FALSE(input.IsHeld(KEY_JUMP));
    EXPECT_FALSE(input.IsHeldAlt(KEY_CONFIRM));
    input.EndTick();
    EXPECT_FALSE(input.IsHeld(KEY_JUMP));
    EXPECT_FALSE(input.IsHeld(KEY_ANY));
}

TEST_F(InputHandlerTicks, ATapBetweenTwoTicksIsOnePressButNoHold)
{
    // Both events can arrive between two ticks when a tick runs late; the jump must still happen.
    input.KeyPress(Qt::Key_Space, true);
    input.KeyRelease(Qt::Key_Space);
    EXPECT_TRUE(input.WasPressed(KEY_JUMP));
    EXPECT_TRUE(input.WasPressed(KEY_ANY));
    EXPECT_FALSE(input.IsHeld(KEY_JUMP));
    input.EndTick();
    EXPECT_FALSE(input.WasPressed(KEY_JUMP));
    EXPECT_FALSE(input.WasHeld(KEY_JUMP));

    // Pressed again in the same tick after a release: a real hold from the next tick on.
    input.KeyPress(Qt::Key_Left, true);
    input.KeyRelease(Qt::Key_Left);
    input.KeyPress(Qt::Key_Left, true);
    input.EndTick();
    EXPECT_TRUE(input.WasHeld(KEY_LEFT));
}

TEST_F(InputHandlerTicks, ReleasingAnyKeyClearsAnyKeyWhileAnotherIsDown)
{
    input.KeyPress(Qt::Key_Right, true);
    input.EndTick();
    input.KeyPress(Qt::Key_Q, true);
    input.KeyRelease(Qt::Key_Q);
    EXPECT_FALSE(input.IsHeld(KEY_ANY));
    EXPECT_FALSE(input.IsHeldAlt(KEY_ANY));
    EXPECT_TRUE(input.WasHeld(KEY_RIGHT));
}

TEST_F(InputHandlerTicks, KeyBoundToSeveralActionsSetsThemAll)
{
    input.SetKey(KEY_ROT_LEFT, Qt::Key_Space);
    input.KeyPress(Qt::Key_Space, true);
    EXPECT_TRUE(input.WasPressed(KEY_JUMP));
    EXPECT_TRUE(input.WasPressed(KEY_ROT_LEFT));
    input.EndTick();
    input.KeyRelease(Qt::Key_Space);
    EXPECT_FALSE(input.IsHeld(KEY_JUMP));
    EXPECT_FALSE(input.IsHeld(KEY_ROT_LEFT));
}

TEST_F(InputHandlerTicks, VolumeKeysAreIgnoredOnlyWhenAsked)
{
    input.KeyPress(Qt::Key_A, true);
    for (int volumeKey : {Qt::Key_VolumeDown, Qt::Key_VolumeMute, Qt::Key_VolumeUp}) {
        input.EndTick();
        input.KeyPress(volumeKey, true);
        EXPECT_FALSE(input.WasPressed(KEY_ANY));
        EXPECT_EQ(input.GetLastKey(), Qt::Key_A);
    }
    input.KeyPress(Qt::Key_VolumeUp, false);
    EXPECT_TRUE(input.WasPressed(KEY_ANY));
    EXPECT_EQ(input.GetLastKey(), Qt::Key_VolumeUp);
}

TEST_F(InputHandlerTicks, ClearDropsFlagsAndLastKeyButKeepsBindings)
{
    input.KeyPress(Qt::Key_Down, true);
    input.EndTick();
    input.KeyPress(Qt::Key_Up, true);
    input.Clear();
    for (eInputKey action : {KEY_ANY, KEY_DOWN, KEY_UP}) {
        EXPECT_FALSE(input.IsHeld(action));
        EXPECT_FALSE(input.IsHeldAlt(action));
    }
    EXPECT_EQ(input.GetLastKey(), -1);
    EXPECT_EQ(input.GetKey(KEY_DOWN), int(Qt::Key_Down));
}

TEST(InputHandler, MapKeyComparesInItsFixedOrderAndEndsWithAnyKey)
{
    cInputHandler input;
    for (int action = 0; action < KEY_COUNT; ++action)
        input.SetKey(eInputKey(action), Qt::Key_X);
    const std::vector<eInputKey> expected = {KEY_CONFIRM, KEY_BACK, KEY_UP,   KEY_DOWN,     KEY_LEFT,      KEY_RIGHT,
                                             KEY_JUMP,    KEY_PREV, KEY_NEXT, KEY_ROT_LEFT, KEY_ROT_RIGHT, KEY_ANY};
    EXPECT_EQ(input.MapKey(Qt::Key_X), expected) << "10 to 12 and the spare action are never compared";
    EXPECT_EQ(input.MapKeyAlt(Qt::Key_X), (std::vector<eInputKey>{KEY_CONFIRM, KEY_BACK, KEY_ANY}))
        << "table 2 has no keys yet, but takes confirm and back from table 1";
}

TEST(InputHandler, HasDefaultKeysComparesOnlyTheNineBindableActions)
{
    cInputHandler input;
    input.SetDefaultKeys();
    EXPECT_TRUE(input.HasDefaultKeys());
    EXPECT_EQ(input.GetKey(KEY_SPARE), int(Qt::Key_T));
    EXPECT_EQ(input.GetKeyAlt(KEY_NEXT), int(Qt::Key_Control));
    EXPECT_EQ(input.GetKeyAlt(KEY_PREV), int(Qt::Key_Alt));
    EXPECT_EQ(input.GetKeyAlt(KEY_BACK), cInputHandler::NO_KEY);

    input.SetKey(KEY_CONFIRM, Qt::Key_F1);
    input.SetKey(KEY_BACK, Qt::Key_F2);
    input.SetKey(KEY_SPARE, Qt::Key_F3);
    EXPECT_TRUE(input.HasDefaultKeys());
    input.SetKey(KEY_PREV, Qt::Key_F4);
    EXPECT_FALSE(input.HasDefaultKeys());
}

TEST(InputHandler, ActionsOutsideTheTablesAreRefused)
{
    cInputHandler input;
    input.SetKey(eInputKey(16), Qt::Key_A);
    input.SetKey(eInputKey(-1), Qt::Key_A);
    EXPECT_EQ(input.GetKey(eInputKey(16)), cInputHandler::NO_KEY);
    EXPECT_EQ(input.GetKeyAlt(eInputKey(-1)), cInputHandler::NO_KEY);
    EXPECT_FALSE(input.IsHeld(eInputKey(99)));
    EXPECT_FALSE(input.WasPressedAlt(eInputKey(-5)));
}

TEST(InputHandler, ActionFromNameKnowsTheOptionsScreenNames)
{
    const std::map<std::string, eInputKey> names = {
        {"LEFT", KEY_LEFT},         {"RIGHT", KEY_RIGHT},          {"UP(ENTER)", KEY_UP},
        {"DOWN(HEADJUMP)", KEY_DOWN}, {"JUMP", KEY_JUMP},          {"SWITCH", KEY_NEXT},
        {"ROTATION LEFT", KEY_ROT_LEFT}, {"ROTATION RIGHT", KEY_ROT_RIGHT},
        {"PREV", KEY_LEFT},         {"left", KEY_LEFT},            {"", KEY_LEFT},
    };
    for (const auto& [name, action] : names)
        EXPECT_EQ(cInputHandler::ActionFromName(name), action) << name;

    cInputHandler input;
    input.SetDefaultKeys();
    EXPECT_EQ(input.GetKeyByName("SWITCH"), int(Qt::Key_D));
    EXPECT_EQ(input.GetKeyByName("PREV"), int(Qt::Key_Left));
}

struct sKeyNameRow
{
    int key;
    std::string text;
};

class InputHandlerKeyName : public ::testing::TestWithParam<sKeyNameRow>
{
};

TEST_P(InputHandlerKeyName, GivesTheButtonText)
{
    EXPECT_EQ(cInputHandler::KeyName(GetParam().key), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InputHandlerKeyName,
    ::testing::Values(sKeyNameRow{Qt::Key_0, "0"}, sKeyNameRow{Qt::Key_9, "9"}, sKeyNameRow{Qt::Key_A, "A"},
                      sKeyNameRow{Qt::Key_Z, "Z"}, sKeyNameRow{Qt::Key_F1, "F1"}, sKeyNameRow{Qt::Key_F12, "F12"},
                      sKeyNameRow{Qt::Key_F13, "not found"}, sKeyNameRow{Qt::Key_Space, "SPACE"},
                      sKeyNameRow{Qt::Key_Enter, "ENTER"}, sKeyNameRow{Qt::Key_PageDown, "Page Down"},
                      sKeyNameRow{Qt::Key_Asterisk, "?"}, sKeyNameRow{Qt::Key_Backslash, "\\"},
                      sKeyNameRow{Qt::Key_Adiaeresis, "\xC4"}, sKeyNameRow{Qt::Key_ssharp, "\xDF"},
                      sKeyNameRow{Qt::Key_Escape, "not found"}, sKeyNameRow{cInputHandler::NO_KEY, "not found"}));

/// The controls file: the per-user copy, its template and what reaches the bindings.
class InputHandlerFile : public UserFileFixture
{
protected:
    /// The elements of a controls file below its root, in file order, as "NAME=key".
    static std::vector<std::string> BindingsIn(const QByteArray& xml)
    {
        std::vector<std::string> bindings;
        QXmlStreamReader reader(xml);
        while (reader.readNextStartElement()) {
            if (reader.name() != QLatin1String("ZORV_CONTROLS")) {
                bindings.push_back(reader.name().toString().toStdString() + "=" +
                                   reader.attributes().value("Standard").toString().toStdString());
                reader.skipCurrentElement();
            }
        }
        return bindings;
    }

    static void ExpectDefaultsExcept(const cInputHandler& input, std::map<eInputKey, int> changed)
    {
        cInputHandler defaults;
        defaults.SetDefaultKeys();
        for (eInputKey action : {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_JUMP, KEY_NEXT, KEY_PREV, KEY_ROT_LEFT,
                                 KEY_ROT_RIGHT}) {
            const int expected = changed.count(action) ? changed[action] : defaults.GetKey(action);
            EXPECT_EQ(input.GetKey(action), expected) << "action " << action;
        }
    }

    cInputHandler input;
};

TEST_F(InputHandlerFile, FirstStartMakesTheUserCopyFromTheShippedTemplate)
{
    UseShippedTemplate("Controls.xml");
    input.LoadConfig("Controls.xml");
    EXPECT_TRUE(input.HasDefaultKeys());
    EXPECT_EQ(ReadUserCopy("Controls.xml"), ShippedTemplate("Controls.xml"))
        << "the template is written exactly as the game writes the file";
}

TEST_F(InputHandlerFile, NewCopyHoldsTheTemplatesElementsInItsOrderWithTheBindingEachLeft)
{
    const struct { const char* name; QByteArray xml; std::vector<std::string> copy; } templates[] = {
        {"known elements wherever they stand, repeated, one without a key",
         "<ZORV_CONTROLS><JUMP Standard=\"87\"/><Other><PREV Standard=\"66\"/></Other><JUMP/>"
         "<UP Standard=\"-5\"/></ZORV_CONTROLS>",
         {"JUMP=87", "PREV=66", "JUMP=87", "UP=16777235"}},
        {"cut short", "<ZORV_CONTROLS><LEFT Standard=\"74\"/><RIGHT Stand", {"LEFT=74"}},
    };
    input.SetDefaultKeys();
    for (const auto& row : templates) {
        QFile::remove(UserPath("Controls.xml"));
        WriteTemplate("Controls.xml", row.xml);
        EXPECT_EQ(StdoutOf([&] { EXPECT_TRUE(input.ParseConfig("Controls.xml")) << row.name; }), "") << row.name;
        EXPECT_EQ(BindingsIn(ReadUserCopy("Controls.xml")), row.copy) << row.name;
    }
}

TEST_F(InputHandlerFile, BindingsSurviveSaveAndLoadWhileConfirmAndBackAreForced)
{
    UseShippedTemplate("Controls.xml");
    input.LoadConfig("Controls.xml");
    input.SetKey(KEY_LEFT, Qt::Key_J);
    input.SetKey(KEY_ROT_RIGHT, Qt::Key_J);
    input.SetKey(KEY_PREV, Qt::Key_Adiaeresis);
    input.SetKey(KEY_CONFIRM, Qt::Key_F5);
    ASSERT_TRUE(input.SaveConfig("Controls.xml"));

    cInputHandler reloaded;
    reloaded.LoadConfig("Controls.xml");
    ExpectDefaultsExcept(reloaded, {{KEY_LEFT, Qt::Key_J}, {KEY_ROT_RIGHT, Qt::Key_J}, {KEY_PREV, Qt::Key_Adiaeresis}});
    EXPECT_EQ(reloaded.GetKey(KEY_CONFIRM), int(Qt::Key_Return));
    EXPECT_EQ(reloaded.GetKey(KEY_BACK), int(Qt::Key_Escape));
    EXPECT_EQ(reloaded.GetKeyAlt(KEY_CONFIRM), int(Qt::Key_Space));
    EXPECT_FALSE(reloaded.HasDefaultKeys());

    reloaded.KeyPress(Qt::Key_J, true);
    EXPECT_TRUE(reloaded.WasPressed(KEY_LEFT));
    EXPECT_TRUE(reloaded.WasPressed(KEY_ROT_RIGHT));
}

TEST_F(InputHandlerFile, EveryKindOfKeyAPlayerCanBindIsReadBackAtTheNextStart)
{
    const struct
    {
        eInputKey action;
        int key;
    } captures[] = {
        {KEY_LEFT, 0},                        // a key for which Qt has no code at all
        {KEY_RIGHT, Qt::Key_unknown},         // one Qt knows it cannot name
        {KEY_UP, Qt::Key_Dead_Circumflex},    // a dead key
        {KEY_DOWN, Qt::Key_Multi_key},        // the compose key
        {KEY_JUMP, Qt::Key_W},                // an ordinary key
    };
    UseShippedTemplate("Controls.xml");
    input.LoadConfig("Controls.xml");
    // Captured as the key fields take them: the last key pressed.
    for (const auto& capture : captures) {
        input.KeyPress(capture.key, true);
        input.SetKey(capture.action, input.GetLastKey());
        input.KeyRelease(capture.key);
        input.EndTick();
    }
    ASSERT_TRUE(input.SaveConfig("Controls.xml"));

    cInputHandler restarted;
    testing::internal::CaptureStdout();
    restarted.LoadConfig("Controls.xml");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "the file the game wrote is sound";
    for (const auto& capture : captures) {
        EXPECT_EQ(restarted.GetKey(capture.action), capture.key) << "action " << capture.action;
        restarted.KeyPress(capture.key, true);
        EXPECT_TRUE(restarted.WasPressed(capture.action)) << "action " << capture.action;
        restarted.EndTick();
        restarted.KeyRelease(capture.key);
    }
}

TEST_F(InputHandlerFile, UserCopyWinsOverTheTemplateAndLaterElementsWin)
{
    UseShippedTemplate("Controls.xml");
    WriteUserCopy("Controls.xml", "<?xml version=\"1.0\"?>\n<ZORV_CONTROLS>\n<UP Standard=\"87\"/>\n<UP Standard=\"73\"/>\n"
                                  "<DOWN/>\n<Unknown Standard=\"1\"/>\n</ZORV_CONTROLS>\n");
    const QByteArray before = ReadUserCopy("Controls.xml");
    input.LoadConfig("Controls.xml");
    ExpectDefaultsExcept(input, {{KEY_UP, Qt::Key_I}});
    EXPECT_EQ(ReadUserCopy("Controls.xml"), before) << "reading never writes the user copy";
}

TEST_F(InputHandlerFile, WithoutATemplateTheDefaultsApplyAndWhatThePlayerBindsReadsBack)
{
    testing::internal::CaptureStdout();
    input.LoadConfig("Controls.xml");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, InvalidFileLine("Controls.xml").toStdString() +
                       "\n ERROR: Loading input configuration file faild, using default control!\n");
    EXPECT_TRUE(input.HasDefaultKeys());
    EXPECT_EQ(input.GetKey(KEY_CONFIRM), int(Qt::Key_Return));
    input.SetKey(KEY_LEFT, Qt::Key_A);
    ASSERT_TRUE(input.SaveConfig("Controls.xml"));
    cInputHandler next;
    EXPECT_TRUE(StdoutOf([&] { next.LoadConfig("Controls.xml"); }).empty());
    ExpectDefaultsExcept(next, {{KEY_LEFT, Qt::Key_A}});
}

TEST_F(InputHandlerFile, UnwritableDataFolderGivesTheDefaultsAndFailingSaves)
{
    WriteTemplate("Controls.xml", "<ZORV_CONTROLS><JUMP Standard=\"87\"/></ZORV_CONTROLS>");
    MakeDataFolderImpossible();
    testing::internal::CaptureStdout();
    EXPECT_FALSE(input.ParseConfig("Controls.xml")) << "the copy cannot be made";
    EXPECT_FALSE(input.SaveConfig("Controls.xml"));
    input.LoadConfig("Controls.xml");
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string line = InvalidFileLine(UserPath("Controls.xml")).toStdString();
    EXPECT_EQ(out, line + line + line + "\n ERROR: Loading input configuration file faild, using default control!\n");
    EXPECT_TRUE(input.HasDefaultKeys()) << "the template is not read";
}

TEST_F(InputHandlerFile, FirstStartMakesTheDataFolder)
{
    UseShippedTemplate("Controls.xml");
    ASSERT_FALSE(QFileInfo::exists(cUserFile::DataFolder()));
    EXPECT_TRUE(input.ParseConfig("Controls.xml"));
    EXPECT_TRUE(UserCopyExists("Controls.xml"));
}

TEST_F(InputHandlerFile, MenuTableConfirmsWithSpaceAndReturnAndGoesBackWithEscape)
{
    UseShippedTemplate("Controls.xml");
    input.LoadConfig("Controls.xml");

    input.KeyPress(Qt::Key_Space, true);
    EXPECT_TRUE(input.WasPressedAlt(KEY_CONFIRM));
    EXPECT_TRUE(input.WasPressedAlt(KEY_JUMP));
    EXPECT_FALSE(input.WasPressed(KEY_CONFIRM)) << "table 1 confirms with Return only";
    input.KeyRelease(Qt::Key_Space);
    input.EndTick();

    input.KeyPress(Qt::Key_Return, true);
    EXPECT_TRUE(input.WasPressed(KEY_CONFIRM));
    EXPECT_TRUE(input.WasPressedAlt(KEY_CONFIRM));
    EXPECT_FALSE(input.WasPressedAlt(KEY_JUMP));
    input.KeyRelease(Qt::Key_Return);
    input.EndTick();

    input.KeyPress(Qt::Key_Escape, true);
    EXPECT_TRUE(input.WasPressed(KEY_BACK));
    EXPECT_TRUE(input.WasPressedAlt(KEY_BACK));
}

struct sDamagedControls
{
    const char* name;
    QByteArray content;
    std::map<eInputKey, int> kept; ///< bindings read before the damage
};

class InputHandlerDamagedFile : public InputHandlerFile, public ::testing::WithParamInterface<sDamagedControls>
{
};

TEST_P(InputHandlerDamagedFile, KeepsWhatIsSoundDefaultsTheRestSilentlyAndWritesNothing)
{
    UseShippedTemplate("Controls.xml");
    WriteUserCopy("Controls.xml", GetParam().content);
    EXPECT_EQ(StdoutOf([this] { input.LoadConfig("Controls.xml"); }), "") << "no line";
    ExpectDefaultsExcept(input, GetParam().kept);
    EXPECT_EQ(ReadUserCopy("Controls.xml"), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, InputHandlerDamagedFile,
    ::testing::Values(
        sDamagedControls{"Empty", "", {}},
        sDamagedControls{"Truncated",
                         "<?xml version=\"1.0\"?>\n<ZORV_CONTROLS>\n    <UP Standard=\"87\"/>\n    <DOWN Standard=\"83",
                         {{KEY_UP, Qt::Key_W}}},
        sDamagedControls{"NotXml", "UP=87\nDOWN=83\n", {}},
        sDamagedControls{"WordsForNumbers",
                         "<ZORV_CONTROLS><UP Standard=\"W\"/><JUMP Standard=\"87\"/><LEFT Standard=\"\"/></ZORV_CONTROLS>",
                         {{KEY_JUMP, Qt::Key_W}}},
        // Bound to no key, or to codes no key sends: each action keeps its default. 0 and Key_unknown
        // come with keys Qt cannot name, and are kept.
        sDamagedControls{"BoundToNoKey",
                         "<ZORV_CONTROLS><UP Standard=\"-1\"/><DOWN Standard=\"0\"/><JUMP Standard=\"87\"/>"
                         "<LEFT Standard=\"33554431\"/><RIGHT Standard=\"99999999999\"/>"
                         "<NEXT Standard=\"33554432\"/></ZORV_CONTROLS>",
                         {{KEY_JUMP, Qt::Key_W}, {KEY_DOWN, 0}, {KEY_LEFT, Qt::Key_unknown}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

#include "editor/CustomKeyEdit.h"
#include "editor/InputConfiguration.h"

#include "player/InputHandler.h"
#include "engine/Controls.h"
#include "tests/support/UserFileFixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace
{
struct InputConfigurationTest : UserFileFixture
{
    void SetUp() override
    {
        UserFileFixture::SetUp();
        UseShippedTemplate("Controls.xml");
        input.LoadConfig("Controls.xml");
        customControls = false;
    }

    /// A new dialog, as the editor opens it; gone once closed.
    void Open()
    {
        dialog = new cInputConfiguration(&input, nullptr);
        dialog->show();
    }
    /// The key field of the row with that label.
    cCustomKeyEdit* Field(const char* label) const
    {
        return dialog->findChild<cCustomKeyEdit*>(QLatin1String(label));
    }
    void Press(QWidget* field, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &event);
    }
    void Click(const char* text)
    {
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == QLatin1String(text))
                b->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    cInputHandler input;
    QPointer<cInputConfiguration> dialog;
};

const char* const kLabels[] = {"Walk left", "Walk right", "Jump", "Initiate Headjump", "Enter a door",
                               "Switch to the next character", "Switch to the previous character",
                               "Rotate frames to the left", "Rotate frames to the right"};
}

TEST_F(InputConfigurationTest, KeysPressedInTheFieldsAreBoundOnlyByApply)
{
    input.SetKey(KEY_JUMP, Qt::Key_J);
    ASSERT_TRUE(input.SaveConfig("Controls.xml"));
    customControls = true;
    const QByteArray saved = ReadUserCopy("Controls.xml");

    // Reset binds the defaults at once; Cancel drops what was pressed and writes nothing.
    Open();
    EXPECT_EQ(Field("Jump")->text(), "J");
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    Press(Field("Walk right"), Qt::Key_K);
    Click("&Reset Controls");
    const char* const defaults[] = {"Arrow Left", "Arrow Right", "Space", "Arrow Down", "Arrow Up",
                                    "D",          "Shift",       "A",     "S"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Field(kLabels[i])->text(), defaults[i]) << kLabels[i];
    EXPECT_EQ(input.GetKey(KEY_JUMP), Qt::Key_Space);
    EXPECT_FALSE(customControls);
    Press(Field("Walk right"), Qt::Key_K);
    Click("&Cancel");
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(input.GetKey(KEY_RIGHT), Qt::Key_Right);
    EXPECT_EQ(ReadUserCopy("Controls.xml"), saved);

    // Tab would move the focus and Escape close the dialog: in a key field both are keys.
    Open();
    Press(Field("Jump"), Qt::Key_Tab);
    Press(Field("Walk left"), Qt::Key_Escape);
    EXPECT_EQ(Field("Jump")->text(), "Tab");
    EXPECT_EQ(Field("Walk left")->text(), "Custom key: (16777216)");
    EXPECT_TRUE(dialog->isVisible());
    Click("&Apply");
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(input.GetKey(KEY_JUMP), Qt::Key_Tab);
    EXPECT_EQ(input.GetKey(KEY_LEFT), Qt::Key_Escape);
    EXPECT_TRUE(customControls);
    cInputHandler reread;
    reread.LoadConfig("Controls.xml");
    EXPECT_EQ(reread.GetKey(KEY_JUMP), Qt::Key_Tab);
    EXPECT_EQ(reread.GetKey(KEY_LEFT), Qt::Key_Escape);

    // Keys Qt cannot name are bound as they come, and the next start reads them back.
    Open();
    Press(Field("Jump"), Qt::Key_unknown);
    Press(Field("Enter a door"), 0);
    Press(Field("Initiate Headjump"), Qt::Key_Dead_Acute);
    Click("&Apply");
    cInputHandler restarted;
    testing::internal::CaptureStdout();
    restarted.LoadConfig("Controls.xml");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(restarted.GetKey(KEY_JUMP), Qt::Key_unknown);
    EXPECT_EQ(restarted.GetKey(KEY_UP), 0);
    EXPECT_EQ(restarted.GetKey(KEY_DOWN), Qt::Key_Dead_Acute);
}

struct KeyNameCase
{
    int key;
    const char* name;
};

class KeyNames : public testing::TestWithParam<KeyNameCase>
{
};

TEST_P(KeyNames, NameTheKeyAsTheFieldShowsIt)
{
    EXPECT_EQ(cCustomKeyEdit::KeyName(GetParam().key), QString::fromLatin1(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyNames,
    testing::Values(KeyNameCase{Qt::Key_Return, "Enter"}, KeyNameCase{Qt::Key_Enter, "Enter"},
                    KeyNameCase{Qt::Key_PageDown, "Page Down"}, KeyNameCase{Qt::Key_Control, "Ctrl"},
                    KeyNameCase{Qt::Key_F1, "F1"}, KeyNameCase{Qt::Key_F12, "F12"},
                    KeyNameCase{Qt::Key_F13, "Custom key: (16777276)"}, KeyNameCase{Qt::Key_Asterisk, "*"},
                    KeyNameCase{Qt::Key_Slash, "/"}, KeyNameCase{Qt::Key_0, "0"}, KeyNameCase{Qt::Key_Semicolon, ";"},
                    KeyNameCase{Qt::Key_Equal, "="}, KeyNameCase{Qt::Key_Z, "Z"},
                    KeyNameCase{Qt::Key_Backslash, "\\"}, KeyNameCase{Qt::Key_Odiaeresis, "\xD6"},
                    KeyNameCase{Qt::Key_ssharp, "\xDF"}, KeyNameCase{Qt::Key_Question, "Custom key: (63)"},
                    KeyNameCase{Qt::Key_Colon, "Custom key: (58)"}, KeyNameCase{Qt::Key_Escape, "Custom key: (16777216)"}));

#include "player/GameSettings.h"

#include "tests/support/StdoutOf.h"
#include "tests/support/UserFileFixture.h"

#include <gtest/gtest.h>

namespace {

class GameSettingsFile : public UserFileFixture
{
protected:
    static QByteArray SettingsXml(const char* music, const char* sfx, const char* fullScreen)
    {
        return QByteArray("<ZORV_SETTINGS><AUDIO><Music Mute=\"") + music + "\"/><SFX Mute=\"" + sfx +
               "\"/></AUDIO><FULLSCREEN FullScreen=\"" + fullScreen + "\"/></ZORV_SETTINGS>";
    }

    void ExpectFlags(bool music, bool ambience, bool sfx, bool fullScreen) const
    {
        EXPECT_EQ(settings.IsMusicMuted(), music);
        EXPECT_EQ(settings.IsAmbienceMuted(), ambience);
        EXPECT_EQ(settings.IsSFXMuted(), sfx);
        EXPECT_EQ(settings.IsFullScreen(), fullScreen);
    }

    cGameSettings settings;
};

TEST_F(GameSettingsFile, FirstStartReadsTheTemplateAndWritesItsValuesToTheUserCopy)
{
    WriteTemplate("Settings.xml", SettingsXml("1", "0", "1"));
    ASSERT_TRUE(settings.Load("Settings.xml"));
    ExpectFlags(true, false, false, true);

    cGameSettings reloaded;
    WriteTemplate("Settings.xml", SettingsXml("0", "1", "0"));
    ASSERT_TRUE(reloaded.Load("Settings.xml"));
    EXPECT_TRUE(reloaded.IsMusicMuted()) << "once the copy exists the template's values no longer matter";
    EXPECT_FALSE(reloaded.IsSFXMuted());
    EXPECT_TRUE(reloaded.IsFullScreen());
}

TEST_F(GameSettingsFile, ShippedTemplateIsWrittenAsTheGameWritesIt)
{
    UseShippedTemplate("Settings.xml");
    ASSERT_TRUE(settings.Load("Settings.xml"));
    ExpectFlags(false, false, false, false);
    EXPECT_EQ(ReadUserCopy("Settings.xml"), ShippedTemplate("Settings.xml"));
}

TEST_F(GameSettingsFile, FlagsSurviveSaveAndLoadButTheAmbienceFollowsTheEffects)
{
    UseShippedTemplate("Settings.xml");
    ASSERT_TRUE(settings.Load("Settings.xml"));
    settings.ToggleMusicMute();
    settings.ToggleFullScreen();
    settings.ToggleAmbienceMute();
    ExpectFlags(true, true, false, true);
    ASSERT_TRUE(settings.Save());

    cGameSettings reloaded;
    ASSERT_TRUE(reloaded.Load("Settings.xml"));
    EXPECT_TRUE(reloaded.IsMusicMuted());
    EXPECT_FALSE(reloaded.IsAmbienceMuted()) << "the ambience is never written";
    EXPECT_TRUE(reloaded.IsFullScreen());

    reloaded.ToggleSFXMute();
    ASSERT_TRUE(reloaded.Save());
    cGameSettings third;
    ASSERT_TRUE(third.Load("Settings.xml"));
    EXPECT_TRUE(third.IsSFXMuted());
    EXPECT_TRUE(third.IsAmbienceMuted());
}

TEST_F(GameSettingsFile, LoadKeepsTheNameForSaveAndSaveBeforeLoadUsesSettingsXml)
{
    WriteTemplate("Other.xml", SettingsXml("0", "0", "0"));
    ASSERT_TRUE(settings.Save());
    EXPECT_TRUE(UserCopyExists("Settings.xml"));

    ASSERT_TRUE(settings.Load("Other.xml"));
    settings.ToggleMusicMute();
    ASSERT_TRUE(settings.Save());
    cGameSettings reloaded;
    ASSERT_TRUE(reloaded.Load("Other.xml"));
    EXPECT_TRUE(reloaded.IsMusicMuted());
}

TEST_F(GameSettingsFile, ElementsCountWhereverTheyStandAndAbsentOnesKeepTheirFlag)
{
    WriteTemplate("Settings.xml", "");
    WriteUserCopy("Settings.xml", "<Anything><FULLSCREEN FullScreen=\"1\"/><Deep><Music Mute=\"1\"/></Deep>"
                                  "<Music Mute=\"0\"/></Anything>");
    settings.ToggleSFXMute();
    ASSERT_TRUE(settings.Load("Settings.xml"));
    ExpectFlags(false, false, true, true);
}

TEST_F(GameSettingsFile, SfxWithoutMuteUnmutesEffectsAndAmbience)
{
    UseShippedTemplate("Settings.xml");
    WriteUserCopy("Settings.xml", "<ZORV_SETTINGS><AUDIO><SFX/></AUDIO></ZORV_SETTINGS>");
    settings.ToggleSFXMute();
    settings.ToggleAmbienceMute();
    ASSERT_TRUE(settings.Load("Settings.xml"));
    ExpectFlags(false, false, false, false);
}

TEST_F(GameSettingsFile, WithoutATemplateTheDefaultsApplyAndWhatThePlayerSavesReadsBack)
{
    testing::internal::CaptureStdout();
    EXPECT_FALSE(settings.Load("Settings.xml"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), InvalidFileLine("Settings.xml").toStdString());
    ExpectFlags(false, false, false, false);
    settings.ToggleMusicMute();
    settings.ToggleFullScreen();
    ASSERT_TRUE(settings.Save());
    settings = cGameSettings();
    EXPECT_TRUE(StdoutOf([&] { EXPECT_TRUE(settings.Load("Settings.xml")); }).empty());
    ExpectFlags(true, false, false, true);
}

TEST_F(GameSettingsFile, UnwritableDataFolderFailsTheLoadAndTheSaveAndTheGameGoesOn)
{
    WriteTemplate("Settings.xml", SettingsXml("1", "1", "1"));
    MakeDataFolderImpossible();
    testing::internal::CaptureStdout();
    EXPECT_FALSE(settings.Load("Settings.xml")) << "the copy cannot be made";
    settings.ToggleMusicMute();
    EXPECT_FALSE(settings.Save());
    const std::string line = InvalidFileLine(UserPath("Settings.xml")).toStdString();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line + line);
    ExpectFlags(true, false, false, false);
    EXPECT_EQ(cUserFile::TakeWriteFailures(), QStringList{UserPath("Settings.xml")}) << "told once";
    EXPECT_TRUE(cUserFile::TakeWriteFailures().isEmpty());
}

TEST_F(GameSettingsFile, UserCopyThatIsAFolderFails)
{
    UseShippedTemplate("Settings.xml");
    ASSERT_TRUE(QDir().mkpath(UserPath("Settings.xml")));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(settings.Load("Settings.xml"));
    EXPECT_FALSE(settings.Save());
    const std::string line = InvalidFileLine(UserPath("Settings.xml")).toStdString();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line + line);
}

struct sMuteValue
{
    const char* name;
    const char* value;
    bool muted;
};

class GameSettingsMuteValue : public GameSettingsFile, public ::testing::WithParamInterface<sMuteValue>
{
};

TEST_P(GameSettingsMuteValue, OnlyOneMeansMuted)
{
    UseShippedTemplate("Settings.xml");
    const char* value = GetParam().value;
    WriteUserCopy("Settings.xml", SettingsXml(value, value, value));
    settings.ToggleMusicMute();
    settings.ToggleFullScreen();
    testing::internal::CaptureStdout();
    ASSERT_TRUE(settings.Load("Settings.xml"));
    const std::string out = testing::internal::GetCapturedStdout();
    const bool muted = GetParam().muted;
    ExpectFlags(muted, muted, muted, muted);
    EXPECT_EQ(out, "");
}

INSTANTIATE_TEST_SUITE_P(Values, GameSettingsMuteValue,
                         ::testing::Values(sMuteValue{"One", "1", true}, sMuteValue{"Zero", "0", false},
                                           sMuteValue{"Two", "2", false}, sMuteValue{"MinusOne", "-1", false},
                                           sMuteValue{"Word", "yes", false}, sMuteValue{"Empty", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct sDamagedSettings
{
    const char* name;
    QByteArray content;
    bool musicMuted; ///< read before the damage
};

class GameSettingsDamagedFile : public GameSettingsFile, public ::testing::WithParamInterface<sDamagedSettings>
{
};

TEST_P(GameSettingsDamagedFile, KeepsWhatIsSoundSilentlyAndWritesNothing)
{
    UseShippedTemplate("Settings.xml");
    WriteUserCopy("Settings.xml", GetParam().content);
    EXPECT_EQ(StdoutOf([this] { EXPECT_TRUE(settings.Load("Settings.xml")); }), "") << "no line";
    ExpectFlags(GetParam().musicMuted, false, false, false);
    EXPECT_EQ(ReadUserCopy("Settings.xml"), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GameSettingsDamagedFile,
    ::testing::Values(sDamagedSettings{"Empty", "", false},
                      sDamagedSettings{"Truncated", "<ZORV_SETTINGS>\n<AUDIO>\n<Music Mute=\"1\"/>\n<SFX Mu", true},
                      sDamagedSettings{"NotXml", "music muted\n", false},
                      sDamagedSettings{"WordsForNumbers",
                                       "<ZORV_SETTINGS><AUDIO><Music Mute=\"1\"/><SFX Mute=\"on\"/></AUDIO>"
                                       "<FULLSCREEN FullScreen=\"yes\"/></ZORV_SETTINGS>",
                                       true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

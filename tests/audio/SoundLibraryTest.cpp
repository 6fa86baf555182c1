#include "audio/SoundLibrary.h"

#include "audio/Sound.h"

#include "tests/audio/AudioFixture.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

class SoundLibraryTest : public AudioFixture
{
protected:
    // Writes a list file and loads it; each entry is the `file` of one `sfx` element.
    bool Load(const QStringList& files, const QByteArray& extra = "")
    {
        QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SoundList>\n";
        for (int id = 0; id < files.size(); ++id)
            xml += "  <!-- " + QByteArray::number(id) + " -->\n  <sfx file=\"" + files[id].toUtf8() + "\"></sfx>\n";
        xml += extra + "</SoundList>\n";
        return LoadText(xml);
    }
    bool LoadText(const QByteArray& xml)
    {
        QFile file(dir.filePath("Audio_SFX.xml"));
        file.open(QIODevice::WriteOnly);
        file.write(xml);
        file.close();
        return library.LoadFromXml(file.fileName());
    }
    // count entries, all missing except the given ids, which are the short test sound.
    static QStringList OnlyThese(int count, const std::set<int>& ids)
    {
        QStringList files;
        for (int id = 0; id < count; ++id)
            files << (ids.count(id) ? Path("wave/short.ogg") : Path("wave/none.ogg"));
        return files;
    }
    void Tick(int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            audio.Update();
    }

    QTemporaryDir dir;
    cSoundLibrary library{&audio};
};

TEST_F(SoundLibraryTest, PlaysEffectsByNumberWithTheirLoopCount)
{
    ASSERT_TRUE(Load({Path("wave/long.ogg"), Path("wave/short.ogg")}));
    ASSERT_EQ(library.GetCount(), 2);
    EXPECT_TRUE(library.Play(1, 0.5f, 0));
    EXPECT_TRUE(library.Play(1, 0.5f, -1));
    EXPECT_EQ(ChannelsPlaying(), 2);
    Tick(5);
    EXPECT_EQ(ChannelsPlaying(), 1);  // the one-shot has ended, the looping one goes on
    Tick(100);
    EXPECT_EQ(ChannelsPlaying(), 1);
}

TEST_F(SoundLibraryTest, MutedLibraryPlaysNothingButItsSoundsFollowTheirOwners)
{
    ASSERT_TRUE(Load(OnlyThese(62, {61})));
    library.SetMuted(true);
    EXPECT_TRUE(library.IsMuted());
    EXPECT_FALSE(library.Play(61, 1.0f, 0));
    EXPECT_EQ(ChannelsPlaying(), 0);

    std::unique_ptr<cSound> spores(library.MakeSound(61));
    ASSERT_NE(spores, nullptr);
    EXPECT_EQ(spores->GetId(), 61);
    ASSERT_TRUE(spores->Play(1.0f, -1, library.IsMuted()));
    EXPECT_TRUE(Muted(spores->GetChannel()));
    library.SetMuted(false);
    spores->Update(20, library.IsMuted());
    EXPECT_FALSE(Muted(spores->GetChannel()));
}

TEST_F(SoundLibraryTest, UnknownIdsAreRefusedWithAnError)
{
    ASSERT_TRUE(Load(OnlyThese(89, {0, 88})));
    for (int id : {-1, 89, 1000}) {
        testing::internal::CaptureStdout();
        EXPECT_FALSE(library.Play(id, 1.0f, 0)) << id;
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_NE(printed.find("ERROR:"), std::string::npos) << id;
        EXPECT_EQ(library.MakeSound(id), nullptr) << id;
    }
    EXPECT_EQ(ChannelsPlaying(), 0);
    std::unique_ptr<cSound> last(library.MakeSound(88));
    EXPECT_NE(last, nullptr);
}

TEST_F(SoundLibraryTest, EffectThatDoesNotLoadKeepsItsIdAndNeverPlays)
{
    ASSERT_TRUE(Load({Path("wave/none.ogg"), Path("wave/broken.ogg"), Path("wave/short.ogg")}));
    ASSERT_EQ(library.GetCount(), 3);
    EXPECT_FALSE(library.Play(0, 1.0f, 0));
    EXPECT_FALSE(library.Play(1, 1.0f, 0));
    EXPECT_TRUE(library.Play(2, 1.0f, 0));
    std::unique_ptr<cSound> silent(library.MakeSound(0));
    ASSERT_NE(silent, nullptr);
    EXPECT_FALSE(silent->Play(1.0f, -1, false));
    EXPECT_EQ(ChannelsPlaying(), 1);
}

TEST_F(SoundLibraryTest, OnlySfxElementsWithAFileTakeAnId)
{
    const QByteArray xml = "<SoundList>\n"
                           "  <sfx></sfx>\n"
                           "  <other file=\"" + Path("wave/long.ogg").toUtf8() + "\"/>\n"
                           "  <sfx file=\"" + Path("wave/short.ogg").toUtf8() + "\"/>"
                           "<sfx file=\"" + Path("wave/long.ogg").toUtf8() + "\"></sfx>\n"
                           "</SoundList>\n";
    ASSERT_TRUE(LoadText(xml));
    ASSERT_EQ(library.GetCount(), 2);
    library.Play(0, 1.0f, 0);  // the short sound: gone after five ticks
    library.Play(1, 1.0f, 0);
    Tick(5);
    EXPECT_EQ(ChannelsPlaying(), 1);
}

TEST_F(SoundLibraryTest, ParseErrorKeepsWhatWasReadAndAMissingListFails)
{
    ASSERT_TRUE(LoadText("<SoundList>\n  <sfx file=\"" + Path("wave/short.ogg").toUtf8() + "\"></sfx>\n  <sfx file=\"x"));
    EXPECT_EQ(library.GetCount(), 1);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(library.LoadFromXml(dir.filePath("none.xml")));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n ERROR: Invalid XML resource file: " + dir.filePath("none.xml").toStdString() + " \n\n");
    EXPECT_EQ(library.GetCount(), 0);
}

TEST_F(SoundLibraryTest, LoadingAgainReleasesTheFirstSet)
{
    ASSERT_TRUE(Load({Path("wave/short.ogg")}));
    ASSERT_TRUE(library.Play(0, 1.0f, -1));
    ASSERT_TRUE(Load({Path("wave/long.ogg"), Path("wave/long.ogg")}));
    EXPECT_EQ(ChannelsPlaying(), 0);  // releasing the first set stopped its looping effect
    EXPECT_EQ(library.GetCount(), 2);
}

TEST_F(SoundLibraryTest, MenuSoundIsAlwaysOneOfTheFive)
{
    ASSERT_TRUE(Load(OnlyThese(89, {52, 53, 62, 63, 64})));
    std::srand(7);
    for (int press = 1; press <= 50; ++press) {
        library.PlayRandomMenuSound(0.4f);
        ASSERT_EQ(ChannelsPlaying(), press) << "press " << press << " picked an effect outside the menu set";
    }
}

TEST_F(SoundLibraryTest, HoverTickIsEffectOne)
{
    ASSERT_TRUE(Load(OnlyThese(89, {1})));
    library.PlayHoverTick(0.4f);
    EXPECT_EQ(ChannelsPlaying(), 1);
}

TEST_F(SoundLibraryTest, GameListLoadsEveryEffect)
{
    ASSERT_TRUE(library.LoadFromXml(":/res/wave/Audio_SFX.xml"));
    ASSERT_EQ(library.GetCount(), 89);
    for (int id = 0; id < library.GetCount(); ++id)
        EXPECT_TRUE(library.Play(id, 0.4f, 0)) << "effect " << id;
}

} // namespace

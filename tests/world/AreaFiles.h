#pragma once
// Areas read from small area files that the tests write, mounted as resources together with a few
// test sounds, in a started (silent) audio system. The GL context of the folder's main is current,
// so background pictures load.
#include "world/Area.h"

#include "audio/AudioSystem.h"
#include "engine/Image.h"
#include "engine/SharedAssets.h"

#include "tests/support/StdoutOf.h"
#include "tests/support/TestSounds.h"

#include <gtest/gtest.h>

#include <QFile>

#include <memory>
#include <string>
#include <vector>

/// The game's own trees: the enter tree at (10, 0), the exit at (200, 0) leading to "Next".
inline const char* kTestTrees =
    "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"10\" y=\"0\"/>\n"
    "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"200\" y=\"0\" DestinationArea=\"Next\"/>\n";

/// An area file with those elements inside the usual root.
inline QByteArray AreaXml(const QByteArray& elements)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ZORV_AREA_SAVE_FILE>\n" + elements +
           "</ZORV_AREA_SAVE_FILE>\n";
}

class AreaFileFixture : public ::testing::Test
{
protected:
    /// The trees cut their pictures from the game's chip sets.
    static void SetUpTestSuite()
    {
        testsounds::UseSilentSound();
        for (int src = 0; src < kChipSetCount; ++src) {
            const QString path = QString(":/res/images/chipsets/chip_set_%1.png").arg(src, 2, 10, QChar('0'));
            if (src == 4 || !QFile::exists(path))
                continue;
            s_chipSets.push_back(std::make_unique<cImage>(0.0f, 0.0f, 10.0f, 10.0f));
            s_chipSets.back()->SetTexture(path, 0.0f, 0.0f, 1.0f, 1.0f);
            gChipSets[static_cast<size_t>(src)] = s_chipSets.back().get();
        }
    }
    static void TearDownTestSuite()
    {
        gChipSets.fill(nullptr);
        s_chipSets.clear();
    }

    void SetUp() override
    {
        ASSERT_TRUE(audio.Init());
        static int tests = 0;
        root = QString("areatest%1").arg(++tests);
    }

    /// Mounts the file bytes as "<root>/area.xml" beside a short (100 ms) and a long (2 s) tone,
    /// "<root>/short.ogg" and "<root>/long.ogg", and initialises a new area from it. Its output
    /// lands in `output`, the result of `Init` in `initialised`. Once per test.
    cArea& LoadBytes(const QByteArray& fileBytes)
    {
        tree = std::make_unique<testsounds::cTestResourceTree>(root);
        tree->Add("area.xml", fileBytes);
        tree->Add("short.ogg", testsounds::EncodeTone(100));
        tree->Add("long.ogg", testsounds::EncodeTone(2000));
        EXPECT_TRUE(tree->Mount());
        area = std::make_unique<cArea>(tree->BarePath("area.xml").toStdString(), nullptr);
        output = StdoutOf([this] { initialised = area->Init(&audio, false, false); });
        return *area;
    }
    /// The same for an area file made of these elements.
    cArea& Load(const QByteArray& elements) { return LoadBytes(AreaXml(elements)); }

    /// A file of the mounted tree as an area file names it.
    QByteArray Bare(const char* relative) const { return (root + "/" + relative).toUtf8(); }

    /// One tick of the audio system and the area's sound player.
    void TickSound(int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            audio.Update();
            area->GetSoundPlayer()->Update(20);
        }
    }

    static int ChannelsPlaying()
    {
        int count = -1;
        FMOD_System_GetChannelsPlaying(cAudioSystem::GetSystem(), &count);
        return count;
    }

    static inline std::vector<std::unique_ptr<cImage>> s_chipSets;
    // Destroyed in reverse: the area before its files and the audio system.
    cAudioSystem audio;
    QString root;
    std::unique_ptr<testsounds::cTestResourceTree> tree;
    std::unique_ptr<cArea> area;
    std::string output;
    bool initialised = false;
};

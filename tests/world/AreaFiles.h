#pragma once
// Areas read from small area files that the tests write, mounted as resources together with a few
// test sounds, with a started (silent) audio system and the game's shared assets. The GL context
// of the folder's main is current, so pictures load.
#include "world/Area.h"

#include "world/CommonResources.h"

#include "audio/AreaSoundPlayer.h"
#include "audio/AudioSystem.h"

#include "tests/support/LoadedAssets.h"
#include "tests/support/StdoutOf.h"
#include "tests/support/TestSounds.h"

#include <gtest/gtest.h>

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
    /// One audio system and one shared-asset store for the suite, as the game has them: the
    /// characters, the chip sets the trees cut their pictures from, the cloud and heart looks.
    static void SetUpTestSuite() { LoadSharedAssets(s_audio, s_resources); }
    static void TearDownTestSuite()
    {
        s_resources.reset();
        s_audio.reset();
    }

    void SetUp() override
    {
        static int tests = 0;
        root = QString("areatest%1").arg(++tests);
    }
    /// Areas go before the suite's shared assets.
    void TearDown() override { area.reset(); }

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
        area = std::make_unique<cArea>(tree->BarePath("area.xml").toStdString(), s_resources.get());
        output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
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
            s_audio->Update();
            area->GetSoundPlayer()->Update(20);
        }
    }

    static inline std::unique_ptr<cAudioSystem> s_audio;
    static inline std::unique_ptr<cCommonResources> s_resources;
    // Destroyed in reverse: the area before its files.
    QString root;
    std::unique_ptr<testsounds::cTestResourceTree> tree;
    std::unique_ptr<cArea> area;
    std::string output;
    bool initialised = false;
};

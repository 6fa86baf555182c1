#pragma once
// Menus on the game's shared assets, loaded once per suite as the game loads them at start-up,
// with a per-test user data folder so that no test sees another's files.
#include "player/InputHandler.h"
#include "tests/support/LoadedAssets.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class cAudioSystem;
class cCommonResources;
class cFontManager;
class cMenu;

/// Each test gets a fresh, empty user data folder; the templates come from the build folder,
/// the tests' working directory.
class MenuFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { LoadSharedAssets(s_audio, s_resources); }
    static void TearDownTestSuite()
    {
        s_resources.reset();
        s_audio.reset();
    }
    void SetUp() override;
    void TearDown() override;

    /// The user copy of a per-user file.
    static QString UserPath(const QString& relativeName);
    static QByteArray ReadUserCopy(const QString& relativeName);
    static void WriteUserCopy(const QString& relativeName, const QByteArray& content);

    static inline std::unique_ptr<cAudioSystem> s_audio;
    static inline std::unique_ptr<cCommonResources> s_resources;

private:
    QTemporaryDir dataHome;
    QByteArray previousDataHome;
};

/// One tick's key presses, as the window would report them: pressed, then the tick's end.
class cScriptedKeys
{
public:
    cScriptedKeys() { input.LoadConfig("Controls.xml"); }
    /// The key goes down for this tick.
    void Press(int key) { input.KeyPress(key, false); }
    /// Ends the tick: this tick's presses become held, then every key goes up.
    void EndTick();

    cInputHandler input;
};

/// A reader standing on the first start element of the text.
class cXmlText
{
public:
    explicit cXmlText(const QByteArray& text);
    QXmlStreamReader reader;

private:
    QByteArray bytes;
};

/// Every `menu` element of a description file in the resource tree, as its screen reads them.
std::vector<std::unique_ptr<cMenu>> LoadPages(const QString& file, const cFontManager* font);

/// Saves the bound framebuffer's w x h pixels as a player sees them (opaque) under the build
/// folder's "test-pictures", for a person to look at.
void SaveScreenshot(int w, int h, const QString& fileName);

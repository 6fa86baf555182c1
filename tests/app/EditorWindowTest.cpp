// The frame editor as its user meets it: the game's window in editor mode with the real
// controller, its keys, its docks, its sound toggles and its controls dialog, and the frame-set
// file it writes. Pictures are saved for people to look at.
#include "tests/support/ShownWindowFixture.h"

#include "actors/PlayerChar.h"
#include "app/GLWidget.h"
#include "app/Game.h"
#include "player/GameSettings.h"
#include "app/MainWindow.h"
#include "editor/CustomKeyEdit.h"
#include "editor/FrameEditDock.h"
#include "editor/InputConfiguration.h"
#include "editor/VisibilityDock.h"
#include "world/Area.h"
#include "world/ComicFrame.h"
#include "world/FrameEditor.h"

#include "tests/support/StdoutOf.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QPainter>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

namespace
{
class EditorWindowTest : public ShownWindowFixture<cGame, true>
{
protected:
    void SetUp() override
    {
        ShownWindowFixture::SetUp();
        // As large as the display, as an editor's user would have it.
        ASSERT_NO_FATAL_FAILURE(ShowWindow({"Controls.xml", "Settings.xml", "Saves/slot0.zvs"}, 770));
        dock = window.findChild<cFrameEditDock*>();
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Send(QEvent::KeyPress, key, modifiers);
        Send(QEvent::KeyRelease, key, modifiers);
    }
    bool LoadArea(const QString& file)
    {
        bool loaded = false;
        output += StdoutOf([&] { loaded = window.LoadArea(file.toStdString()); });
        // Past the fade-in.
        Tick(40);
        return loaded;
    }
    /// A left click on the middle of a frame, in the view's pixels (y down).
    void Click(const cComicFrame& frame)
    {
        const cFrameEditor* frames = window.game->GetFrameEditor();
        const QPointF c = frame.GetCenter();
        const int x = frames->GetOffsetX() + static_cast<int>(c.x()) * frames->GetPixelSize();
        const int y = frames->GetOffsetY() + static_cast<int>(c.y()) * frames->GetPixelSize();
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(x, view->height() - y), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
    }
    QSpinBox* Field(const char* label) const { return dock->findChild<QSpinBox*>(QLatin1String(label)); }
    QAction* Action(const char* text) const
    {
        for (QAction* action : window.findChildren<QAction*>())
            if (action->text() == QLatin1String(text))
                return action;
        return nullptr;
    }
    QCheckBox* Box(const char* text) const
    {
        for (QCheckBox* box : window.findChild<cVisibilityDock*>()->findChildren<QCheckBox*>())
            if (box->text() == QLatin1String(text))
                return box;
        return nullptr;
    }
    /// The whole window with the view's last picture in it, the frames dock scrolled to the
    /// selected frame's fields.
    void Screenshot(const char* name)
    {
        dock->findChild<QScrollArea*>()->ensureWidgetVisible(Field("Scale"));
        QImage picture = window.grab().toImage();
        QPainter(&picture).drawImage(view->mapTo(&window, QPoint(0, 0)), view->grabFrameBuffer());
        const QString folder = QStringLiteral(MIRROWEN_BINARY_DIR "/test-screens");
        QDir().mkpath(folder);
        picture.save(folder + "/" + name + ".png");
    }

    cFrameEditDock* dock = nullptr;
};

/// The picture of an icon as the tool bar shows it.
QImage Picture(const QIcon& icon)
{
    return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage EditorIcon(const char* file)
{
    return QImage(QStringLiteral(":/res/EditorUI/") + file).convertToFormat(QImage::Format_ARGB32);
}
}

TEST_F(EditorWindowTest, OpensWithBarsAndDocksAndTheKeysWorkTheWindow)
{
    EXPECT_TRUE(window.windowTitle().startsWith("Zorv Editor 0.42"));
    EXPECT_FALSE(window.game->GetSettings() == nullptr);
    // The editor opens on the credits area.
    EXPECT_EQ(window.game->GetAreaFile(), "res/Areas/Credits2.xml");
    EXPECT_EQ(output.find("Invalid area definition file!"), std::string::npos) << output;
    ASSERT_TRUE(LoadArea("res/Areas/FrameSwitch.xml"));
    EXPECT_EQ(window.windowTitle().toStdString(), "Zorv Editor 0.42 - res/Areas/FrameSwitch.xml   - " +
                                                      window.game->GetCurrentArea()->GetName() + " -   ");
    EXPECT_EQ(dock->GetFrameEditor(), window.game->GetFrameEditor());

    // A file that does not load: the area played before is loaded again, with a new frame editor
    // that the dock edits from then on.
    EXPECT_FALSE(LoadArea("res/Areas/NoSuchArea.xml"));
    EXPECT_NE(output.find("Reverting back to the previous area."), std::string::npos);
    EXPECT_EQ(window.game->GetAreaFile(), "res/Areas/FrameSwitch.xml");
    EXPECT_TRUE(window.windowTitle().contains("res/Areas/FrameSwitch.xml"));
    EXPECT_EQ(dock->GetFrameEditor(), window.game->GetFrameEditor());
    ASSERT_NE(dock->GetFrameEditor(), nullptr);

    // P and the dock's box switch the level geometry together; Return hides the frames and the
    // frames dock with them.
    Press(Qt::Key_P);
    EXPECT_TRUE(view->IsPhysicsDrawing());
    EXPECT_TRUE(Box("Level geometry")->isChecked());
    Box("Sky")->click();
    EXPECT_FALSE(view->IsSkyDrawing());
    Press(Qt::Key_Return);
    EXPECT_FALSE(view->IsFrameDrawing());
    EXPECT_TRUE(dock->isHidden());

    // Play: full screen in the game's look, without the editor's bars.
    Action("&Play")->trigger();
    EXPECT_TRUE(window.IsFullScreen());
    EXPECT_TRUE(view->IsFrameDrawing());
    EXPECT_FALSE(view->IsPhysicsDrawing());
    EXPECT_TRUE(view->IsSkyDrawing());
    EXPECT_TRUE(view->IsBackgroundDrawing());
    EXPECT_TRUE(window.menuBar()->isHidden());
    EXPECT_TRUE(window.findChild<QToolBar*>()->isHidden());
    EXPECT_TRUE(dock->isHidden());

    // Escape leaves full screen and is not the game's: it does not pause the area.
    Press(Qt::Key_Escape);
    Tick(2);
    EXPECT_FALSE(window.IsFullScreen());
    EXPECT_EQ(window.game->GetStateKind(), GAME_MODE_AREA);
    EXPECT_FALSE(window.menuBar()->isHidden());
    EXPECT_FALSE(dock->isHidden());
    EXPECT_TRUE(window.isVisible());

    // On to the area the exit leads to, with its own frames in the dock.
    Action("&Load next area")->trigger();
    Tick();
    EXPECT_EQ(window.game->GetAreaFile(), "res/Areas/IntoTheWild.xml");
    EXPECT_TRUE(window.windowTitle().contains("res/Areas/IntoTheWild.xml"));
    EXPECT_EQ(dock->GetFrameEditor(), window.game->GetFrameEditor());

    // In a window, Escape closes it.
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(EditorWindowTest, AFrameEditedWithTheMouseTheDockAndTheKeysIsSavedAndReadBack)
{
    // An area opened from the disk, with a square frame whose picture can be resized.
    QFile area(":/res/Areas/FrameSwitch.xml");
    ASSERT_TRUE(area.open(QIODevice::ReadOnly));
    const QByteArray areaBytes = area.readAll();
    const QString areaPath = workDir.filePath("mine/Edited.xml");
    WriteFile(areaPath, areaBytes);
    WriteFile(workDir.filePath("mine/Edited_Frames.xml"), R"(<ZORV_AREA_FRAMESETS>
    <BackgroundColor red="46" green="36" blue="60" r2="86" g2="70" b2="110"/>
    <FrameSet id="0">
        <FrameV2 screenX="2" screenY="3" imgWidth="296" imgHeight="64" uMin="0" vMin="412" Scale="1"/>
        <FrameV2 screenX="300" screenY="150" imgWidth="64" imgHeight="64" uMin="200" vMin="250" Scale="1"/>
    </FrameSet>
</ZORV_AREA_FRAMESETS>
)");
    ASSERT_TRUE(LoadArea(areaPath)) << output;
    EXPECT_TRUE(window.windowTitle().contains(areaPath));
    cFrameEditor* frames = window.game->GetFrameEditor();
    ASSERT_EQ(frames->GetFrameSet(0).size(), 2u);
    const cComicFrame& square = *frames->GetFrameSet(0)[1];

    Click(square);
    ASSERT_EQ(frames->GetSelectedFrame(), &square);
    EXPECT_EQ(Field("Position X")->value(), 300);
    EXPECT_EQ(Field("Image Size")->value(), 64);
    EXPECT_EQ(Field("Image Y")->value(), 250);
    Tick();
    Screenshot("editor-docks");

    Field("Position X")->setValue(320);
    Field("Position Y")->setValue(120);
    Field("Image Size")->setValue(32);
    Field("Image X")->setValue(100);
    Field("Image Y")->setValue(300);
    Press(Qt::Key_Right);
    Press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Field("Position X")->value(), 321);
    EXPECT_EQ(Field("Image Y")->value(), 299);
    Field("Scale")->setValue(3);
    Tick();
    Screenshot("editor-edited");

    // Areas are not saved: nothing is written, and the editor says so.
    output += StdoutOf([&] { EXPECT_FALSE(window.SaveAreaFile(areaPath)); });
    EXPECT_NE(output.find("not supported"), std::string::npos);
    EXPECT_EQ(ReadFile(areaPath), areaBytes);

    output += StdoutOf([&] { EXPECT_TRUE(window.SaveFrameSetFile(workDir.filePath("mine/Edited_Frames.xml"))); });
    ASSERT_TRUE(LoadArea(areaPath)) << output;
    const cFrameEditor* reread = window.game->GetFrameEditor();
    EXPECT_EQ(dock->GetFrameEditor(), reread);
    ASSERT_EQ(reread->GetFrameSet(0).size(), 2u);
    const cComicFrame& saved = *reread->GetFrameSet(0)[1];
    EXPECT_EQ(saved.GetScreenPos(), QPointF(321, 120));
    EXPECT_EQ(saved.GetTexMin(), QPointF(100, 299));
    EXPECT_EQ(saved.GetTexWidth(), 32);
    EXPECT_EQ(saved.GetTexHeight(), 32);
    EXPECT_EQ(saved.GetScreenWidth(), 96);
    const cComicFrame& untouched = *reread->GetFrameSet(0)[0];
    EXPECT_EQ(untouched.GetScreenPos(), QPointF(2, 3));
    EXPECT_EQ(untouched.GetTexWidth(), 296);
    EXPECT_EQ(reread->GetBackgroundColor(), (sZorv_BG_Color{46, 36, 60, 86, 70, 110}));

    // Delete on a selected frame takes it out of the set.
    Click(saved);
    Press(Qt::Key_Delete);
    EXPECT_EQ(reread->GetFrameSet(0).size(), 1u);
    EXPECT_TRUE(Field("Position X")->isReadOnly());

    // Without an area there are no frame sets to save, and nothing is written.
    output += StdoutOf([&] { window.game->ToStartScreen(-1); });
    Tick();
    output += StdoutOf([&] { EXPECT_FALSE(window.SaveFrameSetFile(workDir.filePath("none_Frames.xml"))); });
    EXPECT_NE(output.find("No valid frame set"), std::string::npos);
    EXPECT_FALSE(QFile::exists(workDir.filePath("none_Frames.xml")));
}

TEST_F(EditorWindowTest, EachSoundToggleFlipsItsIconTheSettingsFileAndTheGame)
{
    struct sToggle
    {
        const char* action;
        const char* playing;
        const char* muted;
        const char* element; ///< in the settings file; the ambience has none
        bool (cGameSettings::*flag)() const;
    };
    const sToggle toggles[] = {
        {"&Music is playing, press to mute!", "Music3.png", "NoMusic3.png", "<Music Mute=\"%1\"/>",
         &cGameSettings::IsMusicMuted},
        {"&Environmental sounds are playing, press to mute!", "SFX.png", "NoSFX.png", nullptr,
         &cGameSettings::IsAmbienceMuted},
        {"&Sound effects are playing, press to mute!", "Effects.png", "NoEffects.png", "<SFX Mute=\"%1\"/>",
         &cGameSettings::IsSFXMuted},
    };
    for (const sToggle& t : toggles)
    {
        QAction* action = Action(t.action);
        ASSERT_NE(action, nullptr) << t.action;
        EXPECT_EQ(Picture(action->icon()), EditorIcon(t.playing)) << t.action;
        for (int muted : {1, 0})
        {
            const QByteArray before = ReadUserCopy("Settings.xml");
            action->trigger();
            EXPECT_EQ(Picture(action->icon()), EditorIcon(muted ? t.muted : t.playing)) << t.action;
            EXPECT_EQ((window.game->GetSettings()->*t.flag)(), muted == 1) << t.action;
            const QByteArray file = ReadUserCopy("Settings.xml");
            if (t.element)
                EXPECT_TRUE(file.contains(QString(t.element).arg(muted).toLatin1())) << file.constData();
            else
                EXPECT_EQ(file, before);
        }
    }
}

TEST_F(EditorWindowTest, AKeyReboundInTheControlsDialogIsTheOneTheGameObeys)
{
    ASSERT_TRUE(LoadArea("res/Areas/FrameSwitch.xml"));
    auto standing = [this] {
        const cPlayerChar* player = window.game->GetCurrentArea()->GetCurrentPlayer();
        return player && player->HasBody() && player->GetState() == 0;
    };
    for (int t = 0; t < 500 && !standing(); ++t)
        Tick();
    ASSERT_TRUE(standing());

    Action("Configure Input")->trigger();
    auto* dialog = window.findChild<cInputConfiguration*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    QKeyEvent j(QEvent::KeyPress, Qt::Key_J, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog->findChild<cCustomKeyEdit*>("Jump"), &j);
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == "&Apply")
            button->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.findChild<cInputConfiguration*>(), nullptr);
    EXPECT_TRUE(ReadUserCopy("Controls.xml").contains("<JUMP Standard=\"74\"/>"));

    // Space jumps no more; J does.
    const cPlayerChar* player = window.game->GetCurrentArea()->GetCurrentPlayer();
    Press(Qt::Key_Space);
    Tick(3);
    EXPECT_EQ(player->GetState(), 0);
    Send(QEvent::KeyPress, Qt::Key_J);
    Tick(3);
    Send(QEvent::KeyRelease, Qt::Key_J);
    EXPECT_EQ(player->GetState(), 2);
}

TEST_F(EditorWindowTest, FrameEditsThatAreNotSavedAreNotDroppedWithoutAsking)
{
    const QString areaPath = workDir.filePath("mine/Kept.xml");
    const QString framesPath = workDir.filePath("mine/Kept_Frames.xml");
    for (const auto& [from, to] : {std::pair{"FrameSwitch.xml", areaPath}, {"FrameSwitch_Frames.xml", framesPath}})
    {
        QFile shipped(QStringLiteral(":/res/Areas/") + from);
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        WriteFile(to, shipped.readAll());
    }
    ASSERT_TRUE(LoadArea(areaPath)) << output;
    const auto prompts = [this] {
        size_t count = 0;
        for (size_t at = output.find("not saved"); at != std::string::npos; at = output.find("not saved", at + 1))
            ++count;
        return count;
    };
    // Playing on changes nothing that a save would write: closing would not ask.
    Tick(200);
    const cFrameEditor* frames = window.game->GetFrameEditor();
    const cComicFrame& frame = *frames->GetFrameSet(0)[0];
    const QPointF home = frame.GetHomePos();
    Click(frame);
    Press(Qt::Key_Right);
    ASSERT_EQ(frame.GetHomePos(), home + QPointF(1, 0));

    // Nobody answers the question in a test: the edit stays, and so does the window.
    output += StdoutOf([&] { EXPECT_FALSE(window.close()); });
    EXPECT_TRUE(window.isVisible());
    output += StdoutOf([&] {
        Action("&Reset")->trigger();
        Action("&Load next area")->trigger();
    });
    Tick();
    EXPECT_EQ(prompts(), 3u) << output;
    EXPECT_EQ(window.game->GetFrameEditor(), frames);
    EXPECT_EQ(frame.GetHomePos(), home + QPointF(1, 0));

    output += StdoutOf([&] { EXPECT_TRUE(window.SaveFrameSetFile(framesPath)); });
    Tick(200);
    output += StdoutOf([&] { EXPECT_TRUE(window.close()); });
    EXPECT_EQ(prompts(), 3u) << output;
    EXPECT_FALSE(window.isVisible());
}

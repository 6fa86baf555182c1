#include "app/MainWindow.h"

#include "app/GLWidget.h"
#include "app/Game.h"
#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "player/UserFile.h"
#include "editor/FrameEditDock.h"
#include "editor/InputConfiguration.h"
#include "editor/VisibilityDock.h"
#include "engine/AllocationTracker.h"
#include "engine/MessageBox.h"
#include "world/Area.h"
#include "world/AreaLook.h"
#include "world/AreaRoster.h"
#include "world/FrameEditor.h"
#include "world/FrameSetWriter.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <cstdlib>

namespace
{
const char* const kGameTitle = "Mirrowen";
const char* const kEditorTitle = "Zorv Editor 0.42";
const char* const kEditorFirstArea = "res/Areas/Credits2.xml";
const char* const kAreasFolder = "./res/Areas";

QIcon EditorIcon(const char* file)
{
    return QIcon(QStringLiteral(":/res/EditorUI/") + QLatin1String(file));
}
}

cMainWindow::cMainWindow(bool editor)
    : editor(editor)
{
    setWindowTitle(editor ? kEditorTitle : kGameTitle);
    setFocusPolicy(Qt::ClickFocus);
}

cMainWindow::~cMainWindow()
{
    if (timer)
        timer->disconnect();
    // The controller's textures belong to the view's context.
    if (view)
        view->makeCurrent();
    delete game;
    delete input;
    delete settings;
    LeakReport();
}

cGame* cMainWindow::CreateGame(bool gameMode)
{
    return new cGame(gameMode);
}

bool cMainWindow::Init(int desktopWidth, int /*desktopHeight*/)
{
    input = new cInputHandler;
    input->LoadConfig(QStringLiteral("Controls.xml"));
    customControls = !input->HasDefaultKeys();

    game = CreateGame(!editor);

    view = new GLWidget;
    view->setMinimumSize(700, 440);
    setCentralWidget(view);
    view->SetGame(game);
    view->SetInputHandler(input);
    view->setFocus();

    if (editor)
    {
        settings = new cGameSettings;
        settings->Load(QStringLiteral("Settings.xml"));
        CreateEditorUi();
        // Room for the docks beside the virtual screen on a large desktop.
        if (width() < 1200 && desktopWidth > 1399)
            resize(1200, height());
    }

    // A folder that cannot be made shows later, when a file in it cannot be written.
    cUserFile::MakeFolders();

    game->LoadSettings(QStringLiteral("Settings.xml"));
    if (!editor && game->GetSettings()->IsFullScreen())
        showFullScreen();
    else
        show();

    // Shared assets and screens make their textures in the view's context.
    view->makeCurrent();
    if (!game->Init())
        return false;
    game->ApplySettings();
    if (editor)
        LoadArea(kEditorFirstArea);
    view->AttachCurrentArea();

    timer = new QTimer(this);
    timer->setInterval(kTimerIntervalMs);
    // A coarse timer would round 21 ms down to 20 and run the game faster than it was tuned.
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &cMainWindow::Update);
    timer->start();
    return true;
}

QSize cMainWindow::sizeHint() const
{
    return QSize(1180, 700);
}

QSize cMainWindow::minimumSizeHint() const
{
    return QSize(600, 320);
}

bool cMainWindow::IsFullScreen() const
{
    return windowState().testFlag(Qt::WindowFullScreen);
}

void cMainWindow::UpdateTitle()
{
    if (!editor)
    {
        setWindowTitle(kGameTitle);
        return;
    }
    QString title = QStringLiteral("%1 - %2").arg(kEditorTitle, QString::fromStdString(areaFile));
    const cArea* area = game->GetCurrentArea();
    if (area && !area->GetName().empty())
        title += QStringLiteral("   - %1 -   ").arg(QString::fromStdString(area->GetName()));
    setWindowTitle(title);
}

void cMainWindow::ToggleFullScreen()
{
    if (IsFullScreen())
    {
        setCursor(Qt::ArrowCursor);
        if (editor)
            ShowEditorBars(true);
        showNormal();
        return;
    }
    if (editor)
        ShowEditorBars(false);
    showFullScreen();
    view->setFocus();
}

void cMainWindow::Update()
{
    // Keys released while another window had the focus never reach us: drop them all.
    if (!isActiveWindow())
        input->Clear();
    // Areas load, and their textures are made and deleted, in the tick.
    view->makeCurrent();
    const int result = game->Update(kTickMs);
    if (result == cGame::RESULT_QUIT)
        std::exit(0); // quitting from the title screen: nothing is left to save
    if (result == cGame::RESULT_CHANGED)
    {
        AttachArea();
        UpdateCursor();
    }
    if (result == cGame::RESULT_TOGGLE_FULL_SCREEN)
    {
        ToggleFullScreen();
        // The screens flipped the setting with the request; a request that changed nothing
        // sends no state change, so the setting is put right here.
        game->FollowFullScreen(IsFullScreen());
        game->Resize(width(), height());
    }
    if (game->HandleInput(input) == cGame::INPUT_PAUSE)
        game->EnterPauseScreen(width(), height());
    input->EndTick();
    // Painting at once keeps the picture no more than one tick behind the game.
    view->updateGL();
    TellUnsavedFiles();
}

void cMainWindow::TellUnsavedFiles()
{
    const QStringList paths = cUserFile::TakeWriteFailures();
    if (paths.isEmpty())
        return;
    // The box waits for the player; the game must not run on under it.
    timer->stop();
    ShowMessageBox(eMessageBoxKind::Warning, QStringLiteral("Mirrowen"),
                   QStringLiteral("Mirrowen could not save:\n%1\n\nYou can go on playing, but what was not saved "
                                  "is lost when the game ends. Please make sure the folder %2 may be written.")
                       .arg(paths.join('\n'), cUserFile::DataFolder()),
                   this);
    // Keys released while the box had the focus never reach us.
    input->Clear();
    timer->start();
}

void cMainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A window manager may refuse a full-screen request, grant it late or end it itself: the
    // setting, its file and its check box show what the window is, not what was asked.
    if (event->type() == QEvent::WindowStateChange && game && !editor)
        game->FollowFullScreen(IsFullScreen());
}

void cMainWindow::UpdateCursor()
{
    // The editor keeps its pointer in a window; the game hides it wherever the controller says so.
    const bool hide = !game->ShowMouseCursor() && (!editor || IsFullScreen());
    setCursor(hide ? Qt::BlankCursor : Qt::ArrowCursor);
}

void cMainWindow::AttachArea()
{
    areaFile = game->GetAreaFile();
    view->AttachCurrentArea();
    // The dock must never keep the frame editor of an area that is gone.
    if (frameDock)
        frameDock->SetFrameEditor(game->GetFrameEditor());
    if (editor)
        savedFrames = FrameSetText();
    UpdateTitle();
}

void cMainWindow::keyPressEvent(QKeyEvent* event)
{
    if (editor && !HandleEditorKey(event->key()))
        return;
    input->KeyPress(event->key(), true);
}

bool cMainWindow::HandleEditorKey(int key)
{
    switch (key)
    {
    case Qt::Key_Escape:
        if (IsFullScreen())
            ToggleFullScreen();
        else
            close();
        return false;
    case Qt::Key_Return:
        ToggleFrameDrawing();
        break;
    case Qt::Key_F4:
        Reset();
        break;
    case Qt::Key_F5:
        ToggleFullScreen();
        break;
    case Qt::Key_P:
        visibilityDock->ToggleGeometryDrawing();
        break;
    default:
        break;
    }
    return true;
}

void cMainWindow::closeEvent(QCloseEvent* event)
{
    if (MayDropFrameEdits())
        event->accept();
    else
        event->ignore();
}

void cMainWindow::keyReleaseEvent(QKeyEvent* event)
{
    input->KeyRelease(event->key());
    QMainWindow::keyReleaseEvent(event);
}

// Editor mode.

void cMainWindow::CreateEditorUi()
{
    CreateActions();
    CreateMenus();
    CreateToolBar();
    statusBar()->showMessage(QStringLiteral("Ready"));
    CreateDocks();
}

QAction* cMainWindow::NewAction(const char* text, const char* icon, const char* tip, void (cMainWindow::*slot)())
{
    auto* action = new QAction(QLatin1String(text), this);
    if (icon)
        action->setIcon(EditorIcon(icon));
    if (tip)
        action->setStatusTip(QLatin1String(tip));
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

void cMainWindow::CreateActions()
{
    newAct = NewAction("&New", "new.png", "Create a new area from scratch", &cMainWindow::about);
    newAct->setShortcuts(QKeySequence::New);
    openAct = NewAction("&Open", "open.png", "Open an existing area file", &cMainWindow::OpenFile);
    openAct->setShortcuts(QKeySequence::Open);
    saveAct = NewAction("&Save...", "save.png", "Save the current area", &cMainWindow::Save);
    saveAct->setShortcuts(QKeySequence::Save);
    saveAsAct = NewAction("&Save as...", "SaveAs.png", "Save the current area under a new name", &cMainWindow::SaveAs);
    saveAsAct->setShortcuts(QKeySequence::SaveAs);
    configureInputAct = NewAction("Configure Input", nullptr, nullptr, &cMainWindow::ConfigureInput);
    playAct = NewAction("&Play", "Play.png", "Play the current area", &cMainWindow::EnterGameMode);
    resetAct = NewAction("&Reset", "Reset.png", "Reset current area", &cMainWindow::Reset);
    frameToggleAct = NewAction("&Toggle Frames", "FrameToggle.png", "Toggle the display of frames",
                               &cMainWindow::ToggleFrameDrawing);
    musicAct = NewAction("&Music is playing, press to mute!", nullptr, "Music is playing, press to mute!",
                         &cMainWindow::ToggleMusic);
    ambienceAct = NewAction("&Environmental sounds are playing, press to mute!", nullptr,
                            "Environmental sounds are playing, press to mute!", &cMainWindow::ToggleAmbience);
    sfxAct = NewAction("&Sound effects are playing, press to mute!", nullptr,
                       "Sound effects are playing, press to mute!", &cMainWindow::ToggleSFX);
    ShowSoundIcons();
    quitAct = NewAction("&Quit", nullptr, "Quit the application", nullptr);
    quitAct->setShortcuts(QKeySequence::Quit);
    connect(quitAct, &QAction::triggered, this, &QWidget::close);
    nextAreaAct = NewAction("&Load next area", "Skip.png", "Load the next area", &cMainWindow::LoadNextArea);
    debugOutputAct = NewAction("&Debug information", nullptr,
                               "&Toggle the display of debug information such as screen resolution",
                               &cMainWindow::ToggleDebugOutput);
    debugOutputAct->setCheckable(true);
    supportLinesAct = NewAction("&Support Lines", nullptr, "&Display support lines as an aid for visual compositions",
                                &cMainWindow::ToggleSupportLines);
    supportLinesAct->setCheckable(true);
    nightAct = NewAction("&Transition to Night", nullptr,
                         "Starts the transformation to the night / LoF version of an area", &cMainWindow::InitiateLoF);
    dayAct = NewAction("&Transition to Day", nullptr, "Starts the transformation to the day time version of an area",
                       &cMainWindow::InitiateDay);
    morphGrayAct = NewAction("&Morph Gray -> BatKing", nullptr, "Transforms Gray into the BatKing if possible",
                             &cMainWindow::MorphGray);
    morphOrangeAct = NewAction("&Morph Orange -> RainbowSpirit", nullptr,
                               "Transforms Orange into the RainboeSpirit if possible", &cMainWindow::MorphOrange);
    shakeAct = NewAction("&Shake the frames", nullptr, "Initiate frame shaking", &cMainWindow::ShakeFrames);
    aboutAct = NewAction("&About", nullptr, "Show the application's About box", &cMainWindow::about);
}

void cMainWindow::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addActions({newAct, openAct, saveAct, saveAsAct});
    file->addSeparator();
    file->addAction(quitAct);
    menuBar()->addMenu(QStringLiteral("&Settings"))->addAction(configureInputAct);
    menuBar()->addMenu(QStringLiteral("&View"))->addActions({debugOutputAct, supportLinesAct});
    menuBar()->addMenu(QStringLiteral("&Debug"))->addActions({nightAct, dayAct, morphOrangeAct, morphGrayAct, shakeAct});
    menuBar()->addSeparator();
    menuBar()->addMenu(QStringLiteral("&Help"))->addAction(aboutAct);
}

void cMainWindow::CreateToolBar()
{
    fileToolBar = addToolBar(QStringLiteral("File"));
    // The icons are pixel art drawn at this size: scaled, they would blur.
    fileToolBar->setIconSize(QSize(32, 32));
    fileToolBar->addActions({newAct, openAct, saveAct});
    fileToolBar->addSeparator();
    fileToolBar->addActions({playAct, nextAreaAct, resetAct});
    fileToolBar->addSeparator();
    fileToolBar->addActions({frameToggleAct, musicAct, ambienceAct, sfxAct});
}

void cMainWindow::CreateDocks()
{
    visibilityDock = new cVisibilityDock(this, view);
    addDockWidget(Qt::RightDockWidgetArea, visibilityDock);
    frameDock = new cFrameEditDock(this);
    addDockWidget(Qt::RightDockWidgetArea, frameDock);
    frameDock->SetFrameEditor(game->GetFrameEditor());
    view->SetFrameEditDock(frameDock);
}

void cMainWindow::ShowEditorBars(bool shown)
{
    fileToolBar->setVisible(shown);
    menuBar()->setVisible(shown);
    statusBar()->setVisible(shown);
    visibilityDock->setVisible(shown);
    if (shown)
        frameDock->ShowEditor();
    else
        frameDock->HideEditor();
}

void cMainWindow::ShowSoundIcons()
{
    musicAct->setIcon(EditorIcon(settings->IsMusicMuted() ? "NoMusic3.png" : "Music3.png"));
    ambienceAct->setIcon(EditorIcon(settings->IsAmbienceMuted() ? "NoSFX.png" : "SFX.png"));
    sfxAct->setIcon(EditorIcon(settings->IsSFXMuted() ? "NoEffects.png" : "Effects.png"));
}

void cMainWindow::ApplySoundSettings()
{
    ShowSoundIcons();
    settings->Save();
    game->LoadSettings(QStringLiteral("Settings.xml"));
    // The settings file holds no ambience of its own (reading it makes the ambience follow the
    // effects), and it may not have been written: the game takes the window's flags as they are.
    cGameSettings* played = game->GetSettings();
    if (played->IsMusicMuted() != settings->IsMusicMuted())
        played->ToggleMusicMute();
    if (played->IsAmbienceMuted() != settings->IsAmbienceMuted())
        played->ToggleAmbienceMute();
    if (played->IsSFXMuted() != settings->IsSFXMuted())
        played->ToggleSFXMute();
    game->ApplySettings();
}

void cMainWindow::ToggleMusic()
{
    settings->ToggleMusicMute();
    ApplySoundSettings();
}

void cMainWindow::ToggleAmbience()
{
    settings->ToggleAmbienceMute();
    ApplySoundSettings();
}

void cMainWindow::ToggleSFX()
{
    settings->ToggleSFXMute();
    ApplySoundSettings();
}

void cMainWindow::about()
{
    ShowMessageBox(eMessageBoxKind::About, QStringLiteral("About Zorv Editor"),
                   QStringLiteral("<b>Zorv Editor 0.42</b>, the frame editor of Mirrowen."), this);
}

void cMainWindow::OpenFile()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Open File"), QLatin1String(kAreasFolder),
                                                      QStringLiteral("Area Definitions (*.xml *.zv2);;All (*.*)"));
    if (!file.isEmpty() && MayDropFrameEdits())
        LoadArea(file.toStdString());
}

bool cMainWindow::LoadArea(const std::string& file)
{
    // Areas make and delete their textures.
    view->makeCurrent();
    const bool loaded = game->StartArea(file);
    // After a failure the area played before is back: a new one, with a new frame editor.
    AttachArea();
    if (!loaded)
        ShowMessageBox(eMessageBoxKind::Critical, QStringLiteral("Error"),
                       QStringLiteral("Invalid area definition file!\nReverting back to the previous area."), this);
    return loaded;
}

void cMainWindow::Save()
{
    const QMessageBox::StandardButton answer = ShowMessageBox(
        eMessageBoxKind::Warning, QStringLiteral("Zorv - Editor"),
        QStringLiteral("This will overwrite the frame configuration file!\nDo you want to continue?"), this,
        QMessageBox::Save | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        SaveFrameSetFile(QString::fromStdString(FrameSetFileFor(areaFile)));
}

void cMainWindow::SaveAs()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save File"), QLatin1String(kAreasFolder),
                                                      QStringLiteral("Area Definition (*.zv2);;All (*.*)"));
    if (path.isEmpty())
        return;
    SaveAreaFile(path);
    // The name the game reads the frame sets from when it opens an area of that name.
    SaveFrameSetFile(QString::fromStdString(FrameSetFileFor(path.toStdString())));
}

bool cMainWindow::SaveFrameSetFile(const QString& path)
{
    const cFrameEditor* frames = game->GetFrameEditor();
    if (!frames)
    {
        ShowMessageBox(eMessageBoxKind::About, QStringLiteral("Zorv Editor"),
                       QStringLiteral("ERROR: No valid frame set, save aborted."), this);
        return false;
    }
    if (frames->SaveFrameSets(path))
    {
        savedFrames = FrameSetText();
        return true;
    }
    ShowMessageBox(eMessageBoxKind::Critical, QStringLiteral("Zorv Editor"),
                   QStringLiteral("ERROR: %1 could not be written, save aborted.").arg(path), this);
    return false;
}

bool cMainWindow::SaveAreaFile(const QString& /*path*/)
{
    // There is no writer of area files: they are written by hand. Saying "saved" would lose work;
    // saying "nothing" would hide the frame-set file that Save as writes next.
    const QString text = game->GetCurrentArea() ? QStringLiteral("ERROR: Saving areas is not supported, the area file was not written.")
                                                : QStringLiteral("ERROR: No valid area, save aborted.");
    ShowMessageBox(eMessageBoxKind::About, QStringLiteral("Zorv Editor"), text, this);
    return false;
}

QByteArray cMainWindow::FrameSetText() const
{
    const cFrameEditor* frames = game ? game->GetFrameEditor() : nullptr;
    return frames ? cFrameSetWriter(*frames).Text() : QByteArray();
}

bool cMainWindow::MayDropFrameEdits()
{
    if (!editor || FrameSetText() == savedFrames)
        return true;
    const QMessageBox::StandardButton answer = ShowMessageBox(
        eMessageBoxKind::Warning, QStringLiteral("Zorv - Editor"),
        QStringLiteral("The frame sets have changes that are not saved.\nDo you want to save them?"), this,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Discard)
        return true;
    // Nobody to answer (a scripted run) keeps the edits, as Cancel does.
    return answer == QMessageBox::Save && SaveFrameSetFile(QString::fromStdString(FrameSetFileFor(areaFile)));
}

void cMainWindow::ConfigureInput()
{
    (new cInputConfiguration(input, this))->show();
}

void cMainWindow::ToggleFrameDrawing()
{
    view->ToggleFrameDrawing();
    frameDock->setVisible(view->IsFrameDrawing());
}

void cMainWindow::ToggleDebugOutput()
{
    view->ToggleDebugOutput();
}

void cMainWindow::ToggleSupportLines()
{
    view->ToggleSupportLines();
}

void cMainWindow::EnterGameMode()
{
    if (!IsFullScreen())
        ToggleFullScreen();
    if (!view->IsFrameDrawing())
        view->ToggleFrameDrawing();
    visibilityDock->SetGeometryDrawingStatus(false);
    visibilityDock->SetSkyDrawingStatus(true);
    visibilityDock->SetBackgroundDrawingStatus(true);
}

void cMainWindow::Reset()
{
    if (!MayDropFrameEdits())
        return;
    view->makeCurrent();
    game->Reset();
    AttachArea();
}

void cMainWindow::LoadNextArea()
{
    if (!MayDropFrameEdits())
        return;
    view->makeCurrent();
    game->GoToNextArea(0, 0);
    AttachArea();
}

void cMainWindow::InitiateLoF()
{
    if (cArea* area = game->GetCurrentArea())
        cAreaLook(*area).InitiateLoF();
}

void cMainWindow::InitiateDay()
{
    if (cArea* area = game->GetCurrentArea())
        cAreaLook(*area).InitiateDay();
}

void cMainWindow::MorphGray()
{
    cArea* area = game->GetCurrentArea();
    if (area && !cAreaRoster(*area).MorphGray())
        ShowMessageBox(eMessageBoxKind::Warning, QStringLiteral("Error - Metamorphosis of Gray failed!"),
                       QStringLiteral("Ensure that the area has a batland version \nand that Gray is actually in play!"),
                       this);
}

void cMainWindow::MorphOrange()
{
    cArea* area = game->GetCurrentArea();
    if (area && !cAreaRoster(*area).MorphOrange())
        ShowMessageBox(eMessageBoxKind::Warning, QStringLiteral("Error - Metamorphosis of Orange failed!"),
                       QStringLiteral("Ensure that Orange is actually in play!"), this);
}

void cMainWindow::ShakeFrames()
{
    if (cFrameEditor* frames = game->GetFrameEditor())
        frames->ShakeFrames(4000, 5, 5, 100, true);
}

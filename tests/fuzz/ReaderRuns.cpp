#include "ReaderRuns.h"

#include "MemoryResource.h"

#include "engine/ActorFile.h"
#include "actors/AreaEndExitTree.h"
#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/BasicPlant.h"
#include "actors/CommonHeartBox.h"
#include "actors/FallingRock.h"
#include "actors/FireFly.h"
#include "actors/Level0EnterTree.h"
#include "actors/GlowMushroom.h"
#include "actors/Mushroom.h"
#include "actors/PlayerChar.h"
#include "actors/ScoreIndicator.h"
#include "actors/SharedActors.h"
#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "player/SaveGame.h"
#include "player/UserFile.h"
#include "audio/AudioSystem.h"
#include "audio/Sound.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/FontManager.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"
#include "engine/XmlAttributes.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"
#include "world/Area.h"
#include "world/ComicFrame.h"
#include "world/CommonResources.h"
#include "world/FrameManager.h"
#include "world/FrameEditor.h"
#include "world/FramedArea.h"
#include "screens/AreaSummary.h"
#include "screens/Circle.h"
#include "screens/Label.h"
#include "screens/LevelContainer.h"
#include "screens/LevelOrder.h"
#include "screens/LevelSelectionScreen.h"
#include "screens/Menu.h"
#include "screens/MetaLevel.h"
#include "screens/SaveSlot.h"

#include "tests/support/TestSounds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>

namespace {

constexpr int kTickMs = 20;
constexpr int kTextureSize = 512;

// ---- what the readers need around them, made once per process

cMemoryResource& Resources()
{
    static cMemoryResource resources;
    return resources;
}

/// The bytes mounted as ":/fuzz/<name>"; the path a file of the game would name them by.
QString Mount(const char* name, const QByteArray& bytes)
{
    Resources().Put(name, bytes);
    return cMemoryResource::BarePath(name);
}

/// A working directory holding the shipped templates and a data location of its own, as the game
/// finds them on a player's machine.
struct sUserFolders
{
    sUserFolders()
    {
        QCoreApplication::setApplicationName("Mirrowen");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
        QDir::setCurrent(home.path());
        for (const char* name : {"Controls.xml", "Settings.xml", "Saves/slot0.zvs"}) {
            QDir().mkpath(QFileInfo(name).path());
            QFile::copy(QString(MIRROWEN_SOURCE_DIR) + "/templates/" + name, name);
        }
        cUserFile::MakeFolders();
    }
    QTemporaryDir home;
};

/// Puts the bytes where the user copy of that file lies.
void WriteUserCopy(const char* relativeName, const QByteArray& bytes)
{
    static sUserFolders folders;
    QFile file(cUserFile(relativeName).UserPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

/// A silent audio system and the game's shared assets, loaded as at start-up; message boxes print
/// instead of waiting for a click, as in the tests.
struct sGame
{
    sGame()
    {
        setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
        setenv("MIRROWEN_NONINTERACTIVE", "1", 1);
        audio.Init();
        resources = std::make_unique<cCommonResources>(&audio);
        if (!resources->LoadAll())
            std::abort();
    }
    cAudioSystem audio;
    std::unique_ptr<cCommonResources> resources;
};

sGame& Game()
{
    static sGame game;
    return game;
}

/// A short tone that area files and lists of effects may name as "fuzz/tone.ogg": quicker to decode
/// than any sound of the game.
void MountTone()
{
    static bool mounted = false;
    if (!mounted)
        Resources().Put("tone.ogg", testsounds::EncodeTone(30, 0.5f, 440.0, 1, 8000));
    mounted = true;
}

void Step(physics::World& world, int ticks)
{
    for (int i = 0; i < ticks; ++i)
        world.Step(physics::kGameTimeStep, physics::kGameVelocityIterations, physics::kGamePositionIterations);
}

bool IsFinite(b2Vec2 v)
{
    return std::isfinite(v.x) && std::isfinite(v.y);
}

// ---- the per-user files

BrokenPromises RunControls(const QByteArray& bytes)
{
    WriteUserCopy("Controls.xml", bytes);
    cInputHandler input;
    input.LoadConfig("Controls.xml");
    BrokenPromises broken;
    // What the options menu saves of what was read, the next start reads back.
    const bool saved = input.SaveConfig("Controls.xml");
    cInputHandler next;
    next.LoadConfig("Controls.xml");
    for (eInputKey action : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_JUMP, KEY_NEXT, KEY_PREV, KEY_ROT_LEFT,
                             KEY_ROT_RIGHT}) {
        if (!cInputHandler::IsKeyCode(input.GetKey(action)))
            broken.push_back("action " + std::to_string(action) + " is bound to no key");
        if (saved && next.GetKey(action) != input.GetKey(action))
            broken.push_back("action " + std::to_string(action) + " was saved and read back as another key");
    }
    return broken;
}

BrokenPromises RunSettings(const QByteArray& bytes)
{
    WriteUserCopy("Settings.xml", bytes);
    cGameSettings settings;
    settings.Load("Settings.xml");
    return {};
}

BrokenPromises RunSaveSlot(const QByteArray& bytes)
{
    WriteUserCopy("Saves/slot0.zvs", bytes);
    cSaveGame save;
    if (!save.Load("Saves/slot0.zvs"))
        return {};
    BrokenPromises broken;
    if (save.GetCurrentArea().empty() || save.GetCurrentArea() == "UNINITIALIZED")
        broken.push_back("a slot naming no area loaded");
    std::set<std::string> names;
    for (int i = 0; i < save.GetAreaCount(); ++i) {
        const AreaStatus& record = *save.GetArea(i);
        if (!names.insert(record.name).second || record.name.empty())
            broken.push_back("record " + std::to_string(i) + " is nameless or named twice");
        if (std::abs(record.score) > cSaveGame::kMaxScore)
            broken.push_back("record " + std::to_string(i) + " scored " + std::to_string(record.score));
    }
    return broken;
}

/// Whether every record of before is in after, with its flags and its best score at least as they were.
BrokenPromises RecordsKept(const cSaveGame& before, const cSaveGame& after)
{
    BrokenPromises broken;
    for (int i = 0; i < before.GetAreaCount(); ++i) {
        const AreaStatus& record = *before.GetArea(i);
        const AreaStatus* kept = after.GetArea(after.FindArea(record.name));
        if (!kept || kept->completed < record.completed || kept->unlocked < record.unlocked ||
            kept->score < record.score)
            broken.push_back("record " + std::to_string(i) + " was lost or lowered between two loads");
    }
    return broken;
}

/// The bytes as the player's copy of slot 1, which has no template in the working folder nor beside
/// the test's executable, as the slot menu reads and draws it; a slot it shows as used is resumed,
/// and the area selection books the first area as finished on it and saves it.
BrokenPromises RunSlotMenu(const QByteArray& bytes)
{
    Game();
    static const cFontManager font;
    const std::string slotFile = "Saves/slot1.zvs";
    WriteUserCopy(slotFile.c_str(), bytes);
    // The menu's row of the slot, drawn where a window of 640 x 480 shows it, with the question.
    cSaveSlot slot(&font);
    slot.Init(1);
    slot.SetTextScale(2);
    slot.Draw(192, 271, true, true, 0, nullptr);
    cSaveGame before;
    before.Load(slotFile);
    if (!slot.IsUsed() && !slot.IsDamaged() && !before.IsNew())
        return {"the player's slot shows as never used"};
    if (!slot.IsUsed())
        return {};
    cLevelSelectionScreen selection(1, true);
    selection.AreaFinished("res/Areas/Area0.xml", 1, 1, 0);
    cSaveGame after;
    after.Load(slotFile);
    return RecordsKept(before, after);
}

// ---- the shared attribute reader

BrokenPromises RunAttributes(const QByteArray& bytes)
{
    BrokenPromises broken;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        for (const QXmlStreamAttribute& attribute : attributes) {
            const QByteArray name = attribute.name().toLatin1();
            IntAttribute(attributes, name, 3);
            FlagAttribute(attributes, name, true);
            if (!std::isfinite(FloatAttribute(attributes, name)))
                broken.push_back(name.toStdString() + " read as a number that is not finite");
            const int count = IntAttributeWithin(attributes, name, 3, 1, 100);
            if (count < 1 || count > 100)
                broken.push_back(name.toStdString() + " read as a count outside 1 to 100");
            const float size = FloatAttributeWithin(attributes, name, 2.0f, 0.5f, 1000.0f);
            if (!(size >= 0.5f && size <= 1000.0f))
                broken.push_back(name.toStdString() + " read as a size outside 0.5 to 1000");
        }
    }
    return broken;
}

// ---- the world's files

BrokenPromises RunArea(const QByteArray& bytes)
{
    sGame& game = Game();
    MountTone();
    const QString path = Mount("area.xml", bytes);
    cArea area(path.toStdString(), game.resources.get());
    BrokenPromises broken;
    if (!area.Init(&game.audio, false, false))
        return broken;
    for (int tick = 0; tick < 25; ++tick) {
        area.Update(kTickMs);
        game.audio.Update();
        if (tick % 8 == 0)
            area.Draw(true, true);
    }
    for (const cPhysicsBody* body : area.GetBodies()) {
        if (!IsFinite(body->GetPosition()))
            broken.push_back("a body went out of the finite world");
    }
    if (static_cast<int>(area.GetStars().size()) > cArea::kMaxStars)
        broken.push_back(std::to_string(area.GetStars().size()) + " stars");
    return broken;
}

/// Where dynamic frames find the player: somewhere on the middle floor of a usual area.
class cStandingPlayer : public cFramedArea
{
public:
    void Draw(bool, bool) override {}
    void DrawPhysicsDebug() override {}
    void DrawPlayerPhysics() override {}
    float GetDayNightBlend() const override { return 0.5f; }
    bool GetFocusPlayerCenter(float& x, float& y) const override
    {
        x = 200.0f;
        y = -120.0f;
        return true;
    }
    bool IsPaused() const override { return paused; }
    void SetPaused(bool) override { paused = true; }
    void ClearPaused() override { paused = false; }

private:
    bool paused = false;
};

void Tick(cFrameManager& frames, int ticks)
{
    for (int i = 0; i < ticks; ++i)
        frames.Update(kTickMs);
}

/// The questions the quarter turns and the editor ask of every frame, and a turn to and fro.
void AskFrames(cFrameManager& frames)
{
    for (int set = 0; set < frames.GetFrameSetCount(); ++set) {
        for (const auto& frame : frames.GetFrameSet(set)) {
            frame->GetScaleClass();
            frame->WorldToScreen(100.0f, -100.0f);
            frame->ScreenToWorld(240.0f, 136.0f);
            frame->InsideDepth(100.0f, -100.0f);
            frame->OverlapArea(0.0f, 0.0f, 480.0f, 272.0f);
            frame->OverlapsPlayer(100.0f, -100.0f, 11.0f, 15.0f);
            frame->StartRotateLeft(1);
            for (int i = 0; i < 15; ++i)
                frame->Update(kTickMs);
            frame->StartRotateRight(0);
            for (int i = 0; i < 15; ++i)
                frame->Update(kTickMs);
            frame->ResizeSquareTex(32);
        }
    }
}

/// What the editor's Save writes of the frames, read back: every frame of every set comes back.
BrokenPromises SaveAndReadBack(const cFrameEditor& frames)
{
    static QTemporaryDir dir;
    // A path holding ":/" is opened from the disk, not the resource tree.
    static const bool made = QDir(dir.path()).mkpath("disk:");
    const QString path = dir.filePath("disk:/Area_Frames.xml");
    if (!made || !frames.SaveFrameSets(path))
        return {"the frame sets could not be saved"};
    cFrameEditor reread(nullptr);
    if (!reread.LoadFrameSets(path) || reread.GetFrameSetCount() != frames.GetFrameSetCount())
        return {"the saved frame sets did not read back"};
    for (int set = 0; set < frames.GetFrameSetCount(); ++set) {
        if (reread.GetFrameSet(set).size() != frames.GetFrameSet(set).size())
            return {"frame set " + std::to_string(set) + " lost frames between Save and the next load"};
    }
    return {};
}

BrokenPromises RunFrameSets(const QByteArray& bytes)
{
    cStandingPlayer player;
    cFrameEditor frames(&player);
    if (!frames.LoadFrameSets(Mount("frames.xml", bytes)))
        return {};
    BrokenPromises broken = SaveAndReadBack(frames);
    for (int set = 0; set < frames.GetFrameSetCount(); ++set) {
        for (const auto& frame : frames.GetFrameSet(set)) {
            const QPointF corner = frame->GetTexMin();
            if (corner.x() < 0 || corner.y() < 0 || corner.x() + frame->GetTexWidth() > kTextureSize ||
                corner.y() + frame->GetTexHeight() > kTextureSize)
                broken.push_back("a frame shows texels outside the world texture");
        }
    }
    frames.Resize(960, 544);
    frames.StartFadeIn(600);
    Tick(frames, 32);
    frames.ShakeThenSwitch(200, 6, 6, 40, true);
    Tick(frames, 40);
    frames.SwitchToFrameSet(2, 300);
    Tick(frames, 20);
    frames.FrameAtWindowPoint(480, 272);
    AskFrames(frames);
    frames.StartFadeOut(600);
    Tick(frames, 32);
    return broken;
}

// ---- animations, actors and boxes

BrokenPromises CheckAnimation(cAnimation& animation)
{
    for (unsigned dt : {0u, 20u, 250u, 20u, 70000u, 20u}) {
        animation.Update(dt);
        animation.IsFinished();
        animation.Draw(100.0f, -100.0f, 255, 255, 255, 255, 1);
        animation.DrawScaled(100.0f, 100.0f, 3, 255, 255, 255, 128);
    }
    animation.SetFrame(animation.GetNumFrames() - 1);
    cAnimation copy(animation);
    copy.Update(kTickMs);
    if (animation.GetCurrentFrame() >= animation.GetNumFrames() && animation.GetNumFrames() > 0)
        return {"animation " + animation.GetName().toStdString() + " stands on a frame it does not have"};
    return {};
}

BrokenPromises RunAnimationList(const QByteArray& bytes)
{
    Game();
    std::vector<cAnimation*> list;
    cCommonResources::LoadAnimationList(Mount("animations.xml", bytes), list);
    BrokenPromises broken;
    for (cAnimation* animation : list) {
        const BrokenPromises more = CheckAnimation(*animation);
        broken.insert(broken.end(), more.begin(), more.end());
        delete animation;
    }
    return broken;
}

/// The bytes as a character file, for a character and for a carrier firefly, both in a world that
/// then runs while the character walks and jumps; both drawn.
BrokenPromises RunCharacterFile(const QByteArray& bytes)
{
    Game();
    const QString path = Mount("character.xml", bytes);
    physics::World world;
    cPlayerChar character;
    character.LoadFromXml(path);
    character.Init(&world, 20.0f, 0.0f);
    FireFly firefly;
    firefly.LoadFromXml(path);
    for (int tick = 0; tick < 10; ++tick) {
        character.Walk(FACING_RIGHT);
        character.Update(kTickMs);
        Step(world, 1);
        character.Draw();
        character.DrawScaled(100.0f, 100.0f, 2.0f);
        firefly.Draw();
    }
    character.Jump(false);
    Step(world, 5);
    if (character.HasBody() && !IsFinite(character.GetPosition()))
        return {"the character left the finite world"};
    return {};
}

/// The bytes as the file of an area's exit and of its enter tree, both in one world that then runs
/// while they are drawn.
BrokenPromises RunTreeFile(const QByteArray& bytes)
{
    Game();
    const QString path = Mount("tree.xml", bytes);
    physics::World world;
    cAreaExit exit(path, &world, 60.0f, 0.0f, true, "Next");
    cAreaEnterTree enterTree(&world, path, 100.0f, 0.0f, false);
    for (int tick = 0; tick < 10; ++tick) {
        exit.Update(kTickMs);
        enterTree.Update(kTickMs);
        Step(world, 1);
        exit.DrawDay(1.0f);
        exit.DrawLoF(0.5f);
        enterTree.DrawDay(1.0f);
        enterTree.DrawLoF(0.5f);
    }
    return {};
}

/// The bytes as a plant's file in a world that then runs, and as a score indicator's file; both drawn.
BrokenPromises RunPlantFile(const QByteArray& bytes)
{
    Game();
    const QString path = Mount("plant.xml", bytes);
    physics::World world;
    BasicPlant plant(path, &world, 140, 0, BasicPlant::TYPE_SILENT);
    cScoreIndicator indicator(0.0f, 0.0f);
    indicator.LoadFromXml(path);
    for (int tick = 0; tick < 10; ++tick) {
        plant.Update(kTickMs);
        Step(world, 1);
        plant.Draw();
        indicator.Draw();
    }
    return {};
}

BrokenPromises CheckBox(const CommonHeartBox& box)
{
    BrokenPromises broken;
    for (float value : {box.GetWidth(), box.GetHeight(), box.GetDensity(), box.GetFriction()}) {
        if (!std::isfinite(value) || value < 0)
            broken.push_back("a box body of " + std::to_string(value));
    }
    for (cAnimation* animation : box.GetAnimations()) {
        const BrokenPromises more = CheckAnimation(*animation);
        broken.insert(broken.end(), more.begin(), more.end());
    }
    return broken;
}

/// The bytes as a heart-box file, and as a blueprint list whose entries may name that same file.
BrokenPromises RunHeartBoxes(const QByteArray& bytes)
{
    Game();
    const QString path = Mount("box.xml", bytes);
    CommonHeartBox box;
    box.LoadFromXml(path);
    BrokenPromises broken = CheckBox(box);
    std::vector<CommonHeartBox*> kept;
    kept.swap(gBoxBluePrints);
    cCommonResources::LoadBoxBluePrints(path);
    for (const CommonHeartBox* blueprint : gBoxBluePrints) {
        const BrokenPromises more = CheckBox(*blueprint);
        broken.insert(broken.end(), more.begin(), more.end());
    }
    DeleteAll(gBoxBluePrints);
    gBoxBluePrints.swap(kept);
    return broken;
}

/// The bytes as the files of the actors that only the first and the last area place, and of a
/// mushroom and a glowing one, all in one world that runs while they are drawn.
BrokenPromises RunSceneryFile(const QByteArray& bytes)
{
    Game();
    const QString path = Mount("scenery.xml", bytes);
    physics::World world;
    cMushroom mushroom(path, &world, 40, 0);
    cGlowMushroom glow(path, &world, 80, 0, 300);
    cFallingRock rock(path, &world, 120, 40, false, true);
    cLevel0EnterTree enterTree(path, &world, 160.0f, 0.0f);
    cAreaEndExitTree endTree(path, &world, 220.0f, 0.0f, true, "Next");
    rock.TriggerFall(40);
    for (int tick = 0; tick < 10; ++tick) {
        mushroom.Update(kTickMs);
        glow.Update(kTickMs);
        rock.Update(kTickMs);
        enterTree.Update(kTickMs);
        endTree.Update(kTickMs);
        Step(world, 1);
        mushroom.Draw();
        glow.Draw();
        rock.Draw();
        enterTree.Draw();
        endTree.DrawDay(1.0f);
    }
    endTree.EatHeart(1);
    if (!IsFinite(rock.GetPosition()))
        return {"the rock left the finite world"};
    return {};
}

// ---- the screens' files

BrokenPromises RunLevelOrder(const QByteArray& bytes)
{
    cLevelOrder order;
    if (!order.Load(Mount("order.xml", bytes)))
        return {"a mounted order did not open"};
    for (const auto& area : order.GetAreas())
        order.GetUnlocks(area.fileName);
    return {};
}

/// The bytes as an area file, as the area selection and the interlude read it before the area.
BrokenPromises RunAreaSummary(const QByteArray& bytes)
{
    cAreaSummary summary;
    if (!summary.Read(Mount("summary.xml", bytes).toStdString()))
        return {"a mounted area did not open"};
    if (summary.maxScore < 0)
        return {"an area scores at most " + std::to_string(summary.maxScore)};
    return {};
}

/// The bytes as the area after the interlude and as an area of the selection, both drawn.
BrokenPromises RunInterlude(const QByteArray& bytes)
{
    sGame& game = Game();
    MountTone();
    const std::string path = Mount("interlude.xml", bytes).toStdString();
    cGameSettings settings;
    cMetaLevel interlude(nullptr);
    interlude.InitWithArea(game.resources.get(), &game.audio, &settings, path, 3, 2);
    interlude.Resize(960, 544);
    cLevelContainer cell(0, path);
    cell.ReadAreaFile();
    cell.SetUnlocked(true, false);
    cell.SetBestScore(cell.GetMaxScore());
    cell.Resize(960, 544);
    for (int tick = 0; tick < 5; ++tick) {
        interlude.Update(kTickMs);
        interlude.Draw(false);
        cell.Update(kTickMs);
        cell.DrawButton();
        cell.DrawInfo();
    }
    interlude.Leave(0);
    return {};
}

/// The bytes as a file of menu pages (the options and pause screens keep theirs so), and as one
/// of loose labels, circles and pictures (the credits, how-to-play and title screens): each page
/// with its entries, labels, circles and key buttons, and each loose piece, drawn.
BrokenPromises RunMenus(const QByteArray& bytes)
{
    Game();
    static const cFontManager font;
    std::vector<std::unique_ptr<cMenu>> pages;
    std::vector<std::unique_ptr<cLabel>> labels;
    std::vector<std::unique_ptr<cCircle>> circles;
    std::vector<std::unique_ptr<cAnimation>> pictures;
    ReadActorFile(Mount("menus.xml", bytes), [&](QXmlStreamReader& xml) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("menu")) {
            pages.push_back(std::make_unique<cMenu>(&font));
            pages.back()->LoadFromXml(xml);
        } else if (name == QLatin1String("label")) {
            labels.push_back(std::make_unique<cLabel>());
            labels.back()->LoadFromXml(xml);
        } else if (name == QLatin1String("circle")) {
            circles.push_back(std::make_unique<cCircle>());
            circles.back()->LoadFromXml(xml);
        } else if (name == QLatin1String("animation")) {
            pictures.push_back(std::make_unique<cAnimation>());
            pictures.back()->LoadFromXml(xml, 0);
        }
        return true;
    });
    for (int scale : {1, 3}) {
        for (const auto& page : pages) {
            page->OpenFirst();
            page->SetScales(scale, scale + 1);
            page->Draw(0, 0, scale, 480 * scale, 272 * scale, nullptr, true);
            page->MouseMove(100.0f, 100.0f);
        }
        for (const auto& label : labels) {
            label->DrawAtOffset(240 * scale, 136 * scale, scale, font);
            label->DrawCentred(480 * scale, 272 * scale, scale, 100.0f, font);
        }
        for (const auto& circle : circles)
            circle->Draw(240.0f * scale, 136.0f * scale, scale, 32);
        for (const auto& picture : pictures)
            picture->DrawScaled(10.0f, 10.0f, scale, 255, 255, 255, 255);
    }
    return {};
}

// ---- sounds

/// The bytes as the list of sound effects, whose first and last effects are played (the Ogg target
/// mixes sounds).
BrokenPromises RunSoundList(const QByteArray& bytes)
{
    sGame& game = Game();
    MountTone();
    cSoundLibrary library(&game.audio);
    library.LoadFromXml(":/" + Mount("sfx.xml", bytes));
    for (int id : {-1, 0, library.GetCount() - 1, library.GetCount()})
        library.Play(id, 1.0f, 0);
    std::unique_ptr<cSound> looping(library.MakeSound(library.GetCount() - 1));
    if (looping)
        looping->Play(1.0f, -1, false);
    return {};
}

/// The bytes as an Ogg file of the resource tree, played once, four times and without end at once.
BrokenPromises RunOgg(const QByteArray& bytes)
{
    sGame& game = Game();
    FMOD_SOUND* sound = game.audio.CreateCachedSound(Mount("sound.ogg", bytes), true);
    if (!sound)
        return {};
    for (int loopCount : {0, 3, -1})
        game.audio.PlayOneShot(sound, 1.0f, loopCount);
    for (int tick = 0; tick < 8; ++tick)
        game.audio.Update();
    FMOD_Sound_Release(sound);
    return {};
}

} // namespace

const std::vector<sReaderRun>& ReaderRuns()
{
    static const std::vector<sReaderRun> runs = {
        {"controls", RunControls, false},
        {"settings", RunSettings, false},
        {"saveslot", RunSaveSlot, false},
        {"slotmenu", RunSlotMenu, true},
        {"attributes", RunAttributes, false},
        {"animations", RunAnimationList, true},
        {"characters", RunCharacterFile, true},
        {"trees", RunTreeFile, true},
        {"plants", RunPlantFile, true},
        {"heartboxes", RunHeartBoxes, true},
        {"framesets", RunFrameSets, false},
        {"levelorder", RunLevelOrder, false},
        {"areasummary", RunAreaSummary, false},
        {"scenery", RunSceneryFile, true},
        {"interlude", RunInterlude, true},
        {"menus", RunMenus, true},
        {"soundlist", RunSoundList, true},
        {"area", RunArea, true},
        {"ogg", RunOgg, true},
    };
    return runs;
}

const sReaderRun* FindReaderRun(const std::string& name)
{
    for (const sReaderRun& run : ReaderRuns()) {
        if (name == run.name)
            return &run;
    }
    return nullptr;
}

// The interlude: who speaks and what as the next area's file decides, the music it keeps or
// starts, leaving by a key or a click, the hearts that fly across, and its picture.
#include "ScreenFixture.h"

#include "actors/Heart.h"
#include "player/InputHandler.h"
#include "audio/Sound.h"
#include "engine/Animation.h"
#include "platform/sound/DecodedSound.h"
#include "screens/FlyingHearts.h"
#include "screens/MetaLevel.h"
#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"

#include <QDir>
#include <QRegularExpression>

#include <set>

namespace {

struct sQuoteCase
{
    const char* what;
    QByteArray elements;
    int speaker;       ///< 0: chance decides among 1 to 7
    QString quote;     ///< empty: one of the speaker's own lines
    QString areaName;
};

const sQuoteCase kQuoteCases[] = {
    {"the family", "<Quote ID=\"7\"/>", 8, "We are a family of monsters.", ""},
    {"a fixed speaker and line", "<Metadata name=\"Antler Cave\"/><Quote ID=\"3\" text=\"Mind my antlers!\"/>", 4,
     "Mind my antlers!", "Antler Cave"},
    {"an unknown speaker keeps its line", "<Quote ID=\"9\" text=\"Mind the gap.\"/>", 0, "Mind the gap.", ""},
    {"no quote", "<Metadata name=\"Plain\"/>", 0, "", "Plain"},
    {"a quote without ID counts as none", "<Quote text=\"Not me.\"/>", 0, "", ""},
};

QByteArray AreaFile(const QByteArray& elements)
{
    return "<ZORV_AREA_SAVE_FILE>" + elements + "</ZORV_AREA_SAVE_FILE>";
}

class MetaLevelTest : public ScreenFixture
{
protected:
    std::unique_ptr<cMetaLevel> Make(const std::string& file, cSound* music = nullptr, int pink = 0, int green = 0)
    {
        auto interlude = std::make_unique<cMetaLevel>(music);
        EXPECT_TRUE(interlude->InitWithArea(s_resources.get(), s_audio.get(), nullptr, file, pink, green));
        return interlude;
    }

    /// White pixels (the interlude's text) in the rectangle.
    static int WhiteIn(const GlCanvas& canvas, int x, int y, int w, int h)
    {
        int white = 0;
        for (int py = y; py < y + h; ++py)
            for (int px = x; px < x + w; ++px)
                white += Near(canvas.Pixel(px, py), Qt::white) ? 1 : 0;
        return white;
    }
};

TEST_F(MetaLevelTest, TheNextAreasFileChoosesTheSpeakerAndTheLine)
{
    testsounds::cTestResourceTree tree("metatest");
    for (size_t i = 0; i < std::size(kQuoteCases); ++i)
        tree.Add(QString("case%1.xml").arg(i), AreaFile(kQuoteCases[i].elements));
    ASSERT_TRUE(tree.Mount());

    const std::vector<size_t> pictures = {0, 1, 1, 1, 1, 1, 1, 2, 3};
    for (size_t i = 0; i < std::size(kQuoteCases); ++i) {
        const sQuoteCase& c = kQuoteCases[i];
        SCOPED_TRACE(c.what);
        std::unique_ptr<cMetaLevel> interlude = Make(tree.BarePath(QString("case%1.xml").arg(i)).toStdString());
        std::set<int> speakers;
        // The controller's reset picks anew each time, unless the file fixes the choice.
        for (int start = 0; start < 40; ++start, interlude->Start()) {
            const int speaker = interlude->GetSpeaker();
            speakers.insert(speaker);
            if (c.speaker != 0) {
                EXPECT_EQ(speaker, c.speaker);
            }
            ASSERT_GE(speaker, 1);
            ASSERT_LE(speaker, 8);
            const std::vector<QString> lines = cMetaLevel::SpeakerLines(speaker);
            if (!c.quote.isEmpty())
                EXPECT_EQ(interlude->GetQuote(), c.quote);
            else
                EXPECT_NE(std::find(lines.begin(), lines.end(), interlude->GetQuote()), lines.end());
            EXPECT_EQ(interlude->GetSpeakerPictures().size(), pictures[speaker]);
            EXPECT_EQ(interlude->GetNextAreaName(), c.areaName);
        }
        if (c.speaker == 0) {
            EXPECT_GE(speakers.size(), 3u) << "chance picks among seven speakers";
        }
    }

    const std::vector<size_t> lineCounts = {0, 8, 8, 8, 8, 7, 8, 8, 1};
    for (int speaker = 1; speaker <= 8; ++speaker)
        EXPECT_EQ(cMetaLevel::SpeakerLines(speaker).size(), lineCounts[speaker]) << speaker;
    EXPECT_EQ(cMetaLevel::SpeakerLines(1)[1], "We are on a journey to find the Heart Tree.");
    EXPECT_EQ(cMetaLevel::SpeakerLines(1)[2], cMetaLevel::SpeakerLines(8)[0]);
}

TEST_F(MetaLevelTest, AnAreaThatCannotBeReadStillGetsAnInterlude)
{
    std::unique_ptr<cMetaLevel> interlude;
    const std::string out = StdoutOf([&] { interlude = Make("res/Areas/NoSuchArea.xml"); });
    EXPECT_NE(out.find("ERROR: Invalid XML resource file: :/res/Areas/NoSuchArea.xml"), std::string::npos) << out;
    EXPECT_EQ(interlude->GetNextAreaName(), "");
    EXPECT_GE(interlude->GetSpeaker(), 1);
    EXPECT_LE(interlude->GetSpeaker(), 7);
    EXPECT_FALSE(interlude->GetQuote().isEmpty());
    EXPECT_EQ(interlude->GetNextArea(), "res/Areas/NoSuchArea.xml");
}

TEST_F(MetaLevelTest, TheMusicPlaysOnUntilAKeyOrAClickLeaves)
{
    cRecordedEffects effects;
    // Handed over by the area selection at full volume: it keeps playing as it is.
    cSound* handed = cMetaLevel::StartMusic(s_audio.get(), nullptr);
    handed->UpdateFade(20);
    ASSERT_FLOAT_EQ(handed->GetVolume(), 1.0f);
    std::unique_ptr<cMetaLevel> interlude = Make("res/Areas/FrameSwitch.xml", handed);
    EXPECT_EQ(interlude->GetMusic(), handed);
    EXPECT_FLOAT_EQ(handed->GetVolume(), 1.0f);
    EXPECT_TRUE(handed->IsPlaying());

    // Without a key the interlude never ends by itself.
    cInputHandler input;
    for (int tick = 0; tick < 500; ++tick) {
        ASSERT_EQ(interlude->Update(20), cMetaLevel::RESULT_NONE);
        interlude->HandleInput(&input);
        input.EndTick();
    }
    EXPECT_TRUE(effects.sounds.Take().empty());

    // The key stops the music at once; the interlude reports from its next tick on.
    input.KeyPress(Qt::Key_A, false);
    interlude->HandleInput(&input);
    EXPECT_EQ(interlude->GetMusic(), nullptr);
    const std::vector<int> played = effects.sounds.Take();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_TRUE(std::set<int>({52, 53, 62, 63, 64}).count(played[0])) << played[0];
    EXPECT_EQ(interlude->Update(20), cMetaLevel::RESULT_NEXT_AREA);
    EXPECT_EQ(interlude->Update(20), cMetaLevel::RESULT_NEXT_AREA);

    // Its own music fades in from silence; any mouse button leaves as a key does.
    std::unique_ptr<cMetaLevel> fresh = Make("res/Areas/FrameSwitch.xml");
    ASSERT_NE(fresh->GetMusic(), nullptr);
    EXPECT_FLOAT_EQ(fresh->GetMusic()->GetVolume(), 0.0f);
    EXPECT_EQ(fresh->Update(20), cMetaLevel::RESULT_NONE);
    EXPECT_FLOAT_EQ(fresh->GetMusic()->GetVolume(), 1.0f);
    fresh->MousePress(5, 5, 2, &input);
    EXPECT_EQ(fresh->GetMusic(), nullptr);
    EXPECT_EQ(fresh->Update(20), cMetaLevel::RESULT_NEXT_AREA);
}

TEST_F(MetaLevelTest, TheHeartsFromTheExitFlyAcrossAndAreSpent)
{
    std::unique_ptr<cMetaLevel> interlude = Make("res/Areas/FrameSwitch.xml", nullptr, 3, 2);
    const cFlyingHearts& hearts = *interlude->GetHearts();
    ASSERT_EQ(hearts.GetPinkHearts().size(), 3u);
    ASSERT_EQ(hearts.GetGreenHearts().size(), 2u);
    EXPECT_EQ(hearts.GetGreenHearts()[0]->GetValue(), -1);
    const auto flying = [&] {
        int n = 0;
        for (const auto* list : {&hearts.GetPinkHearts(), &hearts.GetGreenHearts()})
            for (const auto& heart : *list)
                n += heart->IsVisible() ? 1 : 0;
        return n;
    };
    int ticks = 0;
    while (flying() > 0 && ticks < 3000) {
        ASSERT_EQ(interlude->Update(20), cMetaLevel::RESULT_NONE);
        ++ticks;
    }
    EXPECT_EQ(flying(), 0) << "every heart arrives and is spent";
    EXPECT_GT(ticks, 10);
    for (const auto& heart : hearts.GetPinkHearts())
        EXPECT_FALSE(heart->HasBody());
}

TEST_F(MetaLevelTest, ThePictureIsCentredAtTheLargestWholeScale)
{
    testsounds::cTestResourceTree tree("metapicture");
    tree.Add("family.xml", AreaFile("<Metadata name=\"Antler Cave\"/><Quote ID=\"7\"/>"));
    ASSERT_TRUE(tree.Mount());
    std::unique_ptr<cMetaLevel> interlude = Make(tree.BarePath("family.xml").toStdString(), nullptr, 4, 1);
    for (int tick = 0; tick < 40; ++tick)
        interlude->Update(20);

    struct sWindow
    {
        int w, h, scale, offsetX, offsetY;
    };
    for (const sWindow& window : {sWindow{960, 544, 2, 0, 0}, sWindow{1280, 800, 2, 160, 128}, sWindow{700, 440, 1, 110, 84}}) {
        SCOPED_TRACE(window.w);
        interlude->Resize(window.w, window.h);
        // The family: the first picture's width centres all three, twice the scale.
        const cAnimation* first = interlude->GetSpeakerPictures().front();
        const int s = window.scale;
        const int x = (240 - static_cast<int>(first->GetFrameWidth(0)) - 2 * first->GetOffsetX()) * s + window.offsetX;
        const int y = window.offsetY + 150 * s;
        const std::vector<QPoint> spots = {{x - 15 * s, y + 5 * s}, {x + 15 * s, y + 5 * s}, {x, y - 10 * s}};
        EXPECT_EQ(interlude->GetPictureSpots(), spots);

        GlCanvas canvas(window.w, window.h);
        interlude->Draw(false);
        const int left = window.w / 2 - 39 * s;
        EXPECT_GT(WhiteIn(canvas, left - 8 * s, window.offsetY + 30 * s, 80 * s, 9 * s), 20 * s * s)
            << "press any key";
        const QString next = "Next Area: Antler Cave";
        EXPECT_GT(WhiteIn(canvas, window.w / 2 - next.length() * 3 * s - 8 * s, window.offsetY + 220 * s,
                          next.length() * 6 * s, 9 * s),
                  40 * s * s);
        if (window.w == 960)
            canvas.Save("interlude.png");
    }
}

// What the area will play is the area's to decode when it loads; the interlude holds only its music.
TEST_F(MetaLevelTest, TheInterludeDecodesItsOwnMusicAndNothingOfTheNextArea)
{
    const QStringList files = QDir(":/res/Areas").entryList({"*.xml"}).filter(QRegularExpression("^(?!.*_Frames)"));
    ASSERT_GT(files.size(), 20);
    for (const QString& name : files) {
        const std::string file = "res/Areas/" + name.toStdString();
        SCOPED_TRACE(file);
        const int held = cDecodedSound::CountHeld();
        std::unique_ptr<cMetaLevel> interlude = Make(file);
        EXPECT_EQ(cDecodedSound::CountHeld(), held + 1);
    }
}

} // namespace

// Every menu page as a player sees it (the area selection's too), at the default window size and at full HD, its text
// measured on the picture: where a letter drawn in white meets what lies around it (its outline, the other copy of a
// shadowed text, the page), the two differ by at least 4.5:1 (relative-luminance contrast, the figure asked of
// readable text); each line shows, and no two lines run into each other. Letters drawn in other colours (the lilac
// copies, the blue of a chosen entry, the credits' roles) have their figures printed per page. Each page is drawn
// twice, with its text and without, so what every letter covers is known pixel by pixel.
#include "MenuFixture.h"

#include "player/GameSettings.h"
#include "engine/Drawing.h"
#include "engine/Animation.h"
#include "engine/FontManager.h"
#include "engine/SharedAssets.h"
#include "screens/EndScreen.h"
#include "screens/MenuLayout.h"
#include "screens/LevelSelectionScreen.h"
#include "screens/MetaLevel.h"
#include "screens/PauseScreen.h"
#include "screens/StartScreen.h"

#include "tests/support/GlCanvas.h"

#include <qnamespace.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

struct sWindow
{
    int w, h;
};

double Luminance(QRgb c)
{
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

/// Whether a pixel shows a stroke of the run: the tint times the glyph's upper (white) or lower
/// (lilac-white) half, or the blue alphabet's one colour, blended by the run's alpha over what
/// the page shows there.
bool IsLetterPixel(const cFontManager::sTextRun& run, QRgb seen, QRgb behind)
{
    static const int kWhiteHalves[2][3] = {{255, 255, 255}, {0xf4, 0xf0, 0xfa}};
    static const int kBlue[3] = {0x2c, 0x3c, 0x9c};
    const int tint[3] = {run.r, run.g, run.b};
    const int under[3] = {qRed(behind), qGreen(behind), qBlue(behind)};
    const int got[3] = {qRed(seen), qGreen(seen), qBlue(seen)};
    const double alpha = run.a / 255.0;
    for (int half = 0; half < (run.blue ? 1 : 2); ++half) {
        bool near = true;
        for (int c = 0; c < 3 && near; ++c) {
            const double glyph = (run.blue ? kBlue[c] : kWhiteHalves[half][c]) * tint[c] / 255.0;
            near = std::abs(glyph * alpha + under[c] * (1 - alpha) - got[c]) <= 8;
        }
        if (near)
            return true;
    }
    return false;
}

bool IsWhite(const cFontManager::sTextRun& run)
{
    return !run.blue && run.r == 255 && run.g == 255 && run.b == 255 && run.a == 255;
}

/// What the figures of a run are filed under in the printed table.
QString ColourName(const cFontManager::sTextRun& run)
{
    if (IsWhite(run))
        return "white";
    if (run.blue)
        return "blue";
    if (run.r == 136 && run.g == 118 && run.b == 164)
        return "lilac";
    return QString("%1,%2,%3").arg(run.r).arg(run.g).arg(run.b);
}

/// One copy of a line as read off the picture.
struct sCopy
{
    cFontManager::sTextRun run;
    int index = 0; ///< the run's place in the page's drawing order
    int letterPixels = 0;
    double worstContrast = 1e9;
    QRect ink;
};

/// The alphabet and tint of one copy of a text.
struct sTint
{
    bool blue;
    int r, g, b;
    bool operator==(const sTint& o) const { return blue == o.blue && r == o.r && g == o.g && b == o.b; }
};
constexpr sTint kWhiteCopy{false, 255, 255, 255};
constexpr sTint kBlueCopy{true, 255, 255, 255};
constexpr sTint kLilacCopy{false, 136, 118, 164};

/// The copies that the menus draw of some of their lines, back to front: a plain text one copy,
/// a shadowed one blue then white, a coloured one white then blue, the lit names white then
/// lilac and the others lilac then white, the credited roles in their own colour.
const struct
{
    const char* page;
    const char* text;
    std::vector<sTint> copies;
} kTints[] = {
    {"title", "NEW GAME", {kWhiteCopy, kBlueCopy}},
    {"title", "RESUME", {kBlueCopy, kWhiteCopy}},
    {"options-bar", "CONTROLS", {kWhiteCopy, kLilacCopy}},
    {"options-bar", "BACK", {kWhiteCopy, kLilacCopy}},
    {"credits", "The Mirrowen team", {kWhiteCopy}},
    {"credits", "design, code, pictures", {{false, 94, 76, 123}}},
    {"slots-new-game", "GAME SLOT 0", {kBlueCopy, kWhiteCopy}},
    {"slots-back-chosen", "BACK", {kWhiteCopy, kLilacCopy}},
    {"slots-overwrite-question", "OVERWRITE SAVE GAME?", {kWhiteCopy, kBlueCopy}},
    {"pause", "CONTINUE", {kWhiteCopy, kLilacCopy}},
    {"pause", "EXIT", {kLilacCopy, kWhiteCopy}},
    {"end", "MIRROWEN", {kWhiteCopy}},
    {"area-selection", "Areas", {kBlueCopy, kWhiteCopy}},
    {"interlude", "press any key", {kWhiteCopy}},
};

/// One line of text: its copies in the order they were drawn, the front one last.
struct sLine
{
    std::vector<sCopy> copies;
    const sCopy& Front() const { return copies.back(); }
};

class MenuContrastTest : public MenuFixture, public ::testing::WithParamInterface<sWindow>
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        ASSERT_TRUE(settings.Load("Settings.xml"));
        WriteUserCopy("Saves/slot1.zvs", "<ZORV_Save Area=\"res/Areas/FrameSwitch.xml\" Score=\"42\"><Areas/></ZORV_Save>");
        title = std::make_unique<cStartScreen>(-1);
        ASSERT_TRUE(title->Init(s_resources.get(), s_audio.get(), &settings));
        title->Resize(GetParam().w, GetParam().h);
    }
    void TearDown() override
    {
        cFontManager::WatchTextRuns({});
        MenuFixture::TearDown();
    }

    /// One tick of the title screen with that key pressed (0: none).
    void TitleKey(int key)
    {
        title->Update(20);
        cScriptedKeys keys;
        if (key)
            keys.Press(key);
        title->HandleInput(&keys.input);
    }
    void PauseKey(cPauseScreen& pause, int key)
    {
        pause.Update(20);
        cScriptedKeys keys;
        keys.Press(key);
        pause.HandleInput(&keys.input);
        pause.Update(20);
    }

    /// The page drawn with and without its text; every line checked and the picture saved as
    /// contrast-<name>-<w>x<h>.png. Returns the lines and the page without its text.
    std::pair<std::vector<sLine>, QImage> ExpectReadable(const char* name, const std::function<void()>& draw)
    {
        const sWindow window = GetParam();
        std::vector<cFontManager::sTextRun> runs;
        const QImage seen = Draw(draw, [&runs](const cFontManager::sTextRun& run) {
            runs.push_back(run);
            return true;
        });
        SaveScreenshotOf(seen, QString("contrast-%1-%2x%3.png").arg(name).arg(window.w).arg(window.h));
        const QImage behind = Draw(draw, [](const cFontManager::sTextRun&) { return false; });

        std::vector<sLine> lines = Lines(runs);
        EXPECT_FALSE(lines.empty()) << name;
        std::map<QString, double> worst;
        for (sLine& line : lines)
            for (sCopy& copy : line.copies) {
                // The page with every text but this one tells which pixels this one painted.
                Read(copy, seen, Draw(draw, [n = 0, &copy](const cFontManager::sTextRun&) mutable {
                         return n++ != copy.index;
                     }));
                const QString colour = ColourName(copy.run) + (&copy == &line.Front() ? "" : " behind");
                if (copy.letterPixels > 0)
                    worst[colour] = std::min(worst.count(colour) ? worst[colour] : 1e9, copy.worstContrast);
            }
        QString figures;
        for (const auto& [colour, contrast] : worst)
            figures += QString("  %1 %2:1").arg(colour).arg(contrast, 0, 'f', 2);
        printf("contrast %s at %dx%d:%s\n", name, window.w, window.h, qPrintable(figures));
        for (size_t i = 0; i < lines.size(); ++i) {
            const sLine& line = lines[i];
            const QString where =
                QString("%1 at %2x%3: \"%4\"").arg(name).arg(window.w).arg(window.h).arg(line.Front().run.text);
            EXPECT_GE(line.Front().letterPixels, 4 * line.Front().run.text.trimmed().size())
                << where.toStdString() << " is hidden";
            if (IsWhite(line.Front().run))
                EXPECT_GE(line.Front().worstContrast, 4.5) << where.toStdString();
            // No dark panel under the words: the page behind them is what the page shows.
            EXPECT_LT(DarkShare(line.Front().run, behind), 0.2) << where.toStdString();
            for (size_t j = i + 1; j < lines.size(); ++j)
                EXPECT_FALSE(line.Front().ink.intersects(lines[j].Front().ink))
                    << where.toStdString() << " runs into \"" << lines[j].Front().run.text.toStdString() << "\"";
        }
        for (const auto& expected : kTints) {
            if (QLatin1String(expected.page) != QLatin1String(name))
                continue;
            const auto line = std::find_if(lines.begin(), lines.end(),
                                           [&](const sLine& l) { return l.Front().run.text == expected.text; });
            std::vector<sTint> copies; // none when the line is missing
            if (line != lines.end())
                for (const sCopy& copy : line->copies)
                    copies.push_back({copy.run.blue, copy.run.r, copy.run.g, copy.run.b});
            EXPECT_TRUE(copies == expected.copies) << name << ": " << expected.text;
        }
        return {lines, behind};
    }

    /// YES 10 steps right of the question, NO 40 steps right of the YES frame's corner, the
    /// frame centred on YES (every text's first copy stands 4 steps left of its pen).
    void ExpectChoicesWhereTheQuestionPutsThem(const std::vector<sLine>& lines)
    {
        const auto penX = [&lines](const char* text) {
            const auto line = std::find_if(lines.begin(), lines.end(),
                                           [&](const sLine& l) { return l.Front().run.text == text; });
            return line == lines.end() ? -1 : line->copies.front().run.x + 4 * line->copies.front().run.h / cFontManager::kGlyphHeight;
        };
        const int s = MenuPictureScale(GetParam().w, GetParam().h);
        const int frameWidth = int(gCommonAnims.at(14)->GetFrameWidth(0));
        const int yesX = penX("OVERWRITE SAVE GAME?") + 10 * s;
        EXPECT_EQ(penX("YES"), yesX);
        const int frameX = yesX + cFontManager().TextWidth("YES", s) / 2 - frameWidth / 2 * s;
        EXPECT_EQ(penX("NO"), frameX + 40 * s);
    }

    cGameSettings settings;
    std::unique_ptr<cStartScreen> title;

private:
    QImage Draw(const std::function<void()>& draw, std::function<bool(const cFontManager::sTextRun&)> watcher)
    {
        const sWindow window = GetParam();
        GlCanvas canvas(window.w, window.h);
        cFontManager::WatchTextRuns(std::move(watcher));
        draw();
        cFontManager::WatchTextRuns({});
        QImage image(window.w, window.h, QImage::Format_RGBA8888);
        glReadPixels(0, 0, window.w, window.h, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
        return image;
    }
    static void SaveScreenshotOf(const QImage& image, const QString& file)
    {
        const QString dir = QStringLiteral(MIRROWEN_BINARY_DIR "/test-pictures");
        QDir().mkpath(dir);
        image.mirrored().convertToFormat(QImage::Format_RGB32).save(dir + "/" + file);
    }
    /// The share of the run's box where the page behind it is near black.
    static double DarkShare(const cFontManager::sTextRun& run, const QImage& behind)
    {
        const QRect box = QRect(run.x, run.y, run.w, run.h) & behind.rect();
        int dark = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                dark += Luminance(behind.pixel(x, y)) < 0.03 ? 1 : 0;
        return box.isEmpty() ? 0.0 : double(dark) / (box.width() * box.height());
    }
    /// A text drawn again over itself is one line: its shadows first, the letters last.
    static std::vector<sLine> Lines(const std::vector<cFontManager::sTextRun>& runs)
    {
        std::vector<sLine> lines;
        for (int index = 0; index < int(runs.size()); ++index) {
            const cFontManager::sTextRun& run = runs[index];
            if (run.text.trimmed().isEmpty())
                continue;
            const QRect box(run.x, run.y, run.w, run.h);
            auto same = std::find_if(lines.begin(), lines.end(), [&](const sLine& line) {
                const cFontManager::sTextRun& front = line.Front().run;
                return front.text == run.text && QRect(front.x, front.y, front.w, front.h).intersects(box);
            });
            if (same == lines.end())
                lines.push_back(sLine{{sCopy{run, index}}});
            else
                same->copies.push_back(sCopy{run, index});
        }
        return lines;
    }
    /// The copy's strokes where they show, and the worst contrast between a stroke and a
    /// neighbouring pixel that is not one of its strokes; `behind` is the page without the copy.
    static void Read(sCopy& copy, const QImage& seen, const QImage& behind)
    {
        const QRect box = QRect(copy.run.x, copy.run.y, copy.run.w, copy.run.h) & seen.rect();
        const auto stroke = [&](int x, int y) {
            const QRgb s = seen.pixel(x, y), b = behind.pixel(x, y);
            return s != b && IsLetterPixel(copy.run, s, b);
        };
        // A stroke over a pixel of its own colour (a star, a cloud) cannot be told from it.
        const auto unknown = [&](int x, int y) {
            const QRgb s = seen.pixel(x, y), b = behind.pixel(x, y);
            return s == b && IsLetterPixel(copy.run, s, b);
        };
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                if (!stroke(x, y))
                    continue;
                ++copy.letterPixels;
                copy.ink |= QRect(x, y, 1, 1);
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (seen.rect().contains(x + dx, y + dy) && !unknown(x + dx, y + dy) &&
                            (!box.contains(x + dx, y + dy) || !stroke(x + dx, y + dy)))
                            copy.worstContrast =
                                std::min(copy.worstContrast, Contrast(seen.pixel(x, y), seen.pixel(x + dx, y + dy)));
            }
    }
};

TEST_P(MenuContrastTest, EveryPageOfTheTitleAndItsMenusReadsClearly)
{
    const auto [titleLines, titleBehind] = ExpectReadable("title", [this] { title->Draw(false); });
    // The heart before the chosen entry leaves a clear step of the text's scale before its
    // letters: none of the heart's colours (outline, pink, shade, light) shows there.
    const auto chosen = std::find_if(titleLines.begin(), titleLines.end(),
                                     [](const sLine& line) { return line.Front().run.text == "NEW GAME"; });
    ASSERT_NE(chosen, titleLines.end());
    const int t = title->GetTextScale();
    const QRect ink = chosen->Front().ink;
    for (int y = ink.top(); y <= ink.bottom(); ++y)
        for (int x = ink.left() - t; x < ink.left(); ++x)
            for (const char* heart : {"#3b2314", "#f2507e", "#b02a5c", "#ffaac8"})
                ASSERT_FALSE(NearColor(QColor(titleBehind.pixel(x, y)), QColor(heart), 40)) << x << ", " << y;

    // Every page of the title, reached by the keys a player presses; 0 is a tick without a key.
    const struct
    {
        std::vector<int> keys;
        const char* page;
    } kRoute[] = {
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Return}, "options-bar"},
        {{Qt::Key_Return, Qt::Key_Down}, "options-controls"},
        {{Qt::Key_Escape, Qt::Key_Right, Qt::Key_Return}, "options-sound"},
        {{Qt::Key_Escape, Qt::Key_Escape, 0, Qt::Key_Right, Qt::Key_Return}, "credits"},
        {{Qt::Key_Escape, 0, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Return}, "slots-new-game"},
        {{Qt::Key_Up}, "slots-back-chosen"},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, "slots-overwrite-question"},
        {{Qt::Key_Escape, Qt::Key_Escape, 0, Qt::Key_Right, Qt::Key_Return}, "slots-resume"},
    };
    const sWindow window = GetParam();
    for (const auto& step : kRoute) {
        for (int key : step.keys)
            TitleKey(key);
        const auto [lines, behind] = ExpectReadable(step.page, [this] { title->Draw(false); });
        if (QLatin1String(step.page) == QLatin1String("options-controls")) {
            // The page's ring round the window's centre: white radius 93 under lilac 137, 118, 159
            // radius 92, both alpha 203, over the sky; half a step inside the white rim and well
            // inside the lilac disc, at the height of the centre.
            const int f = MenuPictureScale(window.w, window.h) + 1;
            const int y = window.h / 2;
            EXPECT_TRUE(NearColor(behind.pixel(window.w / 2 - 92 * f - f / 2, y), QColor(243, 240, 249), 8));
            EXPECT_TRUE(NearColor(behind.pixel(window.w / 2 - 80 * f, y), QColor(159, 143, 177), 8));
        }
        if (QLatin1String(step.page) == QLatin1String("slots-overwrite-question"))
            ExpectChoicesWhereTheQuestionPutsThem(lines);
    }
}

TEST_P(MenuContrastTest, ThePauseMenuItsHowToPlayAndTheEndScreenReadClearly)
{
    const sWindow window = GetParam();
    cPauseScreen pause;
    ASSERT_TRUE(pause.Init(s_resources.get(), s_audio.get(), &settings));
    pause.Resize(window.w, window.h);
    // Play goes on under the pause menu: the worst case behind light letters is a light sky.
    const auto overPlay = [&] {
        DrawGradientRect(-1, -1, window.w + 1, window.h + 1, 251, 240, 250, 216, 203, 236, 255);
        pause.Paint();
    };
    ExpectReadable("pause", overPlay);
    PauseKey(pause, Qt::Key_Down);
    PauseKey(pause, Qt::Key_Down);
    ExpectReadable("pause-options-selected", overPlay);
    PauseKey(pause, Qt::Key_Down);
    PauseKey(pause, Qt::Key_Return);
    ASSERT_EQ(pause.GetSubScreen(), cPauseScreen::SUB_HOW_TO_PLAY);
    ExpectReadable("how-to-play", overPlay);

    cEndScreen end;
    ASSERT_TRUE(end.Init(s_resources.get(), s_audio.get(), &settings));
    end.Resize(window.w, window.h);
    ExpectReadable("end", [&] { end.Draw(false); });
}

TEST_P(MenuContrastTest, TheAreaSelectionReadsClearly)
{
    const sWindow window = GetParam();
    WriteUserCopy("Saves/slot2.zvs", "<ZORV_Save Area=\"res/Areas/Area0.xml\" Score=\"2\"><Areas>"
                                     "<Area name=\"res/Areas/Area0.xml\" completed=\"1\" unlocked=\"1\" score=\"2\"/>"
                                     "</Areas></ZORV_Save>");
    cLevelSelectionScreen selection(2, false);
    ASSERT_TRUE(selection.Init(s_resources.get(), s_audio.get(), &settings));
    selection.Resize(window.w, window.h);
    for (int tick = 0; tick < 100; ++tick)
        selection.Update(20);
    ExpectReadable("area-selection", [&] { selection.Draw(false); });
}

TEST_P(MenuContrastTest, TheInterludeBeforeTheFirstAreaReadsClearly)
{
    cMetaLevel interlude(nullptr);
    ASSERT_TRUE(interlude.InitWithArea(s_resources.get(), s_audio.get(), &settings, "res/Areas/Area0.xml", 0, 0));
    interlude.Resize(GetParam().w, GetParam().h);
    const auto [lines, behind] = ExpectReadable("interlude", [&] { interlude.Draw(false); });
    EXPECT_GE(lines.size(), 3u) << "the next area, the speaker's line and the key to go on";
}

INSTANTIATE_TEST_SUITE_P(Windows, MenuContrastTest, ::testing::Values(sWindow{960, 544}, sWindow{1920, 1080}));

} // namespace

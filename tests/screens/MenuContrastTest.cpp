// Every menu page as a player sees it (the area selection's too), at the default window size and at full HD, its text
// measured on the picture: letters drawn white or lilac stand out from what lies beside their strokes outside their
// holes (their outline, the page) by at least 4.5:1 (relative-luminance contrast, the figure asked of readable text),
// no outline fills a hole or stands off its strokes, no back copy shows beside them, a shadowed line's blue shows
// down-right of its strokes, each line shows, no two lines run into each other and none stands on a dark panel; the
// figures of letters in other colours are printed per page. Each line is drawn once more without its front copy, so
// what lies behind every letter is known pixel by pixel.
#include "MenuFixture.h"

#include "player/GameSettings.h"
#include "engine/Drawing.h"
#include "engine/Animation.h"
#include "engine/FontManager.h"
#include "engine/SharedAssets.h"
#include "screens/EndScreen.h"
#include "screens/LevelSelectionScreen.h"
#include "screens/MenuLayout.h"
#include "screens/MetaLevel.h"
#include "screens/PauseScreen.h"
#include "screens/StartScreen.h"

#include "tests/support/GlCanvas.h"

#include <qnamespace.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>
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

/// What a glyph pixel of the run looks like over the pixel behind it: the tint times the glyph's
/// upper (white) or lower (lilac-white) half, or the blue alphabet's light strokes or (when `shaded`)
/// those that face into a hole, blended by alpha.
bool IsLetterPixel(const cFontManager::sTextRun& run, QRgb seen, QRgb behind, bool shaded = true)
{
    static const int kWhiteHalves[2][3] = {{255, 255, 255}, {0xf4, 0xf0, 0xfa}};
    static const int kBlue[2][3] = {{0x6a, 0x8c, 0xff}, {0x1f, 0x2b, 0x78}};
    const int tint[3] = {run.r, run.g, run.b};
    const int under[3] = {qRed(behind), qGreen(behind), qBlue(behind)};
    const int got[3] = {qRed(seen), qGreen(seen), qBlue(seen)};
    const double alpha = run.a / 255.0;
    for (int half = 0; half < (run.blue && !shaded ? 1 : 2); ++half) {
        bool near = true;
        for (int c = 0; c < 3 && near; ++c) {
            const double glyph = (run.blue ? kBlue[half][c] : kWhiteHalves[half][c]) * tint[c] / 255.0;
            near = std::abs(glyph * alpha + under[c] * (1 - alpha) - got[c]) <= 8;
        }
        if (near)
            return true;
    }
    return false;
}

/// "white", "blue", "lilac" or the tint's numbers.
QString ColourName(const cFontManager::sTextRun& run)
{
    if (run.blue || (run.r == 255 && run.g == 255 && run.b == 255))
        return run.blue ? "blue" : "white";
    return run.r == 136 && run.g == 118 && run.b == 164 ? "lilac" : QString("%1,%2,%3").arg(run.r).arg(run.g).arg(run.b);
}

/// One line of text as read off the picture: the front copy of a text drawn with its shadows.
struct sLine
{
    cFontManager::sTextRun front;
    int letterPixels = 0;
    double worstContrast = 1e9;
    int strayOutline = 0;    ///< outline pixels in a hole or with no stroke beside them
    int strayCopy = 0;       ///< back copies' stroke pixels showing outside the front's holes
    int shadowedPixels = 0;  ///< strokes whose blue shadow shows two steps down-right
    QRect ink;
    int frontIndex = 0;  ///< the front copy's place among the page's runs
    QStringList tints;   ///< every copy's colour, back to front
    std::vector<cFontManager::sTextRun> backs;
};

/// How some lines are drawn, back to front: plain text one copy, shadowed blue then white,
/// coloured white then blue, a lit name white then lilac, the others lilac then white.
const struct
{
    const char* page;
    const char* text;
    const char* tints;
} kTints[] = {
    {"title", "NEW GAME", "white blue"}, {"title", "RESUME", "blue white"},
    {"options-bar", "CONTROLS", "white lilac"}, {"credits", "design, code, pictures", "94,76,123"},
    {"slots-back-chosen", "BACK", "white lilac"}, {"slots-overwrite-question", "OVERWRITE SAVE GAME?", "white blue"},
    {"pause", "CONTINUE", "white lilac"}, {"pause", "EXIT", "lilac white"},
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
        for (sLine& line : lines) {
            Read(line, seen, behind, Draw(draw, [n = 0, &line](const cFontManager::sTextRun&) mutable {
                     return n++ != line.frontIndex;
                 }), Draw([&line] { DrawAlone(line.front); }, {}));
            const QString colour = ColourName(line.front);
            worst[colour] = std::min(worst.count(colour) ? worst[colour] : 1e9, line.worstContrast);
        }
        QString figures;
        for (const auto& [colour, contrast] : worst)
            figures += QString("  %1 %2:1").arg(colour).arg(contrast, 0, 'f', 2);
        printf("contrast %s at %dx%d:%s\n", name, window.w, window.h, qPrintable(figures));
        for (const auto& expected : kTints)
            for (const sLine& line : lines)
                if (QLatin1String(expected.page) == QLatin1String(name) && line.front.text == expected.text) {
                    EXPECT_EQ(line.tints.join(' '), expected.tints) << name << ": " << expected.text;
                }
        for (size_t i = 0; i < lines.size(); ++i) {
            const sLine& line = lines[i];
            const QString where = QString("%1 at %2x%3: \"%4\"").arg(name).arg(window.w).arg(window.h).arg(line.front.text);
            EXPECT_GE(line.letterPixels, 4 * line.front.text.trimmed().size()) << where.toStdString() << " is hidden";
            if (ColourName(line.front) == "white" || ColourName(line.front) == "lilac") {
                EXPECT_GE(line.worstContrast, 4.5) << where.toStdString();
            }
            EXPECT_EQ(line.strayOutline, 0) << where.toStdString() << " has outline in its holes or off its strokes";
            EXPECT_EQ(line.strayCopy, 0) << where.toStdString() << " shows its back copy beside its strokes";
            if (line.tints.join(' ') == "blue white") {
                EXPECT_GE(line.shadowedPixels * 4, line.letterPixels) << where.toStdString() << " shows no shadow";
            }
            int dark = 0; // a panel under the words would be near black
            const QRect box = QRect(line.front.x, line.front.y, line.front.w, line.front.h) & behind.rect();
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    dark += Luminance(behind.pixel(x, y)) < 0.03 ? 1 : 0;
            EXPECT_LT(dark, box.width() * box.height() / 5) << where.toStdString() << " stands on a panel";
            for (size_t j = i + 1; j < lines.size(); ++j)
                EXPECT_FALSE(line.ink.intersects(lines[j].ink))
                    << where.toStdString() << " runs into \"" << lines[j].front.text.toStdString() << "\"";
        }
        return {lines, behind};
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
    /// The run drawn by itself over black: which pixels its strokes cover. A blue run needs its white
    /// shadow drawn too; its strokes are then the blue ones.
    static void DrawAlone(const cFontManager::sTextRun& run)
    {
        const int s = std::max(1, run.h / cFontManager::kGlyphHeight);
        if (run.blue)
            cFontManager().DrawTextShadowedColored(run.text, run.x + 5 * s, run.y - s, s);
        else
            cFontManager().DrawText(run.text, run.x, run.y, s, run.r, run.g, run.b, run.a);
    }
    static void SaveScreenshotOf(const QImage& image, const QString& file)
    {
        const QString dir = QStringLiteral(MIRROWEN_BINARY_DIR "/test-pictures");
        QDir().mkpath(dir);
        image.mirrored().convertToFormat(QImage::Format_RGB32).save(dir + "/" + file);
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
                return line.front.text == run.text &&
                       QRect(line.front.x, line.front.y, line.front.w, line.front.h).intersects(box);
            });
            if (same == lines.end())
                same = lines.insert(lines.end(), sLine{});
            else
                same->backs.push_back(same->front);
            same->front = run;
            same->frontIndex = index;
            same->tints << ColourName(run);
        }
        return lines;
    }
    /// The front copy's strokes (as drawn alone), the worst contrast between a lit stroke and a pixel beside it outside
    /// the letters' holes (what no path between strokes reaches from around the line), the front copy's outline
    /// pixels in a hole or with no stroke within a step around them, back copies' strokes outside the holes where the
    /// front copy draws nothing, and strokes whose blue shadow shows two steps down-right (image rows run upwards).
    static void Read(sLine& line, const QImage& seen, const QImage& behind, const QImage& frontless, const QImage& alone)
    {
        const int s = std::max(1, line.front.h / cFontManager::kGlyphHeight);
        const QRect area = QRect(line.front.x, line.front.y, line.front.w, line.front.h).adjusted(-2 * s, -2 * s, 2 * s, 2 * s) & seen.rect();
        const auto stroke = [&](QPoint p) { return alone.pixel(p) != qRgb(0, 0, 0) && IsLetterPixel(line.front, alone.pixel(p), qRgb(0, 0, 0)); };
        std::set<std::pair<int, int>> outside;
        for (std::vector<QPoint> todo{area.topLeft()}; !todo.empty();) {
            const QPoint p = todo.back();
            todo.pop_back();
            if (area.contains(p) && !stroke(p) && outside.insert({p.x(), p.y()}).second)
                todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
        }
        const QPoint sides[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        const QPoint around[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
        for (int y = area.top() + 1; y < area.bottom(); ++y)
            for (int x = area.left() + 1; x < area.right(); ++x) {
                const QPoint p(x, y);
                const bool hole = !outside.count({x, y}), mine = seen.pixel(p) != frontless.pixel(p);
                if (!stroke(p)) {
                    bool beside = false;
                    for (int step = 1; step <= s; ++step)
                        for (QPoint d : around)
                            beside = beside || (area.contains(p + d * step) && stroke(p + d * step));
                    line.strayOutline += mine && NearColor(seen.pixel(p), QColor(0x0a, 0x07, 0x10), 12) && (hole || !beside);
                    line.strayCopy += !hole && alone.pixel(p) == qRgb(0, 0, 0) && seen.pixel(p) != behind.pixel(p) &&
                                      std::any_of(line.backs.begin(), line.backs.end(), [&](const cFontManager::sTextRun& back) {
                                          return QRect(back.x, back.y, back.w, back.h).contains(p) &&
                                                 IsLetterPixel(back, seen.pixel(p), behind.pixel(p));
                                      });
                    continue;
                }
                if (!mine || !IsLetterPixel(line.front, seen.pixel(p), frontless.pixel(p)))
                    continue;
                ++line.letterPixels;
                line.ink |= QRect(x, y, 1, 1);
                const QPoint shadow = p + QPoint(2 * s, -2 * s);
                line.shadowedPixels += seen.valid(shadow) && NearColor(seen.pixel(shadow), QColor(0x26, 0x34, 0x8c), 8);
                const bool lit = IsLetterPixel(line.front, seen.pixel(p), frontless.pixel(p), false);
                for (QPoint d : sides)
                    if (lit && !stroke(p + d) && outside.count({p.x() + d.x(), p.y() + d.y()}))
                        line.worstContrast = std::min(line.worstContrast, Contrast(seen.pixel(p), seen.pixel(p + d)));
            }
    }
};

TEST_P(MenuContrastTest, EveryPageOfTheTitleAndItsMenusReadsClearly)
{
    const auto [titleLines, titleBehind] = ExpectReadable("title", [this] { title->Draw(false); });
    // The heart before the chosen entry leaves a clear step of the text's scale before its
    // letters: none of the heart's colours (outline, pink, shade, light) shows there.
    const auto chosen = std::find_if(titleLines.begin(), titleLines.end(),
                                     [](const sLine& line) { return line.front.text == "NEW GAME"; });
    ASSERT_NE(chosen, titleLines.end());
    const int t = title->GetTextScale();
    for (int y = chosen->ink.top(); y <= chosen->ink.bottom(); ++y)
        for (int x = chosen->ink.left() - t; x < chosen->ink.left(); ++x)
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
    const int p = MenuPictureScale(window.w, window.h);
    for (const auto& step : kRoute) {
        for (int key : step.keys)
            TitleKey(key);
        const auto [lines, behind] = ExpectReadable(step.page, [this] { title->Draw(false); });
        const auto pen = [&lines = lines](const char* text) { // a shadowed text's front copy stands 5 steps left
            for (const sLine& line : lines)
                if (line.front.text == text)
                    return line.front.x + 5 * line.front.h / cFontManager::kGlyphHeight;
            return -1;
        };
        if (QLatin1String(step.page) == QLatin1String("slots-overwrite-question")) {
            // YES 10 steps right of the question; NO 40 right of the YES frame, centred on YES.
            const int yes = pen("OVERWRITE SAVE GAME?") + 10 * p;
            EXPECT_EQ(pen("YES"), yes);
            const int frameWidth = int(gCommonAnims.at(14)->GetFrameWidth(0));
            EXPECT_EQ(pen("NO"), yes + cFontManager().TextWidth("YES", p) / 2 - frameWidth / 2 * p + 40 * p);
        }
        if (QLatin1String(step.page) == QLatin1String("options-controls")) {
            // The page's ring: white radius 93 under lilac 137, 118, 159 radius 92, both alpha 203.
            const int f = p + 1, y = window.h / 2;
            EXPECT_TRUE(NearColor(behind.pixel(window.w / 2 - 92 * f - f / 2, y), QColor(243, 240, 249), 8));
            EXPECT_TRUE(NearColor(behind.pixel(window.w / 2 - 80 * f, y), QColor(159, 143, 177), 8));
        }
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

INSTANTIATE_TEST_SUITE_P(Windows, MenuContrastTest, ::testing::Values(sWindow{853, 533}, sWindow{960, 544}, sWindow{1920, 1080}));

} // namespace

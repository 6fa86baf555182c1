#include "engine/FontManager.h"

#include "engine/Animation.h"
#include "engine/SharedAssets.h"

#include <algorithm>
#include <functional>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr int kWhite = 255;
constexpr int kGrayedFrame = 200;

/// A font shorter than the text needs is a content fault worth one line, not one per tick.
void ReportMissingGlyph(const char* list, int index)
{
    static std::set<std::pair<const char*, int>> reported;
    if (reported.insert({list, index}).second)
        printf("\n ERROR: the %s has no glyph %d \n", list, index);
}

/// One of the shared alphabets with the name its error lines give it.
struct sAlphabet
{
    const std::vector<cAnimation*>& glyphs;
    const char* name;
};

sAlphabet White()
{
    return {gWhiteAlphabet, "white alphabet"};
}

sAlphabet Blue()
{
    return {gBlueAlphabet, "blue alphabet"};
}

cAnimation* Glyph(const sAlphabet& alphabet, int index)
{
    if (index < static_cast<int>(alphabet.glyphs.size()) && alphabet.glyphs[index])
        return alphabet.glyphs[index];
    ReportMissingGlyph(alphabet.name, index);
    return nullptr;
}

int GlyphWidth(int index)
{
    if (index < static_cast<int>(gGlyphWidths.size()))
        return gGlyphWidths[index];
    ReportMissingGlyph("glyph widths", index);
    return 0;
}

struct sColor
{
    int r, g, b, a;
};

constexpr sColor kOpaqueWhite{kWhite, kWhite, kWhite, kWhite};

std::function<bool(const cFontManager::sTextRun&)> gTextWatcher;

/// Draws text glyph by glyph from (x0, y), advancing by each glyph's width times s.
void DrawRun(const sAlphabet& alphabet, const QString& text, int x0, int y, int s, sColor c)
{
    if (gTextWatcher &&
        !gTextWatcher({text, x0, y, cFontManager().TextWidth(text, s), cFontManager::kGlyphHeight * s, c.r, c.g, c.b, c.a,
                       &alphabet.glyphs == &gBlueAlphabet}))
        return;
    int advance = 0;
    for (char byte : text.toLatin1()) {
        const int index = cFontManager::GlyphIndex(byte);
        if (cAnimation* glyph = Glyph(alphabet, index))
            glyph->DrawScaled(float(x0 + advance), float(y), s, c.r, c.g, c.b, c.a);
        advance += GlyphWidth(index) * s;
    }
}

} // namespace

void cFontManager::WatchTextRuns(std::function<bool(const sTextRun&)> watcher)
{
    gTextWatcher = std::move(watcher);
}

int cFontManager::GlyphIndex(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    if (u >= 'a' && u <= 'z')
        return 35 + (u - 'a');
    if (u >= '0' && u <= '9')
        return 63 + (u - '0');
    switch (u) {
    case '.': return 26;
    case ',': return 27;
    case '?': return 28;
    case '!': return 29;
    case '(': return 30;
    case ')': return 31;
    case ' ': return 32;
    case 0xA7:
    case '"': return 33;
    case '$': return 34;
    case '/': return 61;
    case ':': return 62;
    case '-': return 73;
    case '+': return 74;
    case '\'': return 75;
    case '*': return 76;
    case '#': return 77;
    default: return 28;
    }
}

int cFontManager::TextWidth(const QString& text, int scale) const
{
    const int s = std::max(1, scale);
    int width = 0;
    for (char byte : text.toLatin1())
        width += GlyphWidth(GlyphIndex(byte)) * s;
    return width;
}

void cFontManager::DrawText(const QString& text, int x, int y, int scale, int r, int g, int b, int a) const
{
    DrawRun(White(), text, x, y, std::max(1, scale), {r, g, b, a});
}

void cFontManager::DrawTextColored(const QString& text, int x, int y, int scale, int r, int g, int b, int a) const
{
    DrawRun(White(), text, x - 4 * scale, y, scale, {r, g, b, a});
}

void cFontManager::DrawTextShadowed(const QString& text, int x, int y, int scale) const
{
    DrawRun(Blue(), text, x - 4 * scale, y, scale, kOpaqueWhite);
    DrawRun(White(), text, x - 5 * scale, y + scale, scale, kOpaqueWhite);
}

void cFontManager::DrawTextShadowedColored(const QString& text, int x, int y, int scale) const
{
    DrawRun(White(), text, x - 4 * scale, y, scale, kOpaqueWhite);
    DrawRun(Blue(), text, x - 5 * scale, y + scale, scale, kOpaqueWhite);
}

bool cFontManager::PlaceMenuText(int mode, int m, int p, int s, int t, sMenuPlacement& out)
{
    switch (mode) {
    case 0: out = {m - p / 2 - 41 * s, m - p / 2 - t / 2}; return true;
    case 1: out = {m + 63 * s, m + p / 2 - t / 2}; return true;
    case 2: out = {m - 46 * s, m - t / 2 - 4 * s}; return true;
    case 3: out = {m - 4 * s, m - 4 * s}; return true;
    case 4:
    case 5: out = {m + p * s - 4 * s, m + p * s - 4 * s}; return true;
    case 6: out = {m - p / 2 - t - 11 * s, m - p / 2 - t}; return true;
    case 7: out = {m - 46 * s, m - t / 2 - 4 * s + p}; return true;
    default: return false;
    }
}

void cFontManager::DrawMenuText(const QString& text, int p, int y, int scale, int screenWidth, int mode, int r, int g,
                                int b, int a, cAnimation* frame, bool grayed) const
{
    const int s = std::max(1, scale);
    sMenuPlacement place;
    if (!PlaceMenuText(mode, screenWidth / 2, p, s, TextWidth(text, s), place))
        return;
    if (frame) {
        const int shade = grayed ? kGrayedFrame : kWhite;
        frame->DrawScaled(float(place.frameX), float(y), s, shade, shade, shade, kWhite);
    }
    DrawRun(White(), text, place.textX, y, s, {r, g, b, a});
}

b2Vec2 cFontManager::MenuTextPosition(const QString& text, int p, int y, int scale, int screenWidth, int mode) const
{
    const int s = std::max(1, scale);
    const int m = screenWidth / 2;
    const int t = TextWidth(text, s);
    switch (mode) {
    case 0: return b2Vec2(float(m - p / 2 - t / 2 + 5 * s), float(y + 5 * s));
    case 1: return b2Vec2(float(m + p / 2 - t / 2 + 5 * s), float(y + 5 * s));
    case 2: return b2Vec2(float(m - t / 2 + s), float(y + 5 * s));
    case 3: return b2Vec2(float(m - t / 2 - 4 * s), float(y));
    case 4:
    case 5: return b2Vec2(float(m + p * s - 4 * s), float(y));
    case 6: return b2Vec2(float(m - p / 2 - t + 5 * s), float(y + 5 * s));
    case 7: return b2Vec2(float(m - t / 2 + p + s), float(y + 5 * s));
    default: return b2Vec2(float(m - t / 2), float(y));
    }
}

b2Vec2 cFontManager::DrawTextLeftOfCentre(const QString& text, int, int y, int scale, int screenWidth, int r, int g,
                                          int b, int a, cAnimation* frame) const
{
    const int s = std::max(1, scale);
    const int start = screenWidth / 2 - TextWidth(text, s);
    if (frame)
        frame->DrawScaled(float(start - 10 * s), float(y), s, kWhite, kWhite, kWhite, kWhite);
    DrawRun(White(), text, start, y, s, {r, g, b, a});
    return b2Vec2(float(start + 5 * s), float(y + 5 * s));
}

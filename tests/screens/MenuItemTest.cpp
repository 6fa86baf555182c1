// One menu entry drawn and pointed at: where its frames answer the mouse, what is drawn over what,
// and what only a highlighted entry shows.
#include "MenuFixture.h"

#include "engine/Animation.h"
#include "engine/FontManager.h"
#include "screens/MenuItem.h"
#include "screens/SetButton.h"

#include "tests/support/GlCanvas.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <gtest/gtest.h>

namespace {

constexpr int kW = 960, kH = 544;
constexpr sMenuColour kNormal{205, 188, 232, 255};

class MenuItemTest : public MenuFixture
{
protected:
    /// Scale 3: texts and pictures at 2, so that a picture's offsets count twice.
    sMenuDrawing Drawing() const
    {
        sMenuDrawing drawing;
        drawing.scale = 3;
        drawing.font = &font;
        drawing.screenWidth = kW;
        drawing.screenHeight = kH;
        drawing.layoutRadius = 92;
        return drawing;
    }
    static std::unique_ptr<cMenuItem> Read(const char* element)
    {
        cXmlText xml(element);
        auto item = std::make_unique<cMenuItem>();
        item->LoadFromXml(xml.reader);
        return item;
    }
    /// The whole window after drawing the entry, y counted up as drawing counts it.
    QImage Picture(cMenuItem& item, bool highlight)
    {
        GlCanvas canvas(kW, kH);
        item.Draw(Drawing(), kNormal, highlight, 0);
        QImage picture(kW, kH, QImage::Format_RGBA8888);
        glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, picture.bits());
        return picture;
    }
    /// The smallest rectangle holding every pixel in which the pictures differ.
    static QRect Difference(const QImage& a, const QImage& b)
    {
        QRect changed;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
        return changed;
    }

    cFontManager font;
};

TEST_F(MenuItemTest, FramesAnswerTheMouseInTheirOwnBoxesWhateverTheirPicturesOffsets)
{
    auto keyboard = Read(R"(<menuitem name="KEYBOARD">
        <menuitem name="JUMP"><setbutton name="SPACE">
            <buttonframe x="0" y="20" w="40" h="16" offsetx="-7" offsety="-2"/></setbutton></menuitem>
        <menuitem name="SAVE" y="-60" layoutposition="0">
            <buttonframe x="44" y="20" w="60" h="16" offsetx="-7" offsety="-8"/></menuitem>
        <menuitem name="DEFAULT" y="-60" layoutposition="1">
            <buttonframe x="44" y="20" w="60" h="16" offsetx="-4" offsety="-8"/></menuitem>
        <menuitem name="CANCEL" y="-79" layoutposition="2">
            <buttonframe x="44" y="20" w="60" h="16" offsetx="-4" offsety="-8"/></menuitem>
    </menuitem>)");
    Picture(*keyboard, false);
    // s = 2. The key field: 40 x 16 from (width / 2 + 5 x scale, its row); the row of index 0
    // stands at height / 2 + 0.4 x radius x scale.
    const cSetButton& field = *keyboard->SubItem(0)->GetSetButton();
    EXPECT_EQ(field.GetX(), kW / 2 + 15);
    EXPECT_EQ(field.GetY(), int(kH / 2 + 0.4f * 92 * 3));
    // Button frames: 60 wide by layout position, from the text's y up 7.
    const struct
    {
        int entry, left, width, height;
    } kBoxes[] = {
        {0, kW / 2 + 15, 80, 32}, {1, kW / 2 - 120, 120, 14}, {2, kW / 2 + 6, 120, 14}, {3, kW / 2 - 60, 120, 14},
    };
    for (const auto& box : kBoxes) {
        const cMenuItem& entry = *keyboard->SubItem(box.entry);
        const int bottom = box.entry == 0 ? field.GetY() : int(entry.GetTextPosition().y);
        const struct
        {
            int x, y;
            bool inside;
        } kPointer[] = {
            {box.left + 1, bottom + 1, true},
            {box.left + box.width - 1, bottom + box.height - 1, true},
            {box.left - 1, bottom + 1, false},
            {box.left + box.width + 1, bottom + 1, false},
            {box.left + 1, bottom - 1, false},
            {box.left + 1, bottom + box.height + 1, false},
        };
        for (const auto& p : kPointer) {
            keyboard->MouseMove(float(p.x), float(p.y));
            EXPECT_EQ(entry.IsHighlighted(), p.inside) << entry.GetName().toStdString() << " at " << p.x << ", " << p.y;
        }
    }
}

TEST_F(MenuItemTest, ButtonFramesAreDrawnOverTheirText)
{
    // An opaque frame over the whole line: nothing of the text may show through it.
    const char* const kFramed = R"(<menuitem name="%1" y="-66" layoutposition="2">
        <buttonframe x="0" y="210" w="60" h="16" offsety="-4"/></menuitem>)";
    auto ok = Read(QString(kFramed).arg("OK").toLatin1());
    auto nameless = Read(QString(kFramed).arg("").toLatin1());
    const QImage withText = Picture(*ok, false);
    const QImage frameOnly = Picture(*nameless, false);
    const int textY = int(ok->GetTextPosition().y);
    const QRect frame(kW / 2 - 60, textY - 8, 120, 32);
    EXPECT_FALSE(Difference(withText.copy(frame), frameOnly.copy(frame)).isValid());
}

TEST_F(MenuItemTest, AHighlightedEntryShowsItsVolumeControlAndControllerPictures)
{
    // Eight opaque frames of the how-to-play picture, each unlike the next.
    auto music = Read(R"(<menuitem name="MUSIC" y="16" layoutposition="6">
        <animation name="volumeControll" x="0" y="210" w="15" h="12" numFrames="8" mpf="100" src="12"/></menuitem>)");
    cAnimation& volume = *music->GetAnimation("volumeControll");
    const QImage plain = Picture(*music, false);
    const QImage atLevel = Picture(*music, true);
    const QRect control = Difference(plain, atLevel);
    ASSERT_TRUE(control.isValid()) << "drawn only while highlighted";
    EXPECT_EQ(control.size(), QSize(30, 24));

    const int level = volume.GetCurrentFrame();
    const struct
    {
        int x, frame;
    } kHalves[] = {{control.left() + 2, 6}, {control.right() - 2, 7}};
    for (const auto& half : kHalves) {
        music->MouseMove(float(half.x), float(control.center().y()));
        const QImage pointed = Picture(*music, true);
        EXPECT_EQ(volume.GetCurrentFrame(), level) << "pointing does not step the level";
        music->MouseMove(0, 0);
        volume.SetFrame(half.frame);
        EXPECT_TRUE(pointed == Picture(*music, true)) << "frame " << half.frame;
        volume.SetFrame(level);
    }

    auto controller = Read(R"(<menuitem name="CONTROLLER" layoutposition="2">
        <animation x="0" y="210" w="15" h="12" src="12"/></menuitem>)");
    const QRect picture = Difference(Picture(*controller, false), Picture(*controller, true));
    ASSERT_TRUE(picture.isValid()) << "drawn only while highlighted";
    const b2Vec2 text = controller->GetTextPosition();
    EXPECT_EQ(picture.topLeft(), QPoint(int(text.x), int(text.y))) << "at the text; rows count up";
}

} // namespace

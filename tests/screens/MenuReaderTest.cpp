// The readers of the menu description files: every element, attribute and default, nesting, and
// reading a page again.
#include "MenuFixture.h"

#include "engine/Animation.h"
#include "screens/Circle.h"
#include "screens/Label.h"
#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/SetButton.h"

#include <qnamespace.h>

#include <gtest/gtest.h>

namespace {

/// What an entry holds after reading one `menuitem` element.
struct sItemCase
{
    const char* element;
    int x, y, layoutPosition, subItems;
    bool grayed, toggle;
};

class MenuItemAttributes : public ::testing::TestWithParam<sItemCase>
{
};

TEST_P(MenuItemAttributes, TakeTheirDefaultsAndReadMalformedNumbersAsZero)
{
    const sItemCase& c = GetParam();
    cXmlText xml(c.element);
    cMenuItem item;
    EXPECT_TRUE(item.LoadFromXml(xml.reader));
    EXPECT_EQ(item.GetX(), c.x);
    EXPECT_EQ(item.GetY(), c.y);
    EXPECT_EQ(item.GetLayoutPosition(), c.layoutPosition);
    EXPECT_EQ(item.SubItemCount(), c.subItems);
    EXPECT_EQ(item.IsGrayed(), c.grayed);
    EXPECT_EQ(item.IsToggle(), c.toggle);
    EXPECT_EQ(item.GetSelectedSubItem(), -1);
    EXPECT_EQ(item.GetTextPosition(), b2Vec2(-10, -10));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MenuItemAttributes,
    ::testing::Values(sItemCase{"<menuitem name=\"A\"/>", 0, 0, 1, 0, false, false},
                      sItemCase{"<menuitem x=\"12\" y=\"-40\" layoutposition=\"0\"/>", 12, -40, 0, 0, false, false},
                      sItemCase{"<menuitem x=\"1.5\" y=\"abc\" layoutposition=\"\"/>", 0, 0, 0, 0, false, false},
                      sItemCase{"<menuitem grayed=\"1\" toggle=\"1\"/>", 0, 0, 1, 0, true, true},
                      sItemCase{"<menuitem grayed=\"2\" toggle=\"2\"/>", 0, 0, 1, 0, false, false},
                      sItemCase{"<menuitem grayed=\"0\"/>", 0, 0, 1, 0, false, false},
                      // A nested entry ends at its own end tag, never its parent's.
                      sItemCase{"<menuitem><menuitem><menuitem/><menuitem/></menuitem><menuitem/></menuitem>", 0, 0,
                                1, 2, false, false},
                      // Known elements inside unknown ones are still read.
                      sItemCase{"<menuitem><group><menuitem/></group><menuitem/></menuitem>", 0, 0, 1, 2, false,
                                false}));

class MenuReaderTest : public MenuFixture
{
};

TEST_F(MenuReaderTest, AnEntryReadsItsPicturesLabelsLinksAndOneKeyField)
{
    cXmlText xml(R"(<menuitem name="KEYBOARD">
        <menuitem name="JUMP" up="3" down="1">
            <setbutton name="SPACE" x="4" y="5"><buttonframe x="0" y="0" w="25" h="16"/></setbutton>
        </menuitem>
        <menuitem name="SAVE" right="0">
            <buttonframe x="0" y="0" w="25" h="16"/>
            <animation name="checkbox" x="0" y="0" w="25" h="16" src="12"/>
            <label name="NOTE"/>
        </menuitem>
    </menuitem>
    <menuitem name="AFTER"/>)");
    cMenuItem keyboard;
    ASSERT_TRUE(keyboard.LoadFromXml(xml.reader));
    EXPECT_EQ(cMenuItem::KeyboardEntry(), &keyboard);
    ASSERT_EQ(keyboard.SubItemCount(), 2);
    EXPECT_EQ(xml.reader.name(), QLatin1String("menuitem")) << "stops on its own end tag";
    EXPECT_TRUE(xml.reader.isEndElement());

    const cMenuItem& jump = *keyboard.SubItem(0);
    ASSERT_NE(jump.GetSetButton(), nullptr);
    EXPECT_EQ(jump.GetSetButton()->GetShownText(), "SPACE");
    EXPECT_EQ(jump.GetSetButton()->GetX(), 4);
    EXPECT_EQ(jump.GetSetButton()->GetY(), 5);
    const cMenuItem& save = *keyboard.SubItem(1);
    EXPECT_EQ(save.GetSetButton(), nullptr);
    EXPECT_NE(save.GetAnimation("checkbox"), nullptr);
    EXPECT_EQ(save.LabelCount(), 1);
}

TEST_F(MenuReaderTest, AKeyFieldShowsTheKeyTheControlsFileBinds)
{
    const char* element = R"(<menuitem name="JUMP"><setbutton name="SPACE"/></menuitem>)";
    struct sRow
    {
        int boundKey;
        const char* shown;
    } rows[] = {{Qt::Key_X, "X"}, {Qt::Key_PageUp, "Page Up"}, {Qt::Key_F13, "?"}, {Qt::Key_Space, "SPACE"}};
    for (const sRow& row : rows) {
        cInputHandler bindings;
        bindings.LoadConfig("Controls.xml");
        bindings.SetKey(KEY_JUMP, row.boundKey);
        ASSERT_TRUE(bindings.SaveConfig("Controls.xml"));
        cXmlText xml(element);
        cMenuItem jump;
        jump.LoadFromXml(xml.reader);
        EXPECT_EQ(jump.GetSetButton()->GetShownText(), row.shown);
        EXPECT_EQ(jump.GetSetButton()->GetCommittedText(), row.shown);
    }
}

TEST_F(MenuReaderTest, APageReadsItsEntriesLabelsAndCirclesAndReplacesThemOnASecondReading)
{
    const QByteArray page = R"(<menu name="CONTROLS" x="30" y="10" style="1">
        <label name="CONTROLS" size="-1"/>
        <menuitem name="KEYBOARD"><menuitem name="LEFT"/></menuitem>
        <circle name="kreis" radius="93" red="255" green="255" blue="255" alpha="203"/>
        <circle name="kreis2" radius="92" red="137" green="118" blue="159" alpha="203"/>
    </menu>)";
    cMenu menu(nullptr);
    for (int reading = 0; reading < 2; ++reading) {
        cXmlText xml(page);
        ASSERT_TRUE(menu.LoadFromXml(xml.reader));
        EXPECT_EQ(menu.GetName(), "CONTROLS");
        EXPECT_EQ(menu.GetX(), 30);
        EXPECT_EQ(menu.GetY(), 10);
        EXPECT_TRUE(menu.IsActive());
        EXPECT_EQ(menu.ItemCount(), 1);
        EXPECT_EQ(menu.LabelCount(), 1);
        EXPECT_EQ(menu.CircleCount(), 2);
        EXPECT_EQ(menu.Item(0)->SubItemCount(), 1);
        EXPECT_TRUE(xml.reader.isEndElement());
        EXPECT_EQ(xml.reader.name(), QLatin1String("menu"));
    }
    EXPECT_EQ(menu.Item(1), nullptr);
}

TEST_F(MenuReaderTest, AnEmptyPageHoldsNothingAndAnswersNoKey)
{
    cXmlText xml(R"(<menu name="CONTINUE" active="0"/>)");
    cMenu menu(nullptr);
    ASSERT_TRUE(menu.LoadFromXml(xml.reader));
    EXPECT_FALSE(menu.IsActive());
    EXPECT_EQ(menu.ItemCount() + menu.LabelCount() + menu.CircleCount(), 0);
    cScriptedKeys keys;
    for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_Return, Qt::Key_Escape}) {
        keys.Press(key);
        EXPECT_EQ(menu.HandleInput(keys.input), cMenu::RESULT_NONE);
        keys.EndTick();
    }
    EXPECT_EQ(menu.Open(), cMenu::RESULT_OPENED);
}

TEST(LabelReader, TakesEveryAttributeWithItsDefault)
{
    cLabel plain;
    cXmlText bare("<label/>");
    plain.LoadFromXml(bare.reader);
    EXPECT_EQ(plain.GetText(), "");
    EXPECT_EQ(plain.GetX(), 0);
    EXPECT_EQ(plain.GetSize(), 0);

    cLabel full;
    cXmlText xml(R"(<label name="BACK" x="-40" y="150" size="-1" R="94" G="76" B="123" A="255"/>)");
    full.LoadFromXml(xml.reader);
    EXPECT_EQ(full.GetText(), "BACK");
    EXPECT_EQ(full.GetX(), -40);
    EXPECT_EQ(full.GetY(), 150);
    EXPECT_EQ(full.GetSize(), -1);
}

TEST(CircleReader, TakesItsRadius)
{
    cCircle circle;
    cXmlText xml(R"(<circle name="kreis" x="5" y="6" radius="37" red="255" green="255" blue="255" alpha="203"/>)");
    circle.LoadFromXml(xml.reader);
    EXPECT_EQ(circle.GetRadius(), 37);
}

} // namespace

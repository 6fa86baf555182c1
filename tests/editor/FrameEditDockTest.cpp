#include "editor/FrameEditDock.h"

#include "world/ComicFrame.h"
#include "world/FrameEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace
{
/// The dock over a frame editor in a 480 x 272 window (one pixel per virtual unit) with two sets:
/// set 0 holds a square frame and a wide one that sticks out left of the screen, set 1 one frame.
struct FrameEditDockTest : testing::Test
{
    void SetUp() override
    {
        editor.AddFrameSet();
        editor.AddFrame(0, 10, 20, 0, 0, 64, 64, 2, true, false);
        editor.AddFrame(0, -6, 150, 100, 200, 64, 32, 1, true, false);
        editor.AddFrameSet();
        editor.AddFrame(1, 0, 0, 0, 0, 16, 16, 1, true, false);
        editor.SetBackground({10, 20, 30, 40, 50, 60});
        editor.SetStarsVisible(true);
        editor.SetOrnament(0);
        editor.Resize(480, 272);
    }

    /// The field beside the label of that text.
    QSpinBox* Field(const char* label) const { return dock.findChild<QSpinBox*>(QLatin1String(label)); }
    QPushButton* Button(const char* text) const
    {
        for (QPushButton* b : dock.findChildren<QPushButton*>())
            if (b->text() == QLatin1String(text))
                return b;
        return nullptr;
    }
    QString Counter() const
    {
        for (QLabel* l : dock.findChildren<QLabel*>())
            if (l->text().contains(QLatin1String(" / ")))
                return l->text();
        return QString();
    }
    /// A click at the middle of a frame, in widget pixels (y down), as the view hands it over.
    void ClickFrame(const cComicFrame& frame)
    {
        const QPointF c = frame.GetCenter();
        editor.SelectAt(static_cast<int>(c.x()), 272 - static_cast<int>(c.y()));
        dock.RefreshSelection();
    }
    const cComicFrame& Frame(int set, int i) const { return *editor.GetFrameSet(set)[i]; }
    /// Ticks until the running switch is over.
    void FinishSwitch()
    {
        for (int t = 0; t < 20; ++t)
            editor.Update(20);
    }

    cFrameEditor editor{nullptr};
    cFrameEditDock dock{nullptr};
};
}

TEST_F(FrameEditDockTest, ShowsThePresentationWithoutChangingIt)
{
    dock.SetFrameEditor(&editor);
    EXPECT_EQ(dock.findChild<QComboBox*>()->currentText(), "Mushrooms");
    EXPECT_TRUE(dock.findChild<QCheckBox*>()->isChecked());
    EXPECT_EQ(Field("Red")->value(), 10);
    EXPECT_EQ(Field("Green")->value(), 20);
    EXPECT_EQ(Field("Blue")->value(), 30);
    EXPECT_EQ(Counter(), "1 / 2");
    EXPECT_EQ(editor.GetBackgroundColor(), (sZorv_BG_Color{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(editor.GetBackground()->GetCurrentRecord(), 0);
    for (const char* label : {"Position X", "Position Y", "Image X", "Image Y", "Image Size", "Scale"})
    {
        EXPECT_TRUE(Field(label)->isReadOnly()) << label;
        EXPECT_TRUE(Field(label)->text().isEmpty()) << label;
    }

    // A frame partly off the screen and with a wide window: the fields cannot show all of it, and
    // showing it must not move or reshape it.
    const cComicFrame& wide = Frame(0, 1);
    ClickFrame(wide);
    ASSERT_EQ(editor.GetSelectedFrame(), &wide);
    EXPECT_EQ(Field("Position X")->value(), 0);
    EXPECT_EQ(Field("Position Y")->value(), 150);
    EXPECT_TRUE(Field("Image Size")->isReadOnly());
    EXPECT_EQ(Field("Image X")->value(), 100);
    EXPECT_EQ(Field("Image Y")->value(), 200);
    EXPECT_EQ(wide.GetScreenPos(), QPointF(-6, 150));
    EXPECT_EQ(wide.GetHomePos(), QPointF(-6, 150));
    EXPECT_EQ(wide.GetTexWidth(), 64);
    EXPECT_EQ(wide.GetTexHeight(), 32);
    // Only a square window moves by its corner.
    Field("Image X")->setValue(120);
    EXPECT_EQ(wide.GetTexMin(), QPointF(100, 200));
}

TEST_F(FrameEditDockTest, ColourEditsKeepAGradientAndAFlatBackgroundFlat)
{
    dock.SetFrameEditor(&editor);
    Field("Red")->setValue(200);
    EXPECT_EQ(editor.GetBackgroundColor(), (sZorv_BG_Color{200, 20, 30, 40, 50, 60}));
    dock.findChild<QComboBox*>()->setCurrentText("None");
    EXPECT_EQ(editor.GetOrnament(), -1);
    dock.findChild<QCheckBox*>()->setChecked(false);
    EXPECT_FALSE(editor.StarsVisible());

    editor.SetBackground({10, 20, 30, -1, -1, -1});
    dock.SetFrameEditor(&editor);
    EXPECT_EQ(dock.findChild<QComboBox*>()->currentText(), "None");
    Field("Blue")->setValue(99);
    EXPECT_EQ(editor.GetBackgroundColor(), (sZorv_BG_Color{10, 20, 99, 10, 20, 99}));
}

TEST_F(FrameEditDockTest, StepsThroughTheFrameSetsBothWays)
{
    dock.SetFrameEditor(&editor);
    ClickFrame(Frame(0, 0));
    Button("-->")->click();
    EXPECT_EQ(Counter(), "2 / 2");
    EXPECT_FALSE(editor.HasSelection());
    FinishSwitch();
    EXPECT_EQ(editor.GetCurrentFrameSet(), 1);
    Button("-->")->click();
    EXPECT_EQ(Counter(), "1 / 2");
    FinishSwitch();
    EXPECT_EQ(editor.GetCurrentFrameSet(), 0);
    Button("<--")->click();
    EXPECT_EQ(Counter(), "2 / 2");
    FinishSwitch();
    EXPECT_EQ(editor.GetCurrentFrameSet(), 1);

    // The frame editor goes with its area: the controls then touch nothing.
    dock.SetFrameEditor(nullptr);
    Button("<--")->click();
    Field("Red")->setValue(1);
    FinishSwitch();
    EXPECT_EQ(editor.GetCurrentFrameSet(), 1);
    EXPECT_EQ(editor.GetBackgroundColor().r, 10);
}

TEST_F(FrameEditDockTest, EditingOneCoordinateOfAFrameOffTheScreenLeavesTheOther)
{
    dock.SetFrameEditor(&editor);
    const cComicFrame& wide = Frame(0, 1);
    ClickFrame(wide);
    Field("Position Y")->setValue(160);
    EXPECT_EQ(wide.GetScreenPos(), QPointF(-6, 160));

    // Below the screen, as a room that a quarter turn brings in, and with its window pushed against
    // the texture's left edge by the keys.
    const cComicFrame& square = Frame(0, 0);
    ClickFrame(square);
    editor.MoveSelection(0, -60);
    editor.MoveSelectionContent(-5, 0);
    dock.RefreshSelection();
    Field("Position X")->setValue(12);
    EXPECT_EQ(square.GetScreenPos(), QPointF(12, -40));
    EXPECT_EQ(square.GetHomePos(), QPointF(12, -40));
    Field("Image Y")->setValue(8);
    EXPECT_EQ(square.GetTexMin(), QPointF(0, 8)) << "the keys stop the window at the texture's edge";
    Field("Image Size")->setValue(512);
    EXPECT_EQ(square.GetTexWidth(), 504) << "as far as the texture reaches from the window's origin";
}

TEST_F(FrameEditDockTest, FillsItsFieldsAsEditsDoGivesTheBackgroundBackAsReadAndKeepsTheFieldsWithoutAnEditor)
{
    // Every changed field tells its listeners, as after an edit.
    int changes = 0;
    const auto count = [&changes] { ++changes; };
    QObject::connect(dock.findChild<QComboBox*>(), QOverload<int>::of(&QComboBox::currentIndexChanged), count);
    QObject::connect(dock.findChild<QCheckBox*>(), &QCheckBox::stateChanged, count);
    for (const char* colour : {"Red", "Green", "Blue"})
        QObject::connect(Field(colour), QOverload<int>::of(&QSpinBox::valueChanged), count);
    editor.SetBackground({300, 20, 30, 40, 50, 60});   // a red beyond what its field holds
    dock.SetFrameEditor(&editor);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(editor.GetBackgroundColor(), (sZorv_BG_Color{300, 20, 30, 40, 50, 60}));

    // A wide window shows size 1, editable as the square one left it; full screen, then no area,
    // the fields go on showing the frame.
    ClickFrame(Frame(0, 0));
    ClickFrame(Frame(0, 1));
    EXPECT_EQ(Field("Image Size")->text(), "1");
    dock.HideEditor();
    dock.SetFrameEditor(nullptr);
    for (const char* label : {"Position X", "Position Y", "Image X", "Image Y", "Image Size", "Scale"})
        EXPECT_FALSE(Field(label)->isReadOnly() || Field(label)->text().isEmpty()) << label;

    // A presentation whose file gave no background gets none from the fields.
    cFrameEditor bare{nullptr};
    bare.AddFrameSet();
    dock.SetFrameEditor(&bare);
    EXPECT_EQ(bare.GetBackground(), nullptr);
}

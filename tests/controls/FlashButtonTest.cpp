#include "controls/FlashButton.h"

#include <cstdlib>
#include <functional>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using State = TFlashButton::DrawState;

// The button looks for the cursor itself at times, so the cursor goes where each event says.
void moveCursor(TFlashButton& button, QPoint pos)
{
    QCursor::setPos(button.mapToGlobal(pos));
}

const QPoint FarAway(500, 500);

void sendMouse(TFlashButton& button, QEvent::Type type, QPoint pos, Qt::MouseButtons held)
{
    moveCursor(button, pos);
    QMouseEvent event(type, pos, button.mapToGlobal(pos), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &event);
}

void enter(TFlashButton& button)
{
    moveCursor(button, {5, 5});
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(&button, &event);
}

void leave(TFlashButton& button)
{
    moveCursor(button, FarAway);
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &event);
}

void press(TFlashButton& button, QPoint at = {5, 5})
{
    sendMouse(button, QEvent::MouseButtonPress, at, Qt::LeftButton);
}

void release(TFlashButton& button, QPoint at = {5, 5})
{
    sendMouse(button, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void click(TFlashButton& button)
{
    enter(button);
    press(button);
    release(button);
}

// Buttons side by side on one parent, as in a tool bar or the section strip.
class FlashButtonGroupTest : public ::testing::Test {
protected:
    FlashButtonGroupTest()
    {
        for (TFlashButton* button : {&a, &b, &c})
            button->setGroupIndex(1);
    }

    QWidget parent;
    TFlashButton a{&parent};
    TFlashButton b{&parent};
    TFlashButton c{&parent};
};

TEST(FlashButtonTest, Defaults)
{
    TFlashButton button;
    EXPECT_EQ(button.size(), QSize(23, 22));
    EXPECT_EQ(button.spacing(), 4);
    EXPECT_EQ(button.margin(), -1);
    EXPECT_EQ(button.numGlyphs(), 1);
    EXPECT_EQ(button.glyphLayout(), TFlashButton::GlyphLayout::GlyphLeft);
    EXPECT_EQ(button.groupIndex(), 0);
    EXPECT_FALSE(button.allowAllUp());
    EXPECT_FALSE(button.isDown());
    EXPECT_EQ(button.focusPolicy(), Qt::TabFocus) << "a Tab stop that a mouse click does not focus";
    EXPECT_EQ(button.fieldNormalColor(), button.palette().color(QPalette::Button));
    EXPECT_EQ(button.fieldSelectedColor(), QColor(0xB0, 0xBC, 0xD0));
    EXPECT_EQ(button.fieldActiveColor(), QColor(0xD0, 0xD4, 0xD8));
    EXPECT_EQ(button.fieldActiveSelected(), QColor(0x84, 0x92, 0xB5));
    EXPECT_EQ(button.bevelSelectedColor(), QColor(0x08, 0x24, 0x66));
    EXPECT_EQ(button.bevelActiveColor(), QColor(0x08, 0x24, 0x66));
}

TEST(FlashButtonTest, OutOfRangeSettingsAreCappedOrIgnored)
{
    TFlashButton button;
    button.setNumGlyphs(7);
    EXPECT_EQ(button.numGlyphs(), 5);
    button.setNumGlyphs(0);
    EXPECT_EQ(button.numGlyphs(), 5);
    button.setMargin(3);
    button.setMargin(-2);
    EXPECT_EQ(button.margin(), 3);
}

TEST(FlashButtonTest, SettingDownOnAPlainButtonHasNoEffect)
{
    TFlashButton button;
    button.setDown(true);
    EXPECT_FALSE(button.isDown());
    EXPECT_EQ(button.drawState(), State::Up);
}

TEST(FlashButtonTest, HoverLightsAnUpButtonAndLeavingPutsItOut)
{
    TFlashButton button;
    enter(button);
    EXPECT_EQ(button.drawState(), State::MouseOver);
    EXPECT_TRUE(button.isMouseInControl());
    leave(button);
    EXPECT_EQ(button.drawState(), State::Up);
    EXPECT_FALSE(button.isMouseInControl());
}

// When a menu or a modal dialog closes over a button, the toolkit may send it the mouse's
// enter but not the leave that follows; the button must not stay lit.
TEST(FlashButtonTest, LitButtonGoesOutWhenTheCursorLeavesWithoutALeaveEvent)
{
    TFlashButton button;
    enter(button);
    QTest::qWait(300);
    EXPECT_EQ(button.drawState(), State::MouseOver) << "the cursor is still over it";

    moveCursor(button, FarAway);
    EXPECT_TRUE(QTest::qWaitFor([&] { return button.drawState() == State::Up; }, 2000));
    EXPECT_FALSE(button.isMouseInControl());
}

TEST(FlashButtonTest, AfterAClickTheHoverFollowsTheCursor)
{
    TFlashButton button;
    // The click opens a dialog, and the mouse is elsewhere when it closes.
    QObject::connect(&button, &TFlashButton::clicked, [&] { moveCursor(button, FarAway); });
    enter(button);
    press(button);
    release(button);
    EXPECT_EQ(button.drawState(), State::Up);
    EXPECT_FALSE(button.isMouseInControl());
}

TEST(FlashButtonTest, HiddenButtonIsNotLit)
{
    QWidget window;
    TFlashButton button(&window);
    window.show();
    enter(button);
    window.hide();
    EXPECT_EQ(button.drawState(), State::Up);
    EXPECT_FALSE(button.isMouseInControl());
}

TEST(FlashButtonTest, PlainButtonClicksAndComesUp)
{
    TFlashButton button;
    QSignalSpy clicks(&button, &TFlashButton::clicked);
    enter(button);
    press(button);
    EXPECT_EQ(button.drawState(), State::Pressed);
    release(button);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button.isDown());
    EXPECT_EQ(button.drawState(), State::MouseOver) << "the pointer is still over it";
}

TEST(FlashButtonTest, ReleasingOutsideFiresNoClick)
{
    TFlashButton button;
    QSignalSpy clicks(&button, &TFlashButton::clicked);
    enter(button);
    press(button);
    sendMouse(button, QEvent::MouseMove, {40, 5}, Qt::LeftButton);
    EXPECT_EQ(button.drawState(), State::Up);
    sendMouse(button, QEvent::MouseMove, {5, 5}, Qt::LeftButton);
    EXPECT_EQ(button.drawState(), State::Pressed);
    release(button, {40, 5});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.drawState(), State::Up);
}

TEST(FlashButtonTest, DisabledButtonIgnoresTheMouse)
{
    TFlashButton button;
    QSignalSpy clicks(&button, &TFlashButton::clicked);
    button.setEnabled(false);
    click(button);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.drawState(), State::Disabled);
    button.setEnabled(true);
    EXPECT_NE(button.drawState(), State::Disabled);
}

TEST_F(FlashButtonGroupTest, GoingDownReleasesTheOtherButtonOfTheGroup)
{
    TFlashButton otherGroup(&parent);
    otherGroup.setGroupIndex(2);
    otherGroup.setDown(true);

    a.setDown(true);
    b.setDown(true);
    EXPECT_FALSE(a.isDown());
    EXPECT_EQ(a.drawState(), State::Up);
    EXPECT_TRUE(b.isDown());
    EXPECT_EQ(b.drawState(), State::Exclusive);
    EXPECT_TRUE(otherGroup.isDown()) << "another group index is another group";
}

TEST_F(FlashButtonGroupTest, ButtonsOnAnotherParentAreAnotherGroup)
{
    QWidget elsewhere;
    TFlashButton stranger(&elsewhere);
    stranger.setGroupIndex(1);
    stranger.setDown(true);
    a.setDown(true);
    EXPECT_TRUE(stranger.isDown());
}

TEST_F(FlashButtonGroupTest, DownButtonStaysDownUnlessAllUpIsAllowed)
{
    a.setDown(true);
    a.setDown(false);
    EXPECT_TRUE(a.isDown());

    a.setAllowAllUp(true);
    EXPECT_TRUE(b.allowAllUp()) << "the group shares the setting";
    a.setDown(false);
    EXPECT_FALSE(a.isDown());
}

TEST_F(FlashButtonGroupTest, ClickPutsAButtonDownAndFires)
{
    a.setDown(true);
    QSignalSpy clicks(&b, &TFlashButton::clicked);
    click(b);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(b.isDown());
    EXPECT_FALSE(a.isDown());
}

TEST_F(FlashButtonGroupTest, ClickOnTheDownButtonKeepsItDownAndStillFires)
{
    a.setDown(true);
    QSignalSpy clicks(&a, &TFlashButton::clicked);
    click(a);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(a.isDown());
    EXPECT_EQ(a.drawState(), State::Exclusive);
}

TEST_F(FlashButtonGroupTest, ReleasingOutsideADownButtonKeepsItDown)
{
    a.setDown(true);
    QSignalSpy clicks(&a, &TFlashButton::clicked);
    enter(a);
    press(a);
    sendMouse(a, QEvent::MouseMove, {40, 5}, Qt::LeftButton);
    release(a, {40, 5});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(a.isDown());
    EXPECT_EQ(a.drawState(), State::Exclusive);
}

TEST_F(FlashButtonGroupTest, DoubleClickFiresOnADownButtonOnly)
{
    a.setDown(true);
    QSignalSpy onDown(&a, &TFlashButton::doubleClicked);
    QSignalSpy onUp(&b, &TFlashButton::doubleClicked);
    for (TFlashButton* button : {&a, &b}) {
        enter(*button);
        press(*button);
        release(*button);
        sendMouse(*button, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton);
        release(*button);
    }
    EXPECT_EQ(onDown.count(), 1);
    EXPECT_EQ(onUp.count(), 1) << "the first click of the pair put b down";
}

struct PaintCase {
    const char* name;
    std::function<void(TFlashButton&)> arrange;
    std::function<QColor(const TFlashButton&)> frame;
    std::function<QColor(const TFlashButton&)> fill;
};

TEST(FlashButtonTest, PaintsEachStateInItsColours)
{
    const auto normal = [](const TFlashButton& b) { return b.fieldNormalColor(); };
    const auto groupDown = [](TFlashButton& b) {
        b.setGroupIndex(1);
        b.setDown(true);
    };
    const PaintCase cases[] = {
        {"up", [](TFlashButton&) {}, normal, normal},
        {"under the mouse", enter, &TFlashButton::bevelSelectedColor, &TFlashButton::fieldSelectedColor},
        {"pressed", [](TFlashButton& b) { enter(b); press(b); }, &TFlashButton::bevelActiveColor,
         &TFlashButton::fieldActiveSelected},
        {"down", groupDown, &TFlashButton::bevelActiveColor, &TFlashButton::fieldActiveColor},
        {"down under the mouse", [&](TFlashButton& b) { groupDown(b); enter(b); },
         &TFlashButton::bevelActiveColor, &TFlashButton::fieldActiveSelected},
        {"disabled while down", [&](TFlashButton& b) { groupDown(b); b.setEnabled(false); }, normal, normal},
        {"own normal colour", [](TFlashButton& b) { b.setFieldNormalColor(Qt::darkCyan); }, normal, normal},
    };
    for (const PaintCase& test : cases) {
        SCOPED_TRACE(test.name);
        QWidget parent;
        TFlashButton button(&parent);
        button.resize(30, 24);
        test.arrange(button);
        const QImage image = button.grab().toImage();
        EXPECT_EQ(image.pixelColor(0, 0), test.frame(button));
        EXPECT_EQ(image.pixelColor(29, 23), test.frame(button));
        EXPECT_EQ(image.pixelColor(15, 12), test.fill(button));
    }
}

TEST(FlashButtonTest, DisabledButtonShowsAGreyedGlyph)
{
    QPixmap red(10, 10);
    red.fill(Qt::red);
    TFlashButton button;
    button.resize(30, 24);
    button.setGlyph(red);
    EXPECT_EQ(button.grab().toImage().pixelColor(15, 12), QColor(Qt::red));

    button.setEnabled(false);
    const QColor greyed = button.grab().toImage().pixelColor(15, 12);
    EXPECT_NE(greyed, QColor(Qt::red));
    EXPECT_LT(std::abs(greyed.red() - greyed.green()), 40) << "no longer red";
}

TEST(FlashButtonTest, GlyphOfEachStateComesFromItsImage)
{
    // Three images side by side: up, disabled, pressed.
    QPixmap strip(30, 10);
    QPainter painter(&strip);
    painter.fillRect(0, 0, 10, 10, Qt::red);
    painter.fillRect(10, 0, 10, 10, Qt::green);
    painter.fillRect(20, 0, 10, 10, Qt::blue);
    painter.end();

    TFlashButton button;
    button.resize(30, 24);
    button.setGlyph(strip);
    button.setNumGlyphs(3);
    EXPECT_EQ(button.grab().toImage().pixelColor(15, 12), QColor(Qt::red));
    enter(button);
    EXPECT_EQ(button.grab().toImage().pixelColor(15, 12), QColor(Qt::red)) << "no image of its own: the first";
    press(button);
    EXPECT_EQ(button.grab().toImage().pixelColor(15, 12), QColor(Qt::blue));
    release(button);
    button.setEnabled(false);
    EXPECT_EQ(button.grab().toImage().pixelColor(15, 12), QColor(Qt::green));
}

TEST(FlashButtonTest, LinkedActionGivesCaptionStateAndClick)
{
    QAction action(QStringLiteral("Печать"));
    action.setToolTip(QStringLiteral("Печать декларации"));
    QSignalSpy triggered(&action, &QAction::triggered);
    TFlashButton button;
    button.setAction(&action);
    EXPECT_EQ(button.caption(), QStringLiteral("Печать"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("Печать декларации"));

    click(button);
    EXPECT_EQ(triggered.count(), 1);

    action.setEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    action.setText(QStringLiteral("Печать..."));
    EXPECT_EQ(button.caption(), QStringLiteral("Печать..."));

    button.setCaption(QStringLiteral("Файл"));
    action.setText(QStringLiteral("Печать"));
    EXPECT_EQ(button.caption(), QStringLiteral("Файл")) << "a caption of the button's own is kept";
}

TEST(FlashButtonTest, ActionIconBecomesTheGlyphOfAButtonWithoutOne)
{
    QPixmap icon(16, 16);
    icon.fill(Qt::blue);
    QAction action(QIcon(icon), QStringLiteral("Открыть"));

    TFlashButton bare;
    bare.setAction(&action);
    EXPECT_EQ(bare.glyph().size(), QSize(16, 16));

    QPixmap own(8, 8);
    own.fill(Qt::red);
    TFlashButton withGlyph;
    withGlyph.setGlyph(own);
    withGlyph.setAction(&action);
    EXPECT_EQ(withGlyph.glyph().size(), QSize(8, 8));
}

TEST(FlashButtonTest, AcceleratorOfTheCaptionClicks)
{
    QWidget window;
    TFlashButton button(&window);
    button.setCaption(QStringLiteral("&Print"));
    QSignalSpy clicks(&button, &TFlashButton::clicked);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);

    button.setEnabled(false);
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

// The keyboard: a group as a column of buttons shown in a window, `a` at the top.
class FlashButtonKeyboardTest : public ::testing::Test {
protected:
    FlashButtonKeyboardTest()
    {
        int top = 0;
        for (TFlashButton* button : {&a, &b, &c}) {
            button->setGeometry(0, top, 80, 30);
            top += 32;
        }
        before.setGeometry(100, 0, 40, 20);
        after.setGeometry(100, 40, 40, 20);
        QWidget::setTabOrder(&before, &a);
        QWidget::setTabOrder(&a, &b);
        QWidget::setTabOrder(&b, &c);
        QWidget::setTabOrder(&c, &after);
        window.resize(200, 120);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void makeGroup()
    {
        for (TFlashButton* button : {&a, &b, &c})
            button->setGroupIndex(1);
    }

    QWidget window;
    QWidget parent{&window};
    TFlashButton before{&window};
    TFlashButton a{&parent};
    TFlashButton b{&parent};
    TFlashButton c{&parent};
    TFlashButton after{&window};
};

TEST_F(FlashButtonKeyboardTest, SpaceAndEnterClickAPlainButton)
{
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int clicks;
    } cases[] = {
        {"Space", Qt::Key_Space, Qt::NoModifier, 1},
        {"Enter", Qt::Key_Return, Qt::NoModifier, 1},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 1},
        {"a letter", Qt::Key_A, Qt::NoModifier, 0},
        {"Ctrl+Enter", Qt::Key_Return, Qt::ControlModifier, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        a.setFocus();
        QSignalSpy clicks(&a, &TFlashButton::clicked);
        QTest::keyClick(&a, test.key, test.modifiers);
        EXPECT_EQ(clicks.count(), test.clicks);
        EXPECT_FALSE(a.isDown()) << "a plain button never stays down";
    }
    a.setEnabled(false);
    QSignalSpy clicks(&a, &TFlashButton::clicked);
    QTest::keyClick(&a, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0) << "a disabled button";
}

TEST_F(FlashButtonKeyboardTest, PlainButtonsAreTabStopsInTurnAndAMouseClickTakesNoFocus)
{
    before.setFocus();
    std::vector<QWidget*> reached;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(reached, (std::vector<QWidget*>{&a, &b, &c, &after}));

    before.setFocus();
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), &before);
}

TEST_F(FlashButtonKeyboardTest, TabStopsAtTheDownButtonOfAGroupAndTheArrowsWalkIt)
{
    makeGroup();
    b.setDown(true);
    before.setFocus();
    QTest::keyClick(&before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &b) << "Tab lands on the button that is down";
    QTest::keyClick(&b, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &after) << "and leaves the group at once";
    QTest::keyClick(&after, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &b);

    const struct {
        const char* name;
        Qt::Key key;
        TFlashButton* from;
        TFlashButton* to;
    } moves[] = {
        {"Down", Qt::Key_Down, &b, &c},
        {"Down past the last", Qt::Key_Down, &c, &a},
        {"Up past the first", Qt::Key_Up, &a, &c},
        {"Right", Qt::Key_Right, &a, &b},
        {"Left", Qt::Key_Left, &b, &a},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(move.name);
        move.from->setFocus();
        QSignalSpy clicks(move.to, &TFlashButton::clicked);
        QTest::keyClick(move.from, move.key);
        EXPECT_EQ(QApplication::focusWidget(), move.to);
        EXPECT_EQ(clicks.count(), 0) << "the arrows move the focus only";
        EXPECT_TRUE(b.isDown());
    }

    c.setEnabled(false);
    b.setFocus();
    QTest::keyClick(&b, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), &a) << "a disabled button is passed over";
}

TEST_F(FlashButtonKeyboardTest, EnterPutsAButtonOfAGroupDownAndFires)
{
    makeGroup();
    a.setDown(true);
    c.setFocus();
    QSignalSpy clicks(&c, &TFlashButton::clicked);
    QTest::keyClick(&c, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(c.isDown());
    EXPECT_FALSE(a.isDown());
    before.setFocus();
    QTest::keyClick(&before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &c) << "the Tab stop went down with the button";

    QTest::keyClick(&c, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_TRUE(c.isDown()) << "Space on the down button keeps it down";

    c.setAllowAllUp(true);
    QTest::keyClick(&c, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_FALSE(c.isDown()) << "where all may be up, Space puts the down button up";
    QTest::keyClick(&c, Qt::Key_Space);
    EXPECT_TRUE(c.isDown()) << "and down again";
}

TEST_F(FlashButtonKeyboardTest, OnlyAButtonFocusedByTheKeyboardDrawsAFocusFrame)
{
    // The frame is the only thing that differs between the pictures of one button.
    a.setCaption(QStringLiteral("Кнопка"));
    const QImage never = a.grab().toImage();
    before.setFocus();
    QTest::keyClick(&before, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &a);
    const QImage focused = a.grab().toImage();
    EXPECT_NE(focused, never);
    QTest::keyClick(&a, Qt::Key_Tab);
    EXPECT_EQ(a.grab().toImage(), never) << "the button keeps its look once the focus left";
}

} // namespace

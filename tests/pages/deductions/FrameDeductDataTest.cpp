#include "pages/deductions/FrameDeductData.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "pages/deductions/FrameCB.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
#include "pages/deductions/FramePensDeduct.h"
#include "pages/deductions/FrameStandartDeduct.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/TabOrderCheck.h"

namespace {

class FrameDeductDataTest : public ::testing::Test {
protected:
    TfrFrameDeductData* open(std::uint8_t declarationType = DeclarationOrdinary)
    {
        host.declaration->DeclarationType = declarationType;
        return container = host.show<TfrFrameDeductData>();
    }

    template <typename Page>
    Page* shown() const
    {
        return dynamic_cast<Page*>(container->currentPage());
    }

    // The tab that is down; nullptr when none is or more than one is.
    TFlashButton* downTab() const
    {
        TFlashButton* down = nullptr;
        for (TFlashButton* tab : tabs()) {
            if (!tab->isDown())
                continue;
            if (down)
                return nullptr;
            down = tab;
        }
        return down;
    }

    std::array<TFlashButton*, 4> tabs() const
    {
        return {container->fbConstructionDeduct, container->fbPensDeduct, container->fbStandartDeduct,
                container->fbCB};
    }

    UserEditCounter edits;
    PageWindow host;
    TfrFrameDeductData* container = nullptr;
};

} // namespace

TEST_F(FrameDeductDataTest, TabsAreTheFourKindsOfDeductions)
{
    open();
    const std::array<QString, 4> captions{QStringLiteral("Имущественный"), QStringLiteral("Социальные"),
                                          QStringLiteral("Стандартные"),
                                          QStringLiteral("Инвестиционные и убытки по ЦБ")};
    const std::array<int, 4> lefts{1, 170, 314, 458};
    const std::array<int, 4> widths{169, 144, 144, 269};
    for (std::size_t i = 0; i < tabs().size(); ++i) {
        EXPECT_EQ(tabs()[i]->caption(), captions[i]);
        EXPECT_EQ(tabs()[i]->x(), lefts[i]);
        EXPECT_EQ(tabs()[i]->width(), widths[i]);
        EXPECT_EQ(tabs()[i]->groupIndex(), 1);
        EXPECT_FALSE(tabs()[i]->toolTip().isEmpty());
    }
    EXPECT_EQ(container->fbPensDeduct->toolTip(), QStringLiteral("Социальные налоговые вычеты"));
}

// A main window of 750 x 550 leaves the deductions about 540 pixels: the tabs narrow to fit there,
// in their order, each caption whole, and stand as put again in a wide window.
TEST_F(FrameDeductDataTest, TabsNarrowToASmallWindowWithoutCuttingTheirCaptions)
{
    open();
    host.window.layout()->setContentsMargins(0, 0, 0, 0);
    for (const int width : {540, 900}) {
        SCOPED_TRACE(width);
        host.window.setFixedWidth(width);
        QApplication::processEvents();
        ASSERT_LE(container->minimumSizeHint().width(), 540);
        const QRect strip = container->pnlDeductData->contentsRect();
        int left = strip.left();
        for (TFlashButton* tab : tabs()) {
            SCOPED_TRACE(tab->caption().toStdString());
            EXPECT_GE(tab->x(), left) << "no overlap";
            EXPECT_LE(tab->geometry().right(), strip.right());
            EXPECT_GT(tab->width(), tab->fontMetrics().horizontalAdvance(tab->caption()));
            left = tab->geometry().right() + 1;
        }
    }
    EXPECT_EQ(container->fbCB->x(), 458) << "as put when there is room";
    EXPECT_EQ(container->fbCB->width(), 269);
}

TEST_F(FrameDeductDataTest, FirstPageDependsOnTheDeclarationType)
{
    struct Case {
        const char* name;
        std::uint8_t type;
        bool standardOnly;
    };
    const Case cases[] = {
        {"resident", DeclarationOrdinary, false},
        {"non-resident", DeclarationNonResident, false},
        {"closing a business", DeclarationClosingBusiness, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(c.type);
        if (c.standardOnly) {
            EXPECT_NE(shown<TfrFrameStandartDeduct>(), nullptr);
            EXPECT_EQ(downTab(), container->fbStandartDeduct);
        } else {
            EXPECT_NE(shown<TfrMultyConstructionDeduct>(), nullptr);
            EXPECT_EQ(downTab(), container->fbConstructionDeduct);
        }
        EXPECT_EQ(container->currentButton(), downTab());
        EXPECT_TRUE(container->fbStandartDeduct->isEnabled());
        for (TFlashButton* other : {container->fbConstructionDeduct, container->fbPensDeduct, container->fbCB})
            EXPECT_EQ(other->isEnabled(), !c.standardOnly);
        delete container;
    }
    EXPECT_EQ(edits.userEdits, 0);
}

TEST_F(FrameDeductDataTest, EachTabShowsItsPage)
{
    open();
    userClick(container->fbPensDeduct);
    EXPECT_NE(shown<TfrFramePensDeduct>(), nullptr);
    EXPECT_EQ(downTab(), container->fbPensDeduct);
    userClick(container->fbCB);
    EXPECT_NE(shown<TfrCB>(), nullptr);
    EXPECT_EQ(downTab(), container->fbCB);
    userClick(container->fbStandartDeduct);
    EXPECT_NE(shown<TfrFrameStandartDeduct>(), nullptr);
    EXPECT_EQ(downTab(), container->fbStandartDeduct);
    // A click from the keyboard leaves the tab as it was; the container presses it.
    container->fbConstructionDeduct->click();
    EXPECT_NE(shown<TfrMultyConstructionDeduct>(), nullptr);
    EXPECT_EQ(downTab(), container->fbConstructionDeduct);
    EXPECT_EQ(container->currentButton(), container->fbConstructionDeduct);
}

TEST_F(FrameDeductDataTest, LeavingAPageSavesItFirstAndTheNextPageReadsTheModel)
{
    open();
    userClick(container->fbStandartDeduct);
    auto* standard = shown<TfrFrameStandartDeduct>();
    ASSERT_NE(standard, nullptr);
    standard->chbGrantingStanDeduct->click();
    standard->rb105->click();

    container->ShowDeductPage(1, 0);
    // Shown for the whole-declaration check: the page before is not asked.
    EXPECT_EQ(host.declaration->StandardDeduct.Granted, 0);

    container->ShowDeductPage(0, 0);
    standard = shown<TfrFrameStandartDeduct>();
    standard->chbGrantingStanDeduct->click();
    standard->rb105->click();
    userClick(container->fbCB);
    EXPECT_EQ(host.declaration->StandardDeduct.Granted, 1);
    EXPECT_EQ(host.declaration->StandardDeduct.PersonalCode, 105);

    userClick(container->fbStandartDeduct);
    standard = shown<TfrFrameStandartDeduct>();
    ASSERT_NE(standard, nullptr);
    EXPECT_TRUE(standard->rb105->isChecked());
}

TEST_F(FrameDeductDataTest, ClickingTheTabOfThePageShownDoesNothing)
{
    open();
    userClick(container->fbStandartDeduct);
    QPointer<TThinkingFrame> standard = container->currentPage();
    shown<TfrFrameStandartDeduct>()->chbGrantingStanDeduct->click();
    userClick(container->fbStandartDeduct);
    EXPECT_EQ(container->currentPage(), standard.data());
    EXPECT_EQ(host.declaration->StandardDeduct.Granted, 0) << "the page was not saved";
    EXPECT_EQ(downTab(), container->fbStandartDeduct);
}

TEST_F(FrameDeductDataTest, AFailingCheckKeepsThePageAndItsTab)
{
    ScriptedCheckAnswers answers;
    open();
    userClick(container->fbPensDeduct);
    auto* social = shown<TfrFramePensDeduct>();
    ASSERT_NE(social, nullptr);
    // Granted without any sum: the social page's check fails.
    social->chbGrantingSocDeduct->click();

    answers.answers = {CheckFix};
    userClick(container->fbStandartDeduct);
    EXPECT_EQ(container->currentPage(), social);
    EXPECT_EQ(downTab(), container->fbPensDeduct);
    EXPECT_EQ(container->currentButton(), container->fbPensDeduct);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(host.declaration->SocialDeduct.Granted, 1) << "saved before the check";

    // "Пропустить все" lets the page go.
    answers.answers = {CheckSkipAll};
    userClick(container->fbStandartDeduct);
    EXPECT_NE(shown<TfrFrameStandartDeduct>(), nullptr);
    EXPECT_EQ(downTab(), container->fbStandartDeduct);
}

TEST_F(FrameDeductDataTest, ProtocolGoesOnToThePageShown)
{
    ScriptedCheckAnswers answers;
    open();
    userClick(container->fbPensDeduct);
    shown<TfrFramePensDeduct>()->chbGrantingSocDeduct->click();
    container->SaveData();
    EXPECT_EQ(host.declaration->SocialDeduct.Granted, 1);
    answers.answers = {CheckFix};
    EXPECT_EQ(container->CheckData(), TfrFramePensDeduct::NoSocialData);
    container->FocusError(TfrFramePensDeduct::NoSocialData);
    EXPECT_TRUE(shown<TfrFramePensDeduct>()->meCharitySum->hasFocus() ||
                QApplication::focusWidget() == nullptr); // offscreen windows may not take focus
}

TEST_F(FrameDeductDataTest, ShowDeductPageChoosesThePageByItsNumber)
{
    struct Case {
        int number;
        const char* expectedName;
        TFlashButton* TfrFrameDeductData::*tab;
    };
    const Case cases[] = {
        {0, "TfrFrameStandartDeduct", &TfrFrameDeductData::fbStandartDeduct},
        {1, "TfrFramePensDeduct", &TfrFrameDeductData::fbPensDeduct},
        {2, "TfrMultyConstructionDeduct", &TfrFrameDeductData::fbConstructionDeduct},
        {3, "TfrMultyConstructionDeduct", &TfrFrameDeductData::fbConstructionDeduct},
        {4, "TfrMultyConstructionDeduct", &TfrFrameDeductData::fbConstructionDeduct},
        {5, "TfrCB", &TfrFrameDeductData::fbCB},
    };
    open();
    userClick(container->fbStandartDeduct);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        container->ShowDeductPage(c.number, 1);
        EXPECT_EQ(downTab(), container->*c.tab);
        EXPECT_EQ(container->currentButton(), container->*c.tab);
        EXPECT_STREQ(container->currentPage()->metaObject()->className(), c.expectedName);
    }
}

TEST_F(FrameDeductDataTest, ShowDeductPageOfThePageShownOnlyFocuses)
{
    open();
    userClick(container->fbStandartDeduct);
    QPointer<TThinkingFrame> standard = container->currentPage();
    shown<TfrFrameStandartDeduct>()->chbGrantingStanDeduct->click();
    container->ShowDeductPage(0, 3);
    EXPECT_EQ(container->currentPage(), standard.data());
    EXPECT_TRUE(shown<TfrFrameStandartDeduct>()->chbGrantingStanDeduct->isChecked());
}

TEST_F(FrameDeductDataTest, TheNestedPageGoesWithTheContainer)
{
    open();
    QPointer<TThinkingFrame> nested = container->currentPage();
    ASSERT_FALSE(nested.isNull());
    delete container;
    EXPECT_TRUE(nested.isNull());
}

// Ctrl+Tab and Ctrl+Shift+Tab go round the tabs the declaration lets the user open, and past
// the last to the first.
TEST_F(FrameDeductDataTest, CtrlTabPassesOverADisabledTab)
{
    struct Case {
        const char* name;
        std::uint8_t type;
        std::vector<TFlashButton* TfrFrameDeductData::*> disabled;
        Qt::KeyboardModifiers modifiers;
        TFlashButton* TfrFrameDeductData::*reached;
    };
    const Case cases[] = {
        {"forward past the social tab", DeclarationOrdinary, {&TfrFrameDeductData::fbPensDeduct},
         Qt::ControlModifier, &TfrFrameDeductData::fbStandartDeduct},
        {"back past the last tab to the one before", DeclarationOrdinary, {&TfrFrameDeductData::fbCB},
         Qt::ControlModifier | Qt::ShiftModifier, &TfrFrameDeductData::fbStandartDeduct},
        {"closing a business: the standard tab stays", DeclarationClosingBusiness, {}, Qt::ControlModifier,
         &TfrFrameDeductData::fbStandartDeduct},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A window of its own: the shortcuts work only in a section the user sees.
        PageWindow window;
        window.declaration->DeclarationType = c.type;
        container = window.show<TfrFrameDeductData>();
        for (auto tab : c.disabled)
            (container->*tab)->setEnabled(false);
        ASSERT_TRUE(showActive(window.window));
        // From inside the page shown, where the focus is.
        ASSERT_TRUE(container->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, c.modifiers);
        EXPECT_EQ(container->currentButton(), container->*c.reached);
        EXPECT_EQ(downTab(), container->*c.reached);
    }
}

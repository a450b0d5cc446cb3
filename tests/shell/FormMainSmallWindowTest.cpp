// The main window at its smallest, 750 x 550: the pages fit the width beside the section column,
// scrolling down where they must and never sideways, and cut no text; every section stays in reach.
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/ThinkingFrame.h"
#include "model/CBDeduct.h"
#include "model/ConstructionDeduct.h"
#include "model/InvDeduct.h"
#include "model/SocialDeduct.h"
#include "model/Trata.h"
#include "pages/deductions/ChildrenGrid.h"
#include "pages/deductions/FrameCB.h"
#include "pages/deductions/FrameDeductData.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
#include "pages/deductions/FramePensDeduct.h"
#include "pages/deductions/FrameStandartDeduct.h"
#include "pages/income/InitialData.h"
#include "pages/income/KudaTratit.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/ProgramFolderTest.h"
#include "tests/support/PageTestSupport.h"

namespace {

class FormMainSmallWindowTest : public ProgramFolderTest {
protected:
    void TearDown() override
    {
        window.reset();
        ProgramFolderTest::TearDown();
    }

    // A declaration that opens every section and fills what the pages show beside their lists:
    // an employer with a salary, a foreign income, an entrepreneur's activity, a refund, an
    // offset, standard deductions with a disabled child, so that the guardian panel shows too, a
    // sum for a child's education and a pension contract, a flat, an investment account and the
    // losses of earlier years.
    void start(const QSize& size)
    {
        window = std::make_unique<TFormMain>(QStringList{}, programFolder());
        mTDeclaration& declaration = window->declaration();
        // Leaving the conditions page finds nothing to correct there.
        declaration.TaxOfficeCode = "7701";
        declaration.SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
        addEmployer(declaration, "ООО \"Ромашка\"");
        addForeignIncome(declaration);
        addBusiness(declaration);
        addRefundApplication(declaration).AllIn = 1;
        addOffsetApplication(declaration);
        declaration.StandardDeduct.Granted = 1;
        declaration.StandardDeduct.SetDisabledChildCountConst(1);
        fillOtherDeductions(declaration);
        window->updateSectionButtons();
        window->show();
        window->resize(size);
        QApplication::processEvents();
    }

    static void fillOtherDeductions(mTDeclaration& declaration)
    {
        mTSocialDeduct& social = declaration.SocialDeduct;
        social.Granted = 1;
        social.AddChildEduSum(Currency::fromWholeRoubles(50'000));
        mTPens& contract = *social.GetPens(social.AddPens());
        contract.ContractKind = 1;
        contract.OrgName = "АО \"НПФ Будущее\"";

        mTConstructionDeduct& property = declaration.ConstructionDeduct;
        property.Granted = 1;
        auto flat = std::make_unique<mTConstructionDeductObj>();
        flat->ObjectCode = 2;
        flat->Cost = Currency::fromWholeRoubles(3'500'000);
        flat->InterestPaid = Currency::fromWholeRoubles(180'000);
        property.AddObject(std::move(flat));

        mTInvDeduct& investment = declaration.InvDeduct;
        investment.Granted = 1;
        investment.GetInfoIIS(investment.AddInfoIIS())->ParticipantName = "АО \"Брокер\"";
        declaration.CBDeduct.Granted = 1;
    }

    QScrollArea* pageScroller() const
    {
        return qobject_cast<QScrollArea*>(window->PnlFormContainer->parentWidget()->parentWidget());
    }

    // Where the user sees `widget` in the page's scroll area.
    QRect inView(const QWidget* widget) const
    {
        QWidget* view = pageScroller()->viewport();
        return {widget->mapTo(view, QPoint(0, 0)), widget->size()};
    }

    // Every control the page shows lies within the width of the view, and shows its text whole.
    void expectWholeControls(QWidget* page) const
    {
        const int viewWidth = pageScroller()->viewport()->width();
        for (QWidget* child : page->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(page) || child->isWindow())
                continue;
            SCOPED_TRACE(child->objectName().toStdString() + " " + child->metaObject()->className());
            const QRect shown = inView(child);
            EXPECT_GE(shown.left(), 0);
            EXPECT_LE(shown.right(), viewWidth - 1);
            if (auto* label = qobject_cast<QLabel*>(child); label && !label->text().isEmpty()) {
                if (label->wordWrap()) {
                    EXPECT_LE(label->heightForWidth(label->width()), label->height());
                } else {
                    EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
                }
            }
            if (qobject_cast<QCheckBox*>(child) || qobject_cast<QRadioButton*>(child)) {
                EXPECT_LE(child->sizeHint().width(), child->width())
                    << static_cast<QAbstractButton*>(child)->text().toStdString();
            }
            // A push button may be narrower than the style would make it, as "..." is, but not
            // than its text.
            if (auto* button = qobject_cast<QPushButton*>(child)) {
                EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width())
                    << button->text().toStdString();
            }
            if (auto* combo = qobject_cast<QComboBox*>(child)) {
                EXPECT_LE(combo->sizeHint().width(), combo->width());
            }
            // A list shows its rows whole, without scrolling sideways on its own.
            if (auto* list = qobject_cast<QTreeView*>(child)) {
                EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
            }
            // A flat button draws its caption on one line, cut at its edges.
            if (auto* flat = qobject_cast<TFlashButton*>(child); flat && !flat->caption().isEmpty()) {
                EXPECT_LT(flat->fontMetrics().horizontalAdvance(QString(flat->caption()).remove(u'&')), flat->width())
                    << flat->caption().toStdString();
            }
        }
    }

    std::unique_ptr<TFormMain> window;
};

// The deductions section on the tab `tab`, its page prepared by `prepare`: the whole section is
// measured, its tab row too.
std::function<QWidget*(TFormMain&)> deductionTab(TFlashButton* TfrFrameDeductData::*tab,
                                                 std::function<void(TThinkingFrame&)> prepare = {})
{
    return [tab, prepare](TFormMain& window) -> QWidget* {
        userClick(window.fbDeduction);
        auto* section = dynamic_cast<TfrFrameDeductData*>(window.currentPage());
        if (!section)
            return nullptr;
        userClick(section->*tab);
        if (section->currentButton() != section->*tab)
            return nullptr;
        if (prepare)
            prepare(*section->currentPage());
        return section;
    };
}

// The section of `button`, the first row of each of its lists chosen, so that what the page shows
// of a row is measured too.
std::function<QWidget*(TFormMain&)> sectionWithRowsChosen(TFlashButton* TFormMain::*button)
{
    return [button](TFormMain& window) -> QWidget* {
        userClick(window.*button);
        if (window.currentButton() != window.*button)
            return nullptr;
        QWidget* page = window.currentPage();
        for (QTreeWidget* list : page->findChildren<QTreeWidget*>()) {
            if (list->isVisibleTo(page) && list->topLevelItemCount() > 0)
                selectRow(list, 0);
        }
        return page;
    };
}

// The refund and offset section, the application in row `row` shown.
std::function<QWidget*(TFormMain&)> applicationShown(int row)
{
    return [row](TFormMain& window) -> QWidget* {
        userClick(window.fbKudaTratit);
        auto* page = dynamic_cast<TfrKudaTratit*>(window.currentPage());
        if (page)
            page->lvSourseIncomeInfo->setCurrentItem(page->lvSourseIncomeInfo->topLevelItem(row));
        return page;
    };
}

TEST_F(FormMainSmallWindowTest, PagesFitTheWidthBesideTheSectionColumn)
{
    struct Case {
        const char* name;
        std::function<QWidget*(TFormMain&)> open;
    };
    const Case cases[] = {
        {"conditions",
         [](TFormMain& window) -> QWidget* {
             userClick(window.fbInitialData);
             return dynamic_cast<TfrInitialData*>(window.currentPage());
         }},
        {"personal data", sectionWithRowsChosen(&TFormMain::fbPrsonInfo)},
        {"income in Russia, a source and its salary chosen", sectionWithRowsChosen(&TFormMain::fbRussianIncome)},
        {"foreign income, an income chosen", sectionWithRowsChosen(&TFormMain::fbForeignIncome)},
        {"entrepreneurs, an activity chosen", sectionWithRowsChosen(&TFormMain::fbBusinessIncome)},
        {"refund and offset, a refund shown", applicationShown(0)},
        {"refund and offset, an offset shown", applicationShown(1)},
        {"standard deductions",
         deductionTab(&TfrFrameDeductData::fbStandartDeduct,
                      [](TThinkingFrame& page) {
                          auto& standard = dynamic_cast<TfrFrameStandartDeduct&>(page);
                          EXPECT_TRUE(standard.children->pnlPopOp->isVisible()) << "the guardian panel is measured too";
                      })},
        {"social deductions, a sum for a child and a contract chosen",
         deductionTab(&TfrFrameDeductData::fbPensDeduct,
                      [](TThinkingFrame& page) {
                          auto& social = dynamic_cast<TfrFramePensDeduct&>(page);
                          EXPECT_EQ(social.lvSumList->topLevelItemCount(), 1);
                          selectRow(social.lvPensInfo, 0);
                      })},
        {"property deduction, an object chosen",
         deductionTab(&TfrFrameDeductData::fbConstructionDeduct,
                      [](TThinkingFrame& page) {
                          auto& property = dynamic_cast<TfrMultyConstructionDeduct&>(page);
                          selectRow(property.lvObjInfo, 0);
                          EXPECT_TRUE(property.meVychUpr->isEnabled()) << "the sums of an object are measured";
                      })},
        {"investment deductions and losses, an account chosen",
         deductionTab(&TfrFrameDeductData::fbCB,
                      [](TThinkingFrame& page) {
                          auto& investment = dynamic_cast<TfrCB&>(page);
                          selectRow(investment.lvObjInfo, 0);
                          EXPECT_TRUE(investment.meCB->isEnabled()) << "the losses are measured";
                      })},
    };
    for (const QSize size : {QSize(750, 550), QSize(1920, 1080)}) {
        // A check on leaving a page never waits for the user; each page is still shown.
        ScriptedCheckAnswers script;
        start(size);
        ASSERT_EQ(window->size(), size);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (size.width() == 750 ? " in the smallest window" : " in a wide window"));
            QWidget* page = c.open(*window);
            ASSERT_NE(page, nullptr);
            QApplication::processEvents();
            EXPECT_FALSE(pageScroller()->horizontalScrollBar()->isVisible()) << "the page scrolls sideways";
            EXPECT_EQ(pageScroller()->horizontalScrollBar()->maximum(), 0);
            expectWholeControls(page);
        }
        EXPECT_TRUE(messages.empty());
    }
}

// The section column lays its buttons out in the window's height: the last one is never below
// the window's edge, even before the user scrolls.
TEST_F(FormMainSmallWindowTest, TheLastSectionButtonIsWithinTheWindow)
{
    start(QSize(750, 550));
    const QRect lastButton(window->fbKudaTratit->mapTo(window.get(), QPoint(0, 0)), window->fbKudaTratit->size());
    EXPECT_TRUE(window->rect().contains(lastButton));
    auto* sectionScroller = qobject_cast<QScrollArea*>(window->PnlSelectGroup->parentWidget()->parentWidget());
    ASSERT_NE(sectionScroller, nullptr);
    const QRect inColumn(window->fbKudaTratit->mapTo(sectionScroller->viewport(), QPoint(0, 0)),
                         window->fbKudaTratit->size());
    EXPECT_TRUE(sectionScroller->viewport()->rect().contains(inColumn)) << "the last section is out of sight";
}

} // namespace

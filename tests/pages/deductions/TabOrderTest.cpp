#include <algorithm>
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "model/DayDate.h"
#include "pages/deductions/ChildEduSumDialog.h"
#include "pages/deductions/FrameCB.h"
#include "pages/deductions/FrameDeductData.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
#include "pages/deductions/FramePensDeduct.h"
#include "pages/deductions/FrameStandartDeduct.h"
#include "pages/deductions/InfoIISDialog.h"
#include "pages/deductions/InputConstruction.h"
#include "pages/deductions/MonthDialogs.h"
#include "pages/deductions/SoursePensDialog.h"
#include "tests/pages/deductions/DeductionRecords.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/TabOrderCheck.h"

namespace {

// The order Tab should take inside `area`: as the controls stand on the screen, except that each
// of `wholeGroups` (group boxes that stand beside another) is walked whole, in its own screen
// order, from where its first control stands.
QStringList expectedOrder(QWidget* area, const QList<QWidget*>& wholeGroups)
{
    QStringList order = screenOrder(area);
    for (QWidget* group : wholeGroups) {
        const QStringList inside = screenOrder(group);
        qsizetype at = order.size();
        for (const QString& name : inside) {
            const qsizetype found = order.indexOf(name);
            if (found < 0)
                continue;
            at = std::min(at, found);
            order.removeAt(found);
        }
        for (qsizetype i = 0; i < inside.size(); ++i)
            order.insert(at + i, inside[i]);
    }
    return order;
}

void expectTabFollowsTheControls(QWidget* area, const QList<QWidget*>& wholeGroups = {})
{
    const QStringList expected = expectedOrder(area, wholeGroups);
    ASSERT_GE(expected.size(), 2) << "nothing to Tab through";
    QWidget* first = nullptr;
    for (QWidget* widget : area->findChildren<QWidget*>()) {
        if (controlName(widget) == expected.front() && widget->isVisible())
            first = widget;
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(tabWalkWithin(area, first).join(u' ').toStdString(), expected.join(u' ').toStdString());
}

double date(int year, int month, int day)
{
    return *encodeDate(year, month, day);
}

// Every deduction with something in its lists, so that the optional controls show.
void fillDeductions(mTDeclaration& declaration)
{
    addChildEduSum(declaration);
    addContract(declaration);
    addAccount(declaration);
    declaration.CBDeduct.Granted = 1;

    mTConstructionDeduct& property = declaration.ConstructionDeduct;
    property.Granted = 1;
    auto flat = std::make_unique<mTConstructionDeductObj>();
    flat->ObjectCode = 2;
    flat->DwellingRegDate = date(2019, 6, 15);
    flat->ActDate = date(2019, 5, 20);
    flat->Cost = roubles(3'500'000);
    flat->InterestPaid = roubles(180'000);
    property.AddObject(std::move(flat));

    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindBusiness);
    declaration.StandardDeduct.Granted = 1;
    // A disabled child shows the guardian's box.
    declaration.StandardDeduct.SetDisabledChildCountConst(1);
}

// What a case shows and how Tab is to walk it.
struct Shown {
    QWidget* area;
    QList<QWidget*> wholeGroups;
};

struct PageCase {
    const char* name;
    int width;
    std::function<Shown(PageWindow&)> show;
};

// The group boxes of a deduction page that stand beside another where the window is wide.
QList<QWidget*> wholeGroupsOf(QWidget* page)
{
    // The column of sums and the list of sums for children, each in its box.
    if (auto* social = qobject_cast<TfrFramePensDeduct*>(page))
        return {social->gbSimplSocialDeduct, social->gbChildrensEduDeduct};
    // The cost and the interest: one under the other in a narrow window, each box is walked
    // whole either way.
    if (auto* property = qobject_cast<TfrMultyConstructionDeduct*>(page))
        return {property->gbChargeSum, property->gbCreditSum};
    return {};
}

Shown socialPage(PageWindow& host)
{
    auto* page = host.show<TfrFramePensDeduct>();
    selectRow(page->lvPensInfo, 0);
    return {page, wholeGroupsOf(page)};
}

Shown investmentPage(PageWindow& host)
{
    auto* page = host.show<TfrCB>();
    selectRow(page->lvObjInfo, 0);
    return {page, {}};
}

Shown investmentPageWithoutAccounts(PageWindow& host)
{
    host.declaration->InvDeduct.DeleteInfoIIS(0);
    auto* page = host.show<TfrCB>();
    EXPECT_TRUE(page->chbIsP3->isEnabled());
    return {page, {}};
}

Shown propertyPage(PageWindow& host)
{
    auto* page = host.show<TfrMultyConstructionDeduct>();
    selectRow(page->lvObjInfo, 0);
    return {page, wholeGroupsOf(page)};
}

Shown standardPage(PageWindow& host)
{
    auto* page = host.show<TfrFrameStandartDeduct>();
    page->rbOneParent->click();
    return {page, {}};
}

Shown standardPageWithoutBusiness(PageWindow& host)
{
    host.declaration->SetIncomeKinds(host.declaration->IncomeKinds() & ~IncomeKindBusiness);
    host.declaration->StandardDeduct.SetDisabledChildCountConst(0);
    return {host.show<TfrFrameStandartDeduct>(), {}};
}

// The deductions section with the tab of `page` chosen.
std::function<Shown(PageWindow&)> section(TFlashButton* TfrFrameDeductData::*tab)
{
    return [tab](PageWindow& host) -> Shown {
        auto* frame = host.show<TfrFrameDeductData>();
        (frame->*tab)->click();
        return {frame, wholeGroupsOf(frame->currentPage())};
    };
}

struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
};

std::unique_ptr<QDialog> contractDialog(int kind)
{
    auto dialog = std::make_unique<TfmInputSoursePens>(nullptr);
    dialog->setKind(kind);
    return dialog;
}

// Land bought before 2014: every date and the share are asked for.
std::unique_ptr<QDialog> landDialog()
{
    auto dialog = std::make_unique<TfmInputConstruction>(nullptr);
    dialog->FInterestAllowed = true;
    dialog->SetWay(false);
    dialog->SetKind(5);
    dialog->SetNumberCode(1);
    dialog->dtpRegRightDate->setDateTime(date(2012, 6, 15));
    EXPECT_TRUE(dialog->dtpRegZemDate->isEnabled());
    EXPECT_TRUE(dialog->meDol1->isEnabled());
    return dialog;
}

std::unique_ptr<QDialog> investmentObjectDialog()
{
    auto dialog = std::make_unique<TfmInputConstruction>(nullptr);
    dialog->FInterestAllowed = true;
    dialog->SetWay(true);
    dialog->SetKind(1);
    dialog->SetNumberCode(2);
    return dialog;
}

} // namespace

// Tab walks every deduction page as its controls stand, row by row from the top, in the smallest
// window and a wide one, with the lists filled and a row chosen; a list's buttons follow the list.
TEST(DeductionPagesTabTest, TabFollowsThePageAsItStands)
{
    const PageCase cases[] = {
        {"social, narrow", 520, socialPage},
        {"social, wide", 1200, socialPage},
        {"investment, narrow", 520, investmentPage},
        {"investment, wide", 1200, investmentPage},
        {"investment without accounts, narrow", 520, investmentPageWithoutAccounts},
        {"property, narrow", 520, propertyPage},
        {"property, wide", 1200, propertyPage},
        {"standard, single parent, narrow", 520, standardPage},
        {"standard, single parent, wide", 1200, standardPage},
        {"standard without business, narrow", 520, standardPageWithoutBusiness},
        {"section on property, narrow", 520, section(&TfrFrameDeductData::fbConstructionDeduct)},
        {"section on property, wide", 1200, section(&TfrFrameDeductData::fbConstructionDeduct)},
        {"section on social, narrow", 520, section(&TfrFrameDeductData::fbPensDeduct)},
        {"section on social, wide", 1200, section(&TfrFrameDeductData::fbPensDeduct)},
        {"section on standard, narrow", 520, section(&TfrFrameDeductData::fbStandartDeduct)},
        {"section on standard, wide", 1200, section(&TfrFrameDeductData::fbStandartDeduct)},
        {"section on investment, narrow", 520, section(&TfrFrameDeductData::fbCB)},
        {"section on investment, wide", 1200, section(&TfrFrameDeductData::fbCB)},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow host;
        fillDeductions(*host.declaration);
        host.window.resize(c.width, 900);
        const Shown shown = c.show(host);
        ASSERT_TRUE(showActive(host.window));
        QTest::qWait(20);
        expectTabFollowsTheControls(shown.area, shown.wholeGroups);
    }
}

// Tab walks each dialog of the deductions as its controls stand, with the fields its choices
// enable, and ends on its buttons.
TEST(DeductionDialogsTabTest, TabFollowsTheDialogAsItStands)
{
    const DialogCase cases[] = {
        {"child's education", [] { return std::make_unique<TfmChildEduSum>(nullptr); }},
        {"investment account", [] { return std::make_unique<TfmInputInfoIIS>(nullptr); }},
        {"pension contract", [] { return contractDialog(1); }},
        {"funded pension", [] { return contractDialog(4); }},
        {"land bought before 2014", landDialog},
        {"object by investment", investmentObjectDialog},
        {"own deduction codes by month", [] { return std::make_unique<TfmDif>(nullptr); }},
        {"single parent by month", [] { return std::make_unique<TfmDif2>(nullptr); }},
    };
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QDialog> dialog = c.make();
        ASSERT_TRUE(showActive(*dialog));
        QTest::qWait(20);
        expectTabFollowsTheControls(dialog.get());
    }
}

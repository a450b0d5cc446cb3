#include "pages/deductions/FrameMultyConstructionDeduct.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "computation/ConstructionDeductRules.h"
#include "computation/Summary.h"
#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "controls/MessageBox.h"
#include "model/DayDate.h"
#include "pages/deductions/InputConstruction.h"
#include "tests/computation/PropertyObjectFigures.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"

namespace {

// A flat of 2020 with a mortgage and every sum of the page entered.
void fillFullDeduction(mTConstructionDeduct& deduction)
{
    fillObjects(deduction, {{.registrationYear = 2020, .transferYear = 2020, .cost = 3'500'000, .interest = 180'000}});
    deduction.GetObject(0)->ObjectLocation = "г. Москва, ул. Тверская, д. 1, кв. 5";
    deduction.SimplifiedDeduction = Currency::fromUnits(1'000'005'000); // 100000,50
    deduction.SimplifiedInterestDeduction = roubles(20'000);
    deduction.PrevYearsDeduction = roubles(300'000);
    deduction.PrevYearsInterestDeduction = roubles(45'000);
    deduction.ExtraSum1 = roubles(7);
}

class FrameMultyConstructionDeductTest : public ::testing::Test {
protected:
    mTConstructionDeduct& property() { return window.declaration->ConstructionDeduct; }
    TfrMultyConstructionDeduct* showPage() { return page = window.show<TfrMultyConstructionDeduct>(); }

    // Confirms the object dialog with `object`'s values after `inspect` has looked at it.
    void confirmDialog(TFlashButton* button, const ObjectFigures& figures,
                       const std::function<void(TfmInputConstruction&)>& inspect = {})
    {
        ModalAnswer<TfmInputConstruction> answer([&](TfmInputConstruction& dialog) {
            if (inspect)
                inspect(dialog);
            dialog.loadObject(*makeObject(figures));
            dialog.bnOk->click();
            if (dialog.isVisible())
                dialog.bnCansel->click(); // a failed check would otherwise keep the test waiting
        });
        button->click();
        ASSERT_TRUE(answer.shown);
    }

    UserEditCounter counter;
    PageWindow window;
    TfrMultyConstructionDeduct* page = nullptr;
};

TEST_F(FrameMultyConstructionDeductTest, LooksAsItShould)
{
    showPage();
    EXPECT_EQ(page->chbGrantingDeduct->text(), QStringLiteral("Предоставить имущественный налоговый вычет"));
    EXPECT_EQ(page->gbObjectDAta->title(), QStringLiteral(" Сведения об объектах"));
    EXPECT_EQ(page->lvObjInfo->headerItem()->text(0), QStringLiteral("Список объектов"));
    EXPECT_EQ(page->lvObjInfo->toolTip(), QStringLiteral("Список объектов"));
    EXPECT_EQ(page->fbAddObj->toolTip(), QStringLiteral("Добавить объект"));
    EXPECT_EQ(page->fbDeleteObj->toolTip(), QStringLiteral("Удалить объект"));
    EXPECT_EQ(page->fbEditObj->toolTip(), QStringLiteral("Редактировать объект"));
    EXPECT_EQ(page->gbSum->title(), QStringLiteral(" Расчет имущественного вычета"));
    EXPECT_EQ(page->gbChargeSum->title(), QStringLiteral("Данные о покупке (строительстве) объектов"));
    EXPECT_EQ(page->gbCreditSum->title(), QStringLiteral("Данные о процентах по кредитам"));
    EXPECT_EQ(page->lbObsch->text(), QStringLiteral("Общая стоимость всех объектов (с учетом ограничений вычета)"));
    EXPECT_EQ(page->lbobschip->text(), QStringLiteral("Проценты по кредитам за все годы"));
    for (QLabel* label : {page->lbVychUpr, page->lbVychIpUpr})
        EXPECT_EQ(label->text(), QStringLiteral("Вычет, предоставленный в упрощенном порядке"));
    for (QLabel* label : {page->lbPostYears, page->lbPostYearsIp})
        EXPECT_EQ(label->text(), QStringLiteral("Вычет за предыдущие годы"));
    for (TMaskedEdit* edit : {page->meVychUpr, page->meVychIpUpr, page->mePostYears, page->mePostYearsIp}) {
        EXPECT_EQ(edit->wholeLength(), 8) << "the exchange format's amounts of earlier years";
        EXPECT_EQ(edit->fractionalLength(), 2);
    }
    EXPECT_EQ(page->meVychUpr->toolTip(), QStringLiteral("т.е. у работодателя"));
    EXPECT_EQ(page->meVychIpUpr->toolTip(), QStringLiteral("т.е. у работодателя"));
}

TEST_F(FrameMultyConstructionDeductTest, ADeclarationLoadedAndSavedBackIsUnchanged)
{
    struct Case {
        const char* title;
        std::function<void(mTConstructionDeduct&)> fill;
    };
    const Case cases[] = {
        {"one object and every sum", fillFullDeduction},
        {"three objects",
         [](mTConstructionDeduct& deduction) {
             fillObjects(deduction, {{.registrationYear = 2015, .cost = 900'000},
                                     {.transferYear = 2016, .cost = 400'000, .byInvestment = true},
                                     {.registrationYear = 2019, .cost = 100'000, .shareNumerator = 1, .shareDenominator = 4}});
             deduction.PrevYearsDeduction = roubles(10'000);
         }},
        {"granted, nothing entered", [](mTConstructionDeduct& deduction) { deduction.Granted = 1; }},
        {"granted, sums without objects",
         [](mTConstructionDeduct& deduction) {
             deduction.Granted = 1;
             deduction.PrevYearsDeduction = roubles(50'000);
         }},
        {"not granted, objects kept", [](mTConstructionDeduct& deduction) {
             fillObjects(deduction, {{.cost = 1'000'000}});
             deduction.Granted = 0;
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        test.fill(fresh.declaration->ConstructionDeduct);
        const QByteArray before = fileBytes(*fresh.declaration);
        fresh.show<TfrMultyConstructionDeduct>()->SaveData();
        EXPECT_EQ(fileBytes(*fresh.declaration), before);
    }
    EXPECT_EQ(counter.userEdits, 0) << "filling a page is no edit";
}

TEST_F(FrameMultyConstructionDeductTest, ShowsTheObjectsAndSums)
{
    fillFullDeduction(property());
    property().AddObject(makeObject({.cost = 0, .interest = 0}));
    property().GetObject(1)->ObjectCode = 0;
    property().GetObject(1)->ObjectNumber = "";
    showPage();
    EXPECT_TRUE(page->chbGrantingDeduct->isChecked());
    EXPECT_EQ(rowCaptions(page->lvObjInfo),
              (QStringList{QStringLiteral("Квартира 77:01:0001001:1234"), QStringLiteral("Объект не выбран ")}));
    EXPECT_EQ(page->meVychUpr->text(), QStringLiteral("100000,5"));
    EXPECT_EQ(page->meVychIpUpr->text(), QStringLiteral("20000"));
    EXPECT_EQ(page->mePostYears->text(), QStringLiteral("300000"));
    EXPECT_EQ(page->mePostYearsIp->text(), QStringLiteral("45000"));
    EXPECT_EQ(page->pnlObschip->text(), QStringLiteral("180000"));
    EXPECT_TRUE(page->meVychUpr->isEnabled());
}

// The cost total within the limits: one object by its year and share, several within 2,000,000;
// both totals are the ones the declaration counts.
TEST_F(FrameMultyConstructionDeductTest, TotalsFollowTheLimits)
{
    struct Case {
        const char* title;
        std::vector<ObjectFigures> objects;
        const char* cost;
        const char* interest;
    };
    const Case cases[] = {
        {"bought in 2007, half share: 1,000,000 x 1/2",
         {{.registrationYear = 2007, .transferYear = 2007, .cost = 1'500'000, .shareDenominator = 2}}, "500000", "0"},
        {"registered in 2015, whole", {{.registrationYear = 2015, .cost = 3'000'000}}, "2000000", "0"},
        {"bought in 2008, whole: the limit of 2,000,000 from 2008 on",
         {{.registrationYear = 2008, .transferYear = 2008, .cost = 3'000'000}}, "2000000", "0"},
        {"bought in 2008, half share: 2,000,000 x 1/2",
         {{.registrationYear = 2008, .transferYear = 2008, .cost = 1'500'000, .shareDenominator = 2}}, "1000000", "0"},
        {"registered in 2016, half share: the limit is the taxpayer's own",
         {{.registrationYear = 2016, .cost = 3'000'000, .shareDenominator = 2}}, "2000000", "0"},
        {"registered in 2010, a third: 666,666.666... rounded half up",
         {{.registrationYear = 2010, .cost = 2'000'000, .shareDenominator = 3}}, "666666,67", "0"},
        {"below its limit", {{.registrationYear = 2015, .cost = 1'234'567}}, "1234567", "0"},
        {"by investment: the act of 2009 counts, not the registration of 2007",
         {{.registrationYear = 2007, .transferYear = 2009, .cost = 1'800'000, .byInvestment = true}}, "1800000", "0"},
        {"by purchase: the registration of 2007 counts, not the act of 2009",
         {{.registrationYear = 2007, .transferYear = 2009, .cost = 1'800'000}}, "1000000", "0"},
        {"by investment: the act of 2007 counts, not the registration of 2020",
         {{.registrationYear = 2020, .transferYear = 2007, .cost = 1'800'000, .byInvestment = true}}, "1000000", "0"},
        {"interest of an object from 2014 up to 3,000,000",
         {{.registrationYear = 2015, .cost = 5'000'000, .interest = 3'500'000}}, "2000000", "3000000"},
        {"interest of an object of 2013 without a limit",
         {{.registrationYear = 2013, .transferYear = 2013, .cost = 5'000'000, .interest = 3'500'000}}, "2000000",
         "3500000"},
        {"two of 1,500,000", {{.cost = 1'500'000}, {.cost = 1'500'000}}, "2000000", "0"},
        {"two of 2007 with costs: 2,000,000 together",
         {{.registrationYear = 2007, .transferYear = 2007, .cost = 1'500'000},
          {.registrationYear = 2007, .transferYear = 2007, .cost = 1'200'000}},
         "2000000", "0"},
        {"one of 2007 with the cost, one of 2021 without: the first decides",
         {{.registrationYear = 2007, .transferYear = 2007, .cost = 1'500'000}, {.cost = 0}}, "1000000", "0"},
        {"800,000 and 700,000", {{.cost = 800'000}, {.cost = 700'000}}, "1500000", "0"},
        {"several: no share and no year rule",
         {{.registrationYear = 2005, .cost = 900'000, .shareDenominator = 4}, {.cost = 300'000, .interest = 10'000},
          {.cost = 0, .interest = 25'000}},
         "1200000", "35000"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        fillObjects(fresh.declaration->ConstructionDeduct, test.objects);
        const auto* shown = fresh.show<TfrMultyConstructionDeduct>();
        EXPECT_EQ(shown->pnlObsch->text(), QString::fromUtf8(test.cost));
        EXPECT_EQ(shown->pnlObschip->text(), QString::fromUtf8(test.interest));

        auto svod = std::make_unique<kTSvodSum>();
        svod->Clear();
        svod->Pril7.Calculate(*fresh.declaration, *svod);
        EXPECT_EQ(shown->pnlObsch->text(), currencyDisplayText(svod->Pril7.CostTotal));
        EXPECT_EQ(shown->pnlObschip->text(), currencyDisplayText(svod->Pril7.InterestTotal));
    }
}

TEST_F(FrameMultyConstructionDeductTest, ObjectsAddingUpPastTheRangeShowRefusedTotals)
{
    // Two objects of 500 trillion roubles each come to more than an amount holds.
    constexpr std::int64_t Half = 500'000'000'000'000;
    struct Case {
        const char* title;
        std::vector<ObjectFigures> objects;
        const char* cost;
        const char* interest;
        bool interestPaid;
    };
    const Case cases[] = {
        {"costs", {{.registrationYear = 2019, .cost = Half}, {.registrationYear = 2019, .cost = Half}},
         "Вне диапазона", "0", false},
        {"interest within its limit",
         {{.registrationYear = 2019, .interest = Half}, {.registrationYear = 2019, .interest = Half}}, "0",
         "Вне диапазона", true},
        {"interest of 2013 without a limit",
         {{.registrationYear = 2013, .transferYear = 2013, .interest = Half},
          {.registrationYear = 2013, .transferYear = 2013, .interest = Half}},
         "0", "Вне диапазона", true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        mTDeclaration written;
        written.SetIncomeKinds(IncomeKindSources); // a file holds deductions beside an income
        fillObjects(written.ConstructionDeduct, test.objects);
        PageWindow opened;
        opened.declaration = reloaded(written);
        auto* shown = opened.show<TfrMultyConstructionDeduct>();
        EXPECT_EQ(shown->pnlObsch->text(), QString::fromUtf8(test.cost));
        EXPECT_EQ(shown->pnlObschip->text(), QString::fromUtf8(test.interest));
        for (const QLabel* total : {shown->pnlObsch, shown->pnlObschip})
            EXPECT_EQ(total->toolTip().isEmpty(), total->text() != QStringLiteral("Вне диапазона"));
        // A total beyond the range is interest paid: for the earlier years, and on another object.
        const mTConstructionDeduct& deduction = opened.declaration->ConstructionDeduct;
        EXPECT_EQ(prevYearsInterestAllowed(deduction), test.interestPaid);
        EXPECT_EQ(noInterestBesides(deduction, deduction.ObjectCount()), !test.interestPaid);
        EXPECT_EQ(noInterestBesides(deduction, 0), !test.interestPaid);
    }
}

// The add button is enabled exactly when the rule allows another object.
TEST(FrameMultyConstructionDeductRules, TheAddButtonFollowsTheRule)
{
    const std::vector<ObjectFigures> cases[] = {
        {},
        {{.registrationYear = 2012, .cost = 900'000}},
        {{.registrationYear = 2012, .cost = 900'000, .interest = 1}},
        {{.registrationYear = 2012}, {}},
    };
    for (const std::vector<ObjectFigures>& objects : cases) {
        SCOPED_TRACE(objects.size());
        PageWindow window;
        fillObjects(window.declaration->ConstructionDeduct, objects);
        EXPECT_EQ(window.show<TfrMultyConstructionDeduct>()->fbAddObj->isEnabled(),
                  canAddObject(window.declaration->ConstructionDeduct));
    }
}

TEST_F(FrameMultyConstructionDeductTest, ObjectsOf2021EmptyTheEarlierYears)
{
    fillObjects(property(), {{.cost = 1'000'000, .interest = 50'000}});
    property().PrevYearsDeduction = roubles(1000);
    property().PrevYearsInterestDeduction = roubles(2000);
    showPage();
    for (TMaskedEdit* edit : {page->mePostYears, page->mePostYearsIp}) {
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_TRUE(edit->text().isEmpty());
    }
    EXPECT_TRUE(page->meVychUpr->isEnabled());

    // A pensioner has them back.
    ObjectFigures pensioner{.cost = 1'000'000, .interest = 50'000, .pensioner = true};
    selectRow(page->lvObjInfo, 0);
    confirmDialog(page->fbEditObj, pensioner, [](TfmInputConstruction& dialog) { dialog.SetPensioner(true); });
    EXPECT_EQ(property().GetObject(0)->Pensioner, 1);
    EXPECT_TRUE(page->mePostYears->isEnabled());
    EXPECT_TRUE(page->mePostYearsIp->isEnabled());
}

TEST_F(FrameMultyConstructionDeductTest, AddingAnObjectWritesItAtOnce)
{
    property().Granted = 1;
    showPage();
    EXPECT_TRUE(page->fbAddObj->isEnabled());
    EXPECT_FALSE(page->meVychUpr->isEnabled()) << "no sums without objects";
    EXPECT_EQ(counter.userEdits, 0);

    confirmDialog(page->fbAddObj, {.registrationYear = 2012, .cost = 900'000}, [](TfmInputConstruction& dialog) {
        EXPECT_TRUE(dialog.FInterestAllowed);
        EXPECT_FALSE(dialog.FInterestOnly);
    });
    ASSERT_EQ(property().ObjectCount(), 1u);
    EXPECT_EQ(property().GetObject(0)->Cost, roubles(900'000));
    EXPECT_EQ(property().GetObject(0)->DwellingRegDate, *encodeDate(2012, 6, 15));
    EXPECT_EQ(page->lvObjInfo->topLevelItemCount(), 1);
    EXPECT_EQ(selectedRow(page->lvObjInfo), 0);
    EXPECT_EQ(page->pnlObsch->text(), QStringLiteral("900000"));
    EXPECT_TRUE(page->meVychUpr->isEnabled());
    EXPECT_GT(counter.userEdits, 0);

    // An old object without interest admits one more entry: the interest alone, dated from 2014.
    EXPECT_TRUE(page->fbAddObj->isEnabled());
    confirmDialog(page->fbAddObj, {.registrationYear = 2016, .interest = 40'000}, [](TfmInputConstruction& dialog) {
        EXPECT_TRUE(dialog.FInterestOnly);
    });
    ASSERT_EQ(property().ObjectCount(), 2u);
    EXPECT_EQ(selectedRow(page->lvObjInfo), 1);
    EXPECT_FALSE(page->fbAddObj->isEnabled());
    EXPECT_EQ(page->pnlObschip->text(), QStringLiteral("40000"));
}

TEST_F(FrameMultyConstructionDeductTest, ACancelledDialogChangesNothing)
{
    fillObjects(property(), {{.cost = 1'000'000}});
    showPage();
    const QByteArray before = fileBytes(*window.declaration);
    for (TFlashButton* button : {page->fbAddObj, page->fbEditObj}) {
        selectRow(page->lvObjInfo, 0);
        ModalAnswer<TfmInputConstruction> answer([](TfmInputConstruction& dialog) { dialog.bnCansel->click(); });
        button->click();
        EXPECT_TRUE(answer.shown);
    }
    EXPECT_EQ(fileBytes(*window.declaration), before);
    EXPECT_EQ(page->lvObjInfo->topLevelItemCount(), 1);
    EXPECT_EQ(counter.userEdits, 0);
}

TEST_F(FrameMultyConstructionDeductTest, EditingChangesTheSelectedObject)
{
    fillObjects(property(), {{.cost = 1'000'000}, {.cost = 500'000}});
    showPage();
    page->fbEditObj->click(); // nothing selected: no dialog, nothing changed
    EXPECT_EQ(counter.userEdits, 0);

    selectRow(page->lvObjInfo, 1);
    confirmDialog(page->fbEditObj, {.cost = 700'000}, [this](TfmInputConstruction& dialog) {
        EXPECT_EQ(dialog.RowText(), page->lvObjInfo->topLevelItem(1)->text(0));
    });
    EXPECT_EQ(property().GetObject(1)->Cost, roubles(700'000));
    EXPECT_EQ(property().GetObject(0)->Cost, roubles(1'000'000));
    EXPECT_EQ(selectedRow(page->lvObjInfo), 1);
    EXPECT_EQ(page->pnlObsch->text(), QStringLiteral("1700000"));
    EXPECT_GT(counter.userEdits, 0);
}

TEST_F(FrameMultyConstructionDeductTest, AShareIsNeverMoreThanWhole)
{
    const ObjectFigures old{.registrationYear = 2010, .transferYear = 2010, .cost = 1'500'000};
    fillObjects(property(), {old});
    showPage();
    selectRow(page->lvObjInfo, 0);
    ObjectFigures overWhole = old;
    overWhole.shareNumerator = 5;
    overWhole.shareDenominator = 3;
    confirmDialog(page->fbEditObj, overWhole);
    EXPECT_EQ(property().GetObject(0)->ShareNumerator, 3);
    EXPECT_EQ(property().GetObject(0)->ShareDenominator, 3);
    EXPECT_EQ(page->pnlObsch->text(), QStringLiteral("1500000"));
}

TEST_F(FrameMultyConstructionDeductTest, DeletingSelectsThePreviousRow)
{
    fillObjects(property(), {{.cost = 100}, {.cost = 200}, {.cost = 300}});
    property().SimplifiedDeduction = roubles(5);
    showPage();
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    page->fbDeleteObj->click();
    EXPECT_EQ(property().ObjectCount(), 3u) << "nothing selected, nothing deleted";
    EXPECT_EQ(counter.userEdits, 0);

    selectRow(page->lvObjInfo, 2);
    page->fbDeleteObj->click();
    EXPECT_EQ(property().ObjectCount(), 2u);
    EXPECT_EQ(selectedRow(page->lvObjInfo), 1);
    selectRow(page->lvObjInfo, 0);
    page->fbDeleteObj->click();
    ASSERT_EQ(property().ObjectCount(), 1u);
    EXPECT_EQ(property().GetObject(0)->Cost, roubles(200));
    EXPECT_EQ(selectedRow(page->lvObjInfo), 0);
    EXPECT_EQ(page->pnlObsch->text(), QStringLiteral("200"));
    EXPECT_GT(counter.userEdits, 0);

    // The last object takes the sums with it.
    page->fbDeleteObj->click();
    EXPECT_EQ(property().ObjectCount(), 0u);
    EXPECT_EQ(page->pnlObsch->text(), QStringLiteral("0"));
    EXPECT_EQ(page->pnlObschip->text(), QStringLiteral("0"));
    for (TMaskedEdit* edit : {page->meVychUpr, page->meVychIpUpr, page->mePostYears, page->mePostYearsIp}) {
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_FALSE(edit->isEnabled());
    }
    EXPECT_TRUE(page->fbAddObj->isEnabled());
    page->SaveData();
    EXPECT_EQ(property().SimplifiedDeduction, Currency());
}

// Unticking the deduction would delete every object: the user is asked first.
TEST_F(FrameMultyConstructionDeductTest, UntickingAsksBeforeDeletingTheObjects)
{
    fillObjects(property(), {{.cost = 1'000'000}, {.cost = 2}});
    showPage();
    {
        MessageAnswers no(QMessageBox::No);
        page->chbGrantingDeduct->click();
        EXPECT_EQ(no.texts, QStringList{QStringLiteral("Удалить объекты имущественного вычета (объектов: 2)?")});
    }
    EXPECT_TRUE(page->chbGrantingDeduct->isChecked());
    EXPECT_EQ(property().ObjectCount(), 2u);
    EXPECT_EQ(page->lvObjInfo->topLevelItemCount(), 2);
    EXPECT_TRUE(page->fbAddObj->isEnabled());
    EXPECT_EQ(counter.userEdits, 0) << "\"Нет\" changes nothing";

    {
        MessageAnswers yes(QMessageBox::Yes);
        page->chbGrantingDeduct->click();
        EXPECT_EQ(yes.texts.size(), 1);
    }
    EXPECT_FALSE(page->chbGrantingDeduct->isChecked());
    EXPECT_EQ(property().ObjectCount(), 0u);
    EXPECT_EQ(page->lvObjInfo->topLevelItemCount(), 0);
    EXPECT_FALSE(page->fbAddObj->isEnabled());
    EXPECT_FALSE(page->lvObjInfo->isEnabled());
    EXPECT_GT(counter.userEdits, 0);
    page->SaveData();
    EXPECT_EQ(property().Granted, 0);

    // Ticked again: an empty list, the sums disabled.
    page->chbGrantingDeduct->click();
    EXPECT_TRUE(page->fbAddObj->isEnabled());
    EXPECT_TRUE(page->lvObjInfo->isEnabled());
    EXPECT_FALSE(page->meVychUpr->isEnabled());
}

TEST_F(FrameMultyConstructionDeductTest, UntickingWithoutObjectsAsksNothing)
{
    property().Granted = 1;
    showPage();
    MessageAnswers yes(QMessageBox::Yes);
    page->chbGrantingDeduct->click();
    EXPECT_TRUE(yes.texts.isEmpty());
    EXPECT_FALSE(page->chbGrantingDeduct->isChecked());
    EXPECT_GT(counter.userEdits, 0);
}

// A declaration may hold objects without the deduction: they are kept, and shown when it is ticked.
TEST_F(FrameMultyConstructionDeductTest, TickingShowsObjectsKeptWithoutTheDeduction)
{
    fillObjects(property(), {{.registrationYear = 2019, .cost = 2'500'000}});
    property().Granted = 0;
    showPage();
    EXPECT_FALSE(page->lvObjInfo->isEnabled());
    EXPECT_FALSE(page->fbAddObj->isEnabled());
    page->chbGrantingDeduct->click();
    EXPECT_EQ(rowCaptions(page->lvObjInfo), QStringList{QStringLiteral("Квартира 77:01:0001001:1234")});
    EXPECT_EQ(page->pnlObsch->text(), QStringLiteral("2000000"));
    EXPECT_TRUE(page->mePostYears->isEnabled());
    selectRow(page->lvObjInfo, 0);
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    page->fbDeleteObj->click();
    EXPECT_EQ(property().ObjectCount(), 0u);
}

TEST_F(FrameMultyConstructionDeductTest, TypingASumMarksTheDeclarationModified)
{
    fillObjects(property(), {{.registrationYear = 2019, .cost = 1'000'000, .interest = 5}});
    showPage();
    EXPECT_EQ(counter.userEdits, 0);
    typeInto(page->mePostYears, QStringLiteral("1234,5"));
    EXPECT_GT(counter.userEdits, 0);
    page->SaveData();
    EXPECT_EQ(property().PrevYearsDeduction, Currency::fromUnits(12'345'000));
}

// A main window of 750 x 550 leaves the page about 540 x 400 beside the section column and under
// the deduction tabs; the page scrolls down, never sideways, and cuts no text.
TEST_F(FrameMultyConstructionDeductTest, FitsASmallWindowWithoutCutTexts)
{
    fillFullDeduction(property());
    showPage();
    constexpr int PageWidth = 540;
    ASSERT_LE(page->minimumSizeHint().width(), PageWidth);
    const int height = std::max(400, page->heightForWidth(PageWidth));
    window.window.layout()->setContentsMargins(0, 0, 0, 0);
    window.window.setFixedSize(PageWidth, std::max(height, page->minimumSizeHint().height()));
    QApplication::processEvents();
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if (!child->isVisible() || child->isWindow())
            continue;
        SCOPED_TRACE(child->objectName().toStdString());
        const QRect inPage(child->mapTo(page, QPoint(0, 0)), child->size());
        EXPECT_TRUE(page->rect().contains(inPage));
        if (auto* label = qobject_cast<QLabel*>(child)) {
            const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
            EXPECT_LE(needed, label->height());
            if (!label->wordWrap()) {
                EXPECT_LE(label->sizeHint().width(), label->width());
            }
        }
        if (auto* box = qobject_cast<QCheckBox*>(child)) {
            EXPECT_LE(box->sizeHint().width(), box->width());
        }
    }
}

} // namespace

#include "pages/income/BusinessNew.h"

#include <functional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "controls/DisplayFormat.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "model/DayDate.h"
#include "pages/income/InputBusinessIncome.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/TestProgramContext.h"
#include "tests/support/UserTyping.h"

namespace {

Currency money(const char* text)
{
    return *parseCurrencyDisplayText(QString::fromLatin1(text));
}

mTBusinessNew& addActivity(mTDeclaration& declaration, const char* kind, bool documented)
{
    mTBusinessNew& added = *declaration.GetBusiness(declaration.AddBusiness());
    added.ActivityKind = kind;
    added.ActivityCode = "47.11";
    added.ExpensesConfirmed = documented ? 1 : 0;
    return added;
}

// An entrepreneur by the norm: 1000,03 in each of the first two quarters, 20 % of each as the
// quarter's expense and 20 % of the year's 2000,06 as the year's.
mTBusinessNew& addNormEntrepreneur(mTDeclaration& declaration)
{
    mTBusinessNew& activity = addActivity(declaration, "1", false);
    activity.QuarterIncome = {money("1000.03"), money("1000.03"), Currency(), Currency()};
    activity.QuarterExpense = {money("200.01"), money("200.01"), Currency(), Currency()};
    activity.IncomeSum = money("2000.06");
    activity.ExpenseSum = money("400.01");
    return activity;
}

// A notary with documented expenses whose breakdown adds up to the total.
mTBusinessNew& addNotary(mTDeclaration& declaration)
{
    mTBusinessNew& activity = addActivity(declaration, "2", true);
    activity.QuarterIncome = {money("50000.5"), money("60000"), money("70000.25"), money("80000")};
    activity.QuarterExpense = {money("1000.1"), money("2000"), money("3000"), money("4000.05")};
    activity.IncomeSum = money("260000.75");
    activity.ExpenseSum = money("10000.15");
    activity.MaterialExpenses = money("4000.1");
    activity.Depreciation = money("1000");
    activity.LabourExpenses = money("5000.05");
    activity.OtherExpenses = Currency();
    return activity;
}

class BusinessNewTest : public ::testing::Test {
protected:
    mTDeclaration& declaration() { return *window.declaration; }
    mTBusinessNew& activity(int index) { return *declaration().GetBusiness(std::size_t(index)); }
    TfrBusinessNew* showPage() { return page = window.show<TfrBusinessNew>(); }
    void open(int row) { selectRow(page->lvSourseIncomeInfo, row); }

    TestProgramContext context;
    UserEditCounter counter;
    PageWindow window;
    TfrBusinessNew* page = nullptr;
};

TEST_F(BusinessNewTest, ADeclarationLoadedAndSavedBackIsUnchanged)
{
    addNormEntrepreneur(declaration());
    addNotary(declaration());
    mTBusinessNew& farm = addActivity(declaration(), "5", true);
    farm.QuarterIncome[3] = money("100.99");
    farm.QuarterExpense[3] = money("100.99");
    farm.IncomeSum = money("100.99");
    farm.ExpenseSum = money("100.99");
    farm.OtherExpenses = money("100.99");
    mTDeclaration& d = declaration();
    // Kopecks in the fields typed in whole roubles stay as they were stored.
    d.ActualAdvancePayments = money("15000.5");
    d.CorrectedBase = money("120000.05");
    d.CorrectedTax = money("15600");
    d.PatentPayments = money("2000.01");
    d.TradeLevy = roubles(3000);
    d.OKTMOChanged = 1;
    d.OKTMO1 = "45382000";
    d.OKTMO2 = "45382000001";
    d.OKTMO3 = "46000000";
    d.IsPeasantFarm = 1;
    d.FarmStartDate = *encodeDate(2015, 1, 1);
    const QByteArray before = fileBytes(d);

    showPage();
    EXPECT_EQ(page->meActualPrepayment->text(), QStringLiteral("15000,5"));
    EXPECT_EQ(page->mePatentPayment->text(), QStringLiteral("2000,01"));
    page->SaveData();
    EXPECT_EQ(fileBytes(d), before) << "nothing open";
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        open(row);
        page->SaveData();
        EXPECT_EQ(fileBytes(d), before);
    }
    open(0);
    EXPECT_EQ(fileBytes(d), before);
    EXPECT_EQ(counter.userEdits, 0) << "filling the page and opening activities are no edits";
}

TEST_F(BusinessNewTest, TheNormIsTwentyPerCentOfTheYearsIncomeAndReopeningKeepsIt)
{
    addActivity(declaration(), "1", false);
    addNotary(declaration());
    showPage();
    open(0);
    ASSERT_FALSE(page->chbIsConfirmedExpensies->isChecked());
    typeInto(page->meDohKv[0], QStringLiteral("1000,03"));
    EXPECT_EQ(page->meRashKv[0]->text(), QStringLiteral("200,01")) << "20 % of the quarter, half a kopeck up";
    typeInto(page->meDohKv[1], QStringLiteral("1000,03"));
    EXPECT_EQ(page->meSumDoh->text(), QStringLiteral("2000,06"));
    EXPECT_EQ(page->meSumRash->text(), QStringLiteral("400,01")) << "20 % of the total, not the quarters' 400,02";

    open(1);
    EXPECT_EQ(activity(0).ExpenseSum, money("400.01"));
    EXPECT_EQ(activity(0).IncomeSum, money("2000.06"));
    EXPECT_EQ(activity(0).QuarterExpense[1], money("200.01"));
    const QByteArray stored = fileBytes(declaration());
    const int editsBefore = counter.userEdits;
    for (int reopening = 0; reopening < 2; ++reopening) {
        SCOPED_TRACE(reopening);
        open(0);
        EXPECT_EQ(page->meSumRash->text(), QStringLiteral("400,01"));
        EXPECT_EQ(page->meSumDoh->text(), QStringLiteral("2000,06"));
        EXPECT_EQ(page->meRashKv[0]->text(), QStringLiteral("200,01"));
        open(1);
        page->SaveData();
        EXPECT_EQ(fileBytes(declaration()), stored);
    }
    EXPECT_EQ(counter.userEdits, editsBefore) << "opening marks nothing modified";
}

// An activity on the 20 % norm changed into one that documents its expenses: its expenses open
// for typing, and the norm's figures are not stored as documented expenses. A kind that may
// take the norm keeps it.
TEST(BusinessNewKindTest, AnActivityOnTheNormChangedToANotaryDocumentsNoNormFigure)
{
    const struct {
        const char* name;
        const char* kind;
        bool documented;
        const char* quarterExpense; // shown after the change
        Currency expenseSum;        // stored
    } cases[] = {
        {"a notary", "2", true, "", Currency()},
        {"a lawyer", "3", true, "", Currency()},
        {"the head of a farm", "5", false, "200,01", money("400.01")},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TestProgramContext context;
        PageWindow window;
        mTDeclaration& declaration = *window.declaration;
        addNormEntrepreneur(declaration);
        TfrBusinessNew* page = window.show<TfrBusinessNew>();
        selectRow(page->lvSourseIncomeInfo, 0);
        ASSERT_FALSE(page->chbIsConfirmedExpensies->isChecked());
        ASSERT_FALSE(page->meRashKv[0]->isEnabled());
        ModalAnswer<TfmInputBusinessIncome> answer([&test](TfmInputBusinessIncome& dialog) {
            dialog.setKind(QString::fromLatin1(test.kind));
            dialog.bnOk->click();
        });
        userClick(page->fbEditSourseIncome);
        ASSERT_TRUE(answer.shown);

        EXPECT_EQ(page->meRashKv[0]->isEnabled(), test.documented);
        EXPECT_EQ(page->meRashKv[0]->text(), QString::fromLatin1(test.quarterExpense));
        page->SaveData();
        const mTBusinessNew& changed = *declaration.GetBusiness(0);
        EXPECT_EQ(changed.ActivityKind, test.kind);
        EXPECT_EQ(changed.ExpensesConfirmed, test.documented ? 1 : 0);
        EXPECT_EQ(changed.ExpenseSum, test.expenseSum);
        EXPECT_EQ(changed.QuarterExpense[0], test.documented ? Currency() : money("200.01"));
    }
}

TEST_F(BusinessNewTest, TheDocumentedBoxSwitchesBetweenTypedExpensesAndTheNorm)
{
    addActivity(declaration(), "1", false);
    showPage();
    open(0);
    typeInto(page->meDohKv[0], QStringLiteral("1000"));
    typeInto(page->meDohKv[2], QStringLiteral("500,5"));
    EXPECT_FALSE(page->meRashKv[0]->isEnabled());
    EXPECT_FALSE(page->meMat->isEnabled());

    page->chbIsConfirmedExpensies->click();
    EXPECT_TRUE(page->meRashKv[0]->isEnabled()) << "documented: the expenses are typed";
    EXPECT_EQ(page->meRashKv[0]->text(), QStringLiteral("200")) << "the computed expenses stay";
    EXPECT_EQ(page->meRashKv[2]->text(), QStringLiteral("100,1"));
    EXPECT_EQ(page->meSumRash->text(), QStringLiteral("300,1"));
    typeInto(page->meRashKv[1], QStringLiteral("50"));
    EXPECT_EQ(page->meSumRash->text(), QStringLiteral("350,1"));
    typeInto(page->meMat, QStringLiteral("350,1"));

    page->chbIsConfirmedExpensies->click();
    EXPECT_TRUE(page->meMat->text().isEmpty()) << "the norm has no breakdown";
    EXPECT_FALSE(page->meMat->isEnabled());
    EXPECT_TRUE(page->meRashKv[1]->text().isEmpty()) << "recomputed from the quarter's empty income";
    EXPECT_EQ(page->meSumRash->text(), QStringLiteral("300,1"));
    page->SaveData();
    EXPECT_EQ(activity(0).ExpensesConfirmed, 0);
    EXPECT_EQ(activity(0).ExpenseSum, money("300.1"));
    EXPECT_EQ(activity(0).MaterialExpenses, Currency());
}

TEST_F(BusinessNewTest, ActivitiesAreAddedEditedAndDeletedThroughTheDialog)
{
    showPage();
    EXPECT_FALSE(page->meActualPrepayment->isEnabled()) << "nothing to enter without an activity";
    const auto addThroughDialog = [this](const char* kind) {
        ModalAnswer<TfmInputBusinessIncome> answer([kind](TfmInputBusinessIncome& dialog) {
            dialog.setKind(QString::fromLatin1(kind));
            dialog.bnOk->click();
        });
        userClick(page->fbAddSourseIncome);
        EXPECT_TRUE(answer.shown);
    };
    addThroughDialog("1");
    addThroughDialog("3");
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo),
              QStringList({QStringLiteral("Предпринимательская деятельность"), QStringLiteral("Адвокатская деятельность")}));
    EXPECT_GT(counter.userEdits, 0);
    EXPECT_TRUE(declaration().HasIncomeKind(IncomeKindBusiness));
    EXPECT_EQ(activity(0).ExpensesConfirmed, 0) << "an entrepreneur starts with the norm";
    EXPECT_EQ(activity(1).ExpensesConfirmed, 1) << "a lawyer always documents";
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 1);
    EXPECT_TRUE(page->chbIsConfirmedExpensies->isHidden());
    EXPECT_TRUE(page->meRashKv[0]->isEnabled());
    typeInto(page->meDohKv[0], QStringLiteral("700"));
    typeInto(page->meRashKv[0], QStringLiteral("70"));

    {
        ModalAnswer<TfmInputBusinessIncome> answer([](TfmInputBusinessIncome& dialog) {
            EXPECT_EQ(dialog.kind(), QStringLiteral("3"));
            dialog.setKind(QStringLiteral("5"));
            dialog.bnOk->click();
        });
        userClick(page->fbEditSourseIncome);
        EXPECT_TRUE(answer.shown);
    }
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo).value(1), QStringLiteral("Деятельность главы КФХ"));
    EXPECT_FALSE(page->chbIsConfirmedExpensies->isHidden());
    EXPECT_TRUE(page->chbIsConfirmedExpensies->isChecked()) << "the box keeps the way the expenses were taken";
    EXPECT_EQ(page->meRashKv[0]->text(), QStringLiteral("70"));
    page->SaveData();
    EXPECT_EQ(activity(1).ActivityKind, "5");
    EXPECT_EQ(activity(1).ExpensesConfirmed, 1);
    EXPECT_EQ(activity(1).IncomeSum, roubles(700));

    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().BusinessCount(), 1u);
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0);
    EXPECT_EQ(activity(0).ActivityKind, "1") << "the deleted activity's fields went nowhere";
    EXPECT_EQ(activity(0).IncomeSum, Currency());
    typeInto(page->meActualPrepayment, QStringLiteral("500"));
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().BusinessCount(), 0u);
    EXPECT_FALSE(page->meActualPrepayment->isEnabled());
    EXPECT_FALSE(page->meDohKv[0]->isEnabled());
    page->SaveData();
    EXPECT_EQ(declaration().ActualAdvancePayments, Currency());
}

TEST_F(BusinessNewTest, TheQuartersCanBeTypedOnlyIntoAnOpenActivity)
{
    addNotary(declaration());
    showPage();
    EXPECT_TRUE(page->meCorIncome->isEnabled());
    EXPECT_FALSE(page->meDohKv[0]->isEnabled()) << "no activity open: what is typed would be lost";
    open(0);
    EXPECT_TRUE(page->meDohKv[0]->isEnabled());
    EXPECT_FALSE(page->meSumDoh->isEnabled()) << "totals follow from the quarters";
    EXPECT_EQ(page->meDohKv[0]->text(), QStringLiteral("50000,5"));
}

TEST_F(BusinessNewTest, TaxPaidIsTypedInWholeRoublesAndTheBaseWithKopecks)
{
    struct Case {
        const char* name;
        std::function<TMaskedEdit*(TfrBusinessNew&)> edit;
        std::function<Currency(const mTDeclaration&)> stored;
        int digits;
        const char* typed;
        const char* expectedText;
    };
    const std::vector<Case> cases = {
        {"advances", [](TfrBusinessNew& p) { return p.meActualPrepayment; },
         [](const mTDeclaration& d) { return d.ActualAdvancePayments; }, 12, "100,5", ""},
        {"corrected tax", [](TfrBusinessNew& p) { return p.meCorExpense; },
         [](const mTDeclaration& d) { return d.CorrectedTax; }, 12, "100,5", ""},
        {"patent", [](TfrBusinessNew& p) { return p.mePatentPayment; },
         [](const mTDeclaration& d) { return d.PatentPayments; }, 13, "100,5", ""},
        {"trade fee", [](TfrBusinessNew& p) { return p.meTradeTax; },
         [](const mTDeclaration& d) { return d.TradeLevy; }, 13, "100,5", ""},
        {"corrected base", [](TfrBusinessNew& p) { return p.meCorIncome; },
         [](const mTDeclaration& d) { return d.CorrectedBase; }, 12, "100,05", "100,05"},
    };
    addNotary(declaration());
    showPage();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TMaskedEdit* edit = test.edit(*page);
        EXPECT_EQ(edit->wholeLength(), test.digits) << "the digits of the exchange file's field";
        typeText(edit, QString::fromLatin1(test.typed));
        EXPECT_EQ(edit->text(), QString::fromLatin1(test.expectedText));
        typeText(edit, QStringLiteral("1234567890123"));
        EXPECT_EQ(edit->text().size(), test.digits == 13 ? 13 : 0) << "no more digits than the field holds";
        typeText(edit, QStringLiteral("4321"));
        page->SaveData();
        EXPECT_EQ(test.stored(declaration()), roubles(4321));
    }
}

TEST_F(BusinessNewTest, TheFarmYearAndTheOktmoCodesFollowTheirBoxes)
{
    addNotary(declaration());
    showPage();
    EXPECT_FALSE(page->meBeginninFH->isEnabled());
    page->cbIsFH->click();
    EXPECT_TRUE(page->meBeginninFH->isEnabled());
    EXPECT_EQ(page->meBeginninFH->text(), QStringLiteral("2000")) << "a new declaration's year";
    typeInto(page->meBeginninFH, QStringLiteral("2021"));
    page->updYearUp->click();
    EXPECT_EQ(page->meBeginninFH->text(), QStringLiteral("2021")) << "the last year";
    page->updYearDown->click();
    page->SaveData();
    EXPECT_EQ(declaration().IsPeasantFarm, 1);
    EXPECT_EQ(declaration().FarmStartDate, *encodeDate(2020, 1, 1));
    typeInto(page->meBeginninFH, QString());
    page->SaveData();
    EXPECT_EQ(declaration().FarmStartDate, *encodeDate(2000, 1, 1)) << "no year typed";

    page->cbOktmo->click();
    ASSERT_TRUE(page->meOKTMO[1]->isEnabled());
    typeInto(page->meOKTMO[1], QStringLiteral("45382000"));
    page->cbOktmo->click();
    EXPECT_TRUE(page->meOKTMO[1]->text().isEmpty());
    EXPECT_FALSE(page->meOKTMO[1]->isEnabled());
    page->SaveData();
    EXPECT_EQ(declaration().OKTMOChanged, 0);
    EXPECT_EQ(declaration().OKTMO2, "");
}

TEST(BusinessNewCheckTest, EachFailedRuleIsShownAndFixedWhereItFailed)
{
    struct Case {
        const char* name;
        std::function<void(mTDeclaration&)> build;
        std::uint16_t code; // 0: nothing to fix, no dialog
        const char* caption;
        const char* message;
        std::function<QWidget*(TfrBusinessNew&)> focused;
    };
    const auto oktmo = [](const char* first, const char* second, const char* third) {
        return [=](mTDeclaration& d) {
            addNotary(d);
            d.OKTMOChanged = 1;
            d.OKTMO1 = first;
            d.OKTMO2 = second;
            d.OKTMO3 = third;
        };
    };
    const std::vector<Case> cases = {
        {"an entrepreneur by the norm and one documenting",
         [](mTDeclaration& d) {
             addNormEntrepreneur(d);
             addNotary(d);
             addActivity(d, "1", true);
         },
         3, "Проверка: Доходы от предпринимательской деятельности",
         "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.",
         [](TfrBusinessNew& p) { return p.chbIsConfirmedExpensies; }},
        {"a farm head documenting beside an entrepreneur by the norm",
         [](mTDeclaration& d) {
             addNormEntrepreneur(d);
             addActivity(d, "5", true);
         },
         2, "Проверка: Доходы от предпринимательской деятельности",
         "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.",
         [](TfrBusinessNew& p) { return p.chbIsConfirmedExpensies; }},
        {"a notary's breakdown a kopeck short",
         [](mTDeclaration& d) { addNotary(d).OtherExpenses = money("-0.01"); },
         1, "Проверка: Доходы от предпринимательской деятельности",
         "Общие расходы (10000,15) не совпадают с суммой расходов материальных, на оплату труда, прочих и "
         "амортизационных отчислений (10000,14)",
         [](TfrBusinessNew& p) { return p.meMat; }},
        {"a breakdown larger than the total",
         [](mTDeclaration& d) { addNotary(d).OtherExpenses = money("0.01"); },
         1, "Проверка: Доходы от предпринимательской деятельности",
         "Общие расходы (10000,15) не совпадают с суммой расходов материальных, на оплату труда, прочих и "
         "амортизационных отчислений (10000,16)",
         [](TfrBusinessNew& p) { return p.meMat; }},
        {"a lawyer stored without the documented flag still documents",
         [](mTDeclaration& d) { addActivity(d, "3", false).ExpenseSum = roubles(10); },
         1, "Проверка: Доходы от предпринимательской деятельности",
         "Общие расходы (10) не совпадают с суммой расходов материальных, на оплату труда, прочих и "
         "амортизационных отчислений (0)",
         [](TfrBusinessNew& p) { return p.meMat; }},
        {"a breakdown adding up past the range",
         [](mTDeclaration& d) {
             mTBusinessNew& notary = addNotary(d);
             notary.MaterialExpenses = roubles(500'000'000'000'000);
             notary.Depreciation = roubles(500'000'000'000'000);
         },
         1, "Проверка: Доходы от предпринимательской деятельности",
         "Общие расходы (10000,15) не совпадают с суммой расходов материальных, на оплату труда, прочих и "
         "амортизационных отчислений (Вне диапазона)",
         [](TfrBusinessNew& p) { return p.meMat; }},
        {"quarters adding up past the range",
         [](mTDeclaration& d) {
             addNotary(d).QuarterIncome = {roubles(500'000'000'000'000), roubles(500'000'000'000'000), Currency(),
                                           Currency()};
         },
         1, "Проверка: Доходы от предпринимательской деятельности",
         "Доходы или расходы за кварталы в сумме выходят за пределы допустимого диапазона. Проверьте суммы по "
         "кварталам",
         [](TfrBusinessNew& p) { return p.meDohKv[0]; }},
        {"the norm has no breakdown to add up", [](mTDeclaration& d) { addNormEntrepreneur(d); }, 0, "", "",
         nullptr},
        {"all documenting, every breakdown adding up",
         [](mTDeclaration& d) {
             addNotary(d);
             addActivity(d, "1", true);
             addActivity(d, "5", true);
         },
         0, "", "", nullptr},
        {"a 10-digit code for quarter II", oktmo("45382000", "4538200000", "45382000"), 32752,
         "Проверка: Код ОКТМО на II квартал", "Код ОКТМО должен содержать 8 или 11 числовых символов",
         [](TfrBusinessNew& p) { return p.meOKTMO[1]; }},
        {"no code for quarter I", oktmo("", "45382000", "45382000"), 32751, "Проверка: Код ОКТМО на I квартал",
         "Код ОКТМО должен содержать 8 или 11 числовых символов", [](TfrBusinessNew& p) { return p.meOKTMO[0]; }},
        {"a 9-digit code for quarter III", oktmo("45382000", "45382000001", "453820001"), 32753,
         "Проверка: Код ОКТМО на III квартал", "Код ОКТМО должен содержать 8 или 11 числовых символов",
         [](TfrBusinessNew& p) { return p.meOKTMO[2]; }},
        {"8 and 11 digits pass", oktmo("45382000", "45382000001", "46000000"), 0, "", "", nullptr},
        {"codes unchecked while the OKTMO did not change",
         [](mTDeclaration& d) {
             addNotary(d);
             d.OKTMO2 = "1";
         },
         0, "", "", nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TestProgramContext context;
        PageWindow checked;
        test.build(*checked.declaration);
        auto* page = checked.show<TfrBusinessNew>();
        page->SaveData();
        ScriptedCheckAnswers answers;
        answers.answers = {CheckFix};
        EXPECT_EQ(page->CheckData(), test.code);
        if (test.code == 0) {
            EXPECT_TRUE(answers.shown.empty());
            continue;
        }
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].caption, QString::fromUtf8(test.caption));
        EXPECT_EQ(answers.shown[0].message, QString::fromUtf8(test.message));
        page->FocusError(test.code);
        if (test.code < 32750) {
            EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), test.code - 1);
        }
        EXPECT_EQ(checked.window.focusWidget(), test.focused(*page));
    }
}

TEST_F(BusinessNewTest, QuartersTypedPastTheRangeShowARefusedTotal)
{
    // Two quarters from a file come to 922 trillion roubles, just within what an amount holds
    // (922 337 203 685 477,5807); a third quarter typed at its largest goes past it.
    mTDeclaration written;
    addNotary(written).QuarterIncome = {roubles(500'000'000'000'000), roubles(422'000'000'000'000), Currency(),
                                        Currency()};
    window.declaration = reloaded(written);
    showPage();
    open(0);
    EXPECT_EQ(page->meSumDoh->text(), QStringLiteral("260000,75")) << "opened as stored";

    typeText(page->meDohKv[2], QStringLiteral("999999999999,99"));
    EXPECT_EQ(page->meDohKv[2]->text(), QStringLiteral("999999999999,99"));
    EXPECT_EQ(page->meSumDoh->text(), QStringLiteral("Вне диапазона"));
    EXPECT_FALSE(page->meSumDoh->toolTip().isEmpty());
    EXPECT_EQ(page->meSumRash->text(), QStringLiteral("10000,15"));
    page->SaveData();
    EXPECT_EQ(activity(0).QuarterIncome[2], money("999999999999.99"));
    {
        ScriptedCheckAnswers answers;
        answers.answers = {CheckFix};
        EXPECT_EQ(page->CheckData(), 1);
        ASSERT_FALSE(answers.shown.empty());
        EXPECT_EQ(answers.shown[0].message, QStringLiteral("Доходы или расходы за кварталы в сумме выходят за пределы "
                                                           "допустимого диапазона. Проверьте суммы по кварталам"));
    }

    // Brought back within the range, the total returns.
    typeText(page->meDohKv[2], QStringLiteral("1"));
    EXPECT_EQ(page->meSumDoh->text(), QStringLiteral("922000000000001"));
    EXPECT_TRUE(page->meSumDoh->toolTip().isEmpty());
    page->SaveData();
    EXPECT_EQ(activity(0).IncomeSum, roubles(922'000'000'000'001));
    ScriptedCheckAnswers none;
    EXPECT_EQ(page->CheckData(), 0);
}

TEST(BusinessNewCheckTest, SkippingGoesOnAndSkippingAllEndsWithNothingToFix)
{
    TestProgramContext context;
    PageWindow checked;
    mTDeclaration& d = *checked.declaration;
    addNormEntrepreneur(d);
    addActivity(d, "1", true).ExpenseSum = roubles(1);
    d.OKTMOChanged = 1;
    auto* page = checked.show<TfrBusinessNew>();
    page->SaveData();
    {
        ScriptedCheckAnswers answers;
        answers.answers = {CheckSkip, CheckSkip, CheckSkip, CheckFix};
        EXPECT_EQ(page->CheckData(), 32752);
        ASSERT_EQ(answers.shown.size(), 4u) << "the way, the breakdown, then quarters I and II";
    }
    ScriptedCheckAnswers answers;
    answers.answers = {CheckSkip, CheckSkipAll};
    EXPECT_EQ(page->CheckData(), 0);
    EXPECT_EQ(answers.shown.size(), 2u);
}

} // namespace

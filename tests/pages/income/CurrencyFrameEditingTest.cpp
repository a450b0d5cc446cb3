#include "pages/income/CurrencyFrame.h"

#include <functional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "controls/DtpPanel.h"
#include "controls/MaskedDocEdit.h"
#include "controls/MaskedEdit.h"
#include "controls/MessageBox.h"
#include "pages/income/IncomeDict.h"
#include "pages/income/InputCurrencyCode.h"
#include "pages/income/InputCurrencySourseIncome.h"
#include "pages/income/InputDeductCode.h"
#include "pages/income/InputIncomeCode.h"
#include "tests/pages/income/CurrencyFrameFixture.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/UserTyping.h"

namespace {

const QString FixedProfitSource = QStringLiteral("Фиксированная прибыль КИК");
const QString CopyRefused =
    QStringLiteral("Доход не может быть скопирован, т.к. допускается только один доход такого вида");

// A payment source as the user completes the source dialog.
struct SourceAnswer {
    QString name;
    QString sourceCountry;
    QString creditCountry;
    bool fixedProfit = false;
    bool cancel = false;
};

SourceAnswer cancelling()
{
    SourceAnswer answer;
    answer.cancel = true;
    return answer;
}

// The box of the fixed profit checked: the dialog fills in the source itself.
SourceAnswer fixedProfitChecked()
{
    SourceAnswer answer;
    answer.fixedProfit = true;
    return answer;
}

// How the source dialog stood when it was shown.
struct SourceDialogSeen {
    bool shown = false;
    QString name;
    QString sourceCountry;
    QString creditCountry;
    bool boxVisible = false;
    bool boxEnabled = false;
    bool boxChecked = false;
    bool nameEnabled = false;
};

// Chooses the row with `code` in a picker's list and confirms; an empty code cancels.
template <typename Picker>
void answerPicker(Picker& picker, QTreeWidget* list, const QString& code)
{
    if (code.isEmpty()) {
        picker.bnCansel->click();
        return;
    }
    const QList<QTreeWidgetItem*> rows = list->findItems(code, Qt::MatchExactly, 0);
    ASSERT_FALSE(rows.isEmpty()) << code.toStdString();
    list->setCurrentItem(rows.front());
    picker.bnYes->click();
}

// The code of the row a picker opened on.
QString currentCode(const QTreeWidget* list)
{
    return list->currentItem() ? list->currentItem()->text(0) : QString();
}

class CurrencyFrameEditingTest : public CurrencyFrameTest {
protected:
    ~CurrencyFrameEditingTest() override { MessageBox::setAnswerer({}); }

    // Presses `press`, which opens the source dialog, and answers it.
    SourceDialogSeen answerSource(const std::function<void()>& press, const SourceAnswer& answer)
    {
        SourceDialogSeen seen;
        ModalAnswer<TfmInputCurrencySourseIncome> modal([&](TfmInputCurrencySourseIncome& dialog) {
            seen = {true,
                    dialog.SourceName(),
                    dialog.SourceCountry(),
                    dialog.CreditCountry(),
                    dialog.chbKIK->isVisible(),
                    dialog.chbKIK->isEnabled(),
                    dialog.chbKIK->isChecked(),
                    dialog.meSourseName->isEnabled()};
            if (answer.cancel) {
                dialog.bnCansel->click();
                return;
            }
            if (answer.fixedProfit) {
                dialog.chbKIK->click();
            } else {
                dialog.SetSourceName(answer.name);
                dialog.SetSourceCountry(answer.sourceCountry);
                dialog.SetCreditCountry(answer.creditCountry);
            }
            dialog.bnOk->click();
        });
        press();
        return seen;
    }

    SourceDialogSeen addOnPage(const SourceAnswer& answer)
    {
        return answerSource([this] { userClick(page->fbAddSourseIncome); }, answer);
    }

    // Chooses an income code in the page's picker; the code the picker opened on.
    QString chooseIncomeCode(const QString& code)
    {
        QString preset;
        ModalAnswer<TfmInputIncomeCode> modal([&](TfmInputIncomeCode& picker) {
            preset = currentCode(picker.list);
            answerPicker(picker, picker.list, code);
        });
        page->bnIncomeCod->click();
        EXPECT_TRUE(modal.shown);
        return preset;
    }

    QString chooseDeduction(const QString& code)
    {
        QString preset;
        ModalAnswer<TfmInputDeductCode> modal([&](TfmInputDeductCode& picker) {
            preset = currentCode(picker.list);
            answerPicker(picker, picker.list, code);
        });
        page->bnSubtractCod->click();
        EXPECT_TRUE(modal.shown);
        return preset;
    }

    // The currency's name in the picker, or empty when cancelled.
    QString chooseCurrency(const QString& code)
    {
        QString name;
        ModalAnswer<TfmInputCurrencyCode> modal([&](TfmInputCurrencyCode& picker) {
            answerPicker(picker, picker.lvCurrencys, code);
            name = picker.FName();
        });
        page->bnCurrencyCode->click();
        EXPECT_TRUE(modal.shown);
        return code.isEmpty() ? QString() : name;
    }

    // Messages shown in a plain message box from now on.
    std::vector<QString>& recordMessages()
    {
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message.text);
            return QMessageBox::Ok;
        });
        return messages;
    }

    std::vector<QString> messages;
};

TEST_F(CurrencyFrameEditingTest, AddingASourceOpensItAndMarksTheDeclaration)
{
    showPage();
    const SourceDialogSeen cancelled = addOnPage(cancelling());
    ASSERT_TRUE(cancelled.shown);
    EXPECT_TRUE(cancelled.boxVisible) << "the fixed profit is offered on adding";
    EXPECT_TRUE(cancelled.boxEnabled);
    EXPECT_EQ(declaration().CurrencyIncomeCount(), 0u);
    EXPECT_EQ(page->lvSourseIncomeInfo->topLevelItemCount(), 0);
    EXPECT_FALSE(page->meCurrencyCode->isEnabled());
    EXPECT_EQ(counter.userEdits, 0);

    ASSERT_TRUE(addOnPage({QStringLiteral("Apple Inc."), QStringLiteral("840"), QStringLiteral("276")}).shown);
    ASSERT_EQ(declaration().CurrencyIncomeCount(), 1u);
    EXPECT_EQ(income(0).SourceName, "Apple Inc.");
    EXPECT_EQ(income(0).SourceCountry, "840");
    EXPECT_EQ(income(0).CreditCountry, "276");
    EXPECT_EQ(income(0).IncomeCode, 0);
    EXPECT_EQ(declaration().KIKItemNumber(), 0);
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), QStringList{QStringLiteral("Apple Inc.")});
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << "the new source is open";
    EXPECT_TRUE(page->meCurrencyCode->isEnabled()) << "the first source enables the fields";
    EXPECT_TRUE(page->bnIncomeCod->isEnabled());
    EXPECT_FALSE(page->meIncomeCurrencySum->isEnabled()) << "no income code yet";
    for (TFlashButton* button : {page->fbDeleteSourseIncome, page->fbEditSourseIncome, page->fbCopy})
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_EQ(counter.userEdits, 1);

    // What was typed for the open source is kept when the next one is added.
    typeText(page->meCurrencyCode, QStringLiteral("978"));
    ASSERT_TRUE(addOnPage({QStringLiteral("Siemens AG"), QStringLiteral("276"), QStringLiteral("276")}).shown);
    ASSERT_EQ(declaration().CurrencyIncomeCount(), 2u);
    EXPECT_EQ(income(0).CurrencyCode, "978");
    EXPECT_TRUE(income(1).CurrencyCode.empty());
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 1);
    EXPECT_TRUE(page->meCurrencyCode->text().isEmpty()) << "the new source's own fields";
}

TEST_F(CurrencyFrameEditingTest, TheFixedProfitComesWithTheLawsFigures)
{
    addDividends(declaration());
    showPage();
    const SourceDialogSeen offered = addOnPage(fixedProfitChecked());
    ASSERT_TRUE(offered.shown);
    ASSERT_EQ(declaration().CurrencyIncomeCount(), 2u);
    EXPECT_EQ(declaration().KIKItemNumber(), 2) << "the list number of the second income";
    EXPECT_GT(counter.userEdits, 0);

    mTCurrencyIncome expected;
    expected.SourceName = FixedProfitSource.toStdString();
    expected.SourceCountry = "643";
    expected.CreditCountry = "643";
    expected.RatePercent = 13;
    expected.IncomeCode = 1003;
    expected.IncomeDate = day(31, 12, 2021);
    expected.TaxPaymentDate = day(31, 12, 2021);
    expected.CurrencyCode = "643";
    expected.AutoRate = 1;
    expected.IncomeDateRate = roubles(1000);
    expected.IncomeDateUnits = 1000;
    expected.TaxDateRate = roubles(1000);
    expected.TaxDateUnits = 1000;
    expected.SetIncomeAmount(roubles(34'000'000));
    expected.SetTaxAmount(Currency());
    EXPECT_EQ(expected.IncomeRoubles, roubles(34'000'000)) << "a rouble for a rouble";
    EXPECT_EQ(income(1).CurrencyCode, expected.CurrencyCode);
    EXPECT_EQ(income(1).IncomeRoubles, expected.IncomeRoubles);
    EXPECT_EQ(income(1).IncomeDate, expected.IncomeDate);
    EXPECT_TRUE(income(1) == expected) << "the fixed profit's figures and nothing else";

    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo).last(), FixedProfitSource);
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 1);
    EXPECT_EQ(page->pnlIncomeCod->text(), QStringLiteral("1003"));
    EXPECT_EQ(page->pnlIncomeRublSum->text(), currencyDisplayText(roubles(34'000'000)));
    const std::pair<QWidget*, bool> enabled[] = {
        {page->meIncomeCurrencySum, false}, {page->meSubtractSum, false},   {page->meTaxCurrencySum, false},
        {page->meCurrencyCode, false},      {page->bnIncomeCod, false},     {page->bnCurrencyCode, false},
        {page->dtIncomeGetDate, false},     {page->dtSubtractDate, false},  {page->chbAutoExchange, false},
        {page->meCurrencyExchange, false},  {page->meCurrencyUnits2, false}, {page->bnSubtractCod, false},
        {page->meKIKNum, true},             {page->rb1, false},             {page->me150, false},
    };
    for (const auto& [control, on] : enabled)
        EXPECT_EQ(control->isEnabled(), on) << control->objectName().toStdString();

    // Only the company's number is the user's; storing and opening again keeps the rest.
    typeText(page->meKIKNum, QStringLiteral("АБ 12345"));
    page->SaveData();
    expected.CompanyNumber = "АБ 12345";
    // The names of the codes, as the directory and the dictionary give them.
    expected.CurrencyName = "Российский рубль";
    expected.IncomeCodeName = IncomeDict::builtIn().income(u"1003")->name.toStdString();
    EXPECT_TRUE(income(1) == expected);
    open(0);
    open(1);
    page->SaveData();
    EXPECT_TRUE(income(1) == expected) << "opening the fixed profit again changes nothing";
    EXPECT_EQ(income(1).AutoRate, 1);

    // One fixed profit per declaration: the box is offered, but locked.
    const SourceDialogSeen locked = addOnPage(cancelling());
    EXPECT_TRUE(locked.boxVisible);
    EXPECT_FALSE(locked.boxEnabled);
    open(1);
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().KIKItemNumber(), 0);
    EXPECT_TRUE(addOnPage(cancelling()).boxEnabled) << "free again once it is deleted";
}

TEST_F(CurrencyFrameEditingTest, EditingChangesOnlyTheSource)
{
    struct Case {
        const char* way;
        std::function<void(TfrCurrency&)> press;
    };
    const Case cases[] = {
        {"the edit button", [](TfrCurrency& p) { userClick(p.fbEditSourseIncome); }},
        {"a double click",
         [](TfrCurrency& p) {
             QTreeWidget* list = p.lvSourseIncomeInfo;
             const QPoint at = list->visualItemRect(list->topLevelItem(1)).center();
             // A double click begins with a press, which the list needs to know the row.
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
             QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
         }},
        {"Enter in the list",
         [](TfrCurrency& p) {
             p.lvSourseIncomeInfo->setFocus();
             QTest::keyClick(p.lvSourseIncomeInfo, Qt::Key_Return);
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.way);
        PageWindow edited;
        mTDeclaration& d = *edited.declaration;
        addDividends(d);
        addDividends(d).SourceName = "Microsoft";
        auto* editedPage = edited.show<TfrCurrency>();
        selectRow(editedPage->lvSourseIncomeInfo, 1);
        const QByteArray before = fileBytes(d);
        const int editsBefore = counter.userEdits;

        page = editedPage;
        const SourceDialogSeen cancelled = answerSource([&] { test.press(*editedPage); }, cancelling());
        ASSERT_TRUE(cancelled.shown);
        EXPECT_EQ(cancelled.name, QStringLiteral("Microsoft"));
        EXPECT_EQ(cancelled.sourceCountry, QStringLiteral("840"));
        EXPECT_FALSE(cancelled.boxVisible) << "the fixed profit is chosen on adding only";
        EXPECT_EQ(fileBytes(d), before);
        EXPECT_EQ(counter.userEdits, editsBefore);

        ASSERT_TRUE(answerSource([&] { test.press(*editedPage); },
                                 {QStringLiteral("Microsoft Ireland"), QStringLiteral("372"), QStringLiteral("276")})
                        .shown);
        mTCurrencyIncome& source = *d.GetCurrencyIncome(1);
        EXPECT_EQ(source.SourceName, "Microsoft Ireland");
        EXPECT_EQ(source.SourceCountry, "372");
        EXPECT_EQ(source.CreditCountry, "276");
        EXPECT_EQ(rowCaptions(editedPage->lvSourseIncomeInfo),
                  (QStringList{QStringLiteral("Apple Inc."), QStringLiteral("Microsoft Ireland")}));
        EXPECT_EQ(selectedRow(editedPage->lvSourseIncomeInfo), 1);
        EXPECT_GT(counter.userEdits, editsBefore) << "a changed source changes the declaration";
        // Nothing but the source changed.
        source.SourceName = "Microsoft";
        source.SourceCountry = "840";
        source.CreditCountry = "840";
        EXPECT_EQ(fileBytes(d), before);
        page = nullptr;
    }
}

TEST_F(CurrencyFrameEditingTest, TheFixedProfitsSourceIsTheLaws)
{
    addDividends(declaration());
    mTCurrencyIncome& fixed = addIncome(declaration());
    fixed.SourceName = "Фиксированная прибыль КИК";
    fixed.SourceCountry = "643";
    fixed.CreditCountry = "643";
    fixed.IncomeCode = 1003;
    declaration().SetKIKItemNumber(2);
    showPage();
    open(1);
    const SourceDialogSeen seen = answerSource([this] { userClick(page->fbEditSourseIncome); }, cancelling());
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.name, FixedProfitSource);
    EXPECT_EQ(seen.sourceCountry, QStringLiteral("643"));
    EXPECT_TRUE(seen.boxChecked);
    EXPECT_FALSE(seen.boxVisible);
    EXPECT_FALSE(seen.nameEnabled) << "the fixed profit's source is not typed";

    open(0);
    const SourceDialogSeen other = answerSource([this] { userClick(page->fbEditSourseIncome); }, cancelling());
    EXPECT_FALSE(other.boxChecked);
    EXPECT_TRUE(other.nameEnabled);
    EXPECT_EQ(declaration().KIKItemNumber(), 2);
    EXPECT_EQ(counter.userEdits, 0);
}

TEST_F(CurrencyFrameEditingTest, CopyingTakesTheSourceCodesAndCompanyButNoFigures)
{
    mTCurrencyIncome& company = addCompanyProfit(declaration());
    company.CreditCountry = "276";
    showPage();
    open(0);
    // The open income's last edit is stored before it is copied.
    typeText(page->meIncomeCurrencySum, QStringLiteral("2000"));
    const int editsBefore = counter.userEdits;
    userClick(page->fbCopy);
    EXPECT_EQ(counter.userEdits, editsBefore + 1);
    ASSERT_EQ(declaration().CurrencyIncomeCount(), 2u);
    EXPECT_EQ(income(0).IncomeAmount, roubles(2000));

    mTCurrencyIncome expected;
    expected.SourceName = "Apple Inc.";
    expected.SourceCountry = "840";
    expected.CreditCountry = "276";
    expected.IncomeCode = 1000;
    expected.IncomeCodeName = company.IncomeCodeName;
    expected.CurrencyCode = "840";
    expected.CurrencyName = company.CurrencyName;
    expected.ProfitMethod = 2;
    expected.CompanyNumber = "АБ 12345";
    EXPECT_TRUE(income(1) == expected) << "no dates, amounts, rates or withheld tax";
    EXPECT_EQ(income(1).IncomeDate, day(1, 1, 2021));
    EXPECT_EQ(income(1).Line150Sum, Currency());
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo).last(), QStringLiteral("Apple Inc."));
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 1) << "the copy is open";
    EXPECT_EQ(page->meKIKNum->text(), QStringLiteral("АБ 12345"));
    EXPECT_TRUE(page->rb2->isChecked());
    EXPECT_TRUE(page->meIncomeCurrencySum->text().isEmpty());
    page->SaveData();
    EXPECT_TRUE(income(1) == expected) << "storing the copy unchanged keeps it";

    // The fixed profit is one per declaration.
    PageWindow refusing;
    addDividends(*refusing.declaration);
    addIncome(*refusing.declaration).IncomeCode = 1003;
    refusing.declaration->SetKIKItemNumber(2);
    page = refusing.show<TfrCurrency>();
    open(1);
    const QByteArray before = fileBytes(*refusing.declaration);
    const int editsBeforeRefusal = counter.userEdits;
    const std::vector<QString>& shown = recordMessages();
    userClick(page->fbCopy);
    EXPECT_EQ(shown, std::vector<QString>{CopyRefused});
    EXPECT_EQ(fileBytes(*refusing.declaration), before);
    EXPECT_EQ(page->lvSourseIncomeInfo->topLevelItemCount(), 2);
    EXPECT_EQ(counter.userEdits, editsBeforeRefusal);
    page = nullptr;
}

TEST_F(CurrencyFrameEditingTest, DeletingOpensTheRowBeforeWithItsOwnFigures)
{
    for (const int amount : {100, 200, 300})
        addDividends(declaration()).SetIncomeAmount(roubles(amount));
    showPage();
    open(1);
    typeText(page->meIncomeCurrencySum, QStringLiteral("999"));
    const int editsBefore = counter.userEdits;
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(counter.userEdits, editsBefore + 1);
    ASSERT_EQ(declaration().CurrencyIncomeCount(), 2u);
    EXPECT_EQ(income(0).IncomeAmount, roubles(100)) << "the deleted income's fields go with it";
    EXPECT_EQ(income(1).IncomeAmount, roubles(300));
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0);
    EXPECT_EQ(page->meIncomeCurrencySum->text(), QStringLiteral("100"));
    page->SaveData();
    EXPECT_EQ(income(0).IncomeAmount, roubles(100));

    open(0);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << "the first row when there is none before";
    EXPECT_EQ(page->meIncomeCurrencySum->text(), QStringLiteral("300"));
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().CurrencyIncomeCount(), 0u);
    EXPECT_EQ(page->dtIncomeGetDate->dateTime(), today());
    EXPECT_EQ(page->dtSubtractDate->dateTime(), today());
    for (TMaskedEdit* edit : {page->meCurrencyCode, page->meCurrencyName, page->meCurrencyExchange,
                              page->meIncomeCurrencySum, page->meTaxCurrencySum}) {
        EXPECT_TRUE(edit->text().isEmpty()) << edit->objectName().toStdString();
        EXPECT_FALSE(edit->isEnabled()) << edit->objectName().toStdString();
    }
    EXPECT_TRUE(page->pnlIncomeCod->text().isEmpty());
    EXPECT_TRUE(page->pnlIncomeRublSum->text().isEmpty());
    EXPECT_FALSE(page->fbCopy->isEnabled());
}

TEST_F(CurrencyFrameEditingTest, TheIncomeCodeChosenSetsTheCompanyAndDeductionFields)
{
    struct Case {
        const char* code; // empty: the picker is cancelled
        bool companyNumber;
        bool companyProfit;
        bool deductions;
    };
    const Case cases[] = {
        {"2201", false, false, true}, // royalties with a share deduction
        {"1000", true, true, false},  // a company's profit
        {"1001", true, false, false}, // a company's profit from a structure
        {"1012", true, false, false}, // a company's dividends
        {"1400", false, false, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.code);
        PageWindow chosen;
        mTCurrencyIncome& sale = addDividends(*chosen.declaration);
        sale.IncomeCode = 1530;
        sale.DeductionCode = 201;
        sale.DeductionSum = roubles(50);
        page = chosen.show<TfrCurrency>();
        open(0);
        const int editsBefore = counter.userEdits;
        EXPECT_EQ(chooseIncomeCode(QString::fromLatin1(test.code)), QStringLiteral("1530")) << "opens on the code";
        EXPECT_GT(counter.userEdits, editsBefore);
        EXPECT_EQ(page->pnlIncomeCod->text(), QString::fromLatin1(test.code));
        EXPECT_TRUE(page->meIncomeCurrencySum->isEnabled());
        EXPECT_EQ(page->meKIKNum->isEnabled(), test.companyNumber);
        EXPECT_EQ(page->rb1->isEnabled(), test.companyProfit);
        EXPECT_EQ(page->me150->isEnabled(), test.companyProfit);
        EXPECT_EQ(page->bnSubtractCod->isEnabled(), test.deductions);
        EXPECT_TRUE(page->pnlSubtractCod->text().isEmpty()) << "the old income's deduction goes";
        EXPECT_TRUE(page->meSubtractSum->text().isEmpty());
        EXPECT_FALSE(page->meSubtractSum->isEnabled()) << "typed once a deduction is chosen";
        page->SaveData();
        const mTCurrencyIncome& stored = *chosen.declaration->GetCurrencyIncome(0);
        EXPECT_EQ(stored.IncomeCode, QString::fromLatin1(test.code).toInt());
        EXPECT_EQ(QString::fromStdString(stored.IncomeCodeName),
                  IncomeDict::builtIn().income(QString::fromLatin1(test.code))->name);
        EXPECT_EQ(stored.DeductionCode, 0);
        EXPECT_EQ(stored.DeductionSum, Currency());
        EXPECT_EQ(stored.DeductionPercent, 0);
        EXPECT_EQ(stored.IncomeAmount, roubles(1000)) << "the amount stays";
        page = nullptr;
    }

    // Cancelled, or the same code again: nothing changes.
    addDividends(declaration()).IncomeCode = 1530;
    income(0).IncomeCodeName = IncomeDict::builtIn().income(QStringLiteral("1530"))->name.toStdString();
    income(0).DeductionCode = 201;
    income(0).DeductionSum = roubles(50);
    showPage();
    open(0);
    const QByteArray before = fileBytes(declaration());
    counter.userEdits = 0;
    ModalAnswer<TfmInputIncomeCode> listed([](TfmInputIncomeCode& picker) {
        // Foreign incomes only: the fixed profit is never chosen here.
        EXPECT_TRUE(picker.list->findItems(QStringLiteral("1003"), Qt::MatchExactly, 0).isEmpty());
        EXPECT_FALSE(picker.list->findItems(QStringLiteral("1000"), Qt::MatchExactly, 0).isEmpty());
        picker.bnCansel->click();
    });
    page->bnIncomeCod->click();
    EXPECT_TRUE(listed.shown);
    chooseIncomeCode(QStringLiteral("1530"));
    EXPECT_EQ(page->pnlSubtractCod->text(), QStringLiteral("201"));
    EXPECT_EQ(page->meSubtractSum->text(), QStringLiteral("50"));
    page->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before);
    EXPECT_EQ(counter.userEdits, 0);
}

TEST_F(CurrencyFrameEditingTest, TheDeductionChosenFollowsItsRule)
{
    struct Case {
        const char* title;
        std::int32_t incomeCode;
        const char* deduction;
        const char* amount;   // in a currency at 1 rouble a unit
        const char* shown;    // the deduction sum shown on choosing
        bool visible;
        bool typed;           // the user may type the sum
        const char* amount2;  // the amount typed next
        const char* shown2;   // the deduction after it
        int percent;          // stored
    };
    const Case cases[] = {
        {"20 % of royalties", 2201, "405", "1000", "200", true, false, "1234,55", "246,91", 20},
        {"20 % of nothing", 2201, "405", "", "0", true, false, "10", "2", 20},
        {"the whole income up to 12000", 1211, "510", "5000", "5000", true, true, "20000", "12000", 0},
        {"the whole of no income", 1211, "510", "", "0", true, true, "100", "100", 0},
        {"a sale's deduction up to a million", 1510, "901", "1500000", "1000000", true, false, "900000", "900000", 0},
        {"expenses typed", 1510, "903", "1500000", "", true, true, "2000000", "", 0},
        {"expenses on securities typed", 1530, "201", "1000", "", true, true, "500", "", 0},
        {"no deduction", 1530, "0", "1000", "", false, false, "500", "", 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow chosen;
        mTCurrencyIncome& typedRates = addDividends(*chosen.declaration);
        typedRates.CurrencyCode = "001"; // no rates in the directory: typed
        typedRates.IncomeCode = test.incomeCode;
        typedRates.IncomeDateRate = roubles(1);
        typedRates.SetIncomeAmount(Currency());
        page = chosen.show<TfrCurrency>();
        open(0);
        typeText(page->meIncomeCurrencySum, QString::fromLatin1(test.amount));
        ASSERT_TRUE(page->bnSubtractCod->isEnabled());
        const int editsBefore = counter.userEdits;
        chooseDeduction(QString::fromLatin1(test.deduction));
        EXPECT_GT(counter.userEdits, editsBefore);
        EXPECT_EQ(page->pnlSubtractCod->text(), QString::fromLatin1(test.deduction));
        EXPECT_EQ(page->meSubtractSum->text(), QString::fromLatin1(test.shown));
        EXPECT_EQ(page->meSubtractSum->isVisibleTo(page), test.visible);
        EXPECT_EQ(page->meSubtractSum->isEnabled(), test.typed);
        typeText(page->meIncomeCurrencySum, QString::fromLatin1(test.amount2));
        EXPECT_EQ(page->meSubtractSum->text(), QString::fromLatin1(test.shown2));
        page->SaveData();
        const mTCurrencyIncome& stored = *chosen.declaration->GetCurrencyIncome(0);
        EXPECT_EQ(stored.DeductionCode, QString::fromLatin1(test.deduction).toInt());
        EXPECT_EQ(stored.DeductionSum, test.shown2[0] ? money(test.shown2) : Currency());
        EXPECT_EQ(stored.DeductionPercent, test.percent);

        // The picker opens on the deduction chosen; cancelling it keeps it.
        EXPECT_EQ(chooseDeduction(QString()), QString::fromLatin1(test.deduction));
        EXPECT_EQ(page->pnlSubtractCod->text(), QString::fromLatin1(test.deduction));
        EXPECT_EQ(page->meSubtractSum->text(), QString::fromLatin1(test.shown2));
        page = nullptr;
    }
}

TEST_F(CurrencyFrameEditingTest, TheCurrencyChosenBringsItsNameAndRates)
{
    addDividends(declaration());
    showPage();
    open(0);
    ASSERT_TRUE(page->bnCurrencyCode->isEnabled());
    ASSERT_TRUE(page->chbAutoExchange->isChecked());

    EXPECT_TRUE(chooseCurrency(QString()).isEmpty());
    EXPECT_EQ(page->meCurrencyCode->text(), QStringLiteral("840"));
    EXPECT_EQ(page->meCurrencyExchange->text(), QStringLiteral("74,4275"));
    EXPECT_EQ(counter.userEdits, 0) << "a cancelled picker changes nothing";

    EXPECT_EQ(chooseCurrency(QStringLiteral("978")), QStringLiteral("Евро"));
    EXPECT_GT(counter.userEdits, 0);
    EXPECT_EQ(page->meCurrencyCode->text(), QStringLiteral("978"));
    EXPECT_EQ(page->meCurrencyName->text(), QStringLiteral("Евро"));
    EXPECT_FALSE(page->meCurrencyName->isEnabled());
    // Monday 15.03.2021 takes the rate set on Saturday 13.03, as the central bank published it.
    EXPECT_EQ(page->meCurrencyUnits->text(), QStringLiteral("1"));
    EXPECT_EQ(page->meCurrencyExchange->text(), QStringLiteral("87,7981"));
    EXPECT_EQ(page->meCurrencyExchange2->text(), QStringLiteral("87,7981"));
    EXPECT_EQ(page->pnlIncomeRublSum->text(), currencyDisplayText(money("87798,1")));
    page->SaveData();
    EXPECT_EQ(income(0).CurrencyCode, "978");
    EXPECT_EQ(income(0).IncomeDateRate, money("87,7981"));
    EXPECT_EQ(income(0).IncomeRoubles, money("87798,1"));

    // Typed rates: the box stays off and the new currency's rates are left to type.
    page->chbAutoExchange->click();
    typeText(page->meCurrencyUnits, QStringLiteral("1"));
    typeText(page->meCurrencyExchange, QStringLiteral("90"));
    chooseCurrency(QStringLiteral("840"));
    EXPECT_FALSE(page->chbAutoExchange->isChecked());
    EXPECT_TRUE(page->chbAutoExchange->isEnabled());
    EXPECT_TRUE(page->meCurrencyExchange->text().isEmpty());
    EXPECT_TRUE(page->meCurrencyExchange->isEnabled());
}

TEST_F(CurrencyFrameEditingTest, WithoutTheRateDirectoryNoCurrencyIsPicked)
{
    context.directories().currencyRates.reset();
    addDividends(declaration());
    showPage();
    open(0);
    EXPECT_FALSE(page->bnCurrencyCode->isEnabled());
    EXPECT_FALSE(page->chbAutoExchange->isEnabled());
    EXPECT_TRUE(page->meCurrencyExchange->isEnabled()) << "rates are typed";
    EXPECT_EQ(page->meCurrencyExchange->text(), QStringLiteral("74,4275")) << "the stored rate";
    EXPECT_EQ(page->meCurrencyName->text(), QStringLiteral("Доллар США"));
}

TEST_F(CurrencyFrameEditingTest, EveryUserActionMarksTheDeclarationModified)
{
    struct Case {
        const char* action;
        std::function<void()> act;
    };
    const auto dateTyped = [](TDtpPanel* field) {
        typeText(field->findChild<QLineEdit*>(), QStringLiteral("20.03.2021"));
    };
    // The company's fields are offered once the income is the company's profit.
    const auto asCompanyProfit = [this] {
        chooseIncomeCode(QStringLiteral("1000"));
        counter.userEdits = 0;
    };
    const Case cases[] = {
        {"add", [this] { addOnPage({QStringLiteral("Новый"), QStringLiteral("840"), QStringLiteral("840")}); }},
        {"delete", [this] {
             const MessageAnswers agreed(QMessageBox::Yes);
             userClick(page->fbDeleteSourseIncome);
         }},
        {"copy", [this] { userClick(page->fbCopy); }},
        {"automatic rates off", [this] { page->chbAutoExchange->click(); }},
        {"income date", [this, dateTyped] { dateTyped(page->dtIncomeGetDate); }},
        {"tax date", [this, dateTyped] { dateTyped(page->dtSubtractDate); }},
        {"currency chosen", [this] { chooseCurrency(QStringLiteral("978")); }},
        {"currency typed", [this] { typeText(page->meCurrencyCode, QStringLiteral("978")); }},
        {"income code", [this] { chooseIncomeCode(QStringLiteral("1000")); }},
        {"deduction code", [this] {
             chooseIncomeCode(QStringLiteral("1530"));
             counter.userEdits = 0;
             chooseDeduction(QStringLiteral("201"));
         }},
        {"amount", [this] { typeText(page->meIncomeCurrencySum, QStringLiteral("5")); }},
        {"units", [this] {
             page->chbAutoExchange->click();
             counter.userEdits = 0;
             typeText(page->meCurrencyUnits2, QStringLiteral("10"));
         }},
        {"tax", [this] { typeText(page->meTaxCurrencySum, QStringLiteral("5")); }},
        {"company number", [this, asCompanyProfit] {
             asCompanyProfit();
             typeText(page->meKIKNum, QStringLiteral("АБ 12345"));
         }},
        {"profit order", [this, asCompanyProfit] {
             asCompanyProfit();
             page->rb2->click();
         }},
        {"withheld tax", [this, asCompanyProfit] {
             asCompanyProfit();
             typeText(page->me150, QStringLiteral("100"));
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.action);
        PageWindow edited;
        addDividends(*edited.declaration);
        addDividends(*edited.declaration);
        page = edited.show<TfrCurrency>();
        open(1);
        open(0);
        EXPECT_EQ(counter.userEdits, 0) << "opening the page and its incomes";
        test.act();
        EXPECT_GT(counter.userEdits, 0);
        counter.userEdits = 0;
        page = nullptr;
    }
}

// Changing any one thing of a source in its dialog marks the declaration changed; confirming it
// unchanged marks nothing.
TEST_F(CurrencyFrameEditingTest, EditingASourceMarksEachChange)
{
    const struct {
        const char* name;
        const char* sourceName;
        const char* sourceCountry;
        const char* creditCountry;
        bool changed;
    } cases[] = {
        {"nothing", "Apple Inc.", "840", "840", false},
        {"the name", "Apple Ltd.", "840", "840", true},
        {"the source's country", "Apple Inc.", "826", "840", true},
        {"only the credit country", "Apple Inc.", "840", "826", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        while (declaration().CurrencyIncomeCount() > 0)
            declaration().DeleteCurrencyIncome(0);
        addDividends(declaration());
        delete page;
        showPage();
        open(0);
        counter.userEdits = 0;
        SourceAnswer answer;
        answer.name = QString::fromUtf8(test.sourceName);
        answer.sourceCountry = QString::fromLatin1(test.sourceCountry);
        answer.creditCountry = QString::fromLatin1(test.creditCountry);
        EXPECT_TRUE(answerSource([this] { userClick(page->fbEditSourseIncome); }, answer).shown);
        EXPECT_EQ(counter.userEdits > 0, test.changed);
        EXPECT_EQ(income(0).CreditCountry, test.creditCountry);
        EXPECT_EQ(income(0).SourceCountry, test.sourceCountry);
    }
}

// A new income takes the directory's rates once its currency is chosen; the user may untick them.
TEST_F(CurrencyFrameEditingTest, ANewIncomeTakesTheDirectoryRatesOnceItsCurrencyIsChosen)
{
    showPage();
    SourceAnswer answer;
    answer.name = QStringLiteral("Apple Inc.");
    answer.sourceCountry = QStringLiteral("840");
    answer.creditCountry = QStringLiteral("840");
    ASSERT_TRUE(addOnPage(answer).shown);
    typeText(page->dtIncomeGetDate->findChild<QLineEdit*>(), QStringLiteral("15.03.2021"));
    typeText(page->dtSubtractDate->findChild<QLineEdit*>(), QStringLiteral("15.03.2021"));
    EXPECT_FALSE(page->chbAutoExchange->isEnabled()) << "no currency, no rates to take";

    chooseCurrency(QStringLiteral("840"));
    EXPECT_TRUE(page->chbAutoExchange->isEnabled());
    EXPECT_TRUE(page->chbAutoExchange->isChecked());
    EXPECT_FALSE(page->meCurrencyExchange->text().isEmpty()) << "the directory's rate of the day";
    EXPECT_FALSE(page->meCurrencyExchange->isEnabled());

    page->chbAutoExchange->click();
    EXPECT_FALSE(page->chbAutoExchange->isChecked());
    EXPECT_TRUE(page->meCurrencyExchange->isEnabled());
    chooseCurrency(QStringLiteral("978"));
    EXPECT_FALSE(page->chbAutoExchange->isChecked()) << "the user's choice stands";
    page->SaveData();
    EXPECT_EQ(income(0).AutoRate, 0);
}

// An income whose deduction shows no sum keeps the page as a fresh one lays it out: the group of
// deductions neither moves nor narrows, and the unit goes with the hidden sum.
TEST_F(CurrencyFrameEditingTest, AnIncomeWithoutADeductionSumIsLaidOutAsAFreshPage)
{
    mTCurrencyIncome& shown = addDividends(declaration());
    shown.IncomeCode = 1211;
    shown.DeductionCode = 0;
    addDividends(declaration());
    showPage();
    QTest::qWait(0);
    const QRect freshGroup = page->gbDiscount->geometry();
    const QRect freshCaption = page->lbSubtractSum->geometry();
    const QRect freshSum = page->meSubtractSum->geometry();

    for (const int row : {0, 1, 0}) {
        SCOPED_TRACE(row);
        open(row);
        QTest::qWait(0);
        EXPECT_EQ(page->meSubtractSum->isHidden(), row == 0);
        EXPECT_EQ(page->lbSubtractRoubles->isHidden(), row == 0);
        EXPECT_EQ(page->gbDiscount->geometry(), freshGroup);
        EXPECT_EQ(page->lbSubtractSum->geometry(), freshCaption);
        EXPECT_EQ(page->meSubtractSum->geometry(), freshSum);
    }
}

TEST_F(CurrencyFrameEditingTest, CaptionsReadAsWritten)
{
    showPage();
    EXPECT_EQ(page->chbAutoExchange->text(), QStringLiteral("Автоматическое определение курса валюты"));
    EXPECT_EQ(page->rb1->text(), QStringLiteral("По данным фин. отчетности КИК"));
    EXPECT_EQ(page->rb2->text(), QStringLiteral("По правилам для российских организаций"));
}

} // namespace

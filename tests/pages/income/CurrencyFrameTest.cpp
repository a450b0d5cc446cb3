#include "pages/income/CurrencyFrame.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "controls/DtpPanel.h"
#include "controls/MaskedDocEdit.h"
#include "controls/MaskedEdit.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/pages/income/CurrencyFrameFixture.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/UserTyping.h"

namespace {

// The central bank's published rates of a currency: date -> (nominal, rate with a decimal point).
std::map<QDate, std::pair<QString, QString>> publishedRates(const char* file)
{
    QFile csv(QStringLiteral("/work/shared/data/reference/") + QLatin1String(file));
    std::map<QDate, std::pair<QString, QString>> rates;
    if (!csv.open(QIODevice::ReadOnly))
        return rates;
    csv.readLine();
    while (!csv.atEnd()) {
        const QStringList fields = QString::fromUtf8(csv.readLine()).trimmed().split(u';');
        if (fields.size() < 3)
            continue;
        rates[QDate::fromString(fields[1], QStringLiteral("dd.MM.yyyy"))] = {QString(fields[0]).remove(u' '),
                                                                            fields[2]};
    }
    return rates;
}

TEST_F(CurrencyFrameTest, ADeclarationLoadedAndSavedBackIsUnchanged)
{
    addDividends(declaration());
    // Rates typed by hand for a currency the directory has no rate of on the tax date.
    mTCurrencyIncome& typed = addDividends(declaration());
    typed.AutoRate = 0;
    typed.TaxPaymentDate = day(10, 3, 2023);
    typed.TaxDateRate = money("75,5");
    typed.SetTaxAmount(roubles(150));
    typed.IncomeCode = 1510;
    typed.IncomeCodeName = "Доходы от продажи жилых домов, квартир, комнат, садовых домов, земельных участков и долей в "
                           "них";
    typed.DeductionCode = 903;
    typed.DeductionSum = roubles(5000);
    // A company's profit with its number, order and withheld tax.
    addCompanyProfit(declaration());
    // A code the dictionary does not know keeps its deduction.
    mTCurrencyIncome& unknown = addDividends(declaration());
    unknown.IncomeCode = 4444;
    unknown.DeductionCode = 777;
    unknown.DeductionSum = roubles(10);
    const QByteArray before = fileBytes(declaration());

    showPage();
    page->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before) << "nothing open";
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        open(row);
        page->SaveData();
        EXPECT_EQ(fileBytes(declaration()), before);
    }
    open(0);
    EXPECT_EQ(fileBytes(declaration()), before);
    EXPECT_EQ(counter.userEdits, 0) << "filling the page and showing an income are no edits";
}

TEST_F(CurrencyFrameTest, AutomaticRatesAreTheCentralBanksOfTheDay)
{
    struct Case {
        const char* code;
        const char* file;
        QDate date;
        const char* why;
    };
    const Case cases[] = {
        {"840", "cbr-rates-USD.csv", QDate(2021, 3, 15), "a Monday"},
        {"840", "cbr-rates-USD.csv", QDate(2021, 3, 13), "a Saturday: the rate set on Friday"},
        {"840", "cbr-rates-USD.csv", QDate(2021, 3, 14), "a Sunday"},
        {"840", "cbr-rates-USD.csv", QDate(2021, 1, 5), "the new-year holidays"},
        {"978", "cbr-rates-EUR.csv", QDate(2021, 12, 31), "the year's last day"},
        {"978", "cbr-rates-EUR.csv", QDate(2021, 7, 4), "a Sunday"},
        {"949", "cbr-rates-TRY.csv", QDate(2021, 1, 17), "10 lira for a rate"},
        {"949", "cbr-rates-TRY.csv", QDate(2021, 1, 25), "back to one lira"},
        {"051", "cbr-rates-AMD.csv", QDate(2021, 6, 6), "100 dram"},
        {"975", "cbr-rates-BGN.csv", QDate(2021, 11, 20), "a Saturday"},
    };
    addIncome(declaration()).SourceName = "Источник";
    showPage();
    open(0);
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.code) + " " + test.date.toString(Qt::ISODate).toStdString() + " " + test.why);
        const auto published = publishedRates(test.file);
        ASSERT_FALSE(published.empty());
        // The rate in force is the latest one published for a day up to the date.
        const auto inForce = std::prev(published.upper_bound(test.date));
        const QDate date = test.date;
        page->dtIncomeGetDate->setDateTime(day(date.day(), date.month(), date.year()));
        page->dtSubtractDate->setDateTime(day(date.day(), date.month(), date.year()));
        typeText(page->meCurrencyCode, QString::fromLatin1(test.code));
        if (!page->chbAutoExchange->isChecked())
            page->chbAutoExchange->click();
        ASSERT_TRUE(page->chbAutoExchange->isChecked());
        EXPECT_EQ(page->meCurrencyUnits->text(), inForce->second.first);
        EXPECT_EQ(page->meCurrencyExchange->text(), QString(inForce->second.second).replace(u'.', u','));
        EXPECT_EQ(page->meCurrencyUnits2->text(), inForce->second.first);
        EXPECT_FALSE(page->meCurrencyExchange->isEnabled()) << "automatic rates are not typed";
        EXPECT_FALSE(page->meCurrencyName->isEnabled());
    }
    page->SaveData();
    EXPECT_EQ(income(0).CurrencyCode, "975");
    EXPECT_EQ(income(0).AutoRate, 1);
}

TEST_F(CurrencyFrameTest, RoublesAreAmountByUnitsTimesRateToTheKopeck)
{
    addIncome(declaration()).SourceName = "Источник";
    showPage();
    open(0);
    typeText(page->meCurrencyCode, QStringLiteral("001"));
    EXPECT_FALSE(page->chbAutoExchange->isEnabled()) << "a currency the directory does not have";
    EXPECT_TRUE(page->meCurrencyName->isEnabled());
    typeText(page->meCurrencyUnits, QStringLiteral("3"));
    typeText(page->meCurrencyExchange, QStringLiteral("75,5"));
    typeText(page->meIncomeCurrencySum, QStringLiteral("100,01"));
    // 100.01 / 3 x 75.50 = 2516.9183..., worked by hand.
    EXPECT_EQ(page->pnlIncomeRublSum->text(), QStringLiteral("2516,92"));
    typeText(page->meCurrencyExchange, QStringLiteral("75,4"));
    EXPECT_EQ(page->pnlIncomeRublSum->text(), QStringLiteral("2513,58")); // 2513.5846...
    typeText(page->meCurrencyUnits, QString());
    EXPECT_EQ(page->pnlIncomeRublSum->text(), QStringLiteral("0"));
    page->SaveData();
    EXPECT_EQ(income(0).IncomeRoubles, Currency());
}

TEST_F(CurrencyFrameTest, ATypedDeductionStaysWhenTheIncomeChanges)
{
    mTCurrencyIncome& sale = addDividends(declaration());
    sale.IncomeCode = 1510;
    sale.AutoRate = 0;
    sale.DeductionCode = 903; // expenses, typed, no cap
    sale.DeductionSum = roubles(5000);
    mTCurrencyIncome& pension = addDividends(declaration());
    pension.IncomeCode = 1211;
    pension.AutoRate = 0;
    pension.DeductionCode = 510; // the whole income up to 12000
    pension.DeductionSum = roubles(300);
    showPage();

    open(0);
    EXPECT_EQ(page->meSubtractSum->text(), QStringLiteral("5000")) << "opening never changes it";
    for (const char* amount : {"2000", "10", ""}) {
        SCOPED_TRACE(amount);
        typeText(page->meIncomeCurrencySum, QString::fromLatin1(amount));
        EXPECT_EQ(page->meSubtractSum->text(), QStringLiteral("5000"));
    }
    typeText(page->meCurrencyUnits, QStringLiteral("10"));
    typeText(page->meCurrencyExchange, QStringLiteral("80"));
    EXPECT_EQ(page->meSubtractSum->text(), QStringLiteral("5000"));

    open(1);
    EXPECT_EQ(page->meSubtractSum->text(), QStringLiteral("300")) << "opening never recomputes it";
    typeText(page->meIncomeCurrencySum, QStringLiteral("100"));
    EXPECT_EQ(page->meSubtractSum->text(), QStringLiteral("7442,75")) << "the whole income";
    typeText(page->meIncomeCurrencySum, QStringLiteral("1000"));
    EXPECT_EQ(page->meSubtractSum->text(), QStringLiteral("12000")) << "capped";
    page->SaveData();
    EXPECT_EQ(income(0).DeductionSum, roubles(5000));
    EXPECT_EQ(income(1).DeductionSum, roubles(12000));
}

TEST_F(CurrencyFrameTest, OpeningAnIncomeKeepsItsRatesWhenOneDateHasNone)
{
    // The directory has the income date's rate but none for a tax date before 2021.
    mTCurrencyIncome& stored = addDividends(declaration());
    stored.TaxPaymentDate = day(1, 6, 2019);
    stored.TaxDateRate = money("64,5");
    stored.AutoRate = 0;
    stored.SetTaxAmount(roubles(100));
    mTCurrencyIncome& automatic = addDividends(declaration());
    automatic.IncomeDateRate = money("70");
    showPage();

    open(0);
    EXPECT_EQ(page->meCurrencyExchange->text(), QStringLiteral("74,4275"));
    EXPECT_EQ(page->meCurrencyExchange2->text(), QStringLiteral("64,5"));
    EXPECT_FALSE(page->chbAutoExchange->isEnabled());
    EXPECT_TRUE(page->meCurrencyExchange2->isEnabled()) << "typed by hand";
    open(1);
    EXPECT_EQ(page->meCurrencyExchange->text(), QStringLiteral("70")) << "the stored rate, not the directory's";
    EXPECT_TRUE(page->chbAutoExchange->isChecked());
    page->SaveData();
    EXPECT_EQ(income(0).TaxDateRate, money("64,5"));
    EXPECT_EQ(income(1).IncomeDateRate, money("70"));

    // A date the user moves to one without a rate leaves that date's rate to type.
    page->dtSubtractDate->setDateTime(day(1, 6, 2019));
    EXPECT_FALSE(page->chbAutoExchange->isChecked());
    EXPECT_TRUE(page->meCurrencyExchange2->text().isEmpty());
    EXPECT_EQ(page->meCurrencyExchange->text(), QStringLiteral("70")) << "the income date's rate still holds";
    EXPECT_TRUE(page->meCurrencyExchange2->isEnabled());
}

TEST_F(CurrencyFrameTest, TheCompanysWithheldTaxTakesWholeRoubles)
{
    mTCurrencyIncome& company = addDividends(declaration());
    company.IncomeCode = 1000;
    showPage();
    open(0);
    EXPECT_EQ(page->me150->editType(), edtWholeRoubles);
    EXPECT_EQ(page->me150->wholeLength(), 12);
    typeText(page->me150, QStringLiteral("1500,50"));
    EXPECT_TRUE(page->me150->text().isEmpty()) << "kopecks are refused";
    typeText(page->me150, QStringLiteral("1500"));
    page->SaveData();
    EXPECT_EQ(income(0).Line150Sum, roubles(1500));
    EXPECT_EQ(page->meCurrencyExchange->fractionalLength(), 4) << "the central bank's four decimals";
    EXPECT_EQ(page->meCurrencyExchange->wholeLength(), 5);
}

TEST_F(CurrencyFrameTest, CheckRulesAndWhereEachFailureLeadsTo)
{
    struct Case {
        const char* title;
        std::function<void(mTCurrencyIncome&, mTDeclaration&)> spoil;
        const char* message;
        std::function<QWidget*(TfrCurrency&)> focused;
    };
    const Case cases[] = {
        {"1 no currency", [](mTCurrencyIncome& i, mTDeclaration&) { i.CurrencyCode.clear(); },
         "По данному источнику выплаты не указан код валюты", [](TfrCurrency& p) { return p.meCurrencyCode; }},
        {"2 no units",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.AutoRate = 0;
             i.IncomeDateUnits = 0;
         },
         "По данному источнику выплаты не указан курс валюты", [](TfrCurrency& p) { return p.meCurrencyUnits; }},
        {"2 no rate",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.AutoRate = 0;
             i.IncomeDateRate = Currency();
         },
         "По данному источнику выплаты не указан курс валюты", [](TfrCurrency& p) { return p.meCurrencyExchange; }},
        {"2 income in roubles beyond the range",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.IncomeDateRate = money("99999,9999");
             i.IncomeAmount = money("999999999999,99");
         },
         "По данному источнику выплаты сумма дохода в рублях вне допустимого диапазона. Проверьте сумму дохода в "
         "валюте и курс валюты на дату получения дохода",
         [](TfrCurrency& p) { return p.meIncomeCurrencySum; }},
        {"2 tax in roubles beyond the range",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.TaxDateRate = money("99999,9999");
             i.TaxAmount = money("999999999999,99");
         },
         "По данному источнику выплаты сумма налога в рублях вне допустимого диапазона. Проверьте сумму налога в "
         "валюте и курс валюты на дату уплаты налога",
         [](TfrCurrency& p) { return p.meTaxCurrencySum; }},
        {"3 no income code", [](mTCurrencyIncome& i, mTDeclaration&) { i.IncomeCode = 0; },
         "По данному источнику выплаты не указан код дохода", [](TfrCurrency& p) { return p.bnIncomeCod; }},
        {"4 fixed profit's number",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.IncomeCode = 1003;
             i.CompanyNumber = "АБ 123";
         },
         "Номер КИК указан некорректно (состоит из двух букв и пяти цифр, если КИК несколько - номер можно не "
         "указывать или указать любой по выбору)",
         [](TfrCurrency& p) { return p.meKIKNum; }},
        {"5 dividends beside a fixed profit",
         [](mTCurrencyIncome& i, mTDeclaration& d) {
             i.IncomeCode = 1012;
             d.SetKIKItemNumber(2);
         },
         "В одной декларации не нужно отражать фиксированную прибыль КИК и доход в виде дивидендов от КИК",
         [](TfrCurrency& p) { return p.lvSourseIncomeInfo; }},
        {"6a profit beside a fixed profit",
         [](mTCurrencyIncome& i, mTDeclaration& d) {
             i.IncomeCode = 1000;
             i.CompanyNumber = "АБ 12345";
             i.ProfitMethod = 1;
             d.SetKIKItemNumber(2);
         },
         "В одной декларации нельзя заявлять и фиксированную прибыль КИК и доход в виде прибыли КИК",
         [](TfrCurrency& p) { return p.lvSourseIncomeInfo; }},
        {"6b no company number",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.IncomeCode = 1000;
             i.ProfitMethod = 1;
         },
         "По данному источнику необходимо указать номер КИК", [](TfrCurrency& p) { return p.meKIKNum; }},
        {"6c malformed company number",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.IncomeCode = 1000;
             i.CompanyNumber = "АБ1234";
             i.ProfitMethod = 1;
         },
         "По данному источнику номер КИК указан некорректно (состоит из двух букв и пяти цифр)",
         [](TfrCurrency& p) { return p.meKIKNum; }},
        {"6d no profit order",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.IncomeCode = 1000;
             i.CompanyNumber = "АБ 12345";
         },
         "По данному источнику не указан порядок определения прибыли КИК", [](TfrCurrency& p) { return p.rb1; }},
        {"7 no deduction sum",
         [](mTCurrencyIncome& i, mTDeclaration&) {
             i.IncomeCode = 1510;
             i.DeductionCode = 903;
         },
         "По данному источнику выплаты не указана сумма вычета", [](TfrCurrency& p) { return p.meSubtractSum; }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow checked;
        mTDeclaration& d = *checked.declaration;
        addDividends(d);
        test.spoil(addDividends(d), d);
        auto* checkedPage = checked.show<TfrCurrency>();
        ScriptedCheckAnswers answers;
        answers.answers = {CheckFix};
        EXPECT_EQ(checkedPage->CheckData(), 2);
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].caption, QStringLiteral("Проверка: Доходы в валюте"));
        EXPECT_EQ(answers.shown[0].message, QString::fromUtf8(test.message));
        checkedPage->FocusError(2);
        EXPECT_EQ(selectedRow(checkedPage->lvSourseIncomeInfo), 1);
        EXPECT_EQ(checked.window.focusWidget(), test.focused(*checkedPage));
    }

    // Sales of securities may state no deduction; a 1003 without a number passes.
    PageWindow passing;
    addDividends(*passing.declaration).IncomeCode = 1530;
    passing.declaration->GetCurrencyIncome(0)->DeductionCode = 201;
    addDividends(*passing.declaration).IncomeCode = 1003;
    ScriptedCheckAnswers none;
    EXPECT_EQ(passing.show<TfrCurrency>()->CheckData(), 0);
    EXPECT_TRUE(none.shown.empty());
}

TEST_F(CurrencyFrameTest, SkippingARuleGoesOnToTheNext)
{
    mTCurrencyIncome& first = addDividends(declaration());
    first.CurrencyCode.clear();
    first.IncomeCode = 1510;
    first.DeductionCode = 903;
    addDividends(declaration()).IncomeCode = 0;
    showPage();
    ScriptedCheckAnswers answers;
    answers.answers = {CheckSkip, CheckSkip, CheckFix};
    EXPECT_EQ(page->CheckData(), 2);
    ASSERT_EQ(answers.shown.size(), 3u);
    EXPECT_EQ(answers.shown[1].message, QStringLiteral("По данному источнику выплаты не указана сумма вычета"));
    EXPECT_EQ(answers.shown[2].message, QStringLiteral("По данному источнику выплаты не указан код дохода"));

    ScriptedCheckAnswers rest;
    rest.answers = {CheckSkipAll};
    EXPECT_EQ(page->CheckData(), 0);
    EXPECT_EQ(rest.shown.size(), 1u);
}

TEST_F(CurrencyFrameTest, DeletingKeepsTheFixedProfitNumberOnItsIncome)
{
    for (const char* name : {"Первый", "Второй", "Третий"})
        addDividends(declaration()).SourceName = name;
    income(2).IncomeCode = 1003;
    declaration().SetKIKItemNumber(3);
    showPage();
    open(0);
    // The delete commands ask first.
    MessageAnswers agreed(QMessageBox::Yes);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().KIKItemNumber(), 2);
    EXPECT_EQ(rowCaptions(page->lvSourseIncomeInfo), (QStringList{QStringLiteral("Второй"), QStringLiteral("Третий")}));
    open(1);
    EXPECT_FALSE(page->meIncomeCurrencySum->isEnabled()) << "the fixed profit is set by the law";
    EXPECT_FALSE(page->meCurrencyExchange->isEnabled());
    EXPECT_TRUE(page->meKIKNum->isEnabled());
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().KIKItemNumber(), 0);
    userClick(page->fbDeleteSourseIncome);
    EXPECT_EQ(declaration().CurrencyIncomeCount(), 0u);
    EXPECT_FALSE(page->meCurrencyCode->isEnabled());
    EXPECT_FALSE(page->fbDeleteSourseIncome->isEnabled());
}

} // namespace

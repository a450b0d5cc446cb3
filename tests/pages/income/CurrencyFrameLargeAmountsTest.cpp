#include "pages/income/CurrencyFrame.h"

#include <memory>
#include <string>
#include <utility>

#include <QLabel>
#include <QTreeWidget>

#include "controls/CheckDialogs.h"
#include "controls/MaskedEdit.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/pages/income/CurrencyFrameFixture.h"
#include "tests/support/UserTyping.h"

namespace {

const QString Refused = QStringLiteral("Вне диапазона");
const QString IncomeRefusal =
    QStringLiteral("По данному источнику выплаты сумма дохода в рублях вне допустимого диапазона. Проверьте сумму "
                   "дохода в валюте и курс валюты на дату получения дохода");
const QString TaxRefusal =
    QStringLiteral("По данному источнику выплаты сумма налога в рублях вне допустимого диапазона. Проверьте сумму "
                   "налога в валюте и курс валюты на дату уплаты налога");

// An amount in the currency at a rate, the fields at their limits: 12 whole digits of amount,
// 7 of units, 5 + 4 of rate. An amount holds at most 922 337 203 685 477,5807 roubles; the rouble
// values were worked by hand, rounded half up to kopecks.
struct AtRate {
    const char* name;
    const char* amount;
    const char* units;
    const char* rate;
    const char* roubles; // nullptr: beyond the range
};

const AtRate Cases[] = {
    {"largest amount at the largest rate", "999999999999,99", "1", "99999,9999", nullptr},
    {"the same for 100 units", "999999999999,99", "100", "99999,9999", nullptr},
    {"the same for 1000 units", "999999999999,99", "1000", "99999,9999", "99999999899999"},
    {"the same for the most units", "999999999999,99", "9999999", "99999,9999", "10000000990"},
    {"largest amount at the smallest rate", "999999999999,99", "1", "0,0001", "100000000"},
    {"smallest amount at the smallest rate", "0,01", "9999999", "0,0001", "0"},
    {"just below the largest sum", "9200000000", "1", "99999,9999", "919999999080000"},
    {"just above the largest sum", "9300000000", "1", "99999,9999", nullptr},
};

// The fields of one amount at its rate: the income's at the income date, the tax's at the
// payment date.
struct AmountFields {
    const char* name;
    TMaskedEdit* TfrCurrency::*amount;
    TMaskedEdit* TfrCurrency::*units;
    TMaskedEdit* TfrCurrency::*rate;
    QLabel* TfrCurrency::*roubles;
    Currency mTCurrencyIncome::*storedAmount;
    Currency mTCurrencyIncome::*storedRoubles;
    std::int32_t mTCurrencyIncome::*storedUnits;
    Currency mTCurrencyIncome::*storedRate;
    const QString* refusal;
};

const AmountFields Fields[] = {
    {"income", &TfrCurrency::meIncomeCurrencySum, &TfrCurrency::meCurrencyUnits, &TfrCurrency::meCurrencyExchange,
     &TfrCurrency::pnlIncomeRublSum, &mTCurrencyIncome::IncomeAmount, &mTCurrencyIncome::IncomeRoubles,
     &mTCurrencyIncome::IncomeDateUnits, &mTCurrencyIncome::IncomeDateRate, &IncomeRefusal},
    {"tax", &TfrCurrency::meTaxCurrencySum, &TfrCurrency::meCurrencyUnits2, &TfrCurrency::meCurrencyExchange2,
     &TfrCurrency::pnlTaxRoubleSum, &mTCurrencyIncome::TaxAmount, &mTCurrencyIncome::TaxRoubles,
     &mTCurrencyIncome::TaxDateUnits, &mTCurrencyIncome::TaxDateRate, &TaxRefusal},
};

QString shownRoubles(const AtRate& test)
{
    return test.roubles ? currencyDisplayText(money(test.roubles)) : Refused;
}

class CurrencyFrameLargeAmountsTest : public CurrencyFrameTest {
protected:
    // Opens the page on `declaration` in a window of its own, with its first income open.
    void openPage(std::unique_ptr<mTDeclaration> declaration)
    {
        shown = std::make_unique<PageWindow>();
        shown->declaration = std::move(declaration);
        page = shown->show<TfrCurrency>();
        page->focusFirst();
        open(0);
    }

    const mTCurrencyIncome& stored() { return *shown->declaration->GetCurrencyIncome(0); }

    // The page's check of the one income: the refusal it shows, empty when it passes.
    QString checkMessage()
    {
        ScriptedCheckAnswers answers;
        answers.answers = {CheckFix};
        page->CheckData();
        return answers.shown.empty() ? QString() : answers.shown.front().message;
    }

    std::unique_ptr<PageWindow> shown;

    // What the page shows and stores of the amount once it is in the fields.
    void expectFigure(const AtRate& test, const AmountFields& fields)
    {
        QLabel* roubles = page->*fields.roubles;
        EXPECT_EQ(roubles->text(), shownRoubles(test));
        EXPECT_EQ(roubles->toolTip().isEmpty(), test.roubles != nullptr);
        EXPECT_EQ((page->*fields.amount)->text(), QString::fromLatin1(test.amount)) << "the text stays as typed";

        page->SaveData();
        EXPECT_EQ(stored().*fields.storedAmount, money(test.amount));
        EXPECT_EQ(stored().*fields.storedRoubles, test.roubles ? money(test.roubles) : Currency());
        EXPECT_EQ(checkMessage(), test.roubles ? QString() : *fields.refusal);
        if (!test.roubles) {
            page->FocusError(1);
            EXPECT_EQ(shown->window.focusWidget(), page->*fields.amount);
        }
    }
};

TEST_F(CurrencyFrameLargeAmountsTest, TypedAmountsBeyondTheRangeAreRefusedNotFatal)
{
    for (const AmountFields& fields : Fields) {
        for (const AtRate& test : Cases) {
            SCOPED_TRACE(std::string(fields.name) + ": " + test.name);
            auto declaration = std::make_unique<mTDeclaration>();
            addDividends(*declaration).AutoRate = 0;
            openPage(std::move(declaration));
            typeText(page->*fields.units, QString::fromLatin1(test.units));
            typeText(page->*fields.rate, QString::fromLatin1(test.rate));
            typeText(page->*fields.amount, QString::fromLatin1(test.amount));
            expectFigure(test, fields);
            page = nullptr;
        }
    }
}

TEST_F(CurrencyFrameLargeAmountsTest, AFileWithAmountsBeyondTheRangeOpens)
{
    for (const AmountFields& fields : Fields) {
        for (const AtRate& test : Cases) {
            SCOPED_TRACE(std::string(fields.name) + ": " + test.name);
            // The amount as a file holds it, beside the rouble value of the amount it replaced.
            mTDeclaration written;
            mTCurrencyIncome& held = addDividends(written);
            held.AutoRate = 0;
            held.*fields.storedUnits = QString::fromLatin1(test.units).toInt();
            held.*fields.storedRate = money(test.rate);
            held.*fields.storedAmount = money(test.amount);
            openPage(reloaded(written));
            expectFigure(test, fields);
            page = nullptr;
        }
    }
}

} // namespace

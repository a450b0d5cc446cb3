#include "pages/income/CurrencyRules.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "pages/income/CurrencyFrame.h"
#include "tests/shell/PageAndWholeCheck.h"

namespace {

struct CurrencyCase {
    const char* name;
    std::function<void(mTDeclaration&)> spoil;
    const char* message; // what both checks find; nullptr: both pass
    std::uint16_t item;
};

mTCurrencyIncome& companyIncome(mTDeclaration& d, std::int32_t code, const char* number)
{
    mTCurrencyIncome& income = addForeignIncome(d);
    income.IncomeCode = code;
    income.CompanyNumber = number;
    return income;
}

// An income whose amount, 999 999 999 999,99, at its rate, 99 999,9999 roubles a unit, is more
// than an amount holds.
void beyondTheRange(mTDeclaration& d, Currency mTCurrencyIncome::*amount, Currency mTCurrencyIncome::*rate)
{
    mTCurrencyIncome& income = addForeignIncome(d);
    income.*rate = Currency::fromUnits(999'999'999);
    income.*amount = Currency::fromUnits(9'999'999'999'999'900);
}

const CurrencyCase currencyCases[] = {
    {"a valid income", [](mTDeclaration& d) { addForeignIncome(d); }, nullptr, 0},
    {"the second income without currency",
     [](mTDeclaration& d) {
         addForeignIncome(d);
         addForeignIncome(d).CurrencyCode.clear();
     },
     "По данному источнику выплаты не указан код валюты", 2},
    {"no rate", [](mTDeclaration& d) { addForeignIncome(d).IncomeDateRate = Currency(); },
     "По данному источнику выплаты не указан курс валюты", 1},
    {"no rate units", [](mTDeclaration& d) { addForeignIncome(d).IncomeDateUnits = 0; },
     "По данному источнику выплаты не указан курс валюты", 1},
    {"an income beyond the range in roubles",
     [](mTDeclaration& d) { beyondTheRange(d, &mTCurrencyIncome::IncomeAmount, &mTCurrencyIncome::IncomeDateRate); },
     "По данному источнику выплаты сумма дохода в рублях вне допустимого диапазона. Проверьте сумму дохода в валюте и "
     "курс валюты на дату получения дохода",
     1},
    {"a tax beyond the range in roubles",
     [](mTDeclaration& d) { beyondTheRange(d, &mTCurrencyIncome::TaxAmount, &mTCurrencyIncome::TaxDateRate); },
     "По данному источнику выплаты сумма налога в рублях вне допустимого диапазона. Проверьте сумму налога в валюте и "
     "курс валюты на дату уплаты налога",
     1},
    {"no income code", [](mTDeclaration& d) { addForeignIncome(d).IncomeCode = 0; },
     "По данному источнику выплаты не указан код дохода", 1},
    {"a fixed profit with a short company number", [](mTDeclaration& d) { companyIncome(d, 1003, "AB 1234"); },
     "Номер КИК указан некорректно (состоит из двух букв и пяти цифр, если КИК несколько - номер можно не указывать "
     "или указать любой по выбору)",
     1},
    {"a fixed profit without a company number", [](mTDeclaration& d) { companyIncome(d, 1003, ""); }, nullptr, 0},
    {"company dividends beside the fixed profit",
     [](mTDeclaration& d) {
         addForeignIncome(d);
         companyIncome(d, 1012, "AB 12345");
         d.SetKIKItemNumber(1);
     },
     "В одной декларации не нужно отражать фиксированную прибыль КИК и доход в виде дивидендов от КИК", 2},
    {"company profit beside the fixed profit",
     [](mTDeclaration& d) {
         companyIncome(d, 1000, "AB 12345").ProfitMethod = 1;
         d.SetKIKItemNumber(1);
     },
     "В одной декларации нельзя заявлять и фиксированную прибыль КИК и доход в виде прибыли КИК", 1},
    {"company profit without its number", [](mTDeclaration& d) { companyIncome(d, 1000, "").ProfitMethod = 1; },
     "По данному источнику необходимо указать номер КИК", 1},
    {"company profit with a long number",
     [](mTDeclaration& d) { companyIncome(d, 1000, "AB 123456").ProfitMethod = 2; },
     "По данному источнику номер КИК указан некорректно (состоит из двух букв и пяти цифр)", 1},
    {"company profit without the way of its profit", [](mTDeclaration& d) { companyIncome(d, 1000, "AB 12345"); },
     "По данному источнику не указан порядок определения прибыли КИК", 1},
    {"a deduction code without its sum", [](mTDeclaration& d) { addForeignIncome(d).DeductionCode = 601; },
     "По данному источнику выплаты не указана сумма вычета", 1},
    // Expenses of securities are counted in their own sheets.
    {"a sale of securities with a deduction of no sum",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 1530;
         income.DeductionCode = 201;
     },
     nullptr, 0},
    {"an investment partnership's income with a deduction of no sum",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 5029;
         income.DeductionCode = 829;
     },
     nullptr, 0},
};

TEST(CurrencyRules, ThePageAndTheWholeCheckFindTheSame)
{
    for (const CurrencyCase& test : currencyCases) {
        SCOPED_TRACE(test.name);
        std::vector<QString> skipped;
        expectFinding(pageFinding<TfrCurrency>(spoiltDeclaration(test.spoil), 0, skipped), test.message, test.item);
        expectFinding(wholeCheckFinding(spoiltDeclaration(test.spoil), CheckForeign), test.message, test.item);
    }
}

} // namespace

#pragma once

#include <gtest/gtest.h>

#include "controls/DisplayFormat.h"
#include "controls/ItemList.h"
#include "controls/ReferenceDocument.h"
#include "model/DayDate.h"
#include "pages/income/CurrencyFrame.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/SourceTreeFiles.h"
#include "tests/support/TestProgramContext.h"

// What the tests of the foreign income page share: dates, amounts, a typical income and the page
// in a window with the program's currency rate directory.

inline double day(int d, int m, int y)
{
    return *encodeDate(y, m, d);
}

inline Currency money(const char* text)
{
    return *parseCurrencyDisplayText(QString::fromLatin1(text));
}

inline mTCurrencyIncome& addIncome(mTDeclaration& declaration)
{
    return *declaration.GetCurrencyIncome(declaration.AddCurrencyIncome());
}

// US dividends: 1000 USD on 15.03.2021, 10 % withheld there on the same day.
inline mTCurrencyIncome& addDividends(mTDeclaration& declaration)
{
    mTCurrencyIncome& income = addIncome(declaration);
    income.SourceName = "Apple Inc.";
    income.SourceCountry = "840";
    income.CreditCountry = "840";
    income.IncomeDate = day(15, 3, 2021);
    income.TaxPaymentDate = day(15, 3, 2021);
    income.CurrencyCode = "840";
    income.CurrencyName = "Доллар США";
    income.AutoRate = 1;
    income.IncomeDateRate = money("74,4275");
    income.IncomeDateUnits = 1;
    income.TaxDateRate = money("74,4275");
    income.TaxDateUnits = 1;
    income.IncomeCode = 1010;
    income.IncomeCodeName = "Дивиденды";
    income.SetIncomeAmount(roubles(1000));
    income.SetTaxAmount(roubles(100));
    return income;
}

// A controlled foreign company's profit, with its number, how the profit was determined and the
// tax withheld in Russia.
inline mTCurrencyIncome& addCompanyProfit(mTDeclaration& declaration)
{
    mTCurrencyIncome& company = addDividends(declaration);
    company.IncomeCode = 1000;
    company.IncomeCodeName = "Прибыль контролируемой иностранной компании";
    company.CompanyNumber = "АБ 12345";
    company.ProfitMethod = 2;
    company.Line150Sum = roubles(1200);
    return company;
}

class CurrencyFrameTest : public ::testing::Test {
protected:
    CurrencyFrameTest()
    {
        context.directories().currencyRates = readReferenceFile(sourceTreeFile("resources/CurrencyRates.xml"));
    }

    mTDeclaration& declaration() { return *window.declaration; }
    mTCurrencyIncome& income(int index) { return *declaration().GetCurrencyIncome(std::size_t(index)); }
    TfrCurrency* showPage() { return page = window.show<TfrCurrency>(); }
    void open(int row) { selectRow(page->lvSourseIncomeInfo, row); }

    TestProgramContext context;
    UserEditCounter counter;
    PageWindow window;
    TfrCurrency* page = nullptr;
};

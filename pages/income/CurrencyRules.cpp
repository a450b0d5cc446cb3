#include "pages/income/CurrencyRules.h"

#include "computation/IncomeCodeSets.h"
#include "export/FieldLimits.h"
#include "model/CheckedFigure.h"
#include "model/CurrencyIncome.h"

namespace {

qsizetype characterCount(const std::string& text)
{
    return QString::fromStdString(text).size();
}

bool roublesInRange(Currency amount, std::int32_t units, Currency rate)
{
    return checkedFigure([&] { return roublesAtRate(amount, units, rate); }).has_value();
}

bool incomeRoublesInRange(const mTCurrencyIncome& income)
{
    return roublesInRange(income.IncomeAmount, income.IncomeDateUnits, income.IncomeDateRate);
}

bool taxRoublesInRange(const mTCurrencyIncome& income)
{
    return roublesInRange(income.TaxAmount, income.TaxDateUnits, income.TaxDateRate);
}

} // namespace

Currency roublesAtRate(Currency amount, std::int32_t units, Currency rate)
{
    // The model's own rounding, so that what the page shows is what is stored.
    mTCurrencyIncome income;
    income.IncomeDateUnits = units;
    income.IncomeDateRate = rate;
    income.SetIncomeAmount(amount);
    return income.IncomeRoubles;
}

void setAmounts(mTCurrencyIncome& income, Currency amount, Currency tax)
{
    income.IncomeAmount = amount;
    income.TaxAmount = tax;
    if (incomeRoublesInRange(income))
        income.SetIncomeAmount(amount);
    else
        income.IncomeRoubles = Currency();
    if (taxRoublesInRange(income))
        income.SetTaxAmount(tax);
    else
        income.TaxRoubles = Currency();
}

CompanyFields companyFieldsFor(std::int32_t incomeCode)
{
    switch (incomeCode) {
    case CompanyProfitIncomeCode:
        return {true, true};
    case 1001:
    case 1002:
    case CompanyDividendsIncomeCode:
        return {true, false};
    default:
        return {};
    }
}

std::vector<CurrencyIncomeRule> failedRules(const mTCurrencyIncome& income, std::int32_t fixedProfitItem)
{
    using enum CurrencyIncomeRule;
    std::vector<CurrencyIncomeRule> failed;
    const auto check = [&failed](bool fails, CurrencyIncomeRule rule) {
        if (fails)
            failed.push_back(rule);
    };
    const qsizetype numberLength = characterCount(income.CompanyNumber);
    check(income.CurrencyCode.empty(), CurrencyCode);
    check(income.IncomeDateUnits == 0 || income.IncomeDateRate == Currency(), Rate);
    check(!incomeRoublesInRange(income), IncomeRoubles);
    check(!taxRoublesInRange(income), TaxRoubles);
    check(income.IncomeCode == 0, IncomeCode);
    check(income.IncomeCode == FixedProfitIncomeCode && numberLength != 0 && numberLength != FieldLimits::CompanyNumber,
          FixedProfitNumber);
    check(income.IncomeCode == CompanyDividendsIncomeCode && fixedProfitItem != 0, DividendsWithFixedProfit);
    if (income.IncomeCode == CompanyProfitIncomeCode) {
        check(fixedProfitItem != 0, ProfitWithFixedProfit);
        check(numberLength == 0, CompanyNumberMissing);
        check(numberLength != 0 && numberLength != FieldLimits::CompanyNumber, CompanyNumberMalformed);
        check(income.ProfitMethod == 0, ProfitOrder);
    }
    check(income.DeductionCode != 0 && income.DeductionSum == Currency()
              && !IsSecuritiesOrPartnershipIncome(income.IncomeCode),
          DeductionSum);
    return failed;
}

QString ruleMessage(CurrencyIncomeRule rule)
{
    switch (rule) {
    case CurrencyIncomeRule::CurrencyCode:
        return QStringLiteral("По данному источнику выплаты не указан код валюты");
    case CurrencyIncomeRule::Rate:
        return QStringLiteral("По данному источнику выплаты не указан курс валюты");
    case CurrencyIncomeRule::IncomeRoubles:
        return QStringLiteral("По данному источнику выплаты сумма дохода в рублях вне допустимого диапазона. "
                              "Проверьте сумму дохода в валюте и курс валюты на дату получения дохода");
    case CurrencyIncomeRule::TaxRoubles:
        return QStringLiteral("По данному источнику выплаты сумма налога в рублях вне допустимого диапазона. "
                              "Проверьте сумму налога в валюте и курс валюты на дату уплаты налога");
    case CurrencyIncomeRule::IncomeCode:
        return QStringLiteral("По данному источнику выплаты не указан код дохода");
    case CurrencyIncomeRule::FixedProfitNumber:
        return QStringLiteral("Номер КИК указан некорректно (состоит из двух букв и пяти цифр, если КИК несколько - "
                              "номер можно не указывать или указать любой по выбору)");
    case CurrencyIncomeRule::DividendsWithFixedProfit:
        return QStringLiteral("В одной декларации не нужно отражать фиксированную прибыль КИК и доход в виде "
                              "дивидендов от КИК");
    case CurrencyIncomeRule::ProfitWithFixedProfit:
        return QStringLiteral("В одной декларации нельзя заявлять и фиксированную прибыль КИК и доход в виде "
                              "прибыли КИК");
    case CurrencyIncomeRule::CompanyNumberMissing:
        return QStringLiteral("По данному источнику необходимо указать номер КИК");
    case CurrencyIncomeRule::CompanyNumberMalformed:
        return QStringLiteral("По данному источнику номер КИК указан некорректно (состоит из двух букв и пяти цифр)");
    case CurrencyIncomeRule::ProfitOrder:
        return QStringLiteral("По данному источнику не указан порядок определения прибыли КИК");
    case CurrencyIncomeRule::DeductionSum:
        return QStringLiteral("По данному источнику выплаты не указана сумма вычета");
    }
    return {};
}

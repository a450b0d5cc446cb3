#include "pages/income/CurrencyRules.h"

#include <algorithm>
#include <initializer_list>

#include "computation/IncomeLineRules.h"
#include "model/CurrencyIncome.h"

namespace {

// Sales of securities and derivatives and the like, whose deduction may be stated as 0.
constexpr std::initializer_list<std::int32_t> IncomesWithoutDeductionSum = {
    1530, 1531, 1532, 1533, 1535, 1536, 1537, 1538, 1539, 1541, 1544, 1545,
    1546, 1547, 1548, 1549, 1551, 1552, 1553, 1554, 5002, 5005, 5009, 5011,
    5013, 5014, 5017, 5020, 5024, 5026, 5028, 5029, 9537, 9538, 9551, 9552,
};

qsizetype characterCount(const std::string& text)
{
    return QString::fromStdString(text).size();
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
    check(income.IncomeCode == 0, IncomeCode);
    check(income.IncomeCode == FixedProfitIncomeCode && numberLength != 0 && numberLength != CompanyNumberLength,
          FixedProfitNumber);
    check(income.IncomeCode == CompanyDividendsIncomeCode && fixedProfitItem != 0, DividendsWithFixedProfit);
    if (income.IncomeCode == CompanyProfitIncomeCode) {
        check(fixedProfitItem != 0, ProfitWithFixedProfit);
        check(numberLength == 0, CompanyNumberMissing);
        check(numberLength != 0 && numberLength != CompanyNumberLength, CompanyNumberMalformed);
        check(income.ProfitMethod == 0, ProfitOrder);
    }
    const auto& exempt = IncomesWithoutDeductionSum;
    check(income.DeductionCode != 0 && income.DeductionSum == Currency()
              && std::find(exempt.begin(), exempt.end(), income.IncomeCode) == exempt.end(),
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

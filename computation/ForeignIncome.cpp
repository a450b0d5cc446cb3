#include "computation/ForeignIncome.h"

#include <algorithm>
#include <string_view>

#include "computation/Residency.h"
#include "computation/TaxArithmetic.h"
#include "computation/TaxYearFigures.h"
#include "model/Declaration.h"
#include "model/IncomeKinds.h"
#include "model/Money.h"

namespace {

constexpr std::int32_t ExemptIncomeCode1 = 1001;
constexpr std::int32_t ExemptIncomeCode2 = 1002;

constexpr std::int32_t ExemptionOfCode1001 = 1;
constexpr std::int32_t ExemptionOfCode1002 = 2;
constexpr std::int32_t ExemptionByKIKProfit = 3;

constexpr int MoneyWidth = 14;
constexpr int TaxWidth = 13;

// `count` characters of a UTF-8 text from the 0-based character `first`; characters beyond
// the end are simply absent.
std::string characters(std::string_view utf8, std::size_t first, std::size_t count)
{
    std::size_t character = 0;
    std::size_t begin = utf8.size();
    std::size_t end = utf8.size();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue; // continuation byte
        if (character == first)
            begin = i;
        if (character == first + count) {
            end = i;
            break;
        }
        ++character;
    }
    return std::string(utf8.substr(begin, end - begin));
}

// The company number as the form writes it: two characters, a hyphen, five characters; the
// third character of the number as typed is its separator.
std::string kikNumberText(std::string_view companyNumber)
{
    return characters(companyNumber, 0, 2) + "-" + characters(companyNumber, 3, 5);
}

Currency roundedToRoubles(Currency amount)
{
    return RoundedRoublesOfRatio(amount.units(), Currency::UnitsPerRouble);
}

Currency ratePerUnit(Currency rate, std::int32_t units)
{
    // The units are taken as unsigned, as the income record does for its rouble values.
    const auto unitCount = static_cast<std::uint32_t>(units);
    return unitCount == 0 ? Currency() : rate / static_cast<long double>(unitCount);
}

// The tax in Russia is never negative, so neither is the credit.
Currency taxInRussia(Currency base, TaxRate rate)
{
    return std::max(TaxAtRate(base, rate), Currency());
}

Currency creditOf(Currency foreignTax, Currency russianTax)
{
    return std::max(roundedToRoubles(std::min(foreignTax, russianTax)), Currency());
}

// The income that the foreign tax paid stands for at the Russian rate, half up to kopecks.
Currency incomeCoveredByTax(Currency foreignTax, TaxRate rate)
{
    // foreignTax / rate in kopecks: units / 100 * 10000 / hundredthsOfPercent.
    return RoundedKopecksOfRatio(__int128(foreignTax.units()) * 100, rate.hundredthsOfPercent);
}

// The part of the income still taxed in Russia once the foreign tax is credited.
Currency uncreditedIncome(const bmPril2Rec& row, TaxRate rate)
{
    const Currency paid = roundedToRoubles(row.TaxPaidInRoubles);
    if (paid == Currency())
        return row.IncomeInRoubles;
    if (row.TaxInRussia < paid)
        return Currency();
    return std::max(row.IncomeInRoubles - incomeCoveredByTax(row.TaxPaidInRoubles, rate), Currency());
}

void setExemption(bmPril2Rec& row, Currency amount, std::int32_t kind)
{
    row.ExemptAmount = amount;
    row.ДоходОсв = MoneyToFieldText(MoneyWidth, amount);
    row.КодВидОсв = kind;
}

void setTaxInRussia(bmPril2Rec& row, Currency tax)
{
    row.TaxInRussia = tax;
    row.НалЗачРФОбщ = CurrToFieldText(TaxWidth, tax);
}

void setCredit(bmPril2Rec& row, Currency credit)
{
    row.TaxCredit = credit;
    row.НалогЗачРФОбщ = CurrToFieldText(TaxWidth, credit);
}

KIKInfo* findCompany(std::vector<KIKInfo>& companies, const std::string& number)
{
    const auto found = std::find_if(companies.begin(), companies.end(),
                                    [&number](const KIKInfo& company) { return company.KIKNumber == number; });
    return found == companies.end() ? nullptr : &*found;
}

void collectProfit(std::vector<KIKInfo>& companies, const bmPril2Rec& row)
{
    if (KIKInfo* company = findCompany(companies, row.НомерКИК))
        company->ProfitLeft += row.IncomeInRoubles;
    else
        companies.push_back({row.НомерКИК, row.IncomeInRoubles});
}

bmPril2Rec rowOf(const mTCurrencyIncome& income, TaxRate rate)
{
    bmPril2Rec row;
    row.ОКСМИст = income.SourceCountry;
    row.ОКСМЗач = income.CreditCountry;
    row.НаимИстДох = income.SourceName;
    row.КодВалют = income.CurrencyCode;
    row.IncomeCode = income.IncomeCode;
    row.ВидДоход = IncomeKindText(income.IncomeCode);
    row.НомерКИК = kikNumberText(income.CompanyNumber);
    row.ДатаДох = income.IncomeDate;

    row.IncomeRate = ratePerUnit(income.IncomeDateRate, income.IncomeDateUnits);
    row.КурсВалютДох = CommaToPoint(FloatToPointText(row.IncomeRate.roubles()));
    row.IncomeInCurrency = income.IncomeAmount;
    row.ДоходИноВал = MoneyToFieldText(MoneyWidth, row.IncomeInCurrency);
    row.IncomeInRoubles = income.IncomeRoubles;
    row.ДоходИноРуб = MoneyToFieldText(MoneyWidth, row.IncomeInRoubles);
    if (income.IncomeCode == ExemptIncomeCode1)
        setExemption(row, row.IncomeInRoubles, ExemptionOfCode1001);
    else if (income.IncomeCode == ExemptIncomeCode2)
        setExemption(row, row.IncomeInRoubles, ExemptionOfCode1002);

    row.ПорядПрибКИК = income.ProfitMethod;
    row.ДатаУплНал = income.TaxPaymentDate;
    row.TaxRate = ratePerUnit(income.TaxDateRate, income.TaxDateUnits);
    row.КурсВалютНал = FloatToPointText(row.TaxRate.roubles());
    row.TaxPaidInCurrency = income.TaxAmount;
    row.НалУплИноВал = MoneyToFieldText(MoneyWidth, row.TaxPaidInCurrency);
    row.TaxPaidInRoubles = income.TaxRoubles;
    row.НалУплИноРуб = MoneyToFieldText(MoneyWidth, row.TaxPaidInRoubles);

    row.DeductionAmount = std::min(income.DeductionSum, row.IncomeInRoubles);
    row.DeductionCode = income.DeductionCode;
    row.KIKTaxWithheld = income.Line150Sum;
    row.НалИсчКИК = CurrToFieldText(TaxWidth, row.KIKTaxWithheld);

    if (income.IncomeCode == FixedProfitIncomeCode)
        setTaxInRussia(row, FixedProfitTax);
    else
        setTaxInRussia(row, taxInRussia(row.IncomeInRoubles - row.ExemptAmount - row.DeductionAmount, rate));
    setCredit(row, creditOf(row.TaxPaidInRoubles + row.KIKTaxWithheld, row.TaxInRussia));
    return row;
}

// A dividend of a controlled company is exempt up to the company's profit declared before,
// and the taxes withheld on the company's income are not credited against it.
void applyDividendExemption(bmPril2Rec& row, std::vector<KIKInfo>& companies, TaxRate rate)
{
    if (KIKInfo* company = findCompany(companies, row.НомерКИК)) {
        setExemption(row, std::min(row.IncomeInRoubles, company->ProfitLeft), ExemptionByKIKProfit);
        company->ProfitLeft -= row.ExemptAmount;
        setTaxInRussia(row, taxInRussia(row.IncomeInRoubles - row.ExemptAmount, rate));
    }
    setCredit(row, creditOf(row.TaxPaidInRoubles, row.TaxInRussia));
}

} // namespace

void kTSvodSumPril2::Clear()
{
    *this = kTSvodSumPril2();
}

bool kTSvodSumPril2::Calculate(mTDeclaration& Decl)
{
    Clear();
    if (!ForeignIncomesCount(Decl))
        return true;
    // The income marked as a controlled company's fixed profit is weighed against 15 %. Every
    // other foreign income keeps the 13 % it has without the mark: a higher rate would credit
    // more foreign tax than the tax due on it in Russia.
    const auto rateOfRow = [&Decl](std::size_t index) {
        return std::int64_t(index) + 1 == Decl.KIKItemNumber() ? Rate15 : Rate13;
    };

    for (const auto& income : Decl.CurrencyIncomes) {
        Rows.push_back(rowOf(*income, rateOfRow(Rows.size())));
        if (income->IncomeCode == CompanyProfitIncomeCode)
            collectProfit(KIKRows, Rows.back());
    }
    RowCount = static_cast<std::int32_t>(Rows.size());
    KIKRowCount = static_cast<std::int32_t>(KIKRows.size());

    // Every company's profit is known before the first dividend uses it.
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        bmPril2Rec& row = Rows[i];
        if (row.IncomeCode == CompanyDividendsIncomeCode)
            applyDividendExemption(row, KIKRows, rateOfRow(i));
        row.UncreditedIncome = uncreditedIncome(row, rateOfRow(i));
    }

    for (const bmPril2Rec& row : Rows) {
        const int kind = IncomeKindCode(row.IncomeCode);
        AddToKind(TotalKinds, IncomeByKind, kind, row.IncomeInRoubles);
        AddToKind(TotalKinds, CreditByKind, kind, row.TaxCredit);
        AddToKind(UncreditedKinds, UncreditedByKind, kind, row.UncreditedIncome);
        if (kind == 1)
            ExemptKind1 += row.ExemptAmount;
        else if (kind == 10)
            ExemptKind10 += row.ExemptAmount;
    }
    for (int kind : {8, 9, 10, 11, 12, 13, 17, 18})
        IncomeOfKinds8To18 += IncomeOfKind(kind);
    for (Currency income : IncomeByKind)
        TotalIncome += income;
    for (Currency uncredited : UncreditedByKind)
        UncreditedTotal += uncredited;
    return true;
}

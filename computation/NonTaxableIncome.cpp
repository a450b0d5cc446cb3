#include "computation/NonTaxableIncome.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "computation/Residency.h"
#include "computation/TaxYearFigures.h"
#include "model/Declaration.h"

namespace {

using Field = Currency kTSvodSumPril4::*;

enum class LineList { Rate13, Rate15, OtherRates };

// Where an exempt income is looked for: the payers' income lines (all three lists) or the
// incomes in foreign currency, where the amount is the income in roubles.
enum Lines : std::uint8_t { PayerLines = 1, ForeignIncomes = 2, AllLines = PayerLines | ForeignIncomes };

// An exempt income found by its pair (income code, deduction code).
struct ExemptIncome {
    std::int32_t incomeCode;
    std::int32_t deductionCode; // AnyDeduction: whatever the code
    Lines lines;
    bool countsDeduction;       // the deduction amount counts, not the income
    Field field;
    Field kindField = nullptr;  // a non-taxable sum of a section-2 kind that also grows
    Currency lineLimit = Currency(); // the most one line counts; 0 for no such limit
};

constexpr std::int32_t AnyDeduction = -1;

const std::array<ExemptIncome, 17> Exemptions{{
    // One-off aid at the birth or adoption of a child is exempt up to 50 000 roubles a child,
    // from all employers together; a line stands for one child.
    {2762, 508, AllLines, true, &kTSvodSumPril4::МатПомРожд, nullptr, ExemptBirthAidLimit},
    {2720, 501, AllLines, false, &kTSvodSumPril4::СтоимПодар},
    {2730, 502, AllLines, false, &kTSvodSumPril4::СтоимПриз},
    {2760, 503, AllLines, false, &kTSvodSumPril4::МатПомРаб},
    {2770, 504, AllLines, false, &kTSvodSumPril4::ВозмМед},
    {2740, 505, ForeignIncomes, false, &kTSvodSumPril4::ПризРекл},
    {2761, 506, AllLines, false, &kTSvodSumPril4::МатПомИнв},
    {3011, 511, AllLines, false, &kTSvodSumPril4::ВыигрЛотер},
    {2763, 512, AllLines, false, &kTSvodSumPril4::МатПомОбр},
    {2790, 507, AllLines, false, &kTSvodSumPril4::ПомПодар},
    {1211, 510, AllLines, false, &kTSvodSumPril4::ДопСВПенс},
    {2799, 599, PayerLines, false, &kTSvodSumPril4::ДоходИн, &kTSvodSumPril4::NonTaxableKind10},
    {2799, AnyDeduction, ForeignIncomes, false, &kTSvodSumPril4::ДоходИн, &kTSvodSumPril4::NonTaxableKind10},
    {3010, 280, PayerLines, true, &kTSvodSumPril4::ДоходИн, &kTSvodSumPril4::NonTaxableKind2},
    {3010, AnyDeduction, ForeignIncomes, true, &kTSvodSumPril4::ДоходИн, &kTSvodSumPril4::NonTaxableKind2},
    {6015, 915, PayerLines, true, &kTSvodSumPril4::ДоходИн, &kTSvodSumPril4::NonTaxableKind15},
}};

void addExemptions(kTSvodSumPril4& sheet, Lines lines, std::int32_t incomeCode, std::int32_t deductionCode,
                   Currency amount, Currency deduction)
{
    for (const ExemptIncome& exemption : Exemptions) {
        if ((exemption.lines & lines) == 0 || exemption.incomeCode != incomeCode)
            continue;
        if (exemption.deductionCode != AnyDeduction && exemption.deductionCode != deductionCode)
            continue;
        Currency counted = exemption.countsDeduction ? deduction : amount;
        if (exemption.lineLimit != Currency())
            counted = std::min(counted, exemption.lineLimit);
        sheet.*exemption.field += counted;
        if (exemption.kindField)
            sheet.*exemption.kindField += counted;
    }
}

void addSourceLine(kTSvodSumPril4& sheet, const mTIncome& line, LineList list)
{
    addExemptions(sheet, PayerLines, line.IncomeCode, line.DeductionCode, line.Amount, line.Deduction);
    // Income of a share in a company's foreign profit is exempt on the payers' statements only.
    if (line.IncomeCode == 6014 && line.DeductionCode == 914 && list != LineList::OtherRates) {
        sheet.ДоходИн += line.Deduction;
        sheet.NonTaxableKind14 += line.Deduction;
    }
    // Prizes of advertising campaigns are taxed at 35 %: they stand among the other rates.
    if (line.IncomeCode == 2740 && line.DeductionCode != 0 && list == LineList::OtherRates)
        sheet.ПризРекл += line.Deduction;
}

template <typename Lines>
bool hasDividends(const Lines& lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const auto& line) { return line->IncomeCode == 1010; });
}

void limit(Currency& value, Currency cap)
{
    value = std::min(value, cap);
}

} // namespace

void kTSvodSumPril4::Clear()
{
    *this = kTSvodSumPril4();
}

bool kTSvodSumPril4::Calculate(mTDeclaration& Decl)
{
    Clear();
    const bool resident = IsOrdinaryDeclaration(Decl);

    for (const auto& source : Decl.Sources) {
        for (const auto& line : source->Incomes13)
            addSourceLine(*this, *line, LineList::Rate13);
        for (const auto& line : source->Incomes15)
            addSourceLine(*this, *line, LineList::Rate15);
        for (const auto& line : source->Incomes99)
            addSourceLine(*this, *line, LineList::OtherRates);

        // The profit tax that the paying company offsets is a sum of the payer, not of a
        // line: it counts once however many dividend lines the payer has.
        if (hasDividends(source->Incomes13))
            FixedAdvances += source->OrgProfitTax13;
        if (hasDividends(source->Incomes15))
            (resident ? FixedAdvances : FixedAdvancesNonResident) += source->OrgProfitTax15;
    }

    if (ForeignIncomesCount(Decl)) {
        for (const auto& income : Decl.CurrencyIncomes)
            addExemptions(*this, ForeignIncomes, income->IncomeCode, income->DeductionCode, income->IncomeRoubles,
                          income->DeductionSum);
    }

    // Yearly limits.
    for (Field field : {&kTSvodSumPril4::СтоимПодар, &kTSvodSumPril4::СтоимПриз, &kTSvodSumPril4::МатПомРаб,
                        &kTSvodSumPril4::ВозмМед, &kTSvodSumPril4::ПризРекл, &kTSvodSumPril4::МатПомИнв,
                        &kTSvodSumPril4::ВыигрЛотер, &kTSvodSumPril4::МатПомОбр})
        limit(this->*field, ExemptGiftsAndAidLimit);
    limit(ПомПодар, ExemptVeteransAidLimit);
    limit(ДопСВПенс, ExemptPensionContributionsLimit);

    NonTaxableExceptAdPrizes = МатПомРожд + СтоимПодар + СтоимПриз + МатПомРаб + ВозмМед + МатПомИнв + ВыигрЛотер
        + МатПомОбр + ПомПодар + ДопСВПенс + ДоходИн;
    NonTaxableAdPrizes = ПризРекл;
    ДохНеНалОбщ = NonTaxableExceptAdPrizes + NonTaxableAdPrizes;
    NonTaxableKind2 += ВыигрЛотер;
    NonTaxableKind10 += МатПомРожд + СтоимПриз + МатПомРаб + ВозмМед + МатПомИнв + МатПомОбр + ПомПодар + ДопСВПенс;
    NonTaxableKind17 = СтоимПодар;
    NonTaxableKind19 = ПризРекл;
    NonTaxableKinds10_14_17 = NonTaxableKind10 + NonTaxableKind17 + NonTaxableKind14;
    return true;
}

#include "computation/StandardSocialDeductions.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "computation/Residency.h"
#include "computation/Summary.h"
#include "computation/TaxYearFigures.h"
#include "model/Declaration.h"

namespace {

// `percent` of the base cut to whole kopecks; nothing of a base that is not positive.
Currency percentOfBase(Currency base, std::int64_t percent)
{
    if (base <= Currency())
        return Currency();
    constexpr std::int64_t unitsPerKopeck = Currency::UnitsPerRouble / 100;
    const auto kopecks = static_cast<std::int64_t>(__int128(base.units()) * percent / (100 * unitsPerKopeck));
    return Currency::fromUnits(kopecks * unitsPerKopeck);
}

bool isChildCode(std::int32_t code)
{
    return (code >= 126 && code <= 128) || (code >= 130 && code <= 132);
}

bool isDisabledChildCode(std::int32_t code)
{
    return code == 129 || code == 133;
}

bool isChildDoubleCode(std::int32_t code)
{
    return (code >= 134 && code <= 139) || (code >= 142 && code <= 147);
}

bool isDisabledChildDoubleCode(std::int32_t code)
{
    return code == 140 || code == 141 || code == 148 || code == 149;
}

// The agents' codes of the children's deductions run from 126 to 149.
constexpr std::int32_t FirstChildDeductionCode = 126;
constexpr std::size_t ChildDeductionCodeCount = 24;
using ChildDeductionSums = std::array<Currency, ChildDeductionCodeCount>;

std::optional<std::size_t> childCodeIndex(std::int32_t code)
{
    const auto index = static_cast<std::size_t>(code - FirstChildDeductionCode);
    if (code < FirstChildDeductionCode || index >= ChildDeductionCodeCount)
        return std::nullopt;
    return index;
}

// What one tax agent grants a month under a child's code. The doubled codes are a single
// parent's, or the parent's whom the other parent left the deduction to; 130-133, 135, 137,
// 139, 141, 143, 145, 147 and 149 are a guardian's or a foster parent's.
Currency childMonthlyAmount(std::int32_t code)
{
    switch (code) {
    case 126: case 127: case 130: case 131:
        return FirstChildrenMonthly;
    case 128: case 132:
        return ThirdChildrenMonthly;
    case 129:
        return DisabledChildMonthly;
    case 133:
        return GuardiansShare(DisabledChildMonthly);
    case 134: case 135: case 136: case 137: case 142: case 143: case 144: case 145:
        return Doubled(FirstChildrenMonthly);
    case 138: case 139: case 146: case 147:
        return Doubled(ThirdChildrenMonthly);
    case 140: case 148:
        return Doubled(DisabledChildMonthly);
    case 141: case 149:
        return Doubled(GuardiansShare(DisabledChildMonthly));
    default:
        return Currency();
    }
}

// The codes of the first and of the second child stand for one child each; those of the third
// and each later child, and of each disabled child, may stand for several.
bool codeOfOneChild(std::int32_t code)
{
    const Currency monthly = childMonthlyAmount(code);
    return monthly == FirstChildrenMonthly || monthly == Doubled(FirstChildrenMonthly);
}

// A child's deduction is granted for each month once, by one tax agent of the taxpayer's choice
// (Tax Code art. 218 p. 3): what several agents granted under one code counts up to the year of
// one agent. Under a code that may stand for several children, that is no less than what the
// agent that granted the most under the code granted.
Currency countedChildDeduction(std::int32_t code, Currency total, Currency largestOfOneAgent)
{
    Currency year = Currency::fromUnits(childMonthlyAmount(code).units() * 12);
    if (!codeOfOneChild(code))
        year = std::max(year, largestOfOneAgent);
    return std::min(total, year);
}

// Of the personal deductions only the larger is given for a month: the months of code 105 come
// first, a month begun counting whole, and the monthly amount of code 104 is due only for the
// months left.
Currency personalDeduction104Room(Currency granted105)
{
    const std::int64_t monthly105 = PersonalDeduction105Monthly.units();
    const Currency counted105 = std::clamp(granted105, Currency(), PersonalDeduction105Yearly);
    const std::int64_t months105 = (counted105.units() + monthly105 - 1) / monthly105;
    return Currency::fromUnits(PersonalDeduction104Monthly.units() * (MonthsOfYear - months105));
}

} // namespace

void kTSvodSumPril5::Clear()
{
    *this = kTSvodSumPril5();
}

bool kTSvodSumPril5::Calculate(mTDeclaration& Decl, kTSvodSum& Svod)
{
    Clear();
    if (!IsResidentDeclaration(Decl))
        return true;

    // Investment accounts: the contributions of the year within one limit, account by account.
    const mTInvDeduct& investment = Decl.InvDeduct;
    if (investment.Granted != 0) {
        Currency remainingLimit = InvestmentAccountLimit;
        for (const auto& account : investment.IISList) {
            const Currency allowed = std::clamp(account->PaidIn, Currency(), remainingLimit);
            remainingLimit -= allowed;
            (account->SimplifiedSign != 0 ? ИнвВычУпр : СумИнвВыч219) += allowed;
        }
        ИнвВычПредВосст = investment.IISDeductionToReturn;
    }

    // What tax agents granted, by deduction code; the children's codes are added up code by code.
    ChildDeductionSums childTotals{};
    ChildDeductionSums largestChildSums{};
    for (const auto& source : Decl.Sources) {
        ChildDeductionSums agentChildSums{};
        for (const auto& deduct : source->SSCDeducts) {
            const std::int32_t code = deduct->Code;
            if (const auto index = childCodeIndex(code)) {
                agentChildSums[*index] += deduct->Sum;
                continue;
            }
            Currency* field = nullptr;
            switch (code) {
            case 104: field = &ВычСт218_1_2; break;
            case 105: field = &ВычСт218_1_1; break;
            case 320: field = &AgentSocial320; break;
            case 321: field = &AgentSocial321; break;
            case 323: field = &AgentSocial323; break;
            case 324: field = &AgentSocial324; break;
            case 325: field = &AgentSocial325; break;
            case 326: field = &AgentSocial326; break;
            case 327: field = &AgentSocial327; break;
            case 328: field = &AgentSocial328; break;
            default:
                break;
            }
            if (field != nullptr)
                *field += deduct->Sum;
        }
        for (std::size_t i = 0; i < ChildDeductionCodeCount; ++i) {
            childTotals[i] += agentChildSums[i];
            largestChildSums[i] = std::max(largestChildSums[i], agentChildSums[i]);
        }
    }
    // Standard deductions claimed in the declaration bound the agents' figures by the year's due
    // below; otherwise the agents' figures are all there is to bound.
    const bool claimed = Decl.StandardDeduct.Granted != 0;
    for (std::size_t i = 0; i < ChildDeductionCodeCount; ++i) {
        const auto code = static_cast<std::int32_t>(FirstChildDeductionCode + i);
        const Currency counted =
            claimed ? childTotals[i] : countedChildDeduction(code, childTotals[i], largestChildSums[i]);
        if (isChildCode(code))
            ВычСтРеб += counted;
        else if (isDisabledChildCode(code))
            ВычСтРебИнв += counted;
        else if (isChildDoubleCode(code))
            ВычСтРебЕд += counted;
        else if (isDisabledChildDoubleCode(code))
            ВычСтРебИнвЕд += counted;
    }
    // Claimed month by month, the personal deductions are weighed against each other below.
    const Currency room104 = claimed ? PersonalDeduction104Yearly : personalDeduction104Room(ВычСт218_1_1);
    ВычСт218_1_1 = std::min(ВычСт218_1_1, PersonalDeduction105Yearly);
    ВычСт218_1_2 = std::min(ВычСт218_1_2, room104);
    const auto standardTotal = [this] {
        return ВычСт218_1_1 + ВычСт218_1_2 + ВычСтРеб + ВычСтРебЕд + ВычСтРебИнв + ВычСтРебИнвЕд;
    };
    ОбщВычСтандПер = standardTotal();

    // Standard deductions claimed in the declaration replace the agents' figures; the agents
    // cannot have granted more than the year's due.
    if (Decl.StandardDeduct.Granted != 0) {
        const kTSvodSumPrilE1& monthly = Svod.PrilE1;
        ВычСт218_1_1 = monthly.Total218_1_1;
        ВычСт218_1_2 = monthly.Total218_1_2;
        ВычСтРеб = monthly.ChildTotal;
        ВычСтРебЕд = monthly.ChildDoubleTotal;
        ВычСтРебИнв = monthly.DisabledChildTotal;
        ВычСтРебИнвЕд = monthly.DisabledChildDoubleTotal;
        ОбщВычСтандПер = std::min(ОбщВычСтандПер, standardTotal());
    }

    const mTSocialDeduct& social = Decl.SocialDeduct;
    if (social.Granted != 0 && IsOrdinaryDeclaration(Decl)) {
        const Currency socialIncomeBase = Svod.Pril1.TotalIncome + Svod.Pril2.TotalIncome + Svod.PrilV1.ДоходИт
            + ИнвВычПредВосст - Svod.Pril4.NonTaxableExceptAdPrizes - Svod.Pril4.NonTaxableAdPrizes;
        DonationPart25 = std::min(percentOfBase(socialIncomeBase, 25), social.CharitySum);
        DonationPart30 = std::min(percentOfBase(socialIncomeBase, 30), social.CharitySum30);
        СумБлагЦел = std::min(percentOfBase(socialIncomeBase, 30), DonationPart25 + DonationPart30);

        for (const Currency childSum : social.ChildEduList)
            ChildEduSum += std::min(childSum, ChildEducationLimit);
        СумЛечен = social.ExpensiveMedicalSum;
        ИтогВычСоциал = СумБлагЦел + ChildEduSum + СумЛечен;

        SelfEduSum = social.SelfEducationSum;
        СумМедУсл = social.MedicalSum;
        СумЛекПреп = social.MedicamentSum;
        СумЛичСтрах = social.InsuranceSum;
        СумОценКвалиф = social.QualificationSum;
        СумПенсСтрах = Svod.Pril5Dop.ОбщВзносВыч;
        ОбщСумРасх = std::min(SelfEduSum + СумМедУсл + СумЛекПреп + СумЛичСтрах + СумПенсСтрах + СумОценКвалиф,
                              SocialExpenseLimit);
    }

    // An agent's social deduction counts only as far as the declaration shows the expense.
    const kTSvodSumPril5Dop& contributions = Svod.Pril5Dop;
    AgentSocial320 = std::min({AgentSocial320, SelfEduSum, SocialExpenseLimit});
    AgentSocial321 = std::min(AgentSocial321, ChildEduSum);
    AgentSocial323 = std::min({AgentSocial323, СумЛекПреп, SocialExpenseLimit});
    AgentSocial324 = std::min({AgentSocial324, СумМедУсл, SocialExpenseLimit});
    AgentSocial325 = std::min({AgentSocial325, СумЛичСтрах, SocialExpenseLimit});
    AgentSocial326 = std::min(AgentSocial326, СумЛечен);
    AgentSocial327 = std::min({AgentSocial327, contributions.PensContractTotal, SocialExpenseLimit});
    AgentSocial328 = std::min({AgentSocial328, contributions.СумВзносУпл, SocialExpenseLimit});
    ОбщСНВОтчПерНА = AgentSocial320 + AgentSocial321 + AgentSocial323 + AgentSocial324 + AgentSocial325
        + AgentSocial326 + AgentSocial327 + AgentSocial328;

    ОбщВычСтандДекл = standardTotal() - ОбщВычСтандПер;
    const bool standardToBusiness = Decl.StandardDeduct.HasBusinessMonths != 0 && Decl.BusinessCount() >= 1;
    StandardDeclBusiness = standardToBusiness ? ОбщВычСтандДекл : Currency();
    StandardDeclOther = standardToBusiness ? Currency() : ОбщВычСтандДекл;

    ОбщСНВОтчПерНА = std::min(ОбщСНВОтчПерНА, ИтогВычСоциал + ОбщСумРасх);
    ОбщВычСоциал = ИтогВычСоциал + ОбщСумРасх - ОбщСНВОтчПерНА;
    ВычСтандСоц = ОбщВычСоциал + ОбщВычСтандДекл;
    return true;
}

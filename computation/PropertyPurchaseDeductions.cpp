#include "computation/PropertyPurchaseDeductions.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "computation/Residency.h"
#include "computation/Summary.h"
#include "computation/TaxArithmetic.h"
#include "computation/TaxYearFigures.h"
#include "model/DayDate.h"
#include "model/Declaration.h"
#include "model/Money.h"

namespace {

// The index of the object whose year and share decide the limit; none when several objects
// with costs share the higher limit.
std::optional<std::size_t> decidingObject(const mTConstructionDeduct& purchase)
{
    switch (purchase.ObjectCount()) {
    case 1:
        return 0;
    case 2: {
        const bool firstHasCost = purchase.GetObject(0)->Cost > Currency();
        if (firstHasCost && purchase.GetObject(1)->Cost > Currency())
            return std::nullopt;
        return firstHasCost ? 0 : 1;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

int AcquisitionYear(const mTConstructionDeductObj& object)
{
    return decodeDate(object.ByInvestment != 0 ? object.ActDate : object.DwellingRegDate).year;
}

Currency PurchaseLimitOfYear(int year)
{
    return year < FirstYearOfHigherPurchaseLimit ? PurchaseLimitBefore2008 : PurchaseLimit;
}

long double LimitShareOf(const mTConstructionDeductObj& object)
{
    if (AcquisitionYear(object) >= FirstYearOfNewPurchaseRules || object.ShareDenominator == 0)
        return 1;
    return static_cast<long double>(object.ShareNumerator) / object.ShareDenominator;
}

Currency CostLimitOf(const mTConstructionDeductObj& object)
{
    return PurchaseLimitOfYear(AcquisitionYear(object)) * LimitShareOf(object);
}

Currency CostWithinLimit(const mTConstructionDeduct& purchase)
{
    Currency cost;
    for (const auto& object : purchase.ObjectList)
        cost += object->Cost;
    const std::optional<std::size_t> deciding = decidingObject(purchase);
    const Currency limit = deciding ? CostLimitOf(*purchase.GetObject(*deciding)) : PurchaseLimit;
    cost = std::min(cost, limit);
    return Currency::fromRoubles(RoundTo2(static_cast<double>(cost.roubles())));
}

Currency InterestWithinLimit(const mTConstructionDeduct& purchase)
{
    Currency limitedInterest;
    Currency interest;
    for (const auto& object : purchase.ObjectList) {
        if (AcquisitionYear(*object) >= FirstYearOfNewPurchaseRules)
            limitedInterest += object->InterestPaid;
        else
            interest += object->InterestPaid;
    }
    return interest + std::min(limitedInterest, PurchaseInterestLimit);
}

void kTSvodSumPril7::Clear()
{
    *this = kTSvodSumPril7();
}

bool kTSvodSumPril7::Calculate(mTDeclaration& Decl, kTSvodSum& Svod)
{
    Clear();
    mTConstructionDeduct& purchase = Decl.ConstructionDeduct;
    if (purchase.Granted == 0 || !IsOrdinaryDeclaration(Decl) || purchase.ObjectCount() == 0)
        return true;

    InterestTotal = InterestWithinLimit(purchase);
    for (auto& object : purchase.ObjectList)
        object->PreShareMarker = 0;

    OwnershipShare = 1;
    if (const std::optional<std::size_t> index = decidingObject(purchase)) {
        mTConstructionDeductObj& deciding = *purchase.GetObject(*index);
        OwnershipShare = LimitShareOf(deciding);
        if (AcquisitionYear(deciding) < FirstYearOfNewPurchaseRules)
            deciding.PreShareMarker = -1; // the exchange file then shows the share
    }
    CostTotal = CostWithinLimit(purchase);

    Currency remaining = CostTotal;
    for (auto& object : purchase.ObjectList) {
        object->ActualExpense = std::min(object->Cost, remaining);
        remaining = NotBelowZero(remaining - object->Cost);
    }

    for (const auto& source : Decl.Sources) {
        for (const auto& deduct : source->SSCDeducts) {
            if (deduct->Code == 311)
                ВычНАУвед += deduct->Sum;
            else if (deduct->Code == 312)
                ПроцНАУвед += deduct->Sum;
        }
    }
    ВычНАУпр = purchase.SimplifiedDeduction;
    ПроцНАУпр = purchase.SimplifiedInterestDeduction;
    ВычНовЗачПред = purchase.PrevYearsDeduction;
    ВычПроцЗачПред = purchase.PrevYearsInterestDeduction;

    // The 13 % base of the year that the deduction can still reduce.
    const kTSvodSumPril5& deductions = Svod.Pril5;
    const Currency incomeExceptForeign = Svod.Pril1.IncomeOfKinds8To18 + Svod.PrilV1.ДоходИт + deductions.ИнвВычПредВосст;
    const Currency earlierDeductions = Svod.PrilV1.ВычПрофИт + Svod.Pril3.ОбщРасхВыч + Svod.Pril3_In.ОбщРасхВыч
        + Svod.Pril4.NonTaxableKinds10_14_17 + deductions.ОбщВычСтандПер + deductions.ОбщСНВОтчПерНА
        + deductions.ВычСтандСоц + deductions.СумИнвВыч219 + deductions.ИнвВычУпр + Svod.Pril6.ОбщИмущВыч + ВычНАУвед
        + ПроцНАУвед + ВычНАУпр + ПроцНАУпр;
    НалБаз13БезВыч = NotBelowZero(incomeExceptForeign + Svod.Pril2.IncomeOfKinds8To18 - earlierDeductions);
    TaxBaseCapped = std::min(NotBelowZero(incomeExceptForeign + Svod.Pril2.UncreditedTotal - earlierDeductions),
                             НалБаз13БезВыч);

    // The cost goes first; the interest takes what the base leaves.
    const Currency costLeft = NotBelowZero(CostTotal - ВычНовЗачПред - ВычНАУвед - ВычНАУпр);
    const Currency interestLeft = NotBelowZero(InterestTotal - ВычПроцЗачПред - ПроцНАУвед - ПроцНАУпр);
    РасхНовВычНД = std::min(costLeft, TaxBaseCapped);
    ПроцВычНД = std::min(interestLeft, TaxBaseCapped - РасхНовВычНД);

    ОстИВБезПроц = NotBelowZero(costLeft - РасхНовВычНД);
    ОстИВУплПроц = NotBelowZero(interestLeft - ПроцВычНД);
    return true;
}

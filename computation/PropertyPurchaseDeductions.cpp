#include "computation/PropertyPurchaseDeductions.h"

#include <algorithm>

#include "computation/Summary.h"
#include "computation/TaxArithmetic.h"
#include "model/DayDate.h"
#include "model/Declaration.h"
#include "model/Money.h"

namespace {

// Objects from 2014 fall under the rules of that year: the limit belongs to the taxpayer, not to
// the object, so the share no longer bounds it; and the loan interest counts only up to its own
// limit. The loan's date is not held, so the object's year stands for it.
constexpr int FirstYearOfNewRules = 2014;
constexpr int FirstYearOfHigherLimit = 2008;

// The object whose year and share decide the limit; none when several objects with costs
// share the higher limit.
mTConstructionDeductObj* decidingObject(mTConstructionDeduct& purchase)
{
    switch (purchase.ObjectCount()) {
    case 1:
        return purchase.GetObject(0).get();
    case 2: {
        mTConstructionDeductObj& first = *purchase.GetObject(0);
        mTConstructionDeductObj& second = *purchase.GetObject(1);
        const bool firstHasCost = first.Cost > Currency();
        if (firstHasCost && second.Cost > Currency())
            return nullptr;
        return firstHasCost ? &first : &second;
    }
    default:
        return nullptr;
    }
}

int acquisitionYear(const mTConstructionDeductObj& object)
{
    return decodeDate(object.ByInvestment != 0 ? object.ActDate : object.DwellingRegDate).year;
}

// A share without a denominator is the whole object.
long double shareOf(const mTConstructionDeductObj& object)
{
    if (object.ShareDenominator == 0)
        return 1;
    return static_cast<long double>(object.ShareNumerator) / object.ShareDenominator;
}

} // namespace

void kTSvodSumPril7::Clear()
{
    *this = kTSvodSumPril7();
}

bool kTSvodSumPril7::Calculate(mTDeclaration& Decl, kTSvodSum& Svod)
{
    Clear();
    mTConstructionDeduct& purchase = Decl.ConstructionDeduct;
    if (purchase.Granted == 0 || Decl.DeclarationType != DeclarationOrdinary || purchase.ObjectCount() == 0)
        return true;

    Currency limitedInterest;
    for (auto& object : purchase.ObjectList) {
        CostTotal += object->Cost;
        if (acquisitionYear(*object) >= FirstYearOfNewRules)
            limitedInterest += object->InterestPaid;
        else
            InterestTotal += object->InterestPaid;
        object->PreShareMarker = 0;
    }
    InterestTotal += std::min(limitedInterest, InterestLimit);

    Currency purchaseLimit = Limit;
    OwnershipShare = 1;
    if (mTConstructionDeductObj* deciding = decidingObject(purchase)) {
        const int year = acquisitionYear(*deciding);
        if (year < FirstYearOfHigherLimit)
            purchaseLimit = LimitBefore2008;
        if (year < FirstYearOfNewRules) {
            OwnershipShare = shareOf(*deciding);
            deciding->PreShareMarker = -1; // the exchange file then shows the share
        }
    }
    CostTotal = std::min(CostTotal, purchaseLimit * OwnershipShare);
    CostTotal = Currency::fromRoubles(RoundTo2(static_cast<double>(CostTotal.roubles())));

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

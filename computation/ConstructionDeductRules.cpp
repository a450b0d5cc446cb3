#include "computation/ConstructionDeductRules.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "computation/TaxYearFigures.h"
#include "model/CheckedFigure.h"
#include "model/DayDate.h"

namespace {

int yearOf(double date)
{
    return decodeDate(date).year;
}

bool bothDatesAfter(const mTConstructionDeductObj& object, int year)
{
    return yearOf(object.DwellingRegDate) > year && yearOf(object.ActDate) > year;
}

bool anyDateBefore(const mTConstructionDeductObj& object, int year)
{
    return yearOf(object.DwellingRegDate) < year || yearOf(object.ActDate) < year;
}

bool allObjects(const mTConstructionDeduct& deduction, const std::function<bool(const mTConstructionDeductObj&)>& test)
{
    return std::all_of(deduction.ObjectList.begin(), deduction.ObjectList.end(),
                       [&](const auto& object) { return test(*object); });
}

// The interest of the objects `counted(index, object)` accepts; none when it lies beyond the range
// of an amount.
template <typename Counted>
std::optional<Currency> interestOf(const mTConstructionDeduct& deduction, Counted counted)
{
    return checkedFigure([&] {
        Currency sum;
        for (std::size_t i = 0; i < deduction.ObjectCount(); ++i)
            if (const mTConstructionDeductObj& object = *deduction.GetObject(i); counted(i, object))
                sum += object.InterestPaid;
        return sum;
    });
}

} // namespace

bool allYearsAfter(const mTConstructionDeduct& deduction, int year)
{
    return allObjects(deduction, [year](const mTConstructionDeductObj& object) { return bothDatesAfter(object, year); });
}

bool singleOldObjectWithoutInterest(const mTConstructionDeduct& deduction)
{
    if (deduction.ObjectCount() != 1)
        return false;
    const mTConstructionDeductObj& object = *deduction.GetObject(0);
    return anyDateBefore(object, FirstYearOfNewPurchaseRules) && object.InterestPaid == Currency();
}

bool anyPensioner(const mTConstructionDeduct& deduction)
{
    return !allObjects(deduction, [](const mTConstructionDeductObj& object) { return object.Pensioner == 0; });
}

bool canAddObject(const mTConstructionDeduct& deduction)
{
    return allYearsAfter(deduction, FirstYearOfNewPurchaseRules - 1) || singleOldObjectWithoutInterest(deduction);
}

bool prevYearsAllowed(const mTConstructionDeduct& deduction)
{
    return !allYearsAfter(deduction, TaxYear - 1) || anyPensioner(deduction);
}

bool prevYearsInterestAllowed(const mTConstructionDeduct& deduction)
{
    if (!prevYearsAllowed(deduction))
        return false;
    const bool pensioner = anyPensioner(deduction);
    const std::optional<Currency> interest =
        interestOf(deduction, [&](std::size_t, const mTConstructionDeductObj& object) {
            return pensioner || anyDateBefore(object, TaxYear);
        });
    return !interest || *interest > Currency();
}

bool noInterestBesides(const mTConstructionDeduct& deduction, std::size_t skipped)
{
    const std::optional<Currency> interest = interestOf(
        deduction, [skipped](std::size_t index, const mTConstructionDeductObj&) { return index != skipped; });
    return interest && *interest <= Currency();
}

#pragma once

#include <cstddef>

#include "model/ConstructionDeduct.h"
#include "model/Currency.h"

// The rules over the declaration's list of property objects that the property deduction page
// applies: which years the objects' dates fall in, whether one more object may be added, whether
// the deduction of earlier years may be entered, and the objects' interest.
// Years are the calendar years of an object's registration date and act-of-transfer date; an
// empty list satisfies the rules about every object.

// Every object has both dates in a year after `year`.
bool allYearsAfter(const mTConstructionDeduct& deduction, int year);
// Exactly one object, one of its dates in a year before 2014, and no interest on it.
bool singleOldObjectWithoutInterest(const mTConstructionDeduct& deduction);
bool anyPensioner(const mTConstructionDeduct& deduction);

// Objects from 2014 may be added freely; an older object admits one more entry, for interest
// only, when it has none itself.
bool canAddObject(const mTConstructionDeduct& deduction);

// The deduction received in earlier years exists unless every object is from 2021 on and the
// taxpayer is no pensioner.
bool prevYearsAllowed(const mTConstructionDeduct& deduction);
// The interest deduction of earlier years also needs interest on an object from before 2021
// (on any object for a pensioner).
bool prevYearsInterestAllowed(const mTConstructionDeduct& deduction);

// No object carries interest, but the one at `skipped` (none when it is out of the list): their
// interest adds up to nothing. A total beyond the range of an amount is interest.
bool noInterestBesides(const mTConstructionDeduct& deduction, std::size_t skipped);

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/ConstructionDeduct.h"
#include "model/DayDate.h"

// The figures of one property object that the property deduction's rules look at.
struct ObjectFigures {
    int registrationYear = 2021;
    int transferYear = 2021;
    std::int64_t cost = 0;
    std::int64_t interest = 0;
    int shareNumerator = 1;
    int shareDenominator = 1;
    bool byInvestment = false;
    bool pensioner = false;
};

inline std::unique_ptr<mTConstructionDeductObj> makeObject(const ObjectFigures& figures)
{
    auto object = std::make_unique<mTConstructionDeductObj>();
    object->ObjectCode = 2;
    object->ObjectNumber = "77:01:0001001:1234";
    object->ObjectNumberKind = 1;
    object->OwnerSign = 1;
    object->DwellingRegDate = *encodeDate(figures.registrationYear, 6, 15);
    object->ActDate = *encodeDate(figures.transferYear, 5, 20);
    object->ShareNumerator = figures.shareNumerator;
    object->ShareDenominator = figures.shareDenominator;
    object->ByInvestment = figures.byInvestment ? 1 : 0;
    object->Cost = Currency::fromWholeRoubles(figures.cost);
    object->InterestPaid = Currency::fromWholeRoubles(figures.interest);
    object->Pensioner = figures.pensioner ? 1 : 0;
    return object;
}

inline void fillObjects(mTConstructionDeduct& deduction, const std::vector<ObjectFigures>& objects)
{
    deduction.Granted = 1;
    for (const ObjectFigures& figures : objects)
        deduction.AddObject(makeObject(figures));
}

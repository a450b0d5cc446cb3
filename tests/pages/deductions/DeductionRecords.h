#pragma once

#include <memory>

#include "model/DayDate.h"
#include "model/Declaration.h"
#include "tests/support/SavedDeclaration.h"

// One row of each list of the deduction pages, its deduction granted. The tests that delete
// them name them in the questions they expect: the sum 50000, "АО \"НПФ Будущее\"",
// "АО \"Брокер\"" and the flat 77:01:0001001:1234.

inline void addChildEduSum(mTDeclaration& d)
{
    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.AddChildEduSum(roubles(50000));
}

inline void addContract(mTDeclaration& d)
{
    d.SocialDeduct.Granted = 1;
    mTPens& contract = *d.SocialDeduct.GetPens(d.SocialDeduct.AddPens());
    contract.ContractKind = 1;
    contract.OrgName = "АО \"НПФ Будущее\"";
    contract.OrgINN = "7707083893";
    contract.OrgKPP = "773601001";
    contract.ContractNumber = "Д-1";
    contract.ContractDate = *encodeDate(2015, 6, 30);
    contract.Sum = roubles(12000);
}

inline void addAccount(mTDeclaration& d)
{
    d.InvDeduct.Granted = 1;
    bmTInfoIIS& account = *d.InvDeduct.GetInfoIIS(d.InvDeduct.AddInfoIIS());
    account.ParticipantName = "АО \"Брокер\"";
    account.ParticipantINN = "7707083893";
    account.ParticipantKPP = "773601001";
    account.ContractNumber = "ИИС-1";
    account.ContractDate = *encodeDate(2019, 2, 27);
    account.OpenDate = *encodeDate(2019, 3, 1);
    account.PaidIn = roubles(150000);
}

inline void addObject(mTDeclaration& d)
{
    d.ConstructionDeduct.Granted = 1;
    auto object = std::make_unique<mTConstructionDeductObj>();
    object->ObjectCode = 2;
    object->ObjectNumber = "77:01:0001001:1234";
    object->ObjectNumberKind = 1;
    object->OwnerSign = 1;
    object->DwellingRegDate = *encodeDate(2019, 6, 15);
    object->ActDate = *encodeDate(2019, 5, 20);
    object->ShareNumerator = 1;
    object->ShareDenominator = 1;
    object->Cost = roubles(1'500'000);
    d.ConstructionDeduct.AddObject(std::move(object));
}

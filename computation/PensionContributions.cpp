#include "computation/PensionContributions.h"

#include <algorithm>
#include <utility>

#include "computation/Residency.h"
#include "computation/TaxYearFigures.h"
#include "model/Declaration.h"

namespace {

// What a contribution brings within the limit left; a negative sum brings nothing.
Currency allowedWithin(Currency& remainingLimit, Currency paid)
{
    const Currency allowed = std::clamp(paid, Currency(), remainingLimit);
    remainingLimit -= allowed;
    return allowed;
}

} // namespace

void kTSvodSumPril5Dop::Clear()
{
    *this = kTSvodSumPril5Dop();
}

bool kTSvodSumPril5Dop::Calculate(mTDeclaration& Decl, kTSvodSum&)
{
    Clear();
    const bool claimed = IsOrdinaryDeclaration(Decl);

    const mTSocialDeduct& social = Decl.SocialDeduct;
    if (social.Granted != 0 && claimed) {
        Currency remainingLimit = SocialExpenseLimit;
        for (const auto& contract : social.PensList) {
            switch (contract->ContractKind) {
            case 1:
            case 2:
            case 3: {
                mbTPens row;
                row.ВидДоговор = contract->ContractKind;
                row.Наим = contract->OrgName;
                row.ИННЮЛ = contract->OrgINN;
                row.КПП = contract->OrgKPP;
                row.НомДогНПО = contract->ContractNumber;
                row.ДатаДогНПО = contract->ContractDate;
                row.PaidAmount = contract->Sum;
                row.СумВзносУпл = allowedWithin(remainingLimit, contract->Sum);
                PensContractTotal += row.СумВзносУпл;
                Rows.push_back(std::move(row));
                break;
            }
            case 4:
                СумВзносУпл += allowedWithin(remainingLimit, contract->Sum);
                break;
            default:
                break;
            }
        }
        RowCount = static_cast<std::int32_t>(Rows.size());
        ОбщВзносВыч = PensContractTotal + СумВзносУпл;
    }

    const mTInvDeduct& investment = Decl.InvDeduct;
    ListInvestmentAccounts = investment.Granted != 0 && claimed && investment.InfoIISCount() >= 1;
    return true;
}

#include "pages/deductions/InvestmentAccountRules.h"

#include "computation/TaxYearFigures.h"
#include "controls/DisplayFormat.h"
#include "model/InvDeduct.h"

QString accountsOverLimitFailure(const mTInvDeduct& investment)
{
    if (investment.Granted == 0 || investment.InfoIISCount() == 0)
        return {};
    Currency paidIn;
    for (const auto& account : investment.IISList)
        paidIn += account->PaidIn;
    if (paidIn <= InvestmentAccountLimit)
        return {};
    return QStringLiteral("Общая сумма денежных средств на ИИС, заявляемая к вычету не может превосходить %1 рублей")
        .arg(groupedRoublesText(InvestmentAccountLimit));
}

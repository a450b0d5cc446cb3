#include "pages/deductions/InvestmentAccountRules.h"

#include <optional>

#include "computation/TaxYearFigures.h"
#include "controls/DisplayFormat.h"
#include "model/CheckedFigure.h"
#include "model/InvDeduct.h"

QString accountsOverLimitFailure(const mTInvDeduct& investment)
{
    if (investment.Granted == 0 || investment.InfoIISCount() == 0)
        return {};
    // Payments beyond the range of an amount are over the limit too.
    const std::optional<Currency> paidIn = checkedFigure([&] {
        Currency sum;
        for (const auto& account : investment.IISList)
            sum += account->PaidIn;
        return sum;
    });
    if (paidIn && *paidIn <= InvestmentAccountLimit)
        return {};
    return QStringLiteral("Общая сумма денежных средств на ИИС, заявляемая к вычету не может превосходить %1 рублей")
        .arg(groupedRoublesText(InvestmentAccountLimit));
}

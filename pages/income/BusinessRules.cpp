#include "pages/income/BusinessRules.h"

#include <array>

#include "computation/BusinessIncome.h"
#include "controls/DisplayFormat.h"
#include "export/FieldLimits.h"
#include "model/Declaration.h"

namespace {

const std::array<const char*, 9> ActivityCaptions = {
    "Предпринимательская деятельность",
    "Нотариальная деятельность",
    "Адвокатская деятельность",
    "Деятельность арбитражного управляющего",
    "Деятельность главы КФХ",
    "Деятельность оценщика",
    "Деятельность патентного поверенного",
    "Деятельность медиатора",
    "Иная деятельность",
};

const QString QuarterNames[OktmoQuarters] = {QStringLiteral("I"), QStringLiteral("II"), QStringLiteral("III")};

} // namespace

QString activityCaption(const std::string& kind)
{
    if (kind.size() != 1 || kind[0] < '1' || kind[0] > '9')
        return {};
    return QString::fromUtf8(ActivityCaptions[std::size_t(kind[0] - '1')]);
}

std::vector<BusinessFailure> businessFailures(const mTDeclaration& declaration)
{
    std::vector<BusinessFailure> failures;
    std::optional<bool> firstWay;
    for (std::size_t i = 0; i < declaration.BusinessCount(); ++i) {
        const mTBusinessNew& activity = *declaration.BusinessIncomes.get(i);
        const int number = int(i);
        if (MayUseExpenseNorm(activity.ActivityKind)) {
            const bool documented = activity.ExpensesConfirmed != 0;
            if (!firstWay)
                firstWay = documented;
            else if (*firstWay != documented)
                failures.push_back({number, BusinessRule::MixedExpenseWays,
                                    QStringLiteral("Нельзя одновременно пользоваться и подтвержденными расходами и "
                                                   "нормативом 20%.")});
        }
        if (!DocumentsExpenses(activity))
            continue;
        const Currency breakdown =
            activity.MaterialExpenses + activity.Depreciation + activity.LabourExpenses + activity.OtherExpenses;
        if (breakdown != activity.ExpenseSum)
            failures.push_back({number, BusinessRule::Breakdown,
                                QStringLiteral("Общие расходы (") + currencyDisplayText(activity.ExpenseSum)
                                    + QStringLiteral(") не совпадают с суммой расходов материальных, на оплату "
                                                     "труда, прочих и амортизационных отчислений (")
                                    + currencyDisplayText(breakdown) + QStringLiteral(")")});
    }
    return failures;
}

std::vector<OktmoFailure> oktmoFailures(const mTDeclaration& declaration)
{
    std::vector<OktmoFailure> failures;
    if (declaration.OKTMOChanged == 0)
        return failures;
    const std::array<const std::string*, OktmoQuarters> codes = {&declaration.OKTMO1, &declaration.OKTMO2,
                                                                 &declaration.OKTMO3};
    for (int quarter = 0; quarter < OktmoQuarters; ++quarter) {
        const std::string& code = *codes[std::size_t(quarter)];
        if (IsOktmo(code))
            continue;
        failures.push_back({quarter, QStringLiteral("Код ОКТМО на ") + QuarterNames[quarter] + QStringLiteral(" квартал"),
                            QStringLiteral("Код ОКТМО должен содержать 8 или 11 числовых символов")});
    }
    return failures;
}

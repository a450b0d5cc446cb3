#include "pages/income/BusinessRules.h"

#include <array>
#include <optional>

#include "computation/BusinessIncome.h"
#include "controls/CheckedFigure.h"
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

template <typename Quarters>
bool addUpInRange(const Quarters& quarters)
{
    return checkedFigure([&] {
               Currency sum;
               for (const Currency quarter : quarters)
                   sum += quarter;
               return sum;
           })
        .has_value();
}

// The documented breakdown; none when it adds up beyond the range of an amount.
std::optional<Currency> breakdownOf(const mTBusinessNew& activity)
{
    return checkedFigure([&] {
        return activity.MaterialExpenses + activity.Depreciation + activity.LabourExpenses + activity.OtherExpenses;
    });
}

QString breakdownMessage(const mTBusinessNew& activity, const QString& comparison)
{
    return QStringLiteral("Общие расходы (") + currencyDisplayText(activity.ExpenseSum) + QStringLiteral(") ")
           + comparison
           + QStringLiteral(" расходов материальных, на оплату труда, прочих и амортизационных отчислений (")
           + figureText(breakdownOf(activity)) + QStringLiteral(")");
}

// The message of the breakdown rule for the activity; empty when the breakdown passes it.
using BreakdownRule = QString (*)(const mTBusinessNew& activity);

QString breakdownNotTotal(const mTBusinessNew& activity)
{
    if (breakdownOf(activity) == activity.ExpenseSum)
        return {};
    return breakdownMessage(activity, QStringLiteral("не совпадают с суммой"));
}

QString breakdownAboveTotal(const mTBusinessNew& activity)
{
    const std::optional<Currency> breakdown = breakdownOf(activity);
    if (breakdown && *breakdown <= activity.ExpenseSum)
        return {};
    return breakdownMessage(activity, QStringLiteral("меньше суммы"));
}

std::vector<BusinessFailure> activityFailures(const mTDeclaration& declaration, BreakdownRule breakdownFailure)
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
        if (!addUpInRange(activity.QuarterIncome) || !addUpInRange(activity.QuarterExpense))
            failures.push_back({number, BusinessRule::QuarterTotals,
                                QStringLiteral("Доходы или расходы за кварталы в сумме выходят за пределы допустимого "
                                               "диапазона. Проверьте суммы по кварталам")});
        if (!DocumentsExpenses(activity))
            continue;
        if (QString message = breakdownFailure(activity); !message.isEmpty())
            failures.push_back({number, BusinessRule::Breakdown, std::move(message)});
    }
    return failures;
}

} // namespace

QString activityCaption(const std::string& kind)
{
    if (kind.size() != 1 || kind[0] < '1' || kind[0] > '9')
        return {};
    return QString::fromUtf8(ActivityCaptions[std::size_t(kind[0] - '1')]);
}

std::vector<BusinessFailure> businessFailures(const mTDeclaration& declaration)
{
    return activityFailures(declaration, breakdownNotTotal);
}

std::vector<BusinessFailure> declarationBusinessFailures(const mTDeclaration& declaration)
{
    return activityFailures(declaration, breakdownAboveTotal);
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

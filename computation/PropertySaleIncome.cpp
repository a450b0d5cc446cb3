#include "computation/PropertySaleIncome.h"

#include <algorithm>

#include "model/Declaration.h"
#include "model/Money.h"

Currency CadastralIncomeFloor(Currency cadastralValue)
{
    // 0.7 of a value in units is units * 7 / 1000 kopecks; keep one more digit to round by.
    // Division truncates toward zero, so a negative value is cut like RoundTo2 cuts it.
    const __int128 tenthsOfKopecks = __int128(cadastralValue.units()) * 7 / 100;
    __int128 kopecks = tenthsOfKopecks / 10;
    if (tenthsOfKopecks > 0 && tenthsOfKopecks % 10 >= 5)
        ++kopecks;
    return Currency::fromUnits(static_cast<std::int64_t>(kopecks * 100));
}

bool IsRealEstateSale(std::int32_t incomeCode)
{
    return incomeCode == 1510 || incomeCode == 1511 || incomeCode == 1512;
}

bool FollowsCadastralRule(const mTIncome& line)
{
    return IsRealEstateSale(line.IncomeCode) && line.PropertyFlag != 0;
}

Currency TaxedIncome(const mTIncome& line)
{
    if (!FollowsCadastralRule(line))
        return line.Amount;
    return std::max(line.Amount, CadastralIncomeFloor(line.CadastralValue));
}

void kTSvodSumPril1_Dop::Clear()
{
    *this = kTSvodSumPril1_Dop();
}

bool kTSvodSumPril1_Dop::Calculate(mTDeclaration& Decl)
{
    Clear();
    for (const auto& source : Decl.Sources) {
        for (const auto& line : source->Incomes13) {
            if (!FollowsCadastralRule(*line))
                continue;
            Rows.push_back({line->CadastralNumber, line->CadastralValue, line->ContractPrice,
                            CadastralIncomeFloor(line->CadastralValue), TaxedIncome(*line)});
        }
    }
    RowCount = static_cast<std::int32_t>(Rows.size());
    return true;
}

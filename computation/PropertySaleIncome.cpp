#include "computation/PropertySaleIncome.h"

#include "model/Declaration.h"
#include "model/Money.h"

namespace {

bool isRealEstateSale(const mTIncome& line)
{
    return (line.IncomeCode == 1510 || line.IncomeCode == 1511 || line.IncomeCode == 1512)
        && line.PropertyFlag != 0;
}

// 0.7 of the cadastral value, rounded half up to kopecks: 1 234 567.89 gives 864 197.52.
Currency seventyPercent(Currency cadastralValue)
{
    // 0.7 of a value in units is units * 7 / 1000 kopecks; keep one more digit to round by.
    // Division truncates toward zero, so a negative value is cut like RoundTo2 cuts it.
    const __int128 tenthsOfKopecks = __int128(cadastralValue.units()) * 7 / 100;
    __int128 kopecks = tenthsOfKopecks / 10;
    if (tenthsOfKopecks > 0 && tenthsOfKopecks % 10 >= 5)
        ++kopecks;
    return Currency::fromUnits(static_cast<std::int64_t>(kopecks * 100));
}

} // namespace

void kTSvodSumPril1_Dop::Clear()
{
    *this = kTSvodSumPril1_Dop();
}

bool kTSvodSumPril1_Dop::Calculate(mTDeclaration& Decl)
{
    Clear();
    for (const auto& source : Decl.Sources) {
        for (const auto& line : source->Incomes13) {
            if (!isRealEstateSale(*line))
                continue;
            Rows.push_back({line->CadastralNumber, line->CadastralValue, line->ContractPrice,
                            seventyPercent(line->CadastralValue), line->Amount});
        }
    }
    RowCount = static_cast<std::int32_t>(Rows.size());
    return true;
}

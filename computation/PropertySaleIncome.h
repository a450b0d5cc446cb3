#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Currency.h"

class mTDeclaration;
struct mTIncome;

// Real estate acquired from 2016 is sold for at least 0.7 of its cadastral value at 1 January
// of the year of the sale: a lower price is taxed as that floor. The floor is rounded half up
// to kopecks: 1 234 567.89 gives 864 197.52.
Currency CadastralIncomeFloor(Currency cadastralValue);
// A sale of real estate (income codes 1510, 1511, 1512), whose income may be set by the
// cadastral value.
bool IsRealEstateSale(std::int32_t incomeCode);
// Whether the cadastral rule applies to the line: a sale of real estate with the box for
// property acquired from 2016 ticked.
bool FollowsCadastralRule(const mTIncome& line);
// The income a line is taxed on: the larger of its amount and the cadastral floor where the
// rule applies, its amount otherwise. Every sheet that reads the income of a 13 % line of a
// payer reads it through here, so that a line whose amount is the bare price is taxed alike.
Currency TaxedIncome(const mTIncome& line);

// One sale of real estate whose income is compared with the cadastral value.
struct mbPrilA {
    std::string НомКадОтчуждОНИ;
    Currency КадСтоимГодРег;
    Currency ДохПродЦенаДог;
    Currency КадСтоимКоэф; // 0.7 of the cadastral value, rounded half up to kopecks
    Currency ДохПродНалОбл;
};

// The rows of appendix 1 for sales of real estate (income codes 1510-1512 with the
// property box ticked).
class kTSvodSumPril1_Dop {
public:
    std::vector<mbPrilA> Rows;
    std::int32_t RowCount = 0;

    void Clear();
    bool Calculate(mTDeclaration& Decl);
};

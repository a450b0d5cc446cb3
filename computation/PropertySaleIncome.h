#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Currency.h"

class mTDeclaration;

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

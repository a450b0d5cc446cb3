#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// One pension or insurance contract of kinds 1-3 with the contribution it brings into the
// social deduction. The fields named in Cyrillic are the exchange file's attributes.
struct mbTPens {
    std::int32_t ВидДоговор = 0; // 1, 2 or 3
    std::string Наим;
    std::string ИННЮЛ;
    std::string КПП;
    std::string НомДогНПО;
    double ДатаДогНПО = 0;
    Currency PaidAmount;  // paid under the contract
    Currency СумВзносУпл; // allowed after the common limit
};

// Pension and insurance contributions under the common limit of the social expenses, taken by
// the contracts in list order.
class kTSvodSumPril5Dop {
public:
    std::vector<mbTPens> Rows; // one per contract of kinds 1-3, in contract order
    std::int32_t RowCount = 0;
    Currency PensContractTotal; // allowed contributions of kinds 1-3
    Currency СумВзносУпл;       // allowed additional contributions to the funded pension (kind 4)
    Currency ОбщВзносВыч;       // PensContractTotal + СумВзносУпл
    // The individual investment accounts are listed in the exchange file.
    bool ListInvestmentAccounts = false;

    void Clear();
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};

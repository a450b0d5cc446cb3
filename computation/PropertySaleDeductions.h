#pragma once

#include "computation/TaxYearFigures.h"
#include "model/Currency.h"

class mTDeclaration;

// Deductions against income from the sale of property and other assets, found among the
// income lines by the pair (income code, deduction code): the sale deduction of housing within
// one limit of 1 000 000 roubles, documented acquisition costs, the sale deduction of other
// property within one limit of 250 000 roubles, the limited deduction of shares in a company's
// capital, up to 250 000 roubles of its own, and the expenses set against the income codes
// 1540-1570 and 4900-4920. A sale of property or of a share in it (1510-1512, 1520, 1521)
// deducts no more than its own income, after the cadastral floor where that applies.
// The fields named in Cyrillic are the exchange file's attributes.
class kTSvodSumPril6 {
public:
    Currency ВычПродИмущ;       // 1510 / 901, within HousingSaleDeductionLimit
    Currency РасхПриобИмущ;     // 1510 / 903
    Currency РасхПриобИмущДол;  // 1511 / 903
    Currency ВычПродИмущДол;    // 1511 / 904, within what 1510 / 901 left of HousingSaleDeductionLimit
    Currency OtherRealtySaleDeduction;   // 1512 / 902, within OtherSaleDeductionLimit shared in line order
    Currency OtherRealtyCost;            // 1512 / 903
    Currency OtherPropertySaleDeduction; // 1520, 1521 / 906, within the same shared limit
    Currency OtherPropertyCost;          // 1520, 1521 / 903
    Currency ВычДохИзъятИмущ;   // 4900 / 908
    Currency ВычДохЛиквИО;      // 4910 / 910
    Currency ВычДохПравКИК;     // 4920 / 912
    Currency ВычПдтвРасхПродУК; // 1540 / 315, 1542 / 316, and CapitalShareLimitedDeduction
    Currency CapitalShareLimitedDeduction; // 1540 / 905, 1542 / 907, up to OtherSaleDeductionLimit
    Currency ВычПдтвРасхПрдСр;  // 1560 / 317
    Currency ВычПдтвРасхУмСтУК; // 1570 / 318
    Currency ВычПдтвРасхУстПрав; // 1550 / 314
    Currency ОбщИмущВыч;        // every field above but CapitalShareLimitedDeduction
    Currency SpecialBaseDeductions; // reduce the base of kind "10"
    Currency GeneralBaseDeductions; // reduce the base of kind "18": ОбщИмущВыч - SpecialBaseDeductions

    void Clear();
    bool Calculate(mTDeclaration& Decl);
};

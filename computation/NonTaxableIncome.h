#pragma once

#include "model/Currency.h"

class mTDeclaration;

// Appendix 4: incomes exempt up to a yearly limit, found among the income lines by the pair
// (income code, deduction code) and capped, with the non-taxable sums of the section-2 kinds.
// The fixed advance payments of the payers travel with it to sheets "01" and "21".
class kTSvodSumPril4 {
public:
    Currency МатПомРожд;  // up to 50 000 a child
    // Gifts of organisations and entrepreneurs (2720), up to 4 000. A gift of an individual
    // (2721) is either exempt whole, as between family members, or taxed whole.
    Currency СтоимПодар;
    Currency МатПомРаб;   // up to 4 000
    Currency СтоимПриз;   // up to 4 000
    Currency ВозмМед;     // up to 4 000
    Currency ПризРекл;    // up to 4 000
    Currency МатПомИнв;   // up to 4 000
    Currency ВыигрЛотер;  // up to 4 000
    Currency МатПомОбр;   // up to 4 000
    Currency ПомПодар;    // up to 10 000
    Currency ДопСВПенс;   // up to 12 000
    Currency ДоходИн;     // no limit
    Currency FixedAdvances;            // resident rules, for sheet "01"
    Currency FixedAdvancesNonResident; // non-resident rules, for sheet "21"
    Currency NonTaxableKind2;
    Currency NonTaxableKind10;
    Currency NonTaxableKind14;
    Currency NonTaxableKind15;
    Currency NonTaxableKind17;
    Currency NonTaxableKind19;
    Currency NonTaxableKinds10_14_17;
    Currency ДохНеНалОбщ;
    Currency NonTaxableExceptAdPrizes;
    Currency NonTaxableAdPrizes;

    void Clear();
    bool Calculate(mTDeclaration& Decl);
};

#pragma once

#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// The property deduction for buying or building housing: the costs and the loan interest of
// the property objects within the limits of their year, less what earlier years, tax agents and
// the simplified procedure already gave, as far as this year's tax base allows; the rest
// carries over. Writes each object's allowed cost (ActualExpense) and whether the exchange
// file shows its ownership share (PreShareMarker) back into the object. The fields named in
// Cyrillic are the exchange file's attributes.
class kTSvodSumPril7 {
public:
    // The cost limit of an object registered before 2008, and of one registered later.
    static constexpr Currency LimitBefore2008 = Currency::fromWholeRoubles(1'000'000);
    static constexpr Currency Limit = Currency::fromWholeRoubles(2'000'000);
    // The limit of the loan interest of the objects from 2014 together (tax law, article 220,
    // point 4); the interest of older objects has none.
    static constexpr Currency InterestLimit = Currency::fromWholeRoubles(3'000'000);

    // The taxpayer's share in the deciding object where it bounds the limit (objects of the
    // years before 2014); 1 otherwise.
    long double OwnershipShare = 0;
    Currency CostTotal;     // costs within the limit, in whole kopecks
    Currency InterestTotal; // loan interest paid, within its limit
    Currency ВычНовЗачПред;  // cost deduction of earlier years
    Currency ВычПроцЗачПред; // interest deduction of earlier years
    Currency ВычНАУвед;    // cost deduction granted by tax agents this year
    Currency ПроцНАУвед;   // interest deduction granted by tax agents this year
    Currency ВычНАУпр;     // cost deduction of the simplified procedure
    Currency ПроцНАУпр;    // interest deduction of the simplified procedure
    Currency НалБаз13БезВыч; // tax base at 13 % before this deduction
    // The base with the foreign income on which no foreign tax was credited, at most НалБаз13БезВыч.
    Currency TaxBaseCapped;
    Currency РасхНовВычНД; // cost deduction claimed in the declaration
    Currency ПроцВычНД;    // interest deduction claimed in the declaration
    Currency ОстИВБезПроц; // cost balance carried to later years
    Currency ОстИВУплПроц; // interest balance carried to later years

    void Clear();
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};

#pragma once

#include "model/Currency.h"

class kTSvodSum;
class mTConstructionDeduct;
class mTConstructionDeductObj;
class mTDeclaration;

// The year an object counts by: of the act of transfer for a purchase by investment, of the
// registration of the dwelling otherwise.
int AcquisitionYear(const mTConstructionDeductObj& object);
// The cost limit of an object acquired in a year: 1 000 000 roubles before 2008, 2 000 000 from
// then on.
Currency PurchaseLimitOfYear(int year);
// The taxpayer's share that bounds an object's limit: its ownership share for an object of a year
// before 2014, when the limit belonged to the object and was divided among its owners; 1 from
// 2014, when the limit belongs to each taxpayer. A share without a denominator is the whole.
long double LimitShareOf(const mTConstructionDeductObj& object);
// The cost limit of one object: the limit of its year times the share that bounds it.
Currency CostLimitOf(const mTConstructionDeductObj& object);
// The costs of all objects within the limit, in whole kopecks: the limit of the deciding object
// where one decides (a single object, or the only one of two with a cost), else 2 000 000 for
// the objects together.
Currency CostWithinLimit(const mTConstructionDeduct& purchase);
// The loan interest of all objects within its limit: the interest of the objects from 2014
// together up to 3 000 000, that of older objects whole.
Currency InterestWithinLimit(const mTConstructionDeduct& purchase);

// The property deduction for buying or building housing: the costs and the loan interest of
// the property objects within the limits of their year, less what earlier years, tax agents and
// the simplified procedure already gave, as far as this year's tax base allows; the rest
// carries over. Writes each object's allowed cost (ActualExpense) and whether the exchange
// file shows its ownership share (PreShareMarker) back into the object. The fields named in
// Cyrillic are the exchange file's attributes.
class kTSvodSumPril7 {
public:
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

// Section 2, the kinds whose base is lowered by the deductions of the pools: "07" to "14",
// "17" and "18".
#include "computation/Section2.h"

#include <algorithm>

#include "computation/Residency.h"
#include "computation/Summary.h"
#include "model/Declaration.h"

namespace {

// What the pools are drawn against for kinds 08, 10, 17 and 18: the taxable income, or, when
// no payer in Russia paid income of the kind, the foreign income left after the credit.
Currency poolBaseOf(const kTSvodSum& Svod, int kind, Currency taxableIncome, Currency nonTaxable)
{
    if (Svod.Pril1.IncomeOfKind(kind) == Currency())
        return std::max(Svod.Pril2.UncreditedOfKind(kind) - nonTaxable, Currency());
    return taxableIncome;
}

} // namespace

// Business and private practice. A resident's business income shares the main base's band, on ending the
// business too; a non-resident's is taxed at 30 %.
void kTSvodSumRazd2::Calculate07(kTSvodSum& Svod, mTDeclaration& Decl)
{
    start(Svod, 7);
    СумДох = Svod.PrilV1.ДоходИт; // business income is no appendix's total
    setTaxableIncome();
    DirectDeductions = Svod.PrilV1.ВычПрофИт + Svod.Pril5.StandardDeclBusiness;
    drawDeclaredPool(Svod, СумДохНал);
    setBase();
    if (IsResidentDeclaration(Decl))
        taxInBand(Svod);
    else
        taxAtRate(Rate30);
    ТСУплПерЗач = Decl.TradeLevy;
    УплПатентЗач = Decl.PatentPayments;
    settle();
}

void kTSvodSumRazd2::Calculate08(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 8);
    setTaxableIncome();
    PoolBase = poolBaseOf(Svod, 8, СумДохНал, СумДохНеНал);
    drawAllPools(Svod);
    setBase();
    taxInBand(Svod);
    settleWithheldInBand(Svod);
    refundWithheldAndCredit();
}

void kTSvodSumRazd2::Calculate09(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 9);
    setTaxableIncome();
    PoolBase = Svod.Pril1.IncomeOfKind(9) + Svod.Pril2.UncreditedOfKind(9);
    drawDeclaredPool(Svod, PoolBase);
    setBase();
    taxInBand(Svod);
    settleWithheldInBand(Svod);
    refundWithheldAndCredit();
}

// Every other income taxed at 13/15 %: wages, fees, sales of property and the rest. The
// professional and property-sale deductions go first, then the pools.
void kTSvodSumRazd2::Calculate10(kTSvodSum& Svod, mTDeclaration& Decl)
{
    start(Svod, 10);
    СумДох += Svod.Pril5.ИнвВычПредВосст;
    СумДохНеНал = Svod.Pril4.NonTaxableKind10 + Svod.Pril2.ExemptKind10;
    setTaxableIncome();
    DirectDeductions = Svod.Pril3.ОбщРасхВыч + Svod.Pril3_In.ОбщРасхВыч + Svod.Pril6.SpecialBaseDeductions;
    PoolBase = poolBaseOf(Svod, 10, СумДохНал, СумДохНеНал);
    drawAllPools(Svod);
    setBase();
    taxInBand(Svod);
    // A non-resident's fixed payments offset the tax of sheet 16; they count once.
    if (IsOrdinaryDeclaration(Decl))
        СумФиксАван = Decl.ForeignerFixedPayments;
    settleWithheldInBand(Svod);
    refundWithheldAndCredit();
}

// Kinds 11 to 13 come from abroad only; the pool is drawn against what the credit left.
void kTSvodSumRazd2::calculateForeignOnly(kTSvodSum& Svod, int kind)
{
    start(Svod, kind);
    setTaxableIncome();
    PoolBase = Svod.Pril2.UncreditedOfKind(kind);
    drawDeclaredPool(Svod, PoolBase);
    setBase();
    taxInBand(Svod);
    creditForeignTax(Svod);
    settle();
}

void kTSvodSumRazd2::Calculate11(kTSvodSum& Svod, mTDeclaration&)
{
    calculateForeignOnly(Svod, 11);
}

void kTSvodSumRazd2::Calculate12(kTSvodSum& Svod, mTDeclaration&)
{
    calculateForeignOnly(Svod, 12);
}

void kTSvodSumRazd2::Calculate13(kTSvodSum& Svod, mTDeclaration&)
{
    calculateForeignOnly(Svod, 13);
}

void kTSvodSumRazd2::Calculate14(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 14);
    СумДохНеНал = Svod.Pril4.NonTaxableKind14;
    setTaxableIncome();
    drawDeclaredPool(Svod, СумДохНал);
    setBase();
    taxInBand(Svod);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(14);
    settle();
    refundWithheld();
}

// Taxed at 13 % whatever the bands, outside them.
void kTSvodSumRazd2::Calculate17(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 17);
    СумДохНеНал = Svod.Pril4.NonTaxableKind17;
    setTaxableIncome();
    PoolBase = poolBaseOf(Svod, 17, СумДохНал, СумДохНеНал);
    drawAllPools(Svod);
    setBase();
    taxAtRate(Rate13);
    creditForeignTax(Svod);
    settle();
    refundWithheldAndCredit();
}

// Sale of property, taxed at 13 % outside the bands; the property-sale deductions go first.
void kTSvodSumRazd2::Calculate18(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 18);
    setTaxableIncome();
    DirectDeductions = Svod.Pril6.GeneralBaseDeductions;
    PoolBase = poolBaseOf(Svod, 18, СумДохНал, СумДохНеНал);
    drawDeclaredPool(Svod, PoolBase);
    setBase();
    taxAtRate(Rate13);
    creditForeignTax(Svod);
    settle();
    refundWithheldAndCredit();
}

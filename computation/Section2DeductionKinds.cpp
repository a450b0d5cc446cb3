// Section 2, the kinds whose base is lowered by the deductions of the pools: "07" to "14",
// "17" and "18".
#include "computation/Section2.h"

#include <algorithm>

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

// Business and private practice. A resident's business income shares the band; on ending
// the business, and for a non-resident, it is taxed at 30 %.
void kTSvodSumRazd2::Calculate07(kTSvodSum& Svod, mTDeclaration& Decl)
{
    start("07");
    СумДох = Svod.PrilV1.ДоходИт;
    setTaxableIncome();
    DirectDeductions = Svod.PrilV1.ВычПрофИт + Svod.Pril5.StandardDeclBusiness;
    drawDeclaredPool(Svod, СумДохНал);
    setBase();
    if (Decl.DeclarationType == DeclarationOrdinary)
        taxInBand(Svod);
    else
        taxAtRate(Rate30);
    ТСУплПерЗач = Decl.TradeLevy;
    УплПатентЗач = Decl.PatentPayments;
    settle();
}

void kTSvodSumRazd2::Calculate08(kTSvodSum& Svod, mTDeclaration&)
{
    start("08");
    СумДох = Svod.Pril1.IncomeOfKind(8) + Svod.Pril2.IncomeOfKind(8);
    setTaxableIncome();
    PoolBase = poolBaseOf(Svod, 8, СумДохНал, СумДохНеНал);
    drawAllPools(Svod, Svod.Pril1.WithheldOfKind(8), Svod.Pril1.WithheldAt15OfKind(8));
    setBase();
    taxInBand(Svod);
    Удерж = Svod.Pril1.WithheldOfKind(8);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(8);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(8);
    setExtra213();
    settle();
    refundWithheldAndCredit();
}

void kTSvodSumRazd2::Calculate09(kTSvodSum& Svod, mTDeclaration&)
{
    start("09");
    СумДох = Svod.Pril1.IncomeOfKind(9) + Svod.Pril2.IncomeOfKind(9);
    setTaxableIncome();
    PoolBase = Svod.Pril1.IncomeOfKind(9) + Svod.Pril2.UncreditedOfKind(9);
    drawDeclaredPool(Svod, PoolBase);
    setBase();
    taxInBand(Svod);
    Удерж = Svod.Pril1.WithheldOfKind(9);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(9);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(9);
    setExtra213();
    settle();
    refundWithheldAndCredit();
}

// Every other income taxed at 13/15 %: wages, fees, sales of property and the rest. The
// professional and property-sale deductions go first, then the pools.
void kTSvodSumRazd2::Calculate10(kTSvodSum& Svod, mTDeclaration& Decl)
{
    start("10");
    СумДох = Svod.Pril1.IncomeOfKind(10) + Svod.Pril2.IncomeOfKind(10) + Svod.Pril5.ИнвВычПредВосст;
    СумДохНеНал = Svod.Pril4.NonTaxableKind10 + Svod.Pril2.ExemptKind10;
    setTaxableIncome();
    DirectDeductions = Svod.Pril3.ОбщРасхВыч + Svod.Pril3_In.ОбщРасхВыч + Svod.Pril6.SpecialBaseDeductions;
    PoolBase = poolBaseOf(Svod, 10, СумДохНал, СумДохНеНал);
    drawAllPools(Svod, Svod.Pril1.WithheldOfKind(10), Svod.Pril1.WithheldAt15OfKind(10));
    setBase();
    taxInBand(Svod);
    Удерж = Svod.Pril1.WithheldOfKind(10);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(10);
    СумФиксАван = Decl.ForeignerFixedPayments;
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(10);
    setExtra213();
    settle();
    refundWithheldAndCredit();
}

// Kinds 11 to 13 come from abroad only; the pool is drawn against what the credit left.
void kTSvodSumRazd2::Calculate11(kTSvodSum& Svod, mTDeclaration&)
{
    start("11");
    СумДох = Svod.Pril2.IncomeOfKind(11);
    setTaxableIncome();
    PoolBase = Svod.Pril2.UncreditedOfKind(11);
    drawDeclaredPool(Svod, PoolBase);
    setBase();
    taxInBand(Svod);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(11);
    settle();
}

void kTSvodSumRazd2::Calculate12(kTSvodSum& Svod, mTDeclaration&)
{
    start("12");
    СумДох = Svod.Pril2.IncomeOfKind(12);
    setTaxableIncome();
    PoolBase = Svod.Pril2.UncreditedOfKind(12);
    drawDeclaredPool(Svod, PoolBase);
    setBase();
    taxInBand(Svod);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(12);
    settle();
}

void kTSvodSumRazd2::Calculate13(kTSvodSum& Svod, mTDeclaration&)
{
    start("13");
    СумДох = Svod.Pril2.IncomeOfKind(13);
    setTaxableIncome();
    PoolBase = Svod.Pril2.UncreditedOfKind(13);
    drawDeclaredPool(Svod, PoolBase);
    setBase();
    taxInBand(Svod);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(13);
    settle();
}

void kTSvodSumRazd2::Calculate14(kTSvodSum& Svod, mTDeclaration&)
{
    start("14");
    СумДох = Svod.Pril1.IncomeOfKind(14);
    СумДохНеНал = Svod.Pril4.NonTaxableKind14;
    setTaxableIncome();
    drawDeclaredPool(Svod, СумДохНал);
    setBase();
    taxInBand(Svod);
    // Tax that a payer withheld on the income is paid already.
    Удерж = Svod.Pril1.WithheldOfKind(14);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(14);
    settle();
}

// Taxed at 13 % whatever the band, outside it.
void kTSvodSumRazd2::Calculate17(kTSvodSum& Svod, mTDeclaration&)
{
    start("17");
    СумДох = Svod.Pril1.IncomeOfKind(17) + Svod.Pril2.IncomeOfKind(17);
    СумДохНеНал = Svod.Pril4.NonTaxableKind17;
    setTaxableIncome();
    PoolBase = poolBaseOf(Svod, 17, СумДохНал, СумДохНеНал);
    drawAllPools(Svod, Svod.Pril1.WithheldOfKind(17), Svod.Pril1.WithheldAt15OfKind(17));
    setBase();
    taxAtRate(Rate13);
    Удерж = Svod.Pril1.WithheldOfKind(17);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(17);
    settle();
    refundWithheldAndCredit();
}

// Sale of property, taxed at 13 % outside the band; the property-sale deductions go first.
void kTSvodSumRazd2::Calculate18(kTSvodSum& Svod, mTDeclaration&)
{
    start("18");
    СумДох = Svod.Pril1.IncomeOfKind(18) + Svod.Pril2.IncomeOfKind(18);
    setTaxableIncome();
    DirectDeductions = Svod.Pril6.GeneralBaseDeductions;
    PoolBase = poolBaseOf(Svod, 18, СумДохНал, СумДохНеНал);
    drawDeclaredPool(Svod, PoolBase);
    setBase();
    taxAtRate(Rate13);
    // Tax that a payer withheld on the income is paid already.
    Удерж = Svod.Pril1.WithheldOfKind(18);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(18);
    settle();
}

// Section 2, the kinds taxed at 13 % within the band and 15 % beyond it that draw on no pool
// of deductions: "01" to "06", "15" and "16".
#include "computation/Section2.h"

#include "computation/Residency.h"
#include "computation/Summary.h"
#include "model/Declaration.h"

// Dividends.
void kTSvodSumRazd2::Calculate01(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 1);
    СумДохНеНал = Svod.Pril2.ExemptKind1;
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    СумФиксАван = Svod.Pril4.FixedAdvances;
    settleWithheldInBand(Svod);
    refundWithheld();
}

void kTSvodSumRazd2::Calculate02(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 2);
    СумДохНеНал = Svod.Pril4.NonTaxableKind2;
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    settleWithheldInBand(Svod);
    refundWithheld();
}

// Securities: the deductions and the expenses and losses come from appendix 8.
void kTSvodSumRazd2::Calculate03(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 3);
    setTaxableIncome();
    СумНалВыч = Svod.Pril8.DeductionTotal;
    СумРасх = Svod.Pril8.ReductionTotal;
    setBase();
    taxInBand(Svod);
    settleWithheldInBand(Svod);
    refundWithheld();
}

// The kind's foreign income counts in its income, so its foreign tax is credited too.
void kTSvodSumRazd2::Calculate04(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 4);
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    settleWithheldInBand(Svod);
    refundWithheld();
}

// Profit of a controlled foreign company.
void kTSvodSumRazd2::Calculate05(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 5);
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    creditForeignTax(Svod);
    settle();
}

void kTSvodSumRazd2::Calculate06(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 6);
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    settle();
}

void kTSvodSumRazd2::Calculate15(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 15);
    СумДохНеНал = Svod.Pril4.NonTaxableKind15;
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(15);
    settle();
    refundWithheld();
}

// Income of a non-resident taxed as a resident's; a resident's declaration has none. Nothing
// of it comes from abroad, so no foreign tax is credited. A non-resident's exempt income is
// set against the income at 30 % first; what that income cannot take is exempt here.
void kTSvodSumRazd2::Calculate16(kTSvodSum& Svod, mTDeclaration& Decl)
{
    Clear();
    if (IsOrdinaryDeclaration(Decl))
        return;
    start(Svod, 16);
    const Currency exempt = Svod.Pril4.NonTaxableExceptAdPrizes + Svod.Pril4.NonTaxableAdPrizes;
    СумДохНеНал = NotBelowZero(exempt - Svod.Pril1.IncomeOfKind(20));
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    СумФиксАван = Decl.ForeignerFixedPayments;
    settleWithheldInBand(Svod);
    refundWithheld();
}

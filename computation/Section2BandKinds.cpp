// Section 2, the kinds taxed at 13 % within the band and 15 % beyond it that draw on no pool
// of deductions: "01" to "06", "15" and "16".
#include "computation/Section2.h"

#include "computation/Summary.h"
#include "model/Declaration.h"

// Dividends.
void kTSvodSumRazd2::Calculate01(kTSvodSum& Svod, mTDeclaration&)
{
    start("01");
    СумДох = Svod.Pril1.IncomeOfKind(1) + Svod.Pril2.IncomeOfKind(1);
    СумДохНеНал = Svod.Pril2.ExemptKind1;
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    Удерж = Svod.Pril1.WithheldOfKind(1);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(1);
    СумФиксАван = Svod.Pril4.FixedAdvances;
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(1);
    setExtra213();
    settle();
    refundWithheld();
}

void kTSvodSumRazd2::Calculate02(kTSvodSum& Svod, mTDeclaration&)
{
    start("02");
    СумДох = Svod.Pril1.IncomeOfKind(2) + Svod.Pril2.IncomeOfKind(2);
    СумДохНеНал = Svod.Pril4.NonTaxableKind2;
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    Удерж = Svod.Pril1.WithheldOfKind(2);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(2);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(2);
    setExtra213();
    settle();
    refundWithheld();
}

// Securities: the deductions and the expenses and losses come from appendix 8.
void kTSvodSumRazd2::Calculate03(kTSvodSum& Svod, mTDeclaration&)
{
    start("03");
    СумДох = Svod.Pril1.IncomeOfKind(3) + Svod.Pril2.IncomeOfKind(3);
    setTaxableIncome();
    СумНалВыч = Svod.Pril8.DeductionTotal;
    СумРасх = Svod.Pril8.ReductionTotal;
    setBase();
    taxInBand(Svod);
    Удерж = Svod.Pril1.WithheldOfKind(3);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(3);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(3);
    setExtra213();
    settle();
    refundWithheld();
}

void kTSvodSumRazd2::Calculate04(kTSvodSum& Svod, mTDeclaration&)
{
    start("04");
    СумДох = Svod.Pril1.IncomeOfKind(4) + Svod.Pril2.IncomeOfKind(4);
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    Удерж = Svod.Pril1.WithheldOfKind(4);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(4);
    // The foreign income of the kind counts in its income, so its foreign tax counts too.
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(4);
    setExtra213();
    settle();
    refundWithheld();
}

// Profit of a controlled foreign company.
void kTSvodSumRazd2::Calculate05(kTSvodSum& Svod, mTDeclaration&)
{
    start("05");
    СумДох = Svod.Pril2.IncomeOfKind(5);
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(5);
    settle();
}

void kTSvodSumRazd2::Calculate06(kTSvodSum& Svod, mTDeclaration&)
{
    start("06");
    СумДох = Svod.Pril2.IncomeOfKind(6);
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    settle();
}

void kTSvodSumRazd2::Calculate15(kTSvodSum& Svod, mTDeclaration&)
{
    start("15");
    СумДох = Svod.Pril1.IncomeOfKind(15);
    СумДохНеНал = Svod.Pril4.NonTaxableKind15;
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    // Tax that a payer withheld on the income is paid already.
    Удерж = Svod.Pril1.WithheldOfKind(15);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(15);
    settle();
}

// Income of a non-resident taxed as a resident's; a resident's declaration has none.
void kTSvodSumRazd2::Calculate16(kTSvodSum& Svod, mTDeclaration& Decl)
{
    Clear();
    if (Decl.DeclarationType == DeclarationOrdinary)
        return;
    ВидДоход = "16";
    СумДох = Svod.Pril1.IncomeOfKind(16);
    setTaxableIncome();
    setBase();
    taxInBand(Svod);
    Удерж = Svod.Pril1.WithheldOfKind(16);
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(16);
    СумФиксАван = Decl.ForeignerFixedPayments;
    setExtra213();
    settle();
    refundWithheld();
}

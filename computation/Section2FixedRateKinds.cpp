// Section 2, the kinds taxed at one fixed rate without deductions: "19" to "25".
#include "computation/Section2.h"

#include <algorithm>

#include "computation/Summary.h"
#include "model/Declaration.h"

// Winnings, prizes of advertising campaigns and interest beyond the free limit, at 35 %.
void kTSvodSumRazd2::Calculate19(kTSvodSum& Svod, mTDeclaration&)
{
    start("19");
    СумДох = Svod.Pril1.IncomeOfKind(19) + Svod.Pril2.IncomeOfKind(19);
    СумДохНеНал = Svod.Pril4.NonTaxableKind19;
    setTaxableIncome();
    setBase();
    taxAtRate(Rate35);
    Удерж = Svod.Pril1.WithheldOfKind(19);
    СумУдержМат = Svod.Pril1.Withheld2620;
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(19);
    settle();
    ПодлВозв = std::max(Удерж + СумУдержМат - Исчисл, Currency());
}

// A non-resident's income at 30 %; every exempt income of the year lowers it.
void kTSvodSumRazd2::Calculate20(kTSvodSum& Svod, mTDeclaration&)
{
    start("20");
    СумДох = Svod.Pril1.IncomeOfKind(20);
    СумДохНеНал = Svod.Pril4.NonTaxableExceptAdPrizes + Svod.Pril4.NonTaxableAdPrizes;
    setTaxableIncome();
    setBase();
    taxAtRate(Rate30);
    Удерж = Svod.Pril1.WithheldOfKind(20);
    settle();
}

// A non-resident's dividends at 15 %.
void kTSvodSumRazd2::Calculate21(kTSvodSum& Svod, mTDeclaration&)
{
    start("21");
    СумДох = Svod.Pril1.IncomeOfKind(21) + Svod.Pril2.IncomeOfKind(21);
    setTaxableIncome();
    setBase();
    taxAtRate(Rate15);
    Удерж = Svod.Pril1.WithheldOfKind(21);
    СумФиксАван = Svod.Pril4.FixedAdvancesNonResident;
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(21);
    settle();
}

void kTSvodSumRazd2::Calculate22(kTSvodSum& Svod, mTDeclaration&)
{
    start("22");
    СумДох = Svod.Pril1.IncomeOfKind(22) + Svod.Pril2.IncomeOfKind(22);
    setTaxableIncome();
    setBase();
    taxAtRate(Rate5);
    Удерж = Svod.Pril1.WithheldOfKind(22);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(22);
    settle();
}

void kTSvodSumRazd2::Calculate23(kTSvodSum& Svod, mTDeclaration&)
{
    start("23");
    СумДох = Svod.Pril1.IncomeOfKind(23);
    setTaxableIncome();
    setBase();
    taxAtRate(Rate9);
    Удерж = Svod.Pril1.WithheldOfKind(23);
    settle();
}

void kTSvodSumRazd2::Calculate24(kTSvodSum& Svod, mTDeclaration&)
{
    start("24");
    СумДох = Svod.Pril1.IncomeOfKind(24) + Svod.Pril2.IncomeOfKind(24);
    setTaxableIncome();
    setBase();
    taxAtRate(Rate30);
    Удерж = Svod.Pril1.WithheldOfKind(24);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(24);
    settle();
}

void kTSvodSumRazd2::Calculate25(kTSvodSum& Svod, mTDeclaration&)
{
    start("25");
    СумДох = Svod.Pril1.IncomeOfKind(25) + Svod.Pril2.IncomeOfKind(25);
    setTaxableIncome();
    setBase();
    taxAtRate(Rate10);
    Удерж = Svod.Pril1.WithheldOfKind(25);
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(25);
    settle();
}

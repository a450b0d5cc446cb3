// Section 2, the kinds taxed at one fixed rate without deductions: "19" to "25".
#include "computation/Section2.h"

#include <algorithm>

#include "computation/Summary.h"
#include "model/Declaration.h"

// Winnings, prizes of advertising campaigns and interest beyond the free limit, at 35 %.
void kTSvodSumRazd2::Calculate19(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 19);
    СумДохНеНал = Svod.Pril4.NonTaxableKind19;
    СумУдержМат = Svod.Pril1.Withheld2620;
    settleAtRate(Svod, Rate35);
    ПодлВозв = std::max(Удерж + СумУдержМат - Исчисл, Currency());
}

// A non-resident's income at 30 %; every exempt income of the year lowers it.
void kTSvodSumRazd2::Calculate20(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 20);
    СумДохНеНал = Svod.Pril4.NonTaxableExceptAdPrizes + Svod.Pril4.NonTaxableAdPrizes;
    settleAtRate(Svod, Rate30);
}

// A non-resident's dividends at 15 %.
void kTSvodSumRazd2::Calculate21(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 21);
    СумФиксАван = Svod.Pril4.FixedAdvancesNonResident;
    settleAtRate(Svod, Rate15);
}

void kTSvodSumRazd2::Calculate22(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 22);
    settleAtRate(Svod, Rate5);
}

void kTSvodSumRazd2::Calculate23(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 23);
    settleAtRate(Svod, Rate9);
}

void kTSvodSumRazd2::Calculate24(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 24);
    settleAtRate(Svod, Rate30);
}

void kTSvodSumRazd2::Calculate25(kTSvodSum& Svod, mTDeclaration&)
{
    start(Svod, 25);
    settleAtRate(Svod, Rate10);
}

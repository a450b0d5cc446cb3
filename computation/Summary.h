#pragma once

#include <array>

#include "computation/BusinessAdvances.h"
#include "computation/BusinessIncome.h"
#include "computation/ForeignIncome.h"
#include "computation/MonthlyStandardDeductions.h"
#include "computation/NonTaxableIncome.h"
#include "computation/PensionContributions.h"
#include "computation/PropertyPurchaseDeductions.h"
#include "computation/PropertySaleDeductions.h"
#include "computation/PropertySaleIncome.h"
#include "computation/RefundApplication.h"
#include "computation/RussianIncome.h"
#include "computation/Section1.h"
#include "computation/Section2.h"
#include "computation/Securities.h"
#include "computation/SecuritiesIntermediate.h"
#include "computation/StandardSocialDeductions.h"
#include "computation/TaxBases.h"
#include "computation/TaxYearFigures.h"
#include "model/Currency.h"

class mTDeclaration;

// The computed summary of one declaration: every sheet of the form, run over the declaration
// in the order of the data flow between them, with what the sheets share while they run (the
// rest of each tax base's 13 % band and three pools of deductions). Callers read the sheets'
// fields directly after Calculate.
class kTSvodSum {
public:
    std::array<kTSvodSumRazd2, 25> Razd2; // Razd2[k - 1] is income kind k
    kTSvodSumR1 R1;
    kTSvodSumR1_punkt2 R1_punkt2;
    kTSvodKudaTratit KudaTratit;
    kTSvodSumPril1 Pril1;
    kTSvodSumPril1_Dop Pril1_Dop;
    kTSvodSumPril2 Pril2;
    kTSvodSumPrilV1 PrilV1;
    kTSvodSumPrilV1Dop PrilV1Dop;
    kTSvodSumPril3 Pril3;
    kTSvodSumPril3_In Pril3_In;
    kTSvodSumPril4 Pril4;
    kTSvodSumPril5 Pril5;
    kTSvodSumPrilE1 PrilE1;
    kTSvodSumPril5Dop Pril5Dop;
    kTSvodSumPril6 Pril6;
    kTSvodSumPril7 Pril7;
    kTSvodSumPrilJ PrilJ1; // ordinary accounts
    kTSvodSumPrilJ PrilJ2; // individual investment accounts
    kTSvodSumPrilI PrilI;
    kTSvodSumPril8 Pril8;
    std::array<Currency, TaxBaseCount> RateBandRest; // what is left of each base's band, by TaxBase
    Currency DeclaredPool;   // deductions claimed in the declaration, not yet used
    Currency AgentPool;      // deductions given by tax agents, not yet used
    Currency SimplifiedPool; // deductions of the simplified procedure, not yet used

    Currency& RateBandRestOf(TaxBase base) { return RateBandRest.at(static_cast<std::size_t>(base)); }
    Currency RateBandRestOf(TaxBase base) const { return RateBandRest.at(static_cast<std::size_t>(base)); }

    // The section-2 sheet of an income kind 1..25.
    kTSvodSumRazd2& Razd2Sheet(int kind) { return Razd2.at(kind - 1); }
    // Runs the section-2 sheet of one income kind (1..25) on what the summary holds now.
    void CalculateRazd2(int kind, mTDeclaration& Decl);
    const kTSvodSumRazd2& Razd2Sheet(int kind) const { return Razd2.at(kind - 1); }

    // Computes every sheet. False when a sheet of the appendix chain or the advance payments
    // failed, or when section 1 holds a sum to pay.
    bool Calculate(mTDeclaration& Decl);
    // Whole bands, empty pools, every sheet empty.
    void Clear();

    // Each returns what it took from its pool: nothing for an amount (or limit) of 0 or
    // less, at most the amount, at most what the pool holds.
    Currency TakeFromDeclaredDeductions(Currency Amount);
    Currency TakeFromAgentDeductions(Currency Amount);
    // Limit: the base that the tax withheld at source stands for.
    Currency TakeFromSimplifiedDeductions(Currency Amount, Currency Limit);
};

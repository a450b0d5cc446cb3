#pragma once

#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// Figures of the advance-payment periods, each counted from the start of the year.
struct AdvancePeriods {
    Currency ЗаКв; // first quarter
    Currency ЗаПг; // half-year
    Currency За9м; // nine months
};

// Advance payments on business income by period and the year's tax on it.
class kTSvodSumPrilV1Dop {
public:
    // Whole roubles, truncated.
    AdvancePeriods СумПолДох;   // income received
    AdvancePeriods СумПрофВыч;  // professional deduction
    AdvancePeriods СумСтандВыч; // standard deductions taken against business income
    AdvancePeriods НалБазаИсч;  // tax base, not below 0
    AdvancePeriods СумИсчАванс; // advance payment computed
    Currency YearIncome;
    Currency YearProfDeduction;
    Currency YearOtherDeductions;
    Currency YearBase;
    Currency YearTax;

    void Clear();
    // Needs the business income sheet, the monthly standard deductions and section-2 sheet
    // "07" computed before.
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};

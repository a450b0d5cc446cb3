#pragma once

#include "model/Currency.h"

class mTDeclaration;

// Business and private-practice income of the year and by quarter.
class kTSvodSumPrilV1 {
public:
    Currency ДоходИт;
    Currency ВычПрофИт; // never above ДоходИт
    Currency УплФактАвИт; // advance payments actually paid
    Currency IncomeQ1;
    Currency ExpenseQ1;
    Currency IncomeQ2;
    Currency ExpenseQ2;
    Currency IncomeQ3;
    Currency ExpenseQ3;
    Currency IncomeQ4;
    Currency ExpenseQ4;

    void Clear();
    // Without business income among the income kinds the declaration's patent payments and
    // trade levy are reset to 0.
    bool Calculate(mTDeclaration& Decl);
};

// Professional deductions of a kind of income lines: civil-law contracts and author's fees.
struct ProfessionalDeductions {
    Currency РасхФактДогГПХ;  // civil-law contracts, deduction code 403
    Currency РасхФактАвтВозн; // author's fees, actual expenses, code 404
    Currency РасхНормАвтВозн; // author's fees within the norm, code 405
    Currency ОбщРасхВыч;      // the three together
};

// Professional deductions against incomes from payers in Russia.
class kTSvodSumPril3 : public ProfessionalDeductions {
public:
    void Clear();
    bool Calculate(mTDeclaration& Decl);
};

// Professional deductions against incomes in foreign currency.
class kTSvodSumPril3_In : public ProfessionalDeductions {
public:
    void Clear();
    bool Calculate(mTDeclaration& Decl);
};

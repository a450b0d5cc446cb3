#pragma once

#include <string>

#include "model/Currency.h"

class mTBusinessNew;
class mTDeclaration;

// The periods of business income, each counted from 1 January: the three periods of the
// advance payments, taken on the activity's quarters, and the year, taken on its year totals.
enum class BusinessPeriod { FirstQuarter = 1, HalfYear = 2, NineMonths = 3, Year = 4 };

// Entrepreneurs ("1") and heads of a farm household ("5") may take their expenses by the norm
// instead of documenting them (tax law, article 221, point 1); every other kind of activity
// documents its expenses, whatever its record says.
bool MayUseExpenseNorm(const std::string& activityKind);
bool DocumentsExpenses(const mTBusinessNew& activity);
// The expense norm: 20 % of the income, half up to kopecks.
Currency ExpenseNorm(Currency income);

// The professional deduction of an activity for a period: its documented expenses, or without
// them the norm of the period's income, whatever expense the record holds. The advance payments
// (article 227, point 7) take the same deduction for their periods as the year does.
Currency ProfessionalDeduction(const mTBusinessNew& activity, BusinessPeriod period);

// Business and private-practice income of the year and by quarter.
class kTSvodSumPrilV1 {
public:
    Currency ДоходИт;
    Currency ВычПрофИт; // never above ДоходИт
    Currency УплФактАвИт; // advance payments actually paid
    // Income of each quarter, and the professional deduction that falls to it: the documented
    // expenses of the quarter (the fourth takes what the year's total leaves), or the growth of
    // the norm over the quarter.
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

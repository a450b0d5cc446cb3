#pragma once

#include <string>

#include "computation/TaxArithmetic.h"
#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// Section 2 of the form for one income kind "01" ... "25": income, tax base, the tax on it,
// the tax already withheld or paid, and what is left to pay or to refund. The summary keeps
// one sheet per kind and calls the kind's CalculateNN on it, in the order that shares each tax
// base's 13 % band and the deduction pools among the kinds. The fields named in Cyrillic are the
// attributes of the exchange file's "НалБаза" element ("." of the attribute names written "_").
class kTSvodSumRazd2 {
public:
    Currency DirectDeductions; // deductions counted before drawing on a pool (kinds 07, 10, 18)
    std::string ВидДоход;      // "01" ... "25"
    Currency СумДох;
    Currency СумДохНеНал;
    Currency СумДохНал;
    Currency PoolBase;         // the amount against which the pools are drawn
    Currency СумНалВыч;
    Currency СумРасх;
    Currency НалБаза;
    Currency НалБаза2_1_224;   // part of the base taxed at 13 %, inside the band
    Currency НалБаза3_1_224;   // part of the base taxed at 15 %, beyond the band
    Currency СумИное;          // base of a kind taxed at one fixed rate
    Currency Исчисл;           // whole roubles
    Currency Удерж;
    Currency СумУдержИст224;   // part of Удерж withheld at 15 %
    Currency СумУдержМат;
    Currency ТСУплПерЗач;
    Currency СумФиксАван;
    Currency УплИнПодлЗач;
    Currency УплПатентЗач;
    Currency ПодлУпл;
    Currency ПодлВозв;
    Currency SimplifiedTax;    // 13 % of SimplifiedDrawn, whole roubles
    Currency SimplifiedDrawn;  // drawn from the simplified-procedure pool
    // Whole roubles that lift to 15 % the part of the 15 % base on which agents withheld 13 %.
    Currency Extra213;

    void Clear();

    void Calculate01(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate02(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate03(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate04(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate05(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate06(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate07(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate08(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate09(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate10(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate11(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate12(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate13(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate14(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate15(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate16(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate17(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate18(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate19(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate20(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate21(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate22(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate23(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate24(kTSvodSum& Svod, mTDeclaration& Decl);
    void Calculate25(kTSvodSum& Svod, mTDeclaration& Decl);

private:
    int kind_ = 0; // the income kind of the last calculation

    // The steps that the kinds share, in the order in which a kind takes them.
    // Clears the sheet and takes the kind's income from payers in Russia and from abroad and the
    // tax that payers withheld on it. Each appendix keeps totals only for the kinds it can hold,
    // so a kind that one of them never has takes nothing from it.
    void start(const kTSvodSum& Svod, int kind);
    void setTaxableIncome();            // СумДохНал: income less its non-taxable part, not below 0
    void drawDeclaredPool(kTSvodSum& Svod, Currency asked);
    void drawAllPools(kTSvodSum& Svod);
    void setBase();                     // НалБаза: not below 0
    void taxInBand(kTSvodSum& Svod);    // 13 % within what is left of the kind's band, 15 % beyond it
    void taxAtRate(TaxRate rate);
    void creditForeignTax(const kTSvodSum& Svod); // УплИнПодлЗач
    void setExtra213();
    void settle();                      // ПодлУпл
    // A band kind on which payers withheld tax: the part withheld at 15 %, the foreign tax
    // credited, the lift to 15 % and the sum to pay.
    void settleWithheldInBand(const kTSvodSum& Svod);
    // A kind without deductions taxed at one rate, from its non-taxable income on.
    void settleAtRate(const kTSvodSum& Svod, TaxRate rate);
    void refundWithheld();              // ПодлВозв: tax withheld above the tax
    void refundWithheldAndCredit();     // ПодлВозв: the same with the foreign tax, capped

    // Kinds 11 to 13, alike but for their code.
    void calculateForeignOnly(kTSvodSum& Svod, int kind);
};

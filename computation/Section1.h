#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// One row of section 1: the tax to pay or to refund under one budget classification code and
// territory code. A row holds either a sum to pay or a sum to refund, never both.
struct bmTList1 {
    std::string КБК;  // 20 digits
    std::string ОКТМО;
    Currency ПодлУпл;
    Currency ПодлВозв;

    friend bool operator==(const bmTList1&, const bmTList1&) = default;
};

// Section 1: the tax to pay or to refund per budget classification code, from the section-2
// sheets. Pay rows carry the taxpayer's territory code; a refund is placed on the territory
// codes of the payers that withheld the tax. The 13 % tax on each tax base is due under one code
// up to ThirteenPercentTaxCeiling, the rest (15 % beyond the base's band) under another.
class kTSvodSumR1 {
public:
    Currency Due13;       // 13 % tax on the 13 % parts still due after what agents withheld
    Currency PayTotal;    // to pay over the main 13/15 % kinds, net of their refunds
    Currency RefundTotal; // to refund over the main 13/15 % kinds, net of their sums to pay
    std::int32_t RowCount = 0;
    std::vector<bmTList1> Rows; // in the order of creation

    void Clear();
    // Needs section 2 and appendix 1 computed. Stores the total refund into the declaration's
    // SectionOneSum. True when no row holds a sum to pay and no placeholder row was needed.
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};

// The advance payments on business income of one budget code, for the periods counted from the
// start of the year. Of a period's payable amount and its reduction at most one is above 0.
struct AdvancePaymentsOfCode {
    Currency АвПУКв;             // first quarter
    Currency HalfYearPayable;     // written as АвПУУменПг
    Currency HalfYearReduction;   // written as АвПУУменПг with a minus sign
    Currency NineMonthsPayable;   // written as АвПУУмен9м
    Currency NineMonthsReduction; // written as АвПУУмен9м with a minus sign
    Currency YearPayable;         // written as НалПУУменПер
    Currency YearReduction;       // written as НалПУУменПер with a minus sign

    friend bool operator==(const AdvancePaymentsOfCode&, const AdvancePaymentsOfCode&) = default;
};

// Section 1: advance payments on business income by period. A resident's advance payments go
// to the first code up to a running total of ThirteenPercentTaxCeiling and to the second code beyond.
class kTSvodSumR1_punkt2 {
public:
    static constexpr const char* FirstKbk = "18210102020011000110";
    static constexpr const char* SecondKbk = "18210102080011000110";

    std::uint8_t HasSecondCode = 0; // the second code has something to pay
    std::string КБК1;
    std::string КБК2;
    std::string ОКТМО_Кв;
    std::string ОКТМО_Пг;
    std::string ОКТМО_9м;
    std::string ОКТМО_Пер;
    AdvancePaymentsOfCode FirstCodeAdvances;  // under КБК1
    AdvancePaymentsOfCode SecondCodeAdvances; // under КБК2

    void Clear();
    // Needs the advance-payment sheet computed. Always True.
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Currency.h"

class mTDeclaration;

// One row of appendix 1: the income of one kind paid by one payer and the tax it withheld.
struct bmPril1Rec {
    std::string ВидДоход; // "01" ... "25", or "35" for the tax withheld on code-2620 income
    std::string Ставка;   // always empty
    std::string ИНН;      // the payer's requisites, at most 255 characters each
    std::string КПП;
    std::string ОКТМО;
    std::string Наим;
    Currency Доход;
    Currency НалУдерж;
    Currency WithheldAt15; // part of НалУдерж withheld on the payer's 15 % lines
};

// Appendix 1: incomes from sources in Russia, one row per income kind and payer, with the
// per-kind totals that section 2 and the deduction sheets read.
class kTSvodSumPril1 {
public:
    // The kinds of IncomeByKind, WithheldByKind and WithheldAt15ByKind, slot by slot.
    static constexpr std::array<int, 19> TotalKinds{1, 2, 3, 4, 8, 9, 10, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};

    std::int32_t RawRowCount = 0;
    std::vector<bmPril1Rec> RawRows; // as built, before equal rows are merged
    std::array<Currency, 19> IncomeByKind{};
    std::array<Currency, 19> WithheldByKind{};
    std::array<Currency, 19> WithheldAt15ByKind{};
    Currency Withheld2620;        // withheld on other-rate lines of code 2620, resident rules
    Currency IncomeOfKinds8To18;  // kinds 8, 9, 10, 14, 17, 18
    Currency TotalIncome;
    std::vector<bmPril1Rec> Rows; // merged rows, in the order of first appearance
    std::int32_t RowCount = 0;

    // 0 for kinds without a total (5, 6, 7, 11, 12, 13).
    Currency IncomeOfKind(int kind) const;
    Currency WithheldOfKind(int kind) const;
    Currency WithheldAt15OfKind(int kind) const;

    void Clear();
    bool Calculate(mTDeclaration& Decl);
};

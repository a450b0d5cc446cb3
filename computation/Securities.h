#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// A loss that reduces the income of an appendix-8 row: the code of the operations (or of the
// carried loss of earlier periods) whose loss is used, and the amount.
struct bmUbRec {
    std::string ВидОперУбыт;
    Currency УбытУмДохОпер;

    friend bool operator==(const bmUbRec&, const bmUbRec&) = default;
};

// One row of appendix 8. The fields named in Cyrillic are the attributes of the exchange file's
// "ДохОперЦБ" element ("." of the attribute names written "_").
struct bmPr8Rec {
    std::string ВидОпер;     // two-digit operation code
    Currency ДохСовОпер;     // income; after a split, the part that this row covers
    Currency РасхРеалЦБ;     // expenses as declared
    Currency РасхУмДохОпер;  // the expenses up to the income
    std::uint8_t ПризУчетУбыт = 0; // 1 when losses reduce the row's income
    // The first three loss entries; an absent one has an empty code and 0.
    std::string ВидОперУбыт1;
    std::string ВидОперУбыт2;
    std::string ВидОперУбыт3;
    Currency УбытУмДохОпер1;
    Currency УбытУмДохОпер2;
    Currency УбытУмДохОпер3;
    Currency ИнвВыч219_1Опер; // investment deduction applied to the row
    Currency ИнвВыч219_3Опер; // income exempt on an investment account
    std::vector<bmUbRec> Losses; // every loss entry of a row with several loss sources, at most five

    friend bool operator==(const bmPr8Rec&, const bmPr8Rec&) = default;
};

// Appendix 8: operations with securities, derivatives and investment partnerships, one row per
// kind of operation, built from the securities and partnership sheets. A row can show three
// losses: one with more is split in two rows of the same code that together show its income.
class kTSvodSumPril8 {
public:
    Currency DeductionTotal; // investment deductions, for sheet "03"
    Currency ReductionTotal; // expenses and losses used, for sheet "03"
    std::vector<bmPr8Rec> Rows;
    std::int32_t RowCount = 0;

    void Clear();
    // Needs the partnership sheet and both securities sheets computed before.
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};

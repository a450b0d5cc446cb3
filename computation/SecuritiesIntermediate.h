#pragma once

#include <array>

#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// The income and expenses of one group of operations (one kind of appendix-8 row).
struct OperationGroup {
    Currency Income;
    Currency Expense;
    Currency ExpenseUsed; // the expenses up to the income
    Currency Exempt;      // income exempt on an investment account (second instance only)
};

// Securities and derivatives by group, before appendix 8: the first instance over ordinary
// accounts (CalculateA), the second over individual investment accounts (CalculateB). The
// groups are the same in both, each instance with income codes of its own; the sheet decides
// which losses offset which income. Losses carried from earlier years and the investment
// deduction count only while their deduction is granted.
class kTSvodSumPrilJ {
public:
    static constexpr int GroupCount = 8;

    std::array<OperationGroup, GroupCount> Groups; // Group(n), n = 1 ... 8
    // Groups 7 and 8 join two income codes each: part a offsets only group 1, part b only group 3.
    Currency Income7a;
    Currency Expense7a;
    Currency Income7b;
    Currency Expense7b;
    Currency Income8a;
    Currency Expense8a;
    Currency Income8b;
    Currency Expense8b;
    // Losses of earlier periods declared on income lines; after the computation, the part used.
    Currency CarriedLoss1;
    Currency CarriedLoss3;
    Currency Deduction2191; // investment deduction used against group 1 (first instance only)
    Currency Loss7aUsed;    // against group 1
    Currency Loss8aUsed;
    Currency Loss7bUsed;    // against group 3
    Currency Loss8bUsed;
    Currency PartnershipLossUsed; // a partnership's loss used against group 3
    // Income after reductions, and loss, of groups 1, 4 and 5.
    Currency Base1;
    Currency Loss1;
    Currency Base4;
    Currency Loss4;
    Currency Base5;
    Currency Loss5;
    // Carried losses of earlier years from the securities deduction, and the parts used.
    Currency PriorSecLoss;
    Currency PriorDerivLoss;
    Currency PriorSecLossUsed;    // against group 1
    Currency PriorDerivLossUsed5; // against group 5 first
    Currency PriorDerivLossUsed4; // then group 4
    // LossXUsedY: the loss of group X used against group Y.
    Currency Loss4Used5;
    Currency Loss4Used1;
    Currency Loss5Used4;
    Currency Loss1Used2;
    Currency Loss1Used4;
    // Working values of the computation.
    Currency Remainder1; // income of groups 1 and 3 still open for offsets
    Currency Remainder3;
    Currency Loss7aAvail;
    Currency Loss8aAvail;
    Currency Loss7bAvail;
    Currency Loss8bAvail;
    Currency Reductions1;

    OperationGroup& Group(int n) { return Groups.at(n - 1); }
    const OperationGroup& Group(int n) const { return Groups.at(n - 1); }

    void Clear();
    // Both need the partnership sheet computed before.
    bool CalculateA(mTDeclaration& Decl, kTSvodSum& Svod);
    bool CalculateB(mTDeclaration& Decl, kTSvodSum& Svod);
};

// Operations within an investment partnership, before appendix 8, by the appendix-8 row that
// each becomes: rows "02" to "14" outside, "17" to "29" within investment accounts.
class kTSvodSumPrilI {
public:
    // Row codes in the order of the sheet; the income code of a row is 5000 + its code.
    static constexpr std::array<int, 12> RowCodes{2, 5, 9, 11, 14, 13, 17, 20, 24, 26, 29, 28};

    struct Row {
        Currency Income;
        Currency Expense;
        Currency ExpenseUsed; // the expenses up to the income
        Currency LossUsed;    // partnership loss of earlier years used (not rows 13 and 28)
        Currency Exempt;      // income exempt on an investment account (rows 17 to 29)
    };

    std::array<Row, 12> Rows; // in the order of RowCodes
    Currency Deduction2191;   // investment deduction used against row "02"
    Currency Loss13;          // offsets group 3 of the first securities sheet
    Currency Loss28;          // offsets group 3 of the second
    Currency PriorPartnershipLoss;    // carried loss still unused, outside
    Currency PriorPartnershipLossIIS; // and within investment accounts

    // The row of an appendix-8 row code of RowCodes.
    Row& RowOf(int code);
    const Row& RowOf(int code) const;

    void Clear();
    bool Calculate(mTDeclaration& Decl);
};

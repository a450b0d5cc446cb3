#include "computation/SecuritiesIntermediate.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "computation/Residency.h"
#include "computation/Summary.h"
#include "model/Declaration.h"

namespace {

// The income and deduction codes of one instance of the securities sheet.
struct SecuritiesCodes {
    std::array<std::int32_t, kTSvodSumPrilJ::GroupCount> income; // groups 7 and 8: part a
    std::int32_t income7b;
    std::int32_t income8b;
    // Deduction codes that sort a line's deduction in groups 1 and 3: expenses, or a loss
    // of earlier periods carried forward.
    std::int32_t expense1;
    std::int32_t carriedLoss1;
    std::int32_t expense3;
    std::int32_t carriedLoss3;
};

constexpr SecuritiesCodes OrdinaryAccountCodes{{1530, 1536, 1531, 1532, 1535, 1533, 1537, 1538}, 9537, 9538,
                                               201, 218, 202, 219};
constexpr SecuritiesCodes InvestmentAccountCodes{{1544, 1549, 1545, 1546, 1548, 1547, 1551, 1552}, 9551, 9552,
                                                 225, 233, 226, 234};

constexpr std::int32_t PartnershipIncomeBase = 5000;

// A deduction object whose granting box is not ticked claims nothing: the declaration file
// keeps none of its values then.
Currency grantedLoss(const mTDeclaration& Decl, Currency mTCBDeduct::*loss)
{
    return Decl.CBDeduct.Granted != 0 ? Decl.CBDeduct.*loss : Currency();
}

Currency grantedInvestmentDeduction(const mTDeclaration& Decl, Currency mTInvDeduct::*deduction)
{
    return Decl.InvDeduct.Granted != 0 ? Decl.InvDeduct.*deduction : Currency();
}

bool incomeDeductionApplied(const mTDeclaration& Decl)
{
    return Decl.InvDeduct.Granted != 0 && Decl.InvDeduct.ApplyIncomeDeduction != 0;
}

// Calls visit(incomeCode, deductionCode, amount, deduction) for the 13 % and then the 15 %
// lines of every payer, and then, when asked and declared, for the foreign incomes. A line
// without a deduction code is not a securities operation of the form and is left out.
template <typename Visit>
void forEachOperationLine(const mTDeclaration& Decl, bool withForeignIncomes, Visit visit)
{
    const auto visitLines = [&visit](const OwnedList<mTIncome>& lines) {
        for (const auto& line : lines)
            if (line->DeductionCode != 0)
                visit(line->IncomeCode, line->DeductionCode, line->Amount, line->Deduction);
    };
    for (const auto& source : Decl.Sources) {
        visitLines(source->Incomes13);
        visitLines(source->Incomes15);
    }
    if (!withForeignIncomes || !ForeignIncomesCount(Decl))
        return;
    for (const auto& income : Decl.CurrencyIncomes)
        if (income->DeductionCode != 0)
            visit(income->IncomeCode, income->DeductionCode, income->IncomeRoubles, income->DeductionSum);
}

void addLine(kTSvodSumPrilJ& sheet, const SecuritiesCodes& codes, std::int32_t incomeCode,
             std::int32_t deductionCode, Currency amount, Currency deduction)
{
    if (incomeCode == codes.income[6]) {
        sheet.Income7a += amount;
        sheet.Expense7a += deduction;
    } else if (incomeCode == codes.income7b) {
        sheet.Income7b += amount;
        sheet.Expense7b += deduction;
    } else if (incomeCode == codes.income[7]) {
        sheet.Income8a += amount;
        sheet.Expense8a += deduction;
    } else if (incomeCode == codes.income8b) {
        sheet.Income8b += amount;
        sheet.Expense8b += deduction;
    } else if (incomeCode == codes.income[0]) {
        sheet.Group(1).Income += amount;
        if (deductionCode == codes.expense1)
            sheet.Group(1).Expense += deduction;
        else if (deductionCode == codes.carriedLoss1)
            sheet.CarriedLoss1 += deduction;
    } else if (incomeCode == codes.income[2]) {
        sheet.Group(3).Income += amount;
        if (deductionCode == codes.expense3)
            sheet.Group(3).Expense += deduction;
        else if (deductionCode == codes.carriedLoss3)
            sheet.CarriedLoss3 += deduction;
    } else {
        for (int n : {2, 4, 5, 6}) {
            if (incomeCode == codes.income[n - 1]) {
                sheet.Group(n).Income += amount;
                sheet.Group(n).Expense += deduction;
            }
        }
    }
}

void accumulate(kTSvodSumPrilJ& sheet, const mTDeclaration& Decl, const SecuritiesCodes& codes)
{
    forEachOperationLine(Decl, true, [&](std::int32_t incomeCode, std::int32_t deductionCode, Currency amount,
                                         Currency deduction) {
        addLine(sheet, codes, incomeCode, deductionCode, amount, deduction);
    });
    sheet.Group(7).Income = sheet.Income7a + sheet.Income7b;
    sheet.Group(7).Expense = sheet.Expense7a + sheet.Expense7b;
    sheet.Group(8).Income = sheet.Income8a + sheet.Income8b;
    sheet.Group(8).Expense = sheet.Expense8a + sheet.Expense8b;
    for (OperationGroup& group : sheet.Groups)
        group.ExpenseUsed = std::min(group.Expense, group.Income);
    sheet.Remainder1 = sheet.Group(1).Income - sheet.Group(1).ExpenseUsed;
    sheet.Remainder3 = sheet.Group(3).Income - sheet.Group(3).ExpenseUsed;
}

// What a part of group 7 or 8 may give: its own excess of expenses, at most the loss of the
// whole group.
Currency partLoss(Currency partIncome, Currency partExpense, const OperationGroup& group)
{
    return std::max(Currency(), std::min(partExpense - partIncome, group.Expense - group.Income));
}

// Takes at most what is left of the income and lowers what is left.
Currency take(Currency& remainder, Currency available)
{
    const Currency used = std::min(remainder, available);
    remainder -= used;
    return used;
}

// The order in which losses offset income: losses of groups 7 and 8 and declared carried losses
// against groups 1 and 3, a partnership's loss against group 3, carried securities losses against
// group 1, carried derivatives losses against group 5 and then 4, and the losses of groups 1, 4
// and 5 against one another's income.
void offsetLosses(kTSvodSumPrilJ& s, Currency partnershipLoss, Currency securitiesLoss, Currency derivativesLoss)
{
    const OperationGroup& group1 = s.Group(1);
    const OperationGroup& group2 = s.Group(2);
    const OperationGroup& group4 = s.Group(4);
    const OperationGroup& group5 = s.Group(5);

    if (s.Remainder1 > Currency()) {
        s.Loss7aAvail = partLoss(s.Income7a, s.Expense7a, s.Group(7));
        s.Loss8aAvail = partLoss(s.Income8a, s.Expense8a, s.Group(8));
    }
    if (s.Remainder3 > Currency()) {
        s.Loss7bAvail = partLoss(s.Income7b, s.Expense7b, s.Group(7));
        s.Loss8bAvail = partLoss(s.Income8b, s.Expense8b, s.Group(8));
    }
    s.Loss7aUsed = take(s.Remainder1, s.Loss7aAvail);
    s.Loss8aUsed = take(s.Remainder1, s.Loss8aAvail);
    s.CarriedLoss1 = take(s.Remainder1, s.CarriedLoss1);
    s.Reductions1 = group1.Expense + s.Loss7aUsed + s.Loss8aUsed + s.CarriedLoss1 + s.Deduction2191;
    s.Base1 = std::max(Currency(), group1.Income - s.Reductions1);
    s.Loss1 = std::max(Currency(), s.Reductions1 - group1.Income);

    s.Loss7bUsed = take(s.Remainder3, s.Loss7bAvail);
    s.Loss8bUsed = take(s.Remainder3, s.Loss8bAvail);
    s.CarriedLoss3 = take(s.Remainder3, s.CarriedLoss3);
    s.PartnershipLossUsed = take(s.Remainder3, partnershipLoss);

    s.Base4 = std::max(Currency(), group4.Income - group4.Expense);
    s.Loss4 = std::max(Currency(), group4.Expense - group4.Income);
    s.Base5 = std::max(Currency(), group5.Income - group5.Expense);
    s.Loss5 = std::max(Currency(), group5.Expense - group5.Income);

    s.PriorSecLoss = securitiesLoss;
    s.PriorDerivLoss = derivativesLoss;
    if (s.Base1 > Currency())
        s.PriorSecLossUsed = std::min(s.PriorSecLoss, s.Base1);
    if (s.Base5 > Currency())
        s.PriorDerivLossUsed5 = std::min(s.PriorDerivLoss, s.Base5);
    if (s.Base4 > Currency())
        s.PriorDerivLossUsed4 = std::min(s.PriorDerivLoss - s.PriorDerivLossUsed5, s.Base4);

    if (s.PriorDerivLossUsed5 < s.Base5)
        s.Loss4Used5 = std::min(s.Base5 - s.PriorDerivLossUsed5, s.Loss4);
    if (s.PriorSecLossUsed < s.Base1)
        s.Loss4Used1 = std::min(s.Base1 - s.PriorSecLossUsed, s.Loss4 - s.Loss4Used5);
    if (s.PriorDerivLossUsed4 < s.Base4)
        s.Loss5Used4 = std::min(s.Base4 - s.PriorDerivLossUsed4, s.Loss5);
    if (group2.Expense < group2.Income)
        s.Loss1Used2 = std::min(group2.Income - group2.Expense, s.Loss1);
    if (s.Base4 > s.PriorDerivLossUsed4 + s.Loss5Used4)
        s.Loss1Used4 = std::min(s.Base4 - s.PriorDerivLossUsed4 - s.Loss5Used4, s.Loss1 - s.Loss1Used2);
}

std::size_t partnershipRowIndex(int code)
{
    const auto& codes = kTSvodSumPrilI::RowCodes;
    const auto found = std::find(codes.begin(), codes.end(), code);
    if (found == codes.end())
        throw std::out_of_range("Нет строки операций товарищества с кодом " + std::to_string(code));
    return static_cast<std::size_t>(found - codes.begin());
}

} // namespace

void kTSvodSumPrilJ::Clear()
{
    *this = kTSvodSumPrilJ();
}

bool kTSvodSumPrilJ::CalculateA(mTDeclaration& Decl, kTSvodSum& Svod)
{
    Clear();
    accumulate(*this, Decl, OrdinaryAccountCodes);
    Deduction2191 = take(Remainder1, grantedInvestmentDeduction(Decl, &mTInvDeduct::SecuritiesDeduction));
    offsetLosses(*this, Svod.PrilI.Loss13, grantedLoss(Decl, &mTCBDeduct::LossSecurities),
                 grantedLoss(Decl, &mTCBDeduct::LossDerivatives));
    return true;
}

bool kTSvodSumPrilJ::CalculateB(mTDeclaration& Decl, kTSvodSum& Svod)
{
    Clear();
    accumulate(*this, Decl, InvestmentAccountCodes);
    if (incomeDeductionApplied(Decl)) {
        // The whole net income of the accounts is exempt, so no loss is used against it.
        for (OperationGroup& group : Groups)
            group.Exempt = group.Income - group.ExpenseUsed;
        CarriedLoss1 = Currency();
        CarriedLoss3 = Currency();
        return true;
    }
    offsetLosses(*this, Svod.PrilI.Loss28, grantedLoss(Decl, &mTCBDeduct::LossSecuritiesIIS),
                 grantedLoss(Decl, &mTCBDeduct::LossDerivativesIIS));
    return true;
}

kTSvodSumPrilI::Row& kTSvodSumPrilI::RowOf(int code)
{
    return Rows[partnershipRowIndex(code)];
}

const kTSvodSumPrilI::Row& kTSvodSumPrilI::RowOf(int code) const
{
    return Rows[partnershipRowIndex(code)];
}

void kTSvodSumPrilI::Clear()
{
    *this = kTSvodSumPrilI();
}

bool kTSvodSumPrilI::Calculate(mTDeclaration& Decl)
{
    Clear();
    forEachOperationLine(Decl, false, [this](std::int32_t incomeCode, std::int32_t, Currency amount,
                                             Currency deduction) {
        const int code = incomeCode - PartnershipIncomeBase;
        if (std::find(RowCodes.begin(), RowCodes.end(), code) == RowCodes.end())
            return;
        RowOf(code).Income += amount;
        RowOf(code).Expense += deduction;
    });
    for (Row& row : Rows)
        row.ExpenseUsed = std::min(row.Expense, row.Income);

    Row& row02 = RowOf(2);
    Deduction2191 = std::min(row02.Income - row02.ExpenseUsed,
                             grantedInvestmentDeduction(Decl, &mTInvDeduct::PartnershipDeduction));
    Loss13 = std::max(Currency(), RowOf(13).Expense - RowOf(13).Income);
    Loss28 = std::max(Currency(), RowOf(28).Expense - RowOf(28).Income);

    // A partnership's loss of earlier years goes to the rows in this order, each up to its net income.
    PriorPartnershipLoss = grantedLoss(Decl, &mTCBDeduct::LossPartnership);
    if (PriorPartnershipLoss > Currency()) {
        for (int code : {2, 5, 9, 11, 14}) {
            Row& row = RowOf(code);
            const Currency net = row.Income - row.ExpenseUsed - (code == 2 ? Deduction2191 : Currency());
            row.LossUsed = std::min(net, PriorPartnershipLoss);
            PriorPartnershipLoss -= row.LossUsed;
        }
    }

    if (incomeDeductionApplied(Decl)) {
        for (int code : {17, 20, 24, 26, 29, 28})
            RowOf(code).Exempt = RowOf(code).Income - RowOf(code).ExpenseUsed;
        return true;
    }
    PriorPartnershipLossIIS = grantedLoss(Decl, &mTCBDeduct::LossPartnershipIIS);
    if (PriorPartnershipLossIIS > Currency()) {
        for (int code : {17, 20, 24, 26, 29}) {
            Row& row = RowOf(code);
            row.LossUsed = std::min(row.Income - row.ExpenseUsed, PriorPartnershipLossIIS);
            PriorPartnershipLossIIS -= row.LossUsed;
        }
    }
    return true;
}

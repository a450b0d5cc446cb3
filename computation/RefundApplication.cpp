#include "computation/RefundApplication.h"

#include <algorithm>

#include "computation/Summary.h"
#include "model/Declaration.h"

namespace {

// An entry spends only the amount of its own kind: the page keeps both sums, and the one of
// the other kind is what was left when the user switched the entry over.
Currency amountOf(const mTTrata& entry)
{
    return entry.IsRefund ? entry.RefundSum : entry.OffsetSum;
}

bool refundsAllLeft(const mTTrata& entry)
{
    return entry.IsRefund && entry.AllIn;
}

// The refund rows of section 1, walked in order; a row is left once it is wholly placed.
class RefundRows {
public:
    explicit RefundRows(const std::vector<bmTList1>& rows)
    {
        for (const bmTList1& row : rows)
            if (row.ПодлВозв > Currency())
                rows_.push_back(&row);
        if (!rows_.empty())
            need_ = rows_.front()->ПодлВозв;
    }

    bool done() const { return next_ == rows_.size(); }
    const bmTList1& row() const { return *rows_[next_]; }
    Currency need() const { return need_; }

    // True when the amount covers what the row still needs: the walk moves to the next row.
    bool place(Currency amount)
    {
        need_ -= amount;
        if (need_ > Currency())
            return false;
        if (++next_ < rows_.size())
            need_ = rows_[next_]->ПодлВозв;
        return true;
    }

private:
    std::vector<const bmTList1*> rows_;
    std::size_t next_ = 0;
    Currency need_;
};

} // namespace

void kTSvodKudaTratit::Clear()
{
    *this = kTSvodKudaTratit();
}

bool kTSvodKudaTratit::Calculate(mTDeclaration& Decl, kTSvodSum& Svod)
{
    Clear();
    RefundRows rows(Svod.R1.Rows);
    // Applications are numbered on from the correction number times 1000.
    std::int64_t lastNumber = std::int64_t(Decl.CorrectionNumber) * 1000;
    const auto nextNumber = [&lastNumber] { return std::to_string(++lastNumber); };
    const mTPersonName& name = Decl.Person.Name;
    const auto refund = [&](const mTTrata& entry, Currency amount) {
        const bmTList1& row = rows.row();
        Refunds.push_back({nextNumber(), amount, row.КБК, row.ОКТМО, PeriodOfYear, entry.BankName, entry.BankBik,
                           entry.AccountKind == 1 ? "02" : "07", entry.AccountNumber, name.SurName, name.FirstName,
                           name.Patronymic});
    };
    bool offsetOpen = false;

    for (const auto& slot : Decl.Tratas) {
        if (rows.done())
            break;
        const mTTrata& entry = *slot;
        Currency have = amountOf(entry);
        if (have <= Currency() && !refundsAllLeft(entry))
            continue;
        if (entry.IsRefund)
            offsetOpen = false;
        if (refundsAllLeft(entry)) {
            while (!rows.done()) {
                const Currency rest = rows.need();
                refund(entry, rest);
                rows.place(rest);
            }
            break;
        }
        while (have > Currency() && !rows.done()) {
            const Currency placed = std::min(have, rows.need());
            if (entry.IsRefund) {
                refund(entry, placed);
            } else {
                if (!offsetOpen) {
                    const bmTList1& row = rows.row();
                    Offsets.push_back({nextNumber(), row.КБК, row.ОКТМО, PeriodOfYear, 0, {}});
                    offsetOpen = true;
                }
                Offsets.back().Payments.push_back({std::to_string(entry.OffsetPurpose), placed, entry.Note, entry.Kbk,
                                                   entry.Oktmo, entry.TaxOfficeCode});
            }
            have -= placed;
            // An offset application covers one row.
            if (rows.place(placed))
                offsetOpen = false;
        }
    }

    for (bmTRecord1_ZachNalog& offset : Offsets)
        offset.PaymentCount = static_cast<std::int32_t>(offset.Payments.size());
    OffsetCount = static_cast<std::int32_t>(Offsets.size());
    RefundCount = static_cast<std::int32_t>(Refunds.size());
    return true;
}

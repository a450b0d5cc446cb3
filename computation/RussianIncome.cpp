#include "computation/RussianIncome.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "computation/KindTotals.h"
#include "computation/PropertySaleIncome.h"
#include "computation/Residency.h"
#include "model/Declaration.h"
#include "model/IncomeKinds.h"
#include "model/Money.h"
#include "model/SplitByShares.h"

namespace {

enum class RateList { Rate13, Rate15, OtherRates };

// The form's fields for the payer's requisites hold 255 characters.
std::string first255Characters(std::string_view utf8)
{
    constexpr std::size_t capacity = 255;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > capacity)
            return std::string(utf8.substr(0, i));
    }
    return std::string(utf8);
}

bmPril1Rec payerRow(const mbTSourse& source, int kind)
{
    bmPril1Rec row;
    row.ВидДоход = TwoDigitText(kind);
    row.ИНН = first255Characters(source.Inn);
    row.КПП = first255Characters(source.Kpp);
    row.ОКТМО = first255Characters(source.Oktmo);
    row.Наим = source.Name;
    return row;
}

// The kind of a line that shares its list's withheld tax with the other lines of the list.
int kindOfSharedLine(std::int32_t incomeCode, RateList list, bool resident)
{
    if (resident)
        return IncomeKindCode(incomeCode);
    switch (list) {
    case RateList::Rate13:
        return incomeCode == 6015 ? 15 : 16;
    case RateList::Rate15:
        return incomeCode == 6015 ? 15 : incomeCode == 1010 ? 21 : 16;
    case RateList::OtherRates:
        break;
    }
    return DeductionKindCode(incomeCode);
}

// One row per kind of the list's lines; the tax withheld on the list is split over the kinds
// in proportion to their income less deductions.
void appendSharedRows(std::vector<bmPril1Rec>& rows, const mbTSourse& source, const OwnedList<mTIncome>& lines,
                      Currency withheld, RateList list, bool resident)
{
    ShareTable table{};
    for (const auto& line : lines) {
        const int kind = kindOfSharedLine(line->IncomeCode, list, resident);
        if (kind < 1 || kind > static_cast<int>(table.size()))
            continue;
        ShareRow& row = table[kind - 1];
        // A sale of real estate below the cadastral floor is taxed on the floor; it also weighs
        // by the floor in the split of the withheld tax.
        row.IncomeSum += list == RateList::Rate13 ? TaxedIncome(*line) : line->Amount;
        row.DeductionSum += line->Deduction;
        row.NetSum = row.IncomeSum - row.DeductionSum;
    }
    for (ShareRow& row : table)
        row.NetSum = std::max(row.NetSum, Currency());
    if (withheld != Currency())
        table = SplitByShares(table, withheld);

    for (int kind = 1; kind <= static_cast<int>(table.size()); ++kind) {
        const ShareRow& share = table[kind - 1];
        if (share.IncomeSum <= Currency())
            continue;
        bmPril1Rec row = payerRow(source, kind);
        row.Доход = share.IncomeSum;
        row.НалУдерж = share.Share;
        if (list == RateList::Rate15)
            row.WithheldAt15 = share.Share;
        rows.push_back(std::move(row));
    }
}

// Under resident rules each line taxed at another rate carries its own withheld tax.
void appendOwnTaxRows(std::vector<bmPril1Rec>& rows, Currency& withheld2620, const mbTSourse& source,
                      const OwnedList<mTIncome>& lines)
{
    for (const auto& line : lines) {
        if (line->IncomeCode == 2620) {
            // Interest on deposits: only the tax withheld is shown, under a kind of its own.
            withheld2620 += line->WithheldTax;
            bmPril1Rec row;
            row.ВидДоход = "35";
            row.ОКТМО = first255Characters(source.Oktmo);
            row.НалУдерж = line->WithheldTax;
            rows.push_back(std::move(row));
            continue;
        }
        bmPril1Rec row = payerRow(source, IncomeKindCode(line->IncomeCode));
        row.Доход = line->Amount;
        row.НалУдерж = line->WithheldTax;
        rows.push_back(std::move(row));
    }
}

bool samePayerAndKind(const bmPril1Rec& a, const bmPril1Rec& b)
{
    return a.ВидДоход == b.ВидДоход && a.Ставка == b.Ставка && a.ИНН == b.ИНН && a.КПП == b.КПП && a.ОКТМО == b.ОКТМО
        && a.Наим == b.Наим;
}

std::vector<bmPril1Rec> merged(const std::vector<bmPril1Rec>& rawRows)
{
    std::vector<bmPril1Rec> rows;
    for (const bmPril1Rec& raw : rawRows) {
        const auto same = std::find_if(rows.begin(), rows.end(),
                                       [&raw](const bmPril1Rec& row) { return samePayerAndKind(row, raw); });
        if (same == rows.end()) {
            rows.push_back(raw);
            continue;
        }
        same->Доход += raw.Доход;
        same->НалУдерж += raw.НалУдерж;
        same->WithheldAt15 += raw.WithheldAt15;
    }
    return rows;
}

int kindNumber(const std::string& kindText)
{
    int kind = 0;
    std::from_chars(kindText.data(), kindText.data() + kindText.size(), kind);
    return kind;
}

} // namespace

Currency kTSvodSumPril1::IncomeOfKind(int kind) const
{
    return TotalOfKind(TotalKinds, IncomeByKind, kind);
}

Currency kTSvodSumPril1::WithheldOfKind(int kind) const
{
    return TotalOfKind(TotalKinds, WithheldByKind, kind);
}

Currency kTSvodSumPril1::WithheldAt15OfKind(int kind) const
{
    return TotalOfKind(TotalKinds, WithheldAt15ByKind, kind);
}

void kTSvodSumPril1::Clear()
{
    *this = kTSvodSumPril1();
}

bool kTSvodSumPril1::Calculate(mTDeclaration& Decl)
{
    Clear();
    const bool resident = IsOrdinaryDeclaration(Decl);

    for (const auto& source : Decl.Sources) {
        appendSharedRows(RawRows, *source, source->Incomes13, source->WithheldTax13, RateList::Rate13, resident);
        appendSharedRows(RawRows, *source, source->Incomes15, source->WithheldTax15, RateList::Rate15, resident);
        if (resident)
            appendOwnTaxRows(RawRows, Withheld2620, *source, source->Incomes99);
        else
            appendSharedRows(RawRows, *source, source->Incomes99, source->WithheldTax99, RateList::OtherRates,
                             resident);
    }
    RawRowCount = static_cast<std::int32_t>(RawRows.size());

    Rows = merged(RawRows);
    RowCount = static_cast<std::int32_t>(Rows.size());

    for (const bmPril1Rec& row : Rows) {
        const int kind = kindNumber(row.ВидДоход);
        AddToKind(TotalKinds, IncomeByKind, kind, row.Доход);
        AddToKind(TotalKinds, WithheldByKind, kind, row.НалУдерж);
        AddToKind(TotalKinds, WithheldAt15ByKind, kind, row.WithheldAt15);
    }
    for (int kind : {8, 9, 10, 14, 17, 18})
        IncomeOfKinds8To18 += IncomeOfKind(kind);
    for (const Currency& income : IncomeByKind)
        TotalIncome += income;
    return true;
}

#include "model/SplitByShares.h"

#include <cmath>
#include <cstdint>

namespace {

using Weight = Currency ShareRow::*;

struct Participants {
    std::array<bool, 25> takesPart{};
    int count = 0;
    long double totalUnits = 0; // exact below 2^64 units
};

Participants participantsBy(const ShareTable& rows, Weight weight)
{
    Participants participants;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Currency rowWeight = rows[i].*weight;
        if (rowWeight > Currency()) {
            participants.takesPart[i] = true;
            ++participants.count;
            participants.totalUnits += rowWeight.units();
        }
    }
    return participants;
}

std::int64_t roundedRoubles(Currency amount)
{
    std::int64_t roubles = amount.units() / Currency::UnitsPerRouble;
    const std::int64_t rest = amount.units() % Currency::UnitsPerRouble; // sign of the amount
    constexpr std::int64_t half = Currency::UnitsPerRouble / 2;
    if (rest > half || (rest == half && roubles % 2 != 0))
        ++roubles;
    else if (rest < -half || (rest == -half && roubles % 2 != 0))
        --roubles;
    return roubles;
}

// The row that gets the next rouble of a remainder: the largest fraction toward the sign of
// the remainder, the lowest row on a tie.
std::size_t nextRowForRemainder(const ShareTable& rows, const std::array<bool, 25>& takesPart, int sign)
{
    std::size_t best = rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!takesPart[i])
            continue;
        if (best == rows.size() || sign * rows[i].Fraction.units() > sign * rows[best].Fraction.units())
            best = i;
    }
    return best;
}

void splitByLargestRemainders(ShareTable& rows, const Participants& participants, Weight weight, Currency amount)
{
    const auto& takesPart = participants.takesPart;
    const long double total = participants.totalUnits / Currency::UnitsPerRouble;
    std::int64_t wholeRoublesGiven = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!takesPart[i])
            continue;
        const long double exact = amount.roubles() * (rows[i].*weight).roubles() / total;
        const long double whole = std::truncl(exact);
        rows[i].Share = Currency::fromWholeRoubles(static_cast<std::int64_t>(whole));
        rows[i].Fraction = Currency::fromRoubles(exact - whole);
        wholeRoublesGiven += static_cast<std::int64_t>(whole);
    }

    // Truncation toward zero leaves a remainder of the amount's sign (or none): roubles are
    // added to a positive amount's shares and taken from a negative one's.
    std::int64_t remainder = roundedRoubles(amount) - wholeRoublesGiven;
    const int sign = remainder > 0 ? 1 : -1;
    const Currency rouble = Currency::fromWholeRoubles(sign);
    for (; remainder != 0; remainder -= sign) {
        ShareRow& row = rows[nextRowForRemainder(rows, takesPart, sign)];
        row.Share += rouble;
        row.Fraction = Currency();
    }
}

} // namespace

ShareTable SplitByShares(const ShareTable& rows, Currency amount)
{
    // Rows whose income is all offset by deductions still share the amount, by their income.
    const Weight weight = participantsBy(rows, &ShareRow::NetSum).count > 0 ? &ShareRow::NetSum
                                                                            : &ShareRow::IncomeSum;
    const Participants participants = participantsBy(rows, weight);

    ShareTable result = rows;
    if (participants.count == 1) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (participants.takesPart[i])
                result[i].Share = amount;
    } else if (participants.count > 1) {
        splitByLargestRemainders(result, participants, weight, amount);
    }
    return result;
}

#include "computation/Securities.h"

#include <array>

#include "computation/Summary.h"

namespace {

enum class LossSources { None, One, Several };

// Where an appendix-8 row takes its figures from.
struct OperationSource {
    const char* code;
    Currency income;
    Currency expense;
    Currency expenseUsed;
    Currency deduction2191;
    Currency exempt2193;
    LossSources lossSources;
    std::vector<bmUbRec> losses; // every source, in the order in which losses are used
};

OperationSource groupSource(const char* code, const kTSvodSumPrilJ& sheet, int group, LossSources lossSources,
                            std::vector<bmUbRec> losses)
{
    const OperationGroup& g = sheet.Group(group);
    return {code, g.Income, g.Expense, g.ExpenseUsed, Currency(), g.Exempt, lossSources, std::move(losses)};
}

OperationSource partnershipSource(const char* code, const kTSvodSumPrilI& sheet, int row, const char* lossCode)
{
    const kTSvodSumPrilI::Row& r = sheet.RowOf(row);
    if (lossCode == nullptr)
        return {code, r.Income, r.Expense, r.ExpenseUsed, Currency(), r.Exempt, LossSources::None, {}};
    return {code, r.Income, r.Expense, r.ExpenseUsed, Currency(), r.Exempt, LossSources::One, {{lossCode, r.LossUsed}}};
}

// Only the first instance's group 1 and the partnership's row "02" take the investment
// deduction; the second instance never computes one.
OperationSource withDeduction2191(OperationSource source, Currency deduction)
{
    source.deduction2191 = deduction;
    return source;
}

// The rows of the form in the order in which they are built. Loss codes name the operations
// whose loss is used, or a loss of earlier periods: "15" and "30" declared on income lines,
// "31" and "34" on securities, "32" and "35" on derivatives, "33" and "36" within a partnership;
// the first of each pair outside, the second within investment accounts.
std::vector<OperationSource> operationSources(const kTSvodSum& Svod)
{
    const kTSvodSumPrilJ& a = Svod.PrilJ1;
    const kTSvodSumPrilJ& b = Svod.PrilJ2;
    const kTSvodSumPrilI& p = Svod.PrilI;
    constexpr LossSources several = LossSources::Several;
    constexpr LossSources one = LossSources::One;
    constexpr LossSources none = LossSources::None;

    return {
        withDeduction2191(groupSource("01", a, 1, several,
                                      {{"10", a.Loss7aUsed}, {"12", a.Loss8aUsed}, {"15", a.CarriedLoss1},
                                       {"31", a.PriorSecLossUsed}, {"06", a.Loss4Used1}}),
                          a.Deduction2191),
        groupSource("03", a, 2, one, {{"01", a.Loss1Used2}}),
        groupSource("04", a, 3, several,
                    {{"10", a.Loss7bUsed}, {"12", a.Loss8bUsed}, {"15", a.CarriedLoss3}, {"13", a.PartnershipLossUsed}}),
        groupSource("06", a, 4, several, {{"32", a.PriorDerivLossUsed4}, {"01", a.Loss1Used4}, {"07", a.Loss5Used4}}),
        groupSource("07", a, 5, several, {{"32", a.PriorDerivLossUsed5}, {"06", a.Loss4Used5}}),
        groupSource("08", a, 6, none, {}),
        groupSource("10", a, 7, none, {}),
        groupSource("12", a, 8, none, {}),
        groupSource("16", b, 1, several,
                    {{"25", b.Loss7aUsed}, {"27", b.Loss8aUsed}, {"30", b.CarriedLoss1}, {"34", b.PriorSecLossUsed},
                     {"21", b.Loss4Used1}}),
        groupSource("18", b, 2, one, {{"16", b.Loss1Used2}}),
        groupSource("19", b, 3, several,
                    {{"25", b.Loss7bUsed}, {"27", b.Loss8bUsed}, {"30", b.CarriedLoss3}, {"28", b.PartnershipLossUsed}}),
        groupSource("21", b, 4, several, {{"35", b.PriorDerivLossUsed4}, {"16", b.Loss1Used4}, {"22", b.Loss5Used4}}),
        groupSource("22", b, 5, several, {{"35", b.PriorDerivLossUsed5}, {"21", b.Loss4Used5}}),
        groupSource("23", b, 6, none, {}),
        groupSource("25", b, 7, none, {}),
        groupSource("27", b, 8, none, {}),
        withDeduction2191(partnershipSource("02", p, 2, "33"), p.Deduction2191),
        partnershipSource("05", p, 5, "33"),
        partnershipSource("09", p, 9, "33"),
        partnershipSource("11", p, 11, "33"),
        partnershipSource("14", p, 14, "33"),
        partnershipSource("13", p, 13, nullptr),
        partnershipSource("17", p, 17, "36"),
        partnershipSource("20", p, 20, "36"),
        partnershipSource("24", p, 24, "36"),
        partnershipSource("26", p, 26, "36"),
        partnershipSource("29", p, 29, "36"),
        partnershipSource("28", p, 28, nullptr),
    };
}

void setLossPair(bmPr8Rec& row, int pair, const bmUbRec& loss)
{
    std::array<std::string*, 3> codes{&row.ВидОперУбыт1, &row.ВидОперУбыт2, &row.ВидОперУбыт3};
    std::array<Currency*, 3> amounts{&row.УбытУмДохОпер1, &row.УбытУмДохОпер2, &row.УбытУмДохОпер3};
    *codes[pair] = loss.ВидОперУбыт;
    *amounts[pair] = loss.УбытУмДохОпер;
}

void setLosses(bmPr8Rec& row, const OperationSource& source)
{
    switch (source.lossSources) {
    case LossSources::None:
        return;
    case LossSources::One:
        if (source.losses.front().УбытУмДохОпер > Currency()) {
            row.ПризУчетУбыт = 1;
            setLossPair(row, 0, source.losses.front());
        }
        return;
    case LossSources::Several: {
        Currency sum;
        for (const bmUbRec& loss : source.losses)
            sum += loss.УбытУмДохОпер;
        if (sum <= Currency())
            return;
        row.ПризУчетУбыт = 1;
        for (const bmUbRec& loss : source.losses)
            if (loss.УбытУмДохОпер > Currency())
                row.Losses.push_back(loss);
        for (std::size_t i = 0; i < row.Losses.size() && i < 3; ++i)
            setLossPair(row, static_cast<int>(i), row.Losses[i]);
        return;
    }
    }
}

// A row with more than three losses keeps the first three and the income they and the
// reductions before them cover; a second row of the same code shows the rest of the income
// with the further losses.
bmPr8Rec splitOff(bmPr8Rec& row)
{
    bmPr8Rec rest;
    rest.ВидОпер = row.ВидОпер;
    rest.ПризУчетУбыт = 1;
    setLossPair(rest, 0, row.Losses[3]);
    if (row.Losses.size() > 4)
        setLossPair(rest, 1, row.Losses[4]);

    const Currency covered = row.РасхУмДохОпер + row.ИнвВыч219_1Опер + row.УбытУмДохОпер1 + row.УбытУмДохОпер2
        + row.УбытУмДохОпер3;
    rest.ДохСовОпер = row.ДохСовОпер - covered;
    row.ДохСовОпер = covered;
    return rest;
}

} // namespace

void kTSvodSumPril8::Clear()
{
    *this = kTSvodSumPril8();
}

bool kTSvodSumPril8::Calculate(mTDeclaration&, kTSvodSum& Svod)
{
    Clear();
    for (const OperationSource& source : operationSources(Svod)) {
        if (source.income + source.expense <= Currency())
            continue;
        bmPr8Rec row;
        row.ВидОпер = source.code;
        row.ДохСовОпер = source.income;
        row.РасхРеалЦБ = source.expense;
        row.РасхУмДохОпер = source.expenseUsed;
        row.ИнвВыч219_1Опер = source.deduction2191;
        row.ИнвВыч219_3Опер = source.exempt2193;

        DeductionTotal += source.deduction2191 + source.exempt2193;
        ReductionTotal += source.expenseUsed;
        for (const bmUbRec& loss : source.losses)
            ReductionTotal += loss.УбытУмДохОпер;

        setLosses(row, source);
        if (row.Losses.size() > 3) {
            bmPr8Rec rest = splitOff(row);
            Rows.push_back(std::move(row));
            Rows.push_back(std::move(rest));
        } else {
            Rows.push_back(std::move(row));
        }
    }
    RowCount = static_cast<std::int32_t>(Rows.size());
    return true;
}

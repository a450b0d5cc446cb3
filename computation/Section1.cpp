#include "computation/Section1.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <span>
#include <string_view>

#include "computation/Residency.h"
#include "computation/Summary.h"
#include "computation/TaxArithmetic.h"
#include "computation/TaxBases.h"
#include "computation/TaxYearFigures.h"
#include "model/Declaration.h"
#include "model/Money.h"

namespace {

// Budget classification codes of the rows.
constexpr std::string_view KbkWithheldByAgents = "18210102010011000110";
constexpr std::string_view KbkDeclaredIncome = "18210102030011000110"; // 13 % within the ceiling; fixed rates
constexpr std::string_view KbkKind05 = "18210102050011000110";
constexpr std::string_view KbkKinds14And15 = "18210102060011000110";
constexpr std::string_view KbkKind04 = "18210102070011000110";
constexpr std::string_view KbkBeyondCeiling = "18210102080011000110";
constexpr std::string_view KbkKind06 = "18210102090011000110";
constexpr std::string_view KbkKind05BeyondCeiling = "18210102100011000110";
constexpr std::string_view KbkKind06BeyondCeiling = "18210102110011000110";
constexpr std::string_view KbkLiftTo15 = "18210102120011000110";

// The 13/15 % kinds whose sums to pay and to refund are netted against each other.
constexpr std::initializer_list<int> MainKinds{1, 2, 3, 8, 9, 10, 11, 12, 13, 16};
// The kinds on which payers may have withheld tax at 15 %.
constexpr std::initializer_list<int> KindsWithheldAt15{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 16};
constexpr std::initializer_list<int> FixedRateKinds{17, 18, 19, 20, 21, 22, 23, 24, 25};
// Kinds netted with no other kind: what payers withheld above the kind's tax goes back to the
// kind's own payers.
constexpr std::initializer_list<int> KindsRefundedApart{14, 15, 18};

// Appendix-1 kinds whose payers a refund goes back to, in the order in which they take it.
constexpr std::array<std::string_view, 1> PayersOfKind04{"04"};
constexpr std::array<std::string_view, 8> PayersWithheldAt15{"08", "09", "16", "10", "04", "03", "02", "01"};
// The tax withheld on deposit interest (rows "35") is refunded first, then that of the kind.
constexpr std::array<std::string_view, 2> PayersOfKind19{"35", "19"};
constexpr std::array<std::string_view, 8> PayersWithheldAt13{"08", "09", "16", "10", "17", "03", "02", "01"};

// The part of a sheet's sum to pay that is the 13 % tax on its 13 % part.
Currency thirteenPercentPart(const kTSvodSumRazd2& sheet, Currency payable)
{
    return std::min(TaxAtRate(sheet.НалБаза2_1_224, Rate13), NotBelowZero(payable));
}

// Places one refund under one code on the territory codes of the payers that withheld the tax,
// each payer's row taking at most what it withheld. Payers of one territory code share one
// section-1 row. What no payer can take (a refund that the lift to 15 % or a foreign tax
// credit raised above the tax withheld) goes to the taxpayer's own territory code, so that
// every refund of the total has a row.
class RefundPlacement {
public:
    RefundPlacement(std::vector<bmTList1>& rows, std::string_view kbk, Currency amount)
        : rows_(rows), kbk_(kbk), rest_(amount)
    {
    }

    void takeFrom(const std::string& oktmo, Currency withheld)
    {
        if (rest_ <= Currency() || withheld <= Currency())
            return;
        const Currency taken = std::min(withheld, rest_);
        rowOf(oktmo).ПодлВозв += taken;
        rest_ -= taken;
    }

    void finish(const std::string& taxpayerOktmo) { takeFrom(taxpayerOktmo, rest_); }

private:
    bmTList1& rowOf(const std::string& oktmo)
    {
        const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const bmTList1& row) {
            return row.КБК == kbk_ && row.ОКТМО == oktmo && row.ПодлВозв > Currency();
        });
        if (found != rows_.end())
            return *found;
        return rows_.emplace_back(bmTList1{std::string(kbk_), oktmo, Currency(), Currency()});
    }

    std::vector<bmTList1>& rows_;
    std::string_view kbk_;
    Currency rest_;
};

Currency withheldTax(const bmPril1Rec& row)
{
    return row.НалУдерж;
}

Currency withheldAt15(const bmPril1Rec& row)
{
    return row.WithheldAt15;
}

Currency withheldAt13(const bmPril1Rec& row)
{
    return row.НалУдерж - row.WithheldAt15;
}

} // namespace

void kTSvodSumR1::Clear()
{
    *this = kTSvodSumR1();
}

bool kTSvodSumR1::Calculate(mTDeclaration& Decl, kTSvodSum& Svod)
{
    Clear();
    const auto sheet = [&Svod](int kind) -> const kTSvodSumRazd2& { return Svod.Razd2Sheet(kind); };
    const std::string& taxpayerOktmo = Decl.Person.Address.OKTMO;

    Currency base13;
    std::array<Currency, TaxBaseCount> withheldByBase{};
    Currency simplifiedTax;
    Currency sumPay;
    Currency sumRefund;
    for (int kind : MainKinds) {
        const kTSvodSumRazd2& main = sheet(kind);
        base13 += main.НалБаза2_1_224;
        withheldByBase.at(static_cast<std::size_t>(TaxBaseOfKind(kind))) += main.Удерж;
        simplifiedTax += main.SimplifiedTax;
        sumPay += main.ПодлУпл;
        // The lift to 15 % is paid under a code of its own, so it leaves the sums to pay.
        sumRefund += main.ПодлВозв + main.Extra213;
    }
    // Each base's band holds at most 13 % of 5 000 000 of tax at 13 %: what agents withheld
    // beyond that on one base covers its 15 % part, not the 13 % parts of the others.
    Currency withheldOn13Parts;
    for (const Currency& withheld : withheldByBase)
        withheldOn13Parts += std::min(withheld, ThirteenPercentTaxCeiling);
    // The simplified procedure handed back 13 % of its deductions: that much of what the agents
    // withheld no longer covers the tax.
    const Currency withheldCovering = NotBelowZero(withheldOn13Parts - simplifiedTax);
    Due13 = NotBelowZero(TaxAtRate(base13, Rate13) - withheldCovering);
    PayTotal = NotBelowZero(sumPay - sumRefund);
    RefundTotal = NotBelowZero(sumRefund - sumPay);

    // The refund of kind 04 stands apart from the main kinds': the part that payers withheld
    // at 15 % joins the refund of tax withheld at 15 %, the rest has a code of its own.
    const kTSvodSumRazd2& kind04 = sheet(4);
    const Currency refund04At15 = std::min(NotBelowZero(kind04.СумУдержИст224), kind04.ПодлВозв);
    const Currency refund04 = kind04.ПодлВозв - refund04At15;
    Currency allWithheldAt15;
    for (int kind : KindsWithheldAt15)
        allWithheldAt15 += sheet(kind).СумУдержИст224;
    Currency refundAt15 = NotBelowZero(std::min(RefundTotal + refund04At15, allWithheldAt15));
    const Currency refundAt13 = RefundTotal + refund04At15 - refundAt15 + sheet(17).ПодлВозв;
    Currency lift;
    for (int kind = 1; kind <= 16; ++kind)
        lift += sheet(kind).Extra213;
    // The lift to 15 % is settled against the refund of tax withheld at 15 %.
    const Currency settled = std::min(lift, refundAt15);
    lift -= settled;
    refundAt15 -= settled;

    bool nothingToPay = true;
    const auto pay = [&](std::string_view kbk, Currency amount) {
        if (amount <= Currency())
            return;
        Rows.push_back({std::string(kbk), taxpayerOktmo, amount, Currency()});
        nothingToPay = false;
    };
    pay(KbkLiftTo15, lift);
    const Currency due13Paid = std::min(PayTotal, Due13);
    Currency fixedRateDue;
    for (int kind : FixedRateKinds)
        fixedRateDue += sheet(kind).ПодлУпл;
    pay(KbkDeclaredIncome, due13Paid + fixedRateDue);
    const Currency due14And15 = thirteenPercentPart(sheet(14), sheet(14).ПодлУпл)
        + thirteenPercentPart(sheet(15), sheet(15).ПодлУпл);
    pay(KbkKinds14And15, due14And15);
    // Kind 04's own lift to 15 % is paid with the others'.
    const Currency payable04 = kind04.ПодлУпл - kind04.Extra213;
    const Currency due04 = thirteenPercentPart(kind04, payable04);
    pay(KbkKind04, due04);
    const Currency due05 = thirteenPercentPart(sheet(5), sheet(5).ПодлУпл);
    pay(KbkKind05, due05);
    const Currency due06 = thirteenPercentPart(sheet(6), sheet(6).ПодлУпл);
    pay(KbkKind06, due06);
    pay(KbkBeyondCeiling, PayTotal + payable04 + sheet(14).ПодлУпл + sheet(15).ПодлУпл
                              - (due13Paid + due14And15 + due04));
    pay(KbkKind05BeyondCeiling, sheet(5).ПодлУпл - due05);
    pay(KbkKind06BeyondCeiling, sheet(6).ПодлУпл - due06);

    const Currency refund19 = sheet(19).ПодлВозв;
    Currency refundedApart;
    for (int kind : KindsRefundedApart)
        refundedApart += sheet(kind).ПодлВозв;
    Decl.SectionOneSum = refundAt13 + refundAt15 + refund04 + refund19 + refundedApart;
    const auto placeRefund = [&](std::string_view kbk, Currency amount,
                                 std::span<const std::string_view> payerKinds,
                                 Currency (*withheldOf)(const bmPril1Rec&)) {
        if (amount <= Currency())
            return;
        RefundPlacement placement(Rows, kbk, amount);
        for (std::string_view kind : payerKinds)
            for (const bmPril1Rec& payer : Svod.Pril1.Rows)
                if (payer.ВидДоход == kind)
                    placement.takeFrom(payer.ОКТМО, withheldOf(payer));
        placement.finish(taxpayerOktmo);
    };
    placeRefund(KbkKind04, refund04, PayersOfKind04, withheldTax);
    placeRefund(KbkBeyondCeiling, refundAt15, PayersWithheldAt15, withheldAt15);
    placeRefund(KbkWithheldByAgents, refund19, PayersOfKind19, withheldTax);
    placeRefund(KbkWithheldByAgents, refundAt13, PayersWithheldAt13, withheldAt13);
    for (int kind : KindsRefundedApart) {
        const std::string kindText = TwoDigitText(kind);
        const std::array<std::string_view, 1> payersOfKind{kindText};
        placeRefund(KbkWithheldByAgents, sheet(kind).ПодлВозв, payersOfKind, withheldTax);
    }

    // The form needs at least one row once the declaration has income.
    const bool hasIncome = Decl.HasIncomeKind(IncomeKindSources) || ForeignIncomesCount(Decl);
    if (Rows.empty() && Decl.DeclarationType != DeclarationClosingBusiness && hasIncome) {
        Rows.push_back({std::string(KbkDeclaredIncome), taxpayerOktmo, Currency(), Currency()});
        nothingToPay = false;
    }
    RowCount = static_cast<std::int32_t>(Rows.size());
    return nothingToPay;
}

void kTSvodSumR1_punkt2::Clear()
{
    *this = kTSvodSumR1_punkt2();
}

namespace {

// The step from one period's cumulative advance payment to the next: a rise is payable, a
// fall is a reduction.
void step(Currency before, Currency after, Currency& payable, Currency& reduction)
{
    payable = NotBelowZero(after - before);
    reduction = NotBelowZero(before - after);
}

// A resident's running totals under the two codes: a rise goes to the first code until its
// total reaches the ceiling and to the second beyond; a fall is taken from the second first.
struct ResidentTotals {
    Currency first;
    Currency second;

    void rise(Currency amount, Currency& firstPayable, Currency& secondPayable)
    {
        firstPayable = NotBelowZero(std::min(amount, ThirteenPercentTaxCeiling - first));
        secondPayable = NotBelowZero(amount - firstPayable);
        first += firstPayable;
        second += secondPayable;
    }

    void fall(Currency amount, Currency& firstReduction, Currency& secondReduction)
    {
        secondReduction = NotBelowZero(std::min(amount, second));
        firstReduction = NotBelowZero(amount - secondReduction);
        second -= secondReduction;
        first -= firstReduction;
    }

    void move(Currency before, Currency after, AdvancePaymentsOfCode& firstCode, AdvancePaymentsOfCode& secondCode,
              Currency AdvancePaymentsOfCode::*payable, Currency AdvancePaymentsOfCode::*reduction)
    {
        if (before >= after)
            fall(before - after, firstCode.*reduction, secondCode.*reduction);
        else
            rise(after - before, firstCode.*payable, secondCode.*payable);
    }
};

} // namespace

bool kTSvodSumR1_punkt2::Calculate(mTDeclaration& Decl, kTSvodSum& Svod)
{
    Clear();
    КБК1 = FirstKbk;
    КБК2 = SecondKbk;
    const std::string& taxpayerOktmo = Decl.Person.Address.OKTMO;
    const bool separateCodes = Decl.OKTMOChanged != 0;
    ОКТМО_Кв = separateCodes ? Decl.OKTMO1 : taxpayerOktmo;
    ОКТМО_Пг = separateCodes ? Decl.OKTMO2 : taxpayerOktmo;
    ОКТМО_9м = separateCodes ? Decl.OKTMO3 : taxpayerOktmo;
    ОКТМО_Пер = taxpayerOktmo;

    const Currency quarter = Svod.PrilV1Dop.СумИсчАванс.ЗаКв;
    const Currency halfYear = Svod.PrilV1Dop.СумИсчАванс.ЗаПг;
    const Currency nineMonths = Svod.PrilV1Dop.СумИсчАванс.За9м;
    const Currency year = Svod.PrilV1Dop.YearTax;
    // The year's patent cost and trade levy are set against the tax of the year.
    const Currency yearRise = year - nineMonths - Decl.PatentPayments - Decl.TradeLevy;
    AdvancePaymentsOfCode& first = FirstCodeAdvances;
    AdvancePaymentsOfCode& second = SecondCodeAdvances;

    // A non-resident's 30 % has no part beyond the ceiling: one code takes it all.
    if (!IsResidentDeclaration(Decl)) {
        first.АвПУКв = quarter;
        step(quarter, halfYear, first.HalfYearPayable, first.HalfYearReduction);
        step(halfYear, nineMonths, first.NineMonthsPayable, first.NineMonthsReduction);
        first.YearPayable = NotBelowZero(yearRise);
        first.YearReduction = NotBelowZero(nineMonths - year);
        return true;
    }

    first.АвПУКв = std::min(quarter, ThirteenPercentTaxCeiling);
    second.АвПУКв = NotBelowZero(quarter - ThirteenPercentTaxCeiling);
    ResidentTotals totals{first.АвПУКв, second.АвПУКв};
    totals.move(quarter, halfYear, first, second, &AdvancePaymentsOfCode::HalfYearPayable,
                &AdvancePaymentsOfCode::HalfYearReduction);
    totals.move(halfYear, nineMonths, first, second, &AdvancePaymentsOfCode::NineMonthsPayable,
                &AdvancePaymentsOfCode::NineMonthsReduction);
    if (nineMonths >= year)
        totals.fall(nineMonths - year, first.YearReduction, second.YearReduction);
    else
        totals.rise(yearRise, first.YearPayable, second.YearPayable);
    HasSecondCode = second.АвПУКв + second.HalfYearPayable + second.NineMonthsPayable + second.YearPayable
        > Currency();
    return true;
}

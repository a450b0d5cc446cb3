// Rules that hold for every declaration, checked on small random declarations. The seeds are
// fixed, so every run checks the same declarations; a failure names its seed and what the
// declaration held.
#include "computation/Summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "RandomDeclarations.h"
#include "Section1Checks.h"
#include "SummaryFigures.h"

namespace {

constexpr std::uint32_t DeclarationCount = 400;

void checkInvariants(const kTSvodSum& svod, const mTDeclaration& decl)
{
    EXPECT_EQ(netOfRows(svod.R1), netOfSheets(svod)) << "section 1 settles what section 2 leaves";
    EXPECT_EQ(refundOfRows(svod.R1), decl.SectionOneSum) << "every refund counted has its row";

    for (const Currency& bandRest : svod.RateBandRest) {
        EXPECT_GE(bandRest, Currency());
        EXPECT_LE(bandRest, RateBand);
    }
    EXPECT_GE(svod.DeclaredPool, Currency());
    EXPECT_GE(svod.AgentPool, Currency());
    EXPECT_GE(svod.SimplifiedPool, Currency());

    // Each tax base has a band of its own: its 13 % part is its total up to 5 000 000, and
    // only a base whose own total passes 5 000 000 has a 15 % part.
    std::array<Currency, TaxBaseCount> baseTotal{}, part13{}, part15{};
    for (int kind = 1; kind <= 16; ++kind) {
        const kTSvodSumRazd2& sheet = svod.Razd2Sheet(kind);
        if (sheet.СумИное != Currency())
            continue; // a business taxed at the non-resident's fixed rate
        const auto base = static_cast<std::size_t>(TaxBaseOfKind(kind));
        baseTotal[base] += sheet.НалБаза;
        part13[base] += sheet.НалБаза2_1_224;
        part15[base] += sheet.НалБаза3_1_224;
    }
    for (std::size_t base = 0; base < TaxBaseCount; ++base) {
        EXPECT_EQ(part13[base], std::min(baseTotal[base], RateBand)) << "13 % part of base " << base;
        EXPECT_EQ(part15[base], baseTotal[base] - part13[base]) << "15 % part of base " << base;
    }

    for (const kTSvodSumRazd2& sheet : svod.Razd2) {
        EXPECT_GE(sheet.Исчисл, Currency()) << "kind " << sheet.ВидДоход;
        EXPECT_GE(sheet.ПодлУпл, Currency()) << "kind " << sheet.ВидДоход;
        EXPECT_GE(sheet.ПодлВозв, Currency()) << "kind " << sheet.ВидДоход;
    }

    std::map<std::string, Currency> refundOfRow;
    for (const bmTList1& row : svod.R1.Rows) {
        EXPECT_GE(row.ПодлУпл, Currency());
        EXPECT_GE(row.ПодлВозв, Currency());
        EXPECT_TRUE(row.ПодлУпл == Currency() || row.ПодлВозв == Currency()) << ::testing::PrintToString(row);
        if (row.ПодлВозв > Currency()) {
            EXPECT_TRUE(refundOfRow.emplace(row.КБК + "/" + row.ОКТМО, row.ПодлВозв).second)
                << "one refund row per code and territory: " << ::testing::PrintToString(row);
        }
        if (row.ПодлУпл == Currency() && row.ПодлВозв == Currency()) {
            EXPECT_EQ(svod.R1.Rows.size(), 1u) << "an empty row only stands alone";
        }
    }

    // The applications never spend more than a row refunds.
    std::map<std::string, Currency> applied;
    for (const bmTRecord1_ZachNalog& offset : svod.KudaTratit.Offsets) {
        EXPECT_EQ(offset.PaymentCount, static_cast<std::int32_t>(offset.Payments.size()));
        for (const bmTRecord1_PlNalog& payment : offset.Payments) {
            EXPECT_GT(payment.Сумма, Currency());
            applied[offset.КБК + "/" + offset.ОКТМО] += payment.Сумма;
        }
    }
    for (const bmTRecord1_Bank& refund : svod.KudaTratit.Refunds) {
        EXPECT_GT(refund.Сумма, Currency());
        applied[refund.КБК + "/" + refund.ОКТМО] += refund.Сумма;
    }
    for (const auto& [row, amount] : applied)
        EXPECT_LE(amount, refundOfRow[row]) << "applications of row " << row;
}

TEST(Invariants, HoldForRandomDeclarations)
{
    // Declarations in which payers withheld more than the tax of kinds 14, 15 and 18, whose
    // refunds stand apart from the other kinds'.
    std::map<int, int> refundedApart{{14, 0}, {15, 0}, {18, 0}};
    for (std::uint32_t seed = 1; seed <= DeclarationCount; ++seed) {
        mTDeclaration decl;
        DeclarationGenerator generator(seed);
        generator.fill(decl);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + generator.log());

        auto svod = std::make_unique<kTSvodSum>();
        const bool first = svod->Calculate(decl);
        checkInvariants(*svod, decl);
        for (auto& [kind, declarations] : refundedApart)
            declarations += svod->Razd2Sheet(kind).ПодлВозв > Currency() ? 1 : 0;
        const SummaryFigures once = figuresOf(first, *svod, decl);
        const bool second = svod->Calculate(decl);
        EXPECT_TRUE(figuresOf(second, *svod, decl) == once) << "a second run of one summary repeats the figures";

        if (::testing::Test::HasFailure())
            return; // one declaration's report is enough
    }
    for (const auto& [kind, declarations] : refundedApart)
        EXPECT_GT(declarations, 0) << "no declaration refunds tax withheld on kind " << kind;
}

} // namespace

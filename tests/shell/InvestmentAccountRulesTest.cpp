#include "pages/deductions/InvestmentAccountRules.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "pages/deductions/FrameCB.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/shell/PageAndWholeCheck.h"

namespace {

struct InvestmentCase {
    const char* name;
    std::function<void(mTDeclaration&)> spoil;
    const char* message; // what both checks find; nullptr: both pass
};

constexpr Currency OneKopeck = Currency::fromUnits(Currency::UnitsPerRouble / 100);

const char* const OverLimit =
    "Общая сумма денежных средств на ИИС, заявляемая к вычету не может превосходить 400 000 рублей";

// The contributions of the claimed accounts count up to 400 000 roubles together.
const InvestmentCase investmentCases[] = {
    {"one account at the limit", [](mTDeclaration& d) { addInvestmentAccount(d, roubles(400'000)); }, nullptr},
    {"two accounts at the limit together",
     [](mTDeclaration& d) {
         addInvestmentAccount(d, roubles(300'000));
         addInvestmentAccount(d, roubles(100'000));
     },
     nullptr},
    {"two accounts a kopeck above together",
     [](mTDeclaration& d) {
         addInvestmentAccount(d, roubles(300'000));
         addInvestmentAccount(d, roubles(100'000) + OneKopeck);
     },
     OverLimit},
    {"above the limit, the deduction not claimed",
     [](mTDeclaration& d) {
         addInvestmentAccount(d, roubles(500'000));
         d.InvDeduct.Granted = 0;
     },
     nullptr},
};

TEST(InvestmentAccountRules, ThePageAndTheWholeCheckFindTheSame)
{
    for (const InvestmentCase& test : investmentCases) {
        SCOPED_TRACE(test.name);
        std::vector<QString> skipped;
        expectFinding(pageFinding<TfrCB>(spoiltDeclaration(test.spoil), 0, skipped), test.message,
                      TfrCB::AccountsOverLimit);
        expectFinding(wholeCheckFinding(spoiltDeclaration(test.spoil), CheckInvestment), test.message,
                      TfrCB::AccountsOverLimit);
    }
}

} // namespace

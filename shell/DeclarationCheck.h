#pragma once

#include <cstdint>

class QWidget;
class mTDeclaration;

// The blocks of the whole-declaration check; each names the page that shows what it checks.
enum CheckSection : std::uint16_t {
    CheckConditions = 1,  // conditions and the place of residence
    CheckDeclarant = 2,
    CheckIncome13 = 4,    // income in the Russian Federation, the 13 % lines and the sources
    CheckIncome15 = 5,    // the 15 % lines
    CheckForeign = 7,
    CheckBusiness = 8,
    CheckStandard = 9,
    CheckSocial = 10,
    CheckSimplifiedProperty = 11, // property deductions of the simplified procedure
    CheckApplications = 12,       // the offset and refund applications
    CheckInvestment = 14,
    CheckSourceOktmo = 77, // a source's OKTMO, corrected in the source's own dialog
};

// Element of a rule the user did not choose to correct.
inline constexpr std::uint16_t CheckCancelled = 0xFFFF;

struct TCheckAllResult {
    // The block that ran last.
    std::uint16_t Section = 0;
    // 0: nothing to correct; CheckCancelled; otherwise the element code, or the 1-based item,
    // that the section's page is to focus.
    std::uint16_t Element = 0;
};

// Runs the whole-declaration check: one fixed list of rules, each failure shown in one
// TfmCheckAllError owned by `owner`. The first failure ends the check, except in the first
// block, whose rules all run while the user cancels; a finding that leaves the declaration right
// to file (a non-resident's foreign incomes, which the computation leaves out) may be passed by.
// A check that passes ends with the offer to dispose of a computed refund in the declaration,
// which adds the application kind when accepted.
//
// The declaration is computed once, which stores its refund (SectionOneSum); an exception of
// the computation is passed on.
TCheckAllResult checkWholeDeclaration(QWidget* owner, mTDeclaration& declaration);

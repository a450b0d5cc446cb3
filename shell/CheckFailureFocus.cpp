#include "shell/CheckFailureFocus.h"

#include "controls/SectionFocus.h"
#include "controls/ThinkingFrame.h"

void focusCheckFailure(TThinkingFrame& page, const TCheckAllResult& failure)
{
    switch (failure.Section) {
    case CheckIncome13:
    case CheckIncome15:
    case CheckSourceOktmo:
        // Frames 0 and 1 are the 13 % and 15 % lines, 73 the dialog of the source.
        if (auto* income = dynamic_cast<RateFramesPage*>(&page))
            income->ShowRateFrame(failure.Section - CheckIncome13, failure.Element);
        return;
    case CheckStandard:
    case CheckSocial:
    case CheckSimplifiedProperty:
    case CheckInvestment:
        // Inner pages 0 standard, 1 social, 2 property, 5 investment.
        if (auto* deductions = dynamic_cast<DeductPagesHost*>(&page))
            deductions->ShowDeductPage(failure.Section - CheckStandard, failure.Element);
        return;
    default:
        page.FocusError(failure.Element);
    }
}

#include "shell/CheckFailureFocus.h"

#include <string>

#include <gtest/gtest.h>

#include "controls/SectionFocus.h"
#include "controls/ThinkingFrame.h"

namespace {

// Records what the check asked of it, as "FocusError 3", "ShowRateFrame 73 2" and the like.
class RecordingPage : public TThinkingFrame {
public:
    explicit RecordingPage(DeclarationSlot& declaration) : TThinkingFrame(nullptr, declaration) {}

    void SaveData() override {}
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t code) override { asked = "FocusError " + std::to_string(code); }

    std::string asked;
};

class IncomePage : public RecordingPage, public RateFramesPage {
public:
    using RecordingPage::RecordingPage;
    void ShowRateFrame(int frame, std::uint16_t element) override
    {
        asked = "ShowRateFrame " + std::to_string(frame) + ' ' + std::to_string(element);
    }
};

class DeductionsPage : public RecordingPage, public DeductPagesHost {
public:
    using RecordingPage::RecordingPage;
    void ShowDeductPage(int page, std::uint16_t element) override
    {
        asked = "ShowDeductPage " + std::to_string(page) + ' ' + std::to_string(element);
    }
};

TEST(CheckFailureFocus, EachSectionReachesItsElementThroughItsPage)
{
    DeclarationSlot declaration = std::make_unique<mTDeclaration>();
    RecordingPage plain(declaration);
    IncomePage income(declaration);
    DeductionsPage deductions(declaration);
    const struct {
        std::uint16_t section;
        RecordingPage* page;
        const char* asked;
    } cases[] = {
        {CheckConditions, &plain, "FocusError 2"},
        {CheckDeclarant, &plain, "FocusError 2"},
        {CheckIncome13, &income, "ShowRateFrame 0 2"},
        {CheckIncome15, &income, "ShowRateFrame 1 2"},
        {CheckSourceOktmo, &income, "ShowRateFrame 73 2"},
        {CheckForeign, &plain, "FocusError 2"},
        {CheckBusiness, &plain, "FocusError 2"},
        {CheckStandard, &deductions, "ShowDeductPage 0 2"},
        {CheckSocial, &deductions, "ShowDeductPage 1 2"},
        {CheckSimplifiedProperty, &deductions, "ShowDeductPage 2 2"},
        {CheckInvestment, &deductions, "ShowDeductPage 5 2"},
        {CheckApplications, &plain, "FocusError 2"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.section);
        test.page->asked.clear();
        focusCheckFailure(*test.page, TCheckAllResult{test.section, 2});
        EXPECT_EQ(test.page->asked, test.asked);
    }
}

// Until the income and deduction pages exist, their sections show a page without inner frames.
TEST(CheckFailureFocus, APageWithoutInnerFramesIsLeftAsItIs)
{
    DeclarationSlot declaration = std::make_unique<mTDeclaration>();
    RecordingPage plain(declaration);
    for (const std::uint16_t section : {CheckIncome13, CheckSourceOktmo, CheckSocial, CheckInvestment}) {
        focusCheckFailure(plain, TCheckAllResult{section, 1});
        EXPECT_EQ(plain.asked, "") << section;
    }
}

} // namespace

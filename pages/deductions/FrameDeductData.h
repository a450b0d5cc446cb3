#pragma once

#include <memory>

#include "controls/SectionFocus.h"
#include "controls/ThinkingFrame.h"

class QFrame;
class TFlashButton;
class TPageHost;
enum class DeductPage;

// The deductions section: a strip of four tabs over one page of deductions at a time. The page
// protocol goes on to the page shown; switching tabs leaves that page by the same rule as the
// main window leaves its pages: it saves, is checked, and stays, focused, while its check fails.
// A declaration that closes an entrepreneur's business has the standard deductions only.
class TfrFrameDeductData : public TThinkingFrame, public DeductPagesHost {
    Q_OBJECT

public:
    TfrFrameDeductData(QWidget* owner, DeclarationSlot& declaration);
    ~TfrFrameDeductData() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusError(std::uint16_t code) override;

    // Shows the page of a number (0 standard, 1 social, 5 investment, any other the property
    // page), without asking the page shown before, and focuses the element on it.
    void ShowDeductPage(int page, std::uint16_t element) override;

    // The page shown; never nullptr.
    TThinkingFrame* currentPage() const;
    // The tab of the page shown.
    TFlashButton* currentButton() const { return FCurrentButton; }

    QFrame* pnlDeductData;
    TFlashButton* fbConstructionDeduct;
    TFlashButton* fbPensDeduct;
    TFlashButton* fbStandartDeduct;
    TFlashButton* fbCB;
    QWidget* PnlFormContainer;

private:
    TFlashButton* tabOf(DeductPage page) const;
    void tabClicked(DeductPage page);
    // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous tab that is enabled, past the last the first.
    void switchTabBy(int step);
    void showPage(DeductPage page);

    std::unique_ptr<TPageHost> pages_;
    TFlashButton* FCurrentButton = nullptr;
};

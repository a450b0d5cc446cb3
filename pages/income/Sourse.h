#pragma once

#include <cstdint>

#include "controls/SectionFocus.h"
#include "controls/ThinkingFrame.h"
#include "pages/income/RateLines.h"

class QFrame;
class QGroupBox;
class QLabel;
class QTreeWidget;
class QWidget;
class TFlashButton;
class TMaskedEdit;
class mbTSourse;

// Income received in Russia from payment sources. The list holds the declaration's sources; the
// selected one shows its income lines at one kind of rate in a nested frame, chosen by the rate
// buttons, and the deductions it granted as tax agent. Without a selected source the frame is
// empty and nothing can be added to it. Sources, lines and deductions are written into the
// declaration as they are confirmed; the frame's sums and the foreigner's advance payments by
// SaveData.
class TfrSourse : public TThinkingFrame, public RateFramesPage {
    Q_OBJECT

public:
    TfrSourse(QWidget* owner, DeclarationSlot& declaration);
    ~TfrSourse() override;

    void SaveData() override;
    // The sources are checked by the whole-declaration check.
    std::uint16_t CheckData() override { return 0; }
    void focusFirst() override;
    // Selects the source the code numbers (1-based).
    void FocusError(std::uint16_t code) override;
    // Selects the source numbered `element` and shows its lines of a kind: 0 and above 70 the
    // 13 % lines, 1 the 15 % lines, 2 to 70 the other rates; above 70 the source's requisites
    // dialog opens too. A number no source has does nothing.
    void ShowRateFrame(int frame, std::uint16_t element) override;

    // The frame's editing, the rate buttons and the deduction buttons: a source is selected,
    // and an investment partnership grants no deductions.
    void SetSourceEditable(bool editable, bool isIT);

    // The frame shown; never nullptr.
    TfrRateLines* rateFrame() const { return FRateFrame; }
    // The selected source; -1 when none is.
    int sourceIndex() const { return FSourceIndex; }

    QFrame* pnlPersonData;
    TFlashButton* fb13;
    TFlashButton* fb15;
    TFlashButton* fbOther;
    QTreeWidget* lvSourseIncomeInfo;
    TFlashButton* fbAddSourseIncome;
    TFlashButton* fbDeleteSourseIncome;
    TFlashButton* fbEditSourseIncome;
    QGroupBox* gbStSocImVych;
    QLabel* gbStSocImVychCaption; // the group's title, which wraps
    QTreeWidget* lvDeduct;
    TFlashButton* fbAddSSC;
    TFlashButton* fbRemoveSSC;
    TFlashButton* fbEditSSC;
    QGroupBox* GroupBox1;
    QLabel* GroupBox1Caption; // names the rate of the frame shown
    QWidget* PnlFormContainer;
    QGroupBox* gbA25;
    QLabel* lbA25;
    TMaskedEdit* meA25;

private:
    bool isNonResident() const;
    mbTSourse& source(int index) const;
    int sourceCount() const;

    void createControls();
    void layOutControls();
    void connectHandlers();
    void listSources();
    void listDeductions();

    // Replaces the frame by one of `lines` for the selected source, without storing the old
    // one's sums.
    void showFrame(RateLines lines);
    TFlashButton* rateButton(RateLines lines) const;
    void rateButtonClick(RateLines lines);
    void updateSourceButtons();
    void updateDeductButtons();

    void sourceSelectionChanged();
    void fbAddSourseIncomeClick();
    void fbDeleteSourseIncomeClick();
    void fbEditSourseIncomeClick();

    void deductSelectionChanged();
    void fbAddSSCClick();
    void fbRemoveSSCClick();
    void fbEditSSCClick();

    TfrRateLines* FRateFrame = nullptr;
    int FSourceIndex = -1;
    // The selected employer deduction; -1 when none is.
    int FDeductIndex = -1;
    // Set while a row is removed, whose selection events are no choice of the user's.
    bool FDeleting = false;
    bool FDeletingDeduct = false;
    // The deduction buttons follow the source: an investment partnership grants none.
    bool FDeductsAllowed = false;
};

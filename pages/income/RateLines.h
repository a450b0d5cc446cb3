#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QString>

#include "controls/ThinkingFrame.h"
#include "model/Currency.h"
#include "model/OwnedList.h"

class QGroupBox;
class QLabel;
class QTreeWidget;
class QWidget;
class TFlashButton;
class TMaskedEdit;
class TfmInput13Income;
class mbTSourse;
struct mTIncome;

// Which of a payment source's income lists a rate frame shows.
enum class RateLines : std::uint8_t {
    Rate13, // the 13 % lines
    Rate15, // the 15 % lines
    Other,  // every other rate; a non-resident's 30 % lines
};

// The income lines of one payment source at one kind of rate, nested in the payment sources
// page: the lines are added, edited, removed and copied through the income line dialog, and the
// source's withheld tax is typed here.
class TfrRateLines : public TThinkingFrame {
    Q_OBJECT

public:
    // A frame for the source at `sourceIndex` of the declaration; -1: no source, the frame is
    // empty and edits nothing. The frame shows the source's lines and total at once.
    TfrRateLines(RateLines lines, QWidget* owner, DeclarationSlot& declaration, int sourceIndex);
    ~TfrRateLines() override;

    RateLines lines() const { return lines_; }
    int sourceIndex() const { return sourceIndex_; }

    // The caption of the page's group that holds the frame, by the declaration's type.
    static QString groupCaption(RateLines lines, std::uint8_t declarationType);

    // Writes the withheld tax (and the organisation's profit tax) into the source.
    void SaveData() override;
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t) override {}
    void SetEditable(bool value) override;

    QWidget* pnlIncomeButton;
    TFlashButton* fbAddIncome;
    TFlashButton* fbRemoveIncome;
    TFlashButton* fbEditIncome;
    TFlashButton* fbCopy; // hidden at other rates, whose lines are not copied
    QTreeWidget* lvIncome;
    QGroupBox* gbResult;
    QLabel* lbItogIncomeSum;
    QLabel* pnlItogIncomeSum; // the source's total income at this rate
    QLabel* lbHoldSum;
    TMaskedEdit* meHoldSum; // whole roubles; a resident's other-rate lines carry their own
    // The organisation's profit tax, shown while a line is a dividend (never at other rates).
    QWidget* pnlPribOrg;
    QLabel* lbPribOrg;
    TMaskedEdit* mePribOrg; // whole roubles

private:
    bool resident() const;
    // The source shown; nullptr when there is none.
    mbTSourse* source() const;
    OwnedList<mTIncome>& incomeLines() const;
    Currency& withheldTax() const;
    // nullptr at other rates.
    Currency* profitTax() const;
    // Throws std::overflow_error when the lines add up beyond the range of an amount.
    Currency total() const;

    void createControls();
    void layOutControls();
    void connectHandlers();
    void showSource();
    void showTotal();
    void applyDividendRule();
    void appendRow(const mTIncome& line);
    // A new income line dialog of this frame's rate.
    std::unique_ptr<TfmInput13Income> lineDialog();

    void fbAddIncomeClick();
    void EditIncome();
    void fbRemoveIncomeClick();
    void fbCopyClick();

    RateLines lines_;
    int sourceIndex_;
    bool editable_ = true;
    // Enables the buttons of the selected line as the selection and editable_ allow.
    std::function<void()> updateLineButtons_;
};

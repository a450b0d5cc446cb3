#pragma once

#include <cstdint>
#include <optional>

#include "computation/IncomeLineRules.h"
#include "controls/ThinkingFrame.h"
#include "pages/income/CurrencyRates.h"
#include "pages/income/CurrencyRules.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QWidget;
class TDtpPanel;
class TFlashButton;
class TMaskedDocEdit;
class TMaskedEdit;
struct ReferenceElement;

// Incomes received abroad in a foreign currency. The list holds one row per income, named after
// its payment source; the selected income is edited below it: its dates, its currency with the
// rates on the income date and on the tax-payment date (taken from the currency rate directory
// while the automatic box is checked, else typed), the income and its deduction, the tax paid
// abroad and a controlled foreign company's data. The open income is stored when another row is
// selected and by SaveData; adding, copying and deleting write into the declaration at once.
// While a typed date of the open income is no date, another row, adding and copying are refused.
class TfrCurrency : public TThinkingFrame {
    Q_OBJECT

public:
    TfrCurrency(QWidget* owner, DeclarationSlot& declaration);
    ~TfrCurrency() override;

    void SaveData() override;
    // The element code is the 1-based number of the income.
    std::uint16_t CheckData() override;
    std::uint16_t refuseWrongTypedDates() override;
    // Selects the income the code numbers and puts the focus where its rule failed.
    void focusFirst() override;
    void FocusError(std::uint16_t code) override;

    TFlashButton* fbAddSourseIncome;
    TFlashButton* fbDeleteSourseIncome;
    TFlashButton* fbEditSourseIncome;
    TFlashButton* fbCopy;
    QTreeWidget* lvSourseIncomeInfo;

    QGroupBox* gbSourseInfo;
    QLabel* lbIncomeGetDate;
    TDtpPanel* dtIncomeGetDate;
    QLabel* lbSubtractDate;
    TDtpPanel* dtSubtractDate;
    QLabel* lbCurrencyCode;
    TMaskedEdit* meCurrencyCode;
    QPushButton* bnCurrencyCode;
    TMaskedEdit* meCurrencyName;
    QCheckBox* chbAutoExchange;
    QLabel* lbCurrency;
    TMaskedEdit* meCurrencyUnits;
    QLabel* lbUnitsFor;
    QLabel* lbUnitsName;
    TMaskedEdit* meCurrencyExchange;
    QLabel* lbRoubles;
    TMaskedEdit* meCurrencyUnits2;
    QLabel* lbUnitsFor2;
    QLabel* lbUnitsName2;
    TMaskedEdit* meCurrencyExchange2;
    QLabel* lbRoubles2;

    QGroupBox* gbIncome;
    QLabel* lbIncomeCod;
    QLabel* pnlIncomeCod;
    QPushButton* bnIncomeCod;
    QLabel* lbIncomeCurrencySum;
    TMaskedEdit* meIncomeCurrencySum;
    QLabel* lbIncomeRublSum;
    QLabel* pnlIncomeRublSum;

    QGroupBox* gbDiscount;
    QLabel* lbSubtractCod;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    QLabel* lbSubtractSum;
    TMaskedEdit* meSubtractSum;
    QLabel* lbSubtractRoubles;

    QGroupBox* gbTax;
    QLabel* lbTaxCurrencySum;
    TMaskedEdit* meTaxCurrencySum;
    QLabel* lbTaxRoubleSum;
    QLabel* pnlTaxRoubleSum;

    QGroupBox* gbApp;
    QLabel* lbKIKNum;
    TMaskedDocEdit* meKIKNum;
    QLabel* lbProfitOrder;
    QRadioButton* rb1;
    QRadioButton* rb2;
    QLabel* lb150;
    TMaskedEdit* me150;

private:
    mTCurrencyIncome& income(int index) const;
    int incomeCount() const;
    bool isFixedProfit(int index) const;

    void createControls();
    void layOutControls();
    void connectHandlers();

    // The open income: the fields into the model, the model into the fields.
    void storeIncome();
    void showIncome(int index);
    void showIncomeCode(const mTCurrencyIncome& shown);
    // No income open: every field empty and disabled.
    void clearDetail();
    void SetDetailEnabled(bool enabled);
    void SetKIKControls(CompanyFields fields);
    void setRateEditsEnabled(bool enabled);
    void setDeductionControls(bool codeOn, bool sumVisible, bool sumOn);
    void lockForFixedProfit(bool locked);
    void updateListButtons();

    // The rate directory's document element; nullptr without the directory.
    const ReferenceElement* ratesRoot() const;
    void FindCurrency(const QString& code);
    std::optional<CurrencyRate> FindRateForDate(double dayCount) const;
    // After the user changed the currency or a date: the automatic box follows what the
    // directory holds, and the rates of the dates named are filled from it or left to type.
    void takeDirectoryRates(bool incomeDate, bool taxDate);
    DeductionRule deductionRule() const;
    // The rouble values of the amounts at the rates the fields hold; nullopt beyond the range.
    std::optional<Currency> typedIncomeRoubles() const;
    std::optional<Currency> typedTaxRoubles() const;

    bool holdsWrongTypedDate() const;
    // The date field of the open income whose typed text is no date, after the check that
    // reports it; nullptr when both dates are taken.
    TDtpPanel* wrongTypedDate();
    // Refuses leaving the open income while one of its typed dates is no date: the income stays
    // selected with the text as typed, and the field to correct gets the focus.
    bool keepsOpenIncome();

    void selectionChanged();
    void fbAddSourseIncomeClick();
    void EditSource();
    void fbDeleteSourseIncomeClick();
    void fbCopyClick();
    void bnCurrencyCodeClick();
    void meCurrencyCodeChange();
    void chbAutoExchangeClick();
    void incomeRoublesChange();
    void taxRoublesChange();
    void bnIncomeCodClick();
    void bnSubtractCodClick();

    // The income shown in the fields; -1 when none is.
    int FOpenIndex = -1;
    // The date field of the open income the page's check refused, for FocusError.
    TDtpPanel* FFixDate = nullptr;
    // Set while the fields are being filled from the model, and while the program moves the
    // selection itself (a row removed, the open income kept): what the program writes then is
    // no edit of the user's.
    bool FFilling = false;
    bool FSelecting = false;
    // Another row was selected while a typed date of the open income is no date; the refusal
    // is on its way.
    bool FKeepingPending = false;
    // The open income's rates are to come from the directory whenever it has them for both
    // dates: the user's choice, or a new income's start. A box locked for want of rates keeps it.
    bool FWantsAutoRate = false;
    // The currency of the directory the code names; nullptr when there is none.
    const ReferenceElement* FCurrency = nullptr;

    // The open income's entries of the dictionary.
    QString FIncomeName;
    std::uint16_t FPercent = 0;
    Currency FMaxSum;
    bool FHasDeductions = false;
    bool FEquivalent = false;

    // The rule the page's check last asked to fix, for FocusError: the income's number and rule.
    std::optional<std::pair<std::uint16_t, CurrencyIncomeRule>> FFixRule;
};

#pragma once

#include <cstdint>

#include <QString>

#include "computation/IncomeLineRules.h"
#include "controls/ConfirmDialog.h"
#include "model/Currency.h"
#include "pages/income/IncomeDict.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QWidget;
class TMaskedEdit;
struct mTIncome;

// One income line of a payment source: the income code chosen from the dictionary, the amount,
// the deduction the income allows, the month, the details of a sale of real estate and, for
// other-rate lines, the tax withheld. The deduction follows the dictionary's rules while the
// user types; "Да" and Enter check the line first. The rate frames read the result through the
// accessors.
class TfmInput13Income : public TConfirmDialog {
    Q_OBJECT

public:
    // Controls a failed check puts the focus on.
    enum Element : std::uint16_t {
        IncomeCodeElement = 1, // opens the income picker
        IncomeSumElement = 2,
        DeductCodeElement = 3, // opens the deduction picker
        DeductSumElement = 4,
        WithheldTaxElement = 5,
    };

    // `rate`: "13", "15", "100" (a resident's other rates) or "30" (a non-resident's other rates).
    // The month is asked at 13 % and 15 % only, and of a resident only; the tax withheld on the
    // line at a resident's other rates only.
    TfmInput13Income(QWidget* owner, const QString& rate, bool resident, bool investmentPartnership,
                     const IncomeDict& dictionary = IncomeDict::builtIn());

    // Shows a stored line for editing.
    void showLine(const mTIncome& line);

    // The values after "Да"; empty fields read as 0 (the month as 1).
    std::int32_t GetIncomeCode() const;
    Currency GetIncomeSum() const;
    std::int32_t GetDeductCode() const;
    Currency GetDeductSum() const;
    // The share of the income the deduction is; 0 when none.
    std::uint16_t GetDeductPercent() const { return FDeductPercent; }
    std::uint16_t GetMonth() const;
    Currency GetWithheldTax() const;
    // The sale details count only for a sale of real estate whose cadastral value counts.
    bool GetAcquiredAfter2016() const;
    QString GetCadastralNumber() const;
    Currency GetCadastralValue() const;
    Currency GetPrice() const;

    // Whether the line's month is asked: of a resident, at 13 % and 15 %.
    bool asksMonth() const;

    // What choosing in the pickers does: a new income code keeps what was typed and drops only a
    // deduction the new income does not allow, saying so; a deduction the chosen income allows
    // sets the rule of the deduction sum.
    void chooseIncomeCode(const QString& code);
    void chooseDeductCode(const QString& code);

    // The check of "Да": 0 when the line may be taken, else the element to fix.
    std::uint16_t checkLine();

    QGroupBox* GroupBox1;
    QWidget* Panel1;
    QLabel* lbIncomeCod;
    QLabel* pnlIncomeCod;
    QPushButton* bnIncomeCod;
    // The chosen income's name, or what is wrong with a code the dictionary does not hold.
    QLabel* lbIncomeName;
    QLabel* lbIncomeSum;
    TMaskedEdit* meIncomeSum;
    QWidget* Panel2;
    QCheckBox* cbNeenPrilA;
    QLabel* lbKSum;
    TMaskedEdit* meKSum;
    QLabel* lbKNum;
    TMaskedEdit* meKNum;
    QLabel* lbPrice;
    TMaskedEdit* mePrice;
    QWidget* Panel3;
    QLabel* lbSubtractCod;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    // Says which deduction a change of the income code took away; hidden while there is none.
    QLabel* lbDeductNote;
    QLabel* lbSubtractSum;
    TMaskedEdit* meSubtractSum;
    QLabel* lbPropSale;
    TMaskedEdit* mePropSale;
    QLabel* lbHoldSum;
    TMaskedEdit* meHoldSum;

protected:
    void confirm() override;

private:
    void createControls();
    void layOutControls();
    void connectHandlers();

    void bnIncomeCodClick();
    void bnSubtractCodClick();
    void meIncomeSumChange();
    void meSubtractSumChange();
    void mePropSaleChange();
    void cbNeenPrilAClick(bool checked);
    void saleFigureChange();

    // The income of the code shown; nullptr when none is chosen or the dictionary lacks it.
    const DictionaryIncome* chosenIncome() const;
    void showStoredDeduction(const mTIncome& line, const DictionaryIncome* income);
    // The deduction chosen or stored: its attributes rule the deduction sum from now on.
    void takeDeduction(const DictionaryDeduction& deduction);
    void resetDeduction();
    void setDeductionControlsEnabled(bool enabled);
    void showFixedDeduction();
    void showSaleDetails(bool shown);
    void setDeductionText(Currency sum);
    // Takes on the deduction chosen for the previous income when the new one allows it too.
    void keepDeduction(const QString& code, const QString& typedSum, const DictionaryIncome* income);
    void showDeductNote(const QString& note);
    // Other rates have no month field at all.
    bool asksMonthField() const;
    bool saleDetailsCount() const;
    DeductionRule deductionRule() const;
    QString checkSection() const;

    const IncomeDict& dictionary_;
    QString FRate;
    bool FResident;
    bool FIsIT;
    bool FHasDeductions = false;
    bool FDeductEnabled = false;
    bool FDeductEquivalent = false;
    Currency FDeductMaxSum;
    std::uint16_t FDeductPercent = 0;
    // Set while the dialog fills its fields, which the typing rules then leave as they are.
    bool filling_ = false;
};

#pragma once

#include <cstdint>

#include "controls/ConfirmDialog.h"
#include "model/Currency.h"

class QLabel;
class QPushButton;
class TMaskedEdit;

// One standard, social or property deduction that a payment source granted as tax agent: its
// code, chosen among the deductions of the total income "0000", and its sum, which never exceeds
// the most the law allows for the code.
class TfmInputSSCDeduct : public TConfirmDialog {
    Q_OBJECT

public:
    // No deduction chosen yet.
    explicit TfmInputSSCDeduct(QWidget* owner);
    // Shows a deduction granted before. A code the dictionary does not know is shown as none.
    TfmInputSSCDeduct(QWidget* owner, Currency sum, std::int32_t code);

    // The chosen code; 0 when none is.
    std::int32_t GetCode() const;
    // The sum shown; 0 when the field is empty.
    Currency GetSum() const;
    // The most the chosen deduction may be; 0: no bound.
    Currency maxSum() const { return FMaxSum; }

    // What choosing in the picker does: the code is shown and its bound applies; the sum of
    // another deduction is no sum of this one, so a new code empties it. A code the dictionary
    // does not offer is ignored.
    void chooseCode(std::int32_t code);

    QLabel* lbSubtractCod;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    QLabel* lbSubtractSum;
    TMaskedEdit* meSubtractSum;

private:
    void showCode(std::int32_t code, Currency maxSum);
    void clearCode();
    void bnSubtractCodClick();
    void sumEdited();

    Currency FMaxSum;
};

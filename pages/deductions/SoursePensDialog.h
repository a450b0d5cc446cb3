#pragma once

#include <cstdint>

#include "pages/deductions/ItemDialog.h"

class QGroupBox;
class QLabel;
class QRadioButton;
class TDtpPanel;
class TMaskedEdit;
class mTPens;

// One pension or insurance contract of the social deductions: its kind, the organisation or
// fund, the contract and the sum paid in. Additional contributions to the funded pension (kind 4)
// have no organisation, number or date.
class TfmInputSoursePens : public TItemDialog {
    Q_OBJECT

public:
    // Controls a failed check puts the focus on.
    enum Element : std::uint16_t {
        NameElement = 1,
        InnElement = 2,
        KppElement = 3,
        NumberElement = 4,
        SumElement = 5,
        ContractDateElement = 6,
    };

    explicit TfmInputSoursePens(QWidget* owner);

    // 1 to 4, the kind whose button is on; 0 when none is.
    int kind() const;
    void setKind(int kind);

    // Shows the contract's data, its kind after its requisites.
    void setContract(const mTPens& contract);
    // Everything shown, the sum 0 when its edit is empty.
    void storeContract(mTPens& contract);

    void FocusError(std::uint16_t code) override;

    QGroupBox* gbVid;
    QRadioButton* rbSelf1;
    QRadioButton* rbSelf2;
    QRadioButton* rbSelf3;
    QRadioButton* rbSelf4;
    QLabel* lbSourseName;
    TMaskedEdit* meSourseName;
    QLabel* lbINN;
    TMaskedEdit* meINN;
    QLabel* lbKPP;
    TMaskedEdit* meKPP;
    QLabel* lbNomDog;
    TMaskedEdit* meNomDog;
    QLabel* lbDatDog;
    TDtpPanel* dtpDatDog;
    QLabel* lbSumVZ;
    TMaskedEdit* meVZSum;

protected:
    // The date as typed, the requisites of contracts of kinds 1 to 3 and the contract number.
    std::uint16_t checkItem() override;

private:
    // Kinds 1 to 3 have an organisation and a contract; the texts stay when they are switched off.
    void SetContractFieldsEnabled(bool enabled);
};

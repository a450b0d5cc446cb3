#pragma once

#include <cstdint>

#include "pages/deductions/ItemDialog.h"

class QCheckBox;
class QLabel;
class TDtpPanel;
class TMaskedEdit;
class bmTInfoIIS;

// One individual investment account: the securities-market participant that keeps it, the
// contract, the opening date and the money paid in during the year.
class TfmInputInfoIIS : public TItemDialog {
    Q_OBJECT

public:
    // Controls a failed check puts the focus on.
    enum Element : std::uint16_t {
        NameElement = 1,
        InnElement = 2,
        KppElement = 3,
        NumberElement = 5,
        SumElement = 6,
        ContractDateElement = 7,
        OpenDateElement = 8,
    };

    explicit TfmInputInfoIIS(QWidget* owner);

    // Shows the account's data as stored; a date outside its field's bounds is shown so, and the
    // check of "Да" asks for another.
    void setAccount(const bmTInfoIIS& account);
    // Everything shown, the sum 0 when its edit is empty.
    void storeAccount(bmTInfoIIS& account);

    void FocusError(std::uint16_t code) override;

    // Made in the order they stand, which is the order Tab takes.
    QLabel* lbSourseName;
    TMaskedEdit* meSourseName;
    QLabel* lbINN;
    TMaskedEdit* meINN;
    QLabel* lbKPP;
    TMaskedEdit* meKPP;
    QLabel* lbNumDog;
    TMaskedEdit* meNomDog;
    QLabel* lbDataDog;
    TDtpPanel* dtpDataDog;
    QLabel* lbSum;
    TMaskedEdit* meSum;
    QLabel* lbDataOpen;
    TDtpPanel* dtpDataOpen;
    QCheckBox* cbPriznakUpr;

protected:
    // The dates as typed, the participant's requisites, the sum paid in, the contract number and
    // the dates within their bounds.
    std::uint16_t checkItem() override;

private:
    // The year's contributions count up to InvestmentAccountLimit; more is taken as that.
    void meSumChange();
    std::uint16_t CheckIISData();
};

#pragma once

#include <cstdint>

#include "controls/ConfirmDialog.h"

class QCheckBox;
class QLabel;
class TMaskedEdit;

// The requisites of one payment source: its name, ИНН, КПП and ОКТМО, whether the standard
// deductions are computed at it and whether it is an investment partnership. "Да" and Enter
// confirm once the requisites pass the payment-source check; a failed rule keeps the dialog
// open with the focus on the field to fix.
class TfmInput13SourseIncome : public TConfirmDialog {
    Q_OBJECT

public:
    // `allowIT`: the source may be marked as an investment partnership.
    TfmInput13SourseIncome(QWidget* owner, bool allowIT);

    QString GetName() const;
    void SetName(const QString& value);
    QString GetINN() const;
    void SetINN(const QString& value);
    QString GetKPP() const;
    void SetKPP(const QString& value);
    QString GetOKTMO() const;
    void SetOKTMO(const QString& value);
    bool GetPrimaryWorkplace() const;
    void SetPrimaryWorkplace(bool value);
    bool GetIsIT() const;
    void SetIsIT(bool value);

    // Puts the focus on the field of a failed rule of the check (PaymentSourceElement).
    void FocusError(std::uint16_t code);

    QLabel* lbSourseName;
    TMaskedEdit* meSourseName;
    QLabel* lbINN;
    TMaskedEdit* meINN;
    QLabel* lbKPP;
    TMaskedEdit* meKPP;
    QLabel* lbOKATO;
    TMaskedEdit* meOKATO;
    QCheckBox* chbPrimaryWorkplase;
    QCheckBox* chbIsIT;

protected:
    void confirm() override;
};

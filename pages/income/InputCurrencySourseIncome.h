#pragma once

#include <cstdint>

#include "controls/ConfirmDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class TMaskedEdit;

// Asks for one foreign payment source: its name, the country the income comes from and the
// country it was credited in, both chosen in the country picker. For a controlled foreign
// company's fixed profit the caller shows chbKIK; checking it fills in the source and Russia.
// "Да" and Enter confirm once the source passes its check; a failed rule keeps the dialog open
// with the focus on what to fix.
class TfmInputCurrencySourseIncome : public TConfirmDialog {
    Q_OBJECT

public:
    explicit TfmInputCurrencySourseIncome(QWidget* owner);

    QString SourceName() const;
    void SetSourceName(const QString& value);
    QString SourceCountry() const;
    void SetSourceCountry(const QString& value);
    QString CreditCountry() const;
    void SetCreditCountry(const QString& value);
    bool FixedProfit() const;
    // Sets the check and the controls it locks; the texts are the caller's to set.
    void SetFixedProfit(bool value);

    // What the check of the source asks to fix.
    enum SourceCheckResult : std::uint16_t {
        SourceValid = 0,
        FixSourceCountry = 1,
        FixSourceName = 2,
        FixCreditCountry = 3,
        SourceSkipped = 4, // a rule failed and the user went on without fixing it
    };
    SourceCheckResult CheckSource();

    QLabel* lbSourseName;
    TMaskedEdit* meSourseName;
    QCheckBox* chbKIK;
    QLabel* lbGos;
    TMaskedEdit* meGos;
    QPushButton* Button1;
    QLabel* lbGos2;
    TMaskedEdit* meGos2;
    QPushButton* Button2;

protected:
    void confirm() override;

private:
    void fixedProfitClicked(bool checked);
    void lockForFixedProfit(bool locked);
    void chooseCountry(TMaskedEdit* edit, std::uint16_t mode);
};

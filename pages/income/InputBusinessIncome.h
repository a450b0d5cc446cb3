#pragma once

#include <array>

#include <QString>

#include "controls/ConfirmDialog.h"

class QLabel;
class QPushButton;
class QRadioButton;
class TFormOKVED;
class TMaskedEdit;

// Asks for the kind of one business activity and carries its activity code. The caller presets
// both for an edit, shows the dialog modally and on Confirmed reads them back.
class TfmInputBusinessIncome : public TConfirmDialog {
    Q_OBJECT

public:
    explicit TfmInputBusinessIncome(QWidget* owner);

    // "1".."9" after the checked kind, empty when none is checked. The dialog opens on the kind
    // set; setting any other text leaves the choice as it was.
    QString kind() const;
    void setKind(const QString& kind);

    QString activityCode() const;
    void setActivityCode(const QString& code);

    // The activity-code picker; nullptr when the activity-code directory was not loaded.
    TFormOKVED* picker() const { return picker_; }

    QLabel* lbActivityType;
    QRadioButton* rbPredp;
    QRadioButton* rbNota;
    QRadioButton* rbAdvokat;
    QRadioButton* rbArbitr;
    QRadioButton* rbKFH;
    QRadioButton* rbOcen;
    QRadioButton* rbPatent;
    QRadioButton* rbMedia;
    QRadioButton* rbInaya;
    QLabel* Label1;
    TMaskedEdit* me1;
    QPushButton* bnIncomeCod;

private:
    // In the order of the kinds "1".."9".
    std::array<QRadioButton*, 9> kindButtons() const;
    void chooseCode();
    void kindClicked(QRadioButton* button);

    TFormOKVED* picker_ = nullptr;
};

#pragma once

#include "controls/ConfirmDialog.h"

class QRadioButton;

// Asks which application to add: the refund to a bank account or the offset against other taxes.
class TfmInputTrata : public TConfirmDialog {
    Q_OBJECT

public:
    explicit TfmInputTrata(QWidget* owner);

    // True for the refund to a bank account, false for the offset.
    bool isRefund() const;

    QRadioButton* rbBank;
    QRadioButton* rbNalog;
};

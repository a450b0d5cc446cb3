#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

// Asks which application to add: the refund to a bank account or the offset against other taxes.
// "Да" and Enter confirm; "Нет", Esc and the close box cancel.
class TfmInputTrata : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Confirmed = 1,
        Cancelled = 2,
    };

    explicit TfmInputTrata(QWidget* owner);

    // True for the refund to a bank account, false for the offset.
    bool isRefund() const;

    void reject() override;

    QRadioButton* rbBank;
    QRadioButton* rbNalog;
    QPushButton* bnOk;
    QPushButton* bnCansel;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
